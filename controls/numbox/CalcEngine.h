#pragma once
// The arithmetic of the field's calculator: the entry being typed, the
// value and operand registers, the pending operation, the memory and the
// error state. It knows no window: the calculator window shows its display
// text and the field takes its value when the user commits.
//
// Results are IEEE doubles. A result is an error only when it is not a
// finite number (an overflow), a division by zero, the square root of a
// negative number, or when it does not fit the fourteen characters of the
// display; a result in error is never handed to the field.

#include <QString>

namespace numbox {

// The buttons, numbered as hosts and the CalcBtnClick event know them.
enum CalcButton : short {
  kCalcDecimal = 10,
  kCalcEqual = 11,
  kCalcSignToggle = 12,
  kCalcSquareRoot = 13,
  kCalcClear = 14,
  kCalcMultiply = 15,
  kCalcSubtract = 16,
  kCalcAdd = 17,
  kCalcBackspace = 18,
  kCalcDivide = 19,
  kCalcMemoryRecall = 20,
  kCalcMemoryAdd = 21,
  kCalcMemorySubtract = 22,
};
constexpr int kCalcButtonCount = 23;

class CalcEngine {
 public:
  enum State : short { kReady = 2, kOperand = 3, kError = -1 };

  // Clears everything but the memory and shows x (Error when x does not fit).
  void Load(double x);
  // Acts on a button; false when the button was ignored (every button but
  // Clear in the Error state, and numbers outside 0..22).
  bool Press(int button);

  State GetState() const { return state_; }
  // The value register: the result that a commit hands to the field.
  double Value() const { return value_; }
  double Memory() const { return memory_; }
  // The display: the error text in the Error state, else the entry or "0".
  QString DisplayText(const QString& errorText) const;

  // The text of a double on the display (at most 14 characters, 15 with a
  // leading "-"), or nothing when it does not fit.
  static bool Format(double x, QString* text);

 private:
  enum Operator : short { kNone = -1, kAdd = 0, kSubtract = 1, kMultiply = 2, kDivide = 3 };

  void Clear();
  void Entry(int button);
  void ParseEntry();
  void Equals();
  void ShowResult(double r, bool ok);
  void SetOperator(int button);
  void MemoryChange(bool add);

  double memory_ = 0;
  QString entry_;
  double value_ = 0;
  double operand_ = 0;
  bool fresh_ = true;
  Operator operator_ = kNone;
  State state_ = kReady;
};

}  // namespace numbox
