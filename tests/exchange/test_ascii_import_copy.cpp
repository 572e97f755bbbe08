// The copy of an accepted file's rows: new rows written with fresh
// certificate keys, stored rows replaced only after the user agrees, the
// keys bound, and a failure that leaves the table as it was.

#include <gtest/gtest.h>

#include <map>

#include "AsciiFile.h"
#include "AsciiImportCopy.h"
#include "AsciiImportFixture.h"
#include "db/Recordset.h"
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
    asciiimport::CopyRun run;
    run.conn = modGlobals::SharedConnection();
    run.scope.year = 2019;
    run.scope.period = 2;
    run.scope.county = 19;
    run.formName = asciifile::TableNameOf(lines[0]);
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
  // "residence district|Secured|CERT_KEY" of the stored Tax rows.
  std::vector<std::string> TaxRows() {
    std::vector<std::string> rows;
    for (auto rs = db::Recordset::Query("SELECT * FROM Tax ORDER BY RES_SCHOOL_DISTRICT_ID", OpenDatabase());
         !rs->Eof(); rs->MoveNext())
      rows.push_back(vb::CStr(rs->Value("RES_SCHOOL_DISTRICT_ID")) + "|" + asciifile::ValueText(rs->Value("Secured")) +
                     "|" + asciifile::ValueText(rs->Value("CERT_KEY")));
    return rows;
  }

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
  // The file's keys (11, 12, or none at all) do not count.
  Execute("DELETE FROM Tax");
  for (std::string& line : file)
    if (line.starts_with("Tax,2019")) line = line.substr(0, line.rfind(',') + 1) + "0";
  Copy(file);
  EXPECT_EQ(TaxRows(), stored);
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
  EXPECT_THROW(Copy(file, {6}), vb::VbError);
  EXPECT_EQ(TaxRows(), before);
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
