#pragma once
// The base of the program's windows: the classic life of a form on top of a
// Qt dialog. A form is loaded on first use (Form_Load runs once), shown
// modally through the Dialogs seam or modeless, and unloaded by its own
// buttons, its close box or Escape (Form_Unload runs once); it can be loaded
// again afterwards.

#include <QDialog>
#include <string_view>

#include "ui/FormLife.h"

namespace ui {

class Form : public QDialog, public FormLife {
  Q_OBJECT

 public:
  explicit Form(QWidget* parent = nullptr);

  // Loads the form and shows it modally through the Dialogs seam; answers
  // the result that the form was unloaded with.
  int ShowModal();
  void ShowModeless() override;
  // Runs Form_Unload (once) and closes the form with a result code.
  void Unload(int result = QDialog::Rejected);

 protected:
  // Runs each time ShowModal or ShowModeless brings the form up, after Load.
  virtual void Form_Activate() {}

  void reject() override;
  void closeEvent(QCloseEvent* event) override;
};

// Windows of another part of the program are reached by name, as the
// classic forms were: the loaded window (a dialog or the main window) whose
// object name is `name` (its class name, "frmMain"), or nullptr when none is
// loaded.
QWidget* FindForm(std::string_view name);
// The child control of a window by its object name; element i of a control
// array X is named "X_i". Error 438 when the window has no such control.
QWidget& Control(QWidget& window, std::string_view name);
// Unloads every loaded window of the program (and closes any other visible
// one) in turn, letting pending window events run after each.
void UnloadAll();

}  // namespace ui
