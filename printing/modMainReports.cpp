#include "modMainReports.h"

#include <array>
#include <functional>

#include "FormData.h"
#include "ScopeOfParams.h"
#include "Utilities.h"
#include "frmMain.h"
#include "modCOEStatus.h"
#include "modGlobals.h"
#include "rptCertPage.h"
#include "rptTax.h"
#include "rptTorbLeaNotes.h"
#include "ui/Form.h"
#include "ui/Twips.h"
#include "vb/App.h"
#include "vb/Conversions.h"
#include "zelErrHandler.h"

using vb::Variant;

namespace modMain {
namespace {

constexpr const char* kModule = "modMain";
constexpr const char* kHeader = "Section1";
constexpr const char* kFooter = "Sec45";
// The preview window, in screen pixels.
constexpr float kWindowWidthPixels = 740;
constexpr float kWindowHeightPixels = 520;

using ReportMaker = std::function<std::shared_ptr<report::Report>()>;
struct ReportKey {
  const char* key;  // upper case
  ReportMaker make;  // none: no designer in this version
};
const std::array<ReportKey, 3>& ReportKeys() {
  static const std::array<ReportKey, 3> keys = {{
      {"TAX", [] { return std::static_pointer_cast<report::Report>(report::Create<rptTax>()); }},
      {"RPTCERTPAGE", [] { return std::static_pointer_cast<report::Report>(report::Create<rptCertPage>()); }},
      {"TORBLEANOTES", [] { return std::static_pointer_cast<report::Report>(report::Create<rptTorbLeaNotes>()); }},
  }};
  return keys;
}

void SetCaption(report::Report& rpt, const char* section, const char* control, std::string caption) {
  rpt.Sections(section).Controls(control).Caption(std::move(caption));
}

bool CorrectionMarked() {
  auto* main = qobject_cast<frmMain*>(ui::FindForm("frmMain"));
  if (!main) return false;
  return main->Menus().Item("mnu_PY_P2").Checked() || main->Menus().Item("mnu_PY_Annual").Checked();
}

}  // namespace

std::shared_ptr<report::Report> GetReport(const std::string& Name) {
  Trap trap(kModule, "GetReport");
  std::shared_ptr<report::Report> made;
  const std::string key = vb::UCase(Name);
  for (const ReportKey& entry : ReportKeys()) {
    if (key != entry.key) continue;
    if (entry.make) trap([&] { made = entry.make(); });
    break;
  }
  return made;
}

std::string ReportProductLine() {
  std::string line = vb::App::Title();
  const clsGlobalParam& P = modGlobals::GlobalParam();
  if (P.ReconciliationMode || P.ForecastingMode) line += " - " + modGlobals::gstrModeTitle;
  if (CorrectionMarked()) line += " - Corrections";
  return line;
}

void SetReportFooter(report::Report& rpt, const clsGlobalParam& Param) {
  SetCaption(rpt, kFooter, "lblVersion", std::to_string(Param.ReportYear) + "-" + modGlobals::gstrVersion);
  SetCaption(rpt, kFooter, "label4", ReportProductLine());
}

void SizePreviewWindow(report::Report& rpt) {
  rpt.Width(static_cast<int>(kWindowWidthPixels * static_cast<float>(ui::TwipsPerPixelX())));
  rpt.Height(static_cast<int>(kWindowHeightPixels * static_cast<float>(ui::TwipsPerPixelY())));
}

std::string FiscalYearLine(const clsGlobalParam& Param) { return "Fiscal Year: " + vb::Mid(Param.FiscalYearText, 3); }

vb::Variant SetReportHeading(report::Report& rpt, db::Recordset& rows, const clsGlobalParam& Param) {
  const std::string fiscalYear = FiscalYearLine(Param);
  SetCaption(rpt, kHeader, "lblFormName", Param.FormDisplayTitle);
  SetCaption(rpt, kHeader, "LBLFISCALYEAR", fiscalYear);
  SetCaption(rpt, kHeader, "LBLPERIOD", Param.PeriodText);
  SetReportFooter(rpt, Param);
  rpt.Caption(Param.FormDisplayName + " \\ " + fiscalYear + " \\ " + Param.PeriodText + " \\ County : " +
              Param.CountyName + " \\ District : " + Param.DistrictName);
  const Variant funding = rows.Value("CHARTERFUNDINGTYPE");
  if (!funding.IsNull() && !vb::Trim(vb::TextOf(funding)).empty()) {
    report::Control title = rpt.Sections(kHeader).Controls("lblFormName");
    title.Caption(title.Caption() + "\r\n ");
  }
  SizePreviewWindow(rpt);

  // The certificate number of the form's status row.
  Variant records = vb::Null;
  db::RecordsetPtr status =
      forms::Snapshot(modGlobals::SharedConnection(), modCOE::StatusRowQuery(forms::ScopeOf(Param)));
  if (!status->Eof()) {
    records = status->Value("num_record");
    const Variant certificate = status->Value("certificate_number");
    if (!certificate.IsNull()) {
      std::string key = vb::Hex(vb::CLng(certificate));
      SetCaption(rpt, kHeader, "lblCertKey", "Certificate Number: " + Utilities::GetCertKeyFormatted(key));
    }
  }

  // The agency, from the report's row.
  const std::string districtLine = "District: " + vb::TextOf(rows.Value("school_district_name"));
  SetCaption(rpt, kHeader, "lblDistrictName", districtLine);
  SetCaption(rpt, kHeader, "lblCountyID", vb::Format(rows.Value("krn_leas.county_id"), "00"));
  SetCaption(rpt, kHeader, "lblCountyName", "County: " + vb::TextOf(rows.Value("county_name")));
  SetCaption(rpt, kHeader, "lblDistrictID", vb::TextOf(rows.Value("krn_leas.school_district_id")));
  const Variant school = rows.Value("krn_leas.school_id");
  if (school.IsNull() || vb::CLng(school) == 0) {
    SetCaption(rpt, kHeader, "lblSchoolID", "");
  } else {
    SetCaption(rpt, kHeader, "lblSchoolID",
               vb::Format(school, "0000000") + "  " + vb::TextOf(rows.Value("charter_no")));
    // A school code of -1 stands for no school of its own.
    if (vb::CLng(school) != -1)
      SetCaption(rpt, kHeader, "lblDistrictName", districtLine + " : " + vb::TextOf(rows.Value("school_name")));
  }
  return records;
}

}  // namespace modMain
