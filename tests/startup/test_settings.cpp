// The stored settings: the period kept in table ReportPeriod and the base
// path kept in the settings store, and the period's display text.

#include <gtest/gtest.h>

#include "StartupFixture.h"
#include "modGlobals.h"
#include "modMainStart.h"
#include "ui/Settings.h"
#include "vb/Conversions.h"

namespace {

class SettingsTest : public StartupTest {
 protected:
  void StorePeriod(const vb::Variant& value) { Execute("UPDATE ReportPeriod SET PeriodID = ?", {value}); }
  std::string StoredPeriod() { return vb::TextOf(OpenDatabase()->Scalar("SELECT PeriodID FROM ReportPeriod")); }
  clsGlobalParam& P() { return *modGlobals::gobjGlobalParam; }
};

struct StoredPeriodCase {
  vb::Variant stored;
  int period;
};

TEST_F(SettingsTest, StoredPeriodIsReadBackExactly) {
  const StoredPeriodCase cases[] = {
      {"PY_ANNUAL", 3}, {"PY_P2", 2}, {"", 2}, {"1", 1}, {"2", 2}, {"3", 3},
  };
  for (const StoredPeriodCase& c : cases) {
    StorePeriod(c.stored);
    P().ReportPeriod = 0;
    modMain::ReadSettings();
    EXPECT_EQ(P().ReportPeriod, c.period) << vb::TextOf(c.stored);
  }
  EXPECT_TRUE(dialogs_.Prompts().empty());
}

TEST_F(SettingsTest, StoredPeriodThatIsNoNumberIsReportedAndKeepsThePeriod) {
  for (const vb::Variant& stored : {vb::Variant("py_p2"), vb::Variant("Annual"), vb::Null}) {
    StorePeriod(stored);
    P().ReportPeriod = 0;
    dialogs_.ClearPrompts();
    dialogs_.AnswerMsgBox(ui::vbIgnore);
    modMain::ReadSettings();
    ASSERT_EQ(dialogs_.Prompts().size(), 1u) << vb::TextOf(stored);
    EXPECT_EQ(dialogs_.LastPrompt().title, "Exception");
    EXPECT_NE(dialogs_.LastPrompt().text.find("Procedure: ReadSettings"), std::string::npos);
    EXPECT_EQ(P().ReportPeriod, 0) << vb::TextOf(stored);
  }
}

TEST_F(SettingsTest, WithoutAStoredRowTheReportIsIgnoredIntoP2) {
  Execute("DELETE FROM ReportPeriod");
  ui::SaveSetting("VHO-KRN", "Setting", "BasePath", "/srv/levrona");
  dialogs_.AnswerMsgBox(ui::vbIgnore);
  modMain::ReadSettings();
  EXPECT_EQ(dialogs_.Prompts().size(), 1u);
  EXPECT_EQ(P().ReportPeriod, 2);
}

TEST_F(SettingsTest, BasePathComesFromTheSettingsStore) {
  ui::SaveSetting("VHO-KRN", "Setting", "BasePath", "/srv/levrona");
  modMain::ReadSettings();
  EXPECT_EQ(P().BasePath, "/srv/levrona");

  // Without a stored one, the standard folder of the fiscal year is stored.
  ui::DeleteSetting("VHO-KRN", "Setting", "BasePath");
  modMain::ReadSettings();
  EXPECT_EQ(P().BasePath, "/opt/VHO-KRN/FY2019");
  EXPECT_EQ(ui::GetSetting("VHO-KRN", "Setting", "BasePath"), "/opt/VHO-KRN/FY2019");
}

TEST_F(SettingsTest, SaveStoresTheCorrectionModeAsTextAndOtherwiseThePeriodNumber) {
  struct {
    const char* mode;
    int period;
    const char* stored;
  } const cases[] = {{"PY_P2", 2, "PY_P2"}, {"PY_ANNUAL", 3, "PY_ANNUAL"}, {"3", 3, "3"}, {"", 1, "1"}};
  P().BasePath = "/srv/levrona";
  for (const auto& c : cases) {
    modGlobals::gstrPeriodMode = c.mode;
    P().ReportPeriod = c.period;
    modMain::SaveSettings();
    EXPECT_EQ(StoredPeriod(), c.stored) << c.mode;
  }
  EXPECT_EQ(ui::GetSetting("VHO-KRN", "Setting", "BasePath"), "/srv/levrona");
  EXPECT_EQ(vb::CLng(OpenDatabase()->Scalar("SELECT count(*) FROM ReportPeriod")), 1);
}

TEST_F(SettingsTest, PeriodTextOfEachPeriod) {
  const std::pair<int, const char*> cases[] = {{0, ""}, {1, "P-1"}, {2, "P-2"}, {3, "Annual"}, {4, ""}};
  for (const auto& [period, text] : cases) {
    P().ReportPeriod = period;
    P().PeriodText = "stale";
    EXPECT_EQ(modMain::getPeriodText(), text) << period;
    EXPECT_EQ(P().PeriodText, text) << period;
  }
}

}  // namespace
