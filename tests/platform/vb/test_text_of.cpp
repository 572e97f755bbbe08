// The texts of values: they feed the row certification keys, so every
// office must produce the same characters.

#include <gtest/gtest.h>

#include <clocale>
#include <cstdint>
#include <limits>
#include <string>
#include <vector>

#include "VbTestSupport.h"

using namespace vb;
using vbtest::At;
using vbtest::ErrorOf;

TEST(TextOf, NumbersBooleansAndTexts) {
  struct Case {
    Variant value;
    std::string expected;
  };
  const std::vector<Case> cases = {
      {Variant(std::int16_t{-250}), "-250"},
      {Variant(2019), "2019"},
      {Variant(0), "0"},
      {Variant(std::numeric_limits<std::int32_t>::min()), "-2147483648"},
      {Variant(1500.0), "1500"},
      {Variant(0.1 + 0.2), "0.3"},
      {Variant(1e15), "1E+15"},
      {Variant(123456789012345.0), "123456789012345"},
      {Variant(999999999999999.9), "1E+15"},
      {Variant(-2.5), "-2.5"},
      {Variant(0.0001), "0.0001"},
      {Variant(0.00001), "1E-05"},
      {Variant(1.5e-5), "1.5E-05"},
      {Variant(-1e20), "-1E+20"},
      {Variant(1e100), "1E+100"},
      {Variant(-0.0), "0"},
      {Variant(1.0 / 3), "0.333333333333333"},
      {Variant(2.0 / 3), "0.666666666666667"},
      {Variant(Currency{15'000'000}), "1500"},
      {Variant(Currency{125'000}), "12.5"},
      {Variant(Currency{-1}), "-0.0001"},
      {Variant(Currency{std::numeric_limits<std::int64_t>::min()}), "-922337203685477.5808"},
      {Variant(*Decimal::Parse("12345678901234567890.50")), "12345678901234567890.5"},
      {Variant(*Decimal::Parse("-0.25")), "-0.25"},
      {Variant(true), "True"},
      {Variant(false), "False"},
      {Variant(" a b "), " a b "},
      {Variant(), ""},
      {Null, ""},
  };
  for (const Case& c : cases) EXPECT_EQ(TextOf(c.value), c.expected) << ::testing::PrintToString(c.value);
}

TEST(TextOf, DatesLeaveOutMidnightAndAnEmptyDay) {
  struct Case {
    Date value;
    std::string expected;
  };
  const std::vector<Case> cases = {
      {At(2020, 1, 5, 15, 4, 5), "1/5/2020 3:04:05 PM"},
      {At(2019, 12, 1), "12/1/2019"},
      {At(2019, 12, 1, 0, 0, 1), "12/1/2019 12:00:01 AM"},
      {At(2019, 12, 1, 12, 30, 0), "12/1/2019 12:30:00 PM"},
      {Date{(15 * 3600 + 4 * 60 + 5) / 86400.0}, "3:04:05 PM"},
      {Date{0}, "12:00:00 AM"},
      {Date{0.5}, "12:00:00 PM"},
      {Date{-1.25}, "12/29/1899 6:00:00 AM"},  // the fraction is the time of day -1
      {Date{-1.0}, "12/29/1899"},
      {Date{43835.99999999}, "1/6/2020"},  // the time rounds to the second
  };
  for (const Case& c : cases) EXPECT_EQ(TextOf(Variant(c.value)), c.expected) << c.value.serial;
}

TEST(CStr, NullIsAnErrorAndEmptyIsEmptyText) {
  EXPECT_EQ(ErrorOf([] { CStr(Null); }), err::InvalidUseOfNull);
  EXPECT_EQ(CStr(Variant()), "");
  EXPECT_EQ(CStr(Variant(12.5)), "12.5");
}

TEST(TextOf, IgnoresTheMachineLocale) {
  const std::string saved = std::setlocale(LC_ALL, nullptr);
  const char* german = nullptr;
  for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "fr_FR.UTF-8", "fr_FR.utf8"}) {
    if (std::setlocale(LC_ALL, name) != nullptr) {
      german = name;
      break;
    }
  }
  if (german == nullptr) GTEST_SKIP() << "no locale with a decimal comma is installed";
  const std::string number = TextOf(Variant(1234.5));
  const double parsed = CDbl(Variant("1,234.5"));
  std::setlocale(LC_ALL, saved.c_str());
  EXPECT_EQ(number, "1234.5");
  EXPECT_EQ(parsed, 1234.5);
}
