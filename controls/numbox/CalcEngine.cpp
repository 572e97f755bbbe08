#include "numbox/CalcEngine.h"

#include "numbox/NumValue.h"

#include <cmath>
#include <string>

namespace numbox {

namespace {

constexpr int kDisplayLength = 14;

bool Fits(const QString& text) { return text.size() <= kDisplayLength + (text.startsWith('-') ? 1 : 0); }

// The 15 significant digits of x written out without an exponent.
std::string PlainText(double x) {
  if (x == 0) return "0";
  auto [digits, exponent] = SignificantDigitsOf(x);
  while (digits.size() > 1 && digits.back() == '0') digits.pop_back();
  std::string text;
  const int whole = exponent + 1;  // digits before the point
  if (whole <= 0) {
    text = "0." + std::string(static_cast<std::size_t>(-whole), '0') + digits;
  } else if (whole >= static_cast<int>(digits.size())) {
    text = digits + std::string(static_cast<std::size_t>(whole) - digits.size(), '0');
  } else {
    text = digits.substr(0, static_cast<std::size_t>(whole)) + "." + digits.substr(static_cast<std::size_t>(whole));
  }
  return (x < 0 ? "-" : "") + text;
}

}  // namespace

bool CalcEngine::Format(double x, QString* text) {
  if (!std::isfinite(x)) return false;
  QString t = QString::fromStdString(PlainText(x));
  while (t.contains('.') && t.size() > kDisplayLength) t.chop(1);
  if (t.endsWith('.')) t.chop(1);
  if (!Fits(t)) return false;
  *text = t;
  return true;
}

void CalcEngine::Clear() {
  value_ = operand_ = 0;
  operator_ = kNone;
  fresh_ = true;
  state_ = kReady;
  entry_.clear();
}

void CalcEngine::Load(double x) {
  Clear();
  QString text;
  if (!Format(x, &text)) {
    // A value the display cannot show is not taken: a commit then leaves
    // the field alone.
    state_ = kError;
    return;
  }
  entry_ = text;
  value_ = x;
}

QString CalcEngine::DisplayText(const QString& errorText) const {
  if (state_ == kError) return errorText;
  return entry_.isEmpty() ? QString("0") : entry_;
}

bool CalcEngine::Press(int button) {
  if (button < 0 || button >= kCalcButtonCount) return false;
  if (state_ == kError && button != kCalcClear) return false;
  switch (button) {
    case kCalcEqual:
      Equals();
      break;
    case kCalcSignToggle:
      ParseEntry();
      ShowResult(-value_, true);
      break;
    case kCalcSquareRoot:
      ParseEntry();
      if (state_ == kOperand) Equals();
      if (state_ != kError) ShowResult(std::sqrt(value_), value_ >= 0);
      break;
    case kCalcClear:
      Clear();
      break;
    case kCalcMultiply:
    case kCalcSubtract:
    case kCalcAdd:
    case kCalcDivide:
      SetOperator(button);
      break;
    case kCalcMemoryRecall:
      ShowResult(memory_, true);
      break;
    case kCalcMemoryAdd:
    case kCalcMemorySubtract:
      MemoryChange(button == kCalcMemoryAdd);
      break;
    default:  // digits, the decimal point and Backspace
      Entry(button);
      break;
  }
  return true;
}

void CalcEngine::Entry(int button) {
  if (fresh_) {
    entry_.clear();
    fresh_ = false;
  }
  const bool room = entry_.size() < kDisplayLength + (entry_.startsWith('-') ? 1 : 0);
  if (button <= 9) {
    if (room) entry_ += QChar('0' + button);
  } else if (button == kCalcDecimal) {
    if (room && !entry_.contains('.')) entry_ += '.';
    if (entry_.startsWith('.')) entry_.prepend('0');
  } else if (!entry_.isEmpty()) {  // Backspace
    entry_.chop(1);
  }
}

void CalcEngine::ParseEntry() {
  if (entry_.isEmpty()) return;
  bool ok = false;
  const double x = entry_.toDouble(&ok);
  if (!ok) return;
  (state_ == kOperand ? operand_ : value_) = x;
}

void CalcEngine::Equals() {
  ParseEntry();
  if (operator_ == kNone || fresh_) {
    ShowResult(value_, true);
    return;
  }
  const double a = value_, b = operand_;
  switch (operator_) {
    case kAdd: ShowResult(a + b, true); break;
    case kSubtract: ShowResult(a - b, true); break;
    case kMultiply: ShowResult(a * b, true); break;
    case kDivide: ShowResult(b == 0 ? 0 : a / b, b != 0); break;
    case kNone: break;
  }
}

void CalcEngine::ShowResult(double r, bool ok) {
  QString text;
  if (!ok || !Format(r, &text)) state_ = kError;
  if (state_ != kError) {
    entry_ = text;
    state_ = kReady;
    value_ = r;
  }
  operator_ = kNone;
  fresh_ = true;
  operand_ = 0;
}

void CalcEngine::SetOperator(int button) {
  ParseEntry();
  if (state_ == kOperand) Equals();
  if (state_ == kError) return;
  operator_ = button == kCalcMultiply ? kMultiply : button == kCalcSubtract ? kSubtract : button == kCalcAdd ? kAdd : kDivide;
  state_ = kOperand;
  fresh_ = true;
}

void CalcEngine::MemoryChange(bool add) {
  ParseEntry();
  if (state_ == kOperand) Equals();
  if (state_ == kError) return;
  const double r = add ? value_ + memory_ : memory_ - value_;
  if (!std::isfinite(r)) {
    state_ = kError;
    return;
  }
  memory_ = r;
}

}  // namespace numbox
