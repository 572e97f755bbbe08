// The ASCII import window and File > Import > ASCII File: one run per
// "&Select File", the refusal of a bad file with the database unchanged,
// the status text of an accepted file, and the main window after closing.

#include <gtest/gtest.h>

#include <QPlainTextEdit>
#include <fstream>
#include <memory>

#include "AsciiFixture.h"
#include "AsciiImportCommand.h"
#include "AsciiImportFixture.h"
#include "ScriptedSeams.h"
#include "frmImportAscii.h"
#include "frmMessageBox.h"
#include "modGlobals.h"
#include "ui/Dialogs.h"
#include "vb/Win1252.h"

namespace {

class AsciiImportWindow : public AsciiImportTest {
 protected:
  void SetUp() override {
    AsciiImportTest::SetUp();
    clsGlobalParam& P = modGlobals::GlobalParam();
    P.CountyID = 19;
    P.DistrictID = 10199;
    P.ReportYear = 2019;
    P.ReportPeriod = 2;
    P.LogonUserGroup = 2;
    window_ = std::make_unique<frmImportAscii>();
    window_->Load();
  }
  void TearDown() override {
    window_.reset();
    AsciiImportTest::TearDown();
  }
  // Writes lines (CR LF) into Import/<name> and answers its path.
  std::string Place(const std::vector<std::string>& lines, const std::string& name = "in.txt") {
    const std::string path = (ProgramFolder() / "Import" / name).string();
    std::ofstream out(path, std::ios::binary);
    for (const std::string& line : lines) out << vb::ToWindows1252(line) << "\r\n";
    return path;
  }
  // Presses "&Select File", answering the Open dialog; answers the status
  // window's text when `status`.
  std::string Press(const std::optional<std::string>& path, bool status) {
    dialogs_.AnswerFile(path);
    auto text = std::make_shared<std::string>();
    if (status)
      dialogs_.AnswerModal([text](QWidget& window) {
        *text = window.findChild<QPlainTextEdit*>("txtStatus")->toPlainText().toStdString();
        return 0;
      });
    window_->cmdAction->click();
    return *text;
  }

  ScriptedClock clock_{vb::Date{vb::DateSerial(2019, 12, 9).serial + vb::TimeSerial(15, 4, 5).serial}};
  std::unique_ptr<frmImportAscii> window_;
};

TEST_F(AsciiImportWindow, CancelShowsNothingAndAMissingPathSaysSo) {
  EXPECT_EQ(window_->windowTitle().toStdString(), "Importing ASCII Data");
  Press(std::nullopt, false);
  EXPECT_TRUE(window_->isEnabled());
  ASSERT_EQ(dialogs_.FileRequests().size(), 1u);
  EXPECT_EQ(dialogs_.FileRequests()[0].filter, "Text (*.txt)|*.txt");
  EXPECT_EQ(dialogs_.FileRequests()[0].initialDir, (ProgramFolder() / "Import").string());
  EXPECT_TRUE(dialogs_.TakeMessages().empty());

  const std::string missing = (ProgramFolder() / "Import" / "gone.txt").string();
  dialogs_.AcknowledgeMessages(1);
  Press(missing, false);
  EXPECT_EQ(dialogs_.TakeMessages(), std::vector<std::string>{"Import file is not available"});
  EXPECT_EQ(window_->txtFile->text().toStdString(), missing);
  EXPECT_TRUE(window_->isEnabled());
}

TEST_F(AsciiImportWindow, ARefusedFileShowsTheCriteriaMessageOnceAndChangesNothing) {
  const std::vector<std::string> good = TaxFile();
  const auto field = [&](int f, const std::string& value) {
    std::vector<std::string> file = good;
    file[1] = WithField(file[1], f, value);
    return file;
  };
  const struct {
    const char* name;
    std::vector<std::string> file;
    const char* rule;
  } cases[] = {
      {"TaxType 2", field(8, "2"), "8 tax type"},
      {"a blank line", {good[0], "", good[1]}, "5.3 blank line"},
      {"a field too many", field(3, "Late roll, see note"), "5.4 field count"},
      {"an empty file", {}, "empty file"},
      {"a secondary table first", {"InfantFundingTransfer,x", good[1]}, "2 secondary table"},
      {"SCHOOL_DISTRICT_ID abc", field(4, "abc"), "error 13"},
      {"COUNTY_ID 20", field(3, "20"), "10 county"},
  };
  for (const auto& c : cases) {
    const std::string path = Place(c.file);
    const std::string before = Dump();
    dialogs_.AcknowledgeMessages(1);
    Press(path, false);
    const std::vector<std::string> messages = dialogs_.TakeMessages();
    ASSERT_EQ(messages.size(), 1u) << c.name;
    EXPECT_EQ(messages[0], asciiimport::ImportFailureMessage()) << c.name;
    EXPECT_TRUE(window_->LastVerdict().rule.starts_with(c.rule)) << c.name << ": " << window_->LastVerdict().rule;
    EXPECT_TRUE(window_->isEnabled()) << c.name;
    EXPECT_EQ(Dump(), before) << c.name;
  }
}

TEST_F(AsciiImportWindow, AnAcceptedFileIsCopiedAndEndsWithTheStatusTextTwiceInARow) {
  const std::string path = Place(TaxFile());
  const auto expected = [&](const std::string& time, int copied, int overwritten) {
    return "Import Date & Time: Dec-09-2019  " + time + "\n\nASCII Data FileName: " + path +
           "\n\n\n\n\nImport Group: Property Tax\n\tNumber of Records Skipped     = 0\n"
           "\tNumber of Records Copied      = " + std::to_string(copied) +
           "\n\tNumber of Records Overwritten = " + std::to_string(overwritten) + "\n\n\nImport Operation Completed.";
  };
  EXPECT_EQ(Press(path, true), expected("15:04:05", 2, 0));
  window_->ImportRows()->MoveFirst();
  EXPECT_EQ(vb::CDbl(window_->ImportRows()->Value("Secured")), 1500);
  EXPECT_EQ(vb::CLng(OpenDatabase()->Scalar("SELECT COUNT(*) FROM Tax WHERE CERT_KEY <> 0")), 2);
  // The same file again: one question, answered Yes to All in the
  // four-button box.
  clock_.Advance(60);
  std::string question;
  dialogs_.AnswerModal([&](QWidget& window) {
    auto* box = qobject_cast<frmMessageBox*>(&window);
    if (!box) {
      ADD_FAILURE() << "no question";
      return 0;
    }
    question = box->windowTitle().toStdString() + " | " + box->lblMessage->text().toStdString();
    for (std::size_t i = 0; i < box->Answers.size(); ++i)
      if (box->Answers[i] == 1) box->cmdAction[i]->click();
    return 0;
  });
  EXPECT_EQ(Press(path, true), expected("15:05:05", 0, 2));
  EXPECT_TRUE(question.starts_with("Importing ASCII File - Property Tax | Record for  FISCAL_YEAR=2019")) << question;
  EXPECT_TRUE(window_->isEnabled());
  EXPECT_EQ(window_->txtFile->text().toStdString(), path);
}

TEST_F(AsciiImportWindow, AFailedCopyChangesNothingAndSaysSo) {
  // A third row whose write the database refuses, after two written rows.
  Execute("INSERT INTO KRN_LEAS (FISCAL_YEAR, COUNTY_ID, SCHOOL_DISTRICT_ID, SCHOOL_ID, COUNTY_NAME,"
          " SCHOOL_DISTRICT_NAME, LEA_TYPE, STAT_TYPE) VALUES (2019, 19, 64745, 0, 'Elm County', 'Birch Valley', 3,"
          " 'OPEN');"
          "INSERT INTO LEA_FORMS_STATUS (FISCAL_YEAR, PERIOD_ID, COUNTY_ID, SCHOOL_DISTRICT_ID, SCHOOL_ID, FORM_NO,"
          " CERTIFICATE_NUMBER, NUM_RECORD, NUM_ERROR) VALUES (2019, 2, 19, 64733, 0, 29, 5, 1, 3);"
          "CREATE TRIGGER refuse BEFORE INSERT ON Tax WHEN NEW.RES_SCHOOL_DISTRICT_ID = 64745"
          " BEGIN SELECT RAISE(ABORT, 'the third row is refused'); END");
  std::vector<std::string> file = TaxFile();
  file.push_back(WithField(WithField(file[2], 7, "64745"), 10, "Birch Valley"));
  const std::string path = Place(file);
  const std::string before = Dump();
  dialogs_.AcknowledgeMessages(1);
  Press(path, false);
  const std::vector<std::string> messages = dialogs_.TakeMessages();
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_TRUE(messages[0].starts_with("The file could not be imported; nothing has been changed.\r\n")) << messages[0];
  EXPECT_NE(messages[0].find("the third row is refused"), std::string::npos) << messages[0];
  EXPECT_TRUE(window_->LastVerdict().accepted);
  EXPECT_TRUE(window_->isEnabled());
  EXPECT_EQ(Dump(), before);
}

// --- The command ----------------------------------------------------------------------------

class AsciiImportCommandTest : public AsciiExportTest {
 protected:
  void SetUp() override {
    AsciiExportTest::SetUp();
    AsciiImportCommand::Install();
  }
  void TearDown() override {
    frmMain::SetCommandBody("mnuNew_ImportASCII", nullptr);
    AsciiExportTest::TearDown();
  }
};

TEST_F(AsciiImportCommandTest, AnotherCountyIsRefusedWithoutAWindow) {
  frmMain& w = OpenSelected({}, {});
  modGlobals::GlobalParam().CountyID = 20;
  dialogs_.AcknowledgeMessages(1);
  w.Menus().Click("mnuNew_ImportASCII");
  EXPECT_EQ(dialogs_.TakeMessages(),
            std::vector<std::string>{"Keep your Highlighted County to Logon County and try again."});
  EXPECT_TRUE(dialogs_.Prompts().empty());
}

TEST_F(AsciiImportCommandTest, AfterTheWindowClosesTheListsAreRefreshedAndTheAgencyHighlighted) {
  frmMain& w = OpenSelected({}, {});
  w.dgLEA->DataSource()->AbsolutePosition(2);
  const std::size_t listed = ListedAgencies().size();
  dialogs_.AnswerModal([&](QWidget& window) {
    EXPECT_NE(dynamic_cast<frmImportAscii*>(&window), nullptr);
    EXPECT_FALSE(w.isEnabled());
    Execute("INSERT INTO KRN_LEAS (FISCAL_YEAR, COUNTY_ID, SCHOOL_DISTRICT_ID, SCHOOL_ID, COUNTY_NAME,"
            " SCHOOL_DISTRICT_NAME, LEA_TYPE, STAT_TYPE) VALUES (2019, 19, 64799, 0, 'Elm County', 'Yew', 2, 'OPEN')");
    return 0;
  });
  w.Menus().Click("mnuNew_ImportASCII");
  EXPECT_EQ(ListedAgencies().size(), listed + 1);
  EXPECT_TRUE(w.isEnabled());
  EXPECT_EQ(w.dgLEA->DataSource()->AbsolutePosition(), 2);
  EXPECT_TRUE(w.dgLEA->selectionModel()->isRowSelected(1, {}));
  EXPECT_FALSE(w.dgForms->isEnabled());
  EXPECT_FALSE(w.cmdSelection[0]->isEnabled());
}

}  // namespace
