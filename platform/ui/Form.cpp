#include "ui/Form.h"

#include <QCloseEvent>

#include "ui/Dialogs.h"

namespace ui {

Form::Form(QWidget* parent) : QDialog(parent) {}

int Form::ShowModal() {
  Load();
  return dialogs().ShowModal(*this);
}

void Form::ShowModeless() {
  Load();
  setModal(false);
  show();
}

void Form::Unload(int result) {
  RunUnload();
  QDialog::done(result);
}

void Form::reject() { Unload(QDialog::Rejected); }

void Form::closeEvent(QCloseEvent* event) {
  RunUnload();
  QDialog::closeEvent(event);
}

}  // namespace ui
