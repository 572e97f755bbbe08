// The classic conversion functions with fixed US rules.

#include "vb/Conversions.h"

#include <charconv>
#include <cmath>
#include <optional>

#include "vb/Internal.h"

namespace vb {
namespace {

[[noreturn]] void RaiseNotConvertible(const Variant& v) {
  Raise(v.IsNull() ? err::InvalidUseOfNull : err::TypeMismatch);
}

double NumberOfText(const std::string& text) {
  std::optional<double> value = detail::ParseDouble(text);
  if (!value) Raise(err::TypeMismatch);
  return *value;
}

std::string WholeText(std::int64_t value) {
  char buf[24];
  return std::string(buf, std::to_chars(buf, buf + sizeof buf, value).ptr);
}

// CLng and CInt: the value rounded half to even into [min, max].
std::int64_t WholeOf(const Variant& v, std::int64_t min, std::int64_t max) {
  std::int64_t value;
  switch (v.Type()) {
    case VarType::Empty: return 0;
    case VarType::Boolean: return v.AsBool() ? -1 : 0;
    case VarType::Integer: value = v.AsInteger(); break;
    case VarType::Long: value = v.AsLong(); break;
    case VarType::Currency: value = detail::DecimalFromCurrency(v.AsCurrency()).ToInt64(); break;
    case VarType::Decimal: value = v.AsDecimal().ToInt64(); break;
    default: return detail::RoundToRange(CDbl(v), min, max);
  }
  if (value < min || value > max) Raise(err::Overflow);
  return value;
}

}  // namespace

std::string TextOf(const Variant& v) {
  switch (v.Type()) {
    case VarType::Empty:
    case VarType::Null: return std::string();
    case VarType::Boolean: return v.AsBool() ? "True" : "False";
    case VarType::Integer: return WholeText(v.AsInteger());
    case VarType::Long: return WholeText(v.AsLong());
    case VarType::Double: return detail::DoubleText(v.AsDouble());
    case VarType::Currency: return detail::CurrencyText(v.AsCurrency());
    case VarType::Decimal: return v.AsDecimal().ToString();
    case VarType::Date: return detail::DateText(v.AsDate());
    case VarType::String: return v.AsString();
    default: Raise(err::TypeMismatch);
  }
}

std::string CStr(const Variant& v) {
  if (v.IsNull()) Raise(err::InvalidUseOfNull);
  return TextOf(v);
}

double CDbl(const Variant& v) {
  switch (v.Type()) {
    case VarType::Empty: return 0;
    case VarType::Boolean: return v.AsBool() ? -1 : 0;
    case VarType::Integer: return v.AsInteger();
    case VarType::Long: return v.AsLong();
    case VarType::Double: return v.AsDouble();
    case VarType::Currency: return v.AsCurrency().ToDouble();
    case VarType::Decimal: return v.AsDecimal().ToDouble();
    case VarType::Date: return v.AsDate().serial;
    case VarType::String: return NumberOfText(v.AsString());
    default: RaiseNotConvertible(v);
  }
}

std::int32_t CLng(const Variant& v) { return static_cast<std::int32_t>(WholeOf(v, INT32_MIN, INT32_MAX)); }

std::int16_t CInt(const Variant& v) { return static_cast<std::int16_t>(WholeOf(v, INT16_MIN, INT16_MAX)); }

bool CBool(const Variant& v) {
  switch (v.Type()) {
    case VarType::Boolean: return v.AsBool();
    case VarType::Currency: return v.AsCurrency().scaled != 0;
    case VarType::Decimal: return !v.AsDecimal().IsZero();
    case VarType::String: {
      const std::string text = Trim(v.AsString());
      if (TextEquals(text, "True")) return true;
      if (TextEquals(text, "False")) return false;
      return NumberOfText(text) != 0;
    }
    default: return CDbl(v) != 0;
  }
}

namespace {

// The amount of a plain text ("-1234.5": a sign, at most 14 digits, at
// most 4 decimals), read without the general number scan; none for any
// other text.
std::optional<Currency> PlainCurrency(const std::string& text) {
  std::size_t at = text.size() > 0 && text[0] == '-' ? 1 : 0;
  const auto digits = [&](std::size_t most, std::int64_t& value) {
    const std::size_t from = at;
    for (; at < text.size() && at - from < most && text[at] >= '0' && text[at] <= '9'; ++at)
      value = value * 10 + (text[at] - '0');
    return at - from;
  };
  std::int64_t whole = 0, fraction = 0;
  if (digits(14, whole) == 0) return std::nullopt;
  std::size_t decimals = 0;
  if (at < text.size() && text[at] == '.') {
    ++at;
    decimals = digits(4, fraction);
    if (decimals == 0) return std::nullopt;
  }
  if (at != text.size()) return std::nullopt;
  for (; decimals < 4; ++decimals) fraction *= 10;
  const std::int64_t scaled = whole * 10000 + fraction;
  return Currency{text[0] == '-' ? -scaled : scaled};
}

}  // namespace

Currency CCur(const Variant& v) {
  switch (v.Type()) {
    case VarType::Currency: return v.AsCurrency();
    case VarType::Decimal: return detail::CurrencyFromDecimal(v.AsDecimal());
    case VarType::String:
      if (const std::optional<Currency> plain = PlainCurrency(v.AsString())) return *plain;
      return detail::CurrencyFromDecimal(CDec(v));  // exact: "0.1" is 0.1
    default: return Currency::FromDouble(CDbl(v));
  }
}

Decimal CDec(const Variant& v) {
  switch (v.Type()) {
    case VarType::Empty: return Decimal();
    case VarType::Boolean: return Decimal(v.AsBool() ? -1 : 0);
    case VarType::Integer: return Decimal(v.AsInteger());
    case VarType::Long: return Decimal(v.AsLong());
    case VarType::Currency: return detail::DecimalFromCurrency(v.AsCurrency());
    case VarType::Decimal: return v.AsDecimal();
    case VarType::String: {
      std::optional<Decimal> value = Decimal::Parse(v.AsString());
      if (!value) Raise(err::TypeMismatch);
      return *value;
    }
    default: return Decimal::FromDouble(CDbl(v));
  }
}

Date CDate(const Variant& v) {
  switch (v.Type()) {
    case VarType::Date: return v.AsDate();
    case VarType::String: {
      std::optional<Date> date = detail::ParseDate(v.AsString());
      if (!date) Raise(err::TypeMismatch);
      return *date;
    }
    default: {
      const double serial = CDbl(v);
      detail::CheckDateRange(serial);
      return Date{serial};
    }
  }
}

double Val(std::string_view text) {
  // Blanks, tabs and line feeds count nowhere, not even between digits.
  std::string compact;
  compact.reserve(text.size());
  for (char c : text) {
    if (c != ' ' && c != '\t' && c != '\n' && c != '\r') compact.push_back(c);
  }
  std::size_t i = 0;
  const std::size_t n = compact.size();
  // "&H1F" and "&O17" take the longest run of digits of their base.
  if (n >= 2 && compact[0] == '&') {
    const char kind = static_cast<char>(compact[1] & ~0x20);
    std::size_t end = 2;
    auto isDigitOfKind = [&](char c) {
      if (kind == 'O') return c >= '0' && c <= '7';
      return (c >= '0' && c <= '9') || ((c | 0x20) >= 'a' && (c | 0x20) <= 'f');
    };
    if (kind == 'H' || kind == 'O') {
      while (end < n && isDigitOfKind(compact[end])) ++end;
      detail::DecimalDigits digits;
      if (end > 2 && detail::ScanNumber(std::string_view(compact).substr(0, end), digits)) {
        return detail::ToDouble(digits);
      }
      return 0;
    }
  }
  // The longest prefix of the form [sign]digits[.digits][E[sign]digits].
  if (i < n && (compact[i] == '+' || compact[i] == '-')) ++i;
  const std::size_t mantissaStart = i;
  while (i < n && compact[i] >= '0' && compact[i] <= '9') ++i;
  if (i < n && compact[i] == '.') {
    ++i;
    while (i < n && compact[i] >= '0' && compact[i] <= '9') ++i;
  }
  const bool anyDigit = i > mantissaStart && !(i == mantissaStart + 1 && compact[mantissaStart] == '.');
  if (!anyDigit) return 0;
  std::size_t end = i;
  if (i < n && ((compact[i] | 0x20) == 'e' || (compact[i] | 0x20) == 'd')) {
    std::size_t j = i + 1;
    if (j < n && (compact[j] == '+' || compact[j] == '-')) ++j;
    if (j < n && compact[j] >= '0' && compact[j] <= '9') {
      while (j < n && compact[j] >= '0' && compact[j] <= '9') ++j;
      end = j;
    }
  }
  detail::DecimalDigits digits;
  if (!detail::ScanNumber(std::string_view(compact).substr(0, end), digits)) return 0;
  return detail::ToDouble(digits);
}

std::string Str(const Variant& v) {
  switch (v.Type()) {
    case VarType::Null: Raise(err::InvalidUseOfNull);
    case VarType::Boolean:
    case VarType::Date: return TextOf(v);
    case VarType::String: return Str(Variant(CDbl(v)));
    case VarType::Empty: return " 0";
    default: {
      std::string text = TextOf(v);
      if (text.front() != '-') text.insert(0, 1, ' ');
      return text;
    }
  }
}

bool IsNull(const Variant& v) { return v.IsNull(); }

bool IsEmpty(const Variant& v) { return v.IsEmpty(); }

bool IsNumeric(const Variant& v) {
  if (v.IsEmpty() || v.IsNumeric()) return true;
  if (!v.IsString()) return false;
  try {
    return detail::ParseDouble(v.AsString()).has_value();
  } catch (const VbError&) {
    return false;  // a number beyond the range of doubles
  }
}

bool IsDate(const Variant& v) {
  if (v.Type() == VarType::Date) return true;
  return v.IsString() && detail::ParseDate(v.AsString()).has_value();
}

}  // namespace vb
