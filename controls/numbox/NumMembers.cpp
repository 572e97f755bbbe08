#include "numbox/NumMembers.h"

#include "numbox/CNumCtrl.h"
#include "numbox/NumServices.h"
#include "numbox/NumValue.h"

#include <QIcon>
#include <QImage>
#include <QPixmap>

#include <cmath>
#include <limits>
#include <optional>
#include <type_traits>

namespace numbox {

namespace {

using C = CNumCtrl&;
using V = const QVariant&;

[[noreturn]] void TypeMismatch() { ThrowErrorById(13); }

// ---- arguments as the members' types ------------------------------------------

// A value in one of the kinds the conversions know: Booleans are −1 and 0,
// other integers Long or Double.
QVariant Normal(V v) {
  switch (v.typeId()) {
    case QMetaType::Bool:
      return QVariant::fromValue<short>(v.toBool() ? -1 : 0);
    case QMetaType::UChar:
    case QMetaType::SChar:
    case QMetaType::Char:
    case QMetaType::UShort:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Long:
    case QMetaType::ULong: {
      const double x = v.toDouble();
      if (x >= std::numeric_limits<qint32>::min() && x <= std::numeric_limits<qint32>::max()) {
        return QVariant::fromValue<qint32>(static_cast<qint32>(v.toLongLong()));
      }
      return QVariant(x);
    }
    default:
      return v;
  }
}

QVariant ConvertTo(V v, Kind kind) {
  const auto converted = Convert(Normal(v), kind, UserStyle());
  if (!converted) TypeMismatch();
  return *converted;
}

template <class T>
T Arg(V v);

template <>
short Arg<short>(V v) { return ConvertTo(v, Kind::Integer).value<short>(); }
template <>
qint32 Arg<qint32>(V v) { return ConvertTo(v, Kind::Long).value<qint32>(); }
template <>
float Arg<float>(V v) { return ConvertTo(v, Kind::Single).toFloat(); }
template <>
QString Arg<QString>(V v) { return ConvertTo(v, Kind::String).toString(); }
template <>
bool Arg<bool>(V v) {
  if (v.typeId() == QMetaType::QString) {
    const QString t = v.toString().trimmed();
    if (t.compare("True", Qt::CaseInsensitive) == 0) return true;
    if (t.compare("False", Qt::CaseInsensitive) == 0) return false;
  }
  return ConvertTo(v, Kind::Double).toDouble() != 0;
}
template <>
OleColor Arg<OleColor>(V v) {
  if (v.typeId() == QMetaType::UInt) return v.toUInt();
  const double x = ConvertTo(v, Kind::Double).toDouble();
  if (x < std::numeric_limits<qint32>::min() || x > std::numeric_limits<quint32>::max() || x != std::floor(x)) {
    TypeMismatch();
  }
  return static_cast<OleColor>(static_cast<qint64>(x));
}

// A font argument: a font description or a Qt font; nothing gives nullopt.
std::optional<FontDesc> FontArg(V v) {
  if (!v.isValid() || v.isNull()) return std::nullopt;
  if (v.typeId() == qMetaTypeId<FontDesc>()) return v.value<FontDesc>();
  if (v.typeId() == QMetaType::QFont) return FontDesc::FromQFont(v.value<QFont>());
  TypeMismatch();
}

// A picture argument and its kind: −1 nothing given, 0 none, 1 bitmap, 3 icon.
struct PictureArg {
  int kind;
  QPixmap pixmap;
};

PictureArg PictureOf(V v) {
  if (!v.isValid() || v.isNull()) return {-1, QPixmap()};
  switch (v.typeId()) {
    case QMetaType::QPixmap: {
      const QPixmap p = v.value<QPixmap>();
      return {p.isNull() ? 0 : 1, p};
    }
    case QMetaType::QImage: {
      const QImage i = v.value<QImage>();
      return {i.isNull() ? 0 : 1, QPixmap::fromImage(i)};
    }
    case QMetaType::QIcon: {
      const QIcon icon = v.value<QIcon>();
      return {icon.isNull() ? 0 : 3, icon.pixmap(32, 32)};
    }
    default:
      TypeMismatch();
  }
}

// Caret and button pictures take bitmaps (481 for other kinds), the mouse
// icon icons (380).
QPixmap BitmapArg(V v) {
  const PictureArg p = PictureOf(v);
  if (p.kind != -1 && p.kind != 0 && p.kind != 1) ThrowErrorById(481);
  return p.pixmap;
}

QPixmap IconArg(V v) {
  const PictureArg p = PictureOf(v);
  if (p.kind != -1 && p.kind != 0 && p.kind != 3) ThrowErrorById(380);
  return p.pixmap;
}

// ---- results ----------------------------------------------------------------

QVariant Result(short v) { return QVariant::fromValue(v); }
QVariant Result(qint32 v) { return QVariant::fromValue(v); }
QVariant Result(OleColor v) { return QVariant::fromValue(v); }
QVariant Result(bool v) { return QVariant(v); }
QVariant Result(float v) { return QVariant::fromValue(v); }
QVariant Result(const QString& v) { return QVariant(v); }
QVariant Result(const FontDesc& v) { return QVariant::fromValue(v); }
QVariant Result(const QPixmap& v) { return v.isNull() ? QVariant() : QVariant(v); }
QVariant Result(const QVariant& v) { return v; }

// ---- getters and setters from the field's members ----------------------------

template <auto Get>
QVariant Getter(C f, V) {
  return Result((f.*Get)());
}

template <class T>
struct SetterArg;
template <class Class, class A>
struct SetterArg<void (Class::*)(A)> {
  using type = std::decay_t<A>;
};

template <auto Set>
void Setter(C f, V v, V) {
  using A = typename SetterArg<decltype(Set)>::type;
  (f.*Set)(Arg<A>(v));
}

template <auto Set>
void BitmapSetter(C f, V v, V) {
  (f.*Set)(BitmapArg(v));
}

// Fonts: nothing given takes the member's default description.
template <auto Set>
void FontSetter(C f, V v, V) {
  (f.*Set)(FontArg(v).value_or(FontDesc::SansSerif(90000, 400)));
}

template <auto Set>
void BoldFontSetter(C f, V v, V) {
  (f.*Set)(FontArg(v).value_or(FontDesc::SansSerif(90000, 900)));
}

short IndexArg(V index) {
  // An index that is no number of the button range raises 381.
  const auto converted = Convert(Normal(index), Kind::Integer, UserStyle());
  if (!converted) ThrowErrorById(381);
  return converted->value<short>();
}

using MT = MemberType;
using GR = GetRule;
using SR = SetRule;

const Member kMembers[] = {
    {1, "DataSource", MT::Object, GR::Stored, SR::Special,
     [](C f, V) { return QVariant::fromValue(f.DataSource()); },
     [](C f, V v, V) {
       if (!v.isValid() || v.isNull()) return f.SetDataSource(nullptr);
       if (v.typeId() != qMetaTypeId<RowSource*>()) TypeMismatch();
       f.SetDataSource(v.value<RowSource*>());
     }},
    {2, "Alignment", MT::Short, GR::Stored, SR::Special, Getter<&CNumCtrl::Alignment>, Setter<&CNumCtrl::SetAlignment>},
    {3, "AllowEdit", MT::Boolean, GR::Stored, SR::Repaint, Getter<&CNumCtrl::AllowEdit>, Setter<&CNumCtrl::SetAllowEdit>},
    {4, "AllowEscape", MT::Boolean, GR::Stored, SR::Keep, Getter<&CNumCtrl::AllowEscape>,
     Setter<&CNumCtrl::SetAllowEscape>},
    {5, "AllowNull", MT::Boolean, GR::Stored, SR::Keep, Getter<&CNumCtrl::AllowNull>, Setter<&CNumCtrl::SetAllowNull>},
    {6, "Appearance", MT::Short, GR::Stored, SR::Frame, Getter<&CNumCtrl::Appearance>,
     Setter<&CNumCtrl::SetAppearance>},
    {7, "AutoSelect", MT::Boolean, GR::Stored, SR::Keep, Getter<&CNumCtrl::AutoSelect>,
     Setter<&CNumCtrl::SetAutoSelect>},
    {8, "AutoTab", MT::Boolean, GR::Stored, SR::Keep, Getter<&CNumCtrl::AutoTab>, Setter<&CNumCtrl::SetAutoTab>},
    {9, "BorderStyle", MT::Short, GR::Stored, SR::Frame, Getter<&CNumCtrl::BorderStyle>,
     Setter<&CNumCtrl::SetBorderStyle>},
    {10, "CalcDropDown", MT::Boolean, GR::Stored, SR::Repaint, Getter<&CNumCtrl::CalcDropDown>,
     Setter<&CNumCtrl::SetCalcDropDown>},
    {11, "CalcHeight", MT::Single, GR::Computed, SR::Special, Getter<&CNumCtrl::CalcHeight>,
     Setter<&CNumCtrl::SetCalcHeight>},
    {12, "CalcVisible", MT::Boolean, GR::RunTime, SR::ReadOnly, Getter<&CNumCtrl::CalcVisible>, nullptr},
    {13, "CalcWidth", MT::Single, GR::Computed, SR::Special, Getter<&CNumCtrl::CalcWidth>,
     Setter<&CNumCtrl::SetCalcWidth>},
    {14, "CaretPicture", MT::Picture, GR::Stored, SR::Caret, Getter<&CNumCtrl::CaretPicture>,
     BitmapSetter<&CNumCtrl::SetCaretPicture>},
    {15, "CaretStyle", MT::Short, GR::Stored, SR::Caret, Getter<&CNumCtrl::CaretStyle>,
     Setter<&CNumCtrl::SetCaretStyle>},
    {16, "CaretPictureOvertype", MT::Picture, GR::Stored, SR::Caret, Getter<&CNumCtrl::CaretPictureOvertype>,
     BitmapSetter<&CNumCtrl::SetCaretPictureOvertype>},
    {17, "CaretStyleOvertype", MT::Short, GR::Stored, SR::Caret, Getter<&CNumCtrl::CaretStyleOvertype>,
     Setter<&CNumCtrl::SetCaretStyleOvertype>},
    {18, "DataChanged", MT::Boolean, GR::RunTime, SR::Keep, Getter<&CNumCtrl::DataChanged>,
     Setter<&CNumCtrl::SetDataChanged>},
    {19, "DataField", MT::String, GR::Stored, SR::Special, Getter<&CNumCtrl::DataField>,
     Setter<&CNumCtrl::SetDataField>},
    {20, "DisplayAlignment", MT::Short, GR::Stored, SR::RepaintUnfocused, Getter<&CNumCtrl::DisplayAlignment>,
     Setter<&CNumCtrl::SetDisplayAlignment>},
    {21, "EllipsesButton", MT::Boolean, GR::Stored, SR::Repaint, Getter<&CNumCtrl::EllipsesButton>,
     Setter<&CNumCtrl::SetEllipsesButton>},
    {22, "EllipsesButtonPic", MT::Picture, GR::Stored, SR::Repaint, Getter<&CNumCtrl::EllipsesButtonPic>,
     BitmapSetter<&CNumCtrl::SetEllipsesButtonPic>},
    {23, "EllipsesButtonPicDisabled", MT::Picture, GR::Stored, SR::Repaint,
     Getter<&CNumCtrl::EllipsesButtonPicDisabled>, BitmapSetter<&CNumCtrl::SetEllipsesButtonPicDisabled>},
    {24, "EllipsesButtonWidth", MT::Short, GR::Stored, SR::Repaint, Getter<&CNumCtrl::EllipsesButtonWidth>,
     Setter<&CNumCtrl::SetEllipsesButtonWidth>},
    {25, "FocusBackColor", MT::Colour, GR::Stored, SR::Repaint, Getter<&CNumCtrl::FocusBackColor>,
     Setter<&CNumCtrl::SetFocusBackColor>},
    {26, "FocusForeColor", MT::Colour, GR::Stored, SR::Repaint, Getter<&CNumCtrl::FocusForeColor>,
     Setter<&CNumCtrl::SetFocusForeColor>},
    {27, "Format", MT::String, GR::Stored, SR::Special, Getter<&CNumCtrl::Format>, Setter<&CNumCtrl::SetFormat>},
    {28, "FormatText", MT::String, GR::Computed, SR::ReadOnly, Getter<&CNumCtrl::FormatText>, nullptr},
    {29, "HideSelection", MT::Boolean, GR::Stored, SR::RepaintUnfocused, Getter<&CNumCtrl::HideSelection>,
     Setter<&CNumCtrl::SetHideSelection>},
    {30, "InputText", MT::String, GR::Computed, SR::ReadOnly, Getter<&CNumCtrl::InputText>, nullptr},
    {31, "IsEmpty", MT::Boolean, GR::RunTime, SR::ReadOnly, Getter<&CNumCtrl::IsEmpty>, nullptr},
    {32, "KeepFocusOnError", MT::Boolean, GR::Stored, SR::Keep, Getter<&CNumCtrl::KeepFocusOnError>,
     Setter<&CNumCtrl::SetKeepFocusOnError>},
    {33, "Locked", MT::Boolean, GR::Stored, SR::Repaint, Getter<&CNumCtrl::Locked>, Setter<&CNumCtrl::SetLocked>},
    {34, "MouseIcon", MT::Picture, GR::Stored, SR::Keep, Getter<&CNumCtrl::MouseIcon>,
     [](C f, V v, V) { f.SetMouseIcon(IconArg(v)); }},
    {35, "MousePointer", MT::Short, GR::Stored, SR::Special, Getter<&CNumCtrl::MousePointer>,
     Setter<&CNumCtrl::SetMousePointer>},
    {36, "NullBackColor", MT::Colour, GR::Stored, SR::RepaintNull, Getter<&CNumCtrl::NullBackColor>,
     Setter<&CNumCtrl::SetNullBackColor>},
    {37, "NullFont", MT::Font, GR::Stored, SR::Keep, Getter<&CNumCtrl::NullFont>,
     [](C f, V v, V) { f.SetNullFont(FontArg(v).value_or(FontDesc::SansSerif(90000, 400, true))); }},
    {38, "NullForeColor", MT::Colour, GR::Stored, SR::RepaintNull, Getter<&CNumCtrl::NullForeColor>,
     Setter<&CNumCtrl::SetNullForeColor>},
    {39, "NullText", MT::String, GR::Stored, SR::RepaintNull, Getter<&CNumCtrl::NullText>,
     Setter<&CNumCtrl::SetNullText>},
    {40, "ReadOnlyBackColor", MT::Colour, GR::Stored, SR::Repaint, Getter<&CNumCtrl::ReadOnlyBackColor>,
     Setter<&CNumCtrl::SetReadOnlyBackColor>},
    {41, "ReadOnlyForeColor", MT::Colour, GR::Stored, SR::Keep, Getter<&CNumCtrl::ReadOnlyForeColor>,
     Setter<&CNumCtrl::SetReadOnlyForeColor>},
    {42, "SelBackColor", MT::Colour, GR::Stored, SR::Repaint, Getter<&CNumCtrl::SelBackColor>,
     Setter<&CNumCtrl::SetSelBackColor>},
    {43, "SelForeColor", MT::Colour, GR::Stored, SR::Repaint, Getter<&CNumCtrl::SelForeColor>,
     Setter<&CNumCtrl::SetSelForeColor>},
    {44, "SelLength", MT::Short, GR::RunTime, SR::Special, Getter<&CNumCtrl::SelLength>,
     Setter<&CNumCtrl::SetSelLength>},
    {45, "SelStart", MT::Short, GR::RunTime, SR::Special, Getter<&CNumCtrl::SelStart>,
     Setter<&CNumCtrl::SetSelStart>},
    {46, "SelText", MT::String, GR::RunTime, SR::Special, Getter<&CNumCtrl::SelText>, Setter<&CNumCtrl::SetSelText>},
    {47, "SpinButton", MT::Boolean, GR::Stored, SR::Repaint, Getter<&CNumCtrl::SpinButton>,
     Setter<&CNumCtrl::SetSpinButton>},
    {48, "SpinButtonEnabled", MT::Boolean, GR::Stored, SR::Repaint, Getter<&CNumCtrl::SpinButtonEnabled>,
     Setter<&CNumCtrl::SetSpinButtonEnabled>},
    {49, "SpinKeys", MT::Boolean, GR::Stored, SR::Keep, Getter<&CNumCtrl::SpinKeys>, Setter<&CNumCtrl::SetSpinKeys>},
    {50, "StatusBarControl", MT::Object, GR::RunTime, SR::Special,
     [](C f, V) { return QVariant::fromValue(f.StatusBarControl()); },
     [](C f, V v, V) {
       if (!v.isValid() || v.isNull()) return f.SetStatusBarControl(nullptr);
       // Only an object the field can reach by its properties can be a status bar.
       if (!v.canConvert<QObject*>()) ThrowErrorById(380);
       f.SetStatusBarControl(v.value<QObject*>());
     }},
    {51, "StatusBarControlName", MT::String, GR::Stored, SR::Special, Getter<&CNumCtrl::StatusBarControlName>,
     Setter<&CNumCtrl::SetStatusBarControlName>},
    {52, "StatusBarPropName", MT::String, GR::Stored, SR::Special, Getter<&CNumCtrl::StatusBarPropName>,
     Setter<&CNumCtrl::SetStatusBarPropName>},
    {53, "StatusBarRestoreText", MT::String, GR::Stored, SR::Special, Getter<&CNumCtrl::StatusBarRestoreText>,
     Setter<&CNumCtrl::SetStatusBarRestoreText>},
    {54, "StatusBarText", MT::String, GR::Stored, SR::Special, Getter<&CNumCtrl::StatusBarText>,
     Setter<&CNumCtrl::SetStatusBarText>},
    {55, "TabOnEnter", MT::Boolean, GR::Stored, SR::Keep, Getter<&CNumCtrl::TabOnEnter>,
     Setter<&CNumCtrl::SetTabOnEnter>},
    {56, "TagVariant", MT::Variant, GR::Stored, SR::Keep, Getter<&CNumCtrl::TagVariant>,
     [](C f, V v, V) { f.SetTagVariant(v); }},
    {57, "Text", MT::String, GR::Computed, SR::Special, Getter<&CNumCtrl::Text>, Setter<&CNumCtrl::SetText>},
    {58, "ToolTipBackColor", MT::Colour, GR::Computed, SR::Tip, Getter<&CNumCtrl::ToolTipBackColor>,
     Setter<&CNumCtrl::SetToolTipBackColor>},
    {59, "ToolTipDelay", MT::Long, GR::Computed, SR::Tip, Getter<&CNumCtrl::ToolTipDelay>,
     Setter<&CNumCtrl::SetToolTipDelay>},
    {60, "ToolTipFont", MT::Font, GR::Computed, SR::Tip, Getter<&CNumCtrl::ToolTipFont>,
     FontSetter<&CNumCtrl::SetToolTipFont>},
    {61, "ToolTipForeColor", MT::Colour, GR::Computed, SR::Tip, Getter<&CNumCtrl::ToolTipForeColor>,
     Setter<&CNumCtrl::SetToolTipForeColor>},
    {62, "ToolTips", MT::Boolean, GR::Computed, SR::Tip, Getter<&CNumCtrl::ToolTips>, Setter<&CNumCtrl::SetToolTips>},
    {63, "ToolTipText", MT::String, GR::Stored, SR::Special, Getter<&CNumCtrl::ToolTipText>,
     Setter<&CNumCtrl::SetToolTipText>},
    {64, "ToolTipTimeout", MT::Long, GR::Computed, SR::Tip, Getter<&CNumCtrl::ToolTipTimeout>,
     Setter<&CNumCtrl::SetToolTipTimeout>},
    {65, "UndoText", MT::String, GR::RunTime, SR::Keep, Getter<&CNumCtrl::UndoText>, Setter<&CNumCtrl::SetUndoText>},
    {66, "ValidateRangeHigh", MT::String, GR::Stored, SR::Special, Getter<&CNumCtrl::ValidateRangeHigh>,
     Setter<&CNumCtrl::SetValidateRangeHigh>},
    {67, "ValidateRangeLow", MT::String, GR::Stored, SR::Special, Getter<&CNumCtrl::ValidateRangeLow>,
     Setter<&CNumCtrl::SetValidateRangeLow>},
    {68, "ValidateType", MT::Short, GR::Stored, SR::Keep, Getter<&CNumCtrl::ValidateType>,
     Setter<&CNumCtrl::SetValidateType>},
    {69, "Value", MT::Variant, GR::RunTime, SR::Special, [](C f, V) { return f.Value(); },
     [](C f, V v, V) { f.SetValue(v); }},
    {70, "EllipsesButtonEnabled", MT::Boolean, GR::Stored, SR::Repaint, Getter<&CNumCtrl::EllipsesButtonEnabled>,
     Setter<&CNumCtrl::SetEllipsesButtonEnabled>},
    {71, "SpinButtonWidth", MT::Short, GR::Stored, SR::Repaint, Getter<&CNumCtrl::SpinButtonWidth>,
     Setter<&CNumCtrl::SetSpinButtonWidth>},
    {72, "CalcBackColor", MT::Colour, GR::Stored, SR::Calc, Getter<&CNumCtrl::CalcBackColor>,
     Setter<&CNumCtrl::SetCalcBackColor>},
    {73, "CalcBtnBackColor", MT::Colour, GR::Stored, SR::Calc, Getter<&CNumCtrl::CalcBtnBackColor>,
     Setter<&CNumCtrl::SetCalcBtnBackColor>},
    {74, "CalcBtnFont", MT::Font, GR::Stored, SR::Calc, Getter<&CNumCtrl::CalcBtnFont>,
     BoldFontSetter<&CNumCtrl::SetCalcBtnFont>},
    {75, "MaskPosFormat", MT::Short, GR::Stored, SR::Reformat, Getter<&CNumCtrl::MaskPosFormat>,
     Setter<&CNumCtrl::SetMaskPosFormat>},
    {76, "MaskCurrencySymbol", MT::String, GR::Stored, SR::Reformat, Getter<&CNumCtrl::MaskCurrencySymbol>,
     Setter<&CNumCtrl::SetMaskCurrencySymbol>},
    {77, "MaskDecimalChar", MT::String, GR::Stored, SR::Reformat, Getter<&CNumCtrl::MaskDecimalChar>,
     Setter<&CNumCtrl::SetMaskDecimalChar>},
    {78, "MaskDecimalPlaces", MT::Short, GR::Stored, SR::Reformat, Getter<&CNumCtrl::MaskDecimalPlaces>,
     Setter<&CNumCtrl::SetMaskDecimalPlaces>},
    {79, "MaskNegFormat", MT::Short, GR::Stored, SR::Reformat, Getter<&CNumCtrl::MaskNegFormat>,
     Setter<&CNumCtrl::SetMaskNegFormat>},
    {80, "MaskShowCurrency", MT::Boolean, GR::Stored, SR::Reformat, Getter<&CNumCtrl::MaskShowCurrency>,
     Setter<&CNumCtrl::SetMaskShowCurrency>},
    {81, "MaskShowThousandSep", MT::Boolean, GR::Stored, SR::Reformat, Getter<&CNumCtrl::MaskShowThousandSep>,
     Setter<&CNumCtrl::SetMaskShowThousandSep>},
    {82, "MaskThousandDigits", MT::Short, GR::Stored, SR::Reformat, Getter<&CNumCtrl::MaskThousandDigits>,
     Setter<&CNumCtrl::SetMaskThousandDigits>},
    {83, "MaskThousandSep", MT::String, GR::Stored, SR::Reformat, Getter<&CNumCtrl::MaskThousandSep>,
     Setter<&CNumCtrl::SetMaskThousandSep>},
    {84, "MaskType", MT::Short, GR::Stored, SR::Reformat, Getter<&CNumCtrl::MaskType>, Setter<&CNumCtrl::SetMaskType>},
    {85, "MaskDecimalFixed", MT::Boolean, GR::Stored, SR::Reformat, Getter<&CNumCtrl::MaskDecimalFixed>,
     Setter<&CNumCtrl::SetMaskDecimalFixed>},
    {86, "DataType", MT::Short, GR::Computed, SR::Special, Getter<&CNumCtrl::DataType>,
     Setter<&CNumCtrl::SetDataType>},
    {87, "MaskAllowLeadZeros", MT::Boolean, GR::Stored, SR::Reformat, Getter<&CNumCtrl::MaskAllowLeadZeros>,
     Setter<&CNumCtrl::SetMaskAllowLeadZeros>},
    {88, "AllowInsertModeChange", MT::Boolean, GR::Stored, SR::Keep, Getter<&CNumCtrl::AllowInsertModeChange>,
     Setter<&CNumCtrl::SetAllowInsertModeChange>},
    {89, "InsertMode", MT::Boolean, GR::Stored, SR::Caret, Getter<&CNumCtrl::InsertMode>,
     Setter<&CNumCtrl::SetInsertMode>},
    {90, "MaskZeroIfNull", MT::Boolean, GR::Stored, SR::Reformat, Getter<&CNumCtrl::MaskZeroIfNull>,
     Setter<&CNumCtrl::SetMaskZeroIfNull>},
    {91, "MaskWholePlaces", MT::Short, GR::Stored, SR::Keep, Getter<&CNumCtrl::MaskWholePlaces>,
     Setter<&CNumCtrl::SetMaskWholePlaces>},
    {92, "MaskAllowNegative", MT::Boolean, GR::Stored, SR::Keep, Getter<&CNumCtrl::MaskAllowNegative>,
     Setter<&CNumCtrl::SetMaskAllowNegative>},
    {93, "ClipLiterals", MT::Boolean, GR::Stored, SR::Keep, Getter<&CNumCtrl::ClipLiterals>,
     Setter<&CNumCtrl::SetClipLiterals>},
    {94, "NegBackColor", MT::Colour, GR::Stored, SR::Negative, Getter<&CNumCtrl::NegBackColor>,
     Setter<&CNumCtrl::SetNegBackColor>},
    {95, "NegForeColor", MT::Colour, GR::Stored, SR::Negative, Getter<&CNumCtrl::NegForeColor>,
     Setter<&CNumCtrl::SetNegForeColor>},
    {96, "SpinValue", MT::String, GR::Stored, SR::Special, Getter<&CNumCtrl::SpinValue>,
     Setter<&CNumCtrl::SetSpinValue>},
    {97, "MaskError", MT::Boolean, GR::RunTime, SR::ReadOnly, Getter<&CNumCtrl::MaskError>, nullptr},
    {98, "MaskErrorBackColor", MT::Colour, GR::Stored, SR::Repaint, Getter<&CNumCtrl::MaskErrorBackColor>,
     Setter<&CNumCtrl::SetMaskErrorBackColor>},
    {99, "MaskErrorForeColor", MT::Colour, GR::Stored, SR::Repaint, Getter<&CNumCtrl::MaskErrorForeColor>,
     Setter<&CNumCtrl::SetMaskErrorForeColor>},
    {100, "CalcDispBackColor", MT::Colour, GR::Stored, SR::Calc, Getter<&CNumCtrl::CalcDispBackColor>,
     Setter<&CNumCtrl::SetCalcDispBackColor>},
    {101, "CalcDispForeColor", MT::Colour, GR::Stored, SR::Calc, Getter<&CNumCtrl::CalcDispForeColor>,
     Setter<&CNumCtrl::SetCalcDispForeColor>},
    {102, "CalcDispFont", MT::Font, GR::Stored, SR::Calc, Getter<&CNumCtrl::CalcDispFont>,
     BoldFontSetter<&CNumCtrl::SetCalcDispFont>},
    {103, "CalcMemFont", MT::Font, GR::Stored, SR::Calc, Getter<&CNumCtrl::CalcMemFont>,
     FontSetter<&CNumCtrl::SetCalcMemFont>},
    {104, "CalcMemText", MT::String, GR::Stored, SR::Calc, Getter<&CNumCtrl::CalcMemText>,
     Setter<&CNumCtrl::SetCalcMemText>},
    {105, "CalcMemForeColor", MT::Colour, GR::Stored, SR::Calc, Getter<&CNumCtrl::CalcMemForeColor>,
     Setter<&CNumCtrl::SetCalcMemForeColor>},
    {106, "CalcMemBackColor", MT::Colour, GR::Stored, SR::Calc, Getter<&CNumCtrl::CalcMemBackColor>,
     Setter<&CNumCtrl::SetCalcMemBackColor>},
    {107, "CalcBtnClrForeColor", MT::Colour, GR::Stored, SR::Calc, Getter<&CNumCtrl::CalcBtnClrForeColor>,
     Setter<&CNumCtrl::SetCalcBtnClrForeColor>},
    {108, "CalcBtnMemForeColor", MT::Colour, GR::Stored, SR::Calc, Getter<&CNumCtrl::CalcBtnMemForeColor>,
     Setter<&CNumCtrl::SetCalcBtnMemForeColor>},
    {109, "CalcBtnForeColor", MT::Colour, GR::Stored, SR::Calc, Getter<&CNumCtrl::CalcBtnForeColor>,
     Setter<&CNumCtrl::SetCalcBtnForeColor>},
    {110, "CalcBtnOpForeColor", MT::Colour, GR::Stored, SR::Calc, Getter<&CNumCtrl::CalcBtnOpForeColor>,
     Setter<&CNumCtrl::SetCalcBtnOpForeColor>},
    {111, "CalcErrorText", MT::String, GR::Stored, SR::Calc, Getter<&CNumCtrl::CalcErrorText>,
     Setter<&CNumCtrl::SetCalcErrorText>},
    {112, "CalcDispText", MT::String, GR::RunTime, SR::ReadOnly, Getter<&CNumCtrl::CalcDispText>, nullptr},
    {113, "MaskErrorBeep", MT::Boolean, GR::Stored, SR::Keep, Getter<&CNumCtrl::MaskErrorBeep>,
     Setter<&CNumCtrl::SetMaskErrorBeep>},
    {123, "CalcBtnText", MT::String, GR::Stored, SR::Calc,
     [](C f, V index) { return QVariant(f.CalcBtnText(IndexArg(index))); },
     [](C f, V v, V index) {
       const short i = IndexArg(index);
       f.SetCalcBtnText(i, Arg<QString>(v));
     }},
    // The value alias: Text is the default member.
    {0, "_Text", MT::String, GR::Computed, SR::Special, Getter<&CNumCtrl::Text>, Setter<&CNumCtrl::SetText>},
    // The stock properties.
    {-501, "BackColor", MT::Colour, GR::Stored, SR::Repaint, Getter<&CNumCtrl::BackColor>,
     Setter<&CNumCtrl::SetBackColor>},
    {-512, "Font", MT::Font, GR::Stored, SR::Repaint, Getter<&CNumCtrl::Font>,
     [](C f, V v, V) {
       if (const auto font = FontArg(v)) {
         f.SetFont(*font);
       } else {
         f.ClearFont();
       }
     }},
    {-513, "ForeColor", MT::Colour, GR::Stored, SR::Repaint, Getter<&CNumCtrl::ForeColor>,
     Setter<&CNumCtrl::SetForeColor>},
    {-514, "Enabled", MT::Boolean, GR::Stored, SR::Repaint, Getter<&CNumCtrl::Enabled>,
     Setter<&CNumCtrl::SetEnabled>},
    {-515, "hWnd", MT::Long, GR::RunTime, SR::ReadOnly,
     // The window the field draws in (without making the field a window of its own).
     [](C f, V) { return QVariant::fromValue<qint64>(static_cast<qint64>(f.effectiveWinId())); }, nullptr},
};

QVariant NoResult() { return QVariant(); }

void CheckArguments(const QVariantList& args, int n) {
  if (args.size() != n) throw NumError(450, "Wrong number of arguments or invalid property assignment");
}

const Method kMethods[] = {
    {114, "Copy", 0, [](C f, const QVariantList&) { f.Copy(); return NoResult(); }},
    {115, "Cut", 0, [](C f, const QVariantList&) { f.Cut(); return NoResult(); }},
    {116, "Delete", 0, [](C f, const QVariantList&) { f.Delete(); return NoResult(); }},
    {117, "DoEllipsesClick", 0, [](C f, const QVariantList&) { f.DoEllipsesClick(); return NoResult(); }},
    {118, "DoSpinClick", 1, [](C f, const QVariantList& a) { f.DoSpinClick(Arg<short>(a[0])); return NoResult(); }},
    {119, "Paste", 0, [](C f, const QVariantList&) { f.Paste(); return NoResult(); }},
    {120, "Undo", 0, [](C f, const QVariantList&) { f.Undo(); return NoResult(); }},
    {121, "Validate", 0, [](C f, const QVariantList&) { return Result(f.Validate()); }},
    {122, "DoCalcBtnClick", 1,
     [](C f, const QVariantList& a) { f.DoCalcBtnClick(Arg<short>(a[0])); return NoResult(); }},
    {-552, "AboutBox", 0, [](C f, const QVariantList&) { f.AboutBox(); return NoResult(); }},
};

const Event kEvents[] = {
    {1, "ToolTipEnd"},      {2, "ToolTipBegin"},  {3, "EllipsesClick"}, {4, "AfterUpdate"},
    {5, "BeforeLostFocus"}, {6, "Change"},        {7, "StatusBarUpdate"}, {8, "InvalidChar"},
    {9, "DataRead"},        {10, "BeforeUpdate"}, {11, "DataError"},    {12, "SpinClick"},
    {13, "CloseUp"},        {14, "DropDown"},     {15, "OnValidate"},   {16, "CalcBtnClick"},
    {-600, "Click"},        {-601, "DblClick"},   {-602, "KeyDown"},    {-603, "KeyPress"},
    {-604, "KeyUp"},        {-605, "MouseDown"},  {-606, "MouseMove"},  {-607, "MouseUp"},
    {-608, "Error"},
};

}  // namespace

std::span<const Member> Members() { return kMembers; }
std::span<const Method> Methods() { return kMethods; }
std::span<const Event> Events() { return kEvents; }

const Member* FindMember(const QString& name) {
  for (const Member& m : kMembers) {
    if (name.compare(QLatin1String(m.name), Qt::CaseInsensitive) == 0) return &m;
  }
  return nullptr;
}

const Member* FindMember(int dispid) {
  for (const Member& m : kMembers) {
    if (m.dispid == dispid) return &m;
  }
  return nullptr;
}

namespace {

[[noreturn]] void NoSuchMember() { throw NumError(438, "Object doesn't support this property or method"); }

const Member& MemberNamed(const QString& name) {
  const Member* m = FindMember(name);
  if (!m) NoSuchMember();
  return *m;
}

}  // namespace

QVariant GetProperty(CNumCtrl& field, const QString& name, const QVariant& index) {
  return MemberNamed(name).getter(field, index);
}

void SetProperty(CNumCtrl& field, const QString& name, const QVariant& value, const QVariant& index) {
  const Member& m = MemberNamed(name);
  if (!m.setter) throw NumError(383, "Property is read-only");
  m.setter(field, value, index);
}

QVariant CallMethod(CNumCtrl& field, const QString& name, const QVariantList& args) {
  for (const Method& m : kMethods) {
    if (name.compare(QLatin1String(m.name), Qt::CaseInsensitive) == 0) {
      CheckArguments(args, m.arguments);
      return m.call(field, args);
    }
  }
  NoSuchMember();
}

}  // namespace numbox
