#pragma once
// What the program's text fields share of their input.
//
// KeyPress as the classic fields have it: every key that types
// a character is first offered to the field's KeyPress handler with its
// character code (8 Backspace, 13 Enter, control codes for Ctrl+letter).
// The handler may set the code to 0 to discard the key or change it to type
// another character. Enter goes no further than the field: it never types
// a line break nor presses a button of the window. Keys that type nothing
// (Escape, Delete, arrows) are not offered, and neither are the field's
// editing commands (select all, copy, cut, paste, undo, redo): a handler
// that lets only some characters through cannot take them from the user.
// Text pasted or dropped into a field is held to the handler the same way,
// character by character (OfferText).
//
// A character key pressed with Alt (or Meta) held types nothing in any of
// the program's text fields and is not offered: Alt and a letter is the
// access key of a button or menu, and when none owns it nothing happens.
// AltGr is no Alt: the characters it types go in as any other.

#include <QKeyEvent>
#include <cstdint>
#include <functional>
#include <optional>
#include <utility>

class QWidget;

namespace ui {

// Offers `event` to `keyPress`, then hands the key on to `edit` (the
// field's own key handling) as it was or as the handler changed it.
void OfferKeyPress(QKeyEvent* event, const std::function<void(std::int16_t&)>& keyPress,
                   const std::function<void(QKeyEvent*)>& edit);

// Whether the key is a character key pressed with Alt or Meta held, which
// types nothing in a text field.
bool IsAltCharacter(const QKeyEvent& event);

// Holds a plain text box (a line or text edit that is none of the program's
// own fields, such as a note box that takes line breaks) to the same rule:
// a character key with Alt or Meta held types nothing in it.
void KeepAltCharactersOut(QWidget& box);

// Whether the key is one of the field's editing commands, which are carried
// out by the field and never offered to KeyPress.
bool IsEditingCommand(const QKeyEvent& event);

// Text that the user brings into a field at once (pasted or dropped), held
// to `keyPress` as if typed: each character is offered in turn, and what the
// handler lets through, or changes it to, is kept. A line field takes no
// control characters (line breaks, tabs): they are left out unoffered, and
// so is a character that the handler changes into one.
QString OfferText(const QString& text, const std::function<void(std::int16_t&)>& keyPress);

// The selection that a field's GotFocus handler makes survives the mouse
// click that brought the focus (the click would otherwise place the cursor
// over it).
class FocusSelection {
 public:
  // After the focus arrived and GotFocus ran, with the selection then.
  void FocusIn(Qt::FocusReason reason, int start, int length);
  // After the field handled a mouse press: the selection to put back.
  std::optional<std::pair<int, int>> AfterPress();

 private:
  std::optional<std::pair<int, int>> kept_;
};

}  // namespace ui
