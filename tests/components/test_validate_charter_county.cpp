// The county office's charter attendance (ATTCOECS): elementary and
// high-school columns of the screen, the totals of its tracks, and each of
// the first five tracks by itself.

#include "CharterFixture.h"

namespace ruletest {
namespace {

using CountyCharterRulesTest = CharterRulesTest;

// A track row whose totals differ from a failing screen row and whose
// classroom-based parts are above their lines.
double FailingTrackValue(const std::string& column) { return column.starts_with("Class") ? 4.0 : 3.0; }

Cells Track(int number, Cells cells) {
  cells.push_back({"TrackNumber", number});
  return Charter(cells);
}

TEST_F(CountyCharterRulesTest, TrackRowsCarryTheirOwnKeysAndRepeatTheMessageInWhereClause) {
  Insert("AttCoeCsTrack",
         Charter({{"Fiscal_Year", 2018}, {"TrackNumber", 2}, {"ClassCtyGrpHomeE", 5.0}, {"CtyGrpHomeE", 4.0}}));
  const std::string message = "Track B - Line C-4 (ELEMENTARY) must be less than or equal to line C-3 (ELEMENTARY)";

  // The screen's lines are blank: the track's totals are compared with
  // nothing.
  auto result = ValidateRow("ATTCOECS", {});
  ExpectFindings(result, {{"C-4", "ClassCtyGrpHomeE", "E", message}});
  for (const auto& [field, text] :
       std::vector<std::pair<std::string, std::string>>{{"Caption", "Track B - Classroom-based ADA included in C-3"},
                                                        {"Where_Clause", message},
                                                        {"Where_Clause_Description", kCharterWhere},
                                                        {"FiscalYear", "2018"},
                                                        {"PeriodID", "2"},
                                                        {"School_ID", "1234567"},
                                                        {"Line_Name2", "C-004"},
                                                        {"Form_No", "48"},
                                                        {"Table_Name", "ATTCOECS"}}) {
    EXPECT_EQ(TextsOf(result, field), std::vector<std::string>{text}) << field;
  }

  // Line C-6 names the track's total column.
  conn_->Execute("UPDATE AttCoeCsTrack SET ClassCtyGrpHomeE = 0, ClassJuvHallsHomesE = 2, JuvHallsHomesE = 1");
  ExpectFindings(ValidateRow("ATTCOECS", {}),
                 {{"C-6", "JuvHallsHomesE", "E",
                   "Track B - Line C-6 (ELEMENTARY) must be less than or equal to line C-5 (ELEMENTARY)"}});
}

TEST_F(CountyCharterRulesTest, FailingEveryCheckGivesEachRowInOrder) {
  Insert("AttCoeCsTrack", Track(1, Filled("AttCoeCsTrack", FailingTrackValue)));
  Cells screen = Filled("ATTCOECS", FailingScreenValue);
  screen.push_back({"SiteType", "Site-based"});
  auto result = ValidateRow("ATTCOECS", screen);
  const std::vector<Finding> findings = FindingsOf(result);

  // 6 lines of section A, 5 of section B, one warning, 12 track totals, 6
  // checks of the track.
  EXPECT_EQ(TextsOf(result, "FieldName"), (std::vector<std::string>{"CountyGroupHomeInstitutionPupilsElementary_CB",
                                                                    "CountyGroupHomeInstitutionPupilsHIGH_CB",
                                                                    "JuvenileHallsHomesCampsElementary_CB",
                                                                    "JuvenileHallsHomesCampsHIGH_CB",
                                                                    "ProbationElementary_CB",
                                                                    "ProbationHIGH_CB",
                                                                    "ADAForTransKElem",
                                                                    "CourseBasedIndStudyElem",
                                                                    "CourseBasedIndStudyHigh",
                                                                    "CourseBasedIndStudyNotEligElem",
                                                                    "CourseBasedIndStudyNotEligHigh",
                                                                    "SiteType",
                                                                    "CountyGroupHomeInstitutionPupilsElementary",
                                                                    "CountyGroupHomeInstitutionPupilsHigh",
                                                                    "CountyGroupHomeInstitutionPupilsElementary_CB",
                                                                    "CountyGroupHomeInstitutionPupilshigh_CB",
                                                                    "JuvenileHallsHomesCampsElementary",
                                                                    "JuvenileHallsHomesCampshigh",
                                                                    "JuvenileHallsHomesCampsElementary_CB",
                                                                    "JuvenileHallsHomesCampshigh_CB",
                                                                    "ProbationElementary",
                                                                    "Probationhigh",
                                                                    "ProbationElementary_CB",
                                                                    "Probationhigh_CB",
                                                                    "ClassCtyGrpHomeE",
                                                                    "ClassCtyGrpHomeH",
                                                                    "JuvHallsHomesE",
                                                                    "JuvHallsHomesH",
                                                                    "ClassCommSchlProbationE",
                                                                    "ClassCommSchlProbationH"}));
  const std::vector<Finding> expected{
      {"A-2", "CountyGroupHomeInstitutionPupilsElementary_CB", "E",
       "Line A-2 (ELEMENTARY) must be less than or equal to line A-1 (ELEMENTARY)"},
      {"A-6", "ProbationHIGH_CB", "E", "Line A-6 (HIGH) must be less than or equal to line A-5 (HIGH)"},
      {"B-1", "ADAForTransKElem", "E",
       "Line B-1 must be less than or equal to the sum of ADA reported in line A-1, A-3, and A-5 (ELEMENTARY)"},
      {"B-3", "CourseBasedIndStudyElem", "E",
       "Line B-3 (ELEMENTARY) must be less than or equal to line A-9 (ELEMENTARY)"},
      {"B-4", "CourseBasedIndStudyNotEligHigh", "E", "Line B-4 (HIGH) must be less than or equal to line B-2 (HIGH)"},
      SiteBasedWarning("A-8"),
      {"C-3", "CountyGroupHomeInstitutionPupilsElementary", "E",
       "The sum of ADA reported in line C-3 (ELEMENTARY) for all Tracks must equal the ADA in line A-1 (ELEMENTARY)"},
      {"C-8", "Probationhigh_CB", "E",
       "The sum of ADA reported in line C-8 (HIGH) for all Tracks must equal the ADA in line A-6 (HIGH)"},
      {"C-4", "ClassCtyGrpHomeE", "E",
       "Track A - Line C-4 (ELEMENTARY) must be less than or equal to line C-3 (ELEMENTARY)"},
      {"C-6", "JuvHallsHomesH", "E", "Track A - Line C-6 (HIGH) must be less than or equal to line C-5 (HIGH)"},
      {"C-8", "ClassCommSchlProbationH", "E",
       "Track A - Line C-8 (HIGH) must be less than or equal to line C-7 (HIGH)"},
  };
  EXPECT_EQ(At(findings, {0, 5, 6, 7, 10, 11, 12, 23, 24, 27, 29}), expected);
  ExpectTextsAt(TextsOf(result, "Caption"), {{3, "Classroom-based ADA included in A-3"},
                                             {6, "ADA for Students in Transitional Kindergarten"},
                                             {8, "Course Based Independent Study ADA"},
                                             {9, "Course Based Independent Study ADA not eligible for funding"},
                                             {11, "What is the site type of the charter school?"},
                                             {13, "County Group Home and Institution Pupil"},
                                             {15, "Classroom-based ADA included in C-3"},
                                             {16, "Juvenile Halls, Homes and Camp"},
                                             {20, "Probation Referred, On Probation or Parole, Expelled"},
                                             {23, "Classroom-based ADA included in C-7"},
                                             {26, "Track A - Classroom-based ADA included in C-5"}});

  screen.push_back({"SiteType", "Independent Study"});
  screen.push_back({"TotalADAHigh_CB", 0.5});
  EXPECT_EQ(FindingsOf(ValidateRow("ATTCOECS", screen)).at(11), IndependentStudyWarning("A-8"));
}

TEST_F(CountyCharterRulesTest, SiteTypesNullsAndTrackTotals) {
  const Finding siteBased = SiteBasedWarning("A-8");
  const Finding independent = IndependentStudyWarning("A-8");
  const Finding totalOfC3{"C-3", "CountyGroupHomeInstitutionPupilsElementary", "E",
                          "The sum of ADA reported in line C-3 (ELEMENTARY) for all Tracks must equal the ADA in line "
                          "A-1 (ELEMENTARY)"};
  const auto partOfTrack = [](const std::string& label) {
    return Finding{"C-4", "ClassCtyGrpHomeH", "E",
                   label + " - Line C-4 (HIGH) must be less than or equal to line C-3 (HIGH)"};
  };
  const Cells overHigh{{"ClassCtyGrpHomeH", 1.0}, {"CtyGrpHomeH", 0.5}};
  struct Case {
    const char* name;
    std::vector<Cells> tracks;
    Cells screen;
    std::vector<Finding> expected;
  };
  const Case cases[] = {
      {"site-based without classroom-based high-school ADA",
       {},
       {{"SiteType", "Site-based"},
        {"TotalADAElementary", 5.0},
        {"TotalADAElementary_CB", 5.0},
        {"TotalADAHigh", 12.0},
        {"TotalADAHigh_CB", 0.0}},
       {siteBased}},
      {"site type in lower case",
       {},
       {{"SiteType", "site-based"}, {"TotalADAHigh", 12.0}, {"TotalADAHigh_CB", 0.0}},
       {}},
      {"no site type", {}, {{"TotalADAHigh", 12.0}, {"TotalADAHigh_CB", 0.0}}, {}},
      {"independent study with classroom-based elementary ADA",
       {},
       {{"SiteType", "Independent Study"}, {"TotalADAElementary", 3.0}, {"TotalADAElementary_CB", 1.0}},
       {independent}},
      {"independent study, a blank elementary part and no high-school part",
       {},
       {{"SiteType", "Independent Study"},
        {"TotalADAElementary", 3.0},
        {"TotalADAHigh", 3.0},
        {"TotalADAHigh_CB", 0.0}},
       {}},
      {"a Null part of section A", {}, {{"ProbationHIGH", 1.0}}, {}},
      {"course-based ADA equal to its total", {}, {{"CourseBasedIndStudyHigh", 2.0}, {"TotalADAHigh_NCB", 2.0}}, {}},
      {"no tracks", {}, {{"CountyGroupHomeInstitutionPupilsElementary", 4.0}}, {}},
      {"tracks of 0.1 and 0.2 against 0.3",
       {Track(1, {{"CtyGrpHomeE", 0.1}}), Track(2, {{"CtyGrpHomeE", 0.2}})},
       {{"CountyGroupHomeInstitutionPupilsElementary", 0.3}},
       {}},
      {"tracks of 0.1 and 0.2 against 0.31",
       {Track(1, {{"CtyGrpHomeE", 0.1}}), Track(2, {{"CtyGrpHomeE", 0.2}})},
       {{"CountyGroupHomeInstitutionPupilsElementary", 0.31}},
       {totalOfC3}},
      {"six tracks: five examined",
       {Track(6, overHigh), Track(5, overHigh), Track(4, overHigh), Track(3, overHigh), Track(2, overHigh),
        Track(1, overHigh)},
       {},
       {partOfTrack("Track A"), partOfTrack("Track B"), partOfTrack("Track C"), partOfTrack("Track D"),
        partOfTrack("Track E")}},
      {"a track numbered 0 has no label", {Track(0, overHigh)}, {}, {partOfTrack("")}},
  };
  for (const Case& c : cases) {
    conn_->Execute("DELETE FROM AttCoeCsTrack");
    for (const Cells& track : c.tracks) Insert("AttCoeCsTrack", track);
    auto result = ValidateRow("ATTCOECS", c.screen);
    ExpectFindings(result, c.expected, c.name);
    if (std::string(c.name) == "a track numbered 0 has no label") {
      EXPECT_EQ(TextsOf(result, "Caption"), std::vector<std::string>{" - Classroom-based ADA included in C-3"});
      EXPECT_EQ(TextsOf(result, "Where_Clause"), std::vector<std::string>{c.expected[0].message});
    }
  }
}

TEST_F(CountyCharterRulesTest, TrackTableWithoutAKeyEndsTheChecksAtItsFirstFailure) {
  conn_->Execute("DROP TABLE AttCoeCsTrack");
  conn_->Execute(
      "CREATE TABLE AttCoeCsTrack (PERIOD_ID INTEGER, COUNTY_ID INTEGER, SCHOOL_DISTRICT_ID INTEGER, SCHOOL_ID "
      "INTEGER, "
      "TrackNumber SMALLINT, CtyGrpHomeE DOUBLE, CtyGrpHomeH DOUBLE, ClassCtyGrpHomeE DOUBLE, ClassCtyGrpHomeH DOUBLE, "
      "JuvHallsHomesE DOUBLE, JuvHallsHomesH DOUBLE, ClassJuvHallsHomesE DOUBLE, ClassJuvHallsHomesH DOUBLE, "
      "CommSchlProbationE DOUBLE, CommSchlProbationH DOUBLE, ClassCommSchlProbationE DOUBLE, "
      "ClassCommSchlProbationH DOUBLE)");
  conn_->Execute(
      "INSERT INTO AttCoeCsTrack (PERIOD_ID, COUNTY_ID, SCHOOL_DISTRICT_ID, SCHOOL_ID, TrackNumber, ClassCtyGrpHomeE, "
      "CtyGrpHomeE, ClassCtyGrpHomeH, CtyGrpHomeH) VALUES (?, ?, ?, ?, 1, 2, 1, 2, 1)",
      {kCharterPeriod, kCounty, kDistrict, kCharterSchool});
  const std::string message = "Track A - Line C-4 (ELEMENTARY) must be less than or equal to line C-3 (ELEMENTARY)";

  auto result = ValidateRow("ATTCOECS", {});

  ExpectFindings(result, {{"C-4", "ClassCtyGrpHomeE", "E", message}, {"A-1", "ATTCOECS", "E", kUnexpected}});
  EXPECT_EQ(vb::TextOf(ColumnOf(result, "Where_Clause").front()), message);
  for (const char* key : {"FiscalYear", "PeriodID", "School_ID"})
    EXPECT_TRUE(ColumnOf(result, key).front().IsNull()) << key;
}

}  // namespace
}  // namespace ruletest
