// Editing the value in the field: removing characters, the clipboard,
// caret and word moves, selections and undo.

#include "NumboxFixture.h"

#include <QApplication>
#include <QClipboard>
#include <QTest>

#include <functional>

namespace numbox::testing {
namespace {

using NumboxEditsTest = NumboxTest;

struct EditCase {
  const char* name;
  std::function<void(CNumCtrl*)> setup;
  const char* text;  // put before the edit
  int selStart, selEnd;
  std::function<void(CNumCtrl*)> edit;
  const char* expected;
  int caret;  // −1: not checked
  int beeps;
};

void Key(CNumCtrl* f, Qt::Key key, Qt::KeyboardModifiers mods = Qt::NoModifier) { QTest::keyClick(f, key, mods); }

TEST_F(NumboxEditsTest, KeysAndClipboardEditTheValue) {
  auto plain = [](CNumCtrl* f) { f->SetMaskType(0); };
  auto ownPoint = [](CNumCtrl* f) {
    f->SetMaskType(0);
    f->SetMaskDecimalChar(",");
  };
  auto grouped = [](CNumCtrl* f) {
    f->SetMaskType(0);
    f->SetMaskDecimalPlaces(0);
    f->SetMaskShowThousandSep(true);
  };
  auto noZero = [](CNumCtrl* f) {
    f->SetMaskType(0);
    f->SetMaskZeroIfNull(false);
  };
  auto paste = [](const char* clip) {
    return [clip](CNumCtrl* f) {
      QGuiApplication::clipboard()->setText(clip);
      Key(f, Qt::Key_V, Qt::ControlModifier);
    };
  };
  auto press = [](Qt::Key key) { return [key](CNumCtrl* f) { Key(f, key); }; };
  const EditCase cases[] = {
      {"delete the leading 1 of 105", plain, "105", 0, 0, press(Qt::Key_Delete), "5", 0, 0},
      {"delete the leading 1 of -105 is refused", plain, "-105", 1, 1, press(Qt::Key_Delete), "-105", 1, 1},
      {"delete at the end beeps", plain, "12", 2, 2, press(Qt::Key_Delete), "12", 2, 1},
      {"delete a selection across a separator", grouped, "1234567", 0, 3, press(Qt::Key_Delete), "34567", 0, 0},
      {"deleting every digit leaves zero", plain, "12", 0, 2, press(Qt::Key_Delete), "0", -1, 0},
      {"without zero if null the field empties", noZero, "12", 0, 2, press(Qt::Key_Delete), "", -1, 0},
      {"backspace", plain, "123", 3, 3, press(Qt::Key_Backspace), "12", 2, 0},
      {"backspace at the start beeps", plain, "123", 0, 0, press(Qt::Key_Backspace), "123", 0, 1},
      {"backspace steps over the locale's point", plain, "12.34", 3, 3, press(Qt::Key_Backspace), "1.34", 1, 0},
      {"backspace removes an own point", ownPoint, "12.34", 3, 3, press(Qt::Key_Backspace), "1234", 2, 0},
      {"backspace removes the sign", plain, "-5", 1, 1, press(Qt::Key_Backspace), "5", 0, 0},
      {"paste drops the sign and other literals", plain, "0", 0, 1, paste("-1,2x"), "12", 2, 0},
      {"paste at the caret", plain, "19", 1, 1, paste("5"), "159", 2, 0},
      {"paste of too many decimals is refused", plain, "1", 0, 1, paste("1.234"), "1", -1, 0},
      {"paste of no digit does nothing", plain, "12", 0, 2, paste("abc"), "12", -1, 0},
      {"cut", plain, "1234", 1, 3, [](CNumCtrl* f) { Key(f, Qt::Key_X, Qt::ControlModifier); }, "14", 1, 0},
      {"select then type", plain, "1234", 1, 3, [](CNumCtrl* f) { QTest::keyClicks(f, "9"); }, "194", 2, 0},
      {"overtype", [](CNumCtrl* f) { f->SetMaskType(0); f->SetInsertMode(false); }, "1234", 1, 1,
       [](CNumCtrl* f) { QTest::keyClicks(f, "9"); }, "1934", 2, 0},
      {"keypad plus steps with spin keys", plain, "5", 1, 1,
       [](CNumCtrl* f) { Key(f, Qt::Key_Plus, Qt::KeypadModifier); }, "6", -1, 0},
      {"keypad minus is the sign without spin keys", [](CNumCtrl* f) { f->SetMaskType(0); f->SetSpinKeys(false); },
       "5", 1, 1, [](CNumCtrl* f) { Key(f, Qt::Key_Minus, Qt::KeypadModifier); }, "-5", -1, 0},
  };
  for (const EditCase& c : cases) {
    SCOPED_TRACE(c.name);
    beeper_.count = 0;
    CNumCtrl* field = AddField();
    c.setup(field);
    field->SetText(c.text);
    Focus(field);
    field->SetSel(c.selStart, c.selEnd);
    c.edit(field);
    EXPECT_EQ(field->Text(), c.expected);
    if (c.caret >= 0) {
      EXPECT_EQ(field->GetCaretPos(), c.caret);
    }
    EXPECT_EQ(beeper_.count, c.beeps);
    delete field;
  }
}

TEST_F(NumboxEditsTest, CopyTakesTheValueCharactersUnlessLiteralsAreClipped) {
  CNumCtrl* field = AddField();
  field->SetMaskType(0);
  field->SetMaskDecimalPlaces(0);
  field->SetMaskShowThousandSep(true);
  field->SetText("1234567");
  Focus(field);
  EXPECT_EQ(field->GetEditText(), "1,234,567");
  field->SetSel(0, 9);
  field->Copy();
  EXPECT_EQ(QGuiApplication::clipboard()->text(), "1234567");
  field->SetClipLiterals(true);
  field->SetSel(0, 5);
  Key(field, Qt::Key_C, Qt::ControlModifier);
  EXPECT_EQ(QGuiApplication::clipboard()->text(), "1,234");
  field->SetSel(2, 2);
  QGuiApplication::clipboard()->setText("x");
  field->Cut();  // nothing selected: neither copies nor deletes
  EXPECT_EQ(QGuiApplication::clipboard()->text(), "x");
  EXPECT_EQ(field->Text(), "1234567");
}

TEST_F(NumboxEditsTest, CaretAndWordMoves) {
  CNumCtrl* field = AddField();
  field->SetMaskType(0);
  field->SetMaskDecimalPlaces(0);
  field->SetMaskShowThousandSep(true);
  field->SetMaskThousandDigits(2);
  field->SetMaskThousandSep(" ");
  field->SetText("1234");
  Focus(field);
  ASSERT_EQ(field->GetEditText(), "12 34");
  struct Move {
    int from;
    Qt::Key key;
    Qt::KeyboardModifiers mods;
    int caret, anchor;
  } moves[] = {
      {0, Qt::Key_Right, Qt::ControlModifier, 3, 3},
      {5, Qt::Key_Left, Qt::ControlModifier, 3, 3},
      {3, Qt::Key_Left, Qt::ControlModifier, 0, 0},
      {2, Qt::Key_Home, Qt::ShiftModifier, 0, 2},
      {2, Qt::Key_End, Qt::NoModifier, 5, 5},
      {4, Qt::Key_Right, Qt::ShiftModifier, 5, 4},
      {0, Qt::Key_Left, Qt::NoModifier, 0, 0},
  };
  for (const Move& m : moves) {
    field->SetSel(m.from, m.from);
    Key(field, m.key, m.mods);
    EXPECT_EQ(field->GetCaretPos(), m.caret) << m.from << " " << m.key;
    EXPECT_EQ(field->GetSelAnchor(), m.anchor) << m.from << " " << m.key;
  }
  // With a selection at the start, Left collapses it there; with Shift it stays.
  field->SetSel(3, 0);
  Key(field, Qt::Key_Left, Qt::ShiftModifier);
  EXPECT_TRUE(field->HasSelection());
  Key(field, Qt::Key_Left);
  EXPECT_FALSE(field->HasSelection());
  EXPECT_EQ(field->GetCaretPos(), 0);
}

TEST_F(NumboxEditsTest, SelectionMembers) {
  CNumCtrl* field = AddField();
  field->SetMaskType(0);
  field->SetMaskDecimalPlaces(0);
  field->SetText("12345");
  Focus(field);
  struct Case {
    short alignment;
    std::function<void()> select;
    int low, high, caret;
  } cases[] = {
      {1, [&] { field->SetSel(3, 1); }, 1, 3, 1},
      {1, [&] { field->SetSel(-1, 2); }, 5, 5, 5},  // outside: home of the alignment
      {0, [&] { field->SetSel(2, 9); }, 0, 0, 0},
      {1, [&] { field->SetSelStart(100); }, 5, 5, 5},
      {1, [&] { field->SetSelStart(2); field->SetSelLength(3); }, 2, 5, 5},
      {1, [&] { field->SetSelStart(3); field->SetSelLength(4); }, 5, 5, 5},
      {0, [&] { field->SetSelStart(3); field->SetSelLength(4); }, 0, 0, 0},
      {1, [&] { field->SetSelStart(3); field->SetSelLength(0); }, 3, 3, 3},
  };
  for (const Case& c : cases) {
    field->SetAlignment(c.alignment);
    c.select();
    EXPECT_EQ(field->SelLow(), c.low);
    EXPECT_EQ(field->SelHigh(), c.high);
    EXPECT_EQ(field->GetCaretPos(), c.caret);
  }
  field->SetSelStart(2);
  field->SetSelLength(3);
  EXPECT_EQ(field->SelStart(), 2);
  EXPECT_EQ(field->SelLength(), 3);
  EXPECT_EQ(field->SelText(), "345");
}

// A value put from code while a selection stands: a selection over the whole
// old text covers the whole new one, any other collapses at the caret, so a
// digit typed next never lands among the rest of the old selection.
TEST_F(NumboxEditsTest, AValuePutLeavesNoSelectionOverPartOfTheNewValue) {
  struct Case {
    const char* name;
    const char* before;
    int anchor, end;     // the selection before the put
    bool focusedPut;     // put while the field has the focus, else while away
    std::function<void(CNumCtrl*)> put;
    int low, high;       // the selection once the field has the focus again
    const char* typed;   // the value after a 5 is typed
  } cases[] = {
      {"Text put, whole, longer", "2000000", 0, 7, true, [](CNumCtrl* f) { f->SetText("9999999999"); }, 0, 10, "5"},
      {"Text put, whole, shorter", "9999999999", 0, 10, true, [](CNumCtrl* f) { f->SetText("12"); }, 0, 2, "5"},
      {"Value put, whole, longer", "2000000", 0, 7, true, [](CNumCtrl* f) { f->SetValue(9999999999.0); }, 0, 10, "5"},
      {"Value put, whole, shorter", "9999999999", 0, 10, true, [](CNumCtrl* f) { f->SetValue(12.0); }, 0, 2, "5"},
      {"Text put, whole from the end", "2000000", 7, 0, true, [](CNumCtrl* f) { f->SetText("123456789"); }, 0, 9,
       "5"},
      {"Text put, partial, shorter", "2000000", 0, 3, true, [](CNumCtrl* f) { f->SetText("12345"); }, 3, 3,
       "123545"},
      {"Text put, partial, longer", "12", 0, 1, true, [](CNumCtrl* f) { f->SetText("987654"); }, 1, 1, "9587654"},
      {"Value put, partial", "2000000", 2, 5, true, [](CNumCtrl* f) { f->SetValue(9876.0); }, 4, 4, "98765"},
      {"Text put away, whole", "2000000", 0, 7, false, [](CNumCtrl* f) { f->SetText("9999999999"); }, 0, 10, "5"},
      {"Text put away, partial", "2000000", 0, 3, false, [](CNumCtrl* f) { f->SetText("12"); }, 2, 2, "125"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    CNumCtrl* field = AddTaxLine();
    auto* other = AddField();
    field->SetText(c.before);
    Focus(field);
    field->SetSel(c.anchor, c.end);
    if (!c.focusedPut) other->setFocus(Qt::TabFocusReason);
    c.put(field);
    if (!c.focusedPut) field->setFocus(Qt::TabFocusReason);
    ASSERT_TRUE(field->HasFocusNow());
    EXPECT_EQ(field->SelLow(), c.low);
    EXPECT_EQ(field->SelHigh(), c.high);
    Type(field, "5");
    EXPECT_EQ(field->Text().toStdString(), c.typed);
  }
}

TEST_F(NumboxEditsTest, UndoRestoresTheValueWithTheText) {
  CNumCtrl* field = AddField();
  field->SetMaskType(0);
  field->SetMaskDecimalPlaces(0);
  Focus(field);
  field->SetSel(0, 1);
  QTest::keyClicks(field, "123");
  Key(field, Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(field->Text(), "0");
  EXPECT_EQ(field->GetEditText(), "0");
  EXPECT_EQ(field->Value(), MakeCurrency(0));
  field->Undo();  // a second undo takes the first back
  EXPECT_EQ(field->Text(), "123");
  // After the caret moved, the next run of typing undoes on its own.
  Key(field, Qt::Key_End);
  QTest::keyClicks(field, "45");
  field->Undo();
  EXPECT_EQ(field->Text(), "123");
  // Leaving the field ends what can be undone.
  QTest::keyClicks(field, "9");
  field->clearFocus();
  Focus(field);
  field->Undo();
  EXPECT_EQ(field->Text(), "1239");
}

TEST_F(NumboxEditsTest, InsertTogglesBetweenALineAndABlockCaret) {
  CNumCtrl* field = AddField();
  field->SetMaskType(0);
  field->SetMaskDecimalPlaces(0);
  field->SetText("12345");
  Focus(field);
  field->SetSel(1, 1);
  const int digit = QFontMetrics(field->font()).horizontalAdvance('2');
  EXPECT_EQ(field->CaretRect().width(), 2);
  QTest::keyClick(field, Qt::Key_Insert);
  EXPECT_FALSE(field->InsertMode());
  EXPECT_EQ(field->CaretRect().width(), digit);
  // At the end of a right-aligned text the caret is a line whatever the style.
  field->SetSel(5, 5);
  EXPECT_EQ(field->CaretRect().width(), 2);
  EXPECT_LE(field->CaretRect().right(), field->GetTextRect().right);
  field->SetAllowInsertModeChange(false);
  QTest::keyClick(field, Qt::Key_Insert);
  EXPECT_FALSE(field->InsertMode());
}

TEST_F(NumboxEditsTest, DoubleClickSelectsAWord) {
  CNumCtrl* field = AddField();
  field->SetMaskType(0);
  field->SetMaskDecimalPlaces(0);
  field->SetMaskShowThousandSep(true);
  field->SetMaskThousandSep(" ");
  field->SetAlignment(0);
  field->SetText("1234567");
  Focus(field);
  ASSERT_EQ(field->GetEditText(), "1 234 567");
  const int x = field->GetCharPos(3, nullptr, false);
  QTest::mouseDClick(field, Qt::LeftButton, Qt::NoModifier, QPoint(x + 1, 8));
  EXPECT_EQ(field->SelText(), "234");
}

}  // namespace
}  // namespace numbox::testing
