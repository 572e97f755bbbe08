#include "FormData.h"

#include <algorithm>
#include <array>
#include <string_view>

#include "vb/Conversions.h"

#include "db/Catalog.h"
#include "vb/Trap.h"
#include "vb/VbError.h"

namespace forms {
namespace {

// The reports name the data-access class, whose rules these are.
constexpr const char* kDataAccess = "clsDataAccess";


// The entry screen's table that a note needs data in, and whether the data
// must belong to the agency's school too.
struct EntryTable {
  std::string name;
  bool bySchool;
};

EntryTable EntryTableOf(const std::string& formName) {
  // Screens whose rows are looked for without a school condition: names
  // compared upper-cased, then names compared exactly as spelled.
  static constexpr std::array<std::string_view, 9> kAnySchool = {
      "TAX", "ATTCOE", "ATTCOEDISTFUNDADA", "SELPAADAALLOC", "ATTCOECCSE",
      "BASICAID", "SPEDTAXALLOC", "TAXMISC", "DISTRICTLIMITK12"};
  static constexpr std::array<std::string_view, 6> kAnySchoolExact = {
      "ATT_SD_SUPP", "ATT_SD_BS", "ATT_SD", "BRL_SD_CSP_NEW", "BRL_SD_NSES_ADA", "BRL_SD_NSHS_ADA"};
  // The block-grant screens keep their rows in one shared table.
  static constexpr std::array<std::string_view, 2> kBlockGrant = {"ATTCSEHS", "ATTCSSBC"};

  const std::string upper = vb::UCase(formName);
  auto holds = [](const auto& names, const std::string& name) {
    return std::find(names.begin(), names.end(), name) != names.end();
  };
  if (holds(kAnySchool, upper) || holds(kAnySchoolExact, formName)) return {formName, false};
  if (holds(kBlockGrant, upper)) return {"ATTCSBGCOE", true};
  return {formName, true};
}

}  // namespace

const db::ConnectionPtr& Required(const db::ConnectionPtr& conn) {
  if (!conn) vb::Raise(vb::err::ObjectNotSet);
  return conn;
}

db::RecordsetPtr Snapshot(const db::ConnectionPtr& conn, const db::SqlText& q) {
  auto rs = db::Recordset::Query(q.Sql(), Required(conn), q.Params());
  rs->ActiveConnection(nullptr);
  return rs;
}

db::RecordsetPtr Fetch(const db::ConnectionPtr& conn, const db::SqlText& q) {
  db::RecordsetPtr result;
  Trap trap(kDataAccess, "GetRecordset");
  trap([&] { result = Snapshot(conn, q); });
  return result;
}

void Submit(const db::ConnectionPtr& conn, db::Recordset& rs) {
  // The record set is connected only for the write, whatever happens.
  struct Disconnect {
    db::Recordset& rs;
    ~Disconnect() { rs.ActiveConnection(nullptr); }
  } disconnect{rs};
  rs.ActiveConnection(Required(conn));
  rs.UpdateBatch();
}

bool Execute(const db::ConnectionPtr& conn, const std::string& sql, const std::vector<vb::Variant>& params) {
  bool ran = false;
  Trap trap(kDataAccess, "ExecuteQuery");
  trap([&] {
    Required(conn)->Execute(sql, params);
    ran = true;
  });
  return ran;
}

db::RecordsetPtr OpenAttached(const db::ConnectionPtr& conn, const db::SqlText& q) {
  if (q.Empty()) vb::Raise(vb::err::NoConnection, "Command text was not set for the command object.");
  auto rs = db::Recordset::Create();
  rs->CursorType(db::CursorType::Dynamic);
  rs->CursorLocation(db::CursorLocation::Client);
  rs->LockType(db::LockType::Pessimistic);
  rs->Open(q.Sql(), Required(conn), q.Params());
  return rs;
}

db::SqlText RowsOfAgency(std::string_view table, const FormScope& agency, const vb::Variant& period,
                         const vb::Variant& school) {
  using db::Param;
  using vb::Variant;
  db::SqlText q;
  q << "Select * from " << table << " where county_id = " << Param(Variant(agency.county))
    << " and school_district_id = " << Param(Variant(agency.district))
    << " and fiscal_year = " << Param(Variant(agency.year)) << " and period_id = " << Param(period)
    << " AND SCHOOL_ID = " << Param(school);
  return q;
}

db::RecordsetPtr AgencyRowsWhere(const db::ConnectionPtr& conn, const std::string& table, const FormScope& agency,
                                 const vb::Variant& period, const vb::Variant& school, const Conditions& conditions) {
  db::SqlText q = RowsOfAgency(db::catalog::RequireSqlName(*Required(conn), table), agency, period, school);
  for (const auto& [column, value] : conditions) q << " AND " << column << " = " << db::Param(value);
  return Fetch(conn, q);
}

db::RecordsetPtr NoteEntryRows(const db::ConnectionPtr& conn, const FormScope& agency) {
  const EntryTable table = EntryTableOf(agency.formName);
  db::SqlText q;
  q << "Select * from " << db::catalog::RequireSqlName(*Required(conn), table.name)
    << " where county_id = " << db::Param(vb::Variant(agency.county))
    << " and school_district_id = " << db::Param(vb::Variant(agency.district))
    << " and fiscal_year = " << db::Param(vb::Variant(agency.year))
    << " and period_id = " << db::Param(vb::Variant(agency.period));
  if (table.bySchool) q << " AND SCHOOL_ID = " << db::Param(vb::Variant(agency.school));
  return Fetch(conn, q);
}

}  // namespace forms
