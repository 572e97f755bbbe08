// The main window's entry-screen list: the forms of the catalogue that apply
// to the current agency in the fiscal year and period, joined with the
// agency's status rows, and the upkeep of those status rows.

#include <algorithm>
#include <iterator>

#include "EntryScreens.h"
#include "ScopeOfParams.h"
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

  forms::EntryScreenList list;
  trap([&] {
    const clsGlobalParam& P = Globals();
    list.agency = forms::ScopeOf(P);
    list.periodText = P.PeriodText;
    list.logonGroup = P.LogonUserGroup;
  });
  list.flag = flag;
  list.p2Correction = menus_->Item("mnu_PY_P2").Checked();
  list.category = category;
  list.formNoList = vFormNoList;
  if (flag || vFormNoList) {
    db::RecordsetPtr probe;
    trap([&] {
      const db::SqlText q = forms::ApplicableFormsQuery(list);
      probe = AdoUtils().getNewRecordSet();
      Deref(probe).Open(q.Sql(), modGlobals::SharedConnection(), q.Params());
    });
    bool applicable = false;
    trap([&] { applicable = Deref(probe).RecordCount() > 0; });
    if (applicable) trap([&] { Initialize_Forms_status(); });
  }
  trap([&] { rsForm.reset(); });

  db::SqlText display;
  trap([&] { display = forms::EntryScreenQuery(list); });
  trap([&] { forms::CountResidencyRecords(modGlobals::SharedConnection()); });
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
    const vb::Variant period = forms::PeriodPattern(Globals().PeriodText);
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
    trap([&] {
      ::forms::AddMissingStatusRow(modGlobals::SharedConnection(), ::forms::ScopeOf(Globals()), forms->Value("FORM_NO"));
    });
    trap([&] { forms->MoveNext(); });
  }
}
