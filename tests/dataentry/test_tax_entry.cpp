// The tax entry control as the tax form hosts it: lines enabled by tax type
// and county of residence, the residence names from the directory, the
// focus running through the lines and out of the control, scrolling a
// focused field into view, edits reported to the host, binding by name and
// the stored settings of the amount fields.

#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QWheelEvent>
#include <memory>
#include <string>
#include <vector>

#include "KeyInput.h"
#include "NumFieldHost.h"
#include "TestEnvironment.h"
#include "Utilities.h"
#include "clsGlobalParam.h"
#include "ctlTax_1.h"
#include "modCOE.h"
#include "modGlobals.h"
#include "numbox/CNumCtrl.h"
#include "ui/Twips.h"
#include "vb/Conversions.h"

namespace {

using vb::Variant;

constexpr unsigned kWindowBackground = 0x80000005;
constexpr unsigned kLightGrey = 0x00C0C0C0;

class TaxEntryTest : public ProgramTest {
 protected:
  void SetUp() override {
    ProgramTest::SetUp();
    NumFieldHost::Install();
    db_ = OpenDatabase();
    // A small directory: county 19 with its office and a district that has
    // a supplemental tax line in 2019; county 6 with an open district;
    // county 7 whose only district is closed.
    db_->ExecuteScript(R"(
      INSERT INTO KRN_LEAS (FISCAL_YEAR, COUNTY_ID, SCHOOL_DISTRICT_ID, SCHOOL_ID, COUNTY_NAME,
                            SCHOOL_DISTRICT_NAME, LEA_TYPE, STAT_TYPE, TaxDistrictSupplement) VALUES
        (2019, 19, 10199, 0, 'Juniper County', 'Juniper County Office of Education', 2, 'OPEN', 0),
        (2019, 19, 64733, 0, 'Juniper County', 'Larkspur Unified', 3, 'OPEN', -1),
        (2019, 6, 61500, 0, 'Fenwick County', 'Fenwick Valley Elementary', 3, 'OPEN', 0),
        (2019, 7, 10700, 0, 'Greywater County', 'Greywater County Office of Education', 2, 'OPEN', 0),
        (2019, 7, 70100, 0, 'Greywater County', 'Greywater Union', 3, 'CLOSED', 0);
    )");
    modGlobals::gstrConnectionString = ConnectionString();
    clsGlobalParam& global = modGlobals::GlobalParam();
    global.CountyID = 19;
    global.DistrictID = 10199;
    global.ReportYear = 2019;

    window_ = std::make_unique<QWidget>();
    window_->setObjectName("frmTax");
    before_ = new QPushButton("Before", window_.get());
    tax_ = new ctlTax_1(window_.get());
    tax_->setObjectName("ctlTax_11");
    after_ = new QPushButton("After", window_.get());
    before_->setGeometry(0, 0, 80, 24);
    tax_->setGeometry(0, 30, 760, 560);
    after_->setGeometry(0, 600, 80, 24);
    window_->resize(780, 640);
  }

  void TearDown() override {
    window_.reset();
    NumFieldHost::Uninstall();
    modGlobals::gintTaxType = 0;
    modGlobals::glngResCountyID = 0;
    modGlobals::glngResSchoolDistrictID = 0;
    db_.reset();
    ProgramTest::TearDown();
  }

  void ShowWindow() {
    window_->show();
    QApplication::setActiveWindow(window_.get());
    ASSERT_TRUE(QTest::qWaitForWindowActive(window_.get()));
  }

  numbox::CNumCtrl& Line(const char* property) { return *tax_->Field(property); }

  static int TwipsDown(int pixels) { return static_cast<int>(std::lrint(ui::PixelsToTwipsY(pixels))); }
  static int TwipsAcross(int pixels) { return static_cast<int>(std::lrint(ui::PixelsToTwipsX(pixels))); }
  int CanvasTop() const { return TwipsDown(tax_->picChild->y()); }
  int CanvasLeft() const { return TwipsAcross(tax_->picChild->x()); }
  int PageDown() const { return TwipsDown(tax_->picParent->height()); }

  db::ConnectionPtr db_;
  std::unique_ptr<QWidget> window_;
  QPushButton* before_ = nullptr;
  ctlTax_1* tax_ = nullptr;
  QPushButton* after_ = nullptr;
};

// --- Enabling the lines --------------------------------------------------------

TEST_F(TaxEntryTest, LinesFollowTaxTypeCountyOfResidenceAndTheDistrictsSupplement) {
  enum Expect { Enabled, Disabled, Unchanged };
  struct Case {
    int taxType;
    const char* county;
    const char* district;
    int year;
    Expect supplemental, college, explanation;
    const char* what;
  };
  const Case cases[] = {
      {0, "19", "10199", 2019, Enabled, Enabled, Enabled, "county tax, county of residence is ours"},
      {0, "6", "61500", 2019, Disabled, Disabled, Unchanged, "county tax, another county"},
      {0, "", "", 2019, Disabled, Disabled, Unchanged, "county tax, no county shown"},
      {1, "19", "64733", 2019, Enabled, Disabled, Enabled, "district tax, district with a supplement"},
      {1, "19", "10199", 2019, Disabled, Disabled, Enabled, "district tax, supplement 0"},
      {1, "19", "64733", 2020, Disabled, Disabled, Enabled, "district tax, supplement of another year"},
      {1, "19", "", 2019, Disabled, Disabled, Enabled, "district tax, no district shown"},
      {1, "6", "61500", 2019, Disabled, Disabled, Unchanged, "district tax, another county"},
      {1, "", "", 2019, Disabled, Disabled, Unchanged, "district tax, no county shown"},
  };
  const std::vector<const char*> alwaysOn = {"Secured",       "Unsecured",   "HOX",
                                             "Subventions",   "DistributionTimberYieldTax",
                                             "DistributionPriorYearTax",   "ReleasePriorYearTaxImpound",
                                             "EducationalRevenueAugmentationFund",
                                             "CommRedFunds",  "SERAF",       "RedevAgencyAssetLiquidation"};
  auto expectLine = [](numbox::CNumCtrl& field, bool enabled, const std::string& what) {
    EXPECT_EQ(field.Enabled(), enabled) << field.objectName().toStdString() << ": " << what;
    EXPECT_EQ(field.BackColor(), enabled ? kWindowBackground : kLightGrey)
        << field.objectName().toStdString() << ": " << what;
  };
  clsGlobalParam hostParam;
  for (const Case& c : cases) {
    modGlobals::gintTaxType = static_cast<std::int16_t>(c.taxType);
    modGlobals::GlobalParam().ReportYear = c.year;
    tax_->RES_COUNTY_ID(c.county);
    tax_->RES_SCHOOL_DISTRICT_ID(c.district);
    tax_->txtExplanation->setEnabled(false);
    tax_->SetLEAType(hostParam);

    expectLine(Line("SupplementalTax"), c.supplemental == Enabled, c.what);
    expectLine(Line("CollegeERAF"), c.college == Enabled, c.what);
    expectLine(Line("EstExcessERAF"), c.college == Enabled, c.what);
    EXPECT_EQ(tax_->txtExplanation->isEnabled(), c.explanation == Enabled) << c.what;
    for (const char* line : alwaysOn) expectLine(Line(line), true, c.what);
    expectLine(Line("PriorYearRestrictedMonie"), false, c.what);
    expectLine(Line("Total"), false, c.what);
  }
  EXPECT_TRUE(dialogs_.Prompts().empty());
}

TEST_F(TaxEntryTest, EnablingServicesSetTheNumericFieldsMembersAndOtherFieldsPalette) {
  numbox::CNumCtrl& field = Line("Secured");
  Utilities::DisableControl(field);
  EXPECT_FALSE(field.Enabled());
  EXPECT_FALSE(field.isEnabled());
  EXPECT_EQ(field.BackColor(), kLightGrey);
  Utilities::EnableControl(field);
  EXPECT_TRUE(field.Enabled());
  EXPECT_EQ(field.BackColor(), kWindowBackground);

  Utilities::DisableControl(*tax_->txtExplanation);
  EXPECT_FALSE(tax_->txtExplanation->isEnabled());
  EXPECT_EQ(tax_->txtExplanation->palette().color(QPalette::Disabled, QPalette::Base), QColor(0xC0, 0xC0, 0xC0));
}

// --- Residence --------------------------------------------------------------------

TEST_F(TaxEntryTest, ResidenceKeysShowWithTheirDirectoryNames) {
  struct Case {
    const char* county;
    const char* countyShown;
    const char* countyName;
    const char* what;
  };
  const Case counties[] = {
      {"6", "06", "Fenwick County", "a key of one digit shows two"},
      {"19", "19", "Juniper County", "the name comes from an open district row"},
      {"7", "07", "", "a county without an open district row has no name"},
      {"", "", "", "an empty key empties both"},
  };
  for (const Case& c : counties) {
    tax_->lblCountyName->setText("(before)");
    tax_->RES_COUNTY_ID(c.county);
    EXPECT_EQ(tax_->lblCountyID->text().toStdString(), c.countyShown) << c.what;
    EXPECT_EQ(tax_->lblCountyName->text().toStdString(), c.countyName) << c.what;
  }
  tax_->RES_COUNTY_ID("6");
  tax_->RES_COUNTY_ID("6 or 1=1");
  EXPECT_EQ(tax_->lblCountyID->text().toStdString(), "6 or 1=1") << "a text that is no number is shown as it is";
  EXPECT_EQ(tax_->lblCountyName->text().toStdString(), "Fenwick County") << "and finds nothing: the name stays";

  tax_->RES_SCHOOL_DISTRICT_ID("64733");
  EXPECT_EQ(tax_->lblDistrictID->text().toStdString(), "64733");
  EXPECT_EQ(tax_->lblDistrictName->text().toStdString(), "Larkspur Unified");
  tax_->RES_SCHOOL_DISTRICT_ID("");
  EXPECT_EQ(tax_->lblDistrictID->text().toStdString(), "");
  EXPECT_EQ(tax_->lblDistrictName->text().toStdString(), "");

  // Reading answers the program's residence keys, not the shown ones.
  modGlobals::glngResCountyID = 62;
  modGlobals::glngResSchoolDistrictID = 62001;
  EXPECT_EQ(tax_->RES_COUNTY_ID(), "62");
  EXPECT_EQ(tax_->RES_SCHOOL_DISTRICT_ID(), "62001");
  EXPECT_TRUE(dialogs_.Prompts().empty());
}

TEST_F(TaxEntryTest, AFailureWhileEnablingIsReportedUnderTheControlAndTheRestGoesOn) {
  modGlobals::gintTaxType = 1;
  tax_->RES_COUNTY_ID("19");
  tax_->lblDistrictID->setText("64733x");  // a key the directory cannot be asked for
  dialogs_.AnswerMsgBox(5);                 // Ignore
  clsGlobalParam hostParam;
  tax_->SetLEAType(hostParam);
  ASSERT_EQ(dialogs_.Prompts().size(), 1u);
  EXPECT_NE(dialogs_.LastPrompt().text.find("Source: ctlTax_1"), std::string::npos);
  EXPECT_NE(dialogs_.LastPrompt().text.find("Procedure: SetLEAType"), std::string::npos);
  EXPECT_FALSE(Line("SupplementalTax").Enabled()) << "no supplement was found";
  EXPECT_FALSE(Line("CollegeERAF").Enabled());
}

// --- Focus ----------------------------------------------------------------------------

TEST_F(TaxEntryTest, EnterWalksTheLinesAndTabRunsOutOfTheControlOnce) {
  ShowWindow();
  std::vector<std::string> events;
  // The host's answers: one Tab key press, then the focus to its next control.
  QObject::connect(tax_, &ctlTax_1::OnEnter, [&] {
    events.push_back("OnEnter");
    Utilities::MySendKey(13);
  });
  QObject::connect(tax_, &ctlTax_1::OnReachEnd, [&] {
    events.push_back("OnReachEnd");
    after_->setFocus(Qt::TabFocusReason);
  });

  Line("Secured").setFocus(Qt::TabFocusReason);
  for (int i = 0; i < 9; ++i) QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
  EXPECT_EQ(QApplication::focusWidget(), &Line("CommRedFunds")) << "A-10 is disabled and A-11 no tab stop";

  Line("EstExcessERAF").setFocus(Qt::TabFocusReason);
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
  EXPECT_EQ(events, (std::vector<std::string>{"OnEnter", "OnReachEnd"}));
  EXPECT_EQ(QApplication::focusWidget(), after_);

  std::vector<QWidget*> tail;  // the stops after the second focus catcher
  for (QWidget* w = tax_->txtDUMMYOnReachEnd->nextInFocusChain(); tail.size() < 5; w = w->nextInFocusChain())
    if (w->focusPolicy() & Qt::TabFocus) tail.push_back(w);
  EXPECT_EQ(tail, (std::vector<QWidget*>{tax_->picParent, tax_->picChild, tax_->HScroll1, tax_->VScroll1,
                                         tax_->picDummy}));

  // Backwards from A-1 the focus leaves the control: the explanation takes
  // the focus only by a click.
  Line("Secured").setFocus(Qt::TabFocusReason);
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
  EXPECT_EQ(QApplication::focusWidget(), before_);
}

// --- Scrolling ------------------------------------------------------------------------

TEST_F(TaxEntryTest, AFocusedFieldScrollsIntoViewOnePageAtMost) {
  tax_->resize(120, 200);
  ShowWindow();
  const int page = PageDown();
  ASSERT_GT(page, 2000);
  ASSERT_LT(2 * page, 7320) << "A-12 lies more than a page below the first";

  Line("CommRedFunds").setFocus(Qt::TabFocusReason);  // A-12, top 7320
  EXPECT_EQ(CanvasTop(), -page) << "one page only";
  EXPECT_EQ(tax_->VScroll1->value(), page);

  struct Case {
    int barValue;  // the vertical bar before the focus
    int expected;  // the canvas top after it
    const char* what;
  };
  const int a5 = 3405;  // A-5's top
  const Case cases[] = {
      {a5, -(a5 - page), "a top on the band's top edge pages up"},
      {a5 - page, -(a5 - page), "a top on the band's bottom edge stays"},
      {a5 - 105, -(a5 - 105), "a top inside the band stays"},
  };
  for (const Case& c : cases) {
    before_->setFocus();
    tax_->VScroll1->setValue(c.barValue);
    Line("DistributionTimberYieldTax").setFocus(Qt::TabFocusReason);
    EXPECT_EQ(CanvasTop(), c.expected) << c.what;
    EXPECT_EQ(tax_->VScroll1->value(), -c.expected) << c.what;
  }

  // The fields start at 7680 twips: a left on the band's left edge stays.
  before_->setFocus();
  tax_->HScroll1->setValue(7680);
  Line("DistributionTimberYieldTax").setFocus(Qt::TabFocusReason);
  EXPECT_EQ(CanvasLeft(), -7680);
  before_->setFocus();
  tax_->HScroll1->setValue(0);
  Line("DistributionTimberYieldTax").setFocus(Qt::TabFocusReason);
  EXPECT_EQ(CanvasLeft(), -TwipsAcross(tax_->picParent->width())) << "a field right of the band pages right";
}

// One notch of the wheel at the middle of a widget: down (or right) for a
// negative delta.
bool Wheel(QWidget& widget, QPoint delta, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
  const QPointF at(widget.width() / 2.0, widget.height() / 2.0);
  QWheelEvent wheel(at, widget.mapToGlobal(at), QPoint(), delta, Qt::NoButton, modifiers, Qt::NoScrollPhase, false);
  QApplication::sendEvent(&widget, &wheel);
  return wheel.isAccepted();
}

TEST_F(TaxEntryTest, TheWheelScrollsTheViewportAndLeavesTheAmountsAlone) {
  tax_->resize(300, 260);
  ShowWindow();
  // Where the canvas lies for the bars' values, in pixels.
  auto canvasAtBars = [this] {
    return QPoint(-ui::TwipsToPixelsX(tax_->HScroll1->value()), -ui::TwipsToPixelsY(tax_->VScroll1->value()));
  };
  Wheel(*tax_->picParent, {0, -120});
  const int down = tax_->VScroll1->value();
  EXPECT_GT(down, 0) << "one notch down";
  EXPECT_EQ(tax_->picChild->pos(), canvasAtBars());
  Wheel(*tax_->picParent, {0, -120});
  EXPECT_EQ(tax_->VScroll1->value(), 2 * down);
  Wheel(*tax_->picParent, {0, 120});
  Wheel(*tax_->picParent, {0, 120});
  EXPECT_EQ(tax_->VScroll1->value(), 0);
  EXPECT_EQ(tax_->picChild->pos(), QPoint(0, 0));
  Wheel(*tax_->picParent, {-120, 0});
  EXPECT_GT(tax_->HScroll1->value(), 0) << "a sideways notch";
  EXPECT_EQ(tax_->VScroll1->value(), 0);
  EXPECT_EQ(tax_->picChild->pos(), canvasAtBars());

  // A focused amount field neither steps its value nor keeps the wheel: it
  // passes on to the viewport.
  numbox::CNumCtrl& secured = Line("Secured");
  tax_->Secured(125);
  secured.setFocus(Qt::MouseFocusReason);
  EXPECT_FALSE(Wheel(secured, {0, -120}));
  EXPECT_FALSE(Wheel(secured, {0, 120}));
  EXPECT_EQ(tax_->Secured(), 125);

  // With the whole canvas in view the wheel moves nothing.
  tax_->resize(760, 900);
  ASSERT_TRUE(tax_->VScroll1->isHidden());
  const int fitted = tax_->VScroll1->value();
  const QPoint canvas = tax_->picChild->pos();
  Wheel(*tax_->picParent, {0, -120});
  EXPECT_EQ(tax_->VScroll1->value(), fitted);
  EXPECT_EQ(tax_->picChild->pos(), canvas);
  EXPECT_TRUE(dialogs_.Prompts().empty());
}

TEST_F(TaxEntryTest, ResizingReturnsToTheLeftKeepsTheVerticalPlaceAndHidesBarsThatAreNotNeeded) {
  tax_->resize(300, 260);
  ShowWindow();
  EXPECT_TRUE(tax_->HScroll1->isVisible());
  EXPECT_TRUE(tax_->VScroll1->isVisible());
  tax_->VScroll1->setValue(3000);
  tax_->HScroll1->setValue(900);
  EXPECT_EQ(CanvasLeft(), -900);

  tax_->resize(320, 280);
  EXPECT_EQ(tax_->HScroll1->value(), 0);
  EXPECT_EQ(CanvasLeft(), 0);
  EXPECT_EQ(tax_->VScroll1->value(), 3000);
  EXPECT_EQ(CanvasTop(), -3000);
  // The corner box fills the square between the bars.
  EXPECT_EQ(tax_->picDummy->geometry(),
            QRect(tax_->HScroll1->width(), tax_->HScroll1->y(), tax_->VScroll1->width(), tax_->HScroll1->height()));

  tax_->resize(760, 900);
  EXPECT_FALSE(tax_->HScroll1->isVisible());
  EXPECT_FALSE(tax_->VScroll1->isVisible());
  EXPECT_EQ(tax_->VScroll1->minimum(), 0);
  EXPECT_EQ(tax_->VScroll1->maximum(), 20);
  EXPECT_TRUE(dialogs_.Prompts().empty());
}

// --- Edits ------------------------------------------------------------------------------

TEST_F(TaxEntryTest, EditsAreReportedExceptTheChangeAPropertySetMakes) {
  ShowWindow();
  QSignalSpy edited(tax_, &ctlTax_1::PropChanged);
  QSignalSpy notices(tax_, &ctlTax_1::PropertyChanged);
  EXPECT_EQ(tax_->Unsecured(), 0) << "a blank line reads 0";

  tax_->Secured(1234);
  EXPECT_EQ(edited.count(), 0);
  EXPECT_EQ(notices.count(), 1);
  EXPECT_EQ(notices.last().at(0).toString(), "Secured");
  EXPECT_EQ(tax_->Secured(), 1234);

  Line("Secured").setFocus(Qt::TabFocusReason);
  EXPECT_EQ(Line("Secured").SelLength(), 4) << "the focus selects the whole value";
  QTest::keyClicks(&Line("Secured"), "56");
  EXPECT_GE(edited.count(), 2) << "every typed change is an edit";
  EXPECT_EQ(tax_->Secured(), 56);

  const int typed = static_cast<int>(edited.count());
  tax_->Explanation("Roll corrected");
  EXPECT_EQ(edited.count(), typed);
  EXPECT_EQ(tax_->Explanation(), "Roll corrected");
  EXPECT_EQ(notices.last().at(0).toString(), "Explanation");
}

TEST_F(TaxEntryTest, ARefusedPropertySetLeavesTheFieldAndSwallowsTheNextEdit) {
  tax_->Secured(12);
  QSignalSpy edited(tax_, &ctlTax_1::PropChanged);
  tax_->Secured(12345678901);  // more whole places than the line has
  EXPECT_EQ(tax_->Secured(), 12);
  Line("Unsecured").SetText("3");
  EXPECT_EQ(edited.count(), 0) << "the flag of the refused set was still up";
  Line("Unsecured").SetText("4");
  EXPECT_EQ(edited.count(), 1);
}

TEST_F(TaxEntryTest, TheBindingRoutinesFillAndReadTheFieldsByName) {
  auto rs = db::Recordset::Query("SELECT * FROM Tax", db_);
  rs->AddNew();
  const std::vector<std::pair<const char*, double>> values = {{"Secured", 1500}, {"Total", 1750},
                                                              {"EstExcessERAF", -25}};
  for (const auto& [column, value] : values) rs->SetValue(column, Variant(value));
  rs->SetValue("Explanation", Variant("Late roll"));

  QSignalSpy edited(tax_, &ctlTax_1::PropChanged);
  modCOE::SetValuesFromRs(*rs, tax_->Controls(), false);
  EXPECT_EQ(edited.count(), ctlTax_1::kLineCount + 1) << "a fill is an edit of every field";
  for (const auto& [column, value] : values) EXPECT_EQ(tax_->Amount(column), value) << column;
  EXPECT_EQ(tax_->Unsecured(), 0) << "Null comes in as 0";
  EXPECT_EQ(tax_->Explanation(), "Late roll");

  tax_->HOX(42);
  tax_->Explanation("");
  modCOE::SetValuesInRs(*rs, tax_->Controls());
  EXPECT_EQ(vb::CDbl(rs->Value("HOX")), 42);
  EXPECT_EQ(vb::CDbl(rs->Value("EstExcessERAF")), -25);
  EXPECT_EQ(vb::TextOf(rs->Value("Explanation")), " ") << "an empty explanation is stored as a blank";

  // The field's own refusal comes out as the run-time error it reports.
  BoundControl* secured = nullptr;
  for (BoundControl* control : tax_->Controls())
    if (control->Name() == "txtSecured") secured = control;
  ASSERT_NE(secured, nullptr);
  long number = 0;
  try {
    secured->Text(Variant("many"));
  } catch (const vb::VbError& e) {
    number = e.Number();
  }
  EXPECT_EQ(number, 13);
  EXPECT_EQ(tax_->Secured(), 1500);
  EXPECT_TRUE(dialogs_.Prompts().empty());
}

TEST_F(TaxEntryTest, KeysThatTypeNothingKeepAFullySelectedExplanation) {
  ShowWindow();
  const std::string text = "Line A-3 fell: the county moved the homeowners' subventions into the next year.";
  tax_->Explanation(text);
  struct Case {
    int key;
    QString typed;
    Qt::KeyboardModifiers modifiers;
    const char* what;
  };
  const Case keep[] = {
      {Qt::Key_Return, "\r", Qt::NoModifier, "Enter"},
      {Qt::Key_C, QString(QChar(3)), Qt::ControlModifier, "Ctrl+C"},
      {Qt::Key_Escape, "\x1b", Qt::NoModifier, "Escape"},
  };
  for (const Case& c : keep) {
    tax_->txtExplanation->setFocus(Qt::MouseFocusReason);
    ASSERT_EQ(tax_->txtExplanation->SelLength(), static_cast<int>(text.size())) << "the focus selects it all";
    fixtures::Key(*tax_->txtExplanation, c.key, c.typed, c.modifiers);
    EXPECT_EQ(tax_->Explanation(), text) << c.what;
  }
  EXPECT_EQ(QApplication::clipboard()->text().toStdString(), text);

  tax_->txtExplanation->setFocus(Qt::MouseFocusReason);
  fixtures::Key(*tax_->txtExplanation, Qt::Key_Return, "\r");
  EXPECT_EQ(QApplication::focusWidget(), &Line("Secured")) << "Enter moves on to A-1";

  tax_->txtExplanation->setFocus(Qt::MouseFocusReason);
  fixtures::Type(*tax_->txtExplanation, "N");
  EXPECT_EQ(tax_->Explanation(), "N") << "a typed letter replaces the selection";
}

TEST_F(TaxEntryTest, AmountsAreLaidOutByTheProgramsFormatAndTheFieldsWindowsGoThroughItsDialogs) {
  tax_->Secured(1234567);
  tax_->EstExcessERAF(-25);
  EXPECT_EQ(Line("Secured").GetEditText(), "1,234,567");
  EXPECT_EQ(Line("EstExcessERAF").GetEditText(), "-25");

  dialogs_.AnswerModal([](QWidget&) { return 1; });
  Line("Secured").AboutBox();
  ASSERT_FALSE(dialogs_.Prompts().empty());
  EXPECT_EQ(dialogs_.LastPrompt().kind, "ShowModal");
}

// --- Stored settings -----------------------------------------------------------------

TEST_F(TaxEntryTest, TheAmountFieldsLoadTheirStoredSettingsWhichDifferOnlyLineByLine) {
  // What may differ between the lines' stored settings.
  const QStringList ownKeys = {"DataField", "MaskWholePlaces", "MaskDecimalFixed", "Enabled", "BackColor"};
  auto common = [&](const numbox::CNumCtrl& field) {
    QVariantMap properties = field.SaveToBag();
    for (const QString& key : ownKeys) properties.remove(key);
    return properties;
  };
  const QVariantMap secured = common(Line("Secured"));
  for (const char* property : ctlTax_1::AmountProperties()) {
    const std::string name = property;
    numbox::CNumCtrl& field = Line(property);
    QFile file(":/ctlTax_1/txt" + QString::fromStdString(name));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << name;
    const QByteArray stored = file.readAll();
    EXPECT_EQ(stored.size(), 441 + static_cast<qsizetype>(name.size())) << name;
    EXPECT_EQ(field.Save(), stored) << name << " was read to its end and as it is";

    EXPECT_EQ(field.DataField().toStdString(), name);
    EXPECT_EQ(field.MaskWholePlaces(), name == "Total" ? 12 : 10) << name;
    EXPECT_EQ(field.MaskDecimalFixed(), name == "DistributionPriorYearTax") << name;
    const bool grey = name == "Total" || name == "PriorYearRestrictedMonie";
    EXPECT_EQ(field.Enabled(), !grey) << name;
    EXPECT_EQ(field.BackColor(), grey ? kLightGrey : kWindowBackground) << name;
    EXPECT_EQ(common(field), secured) << name << " differs in more than its own settings";
    EXPECT_EQ(field.Text(), "0") << name << ": the empty value reads 0";
    EXPECT_FALSE(field.toolTip().isEmpty()) << name;
  }
  EXPECT_EQ(Line("SupplementalTax").toolTip(), "Supplemental Taxes from Increased Assessment");
  EXPECT_EQ(Line("Total").toolTip(), "Total");
}

}  // namespace
