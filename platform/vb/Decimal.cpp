#include "vb/Decimal.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "vb/Internal.h"
#include "vb/VbError.h"

namespace vb {
namespace {

using u128 = unsigned __int128;

// An unsigned 256-bit integer for intermediate results (products of two
// magnitudes, magnitudes aligned to a common scale).
struct Wide {
  std::uint64_t w[4] = {0, 0, 0, 0};  // least significant first
};

Wide WideOf(u128 v) {
  Wide x;
  x.w[0] = static_cast<std::uint64_t>(v);
  x.w[1] = static_cast<std::uint64_t>(v >> 64);
  return x;
}

bool Fits96(const Wide& x) { return x.w[3] == 0 && x.w[2] == 0 && (x.w[1] >> 32) == 0; }

u128 Low128(const Wide& x) { return (static_cast<u128>(x.w[1]) << 64) | x.w[0]; }

void MulSmall(Wide& x, std::uint64_t m) {
  u128 carry = 0;
  for (auto& limb : x.w) {
    u128 p = static_cast<u128>(limb) * m + carry;
    limb = static_cast<std::uint64_t>(p);
    carry = p >> 64;
  }
}

void AddSmall(Wide& x, std::uint64_t a) {
  for (auto& limb : x.w) {
    limb += a;
    if (limb >= a) return;
    a = 1;
  }
}

// Divides in place; answers the remainder.
std::uint64_t DivSmall(Wide& x, std::uint64_t d) {
  u128 rem = 0;
  for (int i = 3; i >= 0; --i) {
    u128 cur = (rem << 64) | x.w[i];
    x.w[i] = static_cast<std::uint64_t>(cur / d);
    rem = cur % d;
  }
  return static_cast<std::uint64_t>(rem);
}

void Add(Wide& x, const Wide& y) {
  std::uint64_t carry = 0;
  for (int i = 0; i < 4; ++i) {
    u128 s = static_cast<u128>(x.w[i]) + y.w[i] + carry;
    x.w[i] = static_cast<std::uint64_t>(s);
    carry = static_cast<std::uint64_t>(s >> 64);
  }
}

// x -= y, with x >= y.
void Sub(Wide& x, const Wide& y) {
  std::uint64_t borrow = 0;
  for (int i = 0; i < 4; ++i) {
    std::uint64_t yi = y.w[i] + borrow;
    borrow = (yi < borrow || x.w[i] < yi) ? 1 : 0;
    x.w[i] -= yi;
  }
}

int Cmp(const Wide& x, const Wide& y) {
  for (int i = 3; i >= 0; --i) {
    if (x.w[i] != y.w[i]) return x.w[i] < y.w[i] ? -1 : 1;
  }
  return 0;
}

Wide Mul(u128 a, u128 b) {
  const std::uint64_t a0 = static_cast<std::uint64_t>(a), a1 = static_cast<std::uint64_t>(a >> 64);
  const std::uint64_t b0 = static_cast<std::uint64_t>(b), b1 = static_cast<std::uint64_t>(b >> 64);
  Wide r;
  auto addAt = [&r](int at, u128 v) {
    Wide part;
    part.w[at] = static_cast<std::uint64_t>(v);
    if (at + 1 < 4) part.w[at + 1] = static_cast<std::uint64_t>(v >> 64);
    Add(r, part);
  };
  addAt(0, static_cast<u128>(a0) * b0);
  addAt(1, static_cast<u128>(a0) * b1);
  addAt(1, static_cast<u128>(a1) * b0);
  addAt(2, static_cast<u128>(a1) * b1);
  return r;
}

void MulPow10(Wide& x, int n) {
  for (; n >= 19; n -= 19) MulSmall(x, 10'000'000'000'000'000'000ULL);
  std::uint64_t p = 1;
  while (n-- > 0) p *= 10;
  MulSmall(x, p);
}

// Brings an exact intermediate result into range: drops decimal places
// while the magnitude needs more than 96 bits or the scale exceeds 28,
// rounding half to even. `sticky` tells that non-zero digits were already
// dropped below the magnitude. Error 6 when even the whole number does not
// fit.
Decimal Normalize(Wide mag, int scale, bool negative, bool sticky) {
  int last = 0;  // the most recently dropped digit
  bool dropped = false;
  for (;;) {
    bool mustDrop = scale > Decimal::MaxScale || !Fits96(mag);
    if (!mustDrop) {
      if (!dropped) break;
      bool up = last > 5 || (last == 5 && (sticky || (mag.w[0] & 1) != 0));
      if (!up) break;
      Wide rounded = mag;
      AddSmall(rounded, 1);
      if (Fits96(rounded)) {
        mag = rounded;
        break;
      }
      // Rounding up carried past 96 bits: drop one more digit instead.
    }
    if (scale == 0) Raise(err::Overflow);
    sticky = sticky || last != 0;
    last = static_cast<int>(DivSmall(mag, 10));
    --scale;
    dropped = true;
  }
  return Decimal::FromParts(Low128(mag), scale, negative);
}

// The magnitudes of a and b at the larger of their scales.
int Align(const Decimal& a, const Decimal& b, Wide& x, Wide& y) {
  int scale = std::max(a.Scale(), b.Scale());
  x = WideOf(a.Magnitude());
  y = WideOf(b.Magnitude());
  MulPow10(x, scale - a.Scale());
  MulPow10(y, scale - b.Scale());
  return scale;
}

Decimal AddSigned(const Decimal& a, const Decimal& b, bool bNegative) {
  Wide x, y;
  int scale = Align(a, b, x, y);
  bool aNegative = a.IsNegative();
  if (aNegative == bNegative) {
    Add(x, y);
    return Normalize(x, scale, aNegative, false);
  }
  if (Cmp(x, y) >= 0) {
    Sub(x, y);
    return Normalize(x, scale, aNegative, false);
  }
  Sub(y, x);
  return Normalize(y, scale, bNegative, false);
}

std::string MagnitudeDigits(u128 m) {
  char buf[40];
  char* p = buf + sizeof buf;
  do {
    *--p = static_cast<char>('0' + static_cast<int>(m % 10));
    m /= 10;
  } while (m != 0);
  return std::string(p, buf + sizeof buf);
}

}  // namespace

Decimal::Decimal(std::int64_t value)
    : magnitude_(value < 0 ? static_cast<u128>(0 - static_cast<std::uint64_t>(value))
                           : static_cast<u128>(value)),
      negative_(value < 0) {}

Decimal Decimal::FromParts(unsigned __int128 magnitude, int scale, bool negative) {
  if (scale < 0 || scale > MaxScale || (magnitude >> 96) != 0) Raise(err::InvalidProcedureCall);
  Decimal d;
  d.magnitude_ = magnitude;
  d.scale_ = static_cast<std::uint8_t>(scale);
  d.negative_ = negative && magnitude != 0;
  return d;
}

Decimal Decimal::FromDouble(double value) {
  if (!std::isfinite(value)) Raise(err::Overflow);
  return detail::DecimalFromDigits(detail::DigitsOfDouble(value));
}

std::optional<Decimal> Decimal::Parse(std::string_view text) {
  detail::DecimalDigits n;
  if (!detail::ScanNumber(text, n)) return std::nullopt;
  return detail::DecimalFromDigits(n);
}

double Decimal::ToDouble() const {
  std::string text = ToString();
  double value = 0;
  std::from_chars(text.data(), text.data() + text.size(), value);
  return value;
}

std::int64_t Decimal::ToInt64() const {
  u128 m = RoundHalfEven(0).magnitude_;
  const u128 limit = static_cast<u128>(INT64_MAX) + (IsNegative() ? 1 : 0);
  if (m > limit) Raise(err::Overflow);
  return IsNegative() ? static_cast<std::int64_t>(0 - static_cast<std::uint64_t>(m))
                      : static_cast<std::int64_t>(m);
}

std::string Decimal::ToString() const {
  std::string digits = MagnitudeDigits(magnitude_);
  if (scale_ > 0) {
    if (digits.size() <= scale_) digits.insert(0, scale_ + 1 - digits.size(), '0');
    digits.insert(digits.size() - scale_, 1, '.');
    while (digits.back() == '0') digits.pop_back();
    if (digits.back() == '.') digits.pop_back();
  }
  if (IsNegative()) digits.insert(0, 1, '-');
  return digits;
}

Decimal Decimal::operator-() const {
  Decimal d = *this;
  d.negative_ = !negative_ && magnitude_ != 0;
  return d;
}

Decimal operator+(const Decimal& a, const Decimal& b) { return AddSigned(a, b, b.IsNegative()); }

Decimal operator-(const Decimal& a, const Decimal& b) {
  return AddSigned(a, b, !b.IsNegative() && !b.IsZero());
}

Decimal operator*(const Decimal& a, const Decimal& b) {
  return Normalize(Mul(a.magnitude_, b.magnitude_), a.scale_ + b.scale_,
                   a.IsNegative() != b.IsNegative(), false);
}

Decimal operator/(const Decimal& a, const Decimal& b) {
  if (b.IsZero()) Raise(err::DivisionByZero);
  const u128 divisor = b.magnitude_;
  Wide q = WideOf(a.magnitude_ / divisor);
  u128 rem = a.magnitude_ % divisor;
  int scale = a.scale_ - b.scale_;
  // Long division, one decimal digit at a time, until the quotient is exact
  // or holds more digits than a decimal can keep (the rest then only
  // decides the rounding).
  while (scale < 0 || (rem != 0 && scale <= Decimal::MaxScale && Fits96(q))) {
    rem *= 10;
    MulSmall(q, 10);
    AddSmall(q, static_cast<std::uint64_t>(rem / divisor));
    rem %= divisor;
    ++scale;
  }
  return Normalize(q, scale, a.IsNegative() != b.IsNegative(), rem != 0);
}

std::strong_ordering operator<=>(const Decimal& a, const Decimal& b) {
  bool an = a.IsNegative(), bn = b.IsNegative();
  if (an != bn) return an ? std::strong_ordering::less : std::strong_ordering::greater;
  Wide x, y;
  Align(a, b, x, y);
  int c = Cmp(x, y);
  if (an) c = -c;
  return c < 0 ? std::strong_ordering::less
               : (c > 0 ? std::strong_ordering::greater : std::strong_ordering::equal);
}

namespace {

enum class Rounding { HalfEven, HalfAwayFromZero, TowardZero, Floor };

Decimal RoundTo(const Decimal& d, int places, Rounding rounding) {
  if (places < 0) Raise(err::InvalidProcedureCall);
  if (d.Scale() <= places) return d;
  Wide m = WideOf(d.Magnitude());
  int last = 0;
  bool sticky = false;
  for (int s = d.Scale(); s > places; --s) {
    sticky = sticky || last != 0;
    last = static_cast<int>(DivSmall(m, 10));
  }
  bool up = false;
  switch (rounding) {
    case Rounding::HalfEven: up = last > 5 || (last == 5 && (sticky || (m.w[0] & 1) != 0)); break;
    case Rounding::HalfAwayFromZero: up = last >= 5; break;
    case Rounding::TowardZero: up = false; break;
    case Rounding::Floor: up = d.IsNegative() && (last != 0 || sticky); break;
  }
  if (up) AddSmall(m, 1);
  return Decimal::FromParts(Low128(m), places, d.IsNegative());
}

}  // namespace

Decimal Decimal::RoundHalfEven(int places) const { return RoundTo(*this, places, Rounding::HalfEven); }

Decimal Decimal::RoundHalfAwayFromZero(int places) const {
  return RoundTo(*this, places, Rounding::HalfAwayFromZero);
}

Decimal Decimal::Fix() const { return RoundTo(*this, 0, Rounding::TowardZero); }

Decimal Decimal::Int() const { return RoundTo(*this, 0, Rounding::Floor); }

namespace detail {

Decimal DecimalFromDigits(const DecimalDigits& n) {
  if (n.digits.empty()) return Decimal();
  std::string_view digits = n.digits;
  long exponent = n.exponent;
  const long wholeDigits = static_cast<long>(digits.size()) + exponent;
  // The largest decimal, 79228162514264337593543950335, has 29 digits; a
  // value below half of 1E-28 rounds to zero.
  if (wholeDigits > 29) Raise(err::Overflow);
  if (wholeDigits < -Decimal::MaxScale) return Decimal();
  // Digits beyond the 40th cannot survive, only tip the rounding.
  bool sticky = false;
  if (digits.size() > 40) {
    sticky = true;  // the digits carry no trailing zeros
    exponent += static_cast<long>(digits.size() - 40);
    digits = digits.substr(0, 40);
  }
  Wide m;
  for (char c : digits) {
    MulSmall(m, 10);
    AddSmall(m, static_cast<std::uint64_t>(c - '0'));
  }
  if (exponent >= 0) {
    MulPow10(m, static_cast<int>(exponent));
    if (!Fits96(m)) Raise(err::Overflow);
    return Decimal::FromParts(Low128(m), 0, n.negative);
  }
  return Normalize(m, static_cast<int>(-exponent), n.negative, sticky);
}

DecimalDigits DigitsOfDecimal(const Decimal& value) {
  DecimalDigits n;
  n.negative = value.IsNegative();
  if (value.IsZero()) return n;
  n.digits = MagnitudeDigits(value.Magnitude());
  n.exponent = -value.Scale();
  StripTrailingZeros(n);
  return n;
}

}  // namespace detail
}  // namespace vb
