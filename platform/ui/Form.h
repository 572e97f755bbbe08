#pragma once
// The base of the program's windows: the classic life of a form on top of a
// Qt dialog. A form is loaded on first use (Form_Load runs once), shown
// modally through the Dialogs seam or modeless, and unloaded by its own
// buttons, its close box or Escape (Form_Unload runs once); it can be loaded
// again afterwards.

#include <QDialog>

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

}  // namespace ui
