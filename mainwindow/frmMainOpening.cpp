// A click in the main window's entry-screen list: the selection flag, the
// prior-year correction reason, and the opening of the entry screen itself
// (the main road: the row's identity and status go into the global
// parameters, the entry screen's window is shown modal, and both grids are
// brought up to date when it closes). Also the applicability checks of
// entry screens.

#include <algorithm>
#include <cctype>
#include <iterator>

#include "Utilities.h"
#include "clsDataAccess.h"
#include "clsMyAdoUtils.h"
#include "db/SqlText.h"
#include "frmMain.h"
#include "frmMainDetail.h"
#include "modCOECorrection.h"
#include "modMainStart.h"
#include "ui/Dialogs.h"
#include "ui/Pump.h"
#include "vb/Conversions.h"

using frmMainDetail::Globals;
using frmMainDetail::kModule;
using frmMainDetail::Narrow16;
using modGlobals::AdoUtils;
using vb::Deref;

namespace {

// The grid columns of an entry-screen click.
constexpr int kSelectionColumn = 0;
constexpr int kCorrectionColumn = 2;
constexpr int kRecordSelector = -1;

frmMain::WindowMaker& TaxWindowMaker() {
  static frmMain::WindowMaker maker;
  return maker;
}

// --- Opening ---------------------------------------------------------------------------

// The row's identity into the global parameters (its counts and dates are
// copied as a status row's are).
struct IdentityColumn {
  const char* column;
  std::string clsGlobalParam::*text;
};
constexpr IdentityColumn kIdentityColumns[] = {
    {"FORM_NAME", &clsGlobalParam::formname},
    {"FORM_TITLE1", &clsGlobalParam::FormDisplayTitle},
    {"FORM_DISPLAY_NAME", &clsGlobalParam::FormDisplayName},
};

// What an entry screen's key opens: the tax window (for county offices
// only), nothing but the refresh, or the notice that it is under process.
enum class Opens { TaxWindow, RefreshOnly, UnderProcess };
Opens OpensFor(const std::string& formKey) {
  if (formKey == "TAX") return TaxWindowMaker() ? Opens::TaxWindow : Opens::UnderProcess;
  if (formKey == "BRL_SD_CSP_NEW") return Opens::RefreshOnly;
  return Opens::UnderProcess;
}

// The district codes of county offices of education begin with these digits.
constexpr const char* kCountyOfficePrefix = "10";

// --- Applicability ------------------------------------------------------------------------

// The charter types for which a charter screen applies (or, when `except`,
// does not apply). A Null charter type is none of them.
struct CharterScreen {
  const char* formKey;
  bool except;
  std::vector<int> types;
};
const std::vector<CharterScreen>& CharterScreens() {
  static const std::vector<CharterScreen> screens = {
      {"ATTCS", true, {1, 6}},
      {"ATTCSACD", false, {6}},
      {"ATTCSFUNDADA", false, {1}},
      {"ATTCOECS", false, {1}},
      {"CS_BA", false, {2, 3, 4, 9, 10}},
      {"CHARTERVORNESTDATAADJ", false, {1}},
      {"CHARTERPHYSICALLOCATION", true, {6}},
  };
  return screens;
}

// The small-school screens and the extended-year columns whose sum shows
// extended-year special education (form names in this letter case only).
struct SmallSchoolScreen {
  const char* formName;
  std::vector<const char*> extendedYear;
};
const std::vector<SmallSchoolScreen>& SmallSchoolScreens() {
  static const std::vector<SmallSchoolScreen> screens = {
      {"BRL_SD_NSES_ADA", {"ExtYearSpEd_GradesTKTO3", "ExtYearSpEd_Grades4TO6", "ExtYearSpEd_Grades7TO8"}},
      {"BRL_SD_NSHS_ADA", {"ExtYearSpEd_Grades9TO12"}},
  };
  return screens;
}

// The district screens of an all-charter district.
constexpr const char* kAllCharterDistrictScreens[] = {
    "ATT_SD",          "ATT_SD_BS",        "ATT_SD_SUPP",    "BRL_SD_CSP_NEW", "BRL_SD_NSES_ADA", "BRL_SD_NSHS_ADA",
    "BRL_SD_NSCHS_ADA", "SE_SDCOE_ROCPH", "GATE",           "HIGHRISKYOUTH",  "ROCPSCHOOL",
};

db::RecordsetPtr Rows(const db::SqlText& q) {
  return clsDataAccess().GetRecordset(q.Sql(), q.Params(), modGlobals::gstrConnectionString,
                                      modGlobals::SharedConnection());
}

}  // namespace

void frmMain::SetTaxWindow(WindowMaker maker) { TaxWindowMaker() = std::move(maker); }

std::int32_t frmMain::CertKeyOf(const vb::Variant& certificateText) {
  if (certificateText.IsNull()) return 0;
  const std::string text = vb::Trim(vb::TextOf(certificateText));
  // From the last character to the first, each worth 16 times the one after
  // it; the sum wraps as a 32-bit number.
  std::uint32_t sum = 0;
  std::uint32_t weight = 1;
  bool last = true;
  for (auto at = text.rbegin(); at != text.rend(); ++at) {
    const unsigned char byte = static_cast<unsigned char>(*at);
    if ((byte & 0xC0) == 0x80) continue;  // inside a character of several bytes
    if (!last) weight *= 16;
    last = false;
    const char digit = static_cast<char>(std::toupper(byte));
    if (digit >= '0' && digit <= '9') sum += static_cast<std::uint32_t>(digit - '0') * weight;
    if (digit >= 'A' && digit <= 'F') sum += static_cast<std::uint32_t>(digit - 'A' + 10) * weight;
  }
  return static_cast<std::int32_t>(sum);
}

// --- The click ---------------------------------------------------------------------------

void frmMain::dgForms_Click() {
  Trap trap(kModule, "dgForms_Click");
  bool noRow = true;
  trap([&] { noRow = dgForms->Row() < 0 || dgFormsRowValue < 0; });
  if (noRow || trap.Left()) return;

  // Charter schools shown, but none taken up yet.
  bool reselect = false;
  trap([&] { reselect = Globals().UserGroup == 4 && vb::Trim(Globals().SchoolName).empty(); });
  if (reselect) {
    trap([] { ui::MsgBox("Please re-select the LEA.", ui::vbInformation); });
    trap([] { modMain::ShowWaitMsg(""); });
    trap([&] { setFocus(); });
    return;
  }
  switch (dgFormsColValue) {
    case kSelectionColumn: FlipFormSelection(trap); break;
    case kCorrectionColumn: AskFormCorrection(trap); break;
    case kRecordSelector: OpenEntryScreen(); break;
    default: break;
  }
}

void frmMain::FlipFormSelection(Trap& trap) {
  trap([] { ui::DoEvents(); });
  trap([&] { dgForms->Row(dgFormsRowValue); });
  bool onRow = false;
  trap([&] { onRow = Deref(rsForm).AbsolutePosition() >= 1; });
  if (!onRow) return;
  trap([&] {
    const std::string flag = vb::TextOf(rsForm->Value("SELECTED"));
    if (flag != "Yes" && flag != "No") return;  // any other value stays
    frmMainDetail::StoreSelected(*rsForm, flag == "Yes" ? "No" : "Yes");
  });
  trap([&] { modGlobals::gintSavedFormRow = Narrow16(rsForm->AbsolutePosition()); });
  trap([&] { refresh_dgForms(); });
}

void frmMain::AskFormCorrection(Trap& trap) {
  trap([] { ui::DoEvents(); });
  trap([&] { dgForms->Row(dgFormsRowValue); });
  // Only entry screens that hold data rows have a correction to explain.
  bool hasData = false;
  trap([&] {
    const vb::Variant records = Deref(rsForm).Value("NUM_RECORD");
    hasData = !records.IsNull() && vb::CLng(records) != 0 && rsForm->AbsolutePosition() >= 1;
  });
  if (!hasData) return;
  trap([&] { modGlobals::gintSavedFormRow = Narrow16(rsForm->AbsolutePosition()); });
  trap([&] {
    modCOE::ShowCorrectionReasonWindow(vb::CInt(rsForm->Value("FORM_NO")), rsForm->Value("CORRECTED"),
                                       rsForm->Value("PY_CORRECTION_NOTE"), rsForm->Value("PY_REASON_CODE"), false);
  });
  trap([] { modMain::ShowWaitMsg("Please wait..."); });
  trap([&] { Deref(rsForm).Requery(); });
  trap([&] { refresh_dgForms(); });
  // The agency's flag follows its status rows, whether the dialog saved or
  // not. The school is the highlighted row's, as its cell shows it.
  trap([&] {
    const clsGlobalParam& P = Globals();
    modCOE::MarkAgencyCorrected(P.ReportYear, P.ReportPeriod, P.CountyID, P.DistrictID,
                                vb::CLng(vb::Variant(dgLEA->Columns("SCHOOL_ID").Text())));
  });
  trap([&] { RefreshLEAs(); });
  trap([&] { RefreshFormsOfShownKind(); });
  trap([&] { refresh_dgForms(); });
  trap([&] { RefreshTopandBottomGrid(false); });
  trap([&] { SyncRS2SavedValues(); });
  trap([] { modMain::ShowWaitMsg(""); });
}

void frmMain::OpenEntryScreen() {
  // Each step stands alone: a failure is passed over and the next one runs.
  Trap quiet(kModule, "dgForms_Click", Trap::Mode::Silent);
  clsGlobalParam& P = Globals();
  quiet([&] { setEnabled(false); });
  quiet([&] { modGlobals::gintSavedFormRow = Narrow16(Deref(rsForm).AbsolutePosition()); });
  for (const IdentityColumn& column : kIdentityColumns)
    quiet([&] { P.*column.text = vb::CStr(Deref(rsForm).Value(column.column)); });
  quiet([&] { P.FormNo = vb::CLng(Deref(rsForm).Value("FORM_NO")); });
  modMain::CopyFormStatus(rsForm.get(), P, quiet);
  quiet([&] { P.CertKey = CertKeyOf(Deref(rsForm).Value("CERTIFICATE_NUMBER")); });
  if (P.formname.empty()) {
    quiet([&] { setEnabled(true); });
    return;
  }
  const std::string formKey = vb::UCase(P.formname);

  // The district's attributes, from its open county-office or district row;
  // without one they stay as the last opening left them.
  db::RecordsetPtr district;
  quiet([&] {
    db::SqlText q;
    q << "SELECT * FROM krn_leas WHERE fiscal_year = " << db::Param(vb::Variant(P.ReportYear))
      << " AND (lea_type = 2 OR lea_type = 3) AND stat_type = 'OPEN' AND school_district_id = "
      << db::Param(vb::Variant(P.DistrictID));
    district = AdoUtils().getNewRecordSet();
    district->Open(q.Sql(), modGlobals::SharedConnection(), q.Params());
  });
  if (district && !district->Eof()) {
    auto whole = [](const vb::Variant& v) { return v.IsNull() ? 0 : vb::CLng(v); };
    quiet([&] { P.AllCharterDistrict = vb::Equal(district->Value("AllCharterDistrict"), vb::Variant(-1)); });
    quiet([&] { P.RocpId = whole(district->Value("Rocp")); });
    quiet([&] { P.RocpType = whole(district->Value("Rocp_Type")); });
    quiet([&] { P.SmallRocp = vb::Equal(district->Value("Rocp_Small"), vb::Variant(1)); });
    quiet([&] {
      const vb::Variant exception = district->Value("ExceptionAttCoe");
      P.AttCoeBlockRocp = !exception.IsNull() && vb::CBool(exception);
    });
  }
  district.reset();

  const Opens opens = OpensFor(formKey);
  if (opens == Opens::UnderProcess) {
    quiet([&] { setEnabled(true); });
    quiet([] { Utilities::ScreenMouseEnabled(true); });
    quiet([&] { ui::MsgBox(P.FormDisplayName + " currently under process", ui::vbInformation); });
    return;
  }
  std::unique_ptr<QWidget> window;
  if (opens == Opens::TaxWindow) {
    // A district code that cannot be read does not stop the tax form.
    bool countyOffice = true;
    quiet([&] { countyOffice = vb::Left(dgLEA->Columns("DISTRICT_ID").Text(), 2) == kCountyOfficePrefix; });
    if (!countyOffice) {
      quiet([&] { setEnabled(true); });
      quiet([] { modMain::ShowWaitMsg(""); });
      quiet([] { Utilities::ScreenMouseEnabled(true); });
      quiet([&] {
        const char* nameColumn = P.UserGroup == 4 ? "SCHOOL_NAME" : "DISTRICT_NAME";
        ui::MsgBox("This entry screen is not applicable for " + dgLEA->Columns(nameColumn).Text(), ui::vbInformation);
      });
      return;
    }
    quiet([&] { window = TaxWindowMaker()(); });
  }

  // Shown modal, without an owner (an entry screen without a window of its
  // own shows none); the agency row comes back afterwards.
  int agencyRow = -1;
  quiet([&] { agencyRow = dgLEA->Row(); });
  if (window) quiet([&] { ui::dialogs().ShowModal(*window); });
  window.reset();
  quiet([] { modMain::ShowWaitMsg("Please wait..."); });
  quiet([] { Utilities::Time_Process(); });
  quiet([] { modMain::ShowWaitMsg(""); });
  quiet([] { ui::DoEvents(); });
  quiet([] { ui::DoEvents(); });
  quiet([&] { RefreshTopandBottomGrid(true); });
  quiet([] { ui::DoEvents(); });
  quiet([] { ui::DoEvents(); });
  quiet([&] { setEnabled(true); });
  quiet([&] { setFocus(); });
  quiet([&] { dgLEA->setFocus(); });
  // Made current again, the row shows selected.
  quiet([&] { dgLEA->Row(agencyRow); });
  quiet([] { ui::DoEvents(); });
  quiet([] { ui::DoEvents(); });
}

// --- Applicability -------------------------------------------------------------------------

bool frmMain::IsCharterFormApplicable(const std::string& strFormName) {
  Trap trap(kModule, "IsCharterFormApplicable");
  bool applies = false;
  db::RecordsetPtr charter;
  trap([&] { charter = CharterRow(); });
  trap([&] {
    if (Deref(charter).Eof()) return;
    const std::string formKey = vb::UCase(strFormName);
    const vb::Variant type = charter->Value("CHARTER_TYPE");
    for (const CharterScreen& screen : CharterScreens()) {
      if (formKey != screen.formKey) continue;
      const bool listed = !type.IsNull() && std::find(screen.types.begin(), screen.types.end(), vb::CLng(type)) !=
                                                screen.types.end();
      applies = listed != screen.except;
      return;
    }
  });
  return applies;
}

bool frmMain::IsSmallSchoolFormApplicable(const std::string& strFormName) {
  Trap trap(kModule, "IsSmallSchoolFormApplicable");
  bool applies = true;
  bool annual = false;
  trap([&] { annual = Globals().ReportPeriod == 3; });
  if (!annual) return applies;
  const clsGlobalParam& P = Globals();
  bool migrants = false;
  trap([&] {
    db::SqlText q;
    q << "SELECT * FROM krn_leas WHERE lea_type = 3 AND fiscal_year = " << db::Param(vb::Variant(P.ReportYear))
      << " AND county_id = " << db::Param(vb::Variant(P.CountyID))
      << " AND school_district_id = " << db::Param(vb::Variant(P.DistrictID))
      << " AND stat_type = 'OPEN' AND MigrantPopulation = -1";
    migrants = !Deref(Rows(q)).Eof();
  });
  bool extendedYear = false;
  trap([&] {
    db::SqlText q;
    q << "SELECT * FROM att_sd WHERE fiscal_year = " << db::Param(vb::Variant(P.ReportYear))
      << " AND period_id = " << db::Param(vb::Variant(P.ReportPeriod))
      << " AND county_id = " << db::Param(vb::Variant(P.CountyID))
      << " AND school_district_id = " << db::Param(vb::Variant(P.DistrictID));
    const db::RecordsetPtr attendance = Rows(q);
    if (Deref(attendance).Eof()) return;
    for (const SmallSchoolScreen& screen : SmallSchoolScreens()) {
      if (strFormName != screen.formName) continue;
      // A Null among the columns leaves the sum unknown: extended year
      // counts as present.
      vb::Variant sum(0);
      for (const char* column : screen.extendedYear) sum = sum + attendance->Value(column);
      extendedYear = sum.IsNull() || !vb::Equal(sum, vb::Variant(0));
    }
  });
  trap([&] {
    if (!migrants && !extendedYear) applies = false;
  });
  return applies;
}

bool frmMain::IsDistrictAttendanceFormApplicable(const std::string& strFormName) {
  Trap trap(kModule, "IsDistrictAttendanceFormApplicable");
  bool applies = true;
  trap([&] {
    if (!Globals().AllCharterDistrict) return;
    const std::string formKey = vb::UCase(strFormName);
    applies = std::any_of(std::begin(kAllCharterDistrictScreens), std::end(kAllCharterDistrictScreens),
                          [&](const char* screen) { return formKey == screen; });
  });
  return applies;
}
