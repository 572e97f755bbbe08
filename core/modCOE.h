#pragma once
// The shared procedures of the entry screens: moving values between field
// controls and record-set fields, the certification keys of rows and forms,
// and the upkeep of the form-status table.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "BoundControl.h"
#include "clsGlobalParam.h"
#include "db/Recordset.h"
#include "zelErrHandler.h"

class QWidget;

namespace modCOE {

// --- Form-data binding. A control takes part when its name begins with
// --- "txt" but not with "txtDUMMY"; it is bound to the column named by the
// --- rest of its name; its tag says how the value moves ("chk", "cbo",
// --- "EXPLAIN", "Z", "I", anything else an amount).

// The date masks: an empty date field, and a blank date as stored.
inline constexpr const char* kEmptyDateMask = "__/__/____";
inline constexpr const char* kBlankDate = "  /  /    ";

void SetValuesInRs(db::Recordset& rs, const BoundControls& controls);
// Shows the current row in the controls, or clears the controls (without
// reading the record set) when `clearing` is true.
void SetValuesFromRs(db::Recordset& rs, const BoundControls& controls, bool clearing);
// The schools that have rows in the table for the current agency and period
// (columns school_id and school_name); none after a reported failure.
db::RecordsetPtr getSchoolList(const std::string& tableName);

// --- Certification keys.

// The row text of the current row: the texts of its values in the table's
// column order, CERT_KEY left out, Null as "".
std::string fcnGetStringForCertKey(const std::string& tableName, db::Recordset& rs);
// Keys the current row (currentRowOnly) or every row, moving through them.
void SetCertKeysInRs(const std::string& tableName, db::Recordset& rs, bool currentRowOnly);
// The certificate number of a form's rows: the rows sorted by the table's
// primary-key columns (modMain::GetSortKeys; none keeps the record set's own
// order), a Null key counting as ""; 0 for no rows. The record set's sort is
// restored and it is left past its last row.
std::int32_t GetGroupCertKey(db::Recordset& rs, const std::vector<std::string>& keyColumns);

// How a certificate counts a row whose CERT_KEY is Null: as "" (the group
// certificate) or as error 94 (the certificate of a form's rows as they
// stand).
enum class NullCertKey { Empty, Error };
// The one certificate loop: the checksum of the rows' CERT_KEY texts joined,
// from the first row in the record set's current order. Each row is a step
// of the caller's guard: a row whose key fails is reported and left out, and
// the others still count. 0 when the guard was left.
std::int32_t CertificateOfRows(db::Recordset& rs, Trap& trap, NullCertKey nullKey);

// --- Form status.

// Adds the form's status row when it is missing, writes the certificate
// number, counts and dates of P into it (the edit-check date too when
// `withEditCheckDate`), and removes every status row without a certificate
// number. All of it is one change: a failure leaves the table as it was.
void UpdateCOEFormsStatus(clsGlobalParam& P, bool withEditCheckDate);
// Resets the form's status row to a form without data (`clear`), or sets its
// certificate number, record count and modification date.
void UpdateSetCOEFormsStatus(clsGlobalParam& P, bool clear);
void UpdateSetCOEFormsStatusForNonEditCheckMultiForms(clsGlobalParam& P, std::int32_t unused = 0);
// Raises when the status procedures above did not write P's status row
// (they report their own failures and go on, so a caller that makes one
// change of several steps checks with this): when a status row of P's
// agency, period and form holds another certificate number or record count
// than P, or than none when `cleared`; with `required`, also when there is
// no such row.
void RequireFormStatus(const clsGlobalParam& P, bool cleared, bool required);
// The number of the catalogue form of that name (any letter case); 0 after
// a reported failure.
std::int32_t getFormDetails(const std::string& formName);
void TorbNotesDeletion(std::int32_t year, std::int32_t district, std::int32_t county, std::int32_t school,
                       const std::string& formName, std::int16_t period);
// Asks for the prior-year correction reason of a form that has data, then
// marks the agency corrected when any of its forms in the period is.
// Answers false when it did nothing. Failures pass to the caller.
bool AskCorrectionReason(std::int16_t recordCount, std::int32_t year, std::int32_t period, std::int32_t county,
                         std::int32_t district, std::int32_t school, std::int16_t formNo, bool ask, bool pointer,
                         bool unused = false);
// Shows the correction-reason window for the form, modally. It starts from
// the status row's note and reason code when the row is marked corrected
// ('Yes'), else from an empty note and code 0. While `required`, the window
// is left only once a reason is stored. Error 429 when no window can be
// made. The window writes the status row itself.
void ShowCorrectionReasonWindow(std::int16_t formNo, const vb::Variant& corrected, const vb::Variant& note,
                                const vb::Variant& reasonCode, bool required);
// PY_LEA_CORRECTED of the agency: 'Yes' when any of its status rows of the
// year and period is marked corrected, else 'No'. Failures pass to the
// caller.
void MarkAgencyCorrected(std::int32_t year, std::int32_t period, std::int32_t county, std::int32_t district,
                         std::int32_t school);
void SetPriorYearMode();

// The correction-reason window that AskCorrectionReason shows; the window's
// module installs its maker at start.
using WindowMaker = std::function<std::unique_ptr<QWidget>()>;
void SetCorrectionReasonWindow(WindowMaker maker);

}  // namespace modCOE
