// Text functions on UTF-8 texts: positions count characters.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "VbTestSupport.h"

using namespace vb;
using vbtest::ErrorOf;

namespace {
const std::string kHello = "h\xC3\xA9llo";  // héllo
}

TEST(TextFunctions, CountCharactersNotBytes) {
  EXPECT_EQ(Len(kHello), 5u);
  EXPECT_EQ(Len(""), 0u);
  EXPECT_EQ(Len("\xE2\x82\xAC\xF0\x9F\x98\x80"), 2u);  // euro sign, an emoji
  EXPECT_EQ(Left(kHello, 2), "h\xC3\xA9");
  EXPECT_EQ(Left(kHello, 9), kHello);
  EXPECT_EQ(Right(kHello, 4), "\xC3\xA9llo");
  EXPECT_EQ(Right(kHello, 0), "");
  EXPECT_EQ(Mid(kHello, 2, 3), "\xC3\xA9ll");
  EXPECT_EQ(Mid(kHello, 2), "\xC3\xA9llo");
  EXPECT_EQ(Mid(kHello, 6), "");
  EXPECT_EQ(ErrorOf([] { Mid("abc", 0); }), err::InvalidProcedureCall);
}

TEST(TextFunctions, TrimRemovesSpacesOnly) {
  EXPECT_EQ(Trim("  a b  "), "a b");
  EXPECT_EQ(Trim("\ta \t"), "\ta \t");
  EXPECT_EQ(LTrim("  a "), "a ");
  EXPECT_EQ(RTrim("  a "), "  a");
  EXPECT_EQ(Trim("    "), "");
}

TEST(TextFunctions, CaseOfAsciiAndLatinLetters) {
  // straße é ÿ œ š ž µ -> STRAßE É Ÿ Œ Š Ž µ
  const std::string lower = "stra\xC3\x9F" "e \xC3\xA9 \xC3\xBF \xC5\x93 \xC5\xA1 \xC5\xBE \xC2\xB5";
  const std::string upper = "STRA\xC3\x9F" "E \xC3\x89 \xC5\xB8 \xC5\x92 \xC5\xA0 \xC5\xBD \xC2\xB5";
  EXPECT_EQ(UCase(lower), upper);
  EXPECT_EQ(LCase(upper), lower);
  EXPECT_EQ(UCase("a\xC3\xB7z"), "A\xC3\xB7Z");  // the division sign is no letter
  EXPECT_EQ(UCase("a\xFFz"), "A\xFFZ");           // broken bytes stay
  EXPECT_TRUE(TextEquals("\xC3\x89" "COLE", "\xC3\xA9" "cole"));
  EXPECT_FALSE(TextEquals("abc", "abd"));
}

TEST(TextFunctions, InStr) {
  struct Case {
    std::size_t start;
    std::string s, find;
    CompareMethod method;
    std::size_t expected;
  };
  const auto bin = CompareMethod::Binary;
  const std::vector<Case> cases = {
      {1, "Hello World", "o", bin, 5},
      {6, "Hello World", "o", bin, 8},
      {9, "Hello World", "o", bin, 0},
      {1, "Hello World", "world", bin, 0},
      {1, "Hello World", "world", CompareMethod::Text, 7},
      {1, "\xC3\xA9" "a", "a", bin, 2},                      // éa
      {1, "x\xC3\x9C" "BER", "\xC3\xBC" "ber", CompareMethod::Text, 2},  // xÜBER, über
      {1, "abc", "", bin, 1},
      {3, "abc", "", bin, 3},
      {4, "abc", "", bin, 0},
      {1, "", "a", bin, 0},
  };
  for (const Case& c : cases) EXPECT_EQ(InStr(c.start, c.s, c.find, c.method), c.expected) << c.s << " / " << c.find;
  EXPECT_EQ(ErrorOf([] { InStr(0, "abc", "a"); }), err::InvalidProcedureCall);
}

TEST(TextFunctions, ReplaceSpaceStringChrAscHex) {
  EXPECT_EQ(Replace("a-b-c", "-", "+"), "a+b+c");
  EXPECT_EQ(Replace("aaa", "aa", "b"), "ba");
  EXPECT_EQ(Replace("abc", "", "x"), "abc");
  EXPECT_EQ(Space(3), "   ");
  EXPECT_EQ(String(3, U'\u00E9'), "\xC3\xA9\xC3\xA9\xC3\xA9");
  EXPECT_EQ(String(0, U'x'), "");

  EXPECT_EQ(Chr(65), "A");
  EXPECT_EQ(Chr(0x80), "\xE2\x82\xAC");  // euro sign
  EXPECT_EQ(Chr(0xE9), "\xC3\xA9");
  EXPECT_EQ(Asc("A"), 65);
  EXPECT_EQ(Asc("\xE2\x82\xAC"), 0x80);
  EXPECT_EQ(Asc("\xE4\xB8\xAD"), '?');  // not in Windows-1252
  EXPECT_EQ(ErrorOf([] { Asc(""); }), err::InvalidProcedureCall);
  EXPECT_EQ(ErrorOf([] { Chr(256); }), err::InvalidProcedureCall);

  EXPECT_EQ(Hex(255), "FF");
  EXPECT_EQ(Hex(0), "0");
  EXPECT_EQ(Hex(-1), "FFFFFFFF");
  EXPECT_EQ(Hex(-873187034), "CBF43926");
  EXPECT_EQ(Hex(0xFFFFFFFFLL), "FFFFFFFF");
  EXPECT_EQ(ErrorOf([] { Hex(1LL << 32); }), err::Overflow);
}
