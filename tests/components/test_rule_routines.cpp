// The routines that fill the validation result, called directly: the line
// names made from a check's section and line, texts longer than their
// field, and result record sets that cannot take a row.

#include "RuleFixture.h"
#include "modGeneralRoutines.h"
#include "vb/Conversions.h"

namespace ruletest {
namespace {

class RuleRoutinesTest : public RuleTest {
 protected:
  void SetUp() override {
    RuleTest::SetUp();
    modGeneralRoutines::SetConnectionString(ConnectionString());
  }
};

TEST_F(RuleRoutinesTest, LineNamesJoinTrimmedSectionAndLineAndPadTheLineToThree) {
  struct Case {
    const char* section;
    const char* lineNo;
    const char* lineName;
    const char* lineName2;
  };
  const Case cases[] = {{"A", "1", "A-1", "A-001"},    {"A", "10", "A-10", "A-010"}, {"A", "123", "A-123", "A-123"},
                        {" A", " 7", "A-7", "A-0 7"}, {"A", "1234", "A-1234", "A-234"}, {"B", "", "B-", "B-00"}};
  auto result = modGeneralRoutines::CreateErrorRecordset();
  for (const Case& c : cases) {
    modGeneralRoutines::AddError(result, c.section, c.lineNo, "", "E", "Field", "Caption");
    EXPECT_EQ(vb::TextOf(result->Value("Line_Name")), c.lineName) << c.section << "|" << c.lineNo;
    EXPECT_EQ(vb::TextOf(result->Value("Line_Name2")), c.lineName2) << c.section << "|" << c.lineNo;
  }
  EXPECT_EQ(result->RecordCount(), static_cast<long>(std::size(cases)));
}

TEST_F(RuleRoutinesTest, TextLongerThanItsFieldLeavesOnlyThatFieldEmpty) {
  // A table name of 31 characters, which the catalogue does not know, is the
  // call's table name all the same.
  const std::string longName(31, 'T');
  auto rows = FormRows("SECOSTPOOL", {{}});
  EXPECT_EQ(modGeneralRoutines::ValidateForm(longName, rows, nullptr), nullptr);

  auto result = modGeneralRoutines::CreateErrorRecordset();
  modGeneralRoutines::AddError(result, "A", "1", "COLUMN-NO-11", "E", std::string(256, 'f'), "Caption");
  ASSERT_EQ(result->RecordCount(), 1);
  for (const char* refused : {"Table_Name", "Column_No", "FieldName"})
    EXPECT_TRUE(result->Value(refused).IsNull()) << refused;
  EXPECT_EQ(vb::TextOf(result->Value("Caption")), "Caption");
  EXPECT_EQ(vb::TextOf(result->Value("Error_Check")), ".");
  EXPECT_EQ(vb::TextOf(result->Value("Form_No")), "0");
  EXPECT_EQ(vb::TextOf(result->Value("Where_Clause")),
            "Fiscal_Year = 2019 AND Period_ID = 1 AND County_ID = 19 AND School_District_ID = 64733 AND School_ID = 0");

  // A message too long for its field is a failure of the rule set's step.
  EXPECT_THROW(modGeneralRoutines::SetErrorMsg(result, std::string(256, 'm')), vb::VbError);
}

TEST_F(RuleRoutinesTest, ResultThatCannotTakeARowIsLeftAsItIs) {
  db::RecordsetPtr none;
  EXPECT_NO_THROW(modGeneralRoutines::AddError(none, "A", "1", "", "E", "Field", ""));

  auto closed = modGeneralRoutines::CreateErrorRecordset();
  closed->Close();
  EXPECT_NO_THROW(modGeneralRoutines::AddError(closed, "A", "1", "", "E", "Field", ""));

  // A read-only result keeps its one row as it was.
  auto result = modGeneralRoutines::CreateErrorRecordset();
  modGeneralRoutines::AddError(result, "A", "1", "", "E", "First", "");
  result->Update();
  result->LockType(db::LockType::ReadOnly);
  modGeneralRoutines::AddError(result, "B", "2", "", "W", "Second", "");
  ASSERT_EQ(result->RecordCount(), 1);
  EXPECT_EQ(vb::TextOf(result->Value("FieldName")), "First");
  EXPECT_EQ(vb::TextOf(result->Value("Line_Name")), "A-1");
}

TEST_F(RuleRoutinesTest, CopyKeysCopiesTheCurrentRowsKeysNullAsNull) {
  auto rows = db::Recordset::Create();
  for (const char* key : {"Fiscal_Year", "Period_ID", "County_ID", "School_District_ID", "School_ID"})
    rows->AppendField(key, db::DataType::Integer);
  rows->Open();
  rows->AddNew();
  rows->SetValue("Fiscal_Year", 2019);
  rows->SetValue("Period_ID", 2);
  rows->SetValue("School_District_ID", 64733);
  rows->SetValue("School_ID", 7);

  auto result = modGeneralRoutines::CreateErrorRecordset();
  modGeneralRoutines::AddError(result, "A", "1", "", "E", "Field", "");
  modGeneralRoutines::CopyKeys(rows, result);
  EXPECT_EQ(vb::TextOf(result->Value("FiscalYear")), "2019");
  EXPECT_EQ(vb::TextOf(result->Value("PeriodID")), "2");
  EXPECT_TRUE(result->Value("CountyID").IsNull());
  EXPECT_EQ(vb::TextOf(result->Value("SchoolDistrictID")), "64733");
  EXPECT_EQ(vb::TextOf(result->Value("School_ID")), "7");

  auto noKeys = db::Recordset::Create();
  noKeys->AppendField("Fiscal_Year", db::DataType::Integer);
  noKeys->Open();
  noKeys->AddNew();
  EXPECT_THROW(modGeneralRoutines::CopyKeys(noKeys, result), vb::VbError);
}

}  // namespace
}  // namespace ruletest
