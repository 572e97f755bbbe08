#include "ui/MainForm.h"

#include <QCloseEvent>
#include <QResizeEvent>

namespace ui {

MainForm::MainForm(QWidget* parent) : QMainWindow(parent) {}

void MainForm::Load() {
  if (loaded_) return;
  loaded_ = true;
  Form_Load();
}

void MainForm::ShowModeless() {
  Load();
  show();
}

void MainForm::RunUnload() {
  if (!loaded_) return;
  loaded_ = false;
  Form_Unload();
}

void MainForm::Unload() {
  RunUnload();
  close();
}

void MainForm::closeEvent(QCloseEvent* event) {
  RunUnload();
  QMainWindow::closeEvent(event);
}

void MainForm::resizeEvent(QResizeEvent* event) {
  QMainWindow::resizeEvent(event);
  if (loaded_) Form_Resize();
}

}  // namespace ui
