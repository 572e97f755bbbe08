#pragma once
// The question box with four answers: Yes (6), No (7), Yes to All (1) and
// No to All (2). The pressed button's answer goes to
// modGlobals::gintMessageBoxAnswer; Enter is Yes, Escape and the close box
// are No.

#include <array>

#include "ui/Form.h"
#include "ui_frmMessageBox.h"

class frmMessageBox : public ui::Form, public Ui::frmMessageBox {
  Q_OBJECT

 public:
  explicit frmMessageBox(QWidget* parent = nullptr);

  // The buttons left to right, and the answer of each.
  std::array<QPushButton*, 4> cmdAction{};
  static constexpr std::array<int, 4> Answers{6, 7, 1, 2};

  void cmdAction_Click(int index);

 protected:
  void reject() override;
};
