// The main window's entry-screen list: the forms of the catalogue that apply
// to the current agency in the fiscal year and period, joined with the
// agency's status rows, and the upkeep of those status rows.

#include <algorithm>
#include <iterator>

#include "clsDataAccess.h"
#include "clsMyAdoUtils.h"
#include "db/SqlText.h"
#include "frmMain.h"
#include "frmMainDetail.h"
#include "ui/Pump.h"
#include "vb/Conversions.h"

using frmMainDetail::Globals;
using frmMainDetail::kModule;
using modGlobals::AdoUtils;
using vb::Deref;

namespace {

constexpr std::int32_t kAny = 0;

// --- Which forms a kind lists ----------------------------------------------------

// The catalogue's flag column and the agency-list caption, by logon group and
// kind shown: the first matching row. The charter-school kind takes its flag
// column from the agency's charter row.
struct FlagRule {
  std::int32_t logonGroup;  // kAny: every group
  std::int32_t kind;        // kAny: every kind
  const char* flag;         // nullptr: by the charter row
  const char* caption;
};
constexpr FlagRule kFlagRules[] = {
    {2, 4, "COE", "Charter School(s)"},
    {kAny, 2, "COE", "County Offices of Education"},
    {kAny, 7, "COE", "County Auditor"},
    {kAny, 3, "SCHD", "District(s)"},
    {kAny, 4, nullptr, "Charter School(s)"},
    {kAny, 5, "SELPA", "SELPA LEA(s)"},
    {kAny, kAny, "SCHD", "School District(s)"},
};

const FlagRule& FlagRuleFor(const clsGlobalParam& P) {
  for (const FlagRule& rule : kFlagRules) {
    if ((rule.logonGroup == kAny || rule.logonGroup == P.LogonUserGroup) && (rule.kind == kAny || rule.kind == P.UserGroup))
      return rule;
  }
  return kFlagRules[std::size(kFlagRules) - 1];  // never reached: the last row takes every case
}

// A charter school is run by a county office when its district code begins
// with the digits 10 (the county offices' codes) or its charter type is 5.
bool RunByCountyOffice(const clsGlobalParam& P, const db::Recordset& charter) {
  if (vb::Left(std::to_string(P.DistrictID), 2) == "10") return true;
  if (charter.Eof()) return false;
  const vb::Variant type = charter.Value("CHARTER_TYPE");
  return !type.IsNull() && vb::CLng(type) == 5;
}

// --- The list's queries ------------------------------------------------------------

// The columns of the list, in their order; the form-number list takes those
// marked, without the correction columns and the reason join.
struct ListColumn {
  const char* expression;
  const char* name;
  bool inFormNoList;
};
constexpr ListColumn kListColumns[] = {
    {"f.SELECTED", "SELECTED", true},
    {"f.FORM_DISPLAY_NAME", "FORM_DISPLAY_NAME", true},
    {"s.PY_FORMS_CORRECTED", "CORRECTED", false},
    {"t.PY_REASON_DESC", "REASON_CODE", false},
    {"f.FORM_TITLE1", "FORM_TITLE1", true},
    {"f.FORM_NAME", "FORM_NAME", true},
    {"f.FORM_NO", "FORM_NO", true},
    {"hex8(s.CERTIFICATE_NUMBER)", "CERTIFICATE_NUMBER", true},
    {"s.NUM_RECORD", "NUM_RECORD", true},
    {"s.NUM_ERROR", "NUM_ERROR", true},
    {"s.NUM_WARNING", "NUM_WARNING", true},
    {"s.LAST_MODIFIED_DATE", "LAST_MODIFIED_DATE", true},
    {"s.LAST_EDIT_CHECK_DATE", "LAST_EDIT_CHECK_DATE", true},
    {"s.LAST_EXPORT_DATE", "LAST_EXPORT_DATE", true},
    {"s.LAST_IMPORT_DATE", "LAST_IMPORT_DATE", true},
    {"s.PY_CORRECTION_NOTE", "PY_CORRECTION_NOTE", false},
    {"s.PY_REASON_CODE", "PY_REASON_CODE", false},
    {"f.Program_Type", "program_type", true},
};

// Forms left out of the list by mode and logon group: the first matching row.
struct Exclusion {
  bool p2Correction;
  std::int32_t logonGroup;  // kAny: every group
  std::vector<int> forms;
};
const std::vector<Exclusion>& ListExclusions() {
  static const std::vector<Exclusion> rows = {
      {true, 7, {89, 27, 28}},
      {true, kAny, {27, 28}},
      {false, kAny, {89, 30}},
  };
  return rows;
}
// The probe leaves out only what the P-2 correction mode hides from all.
const std::vector<int> kProbeP2Exclusions = {27, 28};

std::string Excluding(const std::vector<int>& forms) {
  std::string text;
  for (int form : forms) text += " AND f.FORM_NO <> " + std::to_string(form);
  return text;
}

// The numbers of a comma-separated form-number list, each to be bound.
std::vector<vb::Variant> FormNumbers(const std::string& list) {
  std::vector<vb::Variant> numbers;
  std::size_t start = 0;
  for (;;) {
    const std::size_t comma = list.find(',', start);
    numbers.emplace_back(vb::CLng(vb::Variant(vb::Trim(list.substr(start, comma - start)))));
    if (comma == std::string::npos) return numbers;
    start = comma + 1;
  }
}

db::SqlText& InList(db::SqlText& q, const std::vector<vb::Variant>& numbers) {
  q << " AND f.FORM_NO IN (";
  for (std::size_t i = 0; i < numbers.size(); ++i) q << (i ? ", " : "") << db::Param(numbers[i]);
  return q << ")";
}

vb::Variant PeriodPattern(const clsGlobalParam& P) { return vb::Variant("%" + P.PeriodText + "%"); }

// The forms of the kind in the period, to learn whether the status rows need
// their upkeep.
db::SqlText ProbeQuery(const std::string& flag, bool p2Correction, const std::optional<std::string>& formNoList) {
  const clsGlobalParam& P = Globals();
  db::SqlText q;
  q << "SELECT f.FORM_NO FROM VHO_TORB_FORMS f WHERE ";
  if (formNoList) {
    q << "f.REPORTING_PERIOD LIKE " << db::Param(PeriodPattern(P));
    return InList(q, FormNumbers(*formNoList));
  }
  q << "f." << flag << " = 'Y'";
  if (p2Correction) q << Excluding(kProbeP2Exclusions);
  return q << " AND f.REPORTING_PERIOD LIKE " << db::Param(PeriodPattern(P));
}

// The list: catalogue rows with the agency's status rows of the year and
// period, ordered by OrderNo. Without a flag column the list is empty.
db::SqlText DisplayQuery(const std::optional<std::string>& flag, bool p2Correction,
                         const std::optional<std::string>& category, const std::optional<std::string>& formNoList) {
  const clsGlobalParam& P = Globals();
  const bool byNumber = formNoList.has_value();
  db::SqlText q;
  q << "SELECT ";
  bool first = true;
  for (const ListColumn& column : kListColumns) {
    if (byNumber && !column.inFormNoList) continue;
    q << (first ? "" : ", ") << column.expression << " AS " << column.name;
    first = false;
  }
  if (byNumber) {
    q << " FROM VHO_TORB_FORMS f, LEA_FORMS_STATUS s WHERE f.FORM_NO = s.FORM_NO";
    InList(q, FormNumbers(*formNoList));
  } else {
    q << " FROM VHO_TORB_FORMS f, LEA_FORMS_STATUS s, PY_CORRECTION_REASON t"
         " WHERE s.PY_REASON_CODE = t.PY_REASON_CODE AND ";
    q << (flag ? "f." + *flag + " = 'Y'" : std::string("0 = 1"));
    for (const Exclusion& row : ListExclusions()) {
      if (row.p2Correction != p2Correction || (row.logonGroup != kAny && row.logonGroup != P.LogonUserGroup)) continue;
      q << Excluding(row.forms);
      break;
    }
    q << " AND f.FORM_NO = s.FORM_NO";
    if (category) q << " AND f.CATEGORY = " << db::Param(vb::Variant(*category));
  }
  // The year's column of the catalogue is named after the (whole-number) year.
  q << " AND s.COUNTY_ID = " << db::Param(vb::Variant(P.CountyID))
    << " AND s.SCHOOL_DISTRICT_ID = " << db::Param(vb::Variant(P.DistrictID))
    << " AND s.SCHOOL_ID = " << db::Param(vb::Variant(P.SchoolId))
    << " AND s.FISCAL_YEAR = " << db::Param(vb::Variant(P.ReportYear))
    << " AND s.PERIOD_ID = " << db::Param(vb::Variant(P.ReportPeriod))
    << " AND f.FY_" << std::to_string(P.ReportYear) << " = 'Y'"
    << " AND f.REPORTING_PERIOD LIKE " << db::Param(PeriodPattern(P)) << " ORDER BY f.OrderNo";
  return q;
}

// Status rows with 3 records of form 45 are counted as 2, for every agency.
constexpr const char* kForm45Count = "UPDATE LEA_FORMS_STATUS SET NUM_RECORD = 2 WHERE FORM_NO = 45 AND NUM_RECORD = 3";

// --- The grid's layout -------------------------------------------------------------

// Column settings by name; a column that the list lacks is passed over.
struct FormColumnLayout {
  const char* column;
  double width;            // twips
  double correctionWidth;  // in either correction mode
  bool hidden;
  const char* caption;     // nullptr: the field name
};
constexpr FormColumnLayout kFormGridLayout[] = {
    {"FORM_DISPLAY_NAME", 5000, 5000, false, "ENTRY SCREEN NAME"},
    {"CORRECTED", 0, 1100, false, nullptr},
    {"REASON_CODE", 0, 2000, false, nullptr},
    {"program_type", 0, 0, false, nullptr},
    {"FORM_TITLE1", 0, 0, true, nullptr},
    {"FORM_NAME", 0, 0, true, nullptr},
    {"FORM_NO", 0, 0, true, nullptr},
    {"PY_CORRECTION_NOTE", 0, 0, true, nullptr},
    {"PY_REASON_CODE", 0, 0, true, nullptr},
};

// --- The kind's category -------------------------------------------------------------

// Each agency kind with its menu item and the catalogue category of its
// entry screens, in the order in which the items are tested for a check mark.
struct KindCategory {
  std::int32_t kind;
  const char* item;
  const char* category;
};
constexpr KindCategory kKindCategories[] = {
    {4, "mnuLEA_Charter", "CA"}, {2, "mnuLEA_COE", "A"},  {3, "mnuLEA_SD", "A"},
    {7, "mnuLEA_COE_Auditor", "T"}, {5, "mnuSELPA", "S"},
};

// --- Status rows -------------------------------------------------------------------

// The forms of a logon group that get status rows: each part a category
// and the flag column that must hold 'Y'.
struct FormListPart {
  const char* category;
  const char* flag;
};
enum class Charter { Any, CountyOffice, Other };
struct FormListRule {
  std::int32_t logonGroup;
  Charter charter;  // for a charter-school logon looking at charter schools
  std::vector<FormListPart> parts;
};
const std::vector<FormListRule>& FormListRules() {
  static const std::vector<FormListRule> rows = {
      {2, Charter::Any, {{"T", "COE"}}},
      {7, Charter::Any, {{"T", "COE"}}},
      {3, Charter::Any, {{"A", "SCHD"}, {"R", "SCHD"}, {"CA", "CHARTER"}, {"S", "SELPA"}}},
      {5, Charter::Any, {{"S", "SELPA"}}},
      {4, Charter::CountyOffice, {{"CA", "COE"}}},
      {4, Charter::Other, {{"CA", "CHARTER"}}},
  };
  return rows;
}

// A new status row: the agency's keys, the year and period, the form, and
// no prior-year correction, in the order they are assigned. The other
// columns are left to the table.
std::vector<std::pair<const char*, vb::Variant>> NewStatusRow(const clsGlobalParam& P, const vb::Variant& formNo) {
  return {{"COUNTY_ID", P.CountyID},     {"SCHOOL_DISTRICT_ID", P.DistrictID}, {"SCHOOL_ID", P.SchoolId},
          {"PERIOD_ID", P.ReportPeriod}, {"FISCAL_YEAR", P.ReportYear},        {"FORM_NO", formNo},
          {"PY_FORMS_CORRECTED", "No"},  {"PY_REASON_CODE", 0}};
}

}  // namespace

// --- The charter row ---------------------------------------------------------------------

db::RecordsetPtr frmMain::CharterRow() const {
  const clsGlobalParam& P = Globals();
  db::SqlText q;
  q << "SELECT SCHOOL_ID, CHARTER_TYPE, CS_BA_CHARTER_FILL_BY_DIST, CharterFundingType FROM KRN_LEAS"
       " WHERE LEA_TYPE = 4 AND CHARTER_ID = 'Y' AND FISCAL_YEAR = "
    << db::Param(vb::Variant(P.ReportYear)) << " AND COUNTY_ID = " << db::Param(vb::Variant(P.CountyID))
    << " AND SCHOOL_DISTRICT_ID = " << db::Param(vb::Variant(P.DistrictID))
    << " AND SCHOOL_ID = " << db::Param(vb::Variant(P.SchoolId)) << " AND STAT_TYPE = 'OPEN'";
  return clsDataAccess().GetRecordset(q.Sql(), q.Params(), modGlobals::gstrConnectionString,
                                      modGlobals::SharedConnection());
}

// --- The list ----------------------------------------------------------------------------

void frmMain::refreshForms(std::optional<std::string> category, std::optional<std::string> vFormNoList) {
  Trap trap(kModule, "refreshForms");
  // The flag column of the kind (none for a charter school without its open
  // charter row of the year: its list stays empty).
  std::optional<std::string> flag;
  trap([&] {
    const FlagRule& rule = FlagRuleFor(Globals());
    lblLeaList->setText(QString::fromUtf8(rule.caption));
    if (rule.flag) {
      flag = rule.flag;
      return;
    }
    const db::RecordsetPtr charter = CharterRow();
    if (!Deref(charter).Eof()) flag = RunByCountyOffice(Globals(), *charter) ? "COE" : "CHARTER";
  });

  bool noAgency = true;
  trap([&] { noAgency = Deref(rsDist).Eof(); });
  if (noAgency) {
    trap([&] { rsForm.reset(); });
    trap([&] { dgForms->DataSource(nullptr); });
    return;
  }

  const bool p2Correction = menus_->Item("mnu_PY_P2").Checked();
  if (flag || vFormNoList) {
    db::RecordsetPtr probe;
    trap([&] {
      const db::SqlText q = ProbeQuery(flag.value_or(""), p2Correction, vFormNoList);
      probe = AdoUtils().getNewRecordSet();
      Deref(probe).Open(q.Sql(), modGlobals::SharedConnection(), q.Params());
    });
    bool applicable = false;
    trap([&] { applicable = Deref(probe).RecordCount() > 0; });
    if (applicable) trap([&] { Initialize_Forms_status(); });
  }
  trap([&] { rsForm.reset(); });

  db::SqlText display;
  trap([&] { display = DisplayQuery(flag, p2Correction, category, vFormNoList); });
  trap([&] { modGlobals::SharedConnection()->Execute(kForm45Count); });
  trap([&] {
    rsForm = AdoUtils().getNewRecordSet();
    Deref(rsForm).Open(display.Sql(), modGlobals::SharedConnection(), display.Params());
  });
  trap([&] { refresh_dgForms(); });

  // Back on the entry screen last opened; a list without it stays on its
  // first row (never past its end, which would leave the grid empty at the
  // next binding).
  trap([&] {
    const std::string& name = Globals().formname;
    if (vb::Trim(name).empty()) return;
    db::Recordset& forms = Deref(rsForm);
    const int field = forms.FieldIndex("FORM_NAME");
    for (long position = 1; position <= forms.RecordCount(); ++position) {
      if (vb::TextOf(forms.ValueAt(position, field)) == name) {
        forms.AbsolutePosition(position);
        return;
      }
    }
  });
}

void frmMain::refresh_dgForms() {
  Trap trap(kModule, "refresh_dgForms");
  bool pastEnd = true;
  trap([&] { pastEnd = !rsForm || rsForm->Eof(); });
  if (pastEnd) {
    trap([&] { dgForms->DataSource(nullptr); });
    return;
  }
  trap([&] { dgForms->DataSource(rsForm); });
  const bool correction = CorrectionMode();
  for (const FormColumnLayout& layout : kFormGridLayout) {
    trap([&] {
      if (dgForms->ColumnIndex(layout.column) < 0) return;
      ui::GridColumn column = dgForms->Columns(layout.column);
      if (layout.hidden) column.Visible(false);
      column.Width(correction ? layout.correctionWidth : layout.width);
      if (layout.caption) column.Caption(layout.caption);
    });
  }
  // The other columns (flag, certificate, counts and dates) take the width
  // their heading and values need.
  trap([&] {
    for (int i = 0; i < dgForms->ColumnCount(); ++i) {
      const std::string field = dgForms->Columns(i).DataField();
      const bool laidOut = std::any_of(std::begin(kFormGridLayout), std::end(kFormGridLayout),
                                       [&](const FormColumnLayout& layout) { return vb::TextEquals(layout.column, field); });
      if (!laidOut) dgForms->Columns(i).FitContents();
    }
  });
  trap([&] { dgForms->viewport()->update(); });
}

void frmMain::Refresh_Forms_By_Category() {
  Trap trap(kModule, "Refresh_Forms_By_Category");
  trap([&] {
    for (const KindCategory& kind : kKindCategories) {
      if (!menus_->Item(kind.item).Checked()) continue;
      refreshForms(std::string(kind.category));
      return;
    }
  });
}

bool frmMain::RefreshFormsOfShownKind() {
  const std::int32_t shown = Globals().UserGroup;
  for (const KindCategory& kind : kKindCategories) {
    if (kind.kind != shown) continue;
    if (!menus_->Item(kind.item).Checked()) return false;
    refreshForms(std::string(kind.category));
    return true;
  }
  return false;
}

bool frmMain::bInArray(const std::vector<std::string>& vList, const std::string& strSearchElement) const {
  return std::any_of(vList.begin(), vList.end(),
                     [&](const std::string& element) { return vb::TextEquals(element, strSearchElement); });
}

// --- Status rows ---------------------------------------------------------------------------

void frmMain::Initialize_Forms_status() {
  Trap trap(kModule, "Initialize_Forms_status");
  trap([] { ui::DoEvents(); });

  // The logon group's forms; a charter-school logon has them only while it
  // looks at charter schools. Other groups have none.
  const FormListRule* rule = nullptr;
  trap([&] {
    const clsGlobalParam& P = Globals();
    Charter charterCase = Charter::Any;
    if (P.LogonUserGroup == 4) {
      if (!menus_->Item("mnuLEA_Charter").Checked()) return;
      charterCase = RunByCountyOffice(P, Deref(CharterRow())) ? Charter::CountyOffice : Charter::Other;
    }
    for (const FormListRule& candidate : FormListRules()) {
      if (candidate.logonGroup == P.LogonUserGroup && candidate.charter == charterCase) {
        rule = &candidate;
        return;
      }
    }
  });
  if (!rule) return;

  db::RecordsetPtr forms;
  trap([&] {
    const vb::Variant period = PeriodPattern(Globals());
    db::SqlText q;
    for (std::size_t i = 0; i < rule->parts.size(); ++i) {
      const FormListPart& part = rule->parts[i];
      q << (i ? " UNION " : "") << "SELECT * FROM VHO_TORB_FORMS WHERE CATEGORY = " << db::Param(vb::Variant(part.category))
        << " AND " << part.flag << " = 'Y' AND REPORTING_PERIOD LIKE " << db::Param(period);
    }
    q << " ORDER BY FORM_NO";
    forms = AdoUtils().getNewRecordSet();
    Deref(forms).Open(q.Sql(), modGlobals::SharedConnection(), q.Params());
  });
  trap([] { ui::DoEvents(); });
  trap([&] {
    if (Deref(forms).RecordCount() > 0) forms->MoveFirst();
  });

  while (!trap.Left()) {
    bool end = true;
    trap([&] { end = Deref(forms).Eof(); });
    if (end) break;
    db::RecordsetPtr status;
    trap([&] {
      const clsGlobalParam& P = Globals();
      db::SqlText q;
      q << "SELECT * FROM LEA_FORMS_STATUS WHERE FORM_NO = " << db::Param(forms->Value("FORM_NO"))
        << " AND COUNTY_ID = " << db::Param(vb::Variant(P.CountyID))
        << " AND SCHOOL_DISTRICT_ID = " << db::Param(vb::Variant(P.DistrictID))
        << " AND SCHOOL_ID = " << db::Param(vb::Variant(P.SchoolId))
        << " AND PERIOD_ID = " << db::Param(vb::Variant(P.ReportPeriod))
        << " AND FISCAL_YEAR = " << db::Param(vb::Variant(P.ReportYear));
      status = AdoUtils().getNewRecordSet();
      Deref(status).CursorType(db::CursorType::Dynamic);
      status->LockType(db::LockType::BatchOptimistic);
      status->Open(q.Sql(), modGlobals::SharedConnection(), q.Params());
    });
    trap([&] {
      db::Recordset& rs = Deref(status);
      if (!rs.Eof() && rs.RecordCount() >= 1) return;
      rs.AddNew();
      for (const auto& [column, value] : NewStatusRow(Globals(), forms->Value("FORM_NO"))) rs.SetValue(column, value);
      rs.UpdateBatch();
    });
    trap([&] {
      if (status) status->Close();
    });
    trap([&] { forms->MoveNext(); });
  }
}
