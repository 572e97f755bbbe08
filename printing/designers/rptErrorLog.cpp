#include "rptErrorLog.h"

#include <algorithm>
#include <initializer_list>
#include <vector>

#include "DesignerErrors.h"
#include "DesignerResources.h"
#include "modGlobals.h"
#include "modMainReports.h"
#include "ui/Twips.h"
#include "vb/App.h"
#include "vb/Conversions.h"
#include "vb/Trap.h"
#include "vb/VbError.h"

using vb::Variant;

namespace {

constexpr const char* kHeader = "Section2";
constexpr const char* kDetail = "Section1";
constexpr const char* kFooter = "Section3";

// How the heading shows the school, first matching case.
enum class SchoolShow { Empty, NameOnly, Hidden, Number };
struct SchoolCase {
  enum class Test { NoSchool, FormName, FormNo, Any } test;
  std::vector<const char*> formNames;  // compared exactly
  std::vector<std::int32_t> formNos;
  SchoolShow show;
};
const std::vector<SchoolCase>& SchoolCases() {
  static const std::vector<SchoolCase> cases = {
      {SchoolCase::Test::NoSchool, {}, {}, SchoolShow::Empty},
      {SchoolCase::Test::FormName,
       {"DistrictSchoolRevenueLimitK12", "BRL_SD_NSES_ADA", "BRL_SD_NSHS_ADA", "BRL_SD_NSCHS_ADA"},
       {},
       SchoolShow::NameOnly},
      {SchoolCase::Test::FormNo, {}, {95, 101, 100, 102, 400}, SchoolShow::Hidden},
      {SchoolCase::Test::Any, {}, {}, SchoolShow::Number},
  };
  return cases;
}

bool Applies(const SchoolCase& c, const clsGlobalParam& p) {
  switch (c.test) {
    case SchoolCase::Test::NoSchool: return p.SchoolId == 0;
    case SchoolCase::Test::FormName:
      return std::any_of(c.formNames.begin(), c.formNames.end(), [&](const char* n) { return p.formname == n; });
    case SchoolCase::Test::FormNo:
      return std::find(c.formNos.begin(), c.formNos.end(), p.FormNo) != c.formNos.end();
    case SchoolCase::Test::Any: return true;
  }
  return false;
}

// The key boxes of the detail band a form shows or hides, in order; other
// forms keep the residence county and district.
struct KeyBoxToggle {
  std::vector<std::int32_t> formNos;
  std::vector<std::pair<const char*, bool>> boxes;
};
const std::vector<KeyBoxToggle>& KeyBoxToggles() {
  static const std::vector<KeyBoxToggle> toggles = {
      {{95}, {{"Text8", true}}},
      {{100, 101, 400}, {{"Text9", true}}},
      {{89}, {{"Text8", false}, {"Text9", false}, {"Text7", false}, {"Text6", false}}},
      {{45}, {{"Text9", true}}},
  };
  return toggles;
}

}  // namespace

rptErrorLog::rptErrorLog() : Report(designers::LayoutPath("rptErrorLog")) {}

void rptErrorLog::Init() {
  Trap trap("rptErrorLog", "Init");
  auto label = [&](const char* section, const char* name) { return Sections(section).Controls(name); };
  auto param = [&]() -> const clsGlobalParam& { return vb::Deref(GParam); };
  trap([&] { label(kHeader, "lblCountyID").Caption(vb::Format(Variant(param().CountyID), "00")); });
  trap([&] { label(kHeader, "lblCountyName").Caption("County: " + param().CountyName); });
  trap([&] { label(kHeader, "lblDistrictID").Caption(std::to_string(param().DistrictID)); });

  SchoolShow show = SchoolShow::Number;
  trap([&] {
    const auto& cases = SchoolCases();
    show = std::find_if(cases.begin(), cases.end(), [&](const SchoolCase& c) { return Applies(c, param()); })->show;
  });
  trap([&] {
    const clsGlobalParam& p = param();
    const std::string district = "District: " + p.DistrictName;
    switch (show) {
      case SchoolShow::Empty:
        label(kHeader, "lblSchoolID").Caption("");
        label(kHeader, "lblDistrictName").Caption(district);
        break;
      case SchoolShow::NameOnly: label(kHeader, "lblDistrictName").Caption(district); break;
      case SchoolShow::Hidden:
        label(kHeader, "lblSchoolID").Visible(false);
        label(kHeader, "lblDistrictName").Caption(district);
        break;
      case SchoolShow::Number:
        label(kHeader, "lblSchoolID").Caption(vb::Format(Variant(p.SchoolId), "0000000"));
        label(kHeader, "lblDistrictName").Caption(district + " :  " + p.SchoolName);
        break;
    }
  });
  trap([&] {
    const std::int32_t formNo = param().FormNo;
    for (const KeyBoxToggle& t : KeyBoxToggles()) {
      if (std::find(t.formNos.begin(), t.formNos.end(), formNo) == t.formNos.end()) continue;
      for (const auto& [box, visible] : t.boxes) label(kDetail, box).Visible(visible);
    }
  });
  trap([&] { label(kHeader, "lblFormName").Caption(param().FormDisplayTitle); });
  trap([&] { label(kHeader, "lblPeriod").Caption(param().PeriodText); });
  trap([&] { label(kHeader, "lblfiscalyear").Caption(modMain::FiscalYearLine(param())); });
  trap([&] {
    label(kFooter, "lblVersion").Caption(std::to_string(param().ReportYear) + "-" + modGlobals::gstrVersion);
  });
  trap([&] { label(kFooter, "label4").Caption(vb::App::Title()); });
  trap([&] {
    const clsGlobalParam& p = param();
    Caption(p.FormDisplayName + " \\ " + p.FiscalYearText + " \\ " + p.PeriodText + " \\ " + p.CountyName + " \\ " +
            p.DistrictName);
  });
  trap([&] {
    Width(static_cast<int>(740 * static_cast<float>(ui::TwipsPerPixelX())));
    Height(static_cast<int>(520 * static_cast<float>(ui::TwipsPerPixelY())));
  });
}

void rptErrorLog::DataReport_Error(int /*jobType*/, long /*cookie*/, const vb::VbError& /*error*/, bool& showError) {
  designers::TellNoPrinter("rptErrorLog", showError);
}
