// Typing into the numeric field as a user of the tax form does, the
// character rules, and the key events the host sees.

#include "NumboxFixture.h"

#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

namespace numbox::testing {
namespace {

class NumboxTypingTest : public NumboxTest {
 protected:
  // The tax form selects the field's text whenever a field gets the focus.
  static void SelectOnFocus(CNumCtrl* field) {
    QObject::connect(field, &CNumCtrl::GotFocus, field, [field] {
      field->SetSelStart(0);
      field->SetSelLength(static_cast<short>(field->GetEditText().size()));
    });
  }
};

TEST_F(NumboxTypingTest, TaxLineTakesDigitsSignAndShowsTheFormattedAmountOnceLeft) {
  CNumCtrl* line = AddTaxLine("txtSecured");
  auto* next = new QLineEdit(window_.get());
  next->setGeometry(10, 100, 100, 21);
  SelectOnFocus(line);
  QSignalSpy changes(line, &CNumCtrl::Change);
  QSignalSpy invalid(line, &CNumCtrl::InvalidChar);
  Focus(line);
  ASSERT_EQ(line->SelText(), "0");

  Type(line, "1234567");
  EXPECT_EQ(line->Text(), "1234567");

  Type(line, ".");
  ASSERT_EQ(invalid.count(), 1);
  EXPECT_EQ(invalid[0][0].toString(), ".");
  EXPECT_EQ(invalid[0][1].value<short>(), 7);
  EXPECT_EQ(beeper_.count, 2);
  EXPECT_EQ(beeper_.lastType, kBeepExclamation);

  Type(line, "890");
  Type(line, "1");  // an eleventh whole digit
  EXPECT_EQ(invalid.count(), 2);
  Type(line, "-");
  EXPECT_EQ(line->Text(), "-1234567890");
  EXPECT_EQ(changes.count(), 12);

  QTest::keyClick(line, Qt::Key_Return);
  EXPECT_TRUE(next->hasFocus());
  EXPECT_EQ(line->GetEditText(), "-1,234,567,890");
  const QVariant value = line->Value();
  EXPECT_EQ(value.typeId(), QMetaType::Double);
  EXPECT_EQ(value.toDouble(), -1234567890.0);
  EXPECT_EQ(changes.count(), 12);
}

TEST_F(NumboxTypingTest, SignFirstIntoAZeroFieldKeepsTheDigitsThatFollow) {
  struct Case {
    const char* keys;
    const char* text;
  } cases[] = {
      {"-5000", "-5000"},
      {"5-", "-5"},
      {"1234567-8", "-12345678"},  // the sign keeps the caret at its value position
      {"--7", "7"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.keys);
    CNumCtrl* line = AddTaxLine();
    SelectOnFocus(line);
    Focus(line);
    Type(line, c.keys);
    EXPECT_EQ(line->Text(), c.text);
    EXPECT_EQ(beeper_.count, 0);
  }
}

// A sign typed into a zero line is shown with the zero: the line shows
// what it holds, and the host's selection of its whole text on the next
// focus (start 0, the length of Text) covers every character shown.
TEST_F(NumboxTypingTest, SignOfAZeroLineIsShownAndSelectedWithIt) {
  CNumCtrl* line = AddTaxLine("txtSecured");
  auto* next = new QLineEdit(window_.get());
  next->setGeometry(10, 100, 100, 21);
  QObject::connect(line, &CNumCtrl::GotFocus, line, [line] {
    line->SetSelStart(0);
    line->SetSelLength(static_cast<short>(line->Text().size()));
  });
  struct Case {
    const char* keys;
    const char* shown;
    const char* text;
  } cases[] = {
      {"-", "-0", "-0"},
      {"-5", "-5", "-5"},
      {"5-", "-5", "-5"},
      {"--", "0", "0"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.keys);
    line->SetText("0");
    Focus(line);
    Type(line, c.keys);
    EXPECT_EQ(line->GetEditText(), c.shown);
    EXPECT_EQ(line->Text(), c.text);
    next->setFocus();
    Focus(line);
    EXPECT_EQ(line->SelText(), line->GetEditText());
    EXPECT_EQ(line->GetEditText(), c.shown);
    next->setFocus();
  }
}

TEST_F(NumboxTypingTest, DigitsAroundALoneZero) {
  struct Case {
    int caret;
    bool leadZeros;
    const char* text;
  } cases[] = {
      {0, false, "5"},
      {1, false, "5"},  // typed right after the zero, the digit takes its place
      {1, true, "05"},
  };
  for (const Case& c : cases) {
    CNumCtrl* field = AddField();
    field->SetMaskAllowLeadZeros(c.leadZeros);
    Focus(field);
    field->SetSel(c.caret, c.caret);
    Type(field, "5");
    EXPECT_EQ(field->Text(), c.text) << "caret " << c.caret;
  }
}

TEST_F(NumboxTypingTest, DecimalKeyJumpsPastTheShownPointAndCutsExtraDecimals) {
  CNumCtrl* field = AddField();
  field->SetMaskType(0);
  field->SetMaskDecimalPlaces(2);
  field->SetMaskDecimalFixed(true);
  Focus(field);
  EXPECT_EQ(field->GetEditText(), "0.00");
  field->SetSel(0, 1);
  Type(field, "12.3");
  EXPECT_EQ(field->Text(), "12.30");
  Type(field, "45");  // fixed decimals are typed over
  EXPECT_EQ(field->Text(), "12.34");
}

TEST_F(NumboxTypingTest, KeyPressComesBeforeTheEditAndMayChangeOrCancelIt) {
  CNumCtrl* field = AddField();
  Focus(field);
  QStringList order;
  QObject::connect(field, &CNumCtrl::KeyDown, field, [&](short& code, short) {
    order << QString("down %1 %2").arg(code).arg(field->Text());
  });
  QObject::connect(field, &CNumCtrl::KeyPress, field, [&](short& ascii) {
    order << QString("press %1 %2").arg(ascii).arg(field->Text());
    if (ascii == '7') ascii = '8';
    if (ascii == '9') ascii = 0;
  });
  field->SetSel(0, 1);
  Type(field, "79");
  EXPECT_EQ(field->Text(), "8");
  EXPECT_EQ(order, QStringList({"down 55 0", "press 55 0", "down 57 8", "press 57 8"}));
  EXPECT_EQ(beeper_.count, 0);
}

// Alt with a character key is a window's access key: the field neither
// types it nor raises KeyPress for it. AltGr (a group switch under X) types.
TEST_F(NumboxTypingTest, AltWithACharacterTypesNothing) {
  CNumCtrl* field = AddField();
  Focus(field);
  int pressed = 0;
  QObject::connect(field, &CNumCtrl::KeyPress, field, [&](short&) { ++pressed; });
  struct Case {
    Qt::KeyboardModifiers modifiers;
    int key;
    const char* text;
    const char* shown;
  } cases[] = {
      {Qt::AltModifier, Qt::Key_5, "5", "1"},
      {Qt::AltModifier | Qt::ShiftModifier, Qt::Key_Minus, "-", "1"},
      {Qt::MetaModifier, Qt::Key_7, "7", "1"},
      {Qt::GroupSwitchModifier, Qt::Key_2, "2", "12"},
  };
  for (const Case& c : cases) {
    field->SetText("1");
    field->SetSel(1, 1);
    pressed = 0;
    QKeyEvent press(QEvent::KeyPress, c.key, c.modifiers, c.text);
    QApplication::sendEvent(field, &press);
    EXPECT_EQ(field->Text(), c.shown) << c.text << " " << c.modifiers;
    EXPECT_EQ(pressed, c.shown == std::string("1") ? 0 : 1) << c.text << " " << c.modifiers;
  }
}

TEST_F(NumboxTypingTest, EnterUnderTabOnEnterRaisesNoKeyPressAndArrowsStayInTheField) {
  CNumCtrl* field = AddTaxLine();
  auto* other = new QLineEdit(window_.get());
  other->setGeometry(10, 100, 100, 21);
  int presses = 0, downs = 0;
  QObject::connect(field, &CNumCtrl::KeyPress, field, [&](short&) { ++presses; });
  QObject::connect(field, &CNumCtrl::KeyDown, field, [&](short&, short) { ++downs; });
  Focus(field);
  QTest::keyClick(field, Qt::Key_Left);
  QTest::keyClick(field, Qt::Key_Escape);
  EXPECT_TRUE(field->HasFocusNow());
  EXPECT_EQ(presses, 0);
  QTest::keyClick(field, Qt::Key_Return);
  EXPECT_TRUE(other->hasFocus());
  EXPECT_EQ(presses, 0);
  EXPECT_EQ(downs, 3);
}

TEST_F(NumboxTypingTest, EnterAndEscapeReachTheDialogsButtonsOnlyWhenTheFieldLeavesThem) {
  QDialog dialog;
  auto* field = new CNumCtrl(&dialog);
  auto* ok = new QPushButton("OK", &dialog);
  auto* cancel = new QPushButton("Cancel", &dialog);
  ok->setDefault(true);
  ok->move(0, 40);
  cancel->move(100, 40);
  int accepted = 0, rejected = 0;
  QObject::connect(ok, &QPushButton::clicked, &dialog, [&] { ++accepted; });
  QObject::connect(&dialog, &QDialog::rejected, &dialog, [&] { ++rejected; });
  dialog.show();
  QApplication::setActiveWindow(&dialog);
  ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
  field->setFocus();
  field->SetTabOnEnter(true);
  QTest::keyClick(field, Qt::Key_Escape);
  QTest::keyClick(field, Qt::Key_Up);
  field->setFocus();
  QTest::keyClick(field, Qt::Key_Return);
  EXPECT_EQ(accepted, 0);
  EXPECT_EQ(rejected, 0);
  field->SetTabOnEnter(false);
  field->setFocus();
  int presses = 0;
  QObject::connect(field, &CNumCtrl::KeyPress, field, [&](short& ascii) { presses += ascii == 13; });
  QTest::keyClick(field, Qt::Key_Return);
  EXPECT_EQ(presses, 1);
  EXPECT_EQ(accepted, 1);
}

TEST_F(NumboxTypingTest, RefusalsBeepOnlyWhileMaskErrorBeepIsOn) {
  CNumCtrl* field = AddField();
  field->SetMaskAllowNegative(false);
  Focus(field);
  QSignalSpy invalid(field, &CNumCtrl::InvalidChar);
  Type(field, "x-");
  EXPECT_EQ(invalid.count(), 2);
  EXPECT_EQ(beeper_.count, 2);
  field->SetMaskErrorBeep(false);
  Type(field, "x");
  QTest::keyClick(field, Qt::Key_Backspace);  // nothing before the caret
  EXPECT_EQ(invalid.count(), 3);
  EXPECT_EQ(beeper_.count, 2);
}

TEST_F(NumboxTypingTest, LockedOrNotEditableFieldsRefuseEveryEdit) {
  CNumCtrl* field = AddField();
  field->SetText("42");
  Focus(field);
  for (int mode = 0; mode < 2; ++mode) {
    field->SetLocked(mode == 0);
    field->SetAllowEdit(mode != 0 ? false : true);
    field->SetSel(0, 2);
    Type(field, "7");
    QTest::keyClick(field, Qt::Key_Delete);
    QTest::keyClick(field, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(field->Text(), "42");
  }
  EXPECT_EQ(beeper_.count, 6);
}

}  // namespace
}  // namespace numbox::testing
