#pragma once
// The calculation routines, by module. Each takes the form's record set and
// the caller's parameter collection (not read) and answers -1 or 0.

#include "modGeneralRoutines.h"

namespace modCalculationsTaxes {
std::int16_t Calculate_TAX(db::RecordsetPtr& currentValues, sumwright::ParamsRef params);
std::int16_t Calculate_TAXMISC(db::RecordsetPtr& currentValues, sumwright::ParamsRef params);
}  // namespace modCalculationsTaxes

namespace modCalculationsSELPA {
std::int16_t Calculate_SELPAMENTALHEALTH(db::RecordsetPtr& currentValues, sumwright::ParamsRef params);
std::int16_t Calculate_INFANTFUNDING(db::RecordsetPtr& currentValues, sumwright::ParamsRef params);
// Fills the current row only, from the database that the thread's
// connection string names.
std::int16_t Calculate_INFANTFUNDINGBP(db::RecordsetPtr& currentValues, sumwright::ParamsRef params);
}  // namespace modCalculationsSELPA

namespace modCalculationsAttendance {
std::int16_t Calculate_ATTCOE(db::RecordsetPtr& currentValues, sumwright::ParamsRef params);
std::int16_t Calculate_ATTCOEDISTFUNDADA(db::RecordsetPtr& currentValues, sumwright::ParamsRef params);
std::int16_t Calculate_FOSTERYOUTHNSHS(db::RecordsetPtr& currentValues, sumwright::ParamsRef params);
std::int16_t Calculate_ATT_SD(db::RecordsetPtr& currentValues, sumwright::ParamsRef params);
// ATT_SD_BS, ATT_SD_BAOE and ATT_SD_SUPP share one computation.
std::int16_t Calculate_ATT_SD_BS(db::RecordsetPtr& currentValues, sumwright::ParamsRef params);
std::int16_t Calculate_ATT_SD_BAOE(db::RecordsetPtr& currentValues, sumwright::ParamsRef params);
std::int16_t Calculate_ATT_SD_SUPP(db::RecordsetPtr& currentValues, sumwright::ParamsRef params);
std::int16_t Calculate_BRL_SD_NSES_ADA(db::RecordsetPtr& currentValues, sumwright::ParamsRef params);
std::int16_t Calculate_BRL_SD_NSHS_ADA(db::RecordsetPtr& currentValues, sumwright::ParamsRef params);
std::int16_t Calculate_NSS(db::RecordsetPtr& currentValues, sumwright::ParamsRef params);
}  // namespace modCalculationsAttendance

namespace modCalculationsCharter {
// The classroom-based charter form has no calculation: it answers 0.
std::int16_t Calculate_ATTCSACD(db::RecordsetPtr& currentValues, sumwright::ParamsRef params);
std::int16_t Calculate_ATTCOECS(db::RecordsetPtr& currentValues, sumwright::ParamsRef params);
std::int16_t Calculate_ATTCOECSTRACK(db::RecordsetPtr& currentValues, sumwright::ParamsRef params);
std::int16_t Calculate_CS_BA(db::RecordsetPtr& currentValues, sumwright::ParamsRef params);
}  // namespace modCalculationsCharter
