#include "numbox/NumValue.h"

#include "numbox/NumServices.h"

#include <charconv>
#include <cmath>
#include <cstring>
#include <limits>
#include <string>

namespace numbox {

namespace {

// A decimal number: ±digits × 10^exponent, digits without leading zeros
// (empty for zero).
struct Decimal {
  bool negative = false;
  std::string digits;
  int exponent = 0;
};

bool IsBlank(QChar c) { return c == ' ' || c == '\t' || c == QChar(0xA0); }

bool TakeText(const QString& text, qsizetype& i, const QString& piece) {
  if (piece.isEmpty() || !QStringView(text).mid(i).startsWith(piece)) return false;
  i += piece.size();
  return true;
}

// Reads a number written in `style`; nullopt when the text is no number.
std::optional<Decimal> Scan(const QString& text, const NumberStyle& style) {
  const qsizetype n = text.size();
  qsizetype i = 0;
  auto skipBlanks = [&] {
    while (i < n && IsBlank(text[i])) ++i;
  };
  Decimal d;
  bool paren = false, signed_ = false;
  auto takeSign = [&] {
    if (!paren && !signed_ && i < n && (text[i] == '+' || text[i] == '-')) {
      d.negative = text[i] == '-';
      signed_ = true;
      ++i;
      skipBlanks();
    }
  };
  skipBlanks();
  if (i < n && text[i] == '(') {
    paren = d.negative = true;
    ++i;
    skipBlanks();
  }
  takeSign();
  if (TakeText(text, i, style.currency)) {
    skipBlanks();
    takeSign();
  }
  bool anyDigit = false;
  auto takeDigit = [&](QChar c) {
    anyDigit = true;
    if (!d.digits.empty() || c != '0') d.digits.push_back(static_cast<char>(c.unicode()));
  };
  while (i < n) {
    if (IsDigit(text[i])) {
      takeDigit(text[i++]);
    } else if (anyDigit && style.thousand != style.decimal && TakeText(text, i, style.thousand)) {
      continue;
    } else {
      break;
    }
  }
  if (TakeText(text, i, style.decimal)) {
    for (; i < n && IsDigit(text[i]); ++i) {
      takeDigit(text[i]);
      --d.exponent;
    }
  }
  if (!anyDigit) return std::nullopt;
  if (i < n && (text[i] == 'e' || text[i] == 'E' || text[i] == 'd' || text[i] == 'D')) {
    qsizetype j = i + 1;
    bool expNegative = false;
    if (j < n && (text[j] == '+' || text[j] == '-')) expNegative = text[j++] == '-';
    if (j >= n || !IsDigit(text[j])) return std::nullopt;
    long e = 0;
    for (; j < n && IsDigit(text[j]); ++j) {
      if (e < 100000) e = e * 10 + (text[j].unicode() - '0');
    }
    d.exponent += static_cast<int>(expNegative ? -e : e);
    i = j;
  }
  skipBlanks();
  if (TakeText(text, i, style.currency)) skipBlanks();
  takeSign();
  if (paren) {
    if (i >= n || text[i] != ')') return std::nullopt;
    ++i;
    skipBlanks();
  }
  if (i != n) return std::nullopt;
  while (!d.digits.empty() && d.digits.back() == '0') {
    d.digits.pop_back();
    ++d.exponent;
  }
  if (d.digits.empty()) d = Decimal{};
  return d;
}

// The number times 10^scale, rounded half to even, when it fits in 64 bits.
std::optional<qint64> Scaled(const Decimal& d, int scale) {
  if (d.digits.empty()) return 0;
  const int shift = d.exponent + scale;
  const int len = static_cast<int>(d.digits.size());
  const int whole = len + shift;  // digits left of the point
  if (whole > 19) return std::nullopt;
  unsigned __int128 mag = 0;
  for (int k = 0; k < whole; ++k) mag = mag * 10 + (k < len ? static_cast<unsigned>(d.digits[k] - '0') : 0u);
  if (shift < 0) {
    const int first = std::max(whole, 0);
    if (first < len) {
      const char lead = whole >= 0 ? d.digits[first] : '0';
      bool restNonZero = false;
      for (int k = first + 1; k < len; ++k) restNonZero = restNonZero || d.digits[k] != '0';
      if (whole < 0) restNonZero = true;  // digits lie further right
      const bool odd = (mag & 1) != 0;
      if (lead > '5' || (lead == '5' && (restNonZero || odd))) ++mag;
    }
  }
  const unsigned __int128 limit =
      static_cast<unsigned __int128>(std::numeric_limits<qint64>::max()) + (d.negative ? 1 : 0);
  if (mag > limit) return std::nullopt;
  const auto bits = static_cast<quint64>(mag);
  return d.negative ? static_cast<qint64>(0 - bits) : static_cast<qint64>(bits);
}

std::optional<double> DoubleOf(const Decimal& d) {
  if (d.digits.empty()) return 0.0;
  const std::string text = d.digits + "e" + std::to_string(d.exponent);
  double value = 0;
  auto [ptr, ec] = std::from_chars(text.data(), text.data() + text.size(), value, std::chars_format::scientific);
  if (ec == std::errc::result_out_of_range) {
    if (static_cast<int>(d.digits.size()) + d.exponent > 0) return std::nullopt;
    value = 0;
  }
  return d.negative ? -value : value;
}

std::optional<qint64> RoundHalfEven(double value, double min, double max) {
  const double r = std::nearbyint(value);
  if (!(r >= min && r <= max)) return std::nullopt;
  return static_cast<qint64>(r);
}

QString ApplyDecimal(std::string text, const NumberStyle& style) {
  QString out = QString::fromStdString(text);
  const qsizetype point = out.indexOf('.');
  if (point >= 0) out.replace(point, 1, style.decimal);
  return out;
}

QString CurrencyText(qint64 scaled, const NumberStyle& style) {
  const bool negative = scaled < 0;
  const quint64 mag = negative ? 0 - static_cast<quint64>(scaled) : static_cast<quint64>(scaled);
  std::string text = (negative ? "-" : "") + std::to_string(mag / 10000);
  unsigned fraction = static_cast<unsigned>(mag % 10000);
  if (fraction != 0) {
    text += '.';
    for (unsigned unit = 1000; fraction != 0; unit /= 10) {
      text += static_cast<char>('0' + fraction / unit);
      fraction %= unit;
    }
  }
  return ApplyDecimal(text, style);
}

// A floating value with up to `digits` significant digits, "E" before an
// exponent; zero (also −0) is "0".
template <class T>
QString FloatingText(T value, int digits, const NumberStyle& style) {
  if (value == 0) return "0";
  char buf[32];
  auto r = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::general, digits);
  std::string text(buf, r.ptr);
  for (char& c : text) c = c == 'e' ? 'E' : c;
  return ApplyDecimal(text, style);
}

// A numeric value as an exact decimal, or its double for the floating kinds.
std::optional<Decimal> DecimalOfNumber(const QVariant& value) {
  switch (KindOf(value)) {
    case Kind::Integer:
    case Kind::Long:
      return Scan(QString::number(value.toLongLong()), FixedStyle());
    case Kind::Currency:
      return Scan(CurrencyText(value.value<Currency>().scaled, FixedStyle()), FixedStyle());
    case Kind::Single:
    case Kind::Double:
      return Scan(DoubleText(value.toDouble(), FixedStyle()), FixedStyle());
    default:
      return std::nullopt;
  }
}

std::optional<QVariant> FromDecimal(const Decimal& d, Kind kind) {
  switch (kind) {
    case Kind::Integer: {
      auto v = Scaled(d, 0);
      if (!v || *v < -32768 || *v > 32767) return std::nullopt;
      return QVariant::fromValue(static_cast<short>(*v));
    }
    case Kind::Long: {
      auto v = Scaled(d, 0);
      if (!v || *v < std::numeric_limits<qint32>::min() || *v > std::numeric_limits<qint32>::max()) {
        return std::nullopt;
      }
      return QVariant::fromValue(static_cast<qint32>(*v));
    }
    case Kind::Currency: {
      auto v = Scaled(d, 4);
      if (!v) return std::nullopt;
      return MakeCurrency(*v);
    }
    case Kind::Double: {
      auto v = DoubleOf(d);
      if (!v) return std::nullopt;
      return QVariant::fromValue(*v);
    }
    case Kind::Single: {
      auto v = DoubleOf(d);
      if (!v || std::fabs(*v) > std::numeric_limits<float>::max()) return std::nullopt;
      return QVariant::fromValue(static_cast<float>(*v));
    }
    default:
      return std::nullopt;
  }
}

}  // namespace

void DropLeadingZeros(QString& text) {
  qsizetype zeros = 0;
  while (zeros < text.size() - 1 && text[zeros] == '0') ++zeros;
  text.remove(0, zeros);
}

QVariant NullValue() { return QVariant::fromValue(nullptr); }

Kind KindOf(const QVariant& value) {
  if (!value.isValid()) return Kind::Empty;
  switch (value.typeId()) {
    case QMetaType::Nullptr:
      return Kind::Null;
    case QMetaType::Short:
      return Kind::Integer;
    case QMetaType::Int:
      return Kind::Long;
    case QMetaType::Float:
      return Kind::Single;
    case QMetaType::Double:
      return Kind::Double;
    case QMetaType::QString:
      return Kind::String;
    default:
      return value.typeId() == qMetaTypeId<Currency>() ? Kind::Currency : Kind::Other;
  }
}

bool IsNumericKind(Kind kind) {
  return kind == Kind::Integer || kind == Kind::Long || kind == Kind::Single || kind == Kind::Double ||
         kind == Kind::Currency;
}

QVariant MakeCurrency(qint64 scaled) { return QVariant::fromValue(Currency{scaled}); }

namespace {

// The kind of each DataType setting, by its number.
constexpr Kind kDataTypeKinds[] = {Kind::String, Kind::Integer, Kind::Long, Kind::Single, Kind::Double, Kind::Currency};
constexpr int kDataTypeCount = static_cast<int>(std::size(kDataTypeKinds));

}  // namespace

Kind KindOfDataType(int dataType) {
  return dataType >= 0 && dataType < kDataTypeCount ? kDataTypeKinds[dataType] : Kind::Null;
}

int DataTypeOfKind(Kind kind) {
  for (int dataType = 0; dataType < kDataTypeCount; ++dataType) {
    if (kDataTypeKinds[dataType] == kind) return dataType;
  }
  return -1;
}

NumberStyle FixedStyle() { return NumberStyle{}; }

NumberStyle UserStyle() {
  const LocaleInfo& locale = Locale();
  return NumberStyle{locale.Item(LocaleItem::Decimal), locale.Item(LocaleItem::Thousand),
                     locale.Item(LocaleItem::CurrencySymbol)};
}

std::optional<QVariant> Convert(const QVariant& value, Kind kind, const NumberStyle& style) {
  const Kind from = KindOf(value);
  if (kind == Kind::Null) return NullValue();
  if (from == Kind::Null || from == Kind::Other || kind == Kind::Other || kind == Kind::Empty) return std::nullopt;
  if (from == kind) return value;
  if (kind == Kind::String) {
    switch (from) {
      case Kind::Empty: return QVariant(QString());
      case Kind::Integer:
      case Kind::Long: return QVariant(QString::number(value.toLongLong()));
      case Kind::Single: return QVariant(FloatingText(value.toFloat(), 7, style));
      case Kind::Double: return QVariant(DoubleText(value.toDouble(), style));
      case Kind::Currency: return QVariant(CurrencyText(value.value<Currency>().scaled, style));
      default: return std::nullopt;
    }
  }
  if (from == Kind::Empty) return FromDecimal(Decimal{}, kind);
  if (from == Kind::String) {
    auto d = Scan(value.toString(), style);
    if (!d) return std::nullopt;
    return FromDecimal(*d, kind);
  }
  if (from == Kind::Single || from == Kind::Double) {
    const double x = value.toDouble();
    if (!std::isfinite(x)) return std::nullopt;
    switch (kind) {
      case Kind::Integer: {
        auto v = RoundHalfEven(x, -32768, 32767);
        return v ? std::optional<QVariant>(QVariant::fromValue(static_cast<short>(*v))) : std::nullopt;
      }
      case Kind::Long: {
        auto v = RoundHalfEven(x, -2147483648.0, 2147483647.0);
        return v ? std::optional<QVariant>(QVariant::fromValue(static_cast<qint32>(*v))) : std::nullopt;
      }
      case Kind::Currency: {
        auto v = RoundHalfEven(x * 10000.0, -9223372036854775808.0, 9223372036854774784.0);
        return v ? std::optional<QVariant>(MakeCurrency(*v)) : std::nullopt;
      }
      case Kind::Single:
        if (std::fabs(x) > std::numeric_limits<float>::max()) return std::nullopt;
        return QVariant::fromValue(static_cast<float>(x));
      case Kind::Double:
        return QVariant::fromValue(x);
      default:
        return std::nullopt;
    }
  }
  auto d = DecimalOfNumber(value);
  if (!d) return std::nullopt;
  return FromDecimal(*d, kind);
}

std::optional<double> ToDouble(const QVariant& value, const NumberStyle& style) {
  auto converted = Convert(value, Kind::Double, style);
  if (!converted) return std::nullopt;
  return converted->toDouble();
}

QString DoubleText(double value, const NumberStyle& style) { return FloatingText(value, 15, style); }

SignificantDigits SignificantDigitsOf(double value) {
  // d.ddddddddddddddde±x
  char buf[40];
  auto r = std::to_chars(buf, buf + sizeof buf, std::fabs(value), std::chars_format::scientific, 14);
  const char* e = static_cast<const char*>(std::memchr(buf, 'e', static_cast<std::size_t>(r.ptr - buf)));
  SignificantDigits out;
  out.digits.assign(1, buf[0]);
  out.digits.append(buf + 2, static_cast<std::size_t>(e - (buf + 2)));
  const char* expStart = e + 1;
  if (*expStart == '+') ++expStart;
  std::from_chars(expStart, r.ptr, out.exponent);
  return out;
}

void TruncateToDecimals(double& value, int places) {
  if (places < -6 || places > 6 || value == 0 || !std::isfinite(value)) return;
  const auto [digits, exponent] = SignificantDigitsOf(value);
  const int keep = exponent + 1 + places;  // digits left of the cut
  const int len = static_cast<int>(digits.size());
  if (keep >= len) return;
  bool cutNonZero = false;
  for (int k = std::max(keep, 0); k < len; ++k) cutNonZero = cutNonZero || digits[k] != '0';
  if (!cutNonZero) return;
  const bool negative = value < 0;
  std::string kept = keep > 0 ? digits.substr(0, static_cast<std::size_t>(keep)) : std::string("0");
  if (negative) {  // toward minus infinity: one unit more in magnitude
    int k = static_cast<int>(kept.size()) - 1;
    while (k >= 0 && kept[k] == '9') kept[k--] = '0';
    if (k >= 0) {
      ++kept[k];
    } else {
      kept.insert(kept.begin(), '1');
    }
  }
  const std::string text = kept + "e" + std::to_string(-places);
  double cut = 0;
  std::from_chars(text.data(), text.data() + text.size(), cut, std::chars_format::scientific);
  value = negative ? -cut : cut;
}

int CompareValues(const QVariant& a, const QVariant& b) {
  const Kind ka = KindOf(a), kb = KindOf(b);
  if (ka == kb && (ka == Kind::Integer || ka == Kind::Long)) {
    const qint64 x = a.toLongLong(), y = b.toLongLong();
    return x < y ? -1 : (x > y ? 1 : 0);
  }
  if (ka == kb && ka == Kind::Currency) {
    const qint64 x = a.value<Currency>().scaled, y = b.value<Currency>().scaled;
    return x < y ? -1 : (x > y ? 1 : 0);
  }
  const double x = ToDouble(a, FixedStyle()).value_or(0), y = ToDouble(b, FixedStyle()).value_or(0);
  return x < y ? -1 : (x > y ? 1 : 0);
}

bool IsBelowZero(const QVariant& value) {
  if (KindOf(value) == Kind::Single) return std::signbit(value.toFloat()) && value.toFloat() != 0;
  if (KindOf(value) == Kind::Currency) return value.value<Currency>().scaled < 0;
  return ToDouble(value, FixedStyle()).value_or(0) < 0;
}

bool IsZero(const QVariant& value) {
  if (KindOf(value) == Kind::Currency) return value.value<Currency>().scaled == 0;
  return ToDouble(value, FixedStyle()).value_or(1) == 0;
}

}  // namespace numbox
