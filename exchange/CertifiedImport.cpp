// The merge of a checked certified-data file: the walk over its table of
// contents group by group, with the report lines of each group, and the
// look-ups the walk uses.

#include "CertifiedImport.h"

#include <algorithm>
#include <cmath>
#include <optional>

#include "FormData.h"
#include "Utilities.h"
#include "clsMyCRC32.h"
#include "modCOECertification.h"
#include "modCOEStatus.h"
#include "modMain.h"
#include "db/Catalog.h"
#include "db/SqlText.h"
#include "vb/Conversions.h"

using vb::Variant;

namespace {

constexpr const char* kModule = "frmImport";
using vb::kCrLf;

// The group whose rows of an agency's district are replaced as a whole.
constexpr const char* kReplacedGroup = "BRL_SD_CSP_NEW";

std::string QuotedColumns(const std::vector<std::string>& columns) {
  std::string text;
  for (std::size_t i = 0; i < columns.size(); ++i) text += (i ? ", " : "") + db::QuoteName(columns[i]);
  return text;
}

}  // namespace

// --- The import ------------------------------------------------------------------------

Variant CertifiedImport::Toc(const char* column) const { return toc_->Value(column); }

bool CertifiedImport::Step(Trap& trap, const std::function<void()>& body) {
  // True when the step completed, at once or after Retry.
  return trap([&] {
    db::Transaction step(*conn_);
    body();
    step.Commit();
  });
}

bool CertifiedImport::ReadingStep(Trap& trap, const std::function<void()>& body) { return trap(body); }

bool CertifiedImport::ImportCertified(std::string& report, const vb::Date& importTime) {
  importTime_ = importTime;
  overwriteAnswer_ = kYes;
  importedRows_.clear();
  copied_ = overwritten_ = 0;
  Trap trap(kModule, "ImportCertified");
  std::optional<db::Transaction> merge;
  if (!trap([&] { merge.emplace(*conn_); })) return false;

  std::string lines;
  if (!Step(trap, [&] {
        db::SqlText q;
        q << "SELECT * FROM " << FileTable("EXPORT_FILE_INFO")
          << " ORDER BY FORM_GROUP_NAME COLLATE NOCASE, COUNTY_ID, SCHOOL_DISTRICT_ID, SCHOOL_ID";
        toc_ = forms::Snapshot(conn_, q);
        pump_();
        // An empty table of contents merges nothing and writes no group lines.
        firstRow_ = true;
        groupName_.clear();
        groupDisplayName_.clear();
        if (!toc_->Eof()) {
          groupName_ = vb::CStr(Toc("FORM_GROUP_NAME"));
          groupDisplayName_ = getFormDetails(conn_, groupName_);
        }
      }))
    return false;

  while (!toc_->Eof())
    if (!MergeTocRow(trap, lines)) return false;

  if (!Step(trap, [&] { ResetDependentForms(); })) return false;
  if (!Step(trap, [&] { CopyAnswers(); })) return false;
  if (!Step(trap, [&] { CopyCountyModel(); })) return false;
  if (!Step(trap, [&] { CopyContacts(); })) return false;
  // The file's import marks and re-keyed tables were the private copy's
  // alone: the chosen file holds nothing to clear or restore. The caller
  // detaches the copy once this transaction has ended.
  if (!trap([&] { merge->Commit(); })) return false;
  report += lines;
  return true;
}

bool CertifiedImport::MergeTocRow(Trap& trap, std::string& lines) {
  const std::string upperGroup = vb::UCase(groupName_);
  // Under No or No to All nothing of the group is merged: its rows stay.
  const bool copying = overwriteAnswer_ == kYes || overwriteAnswer_ == kYesToAll;
  if (upperGroup == kReplacedGroup && copying && !Step(trap, [&] { DeleteAgencyRows(); })) return false;
  if (!ReadingStep(trap, [&] { ReadIncomingRows(); })) return false;

  if (!incoming_->Eof() && incoming_->RecordCount() >= 1) {
    if (!ReadingStep(trap, [&] { ReadPriorRows(); })) return false;
    if (!Step(trap, [&] { CopyIncomingRows(); })) return false;
    if (overwriteAnswer_ == kYes || overwriteAnswer_ == kYesToAll) {
      if (!Step(trap, [&] { MergeCompanionTables(); })) return false;
      if (!ReadingStep(trap, [&] { ComputeGroupCertificate(); })) return false;
      if (!Step(trap, [&] { WriteFormStatus(); })) return false;
    }
  }

  // The advance: after No the group's further agencies are passed over.
  return trap([&] {
    if (overwriteAnswer_ == kNo) {
      while (!toc_->Eof() && vb::UCase(vb::CStr(Toc("FORM_GROUP_NAME"))) == upperGroup) toc_->MoveNext();
      overwriteAnswer_ = kYes;
    } else {
      toc_->MoveNext();
    }
    if (toc_->Eof()) {
      AppendGroupLines(lines);
    } else if (vb::UCase(vb::CStr(Toc("FORM_GROUP_NAME"))) != upperGroup) {
      AppendGroupLines(lines);
      firstRow_ = true;
      groupName_ = vb::CStr(Toc("FORM_GROUP_NAME"));
      groupDisplayName_ = getFormDetails(conn_, groupName_);
    }
  });
}

// The group's rows of the agency's district, year and period go before the
// file's take their place.
void CertifiedImport::DeleteAgencyRows() {
  db::SqlText q;
  q << "DELETE FROM " << WorkingTable(groupName_) << " WHERE COUNTY_ID = " << db::Param(Toc("COUNTY_ID"))
    << " AND SCHOOL_DISTRICT_ID = " << db::Param(Toc("SCHOOL_DISTRICT_ID"))
    << " AND FISCAL_YEAR = " << db::Param(Toc("FISCAL_YEAR")) << " AND PERIOD_ID = " << db::Param(Toc("PERIOD_ID"));
  conn_->Execute(q.Sql(), q.Params());
}

namespace {

// The rows of one agency in `table`: of its county and district, year and
// period, and of its school unless `withoutSchool`.
void AgencyRows(db::SqlText& q, const std::string& table, const db::Recordset& toc, bool withoutSchool,
                const std::string& columns = "*") {
  q << "SELECT " << columns << " FROM " << table << " WHERE COUNTY_ID = " << db::Param(toc.Value("COUNTY_ID"))
    << " AND SCHOOL_DISTRICT_ID = " << db::Param(toc.Value("SCHOOL_DISTRICT_ID"));
  if (!withoutSchool) q << " AND SCHOOL_ID = " << db::Param(toc.Value("SCHOOL_ID"));
  q << " AND FISCAL_YEAR = " << db::Param(toc.Value("FISCAL_YEAR"))
    << " AND PERIOD_ID = " << db::Param(toc.Value("PERIOD_ID"));
}

}  // namespace

db::RecordsetPtr CertifiedImport::IncomingRowsOf(const db::Recordset& toc) const {
  db::SqlText q;
  AgencyRowsOf(q, FileTable(importrules::TableOf(vb::CStr(toc.Value("FORM_GROUP_NAME")))), toc);
  return forms::Snapshot(conn_, q);
}

void CertifiedImport::AgencyRowsOf(db::SqlText& q, const std::string& table, const db::Recordset& toc,
                                   const std::string& columns) const {
  const ImportGroupRule& rule = importrules::Rule(vb::CStr(toc.Value("FORM_GROUP_NAME")));
  AgencyRows(q, table, toc, rule.incoming != IncomingRows::OfSchool, columns);
  // The opener's own district reads the county's other districts' school
  // rows of the group as well.
  if (rule.incoming == IncomingRows::Gate && vb::Equal(toc.Value("COUNTY_ID"), Variant(scope_.county)) &&
      vb::Equal(toc.Value("SCHOOL_DISTRICT_ID"), Variant(scope_.district))) {
    q << " UNION SELECT " << columns << " FROM " << table << " WHERE COUNTY_ID = " << db::Param(toc.Value("COUNTY_ID"))
      << " AND SCHOOL_DISTRICT_ID <> " << db::Param(toc.Value("SCHOOL_DISTRICT_ID"))
      << " AND FISCAL_YEAR = " << db::Param(toc.Value("FISCAL_YEAR"))
      << " AND PERIOD_ID = " << db::Param(toc.Value("PERIOD_ID")) << " AND SCHOOL_ID <> 0";
  }
}

void CertifiedImport::ReadIncomingRows() {
  incoming_ = IncomingRowsOf(*toc_);
  pump_();
}

// For a group of entry-check type 2: whether the working database holds the
// group's rows of the agency already.
void CertifiedImport::ReadPriorRows() {
  entryCheckType_ = GetFormECtype(groupName_);
  priorRows_ = false;
  if (entryCheckType_ != 2) return;
  db::SqlText q;
  AgencyRows(q, WorkingTable(groupName_), *toc_, importrules::Rule(groupName_).incoming != IncomingRows::OfSchool);
  db::RecordsetPtr rows = forms::Snapshot(conn_, q);
  priorRows_ = !rows->Eof() && rows->RecordCount() >= 1;
}

namespace {

// The group that counts its rows of this type neither as copied nor as
// overwritten, nor in its certificate and record count.
constexpr const char* kBlockGrantGroup = "ATT_CS_BG_U";
constexpr std::int32_t kUncountedType = 2;

// The groups whose status row takes its record count from the group's own
// certificate routine.
constexpr const char* kRoutineCountGroups[] = {"INFANTFUNDING", "ATTCSBGCOE", "ATTCS", "ATTCOECS", "ATTCSACD"};

// The key columns of a class-size row of grade "F": the agency, year,
// period and grade alone.
constexpr const char* kGradeFKey[] = {"FISCAL_YEAR", "PERIOD_ID", "COUNTY_ID", "SCHOOL_DISTRICT_ID", "SCHOOL_ID",
                                      "GRADE"};

bool IsUncounted(const std::string& upperGroup, const db::Recordset& row) {
  if (upperGroup != kBlockGrantGroup) return false;
  const Variant type = row.Value("TYPE");
  return !type.IsNull() && !type.IsEmpty() && vb::Equal(type, Variant(kUncountedType));
}

// Column IS value conditions of a key; a Null value matches Null.
void AppendKey(db::SqlText& q, const std::vector<std::pair<std::string, Variant>>& key) {
  for (std::size_t i = 0; i < key.size(); ++i)
    q << (i ? " AND " : " WHERE ") << db::QuoteName(key[i].first) << " IS " << db::Param(key[i].second);
}

// Dependent status rows that lose their edit-check date when a group is
// imported: the forms, in order, and whether the school's Annual row is
// meant (only for an import of P-2) rather than the district's rows of the
// imported period.
struct DependentReset {
  const char* group;
  std::vector<std::int32_t> forms;
  bool annualOfSchool;
};
const DependentReset kDependentResets[] = {
    {"ATT_SD", {110, 111, 112, 95}, false},
    {"ATTCOE", {95, 88}, false},
    {"ATTCOECCSE", {88}, false},
    {"ATTCOEDISTFUNDADA", {88}, false},
    {"ATTCSACD", {41}, true},
};

}  // namespace

const std::vector<db::FieldMeta>& CertifiedImport::FieldsOf(const std::string& table) const {
  auto found = fields_.find(table);
  if (found == fields_.end()) {
    db::SqlText none;
    none << "SELECT * FROM " << WorkingTable(table) << " WHERE 0";
    const db::RecordsetPtr rs = db::Recordset::Query(none.Sql(), conn_);
    std::vector<db::FieldMeta> fields;
    for (int i = 0; i < rs->FieldCount(); ++i) fields.push_back(rs->FieldInfo(i));
    found = fields_.emplace(table, std::move(fields)).first;
  }
  return found->second;
}

namespace {

// Whether a stored value and the value about to be written are stored alike:
// both Null, the same whole number, or the same text to the byte. Written
// over itself such a value changes nothing.
bool StoredAlike(const Variant& stored, const Variant& written) {
  auto whole = [](const Variant& v) { return v.Type() == vb::VarType::Integer || v.Type() == vb::VarType::Long; };
  if (stored.IsNull() || stored.IsEmpty()) return written.IsNull() || written.IsEmpty();
  if (whole(stored) && whole(written)) return vb::CLng(stored) == vb::CLng(written);
  return stored.Type() == vb::VarType::String && written.Type() == vb::VarType::String &&
         stored.AsString() == written.AsString();
}

}  // namespace

void CertifiedImport::Held::Run(const db::ConnectionPtr& conn, const std::vector<Variant>& values) {
  if (!stmt) stmt = conn->Prepare(sql);
  stmt.Bind(values);
  while (stmt.Step()) {
  }
  stmt.Reset();
}

std::optional<CertifiedImport::Stored> CertifiedImport::StoredRow(
    const std::string& table, const std::vector<std::pair<std::string, Variant>>& key) const {
  // The rows of one loop look up the same table by the same columns.
  auto fits = [&](const KeyLookup& lookup) {
    if (lookup.table != table || lookup.columns.size() != key.size()) return false;
    for (std::size_t i = 0; i < key.size(); ++i)
      if (lookup.columns[i] != key[i].first) return false;
    return true;
  };
  if (!lastLookup_ || !fits(*lastLookup_)) lastLookup_ = &LookupOf(table, key);
  KeyLookup& found = *lastLookup_;
  db::Statement& stmt = found.query.stmt;
  if (!stmt) stmt = conn_->Prepare(found.query.sql);
  {
    const db::ConnectionLock lock(conn_->Handle());
    for (std::size_t i = 0; i < key.size(); ++i) stmt.Bind(static_cast<int>(i + 1), key[i].second);
  }
  std::optional<Stored> stored;
  if (stmt.Step()) {
    const db::ConnectionLock lock(conn_->Handle());
    stored.emplace();
    stored->rowid = db::ReadValue(stmt.get(), 0, db::DataType::Variant);
    stored->lookup = &found;
    for (std::size_t i = 0; i < key.size(); ++i)
      stored->key.push_back(db::ReadValue(stmt.get(), static_cast<int>(i + 1), db::DataType::Variant));
  }
  stmt.Reset();
  if (stored && stored->rowid.IsNull()) stored.reset();
  return stored;
}

CertifiedImport::KeyLookup& CertifiedImport::LookupOf(const std::string& table,
                                                      const std::vector<std::pair<std::string, Variant>>& key) const {
  std::string asked = table;
  for (const auto& [column, value] : key) (asked += '\x1f') += column;
  auto lookup = keyLookups_.find(asked);
  if (lookup == keyLookups_.end()) {
    KeyLookup made;
    made.table = table;
    for (const auto& [column, value] : key) made.columns.push_back(column);
    std::string columns;
    for (const auto& [column, value] : key) {
      columns += ", " + db::QuoteName(column);
      const std::vector<db::FieldMeta>& fields = FieldsOf(table);
      auto same = [&](const db::FieldMeta& f) { return vb::UCase(f.name) == vb::UCase(column); };
      auto field = std::find_if(fields.begin(), fields.end(), same);
      made.fieldIndex.push_back(field == fields.end() ? -1 : static_cast<int>(field - fields.begin()));
    }
    db::SqlText q;
    q << "SELECT rowid" << columns << " FROM " << WorkingTable(table);
    AppendKey(q, key);
    q << " LIMIT 1";
    made.query.sql = q.Sql();
    lookup = keyLookups_.emplace(std::move(asked), std::move(made)).first;
  }
  return lookup->second;
}

void CertifiedImport::WriteRow(const std::string& table, const db::Recordset& row, const std::optional<Stored>& stored) {
  const std::vector<db::FieldMeta>& fields = FieldsOf(table);
  if (static_cast<std::size_t>(row.FieldCount()) != fields.size())
    vb::Raise(vb::err::InvalidProcedureCall, "The file's table " + table + " does not have the working table's columns.");
  // The whole row: each column's value converted, in the table's order.
  std::vector<Variant> values;
  values.reserve(fields.size() + 1);
  bool everyValue = true;
  for (std::size_t j = 0; j < fields.size(); ++j) {
    values.push_back(
        db::ConvertForField(row.Value(static_cast<int>(j)), fields[j].type, fields[j].definedSize, fields[j].name));
    everyValue = everyValue && !values.back().IsEmpty();
  }
  if (!stored && !everyValue) {
    // A new row with columns left to the table's defaults.
    std::vector<std::pair<const db::FieldMeta*, Variant>> named;
    for (std::size_t j = 0; j < fields.size(); ++j) named.emplace_back(&fields[j], values[j]);
    return WriteValues(table, named, stored);
  }
  WholeRow& statements = wholeRows_[table];
  if (statements.insert.sql.empty()) {
    std::string columns, marks;
    for (const db::FieldMeta& field : fields) {
      columns += (columns.empty() ? "" : ", ") + db::QuoteName(field.name);
      marks += marks.empty() ? "?" : ", ?";
    }
    statements.insert.sql = "INSERT INTO " + WorkingTable(table) + " (" + columns + ") VALUES (" + marks + ")";
  }
  if (!stored) return statements.insert.Run(conn_, values);

  // A key column that already holds the value written is left out, so that
  // the table's key index is not rewritten for nothing; one whose stored
  // value differs (say in letter case) is written.
  std::string kept(fields.size(), '1');
  for (std::size_t i = 0; i < stored->key.size(); ++i) {
    const int j = stored->lookup->fieldIndex[i];
    if (j >= 0 && StoredAlike(stored->key[i], values[static_cast<std::size_t>(j)])) kept[static_cast<std::size_t>(j)] = '0';
  }
  Held& update = statements.updates[kept];
  std::string sets;
  std::size_t bound = 0;
  for (std::size_t j = 0; j < fields.size(); ++j) {
    if (kept[j] == '0') continue;
    if (update.sql.empty()) sets += (sets.empty() ? "" : ", ") + db::QuoteName(fields[j].name) + " = ?";
    if (bound != j) values[bound] = std::move(values[j]);
    ++bound;
  }
  if (bound == 0) return;
  values.resize(bound);
  if (update.sql.empty()) update.sql = "UPDATE " + WorkingTable(table) + " SET " + sets + " WHERE rowid = ?";
  values.push_back(stored->rowid);
  update.Run(conn_, values);
}

void CertifiedImport::WriteValues(const std::string& table,
                                  const std::vector<std::pair<const db::FieldMeta*, Variant>>& values,
                                  const std::optional<Stored>& stored) {
  std::string columns, marks;
  std::vector<Variant> bound;
  for (const auto& [field, given] : values) {
    Variant value = db::ConvertForField(given, field->type, field->definedSize, field->name);
    // A new row's column without a value takes the table's default.
    if (!stored && value.IsEmpty()) continue;
    columns += (columns.empty() ? "" : ", ") + db::QuoteName(field->name) + (stored ? " = ?" : "");
    marks += marks.empty() ? "?" : ", ?";
    bound.push_back(std::move(value));
  }
  const std::string& target = WorkingTable(table);
  if (stored) {
    if (columns.empty()) return;
    bound.push_back(stored->rowid);
    conn_->Execute("UPDATE " + target + " SET " + columns + " WHERE rowid = ?", bound);
  } else {
    conn_->Execute("INSERT INTO " + target + (columns.empty() ? " DEFAULT VALUES" : " (" + columns + ") VALUES (" + marks + ")"), bound);
  }
}

const db::FieldMeta& CertifiedImport::FieldOf(const std::string& table, const std::string& column) const {
  const std::string name = table + '.' + column;
  if (auto found = fieldsByName_.find(name); found != fieldsByName_.end()) return *found->second;
  for (const db::FieldMeta& field : FieldsOf(table))
    if (vb::UCase(field.name) == vb::UCase(column)) return *fieldsByName_.emplace(name, &field).first->second;
  vb::Raise(vb::err::ItemNotFound, "The table " + table + " has no column named " + column + ".");
}

void CertifiedImport::RowKeyOf(const db::Recordset& row, const std::string& table, const std::vector<int>& positions,
                               std::vector<std::pair<std::string, Variant>>& key) const {
  const bool gradeF = groupName_ == kReplacedGroup && vb::TextOf(row.Value("GRADE")) == "F";
  const bool textStudentNumbers = upperGroupName_ != kReplacedGroup;
  const std::vector<std::string>& columns = PrimaryKeyOf(table);
  std::size_t n = 0;
  for (std::size_t i = 0; i < columns.size(); ++i) {
    const std::string& column = columns[i];
    if (gradeF && std::find(std::begin(kGradeFKey), std::end(kGradeFKey), column) == std::end(kGradeFKey)) continue;
    Variant value = positions[i] >= 0 ? row.Value(positions[i]) : row.Value(column);
    // A student number matches as text whatever its column holds.
    if (column == "HOLBRINStudentID" && textStudentNumbers && !value.IsNull()) value = Variant(vb::CStr(value));
    // The pairs of the previous row are filled again: the names stay.
    if (n == key.size()) key.emplace_back(column, std::move(value));
    else {
      if (key[n].first != column) key[n].first = column;
      key[n].second = std::move(value);
    }
    ++n;
  }
  key.resize(n);
  if (key.empty()) vb::Raise(vb::err::InvalidProcedureCall, "The table " + table + " has no key columns.");
}

// Each incoming row is added, or written over its working row, under the
// answer in force; the question comes once per group, at its first row, and
// only for a row that exists.
void CertifiedImport::CopyIncomingRows() {
  const std::string upperGroup = vb::UCase(groupName_);
  const std::string table = importrules::TableOf(groupName_);
  const std::string keyTable = importrules::KeyTableOf(groupName_);
  const std::string target = WorkingTable(table);
  upperGroupName_ = upperGroup;
  // The key columns' positions among the incoming columns, found once.
  std::vector<int> keyPositions;
  for (const std::string& column : PrimaryKeyOf(keyTable)) keyPositions.push_back(incoming_->FieldIndex(column));
  for (incoming_->MoveFirst(); !incoming_->Eof(); incoming_->MoveNext()) {
    RowKeyOf(*incoming_, keyTable, keyPositions, rowKey_);
    // The class-size group's rows of the district are gone: every row is new.
    const std::optional<Stored> stored =
        upperGroup == kReplacedGroup ? std::nullopt : StoredRow(table, rowKey_);
    pump_();
    const bool exists = stored.has_value();
    if (exists && (overwriteAnswer_ == kYes || overwriteAnswer_ == kNo) && firstRow_) {
      Utilities::ScreenMouseEnabled(true);
      overwriteAnswer_ = Utilities::MessageBox(
          Variant("Record for " + groupDisplayName_ + " already exists, Overwrite?"), Variant("Import"));
      Utilities::ScreenMouseEnabled(false);
    }
    firstRow_ = false;
    if (overwriteAnswer_ != kYes && overwriteAnswer_ != kYesToAll) continue;

    if (upperGroup == "ATT_SD" || upperGroup == "ATTCSACD") {
      // These wide rows are written by column name.
      db::SqlText none;
      none << "SELECT * FROM " << target << " WHERE 0";
      db::RecordsetPtr rows = forms::Snapshot(conn_, none);
      rows->AddNew();
      for (int j = 0; j < incoming_->FieldCount(); ++j) rows->SetValue(j, incoming_->Value(j));
      SplitAndUpdateTable(conn_, *rows, upperGroup);
    } else {
      WriteRow(table, *incoming_, stored);
    }
    pump_();
    if (!IsUncounted(upperGroup, *incoming_)) ++(exists ? overwritten_ : copied_);
  }

  // The companion key: the key columns of the group's companion tables but
  // their own detail columns, with the last row's values.
  companionKey_.clear();
  incoming_->MoveLast();
  for (const CompanionKeyPart& part : importrules::Rule(groupName_).companionKey) {
    for (const std::string& column : PrimaryKeyOf(std::string(part.table))) {
      auto leftOut = [&](std::string_view name) {
        return part.ignoreCase ? vb::UCase(std::string(name)) == vb::UCase(column) : name == column;
      };
      if (std::none_of(part.leftOut.begin(), part.leftOut.end(), leftOut))
        companionKey_.emplace_back(column, incoming_->Value(column));
    }
  }
  incoming_->MoveNext();
}

// Each companion row of the agency is added or written over, without a
// question: the group's answer covers it.
void CertifiedImport::MergeCompanionTables() {
  for (const CompanionTable& companion : importrules::Rule(groupName_).companions) {
    const std::string table(companion.table);
    db::SqlText source;
    source << "SELECT * FROM " << FileTable(table);
    AppendKey(source, companion.source == CompanionSource::RowKey ? rowKey_ : companionKey_);
    db::RecordsetPtr rows = forms::Snapshot(conn_, source);
    pump_();
    const std::vector<std::string>& keys = PrimaryKeyOf(table);
    if (keys.empty()) vb::Raise(vb::err::InvalidProcedureCall, "The table " + table + " has no key columns.");
    std::vector<std::pair<std::string, Variant>> key;
    std::vector<int> positions;
    for (const std::string& column : keys) {
      key.emplace_back(column, Variant());
      positions.push_back(rows->FieldIndex(column));
    }
    for (; !rows->Eof(); rows->MoveNext()) {
      for (std::size_t i = 0; i < keys.size(); ++i)
        key[i].second = positions[i] >= 0 ? rows->Value(positions[i]) : rows->Value(keys[i]);
      const std::optional<Stored> stored = StoredRow(table, key);
      const bool exists = stored.has_value();
      WriteRow(table, *rows, stored);
      pump_();
      if (companion.counted) ++(exists ? overwritten_ : copied_);
    }
  }
}

std::int32_t CertifiedImport::JoinedKeysCertificate(const std::vector<std::int32_t>& keys) {
  std::string joined;
  for (std::int32_t key : keys)
    if (key != 0) joined += std::to_string(key);
  return clsMyCRC32().GetCRC32(joined);
}

const std::vector<std::string>& CertifiedImport::SortKeysOf(const std::string& table) const {
  auto found = sortKeys_.find(table);
  if (found == sortKeys_.end()) {
    forms::FormScope none;
    found = sortKeys_.emplace(table, modMain::GetSortKeys(conn_, none, table)).first;
  }
  return found->second;
}

std::string CertifiedImport::CertificateColumns(const std::string& table, const std::vector<std::string>& keys) const {
  std::string asked = table;
  for (const std::string& key : keys) asked += "," + key;
  if (auto found = certificateColumns_.find(asked); found != certificateColumns_.end()) return found->second;
  static const char* const kRead[] = {"FISCAL_YEAR", "PERIOD_ID", "COUNTY_ID", "SCHOOL_DISTRICT_ID", "SCHOOL_ID",
                                      "CERT_KEY"};
  auto wanted = [&](const std::string& name) {
    const std::string upper = vb::UCase(name);
    return std::any_of(std::begin(kRead), std::end(kRead), [&](const char* c) { return upper == c; }) ||
           std::any_of(keys.begin(), keys.end(), [&](const std::string& k) { return upper == vb::UCase(k); });
  };
  std::string columns;
  for (const db::FieldMeta& field : FieldsOf(table))
    if (wanted(field.name)) columns += (columns.empty() ? "" : ", ") + db::QuoteName(field.name);
  return certificateColumns_.emplace(asked, columns.empty() ? "*" : columns).first->second;
}

std::int32_t CertifiedImport::GroupKeysCertificate(const GroupKeys& routine, db::Recordset& groupRows,
                                                   std::int32_t& count) const {
  std::vector<std::int32_t> keys;
  if (groupRows.RecordCount() >= 1)
    keys.push_back(modCOE::GetGroupCertKey(groupRows, SortKeysOf(std::string(routine.groupTable))));
  if (routine.count == RecordCount::GroupAndFurther || routine.count == RecordCount::GroupOnly)
    count = static_cast<std::int32_t>(groupRows.RecordCount());
  groupRows.MoveFirst();
  for (std::size_t i = 0; i < routine.further.size(); ++i) {
    const FurtherTable& further = routine.further[i];
    const std::string& table = NameOf("main." + std::string(further.table));
    // Only the infant-funding count passes over a table the database lacks.
    if (table.empty() && routine.count == RecordCount::FurtherPlusOne) continue;
    db::SqlText q;
    const std::string furtherTable(further.table);
    q << "SELECT " << (table.empty() ? "*" : CertificateColumns(furtherTable, SortKeysOf(furtherTable))) << " FROM "
      << (table.empty() ? WorkingTable(furtherTable) : table)
      << " WHERE COUNTY_ID = " << db::Param(groupRows.Value("COUNTY_ID"))
      << " AND SCHOOL_DISTRICT_ID = " << db::Param(groupRows.Value("SCHOOL_DISTRICT_ID"))
      << " AND FISCAL_YEAR = " << db::Param(groupRows.Value("FISCAL_YEAR"))
      << " AND PERIOD_ID = " << db::Param(groupRows.Value("PERIOD_ID"));
    if (further.ofSchool) q << " AND SCHOOL_ID = " << db::Param(groupRows.Value("SCHOOL_ID"));
    db::RecordsetPtr rows = forms::Snapshot(conn_, q);
    const std::int32_t found = static_cast<std::int32_t>(rows->RecordCount());
    keys.push_back(found >= 1 ? modCOE::GetGroupCertKey(*rows, SortKeysOf(std::string(further.table)))
                              : 0);
    switch (routine.count) {
      case RecordCount::GroupAndFurther:
        count += found;
        break;
      case RecordCount::FurtherPlusOne:
        count = (i == 0 ? 0 : count) + found + (i + 1 == routine.further.size() ? 1 : 0);
        break;
      default:
        break;
    }
  }
  groupRows.MoveFirst();
  return JoinedKeysCertificate(keys);
}

// The group's rows as the working database now holds them, and their
// certificate number.
void CertifiedImport::ComputeGroupCertificate() {
  const std::string upperGroup = vb::UCase(groupName_);
  const std::string table = importrules::KeyTableOf(groupName_);
  const GroupKeys* routine = importrules::Rule(groupName_).certificate;
  std::vector<std::string> read = SortKeysOf(table);
  if (routine) {
    const std::vector<std::string>& groupKeys = SortKeysOf(std::string(routine->groupTable));
    read.insert(read.end(), groupKeys.begin(), groupKeys.end());
  }
  if (upperGroup == kBlockGrantGroup) read.emplace_back("TYPE");
  db::SqlText q;
  AgencyRowsOf(q, WorkingTable(table), *toc_, CertificateColumns(table, read));
  groupRows_ = forms::Snapshot(conn_, q);
  pump_();
  if (upperGroup == kBlockGrantGroup)
    groupRows_->Filter([](const db::RowView& row) {
      const Variant type = row.Value("TYPE");
      return type.IsNull() || !vb::Equal(type, Variant(kUncountedType));
    });
  // An agency without rows has certificate 0 and no records.
  groupCertificate_ = 0;
  groupRecordCount_ = 0;
  if (groupRows_->Eof() || groupRows_->RecordCount() < 1) return;
  if (routine) {
    groupCertificate_ = GroupKeysCertificate(*routine, *groupRows_, groupRecordCount_);
    return;
  }
  groupCertificate_ = modCOE::GetGroupCertKey(*groupRows_, SortKeysOf(table));
  groupRecordCount_ = static_cast<std::int32_t>(groupRows_->RecordCount());
}

// The form's status row from the file's, with the new certificate number
// and record count, and the form's note.
void CertifiedImport::WriteFormStatus() {
  const std::string upperGroup = vb::UCase(groupName_);
  std::int32_t& catalogueNo = formNumbers_[groupName_];
  if (catalogueNo == 0) catalogueNo = modCOE::getFormDetails(conn_, groupName_);
  std::int32_t formNo = catalogueNo;
  if (groupName_ == "AttSuppIns") formNo = vb::Equal(Toc("SCHOOL_ID"), Variant(0)) ? 506 : 507;

  const std::string status = "LEA_FORMS_STATUS";
  std::vector<std::pair<std::string, Variant>> key;
  for (const char* column : {"COUNTY_ID", "SCHOOL_DISTRICT_ID", "SCHOOL_ID", "FISCAL_YEAR", "PERIOD_ID"})
    key.emplace_back(column, Toc(column));
  key.emplace_back("FORM_NO", Variant(formNo));
  db::SqlText q;
  q << "SELECT * FROM " << FileTable(status);
  AppendKey(q, key);
  db::RecordsetPtr file = forms::Snapshot(conn_, q);
  pump_();
  if (file->Eof()) vb::Raise(vb::err::NoCurrentRecord, "The file holds no status row of the form " + groupName_ + ".");
  const std::optional<Stored> stored = StoredRow(status, key);
  pump_();

  std::vector<std::pair<const db::FieldMeta*, Variant>> values;
  auto set = [&](const char* column, const Variant& value) { values.emplace_back(&FieldOf(status, column), value); };
  if (!stored)
    for (const auto& [column, value] : key) set(column.c_str(), value);
  set("CERTIFICATE_NUMBER", Variant(groupCertificate_));
  set("LAST_MODIFIED_DATE", file->Value("LAST_MODIFIED_DATE"));
  // The file's edit check stands unless the agency held rows of a group
  // whose edit check the merged rows make stale.
  const bool keepsEditCheck = upperGroup == "ATT_SD_BS" || entryCheckType_ != 2 || !priorRows_ ||
                              upperGroup == "ATT_SD_SUPP";
  const bool routineCount = std::find(std::begin(kRoutineCountGroups), std::end(kRoutineCountGroups), upperGroup) !=
                            std::end(kRoutineCountGroups);
  const std::int32_t records = groupRows_ ? static_cast<std::int32_t>(groupRows_->RecordCount()) : 0;
  set("NUM_RECORD", Variant(routineCount ? groupRecordCount_ : records));
  if (keepsEditCheck) {
    set("NUM_ERROR", Variant(0));
    set("NUM_WARNING", Variant(0));
    set("LAST_EDIT_CHECK_DATE", file->Value("LAST_EDIT_CHECK_DATE"));
  } else {
    set("LAST_EDIT_CHECK_DATE", vb::Null);
  }
  set("LAST_IMPORT_DATE", Variant(importTime_));
  for (const char* column : {"PY_REASON_CODE", "PY_CORRECTION_NOTE", "PY_FORMS_CORRECTED"})
    set(column, file->Value(column));
  WriteValues(status, values, stored);
  importedRows_.push_back(toc_->AbsolutePosition());

  // The note: the file's first note of the form, over the working one.
  const std::string notes = "TORB_FORM_NOTES";
  std::vector<std::pair<std::string, Variant>> noteKey;
  for (const char* column : {"FISCAL_YEAR", "PERIOD_ID", "COUNTY_ID", "SCHOOL_DISTRICT_ID", "SCHOOL_ID"})
    noteKey.emplace_back(column, file->Value(column));
  noteKey.emplace_back("FORM_NAME", Variant(groupName_));
  db::SqlText noteQuery;
  noteQuery << "SELECT * FROM " << FileTable(notes);
  AppendKey(noteQuery, noteKey);
  db::RecordsetPtr fileNote = forms::Snapshot(conn_, noteQuery);
  if (fileNote->Eof()) return;
  const std::optional<Stored> storedNote = StoredRow(notes, noteKey);
  std::vector<std::pair<const db::FieldMeta*, Variant>> note;
  if (!storedNote)
    for (const char* column : {"FISCAL_YEAR", "PERIOD_ID", "COUNTY_ID", "SCHOOL_DISTRICT_ID", "SCHOOL_ID", "FORM_NAME"})
      note.emplace_back(&FieldOf(notes, column), fileNote->Value(column));
  note.emplace_back(&FieldOf(notes, "FORM_NOTE"), fileNote->Value("FORM_NOTE"));
  WriteValues(notes, note, storedNote);
}

// After the walk: the status rows of forms that depend on an imported one
// lose their edit-check date (the first row of each, when it has records).
void CertifiedImport::ResetDependentForms() {
  for (long position : importedRows_) {
    toc_->AbsolutePosition(position);
    const std::string upperGroup = vb::UCase(vb::CStr(Toc("FORM_GROUP_NAME")));
    for (const DependentReset& reset : kDependentResets) {
      if (upperGroup != reset.group) continue;
      if (reset.annualOfSchool && !vb::Equal(Toc("PERIOD_ID"), Variant(2))) continue;
      for (std::int32_t form : reset.forms) {
        modCOE::ImportedStatusKey key{form,
                                      vb::CLng(Toc("FISCAL_YEAR")),
                                      vb::CLng(Toc("PERIOD_ID")),
                                      vb::CLng(Toc("COUNTY_ID")),
                                      vb::CLng(Toc("SCHOOL_DISTRICT_ID")),
                                      std::nullopt};
        if (reset.annualOfSchool) {
          key.period = 3;
          key.school = vb::CLng(Toc("SCHOOL_ID"));
        }
        modCOE::ClearFirstEditCheckDate(*conn_, key);
      }
    }
  }
}

// A table the import copies after the form groups: each of the file's rows
// (those of `where`) is found in the working table by its key, added there
// with the key when it is missing, and given the file's values of the
// copied columns. Nothing else of a working row is written, and no working
// row is deleted.
struct CertifiedImport::ClosingTable {
  const char* table;
  std::vector<const char*> key;
  std::vector<const char*> copied;
};

namespace {

using ClosingTable = CertifiedImport::ClosingTable;

const ClosingTable kAnswers{
    "TorbLeaNotes",
    {"COUNTY_ID", "SCHOOL_DISTRICT_ID", "SCHOOL_ID", "FISCAL_YEAR", "PERIOD_ID", "TYPE"},
    {"SCHOOL_DISTRICT_NAME", "SCHOOL_NAME", "Qn1", "Qn1Comments", "Qn2", "Qn2Comments", "Qn3", "Qn3Comments", "Qn4",
     "Qn4Comments"}};
const ClosingTable kCountyModel{
    "COUNTYMODEL", {"COUNTY_ID", "SCHOOL_DISTRICT_ID", "SCHOOL_ID", "FISCAL_YEAR", "PERIOD_ID"}, {"FundingModel"}};
const ClosingTable kContacts{
    "ImportContactInfo",
    {"COUNTY_ID", "SCHOOL_DISTRICT_ID", "SCHOOL_ID", "FISCAL_YEAR", "PERIOD_ID"},
    {"SCHOOL_DISTRICT_NAME", "SCHOOL_NAME", "CERTIFIED_DATE", "CONTACT", "PHONE", "FAX", "EMAIL"}};

}  // namespace

void CertifiedImport::CopyClosingTable(const ClosingTable& copy, const char* scopeColumn, const Variant& scopeValue) {
  db::SqlText source;
  source << "SELECT * FROM " << FileTable(copy.table);
  if (scopeColumn) source << " WHERE " << db::QuoteName(scopeColumn) << " = " << db::Param(scopeValue);
  db::RecordsetPtr rows = forms::Snapshot(conn_, source);
  pump_();
  const std::string table(copy.table);
  for (; !rows->Eof(); rows->MoveNext()) {
    std::vector<std::pair<std::string, Variant>> key;
    for (const char* column : copy.key) key.emplace_back(column, rows->Value(column));
    const std::optional<Stored> stored = StoredRow(table, key);
    std::vector<std::pair<const db::FieldMeta*, Variant>> values;
    if (!stored)
      for (const auto& [column, value] : key) values.emplace_back(&FieldOf(table, column), value);
    for (const char* column : copy.copied) values.emplace_back(&FieldOf(table, column), rows->Value(column));
    WriteValues(table, values, stored);
    pump_();
  }
}

// Every certification answer of the file, whether or not its agency's
// groups were imported.
void CertifiedImport::CopyAnswers() { CopyClosingTable(kAnswers); }

// The county funding models, when the file holds them.
void CertifiedImport::CopyCountyModel() {
  if (NameOf(std::string(kFileSchema) + ".COUNTYMODEL").empty()) return;
  CopyClosingTable(kCountyModel);
}

// The contacts of the logged-on user's scope: the opener's county for a
// county office, its district for a district, its school for a charter
// school, every contact for a SELPA; none for a county auditor or a group
// the program does not know.
void CertifiedImport::CopyContacts() {
  switch (scope_.logonUserGroup) {
    case 2:
      return CopyClosingTable(kContacts, "COUNTY_ID", Variant(scope_.county));
    case 3:
      return CopyClosingTable(kContacts, "SCHOOL_DISTRICT_ID", Variant(scope_.district));
    case 4:
      return CopyClosingTable(kContacts, "SCHOOL_ID", Variant(scope_.school));
    case 5:
      return CopyClosingTable(kContacts);
    default:
      return;
  }
}

void CertifiedImport::AppendGroupLines(std::string& report) {
  report += "Import Group: " + groupDisplayName_ + kCrLf;
  if (copied_ == 0 && overwritten_ == 0) report += std::string("\tProgram Skipped.") + kCrLf;
  report += "\tNumber of Records Copied = " + std::to_string(copied_) + kCrLf;
  report += "\tNumber of Records Overwritten = " + std::to_string(overwritten_) + kCrLf + kCrLf;
  copied_ = overwritten_ = 0;
}

// --- Look-ups ----------------------------------------------------------------------------

std::string CertifiedImport::getFormDetails(const db::ConnectionPtr& conn, const std::string& strFormName) {
  std::string displayName;
  Trap trap(kModule, "getFormDetails");
  trap([&] {
    db::SqlText q;
    q << "SELECT FORM_DISPLAY_NAME FROM VHO_TORB_FORMS WHERE FORM_NAME = " << db::Param(Variant(strFormName));
    db::RecordsetPtr rs = forms::Snapshot(conn, q);
    if (!rs->Eof()) {
      const Variant name = rs->Value("FORM_DISPLAY_NAME");
      if (name.IsNull()) vb::Raise(vb::err::InvalidUseOfNull);
      displayName = vb::CStr(name);
    }
  });
  return displayName;
}

int CertifiedImport::GetFormECtype(const std::string& group) { return importrules::Rule(group).entryCheckType; }

void CertifiedImport::SplitAndUpdateTable(const db::ConnectionPtr& conn, db::Recordset& rsMain,
                                          const std::string& mTableName) {
  db::Connection& c = vb::Deref(conn.get());
  const std::string table = db::catalog::RequireSqlName(c, mTableName);
  const std::vector<std::string> keys = db::catalog::PrimaryKey(c, mTableName);
  const std::vector<std::string> tableColumns = db::catalog::ColumnNames(c, mTableName);
  std::vector<std::string> columns;
  std::vector<Variant> values;
  for (int i = 0; i < rsMain.FieldCount(); ++i) {
    const std::string& name = rsMain.FieldInfo(i).name;
    auto same = [&](const std::string& column) { return vb::UCase(column) == vb::UCase(name); };
    if (std::none_of(tableColumns.begin(), tableColumns.end(), same))
      vb::Raise(vb::err::ItemNotFound, "The table " + mTableName + " has no column named " + name + ".");
    columns.push_back(name);
    values.push_back(rsMain.Value(i));
  }
  std::vector<std::string> data;
  for (const std::string& column : columns) {
    auto same = [&](const std::string& key) { return vb::UCase(key) == vb::UCase(column); };
    if (std::none_of(keys.begin(), keys.end(), same)) data.push_back(column);
  }
  // A row of key columns alone changes nothing.
  if (data.empty()) return;
  if (keys.empty()) vb::Raise(vb::err::InvalidProcedureCall, "The table " + mTableName + " has no key columns.");

  std::string sql = "INSERT INTO " + table + " (" + QuotedColumns(columns) + ") VALUES (";
  for (std::size_t i = 0; i < columns.size(); ++i) sql += i ? ", ?" : "?";
  sql += ") ON CONFLICT (" + QuotedColumns(keys) + ") DO UPDATE SET ";
  for (std::size_t i = 0; i < data.size(); ++i)
    sql += (i ? ", " : "") + db::QuoteName(data[i]) + " = excluded." + db::QuoteName(data[i]);
  c.Execute(sql, values);
}
