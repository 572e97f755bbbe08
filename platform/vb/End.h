#pragma once
// The classic End statement: ends the program at once. The default handler
// exits the process; tests install a handler that throws ProgramEnded, so
// that "the program ended" is something a test can observe.

#include <functional>

namespace vb {

struct ProgramEnded {
  int exitCode = 0;
};

[[noreturn]] void End(int exitCode = 0);
// Installs the handler that End calls; it must not return (throw or exit).
// An empty handler puts the default back. Answers the previous handler.
std::function<void(int)> SetEndHandler(std::function<void(int)> handler);

}  // namespace vb
