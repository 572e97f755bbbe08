#include "AsciiImportCopy.h"

#include <algorithm>

#include "AsciiFile.h"
#include "AsciiImport.h"
#include "CertifiedImport.h"
#include "db/Catalog.h"
#include "db/SqlText.h"
#include "modCOECertification.h"
#include "modCOEStatus.h"
#include "modMain.h"
#include "ui/Clock.h"
#include "vb/Conversions.h"

namespace asciiimport {
namespace {

using vb::kCrLf;

// The key columns the question names, in its order, with the text before
// the value and whether the value stands between apostrophes.
struct KeyPart {
  const char* column;
  const char* fragment;
  bool quoted;
};
constexpr KeyPart kKeyParts[] = {
    {"FISCAL_YEAR", " FISCAL_YEAR=", false},
    {"PERIOD_ID", " PERIOD_ID=", false},
    {"COUNTY_ID", " COUNTY_ID=", false},
    {"SCHOOL_DISTRICT_ID", " SCHOOL_DISTRICT_ID=", false},
    {"SCHOOL_ID", " SCHOOL_ID = ", false},
    {"RES_SCHOOL_DISTRICT_ID", " RES_SCHOOL_DISTRICT_ID=", false},
    {"RES_COUNTY_ID", " RES_COUNTY_ID=", false},
    {"ROP", " ROP = ", false},
    {"ROP_DISTRICT", " ROP_DISTRICT  = ", false},
    {"TYPE", " TYPE  = ", false},
    {"FORM_NO", " form_no = ", false},
    {"SELPALOCATION", " SELPALOCATION = ", false},
    {"LCILICENSENUMBER", " LCILICENSENUMBER = '", true},
    {"CODE", " CODE = '", true},
    {"NPSNPATYPEID", " NPSNPATYPEID = ", false},
    {"LICENSENUMBER", " LICENSENUMBER = '", true},
    {"SELPAAUDIST", " SelpaAUDist = ", false},
    {"SELPAAUDISTSCHOOLID", " SelpaAUDistSchoolId = ", false},
    {"SELPAAU", " SelpaAU = ", false},
    {"SELPAAUSCHOOLID", " SelpaAuSchoolId = ", false},
    {"SELPADIST", " SelpaDist = ", false},
    {"SELPADISTSCHOOLID", " SelpaDistSchoolId = ", false},
    {"TRTYPE", " TrType = ", false},
    {"GRADE", " GRADE = '", true},
    {"FULL_PERIOD", " FULL_PERIOD = ", false},
    {"AVG_CLASS_ENROLL_SIZE", " AVG_CLASS_ENROLL_SIZE = ", false},
    {"NO_CLASSES_SIZE", " NO_CLASSES_SIZE = ", false},
    {"FRACTION_IN_SESSION", " FRACTION_IN_SESSION = ", false},
    {"HOLBRINSTUDENTID", " HOLBRINStudentID = '", true},
    {"SELECTEDCOUNTYID", " SelectedCountyID=", false},
    {"SELECTEDDISTRICTID", " SelectedDistrictID=", false},
};

// The remembered answer: none (0), one row's Yes (6) or No (7), or a final
// Yes to All (1) or No to All (2) that no later question replaces.
constexpr std::int16_t kYes = 6, kNo = 7, kYesToAll = 1, kNoToAll = 2;
bool Final(std::int16_t answer) { return answer == kYesToAll || answer == kNoToAll; }

enum class Outcome { Skipped, Copied, Overwritten };

constexpr std::int32_t kSchoolLevelForms[] = {50, 51, 100, 102, 502, 513, 514};

// What a written row of a form does to the status rows of the forms that
// depend on it. A reset applies to rows of `period` (0: any), and only when
// the district has a status row of `whenStatusOf` (0: always) for the
// row's period; it clears the edit-check results of form `resets` for
// `resetPeriod` (0: the row's period), of the row's school when `bySchool`,
// else of any school of the district.
struct Reset {
  std::int32_t formNo;
  std::int32_t period;
  std::int32_t whenStatusOf;
  std::int32_t resets;
  std::int32_t resetPeriod;
  bool bySchool;
};
constexpr Reset kResets[] = {
    {102, 2, 0, 102, 3, true},  {102, 1, 0, 102, 2, true},  {102, 1, 0, 102, 3, true},
    {21, 0, 21, 111, 0, false}, {21, 0, 21, 112, 0, false}, {23, 0, 26, 88, 0, false},
    {26, 0, 26, 88, 0, false},  {26, 0, 26, 91, 0, false},
};

// The agency's key values among the table's key columns, school only for a
// school-level form: the rows its status row counts.
void WhereAgency(db::SqlText& q, const std::vector<std::string>& key, const ImportAgency& a, bool bySchool) {
  const std::pair<const char*, std::int32_t> parts[] = {{"FISCAL_YEAR", a.year},
                                                         {"PERIOD_ID", a.period},
                                                         {"COUNTY_ID", a.county},
                                                         {"SCHOOL_DISTRICT_ID", a.district},
                                                         {"SCHOOL_ID", a.school}};
  bool first = true;
  for (const auto& [column, value] : parts) {
    if (std::string_view(column) == "SCHOOL_ID" && !bySchool) continue;
    const bool inKey =
        std::any_of(key.begin(), key.end(), [&](const std::string& k) { return vb::UCase(k) == column; });
    if (!inKey) continue;
    q << (first ? " WHERE " : " AND ") << column << " = " << db::Param(value);
    first = false;
  }
}


std::int32_t Int(const vb::Variant& v) { return vb::IsNull(v) ? 0 : vb::CLng(v); }

// A table the copy writes into: its name, its name as SQL, its key, and
// the texts of the statements a row runs, whose values are bound: whether
// its key is stored (the key's values in key order), and the insert of a
// whole row (the values in column order), which adds nothing in the
// second form when the row breaks a constraint.
struct Target {
  std::string table;
  std::string sqlName;
  std::vector<std::string> key;
  std::string existsSql;
  std::string insertSql;
  std::string insertNewSql;
  // The key columns' places in the rows being copied, found on their first
  // row (the rows have the table's columns).
  mutable std::vector<int> keyFields;
};
Target TargetOf(db::Connection& conn, const std::string& table) {
  Target target{table, db::catalog::RequireSqlName(conn, table), db::catalog::PrimaryKey(conn, table), {}, {}, {}, {}};
  target.existsSql = "SELECT EXISTS (SELECT 1 FROM " + target.sqlName;
  for (std::size_t i = 0; i < target.key.size(); ++i)
    target.existsSql += (i ? " AND " : " WHERE ") + db::QuoteName(target.key[i]) + " = ?";
  target.existsSql += ")";
  target.insertSql = "INSERT INTO " + target.sqlName + " VALUES (";
  const std::size_t columns = db::catalog::ColumnNames(conn, table).size();
  for (std::size_t i = 0; i < columns; ++i) target.insertSql += i ? ", ?" : "?";
  target.insertSql += ")";
  target.insertNewSql = "INSERT OR IGNORE" + target.insertSql.substr(std::string_view("INSERT").size());
  return target;
}

// The current row's values of the key columns, in key order.
std::vector<vb::Variant> KeyValues(const Target& target, const db::Recordset& row) {
  if (target.keyFields.empty())
    for (const std::string& column : target.key) target.keyFields.push_back(row.FieldIndex(column));
  std::vector<vb::Variant> key;
  key.reserve(target.key.size());
  for (std::size_t i = 0; i < target.key.size(); ++i)
    key.push_back(target.keyFields[i] >= 0 ? row.Value(target.keyFields[i]) : row.Value(target.key[i]));
  return key;
}

// A condition on every key column, its value bound.
void WhereKey(db::SqlText& q, const db::Recordset& row, const Target& target) {
  const std::vector<vb::Variant> values = KeyValues(target, row);
  for (std::size_t i = 0; i < target.key.size(); ++i)
    q << (i ? " AND " : " WHERE ") << "\"" << target.key[i] << "\" = " << db::Param(values[i]);
}

bool Stored(db::Connection& conn, const Target& target, const db::Recordset& row) {
  return vb::CLng(conn.Scalar(target.existsSql, KeyValues(target, row))) != 0;
}

void RequireKey(bool keyed) {
  if (!keyed) vb::Raise(vb::err::InvalidProcedureCall, "The row's certificate key could not be computed.");
}

// The current row's values; the row set has the table's columns in its
// order, so they make one bound insert.
std::vector<vb::Variant> RowValues(const db::Recordset& rows) {
  std::vector<vb::Variant> values;
  values.reserve(static_cast<std::size_t>(rows.FieldCount()));
  for (int i = 0; i < rows.FieldCount(); ++i) values.push_back(rows.Value(i));
  return values;
}

// Writes the current row of `rows` in place of the stored row with its key
// (`stored`: whether there is one). A row keyed beforehand (`keyed`) is
// added as it stands; a wide row (`split`) is written by column name and
// keyed from the row as stored; any other gets its key here.
void WriteRow(const CopyRun& run, const Target& target, db::Recordset& rows, bool stored, bool split, bool keyed) {
  db::Connection& conn = vb::Deref(run.conn.get());
  if (stored) {
    db::SqlText remove;
    remove << "DELETE FROM " << target.sqlName;
    WhereKey(remove, rows, target);
    conn.Execute(remove.Sql(), remove.Params());
  }
  if (split) {
    SplitAndUpdateTable(conn, rows, target.table);
    db::SqlText written;
    written << "SELECT * FROM " << target.sqlName;
    WhereKey(written, rows, target);
    const db::RecordsetPtr row = db::Recordset::Query(written.Sql(), run.conn, written.Params());
    RequireKey(!row->Eof() && modCOE::SetCertKeysInRs(run.conn, run.scope, target.table, *row, true));
    row->Update();
    row->UpdateBatch();
    return;
  }
  if (!keyed) RequireKey(modCOE::SetCertKeysInRs(run.conn, run.scope, target.table, rows, true));
  conn.Execute(target.insertSql, RowValues(rows));
}

// Adds the current row, keyed beforehand, when nothing stops it: answers
// false, having changed nothing, when its key is stored or it breaks
// another constraint (which the caller tells apart). `insertNew` is the
// target's insertNewSql, prepared once for all the rows.
bool InsertNew(db::Connection& conn, db::Statement& insertNew, const db::Recordset& rows) {
  const std::vector<vb::Variant>& values = rows.CurrentValues();
  for (std::size_t i = 0; i < values.size(); ++i) insertNew.Bind(static_cast<int>(i + 1), values[i]);
  while (insertNew.Step()) {
  }
  const bool added = conn.Changes() == 1;
  insertNew.Reset();
  return added;
}

// The places of the agency's columns in the rows being copied (-1: none,
// which reads by name and so raises as an unknown field).
struct AgencyFields {
  int year, period, county, district, school;
  explicit AgencyFields(const db::Recordset& rows)
      : year(rows.FieldIndex("FISCAL_YEAR")),
        period(rows.FieldIndex("PERIOD_ID")),
        county(rows.FieldIndex("COUNTY_ID")),
        district(rows.FieldIndex("SCHOOL_DISTRICT_ID")),
        school(rows.FieldIndex("SCHOOL_ID")) {}
};
std::int32_t IntAt(const db::Recordset& row, int index, const char* name) {
  // Read in place; a value never assigned (Empty) counts 0 as Null does.
  return index >= 0 ? Int(row.CurrentValues()[static_cast<std::size_t>(index)]) : Int(row.Value(name));
}

ImportAgency AgencyOf(const db::Recordset& row, const AgencyFields& at, bool bySchool) {
  return {IntAt(row, at.year, "FISCAL_YEAR"), IntAt(row, at.period, "PERIOD_ID"), IntAt(row, at.county, "COUNTY_ID"),
          IntAt(row, at.district, "SCHOOL_DISTRICT_ID"), bySchool ? IntAt(row, at.school, "SCHOOL_ID") : 0};
}

void Remember(std::vector<ImportAgency>& agencies, const ImportAgency& agency) {
  // A file lists an agency's rows together, so the last agency is the likeliest.
  if (!agencies.empty() && agencies.back() == agency) return;
  if (std::find(agencies.begin(), agencies.end(), agency) == agencies.end()) agencies.push_back(agency);
}

// How an agency's stored rows of a table are read for its certificate
// number: the sort columns and CERT_KEY, in the sort order (the certificate
// still sorts them itself). A table without sort columns or without
// CERT_KEY is read whole, in the order the database gives.
struct CertificateRead {
  std::vector<std::string> sortKeys;
  std::string select = "*";
  std::string order;
};
CertificateRead CertificateReadOf(db::Connection& conn, const std::string& table,
                                  std::vector<std::string> sortKeys) {
  CertificateRead read{std::move(sortKeys), "*", {}};
  const std::vector<std::string> columns = db::catalog::ColumnNames(conn, table);
  const bool keyed =
      std::any_of(columns.begin(), columns.end(), [](const std::string& c) { return vb::UCase(c) == "CERT_KEY"; });
  if (read.sortKeys.empty() || !keyed) return read;
  for (const std::string& k : read.sortKeys) read.order += (read.order.empty() ? "" : ", ") + db::QuoteName(k);
  read.select = read.order + ", CERT_KEY";
  return read;
}

db::RecordsetPtr AgencyRows(const db::ConnectionPtr& conn, const Target& target, const ImportAgency& agency,
                            bool bySchool, const CertificateRead& read) {
  db::SqlText group;
  group << "SELECT " << read.select << " FROM " << target.sqlName;
  WhereAgency(group, target.key, agency, bySchool);
  if (!read.order.empty()) group << " ORDER BY " << read.order;
  return db::Recordset::Query(group.Sql(), conn, group.Params());
}

// The certificate number of rows in the order of the table's key; a step
// that fails leaves the whole change undone.
std::int32_t CertificateOf(db::Recordset& rows, const std::vector<std::string>& sortKeys) {
  const std::optional<std::int32_t> certificate = modCOE::GroupCertKeyOfAll(rows, sortKeys);
  if (!certificate) vb::Raise(vb::err::InvalidProcedureCall, "The form's certificate number could not be computed.");
  return *certificate;
}

constexpr std::int32_t kInfantFundingForm = 102;
constexpr const char* kInfantFundingTables[] = {"InfantFundingAllocation", "InfantFundingTransfer"};


}  // namespace

bool IsSchoolLevelForm(std::int32_t formNo) {
  return std::find(std::begin(kSchoolLevelForms), std::end(kSchoolLevelForms), formNo) != std::end(kSchoolLevelForms);
}

namespace {

// The status row of the agency's form in `period`, by school when asked.
modCOE::ImportedStatusKey StatusRowOf(std::int32_t formNo, const ImportAgency& agency, std::int32_t period,
                                 bool bySchool) {
  modCOE::ImportedStatusKey key{formNo, agency.year, period, agency.county, agency.district, std::nullopt};
  if (bySchool) key.school = agency.school;
  return key;
}

}  // namespace

void UpdateCOEFormsStatus(db::Connection& conn, std::int32_t formNo, const ImportAgency& agency,
                          std::int32_t certificate, std::int32_t records, const vb::Date& now) {
  modCOE::WriteImportedStatus(conn, StatusRowOf(formNo, agency, agency.period, IsSchoolLevelForm(formNo)),
                              certificate, records, now);
}

void ResetDependentForms(db::Connection& conn, std::int32_t formNo, const ImportAgency& agency) {
  for (const Reset& reset : kResets) {
    if (reset.formNo != formNo || (reset.period != 0 && reset.period != agency.period)) continue;
    if (reset.whenStatusOf != 0 &&
        !modCOE::HasStatusRow(conn, StatusRowOf(reset.whenStatusOf, agency, agency.period, false)))
      continue;
    modCOE::ClearEditChecks(
        conn, StatusRowOf(reset.resets, agency, reset.resetPeriod ? reset.resetPeriod : agency.period, reset.bySchool));
  }
}

GroupKey getGroupCertKey(const db::ConnectionPtr& conn, const forms::FormScope& scope, std::int32_t formNo,
                         const ImportAgency& agency, std::int32_t formCertificate, std::int32_t records) {
  GroupKey group{0, records};
  if (formNo != kInfantFundingForm) return group;
  std::vector<std::int32_t> keys{formCertificate};
  for (const char* table : kInfantFundingTables) {
    const Target target = TargetOf(vb::Deref(conn.get()), table);
    const CertificateRead read =
        CertificateReadOf(vb::Deref(conn.get()), table, modMain::GetSortKeys(conn, scope, table));
    const db::RecordsetPtr rows = AgencyRows(conn, target, agency, true, read);
    if (rows->Eof()) {
      keys.push_back(0);
      continue;
    }
    keys.push_back(CertificateOf(*rows, read.sortKeys));
    group.records += static_cast<std::int32_t>(rows->RecordCount());
  }
  group.certificate = CertifiedImport::JoinedKeysCertificate(keys);
  return group;
}

CopyCounts CopyImportRowsNoPrompt(const CopyRun& run, const std::string& table, db::Recordset& rows,
                                  std::vector<ImportAgency>* written) {
  db::Connection& conn = vb::Deref(run.conn.get());
  const Target target = TargetOf(conn, table);
  CopyCounts counts;
  db::Transaction transaction(conn);
  const AgencyFields agencyFields(rows);
  for (rows.MoveFirst(); !rows.Eof(); rows.MoveNext()) {
    const bool stored = Stored(conn, target, rows);
    WriteRow(run, target, rows, stored, false, false);
    ++(stored ? counts.overwritten : counts.copied);
    if (written) Remember(*written, AgencyOf(rows, agencyFields, true));
  }
  transaction.Commit();
  return counts;
}

std::int32_t SplitAndUpdateTable(db::Connection& conn, const db::Recordset& row, const std::string& table) {
  constexpr std::size_t kBatch = 30;
  const Target target = TargetOf(conn, table);
  if (target.key.empty()) vb::Raise(vb::err::InvalidProcedureCall, "The table " + table + " has no key columns.");
  const auto inKey = [&](const std::string& column) {
    return std::any_of(target.key.begin(), target.key.end(),
                       [&](const std::string& k) { return vb::UCase(k) == vb::UCase(column); });
  };
  std::vector<std::string> data;
  for (int i = 0; i < row.FieldCount(); ++i)
    if (!inKey(row.FieldInfo(i).name)) data.push_back(row.FieldInfo(i).name);
  std::int32_t statements = 0;
  for (std::size_t from = 0; from < data.size(); from += kBatch) {
    const std::vector<std::string> batch(data.begin() + static_cast<long>(from),
                                         data.begin() + static_cast<long>(std::min(from + kBatch, data.size())));
    db::SqlText upsert;
    upsert << "INSERT INTO " << target.sqlName << " (";
    std::string separator;
    for (const std::vector<std::string>* names : {&target.key, &batch})
      for (const std::string& column : *names) {
        upsert << separator << db::QuoteName(column);
        separator = ", ";
      }
    upsert << ") VALUES (";
    separator.clear();
    for (const std::vector<std::string>* names : {&target.key, &batch})
      for (const std::string& column : *names) {
        upsert << separator << db::Param(row.Value(column));
        separator = ", ";
      }
    upsert << ") ON CONFLICT (";
    for (std::size_t i = 0; i < target.key.size(); ++i) upsert << (i ? ", " : "") << db::QuoteName(target.key[i]);
    upsert << ") DO UPDATE SET ";
    for (std::size_t i = 0; i < batch.size(); ++i)
      upsert << (i ? ", " : "") << db::QuoteName(batch[i]) << " = excluded." << db::QuoteName(batch[i]);
    conn.Execute(upsert.Sql(), upsert.Params());
    ++statements;
  }
  return statements;
}

std::string KeyCondition(const db::Recordset& row, const std::vector<std::string>& keyColumns) {
  std::string condition;
  for (const KeyPart& part : kKeyParts) {
    const bool inKey = std::any_of(keyColumns.begin(), keyColumns.end(),
                                   [&](const std::string& k) { return vb::UCase(k) == part.column; });
    if (!inKey) continue;
    condition += (condition.empty() ? "" : " and ") + std::string(part.fragment) +
                 asciifile::ValueText(row.Value(part.column)) + (part.quoted ? "'" : "");
  }
  return condition;
}

CopyCounts CopyImportRows(const CopyRun& run, db::Recordset& rows, std::string& report) {
  db::Connection& conn = vb::Deref(run.conn.get());
  const Target target = TargetOf(conn, StorageTable(run.formName));
  const std::string upperForm = vb::UCase(run.formName);
  const bool split = upperForm == "ATT_SD" || upperForm == "ATTCSACD";
  db::SqlText form;
  form << "SELECT FORM_DISPLAY_NAME, FORM_NO FROM VHO_TORB_FORMS WHERE FORM_NAME = " << db::Param(run.formName);
  const db::RecordsetPtr catalogue = db::Recordset::Query(form.Sql(), run.conn, form.Params());
  if (catalogue->Eof()) vb::Raise(vb::err::ItemNotFound, "The form " + run.formName + " is not in the catalogue.");
  const std::string displayName = asciifile::ValueText(catalogue->Value("FORM_DISPLAY_NAME"));
  const std::int32_t formNo = Int(catalogue->Value("FORM_NO"));
  const bool bySchool = IsSchoolLevelForm(formNo);
  std::vector<ImportAgency> written;  // in the order of their first written row

  CopyCounts counts;
  std::int16_t remembered = 0;
  db::Transaction transaction(conn);
  // Every row's certificate key at once, from its values as loaded; a wide
  // row is keyed from the row as stored instead.
  if (!split && rows.RecordCount() > 0) RequireKey(modCOE::SetCertKeysInRs(run.conn, run.scope, target.table, rows, false));
  const AgencyFields agencyFields(rows);
  db::Statement insertNew;
  if (!split) insertNew = conn.Prepare(target.insertNewSql);
  for (rows.MoveFirst(); !rows.Eof(); rows.MoveNext()) {
    // After No to All every row is skipped, stored or not.
    if (remembered == kNoToAll) {
      ++counts.skipped;
      continue;
    }
    // A row whose key is new is simply added; one that is not added is
    // either stored or refused by the table, which its insert below then
    // reports.
    if (!split && InsertNew(conn, insertNew, rows)) {
      ++counts.copied;
      Remember(written, AgencyOf(rows, agencyFields, bySchool));
      continue;
    }
    const bool stored = Stored(conn, target, rows);
    Outcome outcome;
    if (stored) {
      if (!Final(remembered))
        remembered = run.ask("Record for " + KeyCondition(rows, target.key) + " already exists. Do you want to Overwrite?",
                             "Importing ASCII File - " + displayName);
      outcome = remembered == kYes || remembered == kYesToAll ? Outcome::Overwritten : Outcome::Skipped;
    } else {
      outcome = remembered == kNoToAll ? Outcome::Skipped : Outcome::Copied;
    }
    if (outcome == Outcome::Skipped) {
      ++counts.skipped;
      continue;
    }
    WriteRow(run, target, rows, stored, split, !split);
    ++(outcome == Outcome::Copied ? counts.copied : counts.overwritten);
    Remember(written, AgencyOf(rows, agencyFields, bySchool));
  }

  // The infant-funding blocks follow the main block; when every main row
  // was skipped, so are theirs.
  const bool infantFunding = upperForm == "INFANTFUNDING";
  if (infantFunding && run.lines) {
    std::size_t next = run.blocksFrom;
    const bool flagged[] = {run.allocationBlock, run.transferBlock};
    for (int i = 0; i < 2; ++i) {
      if (!flagged[i]) continue;
      std::string header;
      const db::RecordsetPtr block = asciiimport::LoadSecondaryBlock(*run.lines, conn, next, header);
      if (written.empty()) {
        counts.skipped += static_cast<std::int32_t>(block->RecordCount());
        continue;
      }
      const CopyCounts copied = CopyImportRowsNoPrompt(run, kInfantFundingTables[i], *block, &written);
      counts.copied += copied.copied;
      counts.overwritten += copied.overwritten;
    }
  }

  // Each agency's status row and resets, from its rows as now stored.
  const CertificateRead read =
      CertificateReadOf(conn, target.table, modMain::GetSortKeys(run.conn, run.scope, target.table));
  for (const ImportAgency& agency : written) {
    const db::RecordsetPtr groupRows = AgencyRows(run.conn, target, agency, bySchool, read);
    GroupKey group{0, static_cast<std::int32_t>(groupRows->RecordCount())};
    group.certificate = CertificateOf(*groupRows, read.sortKeys);
    if (infantFunding) group = getGroupCertKey(run.conn, run.scope, formNo, agency, group.certificate, group.records);
    UpdateCOEFormsStatus(conn, formNo, agency, group.certificate, group.records, ui::Now());
    ResetDependentForms(conn, formNo, agency);
  }
  transaction.Commit();
  report += "Import Group: " + displayName + kCrLf;
  report += "\tNumber of Records Skipped     = " + std::to_string(counts.skipped) + kCrLf;
  report += "\tNumber of Records Copied      = " + std::to_string(counts.copied) + kCrLf;
  report += "\tNumber of Records Overwritten = " + std::to_string(counts.overwritten) + kCrLf + kCrLf;
  return counts;
}

}  // namespace asciiimport
