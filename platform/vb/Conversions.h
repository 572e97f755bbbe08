#pragma once
// The classic conversion and text functions, with fixed United States rules
// whatever the machine's locale: "." before decimals, "," for grouping,
// dates as M/d/yyyy h:mm:ss AM/PM. The texts these give feed row
// certification keys, so they are part of the file-exchange contract.

#include <cstdint>
#include <string>
#include <string_view>

#include "vb/Variant.h"

namespace vb {

// The line break of the program's reports, logs and text files.
inline constexpr const char* kCrLf = "\r\n";

// --- Conversions (Null is error 94 unless said otherwise; a value that does
// --- not fit is error 6; a text that is no number is error 13).
std::string CStr(const Variant& v);       // Empty -> ""
double CDbl(const Variant& v);            // texts accept "1,234.5", "$1,234", "(12)", "1E3", leading/trailing blanks
std::int32_t CLng(const Variant& v);      // rounds half to even
std::int16_t CInt(const Variant& v);      // rounds half to even
bool CBool(const Variant& v);             // numbers: non-zero; texts "True"/"False" or numbers
Currency CCur(const Variant& v);
Decimal CDec(const Variant& v);
Date CDate(const Variant& v);             // texts "M/d/yyyy[ h:mm[:ss][ AM|PM]]", "yyyy-MM-dd[ HH:mm:ss]", times alone

// The text of a value as the certification keys and the classic Print take
// it: Null and Empty give "" (never an error).
std::string TextOf(const Variant& v);

// Val: the number at the start of a text ("12abc" -> 12, "" -> 0), blanks
// ignored, "&H" hexadecimal; never a type mismatch (only a number beyond the
// range of doubles, "1E400", is error 6).
double Val(std::string_view text);
// Str: the text of a number with a leading blank for non-negative numbers.
std::string Str(const Variant& v);

// --- Tests.
bool IsNull(const Variant& v);
bool IsEmpty(const Variant& v);
bool IsNumeric(const Variant& v);  // numbers, and texts that CDbl accepts
bool IsDate(const Variant& v);     // dates, and texts that CDate accepts

// --- Format with the classic named and custom formats for numbers
// --- ("#,##0", "0.00", "00000", "General Number", "Fixed", "Standard",
// --- "Currency", "Percent", "Yes/No", "True/False") and dates ("mm/dd/yyyy",
// --- "m/d/yyyy", "General Date", "Short Date", "Long Time", "hh:nn:ss AM/PM",
// --- "yyyy-mm-dd hh:nn:ss", "mmmm d, yyyy"). Null and Empty give "".
// --- An empty format gives TextOf.
std::string Format(const Variant& v, std::string_view format = {});

// --- Text functions on UTF-8 texts; lengths and positions count characters
// --- (code points), positions from 1.
std::size_t Len(std::string_view s);
std::string Left(std::string_view s, std::size_t n);
std::string Right(std::string_view s, std::size_t n);
std::string Mid(std::string_view s, std::size_t start, std::size_t length = std::string::npos);
std::string Trim(std::string_view s);   // blanks (spaces) only, as the classic function
std::string LTrim(std::string_view s);
std::string RTrim(std::string_view s);
std::string UCase(std::string_view s);  // ASCII and Latin letters
std::string LCase(std::string_view s);
// Position of `find` in `s` from `start` (1-based), 0 when absent.
std::size_t InStr(std::size_t start, std::string_view s, std::string_view find,
                  CompareMethod method = CompareMethod::Binary);
std::string Replace(std::string_view s, std::string_view find, std::string_view with);
std::string Space(std::size_t n);
std::string String(std::size_t n, char32_t ch);
std::string Chr(std::int32_t code);     // a Windows-1252 code 0..255 as its character
std::int32_t Asc(std::string_view s);   // the Windows-1252 code of the first character (error 5 for "")
// Upper-case hexadecimal digits of the 32-bit value (negative numbers give
// their 32 bits: -1 -> "FFFFFFFF").
std::string Hex(std::int64_t value);
// Case-insensitive equality of two texts (ASCII and Latin letters).
bool TextEquals(std::string_view a, std::string_view b);

// --- Dates.
Date DateSerial(int year, int month, int day);   // month and day may run over, as the classic function
Date TimeSerial(int hour, int minute, int second);
int Year(Date d);
int Month(Date d);
int Day(Date d);
int Hour(Date d);
int Minute(Date d);
int Second(Date d);
int Weekday(Date d);  // 1 = Sunday
// The database's date form "YYYY-MM-DD HH:MM:SS" and back (nullopt when the
// text is not such a date).
std::string ToIsoText(Date d);
std::optional<Date> FromIsoText(std::string_view text);

}  // namespace vb
