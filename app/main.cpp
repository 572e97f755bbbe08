// The program: the start procedure, then the windows it opened, for as long
// as one of them is open.

#include <QApplication>
#include <QWidget>
#include <cstdio>
#include <cstdlib>

#include "AsciiExportCommand.h"
#include "AsciiImportCommand.h"
#include "NumFieldHost.h"
#include "frmCORRECTION_REASON.h"
#include "frmExport.h"
#include "frmFormNote.h"
#include "frmImport.h"
#include "frmMain.h"
#include "frmMainCertification.h"
#include "frmTax.h"
#include "frmUpdateCDS.h"
#include "frmTransfer.h"
#include "frmMainCertException.h"
#include "frmMainSummaryPrint.h"
#include "modMainPrintForm.h"
#include "modMainStart.h"
#include "ui/Dialogs.h"
#include "ui/QtDialogs.h"

namespace {

// Whether a desktop is there to show windows on (or another Qt platform was
// chosen explicitly).
bool HasDisplay() {
  for (const char* variable : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"}) {
    const char* value = std::getenv(variable);
    if (value && *value) return true;
  }
  return false;
}

bool AnyWindowOpen() {
  for (QWidget* window : QApplication::topLevelWidgets())
    if (window->isVisible()) return true;
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  if (!HasDisplay()) {
    std::fprintf(stderr,
                 "Levrona needs a display to show its windows, and none was found (DISPLAY is not set).\n"
                 "Start it from a desktop session, or under a virtual display: xvfb-run ./run.sh\n");
    return 1;
  }
  QApplication app(argc, argv);
  ui::QtDialogs dialogs;
  ui::SetDialogs(&dialogs);
  // The numeric fields lay amounts out with the program's Format and show
  // their modal windows through the dialogs.
  NumFieldHost::Install();
  // The windows of later parts of the program that earlier ones open.
  frmMain::Install();
  frmFormNote::Install();
  frmCORRECTION_REASON::Install();
  frmTax::Install();
  frmExport::Install();
  frmImport::Install();
  frmUpdateCDS::Install();
  frmTransfer::Install();
  AsciiExportCommand::Install();
  AsciiImportCommand::Install();
  // The entry-screen reports behind the tax form's Print.
  printing::Install();
  // File > Print > Certification, COE Certification, Blank Certification.
  printing::InstallCertificationCommands();
  // File > Print > Summary and the certification exception previews.
  printing::InstallSummaryCommand();
  printing::InstallCertExceptionCommands();

  modMain::Main();
  return AnyWindowOpen() ? app.exec() : 0;
}
