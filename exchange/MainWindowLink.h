#pragma once
// What the certified-data windows and the export run use of the main
// window: its prior-year correction marks and its two lists, which the run
// detaches while it copies the working database and refreshes afterwards.
// frmMainLink is the one implementation over the main window; tests stand
// in a recording one.

class MainWindowLink {
 public:
  virtual ~MainWindowLink() = default;

  // Either correction period item ("&P-2" or "&Annual" under Corrected)
  // carries its check mark: the prior-year correction mode.
  virtual bool CorrectionMarked() const = 0;
  // Detach both lists from the main connection, and attach them again.
  virtual void DisconnectTopandBottomGrid() = 0;
  virtual void ConnectTopandBottomGrid() = 0;
  // Requeries both lists; the wait message shows unless bNoShowMessage.
  virtual void RefreshTopandBottomGrid(bool bNoShowMessage) = 0;
};
