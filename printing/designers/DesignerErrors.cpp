#include "DesignerErrors.h"

#include "Utilities.h"
#include "ui/Dialogs.h"
#include "ui/Printers.h"
#include "vb/App.h"
#include "vb/Trap.h"

namespace designers {

void TellNoPrinter(const std::string& module, bool& showError) {
  Trap trap(module, "DataReport_Error");
  bool noPrinter = true;
  trap([&] { noPrinter = ui::printers().Names().empty(); });
  if (!noPrinter) return;
  trap([&] {
    ui::MsgBox(Utilities::NoPrinterMessage(), ui::vbInformation, vb::App::Title());
    showError = false;
  });
}

}  // namespace designers
