#pragma once
// Binding of the program to its validation and calculation components.
//
// The components that serve a fiscal year and period are configured in the
// tables ComponentType and ComponentConfiguration; the configured name
// followed by ".clsValidate" or ".clsCalculate" is the programmatic
// identifier. ComponentStatus tests that both can be created and remembers
// their identifiers; CalculateValues runs the remembered calculation
// component over a form's rows. No component instance outlives a call.
// Telling the user what is missing is the caller's part.

#include <cstdint>
#include <memory>
#include <string>

#include "db/Connection.h"
#include "db/Recordset.h"
#include "vb/Variant.h"

namespace modValidationCalculation {

// What ComponentStatus found: whether both configured components of the
// year and period can be created and bound, and otherwise the message that
// says what is missing (one line, ended by "\r", per component; or
// "Unknown Error in ComponentStatus - " and the error number when the
// configuration cannot be read).
struct ComponentCheck {
  bool available = false;
  std::string message;
};
ComponentCheck ComponentStatus(const db::ConnectionPtr& conn, std::int32_t FiscalYear, std::int32_t PeriodID);

// How a recalculation ended.
enum class Calculation {
  Done,         // the component recalculated the rows
  Failed,       // the component answered False or failed (nothing is said)
  NoComponent,  // "Cannot create calculation object"
};
// The message of a calculation component that cannot be created.
inline constexpr const char* kNoCalculationObject = "Cannot create calculation object";

// Recalculates the form's rows in place through the calculation component of
// the period last tested, working on the connection's database. Unless it
// is Done, the caller's variables are unchanged.
Calculation CalculateValues(const db::ConnectionPtr& conn, std::string& TableName, db::RecordsetPtr& CurrentValues,
                            std::shared_ptr<vb::Object>& Params);

}  // namespace modValidationCalculation
