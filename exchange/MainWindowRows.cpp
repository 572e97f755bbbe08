#include "MainWindowRows.h"

#include <algorithm>
#include <cstdint>

#include "frmMain.h"
#include "modGlobals.h"
#include "ui/DataGrid.h"
#include "vb/Trap.h"

namespace mainwindowrows {

long AgencyPosition(frmMain& w) {
  const db::RecordsetPtr& agencies = w.dgLEA->DataSource();
  return agencies ? agencies->AbsolutePosition() : -1;
}

void SavePositions(frmMain& w, long agencyPosition) {
  const db::RecordsetPtr& forms = w.FormList();
  modGlobals::gintSavedFormRow = static_cast<std::int16_t>(std::clamp(forms ? forms->AbsolutePosition() : -1L, -1L, 32767L));
  modGlobals::gintSavedLEARow = static_cast<std::int16_t>(std::clamp(agencyPosition, -1L, 32767L));
}

void PutAgencyBack(Trap& trap, frmMain& w, long position) {
  trap([&] {
    const db::RecordsetPtr& agencies = w.dgLEA->DataSource();
    if (agencies && position >= 1 && position <= agencies->RecordCount()) agencies->AbsolutePosition(position);
  });
  trap([&] {
    const QModelIndex current = w.dgLEA->currentIndex();
    if (current.isValid()) w.dgLEA->selectRow(current.row());
  });
  trap([&] { w.setFocus(); });
}

void DisableEntryScreens(frmMain& w) {
  w.cmdSelection[0]->setEnabled(false);
  w.cmdSelection[1]->setEnabled(false);
  w.dgForms->setEnabled(false);
}

}  // namespace mainwindowrows
