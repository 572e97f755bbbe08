// What the main window hands to its batch commands (printing, export): the
// check that what a command needs is selected, the selected agencies and
// entry screens as text arrays, the return of both lists to the rows a
// command saved, and the same arrays for the whole scope of the logon.

#include <span>

#include "clsDataAccess.h"
#include "db/SqlText.h"
#include "frmMain.h"
#include "frmMainDetail.h"
#include "ui/Dialogs.h"
#include "ui/Pump.h"
#include "vb/Conversions.h"

using frmMainDetail::Globals;
using frmMainDetail::kModule;
using frmMainDetail::Narrow16;
using vb::Deref;

namespace {

constexpr const char* kSelectLEAs = "Select one or more LEA(s) and try again";
constexpr const char* kSelectPrograms = "Select one or more program(s) and try again";
constexpr const char* kSelectProgram = "Select a program and try again";

// --- Arrays --------------------------------------------------------------------

// How a field becomes the text of an array element.
enum class AsText {
  Value,      // its text; a Null fails
  Padded,     // at least seven digits ("0000000"); a Null fails
  NullEmpty,  // its text; a Null gives ""
  No,         // the constant "No" (no field)
};
struct ArrayColumn {
  const char* field;
  AsText as;
};

// The agency array: columns 0 to 8; column 8 only for the SELPA kind, whose
// list alone has the field.
constexpr int kLastAgencyColumn = 8;
constexpr ArrayColumn kSelectedAgencyColumns[] = {
    {"DISTRICT_ID", AsText::Value},  {"SCHOOL_ID", AsText::Padded},    {"DISTRICT_NAME", AsText::NullEmpty},
    {"SCHOOL_NAME", AsText::NullEmpty}, {"COUNTY_ID", AsText::Value},  {"CORRECTED", AsText::Value},
    {"LEA_TYPE", AsText::Value},     {"SELPA_ID", AsText::NullEmpty},  {"SELPA_COUNTY", AsText::NullEmpty},
};
constexpr std::int32_t kSelpaKind = 5;
constexpr ArrayColumn kScopeAgencyColumns[] = {
    {"SCHOOL_DISTRICT_ID", AsText::Value},       {"SCHOOL_ID", AsText::Padded},
    {"SCHOOL_DISTRICT_NAME", AsText::NullEmpty}, {"SCHOOL_NAME", AsText::NullEmpty},
    {"COUNTY_ID", AsText::Value},                {"PY_LEA_CORRECTED", AsText::Value},
    {"LEA_TYPE", AsText::Value},                 {"SELPA_DISTRICTREGION", AsText::NullEmpty},
    {"AU_COUNTY", AsText::NullEmpty},
};

// The entry-screen array: columns 0 to 4.
constexpr int kLastProgramColumn = 4;
constexpr ArrayColumn kSelectedProgramColumns[] = {
    {"FORM_DISPLAY_NAME", AsText::Value}, {"FORM_NO", AsText::Value}, {"FORM_NAME", AsText::Value},
    {"CORRECTED", AsText::Value},         {"program_type", AsText::Value},
};
constexpr ArrayColumn kScopeProgramColumns[] = {
    {"FORM_DISPLAY_NAME", AsText::Value}, {"FORM_NO", AsText::Value}, {"FORM_NAME", AsText::Value},
    {nullptr, AsText::No},                {"PROGRAM_TYPE", AsText::Value},
};

std::string TextOfField(const db::Recordset& rs, const ArrayColumn& column) {
  if (column.as == AsText::No) return "No";
  const vb::Variant value = rs.Value(column.field);
  switch (column.as) {
    case AsText::Padded:
      if (value.IsNull()) vb::Raise(vb::err::InvalidUseOfNull);
      return vb::Format(value, "0000000");
    case AsText::NullEmpty:
      return vb::TextOf(value);
    default:
      return vb::CStr(value);
  }
}

// The flag reads 'Yes' in any letter case.
bool Selected(const db::Recordset& rs) {
  const vb::Variant flag = rs.Value("SELECTED");
  return !flag.IsNull() && vb::UCase(vb::CStr(flag)) == "YES";
}

void Count(std::int16_t& counter) { counter = Narrow16(counter + 1L); }

// Walks a list from its first row to past its last and makes each row taken
// (every row, or only the selected ones) the next row of `result`, its
// columns 0 to `lastColumn`, filling those of `columns`. Each taken row
// adds 1 to `counter`. Answers the number of rows taken. A failing element
// is left empty when the trap goes on.
struct Gathering {
  int lastColumn;
  std::span<const ArrayColumn> columns;
  bool selectedOnly;
  bool yield;  // let pending window events run after each row
};
std::int16_t GatherRows(Trap& trap, const db::RecordsetPtr& list, const Gathering& how, SelectionArray& result,
                        std::int16_t& counter) {
  std::int16_t n = 0;
  trap([&] { Deref(list).MoveFirst(); });
  while (!trap.Left()) {
    bool end = true;
    trap([&] { end = Deref(list).Eof(); });
    if (end) break;
    bool taken = !how.selectedOnly;
    if (how.selectedOnly) trap([&] { taken = Selected(*list); });
    if (taken) {
      trap([&] { result.Grow(how.lastColumn, n); });
      for (std::size_t c = 0; c < how.columns.size(); ++c)
        trap([&] { result.At(static_cast<int>(c), n) = TextOfField(*list, how.columns[c]); });
      trap([&] { n = Narrow16(n + 1L); });
      trap([&] { Count(counter); });
    }
    trap([&] { list->MoveNext(); });
    if (how.yield) trap([] { ui::DoEvents(); });
  }
  return n;
}

// --- The selection check ---------------------------------------------------------------

// Whether a list holds a selected row, looked for in a copy of it; the list
// itself is then put on the row the copy stood on when it was taken, its
// first.
bool HoldsSelected(Trap& trap, const db::RecordsetPtr& list) {
  bool found = false;
  trap([&] {
    for (const db::RecordsetPtr copy = Deref(list).Clone(); !copy->Eof(); copy->MoveNext()) {
      if (Selected(*copy)) {
        found = true;
        return;
      }
    }
  });
  trap([&] {
    if (Deref(list).RecordCount() > 0) list->MoveFirst();
  });
  return found;
}

// The answer of the selection check: the first row whose conditions hold.
enum class Need { Any, Yes, No };
enum class Marks { Any, BlankReports, EitherBlank, ExportAscii };
struct SelectionRule {
  Need agencyMissing;  // agencies asked for and none selected
  Need programChecked;
  Need programFound;
  Marks marks;
  bool answer;
  const char* message;      // nullptr: none
  bool withoutAgency;       // the blank printing runs without an agency
};
constexpr SelectionRule kSelectionRules[] = {
    {Need::Yes, Need::Yes, Need::Yes, Marks::EitherBlank, true, nullptr, true},
    {Need::Yes, Need::Yes, Need::No, Marks::BlankReports, false, kSelectPrograms, false},
    {Need::Yes, Need::Any, Need::Any, Marks::Any, false, kSelectLEAs, false},
    {Need::Any, Need::Yes, Need::No, Marks::ExportAscii, false, kSelectProgram, false},
    {Need::Any, Need::Yes, Need::No, Marks::Any, false, kSelectPrograms, false},
    {Need::Any, Need::Any, Need::Any, Marks::Any, true, nullptr, false},
};

bool Meets(Need need, bool value) { return need == Need::Any || (need == Need::Yes) == value; }

// --- The whole scope ----------------------------------------------------------------------

// What a part of a scope query binds, in the order of its markers.
enum class Key { County, District, Year, School, AuRegion, Regions };
struct ScopePart {
  std::string where;  // "{regions}" stands for one marker per region
  std::vector<Key> keys;
};
enum class SelpaUnit { Any, Yes, No };
struct ScopeQuery {
  std::int32_t logonGroup;
  SelpaUnit selpaUnit;
  std::vector<ScopePart> parts;  // joined by UNION
  bool ordered;
};
constexpr const char* kOpen = " AND STAT_TYPE = 'OPEN'";
constexpr const char* kScopeOrder = " ORDER BY LEA_TYPE, SCHOOL_DISTRICT_ID, SCHOOL_ID, SELPA_DISTRICTREGION";
const std::vector<ScopeQuery>& ScopeQueries() {
  static const std::string kinds = "(LEA_TYPE = 3 OR LEA_TYPE = 2 OR LEA_TYPE = 5)";
  static const std::string bothRegions = " AND SELPA_AU_REGION IS NOT NULL AND SELPA_DISTRICTREGION IS NOT NULL";
  static const std::string district = "COUNTY_ID = ? AND SCHOOL_DISTRICT_ID = ? AND FISCAL_YEAR = ? AND LEA_TYPE = 3" + std::string(kOpen);
  static const std::string charters = "COUNTY_ID = ? AND SCHOOL_DISTRICT_ID = ? AND FISCAL_YEAR = ? AND LEA_TYPE = 4" +
                                      std::string(kOpen) + " AND CHARTER_ID = 'Y' AND CHARTER_TYPE <> 4";
  static const std::vector<Key> cdy = {Key::County, Key::District, Key::Year};
  static const std::vector<ScopeQuery> queries = {
      {2,
       SelpaUnit::Any,
       {{"COUNTY_ID = ? AND FISCAL_YEAR = ? AND LEA_TYPE = 2" + std::string(kOpen), {Key::County, Key::Year}},
        {"COUNTY_ID = ? AND FISCAL_YEAR = ? AND LEA_TYPE = 3" + std::string(kOpen), {Key::County, Key::Year}},
        {"COUNTY_ID = ? AND FISCAL_YEAR = ? AND CS_BA_CHARTER_FILL_BY_DIST <> -1 AND LEA_TYPE = 4" +
             std::string(kOpen) + " AND CHARTER_ID = 'Y'",
         {Key::County, Key::Year}},
        {"AU_COUNTY = ? AND FISCAL_YEAR = ? AND (LEA_TYPE = 2 OR LEA_TYPE = 3 OR LEA_TYPE = 5)" + std::string(kOpen),
         {Key::County, Key::Year}}},
       true},
      {3,
       SelpaUnit::Yes,
       {{district, cdy},
        {kinds + " AND SELPA_AU_REGION IN ({regions})" + bothRegions + kOpen, {Key::Regions}},
        {charters, cdy}},
       true},
      {3,
       SelpaUnit::No,
       {{district, cdy},
        {kinds + " AND SCHOOL_DISTRICT_ID = ? AND SELPA_DISTRICTREGION IS NOT NULL" + kOpen, {Key::District}},
        {charters, cdy}},
       true},
      {4,
       SelpaUnit::Any,
       {{"COUNTY_ID = ? AND SCHOOL_DISTRICT_ID = ? AND SCHOOL_ID = ? AND FISCAL_YEAR = ? AND CHARTER_ID = 'Y'"
         " AND LEA_TYPE = 4" + std::string(kOpen),
         {Key::County, Key::District, Key::School, Key::Year}}},
       true},
      {7, SelpaUnit::Any, {{"COUNTY_ID = ? AND FISCAL_YEAR = ? AND LEA_TYPE = 2" + std::string(kOpen), {Key::County, Key::Year}}}, true},
      // Every fiscal year and county of the region, in the table's order.
      {5, SelpaUnit::Any, {{kinds + " AND SELPA_AU_REGION = ?" + bothRegions + kOpen, {Key::AuRegion}}}, false},
  };
  return queries;
}

// The entry screens of a logon group, by program type.
struct ScopeForms {
  std::int32_t logonGroup;
  const char* query;
};
constexpr ScopeForms kScopeForms[] = {
    {2, "SELECT * FROM VHO_TORB_FORMS WHERE COE = 'Y' AND (CATEGORY = 'A' OR CATEGORY = 'T' OR CATEGORY = 'CA'"
        " OR CATEGORY = 'R') UNION SELECT * FROM VHO_TORB_FORMS WHERE SCHD = 'Y' AND (CATEGORY = 'A' OR"
        " CATEGORY = 'R') UNION SELECT * FROM VHO_TORB_FORMS WHERE SELPA = 'Y' AND CATEGORY = 'S'"},
    {3, "SELECT * FROM VHO_TORB_FORMS WHERE SCHD = 'Y' AND (CATEGORY = 'A' OR CATEGORY = 'R') UNION SELECT * FROM"
        " VHO_TORB_FORMS WHERE SELPA = 'Y' AND CATEGORY = 'S' UNION SELECT * FROM VHO_TORB_FORMS WHERE CHARTER = 'Y'"},
    {4, "SELECT * FROM VHO_TORB_FORMS WHERE COE = 'Y' AND CATEGORY = 'CA'"},
    {5, "SELECT * FROM VHO_TORB_FORMS WHERE SELPA = 'Y' AND CATEGORY = 'S'"},
    {7, "SELECT * FROM VHO_TORB_FORMS WHERE COE = 'Y' AND CATEGORY = 'T' AND FORM_NO <> 89"},
};
// Forms of one program type keep the order of their numbers.
constexpr const char* kScopeFormsOrder = " ORDER BY PROGRAM_TYPE, FORM_NO";

[[noreturn]] void NoScope(std::int32_t group) {
  throw vb::VbError(vb::err::InvalidProcedureCall,
                    "The logon group " + std::to_string(group) + " has no scope of agencies and entry screens.");
}

}  // namespace

// --- The selection check -------------------------------------------------------------------

bool frmMain::bSelectionMade(const bool& blnCheckLEA, const bool& blnCheckProgram) {
  // Failures are passed over: the check goes on with what it found.
  Trap trap(kModule, "bSelectionMade", Trap::Mode::Silent);
  const bool agencyFound = blnCheckLEA && HoldsSelected(trap, rsDist);
  const bool programFound = blnCheckProgram && HoldsSelected(trap, rsForm);
  bool blankReports = false, blankCertification = false;
  trap([&] { blankReports = menus_->Item("mnuNew_BlankReports").Checked(); });
  trap([&] { blankCertification = menus_->Item("mnunew_BlankCert").Checked(); });
  bool exportAscii = false;
  trap([&] { exportAscii = menus_->Item("mnuNew_ExportASCII").Checked(); });

  for (const SelectionRule& rule : kSelectionRules) {
    const bool marked = rule.marks == Marks::Any || (rule.marks == Marks::BlankReports && blankReports) ||
                        (rule.marks == Marks::EitherBlank && (blankReports || blankCertification)) ||
                        (rule.marks == Marks::ExportAscii && exportAscii);
    if (!Meets(rule.agencyMissing, blnCheckLEA && !agencyFound) || !Meets(rule.programChecked, blnCheckProgram) ||
        !Meets(rule.programFound, programFound) || !marked)
      continue;
    if (rule.withoutAgency) mlngNoLEASelected = 1;
    if (rule.message) trap([&] { ui::MsgBox(rule.message, ui::vbInformation); });
    return rule.answer;
  }
  return true;
}

// --- The selected agencies and entry screens ------------------------------------------------

SelectionArray frmMain::GetSelected() {
  Trap trap(kModule, "GetSelected");
  SelectionArray result;
  if (GatherSelectedAgencies(trap, result) == 0) {
    // No agency selected: the current agency's codes, which the walk has
    // left on the list's last row.
    trap([&] { result.Grow(4, 0); });
    trap([&] { result.At(0, 0) = std::to_string(Globals().DistrictID); });
    trap([&] { result.At(1, 0) = Globals().LogonUserGroup == 4 ? std::to_string(Globals().SchoolId) : "0"; });
    trap([&] { result.At(4, 0) = std::to_string(Globals().CountyID); });
    trap([&] { Count(mintLEACount); });
  }
  return result;
}

SelectionArray frmMain::GetExportSelected() {
  Trap trap(kModule, "GetExportSelected");
  SelectionArray result;
  return GatherSelectedAgencies(trap, result) == 0 ? SelectionArray::EmptyResult() : result;
}

std::int16_t frmMain::GatherSelectedAgencies(Trap& trap, SelectionArray& result) {
  std::span<const ArrayColumn> columns(kSelectedAgencyColumns);
  trap([&] {
    if (Globals().UserGroup != kSelpaKind) columns = columns.first(columns.size() - 1);
  });
  return GatherRows(trap, rsDist, {kLastAgencyColumn, columns, true, true}, result, mintLEACount);
}

SelectionArray frmMain::GetSelectedProgram() {
  Trap trap(kModule, "GetSelectedProgram");
  trap([&] { mintProgramCount = 0; });
  SelectionArray result;
  const std::int16_t n =
      GatherRows(trap, rsForm, {kLastProgramColumn, kSelectedProgramColumns, true, false}, result, mintProgramCount);
  trap([&] { mblnLEABathMode = false; });
  return n == 0 ? SelectionArray::EmptyResult() : result;
}

bool frmMain::SyncRS2SavedValues() {
  // The first failure ends it with False and no message.
  Trap trap(kModule, "SyncRS2SavedValues", Trap::Mode::Silent);
  bool synced = false;
  trap([&] {
    std::string message;
    bool refuse = false;
    if (modGlobals::gintSavedLEARow < 0) {
      message = kSelectLEAs;
      refuse = true;
    }
    if (modGlobals::gintSavedFormRow < 0) {
      // A list that was released holds no rows either.
      if (!rsForm || (rsForm->Bof() && rsForm->Eof())) {
        message += (message.empty() ? "" : "\r") + std::string(kSelectPrograms);
        refuse = true;
      } else {
        modGlobals::gintSavedFormRow = 1;
      }
    }
    if (refuse) {
      ui::MsgBox(message, ui::vbExclamation);
      return;
    }
    Deref(rsForm).AbsolutePosition(modGlobals::gintSavedFormRow);
    Deref(rsDist).AbsolutePosition(modGlobals::gintSavedLEARow);
    // The agency's move has rebuilt the entry-screen list: its row again.
    Deref(rsForm).AbsolutePosition(modGlobals::gintSavedFormRow);
    synced = true;
  });
  return synced;
}

// --- The whole scope --------------------------------------------------------------------------

SelectionArray frmMain::GetSelectedALL() {
  Trap trap(kModule, "GetSelectedALL");
  db::RecordsetPtr agencies;
  trap([&] {
    const clsGlobalParam& P = Globals();
    const clsGlobalParam& logon = Deref(GParam);
    const ScopeQuery* scope = nullptr;
    for (const ScopeQuery& candidate : ScopeQueries()) {
      if (candidate.logonGroup != P.LogonUserGroup) continue;
      if (candidate.selpaUnit != SelpaUnit::Any && (candidate.selpaUnit == SelpaUnit::Yes) != P.bSelpaAu) continue;
      scope = &candidate;
      break;
    }
    if (!scope) NoScope(P.LogonUserGroup);

    std::vector<vb::Variant> regions;
    if (scope->selpaUnit == SelpaUnit::Yes) regions = SelpaRegions(logon.AURegion);
    std::string sql;
    std::vector<vb::Variant> params;
    for (const ScopePart& part : scope->parts) {
      sql += (sql.empty() ? "" : " UNION ") + std::string("SELECT * FROM KRN_LEAS WHERE ") +
             frmMainDetail::WithRegionMarkers(part.where, regions.size());
      for (Key key : part.keys) {
        switch (key) {
          case Key::County: params.emplace_back(logon.CountyID); break;
          case Key::District: params.emplace_back(logon.DistrictID); break;
          case Key::Year: params.emplace_back(P.ReportYear); break;
          case Key::School: params.emplace_back(P.SchoolId); break;
          case Key::AuRegion: params.emplace_back(P.AURegion); break;
          case Key::Regions: params.insert(params.end(), regions.begin(), regions.end()); break;
        }
      }
    }
    if (scope->ordered) sql += kScopeOrder;
    agencies = clsDataAccess().GetRecordset(sql, params, modGlobals::gstrConnectionString, modGlobals::SharedConnection());
  });
  // From here on failures are passed over.
  Trap quiet(kModule, "GetSelectedALL", Trap::Mode::Silent);
  SelectionArray result;
  const std::int16_t n =
      GatherRows(quiet, agencies, {kLastAgencyColumn, kScopeAgencyColumns, false, true}, result, mintLEACount);
  return n == 0 ? SelectionArray::EmptyResult() : result;
}

SelectionArray frmMain::GetSelectedProgramALL() {
  Trap trap(kModule, "GetSelectedProgramALL");
  db::RecordsetPtr forms;
  trap([&] {
    const std::int32_t group = Globals().LogonUserGroup;
    const ScopeForms* scope = nullptr;
    for (const ScopeForms& candidate : kScopeForms)
      if (candidate.logonGroup == group) scope = &candidate;
    if (!scope) NoScope(group);
    forms = clsDataAccess().GetRecordset(std::string(scope->query) + kScopeFormsOrder, modGlobals::gstrConnectionString,
                                         modGlobals::SharedConnection());
  });
  SelectionArray result;
  const std::int16_t n =
      GatherRows(trap, forms, {kLastProgramColumn, kScopeProgramColumns, false, false}, result, mintProgramCount);
  trap([&] { mblnLEABathMode = false; });
  return n == 0 ? SelectionArray::EmptyResult() : result;
}
