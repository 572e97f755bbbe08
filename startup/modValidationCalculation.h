#pragma once
// Binding of the program to its validation and calculation components.
//
// The components that serve a fiscal year and period are configured in the
// tables ComponentType and ComponentConfiguration; the configured name
// followed by ".clsValidate" or ".clsCalculate" is the programmatic
// identifier. ComponentStatus tests that both can be created and remembers
// their identifiers; CalculateValues runs the remembered calculation
// component over a form's rows. No component instance outlives a call.

#include <cstdint>
#include <memory>
#include <string>

#include "db/Recordset.h"
#include "vb/Variant.h"

namespace modValidationCalculation {

// True when both configured components of the year and period can be
// created and bound. Otherwise shows what is missing in one message box and
// answers false.
bool ComponentStatus(const std::int32_t& FiscalYear, const std::int32_t& PeriodID);

// Recalculates the form's rows in place through the calculation component of
// the period last tested, and answers its result. False, with a message,
// when the component cannot be created; false, silently, when the
// calculation fails (the caller's variables are then unchanged).
bool CalculateValues(std::string& TableName, db::RecordsetPtr& CurrentValues, std::shared_ptr<vb::Object>& Params);

}  // namespace modValidationCalculation
