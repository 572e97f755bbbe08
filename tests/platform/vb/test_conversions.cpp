// The conversion functions: numbers read from texts with US rules,
// rounding, range errors.

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "VbTestSupport.h"

using namespace vb;
using vbtest::At;
using vbtest::ErrorOf;

TEST(CDbl, ReadsUsNumberTexts) {
  struct Case {
    const char* text;
    double expected;
  };
  const std::vector<Case> cases = {
      {"1,234", 1234},     {"  12.5 ", 12.5},  {"1E3", 1000},      {"1.5e-2", 0.015}, {"-0.5", -0.5},
      {".5", 0.5},         {"5.", 5},          {"+7", 7},          {"$1,234.50", 1234.5}, {"(12)", -12},
      {"-$3", -3},         {"1,234,567.25", 1234567.25},           {"&HFF", 255},     {"&HFFFF", -1},
      {"&H10000", 65536},  {"&O17", 15},       {"0.1", 0.1},       {"1D2", 100},
      // Plain digits, read without the scan, on both sides of its limit.
      {"0", 0},            {"007", 7},         {"2019", 2019},     {"999999999999999", 999999999999999.0},
      {"1234567890123456", 1234567890123456.0}, {"12345678901234567890", 12345678901234567890.0},
  };
  for (const Case& c : cases) EXPECT_EQ(CDbl(Variant(c.text)), c.expected) << c.text;
}

TEST(CDbl, RejectsTextsThatAreNoNumber) {
  for (const char* text : {"", "  ", "abc", "12abc", "1E", "1.2.3", ",5", "(12", "--1", "1 2", "&H", "&HG"}) {
    EXPECT_EQ(ErrorOf([&] { CDbl(Variant(text)); }), err::TypeMismatch) << '"' << text << '"';
  }
  EXPECT_EQ(ErrorOf([] { CDbl(Variant("1E400")); }), err::Overflow);
  EXPECT_EQ(ErrorOf([] { CDbl(Null); }), err::InvalidUseOfNull);
  EXPECT_EQ(CDbl(Variant("1E-400")), 0.0);
}

TEST(CDbl, OtherTypes) {
  EXPECT_EQ(CDbl(Variant()), 0);
  EXPECT_EQ(CDbl(Variant(true)), -1);
  EXPECT_EQ(CDbl(Variant(Currency{12345})), 1.2345);
  EXPECT_EQ(CDbl(Variant(*Decimal::Parse("0.1"))), 0.1);
  EXPECT_EQ(CDbl(Variant(Date{43835.5})), 43835.5);
}

TEST(CLngCInt, RoundHalfToEvenAndCheckTheRange) {
  struct Case {
    Variant value;
    std::int32_t expected;
  };
  const std::vector<Case> cases = {
      {Variant(2.5), 2},        {Variant(3.5), 4},         {Variant(-2.5), -2},   {Variant(-3.5), -4},
      {Variant(2.4999), 2},     {Variant("2.5"), 2},       {Variant("1,234.5"), 1234},
      {Variant(Currency{25000}), 2},                       {Variant(Currency{35000}), 4},
      {Variant(*Decimal::Parse("-2.5")), -2},              {Variant(true), -1},   {Variant(), 0},
      {Variant(Date{43835.75}), 43836},                    {Variant(2147483647.4), 2147483647},
      // Exactly the largest Long, from a Long and from a Decimal.
      {Variant(2147483647), 2147483647},                   {Variant(*Decimal::Parse("2147483647")), 2147483647},
      {Variant(*Decimal::Parse("-2147483648")), -2147483647 - 1},
  };
  for (const Case& c : cases) EXPECT_EQ(CLng(c.value), c.expected) << ::testing::PrintToString(c.value);

  EXPECT_EQ(CInt(Variant(-32768.5)), -32768);
  EXPECT_EQ(CInt(Variant(32766.5)), 32766);
  EXPECT_EQ(CInt(Variant(32767)), 32767);
  EXPECT_EQ(CInt(Variant(std::int16_t{32767})), 32767);

  const std::vector<std::function<void()>> overflows = {
      [] { CLng(Variant(3e9)); },
      [] { CLng(Variant(2147483647.5)); },
      [] { CLng(Variant(*Decimal::Parse("1E20"))); },
      [] { CLng(Variant(Currency{30'000'000'000'000})); },
      [] { CInt(Variant(40000)); },
      [] { CInt(Variant(32767.5)); },
      [] { CInt(Variant("-40000")); },
  };
  for (const auto& action : overflows) EXPECT_EQ(ErrorOf(action), err::Overflow);
  EXPECT_EQ(ErrorOf([] { CLng(Variant("x")); }), err::TypeMismatch);
  EXPECT_EQ(ErrorOf([] { CLng(Variant("2147483648")); }), err::Overflow);
  EXPECT_EQ(CLng(Variant("2147483647")), 2147483647);
  EXPECT_EQ(ErrorOf([] { CInt(Null); }), err::InvalidUseOfNull);
}

TEST(CBool, NumbersAndWords) {
  struct Case {
    Variant value;
    bool expected;
  };
  const std::vector<Case> cases = {
      {Variant("True"), true}, {Variant("false"), false}, {Variant(" TRUE "), true}, {Variant("0"), false},
      {Variant("1.5"), true},  {Variant(0.0), false},     {Variant(-0.1), true},     {Variant(), false},
      {Variant(Currency{0}), false}, {Variant(*Decimal::Parse("0.0001")), true},
  };
  for (const Case& c : cases) EXPECT_EQ(CBool(c.value), c.expected) << ::testing::PrintToString(c.value);
  EXPECT_EQ(ErrorOf([] { CBool(Variant("x")); }), err::TypeMismatch);
  EXPECT_EQ(ErrorOf([] { CBool(Variant("")); }), err::TypeMismatch);
  EXPECT_EQ(ErrorOf([] { CBool(Null); }), err::InvalidUseOfNull);
}

TEST(CCur, RoundsHalfToEvenAtFourPlaces) {
  struct Case {
    Variant value;
    std::int64_t scaled;
  };
  const std::vector<Case> cases = {
      {Variant("0.1"), 1000},           {Variant("0.00005"), 0},   {Variant("0.00015"), 2},
      {Variant("-1,234.56785"), -12345678}, {Variant(1.23456), 12346}, {Variant(2), 20000},
      {Variant(*Decimal::Parse("922337203685477.5807")), 9223372036854775807},
      // Plain texts of up to 14 digits and 4 decimals, and their neighbours
      // beyond those bounds, come to the same amounts.
      {Variant("1000.25"), 10002500},   {Variant("-0.5"), -5000},   {Variant("-0"), 0},
      {Variant("007"), 70000},          {Variant("12345678901234.9999"), 123456789012349999},
      {Variant("123456789012345"), 1234567890123450000}, {Variant("-2.00005"), -20000},
  };
  for (const Case& c : cases) EXPECT_EQ(CCur(c.value).scaled, c.scaled) << ::testing::PrintToString(c.value);
  EXPECT_EQ(ErrorOf([] { CCur(Variant(1e15)); }), err::Overflow);
  EXPECT_EQ(ErrorOf([] { CCur(Variant("922337203685477.5808")); }), err::Overflow);
  EXPECT_EQ(ErrorOf([] { Currency::FromDouble(-1e300); }), err::Overflow);
}

TEST(CDec, ExactFromTextsAndFifteenDigitsFromDoubles) {
  EXPECT_EQ(CDec(Variant(0.1)), *Decimal::Parse("0.1"));
  EXPECT_EQ(CDec(Variant("1,234.5678901234567890123")).ToString(), "1234.5678901234567890123");
  EXPECT_EQ(CDec(Variant(Currency{-15})).ToString(), "-0.0015");
  EXPECT_EQ(CDec(Variant(true)).ToString(), "-1");
  EXPECT_EQ(ErrorOf([] { CDec(Variant("1/2")); }), err::TypeMismatch);
}

TEST(CDate, NumbersAreSerials) {
  EXPECT_EQ(CDate(Variant(43835.5)).serial, 43835.5);
  EXPECT_EQ(CDate(Variant()).serial, 0);
  EXPECT_EQ(ErrorOf([] { CDate(Variant(3e6)); }), err::Overflow);
  EXPECT_EQ(ErrorOf([] { CDate(Null); }), err::InvalidUseOfNull);
}

TEST(Val, TakesTheNumberAtTheStart) {
  struct Case {
    const char* text;
    double expected;
  };
  const std::vector<Case> cases = {
      {"12abc", 12},    {"", 0},            {"abc", 0},       {"  1 2 3", 123},  {"-1.5E2x", -150},
      {"1,234", 1},     {".5.", 0.5},       {"&H1F", 31},     {"&HFFFF", -1},    {"&O17z", 15},
      {"1e", 1},        {"-", 0},           {"+.25", 0.25},   {"\t7\n", 7},
  };
  for (const Case& c : cases) EXPECT_EQ(Val(c.text), c.expected) << '"' << c.text << '"';
}

TEST(Str, LeadingBlankForNonNegativeNumbers) {
  EXPECT_EQ(Str(Variant(5)), " 5");
  EXPECT_EQ(Str(Variant(-5)), "-5");
  EXPECT_EQ(Str(Variant(1.5)), " 1.5");
  EXPECT_EQ(Str(Variant("12.50")), " 12.5");
  EXPECT_EQ(Str(Variant()), " 0");
  EXPECT_EQ(Str(Variant(true)), "True");
  EXPECT_EQ(ErrorOf([] { Str(Null); }), err::InvalidUseOfNull);
}

TEST(IsNumericIsDate, AcceptWhatTheConversionsAccept) {
  EXPECT_TRUE(IsNumeric(Variant("1,234")));
  EXPECT_TRUE(IsNumeric(Variant(" -1.5E3 ")));
  EXPECT_TRUE(IsNumeric(Variant()));
  EXPECT_TRUE(IsNumeric(Variant(true)));
  EXPECT_FALSE(IsNumeric(Variant("abc")));
  EXPECT_FALSE(IsNumeric(Variant("")));
  EXPECT_FALSE(IsNumeric(Variant("1E400")));
  EXPECT_FALSE(IsNumeric(Null));
  EXPECT_FALSE(IsNumeric(Variant(At(2020, 1, 5))));

  EXPECT_TRUE(IsDate(Variant("1/5/2020")));
  EXPECT_TRUE(IsDate(Variant(At(2020, 1, 5))));
  EXPECT_FALSE(IsDate(Variant("2/30/2020")));
  EXPECT_FALSE(IsDate(Variant("12")));
  EXPECT_FALSE(IsDate(Variant(43835)));
  EXPECT_TRUE(IsNull(Null));
  EXPECT_TRUE(IsEmpty(Variant()));
  EXPECT_FALSE(IsEmpty(Variant("")));
}
