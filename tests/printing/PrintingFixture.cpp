#include "PrintingFixture.h"

#include <QPushButton>

#include "PrintPrompts.h"
#include "report/ReportPreview.h"
#include "Utilities.h"
#include "clsMyAdoUtils.h"
#include "frmTaxSummary.h"
#include "modGlobals.h"
#include "modMainPrintForm.h"
#include "modMainStart.h"
#include "ui/Printers.h"

namespace {

void ResetPrintVariables() {
  modGlobals::gblnBatchPrint = false;
  modGlobals::gstrPrintLog.clear();
  modGlobals::gintTaxSummaryChoice = 0;
  modGlobals::gintPrintTaxType = 0;
  modGlobals::gblnEntryScreenPrint = false;
  modGlobals::gstrPrintSource.clear();
  ui::SetJobOrientation(ui::OrientationPortrait);
  ui::SetJobPrinter("");
}

}  // namespace

void PrintingTest::SetUp() {
  ProgramTest::SetUp();
  modGlobals::gobjAdoUtils->CloseConn();
  fixtures::BuildPrintingDatabase(DatabasePath());
  ResetPrintVariables();
  printing::Install();
}

void PrintingTest::TearDown() {
  modMain::SetFormPrinter(nullptr);
  ResetPrintVariables();
  Utilities::ScreenMouseEnabled(true);
  ProgramTest::TearDown();
}

void PrintingTest::AnswerTaxDialog(const std::string& choice) { ::AnswerTaxDialog(dialogs_, choice); }

void PrintingTest::RecordPreview(std::vector<Preview>& previews) {
  dialogs_.AnswerModal([&previews](QWidget& window) {
    auto& preview = dynamic_cast<report::ReportPreview&>(window);
    previews.push_back({preview.windowTitle().toStdString(), preview.Pages(), ui::JobOrientation()});
    preview.cmdClose->click();
    return 0;
  });
}

void PrintingTest::PrintFromTaxForm(std::shared_ptr<clsGlobalParam>& param) {
  modGlobals::gblnEntryScreenPrint = true;
  modGlobals::gstrPrintSource = "Form";
  modMain::mPrintForm(param, "Tax", false, false);
  modGlobals::gstrPrintSource.clear();
  modGlobals::gblnEntryScreenPrint = false;
}
