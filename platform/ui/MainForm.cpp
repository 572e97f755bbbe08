#include "ui/MainForm.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QResizeEvent>
#include <QShowEvent>

#include "ui/Form.h"
#include "ui/ScreenPlace.h"

namespace ui {

MainForm::MainForm(QWidget* parent) : QMainWindow(parent) {}

void MainForm::ShowModeless() {
  Load();
  show();
}

void MainForm::Unload() {
  RunUnload();
  close();
}

void MainForm::closeEvent(QCloseEvent* event) {
  RunUnload();
  QMainWindow::closeEvent(event);
}

void MainForm::keyPressEvent(QKeyEvent* event) {
  if (!PressFocusedButton(*this, *event)) QMainWindow::keyPressEvent(event);
}

void MainForm::resizeEvent(QResizeEvent* event) {
  QMainWindow::resizeEvent(event);
  if (Loaded()) Form_Resize();
}

void MainForm::showEvent(QShowEvent* event) {
  if (!event->spontaneous()) PlaceOnScreen(*this);
  QMainWindow::showEvent(event);
}

}  // namespace ui
