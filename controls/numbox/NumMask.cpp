#include "numbox/NumMask.h"

#include "numbox/NumServices.h"
#include "numbox/NumValue.h"

namespace numbox {

namespace {

// The first character of a locale item as a number, or `fallback` when the
// item is empty.
int LeadingNumber(LocaleItem item, int fallback) {
  const QString text = Locale().Item(item);
  return text.isEmpty() ? fallback : text[0].unicode() - '0';
}

QString Decorated(const QString& x, const QString& c, int pattern, bool negative) {
  if (!negative) {
    switch (pattern) {
      case 1: return c + x;
      case 2: return x + c;
      case 3: return c + " " + x;
      case 4: return x + " " + c;
      default: return x;
    }
  }
  switch (pattern) {
    case 1: return "(" + c + x + ")";
    case 2: return "-" + c + x;
    case 3: return c + "-" + x;
    case 4: return c + x + "-";
    case 5: return c + "(" + x + ")";
    case 6: return "-" + x + c;
    case 7: return x + "-" + c;
    case 8: return x + c + "-";
    case 9: return "-" + x + " " + c;
    case 10: return "-" + c + " " + x;
    case 11: return x + " " + c + "-";
    default: return x;
  }
}

}  // namespace

int NumMask::DecimalPlaces() const {
  if (MaskDecimalPlaces != -1) return MaskDecimalPlaces;
  return LeadingNumber(MaskType == 1 ? LocaleItem::CurrencyDigits : LocaleItem::Digits, -1);
}

int NumMask::GroupSize() const {
  if (MaskThousandDigits != -1) return MaskThousandDigits;
  return LeadingNumber(MaskType == 1 ? LocaleItem::CurrencyGrouping : LocaleItem::Grouping, -1);
}

int NumMask::NegativePattern() const {
  if (MaskNegFormat != 0) return MaskNegFormat;
  return LeadingNumber(MaskType == 1 ? LocaleItem::NegativeCurrency : LocaleItem::NegativeNumber, -1) + 1;
}

int NumMask::PositivePattern() const {
  if (MaskPosFormat != 0) return MaskPosFormat;
  return LeadingNumber(LocaleItem::PositiveCurrency, -1) + 1;
}

QString NumMask::DecimalChar() const { return MaskDecimalChar.isEmpty() ? LocaleDecimal() : MaskDecimalChar; }

QString NumMask::LocaleDecimal() const {
  return Locale().Item(MaskType == 1 ? LocaleItem::CurrencyDecimal : LocaleItem::Decimal);
}

QString NumMask::GroupSeparator() const {
  if (!MaskThousandSep.isEmpty()) return MaskThousandSep;
  return Locale().Item(MaskType == 1 ? LocaleItem::CurrencyThousand : LocaleItem::Thousand);
}

QString NumMask::CurrencySymbol() const {
  if (!MaskShowCurrency) return QString();
  return MaskCurrencySymbol.isEmpty() ? Locale().Item(LocaleItem::CurrencySymbol) : MaskCurrencySymbol;
}

QString NumMask::CutDecimals(const QString& valueText) const {
  const int n = DecimalPlaces();
  const qsizetype point = valueText.indexOf('.');
  QString v = valueText;
  QString d;
  if (point >= 0) {
    d = v.mid(point + 1, n > 0 ? n : 0);
    v.truncate(point);
  }
  if (n > 0) {
    if (MaskDecimalFixed) d = (d + "000000000").left(n);
    if (!d.isEmpty() || point >= 0) v += "." + d;
  }
  return v;
}

NumMask::Layout NumMask::Render(const QString& valueText) const {
  QString v = valueText == "-" ? QString() : valueText;
  v = CutDecimals(v);
  const qsizetype point = v.indexOf('.');
  QString f = point >= 0 ? v.mid(point) : QString();
  const bool negative = v.startsWith('-');
  QString w = point >= 0 ? v.left(point) : v;
  if (negative) w.remove(0, 1);
  if (!MaskAllowLeadZeros) {
    DropLeadingZeros(w);
  }
  if (w.isEmpty() && (MaskZeroIfNull || !f.isEmpty())) w = "0";
  Layout out;
  out.valueText = (negative ? "-" : "") + w + f;

  const int g = GroupSize();
  if (MaskShowThousandSep && g >= 1) {  // a group size below 1 shows no grouping
    const QString sep = GroupSeparator();
    QString grouped;
    const qsizetype len = w.size();
    for (qsizetype i = len - 1; i >= 0; --i) {
      if (i < len - 1 && (len - i - 1) % g == 0) grouped.prepend(sep);
      grouped.prepend(w[i]);
    }
    w = grouped;
  }
  const QString decimalChar = DecimalChar();
  if (f.startsWith('.') && !decimalChar.isEmpty()) f[0] = decimalChar[0];
  const QString x = w + f;
  // The sign is shown whenever the value carries one, a zero included: the
  // "-" typed into a zero field stays in the value and would otherwise
  // surface only at the next digit, and the position mapping counts it.
  if (!x.isEmpty()) out.display = Decorated(x, CurrencySymbol(), negative ? NegativePattern() : PositivePattern(), negative);
  return out;
}

bool NumMask::IsCandidateValid(const QString& text, bool checkCharacters) const {
  if (text.isEmpty()) return true;
  const QString decimalChar = DecimalChar();
  if (checkCharacters) {
    for (QChar c : text) {
      if (!IsDigit(c) && c != '-' && !decimalChar.contains(c)) return false;
    }
  }
  if (text.count('.') > 1 || text.count('-') > 1) return false;
  if (text.contains('-') && !MaskAllowNegative) return false;
  const qsizetype point = text.indexOf('.');
  const QString f = point >= 0 ? text.mid(point) : QString();
  QString w = point >= 0 ? text.left(point) : text;
  if (w.startsWith('-')) w.remove(0, 1);
  if (!MaskAllowLeadZeros && w.size() >= 2 && w.startsWith('0')) return false;
  if (!f.isEmpty()) {
    const int n = DecimalPlaces();
    if (n <= 0 || f.size() - 1 > n) return false;
  }
  return MaskWholePlaces < 0 || w.size() <= MaskWholePlaces;
}

bool NumMask::IsLiteral(QChar c) const { return !IsDigit(c) && !DecimalChar().contains(c); }

int NumMask::ValueIndexOf(const QString& display, int p, bool negative) const {
  const int len = static_cast<int>(display.size());
  p = std::clamp(p, 0, len);
  while (p < len && IsLiteral(display[p])) ++p;
  const QString l = display.left(p + 1);
  int k = negative ? 1 : 0;
  for (QChar c : l) k += IsLiteral(c) ? 0 : 1;
  return k - static_cast<int>(l.size()) + p;
}

int NumMask::DisplayIndexOf(const QString& display, int n, bool negative) const {
  const int len = static_cast<int>(display.size());
  int r = 0;
  for (int i = 0; i < n; ++i) {
    while (r < len && IsLiteral(display[r])) ++r;
    ++r;
  }
  if (negative) --r;
  return std::clamp(r, 0, len);
}

}  // namespace numbox
