#pragma once
// The base of the program's windows: the classic life of a form on top of a
// Qt dialog. A form is loaded on first use (Form_Load runs once), shown
// modally through the Dialogs seam or modeless, and unloaded by its own
// buttons, its close box or Escape (Form_Unload runs once); it can be loaded
// again afterwards. Every way of closing a loaded form first asks
// Form_QueryUnload, which may keep it loaded and open. Enter on a command
// button that has the focus presses it.

#include <QDialog>
#include <string_view>

#include "ui/FormLife.h"

namespace ui {

class Form : public QDialog, public FormLife {
  Q_OBJECT

 public:
  // How a form is being closed, as Form_QueryUnload learns it.
  enum class UnloadMode {
    ControlMenu = 0,  // the close box (or the window manager's close)
    Code = 1,         // Unload, from a command of the program (Escape too)
  };

  explicit Form(QWidget* parent = nullptr);

  // Loads the form and shows it modally through the Dialogs seam; answers
  // the result that the form was unloaded with.
  int ShowModal();
  void ShowModeless() override;
  // Asks Form_QueryUnload, then runs Form_Unload (once) and closes the form
  // with a result code. Answers false when the form stays open.
  bool Unload(int result = QDialog::Rejected);

 protected:
  // Runs each time ShowModal or ShowModeless brings the form up, after Load.
  virtual void Form_Activate() {}
  // Runs before a loaded form unloads, whichever way it is closed; setting
  // `cancel` keeps it loaded and open. A close asked for while it runs is
  // refused.
  virtual void Form_QueryUnload(bool& cancel, UnloadMode mode) {
    (void)cancel;
    (void)mode;
  }

  void reject() override;
  // Opens the window inside the available area of its screen.
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  // Answers whether the form may unload.
  bool QueryUnload(UnloadMode mode);

  bool querying_ = false;
};

// Enter on a command button that has the focus presses it, in every window
// of the program (the buttons are no dialog's default buttons). The window
// answers whether `event` was such a key and the button was pressed; keys
// that the focused control took (a field that moves the focus on Enter)
// never reach the window.
bool PressFocusedButton(QWidget& window, QKeyEvent& event);

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
