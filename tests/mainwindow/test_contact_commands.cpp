// The Tools menu's contact commands of the main window: the imported
// contact of the highlighted agency and the logged-on contact's own
// information, both only for an agency of the logon county.

#include <gtest/gtest.h>

#include "MainWindowFixture.h"
#include "frmNewUser.h"
#include "modGlobals.h"
#include "vb/Conversions.h"

namespace {

constexpr const char* kRefusal = "Keep your Highlighted County to Logon County and try again.";

// The row of the agency grid that lists the agency "county-district-school".
int AgencyRow(const std::vector<std::string>& listed, const std::string& agency) {
  const auto at = std::find(listed.begin(), listed.end(), agency);
  return at == listed.end() ? -1 : static_cast<int>(at - listed.begin());
}

TEST_F(MainWindowTest, ContactCommandsRefuseAnAgencyOfAnotherCounty) {
  // A SELPA of Cedar County lists agencies of Dune County too.
  LogOn(As(5, 7, 71005, 0, "R7"));
  frmMain& w = Open();
  const int dune = AgencyRow(ListedAgencies(), "8-81001-0");
  ASSERT_GE(dune, 0);
  w.dgLEA->Row(dune);
  for (const char* item : {"mnuTools_ContactInfo", "mnuTools_UserInfo"}) {
    SCOPED_TRACE(item);
    dialogs_.ClearPrompts();
    dialogs_.AnswerMsgBox(ui::vbOK);
    w.Menus().Click(item);
    ASSERT_EQ(dialogs_.Prompts().size(), 1u) << "no window opens";
    EXPECT_EQ(dialogs_.LastPrompt().text, kRefusal);
    EXPECT_EQ(ui::IconOf(dialogs_.LastPrompt().style), ui::vbCritical);
  }
}

TEST_F(MainWindowTest, ContactInformationShowsTheImportedContactWithMissingColumnsEmpty) {
  AddAgencies();
  LogOn(As(3, 7, 71002));
  frmMain& w = Open();
  w.mnuLEA_Charter_Click();
  const int lark = AgencyRow(ListedAgencies(), "7-71002-123");
  ASSERT_GE(lark, 0);
  w.dgLEA->Row(lark);
  // Another period's row and another school's row are not this agency's.
  Execute("INSERT INTO ImportContactInfo (COUNTY_ID, SCHOOL_DISTRICT_ID, SCHOOL_ID, FISCAL_YEAR, PERIOD_ID, CONTACT, "
          "SCHOOL_DISTRICT_NAME, SCHOOL_NAME, PHONE, FAX, EMAIL) VALUES "
          "(7, 71002, 123, 2019, 2, 'Lee Park', 'Brook Unified', 'Lark Charter', '9165550101', NULL, NULL),"
          "(7, 71002, 123, 2019, 1, 'Old Contact', 'x', 'x', 'x', 'x', 'x'),"
          "(7, 71002, 7100201, 2019, 2, 'Other Contact', 'x', 'x', 'x', 'x', 'x')");
  dialogs_.AnswerModal([&](QWidget& shown) {
    auto& window = dynamic_cast<frmNewUser&>(shown);
    EXPECT_EQ(modGlobals::gstrUserFormMode, "ImportContact");
    EXPECT_EQ(window.windowTitle().toStdString(), "Contact Information");
    EXPECT_EQ(window.txtContact->Text(), "Lee Park");
    EXPECT_EQ(window.cboUserGroup->currentText().toStdString(), "Charter School");
    EXPECT_EQ(window.Combo1->currentText().toStdString(), "Cedar County");
    EXPECT_EQ(window.Combo3->currentText().toStdString(), "Lark Charter");
    EXPECT_EQ(window.txtPhone->Text(), "9165550101");
    EXPECT_EQ(window.txtEmail->Text(), "");
    EXPECT_EQ(vb::Trim(window.txtFax->Text()), "");
    return 1;
  });
  w.Menus().Click("mnuTools_ContactInfo");
  dialogs_.ExpectAllUsed();
  EXPECT_EQ(dialogs_.Prompts().size(), 1u) << "no error box for the missing fax and e-mail";
}

TEST_F(MainWindowTest, ContactInformationWithoutAContactOrAnAgencyOpensNoWindow) {
  LogOn(As(3, 7, 71001));  // a district without charter schools
  frmMain& w = Open();
  dialogs_.AnswerMsgBox(ui::vbOK);
  w.Menus().Click("mnuTools_ContactInfo");
  ASSERT_EQ(dialogs_.Prompts().size(), 1u);
  EXPECT_EQ(dialogs_.LastPrompt().text, "Contact Information is not available for the selected LEA.");
  EXPECT_EQ(ui::IconOf(dialogs_.LastPrompt().style), ui::vbInformation);

  // No current agency: nothing at all.
  w.mnuLEA_Charter_Click();
  ASSERT_EQ(w.dgLEA->Row(), -1);
  dialogs_.ClearPrompts();
  w.mnuTools_ContactInfo_Click();
  EXPECT_TRUE(dialogs_.Prompts().empty());
}

TEST_F(MainWindowTest, UserInformationOpensTheSharedContactWindowToEdit) {
  LogOn({});
  frmMain& w = Open();
  dialogs_.AnswerModal([&](QWidget& shown) {
    EXPECT_EQ(&shown, &frmNewUser::Default());
    EXPECT_EQ(modGlobals::gstrUserFormMode, "Edit");
    dynamic_cast<frmNewUser&>(shown).Unload();
    return 1;
  });
  w.Menus().Click("mnuTools_UserInfo");
  dialogs_.ExpectAllUsed();
  EXPECT_TRUE(w.isEnabled());
}

}  // namespace
