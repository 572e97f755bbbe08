// The start of the program: one copy only, its folders and database, the
// base path, the component test for the three periods, and the logon window
// that a clean start shows.

#include <gtest/gtest.h>

#include <QProcess>
#include <filesystem>
#include <fstream>

#include "StartupFixture.h"
#include "clsMyAdoUtils.h"
#include "frmLogon.h"
#include "modGlobals.h"
#include "modMainStart.h"
#include "ui/Settings.h"
#include "vb/End.h"

namespace {

constexpr int kCriticalOk = ui::vbCritical + ui::vbOKOnly;
constexpr int kExclamationOk = ui::vbExclamation + ui::vbOKOnly;

class StartTest : public StartupTest {
 protected:
  void SetUp() override {
    StartupTest::SetUp();
    // The start procedure makes the program-wide objects itself.
    modGlobals::gobjAdoUtils.reset();
    modGlobals::gobjGlobalParam.reset();
  }

  std::string StoredBasePath() { return ui::GetSetting("VHO-KRN", "Setting", "BasePath"); }
  std::string Folder() const { return ProgramFolder().string(); }
};

TEST_F(StartTest, CleanStartStoresTheBasePathAndShowsTheLogonWindow) {
  AddContact({"Avery Lindqvist", 2, 61, 10610, 0});
  ui::SaveSetting("VHO-KRN", "Setting", "BasePath", "/somewhere/else");
  bool shown = false;
  dialogs_.AnswerModal([&](QWidget& window) {
    auto* logon = qobject_cast<frmLogon*>(&window);
    EXPECT_NE(logon, nullptr);
    if (!logon) return 0;
    shown = true;
    EXPECT_EQ(logon->windowTitle().toStdString(), "Logon");
    EXPECT_EQ(logon->lblSplashName->text().toStdString(), "\n2019 - 20\nQuillmark\nLevrona");
    EXPECT_EQ(logon->lblVersion->text().toStdString(), "Version 2019-19.00");
    EXPECT_EQ(logon->dcmUser->count(), 1);
    // While the logon window is up the base path is the program folder.
    EXPECT_EQ(StoredBasePath(), Folder());
    return 0;
  });

  modMain::Main();

  EXPECT_TRUE(shown);
  EXPECT_TRUE(PromptsOf(dialogs_, "MsgBox").empty());
  ASSERT_NE(modGlobals::gobjGlobalParam, nullptr);
  EXPECT_EQ(modGlobals::gobjGlobalParam->BasePath, Folder());
  EXPECT_EQ(StoredBasePath(), Folder());
  EXPECT_EQ(modGlobals::gobjGlobalParam->ReportPeriod, 1) << "the delivered database stores P-1";
  EXPECT_EQ(modGlobals::gstrVersion, "19.00");
  EXPECT_GT(modGlobals::glngProcessID, 0);
  ASSERT_NE(modGlobals::gobjAdoUtils, nullptr);
  EXPECT_EQ(modGlobals::gobjAdoUtils->Conn()->State(), db::ObjectState::Open);
}

// Each refusal shows its one message and leaves no window; nothing follows
// the failed step.
struct Refusal {
  const char* name;
  void (*arrange)(StartTest&, const std::filesystem::path& folder);
  std::string (*message)(const std::filesystem::path& folder);
  int style;
  bool connectionOpened;
};

const Refusal kRefusals[] = {
    {"ExportFolderMissing",
     [](StartTest&, const std::filesystem::path& folder) { std::filesystem::remove(folder / "Export"); },
     [](const std::filesystem::path&) { return std::string("Folder(s) for Export/Import - Missing\r\nCannot continue."); },
     kCriticalOk, false},
    {"ImportIsAPlainFile",
     [](StartTest&, const std::filesystem::path& folder) {
       std::filesystem::remove(folder / "Import");
       std::ofstream(folder / "Import") << "not a folder";
     },
     [](const std::filesystem::path&) { return std::string("Folder(s) for Export/Import - Missing\r\nCannot continue."); },
     kCriticalOk, false},
    {"DatabaseMissingAtTheConfiguredPath",
     [](StartTest&, const std::filesystem::path& folder) {
       ui::SaveSetting("VHO-KRN", "Setting", "Database", (folder / "Data" / "Gone.mdb").string());
     },
     [](const std::filesystem::path& folder) {
       return "RUDOVA Database is not available at\r\n" + (folder / "Data" / "Gone.mdb").string() + "\r\nCannot continue.";
     },
     kCriticalOk, false},
    {"DatabasePathIsAFolder",
     [](StartTest&, const std::filesystem::path& folder) {
       ui::SaveSetting("VHO-KRN", "Setting", "Database", (folder / "Data").string());
     },
     [](const std::filesystem::path& folder) {
       return "RUDOVA Database is not available at\r\n" + (folder / "Data").string() + "\r\nCannot continue.";
     },
     kCriticalOk, false},
    {"NoComponentConfiguredForP2",
     [](StartTest& test, const std::filesystem::path&) {
       // Annual is not configured either, but it is never tested.
       test.Execute("DELETE FROM ComponentConfiguration WHERE Period_ID IN (2, 3)");
     },
     [](const std::filesystem::path&) {
       return std::string("No Validation Component defined in database\rNo Calculation Component defined in database\r");
     },
     kExclamationOk, true},
    {"ComponentCannotBeCreated",
     [](StartTest& test, const std::filesystem::path&) {
       test.Execute("UPDATE ComponentConfiguration SET ComponentName = 'ledgerless' WHERE ComponentTypeID = 2");
     },
     [](const std::filesystem::path&) { return std::string("ledgerless not present\r"); }, kExclamationOk, true},
};

class StartRefusalTest : public StartTest, public ::testing::WithParamInterface<Refusal> {};

TEST_P(StartRefusalTest, ShowsItsMessageAndEndsWithoutAWindow) {
  const Refusal& refusal = GetParam();
  refusal.arrange(*this, ProgramFolder());
  dialogs_.AnswerMsgBox(ui::vbOK);

  modMain::Main();

  ASSERT_EQ(dialogs_.Prompts().size(), 1u) << "one message, no logon window";
  const RecordedPrompt& prompt = dialogs_.Prompts().front();
  EXPECT_EQ(prompt.kind, "MsgBox");
  EXPECT_EQ(prompt.text, refusal.message(ProgramFolder()));
  EXPECT_EQ(prompt.style, refusal.style);
  EXPECT_EQ(prompt.title, "Levrona");
  EXPECT_EQ(modGlobals::gobjAdoUtils != nullptr, refusal.connectionOpened);
  if (!refusal.connectionOpened) {
    EXPECT_EQ(StoredBasePath(), "") << "nothing is written before the refusal";
  }
}

INSTANTIATE_TEST_SUITE_P(Refusals, StartRefusalTest, ::testing::ValuesIn(kRefusals),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(StartTest, SecondCopyAsksTheFirstToComeForwardAndEnds) {
  QProcess first;
  first.start(FirstCopyProgram(), {});
  ASSERT_TRUE(first.waitForReadyRead(5000));
  ASSERT_EQ(first.readLine().trimmed().toStdString(), "held");

  EXPECT_THROW(modMain::Main(), vb::ProgramEnded);

  EXPECT_TRUE(first.waitForReadyRead(5000));
  EXPECT_EQ(first.readLine().trimmed().toStdString(), "activated");
  first.kill();
  first.waitForFinished();
  EXPECT_TRUE(dialogs_.Prompts().empty()) << "no message";
  EXPECT_EQ(modGlobals::gobjAdoUtils, nullptr) << "no database opened";
  EXPECT_EQ(StoredBasePath(), "");
}

}  // namespace
