#pragma once
// The correction-reason window: records, for one agency and one entry
// screen, why prior-year data were changed (a reason from
// PY_CORRECTION_REASON and a note) in the agency's form-status row, and
// clears them again. It reads its context from the program-wide hand-over
// variables and global parameters and writes only to the database.
//
// Required mode (gblnCorrectionPending set, as the tax form asks after a
// save): Save and Delete are disabled and Close saves; the window cannot be
// left until a reason and a note are stored, unless they cannot be: when
// the agency has no status row of the form, or the write failed and was not
// retried, Close says that nothing was saved and closes, writing nothing. On-demand mode (the main
// window's correction column): Save stores, Delete clears, Close asks first
// when a reason was chosen since opening or the last save or delete.

#include <cstddef>

#include "ui/Form.h"
#include "ui_frmCORRECTION_REASON.h"

class frmCORRECTION_REASON : public ui::Form, public Ui::frmCORRECTION_REASON {
  Q_OBJECT

 public:
  explicit frmCORRECTION_REASON(QWidget* parent = nullptr);

  // The longest note that is stored; the note box takes no more.
  static constexpr std::size_t kNoteLength = 1000;

  void cboRCode_Click();
  void cmdSave_Click();
  void cmdDelete_Click();
  void cmdClose_Click();

  // Installs the maker through which the tax form's correction question
  // shows this window: a new window, loaded, centred on the active window.
  static void Install();

 protected:
  void Form_Load() override;
  // The close box and Escape act as Close.
  void reject() override;
  void closeEvent(QCloseEvent* event) override;

 private:
  // Checks the input and writes the correction into the status row,
  // telling the user when it was refused.
  enum class Saving { Saved, Blank, NoStatusRow, Failed };
  Saving bSaveCorrection();
  // Cuts what an edit put into the note box beyond kNoteLength characters.
  void KeepNoteLength();
  // The required mode (the window was opened to ask for a reason).
  static bool Required();

  // A reason was chosen since the window opened or was last saved or
  // cleared (editing the note alone is no change).
  bool changed_ = false;
  // Where the last edit of the note box inserted its text.
  int editStart_ = 0;
  int editEnd_ = 0;
};
