// The tax form's saving: the negative-amount rule, the save as one change
// (the row, the recalculated and keyed rows, the status row), the status
// upkeep after a delete and the prior-year correction step. The data half
// of each is the form operations' (forms/TaxForm.h); here the window hands
// in its scope and guard, shows what the user sees and keeps its state.

#include <algorithm>
#include <string_view>

#include "FormData.h"
#include "ScopeOfParams.h"
#include "TaxForm.h"
#include "ctlTax_1.h"
#include "frmTax.h"
#include "frmTaxDetail.h"
#include "modCOE.h"
#include "modCOECorrection.h"
#include "modGlobals.h"
#include "ui/Clock.h"
#include "ui/Dialogs.h"
#include "vb/App.h"
#include "vb/Conversions.h"
#include "zelErrHandler.h"

using frmTaxDetail::kModule;
using modValidationCalculation::Calculation;
using vb::Deref;

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

forms::FormScope frmTax::Scope() const { return forms::ScopeOf(Deref(GParam.get()), modGlobals::gintTaxType); }

frmTax::State frmTax::Remember() const {
  State state;
  state.dirty = mblnDirty;
  state.newRecord = mblnNewRecord;
  state.position = mrsTax ? mrsTax->AbsolutePosition() : -1;
  return state;
}

// After the change was rolled back: the rows as the database holds them
// again, on the row that was current, and the form's state as it was. The
// values on screen stay. The change's failure was reported; when the rows
// cannot be read now either (a lock that blocks reading outlasts it), the
// form keeps its record set and reads it again before the next command
// uses it, rather than reporting the same failure again and losing its
// rows.
void frmTax::GiveBack(const State& state) {
  mblnDirty = state.dirty;
  mblnNewRecord = state.newRecord;
  rowsStale_ = true;
  stalePosition_ = state.position;
  Trap quiet(kModule, "GiveBack", Trap::Mode::Silent);
  ReadAgainIfStale(quiet);
}

bool frmTax::ReadAgainIfStale(Trap& trap) {
  if (!rowsStale_) return true;
  return trap([&] {
    db::RecordsetPtr again = taxform::ReadTaxTypeRows(modGlobals::SharedConnection(), Scope());
    ReturnTo(*again, stalePosition_);
    mrsTax = std::move(again);
    rowsStale_ = false;
  });
}

bool frmTax::SaveAll(const char* procedure) {
  Trap trap(kModule, procedure);
  if (!ReadAgainIfStale(trap)) return false;
  const State before = Remember();
  forms::FormStatus status = forms::StatusOf(Deref(GParam.get()));
  taxform::SaveSteps steps;
  steps.writeRow = [this] { return bSaveRecord(); };
  steps.showCalculated = [this](db::Recordset& calculated) {
    modCOE::SetValuesFromRs(calculated, ctlTax_11->Controls(), false);
    RememberFilledLines(calculated);
    mblnDirty = false;
  };
  // The status row's kind follows the form the program has open, as the
  // status upkeep reads it from the global parameters.
  const taxform::SaveResult result =
      taxform::SaveAll(modGlobals::SharedConnection(), Scope(), mrsTax, status, modGlobals::GlobalParam().FormNo,
                       ui::Now(), trap, steps);
  if (result.saved) {
    forms::TakeStatus(*GParam, status);
    // The saved row's keys are the hand-over of the new-record dialog now.
    modGlobals::glngNewResCountyID = savedKeys_.resCounty;
    modGlobals::glngNewResDistrictID = savedKeys_.resDistrict;
    modGlobals::gintTaxType = savedKeys_.taxType;
    modCOE::SetPriorYearMode();
    return true;
  }

  Trap giveBack(kModule, procedure);
  if (result.calculation == Calculation::NoComponent)
    giveBack([] { ui::MsgBox(modValidationCalculation::kNoCalculationObject, ui::vbExclamation + ui::vbOKOnly, vb::App::Title()); });
  giveBack([&] { GiveBack(before); });
  if (result.calculation != Calculation::Done) giveBack([] {
    ui::MsgBox("The data could not be recalculated and has not been saved.", ui::vbInformation);
  });
  return false;
}

bool frmTax::bSaveRecord() {
  Trap trap(kModule, "bSaveRecord");
  db::Recordset* rows = nullptr;
  if (!trap([&] { rows = &Deref(mrsTax.get()); })) return false;
  const db::ConnectionPtr conn = modGlobals::SharedConnection();
  if (mblnNewRecord) {
    const forms::FormScope scope = Scope();
    const taxform::RowKeys keys{modGlobals::glngNewResCountyID, modGlobals::glngNewResDistrictID,
                                modGlobals::gintTaxType};
    const bool keyed = trap([&] { rows->AddNew(); }) && trap([&] { taxform::KeyNewRow(*rows, scope, keys); });
    // The names of the agency of residence.
    const bool named = keyed && trap([&] { taxform::NameResidence(conn, *rows, scope, keys); });
    if (!named) return false;
    savedKeys_ = keys;
  } else if (!trap([&] { savedKeys_ = taxform::KeysOfRow(*rows); })) {
    return false;
  }
  if (!trap([&] { modCOE::SetValuesInRs(*rows, ctlTax_11->Controls()); })) return false;
  // The lines the user did not change keep the row's stored values exactly:
  // cents the line does not show, and an amount it could not show. (An
  // empty stored amount is written as the 0 the line showed for it.)
  if (!trap([&] {
        for (const auto& [column, stored] : unchangedLines_)
          if (!stored.IsNull()) rows->SetValue(column, stored);
      }))
    return false;
  if (!trap([&] { forms::Submit(conn, *rows); })) return false;
  mblnDirty = false;
  mblnNewRecord = false;
  return true;
}

// --- After a delete --------------------------------------------------------------------------

bool frmTax::DeleteCurrent(Trap& trap, bool& typeHasRows) {
  forms::FormStatus status = forms::StatusOf(Deref(GParam.get()));
  const taxform::DeleteResult result =
      taxform::DeleteRow(modGlobals::SharedConnection(), Scope(), mrsTax, status, ui::Now(), trap);
  typeHasRows = result.typeHasRows;
  if (result.deleted) forms::TakeStatus(*GParam, status);
  return result.deleted;
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
