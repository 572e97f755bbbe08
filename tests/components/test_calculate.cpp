// Creating the calculation component, its per-thread connection strings and
// the choice of calculation by form key.

#include <thread>

#include "CalcFixture.h"
#include "com/Registry.h"

namespace calctest {
namespace {

using DispatchTest = CalcTest;

TEST_F(DispatchTest, ConnectionStringsAreSharedByObjectsOfOneThreadOnly) {
  calc_->ConnectionString("Data Source=/first.mdb");
  calc_->PYConnectionString("Data Source=/prior.mdb");
  auto later = com::CreateObject<sumface::clsCalculate>(kProgId);
  EXPECT_EQ(later->ConnectionString(), "Data Source=/first.mdb");
  later->ConnectionString("Data Source=/second.mdb");
  EXPECT_EQ(calc_->ConnectionString(), "Data Source=/second.mdb");
  EXPECT_EQ(calc_->PYConnectionString(), "Data Source=/prior.mdb");

  std::string seenOnOtherThread = "not run", setOnOtherThread;
  std::thread other([&] {
    auto there = com::CreateObject<sumface::clsCalculate>(kProgId);
    seenOnOtherThread = there->ConnectionString() + "|" + there->PYConnectionString();
    there->ConnectionString("Data Source=/elsewhere.mdb");
    setOnOtherThread = there->ConnectionString();
  });
  other.join();
  EXPECT_EQ(seenOnOtherThread, "|");
  EXPECT_EQ(setOnOtherThread, "Data Source=/elsewhere.mdb");
  EXPECT_EQ(calc_->ConnectionString(), "Data Source=/second.mdb");
}

TEST_F(DispatchTest, FormKeyIgnoresCaseButIsNotTrimmed) {
  struct Case {
    const char* tableName;
    bool calculates;
  };
  const Case cases[] = {{"tax", true},  {"Tax", true},  {"TAX", true},      {" TAX", false},
                        {"TAX ", false}, {"", false},    {"TAXES", false},  {"Tax;", false}};
  for (const Case& c : cases) {
    conn_->Execute("DELETE FROM Tax");
    auto rs = OpenRows("Tax");
    SetCells(*rs, {{"Secured", 1000.0}, {"Unsecured", 200.0}, {"Total", 5.0}});
    EXPECT_EQ(Calculate(c.tableName, rs), -1) << "'" << c.tableName << "'";
    // Unrun, the old Total stays; run, the Null lines make it Null.
    EXPECT_EQ(rs->Value("Total").IsNull(), c.calculates) << "'" << c.tableName << "'";
  }
}

TEST_F(DispatchTest, EmptyRecordSetIsLeftAloneByEveryRowByRowCalculation) {
  auto rs = db::Recordset::Query("SELECT * FROM Tax", conn_);
  ASSERT_EQ(rs->RecordCount(), 0);
  for (const char* key : {"ATTCOE", "ATTCOEDISTFUNDADA", "FOSTERYOUTHNSHS", "ATT_SD", "ATT_SD_BS", "ATT_SD_BAOE",
                          "ATT_SD_SUPP", "BRL_SD_NSES_ADA", "BRL_SD_NSHS_ADA", "NSS", "ATTCOECS", "ATTCOECSTRACK",
                          "CS_BA", "INFANTFUNDING", "SELPAMENTALHEALTH", "TAX", "TAXMISC", "NOSUCHFORM"}) {
    EXPECT_EQ(Calculate(key, rs), -1) << key;
    EXPECT_TRUE(rs->Bof() && rs->Eof()) << key;
    EXPECT_EQ(rs->PendingCount(), 0) << key;
  }
  // The infant-funding calculation needs a current row, and the
  // classroom-based charter form has no calculation.
  EXPECT_EQ(Calculate("INFANTFUNDINGBP", rs), 0);
  EXPECT_EQ(Calculate("ATTCSACD", rs), 0);
}

TEST_F(DispatchTest, ClassroomBasedCharterFormAnswersFalseAndChangesNothing) {
  auto rs = OpenRows("ATTCSACD", 2);
  rs->MoveNext();
  const auto before = RowValues(*rs);
  EXPECT_EQ(Calculate("attcsacd", rs), 0);
  EXPECT_EQ(rs->AbsolutePosition(), 2);
  EXPECT_EQ(rs->PendingCount(), 0);
  const auto after = RowValues(*rs);
  for (std::size_t i = 0; i < before.size(); ++i) EXPECT_TRUE(before[i].Identical(after[i])) << i;
}

TEST_F(DispatchTest, MissingRecordSetFailsTheCallOfRowByRowCalculations) {
  db::RecordsetPtr none;
  EXPECT_THROW(Calculate("TAX", none), vb::VbError);
  EXPECT_THROW(Calculate("NSS", none), vb::VbError);
  EXPECT_EQ(Calculate("ATTCSACD", none), 0);
  EXPECT_EQ(Calculate("INFANTFUNDINGBP", none), 0);
  EXPECT_EQ(Calculate("NOSUCHFORM", none), -1);
}

}  // namespace
}  // namespace calctest
