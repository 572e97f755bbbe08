#pragma once
// The classic KeyPress of the program's text fields: every key that types
// a character is first offered to the field's KeyPress handler with its
// character code (8 Backspace, 13 Enter, control codes for Ctrl+letter).
// The handler may set the code to 0 to discard the key or change it to type
// another character. Enter goes no further than the field: it never types
// a line break nor presses a button of the window. Keys that type nothing
// (Escape, Delete, arrows) are not offered.

#include <QKeyEvent>
#include <cstdint>
#include <functional>

namespace ui {

// Offers `event` to `keyPress`, then hands the key on to `edit` (the
// field's own key handling) as it was or as the handler changed it.
void OfferKeyPress(QKeyEvent* event, const std::function<void(std::int16_t&)>& keyPress,
                   const std::function<void(QKeyEvent*)>& edit);

}  // namespace ui
