#pragma once
// The copy of P-1 tax data to P-2: the user moves the districts of
// residence whose P-1 tax rows are to be copied from the left list to the
// right one and copies them. For each P-1 row of the current agency with a
// chosen district of residence the P-2 row of the same county, district of
// residence and tax type is replaced by a copy of it; then the certification
// keys of all the agency's rows of the current period, its certificate
// number and record count are recomputed and its form-status row is
// rewritten as edit-checked now, without errors or warnings. All of that is
// one change of the database: a copy that fails leaves the data as it was.
//
// The tax form sets gblnTaxCopied to false, shows the window modally and
// reads the flag afterwards: every completed copy sets it. The window stays
// open after a copy, with its lists filled again.

#include <QListWidget>
#include <memory>
#include <string>
#include <vector>

#include "clsGlobalParam.h"
#include "ui/Form.h"
#include "ui_frmTaxCopy.h"
#include "vb/Variant.h"

class frmTaxCopy : public ui::Form, public Ui::frmTaxCopy {
  Q_OBJECT

 public:
  explicit frmTaxCopy(QWidget* parent = nullptr);

  // The window's own copy of the global parameters, made at load; it keys
  // the form-status row.
  std::shared_ptr<clsGlobalParam> GParam;

  // Copies the P-1 tax rows of the districts of the right list into P-2.
  void cmdAddNew_Click();
  void cmdLeft_Click();
  // The moves between the lists: selected items (appended last to first)
  // or all items (in their order).
  void MoveSchoolsRightTax();
  void MoveAllSchoolsRightTax();
  void MoveSchoolsLeftTax();
  void MoveAllSchoolsLeftTax();

 protected:
  void Form_Load() override;

 private:
  void cmdCancel_Click();
  void cmdRight_Click();
  void cmdLeftAll_Click();
  void cmdRightAll_Click();
  // Fills the left list with the districts of residence of the county's P-1
  // tax rows and empties the right one. Failures go to the caller.
  void LoadSchoolsTax();
  void MoveItems(QListWidget& source, QListWidget& target, bool selectedOnly);
  // The copy itself, in one transaction; a failure rolls it back and is
  // raised.
  void CopyTaxData(const std::vector<vb::Variant>& districts);

  // Moves since the last copy wait to be copied.
  bool copyPending_ = false;
};
