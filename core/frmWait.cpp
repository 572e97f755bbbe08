#include "frmWait.h"

#include <QPointer>

frmWait::frmWait(QWidget* parent) : ui::Form(parent) {
  setupUi(this);
  QFont font = lblMsg->font();
  font.setStyleHint(QFont::TypeWriter);
  font.setPointSizeF(10.5);
  font.setBold(true);
  lblMsg->setFont(font);
}

frmWait& frmWait::Default() {
  static QPointer<frmWait> instance;
  if (!instance) instance = new frmWait;
  return *instance;
}
