// The charter attendance rule sets called directly: what they do before
// any check, and a key that cannot select the rows belonging to the form.

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
  const char* partField;  // a classroom-based column of line A-2
};
const RuleSetCase kRuleSets[] = {
    {"ATTCSACD", modAttendanceCharter::Validate_ATTCSACD, "A-1", "RegularADA_GradesTKTO3_CB_Res"},
    {"ATTCS", modAttendanceCharter::Validate_ATTCS, "C-1", "RegularADA_GradesTKTO3_CB"},
};

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

    auto result = c.ruleSet(rows, nullptr);

    ExpectFindings(result,
                   {{"A-2", c.partField, "E", "Line A-2 (TK/K-3) must be less than or equal to line A-1 (TK/K-3)"},
                    {c.trapLine, c.formKey, "E", "Unexpected Error generated in Rule Validation Engine"}},
                   c.formKey);
    EXPECT_EQ(vb::TextOf(ColumnOf(result, "Where_Clause").back()), vb::Left(vb::ErrorDescription(vb::err::InvalidUseOfNull), 50))
        << c.formKey;
    EXPECT_TRUE(ColumnOf(result, "PeriodID").front().IsNull()) << c.formKey;
  }
}

}  // namespace
}  // namespace ruletest
