// The tax form's Print through modMain::mPrintForm, previewed and in a
// batch, on the printing agencies; and the report factory.

#include <gtest/gtest.h>

#include <algorithm>

#include "PrintingFixture.h"
#include "modGlobals.h"
#include "modMainReports.h"
#include "modMainStart.h"
#include "report/Pages.h"
#include "ui/Printers.h"

namespace {

using Texts = std::vector<std::string>;
namespace agencies = fixtures::printing;

bool Holds(const Texts& texts, const std::string& text) {
  return std::find(texts.begin(), texts.end(), text) != texts.end();
}

TEST(ReportFactory, MakesTheReportOfItsKeyInAnyCase) {
  struct Case {
    const char* key;
    const char* made;  // the designer, or none
  };
  for (const Case& c : {Case{"TAX", "rptTax"}, Case{"tax", "rptTax"}, Case{"Tax", "rptTax"},
                        Case{"rptcertpage", "rptCertPage"}, Case{"RPTCERTPAGE", "rptCertPage"},
                        Case{"TORBLEANOTES", "rptTorbLeaNotes"}, Case{"TorbLeaNotes", "rptTorbLeaNotes"}, Case{"", ""}, Case{"Taxes", ""}}) {
    auto first = modMain::GetReport(c.key);
    ASSERT_EQ(first != nullptr, *c.made != 0) << c.key;
    if (!*c.made) continue;
    EXPECT_EQ(first->Name(), c.made);
    EXPECT_NE(modMain::GetReport(c.key), first) << "a new report for every call";
  }
}

TEST_F(PrintingTest, TheDistrictTypePreviewsOnePagePerRowWithItsHeading) {
  ui::SetJobOrientation(ui::OrientationLandscape);
  std::vector<Preview> previews;
  AnswerTaxDialog("School District");
  RecordPreview(previews);
  auto param = TaxForm(agencies::kOffice, "Alder County Office of Education");
  clsGlobalParam* const before = param.get();
  PrintFromTaxForm(param);

  ASSERT_EQ(previews.size(), 1u);
  const Preview& preview = previews.front();
  EXPECT_EQ(preview.caption,
            "Property Tax \\ Fiscal Year:  2019-20 \\ P-2 \\ County : Alder \\ District : Alder County Office of "
            "Education");
  EXPECT_EQ(preview.orientation, ui::OrientationPortrait) << "while the preview is open";
  EXPECT_EQ(ui::JobOrientation(), ui::OrientationLandscape) << "put back afterwards";
  ASSERT_EQ(preview.pages.size(), 3u);
  const Texts page1 = report::TextsOn(preview.pages, 1);
  for (const char* text : {"Property Tax Apportionment Report", "County: Alder",
                           "District: Alder County Office of Education", "Fiscal Year:  2019-20", "P-2", "CDS CODE",
                           "01", "10017", "Certificate Number: 000000FF", "Aspen Elementary", "School District",
                           "2,500", "Varnholt", "Levrona", "2019-19.00", "Page 1 of 3", "1/1/2020  12:00:00 PM"}) {
    EXPECT_TRUE(Holds(page1, text)) << text;
  }
  EXPECT_TRUE(Holds(report::TextsOn(preview.pages, 2), "Birch Unified"));
  EXPECT_TRUE(Holds(report::TextsOn(preview.pages, 2), "(300)"));
  EXPECT_TRUE(Holds(report::TextsOn(preview.pages, 2), "Refund of taxes collected twice"));
  EXPECT_TRUE(Holds(report::TextsOn(preview.pages, 3), "Cedar Elementary"));
  EXPECT_TRUE(Holds(report::TextsOn(preview.pages, 3), "Page 3 of 3"));

  EXPECT_EQ(param.get(), before) << "the caller keeps its object";
  EXPECT_EQ(param->DistrictID, agencies::kOffice);
  EXPECT_TRUE(printers_.jobs.empty());
  EXPECT_TRUE(dialogs_.TakeMessages().empty());
  EXPECT_EQ(modGlobals::gstrPrintLog, "");
  EXPECT_EQ(modGlobals::gintTaxSummaryChoice, 1);
  EXPECT_EQ(modGlobals::gintPrintTaxType, 1);
}

// The other answers of the tax dialog from the tax form: the county type,
// a cancel (also by the close box), and a type the agency has no rows of.
TEST_F(PrintingTest, TheTaxDialogsOtherAnswersFromTheTaxForm) {
  std::vector<Preview> previews;
  AnswerTaxDialog("COE");
  RecordPreview(previews);
  auto office = TaxForm(agencies::kOffice, "Alder County Office of Education");
  PrintFromTaxForm(office);
  ASSERT_EQ(previews.size(), 1u);
  ASSERT_EQ(previews[0].pages.size(), 1u);
  EXPECT_TRUE(Holds(report::TextsOn(previews[0].pages, 1), "Oak"));
  EXPECT_TRUE(Holds(report::TextsOn(previews[0].pages, 1), "County"));

  AnswerTaxDialog("Cancel");
  PrintFromTaxForm(office);
  dialogs_.AnswerModal([](QWidget& window) {
    window.close();  // the close box
    return 0;
  });
  PrintFromTaxForm(office);
  EXPECT_EQ(modGlobals::gintTaxSummaryChoice, 999);
  EXPECT_EQ(previews.size(), 1u) << "nothing previewed after a cancel";
  EXPECT_TRUE(dialogs_.TakeMessages().empty());

  AnswerTaxDialog("COE");
  dialogs_.AcknowledgeMessages(1);
  auto district = TaxForm(agencies::kDistrict, "Birch Unified");
  PrintFromTaxForm(district);
  EXPECT_EQ(dialogs_.TakeMessages(), Texts{"No records to print"});
  EXPECT_EQ(previews.size(), 1u);
  EXPECT_TRUE(printers_.jobs.empty());
  EXPECT_EQ(modGlobals::gstrPrintLog, "");
}

TEST_F(PrintingTest, ABatchPrintsInPortraitAndLogsTheRowsPrinted) {
  ui::SetJobOrientation(ui::OrientationLandscape);
  modGlobals::gblnBatchPrint = true;
  modGlobals::gstrPrintLog = "LEA: 10017";
  AnswerTaxDialog("School District");
  auto param = TaxForm(agencies::kOffice, "Alder County Office of Education");
  const double start = clock_.Now().serial;
  modMain::mPrintForm(param, "Tax", false, false);

  ASSERT_EQ(printers_.jobs.size(), 1u);
  const RecordingPrinters::Job& job = printers_.jobs.front();
  EXPECT_EQ(job.printer, "Office Laser");
  EXPECT_EQ(job.pages, 3);
  EXPECT_EQ(job.orientation, ui::OrientationPortrait);
  EXPECT_NE(job.text.find("District: Alder County Office of Education"), std::string::npos);
  EXPECT_EQ(modGlobals::gstrPrintLog, "LEA: 10017\t- Number of Record(s) Printed = 3\r\n")
      << "the rows printed, not every row of the county";
  EXPECT_GE((clock_.Now().serial - start) * 86400.0, 1.0) << "a second's pause before the job";
  EXPECT_EQ(ui::JobOrientation(), ui::OrientationLandscape);
  EXPECT_TRUE(dialogs_.TakeMessages().empty());
}

// Every way a batch report ends without printing ends its log line.
TEST_F(PrintingTest, ABatchLogsEveryReportThatDoesNotPrint) {
  modGlobals::gblnBatchPrint = true;
  struct Case {
    const char* answer;  // the tax dialog's, or "" for a form without one
    int district;
    const char* formName;
    const char* note;
    const char* message;
  };
  for (const Case& c : {Case{"Cancel", agencies::kOffice, "Tax", "\t- Cancelled\r\n", ""},
                        Case{"COE", agencies::kDistrict, "Tax", "\t- No Records to Print\r\n", ""},
                        Case{"", agencies::kDistrict, "Attendance", "\t- No report available\r\n",
                             "No report available"}}) {
    modGlobals::gstrPrintLog = "LEA: x";
    if (*c.answer) AnswerTaxDialog(c.answer);
    if (*c.message) dialogs_.AcknowledgeMessages(1);
    auto param = TaxForm(c.district, "any");
    param->formname = c.formName;
    modMain::mPrintForm(param, c.formName, false, false);
    EXPECT_EQ(modGlobals::gstrPrintLog, std::string("LEA: x") + c.note) << c.formName << " " << c.answer;
    EXPECT_EQ(dialogs_.TakeMessages(), *c.message ? Texts{c.message} : Texts{}) << c.formName;
  }
  EXPECT_TRUE(printers_.jobs.empty());
}

// A job the printer refuses is reported, and the batch logs that nothing
// was printed, not the rows.
TEST_F(PrintingTest, ABatchLogsAJobThePrinterRefusesAsNotPrinted) {
  ui::Printers* recording = ui::SetPrinters(nullptr);  // the system's printers
  ui::SetJobPrinter("No Such Printer 42");
  modGlobals::gblnBatchPrint = true;
  modGlobals::gstrPrintLog = "LEA: x";
  AnswerTaxDialog("School District");
  dialogs_.AcknowledgeMessages(1);
  auto param = TaxForm(agencies::kOffice, "Alder County Office of Education");
  modMain::mPrintForm(param, "Tax", false, false);
  EXPECT_EQ(modGlobals::gstrPrintLog, "LEA: x\t- Not printed\r\n");
  const Texts messages = dialogs_.TakeMessages();
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_NE(messages[0].find("No Such Printer 42"), std::string::npos) << messages[0];
  ui::SetPrinters(recording);
}

// A failure is reported once, whatever the answer, and nothing after it
// runs: nothing is printed or previewed, and the orientation stays.
TEST_F(PrintingTest, AFailureIsReportedOnceAndEndsThePrinter) {
  ui::SetJobOrientation(ui::OrientationLandscape);
  AnswerTaxDialog("School District");
  dialogs_.AnswerMsgBox(4);  // Retry
  auto param = TaxForm(agencies::kOffice, "Alder County Office of Education");
  modMain::mPrintForm(param, "NoSuchTable", false, false);
  const Texts messages = dialogs_.TakeMessages();
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_NE(messages[0].find("Procedure: mPrintForm"), std::string::npos) << messages[0];
  EXPECT_NE(messages[0].find("The database has no table named"), std::string::npos) << messages[0];
  EXPECT_TRUE(printers_.jobs.empty());
  EXPECT_EQ(ui::JobOrientation(), ui::OrientationLandscape);
}

}  // namespace
