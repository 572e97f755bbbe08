// Variant values: their types, the classic arithmetic and comparison.

#include "vb/Variant.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "vb/Conversions.h"
#include "vb/Internal.h"

namespace vb {

Variant Variant::FromInt64(std::int64_t value) {
  if (value >= INT32_MIN && value <= INT32_MAX) return Variant(static_cast<int>(value));
  return Variant(static_cast<double>(value));
}

VarType Variant::Type() const {
  static constexpr VarType kTypes[] = {VarType::Empty,   VarType::Null,     VarType::Boolean, VarType::Integer,
                                       VarType::Long,    VarType::Double,   VarType::Currency, VarType::Decimal,
                                       VarType::Date,    VarType::String,   VarType::Object};
  static_assert(std::size(kTypes) == std::variant_size_v<Storage>);
  return kTypes[v_.index()];
}

bool Variant::IsNumeric() const {
  switch (Type()) {
    case VarType::Boolean:
    case VarType::Integer:
    case VarType::Long:
    case VarType::Double:
    case VarType::Currency:
    case VarType::Decimal: return true;
    default: return false;
  }
}

namespace {

// An operand of arithmetic, taken to the type it counts as. The ranks are
// ordered: the result of an operation takes the higher rank of the two.
enum class Rank { Integer, Long, Currency, Double, Decimal };

struct Operand {
  Rank rank = Rank::Integer;
  bool date = false;
  std::int64_t whole = 0;  // Integer, Long
  Currency currency;
  double real = 0;         // Double, Date
  Decimal decimal;
};

Operand OperandOf(const Variant& v) {
  Operand op;
  switch (v.Type()) {
    case VarType::Empty: break;
    case VarType::Boolean: op.whole = v.AsBool() ? -1 : 0; break;
    case VarType::Integer: op.whole = v.AsInteger(); break;
    case VarType::Long:
      op.rank = Rank::Long;
      op.whole = v.AsLong();
      break;
    case VarType::Double:
      op.rank = Rank::Double;
      op.real = v.AsDouble();
      break;
    case VarType::Date:
      op.rank = Rank::Double;
      op.date = true;
      op.real = v.AsDate().serial;
      break;
    case VarType::Currency:
      op.rank = Rank::Currency;
      op.currency = v.AsCurrency();
      break;
    case VarType::Decimal:
      op.rank = Rank::Decimal;
      op.decimal = v.AsDecimal();
      break;
    case VarType::String: {
      std::optional<double> number = detail::ParseDouble(v.AsString());
      if (!number) Raise(err::TypeMismatch);
      op.rank = Rank::Double;
      op.real = *number;
      break;
    }
    case VarType::Null: Raise(err::InvalidUseOfNull);
    default: Raise(err::TypeMismatch);
  }
  return op;
}

double RealOf(const Operand& op) {
  switch (op.rank) {
    case Rank::Integer:
    case Rank::Long: return static_cast<double>(op.whole);
    case Rank::Currency: return op.currency.ToDouble();
    case Rank::Double: return op.real;
    case Rank::Decimal: return op.decimal.ToDouble();
  }
  return 0;
}

Currency CurrencyOf(const Operand& op) {
  switch (op.rank) {
    case Rank::Integer:
    case Rank::Long: return Currency{op.whole * 10000};
    case Rank::Currency: return op.currency;
    case Rank::Double: return Currency::FromDouble(op.real);
    case Rank::Decimal: return detail::CurrencyFromDecimal(op.decimal);
  }
  return {};
}

Decimal DecimalOf(const Operand& op) {
  switch (op.rank) {
    case Rank::Integer:
    case Rank::Long: return Decimal(op.whole);
    case Rank::Currency: return detail::DecimalFromCurrency(op.currency);
    case Rank::Double: return Decimal::FromDouble(op.real);
    case Rank::Decimal: return op.decimal;
  }
  return {};
}

// A whole-number result: Integer when both operands were Integer and it
// fits, else Long when it fits, else Double (the classic widening).
Variant WholeResult(std::int64_t value, Rank rank) {
  if (rank == Rank::Integer && value >= INT16_MIN && value <= INT16_MAX) {
    return Variant(static_cast<std::int16_t>(value));
  }
  return Variant::FromInt64(value);
}

Variant RealResult(double value) {
  if (!std::isfinite(value)) Raise(err::Overflow);
  return Variant(value);
}

Variant DateResult(double serial) {
  detail::CheckDateRange(serial);
  return Variant(Date{serial});
}

// Currency * Currency: the product of the scaled values has eight places;
// round it half to even back to four.
Currency MultiplyCurrency(Currency a, Currency b) {
  const __int128 product = static_cast<__int128>(a.scaled) * b.scaled;
  __int128 q = product / 10000;
  const __int128 r = product % 10000;
  const __int128 twice = (r < 0 ? -r : r) * 2;
  if (twice > 10000 || (twice == 10000 && (q & 1) != 0)) q += product < 0 ? -1 : 1;
  if (q > std::numeric_limits<std::int64_t>::max() || q < std::numeric_limits<std::int64_t>::min()) {
    Raise(err::Overflow);
  }
  return Currency{static_cast<std::int64_t>(q)};
}

bool EitherIsNull(const Variant& a, const Variant& b) { return a.IsNull() || b.IsNull(); }

Variant AddOrSubtract(const Variant& a, const Variant& b, bool subtract) {
  if (EitherIsNull(a, b)) return Null;
  if (!subtract) {
    // + joins texts; Empty next to a text counts as "".
    if (a.IsString() && (b.IsString() || b.IsEmpty())) return Variant(a.AsString() + (b.IsString() ? b.AsString() : ""));
    if (a.IsEmpty() && b.IsString()) return b;
  }
  const Operand x = OperandOf(a), y = OperandOf(b);
  // Date + number and Date - number stay dates; Date - Date is a number of days.
  if (subtract ? x.date != y.date : x.date || y.date) {
    const double rx = RealOf(x), ry = RealOf(y);
    return DateResult(subtract ? rx - ry : rx + ry);
  }
  const Rank rank = std::max(x.rank, y.rank);
  switch (rank) {
    case Rank::Integer:
    case Rank::Long: return WholeResult(subtract ? x.whole - y.whole : x.whole + y.whole, rank);
    case Rank::Currency: {
      std::int64_t result;
      const std::int64_t cx = CurrencyOf(x).scaled, cy = CurrencyOf(y).scaled;
      if (subtract ? __builtin_sub_overflow(cx, cy, &result) : __builtin_add_overflow(cx, cy, &result)) {
        Raise(err::Overflow);
      }
      return Variant(Currency{result});
    }
    case Rank::Double: return RealResult(subtract ? RealOf(x) - RealOf(y) : RealOf(x) + RealOf(y));
    case Rank::Decimal: return Variant(subtract ? DecimalOf(x) - DecimalOf(y) : DecimalOf(x) + DecimalOf(y));
  }
  return {};
}

Variant WholeDivision(const Variant& a, const Variant& b, bool remainder) {
  if (EitherIsNull(a, b)) return Null;
  // Both operands are rounded to Longs, half to even, as CLng rounds them.
  const Operand x = OperandOf(a), y = OperandOf(b);
  const std::int64_t dividend = CLng(a), divisor = CLng(b);
  if (divisor == 0) Raise(err::DivisionByZero);
  const std::int64_t result = remainder ? dividend % divisor : dividend / divisor;
  const Rank rank = std::max(x.rank, y.rank) == Rank::Integer ? Rank::Integer : Rank::Long;
  if (result > INT32_MAX) Raise(err::Overflow);  // only -2147483648 \ -1
  return WholeResult(result, rank);
}

}  // namespace

Variant operator+(const Variant& a, const Variant& b) { return AddOrSubtract(a, b, false); }

Variant operator-(const Variant& a, const Variant& b) { return AddOrSubtract(a, b, true); }

Variant operator*(const Variant& a, const Variant& b) {
  if (EitherIsNull(a, b)) return Null;
  const Operand x = OperandOf(a), y = OperandOf(b);
  const Rank rank = std::max(x.rank, y.rank);
  switch (rank) {
    case Rank::Integer:
    case Rank::Long: return WholeResult(x.whole * y.whole, rank);
    case Rank::Currency: return Variant(MultiplyCurrency(CurrencyOf(x), CurrencyOf(y)));
    case Rank::Double: return RealResult(RealOf(x) * RealOf(y));
    case Rank::Decimal: return Variant(DecimalOf(x) * DecimalOf(y));
  }
  return {};
}

Variant operator/(const Variant& a, const Variant& b) {
  if (EitherIsNull(a, b)) return Null;
  const Operand x = OperandOf(a), y = OperandOf(b);
  if (x.rank == Rank::Decimal || y.rank == Rank::Decimal) {
    const Decimal dx = DecimalOf(x), dy = DecimalOf(y);
    if (dy.IsZero()) Raise(dx.IsZero() ? err::Overflow : err::DivisionByZero);
    return Variant(dx / dy);
  }
  const double rx = RealOf(x), ry = RealOf(y);
  if (ry == 0) Raise(rx == 0 ? err::Overflow : err::DivisionByZero);
  return RealResult(rx / ry);
}

Variant Variant::operator-() const {
  switch (Type()) {
    case VarType::Null: return Null;
    case VarType::Empty: return Variant(std::int16_t{0});
    case VarType::Boolean: return Variant(static_cast<std::int16_t>(AsBool() ? 1 : 0));
    case VarType::Integer: return WholeResult(-static_cast<std::int64_t>(AsInteger()), Rank::Integer);
    case VarType::Long: return WholeResult(-static_cast<std::int64_t>(AsLong()), Rank::Long);
    case VarType::Double: return Variant(-AsDouble());
    case VarType::Date: return DateResult(-AsDate().serial);
    case VarType::Currency:
      if (AsCurrency().scaled == std::numeric_limits<std::int64_t>::min()) Raise(err::Overflow);
      return Variant(Currency{-AsCurrency().scaled});
    case VarType::Decimal: return Variant(-AsDecimal());
    case VarType::String: return Variant(-OperandOf(*this).real);
    default: Raise(err::TypeMismatch);
  }
}

Variant IntDiv(const Variant& a, const Variant& b) { return WholeDivision(a, b, false); }

Variant Mod(const Variant& a, const Variant& b) { return WholeDivision(a, b, true); }

Variant Pow(const Variant& a, const Variant& b) {
  if (EitherIsNull(a, b)) return Null;
  const double base = RealOf(OperandOf(a)), exponent = RealOf(OperandOf(b));
  if (base == 0 && exponent < 0) Raise(err::InvalidProcedureCall);
  const double result = std::pow(base, exponent);
  if (std::isnan(result)) Raise(err::InvalidProcedureCall);  // a negative base with a fractional exponent
  return RealResult(result);
}

Variant Concat(const Variant& a, const Variant& b) {
  if (a.IsNull() && b.IsNull()) return Null;
  return Variant(TextOf(a) + TextOf(b));
}

// --- Comparison.

namespace {

int Sign(int c) { return c < 0 ? -1 : (c > 0 ? 1 : 0); }

template <typename T>
int Order(const T& x, const T& y) {
  return x < y ? -1 : (y < x ? 1 : 0);
}

// Decimal against a double: exact within the decimal range, by size beyond it.
int CompareDecimalOperands(const Operand& x, const Operand& y) {
  constexpr double kDecimalLimit = 7.9228162514264337593543950335e28;
  for (const Operand* op : {&x, &y}) {
    if (op->rank == Rank::Double && !(std::fabs(op->real) < kDecimalLimit)) {
      return Order(RealOf(x), RealOf(y));
    }
  }
  const Decimal dx = DecimalOf(x), dy = DecimalOf(y);
  return Order(dx, dy);
}

int CompareNumbers(const Operand& x, const Operand& y) {
  const Rank rank = std::max(x.rank, y.rank);
  switch (rank) {
    case Rank::Integer:
    case Rank::Long: return Order(x.whole, y.whole);
    case Rank::Currency: return Order(CurrencyOf(x).scaled, CurrencyOf(y).scaled);
    case Rank::Double: return Order(RealOf(x), RealOf(y));
    case Rank::Decimal: return CompareDecimalOperands(x, y);
  }
  return 0;
}

int CompareTexts(const std::string& a, const std::string& b, CompareMethod method) {
  if (method == CompareMethod::Text) return Sign(detail::CompareIgnoringCase(a, b));
  return Sign(a.compare(b));
}

bool IsNumberLike(const Variant& v) { return v.IsNumeric() || v.Type() == VarType::Date; }

}  // namespace

std::optional<int> Compare(const Variant& a, const Variant& b, CompareMethod method) {
  if (a.IsNull() || b.IsNull()) return std::nullopt;
  if (a.Type() == VarType::Object || b.Type() == VarType::Object) Raise(err::TypeMismatch);
  static const std::string kEmptyText;
  if (a.IsString() || b.IsString()) {
    if (a.IsString() && b.IsString()) return CompareTexts(a.AsString(), b.AsString(), method);
    // Empty next to a text is ""; a number is below any text.
    if (a.IsEmpty()) return CompareTexts(kEmptyText, b.AsString(), method);
    if (b.IsEmpty()) return CompareTexts(a.AsString(), kEmptyText, method);
    return IsNumberLike(a) ? -1 : 1;
  }
  return CompareNumbers(OperandOf(a), OperandOf(b));
}

bool Equal(const Variant& a, const Variant& b, CompareMethod method) {
  const std::optional<int> order = Compare(a, b, method);
  return order && *order == 0;
}

}  // namespace vb
