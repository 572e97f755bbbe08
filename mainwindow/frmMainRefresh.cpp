// The main window's full refresh: the prior-year roll-up of the agencies'
// corrected flags, then both lists read again; and the detaching of both
// lists from the main connection while the export copies the database file.

#include <algorithm>
#include <string_view>
#include <vector>

#include "EntryScreens.h"
#include "clsMyAdoUtils.h"
#include "db/SqlText.h"
#include "frmMain.h"
#include "frmMainDetail.h"
#include "modMainStart.h"
#include "ui/Pump.h"
#include "vb/Conversions.h"

using frmMainDetail::Globals;
using modGlobals::AdoUtils;
using vb::Deref;

namespace {

// --- Which agencies the roll-up covers ---------------------------------------------

// What a scope clause binds, in the order of its markers.
enum class ScopeValue { County, District, School, RegionPrefix };

// The agencies of a logon group and kind: the first matching row. Empty
// lists match every group or kind. A pair without a row rolls nothing up.
struct RollUpScope {
  std::vector<std::int32_t> logonGroups;
  std::vector<std::int32_t> kinds;
  const char* clause;
  std::vector<ScopeValue> bound;
};

// The agencies whose SELPA region begins as the logon's does, in its county.
constexpr const char* kSameRegion = " AND substr(selpa_au_region, 1, 2) = ? COLLATE NOCASE AND county_id = ?";

const std::vector<RollUpScope>& RollUpScopes() {
  using enum ScopeValue;
  static const std::vector<RollUpScope> rows = {
      {{3}, {3}, " AND county_id = ? AND school_district_id = ? AND lea_type = 3", {County, District}},
      {{3}, {4}, " AND county_id = ? AND school_district_id = ? AND lea_type = 4", {County, District}},
      {{3}, {5}, kSameRegion, {RegionPrefix, County}},
      {{4}, {}, " AND school_id = ? AND school_district_id = ? AND county_id = ? AND lea_type = 4",
       {School, District, County}},
      {{2, 7}, {2, 7}, " AND county_id = ? AND school_district_id = ?", {County, District}},
      {{2, 7}, {3}, " AND county_id = ? AND lea_type = 3", {County}},
      {{2, 7}, {4}, " AND county_id = ? AND lea_type = 4", {County}},
      {{2, 7}, {5}, " AND county_id = ? AND Selpa_DistrictRegion IS NOT NULL", {County}},
      {{5}, {}, kSameRegion, {RegionPrefix, County}},
  };
  return rows;
}

bool Lists(const std::vector<std::int32_t>& values, std::int32_t value) {
  return values.empty() || std::find(values.begin(), values.end(), value) != values.end();
}

// --- Which corrections count -------------------------------------------------------

// The entry screens whose correction counts for the kind of each item.
struct CountingForms {
  const char* item;
  std::vector<int> forms;
};
const std::vector<CountingForms>& FormSets() {
  static const std::vector<CountingForms> sets = {
      {"mnuLEA_SD", {21, 22, 24, 25, 92, 111, 112, 113, 114, 500, 510, 519}},
      {"mnuLEA_Charter", {41, 50, 51, 507, 511, 512, 513, 514}},
      {"mnuSELPA", {100, 102, 502}},
      {"mnuLEA_COE", {23, 26, 88, 90, 91, 510, 515}},
      {"mnuLEA_COE_Auditor", {29, 30, 89}},
  };
  return sets;
}

// How a logon group picks its set: the first of its items that is ticked,
// its one set whatever is ticked, or every entry screen.
enum class Pick { FirstTicked, Fixed, Every };
struct CountingRule {
  std::int32_t logonGroup;
  Pick pick;
  std::vector<const char*> items;
};
const std::vector<CountingRule>& CountingRules() {
  static const std::vector<CountingRule> rules = {
      {3, Pick::FirstTicked, {"mnuLEA_SD", "mnuLEA_Charter", "mnuSELPA"}},
      {2, Pick::FirstTicked, {"mnuLEA_COE", "mnuLEA_SD", "mnuLEA_Charter", "mnuLEA_COE_Auditor", "mnuSELPA"}},
      {7, Pick::FirstTicked, {"mnuLEA_COE", "mnuLEA_SD", "mnuLEA_Charter", "mnuLEA_COE_Auditor", "mnuSELPA"}},
      {4, Pick::Every, {}},
      {5, Pick::Fixed, {"mnuSELPA"}},
  };
  return rules;
}

const std::vector<int>& FormsOf(std::string_view item) {
  for (const CountingForms& set : FormSets())
    if (item == set.item) return set.forms;
  vb::Raise(vb::err::SubscriptOutOfRange);
}

}  // namespace

void frmMain::RefreshTopandBottomGrid(bool bNoShowMessage) {
  if (!bNoShowMessage) modMain::ShowWaitMsg("Please wait...");
  Globals().CountyID = Deref(GParam).CountyID;
  RollUpCorrections();
  ui::DoEvents();
  RefreshLEAs();
  for (int i = 0; i < 4; ++i) ui::DoEvents();
  RequeryFormsAndRestoreAgency();
  // The export keeps its own wait message up.
  if (!modGlobals::gblnExportRunning) modMain::ShowWaitMsg("");
}

void frmMain::RollUpCorrections() {
  const clsGlobalParam& P = Globals();
  const RollUpScope* scope = nullptr;
  for (const RollUpScope& row : RollUpScopes()) {
    if (Lists(row.logonGroups, P.LogonUserGroup) && Lists(row.kinds, P.UserGroup)) {
      scope = &row;
      break;
    }
  }
  const CountingRule* rule = nullptr;
  for (const CountingRule& candidate : CountingRules())
    if (candidate.logonGroup == P.LogonUserGroup) rule = &candidate;
  if (!scope || !rule) return;

  // The corrections that count: none when no item of the group is ticked.
  const std::vector<int>* forms = nullptr;
  if (rule->pick == Pick::Fixed) forms = &FormsOf(rule->items.front());
  if (rule->pick == Pick::FirstTicked) {
    const auto ticked = std::find_if(rule->items.begin(), rule->items.end(),
                                     [&](const char* item) { return menus_->Item(item).Checked(); });
    if (ticked == rule->items.end()) return;
    forms = &FormsOf(*ticked);
  }

  db::SqlText agencies;
  agencies << "SELECT fiscal_year, school_district_id, school_id, county_id FROM KRN_LEAS WHERE fiscal_year = "
           << db::Param(vb::Variant(P.ReportYear)) << scope->clause;
  std::vector<vb::Variant> params = agencies.Params();
  for (ScopeValue value : scope->bound) {
    switch (value) {
      case ScopeValue::County: params.emplace_back(P.CountyID); break;
      case ScopeValue::District: params.emplace_back(P.DistrictID); break;
      case ScopeValue::School: params.emplace_back(P.SchoolId); break;
      case ScopeValue::RegionPrefix: params.emplace_back(vb::Left(P.AURegion, 2)); break;
    }
  }
  db::RecordsetPtr list = AdoUtils().getNewRecordSet();
  const db::ConnectionPtr conn = modGlobals::SharedConnection();
  list->Open(agencies.Sql(), conn, params);

  // Every agency in scope is written, in one change of the database: a
  // failure leaves every flag as it was.
  ::forms::RollUpCorrections(conn, *list, P.ReportPeriod, forms, [] {
    ui::DoEvents();
    ui::DoEvents();
  });
}

void frmMain::RequeryFormsAndRestoreAgency() {
  // The agency list's refresh has just marked the kind's item (for a
  // county office the county-auditor item, so its list is left as it is).
  if (!RefreshFormsOfShownKind()) return;
  // A saved row that the new list no longer has is left alone.
  const std::int16_t saved = modGlobals::gintSavedLEARow;
  db::Recordset& agencies = Deref(rsDist);
  if (saved > 0 && !agencies.Eof() && !agencies.Bof() && saved <= agencies.RecordCount())
    agencies.AbsolutePosition(saved);
}

void frmMain::DisconnectTopandBottomGrid() {
  Deref(rsDist).ActiveConnection(nullptr);
  Deref(rsForm).ActiveConnection(nullptr);
}

void frmMain::ConnectTopandBottomGrid() {
  Deref(rsDist).ActiveConnection(modGlobals::SharedConnection());
  Deref(rsForm).ActiveConnection(modGlobals::SharedConnection());
}
