#pragma once
// The tax form: the entry screen of table Tax. For the agency taken up in
// the main window, the fiscal year and the period it shows the agency's tax
// rows of one tax type (County or District, chosen first) one at a time in
// the tax entry control, and lets the user move through them, add, cancel,
// delete and save them. Every save recalculates the rows through the
// calculation component, keys them and rewrites the form's status row with
// the certificate number of all the agency's tax rows; a save, like a
// delete, is one change of the database.
//
// The main window opens the form modally through the maker that Install
// puts in place, after it has put the chosen form's identity and status
// into the global parameters; the form works on its own copy of them
// (GParam) and hands results back only through the database.
//
// The class lives in two files: frmTax.cpp (the window and its commands)
// and frmTaxSave.cpp (saving, the negative-amount rule, the status upkeep
// and the prior-year correction step). The rows, their keys, certificate and
// status row are the form operations' (forms/TaxForm.h).

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>

#include "FormScope.h"
#include "TaxForm.h"
#include "clsGlobalParam.h"
#include "db/Recordset.h"
#include "ui/Form.h"
#include "ui/MenuModel.h"
#include "ui_frmTax.h"

class Trap;

class frmTax : public ui::Form, public Ui::frmTax {
  Q_OBJECT

 public:
  explicit frmTax(QWidget* parent = nullptr);
  ~frmTax() override;

  // The form's own copy of the global parameters, made at load: every query,
  // save and status write of the form reads it.
  std::shared_ptr<clsGlobalParam> GParam;

  // A new tax form, loaded, for the main window to show.
  static std::unique_ptr<QWidget> MakeWindow();
  // Makes MakeWindow the maker through which the main window's entry-screen
  // list opens the tax form.
  static void Install();

  // The window's menus, by item name.
  ui::MenuModel& Menus() { return *menus_; }
  // The values shown were changed and are not saved.
  bool Dirty() const { return mblnDirty; }
  // The next save adds a row with the keys chosen in the new-record dialog.
  bool NewRecordPending() const { return mblnNewRecord; }

  // --- Commands.
  void cboTaxType_Click();
  void cmdMoveFirst_Click();
  void cmdMovePrevious_Click();
  void cmdMoveNext_Click();
  void cmdMoveLast_Click();
  void cmdAddNew_Click();
  void cmdDelete_Click();
  void cmdCancel_Click();
  // Save: the row, the recalculated and keyed rows and the status row, as
  // one change.
  void cmdRecalculate_Click();
  void mnuFile_Save_Click();
  // Check/Save is disabled and does nothing.
  void cmdEditCheck_Click();
  void mnuFile_SaveAndCheck_Click();
  void cmdClose_Click();
  void mnuFile_Close_Click();
  void mnuFile_Print_Click();
  void mnuPrinterSetup_Click();
  void mnuNote_Add_Click();
  void mnuCopy_Click();
  void mnuHelp_Help_Click();

 protected:
  void Form_Load() override;
  void Form_Activate() override;
  void Form_QueryUnload(bool& cancel, UnloadMode mode) override;
  void Form_Unload() override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  // --- The hosted controls' events.
  void ctlTax_11_OnEnter();
  void ctlTax_11_PropChanged();
  void ctlTax_11_OnReachEnd();
  void ctlTabCombo1_TabClick();

  // --- The window.
  void Form_Resize();
  // Lays the switcher, the entry control and the bottom bar out in the
  // window; a step that fails is skipped.
  void Resize();
  void UseCtl();
  // The position text and the states of the record commands.
  void RefreshButtons();
  void EnableMoveButtons(bool enabled);
  void EnableCopyByPeriod();
  // The hourglass with the window disabled, and back.
  void BusyOn();
  void BusyOff();
  // Closes the window unless the negative-amount rule is broken.
  void CheckAndClose();
  void OpenHelpPage();

  // --- The rows.
  // The form's scope: GParam's agency, year, period and form, with the tax
  // type chosen.
  forms::FormScope Scope() const;
  // The agency's rows of the tax type chosen, read again (no record set
  // after a reported failure).
  db::RecordsetPtr TaxTypeRows() const;
  // All of the agency's rows of the year and period, both tax types.
  db::RecordsetPtr AgencyRows() const;
  // The current row in the entry control, or the control blanked.
  void ShowRow();
  void BlankControl();
  // The amount lines were filled from the current row of `rows`: each
  // holds that row's value until the user changes it.
  void RememberFilledLines(db::Recordset& rows);
  void ShowPosition();
  // A move command: the move of the rows, then the row shown.
  void Move(const char* procedure, void (db::Recordset::*move)());
  // Drops a new row that waits for its save and the keys handed back for it.
  void DropPendingNewRow();

  // --- Saving (frmTaxSave.cpp).
  // Whether the explanation is empty while an amount line is negative.
  bool NegativeRuleBroken() const;
  void ShowNegativeRuleMessage();
  // When the rule is broken: its message, the window usable again, and true
  // (the command stops). Steps of the caller's guard.
  bool RefusedByNegativeRule(Trap& trap);
  // The save as one change of the database, its steps under the guard of
  // `procedure`: the row, the recalculation and keys, and the status row.
  // Answers whether it was saved; otherwise the database, the rows and the
  // form's state are as they were, the values on screen included.
  bool SaveAll(const char* procedure);
  // The values on screen into the current row (a new one keyed first), and
  // the row written; the keys of the row are kept for after the save.
  bool bSaveRecord();
  // The current row deleted as one change with the form's status, its steps
  // under the guard; answers whether it was, and whether the tax type shown
  // has rows left. Otherwise the database is as it was.
  bool DeleteCurrent(Trap& trap, bool& typeHasRows);
  // The prior-year correction question for the rows shown.
  void CorrectionStep(Trap& trap);

  // What a change that fails gives back: the form's state and the row that
  // was current. (The form operations leave the parameters and the
  // program-wide hand-over as they were; those change only after a save.)
  struct State {
    bool dirty = false;
    bool newRecord = false;
    long position = -1;
  };
  State Remember() const;
  void GiveBack(const State& state);
  // The rows read again where GiveBack could not read them (the database
  // was unreadable then), on the row that was current; a step of the
  // caller's guard. Answers whether the form holds rows it can use.
  bool ReadAgainIfStale(Trap& trap);

  std::unique_ptr<ui::MenuModel> menus_;
  db::RecordsetPtr mrsTax;
  // After a failed change whose rows could not be read again: mrsTax may
  // hold what the rolled-back change wrote, and is read again, on this
  // position, before the next command uses it.
  bool rowsStale_ = false;
  long stalePosition_ = -1;
  bool mblnDirty = false;
  bool mblnNewRecord = false;
  // The keys of the row the save writes.
  taxform::RowKeys savedKeys_;
  // The stored values of the amount lines the user has not changed since
  // they were filled from a row, by column. A line shows its value rounded
  // to whole dollars, and one that could not take its value (more whole
  // digits than it shows) keeps what it showed before; a save writes these
  // back, so that an amount never changes without the user typing one.
  std::map<std::string, vb::Variant> unchangedLines_;
};
