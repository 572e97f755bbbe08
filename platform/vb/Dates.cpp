// Dates: serial numbers (days since 1899-12-30, the time of day as the
// fraction), their texts and the classic date functions.

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

#include "vb/Conversions.h"
#include "vb/Internal.h"

namespace vb {
namespace detail {
namespace {

constexpr int kSecondsPerDay = 86400;

// Days since 1970-01-01 of a proleptic Gregorian date.
std::int64_t DaysFromCivil(std::int64_t y, unsigned m, unsigned d) {
  y -= m <= 2;
  const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
  const auto yoe = static_cast<unsigned>(y - era * 400);
  const unsigned doy = (153 * (m > 2 ? m - 3 : m + 9) + 2) / 5 + d - 1;
  const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + static_cast<std::int64_t>(doe) - 719468;
}

void CivilFromDays(std::int64_t z, int& year, int& month, int& day) {
  z += 719468;
  const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  const auto doe = static_cast<unsigned>(z - era * 146097);
  const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const unsigned mp = (5 * doy + 2) / 153;
  day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
  month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  year = static_cast<int>(static_cast<std::int64_t>(yoe) + era * 400 + (month <= 2 ? 1 : 0));
}

const std::int64_t kEpoch = DaysFromCivil(1899, 12, 30);

bool IsLeap(int y) { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; }

int DaysInMonth(int y, int m) {
  static constexpr int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return m == 2 && IsLeap(y) ? 29 : kDays[m - 1];
}

// Two-digit years: 0-29 are 2000-2029, 30-99 are 1930-1999.
int WindowYear(int y) { return y < 30 ? 2000 + y : 1900 + y; }

}  // namespace

std::int64_t DayNumber(std::int64_t year, int month, int day) {
  return DaysFromCivil(year, static_cast<unsigned>(month), static_cast<unsigned>(day)) - kEpoch;
}

DateParts SplitDate(double serial) {
  DateParts p;
  const double whole = std::trunc(serial);
  auto seconds = static_cast<std::int64_t>(std::llround(std::fabs(serial - whole) * kSecondsPerDay));
  p.dayNumber = static_cast<std::int64_t>(whole);
  if (seconds >= kSecondsPerDay) {  // rounds up to the next midnight, away from day 0
    seconds -= kSecondsPerDay;
    p.dayNumber += serial < 0 ? -1 : 1;
  }
  p.secondOfDay = static_cast<int>(seconds);
  p.hour = p.secondOfDay / 3600;
  p.minute = p.secondOfDay / 60 % 60;
  p.second = p.secondOfDay % 60;
  CivilFromDays(p.dayNumber + kEpoch, p.year, p.month, p.day);
  return p;
}

double SerialOf(std::int64_t dayNumber, int secondOfDay) {
  const double time = static_cast<double>(secondOfDay) / kSecondsPerDay;
  return static_cast<double>(dayNumber) + (dayNumber < 0 ? -time : time);
}

bool InDateRange(double serial) {
  // 1/1/100 is day -657434, 12/31/9999 day 2958465.
  return serial > -657435.0 && serial < 2958466.0;
}

void CheckDateRange(double serial) {
  if (!InDateRange(serial)) Raise(err::Overflow);
}

std::string DateText(Date d) {
  const DateParts p = SplitDate(d.serial);
  char buf[48];
  int length = 0;
  if (p.dayNumber != 0) {
    length = std::snprintf(buf, sizeof buf, "%d/%d/%04d", p.month, p.day, p.year);
    if (p.secondOfDay == 0) return std::string(buf, static_cast<std::size_t>(length));
    buf[length++] = ' ';
  }
  const int hour12 = p.hour % 12 == 0 ? 12 : p.hour % 12;
  length += std::snprintf(buf + length, sizeof buf - static_cast<std::size_t>(length), "%d:%02d:%02d %s",
                          hour12, p.minute, p.second, p.hour < 12 ? "AM" : "PM");
  return std::string(buf, static_cast<std::size_t>(length));
}

// --- Reading date texts.

namespace {

struct Token {
  enum Kind { Number, Word, Colon, Slash, Dash, Comma, Dot, Blank } kind;
  std::string_view text;
  int value = 0;  // numbers
};

bool Tokenize(std::string_view s, std::vector<Token>& tokens) {
  std::size_t i = 0;
  while (i < s.size()) {
    const char c = s[i];
    const std::size_t start = i;
    if (c >= '0' && c <= '9') {
      int value = 0;
      while (i < s.size() && s[i] >= '0' && s[i] <= '9') {
        if (i - start >= 9) return false;
        value = value * 10 + (s[i++] - '0');
      }
      tokens.push_back({Token::Number, s.substr(start, i - start), value});
    } else if ((c | 0x20) >= 'a' && (c | 0x20) <= 'z') {
      while (i < s.size() && (s[i] | 0x20) >= 'a' && (s[i] | 0x20) <= 'z') ++i;
      tokens.push_back({Token::Word, s.substr(start, i - start)});
    } else if (c == ' ' || c == '\t') {
      while (i < s.size() && (s[i] == ' ' || s[i] == '\t')) ++i;
      tokens.push_back({Token::Blank, s.substr(start, i - start)});
    } else {
      Token::Kind kind;
      switch (c) {
        case ':': kind = Token::Colon; break;
        case '/': kind = Token::Slash; break;
        case '-': kind = Token::Dash; break;
        case ',': kind = Token::Comma; break;
        case '.': kind = Token::Dot; break;
        default: return false;
      }
      tokens.push_back({kind, s.substr(i++, 1)});
    }
  }
  return true;
}

// 1..12 for a month's name or its first three letters ("Sept" too), else 0.
int MonthOfWord(std::string_view word) {
  for (int m = 0; m < 12; ++m) {
    std::string_view name = kMonthNames[static_cast<std::size_t>(m)];
    if (TextEquals(word, name) || TextEquals(word, name.substr(0, 3))) return m + 1;
  }
  return TextEquals(word, "Sept") ? 9 : 0;
}

// Finds and removes the time in the tokens: h:mm[:ss] with an optional
// AM/PM (A/P) after it, or h AM/PM. Answers false for a malformed time.
bool TakeTime(std::vector<Token>& tokens, bool& found, int& secondOfDay) {
  found = false;
  for (std::size_t i = 0; i < tokens.size(); ++i) {
    if (tokens[i].kind != Token::Number) continue;
    std::size_t end = i + 1;
    int parts[3] = {tokens[i].value, 0, 0};
    int count = 1;
    while (count < 3 && end + 1 < tokens.size() && tokens[end].kind == Token::Colon &&
           tokens[end + 1].kind == Token::Number) {
      parts[count++] = tokens[end + 1].value;
      end += 2;
    }
    if (end < tokens.size() && tokens[end].kind == Token::Colon) return false;
    // AM/PM, possibly after a blank.
    int meridiem = 0;  // 1 AM, 2 PM
    std::size_t at = end < tokens.size() && tokens[end].kind == Token::Blank ? end + 1 : end;
    if (at < tokens.size() && tokens[at].kind == Token::Word) {
      const std::string_view w = tokens[at].text;
      if (TextEquals(w, "AM") || TextEquals(w, "A")) meridiem = 1;
      if (TextEquals(w, "PM") || TextEquals(w, "P")) meridiem = 2;
      if (meridiem != 0) end = at + 1;
    }
    if (count == 1 && meridiem == 0) continue;  // a plain number belongs to the date
    int hour = parts[0];
    if (meridiem != 0) {
      if (hour > 12) return false;
      if (hour == 12) hour = 0;
      if (meridiem == 2) hour += 12;
    }
    if (hour > 23 || parts[1] > 59 || parts[2] > 59) return false;
    secondOfDay = hour * 3600 + parts[1] * 60 + parts[2];
    found = true;
    tokens.erase(tokens.begin() + static_cast<std::ptrdiff_t>(i), tokens.begin() + static_cast<std::ptrdiff_t>(end));
    return true;
  }
  return true;
}

}  // namespace

std::optional<Date> ParseDate(std::string_view text) {
  std::vector<Token> tokens;
  if (!Tokenize(text, tokens)) return std::nullopt;
  bool hasTime = false;
  int secondOfDay = 0;
  if (!TakeTime(tokens, hasTime, secondOfDay)) return std::nullopt;

  // What is left is the date: numbers and a month name, one separator
  // between two of them (blanks aside), a "T" between an ISO date and its
  // time.
  std::vector<const Token*> parts;
  int separators = 0;  // non-blank separators since the last part
  for (const Token& t : tokens) {
    if (t.kind == Token::Blank) continue;
    if (t.kind == Token::Word && hasTime && TextEquals(t.text, "T") && !parts.empty()) continue;
    if (t.kind == Token::Number || t.kind == Token::Word) {
      parts.push_back(&t);
      separators = 0;
    } else if (t.kind == Token::Slash || t.kind == Token::Dash || t.kind == Token::Comma || t.kind == Token::Dot) {
      if (parts.empty() || ++separators > 1) return std::nullopt;
    } else {
      return std::nullopt;
    }
  }
  if (separators != 0) return std::nullopt;  // a separator at the end

  if (parts.empty()) {
    if (!hasTime) return std::nullopt;
    return Date{SerialOf(0, secondOfDay)};
  }
  if (parts.size() != 3) return std::nullopt;
  int year, month, day;
  const Token* yearToken;
  auto isNumber = [&](int i) { return parts[static_cast<std::size_t>(i)]->kind == Token::Number; };
  auto value = [&](int i) { return parts[static_cast<std::size_t>(i)]->value; };
  if (isNumber(0) && isNumber(1) && isNumber(2)) {
    if (parts[0]->text.size() >= 3) {  // yyyy-MM-dd
      year = value(0), month = value(1), day = value(2);
      yearToken = parts[0];
    } else {  // M/d/yyyy
      month = value(0), day = value(1), year = value(2);
      yearToken = parts[2];
    }
  } else if (!isNumber(0) && isNumber(1) && isNumber(2)) {  // January 5, 2020
    month = MonthOfWord(parts[0]->text), day = value(1), year = value(2);
    yearToken = parts[2];
  } else if (isNumber(0) && !isNumber(1) && isNumber(2)) {  // 5-Jan-2020
    day = value(0), month = MonthOfWord(parts[1]->text), year = value(2);
    yearToken = parts[2];
  } else {
    return std::nullopt;
  }
  if (yearToken->text.size() <= 2) year = WindowYear(year);
  if (year < 100 || year > 9999 || month < 1 || month > 12 || day < 1 || day > DaysInMonth(year, month)) {
    return std::nullopt;
  }
  return Date{SerialOf(DayNumber(year, month, day), secondOfDay)};
}

}  // namespace detail

// --- The classic date functions.

Date DateSerial(int year, int month, int day) {
  if (year >= 0 && year < 100) year = detail::WindowYear(year);
  // Months and days may run over: month 13 is January of the next year,
  // day 0 the last day of the month before.
  const int monthIndex = month - 1;
  const int yearCarry = monthIndex >= 0 ? monthIndex / 12 : -((11 - monthIndex) / 12);
  const std::int64_t y = static_cast<std::int64_t>(year) + yearCarry;
  const int m = monthIndex - yearCarry * 12 + 1;
  const double serial = static_cast<double>(detail::DayNumber(y, m, 1) + day - 1);
  if (!detail::InDateRange(serial)) Raise(err::InvalidProcedureCall);
  return Date{serial};
}

Date TimeSerial(int hour, int minute, int second) {
  const long total = static_cast<long>(hour) * 3600 + static_cast<long>(minute) * 60 + second;
  return Date{static_cast<double>(total) / 86400.0};
}

int Year(Date d) { return detail::SplitDate(d.serial).year; }
int Month(Date d) { return detail::SplitDate(d.serial).month; }
int Day(Date d) { return detail::SplitDate(d.serial).day; }
int Hour(Date d) { return detail::SplitDate(d.serial).hour; }
int Minute(Date d) { return detail::SplitDate(d.serial).minute; }
int Second(Date d) { return detail::SplitDate(d.serial).second; }

int Weekday(Date d) {
  // Day 0, 1899-12-30, was a Saturday.
  const std::int64_t n = detail::SplitDate(d.serial).dayNumber;
  return static_cast<int>(((n % 7) + 7 + 6) % 7) + 1;
}

std::string ToIsoText(Date d) {
  const detail::DateParts p = detail::SplitDate(d.serial);
  char buf[40];
  const int length = std::snprintf(buf, sizeof buf, "%04d-%02d-%02d %02d:%02d:%02d", p.year, p.month, p.day,
                                   p.hour, p.minute, p.second);
  return std::string(buf, static_cast<std::size_t>(length));
}

std::optional<Date> FromIsoText(std::string_view text) {
  // YYYY-MM-DD, optionally followed by " HH:MM:SS" (or "T"), optionally
  // with a fraction of the second.
  auto number = [&](std::size_t at, std::size_t length, int& out) {
    if (at + length > text.size()) return false;
    out = 0;
    for (std::size_t i = at; i < at + length; ++i) {
      if (text[i] < '0' || text[i] > '9') return false;
      out = out * 10 + (text[i] - '0');
    }
    return true;
  };
  int y, mo, d, h = 0, mi = 0, s = 0;
  if (!number(0, 4, y) || text.size() < 10 || text[4] != '-' || !number(5, 2, mo) || text[7] != '-' ||
      !number(8, 2, d)) {
    return std::nullopt;
  }
  int millis = 0;
  if (text.size() > 10) {
    if ((text[10] != ' ' && text[10] != 'T') || text.size() < 19 || !number(11, 2, h) || text[13] != ':' ||
        !number(14, 2, mi) || text[16] != ':' || !number(17, 2, s)) {
      return std::nullopt;
    }
    if (text.size() > 19) {
      if (text[19] != '.' || text.size() == 20) return std::nullopt;
      for (std::size_t i = 20; i < text.size(); ++i) {
        if (text[i] < '0' || text[i] > '9') return std::nullopt;
      }
      int digits = 0;
      number(20, std::min<std::size_t>(3, text.size() - 20), digits);
      for (std::size_t i = text.size() - 20; i < 3; ++i) digits *= 10;
      millis = digits;
    }
  }
  if (y < 100 || mo < 1 || mo > 12 || d < 1 || d > detail::DaysInMonth(y, mo) || h > 23 || mi > 59 || s > 59) {
    return std::nullopt;
  }
  const int second = h * 3600 + mi * 60 + s + (millis >= 500 ? 1 : 0);
  const std::int64_t day = detail::DayNumber(y, mo, d);
  if (second >= 86400) return Date{static_cast<double>(day + 1)};
  return Date{detail::SerialOf(day, second)};
}

}  // namespace vb
