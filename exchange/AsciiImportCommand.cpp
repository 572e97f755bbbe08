#include "AsciiImportCommand.h"

#include <algorithm>
#include <memory>

#include "MainWindowRows.h"
#include "frmImportAscii.h"
#include "frmMain.h"
#include "modGlobals.h"
#include "ui/DataGrid.h"
#include "ui/Dialogs.h"
#include "vb/Trap.h"

namespace AsciiImportCommand {

void Run(frmMain& w) {
  if (modGlobals::GlobalParam().CountyID != vb::Deref(w.GParam).CountyID) {
    ui::MsgBox("Keep your Highlighted County to Logon County and try again.", ui::vbCritical);
    return;
  }
  Trap trap("frmMain", "mnuNew_ImportASCII_Click");
  long position = -1;
  trap([&] { position = mainwindowrows::AgencyPosition(w); });
  std::unique_ptr<frmImportAscii> window;
  trap([&] {
    window = std::make_unique<frmImportAscii>();
    window->Load();
    // Over the main window, not in a corner of the screen.
    window->move(w.frameGeometry().center() - window->rect().center());
  });
  trap([&] { mainwindowrows::SavePositions(w, position); });
  trap([&] { w.setEnabled(false); });
  trap([&] { ui::dialogs().ShowModal(vb::Deref(window)); });
  trap([&] {
    if (window && window->Loaded()) window->Unload();
    window.reset();
  });
  trap([&] { w.setEnabled(false); });
  trap([&] { w.RefreshTopandBottomGrid(false); });
  trap([&] { w.setEnabled(true); });
  trap([&] { mainwindowrows::DisableEntryScreens(w); });
  mainwindowrows::PutAgencyBack(trap, w, position);
}

void Install() { frmMain::SetCommandBody("mnuNew_ImportASCII", &Run); }

}  // namespace AsciiImportCommand
