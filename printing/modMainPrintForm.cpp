#include "modMainPrintForm.h"

#include "FormData.h"
#include "frmMainPrintReports.h"
#include "ReportQuery.h"
#include "Utilities.h"
#include "frmTaxSummary.h"
#include "modGlobals.h"
#include "modMainReports.h"
#include "modMainStart.h"
#include "ui/Dialogs.h"
#include "ui/Printers.h"
#include "ui/Pump.h"
#include "vb/Conversions.h"
#include "zelErrHandler.h"

namespace modMain {
namespace {

constexpr const char* kModule = "modMain";
constexpr std::int16_t kCancelled = 999;
constexpr const char* kTab = "\t";
using vb::kCrLf;

// The batch print log's note for this report.
void LogNote(const std::string& note) {
  modGlobals::gstrPrintLog += std::string(kTab) + note + kCrLf;
}

// Puts the program's job orientation back when it goes out of scope.
class OrientationKept {
 public:
  OrientationKept() : orientation_(ui::JobOrientation()) {}
  ~OrientationKept() { ui::SetJobOrientation(orientation_); }
  OrientationKept(const OrientationKept&) = delete;
  OrientationKept& operator=(const OrientationKept&) = delete;

 private:
  int orientation_;
};

// The tax dialog: answers whether a tax type was chosen.
bool ChooseTaxType() {
  modGlobals::gintPrintTaxType = kCancelled;
  // Closing the dialog without a choice is a cancel, whatever was chosen
  // before.
  modGlobals::gintTaxSummaryChoice = kCancelled;
  {
    frmTaxSummary dialog;
    dialog.ShowModal();
  }
  ui::DoEvents();
  const std::int16_t choice = modGlobals::gintTaxSummaryChoice;
  if (choice == 0 || choice == 1) modGlobals::gintPrintTaxType = 1;
  return choice != kCancelled;
}

}  // namespace

bool HasTaxRecords(std::int32_t CountyID, std::int32_t DistrictID, std::int32_t ReportYear,
                   std::int32_t ReportPeriod, std::int16_t TaxType) {
  forms::FormScope scope;
  scope.county = CountyID;
  scope.district = DistrictID;
  scope.year = ReportYear;
  scope.period = ReportPeriod;
  scope.taxType = TaxType;
  db::RecordsetPtr rows = forms::Snapshot(modGlobals::SharedConnection(), taxform::DistrictRowsOfType(scope));
  if (rows->RecordCount() > 0) return true;
  Utilities::ScreenMouseEnabled(modGlobals::gblnEntryScreenPrint);
  if (modGlobals::gstrPrintSource == "Form") ui::MsgBox("No records to print", ui::vbInformation);
  return false;
}

void PrintEntryScreenForm(std::shared_ptr<clsGlobalParam>& Param, const std::string& TableName, bool Flag,
                          bool /*unused*/) {
  // Any failure is reported once and ends the printer: a report is never
  // headed or printed a second time.
  Trap trap(kModule, "mPrintForm", Trap::Mode::Leave);
  trap([&] {
    const clsGlobalParam& P = vb::Deref(Param.get());
    const bool batch = modGlobals::gblnBatchPrint;
    const std::string formKey = vb::UCase(P.formname);

    if (formKey == "TAX") {
      if (!ChooseTaxType()) {
        Utilities::ScreenMouseEnabled(modGlobals::gblnEntryScreenPrint);
        if (batch) LogNote("- Cancelled");
        return;
      }
      if (!HasTaxRecords(P.CountyID, P.DistrictID, P.ReportYear, P.ReportPeriod,
                         modGlobals::gintTaxSummaryChoice)) {
        if (batch) LogNote("- No Records to Print");
        return;
      }
      Utilities::ScreenMouseEnabled(modGlobals::gblnEntryScreenPrint);
    }

    std::shared_ptr<report::Report> rpt = GetReport(formKey);
    if (!rpt) {
      ui::MsgBox("No report available", ui::vbInformation);
      if (batch) LogNote("- No report available");
      return;
    }

    db::RecordsetPtr rows = forms::Snapshot(
        modGlobals::SharedConnection(),
        GetReportSQL(modGlobals::SharedConnection(), P.formname, TableName, P.ReportYear, P.CountyID,
                     P.ReportPeriod, P.DistrictID, P.SchoolId, Flag, modGlobals::gintPrintTaxType,
                     modGlobals::gintTaxSummaryChoice));
    const long printedRows = rows->RecordCount();
    if (printedRows <= 0) {
      if (batch) {
        LogNote("- No Records to Print");
      } else if (modGlobals::gstrPrintSource == "Form") {
        ui::MsgBox("No records to print", ui::vbInformation);
      }
      return;
    }
    rows->MoveFirst();
    rpt->DataSource(rows);
    const vb::Variant statusRecords = SetReportHeading(*rpt, *rows, P);

    if (batch) {
      rpt->Orientation(ui::OrientationPortrait);
      ui::DoEvents();
      Utilities::Time_Process();
      rpt->PrintReport(false);
      for (int wait = 0; wait < 2; ++wait) {
        while (rpt->AsyncCount() > 0) ui::DoEvents();
      }
      // A job cancelled (the PDF printer's question) or refused prints
      // nothing, whatever the rows.
      if (rpt->LastJobOutcome() == ui::JobOutcome::Cancelled) {
        LogNote("- Cancelled");
        return;
      }
      if (rpt->LastJobOutcome() == ui::JobOutcome::Failed) {
        LogNote("- Not printed");
        return;
      }
      // The tax report counts the rows it printed; another report the
      // records of its form's status row.
      const std::string count =
          rpt->Name() == "rptTax" ? std::to_string(printedRows) : vb::TextOf(statusRecords);
      LogNote("- Number of Record(s) Printed = " + count);
      return;
    }

    const OrientationKept kept;
    Utilities::SetPrinterOrientation(ui::OrientationPortrait);
    rpt->Show(1);
  });
}

}  // namespace modMain

namespace printing {

void Install() {
  modMain::SetFormPrinter(&modMain::PrintEntryScreenForm);
  InstallCommands();
}

}  // namespace printing
