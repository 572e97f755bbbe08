// The rule sets of the charter funded-attendance screen, the county office's
// charter screen and the split of a charter's attendance by district of
// residence.
//
// Their checks are not written yet: until they are, each answers an empty
// result, as for a form that passes.

#include "modAttendanceCharter.h"

namespace modAttendanceCharter {

using modGeneralRoutines::CreateErrorRecordset;

db::RecordsetPtr Validate_ATTCSFUNDADA(db::RecordsetPtr&, ParamsRef) { return CreateErrorRecordset(); }
db::RecordsetPtr Validate_ATTCOECS(db::RecordsetPtr&, ParamsRef) { return CreateErrorRecordset(); }
db::RecordsetPtr Validate_CS_BA(db::RecordsetPtr&, ParamsRef) { return CreateErrorRecordset(); }

}  // namespace modAttendanceCharter
