// The main window after a logon: its caption and status bar, log-out back
// to the logon window, and exit; and the hand-overs between the logon, the
// contact registration and the main window while the program runs its event
// loop.

#include <gtest/gtest.h>

#include <QApplication>
#include <QTimer>
#include <functional>
#include <vector>

#include "ScriptedSeams.h"
#include "StartupFixture.h"
#include "Utilities.h"
#include "clsMyAdoUtils.h"
#include "frmLogon.h"
#include "frmMain.h"
#include "frmNewUser.h"
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

// The program as it runs: the application's own event loop, in which Qt
// ends the program once its last window has closed.
class RunningProgramTest : public LogonToMainWindowTest {
 protected:
  void TearDown() override {
    // The main window of a test is thrown away without its unload.
    for (QWidget* window : QApplication::topLevelWidgets()) {
      if (qobject_cast<frmMain*>(window)) {
        window->hide();
        window->deleteLater();
      }
    }
    LogonToMainWindowTest::TearDown();
  }

  // Runs the steps one after another in the application's event loop, each
  // once what the step before left pending has run (a posted quit too).
  // Answers whether the program was still running after the last step.
  static bool KeepsRunningThrough(const std::vector<std::function<void()>>& steps) {
    for (QWidget* window : QApplication::topLevelWidgets())
      EXPECT_FALSE(window->isVisible()) << "a window left open: " << window->objectName().toStdString();
    constexpr int kStillRunning = 17;
    constexpr int kSettleMs = 50;
    QObject pending;  // what is still scheduled goes with it when the loop ended early
    std::size_t next = 0;
    std::function<void()> runNext = [&] {
      if (next == steps.size()) {
        QCoreApplication::exit(kStillRunning);
        return;
      }
      steps[next++]();
      QTimer::singleShot(kSettleMs, &pending, runNext);
    };
    QTimer::singleShot(0, &pending, runNext);
    return QApplication::exec() == kStillRunning;
  }

  // The main window is up and no logon window is.
  void ExpectMainWindowUp(const std::string& contact) {
    frmMain& main = frmMain::Default();
    EXPECT_TRUE(main.Loaded());
    EXPECT_TRUE(main.isVisible());
    EXPECT_EQ(main.PanelText(2), contact);
    EXPECT_EQ(ui::FindForm("frmLogon"), nullptr);
  }
};

TEST_F(RunningProgramTest, LogOnFromALogonWindowShownAgainOpensTheMainWindow) {
  frmMain* first = nullptr;
  const bool running = KeepsRunningThrough({
      [&] { LogOn(*frmLogon::ShowNew(), "Ada Alder"); },
      [&] {
        ExpectMainWindowUp("Ada Alder");
        first = &frmMain::Default();
        first->mnuNew_Logout_Click();
      },
      [&] {
        EXPECT_TRUE(LoadedLogon().isVisible());
        LogOn(LoadedLogon(), "Bea Birch");
      },
      [&] {
        ExpectMainWindowUp("Bea Birch");
        EXPECT_NE(&frmMain::Default(), first) << "a fresh main window";
      },
  });
  EXPECT_TRUE(running) << "the program quit on the way";
  EXPECT_TRUE(dialogs_.Prompts().empty());
}

TEST_F(RunningProgramTest, NewUserAndBackToTheLogonThenLogOn) {
  const bool running = KeepsRunningThrough({
      [&] { frmLogon::ShowNew()->cmdNewUser_Click(); },
      [&] {
        EXPECT_EQ(ui::FindForm("frmLogon"), nullptr);
        EXPECT_TRUE(frmNewUser::Default().isVisible());
        frmNewUser::Default().cmdCancel_Click();
      },
      [&] { LogOn(LoadedLogon(), "Ada Alder"); },
      [&] { ExpectMainWindowUp("Ada Alder"); },
  });
  EXPECT_TRUE(running) << "the program quit on the way";
}

TEST_F(RunningProgramTest, ClosingTheLastWindowStillEndsTheProgram) {
  frmLogon* logon = nullptr;
  const bool running = KeepsRunningThrough({
      [&] { logon = frmLogon::ShowNew(); },
      [&] { logon->close(); },
      [] { ADD_FAILURE() << "the program runs on without a window"; },
  });
  EXPECT_FALSE(running);
}

TEST_F(RunningProgramTest, ExitOfTheLogonWindowEndsTheProgram) {
  bool ended = false;
  KeepsRunningThrough({
      [&] { LogOn(*frmLogon::ShowNew(), "Ada Alder"); },
      [&] {
        frmMain::Default().mnuNew_Logout_Click();
        try {
          LoadedLogon().cmdExit_Click();
        } catch (const vb::ProgramEnded&) {
          ended = true;
        }
      },
  });
  EXPECT_TRUE(ended);
  EXPECT_EQ(ui::FindForm("frmMain"), nullptr);
}

}  // namespace
