// The checksum behind row keys, certificate numbers and upload passwords:
// exact to the bit, because other offices compute it again.

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "clsMyCRC32.h"

namespace {

TEST(Crc32Test, MatchesTheStandardChecksumWithoutTheFirstCharacter) {
  clsMyCRC32 crc;
  EXPECT_EQ(crc.TableEntry(0), 0);
  EXPECT_EQ(static_cast<std::uint32_t>(crc.TableEntry(1)), 0x77073096u);
  EXPECT_EQ(static_cast<std::uint32_t>(crc.TableEntry(255)), 0x2D02EF8Du);

  struct Case {
    std::string text;
    std::int32_t crc;
  };
  const std::vector<Case> cases = {
      {"", 0},
      {"X", 0},
      {"abc", -1029100744},
      {"Xabc", 891568578},
      {"X123456789", -873187034},
      {"Zabc", 891568578},  // the first character never counts
      {"\u00E9abc", 891568578},  // not even when it is not ASCII
  };
  for (const Case& c : cases) EXPECT_EQ(crc.GetCRC32(c.text), c.crc) << c.text;
  EXPECT_EQ(clsMyCRC32().GetCRC32("abc"), crc.GetCRC32("abc"));
  EXPECT_NE(crc.GetCRC32("abd"), crc.GetCRC32("abc")) << "the last character counts";

  // A character of the 0x80..0x9F range is hashed as its Windows-1252 byte:
  // the euro sign is 0x80, the standard checksum of the single byte 0x80 is
  // 0x3FBA6CAD.
  EXPECT_EQ(static_cast<std::uint32_t>(crc.GetCRC32("X\u20AC")), 0x3FBA6CADu);
}

}  // namespace
