// The main window's command File > Export > Certified Data: the export
// window opened on the main window's own parameters, and the lists
// refreshed once after it has closed; without an installed window the
// command says that exporting is not available.

#include <gtest/gtest.h>

#include <QApplication>

#include "ExportFixture.h"
#include "frmWait.h"
#include "modGlobals.h"

namespace {

// Counts the showings of the wait box, with their messages.
class WaitWatcher : public QObject {
 public:
  WaitWatcher() { qApp->installEventFilter(this); }
  ~WaitWatcher() override { qApp->removeEventFilter(this); }
  std::vector<std::string> shown;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Show)
      if (auto* wait = qobject_cast<frmWait*>(watched)) shown.push_back(wait->lblMsg->text().toStdString());
    return false;
  }
};

}  // namespace

TEST_F(ExportTest, TheCommandShowsTheExportWindowOnTheMainWindowsParametersThenRefreshesTheListsOnce) {
  frmExport::Install();
  LogOn(As(2, 7, 10070));
  modGlobals::gobjGlobalParam->PeriodText = "P-2";
  frmMain& w = Open();
  WaitWatcher waits;
  dialogs_.AnswerModal([&](QWidget& window) {
    auto& exporting = dynamic_cast<frmExport&>(window);
    EXPECT_EQ(exporting.GParam, w.GParam.get()) << "the object itself, not a copy";
    EXPECT_EQ(Keys(exporting.Selection().tvwLEA).size(), 3u);
    EXPECT_EQ(exporting.Selection().tvwProgram.Count(), 8);
    EXPECT_TRUE(waits.shown.empty());
    // Another office of the county appears meanwhile.
    Execute("INSERT INTO KRN_LEAS (FISCAL_YEAR, COUNTY_ID, SCHOOL_DISTRICT_ID, SCHOOL_ID, COUNTY_NAME,"
            " SCHOOL_DISTRICT_NAME, LEA_TYPE, STAT_TYPE) VALUES (2019, 7, 10071, 0, 'Cedar County', 'Second Office',"
            " 2, 'OPEN')");
    exporting.Cancel->click();
    EXPECT_FALSE(exporting.Loaded());
    return 0;
  });
  const std::size_t listed = ListedAgencies().size();
  w.Menus().Click("mnuNew_ExportCertified");
  EXPECT_EQ(waits.shown, std::vector<std::string>{"Please wait..."}) << "one refresh, with the wait message";
  EXPECT_EQ(ListedAgencies().size(), listed + 1);
  EXPECT_EQ(WaitMessage(), "");
  ASSERT_EQ(dialogs_.Prompts().size(), 1u);
  EXPECT_EQ(dialogs_.Prompts()[0].kind, "ShowModal");
}

TEST_F(ExportTest, WithoutAnExportWindowTheCommandOnlySaysItIsNotAvailable) {
  LogOn(As(2, 7, 10070));
  frmMain& w = Open();
  WaitWatcher waits;
  dialogs_.AcknowledgeMessages(1);
  w.mnuNew_ExportCertified_Click();
  EXPECT_EQ(dialogs_.TakeMessages(), std::vector<std::string>{"Exporting certified data is not available in this version."});
  EXPECT_EQ(dialogs_.Prompts().size(), 0u);
  EXPECT_TRUE(waits.shown.empty());
}
