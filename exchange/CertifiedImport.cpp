// The merge of a checked certified-data file: the walk over its table of
// contents group by group, with the report lines of each group, and the
// look-ups the walk uses.

#include "CertifiedImport.h"

#include <algorithm>
#include <optional>

#include "FormData.h"
#include "db/Catalog.h"
#include "db/SqlText.h"
#include "vb/Conversions.h"

using vb::Variant;

namespace {

constexpr const char* kModule = "frmImport";
constexpr const char* kCrLf = "\r\n";

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
  trap([&] {
    db::Transaction step(*conn_);
    body();
    step.Commit();
  });
  return !trap.Failed() && !trap.Left();
}

bool CertifiedImport::ImportCertified(std::string& report, const vb::Date& importTime) {
  importTime_ = importTime;
  overwriteAnswer_ = kYes;
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
  if (!Step(trap, [&] { CopyAnswersModelAndContacts(); })) return false;
  if (!trap([&] { merge->Commit(); })) return false;
  report += lines;
  return true;
}

bool CertifiedImport::MergeTocRow(Trap& trap, std::string& lines) {
  const std::string upperGroup = vb::UCase(groupName_);
  // Under No or No to All nothing of the group is merged: its rows stay.
  const bool copying = overwriteAnswer_ == kYes || overwriteAnswer_ == kYesToAll;
  if (upperGroup == kReplacedGroup && copying && !Step(trap, [&] { DeleteAgencyRows(); })) return false;
  if (!Step(trap, [&] { ReadIncomingRows(); })) return false;

  if (!incoming_->Eof() && incoming_->RecordCount() >= 1) {
    if (!Step(trap, [&] { ReadPriorRows(); })) return false;
    if (!Step(trap, [&] { CopyIncomingRows(); })) return false;
    if (overwriteAnswer_ == kYes || overwriteAnswer_ == kYesToAll) {
      if (!Step(trap, [&] { MergeCompanionTables(); })) return false;
      if (!Step(trap, [&] { ComputeGroupCertificate(); })) return false;
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
  }) && !trap.Failed();
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
void AgencyRows(db::SqlText& q, const std::string& table, const db::Recordset& toc, bool withoutSchool) {
  q << "SELECT * FROM " << table << " WHERE COUNTY_ID = " << db::Param(toc.Value("COUNTY_ID"))
    << " AND SCHOOL_DISTRICT_ID = " << db::Param(toc.Value("SCHOOL_DISTRICT_ID"));
  if (!withoutSchool) q << " AND SCHOOL_ID = " << db::Param(toc.Value("SCHOOL_ID"));
  q << " AND FISCAL_YEAR = " << db::Param(toc.Value("FISCAL_YEAR"))
    << " AND PERIOD_ID = " << db::Param(toc.Value("PERIOD_ID"));
}

}  // namespace

db::RecordsetPtr CertifiedImport::IncomingRowsOf(const db::Recordset& toc) const {
  const std::string group = vb::CStr(toc.Value("FORM_GROUP_NAME"));
  const ImportGroupRule& rule = importrules::Rule(group);
  const std::string table = FileTable(importrules::TableOf(group));
  db::SqlText q;
  AgencyRows(q, table, toc, rule.incoming != IncomingRows::OfSchool);
  // The opener's own district reads the county's other districts' school
  // rows of the group as well.
  if (rule.incoming == IncomingRows::Gate && vb::Equal(toc.Value("COUNTY_ID"), Variant(scope_.county)) &&
      vb::Equal(toc.Value("SCHOOL_DISTRICT_ID"), Variant(scope_.district))) {
    q << " UNION SELECT * FROM " << table << " WHERE COUNTY_ID = " << db::Param(toc.Value("COUNTY_ID"))
      << " AND SCHOOL_DISTRICT_ID <> " << db::Param(toc.Value("SCHOOL_DISTRICT_ID"))
      << " AND FISCAL_YEAR = " << db::Param(toc.Value("FISCAL_YEAR"))
      << " AND PERIOD_ID = " << db::Param(toc.Value("PERIOD_ID")) << " AND SCHOOL_ID <> 0";
  }
  return forms::Snapshot(conn_, q);
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

// The rows themselves, the companion tables, the certificate and the status
// row come with the row copy; until then the walk merges nothing.
void CertifiedImport::CopyIncomingRows() {}
void CertifiedImport::MergeCompanionTables() {}
void CertifiedImport::ComputeGroupCertificate() {}
void CertifiedImport::WriteFormStatus() {}
void CertifiedImport::ResetDependentForms() {}
void CertifiedImport::CopyAnswersModelAndContacts() {}

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
