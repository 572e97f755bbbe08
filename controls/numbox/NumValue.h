#pragma once
// Values of the numeric field: QVariants of the classic kinds (Empty,
// Null, Integer, Long, Single, Double, Currency, String), the number texts
// of the field (15 significant digits for doubles, 7 for singles) and the
// conversions between texts and the kinds, as a given locale writes numbers.

#include <QMetaType>
#include <QString>
#include <QVariant>

#include <optional>
#include <string>

namespace numbox {

// An amount of money: the value times ten thousand.
struct Currency {
  qint64 scaled = 0;
  friend bool operator==(Currency a, Currency b) { return a.scaled == b.scaled; }
};

// The kinds of value the field knows.
enum class Kind { Empty, Null, Integer, Long, Single, Double, Currency, String, Other };

// The ASCII digits "0" to "9": the only digits of value texts.
inline bool IsDigit(QChar c) { return c >= '0' && c <= '9'; }
// Removes the "0" characters at the start of a text, keeping at least one character.
void DropLeadingZeros(QString& text);

// Empty is the invalid QVariant; Null holds nullptr; Integer is a 16-bit
// short, Long a 32-bit int, Single a float, Currency the struct above.
QVariant NullValue();
Kind KindOf(const QVariant& value);
bool IsNumericKind(Kind kind);
QVariant MakeCurrency(qint64 scaled);

// The kind of a DataType setting (0 text, 1 Integer, 2 Long, 3 Single,
// 4 Double, 5 Currency; any other value Null) and back (-1 for others).
Kind KindOfDataType(int dataType);
int DataTypeOfKind(Kind kind);

// How a locale writes numbers: decimal and group separators and the
// currency symbol.
struct NumberStyle {
  QString decimal = ".";
  QString thousand = ",";
  QString currency = "$";
};
// English (United States): ".", "," and "$", whatever the user's locale.
NumberStyle FixedStyle();
// The installed locale's number items.
NumberStyle UserStyle();

// Converts `value` to `kind` as the classic coercion does: numbers round
// half to even into the integer kinds and Currency, a number that does not
// fit fails, Empty is 0 or "", Null converts to nothing but Null; a text
// is read as a number written in `style` (blanks, sign, parentheses,
// currency symbol, group separators, exponent). Kind::Other never converts.
std::optional<QVariant> Convert(const QVariant& value, Kind kind, const NumberStyle& style);
// The value as a double; nullopt for texts that are no number, Null and other kinds.
std::optional<double> ToDouble(const QVariant& value, const NumberStyle& style);

// A double as the field writes it: up to 15 significant digits, "." or the
// style's decimal separator, no grouping, "E+nn" for large or small values.
QString DoubleText(double value, const NumberStyle& style);

// The 15 significant digits of a finite, non-zero value's magnitude
// (trailing zeros kept) and the power of ten of the first:
// |value| = d.dddddddddddddd × 10^exponent, rounded to those digits.
struct SignificantDigits {
  std::string digits;
  int exponent = 0;
};
SignificantDigits SignificantDigitsOf(double value);

// Cuts `value` to `places` decimals (−6..6; negative counts cut to tens,
// hundreds, ...) toward minus infinity. The cut is made on the number's
// 15-digit decimal text, so 1.13 stays 1.13 and −2.567 becomes −2.57.
// Other counts leave the value as it is.
void TruncateToDecimals(double& value, int places);

// Compares two values of the same numeric kind: −1, 0 or 1.
int CompareValues(const QVariant& a, const QVariant& b);
// Whether a numeric value is below zero, or zero (+0 and −0).
bool IsBelowZero(const QVariant& value);
bool IsZero(const QVariant& value);

}  // namespace numbox

Q_DECLARE_METATYPE(numbox::Currency)
