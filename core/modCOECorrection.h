#pragma once
// The prior-year correction question of an entry screen: the
// correction-reason window shown for a form that has data, and the agency's
// corrected mark that follows the answers.

#include <cstdint>
#include <functional>
#include <memory>

#include "vb/Variant.h"

class QWidget;

namespace modCOE {

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

// The correction-reason window that AskCorrectionReason shows; the window's
// module installs its maker at start.
using WindowMaker = std::function<std::unique_ptr<QWidget>()>;
void SetCorrectionReasonWindow(WindowMaker maker);

}  // namespace modCOE
