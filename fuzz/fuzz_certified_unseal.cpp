// Raw bytes as a sealed certified-data file: every input is either opened
// into a private copy of the size its chunks promise, or refused with one of
// the sealed file's errors; the input is only read and no temporary remains.

#include <cstdint>
#include <string>

#include "FuzzSupport.h"
#include "db/Connection.h"
#include "db/SealedFile.h"
#include "vb/VbError.h"

namespace fs = std::filesystem;

namespace {

// The password the program seals its files with.
constexpr const char* kPassword = "ZJX";

// A database of `rows` rows of about 200 bytes each.
void MakeDatabase(const fs::path& path, int rows) {
  db::Connection conn;
  conn.Open(db::Connection::ConnectionStringFor(path.string()), true);
  conn.ExecuteScript(
      "CREATE TABLE Tax (COUNTY_ID INTEGER, SCHOOL_DISTRICT_ID INTEGER, NAME VARCHAR(200) COLLATE NOCASE);"
      "CREATE VIEW TaxNames AS SELECT NAME FROM Tax");
  for (int i = 0; i < rows; ++i) {
    conn.Execute("INSERT INTO Tax VALUES (19, ?, ?)",
                 {vb::Variant(64733 + i), vb::Variant(std::string(200, static_cast<char>('A' + i % 26)))});
  }
  conn.Close();
}

}  // namespace

// Seeds sealed at the least key cost, so that an input whose header stays
// whole costs no noticeable time: a one-chunk database, a database of three
// chunks, an envelope of nothing, a file sealed with another password.
void WriteSeeds(const fs::path& folder) {
  const db::TemporaryFile small = db::TemporaryFile::Create("seed-");
  MakeDatabase(small.Path(), 3);
  db::seal(small.Path(), folder / "small", kPassword, db::kMinKeyCost);
  db::seal(small.Path(), folder / "other-password", "ZJY", db::kMinKeyCost);
  const db::TemporaryFile large = db::TemporaryFile::Create("seed-");
  MakeDatabase(large.Path(), 700);
  db::seal(large.Path(), folder / "three-chunks", kPassword, db::kMinKeyCost);
  const db::TemporaryFile empty = db::TemporaryFile::Create("seed-");
  db::sealBytes(empty.Path(), folder / "empty", kPassword, db::kMinKeyCost);
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const fs::path input = fuzz::WorkFolder() / "input";
  fuzz::WriteFile(input, data, size);
  try {
    const db::TemporaryFile copy = db::unseal(input, kPassword);
    // 66 header bytes, then chunks of 65,536 bytes and 17 more.
    const std::uintmax_t sealed = size - 66;
    const std::uintmax_t chunks = sealed / (65536 + 17) + (sealed % (65536 + 17) != 0);
    if (fs::file_size(copy.Path()) != sealed - 17 * chunks) fuzz::Fail("the copy is not as long as its chunks");
  } catch (const vb::VbError& e) {
    const long n = e.Number();
    if (n != db::sealerr::NotSealed && n != db::sealerr::OtherVersion && n != db::sealerr::KeyCostRefused &&
        n != db::sealerr::WrongPassword && n != db::sealerr::Damaged) {
      fuzz::Fail("refused with an unexpected error " + std::to_string(n) + ": " + e.Description());
    }
  }
  if (fuzz::ReadFile(input) != std::string(reinterpret_cast<const char*>(data), size)) {
    fuzz::Fail("the input was changed");
  }
  fuzz::RequireNoTemporaries();
  return 0;
}
