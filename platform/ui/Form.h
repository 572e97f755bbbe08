#pragma once
// The base of the program's windows: the classic life of a form on top of a
// Qt dialog. A form is loaded on first use (Form_Load runs once), shown
// modally through the Dialogs seam or modeless, and unloaded by its own
// buttons, its close box or Escape (Form_Unload runs once); it can be loaded
// again afterwards.

#include <QDialog>
#include <string_view>

namespace ui {

class Form : public QDialog {
  Q_OBJECT

 public:
  explicit Form(QWidget* parent = nullptr);

  // Runs Form_Load when the form is not loaded yet.
  void Load();
  bool Loaded() const { return loaded_; }
  // Loads the form and shows it modally through the Dialogs seam; answers
  // the result that the form was unloaded with.
  int ShowModal();
  // Loads the form and shows it without waiting.
  void ShowModeless();
  // Runs Form_Unload (once) and closes the form with a result code.
  void Unload(int result = QDialog::Rejected);

 protected:
  virtual void Form_Load() {}
  // Runs each time ShowModal or ShowModeless brings the form up, after Load.
  virtual void Form_Activate() {}
  virtual void Form_Unload() {}

  void reject() override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void RunUnload();

  bool loaded_ = false;
};

// Windows of another part of the program are reached by name, as the
// classic forms were: the loaded window whose object name is `name` (its
// class name, "frmMain"), or nullptr when none is loaded.
Form* FindForm(std::string_view name);
// The child control of a window by its object name; element i of a control
// array X is named "X_i". Error 438 when the window has no such control.
QWidget& Control(QWidget& window, std::string_view name);
// Unloads every loaded window of the program (and closes any other visible
// one) in turn, letting pending window events run after each.
void UnloadAll();

}  // namespace ui
