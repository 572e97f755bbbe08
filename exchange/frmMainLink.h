#pragma once
// The main window as the certified-data windows see it.

#include <QPointer>

#include "MainWindowLink.h"

class frmMain;

class frmMainLink final : public MainWindowLink {
 public:
  explicit frmMainLink(frmMain& window);

  bool CorrectionMarked() const override;
  void DisconnectTopandBottomGrid() override;
  void ConnectTopandBottomGrid() override;
  void RefreshTopandBottomGrid(bool bNoShowMessage) override;

 private:
  // Error 91 once the main window is gone.
  frmMain& Window() const;

  QPointer<frmMain> window_;
};
