// The stored property stream of the numeric field: the bytes that the tax
// entry control keeps for each amount line, read and written exactly,
// stock properties by their mask, Booleans that keep their byte, texts in
// Windows-1252, refused streams that leave the field alone, reset, and the
// same properties as named values.

#include "NumboxFixture.h"

#include "numbox/PropertyExchange.h"

#include <QSignalSpy>

#include <functional>
#include <optional>

namespace numbox::testing {
namespace {

using NumboxStreamTest = NumboxTest;

// A font object as stored: name, size in points × 10000, weight, italic.
struct StoredFont {
  const char* name;
  quint32 size;
  quint16 weight;
  bool italic;
};

// Builds property data byte by byte, field after field.
class StreamBytes {
 public:
  StreamBytes& Long(quint32 v) {
    for (int i = 0; i < 4; ++i) bytes_.append(static_cast<char>((v >> (8 * i)) & 0xFF));
    return *this;
  }
  StreamBytes& Short(qint16 v) {
    bytes_.append(static_cast<char>(v & 0xFF));
    bytes_.append(static_cast<char>((static_cast<quint16>(v) >> 8) & 0xFF));
    return *this;
  }
  StreamBytes& Byte(quint8 v) {
    bytes_.append(static_cast<char>(v));
    return *this;
  }
  StreamBytes& Text(const QByteArray& text) {
    Byte(static_cast<quint8>(text.size()));
    bytes_.append(text);
    return *this;
  }
  StreamBytes& Font(std::optional<StoredFont> font) {
    if (!font) return Byte(0xFF);
    Byte(0x00);
    const quint8 classId[16] = {0x03, 0x52, 0xE3, 0x0B, 0x91, 0x8F, 0xCE, 0x11,
                                0x9D, 0xE3, 0x00, 0xAA, 0x00, 0x4B, 0xB8, 0x51};
    for (quint8 b : classId) Byte(b);
    Byte(0x01).Short(0).Byte(font->italic ? 0x02 : 0x00).Short(static_cast<qint16>(font->weight)).Long(font->size);
    return Text(font->name);
  }
  StreamBytes& NoPicture() { return Byte(0xFF); }
  QByteArray Bytes() const { return bytes_; }
  int Size() const { return static_cast<int>(bytes_.size()); }

 private:
  QByteArray bytes_;
};

constexpr quint8 kTrue = 0x01, kFalse = 0x00, kSetTrue = 0xFF;
constexpr quint32 kUnset = 0x01000001;
const StoredFont kNullFont{"MS Sans Serif", 82500, 400, true};
const StoredFont kBold{"MS Sans Serif", 82500, 700, false};
const StoredFont kPlain{"MS Sans Serif", 82500, 400, false};

// What differs between the stored amount lines.
struct Line {
  QByteArray dataField = "Secured";
  qint16 wholePlaces = 10;
  quint8 decimalFixed = kFalse;
  quint8 enabled = kTrue;
  quint32 backColor = 0x80000005;
  quint32 stockMask = 0x4D;
};

// The stored property data of an amount line of the tax entry control, in
// the order the stream lays its fields down.
QByteArray AmountLine(const Line& line = {}) {
  StreamBytes s;
  s.Long(0x00010000).Long(2646).Long(529).Long(line.stockMask);
  if (line.stockMask & 0x08) s.Long(0x80000012);                          // ForeColor
  if (line.stockMask & 0x01) s.Long(line.backColor);                       // BackColor
  if (line.stockMask & 0x04) s.Font(std::nullopt);                         // Font: the host's
  if (line.stockMask & 0x40) s.Byte(line.enabled);                         // Enabled
  s.Text("#,##0").Short(1).Short(1).Byte(kFalse);                         // Format, BorderStyle, Appearance, KeepFocusOnError
  s.Short(0).NoPicture().Byte(kTrue).Text("");                             // CaretStyle, CaretPicture, AllowNull, NullText
  s.Long(kUnset).Long(kUnset).Font(kNullFont);                             // NullForeColor, NullBackColor, NullFont
  s.Long(kUnset).Long(kUnset).Long(0x000000FF).Long(kUnset);               // Focus fore/back, MaskError fore/back
  s.Long(kUnset).Long(0x8000000F).Long(0x8000000E).Long(0x8000000D);       // ReadOnly fore/back, Sel fore/back
  s.Short(0).NoPicture();                                                  // MousePointer, MouseIcon
  s.Byte(kFalse).Byte(kFalse).Byte(kSetTrue).Byte(kFalse).Byte(kTrue);     // AutoSelect, AutoTab, TabOnEnter, Locked, HideSelection
  s.Text("").Text("").Text("").Text("");                                   // StatusBar name, prop, restore, text
  s.Byte(kTrue).Byte(kFalse).Byte(kTrue).Short(16);                        // AllowEscape, EllipsesButton(+Enabled, Width)
  s.NoPicture().NoPicture().Long(line.backColor).Byte(kTrue);              // ellipses pictures, BackColor, MaskErrorBeep
  s.Short(1).Short(3).Text("").Text("").Byte(kTrue).Byte(kFalse);          // Alignment, DisplayAlignment, Text, ToolTipText, AllowEdit, ClipLiterals
  s.Text(line.dataField).Short(0).Text("").Text("");                       // DataField, ValidateType, range high, low
  s.Byte(kFalse).Short(13).Byte(kTrue).Byte(kFalse).Text("1");             // SpinButton, width, enabled, SpinKeys, SpinValue
  s.Long(kUnset).Long(kUnset).Byte(kFalse);                                // NegBackColor, NegForeColor, CalcDropDown
  s.Long(kUnset).Long(0x00808080).Long(0x00FFFFFF).Font(kBold);            // CalcBackColor, display back/fore, CalcDispFont
  s.Long(kUnset).Long(kUnset).Font(kBold);                                 // CalcBtnForeColor, CalcBtnBackColor, CalcBtnFont
  s.Long(0x000000FF).Long(0x000000FF).Long(0x00FF0000);                    // Clr, Mem, Op fore colours
  s.Font(kPlain).Text("M").Long(0x000000FF).Long(kUnset).Text("ERROR");     // CalcMemFont, text, fore, back, CalcErrorText
  s.Long(150).Long(150);                                                   // CalcWidth, CalcHeight
  s.Short(0).Text("").Text("").Byte(line.decimalFixed).Short(0).Short(0);  // PosFormat, symbol, decimal char, fixed, places, NegFormat
  s.Byte(kFalse).Byte(kFalse).Short(-1).Text("").Byte(kFalse);             // ShowCurrency, ShowThousandSep, ThousandDigits, sep, LeadZeros
  s.Byte(kTrue).Short(line.wholePlaces).Byte(kTrue).Short(0);              // ZeroIfNull, WholePlaces, AllowNegative, MaskType
  s.Short(1).NoPicture().Byte(kTrue).Byte(kTrue).Short(4);                 // CaretStyleOvertype, picture, InsertMode, AllowInsertModeChange, DataType
  s.Byte(kTrue).Long(750).Long(5000).Long(0x80000018).Long(0x80000017);    // ToolTips, delay, timeout, back, fore
  s.Font(kPlain);                                                          // ToolTipFont
  return s.Bytes();
}

QByteArray Hex(const char* spaced) { return QByteArray::fromHex(QByteArray(spaced).replace(' ', "")); }

TEST(NumboxStoredLayoutTest, TheSecuredLineIsLaidDownAsStored) {
  const QByteArray bytes = AmountLine();
  EXPECT_EQ(bytes.size(), 448);
  EXPECT_EQ(bytes.left(32), Hex("00 00 01 00 56 0A 00 00 11 02 00 00 4D 00 00 00 12 00 00 80 05 00 00 80 FF 01 05 "
                                "23 2C 23 23 30"));
  EXPECT_EQ(static_cast<quint8>(bytes[128]), 0xFF);  // TabOnEnter
  EXPECT_EQ(bytes.mid(155, 8), QByteArray("\x07Secured"));
}

TEST_F(NumboxStreamTest, TheSecuredLineLoadsItsSettingsWithoutChangeAndSavesTheSameBytes) {
  CNumCtrl* field = AddField();
  field->SetText("12");
  QSignalSpy changes(field, &CNumCtrl::Change);
  const QByteArray stored = AmountLine();
  field->Load(stored);
  EXPECT_EQ(changes.count(), 0);
  EXPECT_FALSE(field->IsModified());
  EXPECT_EQ(field->Extent(), QSize(2646, 529));
  EXPECT_EQ(field->ForeColor(), 0x80000012u);
  EXPECT_EQ(field->BackColor(), 0x80000005u);
  EXPECT_FALSE(field->HasOwnFont());
  EXPECT_TRUE(field->Enabled());
  EXPECT_EQ(field->Format(), "#,##0");
  EXPECT_TRUE(field->TabOnEnter());
  EXPECT_EQ(field->NullFont(), FontDesc::SansSerif(82500, 400, true));
  EXPECT_EQ(field->DataField(), "Secured");
  EXPECT_FALSE(field->SpinKeys());
  EXPECT_FALSE(field->CalcDropDown());
  EXPECT_EQ(field->CalcDispFont(), FontDesc::SansSerif(82500, 700));
  EXPECT_EQ(field->CalcBtnFont(), FontDesc::SansSerif(82500, 700));
  EXPECT_EQ(field->CalcMemFont(), FontDesc::SansSerif(82500, 400));
  EXPECT_EQ(field->ToolTipFont(), FontDesc::SansSerif(82500, 400));
  EXPECT_EQ(field->MaskDecimalPlaces(), 0);
  EXPECT_EQ(field->MaskWholePlaces(), 10);
  EXPECT_EQ(field->MaskType(), 0);
  EXPECT_EQ(field->DataType(), 4);
  // A few of the defaults, among them what the tax form relies on.
  EXPECT_TRUE(field->MaskAllowNegative());
  EXPECT_TRUE(field->AllowNull());
  EXPECT_TRUE(field->MaskZeroIfNull());
  EXPECT_FALSE(field->Locked());
  EXPECT_EQ(field->CalcErrorText(), "ERROR");
  EXPECT_EQ(field->ToolTipDelay(), 750);
  // The empty stored text is not taken; the empty value shows as 0.
  EXPECT_EQ(field->Text(), "0");
  EXPECT_EQ(field->Save(), stored);
}

TEST_F(NumboxStreamTest, AFieldSetUpThroughItsMembersSavesTheStoredBytes) {
  CNumCtrl* field = AddTaxLine();
  field->resize(100, 20);
  field->SetForeColor(0x80000012);
  field->SetNullFont(FontDesc::SansSerif(82500, 400, true));
  field->SetCalcDropDown(false);
  field->SetCalcDispFont(FontDesc::SansSerif(82500, 700));
  field->SetCalcBtnFont(FontDesc::SansSerif(82500, 700));
  field->SetCalcMemFont(FontDesc::SansSerif(82500, 400));
  field->SetToolTipFont(FontDesc::SansSerif(82500, 400));
  // (DataField is left out: setting it reads the bound value, and with no
  // source that is an empty value, stored as "0".)
  Line unbound;
  unbound.dataField = "";
  EXPECT_EQ(field->Save(), AmountLine(unbound));
}

TEST_F(NumboxStreamTest, TheStoredLinesDifferOnlyWhereTheirSettingsDo) {
  struct Case {
    const char* name;
    Line line;
  } cases[] = {
      {"Total: disabled and grey, twelve whole places", {"Total", 12, kFalse, kFalse, 0x00C0C0C0}},
      {"a fixed number of decimals", {"DistributionPriorYearTax", 10, kSetTrue, kTrue, 0x80000005}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    CNumCtrl* field = AddField();
    const QByteArray stored = AmountLine(c.line);
    field->Load(stored);
    EXPECT_EQ(field->DataField(), QString(c.line.dataField));
    EXPECT_EQ(field->MaskWholePlaces(), c.line.wholePlaces);
    EXPECT_EQ(field->MaskDecimalFixed(), c.line.decimalFixed != 0);
    EXPECT_EQ(field->Enabled(), c.line.enabled != 0);
    EXPECT_EQ(field->BackColor(), c.line.backColor);
    EXPECT_EQ(field->Save(), stored);
  }
}

TEST_F(NumboxStreamTest, TheSecondBackColorIsTheOneThatStays) {
  QByteArray stored = AmountLine();
  stored.replace(20, 4, Hex("C0 C0 C0 00"));  // the stock BackColor only
  CNumCtrl* field = AddField();
  field->Load(stored);
  EXPECT_EQ(field->BackColor(), 0x80000005u);
  // Saved, both places hold the value that stayed.
  EXPECT_EQ(field->Save(), AmountLine());
}

TEST_F(NumboxStreamTest, StockPropertiesAreReadOnlyWhereTheMaskSaysSo) {
  Line line;
  line.stockMask = 0x49;  // no font
  CNumCtrl* field = AddField();
  field->SetFont(FontDesc::SansSerif(120000, 700));
  field->Load(AmountLine(line));
  EXPECT_FALSE(field->HasOwnFont());
  EXPECT_EQ(field->DataField(), "Secured");
  EXPECT_EQ(field->ToolTipFont(), FontDesc::SansSerif(82500, 400));
  // The writer always writes the four stock properties.
  EXPECT_EQ(field->Save(), AmountLine());

  line.stockMask = 0x00;  // none: each takes its default
  CNumCtrl* bare = AddField();
  bare->SetForeColor(0x000000FF);
  bare->SetEnabled(false);
  bare->Load(AmountLine(line));
  EXPECT_EQ(bare->ForeColor(), 0x80000008u);
  EXPECT_TRUE(bare->Enabled());
  EXPECT_EQ(bare->BackColor(), 0x80000005u);
}

TEST_F(NumboxStreamTest, AStreamThatCannotBeReadLeavesTheFieldAsItWas) {
  CNumCtrl* field = AddField();
  field->SetText("7.5");
  field->SetToolTipText("Line seven");
  const QByteArray before = field->Save();
  const QByteArray stored = AmountLine();
  QByteArray picture = stored;
  picture[39] = 0x00;  // CaretPicture: a picture object follows
  QByteArray strangeFont = stored;
  strangeFont[50 + 1] = 0x04;  // NullFont: not the font object's class
  std::vector<std::pair<std::string, QByteArray>> refused = {{"a caret picture", picture},
                                                             {"another object as a font", strangeFont}};
  for (int length = 0; length < stored.size(); ++length) {
    refused.emplace_back("cut after " + std::to_string(length) + " bytes", stored.left(length));
  }
  QSignalSpy changes(field, &CNumCtrl::Change);
  for (const auto& [name, bytes] : refused) {
    SCOPED_TRACE(name);
    EXPECT_THROW(field->Load(bytes), PropertyStreamError);
    EXPECT_EQ(field->Save(), before);
  }
  EXPECT_EQ(changes.count(), 0);
  EXPECT_EQ(field->Text(), "7.5");
}

TEST_F(NumboxStreamTest, APictureThatIsSetCannotBeSaved) {
  CNumCtrl* field = AddField();
  QPixmap caret(5, 3);
  caret.fill(Qt::black);
  field->SetCaretPicture(caret);
  EXPECT_THROW(field->Save(), PropertyStreamError);
}

TEST_F(NumboxStreamTest, BooleansKeepTheByteTheyWereReadWith) {
  constexpr int kTabOnEnter = 128, kLocked = 129, kHideSelection = 130;
  const QByteArray stored = AmountLine();
  struct Case {
    const char* name;
    std::function<void(CNumCtrl*)> change;
    int offset;
    quint8 expected;
  } cases[] = {
      {"a stored 0xFF stays", [](CNumCtrl*) {}, kTabOnEnter, 0xFF},
      {"a stored 0x01 stays", [](CNumCtrl*) {}, kHideSelection, 0x01},
      {"True set by a program", [](CNumCtrl* f) { f->SetHideSelection(true); }, kHideSelection, 0xFF},
      {"False set by a program", [](CNumCtrl* f) { f->SetTabOnEnter(false); }, kTabOnEnter, 0x00},
      {"True after False", [](CNumCtrl* f) { f->SetLocked(true); }, kLocked, 0xFF},
      {"True as a default, after a reset", [](CNumCtrl* f) { f->Reset(); }, kHideSelection, 0x01},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    CNumCtrl* field = AddField();
    field->Load(stored);
    c.change(field);
    const QByteArray saved = field->Save();
    EXPECT_EQ(static_cast<quint8>(saved[c.offset]), c.expected);
  }
  // Any byte but 0 reads as True.
  QByteArray odd = stored;
  odd[kLocked] = 0x02;
  CNumCtrl* field = AddField();
  field->Load(odd);
  EXPECT_TRUE(field->Locked());
  EXPECT_EQ(field->Save(), odd);
}

TEST_F(NumboxStreamTest, TextsAreWindows1252AndLongOnesTakeALongerLength) {
  struct Case {
    QString text;
    QByteArray bytes;
  } cases[] = {
      {QString::fromUtf8("Caf\u00e9 \u2013 \u20ac5"), Hex("09 43 61 66 E9 20 96 20 80 35")},
      {QString(300, 'x'), Hex("FF 2C 01") + QByteArray(300, 'x')},
      {QString(254, 'y'), Hex("FE") + QByteArray(254, 'y')},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text.left(12).toStdString());
    CNumCtrl* field = AddField();
    field->SetToolTipText(c.text);
    const QByteArray saved = field->Save();
    EXPECT_TRUE(saved.contains(c.bytes));
    CNumCtrl* copy = AddField();
    copy->Load(saved);
    EXPECT_EQ(copy->ToolTipText(), c.text);
    EXPECT_EQ(copy->Save(), saved);
  }
}

TEST_F(NumboxStreamTest, ResetSaveAndLoadGiveEveryDefault) {
  // Everything but the size, which a reset keeps.
  auto settings = [](const CNumCtrl* f) {
    QVariantMap bag = f->SaveToBag();
    bag.remove("_ExtentX");
    bag.remove("_ExtentY");
    return bag;
  };
  const QVariantMap defaults = settings(AddField());
  CNumCtrl* field = AddField();
  field->Load(AmountLine());
  field->SetToolTipDelay(10);
  field->Reset();
  EXPECT_EQ(settings(field), defaults);
  EXPECT_EQ(field->Extent(), QSize(2646, 529));
  CNumCtrl* copy = AddField();
  copy->Load(AmountLine());
  copy->Load(field->Save());
  EXPECT_EQ(settings(copy), defaults);
  EXPECT_EQ(copy->Text(), "0");
}

TEST_F(NumboxStreamTest, AStoredNumberBecomesTheValueAndReportsTheChange) {
  CNumCtrl* field = AddField();
  field->SetText("1.5");
  field->SetDataChanged(false);
  QByteArray stored = field->Save();
  CNumCtrl* copy = AddField();
  QSignalSpy changes(copy, &CNumCtrl::Change);
  copy->Load(stored);
  EXPECT_EQ(copy->Text(), field->Text());
  EXPECT_EQ(changes.count(), 1);
}

// Whatever gave the field its value, a put, a spin step or a read from its
// row, the stream saved afterwards carries that value to a new field.
TEST_F(NumboxStreamTest, TheSavedStreamCarriesTheValueLastGiven) {
  TableSource source;
  struct Case {
    const char* how;
    std::function<void(CNumCtrl*)> give;
    const char* text;
  } cases[] = {
      {"Value put", [](CNumCtrl* f) { f->SetValue(QVariant(1250.0)); }, "1250"},
      {"Text put", [](CNumCtrl* f) { f->SetText("-75"); }, "-75"},
      {"spin up", [](CNumCtrl* f) { f->DoSpinClick(1); f->DoSpinClick(1); }, "42"},
      {"spin down", [](CNumCtrl* f) { f->DoSpinClick(0); }, "39"},
      {"read from the row", [&source](CNumCtrl* f) {
         f->SetDataField("Secured");
         f->SetDataSource(&source);
         source.MoveTo(1);
         f->SetDataSource(nullptr);
       }, "99"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.how);
    source.current = 0;
    CNumCtrl* field = AddField();
    field->Load(AmountLine());
    field->SetText("40");
    c.give(field);
    ASSERT_EQ(field->Text(), c.text);
    CNumCtrl* copy = AddField();
    copy->Load(field->Save());
    EXPECT_EQ(copy->Text(), c.text);
    EXPECT_EQ(copy->Value(), field->Value());
  }
}

TEST_F(NumboxStreamTest, NamedValuesCarryTheSamePropertiesAndRefuseWrongKinds) {
  CNumCtrl* field = AddField();
  field->Load(AmountLine());
  const QVariantMap bag = field->SaveToBag();
  EXPECT_EQ(bag.value("DataField").toString(), "Secured");
  EXPECT_EQ(bag.value("CalcWidth").toInt(), 150);
  EXPECT_FALSE(bag.contains("CaretPicture"));
  CNumCtrl* copy = AddField();
  copy->LoadFromBag(bag);
  EXPECT_EQ(copy->SaveToBag(), bag);

  // A missing name takes its default; a value of the wrong kind is refused whole.
  CNumCtrl* partial = AddField();
  partial->LoadFromBag({{"DataField", "Unsecured"}});
  EXPECT_EQ(partial->DataField(), "Unsecured");
  EXPECT_EQ(partial->MaskType(), 1);
  QVariantMap wrong = bag;
  wrong["MaskType"] = QString("numeric");
  EXPECT_THROW(partial->LoadFromBag(wrong), PropertyStreamError);
  EXPECT_EQ(partial->DataField(), "Unsecured");
}

}  // namespace
}  // namespace numbox::testing
