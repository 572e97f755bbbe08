// The attached copy of a certified-data file and the checks before its merge
// (bDatabaseValid), in their fixed order: the file itself, the year and
// period of its status rows, the agency rights of the logged-on user group,
// the prior-year correction state. Nothing here needs a window: the fuzz
// target fuzz_certified_validate builds this file with the group rules alone.

#include <algorithm>

#include "CertifiedImport.h"
#include "db/Catalog.h"
#include "db/SqlText.h"
#include "vb/Conversions.h"

using vb::Variant;

namespace {

constexpr const char* kModule = "frmImport";

// The forms a SELPA reports: the only forms of other agencies that county
// offices, SELPA unit districts and SELPAs may import.
constexpr std::int32_t kSelpaForms[] = {100, 101, 102, 502};

// The tables every certified-data file holds and the merge reads.
constexpr const char* kFileTables[] = {"LEA_FORMS_STATUS", "EXPORT_FILE_INFO"};

bool IsSelpaForm(const Variant& formNo) {
  if (formNo.IsNull() || formNo.IsEmpty()) return false;
  const std::string text = vb::CStr(formNo);
  return std::any_of(std::begin(kSelpaForms), std::end(kSelpaForms),
                     [&](std::int32_t form) { return text == std::to_string(form); });
}

// The same as SQL text: program constants.
constexpr const char* kSelpaFormList = "(100, 101, 102, 502)";

bool HasRows(db::Connection& conn, const db::SqlText& q) {
  db::Statement stmt = conn.Prepare(q.Sql());
  stmt.Bind(q.Params());
  return stmt.Step();
}

// The rows of a query, each as its values.
std::vector<std::vector<Variant>> RowsOf(db::Connection& conn, const db::SqlText& q) {
  db::RecordsetPtr rs = db::Recordset::Query(q.Sql(), conn.shared_from_this(), q.Params());
  std::vector<std::vector<Variant>> rows;
  for (; !rs->Eof(); rs->MoveNext()) {
    std::vector<Variant> row;
    for (int i = 0; i < rs->FieldCount(); ++i) row.push_back(rs->Value(i));
    rows.push_back(std::move(row));
  }
  return rows;
}

// The value list of a one-column query: its values as text (Null as ""),
// upper-cased, joined with commas and split at the commas again; a value
// is in it when it equals an element exactly.
std::vector<std::string> ValueList(db::Connection& conn, const db::SqlText& q) {
  std::string joined;
  bool first = true;
  for (const auto& row : RowsOf(conn, q)) {
    joined += (first ? "" : ",") + (row[0].IsNull() ? std::string() : vb::UCase(vb::CStr(row[0])));
    first = false;
  }
  std::vector<std::string> list;
  if (first) return list;
  std::size_t start = 0;
  for (;;) {
    const std::size_t comma = joined.find(',', start);
    list.push_back(joined.substr(start, comma == std::string::npos ? std::string::npos : comma - start));
    if (comma == std::string::npos) break;
    start = comma + 1;
  }
  return list;
}

bool InList(const std::vector<std::string>& list, const std::string& value) {
  return std::find(list.begin(), list.end(), value) != list.end();
}

// A code as the agency codes write it: the number's decimal text with zeros
// in front, its last `width` characters ("" for Null).
std::string Padded(const Variant& value, std::size_t width) {
  if (value.IsNull() || value.IsEmpty()) return {};
  return vb::Right("000000" + vb::LTrim(vb::Str(value)), width);
}

// The agency code "ddddd sssssss" of a district and school ("" when either
// is Null).
std::string CdsCode(const Variant& district, const Variant& school) {
  if (district.IsNull() || school.IsNull()) return {};
  return Padded(district, 5) + " " + Padded(school, 7);
}

// The agency codes of a query that answers districts and schools.
std::vector<std::string> CdsList(db::Connection& conn, const db::SqlText& q) {
  std::vector<std::string> codes;
  for (const auto& row : RowsOf(conn, q)) codes.push_back(vb::UCase(CdsCode(row[0], row[1])));
  return codes;
}

bool SameColumns(const std::vector<std::string>& a, const std::vector<std::string>& b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (vb::UCase(a[i]) != vb::UCase(b[i])) return false;
  return true;
}

}  // namespace

// --- The attached copy ---------------------------------------------------------------

ImportFile::ImportFile(db::ConnectionPtr conn, const std::filesystem::path& file) : conn_(std::move(conn)) {
  vb::Deref(conn_.get()).Attach(file.string(), CertifiedImport::kFileSchema);
}

ImportFile::~ImportFile() {
  try {
    conn_->Detach(CertifiedImport::kFileSchema);
  } catch (const vb::VbError&) {
    // The connection is closed or no longer holds the file: nothing to undo.
  }
}

CertifiedImport::CertifiedImport(db::ConnectionPtr conn, ImportScope scope, std::function<void()> pump)
    : conn_(std::move(conn)), scope_(std::move(scope)), pump_(pump ? std::move(pump) : std::function<void()>([] {})) {
  vb::Deref(conn_.get());
}

std::string CertifiedImport::FileTable(const std::string& table) const {
  return RequiredName(kFileSchema + ("." + table));
}

std::string CertifiedImport::WorkingTable(const std::string& table) const { return RequiredName("main." + table); }

const std::string& CertifiedImport::NameOf(const std::string& qualifiedTable) const {
  auto found = sqlNames_.find(qualifiedTable);
  if (found == sqlNames_.end())
    found = sqlNames_.emplace(qualifiedTable, db::catalog::SqlName(*conn_, qualifiedTable)).first;
  return found->second;
}

const std::string& CertifiedImport::RequiredName(const std::string& qualifiedTable) const {
  const std::string& name = NameOf(qualifiedTable);
  // The catalogue's own error for a table there is none of.
  if (name.empty()) db::catalog::RequireSqlName(*conn_, qualifiedTable);
  return name;
}

const std::vector<std::string>& CertifiedImport::PrimaryKeyOf(const std::string& table) const {
  auto found = primaryKeys_.find(table);
  if (found == primaryKeys_.end())
    found = primaryKeys_.emplace(table, db::catalog::PrimaryKey(*conn_, "main." + table)).first;
  return found->second;
}

// --- The checks ------------------------------------------------------------------------

bool CertifiedImport::bDatabaseValid() {
  // 1. A file the checks cannot read, or that does not hold what the merge
  // reads as the working database lays it out, is refused without a report.
  bool readable = false;
  try {
    readable = FileIsReadable();
  } catch (const vb::VbError&) {
    readable = false;
  }
  if (!readable) return false;
  return PeriodIsCurrent() && AgenciesAreInRights() && CorrectionStateFits();
}

bool CertifiedImport::FileIsReadable() {
  db::Connection& conn = *conn_;
  // Whole, as the database itself judges its pages.
  if (vb::CStr(conn.Scalar(std::string("PRAGMA ") + kFileSchema + ".integrity_check(1)")) != "ok") return false;
  // Data only: nothing in the file runs by itself when it is read or written.
  if (vb::CLng(conn.Scalar(std::string("SELECT count(*) FROM ") + kFileSchema +
                           ".sqlite_schema WHERE type IN ('view', 'trigger')")) != 0)
    return false;

  // Every table the merge reads has the working table's columns in order,
  // since rows are copied by position.
  auto sameLayout = [&](const std::string& table) {
    const auto working = db::catalog::ColumnNames(conn, "main." + table);
    return !working.empty() && SameColumns(db::catalog::ColumnNames(conn, kFileSchema + ("." + table)), working);
  };
  for (const char* table : kFileTables)
    if (!sameLayout(table)) return false;

  // No key of a status row or of a table-of-contents row is missing.
  db::SqlText nullKeys;
  nullKeys << "SELECT 1 FROM " << FileTable("LEA_FORMS_STATUS")
           << " WHERE FISCAL_YEAR IS NULL OR PERIOD_ID IS NULL OR COUNTY_ID IS NULL OR SCHOOL_DISTRICT_ID IS NULL"
              " OR SCHOOL_ID IS NULL OR FORM_NO IS NULL"
              " UNION ALL SELECT 1 FROM "
           << FileTable("EXPORT_FILE_INFO")
           << " WHERE FORM_GROUP_NAME IS NULL OR FISCAL_YEAR IS NULL OR PERIOD_ID IS NULL OR COUNTY_ID IS NULL"
              " OR SCHOOL_DISTRICT_ID IS NULL OR SCHOOL_ID IS NULL";
  if (HasRows(conn, nullKeys)) return false;

  // Each group of the table of contents is a form of the working catalogue,
  // and the file holds its tables as the working database lays them out.
  db::SqlText groups;
  groups << "SELECT DISTINCT FORM_GROUP_NAME FROM " << FileTable("EXPORT_FILE_INFO");
  for (const auto& row : RowsOf(conn, groups)) {
    const std::string group = vb::CStr(row[0]);
    db::SqlText form;
    form << "SELECT 1 FROM main.VHO_TORB_FORMS WHERE FORM_NAME = " << db::Param(Variant(group));
    if (!HasRows(conn, form)) return false;
    if (!sameLayout(importrules::TableOf(group))) return false;
    for (const CompanionTable& companion : importrules::Rule(group).companions)
      if (!sameLayout(std::string(companion.table))) return false;
  }

  // Each table-of-contents row has the status row of its agency, year,
  // period and form in the file, so that the checks of the status rows
  // cover everything the merge reads.
  db::SqlText orphans;
  orphans << "SELECT 1 FROM " << FileTable("EXPORT_FILE_INFO") << " t WHERE NOT EXISTS (SELECT 1 FROM "
          << FileTable("LEA_FORMS_STATUS")
          << " s JOIN main.VHO_TORB_FORMS f ON f.FORM_NO = s.FORM_NO"
             " WHERE f.FORM_NAME = t.FORM_GROUP_NAME AND s.FISCAL_YEAR = t.FISCAL_YEAR AND s.PERIOD_ID = t.PERIOD_ID"
             " AND s.COUNTY_ID = t.COUNTY_ID AND s.SCHOOL_DISTRICT_ID = t.SCHOOL_DISTRICT_ID"
             " AND s.SCHOOL_ID = t.SCHOOL_ID)";
  return !HasRows(conn, orphans);
}

bool CertifiedImport::Guarded(const std::function<bool()>& check) {
  bool passed = false;
  Trap trap(kModule, "bDatabaseValid");
  const bool ran = trap([&] { passed = check(); });
  pump_();
  return ran && passed;
}

db::SqlText CertifiedImport::OtherPeriodRows() const {
  db::SqlText q;
  q << "SELECT PERIOD_ID FROM " << FileTable("LEA_FORMS_STATUS") << " WHERE PERIOD_ID IS NOT "
    << db::Param(Variant(scope_.period)) << " OR FISCAL_YEAR IS NOT " << db::Param(Variant(scope_.year));
  return q;
}

// 2. Every status row is of the current year and period (a Null year or
// period counts as another).
bool CertifiedImport::PeriodIsCurrent() {
  return Guarded([&] { return !HasRows(*conn_, OtherPeriodRows()); });
}

// 3. The agency rights, by the logon group. A branch either settles them
// itself or leaves a query of foreign status rows for the end.
bool CertifiedImport::AgenciesAreInRights() {
  return Guarded([&] {
    const Variant C(scope_.county), D(scope_.district), S(scope_.school);
    bool settled = false;
    // Without a branch of its own the group meets the check of the year and
    // period once more.
    db::SqlText foreign = OtherPeriodRows();
    auto foreignRows = [&](const char* column) -> db::SqlText& {
      foreign = db::SqlText();
      foreign << "SELECT " << column << " FROM " << FileTable("LEA_FORMS_STATUS") << " WHERE ";
      return foreign;
    };
    switch (scope_.logonUserGroup) {
      case 2:
        if (!CountyOfficeRights()) return false;
        settled = true;
        break;
      case 3:
        if (scope_.selpaAu) {
          if (!SelpaUnitDistrictRights()) return false;
          settled = true;
        } else {
          if (!DistrictRights(settled)) return false;
          if (!settled) foreignRows("SCHOOL_DISTRICT_ID") << "SCHOOL_DISTRICT_ID <> " << db::Param(D);
        }
        break;
      case 4:
        foreignRows("SCHOOL_ID") << "SCHOOL_ID <> " << db::Param(S);
        break;
      case 7:
        // A county auditor imports the own county's tax form only.
        foreignRows("COUNTY_ID") << "COUNTY_ID <> " << db::Param(C) << " OR (COUNTY_ID = " << db::Param(C)
                                 << " AND FORM_NO NOT IN (29))";
        break;
      case 5:
        if (!SelpaRights()) return false;
        settled = true;
        break;
      default:
        break;
    }
    return settled || !HasRows(*conn_, foreign);
  });
}

// A county office: status rows of other counties only of SELPA forms and of
// counties it administers; its own county's SELPA forms only of the
// districts it may report for.
bool CertifiedImport::CountyOfficeRights() {
  db::Connection& conn = *conn_;
  const Variant C(scope_.county), Y(scope_.year);

  db::SqlText administers;
  administers << "SELECT COUNTY_ID FROM main.KRN_LEAS WHERE STAT_TYPE = 'OPEN' AND FISCAL_YEAR = " << db::Param(Y)
              << " AND (LEA_TYPE = 3 OR LEA_TYPE = 2 OR LEA_TYPE = 5) AND AU_COUNTY = " << db::Param(C)
              << " AND SELPA_AU_REGION IS NOT NULL AND SELPA_DISTRICTREGION IS NOT NULL";
  const bool auCounty = HasRows(conn, administers);

  // The open districts of the county that another county administers.
  std::vector<Variant> administeredElsewhere;
  if (auCounty) {
    db::SqlText q;
    q << "SELECT SCHOOL_DISTRICT_ID FROM main.KRN_LEAS WHERE COUNTY_ID = " << db::Param(C)
      << " AND AU_COUNTY <> " << db::Param(C) << " AND FISCAL_YEAR = " << db::Param(Y)
      << " AND LEA_TYPE = 3 AND STAT_TYPE = 'OPEN'";
    for (auto& row : RowsOf(conn, q)) administeredElsewhere.push_back(row[0]);
  }

  db::SqlText counties;
  counties << "SELECT COUNTY_ID FROM main.KRN_LEAS WHERE COUNTY_ID = " << db::Param(C)
           << " AND FISCAL_YEAR = " << db::Param(Y) << " AND LEA_TYPE = 2 AND STAT_TYPE = 'OPEN'"
           << " UNION SELECT COUNTY_ID FROM main.KRN_LEAS WHERE AU_COUNTY = " << db::Param(C)
           << " AND FISCAL_YEAR = " << db::Param(Y)
           << " AND (LEA_TYPE = 2 OR LEA_TYPE = 3 OR LEA_TYPE = 5) AND STAT_TYPE = 'OPEN'";
  const std::vector<std::string> allowedCounties = ValueList(conn, counties);

  db::SqlText others;
  others << "SELECT COUNTY_ID, FORM_NO FROM " << FileTable("LEA_FORMS_STATUS") << " WHERE COUNTY_ID <> "
         << db::Param(C);
  const auto otherCounties = RowsOf(conn, others);
  if (!otherCounties.empty()) {
    for (const auto& row : otherCounties)
      if (!InList(allowedCounties, vb::UCase(vb::CStr(row[0]))) || !IsSelpaForm(row[1])) return false;
    return true;
  }

  db::SqlText selpaForms;
  selpaForms << "SELECT COUNTY_ID, FORM_NO FROM " << FileTable("LEA_FORMS_STATUS") << " WHERE FORM_NO IN "
             << kSelpaFormList;
  if (!auCounty) {
    selpaForms << " AND SCHOOL_DISTRICT_ID <> " << db::Param(Variant(scope_.district));
    return !HasRows(conn, selpaForms);
  }
  if (administeredElsewhere.empty()) return true;
  selpaForms << " AND SCHOOL_DISTRICT_ID IN (";
  for (std::size_t i = 0; i < administeredElsewhere.size(); ++i)
    selpaForms << (i ? ", " : "") << db::Param(administeredElsewhere[i]);
  selpaForms << ")";
  return !HasRows(conn, selpaForms);
}

// A district that is a SELPA administrative unit: status rows of other
// districts only of SELPA forms and of agencies in its SELPA regions.
bool CertifiedImport::SelpaUnitDistrictRights() {
  db::Connection& conn = *conn_;
  const Variant C(scope_.county), D(scope_.district), Y(scope_.year);

  db::SqlText regionsQuery;
  regionsQuery << "SELECT SELPA_AU_REGION FROM main.KRN_LEAS WHERE LEA_TYPE = 5 AND SCHOOL_DISTRICT_ID = "
               << db::Param(D) << " AND STAT_TYPE = 'OPEN'";
  std::vector<Variant> regions;
  for (auto& row : RowsOf(conn, regionsQuery)) regions.push_back(row[0].IsNull() ? Variant("") : row[0]);
  // Without SELPA rows of its own, the opener's region stands for them.
  if (regions.empty()) regions.push_back(Variant(scope_.auRegion));

  db::SqlText codes;
  codes << "SELECT SCHOOL_DISTRICT_ID, SCHOOL_ID FROM main.KRN_LEAS WHERE COUNTY_ID = " << db::Param(C)
        << " AND SCHOOL_DISTRICT_ID = " << db::Param(D) << " AND FISCAL_YEAR = " << db::Param(Y)
        << " AND LEA_TYPE = 3 AND STAT_TYPE = 'OPEN'"
        << " UNION SELECT SCHOOL_DISTRICT_ID, SCHOOL_ID FROM main.KRN_LEAS WHERE (LEA_TYPE = 3 OR LEA_TYPE = 2"
           " OR LEA_TYPE = 5) AND SELPA_AU_REGION IN (";
  for (std::size_t i = 0; i < regions.size(); ++i) codes << (i ? ", " : "") << db::Param(regions[i]);
  codes << ") AND SELPA_AU_REGION IS NOT NULL AND SELPA_DISTRICTREGION IS NOT NULL AND STAT_TYPE = 'OPEN'";
  return OtherDistrictsAllowed(CdsList(conn, codes));
}

bool CertifiedImport::OtherDistrictsAllowed(const std::vector<std::string>& allowedCodes) {
  db::SqlText q;
  q << "SELECT SCHOOL_DISTRICT_ID, SCHOOL_ID, FORM_NO FROM " << FileTable("LEA_FORMS_STATUS")
    << " WHERE SCHOOL_DISTRICT_ID <> " << db::Param(Variant(scope_.district));
  for (const auto& row : RowsOf(*conn_, q))
    if (!InList(allowedCodes, vb::UCase(CdsCode(row[0], row[1]))) || !IsSelpaForm(row[2])) return false;
  return true;
}

// Any other district: its own rows, and where it fills in the block-grant
// form of its charter schools also the county office's rows of that form
// (50), which are re-keyed to the district in the copy.
bool CertifiedImport::DistrictRights(bool& settled) {
  db::Connection& conn = *conn_;
  const Variant C(scope_.county), D(scope_.district);
  settled = false;

  db::SqlText fillers;
  fillers << "SELECT SCHOOL_DISTRICT_ID, SCHOOL_ID FROM main.KRN_LEAS WHERE COUNTY_ID = " << db::Param(C)
          << " AND SCHOOL_DISTRICT_ID = " << db::Param(D) << " AND LEA_TYPE = 4 AND CS_BA_CHARTER_FILL_BY_DIST = -1";
  if (!HasRows(conn, fillers)) return true;

  // The county office's district code, of the current year's row first.
  db::SqlText office;
  office << "SELECT SCHOOL_DISTRICT_ID FROM main.KRN_LEAS WHERE COUNTY_ID = " << db::Param(C)
         << " AND LEA_TYPE = 2 ORDER BY FISCAL_YEAR = " << db::Param(Variant(scope_.year)) << " DESC, FISCAL_YEAR DESC";
  const Variant K = conn.Scalar(office.Sql(), office.Params());

  db::SqlText foreign;
  foreign << "SELECT SCHOOL_DISTRICT_ID FROM " << FileTable("LEA_FORMS_STATUS") << " WHERE SCHOOL_DISTRICT_ID <> "
          << db::Param(D);
  // Without a county-office row there is no form-50 exception.
  if (!K.IsEmpty() && !K.IsNull())
    foreign << " AND NOT (FORM_NO = 50 AND SCHOOL_DISTRICT_ID = " << db::Param(K) << ")";
  if (HasRows(conn, foreign)) return false;

  db::SqlText form50;
  form50 << "SELECT FORM_NO FROM " << FileTable("LEA_FORMS_STATUS") << " WHERE FORM_NO = 50";
  settled = true;
  if (!HasRows(conn, form50)) return true;

  // The re-key, in the private copy only; all three tables or none. A copy
  // that cannot be re-keyed (two rows that become one) is refused.
  try {
    db::Transaction rekey(conn);
    const long long statusRows =
        conn.Execute("UPDATE " + FileTable("LEA_FORMS_STATUS") + " SET SCHOOL_DISTRICT_ID = ?", {D});
    if (statusRows > 0) {
      if (db::catalog::TableExists(conn, kFileSchema + std::string(".CS_BA")))
        conn.Execute("UPDATE " + FileTable("CS_BA") + " SET SCHOOL_DISTRICT_ID = ?", {D});
      conn.Execute("UPDATE " + FileTable("EXPORT_FILE_INFO") + " SET SCHOOL_DISTRICT_ID = ?", {D});
    }
    rekey.Commit();
  } catch (const vb::VbError&) {
    return false;
  }
  return true;
}

// A SELPA: SELPA forms only, none of its own district at another school,
// and other districts' rows only of agencies in its region.
bool CertifiedImport::SelpaRights() {
  db::Connection& conn = *conn_;
  db::SqlText q;
  q << "SELECT FORM_NO FROM " << FileTable("LEA_FORMS_STATUS") << " WHERE FORM_NO NOT IN " << kSelpaFormList
    << " OR (SCHOOL_DISTRICT_ID = " << db::Param(Variant(scope_.district)) << " AND SCHOOL_ID <> "
    << db::Param(Variant(scope_.school)) << ")";
  if (HasRows(conn, q)) return false;

  db::SqlText codes;
  codes << "SELECT SCHOOL_DISTRICT_ID, SCHOOL_ID FROM main.KRN_LEAS WHERE (LEA_TYPE = 3 OR LEA_TYPE = 2 OR"
           " LEA_TYPE = 5) AND SELPA_AU_REGION = "
        << db::Param(Variant(scope_.auRegion))
        << " AND SELPA_AU_REGION IS NOT NULL AND SELPA_DISTRICTREGION IS NOT NULL";
  return OtherDistrictsAllowed(CdsList(conn, codes));
}

// 4. The prior-year correction marks fit the correction mode: in it no
// form may be marked not corrected, outside it none corrected.
bool CertifiedImport::CorrectionStateFits() {
  return Guarded([&] {
    db::SqlText q;
    q << "SELECT PY_FORMS_CORRECTED FROM " << FileTable("LEA_FORMS_STATUS") << " WHERE PY_FORMS_CORRECTED = "
      << db::Param(Variant(scope_.correctionMode ? "No" : "Yes")) << " COLLATE NOCASE";
    return !HasRows(*conn_, q);
  });
}
