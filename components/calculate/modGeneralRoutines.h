#pragma once
// Shared routines of the calculation component: the per-thread connection
// strings, the dispatcher over form keys, the row visit that every
// row-by-row calculation follows, the step tables that describe its
// formulas, and the helpers of the routines that read the database.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "db/Recordset.h"
#include "db/SqlText.h"
#include "vb/Variant.h"

namespace sumwright {

inline constexpr std::int16_t kTrue = -1;
inline constexpr std::int16_t kFalse = 0;

using ParamsRef = std::shared_ptr<vb::Object>*;
// A calculation routine: the form's record set and the caller's parameter
// collection (not read), answering -1 or 0.
using Routine = std::int16_t (*)(db::RecordsetPtr& currentValues, ParamsRef params);

// One formula: `target` becomes the sum of `terms`, added from left to right
// with the classic arithmetic (a Null term makes the result Null, Empty
// counts as 0). A term written with a leading '-' is subtracted. A single
// term is copied as it is.
struct Step {
  std::string target;
  std::vector<std::string> terms;
};
using Steps = std::vector<Step>;
using Names = std::vector<std::string>;

// Builders for the shapes that the attendance forms repeat. Column names are
// a line name, an underscore and a grade span, behind an optional prefix.
//
// Line totals: prefix+line+"_Total" = the line's spans, for each line.
void AddLineTotals(Steps& steps, const std::string& prefix, const Names& lines, const Names& spans);
// A block of lines: the line totals, then for each span
// prefix+spanTotalLine+span = that span of every line, then
// prefix+grandTotal = the line totals.
void AddBlock(Steps& steps, const std::string& prefix, const Names& lines, const Names& spans,
              const std::string& spanTotalLine, const std::string& grandTotal);

}  // namespace sumwright

namespace modGeneralRoutines {

using sumwright::ParamsRef;

// The calling thread's connection strings (empty until set on that thread).
void SetConnectionString(const std::string& value);
std::string GetConnectionString();
void SetPYConnectionString(const std::string& value);
std::string GetPYConnectionString();

// Runs the routine of the form key (the table name upper-cased, not
// trimmed); a key without a routine answers -1 and changes nothing.
std::int16_t CalculateForm(const std::string& tableName, db::RecordsetPtr& currentValues, ParamsRef params);

// The row visit: an empty record set is left alone (-1); otherwise every row
// from the first to the last gets `perRow`, and the row that was current at
// the call is made current again. A run-time error ends the visit with 0
// (rows already visited keep their values) after the same move back; an
// error of that move back, or a record set reference that holds none, fails
// the call itself.
std::int16_t VisitRows(db::RecordsetPtr& rs, const std::function<void(db::Recordset&)>& perRow);
std::int16_t VisitRows(db::RecordsetPtr& rs, const sumwright::Steps& steps);

// WHERE texts with their values as bound parameters. Each clause begins with
// a carriage return.
//
// The current row's keys: Fiscal_Year, Period_ID, County_ID,
// School_District_ID, School_ID, SelpaAuDist, SelpaAuDistSchoolId. Empty for
// an empty record set; a Null key is error 94.
db::SqlText GetWhereClause(db::Recordset& rs);
// The current row's administrative unit: Fiscal_Year, Au_County (the row's
// County_ID), School_District_ID (SelpaAuDist), School_ID
// (SelpaAuDistSchoolId).
db::SqlText GetAuWhereClause(db::Recordset& rs);

}  // namespace modGeneralRoutines
