#include "AsciiImportCopy.h"

#include <algorithm>

#include "AsciiFile.h"
#include "AsciiImport.h"
#include "db/Catalog.h"
#include "db/SqlText.h"
#include "modCOECertification.h"
#include "vb/Conversions.h"

namespace asciiimport {
namespace {

constexpr const char* kCrLf = "\r\n";

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

// A condition on every key column, its value bound.
void WhereKey(db::SqlText& q, const db::Recordset& row, const std::vector<std::string>& key) {
  for (std::size_t i = 0; i < key.size(); ++i)
    q << (i ? " AND " : " WHERE ") << "\"" << key[i] << "\" = " << db::Param(row.Value(key[i]));
}

}  // namespace

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
  const std::string table = StorageTable(run.formName);
  const std::string sqlName = db::catalog::RequireSqlName(conn, table);
  const std::vector<std::string> key = db::catalog::PrimaryKey(conn, table);
  db::SqlText form;
  form << "SELECT FORM_DISPLAY_NAME FROM VHO_TORB_FORMS WHERE FORM_NAME = " << db::Param(run.formName);
  const std::string displayName = asciifile::ValueText(conn.Scalar(form.Sql(), form.Params()));

  CopyCounts counts;
  std::int16_t remembered = 0;
  db::Transaction transaction(conn);
  for (rows.MoveFirst(); !rows.Eof(); rows.MoveNext()) {
    db::SqlText exists;
    exists << "SELECT EXISTS (SELECT 1 FROM " << sqlName;
    WhereKey(exists, rows, key);
    exists << ")";
    const bool stored = vb::CLng(conn.Scalar(exists.Sql(), exists.Params())) != 0;
    Outcome outcome;
    if (stored) {
      if (!Final(remembered))
        remembered = run.ask("Record for " + KeyCondition(rows, key) + " already exists. Do you want to Overwrite?",
                             "Importing ASCII File - " + displayName);
      outcome = remembered == kYes || remembered == kYesToAll ? Outcome::Overwritten : Outcome::Skipped;
    } else {
      outcome = remembered == kNoToAll ? Outcome::Skipped : Outcome::Copied;
    }
    if (outcome == Outcome::Skipped) {
      ++counts.skipped;
      continue;
    }
    db::SqlText remove;
    remove << "DELETE FROM " << sqlName;
    WhereKey(remove, rows, key);
    conn.Execute(remove.Sql(), remove.Params());
    const db::RecordsetPtr added = db::Recordset::Query("SELECT * FROM " + sqlName + " WHERE 1 <> 1", run.conn);
    added->AddNew();
    for (int i = 0; i < rows.FieldCount(); ++i) added->SetValue(i, rows.Value(i));
    if (!modCOE::SetCertKeysInRs(run.conn, run.scope, table, *added, true))
      vb::Raise(vb::err::InvalidProcedureCall, "The row's certificate key could not be computed.");
    added->Update();
    added->UpdateBatch();
    ++(outcome == Outcome::Copied ? counts.copied : counts.overwritten);
  }
  transaction.Commit();
  report += "Import Group: " + displayName + kCrLf;
  report += "\tNumber of Records Skipped     = " + std::to_string(counts.skipped) + kCrLf;
  report += "\tNumber of Records Copied      = " + std::to_string(counts.copied) + kCrLf;
  report += "\tNumber of Records Overwritten = " + std::to_string(counts.overwritten) + kCrLf + kCrLf;
  return counts;
}

}  // namespace asciiimport
