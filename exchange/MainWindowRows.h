#pragma once
// The main window's agency row around a command of the ASCII exchange: the
// row kept when the command begins, the two lists' positions saved for the
// refresh, and the row made current and highlighted again at the end.

class frmMain;
class Trap;

namespace mainwindowrows {

// The agency list's position (its record set's), -1 when none.
long AgencyPosition(frmMain& w);
// Saves the entry-screen list's and the agency list's positions where the
// main window's refresh puts the lists back.
void SavePositions(frmMain& w, long agencyPosition);
// Makes the kept row current and highlighted again and gives the main
// window the focus.
void PutAgencyBack(Trap& trap, frmMain& w, long position);
// The entry-screen list and its two selection buttons disabled.
void DisableEntryScreens(frmMain& w);

}  // namespace mainwindowrows
