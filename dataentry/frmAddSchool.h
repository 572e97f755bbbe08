#pragma once
// The small-school window: starts a new necessary-small-school record by
// choosing one of the agency's schools that have rows in the small-school
// table of the kind gintSmallSchoolType names. It refuses to work until
// that table's entry screen has passed its edit check, refuses a school that
// already has a record of the kind in the table gstrNewRecSource names, and
// hands the chosen school back in glngChosenSchoolID. It writes nothing.
//
// An opener sets gintSmallSchoolType, gstrNewRecSource and GParam, shows
// the window modally and then reads glngChosenSchoolID; the window never
// clears it, so an opener that must tell a choice from a cancel clears it
// first. gblnAddSchoolClosed is set whenever the window unloads.

#include <cstdint>
#include <memory>
#include <string>

#include "clsGlobalParam.h"
#include "ui/Form.h"
#include "ui_frmAddSchool.h"

class frmAddSchool : public ui::Form, public Ui::frmAddSchool {
  Q_OBJECT

 public:
  explicit frmAddSchool(QWidget* parent = nullptr);

  // The opener's parameters: the agency, year and period.
  std::shared_ptr<clsGlobalParam> GParam;

  // The residence county shared with the new-record dialog (glngResCountyID).
  std::int32_t RES_COUNTY_ID() const;
  void RES_COUNTY_ID(std::int32_t value);

 protected:
  void Form_Load() override;
  void Form_Unload() override;
  bool event(QEvent* event) override;

 private:
  void cmdAddNew_Click();
  void cmdCancel_Click();
  // Each time the window becomes active: a window that may not be used says
  // why and closes.
  void Form_Activate() override;

  // The agency has no school in the small-school table; its entry screen
  // has not passed the edit check.
  bool noData_ = false;
  bool notPassed_ = false;
  bool refused_ = false;
};
