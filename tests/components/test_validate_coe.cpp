// The rule sets of the county office's attendance screens: its own
// attendance (the current row's Section B lines within their column's
// total) and the district-funded county programs (Section B lines, per-ADA
// transfer rates and rate boxes of every row). Neither has a trap: a
// failure fails the call.

#include <functional>

#include "RuleFixture.h"
#include "vb/Conversions.h"

namespace ruletest {
namespace {

// --- The county office's own attendance ----------------------------------------

const Finding kIndependentElementary{"B-3", "ADAStudentsFulltimeIndependentStudyElem", "E",
                                     "Line B-3 Full-Time Traditional Independent Study ADA cannot exceed the sum of "
                                     "ADA reported on lines A-1 to A-3, Elementary Column."};
const Finding kIndependentHigh{"B-3", "ADAStudentsFulltimeIndependentStudyHigh", "E",
                               "Line B-3 Full-Time Traditional Independent Study ADA cannot exceed the sum of ADA "
                               "reported on lines A-1 to A-3, High School Column."};
const Finding kCourseBasedElementary{"B-5", "CourseBasedIndStudyElem", "E",
                                     "Line B-5 Course Based Independent Study ADA cannot exceed the sum of ADA "
                                     "reported on lines A-1 to A-3, Elementary Column."};
const Finding kCourseBasedHigh{"B-5", "CourseBasedIndStudyHigh", "E",
                               "Line B-5 Course Based Independent Study ADA cannot exceed the sum of ADA reported on "
                               "lines A-1 to A-3, High School Column."};
const Finding kTransK{"B-7", "ADAForTransK", "E",
                      "Line B-7 Transitional Kindergarten ADA cannot exceed the sum of ADA reported on lines A-1 "
                      "through A-3, Elementary Column (First Year ADA Only)."};

// Section A totals of 20 (elementary) and 30 (high school), nothing in
// Section B.
Cells CoeRow(const Cells& changes) {
  Cells row{{"TotalADAElementary", 20.0},
            {"TotalADAHigh", 30.0},
            {"ADAStudentsFulltimeIndependentStudyElem", 0.0},
            {"ADAStudentsFulltimeIndependentStudyHigh", 0.0},
            {"CourseBasedIndStudyElem", 0.0},
            {"CourseBasedIndStudyHigh", 0.0},
            {"ADAForTransKElem", 0.0}};
  row.insert(row.end(), changes.begin(), changes.end());
  return row;
}

using CoeRulesTest = RuleTest;

TEST_F(CoeRulesTest, SectionBOfTheCurrentRowStaysWithinItsColumnsTotal) {
  struct Case {
    const char* name;
    std::vector<Cells> rows;
    std::vector<Finding> expected;
  };
  const Case cases[] = {
      {"every line on its total",
       {CoeRow({{"ADAStudentsFulltimeIndependentStudyElem", 20.0}, {"ADAStudentsFulltimeIndependentStudyHigh", 30.0},
                {"CourseBasedIndStudyElem", 20.0}, {"CourseBasedIndStudyHigh", 30.0}, {"ADAForTransKElem", 20.0}})},
       {}},
      {"every line over its total",
       {CoeRow({{"ADAStudentsFulltimeIndependentStudyElem", 20.01}, {"ADAStudentsFulltimeIndependentStudyHigh", 30.01},
                {"CourseBasedIndStudyElem", 20.01}, {"CourseBasedIndStudyHigh", 30.01}, {"ADAForTransKElem", 20.01}})},
       {kIndependentElementary, kIndependentHigh, kCourseBasedElementary, kCourseBasedHigh, kTransK}},
      {"transitional kindergarten of the high school column is not tested",
       {CoeRow({{"ADAForTransKHigh", 99.0}})}, {}},
      {"a blank total tests nothing", {CoeRow({{"TotalADAHigh", vb::Null}, {"CourseBasedIndStudyHigh", 31.0},
                                              {"CourseBasedIndStudyElem", 21.0}})},
       {kCourseBasedElementary}},
      {"only the first row is tested",
       {CoeRow({{"School_ID", 1}}), CoeRow({{"School_ID", 2}, {"ADAForTransKElem", 50.0}})}, {}},
  };
  for (const Case& c : cases) {
    auto rows = FormRows("ATTCOE", c.rows);
    auto result = Validate("ATTCOE", rows);
    ExpectFindings(result, c.expected, c.name);
    for (const vb::Variant& residence : ColumnOf(result, "Res_County_ID")) EXPECT_TRUE(residence.IsNull()) << c.name;
  }
}

// --- District-funded county programs -----------------------------------------

struct Span {
  const char* suffix;
  const char* words;
};
const Span kSpans[] = {{"GradesTKTO3", "TK/K-3"}, {"Grades4TO6", "Grades 4-6"}, {"Grades7TO8", "Grades 7-8"},
                       {"Grades9TO12", "Grades 9-12"}};
const Span& kTk = kSpans[0];
const char* const kPrograms[] = {"CountyCommunitySchools", "SpEd_SpecialDayClass", "SpEd_56366",
                                 "ExtYearSpEd_56366",     "Other",                "Tuition"};

std::string Col(const std::string& prefix, const Span& span) { return prefix + span.suffix; }

// A row for a district of residence: 10 of ADA in every span, nothing in
// Section B, no rate amount, no box checked.
Cells ProgramRow(int resDistrict, const Cells& changes) {
  Cells row{{"RES_COUNTY_ID", 61}, {"RES_SCHOOL_DISTRICT_ID", resDistrict}, {"ADATotal_Total", 40.0},
            {"Other_Total", 0.0}, {"Other_Opportunity", 0}, {"Other_SpecializedSecondarySchools", 0}};
  for (const Span& span : kSpans) {
    row.push_back({Col("ADATotal_", span), 10.0});
    for (const char* prefix : {"ADA_IndStudy_", "CourseBasedIndStudy_", "ADA_TransK_", "DFCPPerADATrans_Rate1_",
                               "DFCPPerADATrans_Rate2_"})
      row.push_back({Col(prefix, span), 0.0});
  }
  for (const char* program : kPrograms) {
    row.push_back({std::string(program) + "_Rate1", 0});
    row.push_back({std::string(program) + "_Rate2", 0});
  }
  row.insert(row.end(), changes.begin(), changes.end());
  return row;
}

// ADA in the TK/K-3 column alone.
const Cells kTkAdaOnly{{"ADATotal_Grades4TO6", 0.0}, {"ADATotal_Grades7TO8", 0.0}, {"ADATotal_Grades9TO12", 0.0},
                       {"ADATotal_Total", 10.0}};

Cells Join(std::initializer_list<Cells> parts) {
  Cells all;
  for (const Cells& part : parts) all.insert(all.end(), part.begin(), part.end());
  return all;
}
// The same value in the column of every span.
Cells EverySpan(const std::string& prefix, const vb::Variant& value) {
  Cells cells;
  for (const Span& span : kSpans) cells.push_back({Col(prefix, span), value});
  return cells;
}

const Finding kOtherProgramsUnnamed{"A-5", "Other_Total", "E",
                                    "If data is entered on line A-5, you must check the box(s) for program(s) that "
                                    "are applicable to the ADA reported on line A-5."};
Finding IndependentStudy(const Span& s) {
  return {"B-1", Col("ADA_IndStudy_", s), "E",
          std::string("Line B-1 (") + s.words +
              " Column) Full-Time Traditional Independent Study ADA cannot exceed the sum of ADA reported on lines "
              "A-1 to A-6 (" + s.words + " Column)."};
}
Finding CourseBased(const Span& s) {
  return {"B-3", Col("CourseBasedIndStudy_", s), "E",
          std::string("Line B-3 (") + s.words +
              " Column) Course Based Independent Study ADA cannot exceed the sum of ADA reported on lines A-1 to A-6 "
              "(" + s.words + " Column)."};
}
const Finding kProgramTransK{"B-5", "ADA_TransK_GradesTKTO3", "E",
                             "Line B-5 Transitional Kindergarten ADA cannot exceed the sum of ADA reported on Lines "
                             "A-1 through A-6, TK/K-3 Column."};
Finding RateOverLimit(int rate, const Span& s) {
  const std::string r = std::to_string(rate);
  return {"Rate-" + r, "DFCPPerADATrans_Rate" + r + "_" + s.suffix, "W",
          "The value entered for Rate " + r + " (" + s.words +
              " Column) exceeds $15,000, please verify if it is correct."};
}
Finding RateWithoutBox(int rate) {
  const std::string r = std::to_string(rate);
  return {"Rate-" + r, "", "E",
          "If a value has been entered for Rate " + r + ", at least one Rate " + r + " check box needs to be selected."};
}
Finding BoxWithoutRate(int rate) {
  const std::string r = std::to_string(rate);
  return {"Rate-" + r, "", "E",
          "A Rate " + r + " check box cannot be selected unless at least one Rate " + r + " value has been entered."};
}
const Finding kRateWithoutAda{"A-7", "", "E",
                              "A value has been entered in Rate 1 or Rate 2 but no ADA has been reported in Line A-1 "
                              "through A-6. ADA must be reported to enter a value in Rate 1 or Rate 2."};
Finding BoxWithoutSpanRate(int rate, const Span& s) {
  const std::string r = std::to_string(rate);
  return {"A-7", "", "W",
          std::string("ADA has been entered in the ") + s.words + " column, and at least one Rate " + r +
              " box has been checked, but a value has not been entered in the Rate " + r + " " + s.words +
              " column. Please verify this is correct."};
}
const Finding kBothBoxes[] = {
    {"A-1", "", "E",
     "Both the Rate 1 and Rate 2 boxes have been selected for Line A-1 (County Community Schools).  Only one of the "
     "boxes may be checked."},
    {"A-2", "", "E",
     "Both the Rate 1 and Rate 2 boxes have been selected for Line A-2 (Special Education - Special Day Class).  Only "
     "one of the boxes may be checked."},
    {"A-3", "", "E",
     "Both the Rate 1 and Rate 2 boxes have been selected for Line A-3 (Special Education - Nonpublic, Nonsectarian "
     "Schools and/or Nonpublic, Nonsectarian Schools - Licensed Children's Institutions).  Only one of the boxes may "
     "be checked."},
    {"A-4", "", "E",
     "Both the Rate 1 and Rate 2 boxes have been selected for Line A-4 (Extended Year Special Education - Special "
     "Ed, Nonpublic, Nonsectarian Schools and/or Nonpublic, Nonsectarian Schools - LCI). Only one of the boxes may be "
     "checked."},
    {"A-5", "", "E",
     "Both the Rate 1 and Rate 2 boxes have been selected for Line A-5 (Other County Operated Programs).  Only one of "
     "the boxes may be checked."},
    {"A-6", "", "E",
     "Both the Rate 1 and Rate 2 boxes have been selected for Line A-6 (Out of State Tuition).  Only one of the boxes "
     "may be checked."},
};

class ProgramRulesTest : public RuleTest {
 protected:
  struct Case {
    const char* name;
    Cells changes;  // of one row
    std::vector<Finding> expected;
  };
  db::RecordsetPtr Check(const Case& c) {
    auto rows = FormRows("ATTCOEDISTFUNDADA", {ProgramRow(61001, c.changes)});
    auto result = Validate("ATTCOEDISTFUNDADA", rows);
    ExpectFindings(result, c.expected, c.name);
    return result;
  }
};

TEST_F(ProgramRulesTest, EveryCheckOfARowCanFire) {
  const Cells rate1Box{{"CountyCommunitySchools_Rate1", 1}};
  const Cells rate2Box{{"SpEd_SpecialDayClass_Rate2", 1}};
  Cells bothBoxesEverywhere = Join({kTkAdaOnly, {{Col("DFCPPerADATrans_Rate1_", kTk), 100.0}},
                                    {{Col("DFCPPerADATrans_Rate2_", kTk), 200.0}}});
  for (const char* program : kPrograms) {
    bothBoxesEverywhere.push_back({std::string(program) + "_Rate1", 1});
    bothBoxesEverywhere.push_back({std::string(program) + "_Rate2", 1});
  }
  std::vector<Finding> everyLineBothBoxes(std::begin(kBothBoxes), std::end(kBothBoxes));
  std::vector<Finding> sectionB;
  for (const Span& s : kSpans) sectionB.push_back(IndependentStudy(s));
  for (const Span& s : kSpans) sectionB.push_back(CourseBased(s));
  sectionB.push_back(kProgramTransK);
  std::vector<Finding> ratesOver;
  for (int rate : {1, 2})
    for (const Span& s : kSpans) ratesOver.push_back(RateOverLimit(rate, s));
  std::vector<Finding> rate1BoxOnly{BoxWithoutRate(1)}, rate2BoxOnly{BoxWithoutRate(2)};
  for (const Span& s : kSpans) {
    rate1BoxOnly.push_back(BoxWithoutSpanRate(1, s));
    rate2BoxOnly.push_back(BoxWithoutSpanRate(2, s));
  }

  const Case cases[] = {
      {"a row that passes", {}, {}},
      {"line A-5 ADA without its programs", {{"Other_Total", 5.0}}, {kOtherProgramsUnnamed}},
      {"line A-5 ADA of opportunity classes", {{"Other_Total", 5.0}, {"Other_Opportunity", 1}}, {}},
      {"line A-5 ADA of specialized schools", {{"Other_Total", 5.0}, {"Other_SpecializedSecondarySchools", 1}}, {}},
      {"Section B lines on their totals",
       Join({EverySpan("ADA_IndStudy_", 10.0), EverySpan("CourseBasedIndStudy_", 10.0), {{"ADA_TransK_GradesTKTO3", 10.0}}}),
       {}},
      {"Section B lines over their totals",
       Join({EverySpan("ADA_IndStudy_", 10.01), EverySpan("CourseBasedIndStudy_", 10.01),
             EverySpan("ADA_TransK_", 10.01)}),
       sectionB},
      {"rates on the limit", Join({rate1Box, rate2Box, EverySpan("DFCPPerADATrans_Rate1_", 15000.0),
                                   EverySpan("DFCPPerADATrans_Rate2_", 15000.0)}),
       {}},
      {"rates over the limit", Join({rate1Box, rate2Box, EverySpan("DFCPPerADATrans_Rate1_", 15000.01),
                                     EverySpan("DFCPPerADATrans_Rate2_", 15000.01)}),
       ratesOver},
      {"a TK/K-3 rate over the limit without a box", {{"DFCPPerADATrans_Rate1_GradesTKTO3", 15000.01}},
       {RateOverLimit(1, kTk), RateWithoutBox(1)}},
      {"a Rate 2 amount without a box", {{"DFCPPerADATrans_Rate2_Grades7TO8", 100.0}}, {RateWithoutBox(2)}},
      {"a Rate 1 box without amounts, ADA in every span", rate1Box, rate1BoxOnly},
      {"a Rate 1 box without amounts, ADA in TK/K-3 alone", Join({rate1Box, kTkAdaOnly}),
       {BoxWithoutRate(1), BoxWithoutSpanRate(1, kTk)}},
      {"a Rate 2 box without amounts", rate2Box, rate2BoxOnly},
      {"rate amounts without ADA",
       Join({rate1Box, {{"DFCPPerADATrans_Rate1_GradesTKTO3", 100.0}, {"ADATotal_Total", 0.0}},
             EverySpan("ADATotal_", 0.0)}),
       {kRateWithoutAda}},
      {"rate amounts with blank ADA",
       Join({rate1Box, {{"DFCPPerADATrans_Rate1_GradesTKTO3", 100.0}, {"ADATotal_Total", vb::Null}},
             EverySpan("ADATotal_", vb::Null)}),
       {}},
      {"both boxes of every program line", bothBoxesEverywhere, everyLineBothBoxes},
  };
  for (const Case& c : cases) Check(c);
}

TEST_F(ProgramRulesTest, BoxesCountOnlyAsOneOrZeroAndBlanksFireNothing) {
  const Case cases[] = {
      {"a box holding -1 is not unchecked", {{"CountyCommunitySchools_Rate1", -1}, {"DFCPPerADATrans_Rate1_Grades4TO6", 100.0}},
       {}},
      {"a box holding -1 is not checked", {{"CountyCommunitySchools_Rate1", -1}}, {}},
      {"a box holding -1 beside a checked one",
       {{"CountyCommunitySchools_Rate2", -1}, {"Tuition_Rate2", 1}, {"DFCPPerADATrans_Rate2_Grades9TO12", 100.0}},
       {BoxWithoutSpanRate(2, kSpans[0]), BoxWithoutSpanRate(2, kSpans[1]), BoxWithoutSpanRate(2, kSpans[2])}},
      {"program boxes holding -1", {{"Other_Total", 5.0}, {"Other_Opportunity", -1}, {"Other_SpecializedSecondarySchools", -1}},
       {}},
      {"blank line A-5 programs", {{"Other_Total", 5.0}, {"Other_Opportunity", vb::Null}}, {}},
      {"a blank rate amount", {{"DFCPPerADATrans_Rate1_Grades4TO6", vb::Null}, {"DFCPPerADATrans_Rate1_GradesTKTO3", 9.0}},
       {}},
      {"a blank box", {{"Other_Rate1", vb::Null}, {"DFCPPerADATrans_Rate1_GradesTKTO3", 9.0}}, {}},
  };
  for (const Case& c : cases) Check(c);

  auto result = Check({"both boxes of line A-3", Join({kTkAdaOnly, {{"SpEd_56366_Rate1", 1}, {"SpEd_56366_Rate2", 1},
                                                                    {"DFCPPerADATrans_Rate1_GradesTKTO3", 1.0},
                                                                    {"DFCPPerADATrans_Rate2_GradesTKTO3", 1.0}}}),
                       {kBothBoxes[2]}});
  EXPECT_EQ(vb::TextOf(ColumnOf(result, "Caption").at(0)),
            "Special Education - Nonpublic, Nonsectarian Schools [EC 56366(a)(7)] and/or Nonpublic, Nonsectarian "
            "Schools - Licensed Children's Institutions");
}

TEST_F(ProgramRulesTest, EveryRowIsTestedAndItsFindingsNameItsDistrictOfResidence) {
  auto rows = FormRows("ATTCOEDISTFUNDADA", {ProgramRow(61001, {{"Other_Total", 1.0}}), ProgramRow(61002, {}),
                                             ProgramRow(61003, {{"Other_Total", 2.0}})});
  rows->Move(1);
  auto result = Validate("ATTCOEDISTFUNDADA", rows);
  ExpectFindings(result, {kOtherProgramsUnnamed, kOtherProgramsUnnamed});
  EXPECT_EQ(vb::CLng(ColumnOf(result, "Res_School_District_ID").at(0)), 61001);
  EXPECT_EQ(vb::CLng(ColumnOf(result, "Res_School_District_ID").at(1)), 61003);
  for (const vb::Variant& county : ColumnOf(result, "Res_County_ID")) EXPECT_EQ(vb::CLng(county), 61);
  EXPECT_EQ(rows->AbsolutePosition(), 2);
}

TEST_F(ProgramRulesTest, FailureFailsTheCallAndLeavesTheRowsWhereTheyStood) {
  struct Case {
    const char* name;
    const char* form;
    const char* columns;  // the only columns the rows have
  };
  const Case cases[] = {
      {"screen without its districts of residence", "ATTCOEDISTFUNDADA", ""},
      {"screen without a column that a check reads", "ATTCOEDISTFUNDADA",
       ", RES_COUNTY_ID, RES_SCHOOL_DISTRICT_ID, Other_Total"},
      {"own attendance without a column that a check reads", "ATTCOE", ", TotalADAElementary"},
  };
  for (const Case& c : cases) {
    FormRows(c.form, {{{"School_ID", 1}}, {{"School_ID", 2}}});
    auto rows = db::Recordset::Query(std::string("SELECT Fiscal_Year, Period_ID, County_ID, School_District_ID, "
                                                 "School_ID") + c.columns + " FROM " + c.form + " ORDER BY School_ID",
                                     conn_);
    rows->MoveLast();
    EXPECT_THROW(Validate(c.form, rows), vb::VbError) << c.name;
    EXPECT_EQ(rows->AbsolutePosition(), 2) << c.name;
  }
}

}  // namespace
}  // namespace ruletest
