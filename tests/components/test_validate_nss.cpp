// The rule set of the necessary small schools screen: each school row by its
// type in the directory, its stored funding flag, the period and the
// district's migrant certification; then the totals of lines C-2 and C-3
// against the district's attendance screen.

#include <optional>

#include "RuleFixture.h"
#include "vb/Conversions.h"

namespace ruletest {
namespace {

const char* const kUnexpected = "Unexpected Error generated in Rule Validation Engine";

// The district's schools in the directory.
enum School {
  kOak = 1,        // ELEMENTARY
  kPine = 2,       // HIGH SCHOOL
  kElm = 3,        // K-12
  kAsh = 4,        // "Elementary": no type the rules know
  kBirch = 5,      // no type
  kCedar = 6,      // K-12, closed
  kUnlisted = 7,   // not in the directory
  kNameless = 8,   // K-12 without a name
};

// A school row that passes whatever its kind: funded, both certification
// selections made, staff and ADA within the bounds, one unit on each line
// of C-2 and C-3.
Cells NssRow(int school, const Cells& changes = {}) {
  Cells row{{"School_ID", school},
            {"FundAsNssYN", true},
            {"CYOrPYFundingNSES", 1},
            {"EdCodeNSES", "42283(b)"},
            {"CYOrPYFundingNSHS", 0},
            {"EdCodeNSHS", "42284(a)"},
            {"NumberOfFTTeachers", 2.0},
            {"NumberOfFTEEmployees", 3.0},
            {"ADATotal_Total", 50.0},
            {"ADATotal_Grades9TO12", 100.0}};
  for (const char* column : {"RegularADA_GradesTKTO3", "RegularADA_Grades4TO6", "RegularADA_Grades7TO8",
                             "RegularADA_Grades9TO12", "ExtYearSpEd_GradesTKTO3", "ExtYearSpEd_Grades4TO6",
                             "ExtYearSpEd_Grades7TO8", "ExtYearSpEd_Grades9TO12"})
    row.push_back({column, 1.0});
  row.insert(row.end(), changes.begin(), changes.end());
  return row;
}

// The district's attendance screen, ample for every total unless changed.
Cells DistrictRow(const Cells& changes = {}) {
  Cells row;
  for (const char* column : {"RegularADA_GradesTKTO3", "RegularADA_Grades4TO6", "RegularADA_Grades7TO8",
                             "RegularADA_Grades9TO12", "ExtYearSpEd_GradesTKTO3", "ExtYearSpEd_Grades4TO6",
                             "ExtYearSpEd_Grades7TO8", "ExtYearSpEd_Grades9TO12"})
    row.push_back({column, 1000.0});
  row.push_back({"ADA_Continuation_Grades9TO12", 0.0});
  row.insert(row.end(), changes.begin(), changes.end());
  return row;
}

// --- Findings, by the school's name ------------------------------------------

Finding Selection(const char* part, const char* field, const char* line, const std::string& name) {
  return {line, field, "E",
          std::string("A valid necessary small ") + part + " school certification selection must be made for " + name +
              "."};
}
Finding ElementarySelection(const char* line, const std::string& name) {
  return Selection("elementary", "EdCodeNSES", line, name);
}
Finding HighSelection(const char* line, const std::string& name) {
  return Selection("high", "EdCodeNSHS", line, name);
}
Finding Staff(const char* field, const std::string& before, const std::string& name) {
  return {"C-1", field, "E", before + name + " must be greater than 0."};
}
Finding Ada(const char* field, const char* type, const std::string& before, const std::string& name,
            const std::string& after) {
  return {"C-4", field, type, before + name + after};
}
const std::string kEnrollment =
    " is 5 or greater to meet Education Code Section 42283 requirements for necessary small school funding.";

Finding ElementaryNoTeachers(const std::string& n) { return Staff("NumberOfFTTeachers", "Number of Full-time Teachers for ", n); }
Finding HighNoStaff(const std::string& n) { return Staff("NumberOfFTEEmployees", "Number of FTE Certificated Employees for ", n); }
Finding K12NoStaff(const std::string& n) { return Staff("", "Total sum of Line C-1 for ", n); }
Finding K12NoTeachers(const std::string& n) {
  return Staff("", "Line C-1 in the Necessary Small Elementary School Column for ", n);
}
Finding K12NoHighStaff(const std::string& n) { return Staff("", "Line C-1 in the Necessary Small High School Column for ", n); }
Finding ElementaryAda(const std::string& n) {
  return Ada("ADATotal_Total", "E", "Total Elementary ADA for ", n, " must be greater than 0 and less than or equal to 96.49.");
}
Finding ElementaryFewPupils(const std::string& n) {
  return Ada("ADATotal_Total", "W", "Verify that the enrollment for ", n, kEnrollment);
}
Finding HighAda(const std::string& n) {
  return Ada("ADATotal_Grades9TO12", "E", "Total High School ADA for ", n,
             " must be greater than 0 and less than or equal to 286.49.");
}
Finding K12NoAda(const std::string& n) {
  return Ada("", "E", "Combined total of Elementary and High School ADA for ", n, " must be greater than 0.");
}
Finding K12ElementaryAda(const std::string& n) {
  return Ada("ADATotal_Total", "E", "Total ADA for grades TK-8 for ", n,
             " must be greater than 0 and less than or equal to 96.49.");
}
Finding K12ElementaryOver(const std::string& n) {
  return Ada("ADATotal_Total", "E", "Total ADA for grades TK-8 for ", n, " must not exceed 96.49.");
}
Finding K12FewPupils(const std::string& n) {
  return Ada("ADATotal_Total", "W", "Verify that the TK-8 enrollment for ", n, kEnrollment);
}
Finding K12HighAda(const std::string& n) {
  return Ada("ADATotal_Grades9TO12", "E", "Total ADA for grades 9-12 for ", n,
             " must be greater than 0 and less than or equal to 286.49.");
}
Finding K12HighOver(const std::string& n) {
  return Ada("ADATotal_Grades9TO12", "E", "Total ADA for grades 9-12 for ", n, " must not exceed 286.49.");
}

const std::string kOakName = "Oak School";
const std::string kPineName = "Pine High";
const std::string kElmName = "Elm Academy";

Finding Total(const char* line, const char* span, const std::string& message) {
  return {std::string("C-") + line, span, "E", message};
}

class NssRulesTest : public RuleTest {
 protected:
  void SetUp() override {
    RuleTest::SetUp();
    struct Listed {
      int school;
      vb::Variant type;
      vb::Variant name;
      const char* status;
    };
    const Listed listed[] = {{kOak, "ELEMENTARY", kOakName, "OPEN"},     {kPine, "HIGH SCHOOL", kPineName, "OPEN"},
                             {kElm, "K-12", kElmName, "OPEN"},            {kAsh, "Elementary", "Ash School", "OPEN"},
                             {kBirch, "", "Birch School", "OPEN"},        {kCedar, "K-12", "Cedar School", "CLOSED"},
                             {kNameless, "K-12", vb::Null, "OPEN"}};
    for (const Listed& l : listed)
      Insert("KRN_LEAS", {{"SCHOOL_ID", l.school}, {"LEA_TYPE", 4}, {"STAT_TYPE", l.status},
                          {"NssSchoolType", l.type}, {"SCHOOL_NAME", l.name}});
  }

  struct Case {
    const char* name;
    int period;
    std::optional<int> migrant;  // the district's migrant certification, if it has a row
    std::vector<Cells> rows;
    std::vector<Finding> expected;
    std::optional<Cells> district = DistrictRow();  // its attendance row, if it has one
  };

  // Rows of a table copied with another key (see fixtures::AddNeighbours).
  struct Neighbour {
    const char* table;
    Cells match;
    Cells changes;
  };

  // Validates the case's rows; `unstored` schools lose their stored row
  // once the form's rows are read, and the neighbours are added then.
  db::RecordsetPtr Run(const Case& c, std::initializer_list<int> unstored = {},
                       const std::vector<Neighbour>& neighbours = {}) {
    const Cell period{"Period_ID", c.period};
    for (const char* table : {"ATT_SD", "MigrantCert"}) conn_->Execute(std::string("DELETE FROM ") + table);
    if (c.district) {
      Cells district = *c.district;
      district.push_back(period);
      Insert("ATT_SD", district);
    }
    if (c.migrant) Insert("MigrantCert", {period, {"MigrantCertification", *c.migrant}});
    std::vector<Cells> rows = c.rows;
    for (Cells& row : rows) row.push_back(period);
    auto form = FormRows("NSS", rows);
    for (int school : unstored) conn_->Execute("DELETE FROM NSS WHERE SCHOOL_ID = ?", {school});
    for (const Neighbour& n : neighbours)
      EXPECT_GT(fixtures::AddNeighbours(*conn_, n.table, n.match, n.changes), 0) << c.name << ": " << n.table;
    auto result = Validate("NSS", form);
    ExpectFindings(result, c.expected, c.name);
    return result;
  }
};

TEST_F(NssRulesTest, ElementaryAndHighSchoolsByPeriodAndMigrantCertification) {
  const Cells noStaffNoAda{{"NumberOfFTTeachers", 0.0}, {"ADATotal_Total", 0.0}};
  const Case cases[] = {
      {"an elementary school that passes", 1, std::nullopt, {NssRow(kOak)}, {}},
      {"no selection", 1, std::nullopt, {NssRow(kOak, {{"CYOrPYFundingNSES", vb::Null}})},
       {ElementarySelection("B-1, B-2", kOakName)}},
      {"no selection in the Annual period", 3, 1, {NssRow(kOak, {{"CYOrPYFundingNSES", vb::Null}})}, {}},
      {"line B-1 without an Education Code", 1, std::nullopt, {NssRow(kOak, {{"EdCodeNSES", ""}})},
       {ElementarySelection("B-1", kOakName)}},
      {"line B-1 with a blank Education Code", 1, std::nullopt, {NssRow(kOak, {{"EdCodeNSES", vb::Null}})}, {}},
      {"line B-2 without an Education Code", 1, std::nullopt,
       {NssRow(kOak, {{"CYOrPYFundingNSES", 0}, {"EdCodeNSES", ""}})}, {ElementarySelection("B-2", kOakName)}},
      {"no teachers and no ADA", 1, std::nullopt, {NssRow(kOak, noStaffNoAda)},
       {ElementaryNoTeachers(kOakName), ElementaryAda(kOakName), ElementaryFewPupils(kOakName)}},
      {"no teachers and no ADA, Annual, no migrant certification", 3, 0, {NssRow(kOak, noStaffNoAda)},
       {ElementaryAda(kOakName)}},
      {"no teachers and no ADA, Annual, migrant certification", 3, 1, {NssRow(kOak, noStaffNoAda)},
       {ElementaryNoTeachers(kOakName), ElementaryAda(kOakName), ElementaryFewPupils(kOakName)}},
      {"no teachers and no ADA, Annual, district without a migrant row", 3, std::nullopt,
       {NssRow(kOak, noStaffNoAda)}, {ElementaryAda(kOakName)}},
      {"ADA on its bound", 1, std::nullopt, {NssRow(kOak, {{"ADATotal_Total", 96.49}})}, {}},
      {"ADA over its bound", 1, std::nullopt, {NssRow(kOak, {{"ADATotal_Total", 96.5}})}, {ElementaryAda(kOakName)}},
      {"ADA just under five", 1, std::nullopt, {NssRow(kOak, {{"ADATotal_Total", 4.99}})},
       {ElementaryFewPupils(kOakName)}},
      {"ADA of five", 1, std::nullopt, {NssRow(kOak, {{"ADATotal_Total", 5.0}})}, {}},
      {"blank teachers and ADA", 1, std::nullopt,
       {NssRow(kOak, {{"NumberOfFTTeachers", vb::Null}, {"ADATotal_Total", vb::Null}})}, {}},
      {"not funded", 1, std::nullopt,
       {NssRow(kOak, {{"FundAsNssYN", false}, {"CYOrPYFundingNSES", vb::Null}, {"NumberOfFTTeachers", 0.0}})}, {}},
      {"blank funding flag", 1, std::nullopt,
       {NssRow(kOak, {{"FundAsNssYN", vb::Null}, {"CYOrPYFundingNSES", vb::Null}})}, {}},
      {"funding flag stored as 1", 1, std::nullopt, {NssRow(kOak, {{"FundAsNssYN", 1}, {"NumberOfFTTeachers", 0.0}})},
       {ElementaryNoTeachers(kOakName)}},
      {"a high school without selection", 1, std::nullopt, {NssRow(kPine, {{"CYOrPYFundingNSHS", vb::Null}})},
       {HighSelection("B-1, B-2", kPineName)}},
      {"a high school on line B-1 without an Education Code", 1, std::nullopt,
       {NssRow(kPine, {{"CYOrPYFundingNSHS", 1}, {"EdCodeNSHS", ""}})}, {HighSelection("B-1", kPineName)}},
      {"a high school on line B-2 without an Education Code", 1, std::nullopt,
       {NssRow(kPine, {{"EdCodeNSHS", ""}})}, {HighSelection("B-2", kPineName)}},
      {"a high school without staff, ADA on its bound, Annual, migrant certification", 3, 1,
       {NssRow(kPine, {{"NumberOfFTEEmployees", 0.0}, {"ADATotal_Grades9TO12", 286.49}})}, {HighNoStaff(kPineName)}},
      {"a high school without staff, ADA over its bound, Annual", 3, 0,
       {NssRow(kPine, {{"NumberOfFTEEmployees", 0.0}, {"ADATotal_Grades9TO12", 286.5}})}, {HighAda(kPineName)}},
      {"a high school with little ADA needs no enrollment", 1, std::nullopt,
       {NssRow(kPine, {{"ADATotal_Grades9TO12", 1.0}})}, {}},
      {"a high school without ADA", 1, std::nullopt, {NssRow(kPine, {{"ADATotal_Grades9TO12", 0.0}})},
       {HighAda(kPineName)}},
      {"types the rules do not know", 1, std::nullopt,
       {NssRow(kAsh, {{"CYOrPYFundingNSES", vb::Null}, {"NumberOfFTTeachers", 0.0}, {"ADATotal_Total", 0.0}}),
        NssRow(kBirch, {{"CYOrPYFundingNSHS", vb::Null}, {"NumberOfFTEEmployees", 0.0}})},
       {}},
      {"row by row", 1, std::nullopt,
       {NssRow(kPine, {{"ADATotal_Grades9TO12", 0.0}}), NssRow(kOak, {{"ADATotal_Total", 100.0}})},
       {HighAda(kPineName), ElementaryAda(kOakName)}},
  };
  for (const Case& c : cases) Run(c);
}

TEST_F(NssRulesTest, K12SchoolsByPartInUsePeriodAndMigrantCertification) {
  const Cells nothing{{"NumberOfFTTeachers", 0.0}, {"NumberOfFTEEmployees", 0.0}, {"ADATotal_Total", 0.0},
                      {"ADATotal_Grades9TO12", 0.0}};
  Cells nothingSelected = nothing;
  nothingSelected.insert(nothingSelected.end(), {{"CYOrPYFundingNSES", vb::Null}, {"CYOrPYFundingNSHS", vb::Null}});
  const Case cases[] = {
      {"a K-12 school that passes", 1, std::nullopt, {NssRow(kElm)}, {}},
      {"selections made, no staff and no ADA", 1, std::nullopt, {NssRow(kElm, nothing)},
       {K12NoStaff(kElmName), K12NoTeachers(kElmName), K12NoHighStaff(kElmName), K12NoAda(kElmName),
        K12ElementaryAda(kElmName), K12HighAda(kElmName)}},
      {"selections made, no staff and no ADA, Annual", 3, 0, {NssRow(kElm, nothing)}, {K12NoAda(kElmName)}},
      {"nothing selected, no staff and no ADA", 1, std::nullopt, {NssRow(kElm, nothingSelected)},
       {K12NoStaff(kElmName), K12NoAda(kElmName)}},
      {"elementary part in use without selection", 1, std::nullopt,
       {NssRow(kElm, {{"CYOrPYFundingNSES", vb::Null},
                      {"CYOrPYFundingNSHS", vb::Null},
                      {"NumberOfFTEEmployees", 0.0},
                      {"ADATotal_Grades9TO12", 0.0}})},
       {ElementarySelection("B-1, B-2", kElmName)}},
      {"high school part in use without selection", 1, std::nullopt,
       {NssRow(kElm, {{"CYOrPYFundingNSHS", vb::Null}, {"NumberOfFTEEmployees", 0.0}})},
       {HighSelection("B-1, B-2", kElmName), K12NoHighStaff(kElmName)}},
      {"B-1 and B-2 without Education Codes", 1, std::nullopt,
       {NssRow(kElm, {{"EdCodeNSES", ""}, {"EdCodeNSHS", ""}})},
       {ElementarySelection("B-1", kElmName), HighSelection("B-2", kElmName)}},
      {"B-2 and B-1 without Education Codes, the high school's B-1 first", 1, std::nullopt,
       {NssRow(kElm, {{"CYOrPYFundingNSES", 0}, {"EdCodeNSES", ""}, {"CYOrPYFundingNSHS", 1}, {"EdCodeNSHS", ""}})},
       {HighSelection("B-1", kElmName), ElementarySelection("B-2", kElmName)}},
      {"few TK-8 pupils", 1, std::nullopt, {NssRow(kElm, {{"ADATotal_Total", 3.0}})}, {K12FewPupils(kElmName)}},
      {"TK-8 ADA over its bound", 1, std::nullopt, {NssRow(kElm, {{"ADATotal_Total", 96.5}})},
       {K12ElementaryAda(kElmName)}},
      {"TK-8 ADA on its bound", 1, std::nullopt, {NssRow(kElm, {{"ADATotal_Total", 96.49}})}, {}},
      {"not funded, Annual, no migrant certification, TK-8 over", 3, 0,
       {NssRow(kElm, {{"FundAsNssYN", false}, {"ADATotal_Total", 100.0}, {"ADATotal_Grades9TO12", 200.0}})},
       {K12ElementaryOver(kElmName)}},
      {"not funded, Annual, no migrant row, both parts over", 3, std::nullopt,
       {NssRow(kElm, {{"FundAsNssYN", false}, {"ADATotal_Total", 100.0}, {"ADATotal_Grades9TO12", 300.0}})},
       {K12ElementaryOver(kElmName), K12HighOver(kElmName)}},
      {"not funded, outside Annual, both parts over", 1, std::nullopt,
       {NssRow(kElm, {{"FundAsNssYN", false}, {"ADATotal_Total", 100.0}, {"ADATotal_Grades9TO12", 300.0}})}, {}},
      {"no staff, Annual, migrant certification", 3, 1,
       {NssRow(kElm, {{"NumberOfFTTeachers", 0.0}, {"NumberOfFTEEmployees", 0.0}})},
       {K12NoStaff(kElmName), K12NoTeachers(kElmName), K12NoHighStaff(kElmName)}},
      {"both parts over, Annual, migrant certification", 3, 1,
       {NssRow(kElm, {{"ADATotal_Total", 100.0}, {"ADATotal_Grades9TO12", 300.0}})},
       {K12ElementaryAda(kElmName), K12HighAda(kElmName)}},
      {"a school without a name", 1, std::nullopt, {NssRow(kNameless, nothingSelected)},
       {K12NoStaff(""), K12NoAda("")}},
  };
  for (const Case& c : cases) Run(c);
}

// Every row the rule set looks up belongs to the school row's year, period,
// county, district and school, and the directory's row to a school: a row
// that differs in one of them, and would change the findings if it were
// taken, counts for nothing. The school (Annual period, no staff, no ADA,
// no migrant certification) has one finding of its own.
TEST_F(NssRulesTest, RowsOfAnotherYearPeriodAgencyOrKindDoNotCount) {
  const Cells noStaffNoAda{{"NumberOfFTTeachers", 0.0}, {"ADATotal_Total", 0.0}};
  const Cells oak{{"FISCAL_YEAR", kFiscalYear}, {"COUNTY_ID", kCounty}, {"SCHOOL_DISTRICT_ID", kDistrict},
                  {"SCHOOL_ID", kOak}};
  const Cell noRoom{"RegularADA_GradesTKTO3", 0.0};    // the school's total would be over
  const Cell certified{"MigrantCertification", 1};     // staff and enrollment would be checked
  const Cell highSchool{"NssSchoolType", "HIGH SCHOOL"};  // the high school's checks would apply
  const Cell unfunded{"FundAsNssYN", false};           // no check would apply
  struct NeighbourCase {
    const char* name;
    Neighbour neighbour;
  };
  const NeighbourCase cases[] = {
      {"district attendance of another year", {"ATT_SD", {}, {{"FISCAL_YEAR", kFiscalYear - 1}, noRoom}}},
      {"district attendance of another period", {"ATT_SD", {}, {{"PERIOD_ID", 2}, noRoom}}},
      {"district attendance of another county", {"ATT_SD", {}, {{"COUNTY_ID", kCounty - 1}, noRoom}}},
      {"district attendance of another district", {"ATT_SD", {}, {{"SCHOOL_DISTRICT_ID", kDistrict - 1}, noRoom}}},
      {"migrant certification of another year", {"MigrantCert", {}, {{"FISCAL_YEAR", kFiscalYear - 1}, certified}}},
      {"migrant certification of another period", {"MigrantCert", {}, {{"PERIOD_ID", 2}, certified}}},
      {"migrant certification of another district",
       {"MigrantCert", {}, {{"SCHOOL_DISTRICT_ID", kDistrict - 1}, certified}}},
      {"directory row of another year", {"KRN_LEAS", oak, {{"FISCAL_YEAR", kFiscalYear - 1}, highSchool}}},
      {"directory row of another county", {"KRN_LEAS", oak, {{"COUNTY_ID", kCounty - 1}, highSchool}}},
      {"directory row of another district", {"KRN_LEAS", oak, {{"SCHOOL_DISTRICT_ID", kDistrict - 1}, highSchool}}},
      {"stored row of another year", {"NSS", oak, {{"FISCAL_YEAR", kFiscalYear - 1}, unfunded}}},
      {"stored row of another period", {"NSS", oak, {{"PERIOD_ID", 2}, unfunded}}},
      {"stored row of another school", {"NSS", oak, {{"SCHOOL_ID", 0}, unfunded}}},
  };
  for (const NeighbourCase& c : cases) {
    Run({c.name, 3, 0, {NssRow(kOak, noStaffNoAda)}, {ElementaryAda(kOakName)}}, {}, {c.neighbour});
  }

  // A school that the directory lists only as an agency of another kind is
  // not an open school there.
  const int kDistrictNumbered = 9;
  EXPECT_EQ(fixtures::AddNeighbours(*conn_, "KRN_LEAS", oak, {{"SCHOOL_ID", kDistrictNumbered}, {"LEA_TYPE", 3}}), 1);
  Run({"a school listed as another kind of agency", 3, 0, {NssRow(kDistrictNumbered, noStaffNoAda)},
       {{"A-1", "NSS", "E", kUnexpected}}});
}

TEST_F(NssRulesTest, CertificationRowNamesBothLines) {
  auto result = Run({"no selection", 1, std::nullopt, {NssRow(kOak, {{"CYOrPYFundingNSES", vb::Null}})},
                     {ElementarySelection("B-1, B-2", kOakName)}});
  ASSERT_EQ(FindingsOf(result).size(), 1u);
  result->MoveFirst();
  EXPECT_EQ(vb::TextOf(result->Value("Line_Name2")), "B-B-2");
  EXPECT_EQ(vb::TextOf(result->Value("Caption")), "Certification Selection");
  EXPECT_EQ(vb::CLng(result->Value("School_ID")), kOak);
  EXPECT_TRUE(result->Value("Res_County_ID").IsNull());
}

TEST_F(NssRulesTest, TotalsOfLinesC2AndC3StayWithinTheDistrictsAttendance) {
  const std::string ofTheScreen = " Column of the Attendance School District entry screen.";
  const Finding regular[] = {
      Total("2", "RegularADA_GradesTKTO3",
            "Sum of Line C-2 in TK/K-3 Column for all records must be less than or equal to Line A-1 in TK/K-3" +
                ofTheScreen),
      Total("2", "RegularADA_Grades4TO6",
            "Sum of Line C-2 in Grades 4-6 Column for all records must be less than or equal to Line A-1 in Grades 4-6" +
                ofTheScreen),
      Total("2", "RegularADA_Grades7TO8",
            "Sum of Line C-2 in Grades 7-8 Column for all records must be less than or equal to Line A-1 in Grades 7-8" +
                ofTheScreen),
      Total("2", "RegularADA_Grades9TO12",
            "Sum of Line C-2 for all records must be less than or equal to Line A-1 minus Line B-6 in Grades 9-12" +
                ofTheScreen)};
  const Finding extended[] = {
      Total("3", "ExtYearSpEd_GradesTKTO3",
            "Sum of Line C-3 in TK/K-3 Column for all records must be less than or equal to Line A-2 in TK/K-3" +
                ofTheScreen),
      Total("3", "ExtYearSpEd_Grades4TO6",
            "Sum of Line C-3 in Grades 4-6 Column for all records must be less than or equal to Line A-2 in Grades 4-6" +
                ofTheScreen),
      Total("3", "ExtYearSpEd_Grades7TO8",
            "Sum of Line C-3 in Grades 7-8 Column for all records must be less than or equal to Line A-2 in Grades 7-8" +
                ofTheScreen),
      Total("3", "ExtYearSpEd_Grades9TO12",
            "Sum of Line C-3 in Grades 9-12 Column for all records must be less than or equal to Line A-2 in Grades "
            "9-12" + ofTheScreen)};
  // Two schools with one unit on every line: totals of 2.
  Cells twoAndAHalf;
  for (const char* column : {"RegularADA_GradesTKTO3", "RegularADA_Grades4TO6", "RegularADA_Grades7TO8",
                             "ExtYearSpEd_GradesTKTO3", "ExtYearSpEd_Grades4TO6", "ExtYearSpEd_Grades7TO8",
                             "ExtYearSpEd_Grades9TO12"})
    twoAndAHalf.push_back({column, 1.99});
  twoAndAHalf.insert(twoAndAHalf.end(), {{"RegularADA_Grades9TO12", 21.99}, {"ADA_Continuation_Grades9TO12", 20.0}});
  const Case cases[] = {
      {"totals on the district's lines, in exact decimals", 1, std::nullopt,
       {NssRow(kOak, {{"RegularADA_GradesTKTO3", 0.1}}), NssRow(kPine, {{"RegularADA_GradesTKTO3", 0.2}})},
       {},
       DistrictRow({{"RegularADA_GradesTKTO3", 0.3}, {"RegularADA_Grades4TO6", 2.0}, {"ExtYearSpEd_Grades9TO12", 2.0}})},
      {"every total over", 1, std::nullopt, {NssRow(kOak), NssRow(kPine)},
       {regular[0], regular[1], regular[2], regular[3], extended[0], extended[1], extended[2], extended[3]},
       DistrictRow(twoAndAHalf)},
      {"grades 9-12 on the district's less continuation", 1, std::nullopt,
       {NssRow(kOak, {{"RegularADA_Grades9TO12", 50.0}}), NssRow(kPine, {{"RegularADA_Grades9TO12", 30.0}})},
       {},
       DistrictRow({{"RegularADA_Grades9TO12", 100.0}, {"ADA_Continuation_Grades9TO12", 20.0}})},
      {"grades 9-12 over the district's less continuation", 1, std::nullopt,
       {NssRow(kOak, {{"RegularADA_Grades9TO12", 50.0}}), NssRow(kPine, {{"RegularADA_Grades9TO12", 30.01}})},
       {regular[3]},
       DistrictRow({{"RegularADA_Grades9TO12", 100.0}, {"ADA_Continuation_Grades9TO12", 20.0}})},
      {"a blank school figure leaves its total untested", 1, std::nullopt,
       {NssRow(kOak, {{"ExtYearSpEd_Grades4TO6", vb::Null}}), NssRow(kPine)},
       {extended[0]},
       DistrictRow({{"ExtYearSpEd_GradesTKTO3", 1.0}, {"ExtYearSpEd_Grades4TO6", 1.0}})},
      {"schools that no check tests count in the totals", 1, std::nullopt,
       {NssRow(kAsh, {{"RegularADA_Grades7TO8", 5.0}})},
       {regular[2]},
       DistrictRow({{"RegularADA_Grades7TO8", 4.0}})},
  };
  for (const Case& c : cases) {
    auto result = Run(c);
    // Findings on the totals carry the first school's keys.
    for (const vb::Variant& school : ColumnOf(result, "School_ID"))
      EXPECT_EQ(vb::CLng(school), vb::CLng(c.rows[0][0].value)) << c.name;
  }
}

TEST_F(NssRulesTest, MissingRowEndsInTheTrapAfterTheRowsAlreadyChecked) {
  const Finding trap{"A-1", "NSS", "E", kUnexpected};
  const Cells noTeachers{{"NumberOfFTTeachers", 0.0}};
  const Case cases[] = {
      {"the third school is not in the directory", 1, std::nullopt,
       {NssRow(kOak, noTeachers), NssRow(kPine, {{"ADATotal_Grades9TO12", 0.0}}), NssRow(kUnlisted),
        NssRow(kElm, {{"ADATotal_Total", 100.0}})},
       {ElementaryNoTeachers(kOakName), HighAda(kPineName), trap},
       DistrictRow({{"RegularADA_GradesTKTO3", 0.0}})},
      {"a closed school", 1, std::nullopt, {NssRow(kCedar), NssRow(kOak, noTeachers)}, {trap}},
      {"no attendance row for the district", 1, std::nullopt,
       {NssRow(kOak, noTeachers), NssRow(kPine, {{"ADATotal_Grades9TO12", 0.0}})},
       {ElementaryNoTeachers(kOakName), HighAda(kPineName), trap},
       std::nullopt},
  };
  for (const Case& c : cases) Run(c);

  auto result = Run({"the second school has no stored row", 1, std::nullopt,
                     {NssRow(kOak, noTeachers), NssRow(kPine, {{"ADATotal_Grades9TO12", 0.0}}), NssRow(kElm)},
                     {ElementaryNoTeachers(kOakName), trap}},
                    {kPine});
  result->MoveLast();
  EXPECT_TRUE(result->Value("School_ID").IsNull());
  EXPECT_EQ(vb::TextOf(result->Value("Where_Clause")), "No stored row of school 2");
}

}  // namespace
}  // namespace ruletest
