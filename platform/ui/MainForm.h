#pragma once
// The base of the program's main window: the classic life of a form on top
// of a Qt main window (menu bar, central area, status bar). It is loaded on
// first use (Form_Load runs once), shown modeless, resized (Form_Resize) and
// unloaded by a command or its close box (Form_Unload runs once); it can be
// loaded again afterwards.

#include <QMainWindow>

namespace ui {

class MainForm : public QMainWindow {
  Q_OBJECT

 public:
  explicit MainForm(QWidget* parent = nullptr);

  // Runs Form_Load when the window is not loaded yet.
  void Load();
  bool Loaded() const { return loaded_; }
  // Loads the window and shows it without waiting.
  void ShowModeless();
  // Runs Form_Unload (once) and closes the window.
  void Unload();

 protected:
  virtual void Form_Load() {}
  virtual void Form_Unload() {}
  virtual void Form_Resize() {}

  void closeEvent(QCloseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  void RunUnload();

  bool loaded_ = false;
};

}  // namespace ui
