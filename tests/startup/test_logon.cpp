// The logon window: its contact list, logging on as a contact of each user
// group (the scope it leaves in the global parameters), and its other
// commands.

#include <gtest/gtest.h>

#include <QPointer>

#include "StartupFixture.h"
#include "clsMyAdoUtils.h"
#include "frmLogon.h"
#include "modGlobals.h"
#include "vb/Conversions.h"
#include "vb/End.h"

namespace {

class LogonTest : public StartupTest {
 protected:
  clsGlobalParam& P() { return *modGlobals::gobjGlobalParam; }
  std::vector<std::string> Listed(frmLogon& logon) {
    std::vector<std::string> names;
    for (int i = 0; i < logon.dcmUser->count(); ++i) names.push_back(logon.dcmUser->itemText(i).toStdString());
    return names;
  }
  void LogOnAs(const std::string& contact) { LogOn(OpenLogon(), contact); }
};

TEST_F(LogonTest, ListsContactsOfKnownCountiesInNameOrder) {
  AddContact({"Zora Quill", 3, 61, 61001, 0});
  AddContact({"Abel Nowhere", 3, 99, 99001, 0});  // a county the directory does not know
  AddContact({"Mina Dunn", 2, 64, 0, 0});
  // A county whose rows carry two names is listed under each.
  Execute("INSERT INTO KRN_LEAS (FISCAL_YEAR, COUNTY_ID, SCHOOL_DISTRICT_ID, SCHOOL_ID, COUNTY_NAME, LEA_TYPE, "
          "STAT_TYPE) VALUES (2018, 64, 64001, 0, 'Dunmerrow Shire', 3, 'OPEN')");

  frmLogon& logon = OpenLogon();

  EXPECT_EQ(Listed(logon), (std::vector<std::string>{"Mina Dunn", "Mina Dunn", "Zora Quill"}));
  EXPECT_EQ(logon.dcmUser->currentIndex(), -1) << "nobody is chosen yet";
  EXPECT_EQ(logon.lblSplashName->text().toStdString(), "\n2019 - 20\nQuillmark\nLevrona");
  EXPECT_EQ(logon.lblVersion->text().toStdString(), "Version 2019-19.00");
}

TEST_F(LogonTest, ContactJustRegisteredStandsChosen) {
  AddContact({"Zora Quill", 3, 61, 61001, 0});
  AddContact({"Mina Dunn", 2, 64, 0, 0});
  modGlobals::gstrNewContactName = "Zora Quill";
  frmLogon& logon = OpenLogon();
  EXPECT_EQ(logon.dcmUser->currentText().toStdString(), "Zora Quill");
  EXPECT_EQ(modGlobals::gstrNewContactName, "");

  // A name of blanks is neither used nor cleared.
  modGlobals::gstrNewContactName = "   ";
  frmLogon& next = OpenLogon();
  EXPECT_EQ(next.dcmUser->currentIndex(), -1);
  EXPECT_EQ(modGlobals::gstrNewContactName, "   ");
}

TEST_F(LogonTest, LogonWithoutAChosenContactAsksForOne) {
  for (bool withContacts : {false, true}) {
    if (withContacts) AddContact({"Zora Quill", 3, 61, 61001, 0});
    frmLogon& logon = OpenLogon();
    dialogs_.ClearPrompts();
    dialogs_.AnswerMsgBox(ui::vbOK);
    logon.cmdLogon_Click();
    ASSERT_EQ(dialogs_.Prompts().size(), 1u);
    EXPECT_EQ(dialogs_.LastPrompt().text, "Please select Username");
    EXPECT_EQ(dialogs_.LastPrompt().style, ui::vbInformation + ui::vbOKOnly);
    EXPECT_EQ(dialogs_.LastPrompt().title, "Levrona");
    EXPECT_TRUE(logon.Loaded());
    EXPECT_EQ(mainWindow_->shown, 0);
  }
}

// What a logon leaves in the global parameters, by the contact's group.
struct Scope {
  const char* name;
  Contact contact;
  const char* districtName;
  const char* schoolName;
  const char* auRegion;
  bool selpaAu;
  bool differentSelpaLocation;
  int auCountyId;
  const char* auName;
};

const Scope kScopes[] = {
    {"CountyOffice", {"Ada Alder", 2, 61, 0, 0}, "County Superintendent", "", "", false, false, 0, ""},
    {"CountyOfficeOfAnotherAdministrativeUnit", {"Cal Cinder", 2, 63, 0, 0}, "County Superintendent", "", "", false,
     true, 62, ""},
    {"District", {"Bea Birch", 3, 61, 61001, 0}, "Birchwood Elementary", "", "", false, false, 0, ""},
    {"DistrictOfAnotherCountysUnit", {"Mar Marrow", 3, 63, 63001, 0}, "Marrow Creek Unified", "", "", false, true, 0,
     ""},
    {"DistrictThatIsASelpa", {"Sid Selpa", 3, 61, 61901, 0}, "Alder Foothills SELPA", "", "R1", true, false, 0, ""},
    {"Selpa", {"Cora Vale", 5, 61, 61901, 6190101}, "Alder Foothills SELPA", "", "R1", true, false, 0,
     "Alder Foothills SELPA"},
    {"Charter", {"Em Fernhill", 4, 61, 61003, 6100101}, "Fernhill Unified", "Fernhill Arts Charter", "", false, false,
     0, ""},
    {"CountyAuditor", {"Dee Birch", 7, 62, 0, 0}, "County Superintendent", "", "", false, false, 0, ""},
};

class LogonScopeTest : public LogonTest, public ::testing::WithParamInterface<Scope> {};

TEST_P(LogonScopeTest, CopiesTheContactAndItsAgency) {
  const Scope& s = GetParam();
  Contact contact = s.contact;
  contact.phone = "555-0100";
  contact.fax = "555-0101";
  contact.email = "someone@example.org";
  const int id = AddContact(contact);
  P().ReportPeriod = 2;

  frmLogon& logon = OpenLogon();
  LogOn(logon, contact.name);

  EXPECT_FALSE(logon.Loaded()) << "the logon window closes";
  EXPECT_EQ(mainWindow_->shown, 1) << "and opens the main window";
  EXPECT_TRUE(dialogs_.Prompts().empty());

  const int county = vb::CLng(contact.county);
  const int district = vb::CLng(contact.district);
  const int school = vb::CLng(contact.school);
  EXPECT_EQ(P().logonUserid, id);
  EXPECT_EQ(P().Username, contact.name);
  EXPECT_EQ(P().EditContact, contact.name);
  for (int group : {P().UserGroup, P().LogonUserGroup}) EXPECT_EQ(group, contact.group);
  for (int value : {P().CountyID, P().lnglogonCounty, P().LogonCountyID, P().EditCounty}) EXPECT_EQ(value, county);
  for (int value : {P().DistrictID, P().lnglogonDistrict, P().LogonDistrictID, P().EditDistrict})
    EXPECT_EQ(value, district);
  for (int value : {P().SchoolId, P().lnglogonSchool, P().EditSchool}) EXPECT_EQ(value, school);
  EXPECT_EQ(P().UserPhone, "555-0100");
  EXPECT_EQ(P().UserFax, "555-0101");
  EXPECT_EQ(P().UserEMail, "someone@example.org");
  EXPECT_EQ(P().LogonCountyName, P().CountyName);
  for (const std::string& name : {P().UserDistrictName, P().DistrictName, P().LogonDistrictName, P().EditDistrictName})
    EXPECT_EQ(name, s.districtName);
  EXPECT_EQ(P().EditSchoolName, s.schoolName);
  EXPECT_EQ(P().AURegion, s.auRegion);
  EXPECT_EQ(P().bSelpaAu, s.selpaAu);
  EXPECT_EQ(P().bDifferentSelpaLocation, s.differentSelpaLocation);
  EXPECT_EQ(P().AuCountyId, s.auCountyId);
  EXPECT_EQ(P().AuName, s.auName);
  EXPECT_EQ(P().ReportPeriod, 2);
  EXPECT_EQ(P().PeriodText, "P-2");
}

INSTANTIATE_TEST_SUITE_P(Groups, LogonScopeTest, ::testing::ValuesIn(kScopes),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(LogonTest, CountyNameComesFromTheDirectory) {
  AddContact({"Ada Alder", 2, 61, 0, 0});
  LogOnAs("Ada Alder");
  EXPECT_EQ(P().CountyName, "Alder County");
}

TEST_F(LogonTest, SelpaAndAuditorContactsLeaveTheCorrectedP2ForAnnual) {
  struct {
    const char* contact;
    int group;
    const char* mode;
    const char* modeAfter;
    int periodAfter;
  } const cases[] = {
      {"Cora Vale", 5, "PY_P2", "3", 3},         {"Dee Birch", 7, "PY_P2", "3", 3},
      {"Bea Birch", 3, "PY_P2", "PY_P2", 2},     {"Ada Alder", 2, "PY_P2", "PY_P2", 2},
      {"Dee Birch", 7, "PY_ANNUAL", "PY_ANNUAL", 2}, {"Dee Birch", 7, "", "", 2},
  };
  AddContact({"Cora Vale", 5, 61, 61901, 6190101});
  AddContact({"Dee Birch", 7, 62, 0, 0});
  AddContact({"Bea Birch", 3, 61, 61001, 0});
  AddContact({"Ada Alder", 2, 61, 0, 0});
  for (const auto& c : cases) {
    modGlobals::gstrPeriodMode = c.mode;
    P().ReportPeriod = 2;
    LogOnAs(c.contact);
    EXPECT_EQ(modGlobals::gstrPeriodMode, c.modeAfter) << c.contact << " in " << c.mode;
    EXPECT_EQ(P().ReportPeriod, c.periodAfter) << c.contact << " in " << c.mode;
  }
  EXPECT_EQ(vb::TextOf(OpenDatabase()->Scalar("SELECT PeriodID FROM ReportPeriod")), "1") << "nothing is stored";
}

TEST_F(LogonTest, PeriodBelowP1LogsOnInP1) {
  AddContact({"Ada Alder", 2, 61, 0, 0});
  P().ReportPeriod = 0;
  LogOnAs("Ada Alder");
  EXPECT_EQ(P().ReportPeriod, 1);
  EXPECT_EQ(P().PeriodText, "P-1");
}

TEST_F(LogonTest, NextLogonInheritsNothingOfThePreviousContact) {
  AddContact({"Cora Vale", 5, 61, 61901, 6190101, "555-0300", "555-0301", "cora@example.org"});
  AddContact({"Em Fernhill", 4, 61, 61003, 6100101, "555-0400", "555-0401", "em@example.org"});
  // Known only by county and district: no school, no phone, fax or e-mail.
  AddContact({"Bo Blank", 3, 61, 61001, vb::Null});

  LogOnAs("Cora Vale");
  ASSERT_EQ(P().AuName, "Alder Foothills SELPA");
  LogOnAs("Em Fernhill");
  ASSERT_EQ(P().EditSchoolName, "Fernhill Arts Charter");
  ASSERT_EQ(P().UserFax, "555-0401");
  LogOnAs("Bo Blank");

  EXPECT_EQ(P().Username, "Bo Blank");
  EXPECT_EQ(P().SchoolId, 0);
  EXPECT_EQ(P().lnglogonSchool, 0);
  EXPECT_EQ(P().EditSchool, 0);
  EXPECT_EQ(P().UserPhone, "");
  EXPECT_EQ(P().UserFax, "");
  EXPECT_EQ(P().UserEMail, "");
  EXPECT_EQ(P().EditSchoolName, "");
  EXPECT_EQ(P().AuName, "");
  EXPECT_FALSE(P().bSelpaAu);
  EXPECT_EQ(P().AURegion, "");
  EXPECT_EQ(P().UserDistrictName, "Birchwood Elementary");
}

TEST_F(LogonTest, DistrictNameOfAnOpenDistrictOnly) {
  frmLogon& logon = OpenLogon();
  EXPECT_EQ(logon.getDistrictName(vb::Variant(61001)), "Birchwood Elementary");
  EXPECT_EQ(logon.getDistrictName(vb::Variant(61004)), "") << "a closed district";
  EXPECT_EQ(logon.getDistrictName(vb::Variant(12345)), "");
  EXPECT_TRUE(dialogs_.Prompts().empty());
}

TEST_F(LogonTest, NewUserClosesTheLogonInNewUserMode) {
  frmLogon& logon = OpenLogon();
  logon.cmdNewUser_Click();
  EXPECT_EQ(modGlobals::gstrUserFormMode, "New User");
  EXPECT_FALSE(logon.Loaded());
  EXPECT_EQ(mainWindow_->shown, 0);
}

// A Get Latest window that records its life.
class StandInImport final : public ui::Form {
 public:
  explicit StandInImport(int& loads) : loads_(loads) {}
  void Form_Load() override { ++loads_; }

 private:
  int& loads_;
};

TEST_F(LogonTest, GetLatestRunsTheImportModallyAndKeepsTheList) {
  AddContact({"Zora Quill", 3, 61, 61001, 0});
  EXPECT_FALSE(OpenLogon().cmdGetLatest->isEnabled()) << "offered only once the import window is there";

  int loads = 0;
  QPointer<QWidget> import;
  frmLogon::SetGetLatestWindow([&] {
    auto window = std::make_unique<StandInImport>(loads);
    import = window.get();
    return std::unique_ptr<QWidget>(std::move(window));
  });
  frmLogon& logon = OpenLogon();
  ASSERT_TRUE(logon.cmdGetLatest->isEnabled());
  dialogs_.AnswerModal([&](QWidget& window) {
    EXPECT_EQ(&window, import.data());
    // Meanwhile the import adds a contact.
    AddContact({"Mina Dunn", 2, 64, 0, 0});
    return 0;
  });

  logon.cmdGetLatest_Click();

  EXPECT_EQ(loads, 1);
  EXPECT_TRUE(import.isNull()) << "released when it has closed";
  EXPECT_TRUE(logon.Loaded());
  EXPECT_EQ(logon.dcmUser->count(), 1) << "the list is not read again";
}

TEST_F(LogonTest, ExitClosesEveryWindowAndTheConnectionAndEnds) {
  frmLogon& logon = OpenLogon();
  StandInMainWindow other;
  other.ShowModeless();
  db::ConnectionPtr conn = modGlobals::gobjAdoUtils->Conn();

  EXPECT_THROW(logon.cmdExit_Click(), vb::ProgramEnded);

  EXPECT_FALSE(logon.Loaded());
  EXPECT_FALSE(other.Loaded());
  EXPECT_EQ(conn->State(), db::ObjectState::Closed);
}

}  // namespace
