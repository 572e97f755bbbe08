// The certification prints of the main window on the printing agencies:
// the certificate pages (letters), the county office's certification and
// the blank certifications, with their run logs and the state they leave.

#include <gtest/gtest.h>

#include <QPlainTextEdit>
#include <sstream>

#include "MainWindowFixture.h"
#include "PrintingAgencies.h"
#include "ScriptedSeams.h"
#include "frmMainCertification.h"
#include "modGlobals.h"
#include "modMainStart.h"
#include "ui/Printers.h"
#include "vb/Conversions.h"

using vb::Variant;

namespace {

namespace agencies = fixtures::printing;

bool Holds(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }
// A captured page with the lines of grown texts joined by blanks.
std::string Joined(std::string capture) {
  for (std::size_t at; (at = capture.find("\\n")) != std::string::npos;) capture.replace(at, 2, " ");
  return capture;
}

// The statements of the tax form's group, and one of another group that
// no tax copy may carry.
constexpr const char* kStatements = R"(
    DELETE FROM TORB_FORM_GROUP_CERT;
    INSERT INTO TORB_FORM_GROUP_CERT (FORM_GROUP, SNO, CERT_CONTENT, FORM_TITLE1) VALUES
      ('Tax', 1, 'The auditor certifies', 'Auditor Statement'),
      ('Tax', 2, 'I certify the data', 'County Office Statement'),
      ('TAXMISC', 2, 'Royalties are reported', 'Miscellaneous Statement');
)";

// A clean status row of the tax form: 4 records, modified, edit-checked
// and exported on three days, nothing imported.
std::string CleanStatus(int district, int school = 0, int errors = 0) {
  return "DELETE FROM LEA_FORMS_STATUS WHERE FORM_NO = 29 AND SCHOOL_DISTRICT_ID = " + std::to_string(district) +
         " AND SCHOOL_ID = " + std::to_string(school) +
         ";"
         "INSERT INTO LEA_FORMS_STATUS (FISCAL_YEAR, PERIOD_ID, COUNTY_ID, SCHOOL_DISTRICT_ID, SCHOOL_ID, FORM_NO, "
         "CERTIFICATE_NUMBER, NUM_RECORD, NUM_ERROR, NUM_WARNING, LAST_MODIFIED_DATE, LAST_EDIT_CHECK_DATE, "
         "LAST_EXPORT_DATE) VALUES (2019, 2, 1, " +
         std::to_string(district) + ", " + std::to_string(school) + ", 29, 255, 4, " + std::to_string(errors) +
         ", 0, '2019-12-01', '2019-12-02', '2019-12-03');";
}

// FORM_GROUP_NAME, FISCAL_YEAR, PERIOD_ID, COUNTY_ID, SCHOOL_DISTRICT_ID,
// SCHOOL_ID, SCHOOL_DISTRICT_NAME, SCHOOL_NAME, CERTIFICATE, CERTIFIED_DATE,
// CONTACT, PHONE
constexpr const char* kExportColumns =
    "INSERT INTO EXPORT_FILE_INFO (FORM_GROUP_NAME, FISCAL_YEAR, PERIOD_ID, COUNTY_ID, SCHOOL_DISTRICT_ID, SCHOOL_ID, "
    "SCHOOL_DISTRICT_NAME, SCHOOL_NAME, CERTIFICATE, CERTIFIED_DATE, CONTACT, PHONE) VALUES ";

class CertificationCommandsTest : public MainWindowTest {
 protected:
  void SetUp() override {
    MainWindowTest::SetUp();
    OpenDatabase()->ExecuteScript(agencies::kRows);
    OpenDatabase()->ExecuteScript(kStatements);
    printing::InstallCertificationCommands();
  }
  void TearDown() override {
    for (const char* item : {"mnuNew_Certification", "mnu_Coe_Certification", "mnunew_BlankCert"})
      frmMain::SetCommandBody(item, nullptr);
    MainWindowTest::TearDown();
  }

  // Logs on with the contact's phone, e-mail and fax, marks the agencies
  // and the tax form selected and opens the window.
  frmMain& OpenAs(const Logon& logon, const std::string& agencyWhere) {
    LogOn(logon);
    clsGlobalParam& P = *modGlobals::gobjGlobalParam;
    P.CountyName = "Alder";  // as the logon names the contact's county
    P.UserPhone = "9165550123";
    P.UserEMail = "pat@alder.example";
    P.UserFax = "9165550199";
    if (!agencyWhere.empty()) Execute("UPDATE KRN_LEAS SET SELECTED = 'Yes' WHERE " + agencyWhere);
    Execute("UPDATE VHO_TORB_FORMS SET SELECTED = 'Yes' WHERE FORM_NO = 29");
    return Open();
  }
  // A county office viewing its SELPA agencies: the county office 10017
  // and the districts 20001 and 20002 in one list.
  frmMain& OpenCountyOfficeWithDistricts(const std::string& selected = "COUNTY_ID = 1 AND SCHOOL_ID = 0") {
    // The tax form is offered in that view too.
    Execute("UPDATE VHO_TORB_FORMS SET CATEGORY = 'S', SELPA = 'Y' WHERE FORM_NO = 29");
    Execute(
        "UPDATE KRN_LEAS SET AU_COUNTY = 1, SELPA_AU_REGION = 'R1', SELPA_DISTRICTREGION = 'R1-' || "
        "SCHOOL_DISTRICT_ID WHERE FISCAL_YEAR = 2019 AND COUNTY_ID = 1 AND SCHOOL_ID = 0");
    frmMain& window = OpenAs(As(2, agencies::kCounty, agencies::kOffice), selected);
    window.Menus().Click("mnuSELPA");
    EXPECT_EQ(ListedAgencies(), std::vector<std::string>({"1-10017-0", "1-20001-0", "1-20002-0"}));
    EXPECT_EQ(ListedForms(), std::vector<int>({29}));
    return window;
  }

  // Runs the command; answers its run log as the status window showed it
  // ("" when none was shown).
  std::string Run(frmMain& window, const char* item) {
    auto log = std::make_shared<std::string>();
    dialogs_.AnswerModal([log](QWidget& status) {
      *log = status.findChild<QPlainTextEdit*>("txtStatus")->toPlainText().toStdString();
      status.close();
      return 0;
    });
    window.Menus().Click(item);
    return *log;
  }

  void ExpectGivenBack(frmMain& window, int row) {
    EXPECT_TRUE(window.isEnabled());
    EXPECT_EQ(WaitMessage(), "");
    EXPECT_EQ(window.dgLEA->Row(), row);
  }

  RecordingPrinters printers_{{"Office Laser", ui::PdfPrinterName}};
  ScriptedClock clock_{vb::CDate(Variant("2019-12-09 14:35:07"))};
};

// --- Certification letters --------------------------------------------------------------------

constexpr const char* kOfficeExportRow =
    "('Tax', 2019, 2, 1, 10017, 0, 'Alder County Office of Education', NULL, 255, '2019-12-03', 'Pat Lee', "
    "'9165550123')";

class LettersTest : public CertificationCommandsTest {
 protected:
  void SetUp() override {
    CertificationCommandsTest::SetUp();
    // The office's export row, with neighbours of another year, period and
    // group that the page must not show.
    Execute(std::string(kExportColumns) + kOfficeExportRow + ","
            "('Tax', 2018, 2, 1, 10017, 0, 'Alder County Office of Education 2018', NULL, 254, '2018-12-03', "
            "'Old Contact', '9165550000'),"
            "('Tax', 2019, 1, 1, 10017, 0, 'Alder County Office of Education', NULL, 253, '2019-10-03', "
            "'First Period Contact', '9165550001'),"
            "('TAXMISC', 2019, 2, 1, 10017, 0, 'Alder County Office of Education', NULL, 77, '2019-12-03', "
            "'Misc Contact', '9165550002'),"
            "('Tax', 2019, 2, 1, 20001, 0, 'Birch Unified', NULL, 1715004, '2019-12-03', 'Sam Roe', '9165550456');");
    Execute(CleanStatus(agencies::kOffice));
    Execute(CleanStatus(agencies::kDistrict, 0, 1));
  }
};

TEST_F(LettersTest, ACertifiedAgencyGetsItsPageAndEveryAgencyWithAStatusRowALine) {
  frmMain& window = OpenCountyOfficeWithDistricts();
  const int row = window.dgLEA->Row();
  const std::string log = Run(window, "mnuNew_Certification");

  ASSERT_EQ(printers_.jobs.size(), 1u) << log;
  EXPECT_EQ(printers_.jobs[0].pages, 1);
  EXPECT_EQ(printers_.jobs[0].orientation, ui::OrientationPortrait);
  const std::string page = Joined(printers_.jobs[0].text);
  for (const char* part : {"Certification", "County: Alder", "Fiscal Year:  2019-20", "Alder County Office of Education",
                           "P-2", ": 01\n", "10017", "000000FF", "County Office Statement", "I certify the data",
                           "CONTACT NAME", "Pat Lee", "9165550123", "Page 1 of 1"})
    EXPECT_TRUE(Holds(page, part)) << part << "\n" << page;
  for (const char* absent : {"Auditor Statement", "Miscellaneous", "Old Contact", "First Period", "Misc Contact",
                             "Sam Roe", "Section8/Text8"})
    EXPECT_FALSE(Holds(page, absent)) << absent;
  // 20002 has no status row of the form: no line.
  EXPECT_EQ(log,
            "Certification Printing.. Date and Time Dec-09-2019 14:35:07\n\n"
            "Certification Group: Property Tax\n\n"
            "\tLEA: 10017 - Certification Letter Generated\n"
            "\tLEA: 20001 - Print Failed due to Error(s) in Certification Process\n\n\n"
            "Print Operation Completed.");
  ExpectGivenBack(window, row);
  EXPECT_EQ(window.GParam->FormGroupName, "") << "the run's own parameters carry the group";
}

// The certification test, case by case on the office's status row: the
// page and the log line that each gives.
TEST_F(LettersTest, TheCertificationTestDecidesThePage) {
  struct Case {
    const char* what;
    const char* change;  // statements on top of the clean row and export row
    bool page;
  };
  const char* status = "UPDATE LEA_FORMS_STATUS SET ";
  const char* office = " WHERE SCHOOL_DISTRICT_ID = 10017 AND FORM_NO = 29";
  auto set = [&](const std::string& values) { return std::string(status) + values + office; };
  const std::vector<std::pair<Case, std::string>> cases = {
      {{"clean", "", true}, ""},
      {{"equal dates", "", true},
       set("LAST_MODIFIED_DATE = '2019-12-02 10:00:00', LAST_EDIT_CHECK_DATE = '2019-12-02 10:00:00', "
           "LAST_EXPORT_DATE = '2019-12-02 10:00:00'")},
      {{"no record count", "", false}, set("NUM_RECORD = NULL")},
      {{"no error count", "", false}, set("NUM_ERROR = NULL")},
      {{"no modification date", "", false}, set("LAST_MODIFIED_DATE = NULL")},
      {{"no edit-check date", "", false}, set("LAST_EDIT_CHECK_DATE = NULL")},
      {{"no export date", "", false}, set("LAST_EXPORT_DATE = NULL")},
      {{"no records", "", false}, set("NUM_RECORD = 0")},
      {{"one error", "", false}, set("NUM_ERROR = 1")},
      {{"changed after the edit check", "", false}, set("LAST_MODIFIED_DATE = '2019-12-02 08:00:01'")},
      {{"edit-checked after the export", "", false}, set("LAST_EDIT_CHECK_DATE = '2019-12-04'")},
      {{"import equal to the export", "", true}, set("LAST_IMPORT_DATE = '2019-12-03'")},
      {{"import after the export", "", false}, set("LAST_IMPORT_DATE = '2019-12-03 00:00:01'")},
      // Compared as dates: as text "12/10/2019" would sort before the check.
      {{"export date written month first", "", true}, set("LAST_EXPORT_DATE = '12/10/2019'")},
      {{"no export row", "", false}, "DELETE FROM EXPORT_FILE_INFO WHERE SCHOOL_DISTRICT_ID = 10017"},
      {{"an export row without a certificate", "", false},
       "UPDATE EXPORT_FILE_INFO SET CERTIFICATE = NULL WHERE SCHOOL_DISTRICT_ID = 10017"},
  };
  frmMain& window = OpenAs(As(2, agencies::kCounty, agencies::kOffice), "SCHOOL_DISTRICT_ID = 10017");
  for (const auto& [c, change] : cases) {
    SCOPED_TRACE(c.what);
    Execute(CleanStatus(agencies::kOffice));
    Execute("DELETE FROM EXPORT_FILE_INFO WHERE SCHOOL_DISTRICT_ID = 10017 AND FISCAL_YEAR = 2019 AND PERIOD_ID = 2 "
            "AND FORM_GROUP_NAME = 'Tax'");
    Execute(std::string(kExportColumns) + kOfficeExportRow);
    if (!change.empty()) Execute(change);
    printers_.jobs.clear();
    const std::string log = Run(window, "mnuNew_Certification");
    EXPECT_EQ(printers_.jobs.size(), c.page ? 1u : 0u);
    EXPECT_TRUE(Holds(log, std::string("\tLEA: 10017") +
                               (c.page ? " - Certification Letter Generated\n"
                                       : " - Print Failed due to Error(s) in Certification Process\n")))
        << log;
  }
}

// Who prints decides the statement and whether the school code shows.
TEST_F(LettersTest, TheStatementAndSchoolCodeByTheLogonGroup) {
  Execute(std::string(kExportColumns) +
          "('Tax', 2019, 2, 1, 20001, 1234567, 'Birch Unified', 'Maple Charter', 255, '2019-12-03', 'Kim Poe', "
          "'9165550789');");
  Execute(CleanStatus(agencies::kDistrict, agencies::kCharter));
  struct Case {
    const char* what;
    const char* category;  // where the view finds the tax form
    Logon logon;
    const char* agency;
    const char* shows;
    const char* hides;
    const char* line;
  };
  const Case cases[] = {
      {"a county auditor prints the office's auditor statement", "CATEGORY = 'T'", As(7, 1, 10017), "SCHOOL_DISTRICT_ID = 10017",
       "Auditor Statement", "County Office Statement", "\tLEA: 10017 - Certification Letter Generated"},
      {"a charter school sees its school code", "CATEGORY = 'CA', CHARTER = 'Y'", As(4, 1, 20001, 1234567), "SCHOOL_ID = 1234567", "1234567",
       "County Office Statement", "\tLEA: 20001-1234567 - Certification Letter Generated"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Execute(std::string("UPDATE VHO_TORB_FORMS SET ") + c.category + " WHERE FORM_NO = 29");
    printers_.jobs.clear();
    frmMain& window = OpenAs(c.logon, c.agency);
    const std::string log = Run(window, "mnuNew_Certification");
    ASSERT_EQ(printers_.jobs.size(), 1u) << log;
    EXPECT_TRUE(Holds(printers_.jobs[0].text, c.shows)) << printers_.jobs[0].text;
    EXPECT_FALSE(Holds(printers_.jobs[0].text, c.hides));
    EXPECT_TRUE(Holds(log, c.line)) << log;
    delete window_.data();
    Execute("UPDATE KRN_LEAS SET SELECTED = 'No'");
  }
}

// A page that fails is reported under the command; Retry runs that page
// again, Ignore logs it as failed and the run ends as usual.
TEST_F(LettersTest, AFailedPageIsRetriedAloneAndIgnoredAsAFailure) {
  frmMain& window = OpenAs(As(2, agencies::kCounty, agencies::kOffice), "SCHOOL_DISTRICT_ID = 10017");
  Execute("ALTER TABLE TORB_FORM_GROUP_CERT RENAME TO STATEMENTS_AWAY");
  dialogs_.AnswerMsgBox(4);  // Retry
  dialogs_.AnswerMsgBox(5);  // Ignore
  const std::string log = Run(window, "mnuNew_Certification");
  const auto messages = dialogs_.TakeMessages();
  ASSERT_EQ(messages.size(), 2u);
  EXPECT_TRUE(Holds(messages[1], "Procedure: mnuNew_Certification_Click")) << messages[1];
  EXPECT_TRUE(printers_.jobs.empty());
  EXPECT_TRUE(Holds(log, "\tLEA: 10017 - Print Failed due to Error(s) in Certification Process\n")) << log;
  EXPECT_TRUE(window.isEnabled());
  EXPECT_EQ(WaitMessage(), "");
}

// --- The county office's certification ---------------------------------------------------------

class CoeCertificationTest : public CertificationCommandsTest {
 protected:
  void SetUp() override {
    CertificationCommandsTest::SetUp();
    // Certified rows of the county, with neighbours: another county,
    // another period, a row without a certification date.
    Execute(std::string(kExportColumns) +
            "('Tax', 2019, 2, 1, 20001, 0, 'Birch Unified', NULL, 1715004, '2019-12-03', 'Sam Roe', '1'),"
            "('Tax', 2019, 2, 1, 20001, 1234567, 'Birch Unified', 'Maple Charter', 255, '2019-12-03', 'Kim Poe', '2'),"
            "('Tax', 2019, 2, 1, 20002, 0, 'Cedar Elementary SD', NULL, 7, '2019-12-03', 'Lou Fox', '3'),"
            "('Tax', 2019, 2, 2, 20001, 0, 'Other County District', NULL, 9, '2019-12-03', 'Al Oth', '4'),"
            "('Tax', 2019, 1, 1, 20002, 0, 'First Period Cedar', NULL, 8, '2019-10-03', 'Lou Fox', '5'),"
            "('Tax', 2019, 2, 1, 20003, 0, 'Undated District', NULL, 6, NULL, 'No Date', '6');");
    struct Status {
      int district, school, errors;
    };
    for (const Status& s : {Status{20001, 0, 0}, Status{20001, 1234567, 0}, Status{20002, 0, 2}, Status{20003, 0, 0}})
      Execute(CleanStatus(s.district, s.school, s.errors));
    // A clean row of 20002 in P-1, which sorts first.
    Execute(
        "INSERT INTO LEA_FORMS_STATUS (FISCAL_YEAR, PERIOD_ID, COUNTY_ID, SCHOOL_DISTRICT_ID, SCHOOL_ID, FORM_NO, "
        "CERTIFICATE_NUMBER, NUM_RECORD, NUM_ERROR, NUM_WARNING, LAST_MODIFIED_DATE, LAST_EDIT_CHECK_DATE, "
        "LAST_EXPORT_DATE) VALUES (2019, 1, 1, 20002, 0, 29, 8, 4, 0, 0, '2019-10-01', '2019-10-02', '2019-10-03')");
  }

  // The texts of a control of the detail band on each page, by line.
  static std::vector<std::vector<std::string>> ListLines(const std::string& capture, const std::string& control) {
    std::vector<std::vector<std::string>> pages;
    std::istringstream in(capture);
    for (std::string line; std::getline(in, line);) {
      if (line.rfind("page ", 0) == 0) pages.emplace_back();
      const std::string prefix = "Section12/" + control + " ";
      if (line.rfind(prefix, 0) != 0 || pages.empty()) continue;
      std::string text = line.substr(line.find(": ") + 2);
      std::vector<std::string> lines;
      for (std::size_t at = 0;;) {
        const std::size_t next = text.find("\\n", at);
        lines.push_back(text.substr(at, next - at));
        if (next == std::string::npos) break;
        at = next + 2;
      }
      pages.back() = lines;
    }
    return pages;
  }
};

TEST_F(CoeCertificationTest, TheCountysCleanCertifiedAgenciesAreListedUnderTheOfficesHeading) {
  frmMain& window = OpenAs(As(2, agencies::kCounty, agencies::kOffice), "");
  const int row = window.dgLEA->Row();
  const std::string log = Run(window, "mnu_Coe_Certification");

  ASSERT_EQ(printers_.jobs.size(), 1u) << log;
  EXPECT_EQ(printers_.jobs[0].pages, 1);
  const std::string& page = printers_.jobs[0].text;
  for (const char* part : {"CERTIFIED LEA LIST", "CDS CODE", "LEA NAME", "CERTIFICATE NO", "County: Alder", ": 01\n",
                           "District: Alder County Office of Education", ": 10017\n", "P-2", "Fiscal Year:  2019-20",
                           "County Office Statement", "I certify the data", "(916)555-0123 * ", "pat@alder.example",
                           "9165550199", "Pat Quill"})
    EXPECT_TRUE(Holds(page, part)) << part << "\n" << page;
  // The office's directory row of another year names it otherwise.
  for (const char* absent : {"20002", "Other County", "First Period", "Undated", "Auditor Statement", "Education 2018"})
    EXPECT_FALSE(Holds(page, absent)) << absent;
  using Lines = std::vector<std::string>;
  EXPECT_EQ(ListLines(page, "Label17"), std::vector<Lines>({{"", "01-20001", "01-20001-1234567"}}));
  EXPECT_EQ(ListLines(page, "Label18"), std::vector<Lines>({{"", "Birch Unified", "Birch Unified : Maple Charter"}}));
  EXPECT_EQ(ListLines(page, "Label19"), std::vector<Lines>({{"", "001A2B3C", "000000FF"}}));
  EXPECT_EQ(log,
            "Reports Printing.. Date & Time: Dec-09-2019 14:35:07\n\n"
            "Property Tax\n\tLEA: 01-10017\n\n\n"
            " Print Operation Completed.");
  ExpectGivenBack(window, row);
}

TEST_F(CoeCertificationTest, AProgramWithoutCertifiedAgenciesPrintsNothing) {
  Execute("UPDATE LEA_FORMS_STATUS SET NUM_ERROR = 1 WHERE FORM_NO = 29");
  frmMain& window = OpenAs(As(2, agencies::kCounty, agencies::kOffice), "");
  const std::string log = Run(window, "mnu_Coe_Certification");
  EXPECT_TRUE(printers_.jobs.empty());
  EXPECT_EQ(log,
            "Reports Printing.. Date & Time: Dec-09-2019 14:35:07\n\n"
            "Property Tax\n\tNo Certified LEA Found.\n\n\n"
            " Print Operation Completed.");
}

// Without the county office in the year's directory nothing can be
// headed: the user is told which, and the window is given back.
TEST_F(CoeCertificationTest, ACountyWithoutItsOfficeIsReportedAndNothingPrints) {
  frmMain& window = OpenAs(As(2, agencies::kCounty, agencies::kOffice), "");
  Execute("UPDATE KRN_LEAS SET FISCAL_YEAR = 2017 WHERE FISCAL_YEAR = 2019 AND SCHOOL_DISTRICT_ID = 10017");
  dialogs_.AnswerMsgBox(5);  // Ignore
  window.Menus().Click("mnu_Coe_Certification");
  const auto messages = dialogs_.TakeMessages();
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_TRUE(Holds(messages[0], "The county 01 has no county office in the directory of 2019.")) << messages[0];
  EXPECT_TRUE(Holds(messages[0], "Procedure: mnu_Coe_Certification_Click")) << messages[0];
  EXPECT_TRUE(printers_.jobs.empty());
  EXPECT_TRUE(window.isEnabled());
  EXPECT_EQ(WaitMessage(), "");
}

// Sixty agencies run over onto a second page, the three lists still line
// by line; a name longer than its column is cut rather than wrapped.
TEST_F(CoeCertificationTest, ALongListContinuesOnTheNextPageAligned) {
  auto nameOf = [](int i) {
    return "District " + std::to_string(i) +
           (i == 7 ? " of the Upper Valley Joint Unified Schools and Community Colleges Region" : "");
  };
  std::string rows;
  for (int i = 1; i <= 60; ++i) {
    const int district = 30000 + i;
    rows += std::string(i == 1 ? kExportColumns : ",") + "('Tax', 2019, 2, 1, " + std::to_string(district) +
            ", 0, '" + nameOf(i) + "', NULL, " + std::to_string(i) + ", '2019-12-03', 'C', '1')";
    Execute(CleanStatus(district));
  }
  Execute(rows);
  frmMain& window = OpenAs(As(2, agencies::kCounty, agencies::kOffice), "");
  Run(window, "mnu_Coe_Certification");
  ASSERT_EQ(printers_.jobs.size(), 1u);
  EXPECT_EQ(printers_.jobs[0].pages, 2);
  const std::string& text = printers_.jobs[0].text;
  EXPECT_TRUE(Holds(text, "Page 2 of 2"));
  const auto codes = ListLines(text, "Label17");
  const auto names = ListLines(text, "Label18");
  const auto certificates = ListLines(text, "Label19");
  ASSERT_EQ(codes.size(), 2u);
  ASSERT_EQ(names.size(), 2u);
  ASSERT_EQ(certificates.size(), 2u);
  std::size_t listed = 0;
  for (std::size_t p = 0; p < 2; ++p) {
    ASSERT_EQ(codes[p].size(), names[p].size()) << p;
    ASSERT_EQ(codes[p].size(), certificates[p].size()) << p;
    for (std::size_t i = 0; i < codes[p].size(); ++i) {
      if (codes[p][i].empty()) continue;
      ++listed;
      const int n = std::stoi(codes[p][i].substr(3, 5)) - 30000;
      if (n <= 0) continue;
      EXPECT_FALSE(names[p][i].empty());
      EXPECT_EQ(nameOf(n).rfind(names[p][i], 0), 0u) << names[p][i];
      if (n != 7) {
        EXPECT_EQ(names[p][i], nameOf(n));
      }
      EXPECT_EQ(std::stoi(certificates[p][i], nullptr, 16), n) << codes[p][i];
    }
  }
  EXPECT_EQ(listed, 62u) << "sixty districts, Birch Unified and its charter";
}

// --- Blank certifications ------------------------------------------------------------------------

TEST_F(CertificationCommandsTest, BlankCertificationsForEachAgencyCarryTheirKindsStatement) {
  frmMain& window = OpenCountyOfficeWithDistricts("SCHOOL_DISTRICT_ID IN (10017, 20001) AND SCHOOL_ID = 0");
  const std::string log = Run(window, "mnunew_BlankCert");
  ASSERT_EQ(printers_.jobs.size(), 2u) << log;
  const std::string& office = printers_.jobs[0].text;
  const std::string& district = printers_.jobs[1].text;
  for (const char* part : {"County: Alder", "District: Alder County Office of Education", ": 10017\n", ": 01\n",
                           "County Office Statement", "CONTACT NAME", "P-2", "Fiscal Year:  2019-20"})
    EXPECT_TRUE(Holds(office, part)) << part << "\n" << office;
  EXPECT_TRUE(Holds(district, "Auditor Statement"));
  EXPECT_TRUE(Holds(district, "District: Birch Unified"));
  for (const std::string* copy : {&office, &district}) {
    EXPECT_FALSE(Holds(*copy, "CERTIFIED LEA LIST"));
    EXPECT_FALSE(Holds(*copy, "Miscellaneous"));
  }
  EXPECT_FALSE(Holds(office, "Auditor Statement"));
  EXPECT_EQ(log,
            "Reports Printing.. Date & Time: Dec-09-2019 14:35:07\n\n"
            "Property Tax\n\tLEA: 10017\tLEA: 20001\n\n\n"
            " Print Operation Completed.");
  EXPECT_FALSE(window.Menus().Item("mnunew_BlankCert").Checked());
  EXPECT_TRUE(window.isEnabled());
  EXPECT_EQ(WaitMessage(), "");
}

// A program without the statement the agency's kind signs still gets its
// copy: a page of headers.
TEST_F(CertificationCommandsTest, ABlankCertificationWithoutItsStatementIsAPageOfHeaders) {
  Execute("DELETE FROM TORB_FORM_GROUP_CERT WHERE FORM_GROUP = 'Tax' AND SNO = 2");
  frmMain& window = OpenAs(As(2, agencies::kCounty, agencies::kOffice), "SCHOOL_DISTRICT_ID = 10017");
  const std::string log = Run(window, "mnunew_BlankCert");
  ASSERT_EQ(printers_.jobs.size(), 1u) << log;
  EXPECT_EQ(printers_.jobs[0].pages, 1);
  EXPECT_TRUE(Holds(printers_.jobs[0].text, "County: Alder"));
  EXPECT_FALSE(Holds(printers_.jobs[0].text, "Statement"));
  EXPECT_TRUE(Holds(log, "Property Tax\n\tLEA: 10017\n")) << log;
}

TEST_F(CertificationCommandsTest, WithoutAnAgencyOneBlankCertificationPerProgramHasTheCountyHeadingOnly) {
  frmMain& window = OpenAs(As(2, agencies::kCounty, agencies::kOffice), "");
  const std::string log = Run(window, "mnunew_BlankCert");
  ASSERT_EQ(printers_.jobs.size(), 1u) << log;
  const std::string& copy = printers_.jobs[0].text;
  EXPECT_TRUE(Holds(copy, "County: \n")) << copy;
  EXPECT_TRUE(Holds(copy, "District: \n")) << copy;
  for (const char* absent : {"Alder", "10017", ": 01\n", "P-2"}) EXPECT_FALSE(Holds(copy, absent)) << absent;
  EXPECT_TRUE(Holds(copy, "County Office Statement"));
  EXPECT_EQ(log,
            "Reports Printing.. Date & Time: Dec-09-2019 14:35:07\n\n"
            "Property Tax\n\n\n"
            " Print Operation Completed.");
  EXPECT_FALSE(window.Menus().Item("mnunew_BlankCert").Checked());
}

// --- What the three share ------------------------------------------------------------------------

TEST_F(LettersTest, InACorrectionPeriodEveryCopySaysSoAndWithoutAPrinterNothingPrints) {
  for (const char* item : {"mnuNew_Certification", "mnu_Coe_Certification", "mnunew_BlankCert"}) {
    SCOPED_TRACE(item);
    Execute(CleanStatus(agencies::kDistrict));
    frmMain& window = OpenAs(As(2, agencies::kCounty, agencies::kOffice), "SCHOOL_DISTRICT_ID = 10017");
    window.Menus().Item("mnu_PY_P2").Checked(true);
    printers_.jobs.clear();
    Run(window, item);
    ASSERT_FALSE(printers_.jobs.empty());
    EXPECT_TRUE(Holds(printers_.jobs[0].text, "Levrona - Corrections")) << printers_.jobs[0].text;

    RecordingPrinters none({});
    dialogs_.AcknowledgeMessages(1);
    window.Menus().Click(item);
    const auto messages = dialogs_.TakeMessages();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].rfind("Cannot print due to a problem with the current printer setup.\r\n", 0), 0u);
    EXPECT_TRUE(none.jobs.empty());
    EXPECT_FALSE(window.Menus().Item("mnunew_BlankCert").Checked());
    EXPECT_TRUE(window.isEnabled());
    delete window_.data();
    Execute("UPDATE KRN_LEAS SET SELECTED = 'No'; UPDATE VHO_TORB_FORMS SET SELECTED = 'No'");
  }
}

// A copy that cannot be made, or that the printer refuses, is reported;
// Ignore goes on, the log says it failed, and the run ends with its log,
// the wait message closed and the window enabled.
TEST_F(LettersTest, AFailedCopyIsLoggedAsFailedAndTheRunEndsAsUsual) {
  Execute(CleanStatus(agencies::kDistrict));
  struct Case {
    const char* item;
    bool refusedJob;  // else the statements cannot be read
    int reports;
    const char* logged;
  };
  const Case cases[] = {
      {"mnuNew_Certification", true, 1, "\tLEA: 10017 - Print Failed due to Error(s) in Certification Process\n"},
      {"mnu_Coe_Certification", true, 1, "Property Tax\n\tLEA: 01-10017 - Print Failed\n"},
      {"mnunew_BlankCert", true, 1, "Property Tax\n\tLEA: 10017 - Print Failed\n"},
      {"mnuNew_Certification", false, 1, "\tLEA: 10017 - Print Failed due to Error(s) in Certification Process\n"},
      {"mnu_Coe_Certification", false, 1, "Date & Time: Dec-09-2019 14:35:07\n\n\n Print Operation Completed."},
      {"mnunew_BlankCert", false, 1, "Date & Time: Dec-09-2019 14:35:07\n\n\n Print Operation Completed."},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.item) + (c.refusedJob ? " refused" : " unreadable"));
    frmMain& window = OpenAs(As(2, agencies::kCounty, agencies::kOffice), "SCHOOL_DISTRICT_ID = 10017");
    printers_.refuseJobs = c.refusedJob;
    if (!c.refusedJob) Execute("ALTER TABLE TORB_FORM_GROUP_CERT RENAME TO STATEMENTS_AWAY");
    for (int i = 0; i < c.reports; ++i) dialogs_.AnswerMsgBox(c.refusedJob ? 1 : 5);  // OK, or Ignore
    const ScriptedClock clock(vb::CDate(Variant("2019-12-09 14:35:07")));
    const std::string log = Run(window, c.item);
    EXPECT_EQ(dialogs_.TakeMessages().size(), static_cast<std::size_t>(c.reports));
    EXPECT_TRUE(printers_.jobs.empty());
    EXPECT_TRUE(Holds(log, c.logged)) << log;
    EXPECT_TRUE(window.isEnabled());
    EXPECT_EQ(WaitMessage(), "");
    EXPECT_FALSE(window.Menus().Item("mnunew_BlankCert").Checked());
    if (!c.refusedJob) Execute("ALTER TABLE STATEMENTS_AWAY RENAME TO TORB_FORM_GROUP_CERT");
    printers_.refuseJobs = false;
    delete window_.data();
  }
}

TEST(CertificationTexts, ThePhoneAndTheStatementNumber) {
  for (const auto& [digits, text] : std::vector<std::pair<std::string, std::string>>{
           {"9165550123", "(916)555-0123 * "}, {"91655501234567", "(916)555-0123 * 4567"}, {"", "()- * "},
           {"91655", "(916)55- * "}})
    EXPECT_EQ(printing::ContactPhoneText(digits), text) << digits;
  EXPECT_EQ(printing::LetterStatementNumber("10017", 2), 2);
  EXPECT_EQ(printing::LetterStatementNumber("10017", 7), 1);
  EXPECT_EQ(printing::LetterStatementNumber("20001", 2), 1);
  EXPECT_EQ(printing::LetterStatementNumber("20001", 7), 1);
}

}  // namespace
