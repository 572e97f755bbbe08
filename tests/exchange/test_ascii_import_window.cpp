// The ASCII import window and File > Import > ASCII File: one run per
// "&Select File", the refusal of a bad file with the database unchanged,
// the status text of an accepted file, and the main window after closing.

#include <gtest/gtest.h>

#include <QTextEdit>
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
        *text = window.findChild<QTextEdit*>("txtStatus")->toPlainText().toStdString();
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
  std::vector<std::string> file = TaxFile();
  file[1] = WithField(file[1], 8, "2");
  const std::string path = Place(file);
  const std::string before = Dump();
  dialogs_.AcknowledgeMessages(1);
  Press(path, false);
  const std::vector<std::string> messages = dialogs_.TakeMessages();
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0], asciiimport::ImportFailureMessage());
  EXPECT_EQ(window_->LastVerdict().rule, "8 tax type");
  EXPECT_TRUE(window_->isEnabled());
  EXPECT_EQ(Dump(), before);
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
