// The attendance, county-office, small-school and charter forms: one row
// each with every computed column checked, every other column left as it
// was, and Null amounts reaching exactly the totals that add them.

#include <algorithm>
#include <set>

#include "CalcFixture.h"
#include "db/Catalog.h"
#include "vb/Conversions.h"

namespace calctest {
namespace {

struct FormCase {
  const char* formKey;  // also the name of its table
  Cells inputs;
  Cells computed;  // every column the calculation sets
};

struct NullCase {
  const char* formKey;
  const char* nullColumn;
  std::set<std::string> nullTotals;  // the totals that add it
};

Cells WithSuffix(Cells cells, const std::string& suffix) {
  for (Cell& cell : cells) cell.column += suffix;
  return cells;
}

class FormsTest : public CalcTest {
 protected:
  void Check(const FormCase& c) {
    conn_->Execute(std::string("DELETE FROM ") + c.formKey);
    auto rs = OpenRows(c.formKey);
    SetCells(*rs, c.inputs);
    const auto before = RowValues(*rs);
    ASSERT_EQ(Calculate(c.formKey, rs), -1) << c.formKey;
    ExpectCells(*rs, c.computed, c.formKey);
    for (int i = 0; i < rs->FieldCount(); ++i) {
      const std::string& name = rs->FieldInfo(i).name;
      const bool computed = std::any_of(c.computed.begin(), c.computed.end(),
                                        [&](const Cell& cell) { return vb::TextEquals(cell.column, name); });
      if (!computed) {
        EXPECT_TRUE(before[i].Identical(rs->Value(i))) << c.formKey << ": " << name << " changed";
      }
    }
  }

  void Check(const NullCase& c) {
    conn_->Execute(std::string("DELETE FROM ") + c.formKey);
    auto rs = OpenRows(c.formKey);
    FillNumbers(*rs, c.formKey, 1.0);
    rs->SetValue(c.nullColumn, vb::Null);
    ASSERT_EQ(Calculate(c.formKey, rs), -1) << c.formKey;
    for (const db::ColumnInfo& column : db::catalog::Columns(*conn_, c.formKey)) {
      if (column.keyPosition != 0 || column.type != db::DataType::Double) continue;
      const bool expectNull = column.name == c.nullColumn || c.nullTotals.count(column.name) != 0;
      EXPECT_EQ(rs->Value(column.name).IsNull(), expectNull)
          << c.formKey << " with Null " << c.nullColumn << ": " << column.name;
    }
  }
};

const Cells kDistrictLines = Concat({
    Line("RegularADA", {11, 12, 13, 14}, kFourSpans),
    Line("ExtYearSpEd", {21, 22, 23, 24}, kFourSpans),
    Line("SpEd_56366", {31, 32, 33, 34}, kFourSpans),
    Line("ExtYearSpEd_56366", {41, 42, 43, 44}, kFourSpans),
    Line("CommDaySchool", {51, 52, 53, 54}, kFourSpans),
});
const Cells kDistrictTotals{
    {"RegularADA_Total", 50.0},     {"ExtYearSpEd_Total", 90.0},  {"SpEd_56366_Total", 130.0},
    {"ExtYearSpEd_56366_Total", 170.0}, {"CommDaySchool_Total", 210.0},
    {"ADATotal_GradesTKTO3", 155.0}, {"ADATotal_Grades4TO6", 160.0}, {"ADATotal_Grades7TO8", 165.0},
    {"ADATotal_Grades9TO12", 170.0}, {"ADATotal_Total", 650.0},
};

TEST_F(FormsTest, DistrictAttendance) {
  const FormCase attSd{
      "ATT_SD",
      Concat({kDistrictLines,
              Line("ADA_IndStudy", {1, 2, 3, 4}, kFourSpans),
              Line("ADA_NEIndStudy", {5, 6, 7, 8}, kFourSpans),
              Line("CourseBasedIndStudy", {0.5, 0.25, 0.125, 1}, kFourSpans),
              Line("CourseBasedIndStudyNotElig", {100, 200, 300, 400}, kFourSpans),
              Line("ADA_TransK", {7, 8, 9, 10}, kFourSpans),
              Line("ADA_Continuation", {1, 2, 3, 44}, kFourSpans),
              Line("PY_AttCharterSchool_RegularADA", {1, 2, 3, 4}, kFourSpans),
              Line("PY_AttCharterSchool_ExtYearSpEd", {10, 20, 30, 40}, kFourSpans),
              Line("PY_AttNonCharterSchool_RegularADA", {2, 4, 6, 8}, kFourSpans),
              Line("PY_AttNonCharterSchool_ExtYearSpEd", {1, 1, 1, 1}, kFourSpans),
              Line("PY_DistResNonCharterSchool_RegularADA", {5, 5, 5, 5}, kFourSpans),
              Line("PY_DistResNonCharterSchool_ExtYearSpEd", {0.5, 0, 0, 0}, kFourSpans),
              Line("GainLoss_RegularADA", {-1, -2, -3, -4}, kFourSpans),
              Line("GainLoss_ExtYearSpEd", {3, 3, 3, 3}, kFourSpans)}),
      Concat({kDistrictTotals,
              {{"ADA_IndStudy_Total", 10.0},
               {"ADA_NEIndStudy_Total", 26.0},
               {"CourseBasedIndStudy_Total", 1.875},
               {"CourseBasedIndStudyNotElig_Total", 1000.0},
               {"ADA_TransK_Total", 7.0},          // TK/K-3 only
               {"ADA_Continuation_Total", 44.0}},  // 9-12 only
              {{"PY_AttCharterSchool_RegularADA_Total", 10.0}, {"PY_AttCharterSchool_ExtYearSpEd_Total", 100.0}},
              Line("PY_AttCharterSchool_Total", {11, 22, 33, 44}, kFourSpans),
              {{"PY_AttCharterSchool_ADA_Total", 110.0}},
              {{"PY_AttNonCharterSchool_RegularADA_Total", 20.0}, {"PY_AttNonCharterSchool_ExtYearSpEd_Total", 4.0}},
              Line("PY_AttNonCharterSchool_Total", {3, 5, 7, 9}, kFourSpans),
              {{"PY_AttNonCharterSchool_ADA_Total", 24.0}},
              {{"PY_DistResNonCharterSchool_RegularADA_Total", 20.0},
               {"PY_DistResNonCharterSchool_ExtYearSpEd_Total", 0.5}},
              Line("PY_DistResNonCharterSchool_Total", {5.5, 5, 5, 5}, kFourSpans),
              {{"PY_DistResNonCharterSchool_ADA_Total", 20.5}},
              {{"GainLoss_RegularADA_Total", -10.0}, {"GainLoss_ExtYearSpEd_Total", 12.0}},
              Line("GainLoss_Total", {2, 1, 0, -1}, kFourSpans),
              {{"GainLoss_ADA_Total", 2.0}}}),
  };
  Check(attSd);
  for (const char* key : {"ATT_SD_BS", "ATT_SD_BAOE", "ATT_SD_SUPP"}) Check(FormCase{key, kDistrictLines, kDistrictTotals});

  const NullCase nulls[] = {
      {"ATT_SD", "CommDaySchool_Grades4TO6", {"CommDaySchool_Total", "ADATotal_Grades4TO6", "ADATotal_Total"}},
      {"ATT_SD", "ADA_TransK_GradesTKTO3", {"ADA_TransK_Total"}},
      {"ATT_SD", "ADA_TransK_Grades4TO6", {}},
      {"ATT_SD",
       "GainLoss_ExtYearSpEd_Grades9TO12",
       {"GainLoss_ExtYearSpEd_Total", "GainLoss_Total_Grades9TO12", "GainLoss_ADA_Total"}},
      {"ATT_SD_SUPP", "RegularADA_GradesTKTO3", {"RegularADA_Total", "ADATotal_GradesTKTO3", "ADATotal_Total"}},
  };
  for (const NullCase& c : nulls) Check(c);
}

TEST_F(FormsTest, CountyOfficeAttendance) {
  const std::vector<std::string> elemHigh{"Elementary", "High"};
  const std::vector<std::string> elemHighShort{"Elem", "High"};
  Check(FormCase{
      "ATTCOE",
      Concat({Line("CountyGroupHomeInstitutionPupils", {1, 2}, elemHigh, ""),
              Line("JuvenileHallsHomesCamps", {10, 20}, elemHigh, ""), Line("Probation", {12.5, 30}, elemHigh, ""),
              Line("AICF", {4, 0}, elemHigh, ""), Line("HandicappedAdults", {100, 200}, elemHighShort, ""),
              Line("ADAStudentsFulltimeIndependentStudy", {5, 6}, elemHighShort, ""),
              Line("ADANotEligIndependentStudy", {7, 8}, elemHighShort, ""),
              Line("CourseBasedIndStudy", {0.5, 0.25}, elemHighShort, ""),
              Line("CourseBasedIndStudyNotElig", {1000, 1}, elemHighShort, ""),
              Line("ADAForTransK", {9, 1}, elemHighShort, "")}),
      {{"CountyGroupHomeInstitutionPupilsTotal", 3.0},
       {"JuvenileHallsHomesCampsTotal", 30.0},
       {"ProbationTotal", 42.5},
       {"TotalADAElementary", 23.5},
       {"TotalADAHigh", 52.0},
       {"TotalADA", 75.5},  // the AICF, adult and study lines stay out
       {"AICFTotal", 4.0},
       {"HandicappedAdultsTotal", 300.0},
       {"ADAStudentsFulltimeIndependentStudyTotal", 11.0},
       {"ADANotEligIndependentStudyTotal", 15.0},
       {"CourseBasedIndStudyTotal", 0.75},
       {"CourseBasedIndStudyNotEligTotal", 1001.0},
       {"ADAForTransKTotal", 10.0}},
  });
  Check(FormCase{
      "ATTCOEDISTFUNDADA",
      Concat({Line("CountyCommunitySchools", {11, 12, 13, 14}, kFourSpans),
              Line("SpEd_SpecialDayClass", {21, 22, 23, 24}, kFourSpans),
              Line("SpEd_56366", {31, 32, 33, 34}, kFourSpans),
              Line("ExtYearSpEd_56366", {41, 42, 43, 44}, kFourSpans),
              Line("Other", {51, 52, 53, 54}, kFourSpans), Line("Tuition", {61, 62, 63, 64}, kFourSpans),
              Line("ADA_IndStudy", {1, 2, 3, 4}, kFourSpans), Line("ADA_NEIndStudy", {5, 6, 7, 8}, kFourSpans),
              Line("CourseBasedIndStudy", {0.5, 0.25, 0.125, 1}, kFourSpans),
              Line("CourseBasedIndStudyNotElig", {100, 200, 300, 400}, kFourSpans),
              Line("ADA_TransK", {7, 8, 9, 10}, kFourSpans)}),
      Concat({{{"CountyCommunitySchools_Total", 50.0},
               {"SpEd_SpecialDayClass_Total", 90.0},
               {"SpEd_56366_Total", 130.0},
               {"ExtYearSpEd_56366_Total", 170.0},
               {"Other_Total", 210.0},
               {"Tuition_Total", 250.0}},
              Line("ADATotal", {216, 222, 228, 234}, kFourSpans),
              {{"ADATotal_Total", 900.0},
               {"ADA_IndStudy_Total", 10.0},
               {"ADA_NEIndStudy_Total", 26.0},
               {"CourseBasedIndStudy_Total", 1.875},
               {"CourseBasedIndStudyNotElig_Total", 1000.0},
               {"ADA_TransK_Total", 34.0}}}),  // all four spans here
  });

  const NullCase nulls[] = {
      {"ATTCOE", "ProbationHigh", {"ProbationTotal", "TotalADAHigh", "TotalADA"}},
      {"ATTCOE", "AICFElementary", {"AICFTotal"}},
      {"ATTCOEDISTFUNDADA", "Tuition_Grades9TO12", {"Tuition_Total", "ADATotal_Grades9TO12", "ADATotal_Total"}},
  };
  for (const NullCase& c : nulls) Check(c);
}

TEST_F(FormsTest, SmallSchoolAndFosterYouthAttendance) {
  const Cells elementaryInputs = Concat({
      Line("RegularADA", {10, 8, 6}, kThreeSpans),
      Line("ExtYearSpEd", {1, 2, 3}, kThreeSpans),
      Line("PY_RegularADA", {5, 5, 5}, kThreeSpans),
      Line("PY_ExtYearSpEd", {0.5, 0.25, 0}, kThreeSpans),
  });
  const Cells elementaryTotals = Concat({
      {{"RegularADA_Total", 24.0}, {"ExtYearSpEd_Total", 6.0}},
      Line("ADATotal", {11, 10, 9}, kThreeSpans),
      {{"ADATotal_Total", 30.0}, {"PY_RegularADA_Total", 15.0}, {"PY_ExtYearSpEd_Total", 0.75}},
      Line("PY_ADATotal", {5.5, 5.25, 5}, kThreeSpans),
      {{"PY_ADATotal_Total", 15.75}},
  });
  Check(FormCase{"BRL_SD_NSES_ADA", elementaryInputs, elementaryTotals});
  Check(FormCase{"BRL_SD_NSHS_ADA",
                 {{"RegularADA_Grades9TO12", 45.5},
                  {"ExtYearSpEd_Grades9TO12", 1.25},
                  {"PY_RegularADA_Grades9TO12", 40.0},
                  {"PY_ExtYearSpEd_Grades9TO12", 0.0}},
                 {{"ADATotal_Grades9TO12", 46.75}, {"PY_ADATotal_Grades9TO12", 40.0}}});
  // Grades 9-12 get their span total and enter no line or grand total.
  Check(FormCase{"NSS",
                 Concat({elementaryInputs,
                         {{"RegularADA_Grades9TO12", 20.0},
                          {"ExtYearSpEd_Grades9TO12", 2.0},
                          {"PY_RegularADA_Grades9TO12", 7.0},
                          {"PY_ExtYearSpEd_Grades9TO12", 1.0}}}),
                 Concat({elementaryTotals, {{"ADATotal_Grades9TO12", 22.0}, {"PY_ADATotal_Grades9TO12", 8.0}}})});
  Check(FormCase{"FOSTERYOUTHNSHS",
                 {{"CountyGroupHomeInstitutionPupils", 3.0}, {"JuvenileHallsHomesCamps", 4.5}, {"Probation", 10.0}},
                 {{"ADATotal", 17.5}}});

  const NullCase nulls[] = {
      {"NSS", "PY_ExtYearSpEd_Grades4TO6", {"PY_ExtYearSpEd_Total", "PY_ADATotal_Grades4TO6", "PY_ADATotal_Total"}},
      {"NSS", "RegularADA_Grades9TO12", {"ADATotal_Grades9TO12"}},
      {"FOSTERYOUTHNSHS", "Probation", {"ADATotal"}},
  };
  for (const NullCase& c : nulls) Check(c);
}

TEST_F(FormsTest, CharterAttendance) {
  Check(FormCase{
      "CS_BA",
      Concat({Line("RegularADA", {1, 2, 3, 4}, kFourSpans), Line("ExtYearSpEd", {10, 20, 30, 40}, kFourSpans),
              Line("SpEd_56366", {0.5, 0, 0, 0.5}, kFourSpans), Line("ExtYearSpEd_56366", {100, 0, 0, 0}, kFourSpans),
              WithSuffix(Line("RegularADA", {1, 1, 1, 1}, kFourSpans), "_CB"),
              WithSuffix(Line("ExtYearSpEd", {2, 2, 2, 2}, kFourSpans), "_CB"),
              WithSuffix(Line("SpEd_56366", {0, 0, 0, 3}, kFourSpans), "_CB"),
              WithSuffix(Line("ExtYearSpEd_56366", {0, 5, 0, 0}, kFourSpans), "_CB")}),
      Concat({{{"RegularADA_Total", 10.0},
               {"ExtYearSpEd_Total", 100.0},
               {"SpEd_56366_Total", 1.0},
               {"ExtYearSpEd_56366_Total", 100.0}},
              Line("ADATotal", {111.5, 22, 33, 44.5}, kFourSpans),
              {{"ADATotal_Total", 211.0},
               {"RegularADA_Total_CB", 4.0},
               {"ExtYearSpEd_Total_CB", 8.0},
               {"SpEd_56366_Total_CB", 3.0},
               {"ExtYearSpEd_56366_Total_CB", 5.0}},
              WithSuffix(Line("ADATotal", {3, 8, 3, 6}, kFourSpans), "_CB"),
              {{"ADATotal_Total_CB", 20.0}}}),
  });
  Check(FormCase{
      "ATTCOECS",
      {{"CountyGroupHomeInstitutionPupilsElementary", 1.0},
       {"CountyGroupHomeInstitutionPupilsHigh", 2.0},
       {"CountyGroupHomeInstitutionPupilsElementary_CB", 0.5},
       {"CountyGroupHomeInstitutionPupilsHigh_CB", 1.0},
       {"JuvenileHallsHomesCampsElementary", 10.0},
       {"JuvenileHallsHomesCampsHigh", 20.0},
       {"JuvenileHallsHomesCampsElementary_CB", 4.0},
       {"JuvenileHallsHomesCampsHigh_CB", 5.0},
       {"ProbationElementary", 12.5},
       {"ProbationHigh", 30.0},
       {"ProbationElementary_CB", 2.5},
       {"ProbationHigh_CB", 60.0},  // more than the whole: a negative remainder
       {"ADAForTransKElem", 9.0},
       {"NCBAdaElem", 3.0},
       {"NCBAdaHigh", 4.0},
       {"CourseBasedIndStudyElem", 0.5},
       {"CourseBasedIndStudyHigh", 0.25},
       {"CourseBasedIndStudyNotEligElem", 6.0},
       {"CourseBasedIndStudyNotEligHigh", 7.0}},
      {{"CountyGroupHomeInstitutionPupilsTotal", 3.0},
       {"CountyGroupHomeInstitutionPupilsTotal_CB", 1.5},
       {"JuvenileHallsHomesCampsTotal", 30.0},
       {"JuvenileHallsHomesCampsTotal_CB", 9.0},
       {"ProbationTotal", 42.5},
       {"ProbationTotal_CB", 62.5},
       {"TotalADAElementary", 23.5},
       {"TotalADAHigh", 52.0},
       {"TotalADAElementary_CB", 7.0},
       {"TotalADAHigh_CB", 66.0},
       {"TotalADA", 75.5},
       {"TotalADA_CB", 73.0},
       {"TotalADAElementary_NCB", 16.5},
       {"TotalADAHigh_NCB", -14.0},
       {"TotalADA_NCB", 2.5},
       {"ADAForTransKTotal", 9.0},
       {"NCBAdaTotal", 7.0},
       {"CourseBasedIndStudyTotal", 0.75},
       {"CourseBasedIndStudyNotEligTotal", 13.0}},
  });
  Check(FormCase{"ATTCOECSTRACK",
                 {{"CtySchlTutFundE", 1.0},      {"CtySchlTutFundH", 10.0},      {"ClassCtySchlTutFundE", 2.0},
                  {"ClassCtySchlTutFundH", 20.0}, {"CtyGrpHomeE", 7.0},           {"CtyGrpHomeH", 5.0},
                  {"ClassCtyGrpHomeE", 4.0},      {"ClassCtyGrpHomeH", 40.0},     {"JuvHallsHomesE", 5.0},
                  {"JuvHallsHomesH", 50.0},       {"ClassJuvHallsHomesE", 6.0},   {"ClassJuvHallsHomesH", 60.0},
                  {"CommSchlProbationE", 7.0},    {"CommSchlProbationH", 70.0},   {"ClassCommSchlProbationE", 8.0},
                  {"ClassCommSchlProbationH", 80.0}},
                 {{"CtySchlTutFundT", 11.0},
                  {"ClassCtySchlTutFundT", 22.0},
                  {"CtyGrpHomeT", 12.0},
                  {"ClassCtyGrpHomeT", 44.0},
                  {"JuvHallsHomesT", 55.0},
                  {"ClassJuvHallsHomesT", 66.0},
                  {"CommSchlProbationT", 77.0},
                  {"ClassCommSchlProbationT", 88.0}}});

  const NullCase nulls[] = {
      {"ATTCOECS", "ProbationHigh", {"ProbationTotal", "TotalADAHigh", "TotalADA", "TotalADAHigh_NCB", "TotalADA_NCB"}},
      {"CS_BA", "ExtYearSpEd_Grades7TO8_CB", {"ExtYearSpEd_Total_CB", "ADATotal_Grades7TO8_CB", "ADATotal_Total_CB"}},
  };
  for (const NullCase& c : nulls) Check(c);
}

}  // namespace
}  // namespace calctest
