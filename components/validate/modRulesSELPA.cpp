#include "modRulesSELPA.h"

#include "vb/Conversions.h"

namespace modRulesSELPA {
namespace {

using modGeneralRoutines::AddError;
using modGeneralRoutines::CopyKeys;
using modGeneralRoutines::ForEveryRow;
using modGeneralRoutines::Report;
using modGeneralRoutines::RunRuleSet;
using modGeneralRoutines::SetErrorMsg;
using rulegate::Check;
using rulegate::Compare;
using rulegate::Fires;
using rulegate::Op;

// A blank amount in an allocation counts as 0, so that an allocation left
// incomplete is reported rather than passed.
vb::Variant AddAmount(const vb::Variant& total, const vb::Variant& amount) {
  return amount.IsNull() ? total : total + amount;
}

vb::Variant ZeroIfNull(const vb::Variant& total) { return total.IsNull() ? rulegate::DecimalZero() : total; }

// --- Extraordinary cost pool -------------------------------------------------

constexpr Check kSeCostPoolTrap = rulegate::TrapRow("A", "1", "A", "SeCostPool");
constexpr Check kNonPublicCosts{"A", "10", "", "W", "TotalNonPubSinglePlace",
                                "Total Nonpublic School Costs for this Student", "Should be greater than zero"};
constexpr Check kPlacementDate{"A", "8", "", "W", "StudentPlacementDate", "Student Placement Date",
                               "Student placement date ineligible for Extraordinary Cost Pool"};

// A cost-pool row names the placement in its Where_Clause: the licence
// number, two blanks and the student's name.
void ReportPlacement(const db::RecordsetPtr& CurrentValues, const db::RecordsetPtr& RsErr, const Check& check) {
  AddError(RsErr, check);
  RsErr->SetValue("Where_Clause", vb::TextOf(CurrentValues->Value("licensenumber")) + "  " +
                                      vb::TextOf(CurrentValues->Value("name")));
  SetErrorMsg(RsErr, check.Message);
  CopyKeys(CurrentValues, RsErr);
}

// --- Special-education tax allocation ----------------------------------------

constexpr Check kTaxPercentages{"A", "1", "", "E", "TaxPer", "Percentage of Tax Allocation",
                                "Sum of all Percentages must equal 100"};

// --- Attendance allocation ---------------------------------------------------

// A line of the first row against the total of its allocated column.
struct AllocationTotal {
  std::string_view lineColumn;
  std::string_view allocatedColumn;
  Check check;
};
constexpr AllocationTotal kAllocationTotals[] = {
    {"AttCoe", "AttCOEAllocated",
     {"A", "3", "", "E", "AttCOEAllocated", "Attendance COE Allocated to this SELPA", "Sum of all A-3 must equal to A-1"}},
    {"AttCoeDistFundADA", "AttCoeDistFundADAAllocated",
     {"A", "4", "", "E", "AttCoeDistFundADAAllocated",
      "Attendance District Funded County Programs Allocated to this SELPA", "Sum of all A-4 must equal to A-2"}},
};

// --- Infant funding ----------------------------------------------------------

constexpr Check kInfantFundingTrap = rulegate::TrapRow("A", "1", "A", "InfantFunding");
constexpr Check kNoAllocation{"B", "1", "", "E", "InSeSDC1", "Allocation", "Allocation must have at least one record"};
constexpr Check kOperatedP1{"A", "5", "", "E", "InAllocTotal", "Total",
                            "Sum of P1 Operated Units of all records of Allocation must be equal to Total Operated of "
                            "Infant Funding"};
constexpr Check kOperatedP2{"A", "5", "", "E", "InAllocTotal", "Total",
                            "Sum of P2 Operated Units of all records of Allocation must be equal to Total Operated of "
                            "Infant Funding"};
constexpr Check kJustification{"D", "1", "", "E", "Justification", "Justification for redistribution of Units",
                               "Justification must be filled"};
constexpr Check kCertificated{"A", "6", "", "E", "InDTSCert", "Certificated",
                              "Sum of DIS FTE Certificated of Allocation must be equal to DIS FTE Certificated of "
                              "Infant Funding"};
constexpr Check kClassified{"A", "7", "", "E", "InDTSClass", "Classified",
                            "Sum of DIS FTE Classified of Allocation must be equal to DIS FTE Classified of Infant "
                            "Funding"};
constexpr Check kAllocatedP1{"A", "5", "", "E", "InAllocTotal", "Total",
                             "Sum of P1 Allocated Units (B-1 to B-6) of all records of Allocation must be equal to "
                             "Total Allocated of Infant Funding + (Sum of Transfer In - Sum of Transfer Out) of all "
                             "records of Transfer"};
constexpr Check kAllocatedP2{"A", "5", "", "E", "InAllocTotal", "Total",
                             "Sum of P2 Allocated Units (B-1 to B-6) of all records of Allocation must be equal to "
                             "Total Allocated of Infant Funding + (Sum of Transfer In - Sum of Transfer Out) of all "
                             "records of Transfer"};
constexpr Check kDisCertificated{"B", "7", "", "E", "InDTSCert", "Certificated",
                                 "DIS FTE Certificated or Classified of Allocation must be greater than zero"};
constexpr Check kDisClassified{"B", "8", "", "E", "InDTSClass", "Classified",
                               "DIS FTE Certificated or Classified of Allocation must be greater than zero"};

// The infant-funding tables are keyed like the form's own rows.
db::SqlText InfantKeys(const db::Recordset& row) {
  return rulegate::KeysOf(row, {"School_District_ID", "School_ID", "County_ID", "Fiscal_Year", "Period_ID"});
}

enum TransferType { kTransferIn = 1, kTransferOut = 2 };

// The units transferred in or out, 0 when there are none.
vb::Variant TransferTotal(const db::ConnectionPtr& conn, const db::SqlText& keys, TransferType type) {
  db::SqlText filter = keys;
  filter << " AND TrType = " << db::Param(static_cast<int>(type));
  auto transfers = db::Recordset::Query("SELECT TrSDC1, TrSDC2, TrRs, TrDIS FROM InfantFundingTransfer" + filter.Sql(),
                                        conn, filter.Params());
  return ZeroIfNull(rulegate::RowsTotal(*transfers, {"TrSDC1", "TrSDC2", "TrRs", "TrDIS"}));
}

// The P-1 and P-2 totals of one kind of units over the allocation rows; both
// 0 when either is Null.
struct PeriodTotals {
  vb::Variant p1;
  vb::Variant p2;
};
PeriodTotals UnitTotals(db::Recordset& allocation, std::initializer_list<std::string_view> p1Terms,
                        std::initializer_list<std::string_view> p2Terms) {
  PeriodTotals totals{rulegate::RowsTotal(allocation, p1Terms), rulegate::RowsTotal(allocation, p2Terms)};
  if (totals.p1.IsNull() || totals.p2.IsNull()) totals = {rulegate::DecimalZero(), rulegate::DecimalZero()};
  return totals;
}

}  // namespace

db::RecordsetPtr Validate_SECOSTPOOL(db::RecordsetPtr& CurrentValues, ParamsRef) {
  return RunRuleSet(&kSeCostPoolTrap, CurrentValues, [&](const db::RecordsetPtr& RsErr) {
    db::Recordset& rs = *CurrentValues;
    const vb::Date earliestPlacement = vb::DateSerial(1998, 7, 1);
    ForEveryRow(rs, [&] {
      if (Fires(Compare(rs.Value("TotalNonPubSinglePlace"), Op::Eq, 0)))
        ReportPlacement(CurrentValues, RsErr, kNonPublicCosts);
      if (vb::CDate(rs.Value("StudentPlacementDate")) < earliestPlacement)
        ReportPlacement(CurrentValues, RsErr, kPlacementDate);
    });
  });
}

db::RecordsetPtr Validate_SPEDTAXALLOC(db::RecordsetPtr& CurrentValues, ParamsRef) {
  return RunRuleSet(nullptr, CurrentValues, [&](const db::RecordsetPtr& RsErr) {
    db::Recordset& rs = *CurrentValues;
    vb::Variant total = rulegate::DecimalZero();
    ForEveryRow(rs, [&] { total = AddAmount(total, rs.Value("TaxPer")); });
    // The row carries the keys of the row the caller stood on.
    if (Fires(Compare(total, Op::Ne, 100))) Report(CurrentValues, RsErr, kTaxPercentages);
  });
}

db::RecordsetPtr Validate_SELPAADAALLOC(db::RecordsetPtr& CurrentValues, ParamsRef) {
  return RunRuleSet(nullptr, CurrentValues, [&](const db::RecordsetPtr& RsErr) {
    db::Recordset& rs = *CurrentValues;
    rs.MoveFirst();
    vb::Variant lines[std::size(kAllocationTotals)];
    vb::Variant totals[std::size(kAllocationTotals)];
    for (std::size_t i = 0; i < std::size(kAllocationTotals); ++i) {
      lines[i] = vb::CDec(rs.Value(kAllocationTotals[i].lineColumn));  // a blank line fails the call
      totals[i] = rulegate::DecimalZero();
    }
    for (; !rs.Eof(); rs.MoveNext()) {
      for (std::size_t i = 0; i < std::size(kAllocationTotals); ++i)
        totals[i] = AddAmount(totals[i], rs.Value(kAllocationTotals[i].allocatedColumn));
    }
    rs.MoveFirst();
    for (std::size_t i = 0; i < std::size(kAllocationTotals); ++i) {
      if (Fires(Compare(lines[i], Op::Ne, totals[i]))) Report(CurrentValues, RsErr, kAllocationTotals[i].check);
    }
  });
}

db::RecordsetPtr Validate_INFANTFUNDING(db::RecordsetPtr& CurrentValues, ParamsRef) {
  return RunRuleSet(&kInfantFundingTrap, CurrentValues, [&](const db::RecordsetPtr& RsErr) {
    const auto report = [&](const Check& check) { Report(CurrentValues, RsErr, check); };
    db::ConnectionPtr conn = modGeneralRoutines::OpenOwnConnection();
    const db::SqlText keys = InfantKeys(*CurrentValues);
    auto allocation = db::Recordset::Query("SELECT * FROM InfantFundingAllocation" + keys.Sql(), conn, keys.Params());
    auto infant = db::Recordset::Query("SELECT * FROM InfantFunding" + keys.Sql(), conn, keys.Params());
    const bool hasInfantRow = !(infant->Bof() && infant->Eof());
    // A figure of the infant-funding row: 0 without the row, a blank one
    // fails.
    const auto infantFigure = [&](std::string_view column) {
      return hasInfantRow ? vb::Variant(vb::CDec(infant->Value(column))) : rulegate::DecimalZero();
    };

    if (allocation->Bof() && allocation->Eof()) report(kNoAllocation);

    const PeriodTotals operated = UnitTotals(
        *allocation,
        {"P1AllocSDC1SeOp", "P1AllocSDC2SeOp", "P1AllocSDC1NSeOp", "P1AllocSDC2NseOp", "P1AllocResSpltOp", "P1AllocDISOp"},
        {"P2AllocSDC1SeOp", "P2AllocSDC2SeOp", "P2AllocSDC1NSeOp", "P2AllocSDC2NseOp", "P2AllocResSpltOp", "P2AllocDISOp"});
    const vb::Variant totalOperated = infantFigure("InOpTotal");
    if (Fires(Compare(totalOperated, Op::Ne, operated.p1))) report(kOperatedP1);
    if (Fires(Compare(totalOperated, Op::Ne, operated.p2))) report(kOperatedP2);

    const bool changed = IsInfantAllocationChanged(*infant);
    const vb::Variant justification = infant->Value("justification");
    if (changed && !justification.IsNull() && vb::Trim(vb::TextOf(justification)).empty()) report(kJustification);

    const vb::Variant certificated = ZeroIfNull(rulegate::RowsTotal(*allocation, {"InDTSCert"}));
    if (Fires(Compare(infantFigure("InDTSCert"), Op::Ne, certificated))) report(kCertificated);
    const vb::Variant classified = ZeroIfNull(rulegate::RowsTotal(*allocation, {"InDTSClass"}));
    if (Fires(Compare(infantFigure("InDTSClass"), Op::Ne, classified))) report(kClassified);

    const PeriodTotals allocated = UnitTotals(
        *allocation, {"P1AllocSDC1Se", "P1AllocSDC2Se", "P1AllocSDC1NSe", "P1AllocSDC2Nse", "P1AllocResSplt", "P1AllocDIS"},
        {"P2AllocSDC1Se", "P2AllocSDC2Se", "P2AllocSDC1NSe", "P2AllocSDC2Nse", "P2AllocResSplt", "P2AllocDIS"});
    const vb::Variant transferredIn = TransferTotal(conn, keys, kTransferIn);
    const vb::Variant transferredOut = TransferTotal(conn, keys, kTransferOut);
    const vb::Variant available = infantFigure("InAllocTotal") + (transferredIn - transferredOut);
    if (Fires(Compare(allocated.p1, Op::Ne, available))) report(kAllocatedP1);
    if (Fires(Compare(allocated.p2, Op::Ne, available))) report(kAllocatedP2);

    // DIS units operated need DIS staff of either kind; a blank staff figure
    // counts as none, so that it is reported rather than failing the checks.
    const vb::Variant disOperated = ZeroIfNull(rulegate::RowsTotal(*allocation, {"P1AllocDISOp", "P2AllocDISOp"}));
    const vb::Variant disFte = certificated + classified;
    if (Fires(rulegate::And(Compare(disOperated, Op::Gt, 0), Compare(disFte, Op::Eq, 0)))) {
      report(kDisCertificated);
      report(kDisClassified);
    }
  });
}

bool IsInfantAllocationChanged(const db::Recordset& rsInfant) {
  static constexpr std::pair<std::string_view, std::string_view> kUnitPairs[] = {
      {"InAllocSDC1", "InOpSDC1"}, {"InAllocSDC2", "InOpSDC2"}, {"InAllocRs", "InOpRs"}, {"InAllocDIS", "InOpDIS"}};
  rulegate::Truth changed = false;
  for (const auto& [allocatedColumn, operatedColumn] : kUnitPairs)
    changed = rulegate::Or(changed, Compare(rsInfant.Value(allocatedColumn), Op::Ne, rsInfant.Value(operatedColumn)));
  return Fires(changed);
}

}  // namespace modRulesSELPA
