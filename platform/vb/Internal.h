#pragma once
// Helpers that the value layer's source files share; not part of its
// interface (callers include Variant.h, Conversions.h and the others).

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "vb/Decimal.h"
#include "vb/Variant.h"

namespace vb::detail {

// --- Numbers and their texts.

// A number read from a text: value = digits x 10^exponent, the digits
// without leading or trailing zeros ("" for zero).
struct DecimalDigits {
  bool negative = false;
  std::string digits;
  long exponent = 0;
};

// Drops the trailing zeros of the digits into the exponent; zero has no
// digits, no exponent and no sign.
void StripTrailingZeros(DecimalDigits& n);
// Reads a whole text as a number with the US rules of CDbl: blanks around
// it, a sign, "$", "(12)" for -12, grouping commas in the whole part, ".",
// an exponent ("1E3", "1D3"), and "&H"/"&O" whole numbers. False when the
// text is no number.
bool ScanNumber(std::string_view text, DecimalDigits& out);
// The double nearest to the digits; error 6 beyond the range of doubles.
double ToDouble(const DecimalDigits& n);
// A text as CDbl reads it; nullopt when it is no number, error 6 when it is
// out of range.
std::optional<double> ParseDouble(std::string_view text);
// The 15 significant digits of a double, as its text shows them.
DecimalDigits DigitsOfDouble(double value);
// Exact digits of a decimal.
DecimalDigits DigitsOfDecimal(const Decimal& value);
// A decimal from digits, rounded half to even to 28 places; error 6 when out
// of range.
Decimal DecimalFromDigits(const DecimalDigits& n);

// Writes a double as printf "%.15G" does in the "C" locale, "0" for -0.
// buf must hold at least 32 characters; answers the length.
std::size_t WriteDouble(double value, char* buf);
std::string DoubleText(double value);
std::string CurrencyText(Currency value);

// Rounds half to even to a whole number (NaN stays NaN).
double RoundHalfEven(double value);
// Rounds half to even to a whole number and checks it lies in [min, max];
// error 6 otherwise.
std::int64_t RoundToRange(double value, std::int64_t min, std::int64_t max);

Decimal DecimalFromCurrency(Currency value);
// Rounds half to even to four places; error 6 when out of range.
Currency CurrencyFromDecimal(const Decimal& value);

// --- Dates.

// Whole days since 1899-12-30 of a calendar day (proleptic Gregorian).
std::int64_t DayNumber(std::int64_t year, int month, int day);

struct DateParts {
  std::int64_t dayNumber = 0;  // whole days since 1899-12-30
  int year = 1899, month = 12, day = 30;
  int secondOfDay = 0;         // 0 .. 86399
  int hour = 0, minute = 0, second = 0;
};
// Splits a serial date, with its time rounded to the second: the whole part
// toward zero is the day, the fraction's size the time of that day.
DateParts SplitDate(double serial);
// The serial of a day and a time of day (negative days take the time away).
double SerialOf(std::int64_t dayNumber, int secondOfDay);
// The names of the months, January first.
inline constexpr std::array<const char*, 12> kMonthNames = {"January", "February", "March",     "April",
                                                            "May",     "June",     "July",      "August",
                                                            "September", "October", "November", "December"};

// Whether the serial lies between 1/1/100 and 12/31/9999.
bool InDateRange(double serial);
// Raises error 6 unless it does.
void CheckDateRange(double serial);
std::string DateText(Date d);
// A date text as CDate reads it; nullopt when it is no date.
std::optional<Date> ParseDate(std::string_view text);

// --- UTF-8 and letter case.

// The character at pos, advancing pos past it; -1 (advancing past the
// broken bytes) for malformed UTF-8.
long DecodeUtf8(std::string_view s, std::size_t& pos);
void AppendUtf8(std::string& out, char32_t ch);
// Case mapping of ASCII letters and the letters of Windows-1252.
char32_t UpperChar(char32_t ch);
char32_t LowerChar(char32_t ch);
// Case-insensitive order of two texts by their lower-case characters:
// negative, 0 or positive.
int CompareIgnoringCase(std::string_view a, std::string_view b);

}  // namespace vb::detail
