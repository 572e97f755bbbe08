// The rule sets of the special-education forms: the extraordinary cost
// pool, the tax allocation, the attendance allocation and infant funding,
// each on a table of small cases.

#include <optional>

#include "RuleFixture.h"
#include "vb/Conversions.h"

namespace ruletest {
namespace {

using SelpaRulesTest = RuleTest;

const Finding kNonPublicCosts{"A-10", "TotalNonPubSinglePlace", "W", "Should be greater than zero"};
const Finding kPlacementDate{"A-8", "StudentPlacementDate", "W",
                             "Student placement date ineligible for Extraordinary Cost Pool"};
const Finding kCostPoolTrap{"A-1", "SeCostPool", "E", "Unexpected Error generated in Rule Validation Engine"};

TEST_F(SelpaRulesTest, CostPoolWarnsOfNoCostsAndOfEarlyPlacements) {
  const vb::Variant onTime = vb::DateSerial(2019, 9, 3);
  struct Case {
    const char* name;
    std::vector<Cells> rows;
    std::vector<Finding> expected;
  };
  const Case cases[] = {
      {"no costs and placed the day before the bound",
       {{{"TotalNonPubSinglePlace", 0.0}, {"StudentPlacementDate", vb::DateSerial(1998, 6, 30)}}},
       {kNonPublicCosts, kPlacementDate}},
      {"negative costs, placed on the bound",
       {{{"TotalNonPubSinglePlace", -5.0}, {"StudentPlacementDate", vb::DateSerial(1998, 7, 1)}}},
       {}},
      {"blank costs", {{{"TotalNonPubSinglePlace", vb::Null}, {"StudentPlacementDate", onTime}}}, {}},
      {"the smallest cost", {{{"TotalNonPubSinglePlace", 0.0001}, {"StudentPlacementDate", onTime}}}, {}},
      {"each row on its own",
       {{{"TotalNonPubSinglePlace", 0.0}, {"StudentPlacementDate", onTime}},
        {{"TotalNonPubSinglePlace", 20.0}, {"StudentPlacementDate", vb::DateSerial(1997, 1, 1)}}},
       {kNonPublicCosts, kPlacementDate}},
      {"a blank placement date ends the checks",
       {{{"TotalNonPubSinglePlace", 0.0}, {"StudentPlacementDate", vb::Null}},
        {{"TotalNonPubSinglePlace", 0.0}, {"StudentPlacementDate", onTime}}},
       {kNonPublicCosts, kCostPoolTrap}},
  };
  for (const Case& c : cases) {
    auto rows = FormRows("SECOSTPOOL", c.rows);
    ExpectFindings(Validate("SECOSTPOOL", rows), c.expected, c.name);
  }
}

TEST_F(SelpaRulesTest, TaxPercentagesMustAddUpToExactlyOneHundred) {
  const Finding kSum{"A-1", "TaxPer", "E", "Sum of all Percentages must equal 100"};
  struct Case {
    std::vector<vb::Variant> percentages;
    bool reported;
  };
  const Case cases[] = {
      {{33.33, 33.33, 33.34}, false},
      {{33.33, 33.33, 33.33}, true},
      {{16.75, 52.01, 31.24}, false},  // adds up to 100 only in exact decimals
      {{100.0}, false},
      {{100.0001}, true},
      {{50.0, vb::Null, 50.0}, false},
      // A blank percentage counts as 0: the allocation is incomplete.
      {{50.0, vb::Null, 40.0}, true},
      {{vb::Null}, true},
  };
  for (const Case& c : cases) {
    std::vector<Cells> rows;
    for (const vb::Variant& percentage : c.percentages) rows.push_back({{"TaxPer", percentage}});
    auto taxRows = FormRows("SPEDTAXALLOC", rows);
    const std::string context = std::to_string(c.percentages.size()) + " rows, first " + vb::TextOf(c.percentages[0]);
    auto result = Validate("SPEDTAXALLOC", taxRows);
    ExpectFindings(result, c.reported ? std::vector<Finding>{kSum} : std::vector<Finding>{}, context);
    if (c.reported) {
      EXPECT_EQ(ColumnOf(result, "SchoolDistrictID")[0].AsLong(), kDistrict) << context;
    }
  }
}

TEST_F(SelpaRulesTest, AllocatedAttendanceMustAddUpToTheFirstRowsLines) {
  const Finding kCoe{"A-3", "AttCOEAllocated", "E", "Sum of all A-3 must equal to A-1"};
  const Finding kDistrictFunded{"A-4", "AttCoeDistFundADAAllocated", "E", "Sum of all A-4 must equal to A-2"};
  // A row.
  using Row = std::array<vb::Variant, 4>;
  struct Case {
    const char* name;
    std::vector<Row> rows;
    std::vector<Finding> expected;
  };
  const Case cases[] = {
      {"one row that allocates its lines", {{10.5, 3.0, 10.5, 3.0}}, {}},
      {"the first row's lines count", {{0.3, 1.0, 0.1, 0.5}, {99.0, 7.0, 0.2, 0.5}}, {}},
      {"A-3 short", {{10.0, 3.0, 9.99, 3.0}}, {kCoe}},
      {"A-4 over", {{10.0, 3.0, 10.0, 1.5}, {10.0, 3.0, 0.0, 1.5001}}, {kDistrictFunded}},
      {"both off", {{10.0, 3.0, 1.0, 1.0}}, {kCoe, kDistrictFunded}},
      // A blank allocation counts as 0: the allocation is incomplete.
      {"blank allocations that complete nothing", {{10.0, 3.0, 10.0, vb::Null}, {0.0, 0.0, vb::Null, 3.0}}, {}},
      {"blank allocations that leave a gap", {{10.0, 3.0, 6.0, vb::Null}, {0.0, 0.0, vb::Null, vb::Null}},
       {kCoe, kDistrictFunded}},
  };
  for (const Case& c : cases) {
    std::vector<Cells> rows;
    for (const Row& row : c.rows)
      rows.push_back({{"AttCoe", row[0]}, {"AttCoeDistFundADA", row[1]}, {"AttCOEAllocated", row[2]},
                      {"AttCoeDistFundADAAllocated", row[3]}});
    auto allocation = FormRows("SELPAADAALLOC", rows);
    ExpectFindings(Validate("SELPAADAALLOC", allocation), c.expected, c.name);
  }
}

// --- Infant funding ----------------------------------------------------------

const Finding kNoAllocation{"B-1", "InSeSDC1", "E", "Allocation must have at least one record"};
const Finding kOperatedP1{"A-5", "InAllocTotal", "E",
                          "Sum of P1 Operated Units of all records of Allocation must be equal to Total Operated of "
                          "Infant Funding"};
const Finding kOperatedP2{"A-5", "InAllocTotal", "E",
                          "Sum of P2 Operated Units of all records of Allocation must be equal to Total Operated of "
                          "Infant Funding"};
const Finding kJustification{"D-1", "Justification", "E", "Justification must be filled"};
const Finding kCertificated{"A-6", "InDTSCert", "E",
                            "Sum of DIS FTE Certificated of Allocation must be equal to DIS FTE Certificated of "
                            "Infant Funding"};
const Finding kClassified{"A-7", "InDTSClass", "E",
                          "Sum of DIS FTE Classified of Allocation must be equal to DIS FTE Classified of Infant "
                          "Funding"};
const Finding kAllocatedP1{"A-5", "InAllocTotal", "E",
                           "Sum of P1 Allocated Units (B-1 to B-6) of all records of Allocation must be equal to "
                           "Total Allocated of Infant Funding + (Sum of Transfer In - Sum of Transfer Out) of all "
                           "records of Transfer"};
const Finding kAllocatedP2{"A-5", "InAllocTotal", "E",
                           "Sum of P2 Allocated Units (B-1 to B-6) of all records of Allocation must be equal to "
                           "Total Allocated of Infant Funding + (Sum of Transfer In - Sum of Transfer Out) of all "
                           "records of Transfer"};
const Finding kDisCertificated{"B-7", "InDTSCert", "E",
                               "DIS FTE Certificated or Classified of Allocation must be greater than zero"};
const Finding kDisClassified{"B-8", "InDTSClass", "E",
                             "DIS FTE Certificated or Classified of Allocation must be greater than zero"};
const Finding kInfantTrap{"A-1", "InfantFunding", "E", "Unexpected Error generated in Rule Validation Engine"};

// The agency's infant-funding row: 10 units operated and allocated, the
// same of each kind, and its DIS staff.
Cells InfantRow(Cells changes = {}) {
  Cells row{{"InOpSDC1", 4.0},     {"InAllocSDC1", 4.0}, {"InOpSDC2", 3.0},  {"InAllocSDC2", 3.0},
            {"InOpRs", 2.0},       {"InAllocRs", 2.0},   {"InOpDIS", 1.0},   {"InAllocDIS", 1.0},
            {"InOpTotal", 10.0},   {"InAllocTotal", 10.0}, {"InDTSCert", 1.0}, {"InDTSClass", 0.5}};
  for (const Cell& change : changes) {
    for (Cell& cell : row)
      if (cell.column == change.column) cell.value = change.value;
    if (std::none_of(row.begin(), row.end(), [&](const Cell& c) { return c.column == change.column; }))
      row.push_back(change);
  }
  return row;
}

// An allocation row: its operated and allocated units (the same in P-1 and
// P-2, DIS units among them as given) and its DIS staff.
struct Allocation {
  vb::Variant operated;
  vb::Variant allocated;
  vb::Variant disOperated;
  vb::Variant certificated;
  vb::Variant classified;
};
Cells AllocationRow(const Allocation& a) {
  Cells row{{"InDTSCert", a.certificated}, {"InDTSClass", a.classified}};
  for (const char* period : {"P1", "P2"}) {
    const std::string p(period);
    row.push_back({p + "AllocSDC1SeOp", a.operated - a.disOperated});
    row.push_back({p + "AllocDISOp", a.disOperated});
    row.push_back({p + "AllocSDC1Se", a.allocated});
    for (const char* zero : {"AllocSDC2SeOp", "AllocSDC1NSeOp", "AllocSDC2NseOp", "AllocResSpltOp", "AllocSDC2Se",
                             "AllocSDC1NSe", "AllocSDC2Nse", "AllocResSplt", "AllocDIS"})
      row.push_back({p + zero, 0.0});
  }
  return row;
}

class InfantFundingRulesTest : public RuleTest {
 protected:
  struct Case {
    const char* name;
    std::optional<Cells> infant;  // nullopt: the agency has no infant-funding row
    std::vector<Allocation> allocations;
    std::vector<std::pair<int, double>> transfers;  // type (1 in, 2 out) and units
    std::vector<Finding> expected;
  };

  void Check(const Case& c) {
    for (const char* table : {"InfantFundingAllocation", "InfantFundingTransfer"})
      conn_->Execute(std::string("DELETE FROM ") + table);
    for (const Allocation& allocation : c.allocations) Insert("InfantFundingAllocation", AllocationRow(allocation));
    for (const auto& [type, units] : c.transfers)
      Insert("InfantFundingTransfer", {{"TrType", type}, {"TrSDC1", units}, {"TrSDC2", 0.0}, {"TrRs", 0.0}, {"TrDIS", 0.0}});
    auto rows = FormRows("INFANTFUNDING", {c.infant.value_or(InfantRow())});
    if (!c.infant) conn_->Execute("DELETE FROM INFANTFUNDING");
    ExpectFindings(Validate("InfantFunding", rows), c.expected, c.name);
    EXPECT_EQ(rows->AbsolutePosition(), 1) << c.name;
  }
};

TEST_F(InfantFundingRulesTest, UnitsAndStaffMustMatchTheAllocationAndTransfers) {
  const Allocation kMatching{10.0, 10.0, 1.0, 1.0, 0.5};
  const Case cases[] = {
      {"allocation matches", InfantRow(), {kMatching}, {}, {}},
      {"no allocation rows",
       InfantRow({{"InDTSCert", 0.0}, {"InDTSClass", 0.0}, {"InAllocTotal", 0.0}}),
       {},
       {},
       {kNoAllocation, kOperatedP1, kOperatedP2}},
      {"no infant-funding row", std::nullopt, {kMatching}, {}, {kOperatedP1, kOperatedP2, kInfantTrap}},
      {"units split over rows in exact decimals",
       InfantRow({{"InOpTotal", 0.3}, {"InAllocTotal", 0.3}, {"InDTSCert", 0.3}, {"InDTSClass", 0.3}}),
       {{0.1, 0.1, 0.0, 0.1, 0.1}, {0.2, 0.2, 0.0, 0.2, 0.2}},
       {},
       {}},
      {"staff differ", InfantRow({{"InDTSCert", 2.0}, {"InDTSClass", 0.25}}), {kMatching}, {},
       {kCertificated, kClassified}},
      {"blank staff in every allocation row counts as none",
       InfantRow({{"InDTSCert", 0.0}, {"InDTSClass", 0.0}}),
       {{10.0, 10.0, 0.0, vb::Null, vb::Null}},
       {},
       {}},
      {"transfers in 5 and out 2 need 13 allocated", InfantRow(), {{10.0, 13.0, 1.0, 1.0, 0.5}},
       {{1, 5.0}, {2, 2.0}}, {}},
      {"transfers in 5 and out 2 with 12 allocated", InfantRow(), {{10.0, 12.0, 1.0, 1.0, 0.5}},
       {{1, 5.0}, {2, 2.0}}, {kAllocatedP1, kAllocatedP2}},
      {"DIS units operated without DIS staff",
       InfantRow({{"InDTSCert", 0.0}, {"InDTSClass", 0.0}}),
       {{10.0, 10.0, 2.0, 0.0, 0.0}},
       {},
       {kDisCertificated, kDisClassified}},
      {"DIS units operated with blank DIS staff", InfantRow({{"InDTSCert", 0.0}, {"InDTSClass", 0.0}}),
       {{10.0, 10.0, 2.0, vb::Null, vb::Null}}, {}, {kDisCertificated, kDisClassified}},
      {"DIS units operated with staff of one kind", InfantRow({{"InDTSCert", 0.0}, {"InDTSClass", 0.0}}),
       {{10.0, 10.0, 2.0, 1.0, vb::Null}}, {}, {kCertificated}},
      {"a blank total operated", InfantRow({{"InOpTotal", vb::Null}}), {kMatching}, {}, {kInfantTrap}},
  };
  for (const Case& c : cases) Check(c);
}

TEST_F(InfantFundingRulesTest, RedistributedUnitsNeedAJustification) {
  const Allocation kMatching{10.0, 10.0, 1.0, 1.0, 0.5};
  const Cells moved{{"InAllocSDC1", 5.0}, {"InAllocSDC2", 2.0}};
  const Case cases[] = {
      {"moved, justification blanks", InfantRow(Cells{moved[0], moved[1], {"Justification", "   "}}), {kMatching},
       {}, {kJustification}},
      {"moved, justification given", InfantRow(Cells{moved[0], moved[1], {"Justification", "Moved to SDC1"}}),
       {kMatching}, {}, {}},
      {"moved, no justification at all", InfantRow(moved), {kMatching}, {}, {}},
      {"only a blank pair differs", InfantRow({{"InAllocSDC1", vb::Null}, {"Justification", ""}}), {kMatching}, {},
       {}},
      {"nothing moved", InfantRow({{"Justification", ""}}), {kMatching}, {}, {}},
  };
  for (const Case& c : cases) Check(c);
}

}  // namespace
}  // namespace ruletest
