#pragma once
// The rule sets of the forms that special-education local plan areas fill
// in: the extraordinary cost pool, the special-education tax allocation, the
// attendance allocation and infant funding.

#include "modGeneralRoutines.h"

namespace modRulesSELPA {

using rulegate::ParamsRef;

db::RecordsetPtr Validate_SECOSTPOOL(db::RecordsetPtr& CurrentValues, ParamsRef Params);
db::RecordsetPtr Validate_SPEDTAXALLOC(db::RecordsetPtr& CurrentValues, ParamsRef Params);
db::RecordsetPtr Validate_SELPAADAALLOC(db::RecordsetPtr& CurrentValues, ParamsRef Params);
db::RecordsetPtr Validate_INFANTFUNDING(db::RecordsetPtr& CurrentValues, ParamsRef Params);

// True when, in the current row of the infant-funding record set, the
// allocated units of some kind differ from the operated units of that kind
// (a pair with a Null differs from nothing).
bool IsInfantAllocationChanged(const db::Recordset& rsInfant);

}  // namespace modRulesSELPA
