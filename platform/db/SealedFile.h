#pragma once
// The sealed certified-data file: a compacted copy of a database inside a
// password envelope, and the way back to a database one can open.
//
//   db::seal(copyPath, exportFolder / fileName, "ZJX");   // compacts, seals, renames into place
//
//   db::TemporaryFile plain = db::unseal(chosenFile, "ZJX"); // refuses a bad file
//   auto conn = db::Connection::OpenNew(
//       db::Connection::ConnectionStringFor(plain.Path().string()));
//   ...                                      // close conn; `plain` removes the copy when it ends
//
// The sealed file, all numbers little-endian:
//
//   offset  size  what
//        0     8  magic "LEVSEAL" followed by byte 1A
//        8     2  format version, 1
//       10     8  Argon2id operations limit
//       18     8  Argon2id memory limit, in bytes
//       26    16  random salt
//       42    24  header of the XChaCha20-Poly1305 secret stream
//       66        chunks: 65,536 bytes of the database each, 17 more when
//                 sealed; the last one shorter or as long, tagged final
//
// The key is Argon2id of the password with the salt and the limits of the
// file. The first chunk authenticates the 66 header bytes as well, so a
// change anywhere, a missing chunk, a missing end or a byte after it is
// refused. Limits outside [kMinKeyCost, kMaxKeyCost] are refused before any
// key is derived, so that a made-up header cannot demand unbounded memory or
// time.
//
// Errors (vb::VbError), with the file's path in the text:
//   53    the file does not exist ("File not found: ...")
//   75    the file, a folder or a temporary could not be read or written
//         ("Path/File access error: ..." with the system's reason)
//   3001  seal was given limits outside the accepted range
//   sealerr::NotSealed, OtherVersion, KeyCostRefused, WrongPassword, Damaged
//         the file's contents were refused (see below); 53 and 75 are about
//         the file system, these about what the file holds.
//   7     no memory for the key derivation.
//   3045  the database to compact stayed locked by another process past the
//         busy timeout (5 s).
//   The database's own error when seal's database cannot be compacted.
//
// Every temporary is owner-only (0600) and removed on every way out; the file
// given to unseal is only read. seal's result is owner-only as well.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string_view>
#include <utility>

#include "db/Connection.h"

namespace db {

// The cost of deriving the key from the password (Argon2id).
struct KeyCost {
  std::uint64_t opsLimit;
  std::uint64_t memLimit;  // bytes
};

// What seal uses: the interactive limits, about a tenth of a second.
inline constexpr KeyCost kSealKeyCost{2, 64ull << 20};
// What unseal accepts from a file's header.
inline constexpr KeyCost kMinKeyCost{1, 8ull << 10};
inline constexpr KeyCost kMaxKeyCost{3, 256ull << 20};

namespace sealerr {
// "... is not a sealed data file.": too short for the magic, or another magic.
inline constexpr long NotSealed = 3343;
// "... is sealed in format version N; this version reads version 1."
inline constexpr long OtherVersion = 3344;
// "... asks for a key derivation outside the limits this version accepts."
inline constexpr long KeyCostRefused = 3345;
// "The password is not valid for ..., or the file is damaged.": the first
// chunk does not open, which a wrong password and a changed header or first
// chunk look alike for.
inline constexpr long WrongPassword = 3031;
// "... is damaged: ..." once the password has proved right (or the header
// itself is cut short): a chunk changed or cut, the end missing, bytes after
// the end.
inline constexpr long Damaged = 3049;
}  // namespace sealerr

// A file in the temporary folder (the TMPDIR of the moment), readable and
// writable by its owner only, removed with the side files a database keeps
// beside it (-journal, -wal, -shm) when the handle ends. Movable, not
// copyable.
class TemporaryFile {
 public:
  // A new empty file named <prefix>XXXXXX (error 75 when none can be made).
  static TemporaryFile Create(std::string_view prefix);

  TemporaryFile() = default;
  TemporaryFile(TemporaryFile&& other) noexcept;
  TemporaryFile& operator=(TemporaryFile&& other) noexcept;
  TemporaryFile(const TemporaryFile&) = delete;
  TemporaryFile& operator=(const TemporaryFile&) = delete;
  ~TemporaryFile() { Remove(); }

  const std::filesystem::path& Path() const { return path_; }
  explicit operator bool() const { return !path_.empty(); }
  // Removes the file and its side files now; nothing when there is none.
  void Remove() noexcept;

 private:
  explicit TemporaryFile(std::filesystem::path path) : path_(std::move(path)) {}
  std::filesystem::path path_;
};

// Copies the database compacted (VACUUM INTO, through a read-only connection
// of its own) into `emptyTarget`, an empty file or none. The database is
// only read. A database that stays locked past the busy timeout is error
// 3045 (vb::err::FileInUse), any other failure -2147467259.
void CompactInto(const std::filesystem::path& database, const std::filesystem::path& emptyTarget);

// The key of one file to be sealed: a fresh random salt and the key derived
// from the password with it. Deriving is most of a seal's cost (a tenth of a
// second at kSealKeyCost), so a caller that has other work to do first can
// derive it on a worker thread meanwhile:
//
//   auto key = std::async(std::launch::async, [] { return db::SealKey("ZJX"); });
//   ...                                            // prepare the database
//   db::seal(copyPath, outFile, key.get());
//
// A key seals one file: seal takes it and wipes it. The key bytes are wiped
// whenever a SealKey ends. Errors: 3001 for limits outside the accepted
// range, 7 when there is no memory for the derivation.
class SealKey {
 public:
  explicit SealKey(std::string_view password, KeyCost cost = kSealKeyCost);
  SealKey(SealKey&& other) noexcept;
  SealKey& operator=(SealKey&&) = delete;
  SealKey(const SealKey&) = delete;
  SealKey& operator=(const SealKey&) = delete;
  ~SealKey();

  const KeyCost& Cost() const { return cost_; }
  const unsigned char* Salt() const { return salt_; }
  const unsigned char* Bytes() const { return key_; }
  // The key was moved away or used up: it seals nothing.
  bool Spent() const { return spent_; }
  void Wipe() noexcept;

  static constexpr std::size_t kSaltSize = 16, kKeySize = 32;

 private:
  KeyCost cost_;
  unsigned char salt_[kSaltSize];
  unsigned char key_[kKeySize];
  bool spent_ = false;
};

// A private copy of the database as it stands, free pages included, held
// in memory and open on a connection of its own, which it ends with:
//
//   db::ConnectionPtr copy = db::CopyIntoMemory(workingFile);
//   ...                                  // change the copy
//   db::seal(*copy, outFile, key.get()); // compacts and seals it
//   copy.reset();                        // the copy is gone
//
// The bytes are read under a read transaction of a read-only connection of
// its own (a database in write-ahead mode is compacted first, since part of
// it lies beside the file), so the database is only read, and nothing of
// the copy reaches the disk. It takes as much memory as the file. Errors as
// CompactInto's, 75 when the file cannot be read, 7 when there is no memory
// for it.
ConnectionPtr CopyIntoMemory(const std::filesystem::path& database);

// Seals a compacted copy of the database `plainDatabase` as `outFile`,
// replacing a file of that name only once the new one is complete and
// flushed. The folder of `outFile` must exist. Tests lower `cost` to stay
// fast; the file records it and unseal follows it.
void seal(const std::filesystem::path& plainDatabase, const std::filesystem::path& outFile,
          std::string_view password, KeyCost cost = kSealKeyCost);
// The same with a key derived beforehand, which it uses up (a spent key is
// error 5).
void seal(const std::filesystem::path& plainDatabase, const std::filesystem::path& outFile, SealKey&& key);

// Seals a compacted copy of the main database of the open connection `plain`
// (a CopyIntoMemory copy, say) as `outFile`, as the seal above, with a key
// derived beforehand, which it uses up. The database is only read; errors
// as the seal above, 3704 when the connection is closed.
void seal(Connection& plain, const std::filesystem::path& outFile, SealKey&& key);

// Seals the bytes of any file as they are, without compacting: the layer
// under seal, for envelopes around other contents (tests of the readers).
void sealBytes(const std::filesystem::path& plainFile, const std::filesystem::path& outFile,
               std::string_view password, KeyCost cost = kSealKeyCost);

// Opens the sealed `file` with the password into a new private temporary
// copy, or refuses it with one of the errors above, leaving no temporary.
TemporaryFile unseal(const std::filesystem::path& file, std::string_view password);

}  // namespace db
