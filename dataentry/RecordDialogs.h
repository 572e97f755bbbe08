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
