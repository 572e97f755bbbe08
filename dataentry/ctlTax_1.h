#pragma once
// The tax entry control: the sixteen amount lines of one row of
// table Tax and its explanation, each in a field named "txt" and the
// column, on a canvas that scrolls inside a viewport, with the county and
// district of residence and their directory names at the top. The tax
// form hosts it once (as ctlTax_11).
//
// The host moves values between its record set and the fields by name,
// handing Controls() to modCOE's binding routines; it reads the amounts
// back through the amount properties. SetLEAType enables the lines that
// depend on the tax type and the county of residence. A field that takes
// the focus is scrolled into view (at most one page per direction) and
// its text selected; the mouse wheel scrolls the canvas. Events:
// PropChanged when a value is edited (not for the first change after a
// property set), OnEnter when the focus runs past the last line (the host
// answers with one Tab key press), then OnReachEnd (the host moves the
// focus out of the control).
//
// Places and sizes are in twips, as the tax form lays the control out.

#include <QWidget>
#include <array>
#include <memory>
#include <string>
#include <string_view>

#include "BoundControl.h"
#include "ui_ctlTax_1.h"

class clsGlobalParam;
class Trap;

namespace numbox {
class CNumCtrl;
}

class ctlTax_1 : public QWidget, public Ui::ctlTax_1 {
  Q_OBJECT

 public:
  // The amount lines, in the order of the form.
  static constexpr int kLineCount = 16;

  explicit ctlTax_1(QWidget* parent = nullptr);
  ~ctlTax_1() override;

  // A reference to a parameters object that the host may keep here.
  clsGlobalParam* GParam() const { return gparam_; }
  void GParam(clsGlobalParam* param) { gparam_ = param; }

  // Enables and disables the lines by the tax type (gintTaxType), the
  // county of residence shown and the program's parameters (county, year);
  // the argument is the host's parameters object, which is not read.
  void SetLEAType(clsGlobalParam& param);

  // The residence keys. Setting one shows it ("7" shows "07" for the
  // county) with its name from the agency directory; reading answers the
  // program-wide residence key, not the shown one.
  std::string RES_COUNTY_ID() const;
  void RES_COUNTY_ID(const std::string& value);
  std::string RES_SCHOOL_DISTRICT_ID() const;
  void RES_SCHOOL_DISTRICT_ID(const std::string& value);

  // An amount line by its property (and column) name, such as "Secured":
  // the number the field holds, 0 for an empty field; setting it puts the
  // number into the field (a value the field refuses leaves it as it was)
  // and raises no PropChanged for the change it makes.
  double Amount(std::string_view property) const;
  void Amount(std::string_view property, double value);
  // The property names of the lines, A-1 to A-16.
  static const std::array<const char*, kLineCount>& AmountProperties();

  double Secured() const { return Amount("Secured"); }
  void Secured(double v) { Amount("Secured", v); }
  double Unsecured() const { return Amount("Unsecured"); }
  void Unsecured(double v) { Amount("Unsecured", v); }
  double HOX() const { return Amount("HOX"); }
  void HOX(double v) { Amount("HOX", v); }
  double Subventions() const { return Amount("Subventions"); }
  void Subventions(double v) { Amount("Subventions", v); }
  double DistributionTimberYieldTax() const { return Amount("DistributionTimberYieldTax"); }
  void DistributionTimberYieldTax(double v) { Amount("DistributionTimberYieldTax", v); }
  double DistributionPriorYearTax() const { return Amount("DistributionPriorYearTax"); }
  void DistributionPriorYearTax(double v) { Amount("DistributionPriorYearTax", v); }
  double ReleasePriorYearTaxImpound() const { return Amount("ReleasePriorYearTaxImpound"); }
  void ReleasePriorYearTaxImpound(double v) { Amount("ReleasePriorYearTaxImpound", v); }
  double SupplementalTax() const { return Amount("SupplementalTax"); }
  void SupplementalTax(double v) { Amount("SupplementalTax", v); }
  double EducationalRevenueAugmentationFund() const { return Amount("EducationalRevenueAugmentationFund"); }
  void EducationalRevenueAugmentationFund(double v) { Amount("EducationalRevenueAugmentationFund", v); }
  double PriorYearRestrictedMonie() const { return Amount("PriorYearRestrictedMonie"); }
  void PriorYearRestrictedMonie(double v) { Amount("PriorYearRestrictedMonie", v); }
  double Total() const { return Amount("Total"); }
  void Total(double v) { Amount("Total", v); }
  double CommRedFunds() const { return Amount("CommRedFunds"); }
  void CommRedFunds(double v) { Amount("CommRedFunds", v); }
  double SERAF() const { return Amount("SERAF"); }
  void SERAF(double v) { Amount("SERAF", v); }
  double RedevAgencyAssetLiquidation() const { return Amount("RedevAgencyAssetLiquidation"); }
  void RedevAgencyAssetLiquidation(double v) { Amount("RedevAgencyAssetLiquidation", v); }
  double CollegeERAF() const { return Amount("CollegeERAF"); }
  void CollegeERAF(double v) { Amount("CollegeERAF", v); }
  double EstExcessERAF() const { return Amount("EstExcessERAF"); }
  void EstExcessERAF(double v) { Amount("EstExcessERAF", v); }

  // The explanation text; setting it raises no PropChanged for its change.
  std::string Explanation() const;
  void Explanation(const std::string& text);

  // The control as a whole takes input or not; the lines keep their own
  // states.
  void ctlTax_11_Enable() { setEnabled(true); }
  void ctlTax_11_Disable() { setEnabled(false); }

  // Every child control, in the order they were made, for the binding
  // routines: the amount fields move their Text, the explanation its text.
  const BoundControls& Controls();

  // The amount field of a line by its property name (nullptr for none).
  numbox::CNumCtrl* Field(std::string_view property) const;

 signals:
  // Declared for hosts; never raised.
  void Change();
  // The focus reached the second focus catcher: the host moves it out of
  // the control.
  void OnReachEnd();
  // The focus ran past the last line: the host answers with one Tab key
  // press.
  void OnEnter();
  // A value was edited (not raised for the first change after a property
  // set).
  void PropChanged();
  // The container's notice that a line's property changed ("Secured",
  // "Explanation"), for every change of a field's value.
  void PropertyChanged(const QString& property);

 protected:
  void resizeEvent(QResizeEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void MakeLines();
  void PlaceControls();
  void ConnectFields();
  void BuildTabOrder(bool reachedEnd);
  void ShowResidenceName(const char* sql, const std::string& key, QLabel& name);

  // Handlers.
  void FieldGotFocus(QWidget& field, int top, int left, const std::string& procedure);
  void FieldChanged(const QString& property, const std::string& procedure);
  void FieldKeyPress(std::int16_t& keyAscii, const std::string& procedure);
  void FocusMoved(QWidget* now);
  std::array<QWidget*, 7> TrailingStops() const;
  numbox::CNumCtrl* TabLine(bool last) const;
  void HScroll1_Scroll();
  void HScroll1_Change();
  void VScroll1_Scroll();
  void VScroll1_Change();

  // Scrolling, in twips.
  void Vertical_Scroll(int bandTop, int bandBottom, int fieldTop);
  void Horizontal_Scroll(int bandLeft, int bandRight, int fieldLeft);
  void ResizeIt();
  void PlaceBars();
  void MoveCanvas(int left, int top);
  int ViewportWidth() const;
  int ViewportHeight() const;

  std::array<numbox::CNumCtrl*, kLineCount> fields_{};
  clsGlobalParam* gparam_ = nullptr;
  bool mblnIgnoreChange = false;
  bool enteredBackwards_ = false;  // Shift+Tab brought the focus to a stop after the lines
  int canvasLeft_ = 0, canvasTop_ = 0;  // twips
  std::unique_ptr<QtBoundControls> controls_;
};
