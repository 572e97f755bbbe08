#pragma once
// The rule sets of the attendance forms of school districts and county
// offices: the district attendance screens, the necessary small schools, the
// county office's attendance screens and its foster-youth screen.

#include "modGeneralRoutines.h"

namespace modRulesAttendance {

using rulegate::ParamsRef;

// District attendance (modRulesAttendanceDistrict.cpp).
db::RecordsetPtr Validate_ATT_SD(db::RecordsetPtr& CurrentValues, ParamsRef Params);
db::RecordsetPtr Validate_ATT_SD_BS(db::RecordsetPtr& CurrentValues, ParamsRef Params);
db::RecordsetPtr Validate_ATT_SD_BAOE(db::RecordsetPtr& CurrentValues, ParamsRef Params);
db::RecordsetPtr Validate_ATT_SD_SUPP(db::RecordsetPtr& CurrentValues, ParamsRef Params);
db::RecordsetPtr Validate_BRL_SD_NSES_ADA(db::RecordsetPtr& CurrentValues, ParamsRef Params);
db::RecordsetPtr Validate_BRL_SD_NSHS_ADA(db::RecordsetPtr& CurrentValues, ParamsRef Params);

// Necessary small schools (modRulesAttendanceNSS.cpp).
db::RecordsetPtr Validate_NSS(db::RecordsetPtr& CurrentValues, ParamsRef Params);

// County-office attendance (modRulesAttendanceCOE.cpp); neither has a trap.
db::RecordsetPtr Validate_ATTCOE(db::RecordsetPtr& CurrentValues, ParamsRef Params);
db::RecordsetPtr Validate_ATTCOEDISTFUNDADA(db::RecordsetPtr& CurrentValues, ParamsRef Params);

// Foster youth of a necessary small high school
// (modRulesAttendanceFosterYouth.cpp).
db::RecordsetPtr Validate_FOSTERYOUTHNSHS(db::RecordsetPtr& CurrentValues, ParamsRef Params);

}  // namespace modRulesAttendance
