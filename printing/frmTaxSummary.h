#pragma once
// The tax-type choice before a tax report or tax summary prints: "School
// District" or "COE", then Print; or Cancel. The answer goes to
// modGlobals::gintTaxSummaryChoice: 1 for the school-district tax type, 0
// for the county office's, 999 for a cancel. Closing the window any other
// way (the close box, Escape) is a cancel too.
//
// Callers make one, show it modally (ShowModal, through the Dialogs seam)
// and read the choice once it has closed. Neither option is chosen when it
// opens; Print without a choice asks for one and keeps the window open.

#include "ui/Form.h"
#include "ui_frmTaxSummary.h"

class frmTaxSummary : public ui::Form, public Ui::frmTaxSummary {
  Q_OBJECT

 public:
  explicit frmTaxSummary(QWidget* parent = nullptr);

  void cmdView_Click();
  void cmdClose_Click();

 protected:
  void Form_Load() override;
  void Form_Unload() override;

 private:
  // Print has set the choice.
  bool chosen_ = false;
};
