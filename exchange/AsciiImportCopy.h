#pragma once
// The copy of an accepted ASCII file's main block into the database, row by
// row in file order, as one change: new rows are written, and a stored row
// with the same key is replaced only after the user agrees (Yes, No, Yes to
// All, No to All; a "to All" answer holds for the rest of the run). Each
// written row gets a fresh certificate key. Existence test and delete bind
// the values of every primary-key column of the storage table; the
// question shows the key in the program's own words ("Record for
// FISCAL_YEAR=2019 and  PERIOD_ID=2 ... already exists. Do you want to
// Overwrite?"). Everything runs under one db::Transaction: any failure
// rolls the whole file back and raises.
//
// Once the rows are written, each agency with written rows gets its form's
// status row (the certificate number of its stored rows, their count, no
// edit-check result), and the forms that depend on the imported one lose
// their edit-check results; both inside the same change.
//
// Wide rows (ATT_SD, AttCsACD) are written by column name, at most 30
// columns besides the key in one statement, and keyed from the row as
// stored. An INFANTFUNDING file brings its allocation and
// transfer blocks, copied without questions, and each agency's status row
// then carries the combined certificate of the three tables.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "FormScope.h"
#include "db/Connection.h"
#include "db/Recordset.h"
#include "vb/Variant.h"

namespace asciiimport {

// The four-answer question: 6 Yes, 7 No, 1 Yes to All, 2 No to All.
using Question = std::function<std::int16_t(const std::string& message, const std::string& caption)>;

struct CopyCounts {
  std::int32_t skipped = 0;
  std::int32_t copied = 0;
  std::int32_t overwritten = 0;
};

struct CopyRun {
  db::ConnectionPtr conn;
  forms::FormScope scope;  // for the rows' certificate keys
  std::string formName;    // line 1's name as written
  Question ask;
  // The file's lines, where its secondary blocks begin (the line after the
  // main block's "End") and the check's flags; only INFANTFUNDING reads
  // them.
  const std::vector<std::string>* lines = nullptr;
  std::size_t blocksFrom = 0;
  bool allocationBlock = false;
  bool transferBlock = false;
};

// The agency and period whose rows of one form an import writes; the
// school counts for the school-level forms only (0 for the others).
struct ImportAgency {
  std::int32_t year = 0;
  std::int32_t period = 0;
  std::int32_t county = 0;
  std::int32_t district = 0;
  std::int32_t school = 0;
  auto operator<=>(const ImportAgency&) const = default;
};

// Whether the form's rows and status rows are kept per school.
bool IsSchoolLevelForm(std::int32_t formNo);

// Creates or rewrites the status row of the form and agency after an
// import: certificate number, row count, no errors, no warnings, no
// edit-check date, modified `now`. A new row starts with reason 0 and 'No'
// (and the agency's school for a school-level form); an existing row keeps
// its keys and prior-year columns. For any other form the district's row is
// found whatever its school, and only the first one is changed.
void UpdateCOEFormsStatus(db::Connection& conn, std::int32_t formNo, const ImportAgency& agency,
                          std::int32_t certificate, std::int32_t records, const vb::Date& now);

// Clears the edit-check results of the status rows of the forms that depend
// on the imported form: 102 at P-1 its P-2 and Annual rows, at P-2 its
// Annual row (same school); 21 the district's rows of 111 and 112 when its
// form-21 status row exists; 23 and 26 form 88, and 26 form 91, when the
// district's form-26 status row exists. Only rows that hold records are
// reset; none is created.
void ResetDependentForms(db::Connection& conn, std::int32_t formNo, const ImportAgency& agency);

// The combined certificate of an agency's infant-funding forms (form 102):
// the texts of the certificates of its INFANTFUNDING rows (given),
// allocation and transfer rows (from the stored rows), each left out when
// 0, joined and checksummed; `records` grows by the two tables' rows. Any
// other form answers 0 and `records` unchanged.
struct GroupKey {
  std::int32_t certificate = 0;
  std::int32_t records = 0;
};
GroupKey getGroupCertKey(const db::ConnectionPtr& conn, const forms::FormScope& scope, std::int32_t formNo,
                         const ImportAgency& agency, std::int32_t formCertificate, std::int32_t records);

// Copies every row of a secondary block into `table` without a question,
// replacing stored rows with the same key, each with a certificate key of
// its own; adds the agencies (with their schools) of the written rows to
// `written` when given.
CopyCounts CopyImportRowsNoPrompt(const CopyRun& run, const std::string& table, db::Recordset& rows,
                                  std::vector<ImportAgency>* written = nullptr);

// Writes the current row of `row` into `table` by column name: the key
// columns with at most 30 further columns in each statement, the first
// adding the row when its key is not stored and each later one completing
// it. Values are bound. Answers the number of statements.
std::int32_t SplitAndUpdateTable(db::Connection& conn, const db::Recordset& row, const std::string& table);

// The key of a row in the question's words: the listed key columns that
// the table's key holds, each " COLUMN=value", joined by " and ".
std::string KeyCondition(const db::Recordset& row, const std::vector<std::string>& keyColumns);

// Copies every row of `rows`; answers the counts and appends the summary
// ("Import Group: " and the three counts) to `report`.
CopyCounts CopyImportRows(const CopyRun& run, db::Recordset& rows, std::string& report);

}  // namespace asciiimport
