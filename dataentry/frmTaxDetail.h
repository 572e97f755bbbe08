#pragma once
// What the two files of the tax form share.

namespace frmTaxDetail {

// The module name of the form's error reports.
inline constexpr const char* kModule = "frmTax";
// The form's table.
inline constexpr const char* kTable = "Tax";

}  // namespace frmTaxDetail
