#pragma once
// Shared routines of the validation component: the per-thread query context
// (connection strings, WHERE text, table name, form number), the dispatcher
// over form keys, the result record set with its add-error and copy-keys
// routines, the frame that every rule set runs in, and the helpers that
// rule sets share: checks as data, three-valued conditions, exact decimal
// totals, row positions and the rule set's own connection.

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "db/Connection.h"
#include "db/Recordset.h"
#include "db/SqlText.h"
#include "vb/Variant.h"

namespace rulegate {

using ParamsRef = std::shared_ptr<vb::Object>*;
// A rule set: the form's record set and the caller's parameter collection,
// both handed on from the dispatcher, answering the result record set.
using RuleSet = db::RecordsetPtr (*)(db::RecordsetPtr& CurrentValues, ParamsRef Params);

// One check of a rule set's table: the six texts that AddError takes and the
// message that the rule set writes into the row.
struct Check {
  std::string_view Section;
  std::string_view LineNo;
  std::string_view ColumnNo;
  std::string_view ErrorType;
  std::string_view FieldName;
  std::string_view Caption;
  std::string_view Message;
};

inline constexpr std::string_view kUnexpectedError = "Unexpected Error generated in Rule Validation Engine";

// The row a rule set's trap adds after a failure: an error with an empty
// caption and the unexpected-error message.
constexpr Check TrapRow(std::string_view section, std::string_view lineNo, std::string_view columnNo,
                        std::string_view fieldName) {
  return Check{section, lineNo, columnNo, "E", fieldName, "", kUnexpectedError};
}

// A condition's value under three-valued logic: nullopt when a Null entered
// it and the logic could not settle it.
using Truth = std::optional<bool>;
enum class Op { Eq, Ne, Lt, Le, Gt, Ge };
// a op b by the classic comparison; nullopt when either side is Null.
Truth Compare(const vb::Variant& a, Op op, const vb::Variant& b);
Truth And(Truth a, Truth b);  // false when either is false
Truth Or(Truth a, Truth b);   // true when either is true
// A check fires only when its whole condition is true.
inline bool Fires(Truth condition) { return condition.value_or(false); }

// An exact decimal zero, where column totals start.
vb::Variant DecimalZero();
// The sum of the current row's columns in exact decimals (a stored double
// enters as the decimal of its 15-significant-digit text), so that amounts
// with two decimals add up to what they show; Null when any of them is Null.
vb::Variant SumOf(const db::Recordset& row, std::span<const std::string_view> columns);
// The total of `terms` over every row of `rows`, as an SQL SUM of the terms
// added together, but in exact decimal arithmetic: a row in which a term is
// Null adds nothing, and the total is Null when no row adds anything. The
// record set is left after its last row.
vb::Variant RowsTotal(db::Recordset& rows, std::initializer_list<std::string_view> terms);

// A WHERE text over key columns, with the values of the current row bound as
// parameters: " WHERE a = ? AND b = ?". A Null key is error 94.
db::SqlText KeysOf(const db::Recordset& row, std::initializer_list<std::string_view> columns);

}  // namespace rulegate

namespace modGeneralRoutines {

using rulegate::Check;
using rulegate::ParamsRef;

// The calling thread's connection strings (empty until set on that thread).
void SetConnectionString(const std::string& value);
std::string GetConnectionString();
void SetPYConnectionString(const std::string& value);
std::string GetPYConnectionString();

// The body of Validate: looks up the form number, takes the table name,
// builds the WHERE text from the first row's keys, runs the rule set of the
// form key (the table name upper-cased) and moves the caller's record set
// back to the row it stood on, also when the call fails. Answers no record
// set for a table name that is no form key.
db::RecordsetPtr ValidateForm(const std::string& TableName, db::RecordsetPtr& CurrentValues, ParamsRef Params);

// A new, open, empty result record set with its 20 fields.
db::RecordsetPtr CreateErrorRecordset();
// Adds a row to the result and fills it from the arguments and the thread's
// query context; the new row stays current. Never fails: a step that the
// record set refuses (a text longer than its field) is skipped, and when no
// row can be added nothing is written at all.
void AddError(const db::RecordsetPtr& RsErr, std::string_view Section, std::string_view LineNo,
              std::string_view ColumnNo, std::string_view ErrorType, std::string_view FieldName,
              std::string_view Caption) noexcept;
void AddError(const db::RecordsetPtr& RsErr, const Check& check) noexcept;
// Copies the five keys of the current data row into the current result row,
// Null as Null.
void CopyKeys(const db::RecordsetPtr& CurrentValues, const db::RecordsetPtr& RsErr);
void CopyKeys(const db::Recordset& row, const db::RecordsetPtr& RsErr);
// Copies the data row's RES_COUNTY_ID and RES_SCHOOL_DISTRICT_ID into the
// current result row's residence fields.
void CopyResidence(const db::Recordset& row, const db::RecordsetPtr& RsErr);
// Writes the message of the row just added.
void SetErrorMsg(const db::RecordsetPtr& RsErr, std::string_view message);
// A failing check: AddError with its arguments, its message, and the keys of
// the data row being checked.
void Report(const db::RecordsetPtr& CurrentValues, const db::RecordsetPtr& RsErr, const Check& check);
// A failing check of a form with one row per district of residence: as
// Report, and the row's RES_COUNTY_ID and RES_SCHOOL_DISTRICT_ID in the
// result row's residence fields.
void ReportResidence(const db::RecordsetPtr& CurrentValues, const db::RecordsetPtr& RsErr, const Check& check);

// The frame of a rule set: creates the result, answers it empty when the
// data has no rows, and otherwise runs `checks` on it. With a trap, any
// failure after that ends the checks with the rows made so far plus the trap
// row (its Where_Clause the first 50 characters of the failure's
// description); without one (trap == nullptr) the failure leaves the rule
// set and fails the validation call.
db::RecordsetPtr RunRuleSet(const Check* trap, db::RecordsetPtr& CurrentValues,
                            const std::function<void(const db::RecordsetPtr& RsErr)>& checks);

// Runs `check` with each row of `rs` current in turn, from the first to the
// last, then makes the row that was current before current again. A failure
// of `check` leaves the set on the row that failed.
void ForEveryRow(db::Recordset& rs, const std::function<void()>& check);

// A connection of the rule set's own to the database that the thread's
// connection string names; closed when the last reference goes.
db::ConnectionPtr OpenOwnConnection();

}  // namespace modGeneralRoutines
