#pragma once
// File > Export > ASCII File of the main window (mnuNew_ExportASCII_Click):
// the selected agencies' rows of the one selected program into an ASCII
// data file, then the export report in the status window.
//
// The command refuses, with a message, a run without an agency, without a
// program, with more than one program, or for a program whose rows the
// file cannot hold; each refusal leaves the main window enabled with the
// agency row that was current current and highlighted again. A completed
// run (and a cancelled Save dialog) ends with the main window's closing
// steps: the agency list's "CORRECTED" column shown only in a prior-year
// correction mode, the entry-screen list and its two selection buttons
// disabled, and the agency row put back.

class frmMain;

namespace AsciiExportCommand {

// The command's body, run by the main window's menu item.
void Run(frmMain& window);
// Installs the body into the main window's command.
void Install();

}  // namespace AsciiExportCommand
