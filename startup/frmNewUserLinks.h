#pragma once
// What the contact registration window uses of the rest of the program: the
// program-wide objects, the user groups it offers, the set-up of a window
// that opens, and the logon and main windows, which it reaches without
// including them.

#include <functional>
#include <string>

#include "clsGlobalParam.h"
#include "clsMyAdoUtils.h"

namespace contactLinks {

// The user groups by text and code: "County Office" 2, "School District" 3,
// "Charter School" 4, "SELPA" 5, "County Auditor" 7. nullptr, or 0, for
// anything else.
const char* GroupText(long code);
int GroupCode(const std::string& text);

// Sets up the window that is opening (gstrCurrentForm): the contact window
// offers the groups "County Office" and "County Auditor"; any window but a
// new user's keeps the main window disabled while it is open.
void OnFormOpen(clsGlobalParam& Param);

// Shows a new logon window (after a new user's registration window closes).
void ShowNewLogon();
// Installs what shows a new logon window.
void SetLogonWindow(std::function<void()> show);

// Enables the main window again, when there is one.
void EnableMainWindow();
// Shows the logged-on contact's name in panel 2 of the main window's status
// bar, when there is a main window.
void ShowUserNameInStatusBar(const std::string& name);

}  // namespace contactLinks
