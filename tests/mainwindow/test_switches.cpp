// The Period and LEA menus of the main window: what each period command
// records, the refusals of the prior-year correction mode of P-2, the
// component check after a switch, and the agency-kind commands.

#include <gtest/gtest.h>

#include <algorithm>

#include "MainWindowFixture.h"
#include "modGlobals.h"

namespace {

using Names = std::vector<std::string>;

class SwitchTest : public MainWindowTest {
 protected:
  std::string StoredPeriod() { return Scalar("SELECT PeriodID FROM ReportPeriod"); }
};

// --- Period commands ------------------------------------------------------------------

TEST_F(SwitchTest, EachPeriodCommandRecordsItsPeriodEverywhereAndMarksOnlyItsItem) {
  UseFormCatalogue();
  struct Case {
    const char* item;
    const char* mode;
    std::int32_t period;
    const char* text;
    const char* stored;
    const char* caption;  // the end of the caption
  };
  const Case cases[] = {
      {"mnu_PY_P2", "PY_P2", 2, "P-2", "PY_P2", "\\ P-2 Correction"},
      {"mnuPeriod_P1", "1", 1, "P-1", "1", "\\ P-1"},
      {"mnu_PY_Annual", "PY_ANNUAL", 3, "Annual", "PY_ANNUAL", "\\ Annual Correction"},
      {"mnuPeriod_Annual", "3", 3, "Annual", "3", "\\ Annual"},
      {"mnuPeriod_P2", "2", 2, "P-2", "2", "\\ P-2"},
  };
  // A district may correct P-2.
  LogOn(As(3, 7, 71001));
  frmMain& w = Open();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.item);
    w.Menus().Click(c.item);
    EXPECT_EQ(CheckedItems(kPeriodItems), Names{c.item});
    EXPECT_EQ(modGlobals::gstrPeriodMode, c.mode);
    for (const clsGlobalParam* P : {modGlobals::gobjGlobalParam.get(), w.GParam.get()}) {
      EXPECT_EQ(P->ReportPeriod, c.period);
      EXPECT_EQ(P->PeriodText, c.text);
    }
    EXPECT_EQ(StoredPeriod(), c.stored);
    EXPECT_TRUE(w.windowTitle().endsWith(c.caption)) << w.windowTitle().toStdString();
    EXPECT_TRUE(w.isEnabled());
    EXPECT_EQ(WaitMessage(), "");
    // The district's list follows the period: its status rows are there.
    EXPECT_FALSE(StatusRows(7, 71001, 0, c.period).empty());
  }
  EXPECT_TRUE(dialogs_.Prompts().empty());
}

// A period switch reads both lists again and rolls the flags up for the
// new period; the agency the user chose stays chosen, and its flag follows
// the corrections of the period shown, not those of another.
TEST_F(SwitchTest, APeriodSwitchKeepsTheChosenAgencyRowAndRollsUpItsPeriod) {
  // A SELPA's list: the agencies of its region, in two counties.
  LogOn(As(5, 7, 71005, 0, "R7"));
  frmMain& w = Open();
  const Names listed = ListedAgencies();
  const auto chosen = std::find(listed.begin(), listed.end(), "7-71002-0");
  ASSERT_NE(chosen, listed.end()) << testing::PrintToString(listed);
  ASSERT_NE(chosen, listed.begin()) << "the chosen row must not be the first";
  const int row = static_cast<int>(chosen - listed.begin());
  ClickRecordSelector(*w.dgLEA, row);
  AddStatus(7, 71002, 0, 2, 100, "PY_FORMS_CORRECTED", "'Yes'");
  AddStatus(7, 71001, 0, 1, 100, "PY_FORMS_CORRECTED", "'Yes'");
  const struct {
    const char* item;
    const char* chosenFlag;
    const char* otherFlag;  // 7-71001-0, corrected in P-1 only
  } cases[] = {{"mnuPeriod_P1", "No", "Yes"}, {"mnuPeriod_P2", "Yes", "No"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.item);
    w.Menus().Click(c.item);
    EXPECT_EQ(ListedAgencies(), listed);
    EXPECT_EQ(w.dgLEA->Row(), row);
    EXPECT_EQ(modGlobals::gobjGlobalParam->DistrictID, 71002);
    EXPECT_EQ(CorrectedFlag("7-71002-0"), c.chosenFlag);
    EXPECT_EQ(CorrectedFlag("7-71001-0"), c.otherFlag);
  }
  EXPECT_TRUE(dialogs_.Prompts().empty());
}

TEST_F(SwitchTest, CorrectedP2IsRefusedWhileCountyOfficesOrSelpasAreShownAndChangesNothing) {
  for (const Logon& logon : {As(2, 7, 10070), As(5, 7, 71005, 0, "R7")}) {
    SCOPED_TRACE(logon.group);
    LogOn(logon);
    modGlobals::gstrPeriodMode = "2";
    frmMain& w = Open();
    const Names marks = CheckedItems(kPeriodItems);
    const std::string stored = StoredPeriod();
    dialogs_.ClearPrompts();
    dialogs_.AnswerMsgBox(ui::vbOK);
    w.Menus().Click("mnu_PY_P2");
    ASSERT_EQ(dialogs_.Prompts().size(), 1u);
    EXPECT_EQ(dialogs_.LastPrompt().text, "Corrections not applicable for this Period");
    EXPECT_EQ(ui::IconOf(dialogs_.LastPrompt().style), ui::vbInformation);
    EXPECT_EQ(CheckedItems(kPeriodItems), marks);
    EXPECT_EQ(modGlobals::gstrPeriodMode, "2");
    EXPECT_EQ(modGlobals::gobjGlobalParam->ReportPeriod, 2);
    EXPECT_EQ(StoredPeriod(), stored);
    EXPECT_TRUE(w.isEnabled());
    delete window_.data();
  }
}

TEST_F(SwitchTest, APeriodWithoutComponentsIsStillChosenAndThenTheUserIsWarned) {
  Execute("DELETE FROM ComponentConfiguration WHERE Period_ID = 1");
  LogOn({});
  frmMain& w = Open();
  dialogs_.AnswerMsgBox(ui::vbOK);
  w.Menus().Click("mnuPeriod_P1");
  ASSERT_EQ(dialogs_.Prompts().size(), 1u);
  EXPECT_EQ(dialogs_.LastPrompt().text,
            "No Validation Component defined in database\rNo Calculation Component defined in database\r");
  EXPECT_EQ(CheckedItems(kPeriodItems), Names{"mnuPeriod_P1"});
  EXPECT_EQ(StoredPeriod(), "1");
  EXPECT_TRUE(w.isEnabled());

  w.Menus().Click("mnuPeriod_Annual");
  EXPECT_EQ(dialogs_.Prompts().size(), 1u) << "a configured period shows no box";
}

// --- Agency-kind commands -----------------------------------------------------------------

TEST_F(SwitchTest, TheSchoolDistrictAndCharterCommandsReadBothListsAgain) {
  UseFormCatalogue();
  LogOn(As(3, 7, 71002));
  frmMain& w = Open();
  // What a certified-data import brings meanwhile.
  Execute("UPDATE KRN_LEAS SET SCHOOL_NAME = 'Brook Charter Academy' WHERE SCHOOL_ID = 7100201");
  Execute("UPDATE LEA_FORMS_STATUS SET NUM_RECORD = 4 WHERE SCHOOL_DISTRICT_ID = 71002 AND FORM_NO = 21");

  w.mnuLEA_Charter_Click();
  EXPECT_EQ(modGlobals::gobjGlobalParam->UserGroup, 4);
  EXPECT_EQ(CheckedItems(kKindItems), Names{"mnuLEA_Charter"});
  EXPECT_EQ(ListedAgencies(), (Names{"7-71002-7100201", "7-71002-7100202"}));
  EXPECT_EQ(w.dgLEA->Row(), 0);
  EXPECT_EQ(w.dgLEA->Columns("SCHOOL_NAME").Text(), "Brook Charter Academy");

  w.mnuLEA_SD_Click();
  EXPECT_EQ(modGlobals::gobjGlobalParam->UserGroup, 3);
  EXPECT_EQ(CheckedItems(kKindItems), Names{"mnuLEA_SD"});
  EXPECT_EQ(ListedAgencies(), Names{"7-71002-0"});
  EXPECT_EQ(ListedForms(), std::vector<int>{21});
  EXPECT_EQ(w.dgForms->Columns("NUM_RECORD").Text(), "4");
  EXPECT_FALSE(w.dgForms->isEnabled()) << "until an agency is taken up";
  EXPECT_EQ(modGlobals::gobjGlobalParam->LogonUserGroup, 3);
  EXPECT_TRUE(w.isEnabled());
  EXPECT_EQ(WaitMessage(), "");
  EXPECT_TRUE(dialogs_.Prompts().empty());
}

TEST_F(SwitchTest, CountyAuditorAndSelpaAreRefusedUnderCorrectedP2Only) {
  LogOn(As(3, 7, 71001));
  frmMain& w = Open();
  w.Menus().Click("mnu_PY_P2");
  for (const char* item : {"mnuLEA_COE_Auditor", "mnuSELPA"}) {
    SCOPED_TRACE(item);
    dialogs_.ClearPrompts();
    dialogs_.AnswerMsgBox(ui::vbOK);
    w.Menus().Click(item);
    ASSERT_EQ(dialogs_.Prompts().size(), 1u);
    EXPECT_EQ(dialogs_.LastPrompt().text, "Corrections not applicable for this Period");
    EXPECT_EQ(CheckedItems(kKindItems), Names{"mnuLEA_SD"});
    EXPECT_EQ(modGlobals::gobjGlobalParam->UserGroup, 3);
    EXPECT_TRUE(w.isEnabled());
  }
  // Under Corrected Annual the SELPA kind is accepted.
  w.Menus().Click("mnu_PY_Annual");
  dialogs_.ClearPrompts();
  w.Menus().Click("mnuSELPA");
  EXPECT_TRUE(dialogs_.Prompts().empty());
  EXPECT_EQ(modGlobals::gobjGlobalParam->UserGroup, 5);
  EXPECT_EQ(CheckedItems(kKindItems), Names{"mnuSELPA"});
}

TEST_F(SwitchTest, TheCountyOfficeKindEndsWithTheMarkOnCountyAuditor) {
  UseFormCatalogue();
  LogOn({});
  frmMain& w = Open();
  w.Menus().Click("mnuLEA_COE");
  EXPECT_EQ(modGlobals::gobjGlobalParam->UserGroup, 2);
  EXPECT_EQ(CheckedItems(kKindItems), Names{"mnuLEA_COE_Auditor"});
  EXPECT_EQ(ListedAgencies(), Names{"7-10070-0"});
  EXPECT_EQ(ListedForms(), (std::vector<int>{29, 27}));
  EXPECT_EQ(w.FormList()->AbsolutePosition(), 1);
  EXPECT_TRUE(dialogs_.Prompts().empty());
}

TEST_F(SwitchTest, AKindWithoutAgenciesGreysTheDataMenus) {
  LogOn(As(3, 7, 71001));  // a district without charter schools
  frmMain& w = Open();
  w.mnuLEA_Charter_Click();
  EXPECT_TRUE(ListedAgencies().empty());
  EXPECT_EQ(w.dgLEA->Row(), -1);
  for (const char* menu : {"mnuPeriod", "mnuNew_Import", "mnuNew_Export", "mnuNew_Print", "mnuTools_ContactInfo"})
    EXPECT_FALSE(w.Menus().Item(menu).Enabled()) << menu;
  EXPECT_TRUE(w.isEnabled());
  EXPECT_TRUE(dialogs_.Prompts().empty());

  w.mnuLEA_SD_Click();
  EXPECT_TRUE(w.Menus().Item("mnuPeriod").Enabled());
}

}  // namespace
