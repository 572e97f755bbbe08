// The export run's work on the copy of the working database: the tables it
// keeps, its status rows, its table of contents EXPORT_FILE_INFO, its data
// and side tables, and the exporting agency's contact row. Values go in
// bound; the condition texts hold only whole numbers; catalogue names go
// through db::catalog.

#include <algorithm>
#include <cctype>

#include "CertifiedExportRun.h"
#include "db/Catalog.h"
#include "db/Recordset.h"
#include "modCOEStatus.h"
#include "modGlobals.h"
#include "ui/Pump.h"

using vb::Variant;

namespace {

// The tables the file keeps whatever was exported (upper-cased).
const std::vector<std::string> kKeptTables = {"TORB_FORM_NOTES", "KRN_LEAS",        "VHO_TORB_FORMS", "IMPORTCONTACTINFO",
                                              "TORBLEANOTES",    "EXPORT_FILE_INFO", "LEA_FORMS_STATUS"};

// The tables that go with a form's table: kept with it, and pruned with it
// where `pruned`.
struct Companion {
  const char* formTable;
  const char* table;
  bool pruned;
};
constexpr Companion kCompanions[] = {
    {"INFANTFUNDING", "INFANTFUNDINGALLOCATION", true},
    {"INFANTFUNDING", "INFANTFUNDINGTRANSFER", true},
    {"ATTCSBGCOE", "ATTCSBGCOEADA", false},
    {"SCICS", "SCICSTRACK", false},
    {"ATTCS", "ATTCSTRACK", true},
    {"ATTCS", "ATTCSADAALLOCATION", true},
    {"ATTCSACD", "ATTCSACDTRACK", true},
    {"ATTCOECS", "ATTCOECSTRACK", true},
};

// The form groups whose rows are keyed by district alone.
const std::vector<std::string> kDistrictKeyed = {"BRL_SD_CSP_NEW", "BRL_SD_NSCHS_ADA", "BRL_SD_NSES_ADA",
                                                 "BRL_SD_NSHS_ADA", "GATE_ALL",         "ROCPSCHOOL",
                                                 "SELPAADAALLOC",   "SPEDTAXALLOC",     "COUNTYMODEL",
                                                 "NSSFUNDINGSELECTION"};
// The charter block-grant family, and the table its groups share.
const std::vector<std::string> kBlockGrantFamily = {"ATTCSSBC", "ATTCSEHS", "ATTCSBGCOE"};
const std::vector<std::string> kBlockGrantSiteGroups = {"ATTCSSBC", "ATTCSEHS"};
constexpr const char* kBlockGrantTable = "AttCsBgCoe";
// Work tables that older releases left in the database.
const std::vector<std::string> kWorkTables = {"Program",  "Program1", "KRN_BACKUP",           "cboRocp",
                                              "cboDistrictLst", "cboCharterList", "krn", "krn1",
                                              "ATT_CS_BG_EHS_SUMMARY", "ATT_CS_BG_U_SUMMARY", "ATT_CS_RL_SUMMARY"};

// The forms whose status rows an office keeps for other counties' agencies.

bool In(const std::vector<std::string>& set, const std::string& name) {
  return std::find(set.begin(), set.end(), vb::UCase(name)) != set.end();
}

std::string Text(std::int64_t v) { return std::to_string(v); }
std::int64_t Whole(const Variant& v) { return static_cast<std::int64_t>(vb::CDbl(v)); }

db::RecordsetPtr Working(const std::string& sql, const std::vector<Variant>& params) {
  return db::Recordset::Query(sql, modGlobals::SharedConnection(), params);
}

// --- The answers' and contacts' clean-up by logon group: bound values named
// --- by letters (C county, D district, S school of the window, L the logon
// --- district, T the answers' kind "TAX"), condition texts by tokens.
struct Statement {
  const char* sql;
  const char* params;
};
enum class AuList { Any, Listed, None };
struct CleanUp {
  std::int32_t group;
  AuList au;
  std::vector<Statement> answers, contacts;
};
const std::vector<CleanUp> kCleanUps = {
    {2, AuList::Listed,
     {{"Delete from TorbLeaNotes where county_id <> ? and school_District_id not in ( {AU})", "C"}},
     {{"Delete from ImportContactInfo where COUNTY_ID <> ? and school_District_id not in ( {AU})", "C"}}},
    {2, AuList::None,
     {{"Delete from  TorbLeaNotes where NOT ( county_id =?)", "C"}},
     {{"delete from  ImportContactInfo where NOT ( county_id =?)", "C"}}},
    {3, AuList::Any,
     {{"delete from TorbLeaNotes where  school_district_id <> ? and {DISTRICTS}", "D"}},
     {{"delete from ImportContactInfo where {DISTRICTS}", ""}}},
    {4, AuList::Any,
     {{"delete from TorbLeaNotes where NOT ( school_id =?)", "S"}},
     {{"delete from ImportContactInfo where NOT ( school_id =?)", "S"}}},
    {7, AuList::Any,
     {{"delete from TorbLeaNotes where  not(county_id =? and school_district_id=? and Type=?)", "CDT"}},
     {{"delete from ImportContactInfo ", ""}}},
    {5, AuList::Any,
     {{"Delete from TorbLeaNotes where {COUNTIES}", ""},
      {"Delete from TorbLeaNotes where ( {DISTRICTS} ) ", ""},
      {"Delete from TorbLeaNotes where school_district_id = ? and school_id <> ?", "LS"}},
     {{"Delete from ImportContactInfo where{COUNTIES}", ""},
      {"Delete from ImportContactInfo where ( {DISTRICTS} ) ", ""},
      {"Delete from ImportContactInfo where school_district_id = ? and school_id <> ?", "LS"}}},
};

}  // namespace

// --- Helpers ---------------------------------------------------------------------------------

long long CertifiedExport::Run::OnCopy(const std::string& sql, const std::vector<Variant>& params) const {
  return vb::Deref(conExport.get()).Execute(sql, params);
}

std::string CertifiedExport::Run::Table(std::string_view name) const {
  return db::catalog::RequireSqlName(vb::Deref(conExport.get()), name);
}

std::string CertifiedExport::Run::KeyTable(db::Connection& conn, const std::vector<std::string>& columns,
                                           const std::vector<std::vector<std::int64_t>>& rows) {
  static int made = 0;
  const std::string table = "temp.lev_keys_" + std::to_string(++made);
  std::string list, definition, markers;
  for (const std::string& column : columns) {
    list += (list.empty() ? "" : ", ") + column;
    definition += (definition.empty() ? "" : ", ") + column + " INTEGER";
    markers += markers.empty() ? "?" : ", ?";
  }
  // Keyed by all its columns, so that each row of a pruned table is looked
  // up rather than compared with every tuple.
  conn.Execute("CREATE TABLE " + table + " (" + definition + ", PRIMARY KEY (" + list + ")) WITHOUT ROWID");
  db::Transaction trans(conn);
  for (const auto& row : rows) {
    std::vector<Variant> values;
    for (std::int64_t v : row) values.push_back(Bound(v));
    conn.Execute("INSERT OR IGNORE INTO " + table + " VALUES (" + markers + ")", values);
  }
  trans.Commit();
  // A join finds the kept rows at once; SQLite tests a row value against a
  // subquery row by row. The key table leads (CROSS JOIN keeps the order):
  // its few tuples look the pruned table's rows up by its key index, or by
  // an index SQLite makes for the join, rather than every row of the pruned
  // table looking for its tuple.
  return std::string("rowid IN (SELECT ") + kTableToken + ".rowid FROM " + table + " CROSS JOIN " + kTableToken +
         " USING (" + list + "))";
}

void CertifiedExport::Run::KeepOnly(const std::string& name, const std::string& kept) const {
  db::Connection& conn = vb::Deref(conExport.get());
  const std::string table = Table(name);
  const std::string keptHere = ForTable(kept, table);
  // A table keeps a small part of its rows. Deleting the others one by one
  // costs an index update per row; emptying the table at once and putting
  // the kept rows back costs little. That holds the rows as they were (the
  // values, typeless in between, come back unchanged, rowids included) where
  // nothing else sees the deletes: no trigger, no foreign key, and a rowid
  // by that name.
  const db::RecordsetPtr shape = db::Recordset::Query(
      "SELECT (SELECT count(*) FROM sqlite_schema WHERE type = 'trigger' AND tbl_name = ?1 COLLATE NOCASE) + "
      "(SELECT foreign_keys FROM pragma_foreign_keys) + "
      "(SELECT count(*) FROM pragma_table_list(?1) WHERE schema = 'main' AND name = ?1 COLLATE NOCASE AND wr <> 0) + "
      "(SELECT count(*) FROM pragma_table_xinfo(?1) WHERE name = 'rowid' COLLATE NOCASE) AS others, "
      "(SELECT group_concat(quote(name), ', ') FROM pragma_table_xinfo(?1) WHERE hidden = 0) AS columns",
      conExport, {Variant(name)});
  if (vb::CDbl(shape->Value("others")) != 0 || shape->Value("columns").IsNull()) {
    OnCopy("Delete from " + table + " where NOT (" + keptHere + " )");
    return;
  }
  std::string columns, typeless;
  const db::RecordsetPtr list =
      db::Recordset::Query("SELECT name FROM pragma_table_xinfo(?) WHERE hidden = 0 ORDER BY cid", conExport, {Variant(name)});
  for (int i = 0; !list->Eof(); list->MoveNext(), ++i) {
    columns += ", " + db::QuoteName(vb::TextOf(list->Value(0)));
    typeless += ", c" + std::to_string(i);
  }
  db::Transaction trans(conn);
  OnCopy("DROP TABLE IF EXISTS temp.lev_kept");
  OnCopy("CREATE TABLE temp.lev_kept (lev_rowid" + typeless + ")");
  OnCopy("INSERT INTO temp.lev_kept SELECT rowid" + columns + " FROM " + table + " WHERE (" + keptHere + " )");
  OnCopy("DELETE FROM " + table);
  OnCopy("INSERT INTO " + table + " (rowid" + columns + ") SELECT * FROM temp.lev_kept");
  OnCopy("DROP TABLE temp.lev_kept");
  trans.Commit();
}

std::string CertifiedExport::Run::ForTable(std::string condition, const std::string& sqlTable) {
  for (std::size_t at; (at = condition.find(kTableToken)) != std::string::npos;)
    condition.replace(at, std::string_view(kTableToken).size(), sqlTable);
  return condition;
}

// --- The tables the file keeps ----------------------------------------------------------------

void CertifiedExport::Run::DropUnkeptTables() {
  std::vector<std::string> formTables;
  const db::RecordsetPtr forms =
      db::Recordset::Query("Select form_name from vho_torb_forms where " + conditions.formInclusion, conExport);
  for (; !forms->Eof(); forms->MoveNext()) formTables.push_back(vb::UCase(vb::TextOf(forms->Value(0))));
  if (formTables.empty())
    throw vb::VbError(vb::err::NoCurrentRecord, "No exported form is in the form catalogue of the copy.");
  auto kept = [&](const std::string& upper) {
    if (In(kKeptTables, upper) || In(formTables, upper)) return true;
    return std::any_of(std::begin(kCompanions), std::end(kCompanions), [&](const Companion& c) {
      return upper == c.table && In(formTables, c.formTable);
    });
  };
  std::vector<std::string> tables, views;
  const db::RecordsetPtr catalogue =
      db::Recordset::Query("SELECT type, name FROM sqlite_schema WHERE type IN ('table', 'view') ORDER BY name", conExport);
  for (; !catalogue->Eof(); catalogue->MoveNext()) {
    const std::string name = vb::TextOf(catalogue->Value("name"));
    const std::string upper = vb::UCase(name);
    const bool system = upper.rfind("SQLITE_", 0) == 0;
    if (vb::TextOf(catalogue->Value("type")) == "view")
      views.push_back(name);
    else if (!system && !kept(upper))
      tables.push_back(name);
    Yield();
  }
  // The names are all looked up before the first drop: each drop changes
  // the schema, after which a lookup would be prepared anew.
  std::vector<std::string> drops;
  for (const std::string& t : tables) drops.push_back("DROP TABLE " + Table(t));
  for (const std::string& v : views) drops.push_back("DROP VIEW " + Table(v));
  db::Transaction trans(*conExport);
  for (const std::string& drop : drops) OnCopy(drop);
  trans.Commit();
}

// --- The status rows -------------------------------------------------------------------------

void CertifiedExport::Run::PruneStatusRows() {
  const std::int32_t C = GParam.CountyID, D = GParam.DistrictID, S = GParam.SchoolId;
  const std::int32_t year = G.ReportYear, period = G.ReportPeriod;
  {
    const db::RecordsetPtr au = Working(
        " Select school_district_id from krn_leas where COUNTY_ID <> ? and AU_County = ? And FISCAL_YEAR = ? and "
        "(lea_type = 2 or lea_type = 3 or lea_type = 5) and stat_type = 'OPEN' ",
        {Variant(C), Variant(C), Variant(year)});
    std::string list;
    for (; !au->Eof(); au->MoveNext()) list += (list.empty() ? "" : ",") + Text(Whole(au->Value(0)));
    auDistricts = list;
  }
  auto remove = [&](const db::SqlText& statement) {
    OnCopy(statement.Sql(), statement.Params());
    Yield();
  };
  using std::nullopt;
  auto outsideScope = [&](const std::vector<std::int32_t>& keptForms,
                          std::optional<std::pair<std::int32_t, std::int32_t>> ownAgency) {
    remove(modCOE::DeleteStatusRowsOutsideScope(conditions.formExclusion, conditions.countyExclusion, year, period,
                                                 keptForms, ownAgency));
  };
  remove(modCOE::DeleteUncertifiedStatusRows());

  switch (G.LogonUserGroup) {
    case 2:
    case 7: {
      remove(modCOE::DeleteOtherCountyStatusRows(C));
      std::vector<std::int32_t> keptForms;
      if (blnForm508Exported) keptForms.push_back(kForm508);
      if (blnForm509Exported) keptForms.push_back(kForm509);
      outsideScope(keptForms, nullopt);
      if (blnPriorYearMode) remove(modCOE::DeleteUncorrectedStatusRows());
      if (!vb::Trim(auDistricts).empty()) remove(modCOE::DeleteOtherCountyStatusRowsOutside(C, auDistricts));
      // The county's charters whose block grant their district fills.
      std::vector<std::vector<std::int64_t>> charters;
      const db::RecordsetPtr rs = Working(
          "select school_district_id,school_id from krn_leas where county_id = ? and school_district_id <> ? and "
          "lea_type = 4 and cs_ba_charter_fill_by_dist = -1",
          {Variant(C), Variant(D)});
      for (; !rs->Eof(); rs->MoveNext()) charters.push_back({Whole(rs->Value(0)), Whole(rs->Value(1))});
      std::string terms;
      if (charters.size() > kTextTerms) {
        terms = KeyTable(*conExport, {"school_district_id", "school_id"}, charters);
      } else {
        for (const auto& c : charters)
          terms += (terms.empty() ? "" : " or ") + std::string("(school_district_id = ") + Text(c[0]) +
                   " And  school_id= " + Text(c[1]) + ")";
      }
      remove(modCOE::DeleteUncountedStatusRows(terms.empty() ? "" : ForTable(terms, "lea_forms_status")));
      if (blnPartialSelection) {
        remove(modCOE::DeleteStatusRowsWhere(conditions.districtExclusion));
        remove(modCOE::DeleteStatusRowsWhere(conditions.schoolExclusion));
      }
      break;
    }
    case 3:
      outsideScope({}, nullopt);
      if (G.bSelpaAu) remove(modCOE::DeleteOtherDistrictStatusRows(D));
      remove(modCOE::DeleteStatusRowsWhere(conditions.districtExclusion));
      if (blnPartialSelection) remove(modCOE::DeleteStatusRowsWhere(conditions.schoolExclusion));
      break;
    case 5:
      outsideScope({}, nullopt);
      remove(modCOE::DeleteStatusRowsWhere(conditions.districtExclusion));
      remove(modCOE::DeleteOtherSchoolStatusRows(static_cast<std::int32_t>(G.LogonDistrictID), S));
      remove(modCOE::DeleteStatusRowsWhere(conditions.schoolExclusion));
      break;
    case 4:
      outsideScope({}, std::make_pair(D, static_cast<std::int32_t>(G.SchoolId)));
      break;
    default:
      break;
  }
  Yield();
}

// --- The table of contents -------------------------------------------------------------------

void CertifiedExport::Run::FillTableOfContents() {
  OnCopy("Delete from export_file_info");
  Yield();
  const db::RecordsetPtr rs = db::Recordset::Query(modCOE::StatusRowsWithFormAndAgencyQuery().Sql(), conExport);
  for (; !rs->Eof(); rs->MoveNext()) {
    statusList.push_back({vb::TextOf(rs->Value("form_group_name")), Whole(rs->Value("FISCAL_YEAR")),
                          Whole(rs->Value("PERIOD_ID")), Whole(rs->Value("COUNTY_ID")),
                          Whole(rs->Value("SCHOOL_DISTRICT_ID")), Whole(rs->Value("SCHOOL_ID")),
                          rs->Value("SCHOOL_NAME"), rs->Value("SCHOOL_DISTRICT_NAME"), rs->Value("CERTIFICATE")});
  }
  // Without status rows nothing below would prune the data tables, and the
  // file would carry every agency's rows.
  if (statusList.empty())
    throw vb::VbError(vb::err::NoCurrentRecord,
                      "No exported status row has its form in the catalogue and its agency in the directory.");

  const std::string& p = G.UserPhone;
  phone = "(" + vb::Mid(p, 1, 3) + ")" + vb::Mid(p, 4, 3) + "-" + vb::Mid(p, 7, 4) + " * " + vb::Mid(p, 11, 4);
  const std::string& f = G.UserFax;
  fax = vb::Trim(f).empty() ? "" : "(" + vb::Mid(f, 1, 3) + ")" + vb::Mid(f, 4, 3) + "-" + vb::Mid(f, 7, 4);
  email = vb::Trim(G.UserEMail).empty() ? "" : G.UserEMail;

  for (const StatusListRow& row : statusList) {
    std::vector<Variant> values = {Variant(row.group),
                                   Bound(row.year),
                                   Bound(row.period),
                                   Bound(row.county),
                                   Bound(row.district),
                                   Bound(row.school),
                                   row.schoolName,
                                   row.districtName,
                                   row.certificate.IsNull() ? Variant(0) : row.certificate,
                                   Variant(strNow),
                                   Variant(G.Username),
                                   Variant(phone),
                                   Variant(fax),
                                   Variant(email),
                                   Variant(std::string())};
    OnCopy("INSERT INTO export_file_info VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)", values);
    fileInfoRows.push_back(std::move(values));
    Yield();
  }
  db::Transaction trans(*conExport);
  OnCopy("DROP TABLE " + Table("VHO_TORB_FORMS"));
  OnCopy("DROP TABLE " + Table("KRN_LEAS"));
  trans.Commit();
}

// --- The data tables -------------------------------------------------------------------------

void CertifiedExport::Run::PruneDataTables() {
  std::stable_sort(statusList.begin(), statusList.end(), [](const StatusListRow& a, const StatusListRow& b) {
    return vb::UCase(a.group) < vb::UCase(b.group);
  });
  const std::string first = statusList.front().group;
  std::string current = In(kBlockGrantSiteGroups, first) ? kBlockGrantTable : first;

  // The block grant's own table, by the exported agencies.
  if (db::catalog::TableExists(*conExport, "ATTCSBGCOE")) {
    const std::string table = Table("ATTCSBGCOE");
    OnCopy("Delete from " + table + " where (" + ForTable(conditions.negatedAgency, table) + " )");
    Yield();
  }

  // The terms of the group under way: year, period, county, district and,
  // outside the district-keyed groups, school.
  struct Term {
    std::int64_t year, period, county, district, school;
    bool withSchool;
  };
  std::vector<Term> terms;
  auto append = [&](const StatusListRow& r) {
    terms.push_back({r.year, r.period, r.county, r.district, r.school, !In(kDistrictKeyed, current)});
  };
  // The group's condition: its terms joined by "or".
  auto condition = [&]() -> std::string {
    if (terms.size() <= kTextTerms) {
      std::string text;
      for (const Term& t : terms) {
        text += "( ";
        text += " FISCAL_YEAR = " + Text(t.year) + " AND " + " PERIOD_ID = " + Text(t.period) + " AND " +
                " COUNTY_ID = " + Text(t.county) + " AND " + " school_district_id = " + Text(t.district);
        text += t.withSchool ? " AND school_id = " + Text(t.school) + " ) or " : " ) or ";
      }
      return vb::Trim(text.substr(0, text.size() - 3));
    }
    std::vector<std::vector<std::int64_t>> full, byDistrict;
    for (const Term& t : terms) {
      if (t.withSchool)
        full.push_back({t.year, t.period, t.county, t.district, t.school});
      else
        byDistrict.push_back({t.year, t.period, t.county, t.district});
    }
    std::string text;
    if (!full.empty())
      text = KeyTable(*conExport, {"FISCAL_YEAR", "PERIOD_ID", "COUNTY_ID", "school_district_id", "school_id"}, full);
    if (!byDistrict.empty())
      text += (text.empty() ? "" : " or ") +
              KeyTable(*conExport, {"FISCAL_YEAR", "PERIOD_ID", "COUNTY_ID", "school_district_id"}, byDistrict);
    return text;
  };
  auto prune = [&](const std::string& name, const std::string& kept) {
    KeepOnly(name, kept);
    Yield();
  };
  enum class Point { Single, Change, End };
  auto perGroup = [&](const std::string& group, Point point) {
    const std::string upper = vb::UCase(group);
    const std::string kept = condition();
    if (upper == "GATE") {
      const std::int32_t logon = G.LogonUserGroup;
      // Cases A and B keep every school row of the county as well; case C
      // (and every combination the rules leave open) the status rows' alone.
      const bool wholeCounty = logon == 2 && (!blnPartialSelection || G.UserGroup == 2);
      prune(group, wholeCounty ? kept + " or  (  FISCAL_YEAR =" + Text(G.ReportYear) + " AND  PERIOD_ID = " +
                                     Text(G.ReportPeriod) + " AND  COUNTY_ID = " + Text(GParam.CountyID) +
                                     " AND school_id <> 0 )"
                               : kept);
    } else if (point == Point::Single) {
      prune(In(kBlockGrantSiteGroups, first) ? kBlockGrantTable : first, kept);
    } else if (!In(kBlockGrantFamily, group)) {
      prune(group, kept);
    }
    for (const Companion& c : kCompanions)
      if (c.pruned && upper == c.formTable) prune(c.table, kept);
  };

  append(statusList[0]);
  if (statusList.size() == 1) perGroup(current, Point::Single);
  for (std::size_t i = 1; i < statusList.size(); ++i) {
    const StatusListRow& row = statusList[i];
    if (row.group != current) {
      perGroup(current, Point::Change);
      current = row.group;
      if (!In(kBlockGrantFamily, current)) terms.clear();
    }
    append(row);
    if (i + 1 == statusList.size()) perGroup(current, Point::End);
  }
}

// --- The side tables ---------------------------------------------------------------------------

void CertifiedExport::Run::PruneSideTables() {
  const std::int32_t C = GParam.CountyID, D = GParam.DistrictID, S = GParam.SchoolId;
  // The block-grant family by period and county, and the work tables that
  // still exist: failures are passed over.
  for (const char* table : {kBlockGrantTable, "AttCsBgCoeAda"}) {
    Quietly([&] {
      OnCopy("Delete from " + Table(table) + " where period_id <> ? or  COUNTY_ID <> ?",
             {Variant(G.ReportPeriod), Variant(C)});
      Yield();
    });
  }
  Quietly([&] {
    db::Transaction trans(*conExport);
    for (const std::string& table : kWorkTables)
      if (db::catalog::TableExists(*conExport, table)) OnCopy("DROP TABLE " + Table(table));
    trans.Commit();
  });

  // A district's charter whose block grant it fills: its CS_BA rows travel
  // under the county office's district.
  bool charterStep = false;
  if (!ended && G.LogonUserGroup == 3 && !G.bSelpaAu) {
    charterStep = true;
    db::RecordsetPtr charters, office;
    Do([&] {
      charters = Working(
          "select school_district_id,school_id from krn_leas where county_id = ? and school_district_id = ? and "
          "lea_type = 4 and cs_ba_charter_fill_by_dist = -1",
          {Variant(C), Variant(D)});
      Yield();
    });
    if (charters && !charters->Eof()) {
      const Variant school = charters->Value("school_id");
      Do([&] {
        office = Working("select school_district_id ,school_id from krn_leas where county_id = ? and lea_type = 2",
                         {Variant(C)});
        Yield();
      });
      long long rekeyed = 0;
      if (office && !office->Eof()) {
        const Variant X = office->Value("school_district_id");
        const std::vector<Variant> params = {X, Variant(C), Variant(D), school};
        Quietly([&] {
          const db::SqlText move = modCOE::MoveCharterForm50StatusRow(X, C, D, school);
          rekeyed = OnCopy(move.Sql(), move.Params());
        });
        if (rekeyed > 0) {
          Quietly([&] {
            OnCopy("Update " + Table("cs_ba") +
                       " set school_district_id = ? where county_id=? and school_district_id=? and school_id =?",
                   params);
          });
          Quietly([&] {
            OnCopy("Update EXPORT_FILE_INFO set school_district_id = ? where county_id=? and school_district_id=? "
                   "and school_id =? and form_group_name=?",
                   {X, Variant(C), Variant(D), school, Variant("CS_BA")});
          });
        }
      }
      Yield();
    }
  }

  // The answers and the contacts of the exporting agency's scope.
  const CleanUp* cleanUp = nullptr;
  const bool auListed = !vb::Trim(auDistricts).empty();
  for (const CleanUp& c : kCleanUps)
    if (!cleanUp && c.group == G.LogonUserGroup &&
        (c.au == AuList::Any || (c.au == AuList::Listed) == auListed))
      cleanUp = &c;
  auto statement = [&](const Statement& s) {
    std::string sql = s.sql;
    auto put = [&](const std::string& token, const std::string& text) {
      for (std::size_t at; (at = sql.find(token)) != std::string::npos;) sql.replace(at, token.size(), text);
    };
    put("{AU}", auDistricts);
    put("{COUNTIES}", conditions.countyExclusion);
    put("{DISTRICTS}", conditions.districtExclusion);
    std::vector<Variant> params;
    for (const char* p = s.params; *p; ++p) {
      switch (*p) {
        case 'C': params.emplace_back(C); break;
        case 'D': params.emplace_back(D); break;
        case 'S': params.emplace_back(S); break;
        case 'L': params.emplace_back(G.LogonDistrictID); break;
        case 'T': params.emplace_back("TAX"); break;
        default: break;
      }
    }
    OnCopy(sql, params);
    Yield();
  };
  const std::vector<Variant> yearAndPeriod = {Variant(G.ReportYear), Variant(G.ReportPeriod)};
  // The answers' clean-up passes failures over unless the charter step ran.
  auto answers = [&](auto&& step) {
    if (charterStep)
      Do(step);
    else
      Quietly(step);
  };
  answers([&] { OnCopy("Delete from TorbLeaNotes where  NOT( FISCAL_YEAR = ? AND  PERIOD_ID = ? ) ", yearAndPeriod); });
  if (cleanUp)
    for (const Statement& s : cleanUp->answers) answers([&] { statement(s); });
  Do([&] { OnCopy("Delete from ImportContactInfo where  NOT( FISCAL_YEAR = ? AND  PERIOD_ID = ? ) ", yearAndPeriod); });
  if (cleanUp)
    for (const Statement& s : cleanUp->contacts) Do([&] { statement(s); });
}

// --- The exporting agency's contact row ---------------------------------------------------------

void CertifiedExport::Run::WriteOwnContactRow() {
  if (G.LogonUserGroup == 7) return;
  const std::int32_t school = G.LogonUserGroup == 4 || G.LogonUserGroup == 5 ? GParam.SchoolId : 0;
  const std::vector<Variant> key = {Variant(GParam.CountyID), Variant(GParam.DistrictID), Variant(school),
                                    Variant(G.ReportPeriod), Variant(G.ReportYear)};
  const std::string where =
      " where county_id = ? and school_district_id = ? and school_id = ? and period_id = ? and FISCAL_YEAR= ?";
  const db::RecordsetPtr own = db::Recordset::Query("select *  from ImportContactInfo" + where, conExport, key);
  Yield();
  db::Transaction trans(*conExport);
  if (own->Eof()) {
    OnCopy("INSERT INTO ImportContactInfo (COUNTY_ID, SCHOOL_DISTRICT_ID, SCHOOL_ID, PERIOD_ID, FISCAL_YEAR, "
           "SCHOOL_DISTRICT_NAME, SCHOOL_NAME) VALUES (?, ?, ?, ?, ?, ?, ?)",
           {key[0], key[1], key[2], key[3], key[4], Variant(GParam.DistrictName), Variant(GParam.SchoolName)});
  }
  // This run's contact values: the user's latest export.
  std::vector<Variant> values = {Variant(strNow), Variant(G.Username), Variant(phone), Variant(fax), Variant(email)};
  values.insert(values.end(), key.begin(), key.end());
  OnCopy("UPDATE ImportContactInfo SET CERTIFIED_DATE = ?, CONTACT = ?, PHONE = ?, FAX = ?, EMAIL = ?" + where, values);
  trans.Commit();
  Yield();
}

void CertifiedExport::Run::DropTriggers() {
  // A trigger of the working database would run in the importing office's.
  std::vector<std::string> triggers;
  const db::RecordsetPtr rs = db::Recordset::Query("SELECT name FROM sqlite_schema WHERE type = 'trigger'", conExport);
  for (; !rs->Eof(); rs->MoveNext()) triggers.push_back(vb::TextOf(rs->Value(0)));
  db::Transaction trans(*conExport);
  for (const std::string& t : triggers) OnCopy("DROP TRIGGER " + db::QuoteName(t));
  trans.Commit();
}
