#pragma once
// The start module's services that windows all over the program use: the
// wait box and the form status of a window that opens.

#include <string>

#include "clsGlobalParam.h"

namespace modMain {

// Shows the wait box with the text, or closes it (and puts the normal
// pointer back) for the empty text. Failures pass silently.
void ShowWaitMsg(const std::string& Msg);
// Loads the form status of Param's agency, period and form into Param and
// sets up the window named by gstrCurrentForm ("frmMain", ...).
void OnFormOpen(clsGlobalParam& Param);

}  // namespace modMain
