#pragma once
// A text field of several lines for longer texts (explanations): the text
// wraps at the field's width and scrolls down when it runs longer. It
// offers the members of the masked text field without a mask: Text(),
// SelStart and SelLength in characters, KeyPress (ui/TextFieldInput.h: Enter
// goes no further than the field, so it types no line break) and GotFocus,
// whose selection survives the mouse click that brought the focus. Tab
// moves the focus on; the field's own Change is textChanged.

#include <QPlainTextEdit>
#include <cstdint>
#include <string>

#include "ui/TextFieldInput.h"

namespace ui {

class MultiLineText : public QPlainTextEdit {
  Q_OBJECT

 public:
  explicit MultiLineText(QWidget* parent = nullptr);

  // The text, UTF-8.
  std::string Text() const;
  void Text(const std::string& text);

  // The selection, in characters; SelStart is the cursor position when
  // nothing is selected. Setting SelStart places the cursor there.
  int SelStart() const;
  void SelStart(int start);
  int SelLength() const;
  void SelLength(int length);

 signals:
  void KeyPress(std::int16_t& keyAscii);
  void GotFocus();

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;

 private:
  FocusSelection focusSelection_;
};

}  // namespace ui
