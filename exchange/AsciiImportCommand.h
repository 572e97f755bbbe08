#pragma once
// File > Import > ASCII File of the main window (mnuNew_ImportASCII_Click):
// the ASCII import window, shown modally while the main window is
// disabled, for an agency of the logon county only; when it closes, both
// lists are refreshed, the entry-screen list and its two selection buttons
// disabled, and the agency row that was current highlighted again.

class frmMain;

namespace AsciiImportCommand {

// The command's body, run by the main window's menu item.
void Run(frmMain& window);
// Installs the body into the main window's command.
void Install();

}  // namespace AsciiImportCommand
