// Numbers read from and written to text with fixed US rules.

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>
#include <limits>

#include "vb/Internal.h"
#include "vb/VbError.h"

namespace vb {
namespace detail {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

void SetWhole(DecimalDigits& n, std::int64_t value) {
  n.negative = value < 0;
  std::uint64_t mag = value < 0 ? 0 - static_cast<std::uint64_t>(value) : static_cast<std::uint64_t>(value);
  n.digits = mag == 0 ? std::string() : std::to_string(mag);
  n.exponent = 0;
  StripTrailingZeros(n);
}

// "&H" hexadecimal and "&O" octal whole numbers: up to 16 bits they are an
// Integer (&HFFFF is -1), up to 32 bits a Long.
bool ScanBased(std::string_view text, std::size_t& i, bool negative, DecimalDigits& out) {
  const char kind = static_cast<char>(text[i + 1] & ~0x20);
  const unsigned base = kind == 'H' ? 16 : (kind == 'O' ? 8 : 0);
  if (base == 0) return false;
  i += 2;
  std::uint64_t value = 0;
  std::size_t count = 0;
  for (; i < text.size(); ++i, ++count) {
    char c = text[i];
    unsigned digit;
    if (IsDigit(c)) {
      digit = static_cast<unsigned>(c - '0');
    } else if (base == 16 && ((c | 0x20) >= 'a' && (c | 0x20) <= 'f')) {
      digit = static_cast<unsigned>((c | 0x20) - 'a' + 10);
    } else {
      break;
    }
    if (digit >= base) return false;
    value = value * base + digit;
    if (value > 0xFFFFFFFFULL) return false;
  }
  if (count == 0) return false;
  std::int64_t whole = value <= 0xFFFF ? static_cast<std::int16_t>(static_cast<std::uint16_t>(value))
                                       : static_cast<std::int32_t>(static_cast<std::uint32_t>(value));
  SetWhole(out, negative ? -whole : whole);
  return true;
}

}  // namespace

void StripTrailingZeros(DecimalDigits& n) {
  while (!n.digits.empty() && n.digits.back() == '0') {
    n.digits.pop_back();
    ++n.exponent;
  }
  if (n.digits.empty()) {
    n.exponent = 0;
    n.negative = false;
  }
}

bool ScanNumber(std::string_view text, DecimalDigits& out) {
  const std::size_t n = text.size();
  std::size_t i = 0;
  auto skipBlanks = [&] {
    while (i < n && IsBlank(text[i])) ++i;
  };
  skipBlanks();
  bool negative = false, paren = false, signed_ = false;
  if (i < n && text[i] == '(') {
    paren = negative = true;
    ++i;
    skipBlanks();
  }
  auto takeSign = [&] {
    if (!paren && !signed_ && i < n && (text[i] == '+' || text[i] == '-')) {
      negative = text[i] == '-';
      signed_ = true;
      ++i;
      skipBlanks();
    }
  };
  takeSign();
  if (i < n && text[i] == '$') {
    ++i;
    skipBlanks();
    takeSign();
  }

  DecimalDigits result;
  if (i + 1 < n && text[i] == '&') {
    if (!ScanBased(text, i, negative, result)) return false;
  } else {
    result.negative = negative;
    bool anyDigit = false;
    for (; i < n; ++i) {
      char c = text[i];
      if (IsDigit(c)) {
        anyDigit = true;
        if (!result.digits.empty() || c != '0') result.digits.push_back(c);
      } else if (c == ',' && anyDigit) {
        continue;  // grouping
      } else {
        break;
      }
    }
    if (i < n && text[i] == '.') {
      for (++i; i < n && IsDigit(text[i]); ++i) {
        anyDigit = true;
        if (!result.digits.empty() || text[i] != '0') result.digits.push_back(text[i]);
        --result.exponent;
      }
    }
    if (!anyDigit) return false;
    if (i < n && ((text[i] | 0x20) == 'e' || (text[i] | 0x20) == 'd')) {
      std::size_t j = i + 1;
      bool expNegative = false;
      if (j < n && (text[j] == '+' || text[j] == '-')) expNegative = text[j++] == '-';
      if (j >= n || !IsDigit(text[j])) return false;
      long e = 0;
      for (; j < n && IsDigit(text[j]); ++j) {
        if (e < 1'000'000) e = e * 10 + (text[j] - '0');
      }
      result.exponent += expNegative ? -e : e;
      i = j;
    }
    StripTrailingZeros(result);
  }
  skipBlanks();
  if (paren) {
    if (i >= n || text[i] != ')') return false;
    ++i;
    skipBlanks();
  }
  if (i != n) return false;
  out = std::move(result);
  return true;
}

double ToDouble(const DecimalDigits& n) {
  if (n.digits.empty()) return 0.0;
  const long size = static_cast<long>(n.digits.size()) + n.exponent;  // value < 10^size
  if (size > 310) Raise(err::Overflow);
  if (size < -330) return 0.0;
  std::string text = n.digits;
  text += 'e';
  text += std::to_string(n.exponent);
  double value = 0;
  auto [ptr, ec] = std::from_chars(text.data(), text.data() + text.size(), value,
                                   std::chars_format::scientific);
  if (ec == std::errc::result_out_of_range) {
    if (size > 0) Raise(err::Overflow);
    value = 0.0;
  }
  return n.negative ? -value : value;
}

std::optional<double> ParseDouble(std::string_view text) {
  // Plain digits, the commonest text by far, are read directly: up to 15
  // of them are exact in a double, as the scan would give.
  if (!text.empty() && text.size() <= 15 &&
      std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; })) {
    std::int64_t whole = 0;
    for (char c : text) whole = whole * 10 + (c - '0');
    return static_cast<double>(whole);
  }
  DecimalDigits n;
  if (!ScanNumber(text, n)) return std::nullopt;
  return ToDouble(n);
}

DecimalDigits DigitsOfDouble(double value) {
  DecimalDigits n;
  if (value == 0 || !std::isfinite(value)) return n;
  n.negative = value < 0;
  char buf[40];
  // "d.ddddddddddddddde+XX": 15 significant digits.
  auto result = std::to_chars(buf, buf + sizeof buf, std::fabs(value), std::chars_format::scientific, 14);
  const char* e = static_cast<const char*>(std::memchr(buf, 'e', static_cast<std::size_t>(result.ptr - buf)));
  n.digits.push_back(buf[0]);
  n.digits.append(buf + 2, static_cast<std::size_t>(e - (buf + 2)));
  int exponent = 0;
  const char* expStart = e + 1;
  if (*expStart == '+') ++expStart;
  std::from_chars(expStart, result.ptr, exponent);
  n.exponent = exponent - 14;
  StripTrailingZeros(n);
  return n;
}

std::size_t WriteDouble(double value, char* buf) {
  if (value == 0) {  // also -0
    buf[0] = '0';
    return 1;
  }
  auto result = std::to_chars(buf, buf + 32, value, std::chars_format::general, 15);
  std::size_t length = static_cast<std::size_t>(result.ptr - buf);
  for (std::size_t i = 0; i < length; ++i) {
    if (buf[i] == 'e') buf[i] = 'E';
  }
  return length;
}

std::string DoubleText(double value) {
  char buf[32];
  return std::string(buf, WriteDouble(value, buf));
}

std::string CurrencyText(Currency value) {
  const bool negative = value.scaled < 0;
  const std::uint64_t mag = negative ? 0 - static_cast<std::uint64_t>(value.scaled)
                                     : static_cast<std::uint64_t>(value.scaled);
  char buf[32];
  char* p = buf;
  if (negative) *p++ = '-';
  p = std::to_chars(p, buf + sizeof buf, mag / 10000).ptr;
  unsigned fraction = static_cast<unsigned>(mag % 10000);
  if (fraction != 0) {
    *p++ = '.';
    for (unsigned unit = 1000; fraction != 0; unit /= 10) {
      *p++ = static_cast<char>('0' + fraction / unit);
      fraction %= unit;
    }
  }
  return std::string(buf, p);
}

double RoundHalfEven(double value) {
  const double floor = std::floor(value);
  const double diff = value - floor;
  if (diff > 0.5) return floor + 1;
  if (diff < 0.5) return floor;
  return std::fmod(floor, 2.0) == 0 ? floor : floor + 1;
}

std::int64_t RoundToRange(double value, std::int64_t min, std::int64_t max) {
  const double r = RoundHalfEven(value);
  if (!(r >= static_cast<double>(min) && r <= static_cast<double>(max))) Raise(err::Overflow);
  return static_cast<std::int64_t>(r);
}

Decimal DecimalFromCurrency(Currency value) {
  const bool negative = value.scaled < 0;
  const std::uint64_t mag = negative ? 0 - static_cast<std::uint64_t>(value.scaled)
                                     : static_cast<std::uint64_t>(value.scaled);
  return Decimal::FromParts(mag, 4, negative);
}

Currency CurrencyFromDecimal(const Decimal& value) {
  const Decimal rounded = value.RoundHalfEven(4);
  unsigned __int128 mag = rounded.Magnitude();
  for (int s = rounded.Scale(); s < 4; ++s) mag *= 10;
  const unsigned __int128 limit =
      static_cast<unsigned __int128>(std::numeric_limits<std::int64_t>::max()) + (rounded.IsNegative() ? 1 : 0);
  if (mag > limit) Raise(err::Overflow);
  const auto bits = static_cast<std::uint64_t>(mag);
  return Currency{rounded.IsNegative() ? static_cast<std::int64_t>(0 - bits) : static_cast<std::int64_t>(bits)};
}

}  // namespace detail

Currency Currency::FromDouble(double value) {
  const double x = detail::RoundHalfEven(value * 10000.0);
  // The range of a 64-bit integer: [-2^63, 2^63).
  if (!(x >= -9223372036854775808.0 && x < 9223372036854775808.0)) Raise(err::Overflow);
  return Currency{static_cast<std::int64_t>(x)};
}

}  // namespace vb
