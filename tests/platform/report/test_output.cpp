// Report output: jobs on the printer seam in the report's orientation, the
// Error event before any message, the modal preview, and PDF files.

#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QScrollArea>
#include <QFile>
#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <filesystem>

#include "../vb/VbTestSupport.h"
#include "ReportTestSupport.h"
#include "ScriptedDialogs.h"
#include "ScriptedSeams.h"
#include "TestEnvironment.h"
#include "db/Shape.h"
#include "report/ReportPreview.h"
#include "ui/Printers.h"
#include "ui/Twips.h"

namespace {

using reporttest::SamplePath;

// The sample summary, with its error events recorded as a designer would
// handle them.
class SampleReport : public report::Report {
 public:
  SampleReport() : Report(SamplePath()) {}

  struct Raised {
    int jobType;
    long cookie;
    long number;
    int messagesBefore;
  };
  std::vector<Raised> errors;
  bool keepQuiet = false;
  int initialized = 0;
  ScriptedDialogs* dialogs = nullptr;

 protected:
  void DataReport_Initialize() override { ++initialized; }
  void DataReport_Error(int jobType, long cookie, const vb::VbError& error, bool& showError) override {
    errors.push_back({jobType, cookie, error.Number(), dialogs ? static_cast<int>(dialogs->Prompts().size()) : 0});
    if (keepQuiet) showError = false;
  }
};

// Many rows, so that the summary runs over three pages.
db::RecordsetPtr ManyRows() {
  std::vector<std::vector<vb::Variant>> rows;
  for (int i = 0; i < 90; ++i) {
    rows.push_back({i % 2 ? "UNIFIED" : "ELEMENTARY", "District " + std::to_string(i), vb::Variant(i * 100)});
  }
  return db::ComputeBy(reporttest::Rows({"ResDistrictType", "ResSchoolDistName", "Secured"}, std::move(rows),
                                        {db::DataType::VarWChar, db::DataType::VarWChar, db::DataType::Integer}),
                       {"ResDistrictType"}, "Command1");
}

class ReportOutputTest : public ::testing::Test {
 protected:
  void SetUp() override {
    rpt_ = report::Create<SampleReport>();
    rpt_->dialogs = &dialogs_;
    rpt_->DataSource(ManyRows());
  }
  void TearDown() override { ui::SetJobOrientation(ui::OrientationPortrait); }

  ScriptedDialogs dialogs_;
  ScriptedClock clock_{vbtest::At(2019, 12, 9, 14, 35, 7)};
  std::shared_ptr<SampleReport> rpt_;
};

TEST_F(ReportOutputTest, InitializeIsRaisedOnceWhenTheDesignerIsMade) {
  EXPECT_EQ(rpt_->initialized, 1);
  rpt_->RaiseInitialize();
  EXPECT_EQ(rpt_->initialized, 1);
}

TEST_F(ReportOutputTest, PrintsEveryPageOnTheJobPrinterInTheReportsOrElseTheProgramsOrientation) {
  RecordingPrinters printers({"Office Laser", "Back Office", ui::PdfPrinterName});
  ui::SetJobPrinter("Back Office");
  const struct {
    int reportOrientation;
    int programOrientation;
    int printed;
  } cases[] = {
      {0, ui::OrientationPortrait, ui::OrientationPortrait},
      {0, ui::OrientationLandscape, ui::OrientationLandscape},
      {ui::OrientationLandscape, ui::OrientationPortrait, ui::OrientationLandscape},
      {ui::OrientationPortrait, ui::OrientationLandscape, ui::OrientationPortrait},
  };
  for (const auto& c : cases) {
    rpt_->Orientation(c.reportOrientation);
    ui::SetJobOrientation(c.programOrientation);
    const auto pages = rpt_->Capture();
    rpt_->PrintReport();
    EXPECT_EQ(rpt_->AsyncCount(), 0);
    ASSERT_FALSE(printers.jobs.empty());
    const auto& job = printers.jobs.back();
    EXPECT_EQ(job.printer, "Back Office");
    EXPECT_EQ(job.orientation, c.printed);
    EXPECT_EQ(job.pages, static_cast<int>(pages.size()));
    EXPECT_EQ(job.title, "Sample Summary");
    EXPECT_EQ(job.text, report::CaptureText(pages));
  }
  ui::SetJobPrinter("");
  EXPECT_GE(printers.jobs.back().pages, 3);
  EXPECT_NE(printers.jobs.back().text.find("Section 1 Page 3 of "), std::string::npos);
  EXPECT_TRUE(rpt_->errors.empty());
  dialogs_.ExpectAllUsed();
}

TEST_F(ReportOutputTest, ThePrintDialogPicksThePrinterAndCancelPrintsNothing) {
  RecordingPrinters printers({"Office Laser", "Back Office", ui::PdfPrinterName});
  dialogs_.AnswerPrinter("Back Office");
  rpt_->PrintReport(true);
  dialogs_.AnswerPrinter(std::nullopt);
  rpt_->PrintReport(true);
  ASSERT_EQ(printers.jobs.size(), 1u);
  EXPECT_EQ(printers.jobs[0].printer, "Back Office");
  EXPECT_EQ(dialogs_.Prompts()[0].kind, "ChoosePrinter");
  EXPECT_TRUE(rpt_->errors.empty());
}

TEST_F(ReportOutputTest, WithoutAPrinterTheErrorEventComesFirstAndDecidesTheMessage) {
  RecordingPrinters none({});
  dialogs_.AcknowledgeMessages(1);
  const long cookie = rpt_->PrintReport();
  ASSERT_EQ(rpt_->errors.size(), 1u);
  EXPECT_EQ(rpt_->errors[0].jobType, report::AsyncPrint);
  EXPECT_EQ(rpt_->errors[0].cookie, cookie);
  EXPECT_EQ(rpt_->errors[0].number, report::ErrPrinter);
  EXPECT_EQ(rpt_->errors[0].messagesBefore, 0);
  ASSERT_EQ(dialogs_.Prompts().size(), 1u);
  EXPECT_EQ(dialogs_.Prompts()[0].kind, "MsgBox");
  EXPECT_EQ(dialogs_.Prompts()[0].text, "There is no printer to print the report on.");

  // A handler that shows its own message clears the flag: nothing more shows.
  rpt_->keepQuiet = true;
  rpt_->PrintReport(true);
  EXPECT_EQ(rpt_->errors.size(), 2u);
  EXPECT_EQ(dialogs_.Prompts().size(), 1u);
  EXPECT_TRUE(none.jobs.empty());
}

TEST_F(ReportOutputTest, AJobThatCannotBeSetUpRaisesErrorAndACancelledFileDoesNot) {
  ui::SetJobPrinter("No Such Printer 42");
  dialogs_.AcknowledgeMessages(1);
  rpt_->PrintReport();
  ui::SetJobPrinter("");
  ASSERT_EQ(rpt_->errors.size(), 1u);
  EXPECT_NE(dialogs_.Prompts().back().text.find("No Such Printer 42"), std::string::npos);

  dialogs_.AnswerPrinter(std::string(ui::PdfPrinterName));
  dialogs_.AnswerFile(std::nullopt);
  rpt_->PrintReport(true);
  EXPECT_EQ(rpt_->errors.size(), 1u);
  dialogs_.ExpectAllUsed();
}

// The number of pages of a PDF file and its text, as the poppler tools read it.
std::pair<int, std::string> ReadPdf(const std::string& path) {
  QProcess info;
  info.start("pdfinfo", {QString::fromStdString(path)});
  info.waitForFinished(20000);
  int pages = 0;
  for (const QString& line : QString(info.readAllStandardOutput()).split('\n')) {
    if (line.startsWith("Pages:")) pages = line.mid(6).trimmed().toInt();
  }
  QProcess text;
  text.start("pdftotext", {"-layout", QString::fromStdString(path), "-"});
  text.waitForFinished(20000);
  return {pages, text.readAllStandardOutput().toStdString()};
}

TEST_F(ReportOutputTest, PagesPrintIntoPdfFilesWithTheirTexts) {
  const auto folder = fixtures::MakeTempFolder("levreport");
  const int pages = static_cast<int>(rpt_->Capture().size());

  const std::string written = (folder / "written.pdf").string();
  rpt_->WritePdf(written);
  const auto [writtenPages, writtenText] = ReadPdf(written);
  EXPECT_EQ(writtenPages, pages);
  EXPECT_NE(writtenText.find("District 17"), std::string::npos);
  EXPECT_NE(writtenText.find("Section 1 Page 2 of "), std::string::npos);

  // The PDF printer of the printer seam paints the same pages.
  const std::string printed = (folder / "printed.pdf").string();
  dialogs_.AnswerFile(printed);
  ui::SetJobPrinter(ui::PdfPrinterName);
  rpt_->Orientation(ui::OrientationLandscape);
  rpt_->PrintReport();
  ui::SetJobPrinter("");
  const auto [printedPages, printedText] = ReadPdf(printed);
  EXPECT_EQ(printedPages, static_cast<int>(rpt_->Capture().size()));
  EXPECT_NE(printedText.find("Grand Total"), std::string::npos);
  EXPECT_TRUE(rpt_->errors.empty());

  EXPECT_EQ(vbtest::ErrorOf([&] { rpt_->WritePdf((folder / "no" / "such" / "x.pdf").string()); }),
            vb::err::PathFileAccessError);
  std::filesystem::remove_all(folder);
}

TEST_F(ReportOutputTest, ThePreviewIsModalWithPageMovesZoomPrintAndRefresh) {
  RecordingPrinters printers({"Office Laser", ui::PdfPrinterName});
  rpt_->Caption("Tax Summary \\ FY 2019-20");
  rpt_->Width(740 * 15);
  rpt_->Height(520 * 15);
  const int pages = static_cast<int>(rpt_->Capture().size());
  ASSERT_GE(pages, 3);
  dialogs_.AnswerPrinter("Office Laser");
  dialogs_.AnswerModal([&](QWidget& window) {
    auto& preview = dynamic_cast<report::ReportPreview&>(window);
    window.show();
    QApplication::processEvents();
    // "Fit Width" fills the page area as it is once shown.
    EXPECT_GT(preview.scrPage->widget()->width(), preview.scrPage->viewport()->width() * 3 / 4);
    EXPECT_EQ(window.windowTitle(), "Tax Summary \\ FY 2019-20");
    EXPECT_EQ(window.width(), ui::TwipsToPixelsX(740 * 15));
    EXPECT_EQ(window.height(), ui::TwipsToPixelsY(520 * 15));
    EXPECT_TRUE(rpt_->Visible());
    EXPECT_EQ(preview.lblPage->text(), QString("Page 1 of %1").arg(pages));
    EXPECT_FALSE(preview.cmdPrevious->isEnabled());
    preview.cmdNext->click();
    EXPECT_EQ(preview.lblPage->text(), QString("Page 2 of %1").arg(pages));
    preview.cmdLast->click();
    EXPECT_EQ(preview.CurrentPage(), pages);
    EXPECT_FALSE(preview.cmdNext->isEnabled());
    preview.cmdFirst->click();
    EXPECT_EQ(preview.CurrentPage(), 1);

    // Zooming to the whole page fits the sheet in the window.
    const int wide = preview.scrPage->widget()->width();
    preview.cboZoom->setCurrentIndex(preview.cboZoom->findText("Whole Page"));
    preview.cboZoom_Click();
    EXPECT_LT(preview.scrPage->widget()->width(), wide);
    EXPECT_LE(preview.scrPage->widget()->height(), preview.scrPage->viewport()->height());

    preview.cmdPrint->click();

    // Refresh lays the open preview out again from the data source.
    preview.cmdLast->click();
    rpt_->DataSource(db::ComputeBy(reporttest::TaxRows(), {"ResDistrictType"}, "Command1"));
    rpt_->Refresh();
    EXPECT_EQ(preview.lblPage->text(), "Page 1 of 1");
    preview.cmdClose->click();
    return 0;
  });
  rpt_->Show(1);
  EXPECT_FALSE(rpt_->Visible());
  ASSERT_EQ(printers.jobs.size(), 1u);
  EXPECT_EQ(printers.jobs[0].printer, "Office Laser");
  EXPECT_EQ(printers.jobs[0].pages, pages);
  dialogs_.ExpectAllUsed();
}

}  // namespace
