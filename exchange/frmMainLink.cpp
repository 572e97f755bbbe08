#include "frmMainLink.h"

#include "frmMain.h"
#include "vb/VbError.h"

frmMainLink::frmMainLink(frmMain& window) : window_(&window) {}

frmMain& frmMainLink::Window() const { return vb::Deref(window_.data()); }

bool frmMainLink::CorrectionMarked() const {
  ui::MenuModel& menus = Window().Menus();
  return menus.Item("mnu_PY_P2").Checked() || menus.Item("mnu_PY_Annual").Checked();
}

void frmMainLink::DisconnectTopandBottomGrid() { Window().DisconnectTopandBottomGrid(); }

void frmMainLink::ConnectTopandBottomGrid() { Window().ConnectTopandBottomGrid(); }

void frmMainLink::RefreshTopandBottomGrid(bool bNoShowMessage) { Window().RefreshTopandBottomGrid(bNoShowMessage); }
