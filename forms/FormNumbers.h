#pragma once
// The form numbers (FORM_NO of the form catalogue) that code tells apart,
// by name. Which entry screen carries a number is the catalogue's matter;
// what the program does differently for it is said here, once.

#include <cstdint>

namespace forms::formno {

// The tax form: sixteen amount lines per county and district of residence.
inline constexpr std::int32_t kTax = 29;
// The miscellaneous-tax form: rows for the agency's own county office and
// districts; hidden from the entry-screen list outside the P-2 correction.
inline constexpr std::int32_t kMiscTax = 30;
// The district forms, whose status row is kept at school 0 of the district
// whatever the current school.
inline constexpr std::int32_t kFirstDistrictForm = 110;
inline constexpr std::int32_t kLastDistrictForm = 112;
// The county-model form: one status row per district of the county that
// has county-model rows.
inline constexpr std::int32_t kCountyModel = 113;
// The basic-aid choice form: a district that chose the court-order county
// is offered that county alone.
inline constexpr std::int32_t kBasicAidChoice = 22;
// The attendance-supplement form: the agencies on the supplement list.
inline constexpr std::int32_t kAttendanceSupplement = 25;
// The adult-education form: the districts taking part with the county office.
inline constexpr std::int32_t kAdultEducation = 26;
// The forms left out of the entry-screen list in the P-2 correction mode.
inline constexpr std::int32_t kFirstP2CorrectionExclusion = 27;
inline constexpr std::int32_t kSecondP2CorrectionExclusion = 28;
// The attendance form of resident and non-resident records; its status
// counts three records as two.
inline constexpr std::int32_t kResidency = 45;
// The residency form of a district that is not unified.
inline constexpr std::int32_t kResidencyNotUnified = 43;
// The form of a school that may not choose its denied district.
inline constexpr std::int32_t kDeniedDistrict = 50;
// The form that lists the counties other than the agency's own.
inline constexpr std::int32_t kOtherCounties = 80;
// The SELPA forms of the county's own SELPAs; 89 is never listed for a
// county-auditor logon.
inline constexpr std::int32_t kSelpaCounty = 88;
inline constexpr std::int32_t kSelpaCountyAudited = 89;
// The ROC/P forms: the ROC/P serving the agency, and the small ROC/P forms.
inline constexpr std::int32_t kRocp = 94;
inline constexpr std::int32_t kSmallRocp = 95;
inline constexpr std::int32_t kSmallRocpSchools = 96;
// The grade-span form: districts whose grades overlap the agency's.
inline constexpr std::int32_t kGradeSpan = 519;
// Forms whose new records are the agency's own county's: locked to it, or
// proposed.
inline constexpr std::int32_t kOwnCountyLocked = 7;
inline constexpr std::int32_t kOwnCountyProposed = 23;
// The infant-funding form: no district list follows the county.
inline constexpr std::int32_t kInfantFunding = 102;
// A SELPA form whose records choose a SELPA alone.
inline constexpr std::int32_t kSelpaChoice = 891;

// The status row of these forms is the district's (school 0).
constexpr bool IsDistrictForm(std::int32_t formNo) {
  return formNo >= kFirstDistrictForm && formNo <= kLastDistrictForm;
}

}  // namespace forms::formno
