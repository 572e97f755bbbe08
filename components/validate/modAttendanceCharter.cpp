// The rule sets of the classroom-based charter attendance screen and the
// charter attendance screen.
//
// Their checks are not written yet: until they are, each answers an empty
// result, as for a form that passes.

#include "modAttendanceCharter.h"

namespace modAttendanceCharter {

using modGeneralRoutines::CreateErrorRecordset;

db::RecordsetPtr Validate_ATTCSACD(db::RecordsetPtr&, ParamsRef) { return CreateErrorRecordset(); }
db::RecordsetPtr Validate_ATTCS(db::RecordsetPtr&, ParamsRef) { return CreateErrorRecordset(); }

}  // namespace modAttendanceCharter
