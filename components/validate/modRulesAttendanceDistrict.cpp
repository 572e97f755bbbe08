// The rule sets of the school-district attendance screens.
//
// Their checks are not written yet: until they are, each answers an empty
// result, as for a form that passes.

#include "modRulesAttendance.h"

namespace modRulesAttendance {

using modGeneralRoutines::CreateErrorRecordset;

db::RecordsetPtr Validate_ATT_SD(db::RecordsetPtr&, ParamsRef) { return CreateErrorRecordset(); }
db::RecordsetPtr Validate_ATT_SD_BS(db::RecordsetPtr&, ParamsRef) { return CreateErrorRecordset(); }
db::RecordsetPtr Validate_ATT_SD_BAOE(db::RecordsetPtr&, ParamsRef) { return CreateErrorRecordset(); }
db::RecordsetPtr Validate_ATT_SD_SUPP(db::RecordsetPtr&, ParamsRef) { return CreateErrorRecordset(); }
db::RecordsetPtr Validate_BRL_SD_NSES_ADA(db::RecordsetPtr&, ParamsRef) { return CreateErrorRecordset(); }
db::RecordsetPtr Validate_BRL_SD_NSHS_ADA(db::RecordsetPtr&, ParamsRef) { return CreateErrorRecordset(); }

}  // namespace modRulesAttendance
