// The masked text field, the field of several lines and the data-bound
// list: what a user types and sees, what the program reads back, and how
// they sit in a window.

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <type_traits>
#include <vector>

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QDropEvent>
#include <QMenu>
#include <QMimeData>
#include <QDialog>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextEdit>
#include <QMouseEvent>
#include <QTest>
#include <QTextBlock>
#include <QTextLayout>
#include <QScrollBar>
#include <QPushButton>
#include <QVBoxLayout>

#include "KeyInput.h"
#include "db/Connection.h"
#include "db/Recordset.h"
#include "ui/DataBoundList.h"
#include "ui/MultiLineText.h"
#include "ui/QuorMaskText.h"
#include "vb/Conversions.h"
#include "vb/VbError.h"

namespace {

constexpr const char* kPhoneWithExtension = "(999) 000-0000 x 9999";

using fixtures::Key;
using fixtures::Type;

TEST(MaskedTextField, ReadsTheEnteredCharactersWithoutTheMasksLiterals) {
  struct Case {
    const char* mask;
    const char* typed;
    const char* shown;
    const char* text;
  };
  const Case cases[] = {
      {kPhoneWithExtension, "9165551234", "(916) 555-1234 x ____", "9165551234"},
      {kPhoneWithExtension, "916555123412", "(916) 555-1234 x 12__", "916555123412"},
      {kPhoneWithExtension, "9165551", "(916) 555-1___ x ____", "9165551"},
      {kPhoneWithExtension, "91a65", "(916) 5__-____ x ____", "9165"},  // a letter is refused
      {"(999) 000-0000", "9165551234", "(916) 555-1234", "9165551234"},
      {"LL-0000", "ab12", "ab-12__", "ab12"},
      {">LL \\0 00", "ab12", "AB 0 12", "AB12"},  // an escaped mask character is a literal
  };
  for (const Case& c : cases) {
    ui::QuorMaskText field;
    field.SetMask(c.mask);
    field.setCursorPosition(0);
    Type(field, c.typed);
    EXPECT_EQ(field.displayText().toStdString(), c.shown) << c.mask << " typed " << c.typed;
    EXPECT_EQ(field.Text(), c.text) << c.mask << " typed " << c.typed;
  }
}

TEST(MaskedTextField, SettingTheTextFillsThePositions) {
  struct Case {
    const char* set;
    const char* shown;
    const char* text;
  };
  const Case cases[] = {
      {"9165551234", "(916) 555-1234 x ____", "9165551234"},
      {"   5551234", "(___) 555-1234 x ____", "   5551234"},            // as read back: the area code left empty
      {"(916)555-1234 * 12", "(916) 555-1234 x 12__", "916555123412"},  // a formatted number is fitted
      {"", "(___) ___-____ x ____", ""},
  };
  for (const Case& c : cases) {
    ui::QuorMaskText field;
    field.setStoredMask("Phone Number w/ Ext;(999) 000-0000 x 9999");
    EXPECT_EQ(field.Mask(), kPhoneWithExtension);
    field.Text(c.set);
    EXPECT_EQ(field.displayText().toStdString(), c.shown) << c.set;
    EXPECT_EQ(field.Text(), c.text) << c.set;
  }
}

TEST(MaskedTextField, WithoutAMaskItIsAPlainFieldWithItsMaximumLength) {
  ui::QuorMaskText field;
  field.setMaxLength(5);
  field.Text("O'Brien-Ñú");
  EXPECT_EQ(field.Text(), "O'Bri");
  field.SelStart(1);
  field.SelLength(3);
  EXPECT_EQ(field.selectedText().toStdString(), "'Br");
  EXPECT_EQ(field.SelStart(), 1);
  EXPECT_EQ(field.SelLength(), 3);
}

// The one-line masked field and the field of several lines offer keys and
// keep a focus selection alike.
template <class Field>
class TextFieldKeys : public ::testing::Test {};
using TextFields = ::testing::Types<ui::QuorMaskText, ui::MultiLineText>;
TYPED_TEST_SUITE(TextFieldKeys, TextFields);

std::string TextOf(const ui::QuorMaskText& field) { return field.Text(); }
std::string TextOf(const ui::MultiLineText& field) { return field.Text(); }

// Fills a field with a phone number; answers the length of what it shows.
int ShowPhone(ui::QuorMaskText& field) {
  field.SetMask(kPhoneWithExtension);
  field.Text("9165551234");
  return 21;  // "(916) 555-1234 x ____"
}
int ShowPhone(ui::MultiLineText& field) {
  field.Text("9165551234");
  return 10;
}

TYPED_TEST(TextFieldKeys, KeyPressMayDiscardOrChangeAKeyAndEnterStaysInTheField) {
  QDialog window;
  auto* field = new TypeParam(&window);
  auto* button = new QPushButton("OK", &window);
  button->setDefault(true);
  auto* layout = new QVBoxLayout(&window);
  layout->addWidget(field);
  layout->addWidget(button);
  int clicked = 0;
  QObject::connect(button, &QPushButton::clicked, [&] { ++clicked; });
  std::vector<int> offered;
  QObject::connect(field, &TypeParam::KeyPress, [&](std::int16_t& key) {
    offered.push_back(key);
    if (key == '-') key = 0;
    if (key == 'x') key = 'X';
  });

  Type(*field, "a-x");
  Key(*field, Qt::Key_Backspace, "\b");
  Key(*field, Qt::Key_Return, "\r");
  EXPECT_EQ(TextOf(*field), "a") << "Enter typed no line break";
  EXPECT_EQ(offered, (std::vector<int>{'a', '-', 'x', 8, 13}));
  EXPECT_EQ(clicked, 0) << "Enter pressed no button";

  Type(*field, "x");
  EXPECT_EQ(TextOf(*field), "aX");
  Key(*field, Qt::Key_Escape);
  EXPECT_EQ(offered.size(), 6u) << "Escape is no typed character";
}

TYPED_TEST(TextFieldKeys, SelectionMadeOnFocusSurvivesTheClickThatGaveIt) {
  QDialog window;
  auto* first = new TypeParam(&window);
  auto* field = new TypeParam(&window);
  auto* layout = new QVBoxLayout(&window);
  layout->addWidget(first);
  layout->addWidget(field);
  const int shown = ShowPhone(*field);
  int focused = 0;
  QObject::connect(field, &TypeParam::GotFocus, [&] {
    ++focused;
    field->SelStart(0);
    field->SelLength(shown);
  });
  window.show();
  window.activateWindow();
  first->setFocus();
  QApplication::processEvents();

  QFocusEvent focusIn(QEvent::FocusIn, Qt::MouseFocusReason);
  QApplication::sendEvent(field, &focusIn);
  const QPointF inside(field->width() / 2.0, field->height() / 2.0);
  QMouseEvent press(QEvent::MouseButtonPress, inside, field->mapToGlobal(inside), Qt::LeftButton, Qt::LeftButton,
                    Qt::NoModifier);
  QApplication::sendEvent(field, &press);
  EXPECT_EQ(focused, 1);
  EXPECT_EQ(field->SelStart(), 0);
  EXPECT_EQ(field->SelLength(), shown);
}

// A handler that lets letters and digits through only, as a name field's
// does, still leaves the user the field's editing commands.
TYPED_TEST(TextFieldKeys, EditingCommandsWorkWhateverKeyPressRefuses) {
  TypeParam field;
  std::vector<int> offered;
  QObject::connect(&field, &TypeParam::KeyPress, [&](std::int16_t& key) {
    offered.push_back(key);
    if (!QChar(key).isLetterOrNumber()) key = 0;
  });
  const auto ctrl = [&](int key, char code) { Key(field, key, QString(QChar(code)), Qt::ControlModifier); };
  QApplication::clipboard()->clear();
  Type(field, "Dana");

  ctrl(Qt::Key_A, 1);
  EXPECT_EQ(field.SelLength(), 4) << "select all";
  ctrl(Qt::Key_C, 3);
  EXPECT_EQ(QApplication::clipboard()->text().toStdString(), "Dana") << "copy";
  ctrl(Qt::Key_X, 24);
  EXPECT_EQ(TextOf(field), "") << "cut";
  ctrl(Qt::Key_V, 22);
  ctrl(Qt::Key_V, 22);
  EXPECT_EQ(TextOf(field), "DanaDana") << "paste";
  ctrl(Qt::Key_Z, 26);
  EXPECT_EQ(TextOf(field), "Dana") << "undo";
  ctrl(Qt::Key_B, 2);
  EXPECT_EQ(TextOf(field), "Dana") << "another control key is offered and refused";
  // The commands' control codes were never offered; Ctrl+B was.
  for (int code : {1, 3, 24, 22, 26}) EXPECT_EQ(std::count(offered.begin(), offered.end(), code), 0) << code;
  EXPECT_EQ(offered.back(), 2);
}

// However text comes into a masked field at once, it goes in as if typed:
// each character is offered to KeyPress, control characters are left out,
// and the field's maximum length and mask hold.
TEST(MaskedTextField, PastedAndDroppedTextIsHeldToKeyPress) {
  const auto byKey = [](ui::QuorMaskText& field) { Key(field, Qt::Key_V, QString(QChar(22)), Qt::ControlModifier); };
  const auto byInsertKey = [](ui::QuorMaskText& field) { Key(field, Qt::Key_Insert, {}, Qt::ShiftModifier); };
  const auto byMenu = [](ui::QuorMaskText& field) {
    QContextMenuEvent open(QContextMenuEvent::Mouse, QPoint(2, 2), field.mapToGlobal(QPoint(2, 2)));
    QApplication::sendEvent(&field, &open);
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    ASSERT_NE(menu, nullptr);
    QAction* paste = ui::QuorMaskText::PasteAction(*menu);
    ASSERT_NE(paste, nullptr);
    EXPECT_TRUE(paste->isEnabled());
    paste->trigger();
    menu->close();
  };
  const auto byDrop = [](ui::QuorMaskText& field) {
    QMimeData dragged;
    dragged.setText(QApplication::clipboard()->text());
    QDropEvent drop(field.inputMethodQuery(Qt::ImCursorRectangle).toRectF().center(), Qt::CopyAction, &dragged, Qt::LeftButton, Qt::NoModifier);
    // Delivered as the window system does at the end of a drag.
    static_cast<QObject&>(field).event(&drop);
  };
  struct Route {
    const char* name;
    std::function<void(ui::QuorMaskText&)> bringIn;
  };
  const Route routes[] = {{"Ctrl+V", byKey}, {"Shift+Insert", byInsertKey}, {"menu", byMenu}, {"drop", byDrop}};
  struct Case {
    const char* mask;
    const char* before;
    const char* pasted;
    const char* text;
  };
  const Case cases[] = {
      {"", "ab", "O'Br-x\nien12345\n", "abOBrXien1"},  // refused, changed, line breaks, maxLength 10
      {"", "ab", "-'", "ab"},                          // nothing passes: nothing changes
      {"(999) 000-0000", "", "(916) 555-1234", "9165551234"},
  };
  for (const Route& route : routes) {
    for (const Case& c : cases) {
      QDialog window;
      auto* field = new ui::QuorMaskText(&window);
      field->setMaxLength(10);
      field->SetMask(c.mask);
      QObject::connect(field, &ui::QuorMaskText::KeyPress, [](std::int16_t& key) {
        if (key == '-' || key == '\'') key = 0;
        if (key == 'x') key = 'X';
      });
      window.show();
      field->Text(c.before);
      field->setCursorPosition(static_cast<int>(std::string(c.before).size()));
      QApplication::clipboard()->setText(QString::fromUtf8(c.pasted));
      route.bringIn(*field);
      EXPECT_EQ(field->Text(), c.text) << route.name << ": " << c.pasted;
    }
  }
}

TEST(MaskedTextField, SelectionCoversTheMasksLiterals) {
  ui::QuorMaskText phone;
  phone.SetMask(kPhoneWithExtension);
  phone.Text("9165551234");
  phone.SelStart(0);
  phone.SelLength(21);
  EXPECT_EQ(phone.selectedText().toStdString(), "(916) 555-1234 x ____");
}

// A click past the last character puts the cursor where typing goes on:
// after what is entered (its next place that takes a character), or at the
// first place when nothing is; the digits typed then fill the mask.
TEST(MaskedTextField, ClickOrEndPastTheTextThenTypingFillsTheMaskFromWhatIsEntered) {
  struct Case {
    const char* before;  // the text set before the click
    const char* typed;
    const char* shown;
  };
  const Case cases[] = {
      {"", "9165551234", "(916) 555-1234 x ____"},
      {"9165", "551234", "(916) 555-1234 x ____"},
      {"916", "5551234", "(916) 555-1234 x ____"},       // a literal follows what is entered
      {"9165551234", "12", "(916) 555-1234 x 12__"},      // the extension takes the digits
      {"   5551234", "77", "(___) 555-1234 x 77__"},       // after the last entered, not in the gap
      {"916555123412345", "6", "(916) 555-1234 x 1234"},  // a full mask takes nothing more
  };
  for (const Case& c : cases) {
    QWidget window;
    auto* field = new ui::QuorMaskText(&window);
    field->SetMask(kPhoneWithExtension);
    field->Text(c.before);
    field->setGeometry(10, 10, 400, field->sizeHint().height());
    window.resize(420, 60);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    const int textEnd = field->fontMetrics().horizontalAdvance(field->displayText());
    ASSERT_LT(textEnd + 40, field->width()) << "room to click past the text";
    QTest::mouseClick(field, Qt::LeftButton, Qt::NoModifier, QPoint(field->width() - 20, field->height() / 2));
    QTest::keyClicks(field, c.typed);
    EXPECT_EQ(field->displayText().toStdString(), c.shown) << "set " << c.before << ", typed " << c.typed;

    // End goes to the same place as the click.
    field->Text(c.before);
    field->setCursorPosition(0);
    QTest::keyClick(field, Qt::Key_End);
    QTest::keyClicks(field, c.typed);
    EXPECT_EQ(field->displayText().toStdString(), c.shown) << "End after " << c.before << ", typed " << c.typed;
  }

  // A click on a place inside the mask leaves the cursor where it lands.
  QWidget window;
  auto* field = new ui::QuorMaskText(&window);
  field->SetMask(kPhoneWithExtension);
  field->setGeometry(10, 10, 400, field->sizeHint().height());
  window.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
  QPoint extension(0, field->height() / 2);
  while (extension.x() < field->width() && field->cursorPositionAt(extension) < 17) extension.rx() += 1;
  ASSERT_EQ(field->cursorPositionAt(extension), 17);
  QTest::mouseClick(field, Qt::LeftButton, Qt::NoModifier, extension);
  QTest::keyClicks(field, "5");
  EXPECT_EQ(field->displayText().toStdString(), "(___) ___-____ x 5___");
}

TEST(MultiLineTextField, WrapsLongTextAndTabMovesTheFocusOn) {
  QDialog window;
  auto* field = new ui::MultiLineText(&window);
  auto* next = new QPushButton("OK", &window);
  field->setGeometry(0, 0, 200, 80);
  next->setGeometry(0, 90, 80, 24);
  window.resize(220, 130);
  field->Text("Line A-3 fell because the county moved the homeowners' exemption subventions into the next year.");
  window.show();
  window.activateWindow();
  field->setFocus();
  QApplication::processEvents();
  EXPECT_GT(field->document()->firstBlock().layout()->lineCount(), 1) << "the text wraps";
  EXPECT_EQ(field->horizontalScrollBar()->maximum(), 0) << "nothing runs off to the right";

  Key(*field, Qt::Key_Tab, "\t");
  EXPECT_TRUE(next->hasFocus());
  EXPECT_EQ(field->Text().find('\t'), std::string::npos);
}

// Alt (or Meta) with a character key is a window's access key: in no kind
// of text field does it type, whether or not a button owns it, and the
// program's own fields do not offer it to KeyPress. AltGr, which X reports
// as a group switch and not as Alt, still types.
TEST(TextFieldKeys, AltWithACharacterTypesNothingInAnyKindOfField) {
  struct Kind {
    const char* name;
    std::function<QWidget*(QWidget&, int& offered)> make;
  };
  const auto offering = [](auto* field, int& offered) {
    QObject::connect(field, &std::remove_pointer_t<decltype(field)>::KeyPress, [&offered](std::int16_t&) { ++offered; });
    return field;
  };
  const auto plain = [](QWidget* box) {
    ui::KeepAltCharactersOut(*box);
    return box;
  };
  const Kind kinds[] = {
      {"masked field", [&](QWidget& w, int& n) { return offering(new ui::QuorMaskText(&w), n); }},
      {"field of several lines", [&](QWidget& w, int& n) { return offering(new ui::MultiLineText(&w), n); }},
      {"plain note box", [&](QWidget& w, int&) { return plain(new QPlainTextEdit(&w)); }},
      {"plain rich box", [&](QWidget& w, int&) { return plain(new QTextEdit(&w)); }},
      {"plain line box", [&](QWidget& w, int&) { return plain(new QLineEdit(&w)); }},
  };
  struct Press {
    Qt::KeyboardModifiers modifiers;
    int key;
    const char* text;
    const char* typed;  // what the field then holds
  };
  const Press presses[] = {
      {Qt::NoModifier, Qt::Key_K, "k", "abk"},
      {Qt::ShiftModifier, Qt::Key_K, "K", "abK"},
      {Qt::AltModifier, Qt::Key_S, "s", "ab"},
      {Qt::AltModifier | Qt::ShiftModifier, Qt::Key_S, "S", "ab"},
      {Qt::AltModifier, Qt::Key_1, "1", "ab"},
      {Qt::MetaModifier, Qt::Key_Q, "q", "ab"},
      {Qt::GroupSwitchModifier, Qt::Key_At, "@", "ab@"},
  };
  for (const Kind& kind : kinds) {
    for (const Press& press : presses) {
      QWidget window;
      int offered = 0;
      QWidget* field = kind.make(window, offered);
      Type(*field, "ab");
      const int offeredBefore = offered;
      Key(*field, press.key, press.text, press.modifiers);
      QString text;
      if (auto* line = qobject_cast<QLineEdit*>(field)) text = line->text();
      if (auto* box = qobject_cast<QPlainTextEdit*>(field)) text = box->toPlainText();
      if (auto* box = qobject_cast<QTextEdit*>(field)) text = box->toPlainText();
      EXPECT_EQ(text.toStdString(), press.typed) << kind.name << ", " << press.text << " " << press.modifiers;
      if (offeredBefore > 0) {
        const bool typed = text.size() > 2;
        EXPECT_EQ(offered - offeredBefore, typed ? 1 : 0) << kind.name << ", " << press.text << " " << press.modifiers;
      }
    }
  }
}

class BoundList : public ::testing::Test {
 protected:
  void SetUp() override {
    conn_ = db::Connection::Create();
    conn_->Open("Data Source=:memory:", true);
    conn_->ExecuteScript(
        "CREATE TABLE c (id INTEGER, name TEXT);"
        "INSERT INTO c VALUES (61, 'Alder County'), (62, 'Birch County'), (63, NULL)");
    rs_ = db::Recordset::Query("SELECT id AS COUNTY_ID, name AS COUNTY FROM c ORDER BY id", conn_);
  }
  db::ConnectionPtr conn_;
  db::RecordsetPtr rs_;
};

TEST_F(BoundList, ShowsOneColumnAndAnswersTheBoundValueOfTheChosenRow) {
  ui::DataBoundList list;
  list.RowSource(rs_);
  list.ListField("county");
  list.BoundColumn("county_id");
  ASSERT_EQ(list.count(), 3);
  EXPECT_EQ(list.itemText(2).toStdString(), "") << "a Null shows as the empty text";
  EXPECT_EQ(list.Text(), "") << "no row is chosen at first";
  EXPECT_EQ(list.BoundText(), "");
  EXPECT_EQ(list.SelectedBookmark(), 0);

  struct Case {
    const char* set;
    const char* text;
    const char* bound;
    long bookmark;
  };
  const Case cases[] = {
      {"Birch County", "Birch County", "62", 2},
      {"alder county", "Alder County", "61", 1},  // matched ignoring case
      {"Cindermoor County", "", "", 0},           // no such row: none chosen
      {"", "", "", 0},
  };
  for (const Case& c : cases) {
    list.Text("Birch County");
    list.Text(c.set);
    EXPECT_EQ(list.Text(), c.text) << c.set;
    EXPECT_EQ(list.BoundText(), c.bound) << c.set;
    EXPECT_EQ(list.SelectedBookmark(), c.bookmark) << c.set;
  }
}

TEST_F(BoundList, ClickComesFromTheUserOnlyAndRefreshRereadsTheRows) {
  ui::DataBoundList list;
  int clicks = 0;
  QObject::connect(&list, &ui::DataBoundList::Click, [&] { ++clicks; });
  list.RowSource(rs_);
  list.ListField("COUNTY");
  list.BoundColumn("COUNTY_ID");
  list.Text("Alder County");
  EXPECT_EQ(clicks, 0);
  emit list.activated(1);  // the user picks the second row
  EXPECT_EQ(clicks, 1);

  conn_->Execute("UPDATE c SET name = 'Birchfield County' WHERE id = 62");
  rs_->Requery();
  rs_->MoveLast();
  list.Refresh();
  EXPECT_EQ(list.Text(), "");
  EXPECT_EQ(list.itemText(1).toStdString(), "Birchfield County");
  EXPECT_EQ(rs_->AbsolutePosition(), 3) << "the record set keeps its current row";
}

TEST_F(BoundList, ReadingTheRowsNeitherMovesNorWritesTheRecordSet) {
  auto rs = db::Recordset::Create();
  rs->LockType(db::LockType::Optimistic);  // a row is written when it is left
  rs->Open("SELECT id AS COUNTY_ID, name AS COUNTY FROM c ORDER BY id", conn_);
  int moves = 0;
  rs->AddMoveHandler([&](db::Recordset&, db::MoveReason) { ++moves; });
  rs->SetValue("COUNTY", vb::Variant("Aspen County"));

  ui::DataBoundList list;
  list.Bind(rs, "COUNTY", "COUNTY_ID");
  ASSERT_EQ(list.count(), 3);
  EXPECT_EQ(list.itemText(0).toStdString(), "Aspen County") << "the rows as the record set holds them";
  EXPECT_EQ(moves, 0);
  EXPECT_EQ(rs->EditMode(), db::EditMode::InProgress) << "the edit stays open";
  EXPECT_EQ(vb::TextOf(conn_->Scalar("SELECT name FROM c WHERE id = 61")), "Alder County") << "nothing written";

  rs->CancelUpdate();
  rs->MoveLast();
  rs->MoveNext();
  list.Refresh();
  EXPECT_TRUE(rs->Eof()) << "a record set past its last row stays there";
  EXPECT_EQ(list.itemText(2).toStdString(), "");
}

TEST_F(BoundList, ChangeFollowsEveryChangeOfTheTextWhoeverMadeIt) {
  ui::DataBoundList list;
  std::vector<std::string> seen;
  QObject::connect(&list, &ui::DataBoundList::Change, [&] { seen.push_back(list.Text()); });
  list.RowSource(rs_);
  list.ListField("COUNTY");
  list.BoundColumn("COUNTY_ID");
  EXPECT_TRUE(seen.empty()) << "binding leaves the text empty, as it was";

  list.Text("Birch County");
  list.Text("birch county");  // the same row: no change
  list.setCurrentIndex(0);    // the user picks another row
  emit list.activated(0);
  list.Refresh();             // rows read again: the text is cleared
  list.Text("Nowhere");       // no such row: still empty
  EXPECT_EQ(seen, (std::vector<std::string>{"Birch County", "Alder County", ""}));

  // A handler may change the text again; it hears its own change too.
  seen.clear();
  bool cleared = false;
  QObject::connect(&list, &ui::DataBoundList::Change, [&] {
    if (!cleared && !list.Text().empty()) {
      cleared = true;
      list.Text("");
    }
  });
  list.Text("Alder County");
  EXPECT_EQ(list.Text(), "");
  EXPECT_EQ(seen, (std::vector<std::string>{"Alder County", ""}));
}

TEST_F(BoundList, ClosedSourceGivesAnEmptyListAndAMissingColumnIsAnError) {
  ui::DataBoundList list;
  list.RowSource(db::Recordset::Create());
  list.ListField("COUNTY");
  EXPECT_EQ(list.count(), 0);
  list.RowSource(rs_);
  try {
    list.BoundColumn("DISTRICT_ID");
    FAIL() << "no error";
  } catch (const vb::VbError& e) {
    EXPECT_EQ(e.Number(), vb::err::ItemNotFound);
  }
}

}  // namespace
