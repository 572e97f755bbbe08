#pragma once
// Small services that windows of many parts of the program call: enabling
// fields, Enter as Tab, the one-second wait, the pointer, the single
// running copy, key and text checks, the certificate-number text, SQL
// apostrophes, the print orientation, and opening the status report and the
// four-answer question.

#include <cstdint>
#include <string>

#include "vb/Variant.h"

class QWidget;

namespace Utilities {

// Disables a control and paints its background light grey (0xC0C0C0). A
// control with the members Enabled and BackColor (the numeric field) has
// them set by name (BackColor 0x00C0C0C0); other widgets are disabled and
// take the grey as their palette's base colour. A step that fails is skipped.
vb::Variant DisableControl(QWidget& control);
// Enables a control and gives it the window-background colour again
// (BackColor 0x80000005 by name, or the palette's own base colour).
vb::Variant EnableControl(QWidget& control);
// Enter (13) becomes one Tab key press on the focused field, so that the
// focus moves to the next field; other keys do nothing.
void MySendKey(std::int16_t keyAscii);
// One Tab key press (down, then up) on the focused field: the focus moves
// on as when the user presses Tab.
void SendTab();
// Waits until the clock has moved on by more than one second, letting
// window events run meanwhile.
void Time_Process();
// The program's process identifier (a Long).
vb::Variant GetProcessID();
// True: the normal pointer; false: the hourglass.
vb::Variant ScreenMouseEnabled(bool enabled);

// True when another copy of the program already runs. The lock is named
// "<title>-<major>.<minor>.<revision>_APPLICATION_MUTEX".
bool IsAppInstance();
// True when this copy took the single-instance lock of that name (it is
// then held until EndApp).
bool WeAreAlone(const std::string& mutexName);
// The development flag: always false.
bool InDevelopment();
// Gives the single-instance lock up.
vb::Variant EndApp();
// Asks the running copy to come to the front; when it does, ends this
// program; otherwise returns.
vb::Variant SetFocusToApplication();

// The first visible top-level window of the program whose title matches
// the pattern ("?" one character, "*" any run, "#" one digit, "[a-z]" and
// "[!...]" classes), ignoring case unless asked; nullptr when none.
QWidget* FindWindowWild(const std::string& pattern, bool matchCase);
// Looks at one window for FindWindowWild; answers true to go on, false
// when it matched (and is kept as the found window).
bool EnumWinProc(QWidget* window, bool matchCase);
// The classic pattern match of a text (as FindWindowWild uses it).
bool Like(const std::string& text, const std::string& pattern);

// True when the text is not empty and holds only letters A-Z and a-z,
// digits, blanks, backspaces and "_".
bool CharacterAsciiKeyCheck(const std::string& text);
// The certificate number padded with "0" in front to eight characters (the
// count taken from the trimmed number); the caller's variable is changed
// too. A blank number is answered unchanged.
std::string GetCertKeyFormatted(std::string& certKey);
// The value as text with every apostrophe doubled; Null is error 94.
vb::Variant EscapeQuotes(const vb::Variant& text);
// Sets the orientation of the program's print jobs (1 portrait, 2
// landscape); false when there is no printer to print on.
bool SetPrinterOrientation(std::int32_t orientation);
// What a print command tells the user when no printer is installed: five
// lines joined by CR LF.
std::string NoPrinterMessage();

// Shows a report in a new status window, modally.
void TransferStatus(std::string& text);
// Asks the four-answer question: 6 Yes, 7 No (also when the box is closed),
// 1 Yes to All, 2 No to All; 0 without asking for an empty message.
std::int16_t MessageBox(const vb::Variant& message, const vb::Variant& caption);

}  // namespace Utilities
