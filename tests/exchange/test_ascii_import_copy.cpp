// The copy of an accepted file's rows: new rows written with fresh
// certificate keys, stored rows replaced only after the user agrees, the
// keys bound, and a failure that leaves the table as it was.

#include <gtest/gtest.h>

#include <map>

#include "AsciiFile.h"
#include "AsciiImportCopy.h"
#include "AsciiImportFixture.h"
#include "CertifiedImport.h"
#include "clsMyCRC32.h"
#include "db/Catalog.h"
#include "ScriptedSeams.h"
#include "db/Recordset.h"
#include "db/SqlText.h"
#include "modCOECertification.h"
#include "modGlobals.h"
#include "vb/Conversions.h"

namespace {

class AsciiImportCopy : public AsciiImportTest {
 protected:
  // Loads the lines and copies them, answering each question from
  // `answers` in turn (recorded in `questions`).
  asciiimport::CopyCounts Copy(const std::vector<std::string>& lines, std::vector<std::int16_t> answers = {}) {
    std::size_t next = 0;
    const db::RecordsetPtr rows = asciiimport::LoadImportRows(lines, *modGlobals::SharedConnection(), next);
    asciiimport::CopyRun run = Run(asciifile::TableNameOf(lines[0]));
    run.ask = [this, answers](const std::string& message, const std::string& caption) -> std::int16_t {
      questions.push_back(message + " | " + caption);
      if (questions.size() > answers.size()) {
        ADD_FAILURE() << "unexpected question " << message;
        return 7;
      }
      return answers[questions.size() - 1];
    };
    report.clear();
    return asciiimport::CopyImportRows(run, *rows, report);
  }
  // A run of the fixture's scope, its questions recorded.
  asciiimport::CopyRun Run(const std::string& formName) {
    questions.clear();
    report.clear();
    asciiimport::CopyRun run;
    run.conn = modGlobals::SharedConnection();
    run.scope.year = 2019;
    run.scope.period = 2;
    run.scope.county = 19;
    run.formName = formName;
    return run;
  }
  // "residence district|Secured|CERT_KEY" of the stored Tax rows.
  std::vector<std::string> TaxRows() {
    std::vector<std::string> rows;
    for (auto rs = db::Recordset::Query("SELECT * FROM Tax ORDER BY RES_SCHOOL_DISTRICT_ID", OpenDatabase());
         !rs->Eof(); rs->MoveNext())
      rows.push_back(vb::CStr(rs->Value("RES_SCHOOL_DISTRICT_ID")) + "|" + asciifile::ValueText(rs->Value("Secured")) +
                     "|" + asciifile::ValueText(rs->Value("CERT_KEY")));
    return rows;
  }

  // The status row of one form and agency, "" when there is none:
  // certificate|records|errors|warnings|whether the edit-check date is
  // empty|reason|corrected|whether it was modified at the clock's time.
  std::string Status(int formNo, int district = 64733, int period = 2, int school = 0) {
    db::SqlText q;
    q << "SELECT CERTIFICATE_NUMBER, NUM_RECORD, NUM_ERROR, NUM_WARNING, LAST_EDIT_CHECK_DATE IS NULL, PY_REASON_CODE,"
         " PY_FORMS_CORRECTED, LAST_MODIFIED_DATE = "
      << db::Param(vb::Variant(clock.Now())) << " FROM LEA_FORMS_STATUS WHERE FISCAL_YEAR = 2019 AND PERIOD_ID = "
      << db::Param(period) << " AND COUNTY_ID = 19 AND SCHOOL_DISTRICT_ID = " << db::Param(district)
      << " AND SCHOOL_ID = " << db::Param(school) << " AND FORM_NO = " << db::Param(formNo);
    auto rs = db::Recordset::Query(q.Sql(), OpenDatabase(), q.Params());
    if (rs->Eof()) return "";
    std::string text;
    for (int i = 0; i < rs->FieldCount(); ++i) text += (i ? "|" : "") + asciifile::ValueText(rs->Value(i));
    return text;
  }
  // The certificate number of the stored rows of the Tax file's agency.
  std::string TaxCertificate() {
    auto rs = db::Recordset::Query("SELECT * FROM Tax WHERE SCHOOL_DISTRICT_ID = 64733", OpenDatabase());
    return std::to_string(modCOE::GetGroupCertKey(
        *rs, {"FISCAL_YEAR", "PERIOD_ID", "COUNTY_ID", "SCHOOL_DISTRICT_ID", "SCHOOL_ID", "TaxType",
              "RES_SCHOOL_DISTRICT_ID", "RES_COUNTY_ID"}));
  }

  ScriptedClock clock{vb::Date{43900.75}, 0};
  std::vector<std::string> questions;
  std::string report;
};

TEST_F(AsciiImportCopy, NewRowsAreWrittenWithoutAQuestionAndWithKeysOfTheirOwn) {
  std::vector<std::string> file = TaxFile();
  const asciiimport::CopyCounts counts = Copy(file);
  EXPECT_TRUE(questions.empty());
  EXPECT_EQ(counts.copied, 2);
  const std::vector<std::string> stored = TaxRows();
  ASSERT_EQ(stored.size(), 2u);
  EXPECT_EQ(report, "Import Group: Property Tax\r\n\tNumber of Records Skipped     = 0\r\n"
                    "\tNumber of Records Copied      = 2\r\n\tNumber of Records Overwritten = 0\r\n\r\n");
  // The file's keys (11 and 12, 0, or none at all) do not count.
  for (const char* key : {"0", ""}) {
    Execute("DELETE FROM Tax");
    for (std::string& line : file)
      if (line.starts_with("Tax,2019")) line = line.substr(0, line.rfind(',') + 1) + key;
    Copy(file);
    EXPECT_EQ(TaxRows(), stored) << "file key '" << key << "'";
  }
  EXPECT_FALSE(stored[0].ends_with("|11")) << stored[0];
  EXPECT_FALSE(stored[0].ends_with("|")) << stored[0];
}

TEST_F(AsciiImportCopy, StoredRowsAreReplacedOnlyAfterTheUserAgrees) {
  const std::vector<std::string> file = TaxFile();
  const struct {
    const char* name;
    std::vector<std::int16_t> answers;
    std::size_t questions;
    int skipped, copied, overwritten;
  } cases[] = {
      {"No, Yes", {7, 6}, 2, 1, 0, 1},
      {"No to All", {2}, 1, 2, 0, 0},
      {"Yes to All", {1}, 1, 0, 0, 2},
  };
  for (const auto& c : cases) {
    Execute("DELETE FROM Tax");
    Copy(file);
    Execute("UPDATE Tax SET Secured = 5");
    questions.clear();
    const asciiimport::CopyCounts counts = Copy(file, c.answers);
    EXPECT_EQ(questions.size(), c.questions) << c.name;
    EXPECT_EQ(counts.skipped, c.skipped) << c.name;
    EXPECT_EQ(counts.copied, c.copied) << c.name;
    EXPECT_EQ(counts.overwritten, c.overwritten) << c.name;
    int replaced = 0;
    for (const std::string& row : TaxRows()) replaced += row.find("|5|") == std::string::npos;
    EXPECT_EQ(replaced, c.overwritten) << c.name;
  }
  ASSERT_FALSE(questions.empty());
  EXPECT_EQ(questions[0],
            "Record for  FISCAL_YEAR=2019 and  PERIOD_ID=2 and  COUNTY_ID=19 and  SCHOOL_DISTRICT_ID=64733 and "
            " SCHOOL_ID = 0 and  RES_SCHOOL_DISTRICT_ID=10199 and  RES_COUNTY_ID=19 already exists. Do you want to"
            " Overwrite? | Importing ASCII File - Property Tax");
}

TEST_F(AsciiImportCopy, AfterANoANewRowIsCopied) {
  const std::vector<std::string> file = TaxFile();
  Copy({file[0], file[1]});
  const asciiimport::CopyCounts counts = Copy(file, {7});
  EXPECT_EQ(counts.skipped, 1);
  EXPECT_EQ(counts.copied, 1);
  EXPECT_EQ(TaxRows().size(), 2u);
}

TEST_F(AsciiImportCopy, AFailureOnALaterRowLeavesTheTableAsItWas) {
  const std::vector<std::string> file = TaxFile();
  Copy({file[0], file[2]});
  const std::vector<std::string> before = TaxRows();
  Execute("CREATE TRIGGER refuse BEFORE INSERT ON Tax WHEN NEW.RES_SCHOOL_DISTRICT_ID = 64741"
          " BEGIN SELECT RAISE(ABORT, 'refused'); END");
  const std::string status = Status(29);
  EXPECT_THROW(Copy(file, {6}), vb::VbError);
  EXPECT_EQ(TaxRows(), before);
  EXPECT_EQ(Status(29), status);
}

TEST_F(AsciiImportCopy, ARowTheTableRefusesForAnotherReasonFailsTheRunWithoutAQuestion) {
  // The second row breaks a unique index beside the key: it is no stored
  // row to ask about, and the run fails having written nothing.
  Execute("CREATE UNIQUE INDEX one_row_per_agency ON Tax (FISCAL_YEAR, PERIOD_ID, COUNTY_ID, SCHOOL_DISTRICT_ID)");
  const std::string status = Status(29);
  EXPECT_THROW(Copy(TaxFile()), vb::VbError);
  EXPECT_TRUE(questions.empty());
  EXPECT_TRUE(TaxRows().empty());
  EXPECT_EQ(Status(29), status);
}

TEST_F(AsciiImportCopy, TheAgencysStatusRowShowsTheCertificateOfItsStoredRows) {
  const std::vector<std::string> file = TaxFile();
  Copy(file);
  ASSERT_NE(TaxCertificate(), "0");
  EXPECT_EQ(Status(29), TaxCertificate() + "|2|0|0|1|0|No|1");
  // Rewritten after an overwrite; untouched when nothing is written.
  Execute("UPDATE LEA_FORMS_STATUS SET NUM_ERROR = 3, PY_REASON_CODE = 4, PY_FORMS_CORRECTED = 'Yes',"
          " LAST_EDIT_CHECK_DATE = '2020-01-01'");
  Copy(file, {2});
  EXPECT_EQ(Status(29), TaxCertificate() + "|2|3|0|0|4|Yes|1");
  Copy(file, {1});
  EXPECT_EQ(Status(29), TaxCertificate() + "|2|0|0|1|4|Yes|1");
  // A stored row the run leaves alone still counts beside a new one.
  Execute("DELETE FROM Tax WHERE RES_SCHOOL_DISTRICT_ID = 64741");
  Execute("UPDATE LEA_FORMS_STATUS SET CERTIFICATE_NUMBER = 1, NUM_RECORD = 1");
  EXPECT_EQ(Copy(file, {7}).copied, 1);
  EXPECT_EQ(Status(29), TaxCertificate() + "|2|0|0|1|4|Yes|1");
}

TEST_F(AsciiImportCopy, AStatusRowIsWrittenOnlyWhereTheImportFindsIt) {
  const asciiimport::ImportAgency agency{2019, 2, 19, 64733, 7};
  // A district form's row is found whatever its school: the first of
  // several is changed, none added.
  Execute("INSERT INTO LEA_FORMS_STATUS (FISCAL_YEAR, PERIOD_ID, COUNTY_ID, SCHOOL_DISTRICT_ID, SCHOOL_ID, FORM_NO,"
          " CERTIFICATE_NUMBER, NUM_RECORD, PY_REASON_CODE, PY_FORMS_CORRECTED) VALUES"
          " (2019, 2, 19, 64733, 5, 21, 1, 1, 3, 'Yes'), (2019, 2, 19, 64733, 6, 21, 1, 1, 3, 'Yes')");
  asciiimport::UpdateCOEFormsStatus(*OpenDatabase(), 21, agency, 77, 9, clock.Now());
  EXPECT_EQ(Status(21, 64733, 2, 5), "77|9|0|0|1|3|Yes|1");
  EXPECT_EQ(Status(21, 64733, 2, 6), "1|1|||1|3|Yes|");
  EXPECT_EQ(Status(21, 64733, 2, 7), "");
  // A new row: reason 0, 'No'; the school for a school-level form only.
  asciiimport::UpdateCOEFormsStatus(*OpenDatabase(), 102, agency, 78, 2, clock.Now());
  EXPECT_EQ(Status(102, 64733, 2, 7), "78|2|0|0|1|0|No|1");
  asciiimport::UpdateCOEFormsStatus(*OpenDatabase(), 29, agency, 79, 3, clock.Now());
  EXPECT_EQ(Status(29, 64733, 2, 0), "79|3|0|0|1|0|No|1");
}

TEST_F(AsciiImportCopy, DependentFormsLoseTheirEditCheckResults) {
  // Status rows of the district (school 0, and school 7 for form 102)
  // that hold an edit-check result; form 89 never depends on anything.
  const struct {
    const char* name;
    int formNo;
    int period;
    std::vector<std::pair<int, int>> present;  // further status rows: form, period
    std::vector<std::pair<int, int>> reset;    // status rows reset: form, period
  } cases[] = {
      {"21 with its status row", 21, 2, {{21, 2}}, {{111, 2}, {112, 2}}},
      {"21 without", 21, 2, {}, {}},
      {"23 beside 26", 23, 2, {{26, 2}}, {{88, 2}}},
      {"23 alone", 23, 2, {{23, 2}}, {}},
      {"26", 26, 2, {{26, 2}}, {{88, 2}, {91, 2}}},
      {"102 at P-1", 102, 1, {}, {{102, 2}, {102, 3}}},
      {"102 at P-2", 102, 2, {}, {{102, 3}}},
      {"102 Annual", 102, 3, {}, {}},
      {"another form", 29, 2, {{21, 2}, {26, 2}}, {}},
  };
  const std::pair<int, int> watched[] = {{111, 2}, {112, 2}, {88, 2}, {91, 2}, {102, 2}, {102, 3}, {111, 1}};
  for (const auto& c : cases) {
    Execute("DELETE FROM LEA_FORMS_STATUS");
    for (const auto& [form, period] : watched)
      Execute("INSERT INTO LEA_FORMS_STATUS (FISCAL_YEAR, PERIOD_ID, COUNTY_ID, SCHOOL_DISTRICT_ID, SCHOOL_ID,"
              " FORM_NO, NUM_RECORD, NUM_ERROR, NUM_WARNING, LAST_EDIT_CHECK_DATE) VALUES (2019, " +
              std::to_string(period) + ", 19, 64733, " + (form == 102 ? "7" : "0") + ", " + std::to_string(form) +
              ", 4, 2, 1, '2020-01-01')");
    // The same forms of the district's other school and a neighbour district.
    Execute("INSERT INTO LEA_FORMS_STATUS (FISCAL_YEAR, PERIOD_ID, COUNTY_ID, SCHOOL_DISTRICT_ID, SCHOOL_ID,"
            " FORM_NO, NUM_RECORD, NUM_ERROR) SELECT FISCAL_YEAR, PERIOD_ID, COUNTY_ID, SCHOOL_DISTRICT_ID + 1,"
            " SCHOOL_ID, FORM_NO, NUM_RECORD, NUM_ERROR FROM LEA_FORMS_STATUS");
    Execute("INSERT INTO LEA_FORMS_STATUS (FISCAL_YEAR, PERIOD_ID, COUNTY_ID, SCHOOL_DISTRICT_ID, SCHOOL_ID,"
            " FORM_NO, NUM_RECORD, NUM_ERROR) VALUES (2019, 3, 19, 64733, 8, 102, 4, 2)");
    for (const auto& [form, period] : c.present)
      Execute("INSERT OR IGNORE INTO LEA_FORMS_STATUS (FISCAL_YEAR, PERIOD_ID, COUNTY_ID, SCHOOL_DISTRICT_ID,"
              " FORM_NO, NUM_RECORD) VALUES (2019, " + std::to_string(period) + ", 19, 64733, " +
              std::to_string(form) + ", 1)");
    asciiimport::ResetDependentForms(*OpenDatabase(), c.formNo, {2019, c.period, 19, 64733, 7});
    for (const auto& watch : watched) {
      const bool reset = std::find(c.reset.begin(), c.reset.end(), watch) != c.reset.end();
      const std::string row = Status(watch.first, 64733, watch.second, watch.first == 102 ? 7 : 0);
      EXPECT_EQ(row, reset ? "|4|0|0|1|0|No|" : "|4|2|1|0|0|No|")
          << c.name << ": form " << watch.first << " period " << watch.second;
    }
    EXPECT_EQ(vb::CLng(OpenDatabase()->Scalar("SELECT COUNT(*) FROM LEA_FORMS_STATUS WHERE NUM_ERROR = 0")),
              static_cast<int>(c.reset.size()))
        << c.name << ": only the district's own rows are reset";
  }
  // Rows without records are left as they are, and none is created.
  Execute("DELETE FROM LEA_FORMS_STATUS");
  Execute("INSERT INTO LEA_FORMS_STATUS (FISCAL_YEAR, PERIOD_ID, COUNTY_ID, SCHOOL_DISTRICT_ID, SCHOOL_ID, FORM_NO,"
          " NUM_RECORD, NUM_ERROR) VALUES (2019, 2, 19, 64733, 7, 102, 0, 2), (2019, 3, 19, 64733, 7, 102, NULL, 2)");
  asciiimport::ResetDependentForms(*OpenDatabase(), 102, {2019, 1, 19, 64733, 7});
  EXPECT_EQ(vb::CLng(OpenDatabase()->Scalar("SELECT COUNT(*) FROM LEA_FORMS_STATUS WHERE NUM_ERROR = 2")), 2);
  EXPECT_EQ(vb::CLng(OpenDatabase()->Scalar("SELECT COUNT(*) FROM LEA_FORMS_STATUS")), 2);
}

TEST_F(AsciiImportCopy, KeysAreBoundSoAnApostropheReplacesOnlyItsOwnRow) {
  Execute("INSERT INTO VHO_TORB_FORMS (FORM_NO, FORM_NAME, FORM_DISPLAY_NAME, CATEGORY) VALUES"
          " (401, 'SECOSTPOOL', 'Cost Pool', 'S')");
  const auto row = [](const std::string& license) {
    return "SECOSTPOOL,2019,2,19,64733,0,19," + license + ",S1,Name,,,100,0,";
  };
  Execute("INSERT INTO SECOSTPOOL (FISCAL_YEAR, PERIOD_ID, COUNTY_ID, SCHOOL_DISTRICT_ID, SCHOOL_ID, SELPALOCATION,"
          " LICENSENUMBER, HOLBRINStudentID, TotalNonPubSinglePlace) VALUES"
          " (2019, 2, 19, 64733, 0, 19, 'A''B', 'S1', 1), (2019, 2, 19, 64733, 0, 19, 'x', 'S1', 1),"
          " (2019, 2, 19, 64733, 0, 19, 'y', 'S1', 1)");
  const asciiimport::CopyCounts counts = Copy({"SECOSTPOOL,labels", row("A'B"), row("x' or '1'='1")}, {1});
  EXPECT_EQ(counts.overwritten, 1);
  EXPECT_EQ(counts.copied, 1);
  std::vector<std::string> stored;
  for (auto rs = db::Recordset::Query("SELECT LICENSENUMBER, TotalNonPubSinglePlace FROM SECOSTPOOL ORDER BY 1",
                                      OpenDatabase());
       !rs->Eof(); rs->MoveNext())
    stored.push_back(vb::CStr(rs->Value(0)) + "=" + asciifile::ValueText(rs->Value(1)));
  EXPECT_EQ(stored, (std::vector<std::string>{"A'B=100", "x=1", "x' or '1'='1=100", "y=1"}));
}

}  // namespace

namespace {

class AsciiImportInfantFunding : public AsciiImportCopy {
 protected:
  void SetUp() override {
    AsciiImportCopy::SetUp();
    file = InfantFundingFile();
  }
  asciiimport::CopyCounts CopyWithBlocks(std::vector<std::int16_t> answers = {}) { return CopyFile(file, answers); }
  // Checks the lines as the window does, then copies them with the
  // blocks the check found.
  asciiimport::CopyCounts CopyFile(const std::vector<std::string>& lines, std::vector<std::int16_t> answers = {},
                                   int period = 2) {
    asciiimport::Scope scope = Scope();
    scope.ReportPeriod = period;
    const asciiimport::Verdict verdict = asciiimport::ValidateImportFile(lines, scope);
    EXPECT_TRUE(verdict.accepted) << verdict.rule << " at line " << verdict.line;
    const db::RecordsetPtr rows = verdict.rows;
    if (!rows) return {};
    asciiimport::CopyRun run = Run("INFANTFUNDING");
    run.lines = &lines;
    run.blocksFrom = verdict.blocksFrom;
    run.allocationBlock = verdict.allocationBlock;
    run.transferBlock = verdict.transferBlock;
    run.ask = [this, answers](const std::string& message, const std::string&) -> std::int16_t {
      questions.push_back(message);
      return questions.size() <= answers.size() ? answers[questions.size() - 1] : 7;
    };
    return asciiimport::CopyImportRows(run, *rows, report);
  }
  std::int32_t CertificateOf(const std::string& table, int district = 64790) {
    auto rs = db::Recordset::Query("SELECT * FROM " + table + " WHERE SCHOOL_DISTRICT_ID = " + std::to_string(district),
                                   OpenDatabase());
    return modCOE::GetGroupCertKey(*rs, db::catalog::PrimaryKey(*OpenDatabase(), table));
  }
  long Count(const std::string& sql) { return vb::CLng(OpenDatabase()->Scalar(sql)); }

  std::vector<std::string> file;
};

TEST_F(AsciiImportInfantFunding, BlocksAreCopiedAndTheStatusRowCarriesTheCombinedCertificate) {
  const asciiimport::CopyCounts counts = CopyWithBlocks();
  EXPECT_EQ(counts.copied, 3);
  EXPECT_EQ(Count("SELECT COUNT(*) FROM InfantFundingAllocation WHERE CERT_KEY <> 0"), 1);
  EXPECT_EQ(Count("SELECT COUNT(*) FROM InfantFundingTransfer WHERE CERT_KEY <> 0"), 1);
  const std::int32_t combined = CertifiedImport::JoinedKeysCertificate(
      {CertificateOf("INFANTFUNDING"), CertificateOf("InfantFundingAllocation"), CertificateOf("InfantFundingTransfer")});
  ASSERT_NE(combined, 0);
  EXPECT_EQ(Status(102, 64790), std::to_string(combined) + "|3|0|0|1|0|No|1");
  // No to All on the main row: nothing is written, the blocks count as skipped.
  const asciiimport::CopyCounts again = CopyWithBlocks({2});
  EXPECT_EQ(again.skipped, 3);
  EXPECT_EQ(again.copied + again.overwritten, 0);
  // Yes: the blocks replace their rows without a question.
  Execute("UPDATE InfantFundingTransfer SET TrSDC1 = 9");
  const asciiimport::CopyCounts replaced = CopyWithBlocks({6});
  EXPECT_EQ(questions.size(), 1u);
  EXPECT_EQ(replaced.overwritten, 3);
  EXPECT_EQ(Count("SELECT TrSDC1 FROM InfantFundingTransfer"), 3);
}

TEST_F(AsciiImportInfantFunding, TwoAgenciesEachGetTheirCombinedStatusRow) {
  // Birch SELPA (64791) reports for its school 6479101; it has allocation
  // rows but no transfer. Both agencies hold status rows of P-2 and Annual
  // with edit-check results.
  Execute("INSERT INTO KRN_LEAS (FISCAL_YEAR, COUNTY_ID, SCHOOL_DISTRICT_ID, SCHOOL_ID, COUNTY_NAME,"
          " SCHOOL_DISTRICT_NAME, LEA_TYPE, STAT_TYPE, INFANTPROGRAM) VALUES"
          " (2019, 19, 64791, 6479101, 'Elm County', 'Birch SELPA', 5, 'OPEN', -1);"
          "INSERT INTO LEA_FORMS_STATUS (FISCAL_YEAR, PERIOD_ID, COUNTY_ID, SCHOOL_DISTRICT_ID, SCHOOL_ID, FORM_NO,"
          " NUM_RECORD, NUM_ERROR, LAST_EDIT_CHECK_DATE) VALUES (2019, 2, 19, 64790, 0, 102, 7, 2, '2020-01-01'),"
          " (2019, 3, 19, 64790, 0, 102, 7, 2, '2020-01-01'), (2019, 3, 19, 64791, 6479101, 102, 7, 2, '2020-01-01')");
  const std::map<std::string, std::string> elm = {{"SCHOOL_DISTRICT_ID", "64790"}, {"SCHOOL_ID", "0"}};
  const std::map<std::string, std::string> birch = {{"SCHOOL_DISTRICT_ID", "64791"}, {"SCHOOL_ID", "6479101"}};
  const auto with = [](std::map<std::string, std::string> row, const std::map<std::string, std::string>& more) {
    row.insert(more.begin(), more.end());
    return row;
  };
  const std::map<std::string, std::string> allocation = {{"SELPAAUDIST", "64733"}, {"SELPAAUDISTSCHOOLID", "0"}};
  std::vector<std::string> lines = FileOf("INFANTFUNDING", {with(elm, {{"INSESDC1", "1"}}), with(birch, {{"INSESDC1", "2"}})});
  lines.push_back("End");
  for (const std::string& line : FileOf("InfantFundingAllocation", {with(elm, with(allocation, {{"P1ALLOCSDC1SE", "2.5"}})),
                                                                     with(birch, with(allocation, {{"P1ALLOCSDC1SE", "1.5"}}))}))
    lines.push_back(line);
  lines.push_back("End");
  lines.push_back(file[6]);
  lines.push_back(file[7]);

  const asciiimport::CopyCounts counts = CopyFile(lines);
  EXPECT_EQ(counts.copied, 5);
  for (const char* table : {"INFANTFUNDING", "InfantFundingAllocation", "InfantFundingTransfer"})
    EXPECT_EQ(Count(std::string("SELECT COUNT(*) FROM ") + table + " WHERE CERT_KEY IS NULL OR CERT_KEY = 0"), 0)
        << table;
  EXPECT_EQ(Count("SELECT COUNT(*) FROM InfantFundingTransfer"), 1);
  const std::int32_t elmKey = CertifiedImport::JoinedKeysCertificate(
      {CertificateOf("INFANTFUNDING"), CertificateOf("InfantFundingAllocation"), CertificateOf("InfantFundingTransfer")});
  const std::int32_t birchKey = CertifiedImport::JoinedKeysCertificate(
      {CertificateOf("INFANTFUNDING", 64791), CertificateOf("InfantFundingAllocation", 64791)});
  EXPECT_NE(elmKey, birchKey);
  EXPECT_EQ(Status(102, 64790), std::to_string(elmKey) + "|3|0|0|1|0|No|1");
  EXPECT_EQ(Status(102, 64791, 2, 6479101), std::to_string(birchKey) + "|2|0|0|1|0|No|1");
  // Their Annual rows lose the edit-check results and keep their counts.
  EXPECT_EQ(Status(102, 64790, 3), "|7|0|0|1|0|No|");
  EXPECT_EQ(Status(102, 64791, 3, 6479101), "|7|0|0|1|0|No|");
}

TEST_F(AsciiImportInfantFunding, ATransferOnlyFileFillsTheTransferTableAlone) {
  const std::vector<std::string> transferOnly = {file[0], file[1], file[2], file[6], file[7]};
  const asciiimport::CopyCounts counts = CopyFile(transferOnly);
  EXPECT_EQ(counts.copied, 2);
  EXPECT_EQ(Count("SELECT COUNT(*) FROM InfantFundingAllocation"), 0);
  EXPECT_EQ(Count("SELECT COUNT(*) FROM InfantFundingTransfer WHERE CERT_KEY <> 0"), 1);
  const std::int32_t key = CertifiedImport::JoinedKeysCertificate(
      {CertificateOf("INFANTFUNDING"), 0, CertificateOf("InfantFundingTransfer")});
  EXPECT_EQ(Status(102, 64790), std::to_string(key) + "|2|0|0|1|0|No|1");
}

TEST_F(AsciiImportInfantFunding, AFirstPeriodFileResetsTheLaterPeriodsASecondPeriodFileTheAnnual) {
  const struct {
    int period;
    std::vector<int> reset;  // of the periods 1, 2, 3 other than the file's
  } cases[] = {{1, {2, 3}}, {2, {3}}};
  for (const auto& c : cases) {
    Execute("DELETE FROM INFANTFUNDING; DELETE FROM InfantFundingAllocation; DELETE FROM InfantFundingTransfer;"
            "DELETE FROM LEA_FORMS_STATUS");
    for (int period : {1, 2, 3})
      Execute("INSERT INTO LEA_FORMS_STATUS (FISCAL_YEAR, PERIOD_ID, COUNTY_ID, SCHOOL_DISTRICT_ID, SCHOOL_ID, FORM_NO,"
              " NUM_RECORD, NUM_ERROR, LAST_EDIT_CHECK_DATE) VALUES (2019, " + std::to_string(period) +
              ", 19, 64790, 0, 102, 7, 2, '2020-01-01')");
    std::vector<std::string> lines = file;
    for (std::string& line : lines)
      if (line.find(",2019,2,") != std::string::npos) line = WithField(line, 2, std::to_string(c.period));
    CopyFile(lines, {}, c.period);
    EXPECT_EQ(Count("SELECT COUNT(*) FROM INFANTFUNDING WHERE PERIOD_ID = " + std::to_string(c.period)), 1);
    EXPECT_EQ(Status(102, 64790, c.period).substr(Status(102, 64790, c.period).find('|')), "|3|0|0|1|0|No|1")
        << "P-" << c.period;
    for (int period : {1, 2, 3}) {
      if (period == c.period) continue;
      const bool reset = std::find(c.reset.begin(), c.reset.end(), period) != c.reset.end();
      EXPECT_EQ(Status(102, 64790, period), reset ? "|7|0|0|1|0|No|" : "|7|2||0|0|No|")
          << "file of P-" << c.period << ", status row of period " << period;
    }
  }
}

TEST_F(AsciiImportInfantFunding, TheCombinedCertificateJoinsTheKeysThatAreNotZero) {
  CopyWithBlocks();
  const std::int32_t f = CertificateOf("INFANTFUNDING"), a = CertificateOf("InfantFundingAllocation"),
                     t = CertificateOf("InfantFundingTransfer");
  const asciiimport::ImportAgency agency{2019, 2, 19, 64790, 0};
  const asciiimport::ImportAgency other{2019, 2, 19, 64733, 0};
  const struct {
    const char* name;
    std::int32_t formNo;
    asciiimport::ImportAgency agency;
    std::int32_t formCertificate;
    std::int32_t certificate, records;
  } cases[] = {
      {"F alone", 102, other, f, CertifiedImport::JoinedKeysCertificate({f}), 1},
      {"F A T", 102, agency, f, CertifiedImport::JoinedKeysCertificate({f, a, t}), 3},
      {"all zero", 102, other, 0, 0, 1},
      {"another form", 29, agency, f, 0, 1},
  };
  for (const auto& c : cases) {
    const asciiimport::GroupKey key =
        asciiimport::getGroupCertKey(OpenDatabase(), {}, c.formNo, c.agency, c.formCertificate, 1);
    EXPECT_EQ(key.certificate, c.certificate) << c.name;
    EXPECT_EQ(key.records, c.records) << c.name;
  }
  EXPECT_EQ(CertifiedImport::JoinedKeysCertificate({12, 0, -7}), clsMyCRC32().GetCRC32("12-7"));
}

}  // namespace

namespace {

TEST_F(AsciiImportCopy, AWideAttendanceRowIsStoredEqualToItsLineWithAKeyOfItsOwn) {
  Execute("INSERT OR IGNORE INTO VHO_TORB_FORMS (FORM_NO, FORM_NAME, FORM_DISPLAY_NAME, CATEGORY) VALUES"
          " (21, 'ATT_SD', 'Attendance - School District', 'A')");
  Execute("INSERT INTO ATT_SD (FISCAL_YEAR, PERIOD_ID, COUNTY_ID, SCHOOL_DISTRICT_ID, SCHOOL_ID,"
          " RegularADA_GradesTKTO3, CERT_KEY) VALUES (2019, 2, 19, 64733, 0, 12.5, 99)");
  std::vector<std::string> file = Exported("ATT_SD", 21, 64733);
  Execute("DELETE FROM ATT_SD");
  const asciiimport::CopyCounts counts = Copy(file);
  EXPECT_EQ(counts.copied, 1);
  // Exported again, the row reads as the file did but for its key.
  const std::vector<std::string> again = Exported("ATT_SD", 21, 64733);
  ASSERT_EQ(again.size(), file.size());
  const auto withoutKey = [](const std::string& line) { return line.substr(0, line.rfind(',')); };
  EXPECT_EQ(withoutKey(again[1]), withoutKey(file[1]));
  EXPECT_NE(again[1].substr(again[1].rfind(',') + 1), "99");
  EXPECT_NE(again[1].substr(again[1].rfind(',') + 1), "0");
  EXPECT_EQ(Status(21).substr(Status(21).find('|')), "|1|0|0|1|0|No|1");
}

}  // namespace

namespace {

TEST_F(AsciiImportCopy, WideRowsAreWrittenThirtyColumnsBesidesTheKeyAtATime) {
  const db::ConnectionPtr conn = OpenDatabase();
  // Test tables of the five key columns and n - 5 further columns.
  const auto create = [&](int columns) {
    const std::string name = "Wide" + std::to_string(columns);
    std::string sql = "CREATE TABLE " + name +
                      " (FISCAL_YEAR INTEGER NOT NULL, PERIOD_ID INTEGER NOT NULL, COUNTY_ID INTEGER NOT NULL,"
                      " SCHOOL_DISTRICT_ID INTEGER NOT NULL, SCHOOL_ID INTEGER NOT NULL";
    for (int i = 6; i <= columns; ++i) sql += ", C" + std::to_string(i) + " DOUBLE";
    Execute(sql + ", PRIMARY KEY (FISCAL_YEAR, PERIOD_ID, COUNTY_ID, SCHOOL_DISTRICT_ID, SCHOOL_ID))");
    return name;
  };
  const struct {
    std::string table;
    int statements;
  } cases[] = {{create(35), 1}, {create(36), 2}, {create(66), 3}, {"ATT_SD", 5}};
  for (const auto& c : cases) {
    if (c.table == "ATT_SD") {
      ASSERT_EQ(db::catalog::ColumnNames(*conn, "ATT_SD").size(), 131u);
    }
    const db::RecordsetPtr row = db::Recordset::Query("SELECT * FROM " + c.table + " WHERE 1 <> 1", conn);
    row->ActiveConnection(nullptr);
    row->AddNew();
    for (int i = 0; i < row->FieldCount(); ++i) row->SetValue(i, vb::Variant(i < 5 ? 2019 - 2017 * (i == 1) : i + 0.5));
    row->Update();
    EXPECT_EQ(asciiimport::SplitAndUpdateTable(*conn, *row, c.table), c.statements) << c.table;
    const db::RecordsetPtr stored = db::Recordset::Query("SELECT * FROM " + c.table, conn);
    ASSERT_EQ(stored->RecordCount(), 1) << c.table;
    for (int i = 0; i < row->FieldCount(); ++i)
      EXPECT_EQ(asciifile::ValueText(stored->Value(i)), asciifile::ValueText(row->Value(i)))
          << c.table << " " << row->FieldInfo(i).name;
    // Written again, the row is completed in place, not doubled.
    row->SetValue(row->FieldCount() - 1, vb::Variant(7));
    row->Update();
    asciiimport::SplitAndUpdateTable(*conn, *row, c.table);
    EXPECT_EQ(vb::CLng(conn->Scalar("SELECT COUNT(*) FROM " + c.table)), 1) << c.table;
    EXPECT_EQ(asciifile::ValueText(conn->Scalar("SELECT " + row->FieldInfo(row->FieldCount() - 1).name + " FROM " +
                                                c.table)),
              "7")
        << c.table;
  }
}

TEST_F(AsciiImportCopy, AnAttcssbcFileReplacesTheStoredCharterBlockGrantRow) {
  Execute("INSERT INTO VHO_TORB_FORMS (FORM_NO, FORM_NAME, FORM_DISPLAY_NAME, CATEGORY) VALUES"
          " (46, 'ATTCSSBC', 'Charter Block Grant - SBC', 'CA');"
          "INSERT INTO ATTCSBGCOE (FISCAL_YEAR, PERIOD_ID, COUNTY_ID, SCHOOL_DISTRICT_ID, SCHOOL_ID, FORM_NO, DATER)"
          " VALUES (2019, 2, 19, 64733, 0, 46, '2019-12-09'), (2019, 2, 19, 64733, 0, 44, '2019-12-09')");
  const std::vector<std::string> file =
      FileOf("ATTCSSBC", {{{"SCHOOL_DISTRICT_ID", "64733"}, {"SCHOOL_ID", "0"}, {"FORM_NO", "46"}, {"DATER", "12/10/2019"}}});
  const asciiimport::CopyCounts counts = Copy(file, {6});
  EXPECT_EQ(questions.size(), 1u);
  EXPECT_EQ(counts.overwritten, 1);
  EXPECT_EQ(vb::CLng(OpenDatabase()->Scalar("SELECT COUNT(*) FROM ATTCSBGCOE")), 2);
  EXPECT_EQ(vb::CLng(OpenDatabase()->Scalar(
                "SELECT COUNT(*) FROM ATTCSBGCOE WHERE FORM_NO = 46 AND DATER LIKE '2019-12-10%' AND CERT_KEY <> 0")),
            1);
  EXPECT_EQ(vb::CLng(OpenDatabase()->Scalar("SELECT COUNT(*) FROM ATTCSSBC")), 0);
}

}  // namespace
