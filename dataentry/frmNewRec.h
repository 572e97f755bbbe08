#pragma once
// The new-record dialog: the user chooses the key of a new row of a form
// that has rows per district of residence (for the tax form, the county and
// the district of residence) before the opener creates the row.
//
// The opener sets glngNewResCountyID and glngNewResDistrictID to 0 and
// gstrNewRecSource to the table of the form, creates the dialog, sets its
// GParam to its own parameters, shows it modally and releases it. A county
// and a district key both above 0 afterwards mean that a row with them is to
// be added; Cancel and the close box leave 0. The dialog never writes to the
// database: it only looks for an existing row with the same key.
//
// The window serves the forms of the product family that have such rows;
// its layout, lists, checks and duplicate query are chosen by the current
// form number from one table of form rules (NewRecordRules.h).

#include <cstdint>
#include <memory>
#include <string>

#include "NewRecordRules.h"
#include "clsGlobalParam.h"
#include "ui/Form.h"
#include "ui_frmNewRec.h"

class frmNewRec : public ui::Form, public Ui::frmNewRec {
  Q_OBJECT

 public:
  explicit frmNewRec(QWidget* parent = nullptr);

  // The opener's parameters: the agency, year and period of the duplicate
  // check.
  std::shared_ptr<clsGlobalParam> GParam;

  // The record kinds of the attendance form's type list.
  static const char* const kResidentType;
  static const char* const kNonResidentType;

  // The residence keys shared with the tax entry control (glngResCountyID
  // and glngResSchoolDistrictID).
  std::int32_t RES_COUNTY_ID() const;
  void RES_COUNTY_ID(std::int32_t value);
  std::int32_t RES_SCHOOL_DISTRICT_ID() const;
  void RES_SCHOOL_DISTRICT_ID(std::int32_t value);

  // The county box's text changed: the district list follows it.
  void dcoRES_COUNTY_ID_Change();
  // The district box's text changed: a district needs a county; the small
  // ROC/P forms list the district's schools.
  void dcoRES_SCHOOL_DISTRICT_ID_Change();
  // Checks the choice, looks for an existing row and hands the keys back.
  void cmdAddNew_Click();
  void cmdCancel_Click();

 protected:
  void Form_Load() override;

 private:
  const newrec::FormRule& Rule() const;
  // The columns of a pair by the tax type (the County columns for any type
  // but District).
  static const newrec::Columns& ByTaxType(const newrec::Columns (&columns)[2]);

  void LayOut(const newrec::FormRule& rule);
  void LayOutAttendance();
  void LayOutRocp(const newrec::FormRule& rule);
  void LayOutSelpa();
  // The district list that a county change loads, by the rule.
  db::RecordsetPtr DistrictsOf(const newrec::FormRule& rule, const std::string& countyKey) const;
  // The message of the first check that the choice fails, or "".
  std::string FailedCheck(const newrec::FormRule& rule) const;
  // The rows of the form's table with the chosen key.
  db::RecordsetPtr ExistingRows(const newrec::FormRule& rule) const;
  void HandBack(const newrec::FormRule& rule) const;
};
