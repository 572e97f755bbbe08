// File > Print > Summary and Certification Exception > County / Auditor of
// the main window, on the printing agencies: the three summary jobs as they
// print, the run log, and the exception previews of the window's agency.

#include <gtest/gtest.h>

#include <QTextEdit>
#include <algorithm>
#include <filesystem>
#include <optional>
#include <sstream>

#include "MainWindowFixture.h"
#include "PrintPrompts.h"
#include "PrintingAgencies.h"
#include "ScriptedSeams.h"
#include "Utilities.h"
#include "frmMainCertException.h"
#include "frmMainSummaryPrint.h"
#include "frmTaxSummary.h"
#include "modGlobals.h"
#include "modMainPrintForm.h"
#include "modMainStart.h"
#include "report/ReportPreview.h"
#include "ui/Printers.h"
#include "vb/Conversions.h"

using vb::Variant;

namespace {

namespace agencies = fixtures::printing;
using Texts = std::vector<std::string>;

// One page of a printed job, read back from its capture.
struct PrintedPage {
  int width = 0;
  Texts texts;      // in print order, line breaks as blanks
  int rightmost = 0;  // the right edge of the rightmost item
};

std::vector<PrintedPage> PagesOf(const std::string& capture) {
  std::vector<PrintedPage> pages;
  std::istringstream in(capture);
  std::string line;
  while (std::getline(in, line)) {
    if (line.rfind("page ", 0) == 0) {
      pages.emplace_back();
      const auto open = line.find('(');
      pages.back().width = std::stoi(line.substr(open + 1));
      continue;
    }
    if (pages.empty()) continue;
    // "Section/control left,top,width,height: text"
    const auto blank = line.find(' ');
    const auto colon = line.find(": ", blank);
    int left = 0, top = 0, width = 0, height = 0;
    char comma = 0;
    std::istringstream rect(line.substr(blank + 1, colon == std::string::npos ? std::string::npos : colon - blank - 1));
    rect >> left >> comma >> top >> comma >> width >> comma >> height;
    pages.back().rightmost = std::max(pages.back().rightmost, left + width);
    if (colon == std::string::npos) continue;
    std::string text = line.substr(colon + 2);
    for (std::size_t at; (at = text.find("\\n")) != std::string::npos;) text.replace(at, 2, " ");
    pages.back().texts.push_back(text);
  }
  return pages;
}

bool Holds(const Texts& texts, const std::string& text) {
  return std::find(texts.begin(), texts.end(), text) != texts.end();
}

// The texts appear in this order (others may lie between).
::testing::AssertionResult InOrder(const Texts& texts, const Texts& order) {
  auto at = texts.begin();
  for (const std::string& text : order) {
    at = std::find(at, texts.end(), text);
    if (at == texts.end()) return ::testing::AssertionFailure() << "\"" << text << "\" missing or out of order";
    ++at;
  }
  return ::testing::AssertionSuccess();
}

class SummaryCommandsTest : public MainWindowTest {
 protected:
  void SetUp() override {
    MainWindowTest::SetUp();
    OpenDatabase()->ExecuteScript(agencies::kRows);
    printing::InstallSummaryCommand();
    printing::InstallCertExceptionCommands();
    modGlobals::gstrPrintLog.clear();
    modGlobals::gintTaxSummaryChoice = 0;
    ui::SetJobOrientation(ui::OrientationPortrait);
  }
  void TearDown() override {
    // The print commands a test installed.
    for (const char* item : {"mnuNew_SummaryPrint", "mnuCertCounty", "mnuCertTax", "mnuNew_Reports",
                             "mnuNew_BlankReports"})
      frmMain::SetCommandBody(item, nullptr);
    modMain::SetFormPrinter(nullptr);
    ui::SetJobOrientation(ui::OrientationPortrait);
    MainWindowTest::TearDown();
  }

  // Alder's county office logged on in P-2 of 2019 (the logon fills the
  // names and texts the headings read), with the programs selected.
  frmMain& OpenWith(const std::string& forms, int group = 2) {
    LogOn(As(group, agencies::kCounty, agencies::kOffice));
    clsGlobalParam& P = *modGlobals::gobjGlobalParam;
    P.ReportYear = 2019;
    P.FiscalYearText = "FY 2019-20";
    P.PeriodText = "P-2";
    P.CountyName = "Alder";
    P.DistrictName = "Alder County Office of Education";
    OpenDatabase()->Execute("UPDATE VHO_TORB_FORMS SET SELECTED = 'Yes' WHERE FORM_NO IN (" + forms + ")");
    return Open();
  }
  void AnswerTaxDialog(const std::string& choice) { ::AnswerTaxDialog(dialogs_, choice); }
  void RecordStatus(std::string& log) { ::RecordStatus(dialogs_, log); }
  // A summary run answered `choice`, its jobs and its run log.
  std::string RunSummary(frmMain& window, const std::string& choice) {
    AnswerTaxDialog(choice);
    std::string log;
    if (choice != "Cancel") RecordStatus(log);
    window.Menus().Click("mnuNew_SummaryPrint");
    return log;
  }
  void AddTaxRows(int count) {
    OpenDatabase()->Execute(
        "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < " + std::to_string(count) +
        ") INSERT INTO Tax (FISCAL_YEAR, PERIOD_ID, COUNTY_ID, SCHOOL_DISTRICT_ID, SCHOOL_ID, RES_COUNTY_ID, "
        "RES_SCHOOL_DISTRICT_ID, TaxType, ResSchoolDistName, ResDistrictType, Secured, Total) "
        "SELECT 2019, 2, 1, 10017, 0, 1, 30000 + i, 1, printf('District %02d', i), 'ELEMENTARY', i, i FROM n");
  }

  RecordingPrinters printers_{{"Office Laser", ui::PdfPrinterName}};
  ScriptedClock clock_{vb::CDate(Variant("2019-12-09 14:35:07"))};
};

// ---- File > Print > Summary

TEST_F(SummaryCommandsTest, TheDistrictSummaryPrintsThreeLandscapePartsGroupedByDistrictKind) {
  // Neighbours the summary must leave out: another period, year and county.
  OpenDatabase()->ExecuteScript(
      "INSERT INTO Tax (FISCAL_YEAR, PERIOD_ID, COUNTY_ID, SCHOOL_DISTRICT_ID, SCHOOL_ID, RES_COUNTY_ID, "
      "RES_SCHOOL_DISTRICT_ID, TaxType, ResSchoolDistName, ResDistrictType, Secured, Total) VALUES "
      "(2019, 1, 1, 10017, 0, 1, 20002, 1, 'Elm P-1', 'ELEMENTARY', 7, 7), "
      "(2018, 2, 1, 10017, 0, 1, 20002, 1, 'Elm 2018', 'ELEMENTARY', 7, 7), "
      "(2019, 2, 2, 20099, 0, 2, 20002, 1, 'Elm Other County', 'ELEMENTARY', 7, 7);");
  frmMain& window = OpenWith("29");
  // The highlight on Birch Unified: the heading names it, the rows stay the
  // whole county's.
  modGlobals::gobjGlobalParam->DistrictID = agencies::kDistrict;
  modGlobals::gobjGlobalParam->DistrictName = "Birch Unified";
  const std::string log = RunSummary(window, "School District");

  ASSERT_EQ(printers_.jobs.size(), 3u) << log;
  for (const auto& job : printers_.jobs) EXPECT_EQ(job.orientation, ui::OrientationLandscape);
  const auto part1 = PagesOf(printers_.jobs[0].text);
  ASSERT_EQ(part1.size(), 1u);
  const Texts& t = part1[0].texts;
  EXPECT_TRUE(InOrder(t, {"Property Tax Apportionment Report - District", "County: Alder", "ELEMENTARY",
                          "Aspen Elementary", "2,500", "Cedar Elementary", "1,000", "Dogwood Elementary", "500",
                          "Sub Total", "4,000", "UNIFIED", "Birch Unified", "(300)", "Sub Total", "(300)",
                          "Grand Total", "3,700", "A-1  :  Secured", "Section 1 Page 1 of 1"}));
  for (const char* text : {"Fiscal Year:  2019-20", "P-2", "District: Birch Unified", "01", "20001", "2019-"})
    EXPECT_TRUE(Holds(t, text) || std::any_of(t.begin(), t.end(), [&](const std::string& s) {
                  return s.rfind(text, 0) == 0;
                })) << text;
  for (const char* neighbour : {"Oak", "Elm P-1", "Elm 2018", "Elm Other County"})
    EXPECT_FALSE(Holds(t, neighbour)) << neighbour;
  EXPECT_LE(part1[0].rightmost, part1[0].width) << "the rightmost column lies inside the page";

  const Texts t2 = PagesOf(printers_.jobs[1].text)[0].texts;
  auto grand = std::find(t2.begin(), t2.end(), "Grand Total");
  ASSERT_NE(grand, t2.end());
  EXPECT_TRUE(Holds(Texts(grand, t2.end()), "3,700")) << "A-11's grand total";
  const Texts t3 = PagesOf(printers_.jobs[2].text).back().texts;
  EXPECT_TRUE(Holds(t3, "Section 3 Page 1 of 1"));

  EXPECT_EQ(log, "Summary Reports Printing.. Date & Time: Dec-09-2019 14:35:07\n\n"
                 "\tProperty Tax\t\t\t\t - Report Printed\n\n\n\n Print Operation Completed.");
  EXPECT_EQ(modGlobals::gstrPrintLog, "");
  EXPECT_EQ(modGlobals::gintTaxSummaryChoice, 1);
  EXPECT_TRUE(window.isEnabled());
  EXPECT_EQ(WaitMessage(), "");
}

TEST_F(SummaryCommandsTest, TheCountySummaryPrintsWithoutGroupsOrSubTotals) {
  frmMain& window = OpenWith("29");
  window.Menus().Item("mnu_PY_P2").Checked(true);  // a prior-year correction period
  RunSummary(window, "COE");
  ASSERT_EQ(printers_.jobs.size(), 3u);
  const Texts t = PagesOf(printers_.jobs[0].text)[0].texts;
  EXPECT_TRUE(InOrder(t, {"Property Tax Apportionment Report - County", "Oak", "99", "Grand Total", "99"}));
  for (const char* absent : {"Sub Total", "ELEMENTARY", "CO OFFICE", "Aspen Elementary"})
    EXPECT_FALSE(Holds(t, absent)) << absent;
  EXPECT_TRUE(Holds(t, "Levrona - Corrections"));
}

// A program whose catalogue row is gone is reported once under the
// command's name; Ignore goes on with the next program.
TEST_F(SummaryCommandsTest, AProgramWithoutItsCatalogueRowIsReportedAndTheRunGoesOn) {
  frmMain& window = OpenWith("27, 29");
  OpenDatabase()->Execute("DELETE FROM VHO_TORB_FORMS WHERE FORM_NO = 27");
  dialogs_.AnswerMsgBox(5);  // Ignore
  const std::string log = RunSummary(window, "School District");
  const Texts messages = dialogs_.TakeMessages();
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_NE(messages[0].find("The form catalogue has no form 27."), std::string::npos) << messages[0];
  EXPECT_NE(messages[0].find("Procedure: mnuNew_SummaryPrint_Click"), std::string::npos) << messages[0];
  EXPECT_NE(log.find("\tProperty Tax\t\t\t\t - Report Printed\n\n"), std::string::npos) << log;
  EXPECT_EQ(printers_.jobs.size(), 3u);
  EXPECT_TRUE(window.isEnabled());
}

// The run log by what the summary found, with programs without a summary
// in the order of the selection list.
TEST_F(SummaryCommandsTest, TheRunLogByOutcome) {
  struct Case {
    const char* what;
    const char* forms;
    const char* answer;
    const char* setup;
    Texts lines;
    std::size_t jobs;
  };
  const Case cases[] = {
      {"with other programs", "29, 27", "COE", "",
       {"\tProperty Tax\t\t\t\t - Report Printed\n\n",
        "\tExcess Debt Service - Charter School\t\t\t\t - Not Applicable\n\n"},
       3},
      {"no tax rows", "29", "School District", "DELETE FROM Tax",
       {"\tProperty Tax\t\t\t\t\t\t\t - No Records to Print\n\n"}, 0},
  };
  const std::string heading = "Summary Reports Printing.. Date & Time: Dec-09-2019 14:35:07\n\n";
  const std::string ending = "\n\n\n\n Print Operation Completed.";
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    printers_.jobs.clear();
    if (*c.setup) OpenDatabase()->Execute(c.setup);
    frmMain& window = OpenWith(c.forms);
    const std::string log = RunSummary(window, c.answer);
    EXPECT_EQ(printers_.jobs.size(), c.jobs);
    ASSERT_EQ(log.rfind(heading, 0), 0u) << log;
    ASSERT_GE(log.size(), ending.size());
    EXPECT_EQ(log.substr(log.size() - ending.size()), ending) << log;
    std::size_t at = 0;
    for (const std::string& line : c.lines) {
      at = log.find(line, at);
      ASSERT_NE(at, std::string::npos) << line << " in order in\n" << log;
    }
    delete window_.data();
  }
}

TEST_F(SummaryCommandsTest, ACancelPrintsAndShowsNothingButALaterRunWithoutTheTaxFormShowsItsLog) {
  frmMain& window = OpenWith("29, 27");
  RunSummary(window, "Cancel");  // no status window may open
  EXPECT_TRUE(printers_.jobs.empty());
  EXPECT_EQ(modGlobals::gintTaxSummaryChoice, 999);
  EXPECT_EQ(modGlobals::gstrPrintLog, "");
  EXPECT_TRUE(window.isEnabled());

  OpenDatabase()->Execute("UPDATE VHO_TORB_FORMS SET SELECTED = 'No' WHERE FORM_NO = 29");
  delete window_.data();
  frmMain& again = OpenWith("27");
  std::string log;
  RecordStatus(log);
  again.Menus().Click("mnuNew_SummaryPrint");
  EXPECT_NE(log.find("\tExcess Debt Service - Charter School\t\t\t\t - Not Applicable\n\n"), std::string::npos) << log;
  EXPECT_TRUE(printers_.jobs.empty());
}

// The summary printer prints for the tax form only, its name trimmed and
// in any case; a program of the summary set that is not the tax form is
// neither asked about nor logged.
TEST_F(SummaryCommandsTest, TheSummaryPrinterPrintsTheTaxFormOnly) {
  frmMain& window = OpenWith("29");
  modGlobals::gintTaxSummaryChoice = 1;
  EXPECT_EQ(printing::PrintTaxSummary(window, "TAXMISC", "Miscellaneous Tax", "Miscellaneous Tax"),
            printing::SummaryOutcome::NotTaxForm);
  EXPECT_EQ(modGlobals::gstrPrintLog, "");
  EXPECT_EQ(modGlobals::gintTaxSummaryChoice, 1) << "left as an earlier run set it";
  EXPECT_TRUE(printers_.jobs.empty());

  AnswerTaxDialog("COE");
  EXPECT_EQ(printing::PrintTaxSummary(window, " tax ", "Property Tax Apportionment Report", "Property Tax"),
            printing::SummaryOutcome::Printed);
  EXPECT_EQ(printers_.jobs.size(), 3u);
  EXPECT_EQ(modGlobals::gstrPrintLog, "\tProperty Tax\t\t\t\t - Report Printed\r\n\r\n");
  EXPECT_EQ(WaitMessage(), "");
}

// A part that fails is reported under the summary printer's name; Ignore
// goes on with the next part, and a summary with a part missing is not
// logged as printed.
TEST_F(SummaryCommandsTest, ASummaryWithAFailedPartIsNotLoggedAsPrinted) {
  frmMain& window = OpenWith("29");
  OpenDatabase()->Execute("ALTER TABLE Tax RENAME COLUMN ResDistrictType TO ResKind");
  // Ignore part 1; meanwhile the column is back for parts 2 and 3.
  dialogs_.AnswerMsgBox(5, [this] {
    OpenDatabase()->Execute("ALTER TABLE Tax RENAME COLUMN ResKind TO ResDistrictType");
  });
  const std::string log = RunSummary(window, "School District");
  const Texts messages = dialogs_.TakeMessages();
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_NE(messages[0].find("Procedure: mnuFile_Summary_Print_Click"), std::string::npos) << messages[0];
  ASSERT_EQ(printers_.jobs.size(), 2u);
  EXPECT_NE(printers_.jobs[0].text.find("Section 2 Page 1 of 1"), std::string::npos);
  EXPECT_EQ(log.find("Report Printed"), std::string::npos) << log;
  EXPECT_NE(log.find("\tProperty Tax\t\t\t\t - Not printed\n\n"), std::string::npos) << log;
  EXPECT_TRUE(window.isEnabled());
  EXPECT_EQ(WaitMessage(), "");
}

// On the PDF printer the run asks for its folder once and writes a file per
// part; a cancelled question prints nothing and the log says so.
TEST_F(SummaryCommandsTest, OnThePdfPrinterTheRunAsksForItsFolderOnce) {
  ui::Printers* recording = ui::SetPrinters(nullptr);  // the system's printers
  ui::SetJobPrinter(ui::PdfPrinterName);
  frmMain& window = OpenWith("29");
  const std::filesystem::path folder = ProgramFolder() / "summaries";
  std::filesystem::create_directories(folder);
  struct Case {
    const char* what;
    std::optional<std::string> folder;
    const char* line;
  };
  for (const Case& c : {Case{"a folder", folder.string(), "\tProperty Tax\t\t\t\t - Report Printed\n\n"},
                        Case{"cancelled", std::nullopt, "\tProperty Tax\t\t\t\t - Cancelled\n\n"}}) {
    SCOPED_TRACE(c.what);
    dialogs_.ClearPrompts();
    dialogs_.AnswerFolder(c.folder);
    const std::string log = RunSummary(window, "School District");
    const auto& prompts = dialogs_.Prompts();
    EXPECT_EQ(std::count_if(prompts.begin(), prompts.end(),
                            [](const RecordedPrompt& p) { return p.kind == "ChooseFolder"; }),
              1);
    EXPECT_NE(log.find(c.line), std::string::npos) << log;
  }
  Texts files;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) files.push_back(entry.path().filename());
  std::sort(files.begin(), files.end());
  EXPECT_EQ(files, (Texts{"Property Tax Summary Section 1.pdf", "Property Tax Summary Section 2.pdf",
                          "Property Tax Summary Section 3.pdf"}));
  ui::SetJobPrinter("");
  ui::SetPrinters(recording);
}

TEST_F(SummaryCommandsTest, EachPartNumbersItsOwnPages) {
  AddTaxRows(60);
  frmMain& window = OpenWith("29");
  RunSummary(window, "School District");
  ASSERT_EQ(printers_.jobs.size(), 3u);
  for (int part = 1; part <= 3; ++part) {
    const auto pages = PagesOf(printers_.jobs[static_cast<std::size_t>(part - 1)].text);
    ASSERT_GT(pages.size(), 1u) << part;
    const std::string n = std::to_string(pages.size());
    const std::string section = "Section " + std::to_string(part) + " Page ";
    EXPECT_TRUE(Holds(pages.front().texts, section + "1 of " + n)) << part;
    EXPECT_TRUE(Holds(pages.back().texts, section + n + " of " + n)) << part;
  }
}

TEST_F(SummaryCommandsTest, WithoutAProgramOrAPrinterNothingRuns) {
  frmMain& window = OpenWith("-1");
  dialogs_.AcknowledgeMessages(1);
  window.Menus().Click("mnuNew_SummaryPrint");
  EXPECT_EQ(dialogs_.TakeMessages(), Texts{"Select one or more program(s) and try again"});

  RecordingPrinters none({});
  OpenDatabase()->Execute("UPDATE VHO_TORB_FORMS SET SELECTED = 'Yes' WHERE FORM_NO = 29");
  dialogs_.AcknowledgeMessages(1);
  window.Menus().Click("mnuNew_SummaryPrint");
  const Texts messages = dialogs_.TakeMessages();
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0].rfind("Cannot print due to a problem with the current printer setup.", 0), 0u);
  for (const char* item : {"mnuCertCounty", "mnuCertTax"}) {
    dialogs_.AcknowledgeMessages(1);
    window.Menus().Click(item);
    EXPECT_EQ(dialogs_.TakeMessages(), Texts{Utilities::NoPrinterMessage()}) << item;
  }
  EXPECT_TRUE(none.jobs.empty());
  EXPECT_TRUE(window.isEnabled());
  EXPECT_EQ(WaitMessage(), "");
}

// ---- Certification Exception > County and Auditor

class CertExceptionTest : public SummaryCommandsTest {
 protected:
  void SetUp() override {
    SummaryCommandsTest::SetUp();
    // The office's answers of both sets, and neighbours: another period,
    // year and district.
    OpenDatabase()->ExecuteScript(R"(
      INSERT INTO TorbLeaNotes (FISCAL_YEAR, PERIOD_ID, COUNTY_ID, SCHOOL_DISTRICT_ID, SCHOOL_ID, TYPE, Qn1, Qn2, Qn3,
                                Qn4, Qn1Comments, Qn2Comments, SCHOOL_DISTRICT_NAME) VALUES
        (2019, 2, 1, 10017, 0, 'COUNTY', 1, 0, NULL, 1, 'None', 'See line A-3', 'Alder County Office of Education'),
        (2019, 2, 1, 10017, 0, 'TAX', 1, NULL, NULL, NULL, 'Auditor note', NULL, 'Alder County Office of Education'),
        (2019, 1, 1, 10017, 0, 'COUNTY', 0, 0, 0, 0, 'P-1 note', NULL, 'Alder County Office of Education'),
        (2018, 2, 1, 10017, 0, 'COUNTY', 0, 0, 0, 0, '2018 note', NULL, 'Alder County Office of Education'),
        (2019, 2, 1, 20001, 0, 'COUNTY', 0, 0, 0, 0, 'Birch note', NULL, 'Birch Unified');
    )");
  }
  struct Preview {
    std::string caption;
    std::vector<report::Page> pages;
    int orientation = 0;
    QSize size;
  };
  // The next modal window is the preview: recorded, then closed.
  void RecordPreview(std::vector<Preview>& previews) {
    dialogs_.AnswerModal([&previews](QWidget& window) {
      auto& preview = dynamic_cast<report::ReportPreview&>(window);
      previews.push_back({preview.windowTitle().toStdString(), preview.Pages(), ui::JobOrientation(), preview.size()});
      preview.cmdClose->click();
      return 0;
    });
  }
  // The texts of a preview's page, line breaks as blanks.
  static Texts TextsOf(const report::Page& page) {
    Texts texts;
    for (const report::PrintedItem& item : page.items) {
      std::string text = item.Text();
      std::replace(text.begin(), text.end(), '\n', ' ');
      if (!text.empty()) texts.push_back(text);
    }
    return texts;
  }
  std::vector<Preview> Run(frmMain& window, const char* item) {
    std::vector<Preview> previews;
    RecordPreview(previews);
    window.Menus().Click(item);
    return previews;
  }
};

TEST_F(CertExceptionTest, CountyShowsTheWindowsAgencyAnswersInALandscapePreview) {
  frmMain& window = OpenWith("-1");
  const auto previews = Run(window, "mnuCertCounty");
  ASSERT_EQ(previews.size(), 1u);
  const Preview& p = previews[0];
  EXPECT_EQ(p.caption,
            "Certification Exception Report \\ Fiscal Year:  2019-20 \\ P-2 \\ County : Alder \\ District : Alder "
            "County Office of Education");
  EXPECT_EQ(p.orientation, ui::OrientationLandscape);
  EXPECT_EQ(p.size, QSize(740, 520));
  ASSERT_EQ(p.pages.size(), 1u);
  EXPECT_GT(p.pages[0].width, p.pages[0].height);
  const Texts t = TextsOf(p.pages[0]);
  EXPECT_TRUE(InOrder(t, {"Certification Exception Report - COUNTY", "County: Alder", "Fiscal Year:  2019-20",
                          "District: Alder County Office of Education", "P-2", "01", "10017", "01  10017",
                          "Alder County Office of Education"}));
  EXPECT_TRUE(InOrder(t, {"1.Have you modified any of the data received from a school district or SELPA or County "
                          "Auditor?",
                          "YES", "NO", "See line A-3", "NO", "YES", "Page 1 of 1"}));
  for (const char* neighbour : {"P-1 note", "2018 note", "Birch note", "Auditor note", "Birch Unified"})
    EXPECT_FALSE(Holds(t, neighbour)) << neighbour;
  EXPECT_EQ(ui::JobOrientation(), ui::OrientationPortrait) << "put back";
  EXPECT_TRUE(window.isEnabled());
  EXPECT_EQ(WaitMessage(), "");
}

TEST_F(CertExceptionTest, AuditorShowsTheSingleQuestionAndKeepsALandscapeOrientation) {
  ui::SetJobOrientation(ui::OrientationLandscape);
  frmMain& window = OpenWith("-1", 7);
  const auto previews = Run(window, "mnuCertTax");
  ASSERT_EQ(previews.size(), 1u);
  ASSERT_EQ(previews[0].pages.size(), 1u);
  const Texts t = TextsOf(previews[0].pages[0]);
  EXPECT_TRUE(InOrder(t, {"Certification Exception Report - TAX", "01  10017",
                          "1. Do you wish to note any exceptions to the data you are certifying and submitting?",
                          "YES", "Auditor note", "Page 1 of 1"}));
  EXPECT_FALSE(Holds(t, "NO"));
  EXPECT_EQ(ui::JobOrientation(), ui::OrientationLandscape);
}

// Without answers of the set: the message, no preview, the orientation
// and the window as they were.
TEST_F(CertExceptionTest, NoAnswersMeanNoRecordsToPrint) {
  struct Case {
    const char* what;
    int group;
    const char* item;
    const char* setup;
  };
  const Case cases[] = {
      {"no county answers", 2, "mnuCertCounty", "DELETE FROM TorbLeaNotes WHERE TYPE = 'COUNTY'"},
      {"no tax answers", 2, "mnuCertTax", "DELETE FROM TorbLeaNotes WHERE TYPE = 'TAX'"},
      {"a district logon asks no auditor answers", 3, "mnuCertTax", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    if (*c.setup) OpenDatabase()->Execute(c.setup);
    frmMain& window = OpenWith("-1", c.group);
    dialogs_.AcknowledgeMessages(1);
    window.Menus().Click(c.item);
    EXPECT_EQ(dialogs_.TakeMessages(), Texts{"No records to print"});
    EXPECT_EQ(ui::JobOrientation(), ui::OrientationPortrait);
    EXPECT_TRUE(window.isEnabled());
    EXPECT_EQ(WaitMessage(), "");
    delete window_.data();
  }
}

// Without the county office's directory row the heading keeps the
// report's own captions; the answers still show.
TEST_F(CertExceptionTest, WithoutTheCountyOfficeRowThePreviewStillOpens) {
  frmMain& window = OpenWith("-1");
  OpenDatabase()->Execute("DELETE FROM KRN_LEAS WHERE LEA_TYPE = 2 AND COUNTY_ID = 1");
  const auto previews = Run(window, "mnuCertCounty");
  ASSERT_EQ(previews.size(), 1u);
  const Texts t = TextsOf(previews[0].pages[0]);
  EXPECT_TRUE(Holds(t, "Certification Exception Report - COUNTY"));
  EXPECT_TRUE(Holds(t, "See line A-3"));
  EXPECT_FALSE(Holds(t, "County: Alder"));
  EXPECT_FALSE(Holds(t, "District: Alder County Office of Education"));
}

TEST_F(CertExceptionTest, ALongCommentGoesOnToASecondPage) {
  std::string lines;
  for (int i = 1; i <= 80; ++i) lines += "Comment line " + std::to_string(i) + "\n";
  OpenDatabase()->Execute("UPDATE TorbLeaNotes SET Qn2Comments = '" + lines + "' WHERE TYPE = 'COUNTY'");
  frmMain& window = OpenWith("-1");
  const auto previews = Run(window, "mnuCertCounty");
  ASSERT_EQ(previews.size(), 1u);
  ASSERT_GE(previews[0].pages.size(), 2u);
  const std::string text = report::CaptureText(previews[0].pages);
  EXPECT_NE(text.find("Comment line 80"), std::string::npos);
  EXPECT_NE(text.find("Page 2 of " + std::to_string(previews[0].pages.size())), std::string::npos);
}

// The program-wide parameters follow the highlighted agency and a Reports
// batch prints on a copy of its own; the preview reads the window's own
// parameters, which neither changes.
TEST_F(CertExceptionTest, TheReportNamesTheWindowsAgencyAfterARowMoveAndAReportsBatch) {
  printing::Install();
  OpenDatabase()->Execute("UPDATE KRN_LEAS SET SELECTED = 'Yes' WHERE SCHOOL_DISTRICT_ID = 10017");
  frmMain& window = OpenWith("29");
  AnswerTaxDialog("School District");
  std::string log;
  RecordStatus(log);
  window.Menus().Click("mnuNew_Reports");
  ASSERT_EQ(printers_.jobs.size(), 1u) << log;
  // What a move to Birch Unified's row does.
  modGlobals::gobjGlobalParam->DistrictID = agencies::kDistrict;
  modGlobals::gobjGlobalParam->DistrictName = "Birch Unified";

  const auto previews = Run(window, "mnuCertCounty");
  ASSERT_EQ(previews.size(), 1u);
  const std::string text = report::CaptureText(previews[0].pages);
  EXPECT_NE(text.find("01  10017"), std::string::npos);
  EXPECT_EQ(text.find("Birch"), std::string::npos);
  EXPECT_EQ(previews[0].caption.find("Birch"), std::string::npos) << previews[0].caption;
}

// The parent item and the district, charter and SELPA items start
// nothing: no message, no preview.
TEST_F(CertExceptionTest, TheOtherItemsDoNothing) {
  frmMain& window = OpenWith("-1");
  for (const char* item : {"mnuPrintCertException", "mnuCertDistrict", "mnuCertCharter", "mnuCertSELPA"}) {
    window.Menus().Click(item);
    EXPECT_TRUE(dialogs_.Prompts().empty()) << item;
  }
  EXPECT_TRUE(window.isEnabled());
}

TEST_F(CertExceptionTest, NoDesignerMeansNotYetImplemented) {
  frmMain& window = OpenWith("-1");
  printing::CertExceptionReport none = printing::CountyExceptions();
  none.make = [] { return std::shared_ptr<report::Report>(); };
  dialogs_.AcknowledgeMessages(1);
  printing::ShowCertExceptions(window, none);
  EXPECT_EQ(dialogs_.TakeMessages(), Texts{"Not yet implemented"});
  EXPECT_TRUE(window.isEnabled());
  EXPECT_EQ(WaitMessage(), "");
}

TEST(SummaryTable, TheNotApplicableLinesAndTheSummarySet) {
  struct Case {
    std::int32_t formNo;
    int tabs;
    const char* text;
  };
  const Case cases[] = {
      {24, 4, " - Not Applicable "}, {89, 4, " - Not Applicable "}, {88, 4, " - Not Applicable "},
      {110, 1, " - Not Applicable"}, {212, 1, " - Not Applicable"}, {111, 2, " - Not Applicable"},
      {112, 3, " - Not Applicable"}, {28, 3, " - Not Applicable"},  {49, 3, " - Not Applicable"},
      {55, 3, " - Not Applicable"},  {7, 4, " - Not Applicable"},   {27, 4, " - Not Applicable"},
      {48, 4, " - Not Applicable"},  {45, 4, " - Not Applicable"},  {26, 6, " - Not Applicable"},
      {90, 3, " - Not Applicable"},  {80, 2, " - Not Applicable"},  {96, 5, " - Not Applicable"},
      {94, 6, " - Not Applicable"},  {92, 3, " - Not Applicable"},  {102, 5, " - Not Applicable"},
      {100, 4, " - Not Applicable"}, {101, 6, " - Not Applicable"}, {41, 3, " - Not Applicable"},
      {60, 5, " - Not Applicable"},  {0, 5, " - Not Applicable"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(printing::NotApplicableLine(c.formNo, "Screen"),
              "\tScreen" + std::string(static_cast<std::size_t>(c.tabs), '\t') + c.text + "\r\n\r\n")
        << c.formNo;
    EXPECT_FALSE(printing::HasSummary(c.formNo)) << c.formNo;
  }
  for (std::int32_t formNo : {21, 22, 23, 25, 29, 30, 43, 47, 50, 95, 519}) EXPECT_TRUE(printing::HasSummary(formNo));
}

}  // namespace
