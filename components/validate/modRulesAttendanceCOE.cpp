// The rule sets of the county office's attendance screens.
//
// Their checks are not written yet: until they are, each answers an empty
// result, as for a form that passes.

#include "modRulesAttendance.h"

namespace modRulesAttendance {

using modGeneralRoutines::CreateErrorRecordset;

db::RecordsetPtr Validate_ATTCOE(db::RecordsetPtr&, ParamsRef) { return CreateErrorRecordset(); }
db::RecordsetPtr Validate_ATTCOEDISTFUNDADA(db::RecordsetPtr&, ParamsRef) { return CreateErrorRecordset(); }

}  // namespace modRulesAttendance
