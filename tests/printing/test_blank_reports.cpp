// File > Print > Blank Reports of the main window: the blank tax report of
// an agency without tax rows, the form without agency, several agencies in
// list order with the status report, and the refusals and failures; and
// the heading the blank reports carry.

#include <gtest/gtest.h>

#include <QPlainTextEdit>

#include "MainWindowFixture.h"
#include "BlankReportQuery.h"
#include "PrintingAgencies.h"
#include "ScriptedSeams.h"
#include "frmMainBlankReports.h"
#include "modGlobals.h"
#include "modMainPrintForm.h"
#include "modMainReports.h"
#include "modMainStart.h"
#include "vb/Conversions.h"

using vb::Variant;

namespace {

namespace agencies = fixtures::printing;
using Texts = std::vector<std::string>;

bool Holds(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

TEST(BlankAgencyLine, DistrictSchoolAndSelpa) {
  struct Case {
    std::int32_t group;
    Variant district, selpa, school;
    const char* line;
  };
  for (const Case& c : {Case{3, Variant(20001), Variant("07"), Variant(0), "\t20001\r\n"},
                        Case{3, Variant(20001), Variant("07"), vb::Null, "\t20001\r\n"},
                        Case{4, Variant(20001), Variant("07"), Variant(1234567), "\t20001-1234567\r\n"},
                        Case{3, Variant(123), Variant("07"), Variant(45), "\t00123-0000045\r\n"},
                        Case{5, Variant(20001), Variant("07"), Variant(1234567), "\t20001-07\r\n"}}) {
    EXPECT_EQ(printing::BlankAgencyLine(c.group, c.district, c.selpa, c.school), c.line) << c.line;
  }
}

class BlankReportsTest : public MainWindowTest {
 protected:
  void SetUp() override {
    MainWindowTest::SetUp();
    // The county office keeps no tax rows here: its blank tax report is
    // the one of an agency without rows.
    OpenDatabase()->ExecuteScript(std::string(agencies::kRows) + "DELETE FROM Tax WHERE SCHOOL_DISTRICT_ID = 10017;");
    printing::Install();
  }
  void TearDown() override {
    modMain::SetFormPrinter(nullptr);
    frmMain::SetCommandBody("mnuNew_Reports", nullptr);
    frmMain::SetCommandBody("mnuNew_BlankReports", nullptr);
    MainWindowTest::TearDown();
  }
  // Logged on as the agency, with the given agencies and forms selected.
  frmMain& OpenWith(const Logon& logon, const std::string& agencies, const std::string& forms) {
    LogOn(logon);
    if (!agencies.empty())
      OpenDatabase()->ExecuteScript("UPDATE KRN_LEAS SET SELECTED = 'Yes' WHERE " + agencies + ";");
    if (!forms.empty())
      OpenDatabase()->ExecuteScript("UPDATE VHO_TORB_FORMS SET SELECTED = 'Yes' WHERE " + forms + ";");
    return Open();
  }
  // Every open agency of the county listed, as a county auditor sees them
  // when looking at county offices (a kind its list filters do not name),
  // with the county office current and its tax form listed; 20001, its
  // charter and 20002 selected with the tax form.
  frmMain& OpenCountyList() {
    LogOn(As(7, agencies::kCounty, agencies::kOffice));
    modGlobals::GlobalParam().UserGroup = 2;
    OpenDatabase()->ExecuteScript("UPDATE KRN_LEAS SET SELECTED = 'Yes' WHERE SCHOOL_DISTRICT_ID IN (20001, 20002);"
                                  "UPDATE VHO_TORB_FORMS SET SELECTED = 'Yes' WHERE FORM_NO = 29;");
    return Open();
  }
  void RecordStatus(std::string& log) {
    dialogs_.AnswerModal([&log](QWidget& window) {
      log = window.findChild<QPlainTextEdit*>("txtStatus")->toPlainText().toStdString();
      window.close();
      return 0;
    });
  }
  // Counts every commit to the database file, from any connection.
  long DataVersion() {
    db::Recordset rs;
    rs.Open("PRAGMA data_version", watcher_);
    return vb::CLng(rs.Value(0));
  }
  void Watch() { watcher_ = OpenDatabase(); }
  void ExpectGivenBack(frmMain& window) {
    EXPECT_TRUE(window.isEnabled());
    EXPECT_FALSE(window.Menus().Item("mnuNew_BlankReports").Checked());
    EXPECT_EQ(WaitMessage(), "");
  }

  db::ConnectionPtr watcher_;
  ScriptedClock clock_{vb::CDate(Variant("2019-12-09 14:35:07"))};
};

// The county office without tax rows: one page with its heading, the sixteen
// line captions and no figure, and nothing written to the database.
TEST_F(BlankReportsTest, TheBlankTaxReportOfAnAgencyWithoutTaxRows) {
  RecordingPrinters printers({"Office Laser"});
  frmMain& window = OpenWith(As(2, agencies::kCounty, agencies::kOffice), "SCHOOL_DISTRICT_ID = 10017",
                             "FORM_NO = 29");
  Watch();
  const long before = DataVersion();
  std::string log;
  RecordStatus(log);
  window.Menus().Item("mnuNew_BlankReports").Checked(false);
  window.mnuNew_BlankReports_Click();

  ASSERT_EQ(printers.jobs.size(), 1u) << log;
  const auto& job = printers.jobs[0];
  EXPECT_EQ(job.pages, 1);
  EXPECT_EQ(job.orientation, ui::OrientationPortrait);
  for (const char* text : {"District: Alder County Office of Education", "01", "10017", "Fiscal Year:  2019-20", "P-2",
                           "Property Tax Apportionment Report", "A-1", "A-10", "A-16", "Levrona"}) {
    EXPECT_TRUE(Holds(job.text, text)) << text << "\n" << job.text;
  }
  for (const char* figure : {"School District", "1,000", "(300)"}) {
    EXPECT_FALSE(Holds(job.text, figure)) << figure;
  }
  EXPECT_EQ(DataVersion(), before) << "no write reached the database";
  EXPECT_EQ(log,
            "Blank Reports Printing.. Date & Time: Dec-09-2019 14:35:07\n\nSelected LEA(s) \n\n\t10017\n\n"
            "Selected Program(s)\n\n\tProperty Tax\n\nPrint Operation Completed.");
  ExpectGivenBack(window);
}

// A district, its charter school and a second district, each with the
// county office's tax form: three one-page jobs in list order, each headed
// for its agency and without a figure of its own tax rows, and one status
// report naming the three.
TEST_F(BlankReportsTest, SeveralAgenciesPrintInListOrderWithTheStatusReport) {
  RecordingPrinters printers({"Office Laser"});
  frmMain& window = OpenCountyList();
  ASSERT_EQ(ListedAgencies(), (Texts{"1-10017-0", "1-20001-0", "1-20001-1234567", "1-20002-0"}));
  Watch();
  const long before = DataVersion();
  std::string log;
  RecordStatus(log);
  window.mnuNew_BlankReports_Click();

  struct Heading {
    const char* district;  // the district line
    const char* codes;     // the agency's own code
  };
  const Heading headings[] = {{"District: Birch Unified", "20001"},
                              {"District: Birch Unified : Maple Charter", "1234567"},
                              {"District: Cedar Elementary SD", "20002"}};
  ASSERT_EQ(printers.jobs.size(), std::size(headings)) << log;
  for (std::size_t i = 0; i < std::size(headings); ++i) {
    SCOPED_TRACE(headings[i].district);
    const auto& job = printers.jobs[i];
    EXPECT_EQ(job.pages, 1);
    EXPECT_EQ(job.orientation, ui::OrientationPortrait);
    for (const char* text : {headings[i].district, headings[i].codes, "01", "Fiscal Year:  2019-20", "P-2",
                             "Property Tax Apportionment Report", "Levrona"}) {
      EXPECT_TRUE(Holds(job.text, text)) << text << "\n" << job.text;
    }
    for (int line = 1; line <= 16; ++line) {
      const std::string caption = "A-" + std::to_string(line);
      EXPECT_TRUE(Holds(job.text, caption)) << caption;
    }
    // Birch Unified's stored row (Dogwood Elementary, 500) stays off its
    // blank form; no tax type is chosen on any.
    for (const char* figure : {"Dogwood", ": 500", "School District", "COE"}) {
      EXPECT_FALSE(Holds(job.text, figure)) << figure << "\n" << job.text;
    }
  }
  EXPECT_FALSE(Holds(printers.jobs[0].text, "Maple Charter")) << "the district's own form names no school";
  EXPECT_EQ(DataVersion(), before) << "no write reached the database";
  EXPECT_EQ(log,
            "Blank Reports Printing.. Date & Time: Dec-09-2019 14:35:07\n\nSelected LEA(s) \n\n"
            "\t20001\n\t20001-1234567\n\t20002\n\n"
            "Selected Program(s)\n\n\tProperty Tax\n\nPrint Operation Completed.");
  ExpectGivenBack(window);
}

// A SELPA's list reaches across counties: each agency's form is headed
// from its own county's directory row, and its status line ends in "-"
// and its SELPA.
TEST_F(BlankReportsTest, ASelpaRunHeadsEachAgencyInItsOwnCounty) {
  RecordingPrinters printers({"Office Laser"});
  LogOn(As(5, 7, 71005, 0, "R7"));
  OpenDatabase()->ExecuteScript(
      "UPDATE KRN_LEAS SET SELECTED = 'Yes' WHERE FISCAL_YEAR = 2019 AND SCHOOL_DISTRICT_ID IN (71001, 81001);"
      "UPDATE VHO_TORB_FORMS SET CATEGORY = 'S', SELPA = 'Y', SELECTED = 'Yes' WHERE FORM_NO = 29;");
  frmMain& window = Open();
  std::string log;
  RecordStatus(log);
  window.mnuNew_BlankReports_Click();

  ASSERT_EQ(printers.jobs.size(), 2u) << log;
  for (const auto& [job, heading] : {std::pair{0, "District: Acorn Elementary"}, {1, "District: Ember Elementary"}}) {
    EXPECT_TRUE(Holds(printers.jobs[job].text, heading)) << printers.jobs[job].text;
  }
  EXPECT_TRUE(Holds(printers.jobs[1].text, "County: Dune County")) << printers.jobs[1].text;
  EXPECT_TRUE(Holds(printers.jobs[1].text, ": 08\n")) << printers.jobs[1].text;
  EXPECT_TRUE(Holds(log, "Selected LEA(s) \n\n\t71001-R7-02\n\t81001-R7-05\n\n")) << log;
  ExpectGivenBack(window);
}

// Programs but no agency: one form to fill in by hand, without period, and
// a status report without the agency block.
TEST_F(BlankReportsTest, WithoutAgencyOneFormToFillIn) {
  RecordingPrinters printers({"Office Laser"});
  frmMain& window = OpenWith(As(2, agencies::kCounty, agencies::kOffice), "", "FORM_NO = 29");
  std::string log;
  RecordStatus(log);
  window.mnuNew_BlankReports_Click();
  ASSERT_EQ(printers.jobs.size(), 1u) << log;
  const std::string& text = printers.jobs[0].text;
  EXPECT_TRUE(Holds(text, "Fiscal Year:\u00A0\u00A0\u00A0\u00A0\u00A0\u00A0\u00A0\u00A0")) << text;
  EXPECT_FALSE(Holds(text, "P-2")) << text;
  EXPECT_FALSE(Holds(text, "Alder County Office")) << text;
  EXPECT_EQ(log,
            "Blank Reports Printing.. Date & Time: Dec-09-2019 14:35:07\n\nSelected Program(s)\n\n\tProperty Tax\n\n"
            "Print Operation Completed.");
  EXPECT_EQ(window.mlngNoLEASelected, 0);
  ExpectGivenBack(window);
}

// A program without a report ends the run with the failure message; the
// charter-school excess-debt form says first that it has none; a form the
// window asks not to print here says so and the run goes on.
TEST_F(BlankReportsTest, RefusalsAndFailures) {
  struct Case {
    const char* name;
    const char* setup;
    Texts messages;
    bool status;
  };
  const std::string failed = "Print job cannot be completed";
  const std::string noColumns =
      "Selectable columns are not defined for this entry screen or entry screen not implemented";
  for (const Case& c : {
           Case{"no report", "UPDATE VHO_TORB_FORMS SET FORM_NAME = 'KRN_LEAS' WHERE FORM_NO = 29", {failed}, false},
           Case{"EDS_CS", "UPDATE VHO_TORB_FORMS SET FORM_NAME = 'EDS_CS' WHERE FORM_NO = 29",
                {"No report available", failed}, false},
           Case{"no columns", "UPDATE VHO_TORB_FORMS SET FORM_NAME = 'NoSuchTable' WHERE FORM_NO = 29",
                {noColumns, failed}, false},
           Case{"COUNTYMODEL",
                "UPDATE VHO_TORB_FORMS SET FORM_NAME = 'CountyModel' WHERE FORM_NO = 29",
                // once for each of the three agencies: the run goes on
                Texts(3, "Report for Property Tax is unavailable"), true},
       }) {
    SCOPED_TRACE(c.name);
    RecordingPrinters printers({"Office Laser"});
    OpenDatabase()->ExecuteScript(c.setup);
    frmMain& window = OpenCountyList();
    // The user stands on the charter school: the grids come back there.
    ClickRecordSelector(*window.dgLEA, 2);
    ASSERT_EQ(window.dgLEA->Row(), 2);
    ASSERT_EQ(modGlobals::GlobalParam().SchoolId, agencies::kCharter);
    dialogs_.AcknowledgeMessages(static_cast<int>(c.messages.size()));
    std::string log;
    if (c.status) RecordStatus(log);
    window.mnuNew_BlankReports_Click();
    EXPECT_EQ(dialogs_.TakeMessages(), c.messages);
    EXPECT_TRUE(printers.jobs.empty());
    EXPECT_EQ(!log.empty(), c.status) << log;
    EXPECT_EQ(window.dgLEA->Row(), 2);
    EXPECT_EQ(modGlobals::GlobalParam().SchoolId, agencies::kCharter) << "the charter school is current again";
    EXPECT_EQ(window.dgForms->Row(), 0);
    ExpectGivenBack(window);
    delete window_.data();
    OpenDatabase()->ExecuteScript("UPDATE VHO_TORB_FORMS SET FORM_NAME = 'Tax' WHERE FORM_NO = 29");
  }
}

// The heading of a blank tax form: the agency's lines (a charter school's
// with its name and code), or, without agency, the words to fill in by
// hand with the code labels as the layout has them and no period; the
// title by form name, the footer, and the caption of the parameters given.
TEST_F(BlankReportsTest, TheBlankHeadingWithAndWithoutAgency) {
  struct Case {
    const char* name;
    bool noAgency;
    const char* formName;
    const char* district;
    const char* county;
    const char* codes[3];  // county, district, school; nullptr: as designed
    const char* fiscalYear;
    bool periodShown;
    const char* title;
  };
  const char* const kFill = "Fiscal Year:\u00A0\u00A0\u00A0\u00A0\u00A0\u00A0\u00A0\u00A0";
  const Case cases[] = {
      {"charter school", false, "TAX", "District: Birch Unified : Maple Charter", "County: Alder",
       {"01", "20001", "1234567"}, "Fiscal Year:  2019-20", true, "Property Tax Apportionment Report"},
      {"no agency", true, "TAX", "District: ", "County: ", {nullptr, nullptr, nullptr}, kFill, false,
       "Property Tax Apportionment Report"},
      {"revenue limit form", false, "DISTRICTLIMITK12", "District: Birch Unified : Maple Charter", "County: Alder",
       {"01", "20001", "1234567"}, "Fiscal Year:  2019-20", true, "District Revenue Limit Adjustments"},
  };
  LogOn(As(2, agencies::kCounty, agencies::kOffice));
  const clsGlobalParam param = fixtures::PrintingTaxForm(agencies::kDistrict, "Birch Unified");
  const char* const codeLabels[] = {"lblCountyID", "lblDistrictID", "lblSchoolID"};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::shared_ptr<report::Report> designed = modMain::GetReport("Tax");
    const std::shared_ptr<report::Report> rpt = modMain::GetReport("Tax");
    ASSERT_TRUE(rpt && designed);
    const db::SqlText q = modMain::GetBlankSQL(OpenDatabase(), "Tax", {2019, agencies::kCounty, 2},
                                               {Variant(agencies::kDistrict), Variant(agencies::kCharter), vb::Null});
    db::Recordset row;
    row.Open(q.Sql(), OpenDatabase(), q.Params());
    printing::BlankReportsClick1(*rpt, row, c.formName, param, c.noAgency, Variant("Property Tax Apportionment Report"));

    report::Section header = rpt->Sections("Section1");
    EXPECT_EQ(header.Controls("lblDistrictName").Caption(), c.district);
    EXPECT_EQ(header.Controls("lblCountyName").Caption(), c.county);
    for (int i = 0; i < 3; ++i) {
      const std::string expected =
          c.codes[i] ? c.codes[i] : designed->Sections("Section1").Controls(codeLabels[i]).Caption();
      EXPECT_EQ(header.Controls(codeLabels[i]).Caption(), expected) << codeLabels[i];
    }
    EXPECT_EQ(header.Controls("LBLFISCALYEAR").Caption(), c.fiscalYear);
    EXPECT_EQ(header.Controls("LBLPERIOD").Visible(), c.periodShown);
    if (c.periodShown) {
      EXPECT_EQ(header.Controls("LBLPERIOD").Caption(), "P-2");
    }
    EXPECT_EQ(header.Controls("lblFormName").Caption(), c.title);
    EXPECT_EQ(rpt->Sections("Sec45").Controls("lblVersion").Caption(), "2019-" + modGlobals::gstrVersion);
    EXPECT_EQ(rpt->Caption(), "Property Tax \\ " + param.FiscalYearText + " \\ P-2 \\ Alder \\ Birch Unified");
  }
  EXPECT_TRUE(dialogs_.Prompts().empty());
}

TEST_F(BlankReportsTest, WithoutPrintersTheCommandSaysSoAndLeavesNoMark) {
  RecordingPrinters printers({});
  frmMain& window = OpenWith(As(2, agencies::kCounty, agencies::kOffice), "SCHOOL_DISTRICT_ID = 10017",
                             "FORM_NO = 29");
  dialogs_.AcknowledgeMessages(1);
  window.mnuNew_BlankReports_Click();
  const Texts messages = dialogs_.TakeMessages();
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0].rfind("Cannot print due to a problem with the current printer setup.\r\n", 0), 0u);
  EXPECT_TRUE(printers.jobs.empty());
  ExpectGivenBack(window);
}

}  // namespace
