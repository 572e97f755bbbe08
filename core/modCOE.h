#pragma once
// The shared procedures of the entry screens: moving values between field
// controls and record-set fields. The certification keys and the
// form-status table are the form operations' (forms/modCOECertification.h,
// forms/modCOEStatus.h); the prior-year correction question, which opens a
// window, is in modCOECorrection.h.

#include <string>

#include "BoundControl.h"
#include "db/Recordset.h"

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

// Sets the prior-year mode from the period mode ("PY_..." texts).
void SetPriorYearMode();

}  // namespace modCOE
