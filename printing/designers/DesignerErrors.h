#pragma once
// The error handler the report designers share: a print or preview job
// failed. With no printer installed at all the user is told the printer
// message once, titled with the program's title, and the report shows no
// message of its own; with a printer the report's own message stands.
// A failure inside is reported under the designer's module and
// "DataReport_Error"; Ignore after a failed printer count still tells.

#include <string>

namespace designers {

void TellNoPrinter(const std::string& module, bool& showError);

}  // namespace designers
