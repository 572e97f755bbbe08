// The charter school's attendance screens: residents and non-residents
// (ATTCSACD) with their tracks, and the charter's attendance (ATTCS) with
// its tracks and its allocation to districts of residence.

#include <functional>
#include <optional>

#include "CharterFixture.h"
#include "db/Catalog.h"
#include "vb/Conversions.h"

namespace ruletest {
namespace {

TEST_F(CharterRulesTest, ResidentsScreenReportsItsLineItsTrackTotalsAndItsTracks) {
  Insert("AttCsACDTrack",
         Charter({{"TrackNumber", 1}, {"RegularADA_GradesTKTO3_Res", 6.0}, {"RegularADA_GradesTKTO3_CB_Res", 7.0}}));
  Insert("AttCsACDTrack",
         Charter({{"TrackNumber", 2}, {"RegularADA_GradesTKTO3_Res", 3.0}, {"RegularADA_GradesTKTO3_CB_Res", vb::Null}}));
  Insert("AttCsACDTrack", Charter({{"School_ID", 7654321}, {"TrackNumber", 1}, {"RegularADA_GradesTKTO3_Res", 100.0}}));
  auto rows = FormRows("ATTCSACD", {Charter({{"RegularADA_GradesTKTO3_Res", 10.0}, {"RegularADA_GradesTKTO3_CB_Res", 10.5}})});

  auto result = Validate("ATTCSACD", rows);

  const Finding partOverLine{"A-2", "RegularADA_GradesTKTO3_CB_Res", "E",
                             "Line A-2 (TK/K-3) must be less than or equal to line A-1 (TK/K-3)"};
  ExpectFindings(result, {partOverLine,
                          {"D-3", "RegularADA_GradesTKTO3_Res", "E",
                           "The sum of ADA reported in line D-3 (TK/K-3) for all Tracks must equal the ADA in line A-1 "
                           "(TK/K-3)"},
                          {"D-4", "RegularADA_GradesTKTO3_CB_Res", "E",
                           "The sum of ADA reported in line D-4 (TK/K-3) for all Tracks must equal the ADA in line A-2 "
                           "(TK/K-3)"},
                          {"D-4", "RegularADA_GradesTKTO3_CB_Res", "E",
                           "Track A - Line D-4 (TK/K-3) must be less than or equal to line D-3 (TK/K-3)"}});
  EXPECT_EQ(TextsOf(result, "Line_Name2"), (std::vector<std::string>{"A-002", "D-003", "D-004", "D-004"}));
  EXPECT_EQ(TextsOf(result, "Caption"),
            (std::vector<std::string>{"Classroom-based ADA included in A-1", "Regular ADA",
                                      "Classroom-based ADA included in D-3",
                                      "Track A - Classroom-based ADA included in D-3"}));
  for (const auto& [field, text] : std::vector<std::pair<std::string, std::string>>{{"FiscalYear", "2019"},
                                                                                   {"PeriodID", "2"},
                                                                                   {"CountyID", "19"},
                                                                                   {"SchoolDistrictID", "64733"},
                                                                                   {"School_ID", "1234567"},
                                                                                   {"Where_Clause", kCharterWhere},
                                                                                   {"Where_Clause_Description", kCharterWhere},
                                                                                   {"Form_No", "40"},
                                                                                   {"Table_Name", "ATTCSACD"},
                                                                                   {"Error_Check", "."},
                                                                                   {"Column_No", ""},
                                                                                   {"Caption2", ""},
                                                                                   {"Res_County_ID", ""}}) {
    EXPECT_EQ(TextsOf(result, field), std::vector<std::string>(4, text)) << field;
  }

  // Without its track table the rule set stops at the track totals.
  conn_->Execute("DROP TABLE AttCsACDTrack");
  result = Validate("ATTCSACD", rows);
  ExpectFindings(result, {partOverLine, {"A-1", "ATTCSACD", "E", kUnexpected}});
  result->MoveLast();
  EXPECT_EQ(vb::TextOf(result->Value("Line_Name2")), "A-001");
  EXPECT_EQ(vb::TextOf(result->Value("Caption")), "");
  EXPECT_EQ(vb::TextOf(result->Value("Where_Clause_Description")), kCharterWhere);
  const std::string failure = vb::TextOf(result->Value("Where_Clause"));
  EXPECT_TRUE(failure.find("AttCsACDTrack") != std::string::npos) << failure;
  EXPECT_LE(vb::Len(failure), 50u) << failure;
  for (const char* key : {"FiscalYear", "PeriodID", "CountyID", "SchoolDistrictID", "School_ID"})
    EXPECT_TRUE(result->Value(key).IsNull()) << key;
}

TEST_F(CharterRulesTest, ResidentsScreenFailingEveryCheckGivesEachRowInOrder) {
  Insert("AttCsACDTrack", Charter([&] {
           Cells track = Filled("AttCsACDTrack", FailingOtherValue);
           track.push_back({"TrackNumber", 1});
           return track;
         }()));
  Cells screen = Filled("ATTCSACD", FailingScreenValue);
  screen.push_back({"SiteType", "Site-based"});
  const std::vector<Finding> findings = FindingsOf(ValidateRow("ATTCSACD", screen));

  // 40 parts, C-1, 4 + 4 course-based lines, 2 site-type warnings; 80 track
  // totals; 40 checks of the one track.
  ASSERT_EQ(findings.size(), 51u + 80u + 40u);
  const std::vector<Finding> expected{
      {"A-2", "RegularADA_GradesTKTO3_CB_Res", "E", "Line A-2 (TK/K-3) must be less than or equal to line A-1 (TK/K-3)"},
      {"A-10", "Cds4TO6_CB_Res", "E", "Line A-10 (Grades 4-6) must be less than or equal to line A-9 (Grades 4-6)"},
      {"B-4", "ExtYearSpEd_GradesTKTO3_CB_NRes", "E",
       "Line B-4 (TK/K-3) must be less than or equal to line B-3 (TK/K-3)"},
      {"B-10", "Cds9TO12_CB_NRes", "E", "Line B-10 (Grades 9-12) must be less than or equal to line B-9 (Grades 9-12)"},
      {"C-1", "ADA_TransK_GradesTKTO3", "E",
       "Line C-1 must be less than or equal to the sum of ADA reported in line A-1, A-3, A-5, A-7, A-9, B-1, B-3, B-5, "
       "B-7 and B-9 (TK/K-3)"},
      {"C-3", "CourseBasedIndStudy_GradesTKTO3", "E",
       "Line C-3 (TK/K-3) must be less than or equal to the sum of lines A-13 and B-13 (TK/K-3)"},
      {"C-3", "CourseBasedIndStudy_Grades9TO12", "E",
       "Line C-3 (Grades 9-12) must be less than or equal to the sum of lines A-13 and B-13 (Grades 9-12)"},
      {"C-4", "CourseBasedIndStudyNotElig_GradesTKTO3", "E",
       "Line C-4 (TK/K-3) must be less than or equal to line C-2 (TK/K-3)"},
      {"C-4", "CourseBasedIndStudyNotElig_Grades9TO12", "E",
       "Line C-4 (Grades 9-12) must be less than or equal to line C-2 (Grades 9-12)"},
      SiteBasedWarning("A-12"),
      SiteBasedWarning("B-12"),
      {"D-3", "RegularADA_GradesTKTO3_Res", "E",
       "The sum of ADA reported in line D-3 (TK/K-3) for all Tracks must equal the ADA in line A-1 (TK/K-3)"},
      {"D-3", "RegularADA_Grades9TO12_Res", "E",
       "The sum of ADA reported in line D-3 (Grades 9-12) for all Tracks must equal the ADA in line A-1 Grades 9-12"},
      {"D-12", "CdsTKTO3_CB_Res", "E",
       "The sum of ADA reported in line D-12 (TK/K-3) for all Tracks must equal the ADA in line A-10 (TK/K-3)"},
      {"D-13", "RegularADA_GradesTKTO3_NRes", "E",
       "The sum of ADA reported in line D-13 (TK/K-3) for all Tracks must equal the ADA in line B-1 (TK/K-3)"},
      {"D-22", "Cds9TO12_CB_NRes", "E",
       "The sum of ADA reported in line D-22 (Grades 9-12) for all Tracks must equal the ADA in line B-10 (Grades 9-12)"},
      {"D-4", "RegularADA_GradesTKTO3_CB_Res", "E",
       "Track A - Line D-4 (TK/K-3) must be less than or equal to line D-3 (TK/K-3)"},
      {"D-14", "RegularADA_GradesTKTO3_CB_NRes", "E",
       "Track A - Line D-14 (TK/K-3) must be less than or equal to line D-13 (TK/K-3)"},
      {"D-22", "Cds9TO12_CB_NRes", "E",
       "Track A - Line D-22 (Grades 9-12) must be less than or equal to line D-21 (Grades 9-12)"},
  };
  EXPECT_EQ(At(findings, {0, 17, 24, 39, 40, 41, 44, 45, 48, 49, 50, 51, 54, 87, 91, 130, 131, 151, 170}), expected);
  ExpectTextsAt(TextsOf(ValidateRow("ATTCSACD", screen), "Caption"), {
      {39, "Classroom-based ADA included in B-9"},
      {40, "ADA for Students in Transitional Kindergarten"},
      {41, "Course Based Independent Study ADA"},
      {48, "Course Based Independent Study ADA not eligible for funding"},
      {50, "What is the site type of the charter school?"},
      {83, "Community Day School [EC 48664]"},
      {115, "Extended Year Special Education - Nonpublic, Nonsectarian Schools"},
      {170, "Track A - Classroom-based ADA included in D-21"}});
  EXPECT_EQ(TextsOf(ValidateRow("ATTCSACD", screen), "Line_Name2")[50], "-00");

  // The other site type, in a call of its own.
  screen.push_back({"SiteType", "Independent Study"});
  for (const char* column : {"ADATotal_Grades7TO8_CB_Res", "ADATotal_Grades9TO12_CB_NRes"}) screen.push_back({column, 0.5});
  const std::vector<Finding> independent = FindingsOf(ValidateRow("ATTCSACD", screen));
  ASSERT_EQ(independent.size(), findings.size());
  EXPECT_EQ(At(independent, {49, 50}),
            (std::vector<Finding>{IndependentStudyWarning("A-12"), IndependentStudyWarning("B-12")}));
}

TEST_F(CharterRulesTest, CharterScreenFailingEveryCheckGivesEachRowInOrder) {
  Directory(2019, 7);
  Insert("AttCsTrack", Charter([&] {
           Cells track = Filled("AttCsTrack", FailingOtherValue);
           track.push_back({"TrackNumber", 2});
           return track;
         }()));
  Insert("AttCsADAAllocation", Charter([&] {
           Cells allocation = Filled("AttCsADAAllocation", FailingOtherValue);
           allocation.push_back({"Res_County_Name", "Sample County"});
           allocation.push_back({"Res_School_District_Name", "Sample Unified"});
           return allocation;
         }()));
  Cells screen = Filled("ATTCS", FailingScreenValue);
  screen.push_back({"SiteType", "Site-based"});
  const std::vector<Finding> findings = FindingsOf(ValidateRow("ATTCS", screen));

  // 24 lines, B-1, one warning; 32 track totals; 16 checks of the track;
  // 32 allocation totals; 16 checks of the allocation.
  ASSERT_EQ(findings.size(), 26u + 32u + 16u + 32u + 16u);
  const std::vector<Finding> expected{
      {"A-2", "RegularADA_GradesTKTO3_CB", "E", "Line A-2 (TK/K-3) must be less than or equal to line A-1 (TK/K-3)"},
      {"A-8", "ExtYearSpEd_56366_Grades9TO12_CB", "E",
       "Line A-8 (Grades 9-12) must be less than or equal to line A-7 (Grades 9-12)"},
      {"B-1", "ADA_TransK_GradesTKTO3", "E",
       "Line B-1 must be less than or equal to the sum of ADA reported in line A-1, A-3, A-5, and A-7 (TK/K-3)"},
      {"B-3", "CourseBasedIndStudy_GradesTKTO3", "E",
       "Line B-3 (TK/K-3) must be less than or equal to line A-11 (TK/K-3)"},
      {"B-3", "CourseBasedIndStudy_Grades9TO12", "E",
       "Line B-3 (Grades 9-12) must be less than or equal to line A-11 (Grades 9-12)"},
      {"B-4", "CourseBasedIndStudyNotElig_Grades4TO6", "E",
       "Line B-4 (Grades 4-6) must be less than or equal to line B-2 (Grades 4-6)"},
      {"B-4", "CourseBasedIndStudyNotElig_Grades9TO12", "E",
       "Line B-4 (Grades 9-12) must be less than or equal to line B-2 (Grades 9-12)"},
      SiteBasedWarning("A-10"),
      {"C-3", "RegularADA_GradesTKTO3", "E",
       "The sum of ADA reported in line C-3 (TK/K-3) for all Tracks must equal the ADA in line A-1 (TK/K-3)"},
      {"C-10", "ExtYearSpEd_56366_Grades9TO12_CB", "E",
       "The sum of ADA reported in line C-10 (Grades 9-12) for all Tracks must equal the ADA in line A-8 (Grades 9-12)"},
      {"C-4", "RegularADA_GradesTKTO3_CB_Track", "E",
       "Track B - Line C-4 (TK/K-3) must be less than or equal to line C-3 (TK/K-3)"},
      {"C-10", "ExtYearSpEd_56366_Grades9TO12_CB_Track", "E",
       "Track B - Line C-10 (Grades 9-12) must be less than or equal to line C-9 (Grades 9-12)"},
      {"D-1", "RegularADA_GradesTKTO3", "E",
       "The sum of ADA allocated on line D-1 (TK/K-3) must equal the ADA in line A-1 (TK/K-3)"},
      {"D-8", "ExtYearSpEd_56366_Grades9TO12_CB", "E",
       "The sum of ADA allocated on line D-8 (Grades 9-12) must equal the ADA in line A-8 (Grades 9-12)"},
      {"D-2", "RegularADA_GradesTKTO3_CB", "E",
       "Line D-2 (TK/K-3) must be less than or equal to line D-1 (TK/K-3) for Sample County - Sample Unified"},
      {"D-8", "ExtYearSpEd_56366_Grades9TO12_CB", "E",
       "Line D-8 (Grades 9-12) must be less than or equal to line D-7 (Grades 9-12) for Sample County - Sample Unified"},
  };
  EXPECT_EQ(At(findings, {0, 15, 16, 17, 20, 22, 24, 25, 26, 57, 58, 73, 74, 105, 106, 121}), expected);
  ExpectTextsAt(TextsOf(ValidateRow("ATTCS", screen), "Caption"), {
      {16, "ADA for Students in Transitional Kindergarten"},
      {17, "Course Based Independent Study ADA"},
      {24, "Course Based Independent Study ADA not eligible for funding"},
      {25, "What is the site type of the charter school?"},
      {26, "Regular ADA"},
      {50, "Extended Year Special Education - Nonpublic, Nonsectarian Schools"},
      {58, "Track B - Classroom-based ADA included in C-3"},
      {74, "Regular ADA"},
      {105, "Classroom-based ADA included in D-7"},
      {106, "Classroom-based ADA included in D-1"}});

  screen.push_back({"SiteType", "Independent Study"});
  screen.push_back({"ADATotal_Grades9TO12_CB", 0.5});
  EXPECT_EQ(FindingsOf(ValidateRow("ATTCS", screen))[25], IndependentStudyWarning("A-10"));
}

TEST_F(CharterRulesTest, NullAndBoundaryValuesOfTheScreenRow) {
  Directory(2019, 4);
  const Finding a2{"A-2", "RegularADA_GradesTKTO3_CB_Res", "E",
                   "Line A-2 (TK/K-3) must be less than or equal to line A-1 (TK/K-3)"};
  const Finding transK{"C-1", "ADA_TransK_GradesTKTO3", "E",
                       "Line C-1 must be less than or equal to the sum of ADA reported in line A-1, A-3, A-5, A-7, A-9, "
                       "B-1, B-3, B-5, B-7 and B-9 (TK/K-3)"};
  const Finding siteBasedA = SiteBasedWarning("A-12");
  const Finding independentB = IndependentStudyWarning("B-12");
  const Cells transKLines{{"RegularADA_GradesTKTO3_Res", 2.0},    {"ExtYearSpEd_GradesTKTO3_Res", 1.0},
                          {"SpEd_56366_GradesTKTO3_Res", 0.0},    {"ExtYearSpEd_56366_GradesTKTO3_Res", 0.0},
                          {"CdsTKTO3_Res", 0.0},                  {"RegularADA_GradesTKTO3_NRes", 1.0},
                          {"ExtYearSpEd_GradesTKTO3_NRes", 0.0},  {"SpEd_56366_GradesTKTO3_NRes", 0.0},
                          {"ExtYearSpEd_56366_GradesTKTO3_NRes", 0.0}, {"CdsTKTO3_NRes", 0.0}};
  const auto with = [](Cells base, const Cells& more) {
    base.insert(base.end(), more.begin(), more.end());
    return base;
  };
  struct Case {
    const char* name;
    const char* formKey;
    Cells cells;
    std::vector<Finding> expected;
  };
  const Case cases[] = {
      {"part Null", "ATTCSACD", {{"RegularADA_GradesTKTO3_Res", 10.0}}, {}},
      {"line Null", "ATTCSACD", {{"RegularADA_GradesTKTO3_CB_Res", 10.5}}, {}},
      {"part equal to its line", "ATTCSACD", {{"RegularADA_GradesTKTO3_Res", 10.0}, {"RegularADA_GradesTKTO3_CB_Res", 10.0}}, {}},
      {"part over its line by 0.01", "ATTCSACD",
       {{"RegularADA_GradesTKTO3_Res", 10.0}, {"RegularADA_GradesTKTO3_CB_Res", 10.01}}, {a2}},
      {"part of 0.1 + 0.2 against a line of 0.3", "ATTCSACD",
       {{"RegularADA_GradesTKTO3_Res", 0.3}, {"RegularADA_GradesTKTO3_CB_Res", 0.1 + 0.2}}, {}},
      {"kindergarten over the ten lines", "ATTCSACD", with(transKLines, {{"ADA_TransK_GradesTKTO3", 5.0}}), {transK}},
      {"kindergarten equal to the ten lines", "ATTCSACD", with(transKLines, {{"ADA_TransK_GradesTKTO3", 4.0}}), {}},
      {"a Null among the ten lines", "ATTCSACD",
       with(transKLines, {{"ADA_TransK_GradesTKTO3", 5.0}, {"CdsTKTO3_NRes", vb::Null}}), {}},
      {"course-based equal to the two totals", "ATTCSACD",
       {{"CourseBasedIndStudy_Grades7TO8", 3.0}, {"ADATotal_Grades7TO8_NCB_Res", 1.0}, {"ADATotal_Grades7TO8_NCB_NRes", 2.0}},
       {}},
      {"course-based over the two totals", "ATTCSACD",
       {{"CourseBasedIndStudy_Grades7TO8", 3.01}, {"ADATotal_Grades7TO8_NCB_Res", 1.0}, {"ADATotal_Grades7TO8_NCB_NRes", 2.0}},
       {{"C-3", "CourseBasedIndStudy_Grades7TO8", "E",
         "Line C-3 (Grades 7-8) must be less than or equal to the sum of lines A-13 and B-13 (Grades 7-8)"}}},
      {"a Null among the two totals", "ATTCSACD",
       {{"CourseBasedIndStudy_Grades7TO8", 9.0}, {"ADATotal_Grades7TO8_NCB_Res", 1.0}}, {}},
      {"site-based without classroom-based ADA in one span", "ATTCSACD",
       {{"SiteType", "Site-based"}, {"ADATotal_Grades4TO6_Res", 12.0}, {"ADATotal_Grades4TO6_CB_Res", 0.0}}, {siteBasedA}},
      {"site type in lower case", "ATTCSACD",
       {{"SiteType", "site-based"}, {"ADATotal_Grades4TO6_Res", 12.0}, {"ADATotal_Grades4TO6_CB_Res", 0.0}}, {}},
      {"site type with a trailing blank", "ATTCSACD",
       {{"SiteType", "Site-based "}, {"ADATotal_Grades4TO6_Res", 12.0}, {"ADATotal_Grades4TO6_CB_Res", 0.0}}, {}},
      {"a Null span alone", "ATTCSACD",
       {{"SiteType", "Site-based"}, {"ADATotal_Grades4TO6_Res", 12.0}, {"ADATotal_Grades4TO6_CB_Res", vb::Null}}, {}},
      {"a Null span beside one that meets the test", "ATTCSACD",
       {{"SiteType", "Site-based"},
        {"ADATotal_GradesTKTO3_Res", vb::Null},
        {"ADATotal_GradesTKTO3_CB_Res", 0.0},
        {"ADATotal_Grades9TO12_Res", 3.0},
        {"ADATotal_Grades9TO12_CB_Res", 0.0}},
       {siteBasedA}},
      {"independent study without classroom-based ADA", "ATTCSACD",
       {{"SiteType", "Independent Study"}, {"ADATotal_GradesTKTO3_Res", 4.0}, {"ADATotal_GradesTKTO3_CB_Res", 0.0},
        {"ADATotal_GradesTKTO3_NRes", 4.0}, {"ADATotal_GradesTKTO3_CB_NRes", 0.0}},
       {}},
      {"independent study with classroom-based non-resident ADA", "ATTCSACD",
       {{"SiteType", "Independent Study"}, {"ADATotal_GradesTKTO3_NRes", 4.0}, {"ADATotal_GradesTKTO3_CB_NRes", 1.0}},
       {independentB}},
      {"charter kindergarten with a Null among the four lines", "ATTCS",
       {{"ADA_TransK_GradesTKTO3", 5.0}, {"RegularADA_GradesTKTO3", 0.0}, {"ExtYearSpEd_GradesTKTO3", 0.0},
        {"SpEd_56366_GradesTKTO3", 0.0}},
       {}},
      {"charter kindergarten equal to the four lines", "ATTCS",
       {{"ADA_TransK_GradesTKTO3", 5.0}, {"RegularADA_GradesTKTO3", 4.0}, {"ExtYearSpEd_GradesTKTO3", 0.5},
        {"SpEd_56366_GradesTKTO3", 0.25}, {"ExtYearSpEd_56366_GradesTKTO3", 0.25}},
       {}},
      {"charter not-eligible ADA over NCBAdaTKTO3", "ATTCS",
       {{"CourseBasedIndStudyNotElig_GradesTKTO3", 2.0}, {"NCBAdaTKTO3", 1.0}},
       {{"B-4", "CourseBasedIndStudyNotElig_GradesTKTO3", "E",
         "Line B-4 (TK/K-3) must be less than or equal to line B-2 (TK/K-3)"}}},
      {"charter independent study with classroom-based ADA", "ATTCS",
       {{"SiteType", "Independent Study"}, {"ADATotal_GradesTKTO3", 10.0}, {"ADATotal_GradesTKTO3_CB", 0.5}},
       {IndependentStudyWarning("A-10")}},
  };
  for (const Case& c : cases) ExpectFindings(ValidateRow(c.formKey, c.cells), c.expected, c.name);
}

TEST_F(CharterRulesTest, TrackTotalsTakeEveryTrackAndTheFirstFiveAreExaminedByThemselves) {
  Directory(2019, 4);
  const auto track = [](int number, double regular, double classroomBased) {
    return Charter({{"TrackNumber", number},
                    {"RegularADA_GradesTKTO3_Track", regular},
                    {"RegularADA_GradesTKTO3_CB_Track", classroomBased}});
  };
  const auto partOfTrack = [](const std::string& label) {
    return Finding{"C-4", "RegularADA_GradesTKTO3_CB_Track", "E",
                   label + " - Line C-4 (TK/K-3) must be less than or equal to line C-3 (TK/K-3)"};
  };
  // Tracks whose parts exceed their lines add up to a screen whose part
  // exceeds its line.
  const Finding screenPart{"A-2", "RegularADA_GradesTKTO3_CB", "E",
                           "Line A-2 (TK/K-3) must be less than or equal to line A-1 (TK/K-3)"};
  const Finding totalOfC3{"C-3", "RegularADA_GradesTKTO3", "E",
                          "The sum of ADA reported in line C-3 (TK/K-3) for all Tracks must equal the ADA in line A-1 "
                          "(TK/K-3)"};
  struct Case {
    const char* name;
    std::vector<Cells> tracks;
    Cells screen;
    std::vector<Finding> expected;
  };
  const Case cases[] = {
      {"tracks of 0.1 and 0.2 against 0.3", {track(1, 0.1, 0.0), track(2, 0.2, 0.0)},
       {{"RegularADA_GradesTKTO3", 0.3}, {"RegularADA_GradesTKTO3_CB", 0.0}}, {}},
      {"a total off by 0.01", {track(1, 0.1, 0.0), track(2, 0.2, 0.0)},
       {{"RegularADA_GradesTKTO3", 0.31}, {"RegularADA_GradesTKTO3_CB", 0.0}}, {totalOfC3}},
      {"a Null line of the screen", {track(1, 1.0, 0.0)}, {{"RegularADA_GradesTKTO3_CB", 0.0}}, {}},
      {"no tracks", {}, {{"RegularADA_GradesTKTO3", 5.0}, {"RegularADA_GradesTKTO3_CB", 1.0}}, {}},
      {"six tracks: all totalled, five examined",
       {track(6, 1.0, 2.0), track(5, 1.0, 2.0), track(4, 1.0, 2.0), track(3, 1.0, 2.0), track(2, 1.0, 2.0), track(1, 1.0, 2.0)},
       {{"RegularADA_GradesTKTO3", 6.0}, {"RegularADA_GradesTKTO3_CB", 12.0}},
       {screenPart, partOfTrack("Track A"), partOfTrack("Track B"), partOfTrack("Track C"), partOfTrack("Track D"),
        partOfTrack("Track E")}},
      {"a track numbered 6 has no label", {track(6, 1.0, 2.0), track(1, 1.0, 1.0)},
       {{"RegularADA_GradesTKTO3", 2.0}, {"RegularADA_GradesTKTO3_CB", 3.0}}, {screenPart, partOfTrack("")}},
      {"another period's track is not the school's",
       {track(1, 1.0, 0.0), Charter({{"Period_ID", 3}, {"TrackNumber", 1}, {"RegularADA_GradesTKTO3_Track", 9.0}})},
       {{"RegularADA_GradesTKTO3", 1.0}}, {}},
  };
  for (const Case& c : cases) {
    conn_->Execute("DELETE FROM AttCsTrack");
    for (const Cells& t : c.tracks) Insert("AttCsTrack", t);
    auto result = ValidateRow("ATTCS", c.screen);
    ExpectFindings(result, c.expected, c.name);
    if (std::string(c.name) == "a track numbered 6 has no label") {
      EXPECT_EQ(TextsOf(result, "Caption").back(), " - Classroom-based ADA included in C-3");
    }
  }
}

TEST_F(CharterRulesTest, CharterTypeOfTheYearDecidesWhetherTheAllocationIsChecked) {
  const Finding partOverLine{"A-2", "RegularADA_GradesTKTO3_CB", "E",
                             "Line A-2 (TK/K-3) must be less than or equal to line A-1 (TK/K-3)"};
  const Finding allocationPart{"D-2", "RegularADA_GradesTKTO3_CB", "E",
                               "Line D-2 (TK/K-3) must be less than or equal to line D-1 (TK/K-3) for Sample County - "
                               "Sample Unified"};
  const Finding trap{"C-1", "ATTCS", "E", kUnexpected};
  Insert("AttCsADAAllocation", Charter({{"Res_County_Name", "Sample County"},
                                         {"Res_School_District_Name", "Sample Unified"},
                                         {"RegularADA_GradesTKTO3", 1.0},
                                         {"RegularADA_GradesTKTO3_CB", 2.0}}));
  struct Case {
    const char* name;
    std::vector<std::pair<int, vb::Variant>> directory;  // year and charter type
    std::vector<Finding> expected;
  };
  const Case cases[] = {
      {"type 7", {{2019, 7}}, {partOverLine, allocationPart}},
      {"type 5", {{2019, 5}}, {partOverLine, allocationPart}},
      {"type 4", {{2019, 4}}, {partOverLine}},
      {"no type", {{2019, vb::Null}}, {partOverLine}},
      {"no directory row", {}, {partOverLine, trap}},
      {"only another year's row", {{2018, 7}}, {partOverLine, trap}},
      {"type 4 the year before, 5 this year", {{2018, 4}, {2019, 5}}, {partOverLine, allocationPart}},
      {"type 5 the year before, 4 this year", {{2018, 5}, {2019, 4}}, {partOverLine}},
  };
  for (const Case& c : cases) {
    conn_->Execute("DELETE FROM KRN_LEAS WHERE SCHOOL_ID = ?", {kCharterSchool});
    for (const auto& [year, type] : c.directory) Directory(year, type);
    ExpectFindings(ValidateRow("ATTCS", {{"RegularADA_GradesTKTO3", 1.0}, {"RegularADA_GradesTKTO3_CB", 2.0}}),
                   c.expected, c.name);
  }
}

TEST_F(CharterRulesTest, AllocationRowsAreTotalledAndEachIsCheckedWithItsDistrictOfResidence) {
  Directory(2019, 5);
  const auto allocation = [&](int district, const vb::Variant& county, const vb::Variant& name, double regular,
                              double classroomBased) {
    Insert("AttCsADAAllocation", Zeroed("AttCsADAAllocation", {{"RES_COUNTY_ID", 19},
                                                               {"RES_SCHOOL_DISTRICT_ID", district},
                                                               {"Res_County_Name", county},
                                                               {"Res_School_District_Name", name},
                                                               {"RegularADA_Grades4TO6", regular},
                                                               {"RegularADA_Grades4TO6_CB", classroomBased}}));
  };
  const std::string partOfGrades4To6 = "Line D-2 (Grades 4-6) must be less than or equal to line D-1 (Grades 4-6)";
  const auto validate = [&] {
    auto rows = FormRows("ATTCS", {Zeroed("ATTCS", {{"RegularADA_Grades4TO6", 10.0}, {"RegularADA_Grades4TO6_CB", 4.0}})});
    return Validate("ATTCS", rows);
  };

  allocation(10001, "Sample County", "Sample Unified", 2.0, 3.0);
  allocation(10002, "Sample County", "Sample County Office", 7.0, 1.0);
  ExpectFindings(validate(), {{"D-1", "RegularADA_Grades4TO6", "E",
                               "The sum of ADA allocated on line D-1 (Grades 4-6) must equal the ADA in line A-1 "
                               "(Grades 4-6)"},
                              {"D-2", "RegularADA_Grades4TO6_CB", "E", partOfGrades4To6 + " for Sample County - Sample Unified"}});

  // Names too long for the message leave it cut to its field; the checks
  // go on with the next allocation row.
  conn_->Execute("DELETE FROM AttCsADAAllocation");
  const std::string county(100, 'C'), district(100, 'D');
  allocation(10001, county, district, 2.0, 3.0);
  allocation(10002, vb::Null, "Sample Unified", 8.0, 9.0);
  auto result = validate();
  const std::string longMessage = partOfGrades4To6 + " for " + county + " - " + district;
  ExpectFindings(result, {{"D-2", "RegularADA_Grades4TO6_CB", "E",
                           "The sum of ADA allocated on line D-2 (Grades 4-6) must equal the ADA in line A-2 "
                           "(Grades 4-6)"},
                          {"D-2", "RegularADA_Grades4TO6_CB", "E", longMessage.substr(0, 255)},
                          {"D-2", "RegularADA_Grades4TO6_CB", "E", partOfGrades4To6 + " for  - Sample Unified"}});
  EXPECT_EQ(TextsOf(result, "School_ID"), std::vector<std::string>(3, "1234567"));
}

}  // namespace
}  // namespace ruletest
