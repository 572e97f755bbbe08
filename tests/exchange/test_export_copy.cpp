// What the export run leaves in the file: the selection conditions of the
// exported pairs, the status rows each logon group keeps, the data and side
// tables pruned to them, the kept tables, the table of contents and the
// exporting agency's contact row.

#include <gtest/gtest.h>

#include "CertifiedExportFixture.h"
#include "db/Catalog.h"
#include "ui/Dialogs.h"
#include "vb/Conversions.h"

using Agency = CertifiedExportTest::Agency;
using Pair = CertifiedExport::Pair;

namespace {

// More forms, each of the kind its exporter in these tests has, more
// agencies of Vale County and a district of Ash County (21) that Vale
// County audits.
constexpr const char* kMore = R"(
INSERT INTO VHO_TORB_FORMS (FORM_NO, FORM_NAME, FORM_DISPLAY_NAME, CATEGORY, COE, REPORTING_PERIOD, FY_2019, OrderNo,
  Program_Type) VALUES
 (113, 'COUNTYMODEL', 'County Funding Model', 'A', 'Y', 'P-2', 'Y', 10, 2),
 (120, 'GATE', 'Gifted and Talented Education', 'A', 'Y', 'P-2', 'Y', 11, 2),
 (48, 'ATTCOECS', 'County Office Charter School Attendance', 'CA', 'Y', 'P-2', 'Y', 12, 2),
 (40, 'ATTCSACD', 'Charter School Attendance - Resident', 'CA', 'Y', 'P-2', 'Y', 13, 2),
 (44, 'ATTCSBGCOE', 'Charter Block Grant - County Office', 'CA', 'Y', 'P-2', 'Y', 14, 2),
 (41, 'ATTCS', 'Charter School Attendance', 'CA', 'N', 'P-2', 'Y', 15, 4),
 (88, 'SELPAADAALLOC', 'SELPA Attendance Allocation', 'S', 'N', 'P-2', 'Y', 16, 5),
 (50, 'CS_BA', 'Charter School ADA by District of Residence', 'CA', 'N', 'P-2', 'Y', 17, 3);
INSERT INTO KRN_LEAS (FISCAL_YEAR, COUNTY_ID, SCHOOL_DISTRICT_ID, SCHOOL_ID, SCHOOL_DISTRICT_NAME, SCHOOL_NAME,
  LEA_TYPE, STAT_TYPE, CS_BA_CHARTER_FILL_BY_DIST, AU_COUNTY) VALUES
 (2019, 19, 613, 0, 'Elm Elementary', '', 3, 'OPEN', 0, 19),
 (2019, 19, 612, 735, 'Oak "Grove" Unified', 'Birch Charter', 4, 'OPEN', 0, 19),
 (2019, 19, 619, 0, 'Vale SELPA', '', 5, 'OPEN', 0, 19),
 (2019, 21, 2101, 0, 'Ash Unified', '', 3, 'OPEN', 0, 19);
)";

// Ready, certified status rows of 2019 P-2: "(county, district, school, form)" tuples.
std::string Status(const std::string& keys) {
  return "INSERT INTO LEA_FORMS_STATUS (COUNTY_ID, SCHOOL_DISTRICT_ID, SCHOOL_ID, FORM_NO, FISCAL_YEAR, PERIOD_ID, "
         "CERTIFICATE_NUMBER, NUM_RECORD, NUM_ERROR, LAST_MODIFIED_DATE, LAST_EDIT_CHECK_DATE) SELECT column1, "
         "column2, column3, column4, 2019, 2, 7, 1, 0, '2026-12-01 10:00:00', '2026-12-01 10:00:00' FROM (VALUES " +
         keys + ");";
}

// Rows of a data table: "(year, period, county, district, school)" tuples.
std::string Data(const std::string& table, const std::string& keys, const std::string& more = {},
                 const std::string& values = {}) {
  return "INSERT INTO " + table + " (FISCAL_YEAR, PERIOD_ID, COUNTY_ID, SCHOOL_DISTRICT_ID, SCHOOL_ID" + more +
         ") SELECT column1, column2, column3, column4, column5" + values + " FROM (VALUES " + keys + ");";
}

}  // namespace

class ExportCopyTest : public CertifiedExportTest {
 protected:
  void SetUp() override {
    CertifiedExportTest::SetUp();
    Execute(kMore);
  }
  // "district/school:form" of the file's status rows, or "district/school"
  // of a table's rows of 2019 P-2.
  std::vector<std::string> StatusRows(const db::ConnectionPtr& file) {
    return Rows(file, "SELECT SCHOOL_DISTRICT_ID || '/' || SCHOOL_ID || ':' || FORM_NO FROM LEA_FORMS_STATUS ORDER BY 1");
  }
  std::vector<std::string> Keys(const db::ConnectionPtr& file, const std::string& table, bool allPeriods = false) {
    return Rows(file, "SELECT COUNTY_ID || '-' || SCHOOL_DISTRICT_ID || '/' || SCHOOL_ID FROM " + table +
                          (allPeriods ? "" : " WHERE FISCAL_YEAR = 2019 AND PERIOD_ID = 2") + " ORDER BY 1");
  }
  db::ConnectionPtr Exported(bool partial = false, bool priorYear = false) {
    return OpenFile(Export(partial, priorYear).WrittenFile());
  }
};

// --- The selection conditions ---------------------------------------------------------------------

TEST_F(ExportCopyTest, TheSelectionConditionsReadAsTheirTexts) {
  const db::ConnectionPtr copy = OpenDatabase();
  const struct {
    const char* what;
    std::vector<Pair> pairs;
    std::vector<std::string> texts;  // form exclusion and inclusion, agencies, counties, districts, schools
  } cases[] = {
      {"one pair",
       {{29, 612, 0, 7}},
       {"FORM_NO <> 29", "FORM_NO in (29)",
        "NOT ( (  school_district_id = 612 AND  county_id = 7 AND  school_id = 0 ) )", "( county_id <> 7 )",
        "( school_district_id <> 612 )", "( school_id <> 0 )"}},
      {"forms 101 and 102",
       {{101, 612, 0, 7}, {101, 613, 0, 7}, {102, 612, 0, 7}, {102, 613, 5, 8}},
       {"FORM_NO <> 101 AND  FORM_NO <> 102", "FORM_NO in (101,102)",
        "NOT ( (  school_district_id = 612 AND  county_id = 7 AND  school_id = 0 ) or (  school_district_id = 613 AND "
        " county_id = 7 AND  school_id = 0 ) or (  school_district_id = 612 AND  county_id = 7 AND  school_id = 0 ) or "
        "(  school_district_id = 613 AND  county_id = 8 AND  school_id = 5 ) )",
        "( county_id <> 7 and county_id <> 8 )", "( school_district_id <> 612 and school_district_id <> 613 )",
        "( school_id <> 0 and school_id <> 5 )"}},
  };
  for (auto c : cases) {
    const CertifiedExport::Conditions t = CertifiedExport::BuildConditions(c.pairs, *copy);
    EXPECT_EQ((std::vector<std::string>{t.formExclusion, t.formInclusion, t.negatedAgency, t.countyExclusion,
                                        t.districtExclusion, t.schoolExclusion}),
              c.texts)
        << c.what;
  }

  // A county office's 508 is recorded as 49 by the run; a district's first
  // 508 becomes 49 here, and a later 509 adds both.
  std::vector<Pair> office = {{49, 10610, 0, 61}};
  EXPECT_EQ(CertifiedExport::BuildConditions(office, *copy).formExclusion, "FORM_NO <> 49");
  std::vector<Pair> district = {{508, 612, 0, 7}, {509, 612, 0, 7}};
  const CertifiedExport::Conditions e = CertifiedExport::BuildConditions(district, *copy);
  EXPECT_EQ(e.formExclusion, "FORM_NO <> 508 AND  FORM_NO <> 509");
  EXPECT_EQ(e.formInclusion, "FORM_NO in (49,49,509)");
  EXPECT_EQ(district[0].form, 49);
}

// --- The status rows each logon group keeps --------------------------------------------------------

TEST_F(ExportCopyTest, EachLogonGroupKeepsItsStatusRows) {
  Execute(Status("(19, 612, 734, 29), (19, 613, 0, 29), (19, 612, 0, 27), (19, 613, 0, 27), (19, 612, 734, 27),"
                 "(19, 612, 734, 41), (19, 612, 735, 41), (19, 64733, 0, 41), (19, 619, 0, 88), (19, 619, 5, 88),"
                 "(19, 613, 0, 88)") +
          "UPDATE LEA_FORMS_STATUS SET NUM_ERROR = 0 WHERE FORM_NO = 27;"
          "INSERT INTO LEA_FORMS_STATUS (FISCAL_YEAR, PERIOD_ID, COUNTY_ID, SCHOOL_DISTRICT_ID, SCHOOL_ID, FORM_NO, "
          "NUM_RECORD) VALUES (2019, 2, 19, 64733, 0, 113, 4);");
  const struct {
    const char* what;
    std::int32_t group, district, school;
    bool selpaAu;
    std::vector<Agency> agencies;
    std::vector<int> forms;
    bool partial, priorYear;
    std::vector<std::string> kept;
  } cases[] = {
      {"a county office, everything: the county's rows but the district-filled charter's", 2, 64733, 0, false,
       {{19, 64733, 0, 2}}, {29}, false, false, {"612/0:29", "613/0:29", "64733/0:29"}},
      {"a county office, a partial choice", 2, 64733, 0, false, {{19, 64733, 0, 2}}, {29}, true, false,
       {"64733/0:29"}},
      {"a county office in prior-year mode: no row marked No", 2, 64733, 0, false, {{19, 64733, 0, 2, "Yes"}}, {29},
       false, true, {"64733/0:29"}},
      {"a county auditor", 7, 64733, 0, false, {{19, 64733, 0, 2}}, {29}, false, false,
       {"612/0:29", "613/0:29", "64733/0:29"}},
      {"a district: its own district's rows", 3, 612, 0, false, {{19, 612, 0, 3}}, {27}, false, false,
       {"612/0:27", "612/734:27"}},
      {"a district, a partial choice", 3, 612, 0, false, {{19, 612, 0, 3}}, {27}, true, false, {"612/0:27"}},
      {"a SELPA's administrative-unit district", 3, 612, 0, true, {{19, 612, 0, 3}}, {27}, false, false,
       {"612/0:27", "612/734:27"}},
      {"a charter school: its own rows", 4, 612, 734, false, {{19, 612, 734, 4}}, {41}, false, false, {"612/734:41"}},
      {"a SELPA: its district and school", 5, 619, 0, false, {{19, 619, 0, 5}}, {88}, false, false, {"619/0:88"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    Execute(c.priorYear ? "UPDATE LEA_FORMS_STATUS SET PY_FORMS_CORRECTED = CASE WHEN SCHOOL_DISTRICT_ID = 64733 "
                          "THEN 'Yes' ELSE 'No' END"
                        : "UPDATE LEA_FORMS_STATUS SET PY_FORMS_CORRECTED = 'No'");
    LogOn(c.group, 19, c.district, c.school, c.selpaAu);
    Choose(c.agencies, c.forms);
    EXPECT_EQ(StatusRows(Exported(c.partial, c.priorYear)), c.kept);
  }
}

TEST_F(ExportCopyTest, AnotherLogonGroupsFileWouldLackTheTablesOfItsOtherFormsAndIsNotWritten) {
  // Only the rows without certificate go: the other forms' status rows stay
  // while their tables were dropped, and the data step cannot prune them.
  LogOn(9, 19, 64733);
  Choose({{19, 64733, 0, 2}}, {29});
  dialogs_.AnswerMsgBox(ui::vbIgnore);
  dialogs_.AcknowledgeMessages(1);
  Export(false, false, false, 2, false);
  const std::vector<RecordedPrompt>& prompts = dialogs_.Prompts();
  ASSERT_EQ(prompts.size(), 2u);
  EXPECT_NE(prompts[0].text.find("The database has no table named 'EDS_CS'."), std::string::npos);
  EXPECT_EQ(prompts[1].text, "Export process failed. No file was written.");
  EXPECT_TRUE(ExportFolder().empty());
}

// --- The data and side tables ---------------------------------------------------------------------

TEST_F(ExportCopyTest, DataTablesKeepTheRowsOfTheirStatusRows) {
  Execute(Status("(19, 613, 0, 29), (19, 64733, 0, 113), (19, 612, 0, 113), (19, 613, 0, 113)") +
          Data("Tax", "(2019, 2, 19, 613, 0, 19, 613, 0)", ", RES_COUNTY_ID, RES_SCHOOL_DISTRICT_ID, TaxType",
               ", column6, column7, column8") +
          Data("COUNTYMODEL",
               "(2019, 2, 19, 612, 0), (2019, 2, 19, 612, 6120), (2019, 2, 19, 613, 0), (2019, 2, 20, 64750, 0),"
               "(2019, 1, 19, 612, 0), (2019, 2, 19, 614, 0)"));
  Choose({{19, 64733, 0, 2}}, {29, 113});
  const db::ConnectionPtr file = Exported();
  EXPECT_EQ(Keys(file, "Tax", true), (std::vector<std::string>{"19-612/0", "19-613/0", "19-64733/0", "19-64733/0"}));
  EXPECT_EQ(Keys(file, "COUNTYMODEL", true), (std::vector<std::string>{"19-612/0", "19-612/6120", "19-613/0"}))
      << "the district-keyed table keeps its school rows";
}

TEST_F(ExportCopyTest, KeptRowsTravelWithTheirRowidsAndValuesUnchanged) {
  // Values of every storage class, some in columns of another type, which
  // any conversion on the way would change.
  Execute(Status("(19, 613, 0, 29)") +
          "INSERT INTO Tax (rowid, FISCAL_YEAR, PERIOD_ID, COUNTY_ID, SCHOOL_DISTRICT_ID, SCHOOL_ID, RES_COUNTY_ID, "
          "RES_SCHOOL_DISTRICT_ID, TaxType, ResCountyName, Secured, Unsecured, HOX, Explanation, CERT_KEY) VALUES "
          "(9001, 2019, 2, 19, 613, 0, 19, 1, 0, '0042', '12.50', 'n/a', x'00ff', 7, NULL),"
          "(9002, 2019, 2, 19, 613, 0, 19, 2, 0, NULL, 1e300, -0.5, 3, 'It''s \"so\"', '12'),"
          "(9003, 2019, 1, 19, 613, 0, 19, 3, 0, 'a neighbour of another period', 1, 1, 1, '', 1);");
  const std::string values =
      "SELECT rowid, quote(ResCountyName), typeof(Secured), quote(Secured), quote(Unsecured), quote(HOX), "
      "quote(Explanation), quote(CERT_KEY) FROM Tax WHERE SCHOOL_DISTRICT_ID = 613 AND PERIOD_ID = 2 ORDER BY rowid";
  const std::vector<std::string> working = Rows(OpenDatabase(), values);
  ASSERT_EQ(working.size(), 2u);
  Choose({{19, 64733, 0, 2}}, {29});
  const db::ConnectionPtr file = Exported();
  EXPECT_EQ(Rows(file, values), working);
  EXPECT_EQ(Rows(file, "SELECT count(*) FROM Tax WHERE rowid = 9003"), std::vector<std::string>{"0"});
}

TEST_F(ExportCopyTest, GateKeepsTheCountysSchoolsOnlyForAFullChoice) {
  Execute(Status("(19, 64733, 0, 120), (19, 612, 0, 120)") +
          Data("GATE",
               "(2019, 2, 19, 64733, 0), (2019, 2, 19, 612, 0), (2019, 2, 19, 612, 6121), (2019, 2, 19, 613, 0),"
               "(2019, 2, 20, 64750, 6401), (2019, 1, 19, 612, 6121)"));
  Choose({{19, 64733, 0, 2}}, {120});
  EXPECT_EQ(Keys(Exported(), "GATE", true), (std::vector<std::string>{"19-612/0", "19-612/6121", "19-64733/0"}));
  // A county office that shows districts, with a partial choice.
  LogOn(2, 19, 64733, 0, false, 3);
  EXPECT_EQ(Keys(Exported(true), "GATE", true), std::vector<std::string>{"19-64733/0"});
}

TEST_F(ExportCopyTest, ACharterExportsItsAttendanceWithTheCompanionsAndItsOwnContactRow) {
  Execute(Status("(19, 612, 734, 41), (19, 612, 735, 41)") +
          Data("ATTCS", "(2019, 2, 19, 612, 734), (2019, 2, 19, 612, 735)") +
          Data("ATTCSTRACK", "(2019, 2, 19, 612, 734, 1), (2019, 2, 19, 612, 735, 1)", ", TrackNumber", ", column6") +
          Data("ATTCSADAALLOCATION", "(2019, 2, 19, 612, 734, 19, 612), (2019, 1, 19, 612, 734, 19, 612)",
               ", RES_COUNTY_ID, RES_SCHOOL_DISTRICT_ID", ", column6, column7"));
  LogOn(4, 19, 612, 734);
  Choose({{19, 612, 734, 4}}, {41});
  const db::ConnectionPtr file = Exported();
  for (const char* table : {"ATTCS", "ATTCSTRACK", "ATTCSADAALLOCATION"})
    EXPECT_EQ(Keys(file, table, true), std::vector<std::string>{"19-612/734"}) << table;
  EXPECT_FALSE(db::catalog::TableExists(*file, "ATTCSACDTRACK"));
  EXPECT_EQ(Rows(file, "SELECT SCHOOL_DISTRICT_ID, SCHOOL_ID, SCHOOL_NAME, CONTACT FROM ImportContactInfo"),
            std::vector<std::string>{"612|734|Acorn Charter|J O'Brien"});
}

TEST_F(ExportCopyTest, TheBlockGrantFamilyKeepsTheExportedAgenciesOfThePeriodAndCounty) {
  Execute(Status("(19, 64733, 0, 44)") +
          Data("ATTCSBGCOE", "(2019, 2, 19, 64733, 0, 44), (2019, 2, 19, 612, 0, 44), (2019, 1, 19, 64733, 0, 44)",
               ", FORM_NO", ", column6") +
          Data("ATTCSBGCOEADA", "(2019, 2, 19, 64733, 0, 19, 1), (2019, 2, 20, 64750, 0, 20, 1)",
               ", RES_COUNTY_ID, RES_SCHOOL_DISTRICT_ID", ", column6, column7"));
  Choose({{19, 64733, 0, 2}}, {44});
  const db::ConnectionPtr file = Exported();
  EXPECT_EQ(Keys(file, "ATTCSBGCOE", true), std::vector<std::string>{"19-64733/0"});
  EXPECT_EQ(Keys(file, "ATTCSBGCOEADA", true), std::vector<std::string>{"19-64733/0"});
}

TEST_F(ExportCopyTest, AnswersAndContactsFollowTheLogonGroup) {
  Execute("INSERT INTO TorbLeaNotes (FISCAL_YEAR, PERIOD_ID, COUNTY_ID, SCHOOL_DISTRICT_ID, SCHOOL_ID, TYPE) VALUES "
          "(2019, 2, 19, 612, 0, 'DISTRICT'), (2019, 2, 19, 64733, 0, 'TAX'), (2019, 2, 21, 2101, 0, 'DISTRICT'),"
          "(2019, 2, 19, 613, 0, 'DISTRICT');"
          "INSERT INTO ImportContactInfo (COUNTY_ID, SCHOOL_DISTRICT_ID, SCHOOL_ID, FISCAL_YEAR, PERIOD_ID) VALUES "
          "(19, 612, 0, 2019, 2), (21, 2101, 0, 2019, 2), (19, 612, 0, 2019, 1), (19, 613, 0, 2019, 2);" +
          Status("(19, 612, 0, 27)") + "UPDATE LEA_FORMS_STATUS SET NUM_ERROR = 0 WHERE FORM_NO = 27;");
  const struct {
    const char* what;
    std::int32_t group, district;
    std::vector<Agency> agencies;
    std::vector<int> forms;
    std::vector<std::string> answers, contacts;
  } cases[] = {
      {"a county office whose county audits Ash Unified", 2, 64733, {{19, 64733, 0, 2}}, {29},
       {"19-612/0", "19-613/0", "19-64733/0", "19-64733/0", "21-2101/0"},
       {"19-612/0", "19-613/0", "19-64733/0", "21-2101/0"}},
      {"a district", 3, 612, {{19, 612, 0, 3}}, {27}, {"19-612/0"}, {"19-612/0"}},
      {"a county auditor: the tax answers, no contacts", 7, 64733, {{19, 64733, 0, 2}}, {29}, {"19-64733/0"}, {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    LogOn(c.group, 19, c.district);
    Choose(c.agencies, c.forms);
    const db::ConnectionPtr file = Exported();
    EXPECT_EQ(Keys(file, "TorbLeaNotes", true), c.answers);
    EXPECT_EQ(Keys(file, "ImportContactInfo", true), c.contacts);
  }
  // Without audited districts the county office keeps its county's alone.
  Execute("UPDATE KRN_LEAS SET AU_COUNTY = 21 WHERE COUNTY_ID = 21");
  LogOn(2, 19, 64733);
  Choose({{19, 64733, 0, 2}}, {29});
  EXPECT_EQ(Keys(Exported(), "ImportContactInfo", true), (std::vector<std::string>{"19-612/0", "19-613/0", "19-64733/0"}));
}

TEST_F(ExportCopyTest, ADistrictFillingItsChartersBlockGrantHandsItOnUnderTheCountyOffice) {
  Execute(Status("(19, 612, 0, 50), (19, 612, 734, 50)") +
          Data("CS_BA", "(2019, 2, 19, 612, 734, 19, 612), (2019, 2, 19, 612, 0, 19, 612)",
               ", RES_COUNTY_ID, RES_SCHOOL_DISTRICT_ID", ", column6, column7"));
  LogOn(3, 19, 612);
  Choose({{19, 612, 0, 3}}, {50});
  const db::ConnectionPtr file = Exported();
  EXPECT_EQ(StatusRows(file), (std::vector<std::string>{"612/0:50", "64733/734:50"}));
  EXPECT_EQ(Keys(file, "CS_BA", true), (std::vector<std::string>{"19-612/0", "19-64733/734"}));
  EXPECT_EQ(Keys(file, "EXPORT_FILE_INFO", true), (std::vector<std::string>{"19-612/0", "19-64733/734"}));
  EXPECT_EQ(Keys(OpenDatabase(), "EXPORT_FILE_INFO WHERE FORM_GROUP_NAME = 'CS_BA'", true),
            (std::vector<std::string>{"19-612/0", "19-612/734"}))
      << "the working database keeps the district";
}

TEST_F(ExportCopyTest, AGroupOfTwoThousandStatusRowsPrunesThroughAKeyTable) {
  std::string agencies, rows;
  {
    const db::ConnectionPtr conn = OpenDatabase();
    db::Transaction trans(*conn);
    for (int d = 70000; d < 72000; ++d) {
      conn->Execute("INSERT INTO KRN_LEAS (FISCAL_YEAR, COUNTY_ID, SCHOOL_DISTRICT_ID, SCHOOL_ID, LEA_TYPE, STAT_TYPE) "
                    "VALUES (2019, 19, ?, 0, 3, 'OPEN')",
                    {vb::Variant(d)});
      conn->Execute(Status("(19, ?, 0, 29)"), {vb::Variant(d)});
      conn->Execute("INSERT INTO Tax (FISCAL_YEAR, PERIOD_ID, COUNTY_ID, SCHOOL_DISTRICT_ID, SCHOOL_ID, RES_COUNTY_ID, "
                    "RES_SCHOOL_DISTRICT_ID, TaxType) VALUES (2019, 2, 19, ?, 0, 19, ?, 1), (2019, 1, 19, ?, 0, 19, ?, 1)",
                    {vb::Variant(d), vb::Variant(d), vb::Variant(d), vb::Variant(d)});
    }
    trans.Commit();
  }
  Choose({{19, 64733, 0, 2}}, {29});
  const db::ConnectionPtr file = Exported();
  EXPECT_EQ(Rows(file, "SELECT count(*), min(SCHOOL_DISTRICT_ID), max(SCHOOL_DISTRICT_ID), max(PERIOD_ID), "
                       "max(COUNTY_ID) FROM Tax WHERE SCHOOL_DISTRICT_ID >= 70000"),
            std::vector<std::string>{"2000|70000|71999|2|19"});
  EXPECT_EQ(Rows(file, "SELECT count(*) FROM Tax"), std::vector<std::string>{"2003"});
}

// --- Kept tables, the table of contents and the contact row -----------------------------------------

TEST_F(ExportCopyTest, TheFileKeepsTheExportedFormsTablesWithTheirCompanions) {
  Execute(Status("(19, 64733, 0, 48), (19, 64733, 0, 40)") +
          "CREATE TABLE \"MixedCase\" (x); CREATE VIEW ExportedForms AS SELECT * FROM VHO_TORB_FORMS;");
  const struct {
    std::vector<int> forms;
    std::vector<std::string> kept, dropped;
  } cases[] = {
      {{29, 48}, {"Tax", "ATTCOECS", "ATTCOECSTRACK"}, {"ATTCSTRACK", "ATTCSACDTRACK", "ATTCSACD", "MixedCase", "TaxTotals", "ExportedForms"}},
      {{40}, {"ATTCSACD", "ATTCSACDTRACK"}, {"ATTCSTRACK", "ATTCS", "Tax", "ATTCOECSTRACK"}},
  };
  for (const auto& c : cases) {
    Choose({{19, 64733, 0, 2}}, c.forms);
    const db::ConnectionPtr file = Exported();
    for (const std::string& t : c.kept) EXPECT_TRUE(db::catalog::TableExists(*file, t)) << t;
    for (const std::string& t : c.dropped) EXPECT_FALSE(db::catalog::TableExists(*file, t)) << t;
  }
}

TEST_F(ExportCopyTest, AStatusRowWithoutDirectoryRowStaysWithoutContentsRow) {
  Execute(Status("(19, 614, 0, 29)"));
  Choose({{19, 64733, 0, 2}}, {29});
  const db::ConnectionPtr file = Exported();
  EXPECT_EQ(StatusRows(file), (std::vector<std::string>{"612/0:29", "614/0:29", "64733/0:29"}));
  EXPECT_EQ(Keys(file, "EXPORT_FILE_INFO"), (std::vector<std::string>{"19-612/0", "19-64733/0"}));
}

TEST_F(ExportCopyTest, TwoExportsLeaveOneWorkingRowWithTheLaterDate) {
  Choose({{19, 64733, 0, 2}}, {29});
  Export();
  clock_->Advance(3600);
  Export();
  EXPECT_EQ(ExportFolder().size(), 2u);
  EXPECT_EQ(Rows(OpenDatabase(), "SELECT CERTIFIED_DATE FROM EXPORT_FILE_INFO WHERE SCHOOL_DISTRICT_ID = 64733"),
            std::vector<std::string>{"12/9/2026 3:33:57 PM"});
  EXPECT_EQ(Rows(OpenDatabase(), "SELECT LAST_EXPORT_DATE FROM LEA_FORMS_STATUS WHERE SCHOOL_DISTRICT_ID = 64733 AND "
                                 "FORM_NO = 29 AND FISCAL_YEAR = 2019 AND PERIOD_ID = 2"),
            std::vector<std::string>{"12/9/2026 3:33:57 PM"});
}
