#pragma once
// The display engine of the numeric field: the mask settings, their
// effective values (defaulted ones read from the user's locale every time,
// nothing cached), the layout of a value text into the display text, the
// check that every new value text must pass, and the mapping of positions
// between the display text and the value text.
//
// The value text is the canonical number: an optional leading "-", whole
// digits, optionally "." and decimal digits ("." whatever the locale). The
// display text is that number with group separators, the decimal
// character, the currency symbol and the sign pattern. Every display
// character that is neither a digit nor in the decimal character is a
// literal.

#include "numbox/PropTypes.h"

#include <QString>

namespace numbox {

struct NumMask {
  short MaskType = 1;            // 1 currency, 0 number: which locale items
  short MaskDecimalPlaces = -1;  // -1..9; -1 from the locale
  Flag MaskDecimalFixed = Flag::Default(false);
  short MaskWholePlaces = -1;  // -1 no limit
  Flag MaskShowThousandSep = Flag::Default(false);
  short MaskThousandDigits = -1;  // -1..9; -1 from the locale
  QString MaskThousandSep;        // "" from the locale
  QString MaskDecimalChar;        // "" from the locale
  Flag MaskShowCurrency = Flag::Default(false);
  QString MaskCurrencySymbol;  // "" from the locale
  short MaskNegFormat = 0;     // 1..11; 0 from the locale
  short MaskPosFormat = 0;     // 1..4; 0 from the locale
  Flag MaskAllowNegative = Flag::Default(true);
  Flag MaskAllowLeadZeros = Flag::Default(false);
  Flag MaskZeroIfNull = Flag::Default(true);

  // Effective settings.
  int DecimalPlaces() const;     // N
  int GroupSize() const;         // G
  int NegativePattern() const;   // 0..11
  int PositivePattern() const;   // 0..4
  QString DecimalChar() const;   // the effective decimal character
  QString GroupSeparator() const;
  QString CurrencySymbol() const;  // "" unless MaskShowCurrency
  // The locale's own decimal separator of the mask type.
  QString LocaleDecimal() const;

  struct Layout {
    QString valueText;  // normalised
    QString display;
  };
  // Normalises a value text and lays it out (the display rebuild).
  Layout Render(const QString& valueText) const;
  // Cuts the decimals of a value text to N (padding them with zeros when
  // MaskDecimalFixed); with N of 0 or less the point and decimals go.
  QString CutDecimals(const QString& valueText) const;
  // Whether a value text may become the field's value.
  bool IsCandidateValid(const QString& text, bool checkCharacters) const;

  bool IsLiteral(QChar c) const;
  // The value index of display position p, and the display position just
  // after the n-th value character, for a display text of a value that is
  // negative or not.
  int ValueIndexOf(const QString& display, int p, bool negative) const;
  int DisplayIndexOf(const QString& display, int n, bool negative) const;
};

}  // namespace numbox
