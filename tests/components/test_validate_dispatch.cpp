// Creating the validation component, its per-thread query context, the
// choice of rule set by form key, the result rows it answers and the
// caller's row position around a call.

#include <functional>
#include <thread>

#include "RuleFixture.h"
#include "com/Registry.h"
#include "vb/Conversions.h"

namespace ruletest {
namespace {

using ValidateDispatchTest = RuleTest;

const std::string kAgencyWhere =
    "Fiscal_Year = 2019 AND Period_ID = 1 AND County_ID = 19 AND School_District_ID = 64733 AND School_ID = 0";

const Finding kNonPublicCosts{"A-10", "TotalNonPubSinglePlace", "W", "Should be greater than zero"};

// A cost-pool row that passes both checks, with what the test sets.
Cells CostPoolRow(Cells cells) {
  Cells row{{"TotalNonPubSinglePlace", 1500.0}, {"StudentPlacementDate", vb::DateSerial(2019, 9, 3)}};
  row.insert(row.end(), cells.begin(), cells.end());
  return row;
}

void ExpectTexts(const db::Recordset& rs, const std::vector<std::pair<const char*, const char*>>& expected) {
  for (const auto& [field, text] : expected) EXPECT_EQ(vb::TextOf(rs.Value(field)), text) << field;
}
void ExpectNull(const db::Recordset& rs, std::initializer_list<const char*> fields) {
  for (const char* field : fields) EXPECT_TRUE(rs.Value(field).IsNull()) << field;
}

TEST_F(ValidateDispatchTest, ConnectionStringsAreSharedByObjectsOfOneThreadOnly) {
  validator_->PYConnectionString("Data Source=/prior.mdb");
  auto later = com::CreateObject<ruleface::clsValidate>(kProgId);
  EXPECT_EQ(later->ConnectionString(), ConnectionString());
  EXPECT_EQ(later->PYConnectionString(), "Data Source=/prior.mdb");
  later->ConnectionString("Data Source=/second.mdb");
  EXPECT_EQ(validator_->ConnectionString(), "Data Source=/second.mdb");

  std::string seenOnOtherThread = "not run";
  std::thread other([&] {
    auto there = com::CreateObject<ruleface::clsValidate>(kProgId);
    seenOnOtherThread = there->ConnectionString() + "|" + there->PYConnectionString();
    there->ConnectionString("Data Source=/elsewhere.mdb");
  });
  other.join();
  EXPECT_EQ(seenOnOtherThread, "|");
  EXPECT_EQ(validator_->ConnectionString(), "Data Source=/second.mdb");
}

TEST_F(ValidateDispatchTest, RuleRowsCarryTheFailingRowsKeysAndTheCallsContext) {
  auto rows = FormRows("SECOSTPOOL", {CostPoolRow({{"TotalNonPubSinglePlace", 0.0}, {"NAME", "Ada Park"}}),
                                      CostPoolRow({{"School_ID", 5},
                                                   {"LICENSENUMBER", "L-77"},
                                                   {"NAME", vb::Null},
                                                   {"StudentPlacementDate", vb::DateSerial(1998, 6, 30)}})});
  rows->MoveNext();
  // A prior-year database changes nothing of the result.
  validator_->PYConnectionString("Data Source=/nowhere/prior.mdb");

  auto result = Validate("SeCostPool", rows);

  EXPECT_EQ(rows->AbsolutePosition(), 2);
  ASSERT_TRUE(result);
  ASSERT_EQ(result->RecordCount(), 2);
  result->MoveFirst();
  ExpectTexts(*result, {{"FiscalYear", "2019"},
                        {"PeriodID", "1"},
                        {"CountyID", "19"},
                        {"SchoolDistrictID", "64733"},
                        {"School_ID", "0"},
                        {"Table_Name", "SeCostPool"},
                        {"FieldName", "TotalNonPubSinglePlace"},
                        {"Where_Clause", "K1  Ada Park"},
                        {"Error_Check", "."},
                        {"Form_No", "90"},
                        {"Line_Name", "A-10"},
                        {"Error_Msg", "Should be greater than zero"},
                        {"Error_Type", "W"},
                        {"Where_Clause_Description", kAgencyWhere.c_str()},
                        {"Line_Name2", "A-010"},
                        {"Caption", "Total Nonpublic School Costs for this Student"},
                        {"Column_No", ""}});
  ExpectNull(*result, {"Res_County_ID", "Res_School_District_ID", "Caption2"});
  result->MoveNext();
  ExpectTexts(*result, {{"School_ID", "5"},
                        {"FieldName", "StudentPlacementDate"},
                        {"Where_Clause", "L-77  "},
                        {"Line_Name", "A-8"},
                        {"Line_Name2", "A-008"},
                        {"Error_Msg", "Student placement date ineligible for Extraordinary Cost Pool"},
                        {"Where_Clause_Description", kAgencyWhere.c_str()}});
}

TEST_F(ValidateDispatchTest, TableNameIsMatchedIgnoringCaseAndNeverPutIntoTheStatement) {
  struct Case {
    const char* tableName;
    bool answers;
  };
  const Case cases[] = {{"SECOSTPOOL", true}, {"secostpool", true},  {"Tax", false},
                        {" SECOSTPOOL", false}, {"SECOSTPOOL' OR '1'='1", false}, {"O'Brien", false}};
  for (const Case& c : cases) {
    auto rows = FormRows("SECOSTPOOL", {CostPoolRow({}), CostPoolRow({}), CostPoolRow({})});
    rows->MoveLast();
    auto result = Validate(c.tableName, rows);
    EXPECT_EQ(result != nullptr, c.answers) << c.tableName;
    EXPECT_EQ(rows->AbsolutePosition(), 3) << c.tableName;
  }
}

TEST_F(ValidateDispatchTest, CallerFindsItsRowsWhereTheyStood) {
  struct Case {
    const char* name;
    std::function<void(db::Recordset&)> place;
    long position;
  };
  const Case cases[] = {
      {"first row", [](db::Recordset& rs) { rs.MoveFirst(); }, 1},
      {"third row", [](db::Recordset& rs) { rs.Move(2); }, 3},
      {"after the last row", [](db::Recordset& rs) {
         rs.MoveLast();
         rs.MoveNext();
       }, -3},
      {"before the first row", [](db::Recordset& rs) { rs.MovePrevious(); }, -2},
  };
  for (const Case& c : cases) {
    auto rows = FormRows("SECOSTPOOL", {CostPoolRow({}), CostPoolRow({{"TotalNonPubSinglePlace", 0.0}}), CostPoolRow({})});
    c.place(*rows);
    ASSERT_EQ(rows->AbsolutePosition(), c.position) << c.name;
    ExpectFindings(Validate("SECOSTPOOL", rows), {kNonPublicCosts}, c.name);
    EXPECT_EQ(rows->AbsolutePosition(), c.position) << c.name;
  }
}

TEST_F(ValidateDispatchTest, FormNumberComesFromTheCatalogueAndIsZeroForANameItLacks) {
  conn_->Execute("DELETE FROM VHO_TORB_FORMS WHERE FORM_NAME = 'FOSTERYOUTHNSHS'");
  auto costPool = FormRows("SECOSTPOOL", {CostPoolRow({{"TotalNonPubSinglePlace", 0.0}})});
  EXPECT_EQ(ColumnOf(Validate("SECOSTPOOL", costPool), "Form_No")[0].AsLong(), 90);

  auto fosterYouth = FormRows("FOSTERYOUTHNSHS", {{{"NumberOfFTEEmployees", 0.0}, {"ADATotal", 10.0}}});
  const auto formNumbers = ColumnOf(Validate("FOSTERYOUTHNSHS", fosterYouth), "Form_No");
  ASSERT_EQ(formNumbers.size(), 1u);
  EXPECT_EQ(formNumbers[0].AsLong(), 0);
}

TEST_F(ValidateDispatchTest, EmptyRowsGetAnOpenEmptyResultWithTheTwentyFields) {
  const char* formKeys[] = {"ATTCOE", "ATTCOEDISTFUNDADA", "FOSTERYOUTHNSHS", "ATT_SD", "ATT_SD_BS",
                            "ATT_SD_BAOE", "ATT_SD_SUPP", "BRL_SD_NSES_ADA", "BRL_SD_NSHS_ADA", "NSS",
                            "ATTCOECS", "ATTCSFUNDADA", "ATTCSACD", "ATTCS", "CS_BA",
                            "SELPAADAALLOC", "SECOSTPOOL", "INFANTFUNDING", "SPEDTAXALLOC"};
  struct Field {
    const char* name;
    db::DataType type;
    long size;
  };
  const Field fields[] = {{"FiscalYear", db::DataType::Integer, 0},
                          {"PeriodID", db::DataType::Integer, 0},
                          {"CountyID", db::DataType::Integer, 0},
                          {"SchoolDistrictID", db::DataType::Integer, 0},
                          {"School_ID", db::DataType::Integer, 0},
                          {"Table_Name", db::DataType::VarChar, 30},
                          {"FieldName", db::DataType::VarChar, 255},
                          {"Where_Clause", db::DataType::VarChar, 255},
                          {"Error_Check", db::DataType::VarChar, 70},
                          {"Form_No", db::DataType::Integer, 0},
                          {"Line_Name", db::DataType::VarChar, 50},
                          {"Error_Msg", db::DataType::VarChar, 255},
                          {"Error_Type", db::DataType::VarChar, 10},
                          {"Where_Clause_Description", db::DataType::VarChar, 255},
                          {"Res_County_ID", db::DataType::Integer, 0},
                          {"Res_School_District_ID", db::DataType::Integer, 0},
                          {"Line_Name2", db::DataType::VarChar, 50},
                          {"Caption", db::DataType::VarChar, 512},
                          {"Column_No", db::DataType::VarChar, 10},
                          {"Caption2", db::DataType::VarChar, 255}};
  for (const char* formKey : formKeys) {
    auto rows = db::Recordset::Query("SELECT * FROM Tax WHERE 0", conn_);
    auto result = Validate(formKey, rows);
    ASSERT_TRUE(result) << formKey;
    EXPECT_EQ(result->State(), db::ObjectState::Open) << formKey;
    EXPECT_EQ(result->RecordCount(), 0) << formKey;
    ASSERT_EQ(result->FieldCount(), static_cast<int>(std::size(fields))) << formKey;
    for (int i = 0; i < result->FieldCount(); ++i) {
      EXPECT_EQ(result->FieldInfo(i).name, fields[i].name) << formKey;
      EXPECT_EQ(result->FieldInfo(i).type, fields[i].type) << fields[i].name;
      EXPECT_EQ(result->FieldInfo(i).definedSize, fields[i].size) << fields[i].name;
    }
  }
}

TEST_F(ValidateDispatchTest, TrapRowEndsAFailingRuleSetAndTheCallerIsPutBack) {
  auto rows = FormRows("SECOSTPOOL", {CostPoolRow({{"TotalNonPubSinglePlace", 0.0}}),
                                      CostPoolRow({{"StudentPlacementDate", vb::Null}}),
                                      CostPoolRow({{"TotalNonPubSinglePlace", 0.0}})});
  rows->MoveLast();

  auto result = Validate("SECOSTPOOL", rows);

  EXPECT_EQ(rows->AbsolutePosition(), 3);
  ExpectFindings(result, {kNonPublicCosts,
                          {"A-1", "SeCostPool", "E", "Unexpected Error generated in Rule Validation Engine"}});
  result->MoveLast();
  ExpectNull(*result, {"FiscalYear", "PeriodID", "CountyID", "SchoolDistrictID", "School_ID"});
  ExpectTexts(*result, {{"Column_No", "A"}, {"Line_Name2", "A-001"}, {"Caption", ""},
                        {"Where_Clause_Description", kAgencyWhere.c_str()}});
  const std::string where = vb::TextOf(result->Value("Where_Clause"));
  EXPECT_FALSE(where.empty());
  EXPECT_LE(vb::Len(where), 50u);
}

TEST_F(ValidateDispatchTest, FailureOfARuleSetWithoutTrapFailsTheCall) {
  // A blank A-1 line of the attendance allocation.
  auto allocation = FormRows("SELPAADAALLOC", {{{"AttCoe", vb::Null}, {"AttCoeDistFundADA", 1.0}},
                                               {{"AttCoe", 5.0}, {"AttCoeDistFundADA", 1.0}}});
  allocation->MoveNext();
  try {
    Validate("SELPAADAALLOC", allocation);
    ADD_FAILURE() << "the call did not fail";
  } catch (const vb::VbError& e) {
    EXPECT_EQ(e.Number(), vb::err::InvalidUseOfNull);
  }
  EXPECT_EQ(allocation->AbsolutePosition(), 2);

  // Rows without the tax percentage column.
  auto keysOnly = db::Recordset::Query(
      "SELECT Fiscal_Year, Period_ID, County_ID, School_District_ID, School_ID FROM SELPAADAALLOC", conn_);
  EXPECT_THROW(Validate("SPEDTAXALLOC", keysOnly), vb::VbError);
}

TEST_F(ValidateDispatchTest, CallThatCannotReadTheFirstRowsKeysLeavesTheCallerWhereItStood) {
  struct Case {
    const char* name;
    const char* columns;
    std::function<void(db::Recordset&)> spoil;
  };
  const Case cases[] = {
      {"a key column missing", "Fiscal_Year, Period_ID, County_ID, School_District_ID, TotalNonPubSinglePlace",
       [](db::Recordset&) {}},
      {"a Null key", "*", [](db::Recordset& rs) { rs.SetValue("County_ID", vb::Null); }},
  };
  for (const Case& c : cases) {
    FormRows("SECOSTPOOL", {CostPoolRow({}), CostPoolRow({}), CostPoolRow({})});
    auto rows = db::Recordset::Query(std::string("SELECT ") + c.columns + " FROM SECOSTPOOL ORDER BY rowid", conn_);
    c.spoil(*rows);
    rows->Move(2);
    EXPECT_THROW(Validate("SECOSTPOOL", rows), vb::VbError) << c.name;
    EXPECT_EQ(rows->AbsolutePosition(), 3) << c.name;
  }
}

TEST_F(ValidateDispatchTest, CallFailsWhenTheDatabaseCannotBeOpenedOrTheRowsAreMissing) {
  auto rows = FormRows("SECOSTPOOL", {CostPoolRow({})});
  db::RecordsetPtr none;
  EXPECT_THROW(Validate("SECOSTPOOL", none), vb::VbError);

  validator_->ConnectionString("");
  EXPECT_THROW(Validate("SECOSTPOOL", rows), vb::VbError);
  EXPECT_THROW(Validate("Tax", rows), vb::VbError);
  validator_->ConnectionString("Data Source=" + (folder_ / "missing.mdb").string());
  EXPECT_THROW(Validate("Tax", rows), vb::VbError);
}

TEST_F(ValidateDispatchTest, ParameterCollectionFindsItemsByKeyIgnoringCase) {
  ruleface::Collection params;
  params.Add("ELEMENTARY", "DistrictType");
  params.Add(64733, "LogonDistrictID");
  EXPECT_EQ(vb::CStr(params.Item("districttype")), "ELEMENTARY");
  EXPECT_EQ(vb::CLng(params.Item("LOGONDISTRICTID")), 64733);
  EXPECT_EQ(params.Count(), 2);
  struct Failure {
    std::function<void()> call;
    long number;
  };
  const Failure failures[] = {{[&] { params.Item("SchoolType"); }, vb::err::InvalidProcedureCall},
                              {[&] { params.Add("HIGH", "DISTRICTTYPE"); }, 457}};
  for (const Failure& failure : failures) {
    try {
      failure.call();
      ADD_FAILURE() << "no error " << failure.number;
    } catch (const vb::VbError& e) {
      EXPECT_EQ(e.Number(), failure.number);
    }
  }
  EXPECT_EQ(params.Count(), 2);
}

}  // namespace
}  // namespace ruletest
