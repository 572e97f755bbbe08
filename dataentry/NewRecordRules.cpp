#include "NewRecordRules.h"

#include <algorithm>

#include "FormNumbers.h"

namespace newrec {

namespace {

using namespace forms::formno;

constexpr Columns kRocpList{"school_district_name", "school_district_id"};
constexpr Columns kRocpMember{"school_district_name", "school_DISTRICT_ID"};

// The ROC/P forms: one lists the ROC/P that serves the agency; the small
// ROC/P forms list the small ROC/Ps and their schools.
FormRule RocpRule(std::vector<int> forms, bool small) {
  return {.forms = std::move(forms),
          .layout = Layout::Rocp,
          .counties = small ? CountyList::SmallRocpCounties : CountyList::RocpCounties,
          .countyColumns = {kRocpList, kRocpList},
          .districts = DistrictList::ForRocp,
          .districtColumns = {kRocpMember, kRocpMember},
          .schoolList = small,
          .sameDistrictCheck = false,
          .countyMessage = "Please select a ROC/P",
          .districtMessage = "Please select a school district",
          .needsSchool = small,
          .school = small ? SchoolPart::SchoolBox : SchoolPart::Agency,
          .tail = KeyTail::Rocp};
}

// The SELPA forms choose a SELPA alone, keyed by its district and school.
FormRule SelpaRule(std::vector<int> forms, const char* message) {
  return {.forms = std::move(forms),
          .layout = Layout::Selpa,
          .counties = CountyList::None,
          .districtChangeIgnored = true,
          .sameDistrictCheck = false,
          .countyMessage = nullptr,
          .districtMessage = message,
          .school = SchoolPart::SelpaSchool,
          .tail = KeyTail::Selpa};
}

std::vector<FormRule> MakeRules() {
  std::vector<FormRule> rules;
  // The property-tax form: residence county and district by tax type.
  rules.push_back({.forms = {kTax},
                   .counties = CountyList::CountiesForTax,
                   .countyColumns = {{"COUNTY", "COUNTYID"}, {"COUNTY_NAME", "COUNTY_ID"}},
                   .districts = DistrictList::ForCoeTax,
                   .districtColumns = {kDistrict, {"SCHOOL_DISTRICT_NAME", "SCHOOL_DISTRICT_ID"}},
                   .sameDistrictCheck = false,
                   .school = SchoolPart::Zero,
                   .tail = KeyTail::TaxResidence});
  // The miscellaneous-tax form: the agency's own county office and districts.
  rules.push_back({.forms = {kMiscTax},
                   .counties = CountyList::CountiesForTax,
                   .countyColumns = {{"COUNTY_NAME", "COUNTY_ID"}, {"COUNTY_NAME", "COUNTY_ID"}},
                   .countyOfAgency = true,
                   .countyLocked = true,
                   .districts = DistrictList::ForCoeTax,
                   .sameDistrictCheck = false});
  rules.push_back({.forms = {kOwnCountyLocked}, .countyOfAgency = true, .countyLocked = true});
  rules.push_back({.forms = {kOwnCountyProposed}, .countyOfAgency = true});
  rules.push_back({.forms = {kAdultEducation},
                   .caption = "Add New record for each participating district",
                   .countyOfAgency = true,
                   .countyLocked = true});
  // The attendance form of resident and non-resident rows.
  rules.push_back({.forms = {kResidency},
                   .layout = Layout::Attendance,
                   .sameDistrictCheck = false,
                   .needsType = true,
                   .tail = KeyTail::Attendance});
  rules.push_back(RocpRule({kRocp}, false));
  {
    FormRule small = RocpRule({kSmallRocp}, true);
    small.firstDistrictForDistrictUser = true;
    rules.push_back(std::move(small));
  }
  rules.push_back(RocpRule({kSmallRocpSchools}, true));
  rules.push_back(SelpaRule({kSelpaCounty, kSelpaChoice}, "Please select a SELPA"));
  rules.push_back(SelpaRule({kSelpaCountyAudited}, "Please select a SELPA AU"));
  // The infant-funding form: no district list follows the county.
  rules.push_back({.forms = {kInfantFunding},
                   .districts = DistrictList::None,
                   .districtChangeIgnored = true,
                   .sameDistrictCheck = false,
                   .countyMessage = nullptr});
  rules.push_back({});
  return rules;
}

}  // namespace

const std::vector<FormRule>& Rules() {
  static const std::vector<FormRule> rules = MakeRules();
  return rules;
}

const FormRule& RuleFor(int formNo) {
  for (const FormRule& rule : Rules())
    if (rule.forms.empty() || std::find(rule.forms.begin(), rule.forms.end(), formNo) != rule.forms.end()) return rule;
  return Rules().back();
}

}  // namespace newrec
