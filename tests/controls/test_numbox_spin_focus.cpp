// Spinning the value, leaving the field (validation, DataError, keeping the
// focus), the next control of the focus chain, and handlers that delete
// the field.

#include "NumboxFixture.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>

namespace numbox::testing {
namespace {

using NumboxSpinTest = NumboxTest;
using NumboxFocusTest = NumboxTest;

QPoint Centre(const Rect& r) { return QPoint((r.left + r.right) / 2, (r.top + r.bottom) / 2); }

TEST_F(NumboxSpinTest, StepsThatLeaveTheTypeOrTheRangeChangeNothing) {
  struct Case {
    const char* name;
    short dataType;
    const char* value;
    short validateType;
    short direction;
    const char* expected;
    int clicks;
  } cases[] = {
      {"integer up", 1, "5", 0, 1, "6", 1},
      {"integer at its top", 1, "32767", 0, 1, "32767", 0},
      {"long at its bottom", 2, "-2147483648", 0, 0, "-2147483648", 0},
      {"double down", 4, "0.5", 0, 0, "-0.5", 1},
      {"currency up", 5, "1.25", 0, 1, "2.25", 1},
      {"outside a type-1 range", 2, "20", 1, 1, "20", 0},
      {"inside a type-1 range", 2, "19", 1, 1, "20", 1},
      {"a text field does not spin", 0, "5", 0, 1, "5", 0},
      {"a direction of 2 does nothing", 2, "5", 0, 2, "5", 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    CNumCtrl* field = AddField();
    field->SetMaskType(0);
    field->SetDataType(c.dataType);
    field->SetText(c.value);
    field->SetValidateRangeLow("10");
    field->SetValidateRangeHigh("20");
    field->SetValidateType(c.validateType);
    QSignalSpy changes(field, &CNumCtrl::Change);
    QSignalSpy clicks(field, &CNumCtrl::SpinClick);
    field->DoSpinClick(c.direction);
    EXPECT_EQ(field->Text(), c.expected);
    EXPECT_EQ(clicks.count(), c.clicks);
    EXPECT_EQ(changes.count(), c.clicks);
    if (c.clicks) {
      EXPECT_EQ(clicks[0][0].toInt(), c.direction);
    }
  }
}

TEST_F(NumboxSpinTest, AHeldButtonRepeatsAfterHalfASecondThenEveryTenth) {
  CNumCtrl* field = AddField();
  field->SetMaskType(0);
  field->SetDataType(2);
  field->SetSpinButton(true);
  field->SetText("0");
  ShowWindow();
  QSignalSpy clicks(field, &CNumCtrl::SpinClick);
  std::vector<qint64> at;
  QObject::connect(field, &CNumCtrl::SpinClick, field, [&] { at.push_back(clock_.Ticks()); });

  QTest::mousePress(field, Qt::LeftButton, Qt::NoModifier, Centre(field->SpinUpRect()));
  clock_.Advance(1000);
  QTest::mouseRelease(field, Qt::LeftButton, Qt::NoModifier, Centre(field->SpinUpRect()));
  EXPECT_EQ(at, (std::vector<qint64>{500, 600, 700, 800, 900, 1000, 1000}));
  EXPECT_EQ(field->Text(), "7");

  // A click steps once, on release; the lower half steps down.
  QTest::mouseClick(field, Qt::LeftButton, Qt::NoModifier, Centre(field->SpinDownRect()));
  EXPECT_EQ(field->Text(), "6");

  // Moving off the button ends the repetition for good.
  QTest::mousePress(field, Qt::LeftButton, Qt::NoModifier, Centre(field->SpinUpRect()));
  QTest::mouseMove(field, QPoint(5, 5));
  clock_.Advance(1000);
  QTest::mouseMove(field, Centre(field->SpinUpRect()));
  clock_.Advance(1000);
  QTest::mouseRelease(field, Qt::LeftButton, Qt::NoModifier, Centre(field->SpinUpRect()));
  EXPECT_EQ(field->Text(), "7");

  // A locked field's buttons do not spin.
  field->SetLocked(true);
  QTest::mouseClick(field, Qt::LeftButton, Qt::NoModifier, Centre(field->SpinUpRect()));
  EXPECT_EQ(field->Text(), "7");
}

TEST_F(NumboxSpinTest, TheEllipsesButtonClicksWhenReleasedOverIt) {
  CNumCtrl* field = AddField();
  field->SetEllipsesButton(true);
  ShowWindow();
  QSignalSpy clicks(field, &CNumCtrl::EllipsesClick);
  const QPoint on = Centre(field->EllipsesButtonRect());
  QTest::mouseClick(field, Qt::LeftButton, Qt::NoModifier, on);
  EXPECT_EQ(clicks.count(), 1);
  QTest::mousePress(field, Qt::LeftButton, Qt::NoModifier, on);
  QTest::mouseMove(field, QPoint(5, 5));
  QTest::mouseRelease(field, Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
  EXPECT_EQ(clicks.count(), 1);
  field->SetEllipsesButtonEnabled(false);
  QTest::mouseClick(field, Qt::LeftButton, Qt::NoModifier, on);
  EXPECT_EQ(clicks.count(), 1);
  field->DoEllipsesClick();
  EXPECT_EQ(clicks.count(), 2);
}

TEST_F(NumboxFocusTest, LeavingAFieldOutsideItsRangeReportsOnceAndShowsTheError) {
  CNumCtrl* field = AddTaxLine();
  CNumCtrl* next = AddTaxLine();
  field->SetValidateType(2);
  field->SetValidateRangeLow("10");
  field->SetValidateRangeHigh("20");
  field->SetText("15");
  QSignalSpy errors(field, &CNumCtrl::DataError);
  QSignalSpy nextErrors(next, &CNumCtrl::DataError);
  Focus(field);
  QTest::keyClick(field, Qt::Key_Tab);
  ASSERT_EQ(errors.count(), 1);
  EXPECT_EQ(errors[0][0].value<short>(), kInvalidRange);
  EXPECT_EQ(errors[0][1].toString(), "15");
  EXPECT_TRUE(next->HasFocusNow());
  EXPECT_TRUE(field->MaskError());
  EXPECT_EQ(field->GetCurrentForeColor(), QColor(255, 0, 0));
  EXPECT_EQ(nextErrors.count(), 0);

  // Back in the field the error is cleared; a value outside the range passes.
  Focus(field);
  EXPECT_FALSE(field->MaskError());
  field->SetText("25");
  QTest::keyClick(field, Qt::Key_Tab);
  EXPECT_EQ(errors.count(), 1);
}

TEST_F(NumboxFocusTest, TheFocusStaysOnErrorOrWhenLeavingIsCancelled) {
  CNumCtrl* field = AddField();
  auto* other = new QLineEdit(window_.get());
  other->setGeometry(10, 150, 100, 21);
  field->SetAllowNull(false);
  field->SetMaskZeroIfNull(false);
  field->SetDataType(0);
  field->SetText("");
  field->SetKeepFocusOnError(true);
  QSignalSpy errors(field, &CNumCtrl::DataError);
  Focus(field);
  other->setFocus();
  EXPECT_TRUE(field->HasFocusNow());
  ASSERT_EQ(errors.count(), 1);
  EXPECT_EQ(errors[0][0].value<short>(), kNullNotAllowed);

  short cancelWith = -1;
  int validations = 0;
  QObject::connect(field, &CNumCtrl::BeforeLostFocus, field, [&](short& cancel) { cancel = cancelWith; });
  QObject::connect(field, &CNumCtrl::OnValidate, field, [&](const QString&, short&) { ++validations; });
  other->setFocus();
  EXPECT_TRUE(field->HasFocusNow());
  EXPECT_EQ(validations, 0);
  EXPECT_EQ(errors.count(), 1);

  cancelWith = 0;
  field->SetText("7");
  other->setFocus();
  EXPECT_TRUE(other->hasFocus());
  EXPECT_EQ(validations, 1);
}

TEST_F(NumboxFocusTest, AnotherWindowTakesTheFocusSilently) {
  CNumCtrl* field = AddTaxLine();
  field->SetValidateType(1);
  field->SetValidateRangeLow("10");
  field->SetValidateRangeHigh("20");
  Focus(field);
  field->SetSel(0, 1);
  QTest::keyClicks(field, "5");
  int before = 0;
  QObject::connect(field, &CNumCtrl::BeforeLostFocus, field, [&](short&) { ++before; });
  QSignalSpy errors(field, &CNumCtrl::DataError);
  QWidget other;
  auto* edit = new QLineEdit(&other);
  other.show();
  QApplication::setActiveWindow(&other);
  ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
  edit->setFocus();
  EXPECT_FALSE(field->HasFocusNow());
  EXPECT_EQ(before, 0);
  EXPECT_EQ(errors.count(), 0);
  // The field shows the number as typed, formatted.
  EXPECT_EQ(field->GetEditText(), "5");
  field->SetText("1234");
  EXPECT_EQ(field->GetEditText(), "1,234");
}

TEST_F(NumboxFocusTest, ValidateReportsEachOutcome) {
  struct Case {
    const char* name;
    short dataType;
    const char* text;
    short validateType;
    bool allowNull;
    short handlerValid;
    short outcome;
  } cases[] = {
      {"inside", 2, "15", 1, true, -1, kValid},
      {"below", 2, "5", 1, true, -1, kInvalidRange},
      {"outside type 2 inside", 2, "15", 2, true, -1, kInvalidRange},
      {"not negative", 2, "5", 3, true, -1, kNotNegative},
      {"negative where positive", 2, "-5", 4, true, -1, kNotPositive},
      {"zero", 4, "0", 5, true, -1, kNotNonZero},
      {"refused by the handler", 2, "15", 0, true, 0, kUserError},
      {"empty not allowed", 0, "", 0, false, -1, kNullNotAllowed},
      {"empty allowed", 0, "", 0, true, -1, kValid},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    CNumCtrl* field = AddField();
    field->SetMaskType(0);
    field->SetMaskZeroIfNull(false);
    field->SetDataType(c.dataType);
    field->SetText(c.text);
    field->SetValidateRangeLow(c.dataType ? "10" : "");
    field->SetValidateRangeHigh(c.dataType ? "20" : "");
    field->SetValidateType(c.validateType);
    field->SetAllowNull(c.allowNull);
    QObject::connect(field, &CNumCtrl::OnValidate, field, [&](const QString& text, short& valid) {
      EXPECT_EQ(text, c.text);
      valid = c.handlerValid;
    });
    EXPECT_EQ(field->Validate(), c.outcome);
  }
  // Without both bounds the range rules pass everything.
  CNumCtrl* field = AddField();
  field->SetDataType(2);
  field->SetText("5");
  field->SetValidateType(3);
  EXPECT_EQ(field->Validate(), kValid);
}

TEST_F(NumboxFocusTest, NextControlFollowsTheFocusChainSkippingAndWrapping) {
  struct Case {
    const char* name;
    std::function<void(QWidget*)> change;  // applied to the first widget of the chain
    const char* expected;
  } cases[] = {
      {"wraps to the first", [](QWidget*) {}, "a"},
      {"skips a hidden one", [](QWidget* w) { w->hide(); }, "b"},
      {"skips a disabled one", [](QWidget* w) { w->setEnabled(false); }, "b"},
      {"skips one without Tab focus", [](QWidget* w) { w->setFocusPolicy(Qt::ClickFocus); }, "b"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    window_ = std::make_unique<QWidget>();
    nextTop_ = 10;
    auto* a = new QLineEdit(window_.get());
    a->setObjectName("a");
    auto* b = new QLineEdit(window_.get());
    b->setObjectName("b");
    CNumCtrl* field = AddTaxLine("field");
    QWidget::setTabOrder(a, b);
    QWidget::setTabOrder(b, field);
    c.change(a);
    Focus(field);
    QTest::keyClick(field, Qt::Key_Return);
    EXPECT_EQ(QApplication::focusWidget()->objectName(), c.expected);
  }
  // Alone in its window, the field keeps the focus.
  window_ = std::make_unique<QWidget>();
  CNumCtrl* alone = AddTaxLine();
  Focus(alone);
  QTest::keyClick(alone, Qt::Key_Return);
  EXPECT_TRUE(alone->HasFocusNow());
}

TEST_F(NumboxFocusTest, ControlsAndPropertiesByName) {
  CNumCtrl* field = AddField("txtA");
  auto* status = new QLabel("ready", window_.get());
  status->setObjectName("lblStatus");
  auto* member = new QLabel(window_.get());
  member->setObjectName("lblLine");
  member->setProperty("index", 3);
  EXPECT_EQ(field->FindControlByName("lblLine(3)"), member);
  EXPECT_EQ(field->FindControlByName("LBLSTATUS"), nullptr);
  EXPECT_EQ(field->FindControlByName("txtA"), nullptr);  // never itself
  QStringList names;
  field->ListControlNames(names);
  EXPECT_TRUE(names.contains("lblLine(3)"));
  EXPECT_FALSE(names.contains("txtA"));
  // The fields' own windows (calculator, tip) are no controls of the form.
  EXPECT_FALSE(names.contains("quorCalculator"));
  EXPECT_FALSE(names.contains("quorToolTip"));

  QVariant out;
  EXPECT_TRUE(CEditBase::GetPropertyByName(status, "text", out));
  EXPECT_EQ(out.toString(), "ready");
  EXPECT_FALSE(CEditBase::PutPropertyByName(status, "NoSuchProperty", 1));
  EXPECT_TRUE(CEditBase::PutPropertyByName(nullptr, "text", 1));
  EXPECT_TRUE(CEditBase::PutPropertyByName(field, "BackColor", 0xC0C0C0));
  EXPECT_EQ(field->BackColor(), 0xC0C0C0u);

  // The status text shows while the field has the focus, then the old text again.
  field->SetStatusBarPropName("text");
  field->SetStatusBarText("Amount of line A-1");
  field->SetStatusBarControlName("lblStatus");
  EXPECT_EQ(status->text(), "ready");
  Focus(field);
  EXPECT_EQ(status->text(), "Amount of line A-1");
  field->clearFocus();
  EXPECT_EQ(status->text(), "ready");
}

TEST_F(NumboxFocusTest, HostFormatIsUsedOnlyWhenInstalled) {
  QString out = "untouched";
  EXPECT_FALSE(CEditBase::FormatTextByHost("5", "", out));
  EXPECT_EQ(out, "untouched");
  EXPECT_TRUE(CEditBase::FormatTextByHost("1234", "#,##0", out));
  EXPECT_EQ(out, "1,234");
  SetHostFormat(nullptr);
  EXPECT_FALSE(CEditBase::FormatTextByHost("1234", "#,##0", out));
  EXPECT_EQ(out, "1234");
  CNumCtrl* field = AddTaxLine();
  field->SetText("1234");
  EXPECT_EQ(field->GetEditText(), "1234");
}

TEST_F(NumboxFocusTest, AnEmptyFieldShowsTheNullTextOnceLeft) {
  CNumCtrl* field = AddField();
  auto* other = new QLineEdit(window_.get());
  other->setGeometry(10, 150, 100, 21);
  field->SetMaskZeroIfNull(false);
  field->SetNullText("(none)");
  Focus(field);
  field->SetSel(0, 1);
  QTest::keyClick(field, Qt::Key_Delete);
  EXPECT_EQ(field->GetEditText(), "");
  other->setFocus();
  EXPECT_EQ(field->GetEditText(), "(none)");
  EXPECT_TRUE(field->IsNullShown());
  EXPECT_EQ(field->Text(), "");
  EXPECT_FALSE(field->Value().isValid());
  Focus(field);
  EXPECT_EQ(field->GetEditText(), "");
}

TEST_F(NumboxFocusTest, AFieldShowingItsNullTextIsEmpty) {
  for (const char* nullText : {"", "(none)"}) {
    SCOPED_TRACE(nullText);
    CNumCtrl* field = AddField();
    field->SetMaskZeroIfNull(false);
    field->SetDataType(0);
    field->SetText("");
    field->SetNullText(nullText);
    field->SetAllowNull(false);
    EXPECT_EQ(field->IsNullShown(), *nullText != '\0');
    EXPECT_TRUE(field->IsEmpty());
    EXPECT_EQ(field->Validate(), kNullNotAllowed);
  }
}

TEST_F(NumboxFocusTest, HandlersThatDeleteTheFieldEndTheStepQuietly) {
  struct Case {
    const char* name;
    std::function<void(CNumCtrl*, QLineEdit*)> run;
  } cases[] = {
      {"Change while typing",
       [](CNumCtrl* f, QLineEdit*) {
         QObject::connect(f, &CNumCtrl::Change, f, [f] { delete f; });
         QTest::keyClicks(f, "5");
       }},
      {"KeyPress",
       [](CNumCtrl* f, QLineEdit*) {
         QObject::connect(f, &CNumCtrl::KeyPress, f, [f](short&) { delete f; });
         QTest::keyClicks(f, "5");
       }},
      {"BeforeLostFocus",
       [](CNumCtrl* f, QLineEdit* other) {
         QObject::connect(f, &CNumCtrl::BeforeLostFocus, f, [f](short&) { delete f; });
         other->setFocus();
       }},
      {"OnValidate on leaving",
       [](CNumCtrl* f, QLineEdit* other) {
         QObject::connect(f, &CNumCtrl::OnValidate, f, [f](const QString&, short&) { delete f; });
         other->setFocus();
       }},
      {"SpinClick",
       [](CNumCtrl* f, QLineEdit*) {
         QObject::connect(f, &CNumCtrl::SpinClick, f, [f](int) { delete f; });
         QTest::keyClick(f, Qt::Key_Plus, Qt::KeypadModifier);
       }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    CNumCtrl* field = AddField();
    auto* other = new QLineEdit(window_.get());
    other->setGeometry(200, 10, 100, 21);
    other->show();
    QPointer<CNumCtrl> watch(field);
    Focus(field);
    c.run(field, other);
    EXPECT_TRUE(watch.isNull());
  }
  CNumCtrl* field = AddField();
  QObject::connect(field, &CNumCtrl::OnValidate, field, [field](const QString&, short&) { delete field; });
  EXPECT_EQ(field->Validate(), kValid);
}

}  // namespace
}  // namespace numbox::testing
