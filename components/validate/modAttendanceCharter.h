#pragma once
// The rule sets of the charter-school attendance screens. Each has a trap
// and reads further rows through a connection of its own (the shared
// routines of modAttendanceCharterChecks.h); only CS_BA reads
// the caller's parameter collection (a ruleface::Collection with the items
// "DistrictType" and "LogonDistrictID").

#include "modGeneralRoutines.h"

namespace modAttendanceCharter {

using rulegate::ParamsRef;

// Classroom-based and charter attendance (modAttendanceCharter.cpp).
db::RecordsetPtr Validate_ATTCSACD(db::RecordsetPtr& CurrentValues, ParamsRef Params);
db::RecordsetPtr Validate_ATTCS(db::RecordsetPtr& CurrentValues, ParamsRef Params);

// Funded attendance, the county office's charter screen and the split by
// district of residence (modAttendanceCharterFunding.cpp).
db::RecordsetPtr Validate_ATTCSFUNDADA(db::RecordsetPtr& CurrentValues, ParamsRef Params);
db::RecordsetPtr Validate_ATTCOECS(db::RecordsetPtr& CurrentValues, ParamsRef Params);
db::RecordsetPtr Validate_CS_BA(db::RecordsetPtr& CurrentValues, ParamsRef Params);

}  // namespace modAttendanceCharter
