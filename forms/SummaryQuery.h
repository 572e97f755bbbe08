#pragma once
// The rows of the county-wide print commands: the county's tax rows that
// the tax summary prints, and the county office's directory row that heads
// the certification exception reports. Every value is bound.

#include <cstdint>

#include "db/SqlText.h"

namespace taxsummary {

// Every tax row of the county for the fiscal year, period and tax type (0
// the county office's taxes, 1 the school districts'), whatever agency
// entered it, in the order of the name of the district of residence.
db::SqlText CountyRows(std::int32_t countyId, std::int32_t fiscalYear, std::int32_t periodId, std::int32_t taxType);

}  // namespace taxsummary

namespace certnotes {

// The county office's directory row of the county (agency type 2, school
// 0): the row of the fiscal year first, then the latest of the others, so
// that the heading never names the office as an earlier year listed it.
db::SqlText CountyOfficeRow(std::int32_t countyId, std::int32_t fiscalYear);

}  // namespace certnotes
