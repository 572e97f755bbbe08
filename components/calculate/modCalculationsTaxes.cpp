// The tax forms: each row's Total from its amount lines.

#include "modCalculations.h"

namespace modCalculationsTaxes {
namespace {

using sumwright::Steps;

// The property-tax Total adds ten lines; CommRedFunds, SERAF,
// RedevAgencyAssetLiquidation, CollegeERAF and EstExcessERAF stay out of it.
const Steps kTax{
    {"Total",
     {"Secured", "Unsecured", "HOX", "Subventions", "DistributionTimberYieldTax", "DistributionPriorYearTax",
      "ReleasePriorYearTaxImpound", "SupplementalTax", "EducationalRevenueAugmentationFund",
      "PriorYearRestrictedMonie"}},
};

const Steps kTaxMisc{
    {"Total", {"RoyaltiesBonuses", "FederalStateCountyLieuofTaxe"}},
};

}  // namespace

std::int16_t Calculate_TAX(db::RecordsetPtr& currentValues, sumwright::ParamsRef) {
  return modGeneralRoutines::VisitRows(currentValues, kTax);
}

std::int16_t Calculate_TAXMISC(db::RecordsetPtr& currentValues, sumwright::ParamsRef) {
  return modGeneralRoutines::VisitRows(currentValues, kTaxMisc);
}

}  // namespace modCalculationsTaxes
