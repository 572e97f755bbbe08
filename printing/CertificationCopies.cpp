#include "CertificationCopies.h"

#include "Utilities.h"
#include "frmMain.h"
#include "modGlobals.h"
#include "modMainReports.h"
#include "modMainStart.h"
#include "ui/Printers.h"
#include "ui/Pump.h"
#include "vb/Conversions.h"

namespace printing::certcopies {

void SaveListPositions(frmMain& window, Trap& trap) {
  trap([&] {
    modGlobals::gintSavedFormRow = static_cast<std::int16_t>(vb::Deref(window.FormList().get()).AbsolutePosition());
    modGlobals::gintSavedLEARow = static_cast<std::int16_t>(vb::Deref(window.AgencyList().get()).AbsolutePosition());
  });
}

RunEnd::RunEnd(frmMain& window, Trap& trap) : window_(window), trap_(trap), row_(window.dgLEA->Row()) {}

RunEnd::~RunEnd() {
  if (refused_) return;
  Finish();
  GiveRowBack();
  window_.activateWindow();
}

void RunEnd::Refused() {
  GiveRowBack();
  refused_ = true;
}

void RunEnd::GiveRowBack() {
  if (row_ >= 0) trap_([&] { window_.dgLEA->Row(row_); });
  row_ = -1;
}

void RunEnd::Finish() {
  if (done_) return;
  done_ = true;
  modMain::ShowWaitMsg("");
  window_.setEnabled(true);
}

SelectionArray SelectedAgencies(frmMain& window) {
  window.mblnLEABathMode = true;
  SelectionArray leas = window.GetSelected();
  window.mblnLEABathMode = false;
  return leas;
}

std::int32_t SchoolOf(const SelectionArray& leas, int lea) { return vb::CLng(vb::Variant(leas.At(1, lea))); }

forms::FormScope AgencyScope(const clsGlobalParam& P, const SelectionArray& leas, int lea) {
  forms::FormScope scope;
  scope.year = P.ReportYear;
  scope.period = P.ReportPeriod;
  scope.county = vb::CLng(vb::Variant(leas.At(4, lea)));
  scope.district = vb::CLng(vb::Variant(leas.At(0, lea)));
  scope.school = SchoolOf(leas, lea);
  return scope;
}

std::string AgencyCode(const SelectionArray& leas, int lea) {
  const std::int32_t school = SchoolOf(leas, lea);
  return leas.At(0, lea) + (school != 0 ? "-" + vb::Format(vb::Variant(school), "0000000") : std::string());
}

bool PrintCopy(report::Report& rpt, const int& failedJobs) {
  const int before = failedJobs;
  ui::DoEvents();
  Utilities::Time_Process();
  rpt.Orientation(ui::OrientationPortrait);
  rpt.PrintReport(false);
  while (rpt.AsyncCount() > 0) ui::DoEvents();
  return failedJobs == before;
}

void SetFormFiscalYearAndFooter(report::Report& rpt, const clsGlobalParam& heading) {
  rpt.Sections("Section1").Controls("lblFiscalYear").Caption(modMain::FiscalYearLine(heading));
  modMain::SetReportFooter(rpt, heading);
}

}  // namespace printing::certcopies
