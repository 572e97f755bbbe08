#pragma once
// The classic variant value: Empty, Null, Boolean, Integer, Long, Double,
// Currency, Decimal, Date, String and object references, with the classic
// arithmetic and comparison rules. Texts are UTF-8.

#include <compare>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

#include "vb/Decimal.h"
#include "vb/VbError.h"

namespace vb {

// Type codes as the classic VarType function answers them.
enum class VarType : int {
  Empty = 0,
  Null = 1,
  Integer = 2,   // 16-bit
  Long = 3,      // 32-bit
  Double = 5,
  Currency = 6,  // 64-bit, four decimal places
  Date = 7,      // days since 1899-12-30, time as the fraction
  String = 8,
  Object = 9,
  Boolean = 11,
  Decimal = 14,
};

// A fixed-point amount with four decimal places (the value times 10000).
struct Currency {
  std::int64_t scaled = 0;
  static Currency FromDouble(double value);  // rounds half to even; error 6 when out of range
  double ToDouble() const { return static_cast<double>(scaled) / 10000.0; }
  friend auto operator<=>(const Currency&, const Currency&) = default;
};

// A date and time: days since 1899-12-30, the time of day as the fraction.
struct Date {
  double serial = 0;
  friend auto operator<=>(const Date&, const Date&) = default;
};

// Base of every object that a variant can refer to (components, lists).
class Object {
 public:
  virtual ~Object() = default;
};

struct NullValue {
  friend bool operator==(NullValue, NullValue) { return true; }
};

class Variant {
 public:
  Variant() = default;  // Empty
  Variant(NullValue) : v_(NullValue{}) {}
  Variant(bool b) : v_(b) {}
  Variant(std::int16_t i) : v_(i) {}
  Variant(int l) : v_(static_cast<std::int32_t>(l)) {}
  Variant(double d) : v_(d) {}
  Variant(Currency c) : v_(c) {}
  Variant(const Decimal& d) : v_(d) {}
  Variant(Date d) : v_(d) {}
  Variant(const char* s) : v_(std::string(s)) {}
  Variant(std::string s) : v_(std::move(s)) {}
  Variant(std::string_view s) : v_(std::string(s)) {}
  Variant(std::shared_ptr<Object> o) : v_(std::move(o)) {}

  // A whole number: Long when it fits in 32 bits, else Double.
  static Variant FromInt64(std::int64_t value);

  VarType Type() const;
  bool IsEmpty() const { return v_.index() == 0; }
  bool IsNull() const { return v_.index() == 1; }
  bool IsNumeric() const;  // Boolean, Integer, Long, Double, Currency, Decimal (not Date, not text)
  bool IsString() const { return std::holds_alternative<std::string>(v_); }

  // Direct access without conversion; the caller knows the type.
  bool AsBool() const { return std::get<bool>(v_); }
  std::int16_t AsInteger() const { return std::get<std::int16_t>(v_); }
  std::int32_t AsLong() const { return std::get<std::int32_t>(v_); }
  double AsDouble() const { return std::get<double>(v_); }
  Currency AsCurrency() const { return std::get<Currency>(v_); }
  const Decimal& AsDecimal() const { return std::get<Decimal>(v_); }
  Date AsDate() const { return std::get<Date>(v_); }
  const std::string& AsString() const { return std::get<std::string>(v_); }
  const std::shared_ptr<Object>& AsObject() const { return std::get<std::shared_ptr<Object>>(v_); }

  // Classic arithmetic. Null in either operand gives Null; Empty counts as
  // 0; a numeric text takes part as its number (a text that is no number is
  // error 13). + of two texts joins them. The result takes the wider of the
  // operand types; an Integer or Long result that overflows widens to the
  // next type, as the classic runtime does for variants.
  friend Variant operator+(const Variant& a, const Variant& b);
  friend Variant operator-(const Variant& a, const Variant& b);
  friend Variant operator*(const Variant& a, const Variant& b);
  friend Variant operator/(const Variant& a, const Variant& b);  // Double (Decimal for Decimal operands); x/0 is error 11
  Variant operator-() const;

  // Exact comparison for containers and tests: same type and same value.
  // Use vb::Compare or vb::Equal for the classic comparison rules.
  bool Identical(const Variant& other) const { return v_ == other.v_; }

 private:
  using Storage = std::variant<std::monostate, NullValue, bool, std::int16_t, std::int32_t, double,
                               Currency, Decimal, Date, std::string, std::shared_ptr<Object>>;
  Storage v_;
};

inline const Variant Null{NullValue{}};

// Integer division, Mod and ^ with the classic rules (operands rounded to
// whole numbers for \ and Mod; Null propagates).
Variant IntDiv(const Variant& a, const Variant& b);
Variant Mod(const Variant& a, const Variant& b);
Variant Pow(const Variant& a, const Variant& b);
// The & operator: both sides as text, Null as the empty text; Null only when
// both are Null.
Variant Concat(const Variant& a, const Variant& b);

// The classic comparison: numbers by value, texts by character codes
// (binary) or ignoring case (text compare), a number below a text, Empty as
// 0 or "". Answers nullopt when either side is Null.
enum class CompareMethod { Binary, Text };
std::optional<int> Compare(const Variant& a, const Variant& b, CompareMethod method = CompareMethod::Binary);
// a = b with Null giving false (as a condition that is Null is not taken).
bool Equal(const Variant& a, const Variant& b, CompareMethod method = CompareMethod::Binary);

}  // namespace vb
