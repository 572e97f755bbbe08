#pragma once
// Exact decimal numbers: a 96-bit magnitude, a sign and a scale of 0 to 28
// decimal places, with the classic range (about +/-7.9E+28) and rounding.

#include <compare>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace vb {

class Decimal {
 public:
  static constexpr int MaxScale = 28;

  constexpr Decimal() = default;
  Decimal(std::int64_t value);  // NOLINT(google-explicit-constructor): whole numbers are exact

  // Nearest decimal with at most 15 significant digits, as the classic
  // conversion from a double does (0.1 becomes exactly 0.1).
  static Decimal FromDouble(double value);
  // Parses "-123.45", "1E+3", "1,234.5"; nullopt when the text is no number.
  // Raises error 6 (overflow) when the number is outside the range.
  static std::optional<Decimal> Parse(std::string_view text);
  // A raw value: magnitude (below 2^96), scale 0..28, sign.
  static Decimal FromParts(unsigned __int128 magnitude, int scale, bool negative);

  double ToDouble() const;
  // Rounds to a whole number half to even and raises error 6 when it does
  // not fit.
  std::int64_t ToInt64() const;
  // Plain digits, a "-" for negatives, "." before the fraction, no exponent,
  // no trailing zeros in the fraction ("1500", "-0.25").
  std::string ToString() const;

  bool IsZero() const { return magnitude_ == 0; }
  bool IsNegative() const { return negative_ && magnitude_ != 0; }
  int Scale() const { return scale_; }
  unsigned __int128 Magnitude() const { return magnitude_; }

  Decimal operator-() const;
  // Arithmetic keeps all the digits that fit in 96 bits and rounds the rest
  // half to even; a result outside the range raises error 6, a division by
  // zero error 11.
  friend Decimal operator+(const Decimal& a, const Decimal& b);
  friend Decimal operator-(const Decimal& a, const Decimal& b);
  friend Decimal operator*(const Decimal& a, const Decimal& b);
  friend Decimal operator/(const Decimal& a, const Decimal& b);

  friend std::strong_ordering operator<=>(const Decimal& a, const Decimal& b);
  friend bool operator==(const Decimal& a, const Decimal& b) { return (a <=> b) == 0; }

  // Rounding to a number of decimal places.
  Decimal RoundHalfEven(int places) const;
  Decimal RoundHalfAwayFromZero(int places) const;
  // Removes the fraction toward zero (Fix) or toward minus infinity (Int).
  Decimal Fix() const;
  Decimal Int() const;

 private:
  unsigned __int128 magnitude_ = 0;  // below 2^96
  std::uint8_t scale_ = 0;
  bool negative_ = false;
};

}  // namespace vb
