#include "frmMainCertException.h"

#include "FormData.h"
#include "ReportQuery.h"
#include "SummaryQuery.h"
#include "Utilities.h"
#include "db/Shape.h"
#include "frmMain.h"
#include "frmMainPrintReports.h"
#include "modGlobals.h"
#include "modMainReports.h"
#include "modMainStart.h"
#include "rptTorbLeaNotes.h"
#include "ui/Dialogs.h"
#include "ui/Printers.h"
#include "ui/Pump.h"
#include "vb/Conversions.h"
#include "zelErrHandler.h"

using vb::Variant;

namespace printing {
namespace {

constexpr const char* kModule = "frmMain";
constexpr const char* kWait = "Printing Certificate Exception Report...";
constexpr const char* kHeader = "Section1";

// An agency's answers form one group: the report's pages follow these
// columns (the computed district and school texts among them).
const std::vector<std::string>& AgencyColumns() {
  static const std::vector<std::string> columns = {"FISCAL_YEAR", "PERIOD_ID", "COUNTY_ID", "SCHOOL_DISTRICT_ID",
                                                   "SCHOOL_ID", "SCHOOL_DISTRICT_NAME", "SCHOOL_NAME"};
  return columns;
}

void SetCaption(report::Report& rpt, const char* control, std::string caption) {
  rpt.Sections(kHeader).Controls(control).Caption(std::move(caption));
}

bool ReadsAnswers(const CertExceptionReport& kind) {
  if (!kind.countyOfficeOrAuditorOnly) return true;
  const std::int32_t group = modGlobals::GlobalParam().LogonUserGroup;
  return group == 2 || group == 7;
}

// The county office's name and codes in the heading; without its
// directory row the labels keep what the report shows of its own.
void SetCountyOfficeHeading(report::Report& rpt, const clsGlobalParam& P) {
  db::RecordsetPtr office =
      forms::Snapshot(modGlobals::SharedConnection(), certnotes::CountyOfficeRow(P.CountyID, P.ReportYear));
  if (office->Eof()) return;
  SetCaption(rpt, "lblDistrictName", "District: " + vb::TextOf(office->Value("school_district_name")));
  SetCaption(rpt, "lblCountyID", vb::Format(office->Value("county_id"), "00"));
  SetCaption(rpt, "lblCountyName", "County: " + vb::TextOf(office->Value("county_name")));
  SetCaption(rpt, "lblDistrictID", vb::TextOf(office->Value("school_district_id")));
  SetCaption(rpt, "lblSchoolID", "");
}

}  // namespace

const CertExceptionReport& CountyExceptions() {
  static const CertExceptionReport county = {
      "mnuCertCounty_Click", "Certification Exception Report - COUNTY", "COUNTY",
      [] { return std::static_pointer_cast<report::Report>(report::Create<rptTorbLeaNotes>()); }, false};
  return county;
}

const CertExceptionReport& AuditorExceptions() {
  static const CertExceptionReport auditor = {
      "mnuCertTax_Click", "Certification Exception Report - TAX", "TAX",
      [] { return std::static_pointer_cast<report::Report>(report::Create<rptTorbLeaNotesTax>()); }, true};
  return auditor;
}

std::string CertExceptionCaption(const std::string& fiscalYearLine, const std::string& periodText,
                                 const std::string& countyName, const std::string& districtName) {
  return "Certification Exception Report \\ " + fiscalYearLine + " \\ " + periodText + " \\ County : " + countyName +
         " \\ District : " + districtName;
}

void ShowCertExceptions(frmMain& window, const CertExceptionReport& kind) {
  Trap trap(kModule, kind.procedure);
  if (!CheckPrinter(window)) return;
  modMain::ShowWaitMsg(kWait);
  window.setEnabled(false);
  auto endWith = [&](const char* message) {
    modMain::ShowWaitMsg("");
    window.setEnabled(true);
    ui::DoEvents();
    if (message) ui::MsgBox(message, ui::vbInformation);
    window.activateWindow();
  };

  std::shared_ptr<report::Report> rpt;
  trap([&] { rpt = kind.make ? kind.make() : nullptr; });
  if (!rpt) {
    endWith("Not yet implemented");
    return;
  }
  const clsGlobalParam* P = window.GParam.get();
  db::RecordsetPtr rows;
  if (ReadsAnswers(kind)) {
    trap([&] {
      const clsGlobalParam& own = vb::Deref(P);
      rows = db::ComputeBy(forms::Snapshot(modGlobals::SharedConnection(),
                                           certnotes::Answers(own.CountyID, own.DistrictID, own.ReportYear,
                                                              own.ReportPeriod, kind.questionSet)),
                           AgencyColumns(), "Command1");
    });
  }
  long agencies = 0;
  trap([&] { agencies = rows ? rows->RecordCount() : 0; });
  if (agencies < 1) {
    endWith("No records to print");
    return;
  }

  trap([&] { rpt->DataSource(rows); });
  trap([&] {
    const clsGlobalParam& own = vb::Deref(P);
    const std::string fiscalYear = modMain::FiscalYearLine(own);
    SetCaption(*rpt, "lblFormName", kind.title);
    SetCaption(*rpt, "LBLFISCALYEAR", fiscalYear);
    SetCaption(*rpt, "LBLPERIOD", own.PeriodText);
    modMain::SetReportFooter(*rpt, own);
    rpt->Caption(CertExceptionCaption(fiscalYear, own.PeriodText, own.CountyName, own.DistrictName));
  });
  trap([&] { modMain::SizePreviewWindow(*rpt); });
  trap([&] { SetCountyOfficeHeading(*rpt, vb::Deref(P)); });

  // Landscape exactly while the preview is open.
  const int kept = ui::JobOrientation();
  Utilities::SetPrinterOrientation(ui::OrientationLandscape);
  modMain::ShowWaitMsg("");
  trap([&] { rpt->Show(1); });
  Utilities::SetPrinterOrientation(kept);
  endWith(nullptr);
}

void InstallCertExceptionCommands() {
  frmMain::SetCommandBody("mnuCertCounty",
                          [](frmMain& window) { ShowCertExceptions(window, CountyExceptions()); });
  frmMain::SetCommandBody("mnuCertTax", [](frmMain& window) { ShowCertExceptions(window, AuditorExceptions()); });
}

}  // namespace printing
