// Format with named and custom formats.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "VbTestSupport.h"

using namespace vb;
using vbtest::At;

namespace {

struct Case {
  Variant value;
  const char* format;
  const char* expected;
};

void ExpectFormats(const std::vector<Case>& cases) {
  for (const Case& c : cases) {
    EXPECT_EQ(Format(c.value, c.format), c.expected) << ::testing::PrintToString(c.value) << " with \"" << c.format << '"';
  }
}

}  // namespace

TEST(Format, CustomNumberFormats) {
  ExpectFormats({
      {Variant(1234.5), "#,##0", "1,235"},  // half away from zero
      {Variant(1233.5), "#,##0", "1,234"},
      {Variant(-1234), "#,##0", "-1,234"},
      {Variant(0), "#,##0", "0"},
      {Variant(0), "#,###", ""},
      {Variant(1234567.891), "#,##0.00", "1,234,567.89"},
      {Variant(-0.5), "#,##0", "-1"},
      {Variant(42), "00000", "00042"},
      {Variant(123456), "000", "123456"},
      {Variant(2.5), "0.00", "2.50"},
      {Variant(1.005), "0.00", "1.01"},  // the double's 15-digit text is 1.005
      {Variant(0.125), "0.00", "0.13"},
      {Variant(-0.001), "0.00", "0.00"},  // rounds to zero: no sign
      {Variant(2.5), "#.##", "2.5"},
      {Variant(0.5), "#.##", ".5"},
      {Variant(2), "0.0#", "2.0"},
      {Variant(0.256), "0.0%", "25.6%"},
      {Variant(1234567), "#,##0,", "1,235"},
      {Variant(1234567), "0,,.0", "1.2"},
      {Variant(123456789), "000-00-0000", "123-45-6789"},
      {Variant(5), "\"$\"#,##0", "$5"},
      {Variant(5), "\\#0", "#5"},
      {Variant(12345), "0.00E+00", "1.23E+04"},
      {Variant(0.000123), "0.00E+00", "1.23E-04"},
      {Variant(9.999), "0.00E+00", "1.00E+01"},
      {Variant(12345), "0.0e-0", "1.2e4"},
      {Variant(1e20), "#,##0", "100,000,000,000,000,000,000"},
      {Variant(Currency{-12345}), "0.000", "-1.235"},
      {Variant(*Decimal::Parse("12345678901234567890.125")), "#,##0.00", "12,345,678,901,234,567,890.13"},
      {Variant(true), "0", "-1"},
      {Variant("1234.5"), "#,##0", "1,235"},
      {Variant("abc"), "#,##0", "abc"},
  });
}

TEST(Format, SectionsForNegativeZeroAndNull) {
  ExpectFormats({
      {Variant(5), "#,##0;(#,##0)", "5"},
      {Variant(-1234), "#,##0;(#,##0)", "(1,234)"},
      {Variant(0), "#,##0;(#,##0)", "0"},
      {Variant(0), "0;(0);\"Zero\"", "Zero"},
      {Variant(-3), "0;;\"Zero\"", "-3"},
      {Null, "0;(0);\"Zero\";\"None\"", "None"},
      {Null, "0", ""},
      {Variant(), "0", ""},
  });
}

TEST(Format, NamedFormats) {
  ExpectFormats({
      {Variant(1234.5), "Currency", "$1,234.50"},
      {Variant(-1234.5), "Currency", "($1,234.50)"},
      {Variant(1234.5), "Standard", "1,234.50"},
      {Variant(-1234.5), "Fixed", "-1234.50"},
      {Variant(0.125), "Percent", "12.50%"},
      {Variant(12345), "Scientific", "1.23E+04"},
      {Variant(1500.0), "General Number", "1500"},
      {Variant(0.1 + 0.2), "general number", "0.3"},
      {Variant(1), "Yes/No", "Yes"},
      {Variant(0), "Yes/No", "No"},
      {Variant(true), "True/False", "True"},
      {Variant(0.0), "On/Off", "Off"},
      {Variant(1500.0), "", "1500"},
      {Variant(true), "", "True"},
  });
}

TEST(Format, Dates) {
  const Variant d(At(2020, 1, 5, 15, 4, 5));
  ExpectFormats({
      {d, "mm/dd/yyyy", "01/05/2020"},
      {d, "m/d/yyyy", "1/5/2020"},
      {d, "yyyy-mm-dd hh:nn:ss", "2020-01-05 15:04:05"},
      {d, "yyyy-mm-dd hh:mm:ss", "2020-01-05 15:04:05"},  // m after h is the minute
      {d, "hh:nn:ss AM/PM", "03:04:05 PM"},
      {d, "h:nn am/pm", "3:04 pm"},
      {d, "h:nn a/p", "3:04 p"},
      {d, "mmmm d, yyyy", "January 5, 2020"},
      {d, "ddd, mmm d", "Sun, Jan 5"},
      {d, "dddd", "Sunday"},
      {d, "yy q y ww w", "20 1 5 2 1"},
      {d, "\"Day\" d", "Day 5"},
      {d, "General Date", "1/5/2020 3:04:05 PM"},
      {d, "Long Date", "Sunday, January 5, 2020"},
      {d, "Medium Date", "05-Jan-20"},
      {d, "Short Date", "1/5/2020"},
      {d, "Long Time", "3:04:05 PM"},
      {d, "Medium Time", "03:04 PM"},
      {d, "Short Time", "15:04"},
      {d, "ddddd ttttt", "1/5/2020 3:04:05 PM"},
      {d, "c", "1/5/2020 3:04:05 PM"},
      {Variant(At(2019, 12, 1)), "General Date", "12/1/2019"},
      {Variant(At(2019, 12, 1, 0, 30)), "hh:nn AM/PM", "12:30 AM"},
      {Variant(43835), "mm/dd/yyyy", "01/05/2020"},
      {Variant("1/5/2020"), "yyyy-mm-dd", "2020-01-05"},
      {Variant("not a date"), "yyyy-mm-dd", "not a date"},
      {d, "", "1/5/2020 3:04:05 PM"},
  });
}

TEST(Format, Texts) {
  ExpectFormats({
      {Variant("abc"), ">", "ABC"},
      {Variant("ABC"), "<", "abc"},
      {Variant("5551234"), "@@@-@@@@", "555-1234"},
      {Variant("12"), "@@@@", "  12"},
      {Variant("12"), "!@@@@", "12  "},
      {Variant("12"), "&&&&", "12"},
      {Variant("123456"), "@@@-@@@", "123-456"},
      {Variant("1234567"), "@@@-@@@", "1234-567"},
  });
}

// A text is formatted as the number that converting it gives: one beyond the
// range of a double overflows there too, instead of being spelled out in
// millions of digits; within the range, any amount of digits still formats.
TEST(Format, NumberTextsBeyondTheDoubleRangeOverflow) {
  for (const char* text : {"1E2000000", "-1E400", "1e309", "(2E999999)"}) {
    SCOPED_TRACE(text);
    EXPECT_EQ(vbtest::ErrorOf([&] { CDbl(Variant(text)); }), 6);
    for (const char* format : {"#,##0", "0.00E+00", "Yes/No"}) {
      EXPECT_EQ(vbtest::ErrorOf([&] { Format(Variant(text), format); }), 6) << format;
    }
  }
  ExpectFormats({
      {Variant("1E300"), "0.00E+00", "1.00E+300"},
      {Variant("-12345678901234567890"), "#,##0", "-12,345,678,901,234,567,890"},
      {Variant("1E-2000000"), "#,##0.00", "0.00"},
  });
}
