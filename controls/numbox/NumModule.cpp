#include "numbox/NumModule.h"

#include "numbox/CNumAboutDlg.h"
#include "numbox/CNumCtrl.h"
#include "numbox/TypeLibrary.h"

#include <QDialog>

namespace numbox {

namespace {

ShowModalHook& InstalledHook() {
  static ShowModalHook hook;
  return hook;
}

}  // namespace

CNumCtrl* CreateControl(const QString& progId, QWidget* parent) {
  if (progId.compare(QLatin1String(kProgId), Qt::CaseInsensitive) != 0) return nullptr;
  return new CNumCtrl(parent);
}

ShowModalHook SetShowModal(ShowModalHook hook) {
  ShowModalHook previous = std::move(InstalledHook());
  InstalledHook() = std::move(hook);
  return previous;
}

int ShowModal(QDialog& dialog) {
  if (const ShowModalHook& hook = InstalledHook()) return hook(dialog);
  return dialog.exec();
}

int ShowAboutBox() {
  // The box has no parent window, as the stock about box has none.
  CNumAboutDlg box;
  return ShowModal(box);
}

}  // namespace numbox

QWidget* NumboxCreateControl(const char* progId, QWidget* parent) {
  return numbox::CreateControl(QString::fromLatin1(progId ? progId : ""), parent);
}
