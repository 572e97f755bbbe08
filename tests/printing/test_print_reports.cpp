// File > Print > Reports of the main window: the batch of the selected
// programs for the selected agencies, its run log, and the state it leaves.

#include <gtest/gtest.h>

#include <QRadioButton>
#include <QTextEdit>

#include "MainWindowFixture.h"
#include "PrintingAgencies.h"
#include "ScriptedSeams.h"
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
      log = window.findChild<QTextEdit*>("txtStatus")->toPlainText().toStdString();
      window.close();
      return 0;
    });
  }

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
