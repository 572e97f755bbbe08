// The special-education forms: row totals, and the infant-funding
// calculation from the rates and allocations in the database.

#include <functional>

#include "CalcFixture.h"
#include "vb/Conversions.h"

namespace calctest {
namespace {

using SelpaTest = CalcTest;

TEST_F(SelpaTest, MentalHealthAndInfantProgramTotals) {
  auto health = OpenRows("SELPAMENTALHEALTH", 2);
  for (int row = 0; row < 2; ++row) {
    SetCells(*health, {{"CostOfMHRoomBoard", 100.0}, {"CostOfResMHServices", 200.0}, {"CostOfOtherMHServices", 300.0}});
    health->MoveNext();
  }
  ASSERT_EQ(Calculate("SELPAMENTALHEALTH", health), -1);
  EXPECT_TRUE(health->Eof());
  health->MoveFirst();
  ExpectCells(*health, {{"TotalCostOfMHServices", 600.0}}, "row 1");
  health->MoveNext();
  ExpectCells(*health, {{"TotalCostOfMHServices", 600.0}}, "row 2");

  auto infant = OpenRows("INFANTFUNDING");
  SetCells(*infant, {{"InSeSDC1", 2.0}, {"InNSeSDC1", 3.0}, {"InSeSDC2", 4.0}, {"InNSeSDC2", 5.0},
                     {"InOpRs", 6.0}, {"InOpDIS", 7.0}});
  ASSERT_EQ(Calculate("InfantFunding", infant), -1);
  ExpectCells(*infant, {{"InOpSDC1", 5.0}, {"InOpSDC2", 9.0}, {"InOpTotal", 27.0}}, "infant program");
}

// The row of the administrative unit 61003 of the SELPA 64000, with rates and
// allocations of the test's own.
class InfantFundingTest : public CalcTest {
 protected:
  void SetUp() override {
    CalcTest::SetUp();
    Arrange();
  }

  // Puts the rates, the allocations and three rows in place, the second row
  // current.
  void Arrange() {
    for (const char* table : {"Param", "LeaSelpaParams", "InfantFundingAllocation", "INFANTFUNDINGBP"})
      conn_->Execute(std::string("DELETE FROM ") + table);
    conn_->Execute(
        "INSERT INTO Param (FISCAL_YEAR, COLAAides, COLADIS, COLASDC, COLARSP, InfantProrationFactor) "
        "VALUES (?, ?, ?, ?, ?, ?)",
        {2019, 1.0, 5.0, 100.0, 50.0, 0.5});
    conn_->Execute(
        "INSERT INTO LeaSelpaParams (Fiscal_Year, county_id, school_district_id, school_id, AU_county, "
        "SchoolDistrictName, SDCrate, RSPrate, DISrate, Aiderate, SSR, NSSSR, SSSR) "
        "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)",
        {2019, 61, 61003, 0, 61, "Fernhill Unified", 1000.0, 500.0, 15.0, 9.0, 0.125, 0.1, 0.2});
    conn_->Execute(
        "INSERT INTO InfantFundingAllocation (FISCAL_YEAR, PERIOD_ID, COUNTY_ID, SCHOOL_DISTRICT_ID, SCHOOL_ID, "
        "SelpaAUDist, SelpaAUDistSchoolId, "
        "P1AllocSDC1Se, P1AllocSDC2Se, P1AllocSDC1NSe, P1AllocSDC2Nse, P1AllocResSplt, P1AllocDIS, "
        "P1AllocSDC1SeOp, P1AllocSDC2SeOp, P1AllocSDC1NSeOp, P1AllocSDC2NseOp, P1AllocResSpltOp, P1AllocDISOp, "
        "P2AllocSDC1Se, P2AllocSDC2Se, P2AllocSDC1NSe, P2AllocSDC2Nse, P2AllocResSplt, P2AllocDIS, "
        "P2AllocSDC1SeOp, P2AllocSDC2SeOp, P2AllocSDC1NSeOp, P2AllocSDC2NseOp, P2AllocResSpltOp, P2AllocDISOp, "
        "InDTSCert, InDTSClass) VALUES (2019, 2, 61, 64000, 0, 61003, 0, "
        "?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)",
        {12.0, 4.0, 2.0, 1.0, 6.0, 10.0, 8.0, 5.0, 3.0, 1.0, 4.0, 99.0,    // P-1
         12.0, 6.0, 2.0, 1.0, 6.0, 20.0, 8.0, 5.0, 3.0, 3.0, 4.0, 77.0,    // P-2
         4.0, 6.0});
    const char* insert =
        "INSERT INTO INFANTFUNDINGBP (FISCAL_YEAR, PERIOD_ID, COUNTY_ID, SCHOOL_DISTRICT_ID, SCHOOL_ID, "
        "SelpaAuDist, SelpaAuDistSchoolId) VALUES (2019, 2, 61, 64000, 0, ?, 0)";
    for (int auDistrict : {62001, 61003, 63001}) conn_->Execute(insert, {auDistrict});
    rs_ = db::Recordset::Query("SELECT * FROM INFANTFUNDINGBP ORDER BY rowid", conn_);
    rs_->MoveNext();
    calc_->ConnectionString(ConnectionString());
  }

  db::RecordsetPtr rs_;
};

const Cells kInfantFundingResult{
    {"CY1AideRate", 10.0},       {"CYDISrate", 20.0},
    {"P1AllocSDC1Se", 12.0},     {"P1AllocSDC2Se", 4.0},       {"P1AllocSDC1NSe", 2.0},     {"P1AllocSDC2Nse", 1.0},
    {"P1AllocResSplt", 6.0},     {"P1AllocDIS", 10.0},         {"P1AllocSDC1SeOp", 8.0},    {"P1AllocSDC2SeOp", 5.0},
    {"P1AllocSDC1NSeOp", 3.0},   {"P1AllocSDC2NseOp", 1.0},    {"P1AllocResSpltOp", 4.0},   {"P1AllocDISOp", 99.0},
    {"P2AllocSDC1Se", 12.0},     {"P2AllocSDC2Se", 6.0},       {"P2AllocSDC1NSe", 2.0},     {"P2AllocSDC2Nse", 1.0},
    {"P2AllocResSplt", 6.0},     {"P2AllocDIS", 20.0},         {"P2AllocSDC1SeOp", 8.0},    {"P2AllocSDC2SeOp", 5.0},
    {"P2AllocSDC1NSeOp", 3.0},   {"P2AllocSDC2NseOp", 3.0},    {"P2AllocResSpltOp", 4.0},   {"P2AllocDISOp", 77.0},
    {"P1P2AllocSDC1Se", 12.0},   {"P1P2AllocSDC2Se", 5.0},     {"P1P2AllocSDC1NSe", 2.0},   {"P1P2AllocSDC2Nse", 1.0},
    {"P1P2AllocResSplt", 6.0},   {"P1P2AllocDIS", 15.0},       {"P1P2AllocSDC1SeOp", 8.0},  {"P1P2AllocSDC2SeOp", 5.0},
    {"P1P2AllocSDC1NSeOp", 3.0}, {"P1P2AllocSDC2NseOp", 2.0},  {"P1P2AllocResSpltOp", 4.0},
    {"P1P2AllocDISOp", 7.0},  // 4 + 6 x 10 / 20
    {"P1P2TotalAlloc", 41.0},    {"P1P2TotalOp", 29.0},
    {"Actual_county", 61},       {"SDCrate", 1000.0},          {"CYSDCrate", 1100.0},       {"RSPrate", 500.0},
    {"CYRSPrate", 550.0},        {"DISrate", 15.0},            {"Aiderate", 9.0},           {"CY2AideRate", 20.0},
    {"SSR", 0.125},              {"NSSSR", 0.1},               {"SSSR", 0.2},
    {"C1", 8880.0},   // the lesser allocation 8 x (1100 + 10)
    {"C2", 5600.0},   // equal allocations 5 x (1100 + 20)
    {"C3", 14480.0},  {"C4", 2896.0},  {"C5", 17376.0},
    {"C6", 2220.0},   {"C7", 1120.0},  {"C8", 3340.0},   {"C9", 334.0},   {"C10", 3674.0},
    {"C11", 2240.0},  {"C12", 224.0},  {"C13", 2464.0},
    {"C14", 140.0},   {"C15", 14.0},   {"C16", 154.0},
    {"C17", 23668.0}, {"C18", 0.5},    {"C19", 11834.0},
    {"COLASDC", 100.0}, {"COLARSP", 50.0}, {"COLADIS", 5.0}, {"COLAAides", 1.0},
};

TEST_F(InfantFundingTest, FillsTheCurrentRowFromTheDatabaseOnly) {
  const auto first = (rs_->MoveFirst(), RowValues(*rs_));
  rs_->MoveLast();
  const auto last = RowValues(*rs_);
  rs_->MoveFirst();
  rs_->MoveNext();

  ASSERT_EQ(Calculate("INFANTFUNDINGBP", rs_), -1);
  EXPECT_EQ(rs_->AbsolutePosition(), 2);
  ExpectCells(*rs_, kInfantFundingResult, "second row");
  EXPECT_EQ(vb::CStr(rs_->Value("SchoolDistrictName")), "Fernhill Unified");

  rs_->MoveFirst();
  const auto firstAfter = RowValues(*rs_);
  rs_->MoveLast();
  const auto lastAfter = RowValues(*rs_);
  for (std::size_t i = 0; i < first.size(); ++i) {
    EXPECT_TRUE(first[i].Identical(firstAfter[i])) << "first row, field " << i;
    EXPECT_TRUE(last[i].Identical(lastAfter[i])) << "last row, field " << i;
  }
}

TEST_F(InfantFundingTest, FailsWithFalseAndKeepsWhatWasAssignedBefore) {
  struct Case {
    const char* name;
    std::function<void()> arrange;
    Cells assigned;           // already assigned when the failure came
    const char* firstUntouched;  // from here on nothing is assigned
  };
  const Case cases[] = {
      {"no rates for the administrative unit",
       [this] { conn_->Execute("DELETE FROM LeaSelpaParams"); }, {}, "CY1AideRate"},
      {"no parameters for the year", [this] { conn_->Execute("DELETE FROM Param"); }, {},
       "CY1AideRate"},
      {"no connection string", [this] { calc_->ConnectionString(""); }, {}, "CY1AideRate"},
      {"a Null key", [this] { rs_->SetValue("SelpaAuDist", vb::Null); }, {}, "CY1AideRate"},
      {"a district rate of 0",
       [this] { conn_->Execute("UPDATE LeaSelpaParams SET DISrate = -5"); },
       {{"CY1AideRate", 10.0}, {"CYDISrate", 0.0}, {"P2AllocDISOp", 77.0}, {"P1P2AllocDIS", 15.0},
        {"P1P2AllocResSpltOp", 4.0}},
       "P1P2AllocDISOp"},
  };
  for (const Case& c : cases) {
    Arrange();
    c.arrange();
    EXPECT_EQ(Calculate("INFANTFUNDINGBP", rs_), 0) << c.name;
    EXPECT_EQ(rs_->AbsolutePosition(), 2) << c.name;
    ExpectCells(*rs_, c.assigned, c.name);
    for (const char* column : {c.firstUntouched, "P1P2TotalOp", "C1", "C19", "COLAAides"})
      EXPECT_TRUE(rs_->Value(column).IsNull()) << c.name << ": " << column;
  }
}

}  // namespace
}  // namespace calctest
