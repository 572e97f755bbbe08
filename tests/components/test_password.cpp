// The upload-password component, created by its identifier from the program
// folder as the upload dialog creates it. Expected values are worked out
// here from the password rule itself: the checksum is zlib's CRC-32 over the
// county name's Windows-1252 bytes from the second on.

#include <elf.h>
#include <gtest/gtest.h>
#include <zlib.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

#include "clsPassword.h"
#include "com/Registry.h"
#include "vb/VbError.h"

namespace passwordtest {
namespace {

// The checksum of a county name given as its Windows-1252 bytes.
std::int32_t NameChecksum(const std::string& windows1252Name) {
  if (windows1252Name.size() < 2) return 0;
  const uLong crc = crc32(crc32(0L, Z_NULL, 0), reinterpret_cast<const Bytef*>(windows1252Name.data() + 1),
                          static_cast<uInt>(windows1252Name.size() - 1));
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(crc));
}

// The password that the rule gives for a checksum other than the smallest.
std::string PasswordOf(std::int32_t checksum) {
  char text[16];
  std::snprintf(text, sizeof text, "%X", static_cast<unsigned>(checksum < 0 ? -checksum : checksum));
  return text;
}

class PasswordTest : public ::testing::Test {
 protected:
  void SetUp() override {
    com::SetComponentFolder(LEV_PROGRAM_DIR);
    password_ = com::CreateObject<password::clsPassword>(password::kProgId);
  }
  void TearDown() override { com::SetComponentFolder({}); }

  bool Verify(const std::string& county, const std::string& typed) {
    const std::int16_t answer = password_->VerifyLeaPassword(county, typed);
    EXPECT_TRUE(answer == -1 || answer == 0) << answer;
    return answer == -1;
  }

  std::shared_ptr<password::clsPassword> password_;
};

TEST_F(PasswordTest, PasswordIsTheUpperCaseHexOfTheChecksumsAbsoluteValue) {
  struct Case {
    std::string name;        // as the program holds it (UTF-8)
    std::string bytes;       // the same name in Windows-1252
    std::string password;
  };
  const std::vector<Case> cases = {
      {"Birch County", "Birch County", "A8CD749"},  // a negative checksum
      {"Alder", "Alder", "46148457"},               // its own bits would read B9EB7BA9
      {"X", "X", "0"},                              // nothing to hash
      {"", "", "0"},
      {"Ca\u00F1on \u20AC", "Ca\xF1on \x80", PasswordOf(NameChecksum("Ca\xF1on \x80"))},
  };
  EXPECT_LT(NameChecksum("Birch County"), 0);
  for (const Case& c : cases) {
    EXPECT_EQ(PasswordOf(NameChecksum(c.bytes)), c.password) << c.name;
    EXPECT_EQ(password_->ReturnPassword(c.name), c.password) << c.name;
    EXPECT_TRUE(Verify(c.name, c.password)) << c.name;
  }
}

TEST_F(PasswordTest, EveryTextOfTheSameHexadecimalValueVerifies) {
  struct Case {
    std::string county;
    std::string typed;
    bool accepted;
  };
  const std::string zeros200(200, '0'), zeros300(300, '0');
  const std::vector<Case> cases = {
      {"Birch County", "A8CD749", true},
      {"Birch County", "0a8cd749", true},          // leading zeros and case do not matter
      {"Birch County", "A8CD73P", true},           // letters past F count on: P is 25
      {"Birch County", "a8cd73p", true},
      {"Birch County", "A8CD74@", true},           // ":" to "@" count 3 to 9
      {"Birch County", "A8CD74:", false},
      {"Birch County", "A8CCE\u00E9`", true},      // e acute counts as its capital's code 201 less 55, "`" as 41
      {"Birch County", "A8CCE\u00C9`", true},
      {"Birch County", zeros200 + "A8CD749", true},
      {"Birch County", zeros300 + "A8CD749", false},  // beyond the range of doubles the value is 0
      {"Birch County", "A8CD 749", false},         // a blank, a hyphen or a dot is no value
      {"Birch County", "A8CD-749", false},
      {"Birch County", "A8CD749.", false},
      {"Birch County", "A8CD748", false},
      {"Birch County", "", false},
      {"Alder", "46148457", true},
      {"Alder", "B9EB7BA9", false},                // the checksum's own bits
      {"Alder", "-46148457", false},
      {"X", "", true},
      {"X", "0", true},
      {"X", "A8CD-749", true},                      // a text of no value counts as 0
      {"X", "1" + zeros300, true},
      {"X", "Z" + std::string(255, '0'), true},    // 35 times 16^255 overflows, though 16^255 does not
      {"X", std::string(256, 'F'), true},          // each term fits, their sum overflows
      {"Birch County", std::string(256, 'F'), false},
      {"X", "1", false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Verify(c.county, c.typed), c.accepted) << c.county << " / " << c.typed;
  }
}

TEST_F(PasswordTest, OneCountyIsVerifiedWithAFixedTextAppended) {
  EXPECT_TRUE(Verify("Tolvan", password_->ReturnPassword("TolvanTolvan1")));
  EXPECT_FALSE(Verify("Tolvan", password_->ReturnPassword("Tolvan")));
  // The derivation itself knows no special case.
  EXPECT_EQ(password_->ReturnPassword("Tolvan"), PasswordOf(NameChecksum("Tolvan")));
  // The name must match exactly, case and all.
  for (const char* name : {"tolvan", "TOLVAN", "Tolvan ", " Tolvan", "TolvanTolvan1"}) {
    EXPECT_TRUE(Verify(name, password_->ReturnPassword(name))) << "'" << name << "'";
  }
}

TEST_F(PasswordTest, TheSmallestChecksumHasNoPassword) {
  ASSERT_EQ(NameChecksum("AjoUh*5"), INT32_MIN);
  EXPECT_EQ(password_->ReturnPassword("AjoUh*5"), "");
  for (const char* typed : {"80000000", "-80000000", "0", ""}) {
    EXPECT_FALSE(Verify("AjoUh*5", typed)) << typed;
  }
}

TEST_F(PasswordTest, RegistryMakesOnlyThePasswordClass) {
  try {
    com::CreateObjectRaw("passwarden.clsCalculate");
    ADD_FAILURE() << "an unknown class was created";
  } catch (const vb::VbError& e) {
    EXPECT_EQ(e.Number(), vb::err::CannotCreateObject);
  }
}

// --- What the library needs and offers ----------------------------------------

struct DynamicLinking {
  std::vector<std::string> needed;             // libraries it needs
  std::vector<std::string> exportedFunctions;  // functions it defines for others
};

template <class T>
T ReadAt(const std::string& image, std::uint64_t offset) {
  if (offset > image.size() || image.size() - offset < sizeof(T)) throw std::out_of_range("truncated ELF file");
  T value;
  std::memcpy(&value, image.data() + offset, sizeof(T));
  return value;
}

std::string NameAt(const std::string& image, const Elf64_Shdr& strings, std::uint64_t offset) {
  if (offset >= strings.sh_size || strings.sh_offset + offset >= image.size()) throw std::out_of_range("bad name");
  return std::string(image.c_str() + strings.sh_offset + offset);
}

DynamicLinking ReadDynamicLinking(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  const std::string image((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  const auto header = ReadAt<Elf64_Ehdr>(image, 0);
  if (std::memcmp(header.e_ident, ELFMAG, SELFMAG) != 0 || header.e_ident[EI_CLASS] != ELFCLASS64) {
    throw std::runtime_error("not a 64-bit ELF file");
  }
  std::vector<Elf64_Shdr> sections;
  for (unsigned i = 0; i < header.e_shnum; ++i) {
    sections.push_back(ReadAt<Elf64_Shdr>(image, header.e_shoff + std::uint64_t{i} * header.e_shentsize));
  }
  DynamicLinking linking;
  for (const Elf64_Shdr& section : sections) {
    if (section.sh_type != SHT_DYNAMIC && section.sh_type != SHT_DYNSYM) continue;
    const Elf64_Shdr& strings = sections.at(section.sh_link);
    for (std::uint64_t at = 0; at + section.sh_entsize <= section.sh_size; at += section.sh_entsize) {
      if (section.sh_type == SHT_DYNAMIC) {
        const auto entry = ReadAt<Elf64_Dyn>(image, section.sh_offset + at);
        if (entry.d_tag == DT_NEEDED) linking.needed.push_back(NameAt(image, strings, entry.d_un.d_val));
      } else {
        const auto symbol = ReadAt<Elf64_Sym>(image, section.sh_offset + at);
        if (symbol.st_shndx != SHN_UNDEF && ELF64_ST_TYPE(symbol.st_info) == STT_FUNC &&
            ELF64_ST_BIND(symbol.st_info) != STB_LOCAL) {
          linking.exportedFunctions.push_back(NameAt(image, strings, symbol.st_name));
        }
      }
    }
  }
  return linking;
}

TEST(PasswardenLibraryTest, NeedsTheSharedRuntimeAndZlibOnlyAndExportsItsFactory) {
  const DynamicLinking linking = ReadDynamicLinking(std::filesystem::path(LEV_PROGRAM_DIR) / "libpasswarden.so");
  // Beyond the shared runtime and zlib, only the system's C and C++ runtime.
  const std::vector<std::string> systemRuntime = {"libc.so", "libm.so", "libstdc++.so", "libgcc_s.so", "ld-linux"};
  std::set<std::string> ours;
  for (const std::string& name : linking.needed) {
    if (name == "liblevrt.so" || name.rfind("libz.so", 0) == 0) {
      ours.insert(name.substr(0, name.find(".so")));
      continue;
    }
    bool system = false;
    for (const std::string& prefix : systemRuntime) system = system || name.rfind(prefix, 0) == 0;
    EXPECT_TRUE(system) << "libpasswarden.so needs " << name;
  }
  EXPECT_EQ(ours, (std::set<std::string>{"liblevrt", "libz"}));
  EXPECT_EQ(linking.exportedFunctions, std::vector<std::string>{com::kFactorySymbol});
}

}  // namespace
}  // namespace passwordtest
