#include "ui/Form.h"

#include <QCloseEvent>

#include "ui/Dialogs.h"

namespace ui {

Form::Form(QWidget* parent) : QDialog(parent) {}

void Form::Load() {
  if (loaded_) return;
  loaded_ = true;
  Form_Load();
}

int Form::ShowModal() {
  Load();
  Form_Activate();
  return dialogs().ShowModal(*this);
}

void Form::ShowModeless() {
  Load();
  Form_Activate();
  setModal(false);
  show();
}

void Form::RunUnload() {
  if (!loaded_) return;
  loaded_ = false;
  Form_Unload();
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
