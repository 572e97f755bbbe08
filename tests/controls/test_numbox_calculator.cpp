// The calculator drop-down of the numeric field: its arithmetic and
// display, opening it with F4 and its button, the keys and clicks it takes,
// committing the result into the field (cut to the field's decimals) or
// closing it without, its place on the screen, and handlers that delete
// the field.

#include "NumboxFixture.h"

#include "numbox/CalcEngine.h"

#include <QScreen>
#include <QSignalSpy>
#include <QTest>

namespace numbox::testing {
namespace {


// Presses the buttons of a sequence written with blanks between them;
// answers how many presses acted.
int PressAll(CalcEngine& calc, const QString& sequence) {
  static const std::map<QString, int> kNames = {
      {".", kCalcDecimal},  {"=", kCalcEqual},     {"±", kCalcSignToggle}, {"sq", kCalcSquareRoot},
      {"C", kCalcClear},    {"×", kCalcMultiply},  {"-", kCalcSubtract},   {"+", kCalcAdd},
      {"<<", kCalcBackspace}, {"÷", kCalcDivide},  {"MR", kCalcMemoryRecall}, {"M+", kCalcMemoryAdd},
      {"M-", kCalcMemorySubtract},
  };
  int acted = 0;
  for (const QString& token : sequence.split(' ', Qt::SkipEmptyParts)) {
    const auto named = kNames.find(token);
    const int button = named != kNames.end() ? named->second : token.toInt();
    acted += calc.Press(button) ? 1 : 0;
  }
  return acted;
}

QString Digits(char digit, int count) {
  QStringList keys;
  for (int i = 0; i < count; ++i) keys << QString(QChar(digit));
  return keys.join(' ');
}

TEST(CalcEngineTest, SequencesShowTheirResults) {
  const QString nines = Digits('9', 14);
  struct Case {
    QString keys;
    QString display;
    CalcEngine::State state;
  } cases[] = {
      {"1 2 + 3 =", "15", CalcEngine::kReady},
      {"2 × 3 + 4 =", "10", CalcEngine::kReady},
      {"1 ÷ 3 =", "0.333333333333", CalcEngine::kReady},
      {"1 ± ÷ 3 =", "-0.33333333333", CalcEngine::kReady},
      {"5 ÷ 0 =", "ERROR", CalcEngine::kError},
      {"5 ÷ 0 = 7 C", "0", CalcEngine::kReady},
      {"9 ± sq", "ERROR", CalcEngine::kError},
      {"1 6 sq", "4", CalcEngine::kReady},
      {"5 + =", "5", CalcEngine::kReady},
      {"5 + = =", "5", CalcEngine::kReady},
      {"5 + 3 ±", "-5", CalcEngine::kReady},
      {"5 + 3", "3", CalcEngine::kOperand},
      {".", "0.", CalcEngine::kReady},
      {". .", "0.", CalcEngine::kReady},
      {". <<", "0", CalcEngine::kReady},
      {"5 + 3 = 7", "7", CalcEngine::kReady},
      {"5 + 3 = <<", "0", CalcEngine::kReady},
      {Digits('1', 15), Digits('1', 14).remove(' '), CalcEngine::kReady},
      {"5 M+ 6", "56", CalcEngine::kReady},
      {"5 M+ C MR", "5", CalcEngine::kReady},
      {"2 + 5 M+", "7", CalcEngine::kReady},
      // Ordinary sums come out as a person expects them.
      {"0 . 1 + 0 . 2 =", "0.3", CalcEngine::kReady},
      {"1 ÷ 4 9 =", "0.020408163265", CalcEngine::kReady},
      {"1 ÷ 1 0 0 0 0 0 =", "0.00001", CalcEngine::kReady},
      {"1 0 0 0 0 0 0 0 0 0 0 0 0 0 + 0 . 5 =", "10000000000000", CalcEngine::kReady},
      // A result the display cannot hold is an error, never a stale number.
      {nines + " × 1 0 =", "ERROR", CalcEngine::kError},
      {"1 2 3 4 5 6 7 8 × 8 7 6 5 4 3 2 1 =", "ERROR", CalcEngine::kError},
      {nines + " M+ MR × 1 0 =", "ERROR", CalcEngine::kError},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.keys.toStdString());
    CalcEngine calc;
    PressAll(calc, c.keys);
    EXPECT_EQ(calc.DisplayText("ERROR"), c.display);
    EXPECT_EQ(calc.GetState(), c.state);
  }
}

TEST(CalcEngineTest, InTheErrorStateOnlyClearActs) {
  CalcEngine calc;
  PressAll(calc, "5 ÷ 0 =");
  EXPECT_EQ(PressAll(calc, "7 + = M+ MR ±"), 0);
  EXPECT_EQ(calc.Memory(), 0);
  EXPECT_EQ(PressAll(calc, "C"), 1);
  EXPECT_EQ(calc.DisplayText("ERROR"), "0");
}

TEST(CalcEngineTest, TheMemoryMarkComesAndGoes) {
  CalcEngine calc;
  calc.Load(5);
  PressAll(calc, "M+");
  EXPECT_EQ(calc.Memory(), 5);
  PressAll(calc, "M-");
  EXPECT_EQ(calc.Memory(), 0);
  // The memory outlives a new load; everything else starts again.
  PressAll(calc, "M+ 3 +");
  calc.Load(2);
  EXPECT_EQ(calc.Memory(), 5);
  EXPECT_EQ(calc.GetState(), CalcEngine::kReady);
  EXPECT_EQ(calc.DisplayText("E"), "2");
}

// The events of a field, in the order they come.
QStringList* Record(CNumCtrl* field) {
  auto* log = new QStringList;
  QObject::connect(field, &QObject::destroyed, [log] { delete log; });
  QObject::connect(field, &CNumCtrl::DropDown, [log] { *log << "DropDown"; });
  QObject::connect(field, &CNumCtrl::CloseUp, [log] { *log << "CloseUp"; });
  QObject::connect(field, &CNumCtrl::Change, [log] { *log << "Change"; });
  QObject::connect(field, &CNumCtrl::CalcBtnClick, [log](short b) { *log << QString("Click %1").arg(b); });
  return log;
}

class NumboxCalculatorTest : public NumboxTest {
 protected:
  // A focused field holding `value`, its events recorded from here on,
  // with its calculator down.
  CNumCtrl* Opened(const QString& value, QStringList** log) {
    CNumCtrl* field = AddField();
    field->SetText(value);
    Focus(field);
    *log = Record(field);
    QTest::keyClick(field, Qt::Key_F4);
    return field;
  }
};

TEST_F(NumboxCalculatorTest, F4TimesTwoEnterWritesTheResult) {
  QStringList* log = nullptr;
  CNumCtrl* field = Opened("12.5", &log);
  ASSERT_TRUE(field->CalcVisible());
  EXPECT_EQ(field->CalcDispText(), "12.5");
  EXPECT_TRUE(field->Calculator()->isVisible());
  EXPECT_TRUE(field->HasFocusNow());
  QTest::keyClick(field, '*');
  QTest::keyClick(field, '2');
  QTest::keyClick(field, Qt::Key_Return);
  EXPECT_FALSE(field->CalcVisible());
  EXPECT_FALSE(field->Calculator()->isVisible());
  EXPECT_EQ(field->Text(), "25");
  EXPECT_EQ(*log, (QStringList{"DropDown", "Click 15", "Click 2", "Click 11", "Change", "Change", "CloseUp"}));
}

TEST_F(NumboxCalculatorTest, EscapeClosesWithoutTouchingTheField) {
  QStringList* log = nullptr;
  CNumCtrl* field = Opened("12.5", &log);
  QTest::keyClick(field, '9');
  QTest::keyClick(field, Qt::Key_Escape);
  EXPECT_FALSE(field->CalcVisible());
  EXPECT_EQ(field->Text(), "12.5");
  EXPECT_EQ(*log, (QStringList{"DropDown", "Click 9", "CloseUp"}));
}

TEST_F(NumboxCalculatorTest, CommitsWriteTheResultCutToTheFieldsDecimals) {
  struct Case {
    const char* name;
    std::function<void(CNumCtrl*)> setup;
    QString keys;  // typed after F4
    Qt::Key commit;
    QString text;
    int changes;
  } cases[] = {
      {"cut down", [](CNumCtrl*) {}, "1.239", Qt::Key_Return, "1.23", 2},
      {"cut toward minus infinity", [](CNumCtrl*) {}, "0-1.231", Qt::Key_F4, "-1.24", 2},
      {"Delete clears", [](CNumCtrl*) {}, "", Qt::Key_Delete, "0", 2},
      {"a locked field", [](CNumCtrl* f) { f->SetLocked(true); }, "*2", Qt::Key_Return, "3", 0},
      {"a result in error", [](CNumCtrl*) {}, "/0", Qt::Key_Return, "3", 0},
      {"a result too long for the display", [](CNumCtrl*) {}, Digits('9', 14).remove(' ') + "*10", Qt::Key_Return,
       "3", 0},
      {"a value the field refuses", [](CNumCtrl* f) { f->SetMaskAllowNegative(false); }, "-5=", Qt::Key_Return, "3", 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    CNumCtrl* field = AddField();
    field->SetText("3");
    c.setup(field);
    Focus(field);
    QSignalSpy changes(field, &CNumCtrl::Change);
    QTest::keyClick(field, Qt::Key_F4);
    QTest::keyClicks(field, c.keys);
    QTest::keyClick(field, c.commit);
    if (c.commit == Qt::Key_Delete) QTest::keyClick(field, Qt::Key_Return);
    EXPECT_FALSE(field->CalcVisible());
    EXPECT_EQ(field->Text(), c.text);
    EXPECT_EQ(changes.count(), c.changes);
  }
}

TEST_F(NumboxCalculatorTest, AValueTheDisplayCannotHoldOpensInErrorAndIsKept) {
  CNumCtrl* field = AddField();
  field->SetMaskType(0);
  field->SetDataType(4);
  field->SetMaskDecimalPlaces(0);
  field->SetText("123456789012345");
  Focus(field);
  QTest::keyClick(field, Qt::Key_F4);
  EXPECT_EQ(field->CalcDispText(), "ERROR");
  QTest::keyClick(field, Qt::Key_Return);
  EXPECT_EQ(field->Text(), "123456789012345");
}

TEST_F(NumboxCalculatorTest, ClicksPressButtonsAndAClickElsewhereCommits) {
  CNumCtrl* field = AddField();
  field->SetText("4");
  Focus(field);
  QSignalSpy changes(field, &CNumCtrl::Change);
  QTest::mouseClick(field, Qt::LeftButton, {}, field->CalculatorButtonRect().ToQRect().center());
  ASSERT_TRUE(field->CalcVisible());
  CCalcWnd* calc = field->Calculator();
  EXPECT_TRUE(field->HasFocusNow());
  for (int button : {int{kCalcAdd}, 1, int{kCalcEqual}}) {
    QTest::mouseClick(calc, Qt::LeftButton, {}, calc->ButtonRect(button).center());
  }
  EXPECT_EQ(field->CalcDispText(), "5");
  // A press that leaves its button before the release is abandoned.
  QTest::mousePress(calc, Qt::LeftButton, {}, calc->ButtonRect(7).center());
  QTest::mouseRelease(calc, Qt::LeftButton, {}, calc->ButtonRect(8).center());
  EXPECT_EQ(field->CalcDispText(), "5");
  QTest::mouseClick(calc, Qt::LeftButton, {}, QPoint(-10, -10));
  EXPECT_FALSE(field->CalcVisible());
  EXPECT_EQ(field->Text(), "5");
  EXPECT_EQ(changes.count(), 2);
}

TEST_F(NumboxCalculatorTest, LeavingTheFieldCommits) {
  CNumCtrl* field = AddField();
  CNumCtrl* other = AddField();
  field->SetText("2");
  Focus(field);
  QTest::keyClick(field, Qt::Key_F4);
  QTest::keyClicks(field, "+3");
  other->setFocus(Qt::TabFocusReason);
  EXPECT_FALSE(field->CalcVisible());
  EXPECT_EQ(field->Text(), "5");
}

TEST_F(NumboxCalculatorTest, TheCalculatorSitsBelowOrAboveAndKeepsOnTheScreen) {
  const QRect screen = window_->screen()->availableGeometry();
  struct Case {
    const char* name;
    QPoint windowAt;
    float widthTwips;
    bool above;
    bool rightAligned;
  } cases[] = {
      {"below, left edges aligned", {100, 100}, 2250, false, false},
      {"above, near the bottom", {100, screen.bottom() - 60}, 2250, true, false},
      {"right edges aligned, near the right edge", {screen.right() - 120, 100}, 2250, false, true},
      {"as wide as the field", {100, 100}, 0, false, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    window_ = std::make_unique<QWidget>();
    window_->setGeometry(QRect(c.windowAt, QSize(200, 50)));
    nextTop_ = 10;
    CNumCtrl* field = AddField();
    field->SetCalcWidth(c.widthTwips);
    Focus(field);
    QTest::keyClick(field, Qt::Key_F4);
    const QRect f(field->mapToGlobal(QPoint(0, 0)), field->size());
    const QRect calc = field->Calculator()->geometry();
    EXPECT_EQ(calc.width(), c.widthTwips == 0 ? f.width() : 150);
    EXPECT_EQ(calc.height(), 150);
    EXPECT_EQ(calc.top(), c.above ? f.top() - 151 : f.bottom() + 2);
    if (c.rightAligned) {
      EXPECT_EQ(calc.right(), f.right());
    } else {
      EXPECT_EQ(calc.left(), f.left());
    }
    QTest::keyClick(field, Qt::Key_Escape);
  }
}

TEST_F(NumboxCalculatorTest, ADropDownHandlerThatDeletesTheFieldEndsTheStepQuietly) {
  CNumCtrl* field = AddField();
  Focus(field);
  QPointer<CNumCtrl> watch(field);
  bool closed = false;
  QObject::connect(field, &CNumCtrl::CloseUp, [&closed] { closed = true; });
  QObject::connect(field, &CNumCtrl::DropDown, field, [field] { delete field; }, Qt::DirectConnection);
  QTest::keyClick(field, Qt::Key_F4);
  EXPECT_TRUE(watch.isNull());
  EXPECT_FALSE(closed);
}

TEST_F(NumboxCalculatorTest, DoCalcBtnClickRaisesTheEventOnly) {
  CNumCtrl* field = AddField();
  QSignalSpy clicks(field, &CNumCtrl::CalcBtnClick);
  field->DoCalcBtnClick(kCalcEqual);
  ASSERT_EQ(clicks.count(), 1);
  EXPECT_EQ(clicks[0][0].value<short>(), kCalcEqual);
  EXPECT_FALSE(field->CalcVisible());
  EXPECT_EQ(field->CalcDispText(), "0");
}

}  // namespace
}  // namespace numbox::testing
