#pragma once
// The masked text field: a line edit that may carry an input mask in the
// classic notation, as windows store it ("(999) 000-0000 x 9999"):
//
//   0  a digit that must be entered      9 or #  a digit that may be left out
//   L  a letter that must be entered     ?       a letter that may be left out
//   A  a letter or digit, required       a       a letter or digit, optional
//   &  any character, required           C       any character, optional
//   >  upper-case what follows   <  lower-case   !  neither
//   \  the next character is a literal; every other character is a literal
//
// The field shows the literals and "_" for each position not yet filled.
// Text() reads what was entered at the mask's positions, without the
// literals: a position left empty reads as a blank and the blanks after the
// last entered character are left off, so "(916) 555-1234 x ____" reads
// "9165551234". Setting the text fills the positions in order: a text
// without the mask's literals is taken position by position (a blank leaves
// its position empty); a text with them is fitted to the mask.
//
// Without a mask the field is a plain line edit (its maxLength limits it).
//
// A click past the last place that takes a character puts the cursor where
// typing goes on: after the last entered character, at its next place.
//
// Every key that types a character is first offered to KeyPress with its
// character code (ui/TextFieldInput.h): the handler may discard or change it;
// Enter goes no further than the field (it never presses a button of the
// window). The editing commands (select all, copy, cut, paste, undo, redo)
// work whatever the handler lets through; text pasted (by key, by the
// context menu or by the middle button) or dropped is offered to KeyPress
// character by character and only what passes goes in, up to maxLength and
// into the mask's positions as typed text does. GotFocus is emitted whenever the field gets the focus; a
// selection that its handler makes survives the mouse click that brought
// the focus. MouseDown is emitted when a mouse button goes down on the
// field, before the field acts on it; MouseUp when it comes up, after the
// field has acted on it (pasted the selection, for the middle button).

#include <QClipboard>
#include <QLineEdit>
#include <QMenu>
#include <cstdint>
#include <string>
#include <vector>

#include "ui/TextFieldInput.h"

namespace ui {

class QuorMaskText : public QLineEdit {
  Q_OBJECT
  // The mask as windows store it: an optional name, ";", and the mask
  // ("Phone Number;(999) 000-0000"); a text without ";" is the mask alone.
  Q_PROPERTY(QString storedMask READ storedMask WRITE setStoredMask)

 public:
  explicit QuorMaskText(QWidget* parent = nullptr);

  QString storedMask() const { return storedMask_; }
  void setStoredMask(const QString& stored);

  // The mask in effect ("" for none).
  const std::string& Mask() const { return mask_; }
  void SetMask(const std::string& mask);

  // The entered text (see above), UTF-8.
  std::string Text() const;
  void Text(const std::string& text);

  // The selection, in characters of the shown text; SelStart is the cursor
  // position when nothing is selected.
  int SelStart() const;
  void SelStart(int start);
  int SelLength() const;
  void SelLength(int length);

  // The Paste of a context menu that the field made, or nullptr.
  static QAction* PasteAction(const QMenu& menu);

 signals:
  void KeyPress(std::int16_t& keyAscii);
  void GotFocus();
  void MouseDown(Qt::MouseButton button);
  void MouseUp(Qt::MouseButton button);

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  // The text as KeyPress lets it through (ui::OfferText).
  QString AsTyped(const QString& text);
  // Pastes the text of the clipboard (or of the selection) as typed.
  void PasteAsTyped(QClipboard::Mode mode);

  struct Position {
    bool literal = false;
    QChar ch;  // the literal, or the classic mask character
  };

  bool IsLiteral(QChar c) const;
  int TypingPlace() const;
  void KeepCaretWhereTypingGoes();

  QString storedMask_;
  std::string mask_;
  std::vector<Position> positions_;
  FocusSelection focusSelection_;
};

}  // namespace ui
