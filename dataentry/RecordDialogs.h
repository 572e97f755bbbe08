#pragma once
// What the tax form and its record dialogs share: the look of a dialog,
// the answers of a new-record look-up and the window at work.

#include <QWidget>
#include <string_view>

#include "db/Recordset.h"
#include "ui/Form.h"
#include "zelErrHandler.h"

namespace recorddialogs {

// The record set holds at least one row.
bool HasRows(const db::RecordsetPtr& rs);

// The look of a dialog as designed, set up once its controls are made: the
// sans-serif face of 8.25 points that its sizes were laid out for, labels
// widened where the face's letters are wider than their design width (a
// right-aligned one to the left, a centred one to both sides, any other to
// the right), the window's size fixed, and drop-down lists that grow to show
// their longest row whole, widening the window with them within its screen
// (the lists end at the window's right margin and the buttons below them
// stay centred).
void DesignLook(QWidget& window);

// The answer of a look-up for a record with the chosen key, as a step of the
// caller's guard: true when there is none and the record may be made; false
// after "Record already exists for this selection" (an information box), and
// also when the look-up failed, so that nothing is handed back.
bool NoExistingRecord(Trap& trap, const db::RecordsetPtr& found);
// Cancel of a new-record window: nothing is chosen (the new-record keys are
// 0) and the window closes. Failures are reported under the window's
// module and "cmdCancel_Click".
void CancelNewRecord(const char* module, ui::Form& window);

// A window at work or done: the hourglass pointer and the window disabled,
// or the normal pointer and the window enabled.
void ShowBusy(QWidget& window, bool busy);

// A window at work for the life of the guard (ShowBusy), done again
// afterwards, also when the work failed.
class BusyWindow {
 public:
  explicit BusyWindow(QWidget& window);
  ~BusyWindow();
  BusyWindow(const BusyWindow&) = delete;
  BusyWindow& operator=(const BusyWindow&) = delete;

 private:
  QWidget& window_;
};

}  // namespace recorddialogs
