#include "ctlTax_1.h"

#include <QApplication>
#include <QFile>
#include <QScrollBar>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <vector>

#include "NumFieldHost.h"
#include "Utilities.h"
#include "clsDataAccess.h"
#include "clsGlobalParam.h"
#include "clsMyAdoUtils.h"
#include "modGlobals.h"
#include "numbox/CNumCtrl.h"
#include "numbox/NumModule.h"
#include "ui/Twips.h"
#include "vb/Conversions.h"
#include "zelErrHandler.h"

// The stored property data of the amount fields lives in the library's
// resources, which a static library must register itself.
static void RegisterTaxLineResources() { Q_INIT_RESOURCE(ctlTax_1); }

namespace {

constexpr const char* kModule = "ctlTax_1";

// The canvas and the fields on it, in twips.
constexpr int kCanvasWidth = 9960;
constexpr int kCanvasHeight = 11775;
constexpr int kCaptionLeft = 180;
constexpr int kCaptionWidth = 6675;
constexpr int kLineHeight = 255;
constexpr int kFieldLeft = 7680;
constexpr int kFieldWidth = 1500;
constexpr int kFieldHeight = 300;
// The explanation's place on the canvas.
constexpr int kExplanationLeft = 240;
constexpr int kExplanationTop = 10440;
// The viewport's place in the control: its top stays, the rest follows
// the control's size.
constexpr int kViewportLeft = 50;
constexpr int kViewportTop = 120;
constexpr int kViewportMargin = 100;

// Places of the controls of the layout, in twips: left, top, width, height.
constexpr ui::TwipsPlace kPlaces[] = {
    {"txtDUMMYOnReachEndFocus", 240, 3000, 375, 285},
    {"txtDUMMYOnReachEnd", 240, 3000, 375, 285},
    {"picParent", 0, kViewportTop, 10572, 12615},
    {"picChild", 0, 0, kCanvasWidth, kCanvasHeight},
    {"picDummy", 0, 0, 100, 50},
    {"lblFieldsHE", 180, 112, 2400, kLineHeight},
    // The codes end where their names begin; a district code of five
    // digits needs more room than the county's two.
    {"lblCountyID", 5790, 112, 1005, kLineHeight},
    {"lblCountyName", 6840, 112, 3000, kLineHeight},
    {"lblFieldsHH", 180, 360, 2400, kLineHeight},
    {"lblDistrictID", 5790, 360, 1005, kLineHeight},
    {"lblDistrictName", 6840, 360, 3000, kLineHeight},
    {"Label1", 180, 720, 3000, kLineHeight},
    {"Label2", 180, 1080, 9540, 2 * kLineHeight},
    {"Label4", 180, 6720, 9540, kLineHeight},
    {"Label5", 180, 6960, 9540, kLineHeight},
    {"Label3", 180, 10080, 9540, kLineHeight},
    {"txtExplanation", kExplanationLeft, kExplanationTop, 8895, 1035},
};

// Whole twips, halves to the even neighbour.
int WholeTwips(double twips) { return static_cast<int>(std::lrint(twips)); }
using ui::SetTwipsGeometry;

QLabel* MakeLabel(QWidget& canvas, const QString& name, const QString& text, bool bold, Qt::Alignment alignment) {
  auto* label = new QLabel(text, &canvas);
  label->setObjectName(name);
  label->setAlignment(alignment | Qt::AlignTop);
  if (bold) {
    QFont font = label->font();
    font.setBold(true);
    label->setFont(font);
  }
  return label;
}

// An amount line: its caption (A-8 has a second caption line), code,
// property (the field's column and, after "txt", its name), top, the tag
// that SetLEAType reads, and the tip of its caption and field when that is
// not the caption.
struct Line {
  const char* code;
  const char* caption;
  const char* property;
  int top;
  const char* tag = "";
  int captionLines = 1;
  const char* tip = nullptr;
};

const Line kLines[ctlTax_1::kLineCount] = {
    {"A-1", "Secured", "Secured", 1620},
    {"A-2", "Unsecured", "Unsecured", 2062},
    {"A-3", "HOX Subventions", "HOX", 2505},
    {"A-4", "Misc. Taxes/Other Appropriate Local Revenues or Subventions", "Subventions", 2955},
    {"A-5", "Distribution of Timber Yield Taxes", "DistributionTimberYieldTax", 3405},
    {"A-6", "Distribution of Prior Year Taxes", "DistributionPriorYearTax", 3840},
    {"A-7", "Release of Prior Year Tax Impounds [E.C.14240]", "ReleasePriorYearTaxImpound", 4290},
    {"A-8", "Supplemental Taxes from Increased Assessment", "SupplementalTax", 4740, "A"},
    {"A-9", "Educational Revenue Augmentation Fund", "EducationalRevenueAugmentationFund", 5295},
    {"A-10", "Prior Year Restricted Monies [E.C.2575 (e)]", "PriorYearRestrictedMonie", 5745},
    {"A-11", "Total (Sum of A-1 through A-10)", "Total", 6195, "disabled", 1, "Total"},
    {"A-12", "Community Redevelopment Funds", "CommRedFunds", 7320},
    {"A-13",
     "Redevelopment Property Tax Trust Fund Residual Distributions [Health and Safety Code sections 34183(a)(4), "
     "34183.5(b)(2)(A) and 34188]",
     "SERAF", 7800, "", 2},
    {"A-14", "Redevelopment Agency Asset Liquidation [Health and Safety Code sections 34177 and 34179.6]",
     "RedevAgencyAssetLiquidation", 8400, "", 2},
    {"A-15", "College Districts ERAF", "CollegeERAF", 8940, "C"},
    {"A-16", "Excess ERAF", "EstExcessERAF", 9480, "C"},
};
// The second caption line of A-8.
constexpr const char* kSupplementalSecondLine = "[Revenue and Taxation Code sections 75.70-75.72]";
constexpr int kSupplementalSecondTop = 4942;
// A-11, the total, takes the focus only by a click.
constexpr int kTotalLine = 10;

// The line of a property name, or -1.
int LineOf(std::string_view property) {
  for (int i = 0; i < ctlTax_1::kLineCount; ++i)
    if (property == kLines[i].property) return i;
  return -1;
}

std::string FieldName(const Line& line) { return std::string("txt") + line.property; }

}  // namespace

// --- Creation ------------------------------------------------------------------

ctlTax_1::ctlTax_1(QWidget* parent) : QWidget(parent) {
  RegisterTaxLineResources();
  setupUi(this);
  ui::UseLayoutFace(*this, ui::FaceFamily::Kept);
  MakeLines();
  PlaceControls();
  ConnectFields();
  BuildTabOrder(false);
  ResizeIt();
}

ctlTax_1::~ctlTax_1() = default;

const std::array<const char*, ctlTax_1::kLineCount>& ctlTax_1::AmountProperties() {
  static const std::array<const char*, kLineCount> names = [] {
    std::array<const char*, kLineCount> all{};
    for (int i = 0; i < kLineCount; ++i) all[static_cast<std::size_t>(i)] = kLines[i].property;
    return all;
  }();
  return names;
}

void ctlTax_1::MakeLines() {
  Trap trap(kModule, "UserControl_Initialize");
  for (int i = 0; i < kLineCount; ++i) {
    const Line& line = kLines[i];
    const QString index = QString::number(i);
    const QString caption = QString::fromUtf8(line.caption);
    QLabel* label = MakeLabel(*picChild, "lblFields_" + index, caption, false, Qt::AlignLeft);
    label->setToolTip(line.tip ? QString::fromUtf8(line.tip) : caption);
    label->setWordWrap(line.captionLines > 1);
    SetTwipsGeometry(*label, kCaptionLeft, line.top, kCaptionWidth, line.captionLines * kLineHeight);

    const bool wideCode = i >= 9;
    QLabel* code = MakeLabel(*picChild, "lblFields1_" + index, line.code, true, Qt::AlignHCenter);
    SetTwipsGeometry(*code, wideCode ? 6915 : 6975, line.top, wideCode ? 420 : 300, kLineHeight);
    QLabel* dollar = MakeLabel(*picChild, "lblFields2_" + index, "$", true, Qt::AlignLeft);
    SetTwipsGeometry(*dollar, i >= 11 && i <= 13 ? 7440 : 7425, line.top, 195, kLineHeight);

    numbox::CNumCtrl* field = numbox::CreateControl("Inkfield.QuorMaskNum.1", picChild);
    field->setObjectName(QString::fromStdString(FieldName(line)));
    field->setProperty("tag", QString::fromUtf8(line.tag));
    field->setToolTip(line.tip ? QString::fromUtf8(line.tip) : caption);
    trap([&] {
      QFile stored(":/ctlTax_1/" + field->objectName());
      if (!stored.open(QIODevice::ReadOnly))
        throw vb::VbError(vb::err::FileNotFound, "The stored settings of " + FieldName(line) + " are missing.");
      field->Load(stored.readAll());
    });
    SetTwipsGeometry(*field, kFieldLeft, line.top, kFieldWidth, kFieldHeight);
    if (i == kTotalLine) field->setFocusPolicy(Qt::ClickFocus);
    fields_[static_cast<std::size_t>(i)] = field;
  }
  QLabel* second = MakeLabel(*picChild, "lblFields_16", kSupplementalSecondLine, false, Qt::AlignLeft);
  second->setToolTip(kSupplementalSecondLine);
  SetTwipsGeometry(*second, kCaptionLeft, kSupplementalSecondTop, kCaptionWidth, kLineHeight);
}

void ctlTax_1::PlaceControls() {
  ui::PlaceControls(*this, kPlaces);
  // The scroll bars keep the style's thickness; the focus catchers lie
  // under the viewport, where they can take the focus but are not seen.
  HScroll1->resize(HScroll1->width(), HScroll1->sizeHint().height());
  VScroll1->resize(VScroll1->sizeHint().width(), VScroll1->height());
  // The viewport, canvas and corner box paint their ground, so that what
  // lies beneath them does not show through.
  for (QWidget* ground : {picParent, picChild, picDummy}) ground->setAutoFillBackground(true);
  picParent->raise();
  for (QWidget* top : {static_cast<QWidget*>(HScroll1), static_cast<QWidget*>(VScroll1), picDummy}) top->raise();
}

void ctlTax_1::ConnectFields() {
  for (int i = 0; i < kLineCount; ++i) {
    const Line& line = kLines[i];
    numbox::CNumCtrl* field = fields_[static_cast<std::size_t>(i)];
    const std::string name = FieldName(line);
    const QString property = QString::fromUtf8(line.property);
    connect(field, &numbox::CNumCtrl::GotFocus, this,
            [this, field, top = line.top, name] { FieldGotFocus(*field, top, kFieldLeft, name + "_GotFocus"); });
    connect(field, &numbox::CNumCtrl::Change, this,
            [this, property, name] { FieldChanged(property, name + "_Change"); });
    connect(field, &numbox::CNumCtrl::KeyPress, this,
            [this, name](short& keyAscii) { FieldKeyPress(keyAscii, name + "_KeyPress"); });
  }
  connect(txtExplanation, &ui::MultiLineText::GotFocus, this,
          [this] { FieldGotFocus(*txtExplanation, kExplanationTop, kExplanationLeft, "txtExplanation_GotFocus"); });
  connect(txtExplanation, &QPlainTextEdit::textChanged, this,
          [this] { FieldChanged("Explanation", "txtExplanation_Change"); });
  connect(txtExplanation, &ui::MultiLineText::KeyPress, this,
          [this](std::int16_t& keyAscii) { FieldKeyPress(keyAscii, "txtExplanation_KeyPress"); });
  connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) { FocusMoved(now); });
  connect(HScroll1, &QScrollBar::sliderMoved, this, [this] { HScroll1_Scroll(); });
  connect(HScroll1, &QScrollBar::valueChanged, this, [this] { HScroll1_Change(); });
  connect(VScroll1, &QScrollBar::sliderMoved, this, [this] { VScroll1_Scroll(); });
  connect(VScroll1, &QScrollBar::valueChanged, this, [this] { VScroll1_Change(); });
  // The wheel over the canvas and whatever on it leaves the wheel alone
  // (labels, amount fields) reaches the viewport; the stops after the lines
  // (the viewport among them) tell how the focus reached them.
  for (QWidget* stop : TrailingStops()) stop->installEventFilter(this);
}

// The tab order: the explanation first (a click stop only), the lines,
// the first focus catcher, the viewport with its bars, corner and canvas,
// the total (a click stop only) and the second focus catcher. Once the
// focus has run past the last line, the viewport, canvas, bars and corner
// go to the end, so that the Tab the host answers with reaches the second
// catcher.
void ctlTax_1::BuildTabOrder(bool reachedEnd) {
  std::vector<QWidget*> chain{txtExplanation};
  for (int i = 0; i < kLineCount; ++i)
    if (i != kTotalLine) chain.push_back(fields_[static_cast<std::size_t>(i)]);
  chain.push_back(txtDUMMYOnReachEndFocus);
  const std::vector<QWidget*> frame =
      reachedEnd ? std::vector<QWidget*>{picParent, picChild, HScroll1, VScroll1, picDummy}
                 : std::vector<QWidget*>{picParent, HScroll1, VScroll1, picDummy, picChild};
  if (!reachedEnd) chain.insert(chain.end(), frame.begin(), frame.end());
  chain.push_back(fields_[kTotalLine]);
  chain.push_back(txtDUMMYOnReachEnd);
  if (reachedEnd) chain.insert(chain.end(), frame.begin(), frame.end());
  for (std::size_t i = 1; i < chain.size(); ++i) setTabOrder(chain[i - 1], chain[i]);
}

// --- Members ---------------------------------------------------------------------

numbox::CNumCtrl* ctlTax_1::Field(std::string_view property) const {
  const int line = LineOf(property);
  return line < 0 ? nullptr : fields_[static_cast<std::size_t>(line)];
}

double ctlTax_1::Amount(std::string_view property) const {
  double value = 0;
  Trap trap(kModule, std::string(property) + "[Get]", Trap::Mode::Silent);
  trap([&] { value = vb::Val(vb::Deref(Field(property)).Text().toStdString()); });
  return value;
}

void ctlTax_1::Amount(std::string_view property, double value) {
  Trap trap(kModule, std::string(property) + "[Let]", Trap::Mode::Silent);
  trap([&] { mblnIgnoreChange = true; });
  trap([&] { vb::Deref(Field(property)).SetText(QString::fromStdString(vb::CStr(vb::Variant(value)))); });
}

std::string ctlTax_1::Explanation() const {
  std::string text;
  Trap trap(kModule, "Explanation[Get]", Trap::Mode::Silent);
  trap([&] { text = txtExplanation->Text(); });
  return text;
}

void ctlTax_1::Explanation(const std::string& text) {
  Trap trap(kModule, "Explanation[Let]", Trap::Mode::Silent);
  trap([&] { mblnIgnoreChange = true; });
  trap([&] { txtExplanation->Text(text); });
}

std::string ctlTax_1::RES_COUNTY_ID() const {
  std::string key;
  Trap trap(kModule, "RES_COUNTY_ID[Get]");
  trap([&] { key = std::to_string(modGlobals::glngResCountyID); });
  return key;
}

std::string ctlTax_1::RES_SCHOOL_DISTRICT_ID() const {
  std::string key;
  Trap trap(kModule, "RES_SCHOOL_DISTRICT_ID[Get]");
  trap([&] { key = std::to_string(modGlobals::glngResSchoolDistrictID); });
  return key;
}

void ctlTax_1::RES_COUNTY_ID(const std::string& value) {
  Trap trap(kModule, "RES_COUNTY_ID[Let]", Trap::Mode::Silent);
  trap([&] { lblCountyID->setText(QString::fromStdString(vb::Format(vb::Variant(value), "00"))); });
  ShowResidenceName(
      "select distinct county_id, county_name from krn_leas where lea_type = 3 and stat_type = 'OPEN' "
      "AND county_id = ? order by county_id, county_name",
      lblCountyID->text().toStdString(), *lblCountyName);
}

void ctlTax_1::RES_SCHOOL_DISTRICT_ID(const std::string& value) {
  Trap trap(kModule, "RES_SCHOOL_DISTRICT_ID[Let]", Trap::Mode::Silent);
  trap([&] { lblDistrictID->setText(QString::fromStdString(value)); });
  ShowResidenceName(
      "select distinct school_district_id as district_id, school_district_name as district from krn_leas "
      "where stat_type = 'OPEN' and school_ID= 0 and school_district_id= ? order by district_id, district",
      lblDistrictID->text().toStdString(), *lblDistrictName);
}

// The name of a residence key from the agency directory (the second column
// of the first row): none when the directory has no row, and none for an
// empty key; a key that is no number, or a failed look-up, leaves the name
// as it was.
void ctlTax_1::ShowResidenceName(const char* sql, const std::string& key, QLabel& name) {
  Trap trap(kModule, "ShowResidenceName", Trap::Mode::Silent);
  const std::string trimmed = vb::Trim(key);
  db::RecordsetPtr rs;
  trap([&] {
    rs = modGlobals::AdoUtils().getNewRecordSet();
    rs->LockType(db::LockType::ReadOnly);
    rs->Open(sql, modGlobals::AdoUtils().Conn(), {vb::Variant(vb::CDbl(vb::Variant(trimmed)))});
    rs->ActiveConnection(nullptr);
  });
  trap([&] {
    db::Recordset& rows = vb::Deref(rs.get());
    name.setText(rows.RecordCount() < 1 ? QString() : QString::fromStdString(vb::TextOf(rows.Value(1))));
  });
  trap([&] {
    if (trimmed.empty()) name.clear();
  });
}

const BoundControls& ctlTax_1::Controls() {
  if (!controls_) controls_ = std::make_unique<QtBoundControls>(*this, NumFieldHost::BoundNumField);
  return controls_->Controls();
}

// --- Enabling the lines --------------------------------------------------------

void ctlTax_1::SetLEAType(clsGlobalParam&) {
  Trap trap(kModule, "SetLEAType");
  bool matches = false;
  bool supplement = false;
  trap([&] {
    const std::string county = vb::Trim(lblCountyID->text().toStdString());
    matches = !county.empty() && county == vb::Format(vb::Variant(modGlobals::GlobalParam().CountyID), "00");
  });
  trap([&] {
    const std::string district = vb::Trim(lblDistrictID->text().toStdString());
    if (district.empty()) return;
    db::RecordsetPtr rs = clsDataAccess().GetRecordset(
        "Select TaxDistrictSupplement from krn_leas where ( lea_type = 3 or lea_type = 2 )and stat_type = 'OPEN' "
        "and school_district_id = ? and fiscal_year= ? and TaxDistrictSupplement = -1",
        {vb::Variant(vb::CDbl(vb::Variant(district))), vb::Variant(modGlobals::GlobalParam().ReportYear)},
        modGlobals::gstrConnectionString, modGlobals::SharedConnection());
    // A failed look-up has been reported by the data access: no supplement.
    supplement = rs && !(rs->Bof() && rs->Eof());
  });
  const int taxType = modGlobals::gintTaxType;
  for (QWidget* control : findChildren<QWidget*>()) {
    const QString tag = control->property("tag").toString();
    const bool explanation = tag == "EXPLAIN";
    const QString name = control->objectName();
    trap([&] {
      if (!tag.contains('A')) return;
      if (taxType == 0) {
        if (matches)
          Utilities::EnableControl(*control);
        else if (!explanation)
          Utilities::DisableControl(*control);
      } else if (taxType == 1) {
        if (!matches) {
          if (!explanation) Utilities::DisableControl(*control);
        } else if (name != "txtSupplementalTax" || supplement) {
          Utilities::EnableControl(*control);
        } else if (!explanation) {
          Utilities::DisableControl(*control);
        }
      }
    });
    trap([&] {
      if (!tag.contains('C')) return;
      if (taxType == 1) {
        if (!explanation) Utilities::DisableControl(*control);
        return;
      }
      Utilities::EnableControl(*control);
      if (!matches && (name == "txtCollegeERAF" || name == "txtEstExcessERAF")) Utilities::DisableControl(*control);
    });
  }
}

// --- Focus, keys and edits ---------------------------------------------------------

void ctlTax_1::FieldGotFocus(QWidget& field, int top, int left, const std::string& procedure) {
  Trap trap(kModule, procedure);
  trap([&] { Vertical_Scroll(-canvasTop_, ViewportHeight() - canvasTop_, top); });
  trap([&] { Horizontal_Scroll(-canvasLeft_, ViewportWidth() - canvasLeft_, left); });
  trap([&] {
    if (auto* amount = qobject_cast<numbox::CNumCtrl*>(&field)) {
      amount->SetSelStart(0);
      amount->SetSelLength(static_cast<short>(amount->Text().size()));
    } else {
      txtExplanation->SelStart(0);
      txtExplanation->SelLength(static_cast<int>(txtExplanation->toPlainText().size()));
    }
  });
}

void ctlTax_1::FieldChanged(const QString& property, const std::string& procedure) {
  Trap trap(kModule, procedure);
  trap([&] { emit PropertyChanged(property); });
  trap([&] {
    if (!mblnIgnoreChange) emit PropChanged();
  });
  trap([&] { mblnIgnoreChange = false; });
}

// Enter moves the focus on. A key typed into a fully selected explanation
// replaces the text as any typed key replaces a selection; keys that type
// nothing (Enter, Escape, Ctrl+C) leave it.
void ctlTax_1::FieldKeyPress(std::int16_t& keyAscii, const std::string& procedure) {
  Trap trap(kModule, procedure);
  trap([&] { Utilities::MySendKey(keyAscii); });
}

// The stops that follow the lines in the tab order: the two focus catchers
// and the viewport with its canvas, bars and corner.
std::array<QWidget*, 7> ctlTax_1::TrailingStops() const {
  return {txtDUMMYOnReachEndFocus, txtDUMMYOnReachEnd, picParent, picChild, HScroll1, VScroll1, picDummy};
}

// The first (or last) line that the Tab key reaches; none when every line
// is disabled.
numbox::CNumCtrl* ctlTax_1::TabLine(bool last) const {
  const auto takesTab = [](numbox::CNumCtrl* field) {
    return field->isEnabled() && (field->focusPolicy() & Qt::TabFocus);
  };
  if (last) {
    const auto found = std::find_if(fields_.rbegin(), fields_.rend(), takesTab);
    return found == fields_.rend() ? nullptr : *found;
  }
  const auto found = std::find_if(fields_.begin(), fields_.end(), takesTab);
  return found == fields_.end() ? nullptr : *found;
}

// Shift+Tab into the stops after the lines goes on to the last line: those
// stops only mark the way out forwards, and the catchers would send the
// focus forwards again.
void ctlTax_1::FocusMoved(QWidget* now) {
  const std::array<QWidget*, 7> trailing = TrailingStops();
  if (enteredBackwards_ && std::find(trailing.begin(), trailing.end(), now) != trailing.end()) {
    enteredBackwards_ = false;
    if (numbox::CNumCtrl* last = TabLine(true)) last->setFocus(Qt::BacktabFocusReason);
    return;
  }
  if (now == txtDUMMYOnReachEndFocus) {
    Trap trap(kModule, "txtDUMMYOnReachEndFocus_GotFocus");
    trap([&] { BuildTabOrder(true); });
    trap([&] { emit OnEnter(); });
  } else if (now == txtDUMMYOnReachEnd) {
    Trap trap(kModule, "txtDUMMYOnReachEnd_GotFocus");
    trap([&] { emit OnReachEnd(); });
  }
}

// --- Scrolling ----------------------------------------------------------------------

int ctlTax_1::ViewportWidth() const { return ui::PixelsToWholeTwipsX(picParent->width()); }
int ctlTax_1::ViewportHeight() const { return ui::PixelsToWholeTwipsY(picParent->height()); }

void ctlTax_1::MoveCanvas(int left, int top) {
  canvasLeft_ = left;
  canvasTop_ = top;
  picChild->move(ui::TwipsToPixelsX(left), ui::TwipsToPixelsY(top));
}

// A field whose top lies inside the band stays; one at or above the band's
// top pages up, one below its bottom pages down, at most one page.
void ctlTax_1::Vertical_Scroll(int bandTop, int bandBottom, int fieldTop) {
  Trap trap(kModule, "Vertical_Scroll");
  trap([&] {
    if (bandTop < fieldTop && fieldTop < bandBottom) return;
    const int page = ViewportHeight();
    int top = canvasTop_;
    if (fieldTop < bandBottom)
      top = std::min(top + page, 0);
    else if (fieldTop == bandBottom)
      return;
    else
      top = std::max(top - page, page - kCanvasHeight);
    MoveCanvas(canvasLeft_, top);
    VScroll1->setValue(-top);
  });
}

// As Vertical_Scroll, except that a field starting exactly on the band's
// left edge stays where it is.
void ctlTax_1::Horizontal_Scroll(int bandLeft, int bandRight, int fieldLeft) {
  Trap trap(kModule, "Horizontal_Scroll");
  trap([&] {
    if (bandLeft < fieldLeft && fieldLeft < bandRight) return;
    const int page = ViewportWidth();
    int left = canvasLeft_;
    if (fieldLeft < bandLeft)
      left = std::min(left + page, 0);
    else if (fieldLeft <= bandRight)
      return;
    else
      left = std::max(left - page, page - kCanvasWidth);
    MoveCanvas(left, canvasTop_);
    HScroll1->setValue(-left);
  });
}

void ctlTax_1::HScroll1_Scroll() {
  Trap trap(kModule, "HScroll1_Scroll");
  trap([&] { MoveCanvas(-HScroll1->sliderPosition(), canvasTop_); });
}

void ctlTax_1::VScroll1_Scroll() {
  Trap trap(kModule, "VScroll1_Scroll");
  trap([&] { MoveCanvas(canvasLeft_, -VScroll1->sliderPosition()); });
}

void ctlTax_1::HScroll1_Change() {
  Trap trap(kModule, "HScroll1_Change");
  trap([&] { MoveCanvas(-HScroll1->value(), canvasTop_); });
  trap([&] { PlaceBars(); });
}

void ctlTax_1::VScroll1_Change() {
  Trap trap(kModule, "VScroll1_Change");
  trap([&] { MoveCanvas(canvasLeft_, -VScroll1->value()); });
  trap([&] { PlaceBars(); });
}

// The wheel over the viewport moves the bar of its direction, as over any
// scrolled window; a bar that is hidden (the canvas fits) stays.
bool ctlTax_1::eventFilter(QObject* watched, QEvent* event) {
  // How the focus reached a stop after the lines (the focus notice that
  // acts on it follows the focus event).
  if (event->type() == QEvent::FocusIn)
    enteredBackwards_ = static_cast<QFocusEvent*>(event)->reason() == Qt::BacktabFocusReason;
  if (watched != picParent || event->type() != QEvent::Wheel) return QWidget::eventFilter(watched, event);
  auto* wheel = static_cast<QWheelEvent*>(event);
  const QPoint delta = wheel->angleDelta();
  QScrollBar* bar = std::abs(delta.x()) > std::abs(delta.y()) ? HScroll1 : VScroll1;
  wheel->ignore();
  if (!bar->isHidden()) QApplication::sendEvent(bar, wheel);
  return true;
}

// The bars along the viewport's bottom and right edges.
void ctlTax_1::PlaceBars() {
  HScroll1->move(0, picParent->height() - HScroll1->height());
  VScroll1->move(picParent->width() - VScroll1->width(), 0);
}

// The focus given to the control itself goes on to its first line that
// takes it, as when the Tab key enters the control.
void ctlTax_1::focusInEvent(QFocusEvent* event) {
  QWidget::focusInEvent(event);
  if (numbox::CNumCtrl* first = TabLine(false)) first->setFocus(event->reason());
}

void ctlTax_1::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  Trap trap(kModule, "UserControl_Resize");
  trap([&] { ResizeIt(); });
}

// Lays the viewport out in the control, shows the bars the canvas needs and
// gives them their ranges. Every resize scrolls the canvas back to its left
// edge and keeps the vertical position.
void ctlTax_1::ResizeIt() {
  Trap trap(kModule, "ResizeIt", Trap::Mode::Silent);
  const int width = ui::PixelsToWholeTwipsX(this->width());
  const int height = ui::PixelsToWholeTwipsY(this->height());
  trap([&] { MoveCanvas(-HScroll1->value(), -VScroll1->value()); });
  trap([&] {
    SetTwipsGeometry(*picParent, kViewportLeft, kViewportTop, width - kViewportMargin, height - kViewportMargin);
  });
  const int viewWidth = ViewportWidth();
  const int viewHeight = ViewportHeight();
  const int barWidth = ui::PixelsToWholeTwipsX(VScroll1->width());
  const int barHeight = ui::PixelsToWholeTwipsY(HScroll1->height());
  trap([&] { VScroll1->setVisible(kCanvasHeight > viewHeight); });
  trap([&] { HScroll1->setVisible(kCanvasWidth > viewWidth); });
  trap([&] {
    HScroll1->resize(picParent->width() - VScroll1->width(), HScroll1->height());
    VScroll1->resize(VScroll1->width(), picParent->height() - HScroll1->height());
    PlaceBars();
  });
  auto setRange = [](QScrollBar& bar, int max) {
    if (max < 0) max = 20;
    bar.setMaximum(max);
    bar.setPageStep(WholeTwips(max / 10.0));
    bar.setSingleStep(WholeTwips(max / 20.0));
  };
  trap([&] { setRange(*VScroll1, kCanvasHeight - viewHeight + barHeight); });
  trap([&] { setRange(*HScroll1, kCanvasWidth - viewWidth + barWidth); });
  trap([&] {
    HScroll1->setMaximum(kCanvasWidth - width + barWidth);
    HScroll1->setMinimum(0);
    HScroll1->setValue(0);
  });
  trap([&] {
    picDummy->setGeometry(HScroll1->width(), HScroll1->y(), VScroll1->width(), HScroll1->height());
  });
}
