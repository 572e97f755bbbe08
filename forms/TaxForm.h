#pragma once
// The tax form's rows (table Tax): reading the agency's rows, adding a row
// for a district of residence, and the data half of the form's save, delete
// and copy of P-1 data to P-2, each of which is one change of the database:
// the rows, their recalculation, keys and certificate, and the form's
// status row.
//
// The window keeps its procedures (bSaveRecord, cmdDelete_Click, ...) and
// hands its guard, its scope and its form status in; a save or delete that
// fails leaves the database as it was and the status handed in unchanged.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "FormScope.h"
#include "db/Connection.h"
#include "db/Recordset.h"
#include "modValidationCalculation.h"
#include "vb/Trap.h"
#include "vb/Variant.h"

namespace taxform {

// The form's table.
inline constexpr const char* kTable = "Tax";

// --- Reading.

// All the agency's rows of the scope's year and period, both tax types;
// fetched (a failure reported, none after it).
db::RecordsetPtr AgencyRows(const db::ConnectionPtr& conn, const forms::FormScope& scope);
// The agency's rows of the scope's tax type.
db::RecordsetPtr TaxTypeRows(const db::ConnectionPtr& conn, const forms::FormScope& scope);
// The same rows; a failed read passes to the caller unreported.
db::RecordsetPtr ReadTaxTypeRows(const db::ConnectionPtr& conn, const forms::FormScope& scope);
// The agency's P-1 rows (school 0), which the copy to P-2 takes.
db::RecordsetPtr P1Rows(const db::ConnectionPtr& conn, const forms::FormScope& scope);

// --- A new row.

// The keys of a row: its district of residence and tax type.
struct RowKeys {
  std::int32_t resCounty = 0;
  std::int32_t resDistrict = 0;
  std::int16_t taxType = 0;
};
// Gives the new current row (after AddNew) the agency's keys and `keys`.
void KeyNewRow(db::Recordset& rows, const forms::FormScope& scope, const RowKeys& keys);
// Names the new row's agency of residence from the directory: a county
// office for the county type, a district for the district type. A
// residence the directory does not hold leaves the names empty.
void NameResidence(const db::ConnectionPtr& conn, db::Recordset& rows, const forms::FormScope& scope,
                   const RowKeys& keys);
// The keys of the current row.
RowKeys KeysOfRow(db::Recordset& rows);

// --- Saving.

// Recalculates the rows through the calculation component, keys every row,
// writes them and takes the certificate number and counts of all the
// agency's rows into `status` (its dates become `now`). Answers how the
// calculation ended; unless Done nothing further is done.
modValidationCalculation::Calculation RunCalculation(const db::ConnectionPtr& conn, const forms::FormScope& scope,
                                                     db::RecordsetPtr& rows, forms::FormStatus& status,
                                                     const vb::Date& now);

// The window's parts of a save.
struct SaveSteps {
  // Puts the values on screen into the current row and writes it, as the
  // window's own trapping procedure; answers whether it was written.
  std::function<bool()> writeRow;
  // Shows the recalculated current row.
  std::function<void(db::Recordset&)> showCalculated;
};
struct SaveResult {
  bool saved = false;
  modValidationCalculation::Calculation calculation = modValidationCalculation::Calculation::Done;
};
// The save as one change of the database, in this order, each a step of
// the caller's guard: the transaction, the row written, the rows
// recalculated, keyed and written again, the agency's rows read back and
// certified, the status row rewritten (and checked), the commit. Saved,
// `status` holds the new certificate, counts and dates; otherwise it is as
// it was, and so is the database. `currentFormNo` is the form the program
// has open (UpdateCOEFormsStatus).
SaveResult SaveAll(const db::ConnectionPtr& conn, const forms::FormScope& scope, db::RecordsetPtr& rows,
                   forms::FormStatus& status, std::int32_t currentFormNo, const vb::Date& now, Trap& trap,
                   const SaveSteps& steps);

// --- Deleting.

// The form's status after a row was deleted, as a step of the delete's
// change: without a tax row of the agency left (and none of the type shown,
// `typeHasRows`), the status row is reset and the form's notes deleted;
// otherwise it takes the certificate and count of the rows left.
void StatusAfterDelete(const db::ConnectionPtr& conn, const forms::FormScope& scope, forms::FormStatus& status,
                       bool typeHasRows, const vb::Date& now);
struct DeleteResult {
  bool deleted = false;
  bool typeHasRows = false;  // the tax type shown still has rows
};
// Deletes the current row as one change, each part a step of the caller's
// guard: the row, the rows of the type read again into `rows`, the status
// (StatusAfterDelete), the commit. Deleted, `status` holds the form's new
// status; otherwise it and the database are as they were, and `rows` is
// the record set it was (a failed read again never unsets it).
DeleteResult DeleteRow(const db::ConnectionPtr& conn, const forms::FormScope& scope, db::RecordsetPtr& rows,
                       forms::FormStatus& status, const vb::Date& now, Trap& trap);

// --- The copy of P-1 data to P-2.

// The open county offices and districts that are the district of residence
// of a P-1 tax row of the county's agencies in the year, each once, as the
// directory of that year names it, by name
// (SCHOOL_DISTRICT_ID, SCHOOL_DISTRICT_NAME); error 91 after a reported
// failure.
db::RecordsetPtr P1ResidenceDistricts(const db::ConnectionPtr& conn, const forms::FormScope& agency);
// Copies the agency's P-1 rows of the districts of residence into P-2 (each
// replaces the P-2 row of its keys), keys and certifies the agency's rows of
// `own`'s period and rewrites its status row, as one change; failures are
// raised and leave nothing of it. Answers the form's new status.
forms::FormStatus CopyP1ToP2(const db::ConnectionPtr& conn, const forms::FormScope& agency,
                             const forms::FormScope& own, const std::vector<vb::Variant>& districts,
                             const vb::Date& now, std::int32_t currentFormNo);

}  // namespace taxform
