#include "vb/End.h"

#include <cstdlib>
#include <mutex>
#include <utility>

namespace vb {
namespace {

std::mutex handlerMutex;

void ExitProcess(int exitCode) { std::exit(exitCode); }

std::function<void(int)>& CurrentHandler() {
  static std::function<void(int)> handler = ExitProcess;
  return handler;
}

}  // namespace

void End(int exitCode) {
  std::function<void(int)> handler;
  {
    std::lock_guard lock(handlerMutex);
    handler = CurrentHandler();
  }
  handler(exitCode);
  // A handler that returns breaks its contract; the program still ends.
  std::exit(exitCode);
}

std::function<void(int)> SetEndHandler(std::function<void(int)> handler) {
  std::lock_guard lock(handlerMutex);
  std::function<void(int)> previous = std::move(CurrentHandler());
  CurrentHandler() = handler ? std::move(handler) : std::function<void(int)>(ExitProcess);
  return previous;
}

}  // namespace vb
