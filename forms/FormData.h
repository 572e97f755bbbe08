#pragma once
// How the form operations read and write rows: always on the connection
// their caller hands in (the program's shared one, so that the caller's
// transaction covers them), with the data-access class's rules for a
// connection given to it: a read comes back disconnected, a submit writes
// every change in one transaction (a savepoint of the caller's) or raises,
// and a failed read or action statement is reported as the data-access
// class reports it ("clsDataAccess", "GetRecordset" or "ExecuteQuery").
// A connection that is not set is error 91.

#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "FormScope.h"

#include "db/Connection.h"
#include "db/Recordset.h"
#include "db/SqlText.h"

namespace forms {

// The connection itself; error 91 when it is not set.
const db::ConnectionPtr& Required(const db::ConnectionPtr& conn);

// The rows of a query, disconnected; failures pass to the caller.
db::RecordsetPtr Snapshot(const db::ConnectionPtr& conn, const db::SqlText& q);
// The same, a failure reported; no record set after it.
db::RecordsetPtr Fetch(const db::ConnectionPtr& conn, const db::SqlText& q);
// Writes the pending changes of a disconnected record set; a failure is
// raised, nothing is written and the changes stay pending.
void Submit(const db::ConnectionPtr& conn, db::Recordset& rs);
// Runs an action statement, a failure reported; answers whether it ran.
bool Execute(const db::ConnectionPtr& conn, const std::string& sql, const std::vector<vb::Variant>& params);
// A record set with the settings of the program's new record sets (dynamic
// cursor, client side, pessimistic lock), opened on the connection: it
// stays attached, so that a change is written at once. No statement is an
// error.
db::RecordsetPtr OpenAttached(const db::ConnectionPtr& conn, const db::SqlText& q);

// --- A form's rows.

// The query of a table's rows of the agency (its county and district) in
// its fiscal year, of one period and school; more conditions may follow.
// `table` goes into the text as it is: a name of the program's own, or one
// the catalogue has checked.
db::SqlText RowsOfAgency(std::string_view table, const FormScope& agency, const vb::Variant& period,
                         const vb::Variant& school);
// Column = value conditions of a look-up (column names are program text).
using Conditions = std::vector<std::pair<std::string, vb::Variant>>;
// The agency's rows of a table named by a caller or a file (checked against
// the catalogue), of one period and school, that meet the conditions;
// fetched (a failure reported, none after it).
db::RecordsetPtr AgencyRowsWhere(const db::ConnectionPtr& conn, const std::string& table, const FormScope& agency,
                                 const vb::Variant& period, const vb::Variant& school, const Conditions& conditions);

// The rows of the entry screen of the scope's form that a note of the
// agency needs: the screen's table (the block-grant screens share one), of
// the agency's county and district, year and period, and of its school
// unless the screen's rows are looked for without one; fetched.
db::RecordsetPtr NoteEntryRows(const db::ConnectionPtr& conn, const FormScope& agency);

}  // namespace forms
