// Windows-1252: the bytes that texts become for checksums and text files.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "vb/Win1252.h"

using namespace vb;

TEST(Windows1252, EveryByteRoundTrips) {
  for (int b = 0; b < 256; ++b) {
    const std::string byte(1, static_cast<char>(b));
    const std::string text = FromWindows1252(byte);
    EXPECT_EQ(ToWindows1252(text), byte) << "byte " << b;
  }
}

TEST(Windows1252, TheCharactersOfTheUpperControlRange) {
  struct Case {
    unsigned char byte;
    char32_t ch;
  };
  const std::vector<Case> cases = {
      {0x80, U'\u20AC'}, {0x82, U'\u201A'}, {0x83, U'\u0192'}, {0x85, U'\u2026'}, {0x8A, U'\u0160'},
      {0x8C, U'\u0152'}, {0x8E, U'\u017D'}, {0x91, U'\u2018'}, {0x94, U'\u201D'}, {0x96, U'\u2013'},
      {0x97, U'\u2014'}, {0x99, U'\u2122'}, {0x9C, U'\u0153'}, {0x9F, U'\u0178'},
      // The five unassigned bytes stand for the control character of the same code.
      {0x81, U'\u0081'}, {0x8D, U'\u008D'}, {0x8F, U'\u008F'}, {0x90, U'\u0090'}, {0x9D, U'\u009D'},
      {0xA0, U'\u00A0'}, {0xE9, U'\u00E9'}, {0xFF, U'\u00FF'}, {0x41, U'A'},
  };
  for (const Case& c : cases) EXPECT_EQ(Windows1252Byte(c.ch), c.byte) << std::hex << static_cast<int>(c.ch);
  EXPECT_EQ(FromWindows1252("\x80\x9F"), "\xE2\x82\xAC\xC5\xB8");
  EXPECT_EQ(FromWindows1252("\x81"), "\xC2\x81");
  // Runs of ASCII between them.
  EXPECT_EQ(FromWindows1252("ab\xE9" "cd\x80" "e"), "ab\xC3\xA9" "cd\xE2\x82\xAC" "e");
  EXPECT_EQ(ToWindows1252("ab\xC3\xA9" "cd\xE2\x82\xAC" "e"), "ab\xE9" "cd\x80" "e");
}

TEST(Windows1252, CharactersOutsideTheSetAndBrokenUtf8BecomeQuestionMarks) {
  EXPECT_EQ(Windows1252Byte(U'\u0080'), -1);  // a control the set replaced by the euro sign
  EXPECT_EQ(Windows1252Byte(U'\u4E2D'), -1);
  struct Case {
    std::string utf8, bytes;
  };
  const std::vector<Case> cases = {
      {"caf\xC3\xA9 \xE2\x82\xAC" "5", "caf\xE9 \x80" "5"},
      {"\xE4\xB8\xAD", "?"},             // a CJK character
      {"\xF0\x9F\x98\x80!", "?!"},       // an emoji
      {"\xC2\x80", "?"},                 // U+0080
      {"a\xC3", "a?"},                   // cut short
      {"\xC3(", "?("},                   // continuation missing
      {"\xC0\xAF", "??"},                // overlong
      {"\xED\xA0\x80", "???"},           // a surrogate
      {"\x80x", "?x"},                   // a stray continuation byte
      {"\xF4\x90\x80\x80", "????"},      // beyond U+10FFFF
  };
  for (const Case& c : cases) EXPECT_EQ(ToWindows1252(c.utf8), c.bytes);
}
