#pragma once
// The notes window: one free-text note per agency, fiscal year, period and
// entry screen, kept in TORB_FORM_NOTES. A note can be saved only while the
// entry screen's own table holds rows for the agency, year and period. The
// program has one shared instance, which modMain::ShowFormNote (the entry
// screens' "Add Note" command) opens on the screen's own parameters object.

#include <string>

#include "db/Recordset.h"
#include "modMainStart.h"
#include "ui/Form.h"
#include "ui_frmFormNote.h"

class Trap;
class clsGlobalParam;

class frmFormNote : public ui::Form, public modMain::NotesWindow, public Ui::frmFormNote {
  Q_OBJECT

 public:
  explicit frmFormNote(QWidget* parent = nullptr);

  // The opener's parameters object (not a copy): the window reads its agency,
  // year, period and form from it and brings its period into 1..3.
  void GParam(clsGlobalParam* param) override { gparam_ = param; }
  clsGlobalParam* GParam() const { return gparam_; }

  // Loads the note of the context's agency, year, period and form into the
  // box; leaves the box as it is when there is none.
  void RefreshData() override;
  int ShowModal() override { return ui::Form::ShowModal(); }

  void cmdSave_Click();
  void cmdCancel_Click();
  void cmdDelete_Click();
  // Closes the window and releases the shared instance; an emptied box is
  // first given back its last loaded or saved text, so Close never stores
  // an empty note.
  void cmdClose_Click();

  // The shared instance, made on first use.
  static frmFormNote& Shared();
  // The shared instance when one exists.
  static frmFormNote* SharedIfAny();
  // Lets the shared instance go (it is deleted once control returns to the
  // event loop); the next Shared() makes a fresh one.
  static void ReleaseShared();
  // Makes the shared instance the window of modMain::ShowFormNote.
  static void Install();

 protected:
  void Form_Load() override;
  void Form_Activate() override;
  void Form_Unload() override;

 private:
  // The note save of Save and of the closing prompt, as steps of the
  // caller's trap: writes the trimmed box text into the note row (adding it
  // when there is none) when the entry screen has data, else says
  // "Cannot save now!". With `announce`, a written note is confirmed.
  void SaveNote(Trap& trap, bool announce);
  clsGlobalParam& Context() const;
  std::string BoxText() const;
  std::string TrimmedBox() const;

  // The note row set: connected, so its changes reach the table at once.
  clsGlobalParam* gparam_ = nullptr;
  db::RecordsetPtr rsNote_;
  // The box text, trimmed of blanks, as last loaded, saved or refused; the
  // closing prompt asks only when the box differs from it.
  std::string baseline_;
};
