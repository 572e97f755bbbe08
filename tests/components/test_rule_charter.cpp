// The charter attendance rule sets called directly: what they do before
// any check, a key that cannot select the rows belonging to the form, and
// the caller's row after a rule set that moves through every row.

#include <memory>

#include "RuleFixture.h"
#include "modAttendanceCharter.h"
#include "modGeneralRoutines.h"
#include "vb/Conversions.h"

namespace ruletest {
namespace {

using CharterFrameTest = RuleTest;
using CharterRuleSet = db::RecordsetPtr (*)(db::RecordsetPtr&, rulegate::ParamsRef);

struct RuleSetCase {
  const char* formKey;
  CharterRuleSet ruleSet;
  const char* trapLine;
  const char* partField;    // a classroom-based column of line A-2
  const char* partMessage;  // its check's message, when the row is checked before its keys are read
};
const RuleSetCase kRuleSets[] = {
    {"ATTCSACD", modAttendanceCharter::Validate_ATTCSACD, "A-1", "RegularADA_GradesTKTO3_CB_Res",
     "Line A-2 (TK/K-3) must be less than or equal to line A-1 (TK/K-3)"},
    {"ATTCS", modAttendanceCharter::Validate_ATTCS, "C-1", "RegularADA_GradesTKTO3_CB",
     "Line A-2 (TK/K-3) must be less than or equal to line A-1 (TK/K-3)"},
    {"ATTCSFUNDADA", modAttendanceCharter::Validate_ATTCSFUNDADA, "A-1", "CountyCommunitySchools_GradesTKTO3_CB",
     "Line A-2 (TK/K-3) must be less than or equal to line A-1 (TK/K-3)"},
    {"ATTCOECS", modAttendanceCharter::Validate_ATTCOECS, "A-1", "CountyGroupHomeInstitutionPupilsElementary_CB",
     "Line A-2 (ELEMENTARY) must be less than or equal to line A-1 (ELEMENTARY)"},
    // The split reads the keys of its first row before it checks any row.
    {"CS_BA", modAttendanceCharter::Validate_CS_BA, "A-1", "RegularADA_GradesTKTO3_CB", nullptr},
};

// The parameters that the split needs; the other rule sets ignore them.
std::shared_ptr<vb::Object> SplitParams() {
  auto params = std::make_shared<ruleface::Collection>();
  params->Add("UNIFIED", "DistrictType");
  params->Add(kDistrict, "LogonDistrictID");
  return params;
}

TEST_F(CharterFrameTest, NoRowsGiveAnEmptyResultWithoutOpeningTheDatabase) {
  modGeneralRoutines::SetConnectionString("Data Source=" + (folder_ / "missing" / "none.mdb").string());
  for (const RuleSetCase& c : kRuleSets) {
    auto rows = db::Recordset::Query("SELECT * FROM " + std::string(c.formKey) + " WHERE 0", conn_);
    auto result = c.ruleSet(rows, nullptr);
    ASSERT_TRUE(result) << c.formKey;
    EXPECT_EQ(result->State(), db::ObjectState::Open) << c.formKey;
    EXPECT_EQ(result->RecordCount(), 0) << c.formKey;
  }
}

TEST_F(CharterFrameTest, NullKeyEndsTheChecksWhereTheRowsOfTheFormAreSelected) {
  modGeneralRoutines::SetConnectionString(ConnectionString());
  for (const RuleSetCase& c : kRuleSets) {
    const std::string table = c.formKey;
    const std::string line = vb::Replace(c.partField, "_CB", "");
    FormRows(table, {{{line, 1.0}, {c.partField, 2.0}}});
    auto rows = db::Recordset::Create();
    rows->LockType(db::LockType::BatchOptimistic);
    rows->Open("SELECT * FROM " + table, conn_);
    rows->SetValue("Period_ID", vb::Null);

    std::shared_ptr<vb::Object> params = SplitParams();
    auto result = c.ruleSet(rows, &params);

    std::vector<Finding> expected;
    if (c.partMessage != nullptr) expected.push_back({"A-2", c.partField, "E", c.partMessage});
    expected.push_back({c.trapLine, c.formKey, "E", "Unexpected Error generated in Rule Validation Engine"});
    ExpectFindings(result, expected, c.formKey);
    EXPECT_EQ(vb::TextOf(ColumnOf(result, "Where_Clause").back()),
              vb::Left(vb::ErrorDescription(vb::err::InvalidUseOfNull), 50))
        << c.formKey;
    EXPECT_TRUE(ColumnOf(result, "PeriodID").front().IsNull()) << c.formKey;
  }
}

TEST_F(CharterFrameTest, SplitLeavesTheCallerOnItsRow) {
  modGeneralRoutines::SetConnectionString(ConnectionString());
  for (int district : {10001, 10002, 10003})
    Insert("CS_BA", {{"Period_ID", 2}, {"School_ID", 1234567}, {"RES_SCHOOL_DISTRICT_ID", district}});
  auto rows = db::Recordset::Query("SELECT * FROM CS_BA ORDER BY rowid", conn_);
  rows->Move(1);
  std::shared_ptr<vb::Object> params = SplitParams();

  auto result = modAttendanceCharter::Validate_CS_BA(rows, &params);

  // Every line is blank, so nothing is reported; the attendance to compare
  // with is missing, so every total of the charter is.
  EXPECT_EQ(result->RecordCount(), 32);
  EXPECT_EQ(rows->AbsolutePosition(), 2);
}

}  // namespace
}  // namespace ruletest
