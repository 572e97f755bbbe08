#include "modGlobals.h"

#include "clsMyAdoUtils.h"
#include "vb/Conversions.h"
#include "vb/VbError.h"

namespace modGlobals {

std::string gstrVersion = "19.00";
std::string gstrConnectionString;
std::unique_ptr<clsGlobalParam> gobjGlobalParam;
std::unique_ptr<clsMyAdoUtils> gobjAdoUtils;

std::int32_t glngProcessID = 0;
std::string gstrCurrentForm;
std::string gstrPeriodMode;
bool gblnPriorYearMode = false;
std::int16_t gintCorrectionFormNo = 0;
std::string gstrCorrectionNote;
std::int16_t gintCorrectionReasonCode = 0;
bool gblnCorrectionPending = false;
std::string gstrUserFormMode;
std::string gstrNewContactName;
std::string gstrLogOut;
std::int16_t gintTaxType = 0;
std::int32_t glngResCountyID = 0;
std::int32_t glngResSchoolDistrictID = 0;
std::int32_t glngNewResCountyID = 0;
std::int32_t glngNewResDistrictID = 0;
std::string gstrNewRecSource;
std::int16_t gintNewRecType = 0;
std::int32_t glngNewSchoolID = 0;
bool gblnTaxCopied = false;
std::int16_t gintSmallSchoolType = 0;
std::int32_t glngChosenSchoolID = 0;
bool gblnAddSchoolClosed = false;
std::int16_t gintSavedLEARow = 0;
std::int16_t gintSavedFormRow = 0;
std::int32_t glngClickedSchoolID = 0;
bool gblnBatchPrint = false;
std::string gstrPrintLog;
std::string gstrPrintCaller;
std::int16_t gintTaxSummaryChoice = 0;
std::int16_t gintPrintTaxType = 0;
bool gblnEntryScreenPrint = false;
std::string gstrPrintSource;
std::string gstrModeTitle;
bool gblnExportRunning = false;
bool gblnQuestionsCancelled = false;
std::int16_t gintMessageBoxAnswer = 0;
bool gblnStatusModeless = false;

clsGlobalParam& GlobalParam() { return vb::Deref(gobjGlobalParam); }
clsMyAdoUtils& AdoUtils() { return vb::Deref(gobjAdoUtils); }

db::ConnectionPtr SharedConnection() {
  db::ConnectionPtr conn = AdoUtils().Conn();
  vb::Deref(conn);
  return conn;
}

bool IsInArray(const std::vector<std::string>& list, const std::string& text, std::int16_t startIndex) {
  if (startIndex < 0) vb::Raise(vb::err::SubscriptOutOfRange);
  for (std::size_t i = static_cast<std::size_t>(startIndex); i < list.size(); ++i)
    if (list[i] == text) return true;
  return false;
}

vb::Variant RoundHalfUp(const vb::Variant& value, std::int16_t digits) {
  if (value.IsNull()) return value;
  if (digits < 0) vb::Raise(vb::err::InvalidProcedureCall);
  vb::Decimal exact;
  try {
    exact = vb::CDec(value);
  } catch (const vb::VbError& e) {
    if (e.Number() != vb::err::Overflow) throw;
    // Beyond the exact decimal's range (about 7.9E+28) a double holds no
    // decimal places, so the value is already rounded.
    return vb::CDbl(value);
  }
  const vb::Decimal rounded = exact.RoundHalfAwayFromZero(digits);
  switch (value.Type()) {
    case vb::VarType::Decimal:
      return rounded;
    case vb::VarType::Currency:
      return vb::CCur(vb::Variant(rounded));
    case vb::VarType::Integer:
    case vb::VarType::Long:
    case vb::VarType::Boolean:
      return value;
    default:
      return rounded.ToDouble();
  }
}

std::string NextYearDigits(std::int32_t year) {
  const std::string next = std::to_string(year + 1);
  return next.substr(next.size() - 2);
}

std::string GetFiscalYearRange() { return std::to_string(kFiscalYear) + " - " + NextYearDigits(kFiscalYear); }

std::string SplashNameText() { return "\n" + GetFiscalYearRange() + "\nQuillmark\nLevrona"; }

std::string VersionText() { return "Version " + std::to_string(kFiscalYear) + "-" + gstrVersion; }

}  // namespace modGlobals
