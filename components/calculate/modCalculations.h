#pragma once
// The calculation routines, by module. Each takes the form's record set and
// the caller's parameter collection (not read) and answers -1 or 0.

#include "modGeneralRoutines.h"

#define SUMWRIGHT_ROUTINE(name) std::int16_t name(db::RecordsetPtr& currentValues, sumwright::ParamsRef params)

// Defines a routine that applies a step table to every row (the row visit
// of modGeneralRoutines).
#define SUMWRIGHT_ROW_ROUTINE(name, steps)                       \
  SUMWRIGHT_ROUTINE(name) {                                      \
    (void)params;                                                \
    return modGeneralRoutines::VisitRows(currentValues, steps);  \
  }

namespace modCalculationsTaxes {
SUMWRIGHT_ROUTINE(Calculate_TAX);
SUMWRIGHT_ROUTINE(Calculate_TAXMISC);
}  // namespace modCalculationsTaxes

namespace modCalculationsSELPA {
SUMWRIGHT_ROUTINE(Calculate_SELPAMENTALHEALTH);
SUMWRIGHT_ROUTINE(Calculate_INFANTFUNDING);
// Fills the current row only, from the database that the thread's
// connection string names.
SUMWRIGHT_ROUTINE(Calculate_INFANTFUNDINGBP);
}  // namespace modCalculationsSELPA

namespace modCalculationsAttendance {
SUMWRIGHT_ROUTINE(Calculate_ATTCOE);
SUMWRIGHT_ROUTINE(Calculate_ATTCOEDISTFUNDADA);
SUMWRIGHT_ROUTINE(Calculate_FOSTERYOUTHNSHS);
SUMWRIGHT_ROUTINE(Calculate_ATT_SD);
// ATT_SD_BS, ATT_SD_BAOE and ATT_SD_SUPP share one computation.
SUMWRIGHT_ROUTINE(Calculate_ATT_SD_BS);
SUMWRIGHT_ROUTINE(Calculate_ATT_SD_BAOE);
SUMWRIGHT_ROUTINE(Calculate_ATT_SD_SUPP);
SUMWRIGHT_ROUTINE(Calculate_BRL_SD_NSES_ADA);
SUMWRIGHT_ROUTINE(Calculate_BRL_SD_NSHS_ADA);
SUMWRIGHT_ROUTINE(Calculate_NSS);
}  // namespace modCalculationsAttendance

namespace modCalculationsCharter {
// The classroom-based charter form has no calculation: it answers 0.
SUMWRIGHT_ROUTINE(Calculate_ATTCSACD);
SUMWRIGHT_ROUTINE(Calculate_ATTCOECS);
SUMWRIGHT_ROUTINE(Calculate_ATTCOECSTRACK);
SUMWRIGHT_ROUTINE(Calculate_CS_BA);
}  // namespace modCalculationsCharter
