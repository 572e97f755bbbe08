// The split of a charter school's attendance by district of residence
// (CS_BA): every row within its own lines, and the split's totals within the
// charter's attendance of the same year, period and school.

#include <memory>
#include <utility>

#include "CharterFixture.h"

namespace ruletest {
namespace {

using Items = std::vector<std::pair<std::string, vb::Variant>>;

class SplitRulesTest : public CharterRulesTest {
 protected:
  // The caller's parameter collection with the items given.
  static std::shared_ptr<vb::Object> Params(const Items& items) {
    auto collection = std::make_shared<ruleface::Collection>();
    for (const auto& [key, value] : items) collection->Add(value, key);
    return collection;
  }
  // A row of the split for a district of residence in county 19: every line
  // 0 but the cells given.
  Cells Residence(int district, const Cells& cells) {
    Cells row{{"Res_County_ID", kCounty}, {"Res_School_District_ID", district}};
    row.insert(row.end(), cells.begin(), cells.end());
    return Zeroed("CS_BA", row);
  }
  // The charter's attendance: every line 0 but the cells given.
  void Attendance(const Cells& cells) { Insert("ATTCS", Zeroed("ATTCS", cells)); }

  db::RecordsetPtr ValidateSplit(db::RecordsetPtr& rows, const Items& items = kItems) {
    std::shared_ptr<vb::Object> params = Params(items);
    return Validate("CS_BA", rows, &params);
  }

  static inline const Items kItems{{"DistrictType", "Unified"}, {"LogonDistrictID", kDistrict}};
};

constexpr int kOtherDistrict = 10199;
const Finding kPartOfRegular{"A-2", "RegularADA_GradesTKTO3_CB", "E",
                             "Line A-2 (TK/K-3) must be less than or equal to line A-1 (TK/K-3)"};
const Finding kTotalOfPart{"A-2", "RegularADA_GradesTKTO3_CB", "E",
                           "The sum of line A-2 (TK/K-3) must be less than or equal to line A-2 (TK/K-3) in Attendance "
                           "Charter School"};
const Finding kTrap{"A-1", "CS_BA", "E", kUnexpected};

TEST_F(SplitRulesTest, EveryRowWithinItsLinesAndTheTotalsWithinTheCharterAttendance) {
  Attendance({{"RegularADA_GradesTKTO3", 0.3}, {"RegularADA_GradesTKTO3_CB", 0.2}});
  auto rows = FormRows(
      "CS_BA", {Residence(kDistrict, {{"RegularADA_GradesTKTO3", 0.1}}),
                Residence(kOtherDistrict, {{"RegularADA_GradesTKTO3", 0.2}, {"RegularADA_GradesTKTO3_CB", 0.3}})});
  rows->MoveNext();

  // 0.1 + 0.2 is 0.3 exactly: line A-1 is within the charter's attendance.
  auto result = ValidateSplit(rows);
  ExpectFindings(result, {kPartOfRegular, kTotalOfPart});
  EXPECT_EQ(TextsOf(result, "Res_County_ID"), (std::vector<std::string>{"19", ""}));
  EXPECT_EQ(TextsOf(result, "Res_School_District_ID"), (std::vector<std::string>{"10199", ""}));
  EXPECT_EQ(TextsOf(result, "Caption"), std::vector<std::string>(2, "Classroom-based ADA included in A-1"));
  for (const auto& [field, text] : std::vector<std::pair<std::string, std::string>>{{"FiscalYear", "2019"},
                                                                                    {"PeriodID", "2"},
                                                                                    {"CountyID", "19"},
                                                                                    {"SchoolDistrictID", "64733"},
                                                                                    {"School_ID", "1234567"},
                                                                                    {"Line_Name2", "A-002"},
                                                                                    {"Where_Clause", kCharterWhere},
                                                                                    {"Form_No", "50"},
                                                                                    {"Table_Name", "CS_BA"}}) {
    EXPECT_EQ(TextsOf(result, field), std::vector<std::string>(2, text)) << field;
  }
  EXPECT_EQ(rows->AbsolutePosition(), 2);

  // Without the charter's attendance every total fails, after the rows'
  // own checks.
  conn_->Execute("DELETE FROM ATTCS");
  const std::vector<Finding> findings = FindingsOf(ValidateSplit(rows));
  ASSERT_EQ(findings.size(), 1u + 32u);
  EXPECT_EQ(At(findings, {0, 1, 2, 9, 17, 25, 32}),
            (std::vector<Finding>{
                kPartOfRegular,
                {"A-1", "RegularADA_GradesTKTO3", "E",
                 "The sum of line A-1 (TK/K-3) must be less than or equal to line A-1 (TK/K-3) in Attendance Charter "
                 "School"},
                {"A-1", "RegularADA_Grades4TO6", "E",
                 "The sum of line A-1 (Grades 4-6) must be less than or equal to line A-1 (Grades 4-6) in Attendance "
                 "Charter School"},
                {"A-3", "ExtYearSpEd_GradesTKTO3", "E",
                 "The sum of line A-3 (TK/K-3) must be less than or equal to line A-3 (TK/K-3) in Attendance Charter "
                 "School"},
                {"A-5", "SpEd_56366_GradesTKTO3", "E",
                 "The sum of line A-5 (TK/K-3) must be less than or equal to line A-5 (TK/K-3) in Attendance Charter "
                 "School"},
                {"A-7", "ExtYearSpEd_56366_GradesTKTO3", "E",
                 "The sum of line A-7 (TK/K-3) must be less than or equal to line A-7 (TK/K-3) in Attendance Charter "
                 "School"},
                {"A-8", "ExtYearSpEd_56366_Grades9TO12_CB", "E",
                 "The sum of line A-8 (Grades 9-12) must be less than or equal to line A-8 (Grades 9-12) in Attendance "
                 "Charter School"}}));
  ExpectTextsAt(TextsOf(ValidateSplit(rows), "Caption"),
                {{1, "Regular ADA"},
                 {9, "Extended Year Special Education"},
                 {13, "Classroom-based ADA included in A-3"},
                 {17, "Special Education - Nonpublic, Nonsectarian Schools"},
                 {25, "Extended Year Special Education - Nonpublic, Nonsectarian Schools"},
                 {32, "Classroom-based ADA included in A-7"}});

  // No rows: nothing is checked and the parameters are not read.
  auto none = FormRows("CS_BA", {});
  result = Validate("CS_BA", none);
  ASSERT_TRUE(result);
  EXPECT_EQ(result->RecordCount(), 0);
}

TEST_F(SplitRulesTest, TheCallerMustPassItsDistrictTypeAndLogonDistrict) {
  Attendance({{"RegularADA_GradesTKTO3", 1.0}, {"RegularADA_GradesTKTO3_CB", 1.0}});
  auto rows = FormRows("CS_BA", {Residence(kDistrict, {{"RegularADA_GradesTKTO3_CB", 1.0}})});
  struct Case {
    const char* name;
    Items items;
    std::vector<Finding> expected;
  };
  const Case cases[] = {
      {"both items", kItems, {kPartOfRegular}},
      {"keys in other letter case, the district as a text",
       {{"districttype", 5}, {"LOGONDISTRICTID", "64733"}},
       {kPartOfRegular}},
      {"no LogonDistrictID", {{"DistrictType", "Unified"}}, {kTrap}},
      {"no DistrictType", {{"LogonDistrictID", kDistrict}}, {kTrap}},
      {"a Null DistrictType", {{"DistrictType", vb::Null}, {"LogonDistrictID", kDistrict}}, {kTrap}},
      {"a LogonDistrictID that is no number", {{"DistrictType", "Unified"}, {"LogonDistrictID", "6473X"}}, {kTrap}},
      {"a LogonDistrictID beyond 32 bits", {{"DistrictType", "Unified"}, {"LogonDistrictID", 3000000000.0}}, {kTrap}},
      {"a Null LogonDistrictID", {{"DistrictType", "Unified"}, {"LogonDistrictID", vb::Null}}, {kTrap}},
  };
  for (const Case& c : cases) ExpectFindings(ValidateSplit(rows, c.items), c.expected, c.name);

  auto result = Validate("CS_BA", rows);
  ExpectFindings(result, {kTrap}, "no collection");
  EXPECT_EQ(TextsOf(result, "Line_Name2"), std::vector<std::string>{"A-001"});
  EXPECT_EQ(TextsOf(result, "Caption"), std::vector<std::string>{""});
  EXPECT_TRUE(ColumnOf(result, "School_ID").front().IsNull());
}

TEST_F(SplitRulesTest, RowsAreCheckedInOrderEachWithItsDistrictOfResidence) {
  Attendance(Filled("ATTCS", [](const std::string&) { return 100.0; }));
  auto rows = FormRows(
      "CS_BA", {Residence(kDistrict, {{"ExtYearSpEd_Grades7TO8", 1.0}, {"ExtYearSpEd_Grades7TO8_CB", 1.5}}),
                Residence(kOtherDistrict, {{"RegularADA_GradesTKTO3_CB", 2.0}, {"ExtYearSpEd_Grades7TO8_CB", 0.5}}),
                Residence(10200, {{"SpEd_56366_Grades4TO6", 1.0}})});
  const Finding extendedYear{"A-4", "ExtYearSpEd_Grades7TO8_CB", "E",
                             "Line A-4 (Grades 7-8) must be less than or equal to line A-3 (Grades 7-8)"};
  auto result = ValidateSplit(rows);
  ExpectFindings(result, {extendedYear, kPartOfRegular, extendedYear});
  EXPECT_EQ(TextsOf(result, "Res_School_District_ID"), (std::vector<std::string>{"64733", "10199", "10199"}));
  EXPECT_EQ(TextsOf(result, "Caption"),
            (std::vector<std::string>{"Classroom-based ADA included in A-3", "Classroom-based ADA included in A-1",
                                      "Classroom-based ADA included in A-3"}));
}

TEST_F(SplitRulesTest, TotalsTakeEveryRowExactlyAndNullsAsTheyCome) {
  const Finding totalOfRegular{"A-1", "RegularADA_GradesTKTO3", "E",
                               "The sum of line A-1 (TK/K-3) must be less than or equal to line A-1 (TK/K-3) in "
                               "Attendance Charter School"};
  const Finding totalOfGrades4To6{"A-1", "RegularADA_Grades4TO6", "E",
                                  "The sum of line A-1 (Grades 4-6) must be less than or equal to line A-1 (Grades "
                                  "4-6) in Attendance Charter School"};
  struct Case {
    const char* name;
    Cells attendance;
    std::vector<Cells> rows;  // each a district's lines
    std::vector<Finding> expected;
  };
  const Case cases[] = {
      {"three rows of 0.1 against 0.3",
       {{"RegularADA_GradesTKTO3", 0.3}},
       {{{"RegularADA_GradesTKTO3", 0.1}}, {{"RegularADA_GradesTKTO3", 0.1}}, {{"RegularADA_GradesTKTO3", 0.1}}},
       {}},
      {"a total over the attendance by 0.01",
       {{"RegularADA_GradesTKTO3", 0.3}},
       {{{"RegularADA_GradesTKTO3", 0.11}}, {{"RegularADA_GradesTKTO3", 0.1}}, {{"RegularADA_GradesTKTO3", 0.1}}},
       {totalOfRegular}},
      {"a Null line: its row passes, its total is Null",
       {},
       {{{"RegularADA_GradesTKTO3", vb::Null}, {"RegularADA_GradesTKTO3_CB", 5.0}}, {{"RegularADA_GradesTKTO3", 9.0}}},
       {kTotalOfPart}},
      {"a Null in the attendance fails its total whatever the rows hold",
       {{"RegularADA_Grades4TO6", vb::Null}},
       {{}},
       {totalOfGrades4To6}},
      {"a Null total against a Null in the attendance",
       {{"RegularADA_Grades4TO6", vb::Null}},
       {{{"RegularADA_Grades4TO6", vb::Null}}},
       {totalOfGrades4To6}},
      {"a row of another charter counts in the totals",
       {{"RegularADA_GradesTKTO3", 0.3}},
       {{{"RegularADA_GradesTKTO3", 0.2}}, {{"School_ID", 7654321}, {"RegularADA_GradesTKTO3", 0.2}}},
       {totalOfRegular}},
  };
  for (const Case& c : cases) {
    conn_->Execute("DELETE FROM ATTCS");
    Attendance(c.attendance);
    std::vector<Cells> split;
    for (std::size_t i = 0; i < c.rows.size(); ++i) split.push_back(Residence(10001 + static_cast<int>(i), c.rows[i]));
    auto rows = FormRows("CS_BA", split);
    auto result = ValidateSplit(rows);
    ExpectFindings(result, c.expected, c.name);
    // The totals' rows carry the first row's keys and no residence.
    EXPECT_EQ(TextsOf(result, "School_ID"), std::vector<std::string>(c.expected.size(), "1234567")) << c.name;
    EXPECT_EQ(TextsOf(result, "Res_County_ID"), std::vector<std::string>(c.expected.size(), "")) << c.name;
  }

  // The attendance of another year is not the charter's of this year.
  conn_->Execute("DELETE FROM ATTCS");
  Attendance({{"Fiscal_Year", 2018}});
  auto rows = FormRows("CS_BA", {Residence(kDistrict, {})});
  EXPECT_EQ(FindingsOf(ValidateSplit(rows)).size(), 32u);
}

}  // namespace
}  // namespace ruletest
