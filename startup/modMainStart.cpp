#include "modMainStart.h"

#include <QApplication>
#include <QWidget>

#include "Utilities.h"
#include "frmWait.h"
#include "modGlobals.h"
#include "ui/Pump.h"
#include "zelErrHandler.h"

namespace modMain {

void ShowWaitMsg(const std::string& Msg) {
  Trap trap("modMain", "ShowWaitMsg", Trap::Mode::Silent);
  if (!Msg.empty()) {
    trap([&] { frmWait::Default().lblMsg->setText(QString::fromStdString(Msg)); });
    trap([] { frmWait::Default().ShowModeless(); });
    trap([] { ui::DoEvents(); });
    return;
  }
  trap([] { frmWait::Default().lblMsg->clear(); });
  trap([] { frmWait::Default().Unload(); });
  trap([] { Utilities::ScreenMouseEnabled(true); });
}

void OnFormOpen(clsGlobalParam& /*Param*/) {
  Trap trap("modMain", "OnFormOpen");
  if (modGlobals::gstrCurrentForm != "frmMain") return;
  QWidget* mainWindow = nullptr;
  for (QWidget* window : QApplication::topLevelWidgets())
    if (window->objectName() == "frmMain") mainWindow = window;
  if (!mainWindow) return;
  for (const char* button : {"cmdSelection_2", "cmdSelection_3"})
    trap([&] { mainWindow->findChild<QWidget*>(button)->setVisible(true); });
  for (const char* control : {"dgForms", "cmdSelection_0", "cmdSelection_1", "cmdSelection_2", "cmdSelection_3"})
    trap([&] { mainWindow->findChild<QWidget*>(control)->setEnabled(false); });
  trap([&] { mainWindow->setEnabled(true); });
}

}  // namespace modMain
