#include "ui/Form.h"

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QPushButton>
#include <QShowEvent>
#include <QPointer>
#include <vector>
#include <string>

#include "ui/Dialogs.h"
#include "ui/MainForm.h"
#include "ui/Pump.h"
#include "ui/ScreenPlace.h"
#include "vb/VbError.h"

namespace ui {

Form::Form(QWidget* parent) : QDialog(parent) {}

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

bool Form::QueryUnload(UnloadMode mode) {
  if (!Loaded()) return true;
  if (querying_) return false;
  struct Querying {
    bool& flag;
    explicit Querying(bool& f) : flag(f) { flag = true; }
    ~Querying() { flag = false; }
  } querying(querying_);
  bool cancel = false;
  Form_QueryUnload(cancel, mode);
  return !cancel;
}

bool Form::Unload(int result) {
  if (!QueryUnload(UnloadMode::Code)) return false;
  RunUnload();
  QDialog::done(result);
  return true;
}

void Form::reject() { Unload(QDialog::Rejected); }

void Form::showEvent(QShowEvent* event) {
  if (!event->spontaneous()) PlaceOnScreen(*this);
  QDialog::showEvent(event);
}

void Form::closeEvent(QCloseEvent* event) {
  if (!QueryUnload(UnloadMode::ControlMenu)) {
    event->ignore();
    return;
  }
  RunUnload();
  QDialog::closeEvent(event);
}

void Form::keyPressEvent(QKeyEvent* event) {
  if (!PressFocusedButton(*this, *event)) QDialog::keyPressEvent(event);
}

bool PressFocusedButton(QWidget& window, QKeyEvent& event) {
  const bool enter = event.key() == Qt::Key_Return || event.key() == Qt::Key_Enter;
  if (!enter || (event.modifiers() & ~Qt::KeypadModifier)) return false;
  auto* button = qobject_cast<QPushButton*>(window.focusWidget());
  if (!button || !button->isEnabled() || !button->isVisible()) return false;
  event.accept();
  button->click();
  return true;
}

QWidget* FindForm(std::string_view name) {
  const QString wanted = QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()));
  for (QWidget* widget : QApplication::topLevelWidgets()) {
    auto* form = dynamic_cast<FormLife*>(widget);
    if (form && form->Loaded() && widget->objectName() == wanted) return widget;
  }
  return nullptr;
}

QWidget& Control(QWidget& window, std::string_view name) {
  const QString wanted = QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()));
  if (auto* control = window.findChild<QWidget*>(wanted)) return *control;
  throw vb::VbError(vb::err::NotSupported, window.objectName().toStdString() + " has no control " + std::string(name));
}

void UnloadAll() {
  // Windows may be deleted while events run: hold them weakly.
  std::vector<QPointer<QWidget>> windows;
  for (QWidget* widget : QApplication::topLevelWidgets()) windows.emplace_back(widget);
  for (const QPointer<QWidget>& window : windows) {
    if (!window) continue;
    if (auto* form = dynamic_cast<FormLife*>(window.data())) {
      if (!form->Loaded()) continue;  // not loaded, or already closing
      if (auto* dialog = qobject_cast<Form*>(window.data())) dialog->Unload();
      if (auto* mainWindow = qobject_cast<MainForm*>(window.data())) mainWindow->Unload();
    } else if (window->isVisible()) {
      window->close();
    } else {
      continue;
    }
    DoEvents();
  }
}

}  // namespace ui
