#include "frmStatus.h"

#include <fstream>
#include <string>
#include <vector>

#include "Utilities.h"
#include "clsGlobalParam.h"
#include "modGlobals.h"
#include "ui/Dialogs.h"
#include "ui/Printers.h"
#include "ui/TextFieldInput.h"
#include "vb/App.h"
#include "vb/Win1252.h"
#include "zelErrHandler.h"

namespace {

// The report as a text file of the program's kind: Windows-1252 bytes, each
// line ended by CR LF.
std::string FileBytesOf(const QString& text) {
  QString lines = text;
  lines.replace("\r\n", "\n");
  lines.replace('\n', "\r\n");
  return vb::ToWindows1252(lines.toStdString()) + "\r\n";
}

bool WriteFile(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  if (!out) return false;
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  out.close();
  return !out.fail();
}

}  // namespace

frmStatus::frmStatus(QWidget* parent) : ui::Form(parent) {
  setupUi(this);
  ui::KeepAltCharactersOut(*txtStatus);
  connect(cmdPrint, &QPushButton::clicked, this, [this] { cmdPrint_Click(); });
  connect(cmdSave, &QPushButton::clicked, this, [this] { cmdSave_Click(); });
  connect(cmdClose, &QPushButton::clicked, this, [this] { cmdClose_Click(); });
}

void frmStatus::Form_Load() {
  Trap trap("frmStatus", "Form_Load");
  trap([&] {
    GParam = &modGlobals::GlobalParam();
  });
  trap([&] {
    const clsGlobalParam& g = vb::Deref(GParam);
    std::vector<const std::string*> parts = {&g.FiscalYearText, &g.PeriodText, &g.LogonCountyName};
    if (g.LogonUserGroup == 3) parts.push_back(&g.LogonDistrictName);
    if (g.LogonUserGroup == 4) parts.insert(parts.end(), {&g.LogonDistrictName, &g.SchoolName});
    // Before anybody has logged on (Get Latest) neither the period nor the
    // county is known: a part without a name is left out, separator and all.
    std::string scope;
    for (const std::string* part : parts) {
      if (part->empty()) continue;
      if (!scope.empty()) scope += " \\ ";
      scope += *part;
    }
    setWindowTitle(QString::fromStdString(scope.empty() ? "Status" : "Status  \\ " + scope));
    // The line above the report names the same scope after "Status for".
    Label1->setText(QString::fromStdString(scope));
  });
}

void frmStatus::cmdPrint_Click() {
  Trap trap("frmStatus", "cmdPrint_Click");
  trap([&] {
    if (ui::printers().Names().empty()) {
      ui::MsgBox(Utilities::NoPrinterMessage(), ui::vbInformation, vb::App::Title());
      return;
    }
    // The program's print jobs go to the printer chosen in the printer
    // set-up, the default printer until one is chosen.
    ui::printers().PrintText(ui::JobPrinter(), txtStatus->toPlainText().toStdString());
  });
}

void frmStatus::cmdSave_Click() {
  std::optional<std::string> path;
  try {
    ui::FileDialogRequest request;
    request.filter = "Text (*.txt)|*.txt";
    path = ui::dialogs().SaveFile(request);
  } catch (const std::exception&) {
    ui::MsgBox("Unable to show file creation dialog", ui::vbCritical, vb::App::Title());
    ui::MsgBox("Cannot proceed with copying. Check file and try again ", ui::vbExclamation, vb::App::Title());
    return;
  }
  if (!path) return;  // cancelled
  const std::string bytes = FileBytesOf(txtStatus->toPlainText());
  while (!WriteFile(*path, bytes)) {
    if (ui::MsgBox("Unable to write to file. It may be in use or write protected. Try again",
                   ui::vbOKCancel + ui::vbQuestion, vb::App::Title()) != ui::vbOK)
      return;
  }
}

void frmStatus::cmdClose_Click() {
  Trap trap("frmStatus", "cmdClose_Click");
  trap([&] { Unload(); });
}

void frmStatus::Form_Unload() {
  Trap trap("frmStatus", "Form_Unload");
  trap([&] { modGlobals::gblnStatusModeless = false; });
}
