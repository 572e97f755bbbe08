#pragma once
// What the record dialogs of the tax form share: reading rows on the
// program's connection and the window at work.

#include <QWidget>

#include "db/Recordset.h"
#include "db/SqlText.h"

namespace recorddialogs {

// The rows of a query on the program's connection, held without the
// connection. A failure is reported by the data-access class and answers no
// record set.
db::RecordsetPtr Fetch(const db::SqlText& q);
// The record set holds at least one row.
bool HasRows(const db::RecordsetPtr& rs);

// The face of the dialogs' design: a sans-serif font of 8.25 points, which
// their sizes were laid out for.
void DesignFace(QWidget& window);
// Widens the window's labels whose text is longer than their design width
// where the face's letters are wider: a right-aligned label to the left, a
// centred one to both sides, any other to the right.
void FitLabels(QWidget& window);
// The drop-down lists of the window's boxes open wide enough for their
// longest row, as the boxes themselves are narrow for long names.
void WidePopups(QWidget& window);

// A window at work: the hourglass pointer and the window disabled for the
// life of the guard, the normal pointer and the window enabled again
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
