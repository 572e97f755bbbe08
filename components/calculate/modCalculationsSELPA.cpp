// The special-education (SELPA) forms: mental-health costs, the infant
// program, and the infant-funding calculation from the rates and
// allocations in the database.

#include <array>
#include <optional>

#include "modCalculations.h"

namespace modCalculationsSELPA {
namespace {

using sumwright::Steps;

const Steps kMentalHealth{
    {"TotalCostOfMHServices", {"CostOfMHRoomBoard", "CostOfResMHServices", "CostOfOtherMHServices"}},
};

// The operating total adds the six inputs again, not the two sums before it.
const Steps kInfantFunding{
    {"InOpSDC1", {"InSeSDC1", "InNSeSDC1"}},
    {"InOpSDC2", {"InSeSDC2", "InNSeSDC2"}},
    {"InOpTotal", {"InOpRs", "InOpDIS", "InSeSDC1", "InSeSDC2", "InNSeSDC1", "InNSeSDC2"}},
};

// The allocation columns, P1Alloc<suffix> and P2Alloc<suffix>; the first
// eleven are averaged into P1P2Alloc<suffix>, the last is computed apart.
constexpr std::array<const char*, 12> kAllocations{
    "SDC1Se",   "SDC2Se",   "SDC1NSe",   "SDC2Nse",   "ResSplt",   "DIS",
    "SDC1SeOp", "SDC2SeOp", "SDC1NSeOp", "SDC2NseOp", "ResSpltOp", "DISOp",
};

// The lesser of two values: x when x is below y, else y (also when either is
// Null, the comparison then having no answer).
vb::Variant Lesser(const vb::Variant& x, const vb::Variant& y) {
  const std::optional<int> order = vb::Compare(x, y);
  return (order && *order < 0) ? x : y;
}

}  // namespace

std::int16_t Calculate_SELPAMENTALHEALTH(db::RecordsetPtr& currentValues, sumwright::ParamsRef) {
  return modGeneralRoutines::VisitRows(currentValues, kMentalHealth);
}

std::int16_t Calculate_INFANTFUNDING(db::RecordsetPtr& currentValues, sumwright::ParamsRef) {
  return modGeneralRoutines::VisitRows(currentValues, kInfantFunding);
}

std::int16_t Calculate_INFANTFUNDINGBP(db::RecordsetPtr& currentValues, sumwright::ParamsRef) {
  // The connection and the queries close when they go out of scope, on
  // either way out.
  try {
    db::Recordset& row = vb::Deref(currentValues);
    const db::ConnectionPtr conn = db::Connection::OpenNew(modGeneralRoutines::GetConnectionString());
    const auto where = modGeneralRoutines::GetWhereClause(row);
    const auto auWhere = modGeneralRoutines::GetAuWhereClause(row);
    // Each query's first row is read; a query without rows fails at its
    // first read.
    const auto p = db::Recordset::Query("SELECT * FROM Param WHERE Fiscal_Year = ?", conn, {row.Value("Fiscal_Year")});
    const auto a = db::Recordset::Query("SELECT * FROM InfantFundingAllocation" + where.Sql(), conn, where.Params());
    const auto l = db::Recordset::Query("SELECT * FROM LeaSelpaParams" + auWhere.Sql(), conn, auWhere.Params());

    auto P = [&](const char* column) { return p->Value(column); };
    auto A = [&](const std::string& column) { return a->Value(column); };
    auto L = [&](const char* column) { return l->Value(column); };
    auto R = [&](const std::string& column) { return row.Value(column); };
    auto Set = [&](const std::string& column, const vb::Variant& value) { row.SetValue(column, value); };
    const vb::Variant two{static_cast<std::int16_t>(2)};

    Set("CY1AideRate", P("COLAAides") + L("Aiderate"));
    Set("CYDISrate", P("COLADIS") + L("DISrate"));
    for (const char* period : {"P1Alloc", "P2Alloc"}) {
      for (const char* suffix : kAllocations) Set(std::string(period) + suffix, A(std::string(period) + suffix));
    }
    for (std::size_t i = 0; i + 1 < kAllocations.size(); ++i) {
      const std::string suffix = kAllocations[i];
      Set("P1P2Alloc" + suffix, (A("P1Alloc" + suffix) + A("P2Alloc" + suffix)) / two);
    }
    Set("P1P2AllocDISOp", A("InDTSCert") + A("InDTSClass") * (R("CY1AideRate") / R("CYDISrate")));
    Set("P1P2TotalAlloc", R("P1P2AllocSDC1Se") + R("P1P2AllocSDC2Se") + R("P1P2AllocSDC1NSe") + R("P1P2AllocSDC2Nse") +
                              R("P1P2AllocResSplt") + R("P1P2AllocDIS"));
    Set("P1P2TotalOp", R("P1P2AllocSDC1SeOp") + R("P1P2AllocSDC2SeOp") + R("P1P2AllocSDC1NSeOp") +
                           R("P1P2AllocSDC2NseOp") + R("P1P2AllocResSpltOp") + R("P1P2AllocDISOp"));
    Set("Actual_county", L("County_Id"));
    Set("SchoolDistrictName", vb::Concat(L("SchoolDistrictName"), vb::Variant("")));
    Set("SDCrate", L("SDCrate"));
    Set("CYSDCrate", P("COLASDC") + L("SDCrate"));
    Set("RSPrate", L("RSPrate"));
    Set("CYRSPrate", P("COLARSP") + L("RSPrate"));
    Set("DISrate", L("DISrate"));
    Set("Aiderate", L("Aiderate"));
    Set("CY2AideRate", R("CY1AideRate") * two);
    Set("SSR", L("SSR"));
    Set("NSSSR", L("NSSSR"));
    Set("SSSR", L("SSSR"));
    Set("C1", Lesser(R("P1P2AllocSDC1Se"), R("P1P2AllocSDC1SeOp")) * (R("CYSDCrate") + R("CY1AideRate")));
    Set("C2", Lesser(R("P1P2AllocSDC2Se"), R("P1P2AllocSDC2SeOp")) * (R("CYSDCrate") + R("CY2AideRate")));
    Set("C3", R("C1") + R("C2"));
    Set("C4", R("C3") * L("SSSR"));
    Set("C5", R("C3") + R("C4"));
    Set("C6", Lesser(R("P1P2AllocSDC1NSe"), R("P1P2AllocSDC1NSeOp")) * (R("CYSDCrate") + R("CY1AideRate")));
    Set("C7", Lesser(R("P1P2AllocSDC2Nse"), R("P1P2AllocSDC2NseOp")) * (R("CYSDCrate") + R("CY2AideRate")));
    Set("C8", R("C6") + R("C7"));
    Set("C9", R("C8") * L("NSSSR"));
    Set("C10", R("C8") + R("C9"));
    Set("C11", Lesser(R("P1P2AllocResSplt"), R("P1P2AllocResSpltOp")) * (R("CYRSPrate") + R("CY1AideRate")));
    Set("C12", R("C11") * L("NSSSR"));
    Set("C13", R("C11") + R("C12"));
    Set("C14", Lesser(R("P1P2AllocDIS"), R("P1P2AllocDISOp")) * R("CYDISrate"));
    Set("C15", R("C14") * L("NSSSR"));
    Set("C16", R("C14") + R("C15"));
    Set("C17", R("C5") + R("C10") + R("C13") + R("C16"));
    Set("C18", P("InfantProrationFactor"));
    Set("C19", R("C17") * R("C18"));
    Set("COLASDC", P("COLASDC"));
    Set("COLARSP", P("COLARSP"));
    Set("COLADIS", P("COLADIS"));
    Set("COLAAides", P("COLAAides"));
    return sumwright::kTrue;
  } catch (const std::exception&) {
    return sumwright::kFalse;
  }
}

}  // namespace modCalculationsSELPA
