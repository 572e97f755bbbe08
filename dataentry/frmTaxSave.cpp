// The tax form's saving: the negative-amount rule, the save as one change
// (the row, the recalculated and keyed rows, the status row), the status
// upkeep after a delete and the prior-year correction step.

#include <algorithm>
#include <string_view>

#include "RecordDialogs.h"
#include "clsMyAdoUtils.h"
#include "ctlTax_1.h"
#include "db/SqlText.h"
#include "frmTax.h"
#include "frmTaxDetail.h"
#include "modCOE.h"
#include "modGlobals.h"
#include "modMain.h"
#include "modValidationCalculation.h"
#include "ui/Clock.h"
#include "ui/Dialogs.h"
#include "vb/Conversions.h"
#include "zelErrHandler.h"

using db::Param;
using db::SqlText;
using frmTaxDetail::kModule;
using frmTaxDetail::kTable;
using vb::Deref;
using vb::Variant;

namespace {

// Puts the record set back on a row it stood on (a position of 1 or more).
void ReturnTo(db::Recordset& rows, long position) {
  if (position >= 1 && position <= rows.RecordCount()) rows.AbsolutePosition(position);
}

}  // namespace

// --- The negative-amount rule ---------------------------------------------------------

// Every amount line but the total may be negative only with an
// explanation.
bool frmTax::NegativeRuleBroken() const {
  if (!vb::LTrim(ctlTax_11->Explanation()).empty()) return false;
  const auto& lines = ctlTax_1::AmountProperties();
  return std::any_of(lines.begin(), lines.end(), [&](const char* line) {
    return std::string_view(line) != "Total" && ctlTax_11->Amount(line) < 0;
  });
}

void frmTax::ShowNegativeRuleMessage() {
  ui::MsgBox("If data entered on any line is negative, you must provide an explanation for each line",
             ui::vbInformation);
}

bool frmTax::RefusedByNegativeRule(Trap& trap) {
  if (!NegativeRuleBroken()) return false;
  trap([&] { ShowNegativeRuleMessage(); });
  trap([&] { BusyOff(); });
  return true;
}

// --- Save ----------------------------------------------------------------------------------

void frmTax::mnuFile_Save_Click() {
  Trap trap(kModule, "mnuFile_Save_Click");
  trap([&] { cmdRecalculate_Click(); });
}

void frmTax::cmdRecalculate_Click() {
  Trap trap(kModule, "cmdRecalculate_Click");
  trap([&] { BusyOn(); });
  if (RefusedByNegativeRule(trap)) return;
  if (SaveAll("cmdRecalculate_Click")) {
    trap([&] { RefreshButtons(); });
    trap([&] { cboTaxType->setEnabled(true); });
    trap([&] { EnableCopyByPeriod(); });
  }
  trap([&] { BusyOff(); });
}

frmTax::State frmTax::Remember() const {
  State state;
  state.params = Deref(GParam.get());
  state.dirty = mblnDirty;
  state.newRecord = mblnNewRecord;
  state.priorYearMode = modGlobals::gblnPriorYearMode;
  state.newResCounty = modGlobals::glngNewResCountyID;
  state.newResDistrict = modGlobals::glngNewResDistrictID;
  state.taxType = modGlobals::gintTaxType;
  state.position = mrsTax ? mrsTax->AbsolutePosition() : -1;
  return state;
}

// After the change was rolled back: the rows as the database holds them
// again, on the row that was current, and the form's state as it was. The
// values on screen stay.
void frmTax::GiveBack(const State& state) {
  *GParam = state.params;
  mblnDirty = state.dirty;
  mblnNewRecord = state.newRecord;
  modGlobals::gblnPriorYearMode = state.priorYearMode;
  modGlobals::glngNewResCountyID = state.newResCounty;
  modGlobals::glngNewResDistrictID = state.newResDistrict;
  modGlobals::gintTaxType = state.taxType;
  mrsTax = TaxTypeRows();
  ReturnTo(Deref(mrsTax.get()), state.position);
}

bool frmTax::SaveAll(const char* procedure) {
  Trap trap(kModule, procedure);
  const State before = Remember();
  bool recalculated = true;
  bool saved = false;
  {
    std::optional<db::Transaction> change;
    saved = trap([&] { change.emplace(*modGlobals::SharedConnection()); }) && bSaveRecord() &&
            trap([&] { recalculated = RunCalculation(); }) && recalculated && trap([&] {
              modCOE::UpdateCOEFormsStatus(*GParam, true);
              modCOE::RequireFormStatus(*GParam, false, true);
            }) &&
            trap([&] { change->Commit(); });
  }
  if (saved) return true;

  Trap giveBack(kModule, procedure);
  giveBack([&] { GiveBack(before); });
  if (!recalculated) giveBack([] {
    ui::MsgBox("The data could not be recalculated and has not been saved.", ui::vbInformation);
  });
  return false;
}

bool frmTax::bSaveRecord() {
  Trap trap(kModule, "bSaveRecord");
  db::Recordset* rows = nullptr;
  if (!trap([&] { rows = &Deref(mrsTax.get()); })) return false;
  const clsGlobalParam& p = *GParam;
  if (mblnNewRecord) {
    const bool keyed = trap([&] { rows->AddNew(); }) && trap([&] {
      rows->SetValue("County_id", Variant(p.CountyID));
      rows->SetValue("School_District_id", Variant(p.DistrictID));
      rows->SetValue("Fiscal_Year", Variant(p.ReportYear));
      rows->SetValue("period_id", Variant(p.ReportPeriod));
      rows->SetValue("SCHOOL_ID", Variant(0));
      rows->SetValue("res_county_id", Variant(modGlobals::glngNewResCountyID));
      rows->SetValue("res_school_district_id", Variant(modGlobals::glngNewResDistrictID));
      rows->SetValue("TaxType", Variant(modGlobals::gintTaxType));
    });
    // The names of the agency of residence: a county office for the county
    // type, a district for the district type.
    const bool named = keyed && trap([&] {
      SqlText q;
      q << "select county_name,school_district_name , DISTRICT_TYPE from krn_leas where FISCAL_YEAR = "
        << Param(Variant(p.ReportYear)) << " and stat_type = 'OPEN' and lea_type = "
        << (modGlobals::gintTaxType == 0 ? "2" : "3") << " and county_id = "
        << Param(Variant(modGlobals::glngNewResCountyID)) << " and school_district_id = "
        << Param(Variant(modGlobals::glngNewResDistrictID));
      if (modGlobals::gintTaxType == 0) q << " and school_id = 0";
      db::RecordsetPtr agency = modGlobals::AdoUtils().getNewRecordSet();
      agency->Open(q.Sql(), modGlobals::AdoUtils().Conn(), q.Params());
      if (agency->RecordCount() >= 1) {
        rows->SetValue("ResCountyName", agency->Value("county_name"));
        rows->SetValue("ResSchoolDistName", agency->Value("school_district_name"));
        rows->SetValue("ResDistrictType", agency->Value("DISTRICT_TYPE"));
      }
    });
    if (!named) return false;
  } else if (!trap([&] {
               modGlobals::glngNewResCountyID = vb::CLng(rows->Value("res_county_id"));
               modGlobals::glngNewResDistrictID = vb::CLng(rows->Value("res_school_district_id"));
               modGlobals::gintTaxType = vb::CInt(rows->Value("TaxType"));
             })) {
    return false;
  }
  if (!trap([&] { modCOE::SetValuesInRs(*rows, ctlTax_11->Controls()); })) return false;
  if (!trap([&] { recorddialogs::Submit(*rows); })) return false;
  mblnDirty = false;
  mblnNewRecord = false;
  modCOE::SetPriorYearMode();
  return true;
}

bool frmTax::RunCalculation() {
  const long position = Deref(mrsTax.get()).AbsolutePosition();
  std::string table = kTable;
  std::shared_ptr<vb::Object> none;
  if (!modValidationCalculation::CalculateValues(table, mrsTax, none)) return false;
  // The rows as the calculation handed them back. It may have changed any
  // row's total: every row is keyed.
  db::Recordset& calculated = Deref(mrsTax.get());
  modCOE::SetCertKeysInRs(kTable, calculated, false);
  ReturnTo(calculated, position);
  recorddialogs::Submit(calculated);

  clsGlobalParam& p = *GParam;
  const vb::Date now = ui::Now();
  p.LastModifiedDate = now;
  p.EditCheckDate = now;
  // The certificate number covers the agency's rows of both tax types.
  db::RecordsetPtr agency = AgencyRows();
  if (Deref(agency.get()).RecordCount() == 0) {
    p.NumRecord = 0;
  } else {
    p.CertKey = modCOE::GetGroupCertKey(*agency, modMain::GetSortKeys(p, ""));
    p.NumRecord = static_cast<std::int16_t>(agency->RecordCount());
  }
  p.NumError = 0;
  p.NumWarning = 0;
  // The recalculated values appear.
  modCOE::SetValuesFromRs(calculated, ctlTax_11->Controls(), false);
  mblnDirty = false;
  return true;
}

// --- After a delete --------------------------------------------------------------------------

void frmTax::StatusAfterDelete(bool typeHasRows) {
  clsGlobalParam& p = *GParam;
  db::RecordsetPtr agency = AgencyRows();
  const long count = Deref(agency.get()).RecordCount();
  if (!typeHasRows && count == 0) {
    // The agency has no tax row left: the form is without data, and its
    // notes go with it.
    p.NumRecord = 0;
    modCOE::UpdateSetCOEFormsStatus(p, true);
    modCOE::RequireFormStatus(p, true, false);
    modCOE::TorbNotesDeletion(p.ReportYear, p.DistrictID, p.CountyID, p.SchoolId, kTable,
                              static_cast<std::int16_t>(p.ReportPeriod));
    const Variant notes = modGlobals::SharedConnection()->Scalar(
        "select count(*) from TORB_FORM_NOTES where Fiscal_Year = ? and Period_ID = ? and County_ID = ? "
        "and School_District_ID = ? and SCHOOL_ID = ? and FOrm_Name = ?",
        {Variant(p.ReportYear), Variant(p.ReportPeriod), Variant(p.CountyID), Variant(p.DistrictID),
         Variant(p.SchoolId), Variant(kTable)});
    if (vb::CLng(notes) > 0) vb::Raise(vb::err::Unspecified, "The notes of the form were not deleted.");
    return;
  }
  p.NumRecord = static_cast<std::int16_t>(count);
  const vb::Date now = ui::Now();
  p.LastModifiedDate = now;
  p.EditCheckDate = now;
  p.CertKey = modCOE::GetGroupCertKey(*agency, modMain::GetSortKeys(p, ""));
  modCOE::UpdateSetCOEFormsStatusForNonEditCheckMultiForms(p);
  modCOE::RequireFormStatus(p, false, false);
}

// --- The prior-year correction -----------------------------------------------------------------

void frmTax::CorrectionStep(Trap& trap) {
  trap([&] {
    const clsGlobalParam& p = Deref(GParam.get());
    const auto rows = static_cast<std::int16_t>(mrsTax ? mrsTax->RecordCount() : 0);
    modCOE::AskCorrectionReason(rows, p.ReportYear, p.ReportPeriod, p.CountyID, p.DistrictID, p.SchoolId,
                                static_cast<std::int16_t>(p.FormNo), true, true, true);
  });
}
