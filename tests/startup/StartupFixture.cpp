#include "StartupFixture.h"

#include <sys/stat.h>

#include <QApplication>
#include <QCoreApplication>
#include <cstdlib>

#include "Utilities.h"
#include "com/Registry.h"
#include "frmLogon.h"
#include "modGlobals.h"
#include "modMainStart.h"

StandInMainWindow::StandInMainWindow() {
  setObjectName("frmMain");
  for (int i = 0; i < 4; ++i) {
    cmdSelection[i] = new QPushButton(this);
    cmdSelection[i]->setObjectName(QStringLiteral("cmdSelection_%1").arg(i));
    cmdSelection[i]->setVisible(i < 2);
  }
  dgForms = new QTableView(this);
  dgForms->setObjectName("dgForms");
  userPanel = new QLabel(this);
  userPanel->setObjectName("StBarMain_Panel2");
}

void StartupTest::SetUp() {
  ProgramTest::SetUp();
  com::SetComponentFolder(STARTUP_COMPONENT_DIR);
  runtime_ = (ProgramFolder() / "run").string();
  ::mkdir(runtime_.c_str(), 0700);
  ::setenv("XDG_RUNTIME_DIR", runtime_.c_str(), 1);
  for (std::string* text : {&modGlobals::gstrPeriodMode, &modGlobals::gstrNewContactName, &modGlobals::gstrLogOut,
                            &modGlobals::gstrUserFormMode, &modGlobals::gstrCurrentForm, &modGlobals::gstrModeTitle})
    text->clear();
  mainWindow_ = new StandInMainWindow;
  frmLogon::SetMainWindow([this]() -> ui::Form& {
    ++mainWindow_->shown;
    return *mainWindow_;
  });
  frmLogon::SetGetLatestWindow(nullptr);
  modMain::SetFormNoteWindow(nullptr);
}

void StartupTest::TearDown() {
  Utilities::EndApp();
  frmLogon::SetMainWindow(nullptr);
  for (QWidget* window : QApplication::topLevelWidgets()) {
    if (qobject_cast<ui::Form*>(window)) {
      window->hide();
      window->deleteLater();
    }
  }
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  com::SetComponentFolder({});
  ProgramTest::TearDown();
}

void StartupTest::Execute(const std::string& sql, const std::vector<vb::Variant>& params) {
  OpenDatabase()->Execute(sql, params);
}

int StartupTest::AddContact(const Contact& c) {
  auto conn = OpenDatabase();
  conn->Execute(
      "INSERT INTO CONTACTS (CONTACT, USER_GROUP, COUNTY_ID, SCHOOL_DISTRICT_ID, SCHOOL_ID, FISCAL_YEAR, PHONE, FAX, "
      "EMAIL) VALUES (?, ?, ?, ?, ?, 2019, ?, ?, ?)",
      {vb::Variant(c.name), vb::Variant(c.group), c.county, c.district, c.school, c.phone, c.fax, c.email});
  return static_cast<int>(conn->LastInsertRowId());
}

frmLogon& StartupTest::OpenLogon() {
  auto* logon = new frmLogon;
  logon->Load();
  return *logon;
}

void StartupTest::LogOn(frmLogon& logon, const std::string& contact) {
  const int entry = logon.dcmUser->findText(QString::fromStdString(contact));
  ASSERT_GE(entry, 0) << contact << " is not in the list";
  logon.dcmUser->setCurrentIndex(entry);
  logon.cmdLogon_Click();
}

const char* StartupTest::FirstCopyProgram() { return LEV_FIRST_COPY; }

std::vector<RecordedPrompt> PromptsOf(const ScriptedDialogs& dialogs, const std::string& kind) {
  std::vector<RecordedPrompt> found;
  for (const RecordedPrompt& prompt : dialogs.Prompts())
    if (prompt.kind == kind) found.push_back(prompt);
  return found;
}
