// The tax forms' totals, computed in place over every row.

#include "CalcFixture.h"
#include "vb/Conversions.h"

namespace calctest {
namespace {

using TaxTest = CalcTest;

const char* const kSummedLines[] = {"Secured",
                                    "Unsecured",
                                    "HOX",
                                    "Subventions",
                                    "DistributionTimberYieldTax",
                                    "DistributionPriorYearTax",
                                    "ReleasePriorYearTaxImpound",
                                    "SupplementalTax",
                                    "EducationalRevenueAugmentationFund",
                                    "PriorYearRestrictedMonie"};

void ZeroSummedLines(db::Recordset& rs) {
  for (const char* line : kSummedLines) rs.SetValue(line, 0.0);
}

TEST_F(TaxTest, RecalculatesEveryRowInPlaceAndRestoresTheCurrentRow) {
  auto rs = OpenRows("Tax", 3);
  // Row 1: three lines, and the amounts that stay out of the total.
  ZeroSummedLines(*rs);
  SetCells(*rs, {{"Secured", 1000.0},
                 {"Unsecured", 200.0},
                 {"HOX", 30.0},
                 {"CommRedFunds", 1.0},
                 {"SERAF", 2.0},
                 {"RedevAgencyAssetLiquidation", 4.0},
                 {"CollegeERAF", 8.0},
                 {"EstExcessERAF", 16.0}});
  // Row 2: a negative ERAF shift lowers the total; an old total is replaced.
  rs->MoveNext();
  ZeroSummedLines(*rs);
  SetCells(*rs, {{"Secured", 500.25}, {"PriorYearRestrictedMonie", 10.0},
                 {"EducationalRevenueAugmentationFund", -100.0}, {"Total", 99999.0}});
  // Row 3: a Null line makes the total Null.
  rs->MoveNext();
  ZeroSummedLines(*rs);
  SetCells(*rs, {{"Secured", 7.0}, {"SupplementalTax", vb::Null}, {"Total", 12.0}});
  rs->MoveFirst();
  rs->MoveNext();

  ASSERT_EQ(Calculate("Tax", rs), -1);
  EXPECT_EQ(rs->AbsolutePosition(), 2);

  rs->UpdateBatch();
  auto stored = db::Recordset::Query("SELECT Total, CommRedFunds, EstExcessERAF FROM Tax ORDER BY rowid", conn_);
  ExpectCells(*stored, {{"Total", 1230.0}, {"CommRedFunds", 1.0}, {"EstExcessERAF", 16.0}}, "row 1");
  stored->MoveNext();
  ExpectCells(*stored, {{"Total", 410.25}}, "row 2");
  stored->MoveNext();
  ExpectCells(*stored, {{"Total", vb::Null}}, "row 3");
}

TEST_F(TaxTest, MiscellaneousTaxTotal) {
  auto rs = OpenRows("TAXMISC", 2);
  SetCells(*rs, {{"RoyaltiesBonuses", 12.5}, {"FederalStateCountyLieuofTaxe", 7.25}});
  rs->MoveNext();
  SetCells(*rs, {{"RoyaltiesBonuses", vb::Null}, {"FederalStateCountyLieuofTaxe", 3.0}, {"Total", 1.0}});
  ASSERT_EQ(Calculate("TAXMISC", rs), -1);
  EXPECT_EQ(rs->AbsolutePosition(), 2);
  ExpectCells(*rs, {{"Total", vb::Null}}, "row 2");
  rs->MoveFirst();
  ExpectCells(*rs, {{"Total", 19.75}}, "row 1");
}

// A row whose amount cannot be added stops the calculation: the rows before
// it keep their new totals, the rows after it are untouched, and the row
// that was current is current again.
TEST_F(TaxTest, FailureAnswersFalseKeepsEarlierRowsAndRestoresTheCurrentRow) {
  auto rs = db::Recordset::Create();
  for (const char* line : kSummedLines) rs->AppendField(line, db::DataType::Variant);
  rs->AppendField("Total", db::DataType::Variant);
  rs->Open();
  for (const char* secured : {"10", "not a number", "30"}) {
    rs->AddNew();
    ZeroSummedLines(*rs);
    rs->SetValue("Secured", secured);
    rs->Update();
  }
  rs->MoveLast();

  EXPECT_EQ(Calculate("TAX", rs), 0);
  EXPECT_EQ(rs->AbsolutePosition(), 3);
  EXPECT_TRUE(rs->Value("Total").IsNull());
  rs->MoveFirst();
  EXPECT_EQ(vb::CDbl(rs->Value("Total")), 10.0);
}

// A record set standing after its last row (as after a loop over it) is
// left there, not moved before its first row.
TEST_F(TaxTest, RecordSetAfterItsLastRowStaysThere) {
  auto rs = OpenRows("Tax", 2);
  rs->MoveLast();
  rs->MoveNext();
  ASSERT_TRUE(rs->Eof());
  EXPECT_EQ(Calculate("TAX", rs), -1);
  EXPECT_TRUE(rs->Eof());
  EXPECT_FALSE(rs->Bof());
}

}  // namespace
}  // namespace calctest
