// The value and display engines: number texts and conversions, cutting
// decimals, the display of values under the mask settings, and what the
// Text and Value members take and refuse.

#include "NumboxFixture.h"

#include "numbox/NumValue.h"

#include <QSignalSpy>

#include <cmath>
#include <functional>

namespace numbox::testing {
namespace {

using NumboxValuesTest = NumboxTest;

TEST(NumValueTest, TextsConvertToEachKindAsTheClassicCoercionDoes) {
  const NumberStyle german{",", ".", "€"};
  struct Case {
    QVariant from;
    Kind to;
    NumberStyle style;
    std::optional<QVariant> expected;
  } cases[] = {
      {QString("1,234.5"), Kind::Double, FixedStyle(), 1234.5},
      {QString(" (12) "), Kind::Double, FixedStyle(), -12.0},
      {QString("$5"), Kind::Double, FixedStyle(), 5.0},
      {QString("1.5E3"), Kind::Double, FixedStyle(), 1500.0},
      {QString("1.234,5"), Kind::Double, german, 1234.5},
      {QString("2.5"), Kind::Integer, FixedStyle(), QVariant::fromValue<short>(2)},  // half to even
      {QString("3.5"), Kind::Integer, FixedStyle(), QVariant::fromValue<short>(4)},
      {QString("40000"), Kind::Integer, FixedStyle(), std::nullopt},
      {QString("40000"), Kind::Long, FixedStyle(), QVariant::fromValue<qint32>(40000)},
      {QString("1.23456"), Kind::Currency, FixedStyle(), MakeCurrency(12346)},
      {QString(""), Kind::Double, FixedStyle(), std::nullopt},
      {QString("12abc"), Kind::Long, FixedStyle(), std::nullopt},
      {QVariant(), Kind::Long, FixedStyle(), QVariant::fromValue<qint32>(0)},
      {NullValue(), Kind::Double, FixedStyle(), std::nullopt},
      {0.1 + 0.2, Kind::String, FixedStyle(), QString("0.3")},
      {1e20, Kind::String, FixedStyle(), QString("1E+20")},
      {-2.5, Kind::String, german, QString("-2,5")},
      {MakeCurrency(-12500), Kind::String, FixedStyle(), QString("-1.25")},
      {QVariant::fromValue<float>(1.1f), Kind::String, FixedStyle(), QString("1.1")},
      {QVariant::fromValue<qint32>(70000), Kind::Integer, FixedStyle(), std::nullopt},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.from.toString().toStdString());
    const auto got = Convert(c.from, c.to, c.style);
    ASSERT_EQ(got.has_value(), c.expected.has_value());
    if (got) {
      EXPECT_EQ(KindOf(*got), c.to);
      EXPECT_EQ(*got, *c.expected);
    }
  }
}

TEST(NumValueTest, TruncationCutsTheDecimalTextTowardMinusInfinity) {
  struct Case {
    double value;
    int places;
    double expected;
  } cases[] = {
      {1.13, 2, 1.13},      {1.15, 2, 1.15},   {2.567, 2, 2.56},   {-2.567, 2, -2.57},
      {-1.239, 2, -1.24},   {2.999, 2, 2.99},  {-2.991, 0, -3},    {1234.5, -2, 1200},
      {5, 2, 5},            {-0.001, 2, -0.01}, {7.25, 7, 7.25},   {-7.25, -7, -7.25},
  };
  for (const Case& c : cases) {
    double v = c.value;
    TruncateToDecimals(v, c.places);
    EXPECT_EQ(v, c.expected) << c.value << " to " << c.places;
  }
}

struct DisplayCase {
  const char* name;
  std::function<void(CNumCtrl*)> setup;
  QVariant put;  // a text goes to Text, anything else to Value
  const char* display;
  const char* valueText;
};

TEST_F(NumboxValuesTest, MaskSettingsLayOutTheValue) {
  auto money = [](short negative) {
    return [negative](CNumCtrl* f) {
      f->SetMaskShowCurrency(true);
      f->SetMaskDecimalPlaces(2);
      f->SetMaskDecimalFixed(true);
      f->SetMaskNegFormat(negative);
    };
  };
  auto grouped = [](short digits) {
    return [digits](CNumCtrl* f) {
      f->SetMaskType(0);
      f->SetMaskShowThousandSep(true);
      f->SetMaskThousandDigits(digits);
    };
  };
  const DisplayCase cases[] = {
      {"negative pattern 1", money(1), -1.0, "($1.00)", "-1.00"},
      {"negative pattern 5", money(5), -1.0, "$(1.00)", "-1.00"},
      {"negative pattern 2", money(2), -1.0, "-$1.00", "-1.00"},
      {"locale pattern of amounts", money(0), QString("-1"), "($1.00)", "-1.00"},
      {"minus zero shows its sign", money(1), QString("-0"), "($0.00)", "-0.00"},
      {"grouping", grouped(3), QString("1234567"), "1,234,567", "1234567"},
      {"group size 0 groups nothing", grouped(0), QString("1234567"), "1234567", "1234567"},
      {"positive pattern 3 keeps its space", [](CNumCtrl* f) { f->SetMaskPosFormat(3); }, QString("5"), " 5",
       "5"},
      {"decimals cut, not rounded", [](CNumCtrl* f) { f->SetMaskType(0); }, QString("1234.567"), "1234.56",
       "1234.56"},
      {"a lone point stays while editing", [](CNumCtrl* f) { f->SetMaskType(0); }, QString("12."), "12.",
       "12."},
      {"leading zeros stay when allowed", [](CNumCtrl* f) { f->SetMaskAllowLeadZeros(true); }, QString("007"),
       "007", "007"},
      {"no decimals drop the point", [](CNumCtrl* f) { f->SetMaskDecimalPlaces(0); }, 12.75, "12", "12"},
      {"own decimal character", [](CNumCtrl* f) { f->SetMaskDecimalChar(","); }, 1.5, "1,5", "1.5"},
  };
  for (const DisplayCase& c : cases) {
    SCOPED_TRACE(c.name);
    CNumCtrl* field = AddField();
    c.setup(field);
    if (c.put.typeId() == QMetaType::QString) {
      field->SetText(c.put.toString());
    } else {
      field->SetValue(c.put);
    }
    EXPECT_EQ(field->InputText(), c.display);
    EXPECT_EQ(field->Text(), c.valueText);
  }
}

TEST_F(NumboxValuesTest, EmptyValuesFollowZeroIfNullAndFixedDecimals) {
  CNumCtrl* field = AddField();
  field->SetMaskZeroIfNull(false);
  field->SetDataType(0);
  field->SetText("");
  EXPECT_EQ(field->InputText(), "");
  EXPECT_TRUE(field->IsEmpty());
  field->SetMaskDecimalPlaces(2);
  field->SetMaskDecimalFixed(true);
  EXPECT_EQ(field->InputText(), "0.00");
}

TEST_F(NumboxValuesTest, AFailedLocaleLookupShowsNoSign) {
  LocaleTable empty;
  SetLocale(&empty);
  CNumCtrl* field = AddField();
  field->SetText("-5");
  EXPECT_EQ(field->InputText(), "5");
  EXPECT_EQ(field->Text(), "-5");
}

TEST_F(NumboxValuesTest, ValuePutsTakeNumbersAndTruncateToThePlaces) {
  struct Case {
    QVariant put;
    const char* text;
  } cases[] = {
      {1.13, "1.13"},
      {2.567, "2.56"},
      {-2.567, "-2.57"},
      {QVariant::fromValue<short>(7), "7"},
      {MakeCurrency(15000), "1.5"},
      {QVariant(), "0"},
  };
  CNumCtrl* field = AddField();
  field->SetMaskType(0);
  field->SetMaskDecimalPlaces(2);
  for (const Case& c : cases) {
    field->SetValue(c.put);
    EXPECT_EQ(field->Text(), c.text) << c.put.toString().toStdString();
  }
}

TEST_F(NumboxValuesTest, NullIsTakenAsZeroAndTextsAreRefused) {
  CNumCtrl* field = AddField();
  field->SetDataType(4);
  field->SetText("12");
  QVariant null = NullValue();
  field->SetValue(null);
  EXPECT_EQ(field->Text(), "0");
  EXPECT_EQ(null, QVariant::fromValue<qint32>(0));

  const struct {
    std::function<void()> put;
  } refused[] = {
      {[&] { field->SetValue(QVariant(QString("5"))); }},
      {[&] { field->SetText(""); }},
      {[&] { field->SetText("12x"); }},
      {[&] { field->SetText("1-2"); }},
  };
  for (const auto& r : refused) {
    try {
      r.put();
      ADD_FAILURE() << "no error raised";
    } catch (const NumError& e) {
      EXPECT_EQ(e.Number(), 13);
      EXPECT_EQ(e.Description(), "Type mismatch");
      EXPECT_EQ(e.Status(), 0x800A000Du);
    }
  }
  EXPECT_EQ(field->Text(), "0");
}

TEST_F(NumboxValuesTest, ARefusedTextPutLeavesTheValueAsItWas) {
  CNumCtrl* field = AddField();
  field->SetDataType(2);
  field->SetFormat("#,##0");
  field->SetText("100000");
  for (const char* refused : {"", "12x", "abc"}) {
    SCOPED_TRACE(refused);
    EXPECT_EQ(ErrorOf([&] { field->SetText(refused); }), 13);
    // The unfocused display and the check of a new data type still see 100000.
    EXPECT_EQ(field->FormatText(), "100,000");
    EXPECT_EQ(ErrorOf([&] { field->SetDataType(1); }), 31003);
    EXPECT_EQ(field->DataType(), 2);
  }
}

TEST_F(NumboxValuesTest, TextPutsTrimAndFireChangeEvenForTheSameValue) {
  CNumCtrl* field = AddField();
  QSignalSpy changes(field, &CNumCtrl::Change);
  field->SetText(" 12 ");
  field->SetText("12");
  EXPECT_EQ(field->Text(), "12");
  EXPECT_EQ(changes.count(), 2);
  EXPECT_TRUE(field->DataChanged());
}

TEST_F(NumboxValuesTest, AnEmptyTextFieldTakesAnEmptyText) {
  CNumCtrl* field = AddField();
  field->SetDataType(0);
  field->SetMaskZeroIfNull(false);
  field->SetText("");
  EXPECT_EQ(field->Text(), "");
  EXPECT_EQ(field->Value(), QVariant(QString()));
}

TEST_F(NumboxValuesTest, SettingsRefuseValuesOutOfRange) {
  CNumCtrl* field = AddField();
  const struct {
    const char* name;
    std::function<void()> set;
    int error;
  } cases[] = {
      {"decimal places 10", [&] { field->SetMaskDecimalPlaces(10); }, 380},
      {"negative pattern 12", [&] { field->SetMaskNegFormat(12); }, 380},
      {"mouse pointer 16", [&] { field->SetMousePointer(16); }, 380},
      {"two decimal characters", [&] { field->SetMaskDecimalChar(",,"); }, 31004},
      {"a digit as decimal character", [&] { field->SetMaskDecimalChar("5"); }, 31005},
      {"a range bound that is no number", [&] { field->SetValidateRangeLow("abc"); }, 31001},
      {"data type 6", [&] { field->SetDataType(6); }, 380},
      {"whole places -2", [&] { field->SetMaskWholePlaces(-2); }, 380},
      {"negative selection start", [&] { field->SetSelStart(-1); }, 380},
  };
  for (const auto& c : cases) {
    try {
      c.set();
      ADD_FAILURE() << c.name << ": no error raised";
    } catch (const NumError& e) {
      EXPECT_EQ(e.Number(), c.error) << c.name;
    }
  }
  field->SetMousePointer(99);
  field->SetMaskWholePlaces(-1);
  field->SetMaskThousandSep("ab");
  EXPECT_EQ(field->MousePointer(), 99);
}

}  // namespace
}  // namespace numbox::testing
