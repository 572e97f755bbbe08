// Exact decimals: 96-bit magnitude, 0 to 28 places, banker's rounding.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "VbTestSupport.h"

using namespace vb;
using vbtest::ErrorOf;

namespace {
Decimal D(const char* text) { return *Decimal::Parse(text); }
constexpr const char* kMax = "79228162514264337593543950335";
}  // namespace

TEST(Decimal, ParseAndText) {
  struct Case {
    const char* text;
    const char* expected;
  };
  const std::vector<Case> cases = {
      {"123.4500", "123.45"},
      {"-0.25", "-0.25"},
      {"1E+3", "1000"},
      {"1,234.5", "1234.5"},
      {"-0", "0"},
      {"0.000", "0"},
      {kMax, kMax},
      {"-7.9228162514264337593543950335", "-7.9228162514264337593543950335"},
      {"0.0000000000000000000000000001", "0.0000000000000000000000000001"},
      // Beyond 28 places: half to even.
      {"0.12345678901234567890123456785", "0.1234567890123456789012345678"},
      {"0.12345678901234567890123456775", "0.1234567890123456789012345678"},
      {"0.000000000000000000000000000051", "0.0000000000000000000000000001"},
      {"0.00000000000000000000000000005", "0"},
      {"1E-40", "0"},
      // More digits than 96 bits hold: the last whole digits round.
      {"79228162514264337593543950334.5", "79228162514264337593543950334"},
      {"7922816251426433759354395033.55", "7922816251426433759354395034"},  // rounding up would need 97 bits
  };
  for (const Case& c : cases) EXPECT_EQ(D(c.text).ToString(), c.expected) << c.text;

  EXPECT_FALSE(Decimal::Parse("abc").has_value());
  EXPECT_FALSE(Decimal::Parse("").has_value());
  EXPECT_EQ(ErrorOf([] { Decimal::Parse("79228162514264337593543950336"); }), err::Overflow);
  EXPECT_EQ(ErrorOf([] { Decimal::Parse("79228162514264337593543950335.5"); }), err::Overflow);
  EXPECT_EQ(ErrorOf([] { Decimal::Parse("1E29"); }), err::Overflow);
}

TEST(Decimal, FromDoubleTakesFifteenSignificantDigits) {
  EXPECT_EQ(Decimal::FromDouble(0.1), D("0.1"));
  EXPECT_EQ(Decimal::FromDouble(0.1 + 0.2), D("0.3"));
  EXPECT_EQ(Decimal::FromDouble(1.0 / 3).ToString(), "0.333333333333333");
  EXPECT_EQ(Decimal::FromDouble(-1e20).ToString(), "-100000000000000000000");
  EXPECT_EQ(Decimal::FromDouble(1.5e-20).ToString(), "0.000000000000000000015");
  EXPECT_EQ(ErrorOf([] { Decimal::FromDouble(1e30); }), err::Overflow);
  EXPECT_EQ(D("0.1").ToDouble(), 0.1);
  EXPECT_EQ(D(kMax).ToDouble(), 7.9228162514264337593543950335e28);
}

TEST(Decimal, ArithmeticIsExactAndRoundsHalfToEven) {
  struct Case {
    Decimal result;
    const char* expected;
  };
  const std::vector<Case> cases = {
      {D("0.1") + D("0.2"), "0.3"},
      {D("1") - D("0.0000000000000000000000000001"), "0.9999999999999999999999999999"},
      {D("-5.5") + D("2.25"), "-3.25"},
      {D("2.25") - D("5.5"), "-3.25"},
      {D("1.5") * D("-1.5"), "-2.25"},
      {D("1") / D("3"), "0.3333333333333333333333333333"},
      {D("2") / D("3"), "0.6666666666666666666666666667"},
      {D("1") / D("3") * D("3"), "0.9999999999999999999999999999"},
      {D("1") / D("0.0004"), "2500"},
      {D("-10") / D("4"), "-2.5"},
      {D("0.0000000000000000000000000001") * D("0.5"), "0"},    // half: to even 0
      {D("0.0000000000000000000000000003") * D("0.5"), "0.0000000000000000000000000002"},
      {D(kMax) - D(kMax), "0"},
      {D("26409387504754779197847983445") * D("3"), kMax},
      {D("1000000000000000000000000000") / D("0.1"), "10000000000000000000000000000"},
  };
  for (const Case& c : cases) EXPECT_EQ(c.result.ToString(), c.expected);

  EXPECT_EQ(ErrorOf([] { D(kMax) + D("1"); }), err::Overflow);
  EXPECT_EQ(ErrorOf([] { D(kMax) * D("1.5"); }), err::Overflow);
  EXPECT_EQ(ErrorOf([] { D(kMax) / D("0.5"); }), err::Overflow);
  EXPECT_EQ(ErrorOf([] { D("1") / D("0"); }), err::DivisionByZero);
}

TEST(Decimal, Ordering) {
  EXPECT_EQ(D("1.10"), D("1.1"));
  EXPECT_EQ(D("-0"), D("0"));
  EXPECT_LT(D("-2"), D("-1.5"));
  EXPECT_LT(D("-0.0000000000000000000000000001"), D("0"));
  EXPECT_GT(D(kMax), D("7922816251426433759354395033.5"));
  EXPECT_LT(D("0.3"), D("0.30000000000000000000000001"));
}

TEST(Decimal, Rounding) {
  struct Case {
    const char* value;
    int places;
    const char* halfEven;
    const char* halfAway;
  };
  const std::vector<Case> cases = {
      {"2.5", 0, "2", "3"},           {"-2.5", 0, "-2", "-3"},        {"3.5", 0, "4", "4"},
      {"131072.5", 0, "131072", "131073"},                            {"0.125", 2, "0.12", "0.13"},
      {"-0.125", 2, "-0.12", "-0.13"}, {"0.1251", 2, "0.13", "0.13"}, {"1.005", 2, "1", "1.01"},
      {"9.995", 2, "10", "10"},       {"1.2", 5, "1.2", "1.2"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(D(c.value).RoundHalfEven(c.places).ToString(), c.halfEven) << c.value;
    EXPECT_EQ(D(c.value).RoundHalfAwayFromZero(c.places).ToString(), c.halfAway) << c.value;
  }
  EXPECT_EQ(D("-2.5").Fix().ToString(), "-2");
  EXPECT_EQ(D("-2.5").Int().ToString(), "-3");
  EXPECT_EQ(D("-2").Int().ToString(), "-2");
  EXPECT_EQ(D("2.9").Int().ToString(), "2");
}

TEST(Decimal, WholeNumbersAndParts) {
  EXPECT_EQ(Decimal(INT64_MIN).ToString(), "-9223372036854775808");
  EXPECT_EQ(D("2.5").ToInt64(), 2);
  EXPECT_EQ(D("-9223372036854775808").ToInt64(), INT64_MIN);
  EXPECT_EQ(ErrorOf([] { D("9223372036854775808").ToInt64(); }), err::Overflow);
  EXPECT_EQ(Decimal::FromParts(12345, 2, true).ToString(), "-123.45");
  EXPECT_EQ(ErrorOf([] { Decimal::FromParts(1, 29, false); }), err::InvalidProcedureCall);
  EXPECT_EQ(ErrorOf([] { Decimal::FromParts(static_cast<unsigned __int128>(1) << 96, 0, false); }),
            err::InvalidProcedureCall);
  EXPECT_FALSE((-D("0")).IsNegative());
  EXPECT_EQ((-D("1.5")).ToString(), "-1.5");
}
