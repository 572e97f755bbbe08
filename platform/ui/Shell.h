#pragma once
// The shell seam: opening a web page or a mail link in the user's own
// programs, and starting a tool as a separate process. The program uses the
// desktop's handlers; tests install a recording shell.

#include <string>
#include <vector>

namespace ui {

class Shell {
 public:
  virtual ~Shell() = default;
  // Opens a web page ("https://...") or a mail link ("mailto:...") with the
  // desktop's handler; answers false when it cannot be opened.
  virtual bool OpenUrl(const std::string& url) = 0;
  // Starts a program as a separate process without waiting for it; answers
  // false when it cannot be started.
  virtual bool StartProgram(const std::string& program, const std::vector<std::string>& arguments) = 0;
};

// Opens a web page or mail link through the installed shell; when it cannot
// be opened, tells the user so ("The page ... could not be opened.") and
// answers false.
bool OpenPage(const std::string& url);

// The installed shell (the desktop's until another is installed).
Shell& shell();
// Installs a shell (not owned) and answers the previous one; nullptr
// restores the desktop's.
Shell* SetShell(Shell* shell);

}  // namespace ui
