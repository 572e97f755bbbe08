// Format: the classic named and custom formats for numbers, dates and
// texts, with US names, separators and symbols.

#include <algorithm>
#include <array>
#include <cstdio>
#include <vector>

#include "vb/Conversions.h"
#include "vb/Internal.h"

namespace vb {
namespace {

using detail::DecimalDigits;

char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 0x20) : c; }

bool StartsWithIgnoringCase(std::string_view s, std::size_t at, std::string_view prefix) {
  if (s.size() - at < prefix.size()) return false;
  for (std::size_t i = 0; i < prefix.size(); ++i) {
    if (Lower(s[at + i]) != prefix[i]) return false;
  }
  return true;
}

// Length of the UTF-8 character starting at s[at].
std::size_t CharLength(std::string_view s, std::size_t at) {
  std::size_t pos = at;
  detail::DecodeUtf8(s, pos);
  return pos - at;
}

// Splits a format at the ";" that separate its sections (not inside quotes
// or after a backslash).
std::vector<std::string_view> SplitSections(std::string_view format) {
  std::vector<std::string_view> sections;
  std::size_t start = 0;
  bool quoted = false;
  for (std::size_t i = 0; i < format.size(); ++i) {
    const char c = format[i];
    if (c == '"') {
      quoted = !quoted;
    } else if (c == '\\' && !quoted) {
      ++i;
    } else if (c == ';' && !quoted) {
      sections.push_back(format.substr(start, i - start));
      start = i + 1;
    }
  }
  sections.push_back(format.substr(start));
  return sections;
}

// --- Numbers.

DecimalDigits DigitsOfWhole(std::int64_t value) { return detail::DigitsOfDecimal(Decimal(value)); }

// The digits of a value for a number format; nullopt for a text that is no
// number.
std::optional<DecimalDigits> NumberOf(const Variant& v) {
  switch (v.Type()) {
    case VarType::Boolean: return DigitsOfWhole(v.AsBool() ? -1 : 0);
    case VarType::Integer: return DigitsOfWhole(v.AsInteger());
    case VarType::Long: return DigitsOfWhole(v.AsLong());
    case VarType::Double: return detail::DigitsOfDouble(v.AsDouble());
    case VarType::Date: return detail::DigitsOfDouble(v.AsDate().serial);
    case VarType::Currency: return detail::DigitsOfDecimal(detail::DecimalFromCurrency(v.AsCurrency()));
    case VarType::Decimal: return detail::DigitsOfDecimal(v.AsDecimal());
    case VarType::String: {
      // A number text is formatted with its own digits, but only where it
      // converts: one beyond the range of a double overflows (error 6) as
      // its conversion does, rather than being written out in full.
      DecimalDigits n;
      if (!detail::ScanNumber(v.AsString(), n)) return std::nullopt;
      detail::ToDouble(n);
      return n;
    }
    default: return std::nullopt;
  }
}

// Rounds half away from zero to `places` decimal places, as Format does.
void RoundToPlaces(DecimalDigits& n, long places) {
  if (n.digits.empty() || n.exponent >= -places) return;
  const long drop = -places - n.exponent;
  const long size = static_cast<long>(n.digits.size());
  bool up = false;
  if (drop <= size) {
    up = n.digits[static_cast<std::size_t>(size - drop)] >= '5';
    n.digits.resize(static_cast<std::size_t>(size - drop));
  } else {
    n.digits.clear();
  }
  n.exponent = -places;
  if (up) {
    std::size_t i = n.digits.size();
    while (i > 0 && n.digits[i - 1] == '9') n.digits[--i] = '0';
    if (i == 0) {
      n.digits.insert(0, 1, '1');
    } else {
      ++n.digits[i - 1];
    }
  }
  detail::StripTrailingZeros(n);
}

// Power of ten of the leading digit (the value must not be zero).
long LeadingPower(const DecimalDigits& n) { return static_cast<long>(n.digits.size()) + n.exponent - 1; }

std::string WholeDigits(const DecimalDigits& n) {
  if (n.digits.empty()) return std::string();
  const long size = static_cast<long>(n.digits.size());
  const long point = size + n.exponent;
  if (point <= 0) return std::string();
  if (point >= size) return n.digits + std::string(static_cast<std::size_t>(point - size), '0');
  return n.digits.substr(0, static_cast<std::size_t>(point));
}

std::string FractionDigits(const DecimalDigits& n, std::size_t places) {
  std::string out(places, '0');
  const long size = static_cast<long>(n.digits.size());
  for (long k = 0; k < size; ++k) {
    const long place = -(n.exponent + (size - 1 - k));  // 1 = tenths
    if (place >= 1 && place <= static_cast<long>(places)) out[static_cast<std::size_t>(place - 1)] = n.digits[static_cast<std::size_t>(k)];
  }
  return out;
}

// A literal of a format at position i: a "quoted text" or a character after
// a backslash. Answers it and moves i past it; nullopt (i unchanged) when
// there is none.
std::optional<std::string> TakeLiteral(std::string_view f, std::size_t& i) {
  if (f[i] == '"') {
    const std::size_t close = f.find('"', i + 1);
    const std::size_t end = close == std::string_view::npos ? f.size() : close;
    std::string text(f.substr(i + 1, end - i - 1));
    i = end + 1;
    return text;
  }
  if (f[i] == '\\' && i + 1 < f.size()) {
    const std::size_t length = CharLength(f, i + 1);
    std::string text(f.substr(i + 1, length));
    i += 1 + length;
    return text;
  }
  return std::nullopt;
}

struct Item {
  enum Kind { Digit, Point, Comma, Percent, Exponent, Literal } kind;
  char placeholder = 0;  // '0' or '#'
  std::string text;      // a literal; for an exponent its letter
  bool exponentPlus = false;
  std::size_t exponentDigits = 0;
};

std::vector<Item> ParseNumberSection(std::string_view s) {
  std::vector<Item> items;
  bool seenPoint = false, seenExponent = false;
  for (std::size_t i = 0; i < s.size();) {
    const char c = s[i];
    if (auto literal = TakeLiteral(s, i)) {
      items.push_back({Item::Literal, 0, std::move(*literal)});
    } else if ((c == '0' || c == '#') && !seenExponent) {
      items.push_back({Item::Digit, c, {}});
      ++i;
    } else if (c == '.' && !seenPoint && !seenExponent) {
      items.push_back({Item::Point, 0, {}});
      seenPoint = true;
      ++i;
    } else if (c == ',' && !seenExponent) {
      items.push_back({Item::Comma, 0, {}});
      ++i;
    } else if (c == '%') {
      items.push_back({Item::Percent, 0, {}});
      ++i;
    } else if ((c == 'E' || c == 'e') && !seenExponent && i + 1 < s.size() && (s[i + 1] == '+' || s[i + 1] == '-')) {
      Item exponent{Item::Exponent, 0, std::string(1, c)};
      exponent.exponentPlus = s[i + 1] == '+';
      for (i += 2; i < s.size() && (s[i] == '0' || s[i] == '#'); ++i) {
        if (s[i] == '0') ++exponent.exponentDigits;
      }
      items.push_back(std::move(exponent));
      seenExponent = true;
    } else {
      const std::size_t length = CharLength(s, i);
      items.push_back({Item::Literal, 0, std::string(s.substr(i, length))});
      i += length;
    }
  }
  return items;
}

struct Rendered {
  std::string text;
  bool nonZero = false;  // the shown value is not zero
};

// Renders a non-negative number with the items of one section.
Rendered RenderNumber(const std::vector<Item>& items, DecimalDigits n) {
  const auto findKind = [&](Item::Kind kind) {
    const auto it = std::find_if(items.begin(), items.end(), [kind](const Item& item) { return item.kind == kind; });
    return static_cast<std::size_t>(it - items.begin());
  };
  const std::size_t pointAt = findKind(Item::Point), exponentAt = findKind(Item::Exponent);
  const std::size_t wholeEnd = std::min(pointAt, exponentAt);

  std::vector<std::size_t> wholeDigitAt, fractionDigitAt;
  for (std::size_t i = 0; i < items.size(); ++i) {
    if (items[i].kind != Item::Digit) continue;
    (i < wholeEnd ? wholeDigitAt : fractionDigitAt).push_back(i);
  }

  // Commas between digit placeholders group thousands; commas right after
  // the last one divide by 1000 each; others are shown as they are.
  std::vector<bool> literalComma(items.size(), false);
  bool grouping = false;
  long scaleCommas = 0;
  for (std::size_t i = 0; i < items.size(); ++i) {
    if (items[i].kind != Item::Comma) continue;
    if (i >= wholeEnd || wholeDigitAt.empty() || i < wholeDigitAt.front()) {
      literalComma[i] = true;
    } else if (i < wholeDigitAt.back()) {
      grouping = true;
    } else {
      bool onlyCommas = true;
      for (std::size_t j = wholeDigitAt.back() + 1; j < i; ++j) onlyCommas = onlyCommas && items[j].kind == Item::Comma;
      if (onlyCommas) {
        ++scaleCommas;
      } else {
        literalComma[i] = true;
      }
    }
  }
  const long percents = std::count_if(items.begin(), items.end(), [](const Item& item) { return item.kind == Item::Percent; });
  if (!n.digits.empty()) n.exponent += 2 * percents - 3 * scaleCommas;

  const long fractionPlaces = static_cast<long>(fractionDigitAt.size());
  long shownExponent = 0;
  if (exponentAt < items.size() && !n.digits.empty()) {
    // Scientific: as many whole digits as there are whole placeholders.
    const long wholePlaces = std::max<long>(1, static_cast<long>(wholeDigitAt.size()));
    shownExponent = LeadingPower(n) - (wholePlaces - 1);
    DecimalDigits mantissa = n;
    mantissa.exponent -= shownExponent;
    RoundToPlaces(mantissa, fractionPlaces);
    if (!mantissa.digits.empty() && LeadingPower(mantissa) > wholePlaces - 1) {  // 9.99 became 10.0
      ++shownExponent;
      mantissa = n;
      mantissa.exponent -= shownExponent;
      RoundToPlaces(mantissa, fractionPlaces);
    }
    n = mantissa;
  } else {
    RoundToPlaces(n, fractionPlaces);
  }

  Rendered result;
  result.nonZero = !n.digits.empty();
  std::string whole = WholeDigits(n);
  for (std::size_t k = 0; k < wholeDigitAt.size(); ++k) {
    if (items[wholeDigitAt[k]].placeholder == '0') {
      const std::size_t minimum = wholeDigitAt.size() - k;
      if (whole.size() < minimum) whole.insert(0, minimum - whole.size(), '0');
      break;
    }
  }
  const std::string fraction = FractionDigits(n, fractionDigitAt.size());
  std::size_t shownFraction = fraction.size();  // trailing "#" show no trailing zeros
  while (shownFraction > 0 && items[fractionDigitAt[shownFraction - 1]].placeholder == '#' &&
         fraction[shownFraction - 1] == '0') {
    --shownFraction;
  }

  // The whole part fills its placeholders from the right; the leftmost one
  // takes all the digits that are left.
  std::string reversed;
  std::size_t left = whole.size();
  int emitted = 0;
  const auto emitDigit = [&](char d) {
    if (grouping && emitted > 0 && emitted % 3 == 0) reversed += ',';
    reversed += d;
    ++emitted;
  };
  for (std::size_t i = wholeEnd; i-- > 0;) {
    const Item& item = items[i];
    switch (item.kind) {
      case Item::Digit:
        if (i == wholeDigitAt.front()) {
          while (left > 0) emitDigit(whole[--left]);
        } else if (left > 0) {
          emitDigit(whole[--left]);
        }
        break;
      case Item::Comma:
        if (literalComma[i]) reversed += ',';
        break;
      case Item::Percent: reversed += '%'; break;
      case Item::Literal: reversed.append(item.text.rbegin(), item.text.rend()); break;
      default: break;
    }
  }
  std::string& out = result.text;
  out.assign(reversed.rbegin(), reversed.rend());
  if (wholeDigitAt.empty()) out += whole;  // no whole placeholders: the digits still show

  std::size_t fractionIndex = 0;
  for (std::size_t i = wholeEnd; i < items.size(); ++i) {
    const Item& item = items[i];
    switch (item.kind) {
      case Item::Point: out += '.'; break;
      case Item::Digit:
        if (fractionIndex < shownFraction) out += fraction[fractionIndex];
        ++fractionIndex;
        break;
      case Item::Comma: out += ','; break;
      case Item::Percent: out += '%'; break;
      case Item::Literal: out += item.text; break;
      case Item::Exponent: {
        out += item.text;
        if (shownExponent < 0) {
          out += '-';
        } else if (item.exponentPlus) {
          out += '+';
        }
        std::string digits = std::to_string(shownExponent < 0 ? -shownExponent : shownExponent);
        if (digits.size() < item.exponentDigits) digits.insert(0, item.exponentDigits - digits.size(), '0');
        if (digits == "0" && item.exponentDigits == 0) digits.clear();
        out += digits;
        break;
      }
    }
  }
  return result;
}

std::string FormatNumber(const Variant& v, const std::vector<std::string_view>& sections) {
  std::optional<DecimalDigits> n = NumberOf(v);
  if (!n) return TextOf(v);
  const bool negative = n->negative && !n->digits.empty();
  n->negative = false;
  if (n->digits.empty() && sections.size() >= 3 && !sections[2].empty()) {
    return RenderNumber(ParseNumberSection(sections[2]), *n).text;
  }
  if (negative && sections.size() >= 2 && !sections[1].empty()) {
    return RenderNumber(ParseNumberSection(sections[1]), *n).text;
  }
  Rendered r = RenderNumber(ParseNumberSection(sections[0]), *n);
  // A negative number that rounds to zero shows no sign.
  return negative && r.nonZero ? "-" + r.text : r.text;
}

// --- Dates.

constexpr std::array<const char*, 7> kWeekdays = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                                  "Thursday", "Friday", "Saturday"};

std::string TwoDigits(int value) {
  char buf[16];
  const int length = std::snprintf(buf, sizeof buf, "%02d", value);
  return std::string(buf, static_cast<std::size_t>(length));
}

// The date a value stands for under a date format; nullopt for a text that
// is neither a date nor a number.
std::optional<Date> DateOf(const Variant& v) {
  if (v.Type() == VarType::Date) return v.AsDate();
  if (v.IsString()) {
    if (std::optional<Date> d = detail::ParseDate(v.AsString())) return d;
    if (!IsNumeric(v)) return std::nullopt;
  }
  return CDate(v);
}

std::string RenderDate(std::string_view f, Date date);

std::string LongDate(Date d) { return RenderDate("dddd, mmmm d, yyyy", d); }

std::string RenderDate(std::string_view f, Date date) {
  const detail::DateParts p = detail::SplitDate(date.serial);
  std::string lowered(f.size(), ' ');
  std::transform(f.begin(), f.end(), lowered.begin(), Lower);
  const bool twelveHour = lowered.find("am/pm") != std::string::npos || lowered.find("a/p") != std::string::npos ||
                          lowered.find("ampm") != std::string::npos;
  const int weekday = Weekday(date);
  std::string out;
  bool afterHour = false;  // "m" right after an hour is minutes
  for (std::size_t i = 0; i < f.size();) {
    const char c = f[i];
    if (auto literal = TakeLiteral(f, i)) {
      out += *literal;
      continue;
    }
    const bool pm = p.hour >= 12;
    const bool lowerCase = c >= 'a' && c <= 'z';
    if (StartsWithIgnoringCase(f, i, "am/pm")) {
      out += lowerCase ? (pm ? "pm" : "am") : (pm ? "PM" : "AM");
      i += 5;
      continue;
    }
    if (StartsWithIgnoringCase(f, i, "a/p")) {
      out += lowerCase ? (pm ? "p" : "a") : (pm ? "P" : "A");
      i += 3;
      continue;
    }
    if (StartsWithIgnoringCase(f, i, "ampm")) {
      out += pm ? "PM" : "AM";
      i += 4;
      continue;
    }
    const char letter = Lower(c);
    std::size_t run = 1;
    while (i + run < f.size() && Lower(f[i + run]) == letter) ++run;
    bool isHour = false;
    switch (letter) {
      case 'd':
        if (run == 1) out += std::to_string(p.day);
        else if (run == 2) out += TwoDigits(p.day);
        else if (run == 3) out += std::string_view(kWeekdays[static_cast<std::size_t>(weekday - 1)]).substr(0, 3);
        else if (run == 4) out += kWeekdays[static_cast<std::size_t>(weekday - 1)];
        else if (run == 5) out += RenderDate("m/d/yyyy", date);
        else out += LongDate(date);
        break;
      case 'w':
        if (run == 1) {
          out += std::to_string(weekday);
        } else {
          // Week 1 holds January 1; weeks start on Sunday.
          const double janFirst = DateSerial(p.year, 1, 1).serial;
          const int firstWeekday = Weekday(Date{janFirst});
          const long dayOfYear = static_cast<long>(p.dayNumber - static_cast<std::int64_t>(janFirst));
          out += std::to_string((dayOfYear + firstWeekday - 1) / 7 + 1);
        }
        break;
      case 'm': {
        bool minute = run <= 2 && afterHour;
        if (run <= 2 && !minute) {  // also minutes when seconds follow
          std::size_t j = i + run;
          while (j < f.size() && !((Lower(f[j]) >= 'a' && Lower(f[j]) <= 'z'))) ++j;
          minute = j < f.size() && Lower(f[j]) == 's';
        }
        if (minute) out += run == 1 ? std::to_string(p.minute) : TwoDigits(p.minute);
        else if (run == 1) out += std::to_string(p.month);
        else if (run == 2) out += TwoDigits(p.month);
        else if (run == 3) out += std::string_view(detail::kMonthNames[static_cast<std::size_t>(p.month - 1)]).substr(0, 3);
        else out += detail::kMonthNames[static_cast<std::size_t>(p.month - 1)];
        break;
      }
      case 'n': out += run == 1 ? std::to_string(p.minute) : TwoDigits(p.minute); break;
      case 's': out += run == 1 ? std::to_string(p.second) : TwoDigits(p.second); break;
      case 'h': {
        const int hour = twelveHour ? (p.hour % 12 == 0 ? 12 : p.hour % 12) : p.hour;
        out += run == 1 ? std::to_string(hour) : TwoDigits(hour);
        isHour = true;
        break;
      }
      case 'y':
        if (run == 1) {
          out += std::to_string(p.dayNumber - static_cast<std::int64_t>(DateSerial(p.year, 1, 1).serial) + 1);
        } else if (run == 2) {
          out += TwoDigits(p.year % 100);
        } else {
          char buf[16];
          out.append(buf, static_cast<std::size_t>(std::snprintf(buf, sizeof buf, "%04d", p.year)));
        }
        break;
      case 'q':
        for (std::size_t k = 0; k < run; ++k) out += std::to_string((p.month - 1) / 3 + 1);
        break;
      case 'c':
        for (std::size_t k = 0; k < run; ++k) out += detail::DateText(date);
        break;
      case 't':
        if (run >= 5) {
          out += RenderDate("h:nn:ss AM/PM", date);
        } else {
          out.append(f.substr(i, run));
        }
        break;
      default: {
        const std::size_t length = CharLength(f, i);
        out.append(f.substr(i, length));
        i += length;
        continue;
      }
    }
    afterHour = isHour;
    i += run;
  }
  return out;
}

// --- Texts: "@" shows a character or a blank, "&" a character or nothing,
// --- ">" and "<" change the case, "!" fills from the left.

std::string RenderText(std::string_view f, std::string_view text) {
  bool upper = false, lower = false, fromLeft = false;
  std::size_t placeholders = 0;
  for (std::size_t i = 0; i < f.size(); ++i) {
    switch (f[i]) {
      case '>': upper = true; break;
      case '<': lower = true; break;
      case '!': fromLeft = true; break;
      case '@':
      case '&': ++placeholders; break;
      case '\\': ++i; break;
      case '"': i = std::min(f.find('"', i + 1), f.size()); break;
      default: break;
    }
  }
  const std::string cased = upper ? UCase(text) : (lower ? LCase(text) : std::string(text));
  std::vector<std::string_view> chars;
  for (std::size_t pos = 0; pos < cased.size();) {
    const std::size_t start = pos;
    detail::DecodeUtf8(cased, pos);
    chars.push_back(std::string_view(cased).substr(start, pos - start));
  }
  if (placeholders == 0) return cased;

  const long extra = static_cast<long>(chars.size()) - static_cast<long>(placeholders);
  std::string out;
  std::size_t k = 0;  // placeholder index
  for (std::size_t i = 0; i < f.size();) {
    const char c = f[i];
    if (auto literal = TakeLiteral(f, i)) {
      out += *literal;
    } else if (c == '@' || c == '&') {
      // Characters for this placeholder: [first, last).
      long first, last;
      if (fromLeft) {
        first = static_cast<long>(k);
        last = k + 1 == placeholders ? std::max<long>(first + 1, static_cast<long>(chars.size())) : first + 1;
      } else {
        first = k == 0 ? 0 : static_cast<long>(k) + extra;
        last = static_cast<long>(k) + extra + 1;
        if (k == 0) first = std::min(first, last - 1);
      }
      bool shown = false;
      for (long j = std::max<long>(first, 0); j < last && j < static_cast<long>(chars.size()); ++j) {
        out.append(chars[static_cast<std::size_t>(j)]);
        shown = true;
      }
      if (!shown && c == '@') out += ' ';
      ++k;
      ++i;
    } else if (c == '>' || c == '<' || c == '!') {
      ++i;
    } else {
      const std::size_t length = CharLength(f, i);
      out.append(f.substr(i, length));
      i += length;
    }
  }
  return out;
}

enum class SectionKind { Number, Date, Text };

SectionKind KindOf(std::string_view s) {
  bool date = false, text = false;
  for (std::size_t i = 0; i < s.size(); ++i) {
    const char c = s[i];
    if (c == '"') {
      i = std::min(s.find('"', i + 1), s.size());
    } else if (c == '\\') {
      ++i;
    } else if (c == '0' || c == '#') {
      return SectionKind::Number;
    } else if (c == '@' || c == '&' || c == '<' || c == '>' || c == '!') {
      text = true;
    } else if (std::string_view("dmyhnswqcDMYHNSWQC").find(c) != std::string_view::npos) {
      date = true;
    }
  }
  if (text) return SectionKind::Text;
  return date ? SectionKind::Date : SectionKind::Number;
}

std::string FormatDate(const Variant& v, std::string_view format) {
  const std::optional<Date> d = DateOf(v);
  return d ? RenderDate(format, *d) : TextOf(v);
}

// "Yes/No", "True/False", "On/Off": numbers by being non-zero.
std::string FormatTruth(const Variant& v, const char* yes, const char* no) {
  const std::optional<DecimalDigits> n = NumberOf(v);
  if (!n) return TextOf(v);
  return n->digits.empty() ? no : yes;
}

std::string FormatGeneralNumber(const Variant& v) {
  switch (v.Type()) {
    case VarType::Integer:
    case VarType::Long:
    case VarType::Double:
    case VarType::Currency:
    case VarType::Decimal: return TextOf(v);
    case VarType::String:
      if (!IsNumeric(v)) return v.AsString();
      return detail::DoubleText(CDbl(v));
    default: return detail::DoubleText(CDbl(v));
  }
}

std::string FormatCustom(const Variant& v, std::string_view format) {
  const std::vector<std::string_view> sections = SplitSections(format);
  if (v.IsNull()) {
    return sections.size() >= 4 ? RenderNumber(ParseNumberSection(sections[3]), {}).text : std::string();
  }
  switch (KindOf(sections[0])) {
    case SectionKind::Date: return FormatDate(v, sections[0]);
    case SectionKind::Text: return RenderText(sections[0], TextOf(v));
    case SectionKind::Number: break;
  }
  return FormatNumber(v, sections);
}

}  // namespace

std::string Format(const Variant& v, std::string_view format) {
  if (v.IsEmpty()) return std::string();
  if (format.empty()) return TextOf(v);
  if (v.IsNull()) return FormatCustom(v, format);

  struct Named {
    const char* name;
    const char* custom;  // nullptr: handled below
  };
  static constexpr Named kNamed[] = {
      {"Currency", "$#,##0.00;($#,##0.00)"},
      {"Fixed", "0.00"},
      {"Standard", "#,##0.00"},
      {"Percent", "0.00%"},
      {"Scientific", "0.00E+00"},
      {"Long Date", "dddd, mmmm d, yyyy"},
      {"Medium Date", "dd-mmm-yy"},
      {"Short Date", "m/d/yyyy"},
      {"Long Time", "h:nn:ss AM/PM"},
      {"Medium Time", "hh:nn AM/PM"},
      {"Short Time", "hh:nn"},
  };
  for (const Named& named : kNamed) {
    if (TextEquals(format, named.name)) return FormatCustom(v, named.custom);
  }
  if (TextEquals(format, "General Number")) return FormatGeneralNumber(v);
  if (TextEquals(format, "General Date")) {
    const std::optional<Date> d = DateOf(v);
    return d ? detail::DateText(*d) : TextOf(v);
  }
  if (TextEquals(format, "Yes/No")) return FormatTruth(v, "Yes", "No");
  if (TextEquals(format, "True/False")) return FormatTruth(v, "True", "False");
  if (TextEquals(format, "On/Off")) return FormatTruth(v, "On", "Off");
  return FormatCustom(v, format);
}

}  // namespace vb
