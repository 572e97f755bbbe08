#pragma once
// The wait message: a modeless box that shows a short text in lblMsg while
// a long operation runs. One program-wide instance.

#include "ui/Form.h"
#include "ui_frmWait.h"

class frmWait : public ui::Form, public Ui::frmWait {
  Q_OBJECT

 public:
  explicit frmWait(QWidget* parent = nullptr);
  // The program-wide instance, created on first use.
  static frmWait& Default();
};
