#pragma once
// The status report: the plain-text report of an export, import, upload or
// batch printing run, which the user can print or save as a text file.

#include "ui/Form.h"
#include "ui_frmStatus.h"

class clsGlobalParam;

class frmStatus : public ui::Form, public Ui::frmStatus {
  Q_OBJECT

 public:
  explicit frmStatus(QWidget* parent = nullptr);

  // The program-wide global parameters (not a copy), set at load.
  clsGlobalParam* GParam = nullptr;

  void cmdPrint_Click();
  void cmdSave_Click();
  void cmdClose_Click();

 protected:
  void Form_Load() override;
  void Form_Unload() override;
};
