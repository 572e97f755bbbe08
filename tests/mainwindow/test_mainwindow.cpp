// The main window after a logon: its caption and status bar, log-out back
// to the logon window, and exit.

#include <gtest/gtest.h>

#include "ScriptedSeams.h"
#include "StartupFixture.h"
#include "Utilities.h"
#include "clsMyAdoUtils.h"
#include "frmLogon.h"
#include "frmMain.h"
#include "modGlobals.h"
#include "ui/SingleInstance.h"
#include "vb/End.h"

namespace {

class LogonToMainWindowTest : public StartupTest {
 protected:
  void SetUp() override {
    StartupTest::SetUp();
    frmMain::Install();
    AddContact({"Ada Alder", 2, 61, 0, 0});
    AddContact({"Bea Birch", 3, 61, 61001, 0});
    modGlobals::gobjGlobalParam->ReportPeriod = 2;
  }
  frmLogon& LoadedLogon() {
    auto* logon = qobject_cast<frmLogon*>(ui::FindForm("frmLogon"));
    if (!logon) throw std::runtime_error("no logon window is open");
    return *logon;
  }
  ScriptedClock clock_;
};

TEST_F(LogonToMainWindowTest, ShowsTheLoggedOnContactAndThePeriod) {
  struct {
    const char* mode;
    const char* caption;
    const char* periodPanel;
  } const cases[] = {
      {"2", "Levrona MAIN MENU \\ FY 2019-20 \\ P-2", "FY 2019-20  P-2"},
      {"PY_P2", "Levrona MAIN MENU \\ FY 2019-20 \\ P-2 Correction", "FY 2019-20  P-2 Correction"},
  };
  for (const auto& c : cases) {
    modGlobals::gstrPeriodMode = c.mode;
    LogOn(OpenLogon(), "Bea Birch");
    frmMain& main = frmMain::Default();
    ASSERT_TRUE(main.Loaded()) << c.mode;
    EXPECT_TRUE(main.isVisible());
    EXPECT_EQ(main.windowTitle().toStdString(), c.caption);
    EXPECT_EQ(main.PanelText(1), "Levrona  -  Version  19.00");
    EXPECT_EQ(main.PanelText(2), "Bea Birch");
    EXPECT_EQ(main.PanelText(3), c.periodPanel);
    EXPECT_EQ(main.PanelText(4), "Certification");
    ASSERT_NE(main.GParam, nullptr);
    EXPECT_EQ(main.GParam->Username, "Bea Birch") << "the window keeps its own copy";
    EXPECT_EQ(modGlobals::gstrCurrentForm, "frmMain");
    // Closed as by a log-out; any other close would end the program.
    modGlobals::gstrLogOut = "LogOut";
    main.Unload();
  }
}

TEST_F(LogonToMainWindowTest, LogOutReturnsToTheLogonAndTheNextLogonStartsAfresh) {
  LogOn(OpenLogon(), "Ada Alder");
  frmMain* first = &frmMain::Default();
  db::ConnectionPtr conn = modGlobals::gobjAdoUtils->Conn();

  first->mnuNew_Logout_Click();

  EXPECT_FALSE(first->Loaded());
  frmLogon& logon = LoadedLogon();
  EXPECT_TRUE(logon.isVisible());
  EXPECT_EQ(logon.dcmUser->count(), 2) << "the list is read afresh";
  EXPECT_EQ(modGlobals::gstrLogOut, "");
  EXPECT_EQ(conn->State(), db::ObjectState::Open) << "the program goes on";

  LogOn(logon, "Bea Birch");
  frmMain& second = frmMain::Default();
  EXPECT_NE(&second, first) << "a fresh main window";
  EXPECT_TRUE(second.Loaded());
  EXPECT_EQ(second.PanelText(2), "Bea Birch");
  EXPECT_EQ(modGlobals::gobjGlobalParam->UserDistrictName, "Birchwood Elementary");
  EXPECT_TRUE(dialogs_.Prompts().empty());
}

TEST_F(LogonToMainWindowTest, ExitClosesTheConnectionGivesUpTheLockAndEnds) {
  ASSERT_FALSE(Utilities::IsAppInstance()) << "this copy holds the lock";
  LogOn(OpenLogon(), "Ada Alder");
  frmMain& main = frmMain::Default();
  db::ConnectionPtr conn = modGlobals::gobjAdoUtils->Conn();

  EXPECT_THROW(main.mnuNew_Exit_Click(), vb::ProgramEnded);

  EXPECT_EQ(conn->State(), db::ObjectState::Closed);
  EXPECT_EQ(modGlobals::gobjAdoUtils, nullptr);
  EXPECT_EQ(ui::FindForm("frmLogon"), nullptr) << "no logon window comes back";
  ui::SingleInstance next("Levrona-19.0.0_APPLICATION_MUTEX");
  EXPECT_TRUE(next.TryAcquire()) << "the lock is free for the next start";
}

}  // namespace
