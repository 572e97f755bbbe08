#pragma once
// What the two files of the tax form share.

#include "TaxForm.h"

namespace frmTaxDetail {

// The module name of the form's error reports.
inline constexpr const char* kModule = "frmTax";
// The form's table.
using taxform::kTable;

}  // namespace frmTaxDetail
