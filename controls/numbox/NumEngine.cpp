#include "numbox/NumEngine.h"

#include <limits>

namespace numbox {

namespace {

// a + b or a − b in the width of T, wrapping on overflow.
template <class T>
T Wrapped(T a, T b, bool up) {
  using U = std::make_unsigned_t<T>;
  return static_cast<T>(up ? static_cast<U>(static_cast<U>(a) + static_cast<U>(b))
                           : static_cast<U>(static_cast<U>(a) - static_cast<U>(b)));
}

template <class T>
std::optional<QVariant> Stepped(T x, T s, bool up, QVariant (*make)(T)) {
  const T r = Wrapped(x, s, up);
  if (up ? r < x : r > x) return std::nullopt;
  return make(r);
}

template <class T>
std::optional<QVariant> SteppedFloat(T x, T s, bool up) {
  const T r = up ? x + s : x - s;
  if (up ? r < x : r > x) return std::nullopt;
  return QVariant::fromValue(r);
}

}  // namespace

void NumEngine::Rebuild() {
  const NumMask::Layout layout = mask.Render(valueText_);
  valueText_ = layout.valueText;
  displayText_ = layout.display;
  // The cache follows every change of the value, so that the unfocused
  // display shows the number as it is now.
  ValueAsVariant();
}

void NumEngine::SetValueText(const QString& text) {
  valueText_ = text;
  Rebuild();
}

bool NumEngine::SetValueFromText(const QString& text) {
  const QString t = text.trimmed();
  QString value = t;
  if (mask.MaskDecimalChar.isEmpty()) {
    const QString separator = mask.LocaleDecimal();
    const qsizetype at = separator.isEmpty() ? -1 : value.indexOf(separator);
    if (at >= 0) value.replace(at, separator.size(), ".");
  }
  // Decimals beyond the mask's places are cut, not refused. A refused
  // text changes nothing, the value cache included.
  if (!mask.IsCandidateValid(mask.CutDecimals(value), false)) return false;
  if (!Convert(QVariant(t), EffectiveKind(), UserStyle())) return false;
  storedText_ = t;
  SetValueText(value);
  return true;
}

bool NumEngine::SetValueFromVariant(QVariant& value) {
  Kind kind = KindOf(value);
  if (kind == Kind::Null) {
    value = QVariant::fromValue<qint32>(0);
    kind = Kind::Long;
  }
  if (!(kind == Kind::Empty || IsNumericKind(kind))) return false;
  auto x = ToDouble(value, FixedStyle());
  if (!x) return false;
  TruncateToDecimals(*x, mask.DecimalPlaces());
  const QString text = DoubleText(*x, FixedStyle());
  if (!mask.IsCandidateValid(text, false)) return false;
  if (!Convert(value, EffectiveKind(), UserStyle())) return false;
  SetValueText(text);
  storedText_ = valueText_;
  return true;
}

QVariant NumEngine::ValueAsVariant() {
  cache_ = Convert(QVariant(valueText_), EffectiveKind(), FixedStyle()).value_or(QVariant());
  return cache_;
}

bool NumEngine::TextToVariant(const QString& text, bool asIs, QVariant* out) const {
  const Kind kind = EffectiveKind();
  if (kind == Kind::String) {
    *out = QVariant(text);
    return true;
  }
  QString s;
  if (asIs) {
    s = text;
  } else {
    for (QChar c : text) {
      if (!mask.IsLiteral(c)) s += c;
    }
  }
  *out = NullValue();
  if (s.isEmpty()) return true;
  if (IsNegative()) s.prepend('-');
  auto converted = Convert(QVariant(s), kind, asIs ? FixedStyle() : UserStyle());
  if (!converted) return false;
  *out = *converted;
  return true;
}

std::optional<int> NumEngine::PutChar(QChar c, int p, bool insertMode) {
  const int len = static_cast<int>(displayText_.size());
  if (!insertMode) {
    while (p < len && !IsDigit(displayText_[p])) ++p;
  }
  const int v = ValueIndexOf(p);
  const QChar put = mask.DecimalChar().contains(c) && !IsDigit(c) ? QChar('.') : c;
  QString t = valueText_;
  const int zero = IsNegative() ? 1 : 0;  // where a lone zero whole part stands
  const qsizetype point = t.indexOf('.');
  const QString whole = (point >= 0 ? t.left(point) : t).mid(zero);
  bool replace = !insertMode;
  int at = v;
  if (IsDigit(put) && !mask.MaskAllowLeadZeros && whole == "0" && (v == zero || v == zero + 1)) {
    // A digit typed at a lone zero whole part, before or right after it,
    // takes the zero's place.
    replace = true;
    at = zero;
  } else if ((v == 0 && t == "0") ||
             (!mask.MaskAllowLeadZeros && !t.left(v + 1).contains('.') && whole == "0")) {
    replace = true;
  }
  if (replace) {
    if (at >= t.size()) {
      t += put;
    } else {
      t[at] = put;
    }
  } else {
    t.insert(at, put);
    if (t.left(at).contains('.')) t = mask.CutDecimals(t);
  }
  if (!mask.IsCandidateValid(t, false)) return std::nullopt;
  SetValueText(t);
  int caret = DisplayIndexOf(at + 1);
  if (!insertMode) {
    while (caret < displayText_.size() && !IsDigit(displayText_[caret])) ++caret;
  }
  return caret;
}

std::optional<int> NumEngine::ToggleSign(int caret) {
  const bool wasNegative = IsNegative();
  if (!wasNegative && !mask.MaskAllowNegative) return std::nullopt;
  const int v = ValueIndexOf(caret);
  SetValueText(wasNegative ? valueText_.mid(1) : "-" + valueText_);
  return DisplayIndexOf(wasNegative ? std::max(v - 1, 0) : v + 1);
}

std::optional<int> NumEngine::DeleteAt(int v, int caret, int lo, int hi) {
  QString t = valueText_;
  int from;
  if (lo != hi) {
    from = ValueIndexOf(lo);
    const int to = ValueIndexOf(hi);
    if (to <= from) return std::nullopt;  // only literals selected
    t.remove(from, to - from);
  } else {
    from = v < 0 ? ValueIndexOf(caret) : v;
    if (from >= t.size()) return std::nullopt;  // nothing after the caret
    t.remove(from, 1);
  }
  if (!mask.MaskAllowLeadZeros && !t.left(from + 1).contains('.') && from == (IsNegative() ? 1 : 0) &&
      !t.startsWith('-')) {
    DropLeadingZeros(t);
  }
  if (!mask.IsCandidateValid(t, false)) return std::nullopt;
  SetValueText(t);
  return DisplayIndexOf(from);
}

int NumEngine::BackspaceIndex(int caret) const {
  const QString decimalChar = mask.DecimalChar();
  const QString pointShown = mask.MaskDecimalChar.isEmpty() ? mask.LocaleDecimal() : QString(".");
  for (int i = ValueIndexOf(caret) - 1; i >= 0; --i) {
    const QString shown = valueText_[i] == '.' ? pointShown : QString(valueText_[i]);
    if (!decimalChar.contains(shown)) return i;
  }
  return -1;
}

std::optional<int> NumEngine::ReplaceSel(const QString& text, int caret, int lo, int hi) {
  QString t = valueText_;
  int at;
  if (lo != hi) {
    at = ValueIndexOf(lo);
    t.remove(at, std::max(ValueIndexOf(hi) - at, 0));
  } else {
    at = ValueIndexOf(caret);
  }
  // The decimal character, in whatever form the text brings it, becomes
  // the value's point.
  const QString decimalChar = mask.DecimalChar();
  QString insert;
  for (QChar c : text) {
    if (!IsDigit(c) && c != '-' && c != '.' && !decimalChar.contains(c)) return std::nullopt;
    insert += !IsDigit(c) && c != '-' && decimalChar.contains(c) ? QChar('.') : c;
  }
  t.insert(at, insert);
  if (!mask.IsCandidateValid(t, false)) return std::nullopt;
  SetValueText(t);
  return DisplayIndexOf(at + static_cast<int>(text.size()));
}

QString NumEngine::ValueCharsOf(int lo, int hi) const {
  const int from = ValueIndexOf(lo);
  return valueText_.mid(from, std::max(ValueIndexOf(hi) - from, 0));
}

std::optional<QVariant> NumEngine::SpinTarget(bool up) {
  const Kind kind = EffectiveKind();
  if (!IsNumericKind(kind)) return std::nullopt;
  QVariant x = ValueAsVariant();
  // An empty field steps from zero.
  if (KindOf(x) == Kind::Empty) x = Convert(QVariant(), kind, FixedStyle()).value_or(QVariant());
  auto s = Convert(QVariant(SpinValue), kind, UserStyle());
  if (!s || KindOf(x) != kind) return std::nullopt;
  switch (kind) {
    case Kind::Integer:
      return Stepped<short>(x.value<short>(), s->value<short>(), up,
                            [](short r) { return QVariant::fromValue(r); });
    case Kind::Long:
      return Stepped<qint32>(x.value<qint32>(), s->value<qint32>(), up,
                             [](qint32 r) { return QVariant::fromValue(r); });
    case Kind::Currency:
      return Stepped<qint64>(x.value<Currency>().scaled, s->value<Currency>().scaled, up,
                             [](qint64 r) { return MakeCurrency(r); });
    case Kind::Single:
      return SteppedFloat<float>(x.toFloat(), s->toFloat(), up);
    case Kind::Double:
      return SteppedFloat<double>(x.toDouble(), s->toDouble(), up);
    default:
      return std::nullopt;
  }
}

short NumEngine::CheckRange(const QVariant& value) const {
  const Kind kind = KindOf(value);
  if (!IsNumericKind(kind)) return kValid;
  if (ValidateRangeLow.isEmpty() || ValidateRangeHigh.isEmpty()) return kValid;
  const auto low = Convert(QVariant(ValidateRangeLow), EffectiveKind(), UserStyle());
  const auto high = Convert(QVariant(ValidateRangeHigh), EffectiveKind(), UserStyle());
  if (!low || !high) return kValid;
  switch (ValidateType) {
    case 1:
      return CompareValues(value, *low) < 0 || CompareValues(value, *high) > 0 ? kInvalidRange : kValid;
    case 2:
      return CompareValues(value, *low) >= 0 && CompareValues(value, *high) <= 0 ? kInvalidRange : kValid;
    case 3:
      return IsBelowZero(value) ? kValid : kNotNegative;
    case 4:
      return IsBelowZero(value) ? kNotPositive : kValid;
    case 5:
      return IsZero(value) ? kNotNonZero : kValid;
    default:
      return kValid;
  }
}

short NumEngine::Outcome(bool allowNull, bool fieldEmpty) {
  if (!allowNull && fieldEmpty) return kNullNotAllowed;
  QVariant converted;
  if (!TextToVariant(storedText_, false, &converted)) return kBadType;
  return fieldEmpty ? static_cast<short>(kValid) : CheckRange(ValueAsVariant());
}

}  // namespace numbox
