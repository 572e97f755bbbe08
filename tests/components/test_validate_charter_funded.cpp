// The charter's funded county-program attendance (ATTCSFUNDADA): the screen
// row with the program boxes of its other county programs, the totals of
// its tracks and the first five tracks by themselves, and its allocation to
// districts of residence, totalled and row by row.

#include "CharterFixture.h"

namespace ruletest {
namespace {

using FundedAttendanceRulesTest = CharterRulesTest;

constexpr const char* kOtherPrograms = "Other County Operated Programs ADA (Divisor 70/135/175)";
const std::string kBoxMessage =
    "you must check the box(s) for program(s) that are applicable to the ADA reported on Line ";

Cells With(Cells base, const Cells& more) {
  base.insert(base.end(), more.begin(), more.end());
  return base;
}
Cells Residence(const vb::Variant& county, const vb::Variant& district, const Cells& cells = {}) {
  return With({{"ResCountyName", county}, {"ResSchoolDistName", district}}, cells);
}
Cells SampleResidence(const Cells& cells = {}) { return Residence("Sample County", "Sample Unified", cells); }

TEST_F(FundedAttendanceRulesTest, AdaOfOtherCountyProgramsNeedsAProgramBox) {
  Directory(2019, 1);
  const Cells none;
  struct Place {
    const char* name;
    Finding finding;
    const char* caption;
  };
  const Place places[] = {
      {"screen", {"A-9", "Other_Total", "E", "If data entered on Line A-9, " + kBoxMessage + "A-9."}, kOtherPrograms},
      {"track",
       {"C-11", "Other_Total", "E", "Track A - If data entered on Line C-11, " + kBoxMessage + "C-11."},
       "Track A - Other County Operated Programs"},
      {"allocation",
       {"D-9", "Other_Total", "E",
        "If data entered on Line D-9, " + kBoxMessage + "D-9 for Sample County - Sample Unified."},
       kOtherPrograms},
  };
  // The boxes as the screen stores them: -1 ticked, 0 not.
  struct Case {
    const char* name;
    vb::Variant total, opportunity, specialized;
    bool fires;
  };
  const Case cases[] = {
      {"ADA and no box", 5.0, 0, 0, true},
      {"opportunity ticked", 5.0, -1, 0, false},
      {"specialized secondary ticked", 5.0, 0, -1, false},
      {"both ticked", 5.0, -1, -1, false},
      {"opportunity blank", 5.0, vb::Null, 0, false},
      {"specialized secondary blank", 5.0, 0, vb::Null, false},
      {"no ADA", 0.0, 0, 0, false},
      {"negative ADA", -1.0, 0, 0, false},
      {"blank ADA", vb::Null, 0, 0, false},
      {"blank ADA, a box ticked", vb::Null, -1, vb::Null, false},
  };
  for (const Place& place : places) {
    for (const Case& c : cases) {
      const std::string name = std::string(place.name) + ": " + c.name;
      const Cells boxes{{"Other_Total", c.total},
                        {"Other_Opportunity", c.opportunity},
                        {"Other_SpecializedSecondarySchools", c.specialized}};
      const std::string_view at = place.name;
      conn_->Execute("DELETE FROM AttCsFundADATrack");
      conn_->Execute("DELETE FROM AttCsFundADAAllocation");
      Insert("AttCsFundADATrack",
             Zeroed("AttCsFundADATrack", With({{"TrackNumber", 1}}, at == "track" ? boxes : none)));
      Insert("AttCsFundADAAllocation",
             Zeroed("AttCsFundADAAllocation", SampleResidence(at == "allocation" ? boxes : none)));
      auto rows = FormRows("ATTCSFUNDADA", {Zeroed("ATTCSFUNDADA", at == "screen" ? boxes : none)});
      auto result = Validate("ATTCSFUNDADA", rows);
      ExpectFindings(result, c.fires ? std::vector<Finding>{place.finding} : std::vector<Finding>{}, name);
      if (c.fires) {
        EXPECT_EQ(TextsOf(result, "Caption"), std::vector<std::string>{place.caption}) << name;
      }
    }
  }
}

TEST_F(FundedAttendanceRulesTest, FailingEveryCheckGivesEachRowInOrder) {
  Directory(2019, 1);
  Insert("AttCsFundADATrack", Charter(With(Filled("AttCsFundADATrack", FailingOtherValue), {{"TrackNumber", 1}})));
  Insert("AttCsFundADAAllocation", Charter(SampleResidence(Filled("AttCsFundADAAllocation", FailingOtherValue))));
  Cells screen = With(Filled("ATTCSFUNDADA", FailingScreenValue), {{"SiteType", "Site-based"}});
  auto result = ValidateRow("ATTCSFUNDADA", screen);
  const std::vector<Finding> findings = FindingsOf(result);

  // 20 parts, the boxes, 1 + 4 + 4 lines of section B, one warning; 40
  // track totals; 20 parts and the boxes of the track; 40 allocation
  // totals; 20 parts and the boxes of the allocation row.
  ASSERT_EQ(findings.size(), 31u + 40u + 21u + 40u + 21u);
  const std::string forSample = " for Sample County - Sample Unified";
  const std::vector<Finding> expected{
      {"A-2", "CountyCommunitySchools_GradesTKTO3_CB", "E",
       "Line A-2 (TK/K-3) must be less than or equal to line A-1 (TK/K-3)"},
      {"A-10", "Other_Grades9TO12_CB", "E",
       "Line A-10 (Grades 9-12) must be less than or equal to line A-9 (Grades 9-12)"},
      {"A-9", "Other_Total", "E", "If data entered on Line A-9, " + kBoxMessage + "A-9."},
      {"B-1", "ADA_TransK_GradesTKTO3", "E",
       "Line B-1 must be less than or equal to the sum of ADA reported in line A-1, A-3, A-5, A-7, and A-9 (TK/K-3)"},
      {"B-3", "CourseBasedIndStudy_GradesTKTO3", "E",
       "Line B-3 (TK/K-3) must be less than or equal to line A-13 (TK/K-3)"},
      {"B-3", "CourseBasedIndStudy_Grades9TO12", "E",
       "Line B-3 (Grades 9-12) must be less than or equal to line A-13 (Grades 9-12)"},
      {"B-4", "CourseBasedIndStudyNotElig_GradesTKTO3", "E",
       "Line B-4 (TK/K-3) must be less than or equal to line B-2 (TK/K-3)"},
      {"B-4", "CourseBasedIndStudyNotElig_Grades9TO12", "E",
       "Line B-4 (Grades 9-12) must be less than or equal to line B-2 (Grades 9-12)"},
      SiteBasedWarning("A-12"),
      {"C-3", "CountyCommunitySchools_GradesTKTO3", "E",
       "The sum of ADA reported in line C-3 (TK/K-3) for all Tracks must equal the ADA in line A-1 (TK/K-3)"},
      {"C-12", "Other_Grades9TO12_CB", "E",
       "The sum of ADA reported in line C-12 (Grades 9-12) for all Tracks must equal the ADA in line A-10 (Grades "
       "9-12)"},
      {"C-4", "CountyCommunitySchools_GradesTKTO3_CB", "E",
       "Track A - Line C-4 (TK/K-3) must be less than or equal to line C-3 (TK/K-3)"},
      {"C-12", "Other_Grades9TO12_CB", "E",
       "Track A - Line C-12 (Grades 9-12) must be less than or equal to line C-11 (Grades 9-12)"},
      {"C-11", "Other_Total", "E", "Track A - If data entered on Line C-11, " + kBoxMessage + "C-11."},
      {"D-1", "CountyCommunitySchools_GradesTKTO3", "E",
       "The sum of ADA allocated on line D-1 (TK/K-3) must equal the ADA in line A-1 (TK/K-3)"},
      {"D-10", "Other_Grades9TO12_CB", "E",
       "The sum of ADA allocated on line D-10 (Grades 9-12) must equal the ADA in line A-10 (Grades 9-12)"},
      {"D-2", "CountyCommunitySchools_GradesTKTO3_CB", "E",
       "Line D-2 (TK/K-3) must be less than or equal to line D-1 (TK/K-3)" + forSample},
      {"D-4", "SpEd_SpecialDayClass_Grades4TO6_CB", "E",
       "Line D-4(Grades 4-6) must be less than or equal to line D-3 (Grades 4-6)" + forSample},
      {"D-4", "SpEd_SpecialDayClass_Grades7TO8_CB", "E",
       "Line D-4 (Grades 7-8) must be less than or equal to line D-3 (Grades 7-8)"},
      {"D-4", "SpEd_SpecialDayClass_Grades9TO12_CB", "E",
       "Line D-4 (Grades 9-12) must be less than or equal to line D-3 (Grades 9-12)"},
      {"D-10", "Other_Grades9TO12_CB", "E",
       "Line D-10 (Grades 9-12) must be less than or equal to line D-9 (Grades 9-12)" + forSample},
      {"D-9", "Other_Total", "E", "If data entered on Line D-9, " + kBoxMessage + "D-9" + forSample + "."},
  };
  EXPECT_EQ(
      At(findings, {0, 19, 20, 21, 22, 25, 26, 29, 30, 31, 70, 71, 90, 91, 92, 131, 132, 137, 138, 139, 151, 152}),
      expected);
  ExpectTextsAt(
      TextsOf(result, "Caption"),
      {{0, "Classroom-based ADA included in A-1"},
       {20, kOtherPrograms},
       {21,
        "ADA for Students in Transitional Kindergarten pursuant to EC 46300 included in Section A (Lines A-1, A-3, "
        "A-5, A-7 and A-9, TK/K-3 Column, First Year Only)"},
       {22, "Course Based Independent Study ADA, pursuant to EC 51749.5, included in A-13"},
       {26, "Course Based Independent Study ADA not eligible for funding"},
       {30, "What is the site type of the charter school?"},
       {31, "County Community Schools (Divisor 70/135/175)"},
       {39, "Special Education - Special Day Class"},
       {47, "Special Education - Nonpublic, Nonsectarian Schools"},
       {55, "Extended Year Special Education - Nonpublic, Nonsectarian Schools"},
       {63, kOtherPrograms},
       {70, "Classroom-based ADA included in C-11"},
       {71, "Track A - Classroom-based ADA included in C-3"},
       {91, "Track A - Other County Operated Programs"},
       {92, "County Community Schools (Divisor 70/135/175)"},
       {100, "Special Education - Special Day Class"},
       {108,
        "Special Education - Nonpublic, Nonsectarian Schools [EC 56366(a)(7)] and/or Nonpublic, Nonsectarian Schools - "
        "Licensed Children's Institutions"},
       {116,
        "Extended Year Special Education - Special Education [EC 56345(b)(3)], Nonpublic, Nonsectarian Schools [EC "
        "56366(a)(7)] and/or Nonpublic, Nonsectarian Schools - Licensed Children's Institutions (Divisor 175)"},
       {124, kOtherPrograms},
       {137, "Classroom-based ADA included in D-3"},
       {138, "Classroom-based ADA included in D-3" + forSample},
       {139, "Classroom-based ADA included in D-3" + forSample},
       {152, kOtherPrograms}});
  EXPECT_EQ(TextsOf(result, "School_ID"), std::vector<std::string>(findings.size(), "1234567"));

  screen.push_back({"SiteType", "Independent Study"});
  screen.push_back({"ADATotal_Grades9TO12_CB", 0.5});
  EXPECT_EQ(FindingsOf(ValidateRow("ATTCSFUNDADA", screen)).at(30), IndependentStudyWarning("A-12"));
}

TEST_F(FundedAttendanceRulesTest, AllocationRowsNameTheirDistrictOfResidence) {
  Directory(2019, 1);
  const std::string county(300, 'C'), district(300, 'D');
  struct Case {
    const char* name;
    Cells allocation;
    Finding expected;  // the allocation row's check, the last of the result
    std::string caption;
  };
  const std::string forSample = " for Sample County - Sample Unified";
  const Case cases[] = {
      {"line D-2",
       SampleResidence({{"CountyCommunitySchools_GradesTKTO3_CB", 2.0}}),
       {"D-2", "CountyCommunitySchools_GradesTKTO3_CB", "E",
        "Line D-2 (TK/K-3) must be less than or equal to line D-1 (TK/K-3)" + forSample},
       "Classroom-based ADA included in D-1"},
      {"line D-4, TK/K-3",
       SampleResidence({{"SpEd_SpecialDayClass_GradesTKTO3_CB", 2.0}}),
       {"D-4", "SpEd_SpecialDayClass_GradesTKTO3_CB", "E",
        "Line D-4 (TK/K-3) must be less than or equal to line D-3 (TK/K-3)" + forSample},
       "Classroom-based ADA included in D-3"},
      {"line D-4, grades 4-6",
       SampleResidence({{"SpEd_SpecialDayClass_Grades4TO6_CB", 2.0}}),
       {"D-4", "SpEd_SpecialDayClass_Grades4TO6_CB", "E",
        "Line D-4(Grades 4-6) must be less than or equal to line D-3 (Grades 4-6)" + forSample},
       "Classroom-based ADA included in D-3"},
      {"line D-4, grades 7-8",
       SampleResidence({{"SpEd_SpecialDayClass_Grades7TO8_CB", 2.0}}),
       {"D-4", "SpEd_SpecialDayClass_Grades7TO8_CB", "E",
        "Line D-4 (Grades 7-8) must be less than or equal to line D-3 (Grades 7-8)"},
       "Classroom-based ADA included in D-3" + forSample},
      {"line D-4, grades 9-12",
       SampleResidence({{"SpEd_SpecialDayClass_Grades9TO12_CB", 2.0}}),
       {"D-4", "SpEd_SpecialDayClass_Grades9TO12_CB", "E",
        "Line D-4 (Grades 9-12) must be less than or equal to line D-3 (Grades 9-12)"},
       "Classroom-based ADA included in D-3" + forSample},
      {"line D-6",
       SampleResidence({{"SpEd_56366_Grades7TO8_CB", 2.0}}),
       {"D-6", "SpEd_56366_Grades7TO8_CB", "E",
        "Line D-6 (Grades 7-8) must be less than or equal to line D-5 (Grades 7-8)" + forSample},
       "Classroom-based ADA included in D-5"},
      {"the boxes of line D-9",
       SampleResidence({{"Other_Total", 2.0}}),
       {"D-9", "Other_Total", "E", "If data entered on Line D-9, " + kBoxMessage + "D-9" + forSample + "."},
       kOtherPrograms},
      {"no county name",
       Residence(vb::Null, "Sample Unified", {{"CountyCommunitySchools_GradesTKTO3_CB", 2.0}}),
       {"D-2", "CountyCommunitySchools_GradesTKTO3_CB", "E",
        "Line D-2 (TK/K-3) must be less than or equal to line D-1 (TK/K-3) for  - Sample Unified"},
       "Classroom-based ADA included in D-1"},
      {"no names in a caption",
       Residence(vb::Null, vb::Null, {{"SpEd_SpecialDayClass_Grades7TO8_CB", 2.0}}),
       {"D-4", "SpEd_SpecialDayClass_Grades7TO8_CB", "E",
        "Line D-4 (Grades 7-8) must be less than or equal to line D-3 (Grades 7-8)"},
       "Classroom-based ADA included in D-3 for  - "},
      {"names too long for the caption",
       Residence(county, district, {{"SpEd_SpecialDayClass_Grades9TO12_CB", 2.0}}),
       {"D-4", "SpEd_SpecialDayClass_Grades9TO12_CB", "E",
        "Line D-4 (Grades 9-12) must be less than or equal to line D-3 (Grades 9-12)"},
       ("Classroom-based ADA included in D-3 for " + county + " - " + district).substr(0, 512)},
  };
  auto rows = FormRows("ATTCSFUNDADA", {Zeroed("ATTCSFUNDADA", {})});
  for (const Case& c : cases) {
    conn_->Execute("DELETE FROM AttCsFundADAAllocation");
    Insert("AttCsFundADAAllocation", Zeroed("AttCsFundADAAllocation", c.allocation));
    auto result = Validate("ATTCSFUNDADA", rows);
    const std::vector<Finding> findings = FindingsOf(result);
    ASSERT_FALSE(findings.empty()) << c.name;
    EXPECT_EQ(findings.back(), c.expected) << c.name;
    EXPECT_EQ(TextsOf(result, "Caption").back(), c.caption) << c.name;
    EXPECT_EQ(TextsOf(result, "School_ID").back(), "1234567") << c.name;
  }

  // Every allocation row is checked by itself, whatever the others hold.
  conn_->Execute("DELETE FROM AttCsFundADAAllocation");
  for (int district = 10001; district <= 10003; ++district) {
    Insert("AttCsFundADAAllocation",
           Zeroed("AttCsFundADAAllocation", With({{"RES_SCHOOL_DISTRICT_ID", district}},
                                                 Residence("Sample County", "District " + std::to_string(district),
                                                           {{"Other_Grades7TO8_CB", 1.0}}))));
  }
  const std::vector<Finding> findings = FindingsOf(Validate("ATTCSFUNDADA", rows));
  ASSERT_EQ(findings.size(), 4u);  // the total of line D-10, then the three rows
  for (int i = 1; i <= 3; ++i) {
    EXPECT_EQ(findings[i].message,
              "Line D-10 (Grades 7-8) must be less than or equal to line D-9 (Grades 7-8) for "
              "Sample County - District " +
                  std::to_string(10000 + i));
  }
}

TEST_F(FundedAttendanceRulesTest, TheCharterMustBeInTheDirectoryOfTheYearWhateverItsType) {
  const Cells ada{{"CountyCommunitySchools_GradesTKTO3", 1.0}, {"CountyCommunitySchools_GradesTKTO3_CB", 2.0}};
  Insert("AttCsFundADATrack", Zeroed("AttCsFundADATrack", With({{"TrackNumber", 3}}, ada)));
  Insert("AttCsFundADAAllocation", Zeroed("AttCsFundADAAllocation", SampleResidence(ada)));
  const Finding screenPart{"A-2", "CountyCommunitySchools_GradesTKTO3_CB", "E",
                           "Line A-2 (TK/K-3) must be less than or equal to line A-1 (TK/K-3)"};
  const Finding trackPart{"C-4", "CountyCommunitySchools_GradesTKTO3_CB", "E",
                          "Track C - Line C-4 (TK/K-3) must be less than or equal to line C-3 (TK/K-3)"};
  const Finding allocationPart{"D-2", "CountyCommunitySchools_GradesTKTO3_CB", "E",
                               "Line D-2 (TK/K-3) must be less than or equal to line D-1 (TK/K-3) for Sample County - "
                               "Sample Unified"};
  const Finding trap{"A-1", "ATTCSFUNDADA", "E", kUnexpected};
  struct Case {
    const char* name;
    std::vector<std::pair<int, vb::Variant>> directory;  // year and charter type
    std::vector<Finding> expected;
  };
  const Case cases[] = {
      {"type 1", {{2019, 1}}, {screenPart, trackPart, allocationPart}},
      {"type 7", {{2019, 7}}, {screenPart, trackPart, allocationPart}},
      {"no type", {{2019, vb::Null}}, {screenPart, trackPart, allocationPart}},
      {"no directory row", {}, {screenPart, trackPart, trap}},
      {"only another year's row", {{2018, 1}}, {screenPart, trackPart, trap}},
      {"rows of two years", {{2018, 1}, {2019, 4}}, {screenPart, trackPart, allocationPart}},
  };
  auto rows = FormRows("ATTCSFUNDADA", {Zeroed("ATTCSFUNDADA", ada)});
  for (const Case& c : cases) {
    conn_->Execute("DELETE FROM KRN_LEAS WHERE SCHOOL_ID = ?", {kCharterSchool});
    for (const auto& [year, type] : c.directory) Directory(year, type);
    ExpectFindings(Validate("ATTCSFUNDADA", rows), c.expected, c.name);
  }
}

TEST_F(FundedAttendanceRulesTest, TrackAndAllocationTotalsAreExact) {
  Directory(2019, 1);
  for (const auto& [number, ada] : {std::pair{1, 0.1}, std::pair{2, 0.2}}) {
    Insert("AttCsFundADATrack", Zeroed("AttCsFundADATrack", {{"TrackNumber", number}, {"Other_Grades4TO6", ada}}));
    Insert("AttCsFundADAAllocation",
           Zeroed("AttCsFundADAAllocation",
                  With({{"RES_SCHOOL_DISTRICT_ID", 10000 + number}}, SampleResidence({{"Other_Grades4TO6", ada}}))));
  }
  struct Case {
    const char* name;
    vb::Variant screen;
    std::vector<Finding> expected;
  };
  const Case cases[] = {
      {"0.1 and 0.2 against 0.3", 0.3, {}},
      {"0.1 and 0.2 against 0.31",
       0.31,
       {{"C-11", "Other_Grades4TO6", "E",
         "The sum of ADA reported in line C-11 (Grades 4-6) for all Tracks must equal the ADA in line A-9 (Grades "
         "4-6)"},
        {"D-9", "Other_Grades4TO6", "E",
         "The sum of ADA allocated on line D-9 (Grades 4-6) must equal the ADA in line A-9 (Grades 4-6)"}}},
      {"a blank line", vb::Null, {}},
  };
  for (const Case& c : cases) {
    auto rows = FormRows("ATTCSFUNDADA", {Zeroed("ATTCSFUNDADA", {{"Other_Grades4TO6", c.screen}})});
    ExpectFindings(Validate("ATTCSFUNDADA", rows), c.expected, c.name);
  }
}

}  // namespace
}  // namespace ruletest
