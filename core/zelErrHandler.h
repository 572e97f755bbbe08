#pragma once
// The central error report, which the guard of every trapping procedure of
// the program (vb/Trap.h) shows a failed step in.

#include <string>

#include "vb/Trap.h"
#include "vb/VbError.h"

namespace zelErrHandler {

// The six-line report text: "Error No: ", "Description: ", "Project: ",
// "Source: ", "Procedure: " and "Version: ", joined by CR LF.
std::string ReportText(long number, const std::string& description, const std::string& project,
                       const std::string& module, const std::string& procedure);

// Shows the report in the warning box titled "Exception" with the buttons
// Abort, Retry and Ignore (Abort the default), topmost, and answers the
// pressed button (3, 4 or 5).
int ReportError(long number, const std::string& description, const std::string& project,
                const std::string& module, const std::string& procedure, long line = 0);

// Makes ReportError, with the product title as the project, the report of
// every guard (Trap). The start procedure's error trapping installs it
// first of all; until then a guard passes failures to its caller.
void InstallReport();

}  // namespace zelErrHandler
