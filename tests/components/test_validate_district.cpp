// The rule sets of the school-district attendance screens: Section B lines
// within the Section A ADA of their row, and the necessary small elementary
// and high school screens with their school rows and totals.

#include <optional>

#include "RuleFixture.h"
#include "vb/Conversions.h"

namespace ruletest {
namespace {

const char* const kUnexpected = "Unexpected Error generated in Rule Validation Engine";

// --- The district's own attendance screen ------------------------------------

const Finding kTransK{"B-5", "ADA_TransK_GradesTKTO3", "E",
                      "Line B-5 Transitional Kindergarten ADA cannot exceed the sum of ADA reported on Lines A-1 "
                      "through A-5, TK/K-3 Column (First Year ADA Only)"};
const Finding kContinuation{"B-6", "ADA_Continuation_Grades9TO12", "E",
                            "Line B-6 ADA for Students in Continuation Education included in Section A (Line A-1, "
                            "Grades 9-12 Column) cannot exceed the ADA reported on Line A-1, Grades 9-12 Column"};
const Finding kOpportunity{"B-7", "ADA_Opportunity_Total", "E",
                           "Line B-7 ADA for Students in Opportunity Class included in Section A (Line A-1, Total "
                           "Column) cannot exceed the ADA on Line A-1, Total Column"};

// Section A: 0.7 of regular TK/K-3 ADA and 0.1 on each other TK/K-3 line,
// 10 of regular ADA in every other span; 0 on the Section B lines named.
Cells SectionARow(std::initializer_list<const char*> sectionB, std::initializer_list<Cells> changes) {
  Cells row{{"RegularADA_GradesTKTO3", 0.7},    {"ExtYearSpEd_GradesTKTO3", 0.1},
            {"SpEd_56366_GradesTKTO3", 0.1},    {"ExtYearSpEd_56366_GradesTKTO3", 0.1},
            {"CommDaySchool_GradesTKTO3", 0.1}, {"RegularADA_Grades4TO6", 10.0},
            {"RegularADA_Grades7TO8", 10.0},    {"RegularADA_Grades9TO12", 10.0}};
  for (const char* line : sectionB) row.push_back({line, 0.0});
  for (const Cells& cells : changes) row.insert(row.end(), cells.begin(), cells.end());
  return row;
}

Cells AttendanceRow(const Cells& changes) {
  return SectionARow({"ADA_TransK_GradesTKTO3", "ADA_Continuation_Grades9TO12", "ADA_Opportunity_Total"}, {changes});
}

using DistrictRulesTest = RuleTest;

TEST_F(DistrictRulesTest, SectionBOfTheDistrictsRowMayNotExceedItsSectionA) {
  struct Case {
    const char* name;
    std::vector<Cells> rows;
    std::vector<Finding> expected;
  };
  const Case cases[] = {
      // 0.7 + 0.1 + 0.1 + 0.1 + 0.1 is 1.1 exactly, not a binary fraction
      // just below it.
      {"every line on its sum", {AttendanceRow({{"ADA_TransK_GradesTKTO3", 1.1},
                                                {"ADA_Continuation_Grades9TO12", 10.0},
                                                {"ADA_Opportunity_Total", 30.7}})},
       {}},
      {"transitional kindergarten over its lines", {AttendanceRow({{"ADA_TransK_GradesTKTO3", 1.11}})}, {kTransK}},
      {"continuation over grades 9-12", {AttendanceRow({{"ADA_Continuation_Grades9TO12", 10.01}})}, {kContinuation}},
      {"opportunity over the regular ADA", {AttendanceRow({{"ADA_Opportunity_Total", 30.71}})}, {kOpportunity}},
      {"every line over", {AttendanceRow({{"ADA_TransK_GradesTKTO3", 2.0},
                                         {"ADA_Continuation_Grades9TO12", 11.0},
                                         {"ADA_Opportunity_Total", 31.0}})},
       {kTransK, kContinuation, kOpportunity}},
      {"a blank Section A line tests nothing it enters",
       {AttendanceRow({{"CommDaySchool_GradesTKTO3", vb::Null}, {"ADA_TransK_GradesTKTO3", 5.0},
                       {"ADA_Continuation_Grades9TO12", 11.0}})},
       {kContinuation}},
      {"blank Section B lines", {AttendanceRow({{"ADA_TransK_GradesTKTO3", vb::Null},
                                               {"ADA_Continuation_Grades9TO12", vb::Null},
                                               {"ADA_Opportunity_Total", vb::Null}})},
       {}},
      {"only the first row is tested",
       {AttendanceRow({{"School_ID", 1}}), AttendanceRow({{"School_ID", 2}, {"ADA_TransK_GradesTKTO3", 9.0}})},
       {}},
  };
  for (const Case& c : cases) {
    auto rows = FormRows("ATT_SD", c.rows);
    ExpectFindings(Validate("ATT_SD", rows), c.expected, c.name);
  }
}

// --- Screens by district of residence ----------------------------------------

// A row for a district of residence: as the district's row, with the
// shorter Section B names.
Cells ResidenceRow(int resCounty, int resDistrict, const Cells& changes) {
  return SectionARow({"ADA_TransK", "ADA_Continuation", "ADA_Opportunity"},
                     {{{"RES_COUNTY_ID", resCounty}, {"RES_SCHOOL_DISTRICT_ID", resDistrict}}, changes});
}

class ResidenceRulesTest : public RuleTest {
 protected:
  struct Case {
    const char* name;
    std::vector<Cells> rows;
    std::vector<Finding> expected;
    std::vector<int> resDistricts;  // of the result rows, in order
  };

  void Check(const std::string& form, const Case& c) {
    auto rows = FormRows(form, c.rows);
    rows->MoveLast();
    auto result = Validate(form, rows);
    const std::string context = form + ": " + c.name;
    ExpectFindings(result, c.expected, context);
    std::vector<int> resDistricts;
    for (const vb::Variant& value : ColumnOf(result, "Res_School_District_ID")) resDistricts.push_back(vb::CLng(value));
    EXPECT_EQ(resDistricts, c.resDistricts) << context;
    for (const vb::Variant& value : ColumnOf(result, "Res_County_ID")) EXPECT_EQ(vb::CLng(value), 61) << context;
    EXPECT_EQ(rows->AbsolutePosition(), static_cast<long>(c.rows.size())) << context;
  }
};

TEST_F(ResidenceRulesTest, BoundaryAndBasicAidScreensTestEveryRowForItsDistrictOfResidence) {
  const Finding transK{"B-1", "ADA_TransK", "E",
                       "Line B-1 Transitional Kindergarten ADA cannot exceed the sum of ADA reported on Lines A-1 "
                       "through A-5, TK/K-3 Column (First Year ADA Only)"};
  const Finding continuation{"B-2", "ADA_Continuation", "E",
                             "Line B-2 ADA for Students in Continuation Education included in Section A (Line A-1, "
                             "Grades 9-12 Column) cannot exceed the ADA reported on Line A-1, Grades 9-12 Column"};
  const Finding opportunity{"B-3", "ADA_Opportunity", "E",
                            "Line B-3 ADA for Students in Opportunity Class included in Section A (Line A-1, Total "
                            "Column) cannot exceed the ADA on Line A-1, Total Column"};
  const Case cases[] = {
      {"lines on their sums",
       {ResidenceRow(61, 61001, {{"ADA_TransK", 1.1}, {"ADA_Continuation", 10.0}, {"ADA_Opportunity", 30.7}})},
       {},
       {}},
      {"two districts with the same fault",
       {ResidenceRow(61, 61001, {{"ADA_Continuation", 10.5}}), ResidenceRow(61, 61002, {}),
        ResidenceRow(61, 61003, {{"ADA_Continuation", 12.0}})},
       {continuation, continuation},
       {61001, 61003}},
      {"every line over in one row",
       {ResidenceRow(61, 61002, {{"ADA_TransK", 1.2}, {"ADA_Continuation", 11.0}, {"ADA_Opportunity", 31.0}})},
       {transK, continuation, opportunity},
       {61002, 61002, 61002}},
      {"a blank regular ADA tests nothing it enters",
       {ResidenceRow(61, 61001, {{"RegularADA_Grades9TO12", vb::Null}, {"ADA_Continuation", 1.0},
                                 {"ADA_Opportunity", 99.0}})},
       {},
       {}},
  };
  for (const char* form : {"ATT_SD_BS", "ATT_SD_BAOE"}) {
    for (const Case& c : cases) Check(form, c);
  }
}

TEST_F(ResidenceRulesTest, SupplementScreenHasNoTransitionalKindergartenLine) {
  const Finding continuation{"B-1", "ADA_Continuation", "E",
                             "Line B-1 ADA for Students in Continuation Education included in Section A (Line A-1, "
                             "Grades 9-12 Column) cannot exceed the ADA reported on Line A-1, Grades 9-12 Column"};
  const Finding opportunity{"B-2", "ADA_Opportunity", "E",
                            "Line B-2 ADA for Students in Opportunity Class included in Section A (Line A-1, Total "
                            "Column) cannot exceed the ADA on Line A-1, Total Column"};
  const Case cases[] = {
      {"transitional kindergarten is not tested", {ResidenceRow(61, 61001, {{"ADA_TransK", 50.0}})}, {}, {}},
      {"both lines over in the second row",
       {ResidenceRow(61, 61001, {}),
        ResidenceRow(61, 61003, {{"ADA_Continuation", 10.01}, {"ADA_Opportunity", 30.71}})},
       {continuation, opportunity},
       {61003, 61003}},
  };
  for (const Case& c : cases) Check("ATT_SD_SUPP", c);
}

TEST_F(DistrictRulesTest, MissingColumnEndsInTheTrapRowOfTheRuleSet) {
  struct Case {
    const char* form;
    const char* trapField;
  };
  const Case cases[] = {
      {"ATT_SD", "ATT_SD"}, {"ATT_SD_BS", "ATT_SD_BS"}, {"ATT_SD_BAOE", "ATT_SD_BAOE"}, {"ATT_SD_SUPP", "ATT_SD_SUPP"}};
  for (const Case& c : cases) {
    FormRows(c.form, {{}});
    auto keysOnly = db::Recordset::Query(
        std::string("SELECT Fiscal_Year, Period_ID, County_ID, School_District_ID, School_ID FROM ") + c.form, conn_);
    ExpectFindings(Validate(c.form, keysOnly), {{"A-1", c.trapField, "E", kUnexpected}}, c.form);
  }
}

// --- Necessary small elementary and high schools -----------------------------

class SmallSchoolRulesTest : public RuleTest {
 protected:
  struct Case {
    const char* name;
    std::optional<Cells> district;  // the district's attendance row, if it has one
    std::vector<Cells> rows;
    std::vector<Finding> expected;
  };

  // `neighbour`: changes that make copies of the district's attendance row
  // (see fixtures::AddNeighbours).
  void Check(const std::string& form, const Case& c, const Cells& neighbour = {}) {
    conn_->Execute("DELETE FROM ATT_SD");
    if (c.district) Insert("ATT_SD", *c.district);
    if (!neighbour.empty()) {
      EXPECT_EQ(fixtures::AddNeighbours(*conn_, "ATT_SD", {}, neighbour), 1) << c.name;
    }
    auto rows = FormRows(form, c.rows);
    auto result = Validate(form, rows);
    ExpectFindings(result, c.expected, c.name);
    // Errors on the totals carry the keys of the first school row.
    const std::vector<Finding> findings = FindingsOf(result);
    const std::vector<vb::Variant> schools = ColumnOf(result, "School_ID");
    const vb::Variant firstSchool = rows->Value("School_ID");
    for (std::size_t i = 0; i < findings.size(); ++i) {
      if (findings[i].errorType == "E" && findings[i].message != kUnexpected) {
        EXPECT_TRUE(vb::Equal(schools[i], firstSchool)) << c.name << ": " << findings[i].fieldName;
      }
    }
  }
};

// A school row that passes: a teacher, ADA within the bounds, and its
// totals.
Cells ElementarySchool(int school, const Cells& changes) {
  Cells row{{"School_ID", school},
            {"NumberOfFTTeachers", 2.0},
            {"ADATotal_Total", 40.0},
            {"RegularADA_GradesTKTO3", 10.0},
            {"RegularADA_Grades4TO6", 10.0},
            {"RegularADA_Grades7TO8", 10.0},
            {"ExtYearSpEd_GradesTKTO3", 1.0},
            {"ExtYearSpEd_Grades4TO6", 1.0},
            {"ExtYearSpEd_Grades7TO8", 1.0}};
  row.insert(row.end(), changes.begin(), changes.end());
  return row;
}

Cells DistrictRow(const Cells& changes) {
  Cells row{{"RegularADA_GradesTKTO3", 100.0}, {"RegularADA_Grades4TO6", 100.0}, {"RegularADA_Grades7TO8", 100.0},
            {"RegularADA_Grades9TO12", 100.0}, {"ADA_Continuation_Grades9TO12", 20.0},
            {"ExtYearSpEd_GradesTKTO3", 10.0}, {"ExtYearSpEd_Grades4TO6", 10.0}, {"ExtYearSpEd_Grades7TO8", 10.0},
            {"ExtYearSpEd_Grades9TO12", 10.0}};
  row.insert(row.end(), changes.begin(), changes.end());
  return row;
}

Finding ElementaryFinding(const char* line, const char* field, const std::string& message) {
  return {line, field, "W", message};
}
Finding NoTeachers(int school) {
  return ElementaryFinding("A-1", "NumberOfFTTeachers",
                           "Number of Full-time Teachers for School Code " + std::to_string(school) +
                               " should be greater than 0");
}
Finding ElementaryAdaBounds(int school) {
  return ElementaryFinding("A-4", "ADATotal_Total",
                           "Total Elementary ADA for School Code " + std::to_string(school) +
                               " should be greater than 0 and less than or equal to 96.49");
}
Finding FewPupils(int school) {
  return ElementaryFinding("A-4", "ADATotal_Total",
                           "Verify that the enrollment for School Code " + std::to_string(school) +
                               " is 5 or greater to meet Education Code Section 42283 requirements for necessary "
                               "small school funding.");
}

const Finding kRegularTkTo3{"A-2", "RegularADA_GradesTKTO3", "E",
                            "Sum of Line A-2 in TK/K-3 Column for all records must be less than or equal to Line A-1 "
                            "in TK/K-3 Column of the Attendance School District entry screen"};
const Finding kRegular4To6{"A-2", "RegularADA_Grades4TO6", "E",
                           "Sum of Line A-2 in Grades 4-6 Column for all records must be less than or equal to Line "
                           "A-1 in Grades 4-6 Column of the Attendance School District entry screen"};
const Finding kRegular7To8{"A-2", "RegularADA_Grades7TO8", "E",
                           "Sum of Line A-2 in Grades 7-8 Column for all records must be less than or equal to Line "
                           "A-1 in Grades 7-8 Column of the Attendance School District entry screen"};
const Finding kExtendedTkTo3{"A-3", "ExtYearSpEd_GradesTKTO3", "E",
                             "Sum of Line A-3 in TK/K-3 Column for all records must be less than or equal to Line A-2 "
                             "in TK/K-3 Column of the Attendance School District entry screen"};
const Finding kExtended4To6{"A-3", "ExtYearSpEd_Grades4TO6", "E",
                            "Sum of Line A-3 in Grades 4-6 Column for all records must be less than or equal to Line "
                            "A-2 in Grades 4-6 Column of the Attendance School District entry screen"};
const Finding kExtended7To8{"A-3", "ExtYearSpEd_Grades7TO8", "E",
                            "Sum of Line A-3 in Grades 7-8 Column for all records must be less than or equal to Line "
                            "A-2 in Grades 7-8 Column of the Attendance School District entry screen"};

TEST_F(SmallSchoolRulesTest, ElementarySchoolsNeedTeachersAndAdaWithinBoundsAndFitTheDistrictsAda) {
  const Cells annual{{"Period_ID", 3}};
  const Case cases[] = {
      {"a school that passes", DistrictRow({}), {ElementarySchool(11, {})}, {}},
      {"no ADA and no teachers", DistrictRow({}),
       {ElementarySchool(11, {{"NumberOfFTTeachers", 0.0}, {"ADATotal_Total", 0.0}})},
       {NoTeachers(11), ElementaryAdaBounds(11), FewPupils(11)}},
      {"no ADA and no teachers in the Annual period", DistrictRow(annual),
       {ElementarySchool(11, {{"Period_ID", 3}, {"NumberOfFTTeachers", 0.0}, {"ADATotal_Total", 0.0}})},
       {ElementaryAdaBounds(11)}},
      {"ADA on its bound", DistrictRow({}), {ElementarySchool(11, {{"ADATotal_Total", 96.49}})}, {}},
      {"ADA over its bound", DistrictRow({}), {ElementarySchool(11, {{"ADATotal_Total", 96.5}})},
       {ElementaryAdaBounds(11)}},
      {"just under five", DistrictRow({}), {ElementarySchool(11, {{"ADATotal_Total", 4.99}})}, {FewPupils(11)}},
      {"five", DistrictRow({}), {ElementarySchool(11, {{"ADATotal_Total", 5}})}, {}},
      {"blank teachers and ADA", DistrictRow({}),
       {ElementarySchool(11, {{"NumberOfFTTeachers", vb::Null}, {"ADATotal_Total", vb::Null}})}, {}},
      {"totals on the district's lines in exact decimals",
       DistrictRow({{"RegularADA_GradesTKTO3", 0.3}, {"ExtYearSpEd_Grades7TO8", 2.0}}),
       {ElementarySchool(11, {{"RegularADA_GradesTKTO3", 0.1}}),
        ElementarySchool(12, {{"RegularADA_GradesTKTO3", 0.2}})},
       {}},
      {"every total over", DistrictRow({{"RegularADA_Grades4TO6", 19.99}, {"RegularADA_Grades7TO8", 19.99},
                                        {"RegularADA_GradesTKTO3", 19.99}, {"ExtYearSpEd_GradesTKTO3", 1.99},
                                        {"ExtYearSpEd_Grades4TO6", 1.99}, {"ExtYearSpEd_Grades7TO8", 1.99}}),
       {ElementarySchool(11, {}), ElementarySchool(12, {})},
       {kRegularTkTo3, kRegular4To6, kRegular7To8, kExtendedTkTo3, kExtended4To6, kExtended7To8}},
      {"a blank school figure leaves its total untested",
       DistrictRow({{"RegularADA_Grades4TO6", 1.0}, {"RegularADA_Grades7TO8", 1.0}}),
       {ElementarySchool(11, {{"RegularADA_Grades4TO6", vb::Null}}), ElementarySchool(12, {})},
       {kRegular7To8}},
      {"the first school's district counts", DistrictRow({}),
       {ElementarySchool(11, {}), ElementarySchool(12, {{"School_District_ID", 99999}, {"RegularADA_GradesTKTO3", 95.0}})},
       {kRegularTkTo3}},
      {"no attendance row for the district", std::nullopt,
       {ElementarySchool(11, {{"NumberOfFTTeachers", 0.0}}), ElementarySchool(12, {{"ADATotal_Total", 100.0}})},
       {NoTeachers(11), ElementaryAdaBounds(12), {"A-1", "BRL_SD_NSES", "E", kUnexpected}}},
  };
  for (const Case& c : cases) Check("BRL_SD_NSES_ADA", c);
}

TEST_F(SmallSchoolRulesTest, HighSchoolsNeedStaffAndAdaWithinBoundsAndFitTheDistrictsAdaLessContinuation) {
  const auto noStaff = [](int school) {
    return Finding{"A-1", "NumberOfFTEEmployees", "W",
                   "Number of FTE Certificated Employees for School Code " + std::to_string(school) +
                       " should be greater than 0"};
  };
  const auto adaBounds = [](int school) {
    return Finding{"A-4", "ADATotal_Grades9TO12", "W",
                   "Total High School ADA for School Code " + std::to_string(school) +
                       " should be greater than 0 and less than or equal to 286.49"};
  };
  const Finding regular{"A-2", "RegularADA_Grades9TO12", "E",
                        "Sum of Line A-2 for all records must be less than or equal to Line A-1 minus Line B-6 in "
                        "Grades 9-12 Column of the Attendance School District entry screen"};
  const Finding extended{"A-3", "ExtYearSpEd_Grades9TO12", "E",
                         "Sum of Line A-3 for all records must be less than or equal to Line A-2 in Grades 9-12 "
                         "Column of the Attendance School District entry screen"};
  const auto school = [](int id, const Cells& changes) {
    Cells row{{"School_ID", id},
              {"NumberOfFTEEmployees", 3.0},
              {"ADATotal_Grades9TO12", 40.0},
              {"RegularADA_Grades9TO12", 40.0},
              {"ExtYearSpEd_Grades9TO12", 1.0}};
    row.insert(row.end(), changes.begin(), changes.end());
    return row;
  };
  const Case cases[] = {
      {"no staff and no ADA", DistrictRow({}),
       {school(21, {{"NumberOfFTEEmployees", 0.0}, {"ADATotal_Grades9TO12", 0.0}})},
       {noStaff(21), adaBounds(21)}},
      {"no staff in the Annual period", DistrictRow({{"Period_ID", 3}}),
       {school(21, {{"Period_ID", 3}, {"NumberOfFTEEmployees", 0.0}})},
       {}},
      {"ADA on its bound and below five", DistrictRow({}),
       {school(21, {{"ADATotal_Grades9TO12", 286.49}}), school(22, {{"ADATotal_Grades9TO12", 1.0}})},
       {}},
      {"ADA over its bound", DistrictRow({}), {school(21, {{"ADATotal_Grades9TO12", 286.5}})}, {adaBounds(21)}},
      {"regular ADA on the district's less its continuation", DistrictRow({}),
       {school(21, {{"RegularADA_Grades9TO12", 50.0}}), school(22, {{"RegularADA_Grades9TO12", 30.0}})},
       {}},
      {"regular ADA over the district's less its continuation", DistrictRow({}),
       {school(21, {{"RegularADA_Grades9TO12", 50.0}}), school(22, {{"RegularADA_Grades9TO12", 30.01}})},
       {regular}},
      {"extended-year ADA over", DistrictRow({}),
       {school(21, {{"ExtYearSpEd_Grades9TO12", 6.0}}), school(22, {{"ExtYearSpEd_Grades9TO12", 4.01}})},
       {extended}},
      {"a blank continuation line leaves the regular total untested",
       DistrictRow({{"ADA_Continuation_Grades9TO12", vb::Null}}), {school(21, {{"RegularADA_Grades9TO12", 250.0}})},
       {}},
      {"no attendance row for the district", std::nullopt, {school(21, {{"ADATotal_Grades9TO12", -1.0}})},
       {adaBounds(21), {"A-1", "BRL_SD_NSHS", "E", kUnexpected}}},
  };
  for (const Case& c : cases) Check("BRL_SD_NSHS_ADA", c);
}

// The district's attendance row is the one of the school rows' year, period,
// county and district: a row of another one, with no room for the schools'
// totals, counts for nothing.
TEST_F(SmallSchoolRulesTest, AttendanceRowsOfAnotherYearPeriodOrDistrictDoNotCount) {
  const Cells noRoom{{"RegularADA_GradesTKTO3", 0.0}, {"RegularADA_Grades9TO12", 0.0}};
  const struct {
    const char* name;
    Cell key;
  } cases[] = {
      {"another year", {"FISCAL_YEAR", kFiscalYear - 1}},
      {"another period", {"PERIOD_ID", kPeriod - 1}},
      {"another county", {"COUNTY_ID", kCounty - 1}},
      {"another district", {"SCHOOL_DISTRICT_ID", kDistrict - 1}},
  };
  for (const auto& c : cases) {
    Cells neighbour = noRoom;
    neighbour.push_back(c.key);
    Check("BRL_SD_NSES_ADA", {c.name, DistrictRow({}), {ElementarySchool(11, {})}, {}}, neighbour);
    Check("BRL_SD_NSHS_ADA",
          {c.name, DistrictRow({}), {{{"School_ID", 21}, {"NumberOfFTEEmployees", 3.0}, {"ADATotal_Grades9TO12", 40.0},
                                      {"RegularADA_Grades9TO12", 40.0}}}, {}},
          neighbour);
  }
}

}  // namespace
}  // namespace ruletest
