// Get Latest: refreshing tables of the working database from a text file
// before logon, block by block, with its messages and status report.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "ScriptedSeams.h"
#include "TestEnvironment.h"
#include "frmLogon.h"
#include "frmStatus.h"
#include "frmUpdateCDS.h"
#include "ui/DataGrid.h"
#include "vb/Conversions.h"

namespace {

// The scripted clock's start, as the report writes it.
constexpr const char* kReportHead = "Get Latest Process....\r\nDate & Time: 1/1/2020 12:00:00 PM\r\n\r\n";

constexpr const char* kCompleted = "Import process completed. Click OK to see the Status Report.";
constexpr const char* kFailed = "Import process failed. Click OK to see the status report.";

// A report as the status window shows it (one line break per line).
std::string Shown(std::string report) {
  for (std::size_t at = report.find("\r\n"); at != std::string::npos; at = report.find("\r\n", at))
    report.replace(at, 2, "\n");
  return report;
}

class GetLatestTest : public ProgramTest {
 protected:
  void SetUp() override {
    ProgramTest::SetUp();
    db_ = OpenDatabase();
    db_->Execute("DELETE FROM PY_CORRECTION_REASON WHERE PY_REASON_CODE <> 0");
  }
  void TearDown() override {
    frmLogon::SetGetLatestWindow(nullptr);
    ProgramTest::TearDown();
  }

  struct Outcome {
    std::vector<std::string> messages;
    std::vector<RecordedPrompt> prompts;
    std::string report;  // as shown; empty when none was shown
  };

  // Chooses a file of that name and content in the window's "&Select
  // File", acknowledging the one message the import shows, and answers
  // what the user was told.
  Outcome Run(const std::string& name, const std::string& bytes, bool reported = true) {
    const auto path = ProgramFolder() / "Import" / name;
    std::ofstream(path, std::ios::binary) << bytes;
    dialogs_.AnswerFile(path.string());
    dialogs_.AcknowledgeMessages(1);
    Outcome outcome;
    if (reported) {
      dialogs_.AnswerModal([&](QWidget& window) {
        outcome.report = dynamic_cast<frmStatus&>(window).txtStatus->toPlainText().toStdString();
        return 0;
      });
    }
    frmUpdateCDS window;
    window.Load();
    window.cmdAction_Click(0);
    dialogs_.ExpectAllUsed();
    outcome.prompts = dialogs_.Prompts();
    outcome.messages = dialogs_.TakeMessages();
    return outcome;
  }

  // Rows of a query, one "a b c" text per row, joined by "|".
  std::string Rows(const std::string& sql) {
    auto rs = db::Recordset::Query(sql, db_);
    std::string rows;
    for (; !rs->Eof(); rs->MoveNext()) {
      if (!rows.empty()) rows += "|";
      for (int f = 0; f < rs->FieldCount(); ++f) rows += (f ? " " : "") + vb::TextOf(rs->Value(f));
    }
    return rows;
  }
  std::string Reasons() {
    return Rows("SELECT PY_REASON_CODE, ifnull(PY_REASON_DESC, '<null>') FROM PY_CORRECTION_REASON ORDER BY 1");
  }

  ScriptedClock clock_;
  db::ConnectionPtr db_;
};

TEST_F(GetLatestTest, LogonOpensTheWindowWithItsCommands) {
  frmUpdateCDS::Install();
  frmLogon logon;
  ASSERT_TRUE(logon.cmdGetLatest->isEnabled());
  bool shown = false;
  dialogs_.AnswerModal([&](QWidget& window) {
    auto& getLatest = dynamic_cast<frmUpdateCDS&>(window);
    EXPECT_EQ(getLatest.windowTitle().toStdString(), "Importing data for Get Latest");
    EXPECT_EQ(getLatest.cmdAction_0->text().toStdString(), "&Select File");
    EXPECT_EQ(getLatest.cmdAction_2->text().toStdString(), "&Close");
    EXPECT_TRUE(getLatest.cmdAction_1->isHidden());
    EXPECT_EQ(getLatest.dbgdFileData->DataSource(), nullptr);
    // Cancelling the file dialog says nothing and writes nothing.
    dialogs_.AnswerFile(std::nullopt);
    getLatest.cmdAction_Click(0);
    EXPECT_EQ(dialogs_.LastPrompt().text, "Text (*.txt)|*.txt");
    getLatest.cmdAction_Click(2);
    shown = !getLatest.Loaded();
    return 0;
  });
  logon.cmdGetLatest_Click();
  EXPECT_TRUE(shown) << "Close unloads the window";
  dialogs_.ExpectAllUsed();
}

TEST_F(GetLatestTest, UpdatesStoredRowsAddsNewOnesAndReports) {
  const Outcome outcome = Run("Latest.TXT",
                              "Reference refresh\r\nPY_CORRECTION_REASON,0,No reason\r\n"
                              "PY_CORRECTION_REASON,7,Late roll data\r\n\r\nEnd,");
  EXPECT_EQ(outcome.messages, std::vector<std::string>{kCompleted});
  EXPECT_EQ(outcome.report, Shown(std::string(kReportHead) +
                                  "PY_CORRECTION_REASON Imported Successfully\r\n\r\nOperation Completed."));
  EXPECT_EQ(Reasons(), "0 No reason|7 Late roll data");
  const RecordedPrompt& message = outcome.prompts.at(1);
  EXPECT_EQ(message.kind, "MsgBox");
  EXPECT_EQ(message.style, ui::vbInformation);
  EXPECT_EQ(message.title, "Levrona");
}

TEST_F(GetLatestTest, RefusedFilesAndFailedBlocks) {
  const std::string forms = "SELECT count(*) FROM VHO_TORB_FORMS WHERE FORM_NO = 999";
  struct Case {
    const char* what;
    const char* name;
    std::string bytes;
    const char* message;
    std::string report;  // "" when none is shown
    const char* reasons;
  };
  const Case cases[] = {
      {"a short line and a value that is no number fail their blocks only", "three.txt",
       "Head\r\nPY_CORRECTION_REASON,5,Five\r\n\r\n"
       "VHO_TORB_FORMS,second\r\nVHO_TORB_FORMS,999,X,X,X,T,Y,Y,Y,Y,P-1,Y,1,1\r\n\r\n"
       "PY_CORRECTION_REASON,third\r\nPY_CORRECTION_REASON,6,Six\r\nPY_CORRECTION_REASON,abc,Bad\r\n\r\nEnd,",
       kCompleted,
       "PY_CORRECTION_REASON Imported Successfully\r\n"
       "Ascii File Do not match with the Columns in the table VHO_TORB_FORMS\r\n"
       "Improper Data Provided for Table PY_CORRECTION_REASON. Import Failed\r\n\r\nOperation Completed.",
       "0 None|5 Five"},
      {"an empty key in a block's second row leaves the whole block unwritten", "key.txt",
       "Head\r\nPY_CORRECTION_REASON,5,Five\r\nPY_CORRECTION_REASON,,Blank\r\nPY_CORRECTION_REASON,6,Six\r\n\r\n"
       "PY_CORRECTION_REASON,next\r\nPY_CORRECTION_REASON,8,Eight\r\n\r\nEnd,",
       kCompleted,
       "Improper Data Provided for Table PY_CORRECTION_REASON. Import Failed\r\n"
       "PY_CORRECTION_REASON Imported Successfully\r\n\r\nOperation Completed.",
       "0 None|8 Eight"},
      {"a table the database lacks refuses the whole file", "nope.txt",
       "Head\r\nPY_CORRECTION_REASON,5,Five\r\n\r\nNOPE,heading\r\nNOPE,1\r\n\r\nEnd,", kFailed,
       "NOPE  : TableName Not Available in the Database\r\n\r\nImport Aborted!", "0 None"},
      {"a closing line in the wrong case", "case.txt", "Head\r\nPY_CORRECTION_REASON,5,Five\r\n\r\nend,", kFailed,
       "Cannot process due to an Invalid File Format.\r\n\r\nImport Aborted!", "0 None"},
      {"a line without a comma", "comma.txt", "Head\r\nPY_CORRECTION_REASON 5 Five\r\n\r\nEnd,", kFailed,
       "Cannot process due to an Invalid File Format.\r\n\r\nImport Aborted!", "0 None"},
      {"empty values keep stored values; a new row takes the defaults", "empty.txt",
       "Head\r\nPY_CORRECTION_REASON,0,\r\nPY_CORRECTION_REASON,9,\r\n\r\nEnd,", kCompleted,
       "PY_CORRECTION_REASON Imported Successfully\r\n\r\nOperation Completed.", "0 None|9 <null>"},
      {"a value too long for its column", "long.txt",
       "Head\r\nPY_CORRECTION_REASON,5," + std::string(256, 'x') + "\r\n\r\nEnd,", kCompleted,
       "Improper Data Provided for Table PY_CORRECTION_REASON. Import Failed\r\n\r\nOperation Completed.",
       "0 None"},
      {"a comma-separated file name", "latest.csv", "Head\r\nPY_CORRECTION_REASON,5,Five\r\n\r\nEnd,",
       "Import process cannot be completed. Invalid file selected.", "", "0 None"},
      {"a blank first line", "blank.txt", "  \r\nPY_CORRECTION_REASON,5,Five\r\n\r\nEnd,",
       "Import process cannot be completed. Invalid file selected.", "", "0 None"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const Outcome outcome = Run(c.name, c.bytes, !c.report.empty());
    EXPECT_EQ(outcome.messages, std::vector<std::string>{c.message});
    EXPECT_EQ(outcome.report, c.report.empty() ? "" : Shown(kReportHead + c.report));
    EXPECT_EQ(Reasons(), c.reasons);
    EXPECT_EQ(Rows(forms), "0");
    db_->Execute("DELETE FROM PY_CORRECTION_REASON WHERE PY_REASON_CODE <> 0");
  }
}

TEST_F(GetLatestTest, ARowTheTableRefusesLeavesItsWholeBlockUnwritten) {
  const std::string contacts = "SELECT count(*) FROM CONTACTS WHERE id >= 900";
  ASSERT_EQ(Rows(contacts), "0");
  // The second contact's name is the first one's: the table refuses it.
  dialogs_.AnswerMsgBox(ui::vbIgnore);
  const Outcome outcome = Run("contacts.txt",
                              "Head\r\nCONTACTS,900,Ann Lee,2,61,10610,0,2019,,,\r\n"
                              "CONTACTS,901,ann lee,2,61,10610,0,2019,,,\r\n\r\n"
                              "PY_CORRECTION_REASON,next\r\nPY_CORRECTION_REASON,8,Eight\r\n\r\nEnd,");
  ASSERT_EQ(outcome.messages.size(), 2u);
  EXPECT_EQ(outcome.prompts.at(1).title, "Exception");
  EXPECT_NE(outcome.messages[0].find("Procedure: SaveLatestData"), std::string::npos) << outcome.messages[0];
  EXPECT_EQ(outcome.messages[1], kCompleted);
  EXPECT_EQ(outcome.report, Shown(std::string(kReportHead) +
                                  "Improper Data Provided for Table CONTACTS. Import Failed\r\n"
                                  "PY_CORRECTION_REASON Imported Successfully\r\n\r\nOperation Completed."));
  EXPECT_EQ(Rows(contacts), "0");
  EXPECT_EQ(Reasons(), "0 None|8 Eight");
}

TEST_F(GetLatestTest, AMissingFileIsNotAvailable) {
  dialogs_.AnswerFile((ProgramFolder() / "Import" / "gone.txt").string());
  dialogs_.AcknowledgeMessages(1);
  frmUpdateCDS window;
  window.Load();
  window.cmdAction_Click(0);
  EXPECT_EQ(dialogs_.TakeMessages(), std::vector<std::string>{"Import file is not available"});
  EXPECT_EQ(window.txtFile->text().toStdString(), (ProgramFolder() / "Import" / "gone.txt").string());
}

// Text keys are found whatever their letter case, and neither the number of
// lines nor their length is limited.
TEST_F(GetLatestTest, TextKeysLongLinesAndLongFiles) {
  db_->Execute(
      "INSERT INTO TORB_FORM_NOTES (COUNTY_ID, SCHOOL_DISTRICT_ID, SCHOOL_ID, FISCAL_YEAR, PERIOD_ID, FORM_NAME,"
      " FORM_NOTE) VALUES (61, 10610, 0, 2019, 2, 'Tax', 'old')");
  const std::string note(40000, 'n');
  std::string file = "Head\r\nTORB_FORM_NOTES,61,10610,0,2019,2,TAX," + note + "\r\n\r\nPY_CORRECTION_REASON,many\r\n";
  for (int code = 1; code <= 33000; ++code)
    file += "PY_CORRECTION_REASON," + std::to_string(code) + ",Reason " + std::to_string(code) + "\r\n";
  file += "\r\nEnd,\r\n";
  const Outcome outcome = Run("big.txt", file);
  EXPECT_EQ(outcome.report, Shown(std::string(kReportHead) +
                                  "TORB_FORM_NOTES Imported Successfully\r\n"
                                  "PY_CORRECTION_REASON Imported Successfully\r\n\r\nOperation Completed."));
  EXPECT_EQ(Rows("SELECT FORM_NAME, length(FORM_NOTE) FROM TORB_FORM_NOTES WHERE COUNTY_ID = 61 AND"
                 " SCHOOL_DISTRICT_ID = 10610 AND FORM_NAME = 'tax'"),
            "TAX 40000");
  EXPECT_EQ(Rows("SELECT count(*), max(PY_REASON_DESC) FROM PY_CORRECTION_REASON WHERE PY_REASON_CODE > 0"),
            "33000 Reason 9999");
}

TEST(GetLatestValues, CountAndPickValues) {
  EXPECT_EQ(frmUpdateCDS::CountColumns("a,,c,", ","), 4);
  EXPECT_EQ(frmUpdateCDS::CountColumns("   ", ","), 0);
  EXPECT_EQ(frmUpdateCDS::CountColumns("a,b", ""), 0);
  const std::pair<long, std::string> picks[] = {{1, "a"}, {2, ""}, {3, " c "}, {4, ""}, {5, ""}};
  for (const auto& [position, value] : picks)
    EXPECT_EQ(frmUpdateCDS::GetColValue("a,, c ,", ",", position), value) << position;
  EXPECT_EQ(frmUpdateCDS::GetColValue("a b", ";", 1), "");
}

}  // namespace
