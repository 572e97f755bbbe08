// The import window: the file choice, the private copy, the checks, the
// merge and the report of one import, and the way back to the main window.

#include "frmImport.h"

#include <filesystem>
#include <optional>

#include "Utilities.h"
#include "db/SealedFile.h"
#include "frmMain.h"
#include "modGlobals.h"
#include "ui/Clock.h"
#include "ui/Dialogs.h"
#include "ui/Pump.h"
#include "ui/Twips.h"
#include "vb/App.h"
#include "vb/Conversions.h"
#include "vb/VbError.h"
#include "zelErrHandler.h"

using vb::Deref;

namespace {

constexpr const char* kModule = "frmImport";
using vb::kCrLf;

// The password certified-data files are sealed with.
constexpr const char* kFilePassword = "ZJX";

constexpr const char* kNotAvailable = "Import file is not available";
constexpr const char* kInvalidFile = "Import process cannot be completed. Invalid file selected.";
constexpr const char* kFailed = "Import process failed. Nothing was imported.";

// The sealed file's refusals of what a file holds (not of the file system).
bool IsRefusedContent(long number) {
  using namespace db::sealerr;
  return number == NotSealed || number == OtherVersion || number == KeyCostRefused || number == WrongPassword ||
         number == Damaged;
}

void Tell(const std::string& message) { ui::MsgBox(message, ui::vbInformation, vb::App::Title()); }

}  // namespace

const std::string& frmImport::RefusalMessage() {
  static const std::string message = std::string(
                                         "The file selected for import failed due to one or more of the following "
                                         "import criteria: ") +
                                     kCrLf + "1. Invalid LEA / Charter / Period has been selected" + kCrLf +
                                     "2. Insufficient information in the import file" + kCrLf +
                                     "3. Corrupted Data in the import file" + kCrLf;
  return message;
}

frmImport::frmImport(frmMain& mainWindow, QWidget* parent) : ui::Form(parent), mainWindow_(&mainWindow) {
  setupUi(this);
  ui::UseLayoutFace(*this);
  connect(cmdfile, &QPushButton::clicked, this, [this] { cmdfile_Click(); });
  connect(cmdClose, &QPushButton::clicked, this, [this] { cmdClose_Click(); });
}

frmImport::~frmImport() = default;

void frmImport::Install() {
  frmMain::SetImportWindow([]() -> std::unique_ptr<QWidget> {
    frmMain& main = Deref(qobject_cast<frmMain*>(ui::FindForm("frmMain")));
    // No owner: the main window is disabled under it.
    auto window = std::make_unique<frmImport>(main);
    window->GlobeParam(Deref(main.GParam));
    window->Load();
    return window;
  });
}

void frmImport::Form_Load() {
  Trap trap(kModule, "Form_Load");
  trap([&] { setWindowTitle("Importing Certified Data"); });
}

ImportScope frmImport::Scope() const {
  const clsGlobalParam& opener = Deref(GParam);
  const clsGlobalParam& program = modGlobals::GlobalParam();
  ImportScope scope;
  scope.county = opener.CountyID;
  scope.district = opener.DistrictID;
  scope.school = opener.SchoolId;
  scope.auRegion = opener.AURegion;
  scope.logonUserGroup = program.LogonUserGroup;
  scope.selpaAu = program.bSelpaAu;
  scope.year = program.ReportYear;
  scope.period = program.ReportPeriod;
  ui::MenuModel& menus = Deref(mainWindow_.data()).Menus();
  scope.correctionMode = menus.Item("mnu_PY_P2").Checked() || menus.Item("mnu_PY_Annual").Checked();
  return scope;
}

void frmImport::EndRun() {
  Utilities::ScreenMouseEnabled(true);
  setEnabled(true);
  ui::DoEvents();
}

void frmImport::cmdfile_Click() {
  Trap trap(kModule, "cmdfile_Click");
  trap([&] { setEnabled(false); });
  vb::Date importTime{};
  trap([&] { importTime = ui::Now(); });
  trap([&] { txtFileName->clear(); });
  if (trap.Left()) return EndRun();

  // The choice. A cancel ends the run without a word.
  ui::FileDialogRequest request;
  request.title = "Import Data File";
  request.filter = "All Files (*.*)|*.*";
  request.initialDir = vb::App::Path() + "/Import";
  request.fileName = "ZORIQV*.*;VuzO*.*";
  std::optional<std::string> chosen;
  if (!trap([&] { chosen = ui::dialogs().OpenFile(request); }) || !chosen) return EndRun();
  trap([&] { txtFileName->setText(QString::fromStdString(*chosen)); });

  std::error_code error;
  if (!std::filesystem::is_regular_file(*chosen, error)) {
    trap([] { Tell(kNotAvailable); });
    return EndRun();
  }

  // The private copy: the chosen file is only read. A file that holds no
  // certified data is refused by the checks; one that cannot be read, or a
  // copy that cannot be written, is an invalid choice.
  db::TemporaryFile copy;
  bool refused = false;
  try {
    copy = db::unseal(*chosen, kFilePassword);
  } catch (const vb::VbError& e) {
    refused = IsRefusedContent(e.Number());
    if (!refused) {
      EndRun();
      trap([] { Tell(kInvalidFile); });
      return;
    }
  }
  ui::DoEvents();
  Utilities::ScreenMouseEnabled(false);

  const db::ConnectionPtr conn = modGlobals::SharedConnection();
  std::optional<ImportFile> attached;
  if (!refused) {
    try {
      attached.emplace(conn, copy.Path());
    } catch (const vb::VbError&) {
      refused = true;  // no database in the envelope
    }
  }
  std::optional<CertifiedImport> import;
  if (!refused) {
    trap([&] { import.emplace(conn, Scope(), [] { ui::DoEvents(); }); });
    refused = !import || !import->bDatabaseValid();
  }
  if (refused) {
    attached.reset();
    copy.Remove();
    Utilities::ScreenMouseEnabled(true);
    trap([] { Tell(RefusalMessage()); });
    return EndRun();
  }

  std::string lines;
  const bool merged = import->ImportCertified(lines, importTime);
  attached.reset();
  copy.Remove();
  if (!merged) {
    Utilities::ScreenMouseEnabled(true);
    trap([] { Tell(kFailed); });
    return EndRun();
  }

  trap([&] {
    report_ = "Import Date & Time: " + vb::Format(vb::Variant(importTime), "mmm-dd-yyyy") + "  " +
              vb::Format(vb::Variant(importTime), "hh:nn:ss") + kCrLf + kCrLf + "Certified Data FileName: " + *chosen +
              kCrLf + kCrLf + lines + kCrLf + "Import Operation Completed.";
  });
  Utilities::ScreenMouseEnabled(true);
  trap([&] { Utilities::TransferStatus(report_); });
  EndRun();
}

void frmImport::cmdClose_Click() {
  Trap trap(kModule, "cmdClose_Click");
  trap([&] { Unload(); });
  frmMain& main = Deref(mainWindow_.data());
  trap([&] {
    if (main.Menus().Item("mnuLEA_SD").Checked()) {
      main.mnuLEA_SD_Click();
    } else if (main.Menus().Item("mnuLEA_Charter").Checked()) {
      main.mnuLEA_Charter_Click();
    }
  });
  trap([&] { main.setEnabled(true); });
  trap([&] { main.dgForms->setEnabled(true); });
}
