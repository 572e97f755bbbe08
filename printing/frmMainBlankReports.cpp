#include "frmMainBlankReports.h"

#include <algorithm>
#include <functional>
#include <memory>

#include "BlankReportQuery.h"
#include "Utilities.h"
#include "frmMain.h"
#include "frmMainPrintReports.h"
#include "modGlobals.h"
#include "modMainReports.h"
#include "modMainStart.h"
#include "ui/Clock.h"
#include "ui/Dialogs.h"
#include "ui/Printers.h"
#include "ui/Pump.h"
#include "vb/Conversions.h"
#include "vb/Trap.h"
#include "vb/VbError.h"

using vb::Variant;

namespace printing {
namespace {

constexpr const char* kHeader = "Section1";
// Room to write the year in by hand.
constexpr const char* kFiscalYearToFill = "Fiscal Year:\u00A0\u00A0\u00A0\u00A0\u00A0\u00A0\u00A0\u00A0";

report::Control HeaderLabel(report::Report& rpt, const char* name) {
  return rpt.Sections(kHeader).Controls(name);
}

}  // namespace

void BlankReportsClick1(report::Report& Report, db::Recordset& Data, const std::string& FormName,
                        const clsGlobalParam& Param, bool NoAgency, const Variant& FormTitle) {
  Trap trap("frmMain", "BlankReportsClick1");
  if (!NoAgency) {
    std::string districtLine;
    trap([&] {
      const Variant name = Data.Value("school_district_name");
      districtLine = name.IsNull() ? "" : "District: " + vb::TextOf(name);
      HeaderLabel(Report, "lblDistrictName").Caption(districtLine);
    });
    trap([&] { HeaderLabel(Report, "lblCountyID").Caption(vb::Format(Data.Value("krn_leas.county_id"), "00")); });
    trap([&] { HeaderLabel(Report, "lblCountyName").Caption("County: " + vb::TextOf(Data.Value("county_name"))); });
    trap([&] {
      HeaderLabel(Report, "lblDistrictID").Caption(vb::TextOf(Data.Value("krn_leas.school_district_id")));
    });
    trap([&] {
      const Variant school = Data.Value("krn_leas.school_id");
      if (school.IsNull() || vb::CLng(school) == 0) {
        HeaderLabel(Report, "lblSchoolID").Caption("");
      } else {
        HeaderLabel(Report, "lblSchoolID").Caption(vb::Format(school, "0000000"));
        HeaderLabel(Report, "lblDistrictName").Caption(districtLine + " : " + vb::TextOf(Data.Value("school_name")));
      }
    });
    trap([&] { HeaderLabel(Report, "LBLFISCALYEAR").Caption(modMain::FiscalYearLine(Param)); });
    trap([&] { HeaderLabel(Report, "LBLPERIOD").Caption(Param.PeriodText); });
  } else {
    trap([&] { HeaderLabel(Report, "lblDistrictName").Caption("District: "); });
    trap([&] { HeaderLabel(Report, "lblCountyName").Caption("County: "); });
    trap([&] { HeaderLabel(Report, "LBLFISCALYEAR").Caption(kFiscalYearToFill); });
    trap([&] { HeaderLabel(Report, "LBLPERIOD").Visible(false); });
  }
  trap([&] {
    HeaderLabel(Report, "lblFormName")
        .Caption(FormName == "DISTRICTLIMITK12" ? "District Revenue Limit Adjustments" : vb::TextOf(FormTitle));
  });
  trap([&] { modMain::SetReportFooter(Report, Param); });
  trap([&] {
    Report.Caption(Param.FormDisplayName + " \\ " + Param.FiscalYearText + " \\ " + Param.PeriodText + " \\ " +
                   Param.CountyName + " \\ " + Param.DistrictName);
  });
}

}  // namespace printing

// --- The command ----------------------------------------------------------------------------

namespace printing {
namespace {

constexpr const char* kWait = "Printing Blank Reports...";
using vb::kCrLf;
constexpr const char* kFailed = "Print job cannot be completed";
constexpr const char* kNoColumns =
    "Selectable columns are not defined for this entry screen or entry screen not implemented";
constexpr std::int32_t kCharterGroup = 4;

// The run ends in the failure path (its message is shown there).
struct RunFailed {};

enum class Compare { Exact, UpperCased };
bool Matches(const std::string& formName, const char* name, Compare compare) {
  return compare == Compare::Exact ? formName == name : vb::UCase(formName) == name;
}

// A row of a table by form name: the name, how it is compared, and what the
// table says for it.
template <class What>
struct ByFormName {
  const char* name;
  Compare compare;
  What what;
};

// The first row for the form name; nullptr when none matches.
template <class What, std::size_t N>
const What* FirstMatch(const ByFormName<What> (&rows)[N], const std::string& formName) {
  for (const ByFormName<What>& row : rows) {
    if (Matches(formName, row.name, row.compare)) return &row.what;
  }
  return nullptr;
}

// The report each program prints with, first match; any other name asks
// the report factory.
enum class Designer { None, NoneTold, Pair };
constexpr ByFormName<Designer> kDesigners[] = {
    {"BRL_SD_NSES_ADA", Compare::Exact, Designer::None},   {"BRL_SD_NSHS_ADA", Compare::Exact, Designer::None},
    {"INFANTFUNDING", Compare::UpperCased, Designer::None}, {"ATT_CS_BG_U", Compare::UpperCased, Designer::Pair},
    {"EDS_CS", Compare::UpperCased, Designer::NoneTold},    {"DISTRICTLIMITK12", Compare::UpperCased, Designer::None},
};

// Programs whose report is not offered outside the charter logon.
constexpr const char* kUnavailable[] = {"COUNTYMODEL", "NSSFUNDINGSELECTION"};
// Programs whose detail fields named "T..." are hidden on the blank form.
constexpr const char* kHiddenFields[] = {"SCICS",    "ATTCSBGCOE", "SECOSTPOOL", "SENPSLCI",
                                         "ATTCSACD", "ATTCSSBC",   "ATTCSEHS",   "ATT_SD"};

// How each program's report is printed, first match.
enum class Printing { Upright, Across, Nothing };
constexpr ByFormName<Printing> kPrinting[] = {
    {"COUNTYMODEL", Compare::UpperCased, Printing::Nothing},
    {"NSSFUNDINGSELECTION", Compare::UpperCased, Printing::Nothing},
    {"ATT_SD", Compare::UpperCased, Printing::Across},
    {"CS_BA", Compare::UpperCased, Printing::Across},
};

template <std::size_t N>
bool InUpper(const char* const (&names)[N], const std::string& formName) {
  const std::string u = vb::UCase(formName);
  return std::any_of(std::begin(names), std::end(names), [&](const char* n) { return u == n; });
}

std::shared_ptr<report::Report> ChooseDesigner(const std::string& formName) {
  const Designer* designer = FirstMatch(kDesigners, formName);
  if (!designer) return modMain::GetReport(formName);
  if (*designer == Designer::NoneTold) ui::MsgBox("No report available", ui::vbInformation);
  // No report of this version answers the pair either.
  return nullptr;
}

Printing PrintingOf(const std::string& formName) {
  const Printing* printing = FirstMatch(kPrinting, formName);
  return printing ? *printing : Printing::Upright;
}

void HideDetailFields(report::Report& rpt) {
  report::Section detail = rpt.Sections(3);
  for (int i = 1; i <= detail.Controls().Count(); ++i) {
    report::Control control = detail.Controls(i);
    if (vb::UCase(vb::Left(control.Name(), 1)) == "T") control.Visible(false);
  }
  rpt.Refresh();
}

// One program for one agency: its blank row, bound, headed and printed.
void PrintProgram(frmMain& window, db::Recordset& agency, db::Recordset& program, bool noAgency) {
  const std::string formName = vb::TextOf(program.Value("Form_Name"));
  const std::string upper = vb::UCase(formName);
  std::shared_ptr<report::Report> designer = ChooseDesigner(formName);

  const clsGlobalParam& global = modGlobals::GlobalParam();
  // The agency's own county: a SELPA's list reaches into other counties,
  // whose agencies the current county's directory rows would not find.
  const Variant county = agency.Value("COUNTY_ID");
  const std::int32_t countyId = county.IsNull() ? global.CountyID : vb::CLng(county);
  const modMain::BlankScope scope{global.ReportYear, countyId, global.ReportPeriod};
  // The SELPA's county only fills a SELPA column; the list of some logons
  // does not carry it.
  const Variant selpaCounty = agency.FieldIndex("SELPA_COUNTY") >= 0 ? agency.Value("SELPA_COUNTY") : vb::Null;
  const modMain::BlankAgency keys{agency.Value("district_id"), agency.Value("school_id"), selpaCounty};
  const db::SqlText query = modMain::GetBlankSQL(modGlobals::SharedConnection(), formName, scope, keys);
  if (query.Empty()) {
    ui::MsgBox(kNoColumns, ui::vbInformation);
    modMain::ShowWaitMsg("");
    throw RunFailed{};
  }
  auto blank = std::make_shared<db::Recordset>();
  blank->Open(query.Sql(), modGlobals::SharedConnection(), query.Params());
  if (blank->RecordCount() < 1) return;  // nothing to head: nothing printed

  const Variant title = program.Value("form_title1");
  auto bind = [&] {
    if (!designer) throw vb::VbError(vb::err::ObjectNotSet, "The program " + formName + " has no report.");
    designer->DataSource(blank);
    BlankReportsClick1(*designer, *blank, upper, vb::Deref(window.GParam), noAgency, title);
  };
  if (global.UserGroup == kCharterGroup) {
    bind();
    ui::DoEvents();
  } else if (InUpper(kUnavailable, formName)) {
    ui::MsgBox("Report for " + vb::TextOf(program.Value("Form_display_name")) + " is unavailable",
               ui::vbInformation);
  } else {
    bind();
  }

  const Printing printing = PrintingOf(formName);
  if (printing == Printing::Nothing || !designer) return;
  if (InUpper(kHiddenFields, formName)) HideDetailFields(*designer);
  ui::DoEvents();
  Utilities::Time_Process();
  designer->Orientation(printing == Printing::Across ? ui::OrientationLandscape : ui::OrientationPortrait);
  designer->PrintReport(false);
  if (printing == Printing::Upright) {
    while (designer->AsyncCount() > 0) ui::DoEvents();
  }
}

void FailurePath(frmMain& window) {
  ui::MsgBox(kFailed, ui::vbExclamation);
  modMain::ShowWaitMsg("");
  window.SyncRS2SavedValues();
  window.setEnabled(true);
}

}  // namespace

std::string BlankAgencyLine(std::int32_t userGroup, const Variant& district, const Variant& selpa,
                            const Variant& school) {
  std::string line = "\t" + vb::Format(district, "00000");
  if (userGroup == 5) {
    line += "-" + vb::TextOf(selpa);
  } else if (!school.IsNull() && vb::CLng(school) != 0) {
    line += "-" + vb::Format(school, "0000000");
  }
  return line + kCrLf;
}

void PrintBlankReportsCommand(frmMain& window) {
  window.mlngNoLEASelected = 0;
  Trap silent("frmMain", "mnuNew_BlankReports_Click", Trap::Mode::Silent);
  silent([&] {
    modGlobals::gintSavedFormRow = static_cast<std::int16_t>(vb::Deref(window.FormList().get()).AbsolutePosition());
    modGlobals::gintSavedLEARow = static_cast<std::int16_t>(vb::Deref(window.AgencyList().get()).AbsolutePosition());
  });
  // The mark tells the selection check that blank reports are asked for;
  // it goes on every way out.
  auto mark = [&](bool on) { silent([&] { window.Menus().Item("mnuNew_BlankReports").Checked(on); }); };
  mark(true);
  struct Unmark {
    std::function<void()> off;
    ~Unmark() { off(); }
  } unmark{[&] { mark(false); }};

  if (!CheckPrinter(window)) return;
  if (!window.bSelectionMade(true, true)) return;
  window.mintLEACount = 0;
  window.mintProgramCount = 0;
  // The selected agencies are gathered with the list's row handling stood
  // still, as the selection buttons walk it: a print makes no agency
  // current on its way and adds none of their status rows. Gathering the
  // programs sets the flag back.
  window.mblnLEABathMode = true;
  window.mstrSelectedLEAs = window.GetSelected();
  window.mstrSelectedPrograms = window.GetSelectedProgram();
  window.mblnLEABathMode = false;
  if (window.mintLEACount == 0 || window.mintProgramCount == 0) {
    window.setEnabled(true);
    modMain::ShowWaitMsg("");
    window.SyncRS2SavedValues();
    window.activateWindow();
    return;
  }
  const vb::Date time = ui::Now();
  const std::string stamp = RunLogStamp(time, ui::Now());
  const bool noAgency = window.mlngNoLEASelected != 0;
  std::string agencyLines, programLines;
  try {
    db::RecordsetPtr agencies = vb::Deref(window.AgencyList().get()).Clone();
    window.mrsFormClone = vb::Deref(window.FormList().get()).Clone();
    db::Recordset& programs = *window.mrsFormClone;
    if (agencies->RecordCount() > 0 && agencies->AbsolutePosition() != 1) agencies->MoveFirst();
    window.setEnabled(false);
    modMain::ShowWaitMsg(kWait);
    const std::int32_t group = modGlobals::GlobalParam().UserGroup;
    while (!agencies->Eof()) {
      const std::string flag = vb::UCase(vb::TextOf(agencies->Value("SELECTED")));
      if (flag == "YES" || (noAgency && flag == "NO")) {
        if (!noAgency) {
          agencyLines += BlankAgencyLine(group, agencies->Value("district_id"), agencies->Value("selpa_ID"),
                                         agencies->Value("school_id"));
        }
        programLines.clear();
        for (programs.MoveFirst(); !programs.Eof(); programs.MoveNext()) {
          if (vb::UCase(vb::TextOf(programs.Value("SELECTED"))) != "YES") continue;
          programLines += "\t" + vb::TextOf(programs.Value("Form_Display_Name")) + kCrLf;
          PrintProgram(window, *agencies, programs, noAgency);
        }
      }
      if (noAgency) break;
      agencies->MoveNext();
    }
  } catch (const RunFailed&) {
    FailurePath(window);
    return;
  } catch (const std::exception&) {
    FailurePath(window);
    return;
  }

  std::string text = std::string("Blank Reports Printing.. Date & Time: ") + stamp + kCrLf + kCrLf;
  if (!noAgency) text += std::string("Selected LEA(s) ") + kCrLf + kCrLf + agencyLines + kCrLf;
  text += std::string("Selected Program(s)") + kCrLf + kCrLf + programLines + kCrLf + "Print Operation Completed.";
  window.mlngNoLEASelected = 0;
  window.mrsFormClone.reset();
  modMain::ShowWaitMsg("");
  Utilities::TransferStatus(text);
  window.setEnabled(true);
  window.SyncRS2SavedValues();
  window.activateWindow();
}

}  // namespace printing
