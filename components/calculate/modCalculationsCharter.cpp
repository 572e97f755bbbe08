// The charter forms: row totals of charter attendance, classroom-based
// (suffix _CB) and in total.

#include "modCalculations.h"

namespace modCalculationsCharter {
namespace {

using sumwright::Names;
using sumwright::Step;
using sumwright::Steps;

// Each category's total and _CB total in turn, then the ADATotal line over
// the plain columns, then over the _CB columns.
const Steps kCharterBlockGrant = [] {
  const Names categories{"RegularADA", "ExtYearSpEd", "SpEd_56366", "ExtYearSpEd_56366"};
  const Names spans{"GradesTKTO3", "Grades4TO6", "Grades7TO8", "Grades9TO12"};
  const Names suffixes{"", "_CB"};
  Steps steps;
  for (const std::string& category : categories) {
    for (const std::string& suffix : suffixes) {
      Step step{category + "_Total" + suffix, {}};
      for (const std::string& span : spans) step.terms.push_back(category + "_" + span + suffix);
      steps.push_back(std::move(step));
    }
  }
  Names spansAndTotal = spans;
  spansAndTotal.push_back("Total");
  for (const std::string& suffix : suffixes) {
    for (const std::string& span : spansAndTotal) {
      Step step{"ADATotal_" + span + suffix, {}};
      for (const std::string& category : categories) step.terms.push_back(category + "_" + span + suffix);
      steps.push_back(std::move(step));
    }
  }
  return steps;
}();

// The county office's charter attendance; the _NCB columns are the totals
// less their classroom-based part (negative when that part is larger).
const Steps kCoeCharter{
    {"CountyGroupHomeInstitutionPupilsTotal",
     {"CountyGroupHomeInstitutionPupilsElementary", "CountyGroupHomeInstitutionPupilsHigh"}},
    {"CountyGroupHomeInstitutionPupilsTotal_CB",
     {"CountyGroupHomeInstitutionPupilsElementary_CB", "CountyGroupHomeInstitutionPupilsHigh_CB"}},
    {"JuvenileHallsHomesCampsTotal", {"JuvenileHallsHomesCampsElementary", "JuvenileHallsHomesCampsHigh"}},
    {"JuvenileHallsHomesCampsTotal_CB", {"JuvenileHallsHomesCampsElementary_CB", "JuvenileHallsHomesCampsHigh_CB"}},
    {"ProbationTotal", {"ProbationHigh", "ProbationElementary"}},
    {"ProbationTotal_CB", {"ProbationHigh_CB", "ProbationElementary_CB"}},
    {"TotalADAElementary",
     {"CountyGroupHomeInstitutionPupilsElementary", "JuvenileHallsHomesCampsElementary", "ProbationElementary"}},
    {"TotalADAHigh", {"CountyGroupHomeInstitutionPupilsHigh", "JuvenileHallsHomesCampsHigh", "ProbationHigh"}},
    {"TotalADAElementary_CB",
     {"CountyGroupHomeInstitutionPupilsElementary_CB", "JuvenileHallsHomesCampsElementary_CB",
      "ProbationElementary_CB"}},
    {"TotalADAHigh_CB",
     {"CountyGroupHomeInstitutionPupilsHigh_CB", "JuvenileHallsHomesCampsHigh_CB", "ProbationHigh_CB"}},
    {"TotalADA", {"TotalADAHigh", "TotalADAElementary"}},
    {"TotalADA_CB", {"TotalADAHigh_CB", "TotalADAElementary_CB"}},
    {"TotalADAElementary_NCB", {"TotalADAElementary", "-TotalADAElementary_CB"}},
    {"TotalADAHigh_NCB", {"TotalADAHigh", "-TotalADAHigh_CB"}},
    {"TotalADA_NCB", {"TotalADAElementary_NCB", "TotalADAHigh_NCB"}},
    {"ADAForTransKTotal", {"ADAForTransKElem"}},
    {"NCBAdaTotal", {"NCBAdaElem", "NCBAdaHigh"}},
    {"CourseBasedIndStudyTotal", {"CourseBasedIndStudyElem", "CourseBasedIndStudyHigh"}},
    {"CourseBasedIndStudyNotEligTotal", {"CourseBasedIndStudyNotEligElem", "CourseBasedIndStudyNotEligHigh"}},
};

// The track rows: elementary plus high for each pair.
const Steps kCoeCharterTrack = [] {
  Steps steps;
  for (const char* pair : {"CtySchlTutFund", "ClassCtySchlTutFund", "CtyGrpHome", "ClassCtyGrpHome", "JuvHallsHomes",
                           "ClassJuvHallsHomes", "CommSchlProbation", "ClassCommSchlProbation"}) {
    const std::string p = pair;
    steps.push_back({p + "T", {p + "E", p + "H"}});
  }
  return steps;
}();

}  // namespace

std::int16_t Calculate_ATTCSACD(db::RecordsetPtr&, sumwright::ParamsRef) { return sumwright::kFalse; }

std::int16_t Calculate_ATTCOECS(db::RecordsetPtr& currentValues, sumwright::ParamsRef) {
  return modGeneralRoutines::VisitRows(currentValues, kCoeCharter);
}

std::int16_t Calculate_ATTCOECSTRACK(db::RecordsetPtr& currentValues, sumwright::ParamsRef) {
  return modGeneralRoutines::VisitRows(currentValues, kCoeCharterTrack);
}

std::int16_t Calculate_CS_BA(db::RecordsetPtr& currentValues, sumwright::ParamsRef) {
  return modGeneralRoutines::VisitRows(currentValues, kCharterBlockGrant);
}

}  // namespace modCalculationsCharter
