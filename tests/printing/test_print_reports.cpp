// File > Print > Reports of the main window: the batch of the selected
// programs for the selected agencies, its run log, and the state it leaves.

#include <gtest/gtest.h>

#include <QItemSelectionModel>
#include <QRadioButton>
#include <QPlainTextEdit>
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <optional>

#include "MainWindowFixture.h"
#include "PrintingAgencies.h"
#include "ScriptedSeams.h"
#include "Utilities.h"
#include "frmMainPrintReports.h"
#include "frmTaxSummary.h"
#include "modGlobals.h"
#include "modMainPrintForm.h"
#include "modMainStart.h"
#include "ui/Printers.h"
#include "vb/Conversions.h"

using vb::Variant;

namespace {

namespace agencies = fixtures::printing;
using Texts = std::vector<std::string>;

TEST(RunLog, TheStampIsEnglishAndReadsTheTimeFirst) {
  const vb::Date time = vb::CDate(Variant("2019-12-09 14:35:07"));
  const vb::Date date = vb::CDate(Variant("2019-12-09 14:35:08"));
  EXPECT_EQ(printing::RunLogStamp(time, date), "Dec-09-2019 14:35:07");
}

TEST(RunLog, TheAgencyTextFollowsTheFormsSet) {
  struct Case {
    std::int32_t formNo;
    const char* district;
    std::int32_t school;
    const char* type;
    const char* text;
  };
  for (const Case& c : {Case{29, "20001", 0, "3", "20001"}, Case{29, "20001", 1234567, "4", "20001-1234567"},
                        Case{41, "20001", 123, "4", "20001-0000123"}, Case{100, "20001", 0, "5", "20001-5"},
                        Case{502, "20001", 1234567, "5", "20001-5"}}) {
    EXPECT_EQ(printing::AgencyLogText(c.formNo, c.district, c.school, c.type), c.text) << c.formNo;
  }
}

class PrintReportsTest : public MainWindowTest {
 protected:
  void SetUp() override {
    MainWindowTest::SetUp();
    OpenDatabase()->ExecuteScript(agencies::kRows);
    printing::Install();
    modGlobals::gblnBatchPrint = false;
    modGlobals::gstrPrintLog.clear();
  }
  void TearDown() override {
    modMain::SetFormPrinter(nullptr);
    frmMain::SetCommandBody("mnuNew_Reports", nullptr);
    MainWindowTest::TearDown();
  }
  // An agency of Alder logged on (the list shows the agencies of its
  // kind), with the agencies 10017 and 20001 and the tax form selected.
  frmMain& OpenWithSelection(const Logon& logon = As(2, agencies::kCounty, agencies::kOffice)) {
    LogOn(logon);
    OpenDatabase()->ExecuteScript(
        "UPDATE KRN_LEAS SET SELECTED = 'Yes' WHERE COUNTY_ID = 1 AND SCHOOL_ID = 0 AND SCHOOL_DISTRICT_ID IN "
        "(10017, 20001);"
        "UPDATE VHO_TORB_FORMS SET SELECTED = 'Yes' WHERE FORM_NO = 29;");
    return Open();
  }
  void AnswerDistrict() {
    dialogs_.AnswerModal([](QWidget& window) {
      auto& dialog = dynamic_cast<frmTaxSummary&>(window);
      dialog.optDistrict->setChecked(true);
      dialog.cmdView->click();
      return dialog.result();
    });
  }
  void RecordStatus(std::string& log) {
    dialogs_.AnswerModal([&log](QWidget& window) {
      log = window.findChild<QPlainTextEdit*>("txtStatus")->toPlainText().toStdString();
      window.close();
      return 0;
    });
  }

  // The county office and Birch Unified listed and selected, with the
  // forms of the numbers ("29, 94").
  frmMain& OpenWithTwoAgencies(const std::string& formNumbers);

  ScriptedClock clock_{vb::CDate(Variant("2019-12-09 14:35:07"))};
};

// The county office lists only county offices here: the batch prints its
// report and logs it under the program, in the run log's layout.
TEST_F(PrintReportsTest, TheBatchPrintsTheSelectedAgencyAndLogsTheRun) {
  struct Case {
    Logon logon;
    const char* lea;
    int pages;
    const char* heading;
  };
  for (const Case& c : {Case{As(2, agencies::kCounty, agencies::kOffice), "10017", 3,
                             "District: Alder County Office of Education"}}) {
    SCOPED_TRACE(c.lea);
    RecordingPrinters printers({"Office Laser", ui::PdfPrinterName});
    frmMain& window = OpenWithSelection(c.logon);
    const clsGlobalParam programWide = *modGlobals::gobjGlobalParam;
    const clsGlobalParam windowOwn = *window.GParam;
    const int row = window.dgLEA->Row();
    AnswerDistrict();
    std::string log;
    RecordStatus(log);
    window.Menus().Click("mnuNew_Reports");

    ASSERT_EQ(printers.jobs.size(), 1u) << log;
    EXPECT_EQ(printers.jobs[0].pages, c.pages);
    EXPECT_EQ(printers.jobs[0].orientation, ui::OrientationPortrait);
    EXPECT_NE(printers.jobs[0].text.find(c.heading), std::string::npos);
    EXPECT_EQ(log, std::string("Reports Printing.. Date & Time: Dec-09-2019 14:35:07\n\nProperty Tax\n\tLEA: ") +
                       c.lea + "\t- Number of Record(s) Printed = " + std::to_string(c.pages) +
                       "\n\n\n\n Print Operation Completed.");

    EXPECT_FALSE(modGlobals::gblnBatchPrint);
    EXPECT_EQ(modGlobals::gstrPrintLog, "");
    EXPECT_EQ(modGlobals::gobjGlobalParam->DistrictID, programWide.DistrictID);
    EXPECT_EQ(modGlobals::gobjGlobalParam->formname, programWide.formname);
    EXPECT_EQ(modGlobals::gobjGlobalParam->FormNo, programWide.FormNo);
    EXPECT_EQ(window.GParam->DistrictID, windowOwn.DistrictID);
    EXPECT_EQ(window.GParam->FormNo, windowOwn.FormNo);
    EXPECT_TRUE(window.isEnabled());
    EXPECT_EQ(window.dgLEA->Row(), row);
    EXPECT_EQ(WaitMessage(), "");
    delete window_.data();
  }
}

// A cancelled tax dialog ends the agency's line; a directory row gone
// since the list was read is reported once, and Ignore goes on to the end
// of the run with the window given back.
TEST_F(PrintReportsTest, ACancelledAgencyAndAMissingDirectoryRow) {
  RecordingPrinters printers({"Office Laser"});
  frmMain& window = OpenWithSelection();
  dialogs_.AnswerModal([](QWidget& dialog) {
    dynamic_cast<frmTaxSummary&>(dialog).cmdClose->click();
    return 0;
  });
  std::string log;
  RecordStatus(log);
  window.Menus().Click("mnuNew_Reports");
  EXPECT_NE(log.find("Property Tax\n\tLEA: 10017\t- Cancelled\n\n\n\n Print Operation Completed."), std::string::npos)
      << log;

  OpenDatabase()->Execute("UPDATE KRN_LEAS SET STAT_TYPE = 'CLOSED' WHERE SCHOOL_DISTRICT_ID = 10017");
  dialogs_.ClearPrompts();
  dialogs_.AnswerMsgBox(5);  // Ignore
  RecordStatus(log);
  window.Menus().Click("mnuNew_Reports");
  const Texts messages = dialogs_.TakeMessages();
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_NE(messages[0].find("has no open directory row"), std::string::npos) << messages[0];
  EXPECT_NE(messages[0].find("Procedure: mnuNew_Reports_Click"), std::string::npos) << messages[0];
  EXPECT_EQ(log.find("LEA: 10017"), std::string::npos) << log;
  EXPECT_NE(log.find(" Print Operation Completed."), std::string::npos) << log;
  EXPECT_TRUE(printers.jobs.empty());
  EXPECT_FALSE(modGlobals::gblnBatchPrint);
  EXPECT_TRUE(window.isEnabled());
  EXPECT_EQ(WaitMessage(), "");
}

TEST_F(PrintReportsTest, WithoutPrintersTheCommandSaysSoAndPrintsNothing) {
  RecordingPrinters printers({});
  frmMain& window = OpenWithSelection();
  dialogs_.AcknowledgeMessages(1);
  window.Menus().Click("mnuNew_Reports");
  const Texts messages = dialogs_.TakeMessages();
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0].rfind("Cannot print due to a problem with the current printer setup.\r\n", 0), 0u);
  EXPECT_TRUE(printers.jobs.empty());
  EXPECT_TRUE(window.isEnabled());
}

// Birch Unified beside the county office: a county logon lists county
// offices only, so its directory row is given that kind here (the batch
// reads no agency kind for the tax form), and the county office's list of
// tax forms is given forms 94 and 102. Selected: both agencies, and the
// forms.
frmMain& PrintReportsTest::OpenWithTwoAgencies(const std::string& formNumbers) {
  LogOn(As(2, agencies::kCounty, agencies::kOffice));
  OpenDatabase()->ExecuteScript(
      "UPDATE KRN_LEAS SET LEA_TYPE = 2 WHERE SCHOOL_DISTRICT_ID = 20001 AND SCHOOL_ID = 0;"
      "UPDATE KRN_LEAS SET SELECTED = 'Yes' WHERE COUNTY_ID = 1 AND SCHOOL_ID = 0 AND SCHOOL_DISTRICT_ID IN "
      "(10017, 20001);"
      "UPDATE VHO_TORB_FORMS SET COE = 'Y', CATEGORY = 'T' WHERE FORM_NO IN (94, 102);"
      "UPDATE VHO_TORB_FORMS SET SELECTED = 'Yes' WHERE FORM_NO IN (" + formNumbers + ");");
  return Open();
}

// Two agencies under the tax form: a job each, in the agency table's
// order, and a line each in the run log; the program-wide parameters and
// the window's own stay as they were.
TEST_F(PrintReportsTest, TheBatchPrintsEachSelectedAgencyInTurn) {
  RecordingPrinters printers({"Office Laser", ui::PdfPrinterName});
  frmMain& window = OpenWithTwoAgencies("29");
  const clsGlobalParam programWide = *modGlobals::gobjGlobalParam;
  const clsGlobalParam windowOwn = *window.GParam;
  const int row = window.dgLEA->Row();
  AnswerDistrict();
  AnswerDistrict();
  std::string log;
  RecordStatus(log);
  window.Menus().Click("mnuNew_Reports");

  ASSERT_EQ(printers.jobs.size(), 2u) << log;
  EXPECT_EQ(printers.jobs[0].pages, 3);
  EXPECT_NE(printers.jobs[0].text.find("10017"), std::string::npos);
  EXPECT_EQ(printers.jobs[1].pages, 1);
  EXPECT_NE(printers.jobs[1].text.find("District: Birch Unified"), std::string::npos);
  EXPECT_NE(printers.jobs[1].text.find("20001"), std::string::npos);
  EXPECT_EQ(log,
            "Reports Printing.. Date & Time: Dec-09-2019 14:35:07\n\nProperty Tax\n"
            "\tLEA: 10017\t- Number of Record(s) Printed = 3\n"
            "\tLEA: 20001\t- Number of Record(s) Printed = 1\n\n\n\n Print Operation Completed.");
  EXPECT_FALSE(modGlobals::gblnBatchPrint);
  EXPECT_EQ(modGlobals::gstrPrintLog, "");
  EXPECT_EQ(modGlobals::gobjGlobalParam->DistrictID, programWide.DistrictID);
  EXPECT_EQ(modGlobals::gobjGlobalParam->FormNo, programWide.FormNo);
  EXPECT_EQ(window.GParam->DistrictID, windowOwn.DistrictID);
  EXPECT_EQ(window.GParam->DistrictName, windowOwn.DistrictName);
  EXPECT_TRUE(window.isEnabled());
  EXPECT_EQ(window.dgLEA->Row(), row);
  EXPECT_TRUE(window.dgLEA->selectionModel()->isRowSelected(window.dgLEA->currentIndex().row(), {}))
      << "the agency row is highlighted again";
  EXPECT_EQ(WaitMessage(), "");
}

// A directory row gone since the list was read is reported once: Retry
// (the row back meanwhile) prints that agency's report, Ignore goes on
// with the next agency; no report prints twice.
TEST_F(PrintReportsTest, AMissingDirectoryRowIsReportedOnceAndNoReportPrintsTwice) {
  struct Case {
    const char* what;
    int answer;
    bool rowBack;
    std::vector<int> pages;  // of the jobs, in order
  };
  for (const Case& c : {Case{"retried", 4, true, {3, 1}}, Case{"ignored", 5, false, {1}}}) {
    SCOPED_TRACE(c.what);
    RecordingPrinters printers({"Office Laser"});
    frmMain& window = OpenWithTwoAgencies("29");
    const db::ConnectionPtr conn = OpenDatabase();
    conn->Execute("UPDATE KRN_LEAS SET STAT_TYPE = 'CLOSED' WHERE SCHOOL_DISTRICT_ID = 10017");
    dialogs_.AnswerMsgBox(c.answer, [&] {
      if (c.rowBack) conn->Execute("UPDATE KRN_LEAS SET STAT_TYPE = 'OPEN' WHERE SCHOOL_DISTRICT_ID = 10017");
    });
    if (c.rowBack) AnswerDistrict();
    AnswerDistrict();
    std::string log;
    RecordStatus(log);
    window.Menus().Click("mnuNew_Reports");
    EXPECT_EQ(dialogs_.TakeMessages().size(), 1u);
    std::vector<int> pages;
    for (const auto& job : printers.jobs) pages.push_back(job.pages);
    EXPECT_EQ(pages, c.pages);
    EXPECT_EQ(log.find("LEA: 10017") != std::string::npos, c.rowBack) << log;
    EXPECT_NE(log.find("\tLEA: 20001\t- Number of Record(s) Printed = 1\n"), std::string::npos) << log;
    EXPECT_FALSE(modGlobals::gblnBatchPrint);
    EXPECT_TRUE(window.isEnabled());
    EXPECT_EQ(WaitMessage(), "");
    delete window_.data();
  }
}

// Forms 94 and 102 have no report: each agency's line ends with its notes,
// also where infant-funding rows exist, the next agency starts its own
// line, and no error is reported.
TEST_F(PrintReportsTest, FormsWithoutAReportEndTheirLinesWithTheirNotes) {
  RecordingPrinters printers({"Office Laser"});
  frmMain& window = OpenWithTwoAgencies("94, 102");
  OpenDatabase()->Execute(
      "INSERT INTO InfantFunding (FISCAL_YEAR, PERIOD_ID, COUNTY_ID, SCHOOL_DISTRICT_ID, SCHOOL_ID, Justification) "
      "VALUES (2019, 2, 1, 20001, 0, 'Two new classes')");
  std::string log;
  RecordStatus(log);
  window.Menus().Click("mnuNew_Reports");

  EXPECT_TRUE(printers.jobs.empty());
  EXPECT_EQ(dialogs_.TakeMessages(), Texts{});
  const std::string none = "\t\t Infant Funding Allocation \t - No Records to Print\n"
                           "\t\t Infant Funding Transfer \t - No Records to Print\n";
  EXPECT_NE(log.find("ROC/P Member Districts\n\tLEA: 10017\t- No report available\n"
                     "\tLEA: 20001\t- No report available\n\n\n"),
            std::string::npos)
      << log;
  EXPECT_NE(log.find("Infant Funding\n\tLEA: 10017-2\n" + none +
                     "\t\t Infant Funding Justification \t - No Records to Print\n"
                     "\tLEA: 20001-2\n" + none +
                     "\t\t Infant Funding Justification \t - No report available\n\n\n"),
            std::string::npos)
      << log;
  EXPECT_FALSE(modGlobals::gblnBatchPrint);
  EXPECT_TRUE(window.isEnabled());
}

// On the PDF printer a batch asks for its folder once and writes a file
// per report, named after the agency and the report; a cancelled question
// cancels the batch's reports without asking again.
TEST_F(PrintReportsTest, OnThePdfPrinterTheBatchAsksForItsFolderOnce) {
  ui::SetJobPrinter(ui::PdfPrinterName);
  frmMain& window = OpenWithTwoAgencies("29");
  const std::filesystem::path folder = ProgramFolder() / "reports";
  std::filesystem::create_directories(folder);
  std::filesystem::path taken = folder / "10017 Tax.pdf";
  { std::ofstream(taken) << "kept"; }
  struct Case {
    const char* what;
    std::optional<std::string> folder;
    const char* note;
  };
  for (const Case& c : {Case{"a folder", folder.string(), "- Number of Record(s) Printed = "},
                        Case{"cancelled", std::nullopt, "- Cancelled"}}) {
    SCOPED_TRACE(c.what);
    dialogs_.ClearPrompts();
    AnswerDistrict();
    AnswerDistrict();
    dialogs_.AnswerFolder(c.folder);
    std::string log;
    RecordStatus(log);
    window.Menus().Click("mnuNew_Reports");
    int questions = 0;
    for (const RecordedPrompt& prompt : dialogs_.Prompts()) {
      questions += prompt.kind == "ChooseFolder";
      EXPECT_NE(prompt.kind, "SaveFile");
    }
    EXPECT_EQ(questions, 1);
    EXPECT_NE(log.find("\tLEA: 10017\t" + std::string(c.note)), std::string::npos) << log;
    EXPECT_NE(log.find("\tLEA: 20001\t" + std::string(c.note)), std::string::npos) << log;
  }
  std::vector<std::string> files;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) files.push_back(entry.path().filename());
  std::sort(files.begin(), files.end());
  EXPECT_EQ(files, (Texts{"10017 Tax (2).pdf", "10017 Tax.pdf", "20001 Tax.pdf"}));
  std::ifstream kept(taken);
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(kept), {}), "kept") << "a file of the folder is not overwritten";
  ui::SetJobPrinter("");
}

// Every print command that this version has checks the printer first:
// with none installed it shows the printer message and nothing else,
// prints nothing, leaves no check mark behind and the window enabled.
TEST_F(PrintReportsTest, EveryPrintCommandTellsThatNoPrinterIsInstalled) {
  RecordingPrinters printers({});
  frmMain& window = OpenWithSelection();
  const Texts commands = {"mnuNew_Reports",        "mnuNew_BlankReports", "mnuNew_Certification",
                          "mnunew_BlankCert",      "mnu_Coe_Certification", "mnuNew_SummaryPrint",
                          "mnuCertCounty",         "mnuCertTax"};
  ASSERT_TRUE(frmMain::HasCommandBody("mnuNew_Reports"));
  for (const std::string& command : commands) {
    if (!frmMain::HasCommandBody(command)) continue;
    SCOPED_TRACE(command);
    dialogs_.AcknowledgeMessages(1);
    window.Menus().Click(command);
    EXPECT_EQ(dialogs_.TakeMessages(), Texts{Utilities::NoPrinterMessage()});
    EXPECT_EQ(CheckedItems({"mnuNew_BlankReports", "mnunew_BlankCert"}), Texts{});
    EXPECT_TRUE(window.isEnabled());
    EXPECT_EQ(WaitMessage(), "");
  }
  EXPECT_TRUE(printers.jobs.empty());
}

// Printer Setup checks no printer: with none installed its dialog still
// opens, and cancelling it changes nothing.
TEST_F(PrintReportsTest, PrinterSetupOpensItsDialogWithoutPrinters) {
  RecordingPrinters printers({});
  frmMain& window = OpenWithSelection();
  ui::SetJobPrinter("Office Laser");
  dialogs_.AnswerPrinter(std::nullopt);
  window.Menus().Click("mnuNew_PrinterSetup");
  ASSERT_EQ(dialogs_.Prompts().size(), 1u);
  EXPECT_EQ(dialogs_.Prompts()[0].kind, "ChoosePrinter");
  EXPECT_EQ(ui::JobPrinter(), "Office Laser");
  EXPECT_TRUE(printers.jobs.empty());
  ui::SetJobPrinter("");
}

}  // namespace

namespace {

// The Print submenu as each logon group finds it when the window opens:
// COE Certification only for a county office, the certification-exception
// items by group (the group's own choice comes after the county-tax menu).
TEST_F(MainWindowTest, ThePrintSubmenuByLogonGroup) {
  const std::vector<std::string> items = {"mnuNew_Reports",      "mnuNew_BlankReports", "mnuNew_Certification",
                                          "mnunew_BlankCert",    "mnu_Coe_Certification", "mnuNew_SummaryPrint",
                                          "mnuPrintCertException", "mnuCertCounty",     "mnuCertDistrict",
                                          "mnuCertCharter",      "mnuCertTax",          "mnuCertSELPA"};
  struct Case {
    const char* what;
    Logon logon;
    std::vector<std::string> visible;
  };
  const Case cases[] = {
      {"county office", As(2, 7, 10070),
       {"mnuNew_Reports", "mnuNew_Certification", "mnunew_BlankCert", "mnu_Coe_Certification", "mnuNew_SummaryPrint",
        "mnuPrintCertException", "mnuCertCounty", "mnuCertTax"}},
      {"district", As(3, 7, 71001),
       {"mnuNew_Reports", "mnuNew_Certification", "mnunew_BlankCert", "mnuNew_SummaryPrint",
        "mnuPrintCertException", "mnuCertDistrict", "mnuCertCharter", "mnuCertSELPA"}},
      {"county auditor", As(7, 8, 10080),
       {"mnuNew_Reports", "mnuNew_Certification", "mnunew_BlankCert", "mnuNew_SummaryPrint",
        "mnuPrintCertException", "mnuCertTax"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    LogOn(c.logon);
    frmMain& w = Open();
    EXPECT_EQ(VisibleItems(items), c.visible);
    EXPECT_TRUE(w.Menus().Item("mnuNew_Print").Enabled()) << "the agency list has rows";
    delete window_.data();
  }
}

}  // namespace
