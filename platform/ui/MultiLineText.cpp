#include "ui/MultiLineText.h"

#include <QFocusEvent>
#include <QMouseEvent>
#include <QTextCursor>
#include <algorithm>


namespace ui {

MultiLineText::MultiLineText(QWidget* parent) : QPlainTextEdit(parent) {
  setTabChangesFocus(true);
  setLineWrapMode(QPlainTextEdit::WidgetWidth);
  setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
}

std::string MultiLineText::Text() const { return toPlainText().toStdString(); }

void MultiLineText::Text(const std::string& text) { setPlainText(QString::fromStdString(text)); }

int MultiLineText::SelStart() const { return textCursor().selectionStart(); }

void MultiLineText::SelStart(int start) {
  QTextCursor cursor = textCursor();
  cursor.setPosition(std::clamp(start, 0, static_cast<int>(toPlainText().size())));
  setTextCursor(cursor);
}

int MultiLineText::SelLength() const {
  const QTextCursor cursor = textCursor();
  return cursor.selectionEnd() - cursor.selectionStart();
}

void MultiLineText::SelLength(int length) {
  QTextCursor cursor = textCursor();
  const int start = cursor.selectionStart();
  cursor.setPosition(start);
  cursor.setPosition(std::clamp(start + length, 0, static_cast<int>(toPlainText().size())), QTextCursor::KeepAnchor);
  setTextCursor(cursor);
}

void MultiLineText::keyPressEvent(QKeyEvent* event) {
  OfferKeyPress(
      event, [this](std::int16_t& keyAscii) { emit KeyPress(keyAscii); },
      [this](QKeyEvent* key) { QPlainTextEdit::keyPressEvent(key); });
}

void MultiLineText::focusInEvent(QFocusEvent* event) {
  QPlainTextEdit::focusInEvent(event);
  emit GotFocus();
  focusSelection_.FocusIn(event->reason(), SelStart(), SelLength());
}

void MultiLineText::mousePressEvent(QMouseEvent* event) {
  QPlainTextEdit::mousePressEvent(event);
  if (const auto kept = focusSelection_.AfterPress()) {
    SelStart(kept->first);
    SelLength(kept->second);
  }
}

}  // namespace ui
