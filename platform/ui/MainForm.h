#pragma once
// The base of the program's main window: the classic life of a form on top
// of a Qt main window (menu bar, central area, status bar). It is loaded on
// first use (Form_Load runs once), shown modeless, resized (Form_Resize) and
// unloaded by a command or its close box (Form_Unload runs once); it can be
// loaded again afterwards.

#include <QMainWindow>

#include "ui/FormLife.h"

namespace ui {

class MainForm : public QMainWindow, public FormLife {
  Q_OBJECT

 public:
  explicit MainForm(QWidget* parent = nullptr);

  void ShowModeless() override;
  // Runs Form_Unload (once) and closes the window.
  void Unload();

 protected:
  virtual void Form_Resize() {}

  void closeEvent(QCloseEvent* event) override;
  // Enter on a focused command button presses it (ui::PressFocusedButton).
  void keyPressEvent(QKeyEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  // Opens the window inside the available area of its screen.
  void showEvent(QShowEvent* event) override;
};

}  // namespace ui
