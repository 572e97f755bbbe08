#include "modCOECorrection.h"

#include <QWidget>

#include "Utilities.h"
#include "db/Recordset.h"
#include "modGlobals.h"
#include "ui/Dialogs.h"
#include "vb/Conversions.h"

using vb::Variant;

namespace modCOE {
namespace {

WindowMaker& CorrectionWindowMaker() {
  static WindowMaker maker;
  return maker;
}

}  // namespace

bool AskCorrectionReason(std::int16_t recordCount, std::int32_t year, std::int32_t period, std::int32_t county,
                         std::int32_t district, std::int32_t school, std::int16_t formNo, bool ask, bool pointer,
                         bool /*unused*/) {
  if (!ask || recordCount == 0) return false;
  auto status = db::Recordset::Query(
      "Select * from LEA_FORMS_STATUS where county_id = ? and school_district_id = ? and fiscal_year = ? "
      "and period_id = ? AND SCHOOL_ID = ? and Form_no = ?",
      modGlobals::SharedConnection(),
      {Variant(county), Variant(district), Variant(year), Variant(period), Variant(school), Variant(formNo)});
  status->ActiveConnection(nullptr);
  const Variant corrected = status->Value("PY_FORMS_CORRECTED");
  const Variant note = status->Value("PY_CORRECTION_NOTE");
  const Variant reasonCode = status->Value("PY_REASON_CODE");
  if (pointer) Utilities::ScreenMouseEnabled(true);
  ShowCorrectionReasonWindow(formNo, corrected, note, reasonCode, true);
  Utilities::ScreenMouseEnabled(false);
  MarkAgencyCorrected(year, period, county, district, school);
  return true;
}

void ShowCorrectionReasonWindow(std::int16_t formNo, const Variant& corrected, const Variant& note,
                                const Variant& reasonCode, bool required) {
  // A form not marked corrected starts from an empty note, whatever an
  // earlier question left behind.
  const bool marked = vb::TextOf(corrected) == "Yes";
  modGlobals::gstrCorrectionNote = marked ? vb::TextOf(note) : std::string();
  modGlobals::gintCorrectionReasonCode = marked && !reasonCode.IsNull() ? vb::CInt(reasonCode) : std::int16_t{0};
  modGlobals::gintCorrectionFormNo = formNo;
  modGlobals::gblnCorrectionPending = required;
  const WindowMaker& maker = CorrectionWindowMaker();
  std::unique_ptr<QWidget> window = maker ? maker() : nullptr;
  if (!window) {
    modGlobals::gblnCorrectionPending = false;
    throw vb::VbError(vb::err::CannotCreateObject, "The correction-reason window is not available.");
  }
  ui::dialogs().ShowModal(*window);
  modGlobals::gblnCorrectionPending = false;
}

void MarkAgencyCorrected(std::int32_t year, std::int32_t period, std::int32_t county, std::int32_t district,
                         std::int32_t school) {
  db::ConnectionPtr conn = modGlobals::SharedConnection();
  const bool corrected =
      vb::CLng(conn->Scalar("SELECT count(*) FROM lea_forms_status WHERE py_forms_corrected = 'Yes' "
                            "and COUNTY_ID = ? And SCHOOL_DISTRICT_ID = ? and FISCAL_YEAR = ? And period_id = ? "
                            "and school_id = ?",
                            {Variant(county), Variant(district), Variant(year), Variant(period), Variant(school)})) > 0;
  conn->Execute(
      "UPDATE KRN_LEAS SET PY_LEA_CORRECTED = ? where FISCAL_YEAR = ? and COUNTY_ID = ? "
      "and SCHOOL_DISTRICT_ID = ? and school_id = ?",
      {Variant(corrected ? "Yes" : "No"), Variant(year), Variant(county), Variant(district), Variant(school)});
}

void SetCorrectionReasonWindow(WindowMaker maker) { CorrectionWindowMaker() = std::move(maker); }

}  // namespace modCOE
