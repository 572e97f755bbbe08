#pragma once
// The base of the program's windows: the classic life of a form on top of a
// Qt dialog. A form is loaded on first use (Form_Load runs once), shown
// modally through the Dialogs seam or modeless, and unloaded by its own
// buttons, its close box or Escape (Form_Unload runs once); it can be loaded
// again afterwards.

#include <QDialog>

#include "ui/FormLife.h"

namespace ui {

class Form : public QDialog, public FormLife {
  Q_OBJECT

 public:
  explicit Form(QWidget* parent = nullptr);

  // Loads the form and shows it modally through the Dialogs seam; answers
  // the result that the form was unloaded with.
  int ShowModal();
  // Loads the form and shows it without waiting.
  void ShowModeless();
  // Runs Form_Unload (once) and closes the form with a result code.
  void Unload(int result = QDialog::Rejected);

 protected:
  void reject() override;
  void closeEvent(QCloseEvent* event) override;
};

}  // namespace ui
