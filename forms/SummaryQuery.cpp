#include "SummaryQuery.h"

#include "vb/Variant.h"

using db::Param;
using vb::Variant;

namespace taxsummary {

db::SqlText CountyRows(std::int32_t countyId, std::int32_t fiscalYear, std::int32_t periodId, std::int32_t taxType) {
  db::SqlText q;
  q << "SELECT * FROM Tax WHERE county_id = " << Param(Variant(countyId)) << " AND fiscal_year = "
    << Param(Variant(fiscalYear)) << " AND period_id = " << Param(Variant(periodId))
    << " AND TaxType = " << Param(Variant(taxType)) << " ORDER BY ResSchoolDistName";
  return q;
}

}  // namespace taxsummary

namespace certnotes {

db::SqlText CountyOfficeRow(std::int32_t countyId, std::int32_t fiscalYear) {
  db::SqlText q;
  q << "SELECT * FROM KRN_LEAS WHERE LEA_TYPE = 2 AND COUNTY_ID = " << Param(Variant(countyId))
    << " AND SCHOOL_ID = 0 ORDER BY FISCAL_YEAR = " << Param(Variant(fiscalYear))
    << " DESC, FISCAL_YEAR DESC LIMIT 1";
  return q;
}

}  // namespace certnotes
