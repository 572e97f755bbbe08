#pragma once
// The value engine of the numeric field: the value text, the display text,
// the stored text and the value cache; the conversions between them and
// the value kinds; the edits of the value (typing, removing, replacing),
// spin steps, the range rule and the outcome of validation. It knows no
// window: the field (CNumCtrl) shows what it builds, moves the caret,
// beeps and fires the events.

#include "numbox/NumMask.h"
#include "numbox/NumValue.h"

#include <QString>
#include <QVariant>

#include <optional>

namespace numbox {

// Outcomes of validation (and the error types of DataError).
enum ValidateOutcome : short {
  kValid = 0,
  kNullNotAllowed = 1,
  kBadType = 4,
  kInvalidRange = 5,
  kNotNegative = 8,
  kNotPositive = 9,
  kNotNonZero = 10,
  kUserError = 11,
};

class NumEngine {
 public:
  NumMask mask;
  short DataType = 5;
  short ValidateType = 0;
  QString ValidateRangeLow, ValidateRangeHigh;
  QString SpinValue = "1";
  // The kind of the bound data field, when a data source names one; it
  // takes the place of DataType.
  std::optional<Kind> boundKind;

  Kind EffectiveKind() const { return boundKind ? *boundKind : KindOfDataType(DataType); }

  const QString& ValueText() const { return valueText_; }
  const QString& DisplayText() const { return displayText_; }
  const QString& StoredText() const { return storedText_; }
  void SetStoredText(const QString& text) { storedText_ = text; }
  const QVariant& Cache() const { return cache_; }
  bool IsNegative() const { return valueText_.startsWith('-'); }

  // Normalises the value text, lays out the display text and refreshes the
  // value cache from the value text.
  void Rebuild();
  // Puts a value text as it is, then rebuilds.
  void SetValueText(const QString& text);

  // The Text put: false when the text is no number of the value kind.
  bool SetValueFromText(const QString& text);
  // The Value put: a Null argument is turned into the Long 0; false for
  // kinds the field does not take.
  bool SetValueFromVariant(QVariant& value);
  // The value text converted to the value kind (Empty when it does not
  // convert); also kept as the value cache.
  QVariant ValueAsVariant();
  // A text converted to the value kind: as it is with the fixed English
  // style, or without its literals and with the user's.
  bool TextToVariant(const QString& text, bool asIs, QVariant* out) const;

  int ValueIndexOf(int displayPos) const { return mask.ValueIndexOf(displayText_, displayPos, IsNegative()); }
  int DisplayIndexOf(int n) const { return mask.DisplayIndexOf(displayText_, n, IsNegative()); }

  // ---- edits; each answers the new caret position in the display, or
  // nothing when the edit is refused (and then changes nothing).

  // Puts a digit (or the decimal character) at display position p.
  std::optional<int> PutChar(QChar c, int p, bool insertMode);
  // Toggles the sign, keeping the caret at the same value position.
  std::optional<int> ToggleSign(int caret);
  // Removes the selection lo..hi of the display, or without one the value
  // character at v (−1: at the caret).
  std::optional<int> DeleteAt(int v, int caret, int lo, int hi);
  // The value index that Backspace removes, or −1 when there is none.
  int BackspaceIndex(int caret) const;
  // Replaces the selection lo..hi (or inserts at the caret) with the
  // characters of `text`.
  std::optional<int> ReplaceSel(const QString& text, int caret, int lo, int hi);
  // The value characters that the display selection lo..hi covers.
  QString ValueCharsOf(int lo, int hi) const;

  // The value one spin step up or down, or nothing when the step is refused.
  std::optional<QVariant> SpinTarget(bool up);
  // The range rule of ValidateType: 0 or the failing outcome.
  short CheckRange(const QVariant& value) const;
  // Validation after the OnValidate event: 0 or the failing outcome.
  short Outcome(bool allowNull, bool fieldEmpty);

 private:
  friend class PropertyExchange;

  QString valueText_, displayText_, storedText_;
  QVariant cache_;
};

}  // namespace numbox
