#include "RecordDialogs.h"

#include "Utilities.h"
#include "clsDataAccess.h"
#include "modGlobals.h"

namespace recorddialogs {

db::RecordsetPtr Fetch(const db::SqlText& q) {
  return clsDataAccess().GetRecordset(q.Sql(), q.Params(), modGlobals::gstrConnectionString,
                                      modGlobals::SharedConnection());
}

bool HasRows(const db::RecordsetPtr& rs) {
  return rs && rs->State() == db::ObjectState::Open && rs->RecordCount() > 0;
}

BusyWindow::BusyWindow(QWidget& window) : window_(window) {
  Utilities::ScreenMouseEnabled(false);
  window_.setEnabled(false);
}

BusyWindow::~BusyWindow() {
  Utilities::ScreenMouseEnabled(true);
  window_.setEnabled(true);
}

}  // namespace recorddialogs
