#pragma once
// The values a form operation works on, handed in by its caller: whose rows
// of which form (FormScope), and what the form's status row records
// (FormStatus). Nothing in forms/ reads the program-wide variables; a
// window builds these values at its edge (ScopeOfParams.h) and takes the
// results back.

#include <cstdint>
#include <string>

#include "vb/Variant.h"

namespace forms {

struct FormScope {
  std::int32_t year = 0;    // fiscal year
  std::int32_t period = 0;  // 1 P-1, 2 P-2, 3 Annual
  std::int32_t county = 0;
  std::int32_t district = 0;
  std::int32_t school = 0;
  std::int32_t formNo = 0;
  std::string formName;      // the form's table
  std::int16_t taxType = 0;  // the tax forms' type: 0 County, 1 District
  // The kind of agency the user works for (the user group): 2 county
  // office, 3 district, 4 charter school, 5 SELPA, 7 county auditor.
  std::int32_t agencyKind = 0;
  // The agency's district type and ROC/P code, which some pick lists read.
  std::string districtType;
  std::int32_t rocp = 0;
};

// A form's status row: its certificate number, counts and dates.
struct FormStatus {
  std::int32_t certificate = 0;
  std::int16_t records = 0;
  std::int16_t errors = 0;
  std::int16_t warnings = 0;
  vb::Date lastModified{};
  vb::Date editCheck{};
};

}  // namespace forms
