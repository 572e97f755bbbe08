#include "frmMainSummaryPrint.h"

#include <algorithm>
#include <array>
#include <memory>

#include "FormData.h"
#include "ReportQuery.h"
#include "SummaryQuery.h"
#include "Utilities.h"
#include "db/Shape.h"
#include "frmMain.h"
#include "frmMainPrintReports.h"
#include "frmTaxSummary.h"
#include "modGlobals.h"
#include "modMainReports.h"
#include "modMainStart.h"
#include "rptTaxSUMMARY.h"
#include "ui/Clock.h"
#include "ui/Dialogs.h"
#include "ui/Printers.h"
#include "ui/Pump.h"
#include "vb/Conversions.h"
#include "zelErrHandler.h"

using vb::Variant;

namespace printing {
namespace {

constexpr const char* kModule = "frmMain";
constexpr const char* kCommand = "mnuNew_SummaryPrint_Click";
constexpr const char* kPrinter = "mnuFile_Summary_Print_Click";
constexpr const char* kWait = "Generating the Report and Printing...";
using vb::kCrLf;
constexpr std::int16_t kCancelled = 999;
constexpr std::int16_t kCountyType = 0;

// The programs with a summary; the summary printer prints only the tax
// form's.
constexpr std::array<std::int32_t, 11> kSummarySet = {21, 22, 23, 25, 29, 30, 43, 47, 50, 95, 519};

// The run log's line of the programs without a summary: the tabs after the
// display name, and whether the text keeps its trailing blank.
struct NotApplicableRow {
  std::int32_t formNo;
  int tabs;
  bool trailingBlank;
};
constexpr NotApplicableRow kNotApplicable[] = {
    {24, 4, true}, {89, 4, true}, {88, 4, true}, {110, 1, false}, {212, 1, false}, {111, 2, false},
    {112, 3, false}, {28, 3, false}, {49, 3, false}, {55, 3, false}, {7, 4, false}, {27, 4, false},
    {48, 4, false}, {45, 4, false}, {26, 6, false}, {90, 3, false}, {80, 2, false}, {96, 5, false},
    {94, 6, false}, {92, 3, false}, {102, 5, false}, {100, 4, false}, {101, 6, false}, {41, 3, false},
};
constexpr NotApplicableRow kAnyOtherForm = {0, 5, false};

// The three parts of a summary, one job each.
std::shared_ptr<report::Report> MakePart(int part) {
  switch (part) {
    case 1: return report::Create<rptTaxSUMMARY_11>();
    case 2: return report::Create<rptTaxSUMMARY_22>();
    default: return report::Create<rptTaxSUMMARY_33>();
  }
}

// A program's line in the run log: a tab, the display name, the tabs, the
// result and two line breaks.
std::string LogLine(const std::string& displayName, int tabs, const std::string& result) {
  return "\t" + displayName + std::string(static_cast<std::size_t>(tabs), '\t') + result + kCrLf + kCrLf;
}

void SetCaption(report::Report& rpt, const char* section, const char* control, std::string caption) {
  rpt.Sections(section).Controls(control).Caption(std::move(caption));
}

// Fills a part bound to `rows`: the heading's agency, county and fiscal
// year from the program-wide parameters, the period and the version line
// from the window's own copy; the county tax type prints no groups.
void FillPart(report::Report& rpt, db::RecordsetPtr rows, const std::string& formTitle, std::int16_t choice,
              const clsGlobalParam& own) {
  const clsGlobalParam& P = modGlobals::GlobalParam();
  rpt.DataSource(std::move(rows));
  rpt.Orientation(ui::OrientationLandscape);
  SetCaption(rpt, "Section1", "lblDistrictName", "District: " + P.DistrictName);
  SetCaption(rpt, "Section1", "lblDistrictID", std::to_string(P.DistrictID));
  SetCaption(rpt, "Section1", "lblCountyID", vb::Format(Variant(P.CountyID), "00"));
  SetCaption(rpt, "Section1", "lblCountyName", "County: " + P.CountyName);
  SetCaption(rpt, "Section1", "lblFormName", formTitle + (choice == kCountyType ? " - County" : " - District"));
  SetCaption(rpt, "Section1", "LBLFISCALYEAR", modMain::FiscalYearLine(P));
  SetCaption(rpt, "Section1", "LBLPERIOD", own.PeriodText);
  SetCaption(rpt, "Sec45", "lblVersion", std::to_string(own.ReportYear) + "-" + modGlobals::gstrVersion);
  if (choice == kCountyType) {
    rpt.Sections("Section4").Visible(false);
    rpt.Sections("Section5").Visible(false);
  }
  SetCaption(rpt, "Sec45", "label13", modMain::ReportProductLine());
}

[[noreturn]] void Missing(const std::string& what) { throw vb::VbError(vb::err::ApplicationDefined, what); }

}  // namespace

bool HasSummary(std::int32_t formNo) {
  return std::find(kSummarySet.begin(), kSummarySet.end(), formNo) != kSummarySet.end();
}

std::string NotApplicableLine(std::int32_t formNo, const std::string& displayName) {
  const auto* row = std::find_if(std::begin(kNotApplicable), std::end(kNotApplicable),
                                 [&](const NotApplicableRow& r) { return r.formNo == formNo; });
  const NotApplicableRow& found = row != std::end(kNotApplicable) ? *row : kAnyOtherForm;
  return LogLine(displayName, found.tabs, found.trailingBlank ? " - Not Applicable " : " - Not Applicable");
}

SummaryOutcome PrintTaxSummary(frmMain& window, const std::string& formName, const std::string& formTitle,
                               const std::string& displayName) {
  Trap trap(kModule, kPrinter);
  modMain::ShowWaitMsg(kWait);
  if (vb::UCase(vb::Trim(formName)) != "TAX") {
    modMain::ShowWaitMsg("");
    return SummaryOutcome::NotTaxForm;
  }

  modGlobals::gintTaxSummaryChoice = kCancelled;
  modMain::ShowWaitMsg("");
  ui::DoEvents();
  ui::DoEvents();
  trap([&] {
    frmTaxSummary dialog;
    dialog.ShowModal();
  });
  const std::int16_t choice = modGlobals::gintTaxSummaryChoice;
  if (choice == kCancelled) return SummaryOutcome::Cancelled;
  ui::DoEvents();
  modMain::ShowWaitMsg(kWait);

  const clsGlobalParam& P = modGlobals::GlobalParam();
  // How the parts ended: the summary is logged as printed only when every
  // part printed.
  ui::JobOutcome ended = ui::JobOutcome::Printed;
  for (int part = 1; part <= 3; ++part) {
    bool noRows = false;
    ui::JobOutcome outcome = ui::JobOutcome::Failed;
    trap([&] {
      outcome = ui::JobOutcome::Failed;
      db::RecordsetPtr rows = db::ComputeBy(
          forms::Snapshot(modGlobals::SharedConnection(),
                          taxsummary::CountyRows(P.CountyID, P.ReportYear, P.ReportPeriod, choice)),
          {"ResDistrictType"}, "Command1");
      if (rows->RecordCount() <= 0) {
        noRows = true;
        return;
      }
      std::shared_ptr<report::Report> rpt = MakePart(part);
      FillPart(*rpt, rows, formTitle, choice, vb::Deref(window.GParam.get()));
      ui::PdfRun::NameNextJob(displayName + " Summary Section " + std::to_string(part));
      rpt->PrintReport(false);
      while (rpt->AsyncCount() > 0) ui::DoEvents();
      outcome = rpt->LastJobOutcome();
    });
    if (noRows) {
      modMain::ShowWaitMsg("");
      modGlobals::gstrPrintLog += LogLine(displayName, 7, " - No Records to Print");
      return SummaryOutcome::NoRecords;
    }
    if (outcome == ui::JobOutcome::Cancelled && ended == ui::JobOutcome::Printed) ended = outcome;
    if (outcome == ui::JobOutcome::Failed) ended = outcome;
  }
  modMain::ShowWaitMsg("");
  switch (ended) {
    case ui::JobOutcome::Printed:
      modGlobals::gstrPrintLog += LogLine(displayName, 4, " - Report Printed");
      return SummaryOutcome::Printed;
    case ui::JobOutcome::Cancelled:
      modGlobals::gstrPrintLog += LogLine(displayName, 4, " - Cancelled");
      return SummaryOutcome::JobCancelled;
    default:
      modGlobals::gstrPrintLog += LogLine(displayName, 4, " - Not printed");
      return SummaryOutcome::NotPrinted;
  }
}

void PrintSummaryCommand(frmMain& window) {
  Trap trap(kModule, kCommand);
  trap([&] {
    if (window.FormList())
      modGlobals::gintSavedFormRow = static_cast<std::int16_t>(window.FormList()->AbsolutePosition());
    if (window.AgencyList())
      modGlobals::gintSavedLEARow = static_cast<std::int16_t>(window.AgencyList()->AbsolutePosition());
  });
  const int row = window.dgLEA->Row();
  auto giveRowBack = [&] {
    if (row >= 0) trap([&] { window.dgLEA->Row(row); });
  };
  if (!CheckPrinter(window)) return;
  bool checkAgencies = false, checkPrograms = true;
  if (!window.bSelectionMade(checkAgencies, checkPrograms)) return;
  if (!window.AgencyList() || window.AgencyList()->AbsolutePosition() < 1) {
    ui::MsgBox("Operation not valid. Cannot continue", ui::vbCritical);
    window.activateWindow();
    return;
  }

  const std::string stamp = RunLogStamp(ui::Now(), ui::Now());
  modGlobals::gstrPrintLog.clear();
  window.mintLEACount = 0;
  window.mintProgramCount = 0;
  SelectionArray programs;
  trap([&] { programs = window.GetSelectedProgram(); });
  if (window.mintProgramCount == 0) {
    ui::MsgBox("Select one or more program(s) and try again", ui::vbInformation);
    window.setEnabled(true);
    modMain::ShowWaitMsg("");
    giveRowBack();
    window.activateWindow();
    return;
  }

  window.setEnabled(false);
  // On the PDF printer the run asks for its folder once.
  const ui::PdfRun pdfRun;
  // Only this run's own cancel hides the run log: a cancel left over from
  // an earlier run must not swallow this run's lines.
  bool cancelled = false;
  for (int p = 0; p < window.mintProgramCount; ++p) {
    const std::string before = modGlobals::gstrPrintLog;
    trap([&] {
      modGlobals::gstrPrintLog = before;
      const std::int32_t formNo = vb::CLng(Variant(programs.At(1, p)));
      db::RecordsetPtr catalogue =
          forms::Snapshot(modGlobals::SharedConnection(), forms::CatalogueRowQuery(formNo));
      if (catalogue->Eof()) Missing("The form catalogue has no form " + std::to_string(formNo) + ".");
      const std::string displayName = vb::TextOf(catalogue->Value("form_display_name"));
      if (HasSummary(formNo)) {
        const SummaryOutcome outcome =
            PrintTaxSummary(window, vb::TextOf(catalogue->Value("form_name")),
                            vb::TextOf(catalogue->Value("form_title1")), displayName);
        if (outcome == SummaryOutcome::Cancelled) cancelled = true;
      } else {
        modGlobals::gstrPrintLog += NotApplicableLine(formNo, displayName);
      }
    });
  }

  std::string text = "Summary Reports Printing.. Date & Time: " + stamp + kCrLf + kCrLf + modGlobals::gstrPrintLog +
                     kCrLf + kCrLf + " Print Operation Completed.";
  modGlobals::gstrPrintLog.clear();
  if (!cancelled) Utilities::TransferStatus(text);
  modMain::ShowWaitMsg("");
  window.setEnabled(true);
  giveRowBack();
  window.activateWindow();
}

void InstallSummaryCommand() { frmMain::SetCommandBody("mnuNew_SummaryPrint", &PrintSummaryCommand); }

}  // namespace printing
