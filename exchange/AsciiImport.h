#pragma once
// The reading side of the ASCII data file: the check that accepts or
// refuses a whole file before anything is loaded, and the loaders of its
// main block and secondary blocks.
//
// The file is read once, as bytes, into lines (asciifile::SplitLines); the
// check, the main-block loader and the block readers all work on those
// lines, so nothing changes between check and load and no file stays open.
//
// The check runs its steps in order and stops at the first broken rule:
// the form of line 1 (a catalogue form whose table exists, never a
// secondary table), the main block's lines (no blank line, as many fields
// as the table has columns, no empty key field) with the column lookups in
// the agency directory and, on each line's row as it is read, the period,
// year and county with the rules of the form (for BRL_SD_CSP_NEW these
// follow its district pass over all rows), and the secondary blocks. Lookups bind their values; one repeated within a check
// is answered from memory. Values enter a row set of the table's shape,
// which converts them; a value that is no number where a number is needed,
// or one its column cannot hold, refuses the file like any broken rule.
// The user is told only the one import-criteria message; the verdict also
// names the rule and the line, for tests.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "db/Connection.h"
#include "db/Recordset.h"

namespace asciiimport {

// What the check compares with: the current agency's county and district,
// the fiscal year, the period and the logged-on user's group.
struct Scope {
  db::ConnectionPtr conn;
  std::int32_t CountyID = 0;
  std::int32_t DistrictID = 0;
  std::int32_t ReportYear = 0;
  std::int32_t ReportPeriod = 0;
  std::int32_t LogonUserGroup = 0;
  // Called after every line and row of a long check (the window lets its
  // events run there); may be empty.
  std::function<void()> pump;
};

struct Verdict {
  bool accepted = false;
  std::string rule;  // the rule that refused ("6.7", "blank line", ...); empty when accepted
  long line = 0;     // 1-based line of the file where it refused; 0 when no line applies
  // What an accepted file holds.
  std::string formName;  // line 1's name as written
  bool allocationBlock = false;
  bool transferBlock = false;
  bool adaBlock = false;
  // The main block's rows as the check read them, typed, CERT_KEY left
  // unset, on the first row: what the copy writes, so that an accepted file
  // is not read a second time. Null when the file is refused.
  db::RecordsetPtr rows;
  // The line after the main block's "End" (or past the end): where the
  // secondary blocks begin.
  std::size_t blocksFrom = 0;
};

// The one message of a refused file.
const std::string& ImportFailureMessage();

// Checks the lines of a file.
Verdict ValidateImportFile(const std::vector<std::string>& lines, const Scope& scope);

// The table whose columns and rows a form's file holds: ATTCSBGCOE for
// ATTCSSBC and ATTCSEHS, else the form's own.
std::string StorageTable(const std::string& formName);

// The main block's rows in a disconnected row set of the storage table's
// shape, CERT_KEY included (the check's Verdict::rows hold the same rows
// without it); blank lines are skipped. `next` is left on the
// line after the block's "End" (or past the end).
db::RecordsetPtr LoadImportRows(const std::vector<std::string>& lines, db::Connection& conn, std::size_t& next);
// One secondary block from line `next` (its header line): its rows,
// CERT_KEY left unset, up to its "End" or a blank line; `table` answers the
// header's name and `next` the line after the block.
db::RecordsetPtr LoadSecondaryBlock(const std::vector<std::string>& lines, db::Connection& conn, std::size_t& next,
                                    std::string& table);

}  // namespace asciiimport
