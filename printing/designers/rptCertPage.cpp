#include "rptCertPage.h"

#include "DesignerResources.h"
#include "zelErrHandler.h"
#include "Utilities.h"
#include "ui/Dialogs.h"
#include "ui/Printers.h"
#include "ui/Twips.h"
#include "vb/App.h"

rptCertPage::rptCertPage() : Report(designers::LayoutPath("rptCertPage")) {}

void rptCertPage::Init() {
  Width(static_cast<int>(static_cast<float>(740 * ui::TwipsPerPixelX())));
  Height(static_cast<int>(static_cast<float>(520 * ui::TwipsPerPixelY())));
}

void rptCertPage::DataReport_Error(int jobType, long cookie, const vb::VbError& error, bool& showError) {
  (void)jobType;
  (void)cookie;
  (void)error;
  Trap trap("rptCertPage", "DataReport_Error");
  bool noPrinter = false;
  trap([&] { noPrinter = ui::printers().Names().empty(); });
  if (!noPrinter) return;
  trap([&] {
    ui::MsgBox(Utilities::NoPrinterMessage(), ui::vbInformation, vb::App::Title());
    showError = false;
  });
}
