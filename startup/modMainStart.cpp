#include "modMainStart.h"

#include <QComboBox>
#include <array>
#include <filesystem>
#include <memory>
#include <system_error>

#include "FormData.h"
#include "ScopeOfParams.h"
#include "Utilities.h"
#include "clsDataAccess.h"
#include "clsMyAdoUtils.h"
#include "frmLogon.h"
#include "frmWait.h"
#include "modCOEStatus.h"
#include "modGlobals.h"
#include "modValidationCalculation.h"
#include "ui/Dialogs.h"
#include "ui/Form.h"
#include "ui/Printers.h"
#include "ui/Pump.h"
#include "ui/Settings.h"
#include "ui/Shell.h"
#include "vb/App.h"
#include "vb/Conversions.h"
#include "vb/End.h"
#include "zelCommon.h"
#include "zelErrHandler.h"

namespace modMain {
namespace {

constexpr const char* kModule = "modMain";
constexpr const char* kSettingsApp = "VHO-KRN";
constexpr const char* kSettingsSection = "Setting";
constexpr const char* kBasePathKey = "BasePath";

// The base folder used when the settings store holds none (only reachable
// when storing the program folder at start failed).
std::string FallbackBasePath(std::int32_t year) { return "/opt/VHO-KRN/FY" + std::to_string(year); }

bool IsFolder(const std::string& path) {
  std::error_code ec;
  return std::filesystem::is_directory(path, ec);
}

bool IsFile(const std::string& path) {
  std::error_code ec;
  return std::filesystem::is_regular_file(path, ec);
}

void CannotContinue(const std::string& text) {
  ui::MsgBox(text + "\r\nCannot continue.", ui::vbCritical + ui::vbOKOnly, vb::App::Title());
}

struct PeriodName {
  std::int32_t period;
  const char* text;
};
constexpr std::array<PeriodName, 3> kPeriodNames{{{1, "P-1"}, {2, "P-2"}, {3, "Annual"}}};

// The counts and dates of a form-status row that OnFormOpen copies.
template <class T>
struct ColumnField {
  const char* column;
  T clsGlobalParam::*field;
};
constexpr std::array<ColumnField<std::int16_t>, 3> kStatusCounts{{{"num_record", &clsGlobalParam::NumRecord},
                                                                  {"num_error", &clsGlobalParam::NumError},
                                                                  {"num_warning", &clsGlobalParam::NumWarning}}};
constexpr std::array<ColumnField<vb::Date>, 2> kStatusDates{
    {{"last_modified_date", &clsGlobalParam::LastModifiedDate},
     {"last_edit_check_date", &clsGlobalParam::EditCheckDate}}};
// "12:00:00 AM": midnight of the zero date.
constexpr vb::Date kNoDate{0.0};

std::function<NotesWindow&()>& NotesMaker() {
  static std::function<NotesWindow&()> maker;
  return maker;
}

FormPrinter& InstalledFormPrinter() {
  static FormPrinter printer;
  return printer;
}

// The help page: the host is a setting of its own, the path is fixed.
constexpr const char* kHelpHostDefault = "www.levrona.example";
constexpr const char* kHelpPath = "/fg/sf/tc/tax1920.asp";

}  // namespace

void Main() {
  Trap trap(kModule, "Main");
  trap([] { zelCommon::zelInitialize(); });

  // A failed test goes on in its failure branch after Ignore: each flag
  // starts on the failing side.
  bool anotherCopy = true;
  trap([&] { anotherCopy = Utilities::IsAppInstance(); });
  if (trap.Left()) return;
  if (anotherCopy) {
    trap([] { Utilities::SetFocusToApplication(); });
    if (trap.Left()) return;
    vb::End();
  }

  bool foldersPresent = false;
  trap([&] { foldersPresent = IsFolder(vb::App::Path() + "/Import") && IsFolder(vb::App::Path() + "/Export"); });
  if (trap.Left()) return;
  if (!foldersPresent) {
    trap([] { CannotContinue("Folder(s) for Export/Import - Missing"); });
    return;
  }

  trap([] { modGlobals::glngProcessID = vb::CLng(Utilities::GetProcessID()); });
  trap([] {
    modGlobals::gstrVersion =
        std::to_string(vb::App::Major()) + "." + std::to_string(vb::App::Minor()) + std::to_string(vb::App::Revision());
  });
  trap([] { modGlobals::gobjGlobalParam = std::make_unique<clsGlobalParam>(); });

  std::string database;
  bool databasePresent = false;
  trap([&] {
    database = modGlobals::GlobalParam().RegMDBFile();
    databasePresent = IsFile(database);
  });
  if (trap.Left()) return;
  if (!databasePresent) {
    trap([&] { CannotContinue("RUDOVA Database is not available at\r\n" + database); });
    return;
  }

  trap([] { modGlobals::GlobalParam().BasePath = vb::App::Path(); });
  trap([] {
    ui::SaveSetting(kSettingsApp, kSettingsSection, kBasePathKey, modGlobals::GlobalParam().BasePath);
  });
  trap([] { modGlobals::gobjAdoUtils = std::make_unique<clsMyAdoUtils>(); });
  trap([] { modGlobals::AdoUtils().OpenConn(); });
  trap([] { ReadSettings(); });

  for (std::int32_t period = 1; period <= 3; ++period) {
    bool available = false;
    trap([&] {
      available = ComponentsAvailable(modGlobals::GlobalParam().ReportYear, period);
    });
    if (trap.Left() || !available) return;
  }

  trap([] {
    auto logon = std::make_unique<frmLogon>();
    logon->ShowModal();
  });
}

void ReadSettings() {
  Trap trap(kModule, "ReadSettings");
  db::RecordsetPtr rs;
  trap([&] {
    rs = clsDataAccess().GetRecordset("SELECT * FROM ReportPeriod", modGlobals::gstrConnectionString,
                                      modGlobals::SharedConnection(), false, 3, 3, 4, 1);
  });

  // The stored period, compared exactly: "" and "PY_P2" are P-2,
  // "PY_ANNUAL" is Annual, anything else is converted to a number (a Null,
  // or a text that is no number, fails there). Without a row the first
  // comparison fails; after Ignore that is the "" branch.
  vb::Variant stored;
  const bool read = trap([&] { stored = vb::Deref(rs).Value("PeriodID"); });
  if (trap.Left()) return;
  const bool isText = stored.IsString();
  const std::string text = isText ? vb::CStr(stored) : std::string();
  trap([&] {
    clsGlobalParam& P = modGlobals::GlobalParam();
    if (!read || (isText && (text.empty() || text == "PY_P2")))
      P.ReportPeriod = 2;
    else if (isText && text == "PY_ANNUAL")
      P.ReportPeriod = 3;
    else
      P.ReportPeriod = vb::CInt(stored);
  });
  rs.reset();

  trap([] {
    modGlobals::GlobalParam().BasePath = ui::GetSetting(kSettingsApp, kSettingsSection, kBasePathKey);
  });
  bool noBasePath = true;
  trap([&] { noBasePath = modGlobals::GlobalParam().BasePath.empty(); });
  if (trap.Left() || !noBasePath) return;
  trap([] {
    clsGlobalParam& P = modGlobals::GlobalParam();
    P.BasePath = FallbackBasePath(P.ReportYear);
  });
  trap([] { SaveSettings(); });
}

void SaveSettings() {
  Trap trap(kModule, "SaveSettings");
  // Written on the program's one connection, so that a caller's
  // transaction covers it.
  db::RecordsetPtr rs;
  trap([&] {
    rs = db::Recordset::Create();
    rs->CursorType(db::CursorType::Dynamic);
    rs->LockType(db::LockType::Optimistic);
    rs->Open("SELECT * FROM ReportPeriod", modGlobals::SharedConnection());
  });
  trap([] {
    ui::SaveSetting(kSettingsApp, kSettingsSection, kBasePathKey, modGlobals::GlobalParam().BasePath);
  });
  trap([&] {
    const std::string& mode = modGlobals::gstrPeriodMode;
    const bool priorYear = mode == "PY_P2" || mode == "PY_ANNUAL";
    vb::Deref(rs).SetValue("PeriodID", priorYear ? vb::Variant(mode)
                                                : vb::Variant(modGlobals::GlobalParam().ReportPeriod));
  });
  trap([&] { vb::Deref(rs).Update(); });
}

bool ComponentsAvailable(std::int32_t year, std::int32_t period) {
  // Without the program's connection the test fails as an unknown error.
  db::ConnectionPtr conn;
  Trap connection(kModule, "ComponentsAvailable", Trap::Mode::Silent);
  connection([&] { conn = modGlobals::SharedConnection(); });
  const modValidationCalculation::ComponentCheck check = modValidationCalculation::ComponentStatus(conn, year, period);
  if (!check.available) ui::MsgBox(check.message, ui::vbExclamation + ui::vbOKOnly, vb::App::Title());
  return check.available;
}

std::string getPeriodText() {
  Trap trap(kModule, "getPeriodText");
  std::string text;
  trap([&] {
    clsGlobalParam& P = modGlobals::GlobalParam();
    P.PeriodText.clear();
    for (const PeriodName& name : kPeriodNames)
      if (name.period == P.ReportPeriod) P.PeriodText = name.text;
    text = P.PeriodText;
  });
  return text;
}

void ShowWaitMsg(const std::string& Msg) {
  Trap trap(kModule, "ShowWaitMsg", Trap::Mode::Silent);
  if (!Msg.empty()) {
    trap([&] { frmWait::Default().lblMsg->setText(QString::fromStdString(Msg)); });
    trap([] { frmWait::Default().ShowModeless(); });
    // Once, so that the box is painted before the long operation starts.
    trap([] { ui::DoEvents(); });
    return;
  }
  trap([] { frmWait::Default().lblMsg->clear(); });
  trap([] { frmWait::Default().Unload(); });
  trap([] { Utilities::ScreenMouseEnabled(true); });
}

void ShowPrinterSetup() {
  Trap trap(kModule, "ShowPrinterSetup");
  trap([] {
    if (auto chosen = ui::dialogs().ChoosePrinter(ui::JobPrinter())) ui::SetJobPrinter(*chosen);
  });
}

void CopyFormStatus(const db::Recordset* row, clsGlobalParam& Param, Trap& trap) {
  for (const auto& count : kStatusCounts) {
    trap([&] {
      const vb::Variant value = row ? row->Value(count.column) : vb::Variant(vb::Null);
      Param.*count.field = value.IsNull() ? std::int16_t{0} : vb::CInt(value);
    });
  }
  for (const auto& date : kStatusDates) {
    trap([&] {
      const vb::Variant value = row ? row->Value(date.column) : vb::Variant(vb::Null);
      Param.*date.field = value.IsNull() ? kNoDate : vb::CDate(value);
    });
  }
}

void OnFormOpen(clsGlobalParam& Param) {
  Trap trap(kModule, "OnFormOpen");
  db::RecordsetPtr rs;
  trap([&] { rs = forms::Snapshot(modGlobals::SharedConnection(), modCOE::StatusRowQuery(forms::ScopeOf(Param))); });
  bool hasRow = true;
  trap([&] { hasRow = vb::Deref(rs).RecordCount() > 0; });
  if (trap.Left()) return;
  CopyFormStatus(hasRow ? rs.get() : nullptr, Param, trap);
  rs.reset();

  const std::string& current = modGlobals::gstrCurrentForm;
  if (current == "New User" || current == "Update User") {
    for (const char* group : {"County Office", "County Auditor"}) {
      trap([&] {
        auto* list = qobject_cast<QComboBox*>(&ui::Control(vb::Deref(ui::FindForm("frmNewUser")), "cboUserGroup"));
        if (!list) vb::Raise(vb::err::TypeMismatch);
        list->addItem(QString::fromUtf8(group));
      });
    }
  }
  if (current == "frmMain") {
    // The main window offers no entry screen until an agency is chosen.
    const auto mainWindow = []() -> QWidget& { return vb::Deref(ui::FindForm("frmMain")); };
    trap([&] { ui::Control(mainWindow(), "cmdSelection_2").setVisible(true); });
    trap([&] { ui::Control(mainWindow(), "cmdSelection_3").setVisible(true); });
    trap([&] { ui::Control(mainWindow(), "dgForms").setEnabled(false); });
    for (const char* button : {"cmdSelection_0", "cmdSelection_1", "cmdSelection_2", "cmdSelection_3"})
      trap([&] { ui::Control(mainWindow(), button).setEnabled(false); });
    trap([&] { mainWindow().setEnabled(true); });
  } else if (current != "New User") {
    // Any other window (the contact editor among them) keeps the main
    // window disabled while it is open; without a main window there is
    // nothing to disable.
    trap([] {
      if (QWidget* mainWindow = ui::FindForm("frmMain")) mainWindow->setEnabled(false);
    });
  }
}

void ShowFormNote(clsGlobalParam& Param) {
  Trap trap(kModule, "ShowFormNote");
  NotesWindow* window = nullptr;
  trap([&] {
    if (!NotesMaker()) vb::Raise(vb::err::ObjectNotSet);
    window = &NotesMaker()();
  });
  trap([&] { vb::Deref(window).GParam(&Param); });
  trap([&] { vb::Deref(window).RefreshData(); });
  trap([&] { vb::Deref(window).ShowModal(); });
}

void SetFormNoteWindow(std::function<NotesWindow&()> maker) { NotesMaker() = std::move(maker); }

void mPrintForm(std::shared_ptr<clsGlobalParam>& Param, const std::string& TableName, bool Flag, bool unused) {
  if (const FormPrinter& printer = InstalledFormPrinter()) {
    printer(Param, TableName, Flag, unused);
    return;
  }
  ui::MsgBox("Printing of entry screens is not available in this version.", ui::vbInformation);
}

void SetFormPrinter(FormPrinter printer) { InstalledFormPrinter() = std::move(printer); }

void ShowHelpPage() {
  const std::string host = ui::GetSetting(kSettingsApp, kSettingsSection, "HelpHost", kHelpHostDefault);
  ui::OpenPage("http://" + host + kHelpPath);
}

}  // namespace modMain
