// The main window's command File > Import > Certified Data: the import
// window over the disabled main window, and the main window afterwards
// (both lists refreshed; an agency taken up before is taken up again,
// otherwise their top rows current, the entry-screen list and its selection
// buttons waiting for an agency); without an installed window the command
// is reported and changes nothing.

#include <gtest/gtest.h>

#include <QLabel>
#include <QPushButton>
#include <filesystem>

#include "MainWindowFixture.h"
#include "SealedDatabase.h"
#include "frmImport.h"
#include "modGlobals.h"

class ImportCommandTest : public MainWindowTest {
 protected:
  void TearDown() override {
    frmMain::SetImportWindow(nullptr);
    MainWindowTest::TearDown();
  }

  // Queues the user of the import window: Select File choosing `file`, the
  // overwrite question (when `question` is given) answered Yes and its text
  // kept, the report closed, then Close.
  void QueueImport(const std::filesystem::path& file, std::string* question = nullptr) {
    dialogs_.AnswerModal([this, file, question](QWidget& window) {
      auto& importing = dynamic_cast<frmImport&>(window);
      dialogs_.AnswerFile(file.string());
      if (question) {
        dialogs_.AnswerModal([question](QWidget& box) {
          *question = box.findChild<QLabel*>("lblMessage")->text().toStdString();
          box.findChild<QPushButton*>("cmdAction_0")->click();  // Yes
          return 0;
        });
      }
      dialogs_.AnswerModal([](QWidget& report) {
        report.close();
        return 0;
      });
      importing.cmdfile->click();
      importing.cmdClose->click();
      return 0;
    });
  }
};

TEST_F(ImportCommandTest, AfterCancelAMissingFileAndCloseTheMainWindowShowsTheKindAgainFromItsTopRows) {
  frmImport::Install();
  UseFormCatalogue();
  LogOn(As(3, 7, 71002));
  frmMain& w = Open();
  w.mnuLEA_Charter_Click();
  w.dgLEA->Row(1);
  ASSERT_EQ(w.dgLEA->Row(), 1);
  // A school renamed meanwhile shows after Close.
  dialogs_.AnswerModal([&](QWidget& window) {
    auto& importing = dynamic_cast<frmImport&>(window);
    EXPECT_FALSE(w.isEnabled()) << "the main window waits under the import window";
    EXPECT_EQ(importing.GParam, w.GParam.get()) << "the object itself, not a copy";
    dialogs_.AnswerFile(std::nullopt);
    importing.cmdfile->click();
    dialogs_.AnswerFile((ProgramFolder() / "Import" / "VuzO07_missing").string());
    dialogs_.AcknowledgeMessages(1);
    importing.cmdfile->click();
    EXPECT_TRUE(importing.isEnabled());
    Execute("UPDATE KRN_LEAS SET SCHOOL_NAME = 'Brook Charter Academy' WHERE SCHOOL_ID = 7100201");
    importing.cmdClose->click();
    EXPECT_FALSE(importing.Loaded());
    return 0;
  });
  w.Menus().Click("mnuNew_ImportCertified");

  EXPECT_TRUE(w.isEnabled());
  EXPECT_EQ(w.dgLEA->Row(), 0);
  EXPECT_EQ(w.dgForms->Row(), 0);
  EXPECT_EQ(w.dgLEA->Columns("SCHOOL_NAME").Text(), "Brook Charter Academy");
  EXPECT_FALSE(w.dgForms->isEnabled());
  EXPECT_FALSE(w.cmdSelection[0]->isEnabled());
  EXPECT_FALSE(w.cmdSelection[1]->isEnabled());
  EXPECT_EQ(WaitMessage(), "");
  EXPECT_EQ(dialogs_.TakeMessages(), std::vector<std::string>{"Import file is not available"});
}

TEST_F(ImportCommandTest, WithoutAnImportWindowTheCommandIsReportedAndChangesNothing) {
  LogOn(As(2, 7, 10070));
  frmMain& w = Open();
  const bool formsEnabled = w.dgForms->isEnabled();
  dialogs_.AnswerMsgBox(ui::vbIgnore);
  w.mnuNew_ImportCertified_Click();
  const auto messages = dialogs_.TakeMessages();
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_NE(messages[0].find("mnuNew_ImportCertified_Click"), std::string::npos) << messages[0];
  EXPECT_TRUE(w.isEnabled());
  EXPECT_EQ(w.dgForms->isEnabled(), formsEnabled);
}

// The worked example's two tax rows and their status row, of the office,
// sealed into the Import folder.
std::filesystem::path SealOfficeTaxFile(const std::filesystem::path& programFolder) {
  const auto file = programFolder / "Import" / "VuzO07_00_2_19";
  fixtures::BuildSealedDatabase(
      file,
      "INSERT INTO Tax (FISCAL_YEAR, PERIOD_ID, COUNTY_ID, SCHOOL_DISTRICT_ID, SCHOOL_ID, RES_COUNTY_ID,"
      " RES_SCHOOL_DISTRICT_ID, TaxType, Secured, CERT_KEY) VALUES (2019, 2, 7, 10070, 0, 7, 71001, 1, 1500, -797038661),"
      " (2019, 2, 7, 10070, 0, 7, 71001, 0, -250, 995314163);"
      "INSERT INTO LEA_FORMS_STATUS (FISCAL_YEAR, PERIOD_ID, COUNTY_ID, SCHOOL_DISTRICT_ID, SCHOOL_ID, FORM_NO,"
      " CERTIFICATE_NUMBER, NUM_RECORD, PY_FORMS_CORRECTED) VALUES (2019, 2, 7, 10070, 0, 29, -2033101442, 2, 'No');"
      "INSERT INTO EXPORT_FILE_INFO (FORM_GROUP_NAME, FISCAL_YEAR, PERIOD_ID, COUNTY_ID, SCHOOL_DISTRICT_ID, SCHOOL_ID)"
      " VALUES ('Tax', 2019, 2, 7, 10070, 0);");
  return file;
}

TEST_F(ImportCommandTest, AnImportedCertificateShowsInTheEntryScreenListAfterClose) {
  frmImport::Install();
  UseFormCatalogue();
  LogOn(As(2, 7, 10070));
  frmMain& w = Open();
  QueueImport(SealOfficeTaxFile(ProgramFolder()));
  w.Menus().Click("mnuNew_ImportCertified");
  ASSERT_EQ(ListedForms().front(), 29);
  EXPECT_EQ(w.dgForms->Row(), 0);
  EXPECT_EQ(w.dgForms->Columns("CERTIFICATE_NUMBER").Text(), "86D1557E");
  EXPECT_EQ(w.dgForms->Columns("NUM_RECORD").Text(), "2");
}

// An agency taken up before the import stays taken up: its entry screens
// stay enabled on the row the user was on, now with the imported figures.
TEST_F(ImportCommandTest, TheAgencyTakenUpBeforeAnImportAnsweredYesIsTakenUpAfterIt) {
  frmImport::Install();
  UseFormCatalogue();
  LogOn(As(2, 7, 10070));
  frmMain& w = Open();
  ClickRecordSelector(*w.dgLEA, 0);
  ClickCell(*w.dgLEA, 0, 0);
  ASSERT_EQ(w.dgLEA->Columns("SELECTED").Text(), "Yes");
  ASSERT_TRUE(w.dgForms->isEnabled());
  const int taxRow = FormRow(29);
  w.dgForms->Row(taxRow);
  // A figure of the office's own makes the import ask before overwriting.
  Execute("INSERT INTO Tax (FISCAL_YEAR, PERIOD_ID, COUNTY_ID, SCHOOL_DISTRICT_ID, SCHOOL_ID, RES_COUNTY_ID,"
          " RES_SCHOOL_DISTRICT_ID, TaxType, Secured) VALUES (2019, 2, 7, 10070, 0, 7, 71001, 1, 900),"
          " (2019, 2, 7, 10070, 0, 7, 71001, 0, -90)");
  std::string question;
  QueueImport(SealOfficeTaxFile(ProgramFolder()), &question);
  w.Menus().Click("mnuNew_ImportCertified");

  EXPECT_EQ(question, "Record for Screen Tax already exists, Overwrite?");
  EXPECT_TRUE(w.isEnabled());
  EXPECT_TRUE(w.dgForms->isEnabled());
  EXPECT_TRUE(w.cmdSelection[0]->isEnabled());
  EXPECT_TRUE(w.cmdSelection[1]->isEnabled());
  EXPECT_EQ(w.dgLEA->Columns("SELECTED").Text(), "Yes");
  EXPECT_EQ(w.dgForms->Row(), taxRow);
  EXPECT_EQ(w.dgForms->Columns("CERTIFICATE_NUMBER").Text(), "86D1557E");
  EXPECT_EQ(WaitMessage(), "");
}

// A charter school taken up further down the list: after the import window
// closes (the kind's list is read again) the same school is current and
// taken up, its entry screens on the row they were on.
TEST_F(ImportCommandTest, TheTakenUpAgencyKeepsItsPlaceInTheListAfterClose) {
  frmImport::Install();
  UseFormCatalogue();
  LogOn(As(3, 7, 71002));
  frmMain& w = Open();
  w.mnuLEA_Charter_Click();
  ASSERT_GE(w.AgencyList()->RecordCount(), 2);
  ClickRecordSelector(*w.dgLEA, 1);
  ASSERT_TRUE(w.dgForms->isEnabled());
  const std::string school = w.dgLEA->Columns("SCHOOL_NAME").Text();
  const std::int32_t schoolId = modGlobals::GlobalParam().SchoolId;
  const int formRow = static_cast<int>(ListedForms().size()) - 1;
  w.dgForms->Row(formRow);
  dialogs_.AnswerModal([&](QWidget& window) {
    dynamic_cast<frmImport&>(window).cmdClose->click();
    return 0;
  });
  w.Menus().Click("mnuNew_ImportCertified");

  EXPECT_EQ(w.dgLEA->Row(), 1);
  EXPECT_EQ(w.dgLEA->Columns("SCHOOL_NAME").Text(), school);
  EXPECT_EQ(modGlobals::GlobalParam().SchoolId, schoolId);
  EXPECT_TRUE(w.dgForms->isEnabled());
  EXPECT_TRUE(w.cmdSelection[0]->isEnabled());
  EXPECT_EQ(w.dgForms->Row(), formRow);
}
