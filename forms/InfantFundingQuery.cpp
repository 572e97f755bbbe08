#include "InfantFundingQuery.h"

using db::Param;
using vb::Variant;

namespace infantfunding {
namespace {

// The agency and period condition on a table's alias, with or without its
// fiscal year.
void WhereAgency(db::SqlText& q, const char* alias, const forms::FormScope& scope, bool withYear) {
  const std::string a(alias);
  q << " WHERE " << a << ".COUNTY_ID = " << Param(Variant(scope.county)) << " AND " << a
    << ".SCHOOL_ID = " << Param(Variant(scope.school)) << " AND " << a
    << ".SCHOOL_DISTRICT_ID = " << Param(Variant(scope.district));
  if (withYear) q << " AND " << a << ".FISCAL_YEAR = " << Param(Variant(scope.year));
  q << " AND " << a << ".PERIOD_ID = " << Param(Variant(scope.period));
}

}  // namespace

db::SqlText AllocationRows(const forms::FormScope& scope) {
  db::SqlText q;
  q << "SELECT LSP.county_id, LSP.school_district_id, LSP.SchoolDistrictName, IFA.SelpaAUDist, "
       "IFA.P1AllocSDC1Se, IFA.P1AllocSDC2Se, IFA.P1AllocSDC1NSe, IFA.P1AllocSDC2Nse, IFA.P1AllocResSplt, "
       "IFA.P1AllocDIS, IFA.P1AllocSDC1SeOp, IFA.P1AllocSDC2SeOp, IFA.P1AllocSDC1NSeOp, IFA.P1AllocSDC2NseOp, "
       "IFA.P1AllocResSpltOp, IFA.P1AllocDISOp, "
       "IFA.P2AllocSDC1Se, IFA.P2AllocSDC2Se, IFA.P2AllocSDC1NSe, IFA.P2AllocSDC2Nse, IFA.P2AllocResSplt, "
       "IFA.P2AllocDIS, IFA.P2AllocSDC1SeOp, IFA.P2AllocSDC2SeOp, IFA.P2AllocSDC1NSeOp, IFA.P2AllocSDC2NseOp, "
       "IFA.P2AllocResSpltOp, IFA.P2AllocDISOp, LSP.AU_county, LSP.SDCrate"
       " FROM InfantFundingAllocation IFA"
       " JOIN LeaSelpaParams LSP ON IFA.SelpaAUDist = LSP.school_district_id"
       " AND IFA.SelpaAUDistSchoolId = LSP.school_id AND IFA.COUNTY_ID = LSP.AU_county"
       " JOIN Param ON IFA.FISCAL_YEAR = Param.FISCAL_YEAR";
  WhereAgency(q, "IFA", scope, true);
  return q;
}

db::SqlText TransferRows(const forms::FormScope& scope) {
  db::SqlText q;
  q << "SELECT IFT.SelpaAU, IFT.SelpaAUName, IFT.SelpaAuSchoolId, IFT.SelpaDist, IFT.SelpaDistrictName, "
       "IFT.SelpaDistSchoolId, IFT.TrSDC1, IFT.TrSDC2, IFT.TrRs, IFT.TrDIS, "
       "CASE WHEN IFT.TrType = 1 THEN 'Sending SELPA AU' ELSE 'Receiving SELPA AU' END AS SELPACaption, "
       "CASE WHEN IFT.TrType = 1 THEN 'Transferring in SELPA District' ELSE 'Transferring out SELPA District' "
       "END AS DISTRICTCaption"
       " FROM InfantFundingTransfer IFT";
  WhereAgency(q, "IFT", scope, true);
  q << " ORDER BY IFT.TrType";
  return q;
}

db::SqlText JustificationRows(const forms::FormScope& scope) {
  db::SqlText q;
  q << "SELECT INF.Justification FROM InfantFunding INF";
  WhereAgency(q, "INF", scope, false);
  return q;
}

}  // namespace infantfunding
