#include "numbox/PropertyExchange.h"

#include "numbox/CNumCtrl.h"
#include "numbox/CTipWnd.h"
#include "numbox/NumServices.h"

#include <QPixmap>

#include <array>
#include <span>
#include <variant>

namespace numbox {

namespace {

// A property's value, by its type in the stream: Boolean, short, long,
// colour, text, font, picture (only "none" is ever held).
using Value = std::variant<Flag, short, qint32, OleColor, QString, FontDesc, std::monostate>;
// Where the field keeps it, in the same order of types.
using Slot = std::variant<Flag*, short*, qint32*, OleColor*, QString*, FontDesc*, QPixmap*>;

const char* const kTypeNames[] = {"Boolean", "short", "long", "colour", "text", "font", "picture"};

}  // namespace

struct PropertyExchange::Row {
  const char* key;
  Slot (*slot)(CNumCtrl&);
  Value defaultValue;
};

namespace {

constexpr quint32 kVersion = 0x00010000;
constexpr quint32 kStockBackColor = 0x01, kStockFont = 0x04, kStockForeColor = 0x08, kStockEnabled = 0x40;
constexpr quint32 kStockMask = kStockForeColor | kStockBackColor | kStockFont | kStockEnabled;

// The class identity of the standard font object, as stored.
constexpr std::array<quint8, 16> kFontClassId = {0x03, 0x52, 0xE3, 0x0B, 0x91, 0x8F, 0xCE, 0x11,
                                                 0x9D, 0xE3, 0x00, 0xAA, 0x00, 0x4B, 0xB8, 0x51};
constexpr quint8 kFontAttrItalic = 0x02, kFontAttrUnderline = 0x04, kFontAttrStrikeout = 0x08;

// The bag keys of the head.
const char* const kBagVersion = "_Version";
const char* const kBagExtentX = "_ExtentX";
const char* const kBagExtentY = "_ExtentY";
const char* const kBagStockProps = "_StockProps";

// ---- Windows-1252 texts -----------------------------------------------------

// Bytes to text; the five codes that name no character keep their code
// point, so that every byte comes back as it was.
QString DecodeText(const QByteArray& bytes) {
  QString text;
  text.reserve(bytes.size());
  for (char b : bytes) {
    const int code = static_cast<unsigned char>(b);
    const QChar c = AnsiChar(code);
    text += c == QChar(0xFFFD) ? QChar(static_cast<char16_t>(code)) : c;
  }
  return text;
}

QByteArray EncodeText(const QString& text) {
  QByteArray bytes;
  bytes.reserve(text.size());
  for (QChar c : text) {
    int code = AnsiCode(c);
    if (code < 0 && c.unicode() >= 0x80 && c.unicode() < 0xA0) code = c.unicode();
    bytes.append(static_cast<char>(code < 0 ? '?' : code));
  }
  return bytes;
}

// A stream or named value that the field cannot take (or a field it cannot store).
[[noreturn]] void Fail(const QString& message) { throw PropertyStreamError(message); }

[[noreturn]] void FailOnPicture(const char* key) {
  Fail(QString("%1 holds a picture, which the field cannot take.").arg(key));
}

// ---- reading ------------------------------------------------------------------

class Reader {
 public:
  explicit Reader(const QByteArray& bytes) : bytes_(bytes) {}

  quint8 Byte(const char* what) {
    Need(1, what);
    return static_cast<quint8>(bytes_[pos_++]);
  }
  quint16 Word(const char* what) {
    Need(2, what);
    const quint16 v = static_cast<quint16>(static_cast<quint8>(bytes_[pos_]) | (static_cast<quint8>(bytes_[pos_ + 1]) << 8));
    pos_ += 2;
    return v;
  }
  quint32 Long(const char* what) {
    Need(4, what);
    quint32 v = 0;
    for (int i = 3; i >= 0; --i) v = (v << 8) | static_cast<quint8>(bytes_[pos_ + i]);
    pos_ += 4;
    return v;
  }
  QByteArray Bytes(qint64 n, const char* what) {
    Need(n, what);
    QByteArray out = bytes_.mid(pos_, n);
    pos_ += n;
    return out;
  }
  QString Text(const char* what) {
    qint64 length = Byte(what);
    if (length == 0xFF) {
      length = Word(what);
      if (length == 0xFFFE) Fail(QString("The text of %1 is not in a form the field reads.").arg(what));
      if (length == 0xFFFF) length = Long(what);
    }
    return DecodeText(Bytes(length, what));
  }
  std::optional<FontDesc> Font(const char* what) {
    const quint8 flag = Byte(what);
    if (flag == 0xFF) return std::nullopt;
    if (flag != 0x00) Fail(QString("The font of %1 is not in a form the field reads.").arg(what));
    const QByteArray id = Bytes(16, what);
    if (!std::equal(kFontClassId.begin(), kFontClassId.end(), id.begin(), [](quint8 a, char b) {
          return a == static_cast<quint8>(b);
        })) {
      Fail(QString("The font of %1 is not a font object.").arg(what));
    }
    if (Byte(what) != 0x01) Fail(QString("The font of %1 has a version the field does not read.").arg(what));
    FontDesc f;
    f.charset = static_cast<short>(Word(what));
    const quint8 attributes = Byte(what);
    f.italic = attributes & kFontAttrItalic;
    f.underline = attributes & kFontAttrUnderline;
    f.strikeout = attributes & kFontAttrStrikeout;
    f.weight = static_cast<short>(Word(what));
    f.size = static_cast<qint32>(Long(what));
    f.name = DecodeText(Bytes(Byte(what), what));
    return f;
  }

 private:
  void Need(qint64 n, const char* what) {
    if (pos_ + n > bytes_.size()) Fail(QString("The property data ends before %1.").arg(what));
  }

  const QByteArray& bytes_;
  qint64 pos_ = 0;
};

// ---- writing ------------------------------------------------------------------

class Writer {
 public:
  void Byte(quint8 v) { out_.append(static_cast<char>(v)); }
  void Word(quint16 v) {
    Byte(v & 0xFF);
    Byte(v >> 8);
  }
  void Long(quint32 v) {
    for (int i = 0; i < 4; ++i) Byte((v >> (8 * i)) & 0xFF);
  }
  void Text(const QString& text) {
    const QByteArray bytes = EncodeText(text);
    const qint64 n = bytes.size();
    if (n < 0xFF) {
      Byte(static_cast<quint8>(n));
    } else if (n < 0xFFFE) {
      Byte(0xFF);
      Word(static_cast<quint16>(n));
    } else {
      Byte(0xFF);
      Word(0xFFFF);
      Long(static_cast<quint32>(n));
    }
    out_.append(bytes);
  }
  void Font(const std::optional<FontDesc>& font) {
    if (!font) {
      Byte(0xFF);
      return;
    }
    Byte(0x00);
    for (quint8 b : kFontClassId) Byte(b);
    Byte(0x01);
    Word(static_cast<quint16>(font->charset));
    Byte(static_cast<quint8>((font->italic ? kFontAttrItalic : 0) | (font->underline ? kFontAttrUnderline : 0) |
                             (font->strikeout ? kFontAttrStrikeout : 0)));
    Word(static_cast<quint16>(font->weight));
    Long(static_cast<quint32>(font->size));
    const QByteArray name = EncodeText(font->name).left(255);
    Byte(static_cast<quint8>(name.size()));
    out_.append(name);
  }
  QByteArray Bytes() const { return out_; }

 private:
  QByteArray out_;
};

// ---- the head ------------------------------------------------------------------

struct Head {
  QSize extent;
  OleColor foreColor = kSystemWindowText;
  OleColor backColor = kSystemWindow;
  std::optional<FontDesc> font;  // none: the host's font
  Flag enabled = Flag::Default(true);
};

}  // namespace

struct PropertyExchange::Image {
  Head head;
  std::vector<Value> values;
};

namespace {

QVariant BagValue(const Value& v) {
  return std::visit(
      [](const auto& x) -> QVariant {
        using T = std::decay_t<decltype(x)>;
        if constexpr (std::is_same_v<T, Flag>) {
          return QVariant(static_cast<bool>(x));
        } else if constexpr (std::is_same_v<T, short>) {
          return QVariant::fromValue(x);
        } else if constexpr (std::is_same_v<T, qint32>) {
          return QVariant::fromValue(x);
        } else if constexpr (std::is_same_v<T, OleColor>) {
          return QVariant::fromValue(x);
        } else if constexpr (std::is_same_v<T, QString>) {
          return QVariant(x);
        } else if constexpr (std::is_same_v<T, FontDesc>) {
          return QVariant::fromValue(x);
        } else {
          return QVariant();
        }
      },
      v);
}

// A named value as the type of `like`; a value of another kind is refused.
Value FromBag(const QVariant& in, const Value& like, const char* key) {
  auto fail = [&]() -> Value {
    Fail(QString("The value of %1 is not a %2.").arg(key, kTypeNames[like.index()]));
  };
  auto number = [&](qint64 low, qint64 high) -> qint64 {
    bool ok = false;
    const qint64 n = in.toLongLong(&ok);
    if (!ok || n < low || n > high) fail();
    return n;
  };
  switch (like.index()) {
    case 0:
      if (!in.canConvert<bool>()) return fail();
      return Flag{} = in.toBool();
    case 1: return static_cast<short>(number(-32768, 32767));
    case 2: return static_cast<qint32>(number(-2147483648LL, 2147483647LL));
    case 3: return static_cast<OleColor>(number(-2147483648LL, 4294967295LL));
    case 4:
      if (in.typeId() != QMetaType::QString) return fail();
      return in.toString();
    case 5:
      if (!in.canConvert<FontDesc>()) return fail();
      return in.value<FontDesc>();
    default:
      if (in.isValid() && !in.isNull()) FailOnPicture(key);
      return std::monostate{};
  }
}

}  // namespace


std::span<const PropertyExchange::Row> PropertyExchange::Rows() {
  using C = CNumCtrl&;
  const FontDesc kBold9 = FontDesc::SansSerif(90000, 900);
  const FontDesc kPlain9 = FontDesc::SansSerif(90000, 400);
  const Flag yes = Flag::Default(true), no = Flag::Default(false);
  static const Row rows[] = {
      // The edit base's properties.
      {"Format", [](C c) -> Slot { return &c.format_; }, QString()},
      {"BorderStyle", [](C c) -> Slot { return &c.borderStyle_; }, short{1}},
      {"Appearance", [](C c) -> Slot { return &c.appearance_; }, short{1}},
      {"KeepFocusOnError", [](C c) -> Slot { return &c.keepFocusOnError_; }, no},
      {"CaretStyle", [](C c) -> Slot { return &c.caretStyle_; }, short{0}},
      {"CaretPicture", [](C c) -> Slot { return &c.caretPicture_; }, std::monostate{}},
      {"AllowNull", [](C c) -> Slot { return &c.allowNull_; }, yes},
      {"NullText", [](C c) -> Slot { return &c.nullText_; }, QString()},
      {"NullForeColor", [](C c) -> Slot { return &c.nullForeColor_; }, kIgnoreColor},
      {"NullBackColor", [](C c) -> Slot { return &c.nullBackColor_; }, kIgnoreColor},
      {"NullFont", [](C c) -> Slot { return &c.nullFont_; }, FontDesc::SansSerif(90000, 400, true)},
      {"FocusForeColor", [](C c) -> Slot { return &c.focusForeColor_; }, kIgnoreColor},
      {"FocusBackColor", [](C c) -> Slot { return &c.focusBackColor_; }, kIgnoreColor},
      {"MaskErrorForeColor", [](C c) -> Slot { return &c.maskErrorForeColor_; }, OleColor{0x000000FF}},
      {"MaskErrorBackColor", [](C c) -> Slot { return &c.maskErrorBackColor_; }, kIgnoreColor},
      {"ReadOnlyForeColor", [](C c) -> Slot { return &c.readOnlyForeColor_; }, kIgnoreColor},
      {"ReadOnlyBackColor", [](C c) -> Slot { return &c.readOnlyBackColor_; }, kSystemButtonFace},
      {"SelForeColor", [](C c) -> Slot { return &c.selForeColor_; }, kSystemHighlightText},
      {"SelBackColor", [](C c) -> Slot { return &c.selBackColor_; }, kSystemHighlight},
      {"MousePointer", [](C c) -> Slot { return &c.mousePointer_; }, short{0}},
      {"MouseIcon", [](C c) -> Slot { return &c.mouseIcon_; }, std::monostate{}},
      {"AutoSelect", [](C c) -> Slot { return &c.autoSelect_; }, no},
      {"AutoTab", [](C c) -> Slot { return &c.autoTab_; }, no},
      {"TabOnEnter", [](C c) -> Slot { return &c.tabOnEnter_; }, no},
      {"Locked", [](C c) -> Slot { return &c.locked_; }, no},
      {"HideSelection", [](C c) -> Slot { return &c.hideSelection_; }, yes},
      {"StatusBarControlName", [](C c) -> Slot { return &c.statusBarControlName_; }, QString()},
      {"StatusBarPropName", [](C c) -> Slot { return &c.statusBarPropName_; }, QString()},
      {"StatusBarRestoreText", [](C c) -> Slot { return &c.statusBarRestoreText_; }, QString()},
      {"StatusBarText", [](C c) -> Slot { return &c.statusBarText_; }, QString()},
      {"AllowEscape", [](C c) -> Slot { return &c.allowEscape_; }, yes},
      {"EllipsesButton", [](C c) -> Slot { return &c.ellipsesButton_; }, no},
      {"EllipsesButtonEnabled", [](C c) -> Slot { return &c.ellipsesButtonEnabled_; }, yes},
      {"EllipsesButtonWidth", [](C c) -> Slot { return &c.ellipsesButtonWidth_; }, short{16}},
      {"EllipsesButtonPic", [](C c) -> Slot { return &c.ellipsesButtonPic_; }, std::monostate{}},
      {"EllipsesButtonPicDisabled", [](C c) -> Slot { return &c.ellipsesButtonPicDisabled_; }, std::monostate{}},
      // The same property as the stock BackColor: this value is the one that stays.
      {"BackColor", [](C c) -> Slot { return &c.backColor_; }, kSystemWindow},
      {"MaskErrorBeep", [](C c) -> Slot { return &c.maskErrorBeep_; }, yes},
      // The field's own.
      {"Alignment", [](C c) -> Slot { return &c.alignment_; }, short{1}},
      {"DisplayAlignment", [](C c) -> Slot { return &c.displayAlignment_; }, short{3}},
      {"Text", [](C c) -> Slot { return &c.engine_.storedText_; }, QString()},
      {"ToolTipText", [](C c) -> Slot { return &c.toolTipText_; }, QString()},
      {"AllowEdit", [](C c) -> Slot { return &c.allowEdit_; }, yes},
      {"ClipLiterals", [](C c) -> Slot { return &c.clipLiterals_; }, no},
      {"DataField", [](C c) -> Slot { return &c.dataField_; }, QString()},
      {"ValidateType", [](C c) -> Slot { return &c.engine_.ValidateType; }, short{0}},
      {"ValidateRangeHigh", [](C c) -> Slot { return &c.engine_.ValidateRangeHigh; }, QString()},
      {"ValidateRangeLow", [](C c) -> Slot { return &c.engine_.ValidateRangeLow; }, QString()},
      {"SpinButton", [](C c) -> Slot { return &c.spinButton_; }, no},
      {"SpinButtonWidth", [](C c) -> Slot { return &c.spinButtonWidth_; }, short{13}},
      {"SpinButtonEnabled", [](C c) -> Slot { return &c.spinButtonEnabled_; }, yes},
      {"SpinKeys", [](C c) -> Slot { return &c.spinKeys_; }, yes},
      {"SpinValue", [](C c) -> Slot { return &c.engine_.SpinValue; }, QString("1")},
      {"NegBackColor", [](C c) -> Slot { return &c.negBackColor_; }, kIgnoreColor},
      {"NegForeColor", [](C c) -> Slot { return &c.negForeColor_; }, kIgnoreColor},
      {"CalcDropDown", [](C c) -> Slot { return &c.calcDropDown_; }, yes},
      {"CalcBackColor", [](C c) -> Slot { return &c.calc_.backColor; }, kIgnoreColor},
      {"CalcDispBackColor", [](C c) -> Slot { return &c.calc_.dispBackColor; }, OleColor{0x00808080}},
      {"CalcDispForeColor", [](C c) -> Slot { return &c.calc_.dispForeColor; }, OleColor{0x00FFFFFF}},
      {"CalcDispFont", [](C c) -> Slot { return &c.calc_.dispFont; }, kBold9},
      {"CalcBtnForeColor", [](C c) -> Slot { return &c.calc_.btnForeColor; }, kIgnoreColor},
      {"CalcBtnBackColor", [](C c) -> Slot { return &c.calc_.btnBackColor; }, kIgnoreColor},
      {"CalcBtnFont", [](C c) -> Slot { return &c.calc_.btnFont; }, kBold9},
      {"CalcBtnClrForeColor", [](C c) -> Slot { return &c.calc_.btnClrForeColor; }, OleColor{0x000000FF}},
      {"CalcBtnMemForeColor", [](C c) -> Slot { return &c.calc_.btnMemForeColor; }, OleColor{0x000000FF}},
      {"CalcBtnOpForeColor", [](C c) -> Slot { return &c.calc_.btnOpForeColor; }, OleColor{0x00FF0000}},
      {"CalcMemFont", [](C c) -> Slot { return &c.calc_.memFont; }, kPlain9},
      {"CalcMemText", [](C c) -> Slot { return &c.calc_.memText; }, QString("M")},
      {"CalcMemForeColor", [](C c) -> Slot { return &c.calc_.memForeColor; }, OleColor{0x000000FF}},
      {"CalcMemBackColor", [](C c) -> Slot { return &c.calc_.memBackColor; }, kIgnoreColor},
      {"CalcErrorText", [](C c) -> Slot { return &c.calc_.errorText; }, QString("ERROR")},
      {"CalcWidth", [](C c) -> Slot { return &c.calc_.width; }, qint32{150}},
      {"CalcHeight", [](C c) -> Slot { return &c.calc_.height; }, qint32{150}},
      {"MaskPosFormat", [](C c) -> Slot { return &c.engine_.mask.MaskPosFormat; }, short{0}},
      {"MaskCurrencySymbol", [](C c) -> Slot { return &c.engine_.mask.MaskCurrencySymbol; }, QString()},
      {"MaskDecimalChar", [](C c) -> Slot { return &c.engine_.mask.MaskDecimalChar; }, QString()},
      {"MaskDecimalFixed", [](C c) -> Slot { return &c.engine_.mask.MaskDecimalFixed; }, no},
      {"MaskDecimalPlaces", [](C c) -> Slot { return &c.engine_.mask.MaskDecimalPlaces; }, short{-1}},
      {"MaskNegFormat", [](C c) -> Slot { return &c.engine_.mask.MaskNegFormat; }, short{0}},
      {"MaskShowCurrency", [](C c) -> Slot { return &c.engine_.mask.MaskShowCurrency; }, no},
      {"MaskShowThousandSep", [](C c) -> Slot { return &c.engine_.mask.MaskShowThousandSep; }, no},
      {"MaskThousandDigits", [](C c) -> Slot { return &c.engine_.mask.MaskThousandDigits; }, short{-1}},
      {"MaskThousandSep", [](C c) -> Slot { return &c.engine_.mask.MaskThousandSep; }, QString()},
      {"MaskAllowLeadZeros", [](C c) -> Slot { return &c.engine_.mask.MaskAllowLeadZeros; }, no},
      {"MaskZeroIfNull", [](C c) -> Slot { return &c.engine_.mask.MaskZeroIfNull; }, yes},
      {"MaskWholePlaces", [](C c) -> Slot { return &c.engine_.mask.MaskWholePlaces; }, short{-1}},
      {"MaskAllowNegative", [](C c) -> Slot { return &c.engine_.mask.MaskAllowNegative; }, yes},
      {"MaskType", [](C c) -> Slot { return &c.engine_.mask.MaskType; }, short{1}},
      {"CaretStyleOvertype", [](C c) -> Slot { return &c.caretStyleOvertype_; }, short{1}},
      {"CaretPictureOvertype", [](C c) -> Slot { return &c.caretPictureOvertype_; }, std::monostate{}},
      {"InsertMode", [](C c) -> Slot { return &c.insertMode_; }, yes},
      {"AllowInsertModeChange", [](C c) -> Slot { return &c.allowInsertModeChange_; }, yes},
      {"DataType", [](C c) -> Slot { return &c.engine_.DataType; }, short{5}},
      // The tool tip's.
      {"ToolTips", [](C c) -> Slot { return &c.tip_->enabled_; }, yes},
      {"ToolTipDelay", [](C c) -> Slot { return &c.tip_->delay_; }, qint32{750}},
      {"ToolTipTimeout", [](C c) -> Slot { return &c.tip_->timeout_; }, qint32{5000}},
      {"ToolTipBackColor", [](C c) -> Slot { return &c.tip_->backColor_; }, OleColor{0x80000018}},
      {"ToolTipForeColor", [](C c) -> Slot { return &c.tip_->foreColor_; }, OleColor{0x80000017}},
      {"ToolTipFont", [](C c) -> Slot { return &c.tip_->font_; }, kPlain9},
  };
  return rows;
}

QStringList PropertyExchange::Keys() {
  QStringList keys;
  for (const Row& row : Rows()) keys << row.key;
  return keys;
}

namespace {

Value ReadValue(Reader& in, const Value& like, const char* key) {
  switch (like.index()) {
    case 0: return Flag::Stored(in.Byte(key));
    case 1: return static_cast<short>(in.Word(key));
    case 2: return static_cast<qint32>(in.Long(key));
    case 3: return static_cast<OleColor>(in.Long(key));
    case 4: return in.Text(key);
    case 5: return in.Font(key).value_or(std::get<FontDesc>(like));
    default:
      if (in.Byte(key) != 0xFF) FailOnPicture(key);
      return std::monostate{};
  }
}

void WriteValue(Writer& out, const Value& v, const Value& defaultValue) {
  std::visit(
      [&](const auto& x) {
        using T = std::decay_t<decltype(x)>;
        if constexpr (std::is_same_v<T, Flag>) {
          out.Byte(x.Byte());
        } else if constexpr (std::is_same_v<T, short>) {
          out.Word(static_cast<quint16>(x));
        } else if constexpr (std::is_same_v<T, qint32>) {
          out.Long(static_cast<quint32>(x));
        } else if constexpr (std::is_same_v<T, OleColor>) {
          out.Long(x);
        } else if constexpr (std::is_same_v<T, QString>) {
          out.Text(x);
        } else if constexpr (std::is_same_v<T, FontDesc>) {
          // A font equal to its default is written as "the default".
          out.Font(x == std::get<FontDesc>(defaultValue) ? std::nullopt : std::optional<FontDesc>(x));
        } else {
          out.Byte(0xFF);
        }
      },
      v);
}

// The value in a slot; a picture that is set cannot be stored.
Value Get(const Slot& slot, const char* key) {
  return std::visit(
      [&](auto* p) -> Value {
        using T = std::remove_pointer_t<decltype(p)>;
        if constexpr (std::is_same_v<T, QPixmap>) {
          if (!p->isNull()) Fail(QString("%1 holds a picture, which the field cannot store.").arg(key));
          return std::monostate{};
        } else {
          return *p;
        }
      },
      slot);
}

void Put(const Slot& slot, const Value& v) {
  std::visit(
      [&](auto* p) {
        using T = std::remove_pointer_t<decltype(p)>;
        if constexpr (std::is_same_v<T, QPixmap>) {
          *p = QPixmap();
        } else if constexpr (std::is_same_v<T, Flag>) {
          *p = std::get<Flag>(v);
        } else if constexpr (std::is_same_v<T, short>) {
          *p = std::get<short>(v);
        } else if constexpr (std::is_same_v<T, qint32>) {
          *p = std::get<qint32>(v);
        } else if constexpr (std::is_same_v<T, OleColor>) {
          *p = std::get<OleColor>(v);
        } else if constexpr (std::is_same_v<T, QString>) {
          *p = std::get<QString>(v);
        } else {
          *p = std::get<FontDesc>(v);
        }
      },
      slot);
}

}  // namespace

// ---- save, load, reset ------------------------------------------------------------

QByteArray PropertyExchange::Save(const CNumCtrl& constField) {
  CNumCtrl& field = const_cast<CNumCtrl&>(constField);  // read only
  Writer out;
  const QSize extent = field.Extent();
  out.Long(kVersion);
  out.Long(static_cast<quint32>(extent.width()));
  out.Long(static_cast<quint32>(extent.height()));
  out.Long(kStockMask);
  out.Long(field.foreColor_);
  out.Long(field.backColor_);
  out.Font(field.font_);
  out.Byte(field.enabled_.Byte());
  for (const Row& row : Rows()) WriteValue(out, Get(row.slot(field), row.key), row.defaultValue);
  return out.Bytes();
}

void PropertyExchange::Load(CNumCtrl& field, const QByteArray& bytes) {
  Reader in(bytes);
  Image image;
  in.Long("the version");  // any version is read with this layout
  image.head.extent.setWidth(static_cast<qint32>(in.Long("the width")));
  image.head.extent.setHeight(static_cast<qint32>(in.Long("the height")));
  const quint32 mask = in.Long("the stock properties");
  if (mask & kStockForeColor) image.head.foreColor = in.Long("ForeColor");
  if (mask & kStockBackColor) image.head.backColor = in.Long("BackColor");
  if (mask & kStockFont) image.head.font = in.Font("Font");
  if (mask & kStockEnabled) image.head.enabled = Flag::Stored(in.Byte("Enabled"));
  for (const Row& row : Rows()) image.values.push_back(ReadValue(in, row.defaultValue, row.key));
  Apply(field, image);
}

void PropertyExchange::Reset(CNumCtrl& field) {
  Image image;
  image.head.extent = field.Extent();
  for (const Row& row : Rows()) image.values.push_back(row.defaultValue);
  Apply(field, image);
}

void PropertyExchange::Apply(CNumCtrl& field, const Image& image) {
  field.SetExtent(image.head.extent);
  field.foreColor_ = image.head.foreColor;
  field.backColor_ = image.head.backColor;
  field.font_ = image.head.font;
  // Without a font of its own the field takes its host's again.
  field.setFont(image.head.font ? image.head.font->ToQFont() : QFont());
  field.enabled_ = image.head.enabled;
  field.setEnabled(image.head.enabled);
  const auto rows = Rows();
  for (std::size_t i = 0; i < rows.size(); ++i) Put(rows[i].slot(field), image.values[i]);
  field.PropertiesLoaded();
  field.SetModified(false);
  field.update();
}

// ---- named values -------------------------------------------------------------------

QVariantMap PropertyExchange::SaveToBag(const CNumCtrl& constField) {
  CNumCtrl& field = const_cast<CNumCtrl&>(constField);  // read only
  QVariantMap bag;
  const QSize extent = field.Extent();
  bag[kBagVersion] = kVersion;
  bag[kBagExtentX] = extent.width();
  bag[kBagExtentY] = extent.height();
  bag[kBagStockProps] = kStockMask;
  bag["ForeColor"] = field.foreColor_;
  if (field.font_) bag["Font"] = QVariant::fromValue(*field.font_);
  bag["Enabled"] = static_cast<bool>(field.enabled_);
  for (const Row& row : Rows()) {
    const QVariant v = BagValue(Get(row.slot(field), row.key));
    if (v.isValid()) bag[row.key] = v;
  }
  return bag;
}

void PropertyExchange::LoadFromBag(CNumCtrl& field, const QVariantMap& bag) {
  Image image;
  auto take = [&](const char* key, const Value& like) {
    const auto it = bag.find(key);
    return it == bag.end() ? like : FromBag(*it, like, key);
  };
  const QSize extent = field.Extent();
  image.head.extent = QSize(std::get<qint32>(take(kBagExtentX, qint32{extent.width()})),
                            std::get<qint32>(take(kBagExtentY, qint32{extent.height()})));
  image.head.foreColor = std::get<OleColor>(take("ForeColor", kSystemWindowText));
  image.head.backColor = std::get<OleColor>(take("BackColor", kSystemWindow));
  if (bag.contains("Font")) image.head.font = std::get<FontDesc>(FromBag(bag["Font"], FontDesc{}, "Font"));
  image.head.enabled = std::get<Flag>(take("Enabled", Flag::Default(true)));
  for (const Row& row : Rows()) image.values.push_back(take(row.key, row.defaultValue));
  Apply(field, image);
}

}  // namespace numbox
