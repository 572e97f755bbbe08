#include "Utilities.h"

#include <unistd.h>

#include <QApplication>
#include <QKeyEvent>
#include <QPalette>
#include <QPlainTextEdit>
#include <QWidget>
#include <memory>

#include "frmMessageBox.h"
#include "frmStatus.h"
#include "modGlobals.h"
#include "ui/Clock.h"
#include "ui/Printers.h"
#include "ui/SingleInstance.h"
#include "vb/App.h"
#include "vb/Conversions.h"
#include "vb/End.h"
#include "zelErrHandler.h"

namespace Utilities {
namespace {

// Module state: the single-instance lock, its base name, the window search
// and the status window shown last.
std::unique_ptr<ui::SingleInstance> mutex;
std::string mutexBaseName;
std::string searchPattern;
QWidget* foundWindow = nullptr;
std::unique_ptr<frmStatus> statusWindow;

std::string MutexName() { return mutexBaseName + "_APPLICATION_MUTEX"; }

std::string UpperAscii(std::string s) {
  for (char& c : s)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return s;
}

bool IsAllowedKey(unsigned char c) {
  return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == ' ' || c == 8 ||
         c == '_';
}

bool LikeAt(const std::string& t, std::size_t ti, const std::string& p, std::size_t pi) {
  while (pi < p.size()) {
    const char pc = p[pi];
    if (pc == '*') {
      for (std::size_t k = ti; k <= t.size(); ++k)
        if (LikeAt(t, k, p, pi + 1)) return true;
      return false;
    }
    if (ti >= t.size()) return false;
    const char tc = t[ti];
    if (pc == '?') {
    } else if (pc == '#') {
      if (tc < '0' || tc > '9') return false;
    } else if (pc == '[') {
      const std::size_t close = p.find(']', pi + 1);
      if (close == std::string::npos) return false;
      std::size_t k = pi + 1;
      const bool negate = k < close && p[k] == '!';
      if (negate) ++k;
      bool inClass = false;
      for (; k < close; ++k) {
        if (k + 2 < close && p[k + 1] == '-') {
          inClass = inClass || (tc >= p[k] && tc <= p[k + 2]);
          k += 2;
        } else {
          inClass = inClass || tc == p[k];
        }
      }
      if (inClass == negate) return false;
      pi = close;
    } else if (pc != tc) {
      return false;
    }
    ++ti;
    ++pi;
  }
  return ti == t.size();
}

// The back colours of enabled and disabled fields, as colour values.
constexpr unsigned kWindowBackground = 0x80000005;
constexpr unsigned kLightGrey = 0x00C0C0C0;

// Enabled and back colour of a field: by name on a control that has
// those members (the numeric field), else the widget's own state and the
// palette's base colour. Each step that fails is skipped.
void SetFieldState(QWidget& control, const char* procedure, bool enabled, unsigned backColor, const QColor& base,
                   const QColor& disabledBase) {
  auto hasMember = [&](const char* name) { return control.metaObject()->indexOfProperty(name) >= 0; };
  Trap trap("Utilities", procedure, Trap::Mode::Silent);
  trap([&] {
    if (hasMember("Enabled"))
      control.setProperty("Enabled", enabled);
    else
      control.setEnabled(enabled);
  });
  trap([&] {
    if (hasMember("BackColor")) {
      control.setProperty("BackColor", backColor);
      return;
    }
    QPalette palette = control.palette();
    palette.setColor(QPalette::Base, base);
    palette.setColor(QPalette::Disabled, QPalette::Base, disabledBase);
    control.setPalette(palette);
  });
}

}  // namespace

vb::Variant DisableControl(QWidget& control) {
  const QColor grey(0xC0, 0xC0, 0xC0);
  SetFieldState(control, "DisableControl", false, kLightGrey, grey, grey);
  return {};
}

vb::Variant EnableControl(QWidget& control) {
  const QPalette standard = QApplication::palette(&control);
  SetFieldState(control, "EnableControl", true, kWindowBackground, standard.color(QPalette::Active, QPalette::Base),
                standard.color(QPalette::Disabled, QPalette::Base));
  return {};
}

void MySendKey(std::int16_t keyAscii) {
  Trap trap("Utilities", "MySendKey");
  trap([&] {
    if (keyAscii == 13) SendTab();
  });
}

void SendTab() {
  QWidget* focused = QApplication::focusWidget();
  if (!focused) return;
  QKeyEvent press(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier);
  QApplication::sendEvent(focused, &press);
  QKeyEvent release(QEvent::KeyRelease, Qt::Key_Tab, Qt::NoModifier);
  QApplication::sendEvent(QApplication::focusWidget() ? QApplication::focusWidget() : focused, &release);
}

void Time_Process() { ui::Pause(1.0); }

vb::Variant GetProcessID() { return vb::Variant(static_cast<int>(::getpid())); }

vb::Variant ScreenMouseEnabled(bool enabled) {
  Trap trap("Utilities", "ScreenMouseEnabled");
  trap([&] {
    if (enabled) {
      while (QApplication::overrideCursor()) QApplication::restoreOverrideCursor();
    } else if (!QApplication::overrideCursor() || QApplication::overrideCursor()->shape() != Qt::WaitCursor) {
      QApplication::setOverrideCursor(Qt::WaitCursor);
    }
  });
  return {};
}

bool IsAppInstance() {
  mutexBaseName = vb::App::Title() + "-" + std::to_string(vb::App::Major()) + "." +
                  std::to_string(vb::App::Minor()) + "." + std::to_string(vb::App::Revision());
  return !WeAreAlone(MutexName());
}

bool WeAreAlone(const std::string& mutexName) {
  if (InDevelopment()) return true;
  if (mutex && mutex->Held()) return true;
  auto lock = std::make_unique<ui::SingleInstance>(mutexName);
  if (!lock->TryAcquire()) return false;
  mutex = std::move(lock);
  return true;
}

bool InDevelopment() { return false; }

vb::Variant EndApp() {
  if (mutex) {
    mutex->Release();
    mutex.reset();
  }
  return {};
}

vb::Variant SetFocusToApplication() {
  if (mutexBaseName.empty()) IsAppInstance();
  if (ui::SingleInstance(MutexName()).ActivateRunning()) vb::End();
  return {};
}

QWidget* FindWindowWild(const std::string& pattern, bool matchCase) {
  searchPattern = matchCase ? pattern : UpperAscii(pattern);
  foundWindow = nullptr;
  for (QWidget* window : QApplication::topLevelWidgets())
    if (!EnumWinProc(window, matchCase)) break;
  return foundWindow;
}

bool EnumWinProc(QWidget* window, bool matchCase) {
  if (!window || !window->isVisible() || window->parentWidget()) return true;
  std::string title = window->windowTitle().left(127).toStdString();
  if (title.empty()) return true;
  if (!matchCase) title = UpperAscii(title);
  if (!Like(title, searchPattern)) return true;
  foundWindow = window;
  return false;
}

bool Like(const std::string& text, const std::string& pattern) { return LikeAt(text, 0, pattern, 0); }

bool CharacterAsciiKeyCheck(const std::string& text) {
  if (text.empty()) return false;
  for (unsigned char c : text)
    if (!IsAllowedKey(c)) return false;
  return true;
}

std::string GetCertKeyFormatted(std::string& certKey) {
  Trap trap("Utilities", "GetCertKeyFormatted");
  std::string result;
  trap([&] {
    const std::string trimmed = vb::Trim(certKey);
    if (!trimmed.empty()) {
      const long zeros = 8 - static_cast<long>(vb::Len(trimmed));
      if (zeros > 0) certKey = std::string(static_cast<std::size_t>(zeros), '0') + certKey;
    }
    result = certKey;
  });
  return result;
}

vb::Variant EscapeQuotes(const vb::Variant& text) { return vb::Replace(vb::CStr(text), "'", "''"); }

std::string NoPrinterMessage() {
  return "Cannot print due to a problem with the current printer setup.\r\n"
         "Try one or more of the following:\r\n"
         "*Check the printer by printing a test page from the system's printer settings.\r\n"
         "*Make sure the printer is turned on and online.\r\n"
         "*Reinstall the printer driver.";
}

bool SetPrinterOrientation(std::int32_t orientation) {
  if (ui::printers().Names().empty()) return false;
  ui::SetJobOrientation(orientation);
  return true;
}

void TransferStatus(std::string& text) {
  Trap trap("Utilities", "TransferStatus");
  trap([&] { statusWindow = std::make_unique<frmStatus>(); });
  trap([&] {
    frmStatus& window = vb::Deref(statusWindow);
    window.Load();
    QPlainTextEdit& box = vb::Deref(window.findChild<QPlainTextEdit*>("txtStatus"));
    box.setPlainText(QString::fromStdString(text).replace("\r\n", "\n"));
  });
  if (trap.Left() || !statusWindow) return;
  Trap show("Utilities", "TransferStatus", Trap::Mode::Silent);
  show([&] {
    if (modGlobals::gblnStatusModeless)
      statusWindow->ShowModeless();
    else
      statusWindow->ShowModal();
  });
}

std::int16_t MessageBox(const vb::Variant& message, const vb::Variant& caption) {
  if (vb::Equal(message, vb::Variant(""))) return 0;
  std::int16_t answer = 0;
  Trap trap("Utilities", "MessageBox");
  std::unique_ptr<frmMessageBox> box;
  trap([&] {
    box = std::make_unique<frmMessageBox>();
    box->lblMessage->setText(QString::fromStdString(vb::CStr(message)));
    box->setWindowTitle(QString::fromStdString(vb::CStr(caption)));
  });
  if (!box) return answer;
  trap([&] {
    // A box closed without a button press answers No.
    modGlobals::gintMessageBoxAnswer = 7;
    box->ShowModal();
    answer = modGlobals::gintMessageBoxAnswer;
  });
  return answer;
}

}  // namespace Utilities
