// The attendance forms of districts, county offices and necessary small
// schools: row totals of average daily attendance by line and grade span.

#include "modCalculations.h"

namespace modCalculationsAttendance {
namespace {

using sumwright::AddBlock;
using sumwright::AddLineTotals;
using sumwright::Names;
using sumwright::Steps;

const Names kSpans{"GradesTKTO3", "Grades4TO6", "Grades7TO8", "Grades9TO12"};
const Names kElementarySpans{"GradesTKTO3", "Grades4TO6", "Grades7TO8"};
const Names kRegularAndExtYear{"RegularADA", "ExtYearSpEd"};

// The lines of the district forms that make up ADATotal.
const Names kDistrictLines{"RegularADA", "ExtYearSpEd", "SpEd_56366", "ExtYearSpEd_56366", "CommDaySchool"};
const Names kIndependentStudyLines{"ADA_IndStudy", "ADA_NEIndStudy", "CourseBasedIndStudy",
                                   "CourseBasedIndStudyNotElig"};

// ATT_SD_BS, ATT_SD_BAOE, ATT_SD_SUPP, and the first part of ATT_SD.
const Steps kDistrictTotals = [] {
  Steps steps;
  AddBlock(steps, "", kDistrictLines, kSpans, "ADATotal_", "ADATotal_Total");
  return steps;
}();

const Steps kAttSd = [] {
  Steps steps = kDistrictTotals;
  AddLineTotals(steps, "", kIndependentStudyLines, kSpans);
  // Transitional kindergarten counts in TK/K-3 only, continuation in 9-12 only.
  steps.push_back({"ADA_TransK_Total", {"ADA_TransK_GradesTKTO3"}});
  steps.push_back({"ADA_Continuation_Total", {"ADA_Continuation_Grades9TO12"}});
  // Prior-year and gain/loss blocks; the gain/loss spans are inputs.
  for (const char* block : {"PY_AttCharterSchool", "PY_AttNonCharterSchool", "PY_DistResNonCharterSchool", "GainLoss"})
    AddBlock(steps, std::string(block) + "_", kRegularAndExtYear, kSpans, "Total_", "ADA_Total");
  return steps;
}();

// The county office's own attendance: TotalADA adds the first three lines
// only; the other lines have their own totals.
const Steps kAttCoe{
    {"CountyGroupHomeInstitutionPupilsTotal",
     {"CountyGroupHomeInstitutionPupilsElementary", "CountyGroupHomeInstitutionPupilsHigh"}},
    {"JuvenileHallsHomesCampsTotal", {"JuvenileHallsHomesCampsElementary", "JuvenileHallsHomesCampsHigh"}},
    {"ProbationTotal", {"ProbationElementary", "ProbationHigh"}},
    {"TotalADAElementary",
     {"CountyGroupHomeInstitutionPupilsElementary", "JuvenileHallsHomesCampsElementary", "ProbationElementary"}},
    {"TotalADAHigh", {"CountyGroupHomeInstitutionPupilsHigh", "JuvenileHallsHomesCampsHigh", "ProbationHigh"}},
    {"TotalADA", {"TotalADAElementary", "TotalADAHigh"}},
    {"AICFTotal", {"AICFElementary", "AICFHigh"}},
    {"HandicappedAdultsTotal", {"HandicappedAdultsElem", "HandicappedAdultsHigh"}},
    {"ADAStudentsFulltimeIndependentStudyTotal",
     {"ADAStudentsFulltimeIndependentStudyElem", "ADAStudentsFulltimeIndependentStudyHigh"}},
    {"ADANotEligIndependentStudyTotal", {"ADANotEligIndependentStudyElem", "ADANotEligIndependentStudyHigh"}},
    {"CourseBasedIndStudyTotal", {"CourseBasedIndStudyElem", "CourseBasedIndStudyHigh"}},
    {"CourseBasedIndStudyNotEligTotal", {"CourseBasedIndStudyNotEligElem", "CourseBasedIndStudyNotEligHigh"}},
    {"ADAForTransKTotal", {"ADAForTransKElem", "ADAForTransKHigh"}},
};

// District-funded county programs; here transitional kindergarten adds all
// four spans.
const Steps kAttCoeDistFundAda = [] {
  Steps steps;
  AddBlock(steps, "",
           {"CountyCommunitySchools", "SpEd_SpecialDayClass", "SpEd_56366", "ExtYearSpEd_56366", "Other", "Tuition"},
           kSpans, "ADATotal_", "ADATotal_Total");
  Names lines = kIndependentStudyLines;
  lines.push_back("ADA_TransK");
  AddLineTotals(steps, "", lines, kSpans);
  return steps;
}();

// Necessary small schools: the elementary spans with their line and grand
// totals, and the high-school span on its own (it enters no line total).
Steps ElementaryBlock(const std::string& prefix) {
  Steps steps;
  AddBlock(steps, prefix, kRegularAndExtYear, kElementarySpans, "ADATotal_", "ADATotal_Total");
  return steps;
}

sumwright::Step HighSchoolSpan(const std::string& prefix) {
  return {prefix + "ADATotal_Grades9TO12", {prefix + "RegularADA_Grades9TO12", prefix + "ExtYearSpEd_Grades9TO12"}};
}

Steps Join(std::initializer_list<Steps> parts) {
  Steps steps;
  for (const Steps& part : parts) steps.insert(steps.end(), part.begin(), part.end());
  return steps;
}

const Steps kSmallElementary = Join({ElementaryBlock(""), ElementaryBlock("PY_")});
const Steps kSmallHigh{HighSchoolSpan(""), HighSchoolSpan("PY_")};
const Steps kSmallSchools =
    Join({ElementaryBlock(""), {HighSchoolSpan("")}, ElementaryBlock("PY_"), {HighSchoolSpan("PY_")}});

const Steps kFosterYouth{
    {"ADATotal", {"CountyGroupHomeInstitutionPupils", "JuvenileHallsHomesCamps", "Probation"}},
};

}  // namespace

std::int16_t Calculate_ATTCOE(db::RecordsetPtr& currentValues, sumwright::ParamsRef) {
  return modGeneralRoutines::VisitRows(currentValues, kAttCoe);
}

std::int16_t Calculate_ATTCOEDISTFUNDADA(db::RecordsetPtr& currentValues, sumwright::ParamsRef) {
  return modGeneralRoutines::VisitRows(currentValues, kAttCoeDistFundAda);
}

std::int16_t Calculate_FOSTERYOUTHNSHS(db::RecordsetPtr& currentValues, sumwright::ParamsRef) {
  return modGeneralRoutines::VisitRows(currentValues, kFosterYouth);
}

std::int16_t Calculate_ATT_SD(db::RecordsetPtr& currentValues, sumwright::ParamsRef) {
  return modGeneralRoutines::VisitRows(currentValues, kAttSd);
}

std::int16_t Calculate_ATT_SD_BS(db::RecordsetPtr& currentValues, sumwright::ParamsRef) {
  return modGeneralRoutines::VisitRows(currentValues, kDistrictTotals);
}

std::int16_t Calculate_ATT_SD_BAOE(db::RecordsetPtr& currentValues, sumwright::ParamsRef params) {
  return Calculate_ATT_SD_BS(currentValues, params);
}

std::int16_t Calculate_ATT_SD_SUPP(db::RecordsetPtr& currentValues, sumwright::ParamsRef params) {
  return Calculate_ATT_SD_BS(currentValues, params);
}

std::int16_t Calculate_BRL_SD_NSES_ADA(db::RecordsetPtr& currentValues, sumwright::ParamsRef) {
  return modGeneralRoutines::VisitRows(currentValues, kSmallElementary);
}

std::int16_t Calculate_BRL_SD_NSHS_ADA(db::RecordsetPtr& currentValues, sumwright::ParamsRef) {
  return modGeneralRoutines::VisitRows(currentValues, kSmallHigh);
}

std::int16_t Calculate_NSS(db::RecordsetPtr& currentValues, sumwright::ParamsRef) {
  return modGeneralRoutines::VisitRows(currentValues, kSmallSchools);
}

}  // namespace modCalculationsAttendance
