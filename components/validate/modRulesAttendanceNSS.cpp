// The rule set of the necessary small schools screen.
//
// Its checks are not written yet: until they are, it answers an empty
// result, as for a form that passes.

#include "modRulesAttendance.h"

namespace modRulesAttendance {

db::RecordsetPtr Validate_NSS(db::RecordsetPtr&, ParamsRef) { return modGeneralRoutines::CreateErrorRecordset(); }

}  // namespace modRulesAttendance
