// The sealed certified-data file: a round trip gives the database back, and
// a file that is damaged, not sealed, or opened with another password is
// refused, with the file left as it was and no temporary left behind.

#include <gtest/gtest.h>
#include <sqlite3.h>
#include <sys/stat.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <future>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include "../vb/VbTestSupport.h"
#include "SealedDatabase.h"
#include "TestEnvironment.h"
#include "db/Connection.h"
#include "db/SealedFile.h"
#include "vb/Conversions.h"

namespace fs = std::filesystem;
using vbtest::ErrorOf;

namespace {

// The file layout: a 66-byte header, then chunks of 65,536 bytes sealed with
// 17 bytes more each.
constexpr std::size_t kHeader = 66;
constexpr std::size_t kSealedChunk = 65536 + 17;

using Bytes = std::vector<unsigned char>;

Bytes ReadBytes(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(in), {});
}

void WriteBytes(const fs::path& p, const Bytes& bytes) {
  std::ofstream out(p, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

void PutLittleEndian(Bytes& bytes, std::size_t at, std::uint64_t value) {
  for (int i = 0; i < 8; ++i) bytes[at + i] = static_cast<unsigned char>(value >> (8 * i));
}

std::vector<std::string> Entries(const fs::path& folder) {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder)) names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

constexpr const char* kRows =
    "INSERT INTO KRN_LEAS (FISCAL_YEAR, COUNTY_ID, SCHOOL_DISTRICT_ID, SCHOOL_ID, SCHOOL_DISTRICT_NAME) VALUES "
    "(2019, 19, 64733, 0, 'County Office'), (2019, 19, 612, 0, 'Brook \"North\" O''Hara');";

// Every test gets a temporary folder of its own (TMPDIR) and an output
// folder, so that a temporary left behind shows.
class SealedFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    root_ = fixtures::MakeTempFolder("levsealed");
    fs::create_directories(Temp());
    fs::create_directories(Out());
    if (const char* old = std::getenv("TMPDIR")) oldTmp_ = old;
    ::setenv("TMPDIR", Temp().c_str(), 1);
  }
  void TearDown() override {
    if (oldTmp_)
      ::setenv("TMPDIR", oldTmp_->c_str(), 1);
    else
      ::unsetenv("TMPDIR");
    fs::remove_all(root_);
  }

  fs::path Temp() const { return root_ / "tmp"; }
  fs::path Out() const { return root_ / "out"; }

  // The two agency names of kRows, by district.
  static std::vector<std::string> Names(const fs::path& database) {
    db::Connection conn;
    conn.Open(db::Connection::ConnectionStringFor(database.string()));
    return Names(conn);
  }
  static std::vector<std::string> Names(db::Connection& conn) {
    std::vector<std::string> names;
    for (int district : {612, 64733}) {
      names.push_back(vb::CStr(conn.Scalar("SELECT SCHOOL_DISTRICT_NAME FROM KRN_LEAS WHERE SCHOOL_DISTRICT_ID = ?",
                                           {vb::Variant(district)})));
    }
    return names;
  }

  fs::path root_;
  std::optional<std::string> oldTmp_;
};

// The program's own key cost: the header records it, and the unsealed copy
// is a private database with the rows that were sealed.
TEST_F(SealedFileTest, RoundTripAtTheProgramsKeyCost) {
  const fs::path plain = root_ / "plain.mdb";
  fixtures::BuildDatabase(plain, false);
  {
    db::Connection conn;
    conn.Open(db::Connection::ConnectionStringFor(plain.string()));
    conn.ExecuteScript(kRows);
  }
  const Bytes plainBefore = ReadBytes(plain);
  const fs::path sealed = Out() / "VuzO19_00_2_19_Dec_09_2026_14_33_57";
  WriteBytes(sealed, Bytes{'o', 'l', 'd'});  // replaced once the new file is complete

  db::seal(plain, sealed, "ZJX");

  EXPECT_EQ(ReadBytes(plain), plainBefore);
  EXPECT_EQ(Entries(Out()), std::vector<std::string>{sealed.filename().string()});
  EXPECT_TRUE(Entries(Temp()).empty());
  const Bytes bytes = ReadBytes(sealed);
  ASSERT_GT(bytes.size(), kHeader + kSealedChunk);  // more than one chunk
  EXPECT_EQ(std::string(bytes.begin(), bytes.begin() + 8), std::string("LEVSEAL\x1A"));
  EXPECT_EQ(bytes[8] | bytes[9] << 8, 1);
  Bytes expectedCost(16);
  PutLittleEndian(expectedCost, 0, 2);
  PutLittleEndian(expectedCost, 8, 64ull << 20);
  EXPECT_EQ(Bytes(bytes.begin() + 10, bytes.begin() + 26), expectedCost);
  EXPECT_EQ(fs::status(sealed).permissions() & fs::perms::all, fs::perms::owner_read | fs::perms::owner_write);

  fs::path copyPath;
  {
    db::TemporaryFile copy = db::unseal(sealed, "ZJX");
    copyPath = copy.Path();
    EXPECT_EQ(copyPath.parent_path(), Temp());
    EXPECT_EQ(fs::status(copyPath).permissions() & fs::perms::all, fs::perms::owner_read | fs::perms::owner_write);
    EXPECT_EQ(Names(copyPath), (std::vector<std::string>{"Brook \"North\" O'Hara", "County Office"}));
  }
  EXPECT_FALSE(fs::exists(copyPath));
  EXPECT_TRUE(Entries(Temp()).empty());
  EXPECT_EQ(ReadBytes(sealed), bytes);
}

// Each chunk boundary: no bytes, one, exactly one chunk, one more, two.
// The envelope holds any bytes; the last chunk is full when the size is a
// multiple of the chunk.
TEST_F(SealedFileTest, AnyBytesComeBackAsTheyWere) {
  for (std::size_t size : {0u, 1u, 65536u, 65537u, 131072u}) {
    SCOPED_TRACE(size);
    Bytes bytes(size);
    for (std::size_t i = 0; i < size; ++i) bytes[i] = static_cast<unsigned char>(i * 7 + i / 256);
    WriteBytes(root_ / "plain", bytes);
    db::sealBytes(root_ / "plain", Out() / "sealed", "ZJX", fixtures::kTestKeyCost);
    const std::size_t chunks = size == 0 ? 1 : (size + 65535) / 65536;  // the last one may be full
    EXPECT_EQ(ReadBytes(Out() / "sealed").size(), kHeader + chunks * 17 + size);
    {
      db::TemporaryFile copy = db::unseal(Out() / "sealed", "ZJX");
      EXPECT_EQ(ReadBytes(copy.Path()), bytes);
    }
    // A byte after the end, whether the last chunk is full or not; in a file
    // of one short chunk it spoils the first chunk, which a wrong password
    // looks alike for.
    Bytes longer = ReadBytes(Out() / "sealed");
    longer.push_back(0);
    WriteBytes(Out() / "sealed", longer);
    EXPECT_EQ(ErrorOf([&] { db::unseal(Out() / "sealed", "ZJX"); }),
              size < 65536 ? db::sealerr::WrongPassword : db::sealerr::Damaged);
    EXPECT_TRUE(Entries(Temp()).empty());
  }
}

struct Refusal {
  const char* what;
  std::function<void(Bytes&)> change;  // made to a good sealed file's bytes
  const char* password;
  long error;
};

TEST_F(SealedFileTest, RefusesEveryChangedOrForeignFile) {
  const fs::path good = root_ / "good";
  fixtures::BuildSealedDatabase(good, kRows);
  {
    db::TemporaryFile copy = db::unseal(good, "ZJX");
    ASSERT_EQ(Names(copy.Path()), (std::vector<std::string>{"Brook \"North\" O'Hara", "County Office"}));
  }
  const Bytes sealed = ReadBytes(good);
  fixtures::BuildDatabase(root_ / "plain.mdb", false);
  const Bytes plainDatabase = ReadBytes(root_ / "plain.mdb");
  ASSERT_GT(sealed.size(), kHeader + 2 * kSealedChunk);  // a first, a middle and a last chunk
  const std::size_t lastChunk = kHeader + (sealed.size() - kHeader - 1) / kSealedChunk * kSealedChunk;
  auto flip = [](std::size_t at) { return [at](Bytes& b) { b[at] ^= 0x01; }; };
  auto cost = [](std::size_t at, std::uint64_t value) { return [=](Bytes& b) { PutLittleEndian(b, at, value); }; };
  auto cut = [](std::size_t size) { return [size](Bytes& b) { b.resize(size); }; };

  using namespace db::sealerr;
  const Refusal cases[] = {
      {"wrong password", [](Bytes&) {}, "ZJx", WrongPassword},
      {"empty password", [](Bytes&) {}, "", WrongPassword},
      {"last byte cut off", [](Bytes& b) { b.pop_back(); }, "ZJX", Damaged},
      {"cut after a whole chunk, the end missing", cut(kHeader + kSealedChunk), "ZJX", Damaged},
      {"cut after the header", cut(kHeader), "ZJX", Damaged},
      {"cut inside the header", cut(40), "ZJX", Damaged},
      {"cut inside the magic", cut(5), "ZJX", NotSealed},
      {"empty", cut(0), "ZJX", NotSealed},
      {"magic changed", flip(3), "ZJX", NotSealed},
      {"version changed", flip(8), "ZJX", OtherVersion},
      {"salt changed", flip(30), "ZJX", WrongPassword},
      {"stream header changed", flip(50), "ZJX", WrongPassword},
      {"operations limit changed within the limits", cost(10, 2), "ZJX", WrongPassword},
      {"first chunk changed", flip(kHeader + 100), "ZJX", WrongPassword},
      {"middle chunk changed", flip(kHeader + kSealedChunk + 100), "ZJX", Damaged},
      {"last chunk changed", flip(sealed.size() - 5), "ZJX", Damaged},
      {"two chunks swapped",
       [&](Bytes& b) {
         std::swap_ranges(b.begin() + kHeader + kSealedChunk, b.begin() + kHeader + 2 * kSealedChunk,
                          b.begin() + kHeader + 2 * kSealedChunk);
       },
       "ZJX", Damaged},
      {"last chunk dropped", cut(lastChunk), "ZJX", Damaged},
      {"a byte appended", [](Bytes& b) { b.push_back(0); }, "ZJX", Damaged},
      {"a chunk appended", [&](Bytes& b) { b.insert(b.end(), sealed.begin() + lastChunk, sealed.end()); }, "ZJX",
       Damaged},
      {"operations limit above the maximum", cost(10, 4), "ZJX", KeyCostRefused},
      {"memory limit above the maximum", cost(18, (256ull << 20) + 1), "ZJX", KeyCostRefused},
      {"memory limit of 2^63 bytes", cost(18, 1ull << 63), "ZJX", KeyCostRefused},
      {"operations limit zero", cost(10, 0), "ZJX", KeyCostRefused},
      {"memory limit below the minimum", cost(18, 1024), "ZJX", KeyCostRefused},
      {"a plain database", [&](Bytes& b) { b = plainDatabase; }, "ZJX", NotSealed},
  };
  for (const Refusal& c : cases) {
    SCOPED_TRACE(c.what);
    const fs::path file = Out() / "VuzO19_00_2_19_Dec_09_2026_14_33_57";
    Bytes bytes = sealed;
    c.change(bytes);
    WriteBytes(file, bytes);
    long error = 0;
    try {
      db::unseal(file, c.password);
    } catch (const vb::VbError& e) {
      error = e.Number();
      EXPECT_NE(e.Description().find(file.string()), std::string::npos) << e.Description();
    }
    EXPECT_EQ(error, c.error);
    EXPECT_EQ(ReadBytes(file), bytes);
    EXPECT_EQ(Entries(Out()), std::vector<std::string>{file.filename().string()});
    EXPECT_TRUE(Entries(Temp()).empty());
  }
}

// A key derived ahead (on another thread) seals one file, which unseals
// with the password; the used key seals no second file with the same salt.
TEST_F(SealedFileTest, AKeyDerivedAheadSealsOneFileOnly) {
  const fs::path plain = root_ / "plain.mdb";
  fixtures::BuildDatabase(plain, false);
  {
    db::Connection conn;
    conn.Open(db::Connection::ConnectionStringFor(plain.string()));
    conn.ExecuteScript(kRows);
  }
  auto derived = std::async(std::launch::async, [] { return db::SealKey("ZJX", fixtures::kTestKeyCost); });
  db::SealKey key = derived.get();
  db::seal(plain, Out() / "first", std::move(key));
  EXPECT_EQ(Names(db::unseal(Out() / "first", "ZJX").Path()),
            (std::vector<std::string>{"Brook \"North\" O'Hara", "County Office"}));

  EXPECT_EQ(ErrorOf([&] { db::seal(plain, Out() / "second", std::move(key)); }), vb::err::InvalidProcedureCall);
  EXPECT_EQ(Entries(Out()), std::vector<std::string>{"first"});
  EXPECT_TRUE(Entries(Temp()).empty());
}

// The export's copy: the database as it stands, in memory, the file only
// read and nothing written to the disk. A rollback-mode file comes byte for
// byte (free pages too, which seal's compaction drops); a database in
// write-ahead mode whose rows lie in its log as yet comes with them. A
// change to the copy stays in the copy, and the copy seals into the same
// plain bytes as a file of the same content does.
TEST_F(SealedFileTest, CopyIntoMemoryTakesTheDatabaseAsItStands) {
  for (bool wal : {false, true}) {
    SCOPED_TRACE(wal ? "write-ahead log" : "rollback journal");
    const fs::path plain = root_ / (wal ? "wal.mdb" : "plain.mdb");
    fixtures::BuildDatabase(plain, false);
    db::Connection writer;
    writer.Open(db::Connection::ConnectionStringFor(plain.string()));
    if (wal) writer.ExecuteScript("PRAGMA journal_mode = WAL; PRAGMA wal_autocheckpoint = 0;");
    writer.ExecuteScript(kRows);
    writer.ExecuteScript("CREATE TABLE Gone (x); INSERT INTO Gone VALUES (randomblob(20000)); DROP TABLE Gone;");
    const Bytes before = ReadBytes(plain);

    db::ConnectionPtr copy = db::CopyIntoMemory(plain);

    EXPECT_TRUE(Entries(Temp()).empty());
    if (!wal) {
      sqlite3_int64 size = 0;
      unsigned char* bytes = sqlite3_serialize(copy->Handle(), "main", &size, 0);
      ASSERT_NE(bytes, nullptr);
      EXPECT_TRUE(Bytes(bytes, bytes + size) == before);
      sqlite3_free(bytes);
    }
    EXPECT_EQ(Names(*copy), (std::vector<std::string>{"Brook \"North\" O'Hara", "County Office"}));

    copy->Execute("UPDATE KRN_LEAS SET SCHOOL_DISTRICT_NAME = 'Changed' WHERE SCHOOL_DISTRICT_ID = 612");
    db::seal(*copy, Out() / "from-memory", db::SealKey("ZJX", fixtures::kTestKeyCost));
    copy.reset();
    EXPECT_EQ(ReadBytes(plain), before);
    writer.Execute("UPDATE KRN_LEAS SET SCHOOL_DISTRICT_NAME = 'Changed' WHERE SCHOOL_DISTRICT_ID = 612");
    writer.Close();
    db::seal(plain, Out() / "from-file", "ZJX", fixtures::kTestKeyCost);
    const db::TemporaryFile fromMemory = db::unseal(Out() / "from-memory", "ZJX");
    const db::TemporaryFile fromFile = db::unseal(Out() / "from-file", "ZJX");
    EXPECT_EQ(Names(fromMemory.Path()), (std::vector<std::string>{"Changed", "County Office"}));
    // (A write-ahead database's copy was compacted once more: its schema
    // counter is one ahead.)
    if (!wal) EXPECT_TRUE(ReadBytes(fromMemory.Path()) == ReadBytes(fromFile.Path()));
  }
}

// What is no database to read gives no copy, each by its cause (a lock:
// the export's tests).
TEST_F(SealedFileTest, CopyIntoMemoryRefusesWhatIsNoDatabase) {
  const fs::path notDatabase = root_ / "notes.txt";
  WriteBytes(notDatabase, Bytes(5000, 'x'));
  struct Case {
    const char* what;
    fs::path database;
    long error;
  } cases[] = {
      {"missing", root_ / "missing.mdb", vb::err::FileNotFound},
      {"a folder", Out(), vb::err::FileNotFound},
      {"not a database", notDatabase, vb::err::Unspecified},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(ErrorOf([&] { db::CopyIntoMemory(c.database); }), c.error);
  }
  EXPECT_TRUE(Entries(Temp()).empty());
}

// What is not a file to read is refused before anything is made.
TEST_F(SealedFileTest, RefusesWhatCannotBeRead) {
  EXPECT_EQ(ErrorOf([&] { db::unseal(Out() / "missing", "ZJX"); }), vb::err::FileNotFound);
  EXPECT_EQ(ErrorOf([&] { db::unseal(Out(), "ZJX"); }), vb::err::PathFileAccessError);
  EXPECT_TRUE(Entries(Temp()).empty());
}

// A seal that fails leaves the file it would replace as it was and no
// temporary beside it or in the temporary folder.
TEST_F(SealedFileTest, FailedSealLeavesTheOldFile) {
  const fs::path notDatabase = root_ / "notes.txt";
  WriteBytes(notDatabase, Bytes(5000, 'x'));
  const fs::path database = root_ / "plain.mdb";
  fixtures::BuildDatabase(database, false);
  const fs::path target = Out() / "sealed";
  const Bytes old{'o', 'l', 'd'};
  struct Case {
    const char* what;
    fs::path database, target;
    db::KeyCost cost;
    long error;
  } cases[] = {
      {"missing database", root_ / "missing.mdb", target, fixtures::kTestKeyCost, vb::err::FileNotFound},
      {"not a database", notDatabase, target, fixtures::kTestKeyCost, vb::err::Unspecified},
      {"missing output folder", database, Out() / "no such folder" / "sealed", fixtures::kTestKeyCost,
       vb::err::PathFileAccessError},
      {"memory limit above the maximum", database, target, {2, 512ull << 20}, vb::err::ArgumentOutOfRange},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    WriteBytes(target, old);
    EXPECT_EQ(ErrorOf([&] { db::seal(c.database, c.target, "ZJX", c.cost); }), c.error);
    EXPECT_EQ(ReadBytes(target), old);
    EXPECT_EQ(Entries(Out()), std::vector<std::string>{"sealed"});
    EXPECT_TRUE(Entries(Temp()).empty());
  }
}

}  // namespace
