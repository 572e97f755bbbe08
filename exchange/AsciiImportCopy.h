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
// Not yet here: the status rows, the resets of dependent forms, the split
// write of ATT_SD and AttCsACD (their rows are written whole) and the
// secondary blocks of INFANTFUNDING.

#include <cstdint>
#include <functional>
#include <string>

#include "FormScope.h"
#include "db/Connection.h"
#include "db/Recordset.h"

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
};

// The key of a row in the question's words: the listed key columns that
// the table's key holds, each " COLUMN=value", joined by " and ".
std::string KeyCondition(const db::Recordset& row, const std::vector<std::string>& keyColumns);

// Copies every row of `rows`; answers the counts and appends the summary
// ("Import Group: " and the three counts) to `report`.
CopyCounts CopyImportRows(const CopyRun& run, db::Recordset& rows, std::string& report);

}  // namespace asciiimport
