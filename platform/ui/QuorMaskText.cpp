#include "ui/QuorMaskText.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QDropEvent>
#include <QFocusEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <algorithm>
#include <utility>

namespace ui {

namespace {

constexpr QChar kBlank = u'_';

// The classic mask characters and the input-mask characters that stand for
// them (the input mask's "9" is a required digit, its "0" an optional one).
constexpr std::pair<char16_t, char16_t> kMaskChars[] = {{u'0', u'9'}, {u'9', u'0'}, {u'#', u'0'},
                                                        {u'L', u'A'}, {u'?', u'a'}, {u'A', u'N'},
                                                        {u'a', u'n'}, {u'&', u'X'}, {u'C', u'x'}};

QChar InputMaskChar(QChar classic) {
  for (const auto& [mask, input] : kMaskChars)
    if (classic == mask) return input;
  return {};
}

bool IsCaseSwitch(QChar c) { return c == u'>' || c == u'<' || c == u'!'; }

// Characters that the input mask would read as mask characters and that a
// literal must therefore escape.
bool NeedsEscape(QChar c) { return QStringLiteral("AaNnXx90Dd#HhBb><!;[]{}\\").contains(c); }

}  // namespace

QuorMaskText::QuorMaskText(QWidget* parent) : QLineEdit(parent) {}

void QuorMaskText::setStoredMask(const QString& stored) {
  storedMask_ = stored;
  const qsizetype semicolon = stored.indexOf(u';');
  SetMask((semicolon < 0 ? stored : stored.mid(semicolon + 1)).toStdString());
}

void QuorMaskText::SetMask(const std::string& mask) {
  mask_ = mask;
  positions_.clear();
  QString inputMask;
  const QString classic = QString::fromStdString(mask);
  for (qsizetype i = 0; i < classic.size(); ++i) {
    QChar c = classic[i];
    if (IsCaseSwitch(c)) {
      inputMask += c;
      continue;
    }
    const QChar maskChar = InputMaskChar(c);
    if (!maskChar.isNull()) {
      positions_.push_back({false, c});
      inputMask += maskChar;
      continue;
    }
    if (c == u'\\' && i + 1 < classic.size()) c = classic[++i];
    positions_.push_back({true, c});
    if (NeedsEscape(c)) inputMask += u'\\';
    inputMask += c;
  }
  setInputMask(positions_.empty() ? QString() : inputMask + u';' + kBlank);
}

bool QuorMaskText::IsLiteral(QChar c) const {
  for (const Position& p : positions_)
    if (p.literal && p.ch == c && c != u' ') return true;
  return false;
}

std::string QuorMaskText::Text() const {
  if (positions_.empty()) return text().toStdString();
  const QString shown = displayText();
  QString entered;
  for (std::size_t i = 0; i < positions_.size() && static_cast<qsizetype>(i) < shown.size(); ++i) {
    if (positions_[i].literal) continue;
    entered += shown[static_cast<qsizetype>(i)] == kBlank ? QChar(u' ') : shown[static_cast<qsizetype>(i)];
  }
  while (entered.endsWith(u' ')) entered.chop(1);
  return entered.toStdString();
}

void QuorMaskText::Text(const std::string& text) {
  QString value = QString::fromStdString(text);
  if (!positions_.empty()) {
    bool formatted = false;
    for (QChar c : value) formatted = formatted || IsLiteral(c);
    // A text read from the field: each character is the next position, a
    // blank one left empty.
    if (!formatted) value.replace(u' ', kBlank);
  }
  setText(value);
}

int QuorMaskText::SelStart() const { return hasSelectedText() ? selectionStart() : cursorPosition(); }

void QuorMaskText::SelStart(int start) { setCursorPosition(start); }

int QuorMaskText::SelLength() const { return static_cast<int>(selectedText().size()); }

void QuorMaskText::SelLength(int length) { setSelection(SelStart(), length); }

QAction* QuorMaskText::PasteAction(const QMenu& menu) {
  // The action's text is its caption, a tab and the key that does the same.
  for (QAction* action : menu.actions())
    if (action->text().section(u'\t', 0, 0) == QLineEdit::tr("&Paste")) return action;
  return nullptr;
}

QString QuorMaskText::AsTyped(const QString& text) {
  return OfferText(text, [this](std::int16_t& keyAscii) { emit KeyPress(keyAscii); });
}

void QuorMaskText::PasteAsTyped(QClipboard::Mode mode) {
  if (isReadOnly()) return;
  const QString kept = AsTyped(QGuiApplication::clipboard()->text(mode));
  // Nothing that passes leaves the field as a refused key does.
  if (!kept.isEmpty()) insert(kept);
}

void QuorMaskText::keyPressEvent(QKeyEvent* event) {
  if (event->matches(QKeySequence::Paste)) {
    PasteAsTyped(QClipboard::Clipboard);
    event->accept();
    return;
  }
  OfferKeyPress(
      event, [this](std::int16_t& keyAscii) { emit KeyPress(keyAscii); },
      [this](QKeyEvent* key) { QLineEdit::keyPressEvent(key); });
  if (event->key() == Qt::Key_End && !(event->modifiers() & Qt::ShiftModifier)) KeepCaretWhereTypingGoes();
}

void QuorMaskText::focusInEvent(QFocusEvent* event) {
  QLineEdit::focusInEvent(event);
  emit GotFocus();
  focusSelection_.FocusIn(event->reason(), SelStart(), SelLength());
}

// After the last entered character, the next place that takes one; the
// first such place when nothing is entered; the end when none is left.
int QuorMaskText::TypingPlace() const {
  const QString shown = displayText();
  const int places = static_cast<int>(std::min<qsizetype>(static_cast<qsizetype>(positions_.size()), shown.size()));
  int place = 0;
  for (int i = 0; i < places; ++i)
    if (!positions_[static_cast<std::size_t>(i)].literal && shown[i] != kBlank) place = i + 1;
  while (place < places && positions_[static_cast<std::size_t>(place)].literal) ++place;
  return place;
}

void QuorMaskText::mousePressEvent(QMouseEvent* event) {
  emit MouseDown(event->button());
  QLineEdit::mousePressEvent(event);
  if (const auto kept = focusSelection_.AfterPress()) {
    setSelection(kept->first, kept->second);
    return;
  }
  if (event->button() == Qt::LeftButton) KeepCaretWhereTypingGoes();
}

// A click or End past the last place that takes a character would leave the
// cursor where nothing can be typed: it goes where typing goes on.
void QuorMaskText::KeepCaretWhereTypingGoes() {
  if (positions_.empty() || hasSelectedText()) return;
  int last = static_cast<int>(positions_.size());
  while (last > 0 && positions_[static_cast<std::size_t>(last - 1)].literal) --last;
  if (cursorPosition() >= last) setCursorPosition(TypingPlace());
}

void QuorMaskText::mouseReleaseEvent(QMouseEvent* event) {
  // The middle button pastes the selection where the window system has one.
  if (event->button() == Qt::MiddleButton && QGuiApplication::clipboard()->supportsSelection()) {
    PasteAsTyped(QClipboard::Selection);
    event->accept();
  } else {
    QLineEdit::mouseReleaseEvent(event);
  }
  emit MouseUp(event->button());
}

void QuorMaskText::contextMenuEvent(QContextMenuEvent* event) {
  QMenu* menu = createStandardContextMenu();
  menu->setAttribute(Qt::WA_DeleteOnClose);
  // Its Paste pastes as typed.
  if (QAction* paste = PasteAction(*menu)) {
    disconnect(paste, &QAction::triggered, this, nullptr);
    connect(paste, &QAction::triggered, this, [this] { PasteAsTyped(QClipboard::Clipboard); });
  }
  menu->popup(event->globalPos());
}

void QuorMaskText::dropEvent(QDropEvent* event) {
  if (!event->mimeData()->hasText()) {
    QLineEdit::dropEvent(event);
    return;
  }
  QMimeData kept;
  kept.setText(AsTyped(event->mimeData()->text()));
  QDropEvent asTyped(event->position(), event->possibleActions(), &kept, event->buttons(), event->modifiers());
  asTyped.setDropAction(event->dropAction());
  QLineEdit::dropEvent(&asTyped);
  event->setDropAction(asTyped.dropAction());
  event->setAccepted(asTyped.isAccepted());
}

}  // namespace ui
