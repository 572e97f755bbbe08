// The contact registration window: registering a new contact through the
// cascading lists, the field checks with their messages, editing and
// renaming the logged-on contact, showing an imported contact, its keys and
// link, and what closing it brings up.

#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QLabel>
#include <functional>

#include "KeyInput.h"
#include "ScriptedSeams.h"
#include "clsMyAdoUtils.h"
#include "frmNewUser.h"
#include "StartupFixture.h"
#include "frmLogon.h"
#include "modGlobals.h"
#include "vb/Conversions.h"

using vb::Variant;

namespace {

std::vector<std::string> Items(const QComboBox& box) {
  std::vector<std::string> items;
  for (int i = 0; i < box.count(); ++i) items.push_back(box.itemText(i).toStdString());
  return items;
}

// The user picks the entry of a list.
void Choose(QComboBox& box, const std::string& text) {
  const int index = box.findText(QString::fromStdString(text));
  ASSERT_GE(index, 0) << text;
  box.setCurrentIndex(index);
  emit box.activated(index);
}

using fixtures::Key;
using fixtures::Type;

// The logon windows that are open.
std::vector<frmLogon*> LogonWindows() {
  std::vector<frmLogon*> open;
  for (QWidget* window : QApplication::topLevelWidgets())
    if (auto* logon = qobject_cast<frmLogon*>(window); logon && logon->Loaded() && logon->isVisible())
      open.push_back(logon);
  return open;
}

class ContactWindow : public StartupTest {
 protected:
  void SetUp() override {
    StartupTest::SetUp();
    conn_ = modGlobals::gobjAdoUtils->Conn();
  }

  // The main window, open.
  StandInMainWindow& MainWindow() {
    mainWindow_->Load();
    return *mainWindow_;
  }

  frmNewUser& Open(const std::string& mode) {
    modGlobals::gstrUserFormMode = mode;
    frmNewUser& window = frmNewUser::Default();
    window.Load();
    return window;
  }

  // A new user's window filled in for the Birch County office.
  frmNewUser& FilledNewUser() {
    frmNewUser& w = Open("New User");
    Choose(*w.cboUserGroup, "County Office");
    Choose(*w.cboCounty, "Birch County");
    w.txtContact->Text("Dana Reyes");
    w.txtPhone->Text("9165551234");
    w.txtEmail->Text("dana@birch.example");
    return w;
  }

  // A contact of the Alder County office logged on, with two certified
  // groups under its name and one under another contact's.
  void LogOnAs(const std::string& name) {
    conn_->Execute(
        "INSERT INTO CONTACTS (CONTACT, USER_GROUP, COUNTY_ID, SCHOOL_DISTRICT_ID, SCHOOL_ID, FISCAL_YEAR, PHONE, "
        "FAX, EMAIL) VALUES (?, 2, 61, 10610, 0, 2019, '9165550000', NULL, 'old@alder.example')",
        {Variant(name)});
    conn_->Execute(
        "INSERT INTO CONTACTS (CONTACT, USER_GROUP, COUNTY_ID, SCHOOL_DISTRICT_ID, SCHOOL_ID, FISCAL_YEAR) "
        "VALUES ('Lee Park', 2, 62, 10620, 0, 2019)");
    for (const auto& [group, contact] :
         {std::pair{"Tax", name}, std::pair{"TAXMISC", name}, std::pair{"Tax", std::string("Lee Park")}}) {
      conn_->Execute(
          "INSERT INTO EXPORT_FILE_INFO (FORM_GROUP_NAME, FISCAL_YEAR, PERIOD_ID, COUNTY_ID, SCHOOL_DISTRICT_ID, "
          "SCHOOL_ID, CONTACT) VALUES (?, 2019, 2, ?, 0, 0, ?)",
          {Variant(group), Variant(contact == name ? 61 : 62), Variant(contact)});
    }
    auto& gp = *modGlobals::gobjGlobalParam;
    gp.logonUserid = vb::CLng(conn_->Scalar("SELECT id FROM CONTACTS WHERE CONTACT = ?", {Variant(name)}));
    gp.LogonUserGroup = 2;
    gp.Username = name;
  }

  std::string Scalar(const std::string& sql, std::vector<Variant> params = {}) {
    return vb::TextOf(conn_->Scalar(sql, std::move(params)));
  }
  // Every row of CONTACTS and EXPORT_FILE_INFO, to see that nothing changed.
  std::string Tables() {
    return Scalar(
               "SELECT group_concat(r, ';') FROM (SELECT id || CONTACT || ifnull(PHONE, '') || ifnull(EMAIL, '') "
               "AS r FROM CONTACTS ORDER BY id)") +
           "|" +
           Scalar(
               "SELECT group_concat(r, ';') FROM (SELECT FORM_GROUP_NAME || COUNTY_ID || ifnull(CONTACT, '') AS r "
               "FROM EXPORT_FILE_INFO ORDER BY 1)");
  }

  db::ConnectionPtr conn_;
};

TEST_F(ContactWindow, NewUserOffersTheTwoCountyGroupsAndLocksTheAgencyLists) {
  modGlobals::gobjGlobalParam->FormNo = 29;
  frmNewUser& w = Open("New User");
  EXPECT_EQ(w.windowTitle().toStdString(), "New User");
  EXPECT_EQ(modGlobals::gstrCurrentForm, "New User");
  EXPECT_EQ(modGlobals::gobjGlobalParam->FormNo, 0);
  EXPECT_EQ(Items(*w.cboUserGroup), (std::vector<std::string>{"County Office", "County Auditor"}));
  EXPECT_EQ(w.cboUserGroup->currentText().toStdString(), "") << "no group is chosen for the user";
  EXPECT_EQ(Items(*w.cboCounty),
            (std::vector<std::string>{"Alder County", "Birch County", "Cindermoor County", "Dunmerrow County"}));
  EXPECT_FALSE(w.cboCounty->isEnabled());
  EXPECT_FALSE(w.cboSDistId->isEnabled());
  EXPECT_FALSE(w.cboSchool->isEnabled());
  EXPECT_TRUE(w.cmdSave->isVisibleTo(&w));
  EXPECT_TRUE(w.cmdCancel->isVisibleTo(&w));
  EXPECT_FALSE(w.cmdOK->isVisibleTo(&w));
  ASSERT_TRUE(w.GParam);

  Choose(*w.cboUserGroup, "County Office");  // the county list unlocks alone
  EXPECT_TRUE(w.cboCounty->isEnabled());
  EXPECT_FALSE(w.cboSDistId->isEnabled());
  EXPECT_FALSE(w.cboSchool->isEnabled());
}

TEST_F(ContactWindow, RegisteringACountyOfficeContactSavesItsRowAndBringsUpALogon) {
  frmNewUser& w = FilledNewUser();
  EXPECT_EQ(w.cboSDistId->Text(), "Birch County Office of Education") << "the county's office, chosen for the user";
  EXPECT_FALSE(w.cboSDistId->isEnabled());
  EXPECT_FALSE(w.cboSchool->isEnabled());
  w.txtContact->Text("  Dana Reyes ");
  w.txtFax->Text("9165554321");
  w.txtEmail->Text("dana.o'neil@birch.example");
  w.cmdSave_Click();

  EXPECT_TRUE(dialogs_.Prompts().empty());
  EXPECT_EQ(Scalar("SELECT CONTACT || '|' || USER_GROUP || '|' || COUNTY_ID || '|' || SCHOOL_DISTRICT_ID || '|' || "
                   "SCHOOL_ID || '|' || PHONE || '|' || FAX || '|' || EMAIL || '|' || FISCAL_YEAR FROM CONTACTS"),
            "Dana Reyes|2|62|10620|0|9165551234|9165554321|dana.o'neil@birch.example|2019");
  EXPECT_FALSE(w.Loaded());
  EXPECT_EQ(LogonWindows().size(), 1u);
}

TEST_F(ContactWindow, ANewContactLogsOnFromTheNextLogonWindowWhereItStandsChosen) {
  AddContact({"Ada Frost", 3, Variant(61), Variant(61001), Variant(0)});
  frmLogon& first = OpenLogon();
  first.show();
  first.cmdNewUser_Click();
  EXPECT_FALSE(first.Loaded());
  frmNewUser& w = frmNewUser::Default();
  ASSERT_TRUE(w.Loaded());
  EXPECT_TRUE(w.isVisible());
  EXPECT_EQ(modGlobals::gstrUserFormMode, "New User");

  Choose(*w.cboUserGroup, "County Office");
  Choose(*w.cboCounty, "Birch County");
  Type(*w.txtContact, " Dana Reyes ");
  w.txtPhone->Text("9165551234");
  w.txtEmail->Text("dana@birch.example");
  w.cmdSave_Click();

  const auto logons = LogonWindows();
  ASSERT_EQ(logons.size(), 1u);
  frmLogon& next = *logons.front();
  EXPECT_EQ(next.dcmUser->Text(), "Dana Reyes") << "the new contact stands chosen";
  EXPECT_EQ(modGlobals::gstrNewContactName, "");
  next.cmdLogon_Click();

  const auto& gp = *modGlobals::gobjGlobalParam;
  EXPECT_EQ(gp.Username, "Dana Reyes");
  EXPECT_EQ(gp.LogonUserGroup, 2);
  EXPECT_EQ(gp.CountyID, 62);
  EXPECT_EQ(gp.CountyName, "Birch County");
  EXPECT_EQ(gp.DistrictID, 10620);
  EXPECT_EQ(gp.SchoolId, 0);
  EXPECT_EQ(gp.DistrictName, "Birch County Office of Education");
  EXPECT_EQ(gp.UserPhone, "9165551234");
  EXPECT_EQ(gp.UserEMail, "dana@birch.example");
  EXPECT_EQ(mainWindow_->shown, 1);
  EXPECT_TRUE(dialogs_.Prompts().empty());
}

TEST_F(ContactWindow, ChoosingAnotherGroupClearsTheAgencyTexts) {
  frmNewUser& w = FilledNewUser();
  Choose(*w.cboUserGroup, "County Auditor");
  EXPECT_EQ(w.cboCounty->Text(), "");
  EXPECT_EQ(w.cboSDistId->Text(), "");
  Choose(*w.cboCounty, "Alder County");
  EXPECT_EQ(w.cboSDistId->Text(), "Alder County Office of Education");
  w.cmdSave_Click();
  EXPECT_EQ(Scalar("SELECT USER_GROUP || '|' || COUNTY_ID || '|' || SCHOOL_DISTRICT_ID FROM CONTACTS"), "7|61|10610");
}

TEST_F(ContactWindow, DistrictAndCharterGroupsPickDistrictsAndSchools) {
  frmNewUser& w = Open("New User");
  for (const char* group : {"School District", "Charter School", "SELPA"}) w.cboUserGroup->addItem(group);

  Choose(*w.cboUserGroup, "SELPA");
  EXPECT_EQ(w.Label3->text().toStdString(), "SELPA AU");
  Choose(*w.cboUserGroup, "School District");
  EXPECT_EQ(w.Label3->text().toStdString(), "School District");
  Choose(*w.cboCounty, "Alder County");
  EXPECT_TRUE(w.cboSDistId->isEnabled());
  EXPECT_EQ(Items(*w.cboSDistId),
            (std::vector<std::string>{"Alder Valley High", "Birchwood Elementary", "Fernhill Unified"}));
  Choose(*w.cboSDistId, "Birchwood Elementary");
  EXPECT_FALSE(w.cboSchool->isEnabled()) << "a district contact picks no school";

  Choose(*w.cboUserGroup, "Charter School");
  Choose(*w.cboCounty, "Alder County");
  EXPECT_EQ(Items(*w.cboSDistId), (std::vector<std::string>{"Alder County Office of Education", "Alder Valley High",
                                                            "Birchwood Elementary", "Fernhill Unified"}));
  // Fernhill's charter is filled in by the district: it is not offered.
  Choose(*w.cboSDistId, "Fernhill Unified");
  EXPECT_TRUE(Items(*w.cboSchool).empty());
  Choose(*w.cboSDistId, "Birchwood Elementary");
  EXPECT_TRUE(w.cboSchool->isEnabled());
  EXPECT_EQ(Items(*w.cboSchool), (std::vector<std::string>{"Birchwood Discovery Charter"}));

  Choose(*w.cboSchool, "Birchwood Discovery Charter");
  w.txtContact->Text("Sam Ortiz");
  w.txtPhone->Text("9165551234");
  w.txtEmail->Text("sam@birchwood.example");
  w.cmdSave_Click();
  EXPECT_EQ(Scalar("SELECT USER_GROUP || '|' || SCHOOL_DISTRICT_ID || '|' || SCHOOL_ID FROM CONTACTS"),
            "4|61001|6100102");
}

TEST_F(ContactWindow, FieldChecksRefuseWithTheirMessagesAndLeaveTheTablesAlone) {
  LogOnAs("Lee Chan");
  const std::string before = Tables();
  struct Case {
    const char* why;
    std::function<void(frmNewUser&)> spoil;
    const char* message;
    int icon;
  };
  const Case cases[] = {
      {"blank name", [](frmNewUser& w) { w.txtContact->Text("   "); }, "Contact Name cannot be blank",
       ui::vbInformation},
      {"digit first", [](frmNewUser& w) { w.txtContact->Text("  7 Oaks "); },
       "The first letter in the Contact Name field must be a character", ui::vbCritical},
      {"no group", [](frmNewUser& w) { w.cboUserGroup->setCurrentIndex(-1); }, "User Group cannot be blank ",
       ui::vbInformation},
      {"no county", [](frmNewUser& w) { w.cboCounty->Text(""); }, "County name cannot be blank ", ui::vbInformation},
      {"no district", [](frmNewUser& w) { w.cboSDistId->Text(""); }, "District name cannot be blank ",
       ui::vbInformation},
      {"charter without school",
       [](frmNewUser& w) {
         w.cboUserGroup->addItem("Charter School");
         Choose(*w.cboUserGroup, "Charter School");
         Choose(*w.cboCounty, "Alder County");
         Choose(*w.cboSDistId, "Birchwood Elementary");
       },
       "School name cannot be blank ", ui::vbInformation},
      {"blank phone", [](frmNewUser& w) { w.txtPhone->Text(""); }, "Phone field cannot be blank ", ui::vbInformation},
      {"short phone", [](frmNewUser& w) { w.txtPhone->Text("91655512"); }, "Incomplete phone number",
       ui::vbInformation},
      {"phone without area code", [](frmNewUser& w) { w.txtPhone->Text("   5551234"); }, "Incomplete phone number",
       ui::vbInformation},
      {"short fax", [](frmNewUser& w) { w.txtFax->Text("9165"); }, "Incomplete FAX number", ui::vbInformation},
      {"blank e-mail", [](frmNewUser& w) { w.txtEmail->Text("  "); }, "E-mail field cannot be blank",
       ui::vbInformation},
      {"pasted apostrophe", [](frmNewUser& w) { w.txtContact->Text("Dana O'Neil"); }, "Invalid data entry",
       ui::vbInformation},
      {"pasted hyphen", [](frmNewUser& w) { w.txtContact->Text("Dana Reyes-Ortiz"); }, "Invalid data entry",
       ui::vbInformation},
      {"taken name", [](frmNewUser& w) { w.txtContact->Text("LEE CHAN"); },
       "Contact name already used. Please enter a different name.", ui::vbCritical},
  };
  for (const Case& c : cases) {
    frmNewUser& w = FilledNewUser();
    c.spoil(w);
    dialogs_.ClearPrompts();
    dialogs_.AnswerMsgBox(ui::vbOK);
    w.cmdSave_Click();
    ASSERT_EQ(dialogs_.Prompts().size(), 1u) << c.why;
    EXPECT_EQ(dialogs_.LastPrompt().text, c.message) << c.why;
    EXPECT_EQ(dialogs_.LastPrompt().style, ui::vbOKOnly + c.icon) << c.why;
    EXPECT_EQ(dialogs_.LastPrompt().title, "Levrona") << c.why;
    EXPECT_TRUE(w.Loaded()) << c.why << ": the window stays open with the entries";
    EXPECT_EQ(Tables(), before) << c.why;
    if (std::string(c.why) == "digit first") {
      EXPECT_EQ(w.txtContact->Text(), "7 Oaks");
      EXPECT_EQ(w.txtContact->selectedText().toStdString(), "7 Oaks");
    }
    delete &w;
  }
  EXPECT_TRUE(LogonWindows().empty());
}

TEST_F(ContactWindow, EditShowsTheLoggedOnContactAndItsAgency) {
  LogOnAs("Lee Chan");
  conn_->Execute("UPDATE KRN_LEAS SET SCHOOL_NAME = NULL WHERE SCHOOL_DISTRICT_ID = 10610 AND SCHOOL_ID = 0");
  StandInMainWindow& main = MainWindow();
  frmNewUser& w = Open("Edit");
  EXPECT_EQ(w.windowTitle().toStdString(), "User Information");
  EXPECT_FALSE(w.cboCounty->isVisibleTo(&w));
  EXPECT_FALSE(w.cboSDistId->isVisibleTo(&w));
  EXPECT_FALSE(w.cboSchool->isVisibleTo(&w));
  EXPECT_EQ(w.Combo1->currentText().toStdString(), "Alder County");
  EXPECT_EQ(w.Combo2->currentText().toStdString(), "Alder County Office of Education");
  EXPECT_EQ(w.Combo3->currentText().toStdString(), "") << "a Null name as the empty text";
  EXPECT_EQ(Items(*w.cboUserGroup), (std::vector<std::string>{"County Office"}));
  EXPECT_EQ(w.cboUserGroup->currentText().toStdString(), "County Office");
  EXPECT_FALSE(w.cboUserGroup->isEnabled());
  EXPECT_EQ(w.txtContact->Text(), "Lee Chan");
  EXPECT_EQ(w.txtPhone->Text(), "9165550000");
  EXPECT_EQ(w.txtFax->Text(), "");
  EXPECT_EQ(modGlobals::gobjGlobalParam->UserEMail, "old@alder.example");
  EXPECT_TRUE(main.isEnabled()) << "editing the found contact leaves the main window as it was";
}

TEST_F(ContactWindow, EditRenamesTheContactAndItsCertifiedGroupsTogether) {
  LogOnAs("Lee Chan");
  StandInMainWindow& main = MainWindow();
  main.setEnabled(false);
  frmNewUser& w = Open("Edit");
  w.txtContact->Text(" Lee Chan Wu ");
  w.txtPhone->Text("9165551111");
  w.txtFax->Text("9165552222");
  w.txtEmail->Text("lee.o'hara@alder.example");
  w.cmdSave_Click();

  EXPECT_TRUE(dialogs_.Prompts().empty());
  EXPECT_EQ(Scalar("SELECT CONTACT || '|' || PHONE || '|' || FAX || '|' || EMAIL FROM CONTACTS WHERE id = ?",
                   {Variant(modGlobals::gobjGlobalParam->logonUserid)}),
            "Lee Chan Wu|9165551111|9165552222|lee.o'hara@alder.example");
  EXPECT_EQ(Scalar("SELECT group_concat(FORM_GROUP_NAME || ':' || CONTACT, ',') FROM (SELECT * FROM EXPORT_FILE_INFO "
                   "ORDER BY COUNTY_ID, FORM_GROUP_NAME)"),
            "Tax:Lee Chan Wu,TAXMISC:Lee Chan Wu,Tax:Lee Park")
      << "another contact's group is untouched";
  const auto& gp = *modGlobals::gobjGlobalParam;
  EXPECT_EQ(gp.Username, "Lee Chan Wu");
  EXPECT_EQ(gp.UserPhone, "9165551111");
  EXPECT_EQ(gp.UserFax, "9165552222");
  EXPECT_EQ(gp.UserEMail, "lee.o'hara@alder.example");
  EXPECT_EQ(main.userPanel->text().toStdString(), "Lee Chan Wu");
  EXPECT_FALSE(w.Loaded());
  EXPECT_TRUE(main.isEnabled());
  EXPECT_TRUE(LogonWindows().empty());
}

TEST_F(ContactWindow, EditThatCannotWriteTheContactRenamesNothing) {
  LogOnAs("Lee Chan");
  conn_->Execute("CREATE TRIGGER no_update BEFORE UPDATE ON CONTACTS BEGIN SELECT RAISE(ABORT, 'locked'); END");
  frmNewUser& w = Open("Edit");
  w.txtContact->Text("Lee Chan Wu");
  const std::string before = Tables();
  dialogs_.AnswerMsgBox(ui::vbIgnore);
  w.cmdSave_Click();
  EXPECT_EQ(dialogs_.LastPrompt().title, "Exception");
  EXPECT_EQ(Tables(), before) << "the certified groups keep the name the contact still has";
  EXPECT_EQ(modGlobals::gobjGlobalParam->Username, "Lee Chan");
  EXPECT_TRUE(w.Loaded()) << "the window stays open with the entries";
  EXPECT_EQ(w.txtContact->Text(), "Lee Chan Wu");
}

TEST_F(ContactWindow, EditKeepsTheOwnNameInAnyCaseAndRefusesAnothersName) {
  LogOnAs("O'Brien Lee");  // a name that came with the database, apostrophe and all
  {
    frmNewUser& w = Open("Edit");
    w.txtContact->Text("Lee Park");
    dialogs_.AnswerMsgBox(ui::vbOK);
    const std::string before = Tables();
    w.cmdSave_Click();
    EXPECT_EQ(dialogs_.LastPrompt().text, "Contact name already used. Please enter a different name.");
    EXPECT_EQ(Tables(), before);
    EXPECT_TRUE(w.Loaded());
    delete &w;
  }
  frmNewUser& w = Open("Edit");
  w.txtContact->Text("OBrien Lee");
  w.cmdSave_Click();
  EXPECT_EQ(Scalar("SELECT count(*) FROM EXPORT_FILE_INFO WHERE CONTACT = 'OBrien Lee'"), "2")
      << "the old name's apostrophe matched";
  frmNewUser& again = Open("Edit");
  again.txtContact->Text("OBRIEN LEE");
  again.cmdSave_Click();
  EXPECT_FALSE(again.Loaded()) << "the own name in other letters is no other contact's";
  EXPECT_EQ(Scalar("SELECT CONTACT FROM CONTACTS WHERE id = ?", {Variant(modGlobals::gobjGlobalParam->logonUserid)}),
            "OBRIEN LEE");
}

TEST_F(ContactWindow, EditOfAMissingContactOffersANewOneAndChangesNothing) {
  LogOnAs("Lee Chan");
  conn_->Execute(
      "INSERT INTO EXPORT_FILE_INFO (FORM_GROUP_NAME, FISCAL_YEAR, PERIOD_ID, COUNTY_ID, "
      "SCHOOL_DISTRICT_ID, SCHOOL_ID, CONTACT) VALUES ('BASICAID', 2019, 2, 63, 0, 0, '')");
  conn_->Execute("DELETE FROM CONTACTS WHERE CONTACT = 'Lee Chan'");
  StandInMainWindow& main = MainWindow();
  frmNewUser& w = Open("Edit");
  EXPECT_EQ(w.windowTitle().toStdString(), "Update User");
  EXPECT_EQ(modGlobals::gstrCurrentForm, "Update User");
  EXPECT_EQ(w.txtContact->Text(), "");
  EXPECT_EQ(Items(*w.cboUserGroup), (std::vector<std::string>{"County Office", "County Auditor"}));
  EXPECT_EQ(w.cboCounty->count(), 4);
  EXPECT_FALSE(main.isEnabled()) << "the main window waits for the contact window";

  Choose(*w.cboUserGroup, "County Office");
  Choose(*w.cboCounty, "Dunmerrow County");
  w.txtContact->Text("Lee Chan");
  w.txtPhone->Text("9165551234");
  w.txtEmail->Text("lee@alder.example");
  const std::string before = Tables();
  w.cmdSave_Click();
  EXPECT_EQ(Tables(), before) << "no contact row to change, and no certified group renamed";
  EXPECT_TRUE(w.Loaded());
  w.cmdCancel_Click();
  EXPECT_TRUE(main.isEnabled());
}

TEST_F(ContactWindow, ImportedContactIsShownReadOnly) {
  StandInMainWindow& main = MainWindow();
  struct Case {
    Variant group;
    const char* groupText;
    const char* school;
  };
  const Case cases[] = {{Variant(4), "Charter School", "Oak Charter"}, {Variant(2), "County Office", ""}};
  for (const Case& c : cases) {
    modGlobals::gstrUserFormMode = "ImportContact";
    frmNewUser w;
    w.ContactName(Variant("Ann Lowe"));
    w.UserGroup(c.group);
    w.County(Variant("Alder County"));
    w.SDist(Variant("Fernhill Unified"));
    w.School(Variant("Oak Charter"));
    w.Phone(Variant("(916)555-1234 * 12"));
    w.Fax(Variant(""));
    w.Email(Variant("ann@fernhill.example"));
    w.Load();
    EXPECT_EQ(w.windowTitle().toStdString(), "Contact Information");
    EXPECT_EQ(w.txtContact->Text(), "Ann Lowe");
    EXPECT_EQ(Items(*w.cboUserGroup), (std::vector<std::string>{c.groupText}));
    EXPECT_EQ(w.Combo1->currentText().toStdString(), "Alder County");
    EXPECT_EQ(w.Combo2->currentText().toStdString(), "Fernhill Unified");
    EXPECT_EQ(w.Combo3->currentText().toStdString(), c.school);
    EXPECT_EQ(w.txtPhone->Text(), "916555123412");
    EXPECT_EQ(w.txtEmail->Text(), "ann@fernhill.example");
    for (QWidget* field :
         std::initializer_list<QWidget*>{w.txtContact, w.cboUserGroup, w.txtPhone, w.txtFax, w.txtEmail, w.lblJoin})
      EXPECT_FALSE(field->isEnabled()) << field->objectName().toStdString();
    EXPECT_TRUE(w.cmdOK->isVisibleTo(&w));
    EXPECT_FALSE(w.cmdSave->isVisibleTo(&w));
    EXPECT_FALSE(w.cmdCancel->isVisibleTo(&w));
    main.setEnabled(false);
    w.cmdOK_Click();
    EXPECT_FALSE(w.Loaded());
    EXPECT_TRUE(main.isEnabled());
  }
  EXPECT_TRUE(LogonWindows().empty());

  frmNewUser w;
  EXPECT_THROW(w.Phone(Variant(vb::NullValue{})), vb::VbError);
  w.UserGroup(Variant("Charter"));  // no number: reported while loading
  dialogs_.AnswerMsgBox(ui::vbIgnore);
  w.Load();
  EXPECT_NE(dialogs_.LastPrompt().text.find("Procedure: Form_Load"), std::string::npos);
  EXPECT_TRUE(Items(*w.cboUserGroup).empty());
}

TEST_F(ContactWindow, KeysOfTheTextFields) {
  frmNewUser& w = Open("New User");
  w.show();
  w.activateWindow();
  w.txtContact->setFocus();
  QApplication::processEvents();

  Type(*w.txtContact, QString::fromUtf8("O'Brien-Zoë 7_"));
  EXPECT_EQ(w.txtContact->Text(), "OBrienZo 7") << "only letters, digits and blanks are typed";
  Key(*w.txtContact, Qt::Key_Return, "\r");
  EXPECT_EQ(QApplication::focusWidget(), w.cboUserGroup);

  // Enter moves from phone to fax and from e-mail to Save, as Tab would.
  w.txtPhone->setFocus();
  EXPECT_EQ(w.txtPhone->SelLength(), 21) << "the whole phone mask is selected on entering";
  Key(*w.txtPhone, Qt::Key_Return, "\r");
  EXPECT_EQ(QApplication::focusWidget(), w.txtFax);
  EXPECT_EQ(w.txtFax->SelLength(), 14);
  w.txtEmail->Text("dana@birch.example");
  w.txtEmail->setFocus();
  EXPECT_EQ(w.txtEmail->selectedText().toStdString(), "dana@birch.example");
  Key(*w.txtEmail, Qt::Key_Return, "\r");
  EXPECT_EQ(QApplication::focusWidget(), w.cmdSave);
  EXPECT_TRUE(dialogs_.Prompts().empty()) << "Enter saved nothing";
  EXPECT_TRUE(w.Loaded());
}

// Select all, copy, cut and paste work in every field; pasted text is held
// to what each field lets be typed.
TEST_F(ContactWindow, ClipboardKeysOfTheTextFields) {
  frmNewUser& w = Open("New User");
  w.show();
  w.activateWindow();
  QApplication::processEvents();
  const auto ctrl = [](QWidget& field, int key, char code) {
    Key(field, key, QString(QChar(code)), Qt::ControlModifier);
  };
  QClipboard& clipboard = *QApplication::clipboard();

  w.txtContact->setFocus();
  w.txtContact->Text("Dana Reyes");
  ctrl(*w.txtContact, Qt::Key_A, 1);
  ctrl(*w.txtContact, Qt::Key_C, 3);
  EXPECT_EQ(clipboard.text().toStdString(), "Dana Reyes");
  ctrl(*w.txtContact, Qt::Key_X, 24);
  EXPECT_EQ(w.txtContact->Text(), "");
  ctrl(*w.txtContact, Qt::Key_V, 22);
  EXPECT_EQ(w.txtContact->Text(), "Dana Reyes");

  struct Case {
    ui::QuorMaskText* field;
    const char* pasted;
    const char* text;
  };
  const Case cases[] = {
      {w.txtContact, "O'Brien-Zoë 7_", "OBrienZo 7"},
      {w.txtContact, "Lee Park\r\n", "Lee Park"},
      {w.txtContact, "Abcdefghij Abcdefghij Abcdefghij Abcdefghij Abcdefghij Abcdefghij",
       "Abcdefghij Abcdefghij Abcdefghij Abcdefghij Abcdef"},  // 50 characters at most
      {w.txtPhone, "(916) 555-1234 x 12", "916555123412"},
      {w.txtFax, "916 555 9876", "9165559876"},
      {w.txtEmail, "dana.o'hara@birch.example", "dana.o'hara@birch.example"},
  };
  for (const Case& c : cases) {
    c.field->setFocus();
    c.field->Text("");
    c.field->SelStart(0);
    clipboard.setText(QString::fromUtf8(c.pasted));
    ctrl(*c.field, Qt::Key_V, 22);
    EXPECT_EQ(c.field->Text(), c.text) << c.pasted;
    EXPECT_EQ(QApplication::focusWidget(), c.field) << c.pasted << ": a pasted line break is no Enter";
  }
  EXPECT_TRUE(dialogs_.Prompts().empty());
}

TEST_F(ContactWindow, EnterInTheNameMovesToThePhoneWhenEditing) {
  LogOnAs("Lee Chan");
  frmNewUser& w = Open("Edit");
  w.show();
  w.activateWindow();
  w.txtContact->setFocus();
  QApplication::processEvents();
  Key(*w.txtContact, Qt::Key_Return, "\r");
  EXPECT_EQ(QApplication::focusWidget(), w.txtPhone);
}

TEST_F(ContactWindow, TheLinkOpensAMessageToTheMailingList) {
  RecordingShell shell;
  frmNewUser& w = Open("New User");
  EXPECT_NE(w.lblJoin->text().toStdString().find(frmNewUser::kMailingList), std::string::npos);
  emit w.lblJoin->linkActivated(w.lblJoin->text());
  EXPECT_EQ(shell.urls, (std::vector<std::string>{std::string("mailto:") + frmNewUser::kMailingList}));
}

TEST_F(ContactWindow, ClosingANewUsersWindowAlwaysBringsUpALogon) {
  const std::function<void(frmNewUser&)> closers[] = {
      [](frmNewUser& w) { w.cmdCancel_Click(); },
      [](frmNewUser& w) {
        QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
        QApplication::sendEvent(w.txtContact, &escape);
      },
      [](frmNewUser& w) { w.close(); },
  };
  int expected = 0;
  for (const auto& close : closers) {
    frmNewUser& w = Open("New User");
    w.show();
    close(w);
    EXPECT_FALSE(w.Loaded());
    EXPECT_EQ(LogonWindows().size(), static_cast<std::size_t>(++expected));
    EXPECT_EQ(Scalar("SELECT count(*) FROM CONTACTS"), "0");
    delete &w;
  }
}

}  // namespace
