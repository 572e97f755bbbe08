#include "db/SealedFile.h"

#include <fcntl.h>
#include <sodium.h>
#include <sqlite3.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <cerrno>
#include <cstring>
#include <functional>
#include <string>
#include <system_error>
#include <utility>
#include <vector>

#include "db/Connection.h"
#include "vb/VbError.h"

namespace db {
namespace {

namespace fs = std::filesystem;

constexpr std::array<unsigned char, 8> kMagic{'L', 'E', 'V', 'S', 'E', 'A', 'L', 0x1A};
constexpr std::uint16_t kVersion = 1;
constexpr std::size_t kChunk = 64 * 1024;
constexpr std::size_t kSaltAt = 26;
constexpr std::size_t kStreamHeaderAt = kSaltAt + crypto_pwhash_SALTBYTES;
constexpr std::size_t kHeaderSize = kStreamHeaderAt + crypto_secretstream_xchacha20poly1305_HEADERBYTES;
constexpr std::size_t kTagSize = crypto_secretstream_xchacha20poly1305_ABYTES;
constexpr std::size_t kSealedChunk = kChunk + kTagSize;
using Header = std::array<unsigned char, kHeaderSize>;

static_assert(kHeaderSize == 66 && kTagSize == 17, "the layout the header comment describes");
static_assert(kSealKeyCost.opsLimit == crypto_pwhash_argon2id_OPSLIMIT_INTERACTIVE &&
              kSealKeyCost.memLimit == crypto_pwhash_argon2id_MEMLIMIT_INTERACTIVE);
static_assert(kMinKeyCost.opsLimit >= crypto_pwhash_argon2id_OPSLIMIT_MIN &&
              kMinKeyCost.memLimit >= crypto_pwhash_argon2id_MEMLIMIT_MIN);
static_assert(kMaxKeyCost.opsLimit == crypto_pwhash_argon2id_OPSLIMIT_MODERATE &&
              kMaxKeyCost.memLimit == crypto_pwhash_argon2id_MEMLIMIT_MODERATE);

std::string Quoted(const fs::path& p) { return "'" + p.string() + "'"; }

[[noreturn]] void RaiseAccess(const fs::path& p, std::string_view doing, int error) {
  throw vb::VbError(vb::err::PathFileAccessError, "Path/File access error: cannot " + std::string(doing) + " " +
                                                      Quoted(p) + ": " + std::generic_category().message(error));
}

[[noreturn]] void RaiseDamaged(const fs::path& p, std::string_view why) {
  throw vb::VbError(sealerr::Damaged, Quoted(p) + " is damaged: " + std::string(why) + ".");
}

void RequireSodium() {
  static const bool ready = sodium_init() >= 0;
  if (!ready) throw vb::VbError(vb::err::Unspecified, "The encryption library could not be started.");
}

bool Accepted(const KeyCost& cost) {
  return cost.opsLimit >= kMinKeyCost.opsLimit && cost.opsLimit <= kMaxKeyCost.opsLimit &&
         cost.memLimit >= kMinKeyCost.memLimit && cost.memLimit <= kMaxKeyCost.memLimit;
}

void PutLittleEndian(unsigned char* at, std::uint64_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) at[i] = static_cast<unsigned char>(value >> (8 * i));
}

std::uint64_t GetLittleEndian(const unsigned char* at, int bytes) {
  std::uint64_t value = 0;
  for (int i = bytes - 1; i >= 0; --i) value = (value << 8) | at[i];
  return value;
}

// A file descriptor closed when it ends.
class Fd {
 public:
  explicit Fd(int fd = -1) : fd_(fd) {}
  Fd(Fd&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}
  Fd(const Fd&) = delete;
  Fd& operator=(const Fd&) = delete;
  ~Fd() {
    if (fd_ >= 0) ::close(fd_);
  }
  int get() const { return fd_; }
  // Closes now and answers errno of a failed close (0 when it went well).
  int Close() {
    int rc = ::close(std::exchange(fd_, -1));
    return rc == 0 ? 0 : errno;
  }

 private:
  int fd_;
};

// Opens a regular file for reading; a FIFO or device does not block the call.
Fd OpenForReading(const fs::path& p) {
  Fd fd(::open(p.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY));
  if (fd.get() < 0) {
    if (errno == ENOENT) throw vb::VbError(vb::err::FileNotFound, "File not found: " + Quoted(p));
    RaiseAccess(p, "open", errno);
  }
  struct stat st {};
  if (::fstat(fd.get(), &st) != 0) RaiseAccess(p, "read", errno);
  if (!S_ISREG(st.st_mode)) RaiseAccess(p, "read", S_ISDIR(st.st_mode) ? EISDIR : EINVAL);
  ::fcntl(fd.get(), F_SETFL, 0);
  return fd;
}

// Reads up to `size` bytes, fewer only at the end of the file.
std::size_t ReadUpTo(int fd, const fs::path& p, unsigned char* buffer, std::size_t size) {
  std::size_t done = 0;
  while (done < size) {
    ssize_t n = ::read(fd, buffer + done, size - done);
    if (n == 0) break;
    if (n < 0) {
      if (errno == EINTR) continue;
      RaiseAccess(p, "read", errno);
    }
    done += static_cast<std::size_t>(n);
  }
  return done;
}

void WriteAll(int fd, const fs::path& p, const unsigned char* data, std::size_t size) {
  while (size > 0) {
    ssize_t n = ::write(fd, data, size);
    if (n < 0) {
      if (errno == EINTR) continue;
      RaiseAccess(p, "write", errno);
    }
    data += n;
    size -= static_cast<std::size_t>(n);
  }
}

// Key material that is wiped when it goes out of scope.
struct Key {
  std::array<unsigned char, crypto_secretstream_xchacha20poly1305_KEYBYTES> bytes;
  Key(const fs::path& file, std::string_view password, const unsigned char* salt, const KeyCost& cost) {
    if (crypto_pwhash(bytes.data(), bytes.size(), password.data(), password.size(), salt, cost.opsLimit,
                      static_cast<std::size_t>(cost.memLimit), crypto_pwhash_ALG_ARGON2ID13) != 0) {
      sodium_memzero(bytes.data(), bytes.size());
      throw vb::VbError(vb::err::OutOfMemory, "Out of memory: the key for " + Quoted(file) + " cannot be derived.");
    }
  }
  ~Key() { sodium_memzero(bytes.data(), bytes.size()); }
  Key(const Key&) = delete;
  Key& operator=(const Key&) = delete;
};

struct StreamState {
  crypto_secretstream_xchacha20poly1305_state state;
  StreamState() = default;
  ~StreamState() { sodium_memzero(&state, sizeof state); }
  StreamState(const StreamState&) = delete;
  StreamState& operator=(const StreamState&) = delete;
};

// The hidden file beside the target that becomes the target once complete:
// flushed, renamed onto it, the rename flushed. Removed if never completed.
class PendingFile {
 public:
  explicit PendingFile(const fs::path& target)
      : target_(target), path_(HiddenBeside(target)), fd_(::mkostemp(path_.data(), O_CLOEXEC)) {
    if (fd_.get() < 0) {
      const int error = errno;
      path_.clear();
      RaiseAccess(target, "write", error);
    }
  }
  PendingFile(const PendingFile&) = delete;
  PendingFile& operator=(const PendingFile&) = delete;
  ~PendingFile() {
    if (!path_.empty()) ::unlink(path_.c_str());
  }

  void Write(const unsigned char* data, std::size_t size) { WriteAll(fd_.get(), target_, data, size); }

  void Complete() {
    if (::fsync(fd_.get()) != 0) RaiseAccess(target_, "write", errno);
    if (int error = fd_.Close()) RaiseAccess(target_, "write", error);
    if (::rename(path_.c_str(), target_.c_str()) != 0) RaiseAccess(target_, "write", errno);
    path_.clear();
    // The rename itself reaches the disk with the folder.
    Fd folder(::open(FolderOf(target_).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (folder.get() >= 0) ::fsync(folder.get());
  }

 private:
  static fs::path FolderOf(const fs::path& target) {
    return target.has_parent_path() ? target.parent_path() : fs::path(".");
  }
  // A name for mkostemp: ".<name>.XXXXXX" in the target's folder.
  static std::string HiddenBeside(const fs::path& target) {
    return (FolderOf(target) / ("." + target.filename().string() + ".XXXXXX")).string();
  }

  fs::path target_;
  std::string path_;  // empty once renamed
  Fd fd_;
};

}  // namespace

// --- Temporary files -------------------------------------------------------------

TemporaryFile TemporaryFile::Create(std::string_view prefix) {
  std::error_code ec;
  fs::path folder = fs::temp_directory_path(ec);
  if (ec) RaiseAccess(folder, "use the temporary folder", ec.value());
  std::string name = (folder / (std::string(prefix) + "XXXXXX")).string();
  int fd = ::mkostemp(name.data(), O_CLOEXEC);
  if (fd < 0) RaiseAccess(folder, "create a file in", errno);
  ::close(fd);
  return TemporaryFile(fs::path(name));
}

TemporaryFile::TemporaryFile(TemporaryFile&& other) noexcept : path_(std::exchange(other.path_, {})) {}

TemporaryFile& TemporaryFile::operator=(TemporaryFile&& other) noexcept {
  if (this != &other) {
    Remove();
    path_ = std::exchange(other.path_, {});
  }
  return *this;
}

void TemporaryFile::Remove() noexcept {
  if (path_.empty()) return;
  for (const char* side : {"", "-journal", "-wal", "-shm"}) ::unlink((path_.string() + side).c_str());
  path_.clear();
}

// --- Compaction -------------------------------------------------------------------

namespace {

// VACUUM INTO `emptyTarget` on an open connection; answers SQLite's result
// code, with the connection's message in `message` when it failed.
int VacuumInto(sqlite3* handle, const fs::path& emptyTarget, std::string& message) {
  sqlite3_stmt* stmt = nullptr;
  int rc = sqlite3_prepare_v2(handle, "VACUUM INTO ?1", -1, &stmt, nullptr);
  if (rc == SQLITE_OK) {
    const std::string target = emptyTarget.string();
    sqlite3_bind_text(stmt, 1, target.c_str(), static_cast<int>(target.size()), SQLITE_TRANSIENT);
    rc = sqlite3_step(stmt);
    if (rc == SQLITE_DONE) rc = SQLITE_OK;
  }
  if (rc != SQLITE_OK) message = sqlite3_errmsg(handle);
  sqlite3_finalize(stmt);
  return rc;
}

// A busy or locked database is error 3045, any other failure -2147467259.
void RaiseDatabaseError(int rc, const fs::path& database, std::string_view doing, const std::string& message) {
  if ((rc & 0xFF) == SQLITE_BUSY || (rc & 0xFF) == SQLITE_LOCKED) {
    throw vb::VbError(vb::err::FileInUse, "The database " + Quoted(database) + " is locked by another process: " + message);
  }
  throw vb::VbError(vb::err::Unspecified, "The database " + Quoted(database) + " cannot be " + std::string(doing) + ": " + message);
}

void RequireDatabaseFile(const fs::path& database) {
  std::error_code ec;
  if (!fs::is_regular_file(database, ec)) {
    throw vb::VbError(vb::err::FileNotFound, "File not found: " + Quoted(database));
  }
}

[[noreturn]] void RaiseNoRoomForCopy(const fs::path& database) {
  throw vb::VbError(vb::err::OutOfMemory, "Out of memory: no room for a copy of " + Quoted(database) + " in memory.");
}

// Memory from SQLite's allocator, freed when it ends unless handed on:
// `size` bytes in use of `capacity`.
struct SqliteBuffer {
  unsigned char* data = nullptr;
  sqlite3_int64 size = 0, capacity = 0;
  SqliteBuffer() = default;
  SqliteBuffer(const SqliteBuffer&) = delete;
  SqliteBuffer& operator=(const SqliteBuffer&) = delete;
  ~SqliteBuffer() { sqlite3_free(data); }
  // Room for `bytes` and half as many again, so that a copy of a database
  // can grow in place. What is never written is never touched either.
  // SQLite allocates less than 2 GiB at once: a larger database is error 7.
  void Allocate(const fs::path& database, sqlite3_int64 bytes) {
    const sqlite3_int64 room = bytes + bytes / 2 + (1 << 20);
    sqlite3_free(std::exchange(data, nullptr));
    data = static_cast<unsigned char*>(sqlite3_malloc64(static_cast<sqlite3_uint64>(room)));
    if (!data) RaiseNoRoomForCopy(database);
    size = bytes;
    capacity = room;
  }
  unsigned char* Release() { return std::exchange(data, nullptr); }
};

// Reads the whole of a plain file into `buffer`.
void ReadWholeFile(const fs::path& file, SqliteBuffer& buffer) {
  Fd in = OpenForReading(file);
  struct stat st {};
  if (::fstat(in.get(), &st) != 0) RaiseAccess(file, "read", errno);
  buffer.Allocate(file, st.st_size);
  if (ReadUpTo(in.get(), file, buffer.data, static_cast<std::size_t>(st.st_size)) !=
      static_cast<std::size_t>(st.st_size)) {
    RaiseAccess(file, "read", EIO);
  }
}

}  // namespace

void CompactInto(const fs::path& database, const fs::path& emptyTarget) {
  RequireDatabaseFile(database);
  sqlite3* handle = nullptr;
  std::string message;
  int rc = sqlite3_open_v2(database.c_str(), &handle, SQLITE_OPEN_READONLY, nullptr);
  if (rc == SQLITE_OK) {
    sqlite3_busy_timeout(handle, 5000);
    rc = VacuumInto(handle, emptyTarget, message);
  } else {
    message = handle ? sqlite3_errmsg(handle) : sqlite3_errstr(rc);
  }
  sqlite3_close_v2(handle);
  if (rc != SQLITE_OK) RaiseDatabaseError(rc, database, "compacted", message);
}

// --- Copying as it stands, into memory --------------------------------------------------

ConnectionPtr CopyIntoMemory(const fs::path& database) {
  RequireDatabaseFile(database);
  SqliteBuffer bytes;
  sqlite3* handle = nullptr;
  int rc = sqlite3_open_v2(database.c_str(), &handle, SQLITE_OPEN_READONLY, nullptr);
  std::string message;
  bool wal = false;
  try {
    if (rc == SQLITE_OK) {
      sqlite3_busy_timeout(handle, 5000);
      // The read transaction holds writers off while the bytes are copied
      // (the header's schema counter takes it without reading the schema).
      rc = sqlite3_exec(handle, "BEGIN; PRAGMA schema_version", nullptr, nullptr, nullptr);
      // The bytes are read through SQLite's own handle of the file: a
      // descriptor of our own, once closed, would end the locks this
      // process holds on it.
      sqlite3_file* file = nullptr;
      if (rc == SQLITE_OK) rc = sqlite3_file_control(handle, "main", SQLITE_FCNTL_FILE_POINTER, &file);
      if (rc == SQLITE_OK) {
        sqlite3_int64 size = 0;
        rc = file->pMethods->xFileSize(file, &size);
        if (rc == SQLITE_OK) bytes.Allocate(database, size);
        constexpr sqlite3_int64 kPiece = 64 << 20;
        for (sqlite3_int64 at = 0; rc == SQLITE_OK && at < size; at += kPiece) {
          rc = file->pMethods->xRead(file, bytes.data + at, static_cast<int>(std::min(size - at, kPiece)), at);
        }
        // The file format's read and write versions are 2 in write-ahead mode.
        wal = rc == SQLITE_OK && size >= 20 && (bytes.data[18] == 2 || bytes.data[19] == 2);
      }
    }
    if (rc != SQLITE_OK) message = handle ? sqlite3_errmsg(handle) : sqlite3_errstr(rc);
    if (message.empty() || message == "not an error") message = sqlite3_errstr(rc);
  } catch (...) {
    sqlite3_close_v2(handle);
    throw;
  }
  sqlite3_close_v2(handle);
  if (rc != SQLITE_OK) RaiseDatabaseError(rc, database, "copied", message);
  if (wal) {
    // A database in write-ahead mode keeps its latest pages beside the file:
    // SQLite compacts it into a private temporary, read back at once.
    TemporaryFile compacted = TemporaryFile::Create("levcopy-");
    CompactInto(database, compacted.Path());
    ReadWholeFile(compacted.Path(), bytes);
  }

  // A fixed buffer with room to grow, not a resizable one: SQLite then
  // reads its pages in place (the memory map below) instead of copying each
  // page it reads. A write past the room fails as on a full disk.
  ConnectionPtr copy = Connection::Create();
  copy->Open(Connection::ConnectionStringFor(":memory:"), true);
  const sqlite3_int64 size = bytes.size, capacity = bytes.capacity;
  rc = sqlite3_deserialize(copy->Handle(), "main", bytes.Release(), size, capacity, SQLITE_DESERIALIZE_FREEONCLOSE);
  if (rc == SQLITE_OK) {
    rc = sqlite3_exec(copy->Handle(), ("PRAGMA mmap_size = " + std::to_string(capacity)).c_str(), nullptr, nullptr,
                      nullptr);
  }
  if (rc != SQLITE_OK) {
    if ((rc & 0xFF) == SQLITE_NOMEM) RaiseNoRoomForCopy(database);
    RaiseDatabaseError(rc, database, "copied", sqlite3_errstr(rc));
  }
  return copy;
}

// --- Sealing ------------------------------------------------------------------------

SealKey::SealKey(std::string_view password, KeyCost cost) : cost_(cost) {
  RequireSodium();
  if (!Accepted(cost)) {
    throw vb::VbError(vb::err::ArgumentOutOfRange, "The key derivation limits are outside the accepted range.");
  }
  randombytes_buf(salt_, sizeof salt_);
  if (crypto_pwhash(key_, sizeof key_, password.data(), password.size(), salt_, cost.opsLimit,
                    static_cast<std::size_t>(cost.memLimit), crypto_pwhash_ALG_ARGON2ID13) != 0) {
    Wipe();
    throw vb::VbError(vb::err::OutOfMemory, "Out of memory: the key of a sealed file cannot be derived.");
  }
}

SealKey::SealKey(SealKey&& other) noexcept : cost_(other.cost_), spent_(other.spent_) {
  std::memcpy(salt_, other.salt_, sizeof salt_);
  std::memcpy(key_, other.key_, sizeof key_);
  other.Wipe();
}

SealKey::~SealKey() { Wipe(); }

void SealKey::Wipe() noexcept {
  sodium_memzero(key_, sizeof key_);
  spent_ = true;
}

namespace {

// The key taken over from `key`, refused when it has sealed a file already.
SealKey Unspent(SealKey&& key) {
  SealKey used(std::move(key));
  if (used.Spent()) throw vb::VbError(vb::err::InvalidProcedureCall, "The key of a sealed file seals one file only.");
  return used;
}

// The plain bytes to seal, in order: fills the buffer, less only at the end.
using PlainReader = std::function<std::size_t(unsigned char* buffer, std::size_t size)>;

// The envelope around the plain bytes `read` gives, under a key derived for
// this file alone, which it wipes once the stream has it.
void SealWith(const PlainReader& read, const fs::path& outFile, SealKey&& key) {
  static_assert(SealKey::kSaltSize == crypto_pwhash_SALTBYTES &&
                SealKey::kKeySize == crypto_secretstream_xchacha20poly1305_KEYBYTES);
  SealKey used = Unspent(std::move(key));
  PendingFile out(outFile);

  Header header{};
  std::copy(kMagic.begin(), kMagic.end(), header.begin());
  PutLittleEndian(&header[8], kVersion, 2);
  PutLittleEndian(&header[10], used.Cost().opsLimit, 8);
  PutLittleEndian(&header[18], used.Cost().memLimit, 8);
  std::memcpy(&header[kSaltAt], used.Salt(), SealKey::kSaltSize);
  StreamState stream;
  crypto_secretstream_xchacha20poly1305_init_push(&stream.state, &header[kStreamHeaderAt], used.Bytes());
  used.Wipe();
  out.Write(header.data(), header.size());

  // Each chunk is sealed once the next read tells whether it is the last.
  std::vector<unsigned char> current(kChunk), next(kChunk), sealed(kSealedChunk);
  std::size_t currentSize = read(current.data(), kChunk);
  for (bool first = true;; first = false) {
    const std::size_t nextSize = currentSize == kChunk ? read(next.data(), kChunk) : 0;
    const bool last = nextSize == 0;
    unsigned long long sealedSize = 0;
    crypto_secretstream_xchacha20poly1305_push(
        &stream.state, sealed.data(), &sealedSize, current.data(), currentSize, first ? header.data() : nullptr,
        first ? header.size() : 0,
        last ? crypto_secretstream_xchacha20poly1305_TAG_FINAL : crypto_secretstream_xchacha20poly1305_TAG_MESSAGE);
    out.Write(sealed.data(), static_cast<std::size_t>(sealedSize));
    if (last) break;
    std::swap(current, next);
    currentSize = nextSize;
  }
  out.Complete();
}

void SealWith(const fs::path& plainFile, const fs::path& outFile, SealKey&& key) {
  Fd in = OpenForReading(plainFile);
  SealWith([&](unsigned char* buffer, std::size_t size) { return ReadUpTo(in.get(), plainFile, buffer, size); },
           outFile, std::move(key));
}

// A connection of its own that asks for URI file names (the in-memory
// databases below are named so), closed when it ends.
class UriConnection {
 public:
  UriConnection(const std::string& uri, int flags) {
    const int rc = sqlite3_open_v2(uri.c_str(), &handle_, flags | SQLITE_OPEN_URI, nullptr);
    if (rc != SQLITE_OK) {
      const std::string message = handle_ ? sqlite3_errmsg(handle_) : sqlite3_errstr(rc);
      sqlite3_close_v2(handle_);
      handle_ = nullptr;
      if ((rc & 0xFF) == SQLITE_NOMEM) throw vb::VbError(vb::err::OutOfMemory, "Out of memory: " + message);
      throw vb::VbError(vb::err::Unspecified, "An in-memory database cannot be opened: " + message);
    }
  }
  UriConnection(const UriConnection&) = delete;
  UriConnection& operator=(const UriConnection&) = delete;
  ~UriConnection() { sqlite3_close_v2(handle_); }
  sqlite3* get() const { return handle_; }

 private:
  sqlite3* handle_ = nullptr;
};

// Compacts the main database of `plain` into `target`, an empty in-memory
// database of this process named by its URI: VACUUM INTO, run on a reader of
// its own that reads the plain pages where they lie (a copy of them when
// `plain` is not in memory). Nothing is written to the disk.
void CompactIntoMemory(Connection& plain, const std::string& target) {
  sqlite3_int64 size = 0;
  unsigned char* pages = sqlite3_serialize(plain.Handle(), "main", &size, SQLITE_SERIALIZE_NOCOPY);
  SqliteBuffer copied;
  if (!pages) {
    copied.data = sqlite3_serialize(plain.Handle(), "main", &size, 0);
    copied.size = size;
    if (!copied.data && size > 0) {
      throw vb::VbError(vb::err::OutOfMemory, "Out of memory: the database " + Quoted(plain.Path()) +
                                                  " cannot be compacted.");
    }
    pages = copied.data;
  }
  UriConnection reader(":memory:", SQLITE_OPEN_READWRITE);
  int rc = sqlite3_deserialize(reader.get(), "main", pages, size, size, SQLITE_DESERIALIZE_READONLY);
  if (rc == SQLITE_OK) {
    // The pages are read in place.
    rc = sqlite3_exec(reader.get(), ("PRAGMA mmap_size = " + std::to_string(size)).c_str(), nullptr, nullptr, nullptr);
  }
  std::string message;
  if (rc == SQLITE_OK) {
    rc = VacuumInto(reader.get(), target, message);
  } else {
    message = sqlite3_errstr(rc);
  }
  if (rc != SQLITE_OK) RaiseDatabaseError(rc, plain.Path(), "compacted", message);
}

}  // namespace

void sealBytes(const fs::path& plainFile, const fs::path& outFile, std::string_view password, KeyCost cost) {
  SealWith(plainFile, outFile, SealKey(password, cost));
}

void seal(const fs::path& plainDatabase, const fs::path& outFile, std::string_view password, KeyCost cost) {
  if (!Accepted(cost)) {
    throw vb::VbError(vb::err::ArgumentOutOfRange, "The key derivation limits are outside the accepted range.");
  }
  TemporaryFile compacted = TemporaryFile::Create("levseal-");
  CompactInto(plainDatabase, compacted.Path());
  SealWith(compacted.Path(), outFile, SealKey(password, cost));
}

void seal(const fs::path& plainDatabase, const fs::path& outFile, SealKey&& key) {
  SealKey used = Unspent(std::move(key));
  TemporaryFile compacted = TemporaryFile::Create("levseal-");
  CompactInto(plainDatabase, compacted.Path());
  SealWith(compacted.Path(), outFile, std::move(used));
}

void seal(Connection& plain, const fs::path& outFile, SealKey&& key) {
  SealKey used = Unspent(std::move(key));
  if (!plain.Handle()) throw vb::VbError(vb::err::ObjectClosed, vb::ErrorDescription(vb::err::ObjectClosed));
  // The compacted copy: an in-memory database by a name of this process
  // alone, alive while `holder` holds it.
  static std::atomic<unsigned long> made{0};
  const std::string name = "file:/levseal-" + std::to_string(::getpid()) + "-" + std::to_string(++made) + "?vfs=memdb";
  UriConnection holder(name, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE);
  CompactIntoMemory(plain, name);
  // Read through the holder's own handle of it.
  sqlite3_file* file = nullptr;
  sqlite3_int64 size = 0;
  int rc = sqlite3_file_control(holder.get(), "main", SQLITE_FCNTL_FILE_POINTER, &file);
  if (rc == SQLITE_OK) rc = file->pMethods->xFileSize(file, &size);
  if (rc != SQLITE_OK) RaiseDatabaseError(rc, plain.Path(), "compacted", sqlite3_errstr(rc));
  sqlite3_int64 at = 0;
  SealWith(
      [&](unsigned char* buffer, std::size_t want) -> std::size_t {
        const int n = static_cast<int>(std::min<sqlite3_int64>(static_cast<sqlite3_int64>(want), size - at));
        if (n > 0) {
          if (const int read = file->pMethods->xRead(file, buffer, n, at); read != SQLITE_OK) {
            RaiseDatabaseError(read, plain.Path(), "compacted", sqlite3_errstr(read));
          }
        }
        at += n;
        return static_cast<std::size_t>(n);
      },
      outFile, std::move(used));
}

// --- Unsealing ----------------------------------------------------------------------

TemporaryFile unseal(const fs::path& file, std::string_view password) {
  RequireSodium();
  Fd in = OpenForReading(file);

  Header header{};
  const std::size_t headerSize = ReadUpTo(in.get(), file, header.data(), header.size());
  if (headerSize < kMagic.size() || !std::equal(kMagic.begin(), kMagic.end(), header.begin())) {
    throw vb::VbError(sealerr::NotSealed, Quoted(file) + " is not a sealed data file.");
  }
  if (headerSize < 10) RaiseDamaged(file, "it is cut short");
  const auto version = GetLittleEndian(&header[8], 2);
  if (version != kVersion) {
    throw vb::VbError(sealerr::OtherVersion, Quoted(file) + " is sealed in format version " + std::to_string(version) +
                                                 "; this version reads version " + std::to_string(kVersion) + ".");
  }
  if (headerSize < header.size()) RaiseDamaged(file, "it is cut short");
  const KeyCost cost{GetLittleEndian(&header[10], 8), GetLittleEndian(&header[18], 8)};
  if (!Accepted(cost)) {
    throw vb::VbError(sealerr::KeyCostRefused,
                      Quoted(file) + " asks for a key derivation outside the limits this version accepts.");
  }

  StreamState stream;
  {
    Key key(file, password, &header[kSaltAt], cost);
    if (crypto_secretstream_xchacha20poly1305_init_pull(&stream.state, &header[kStreamHeaderAt], key.bytes.data()) !=
        0) {
      RaiseDamaged(file, "its header has been changed");
    }
  }

  TemporaryFile copy = TemporaryFile::Create("levplain-");
  Fd out(::open(copy.Path().c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC | O_NOFOLLOW));
  if (out.get() < 0) RaiseAccess(copy.Path(), "write", errno);

  std::vector<unsigned char> sealed(kSealedChunk), plain(kChunk);
  for (bool first = true;; first = false) {
    const std::size_t sealedSize = ReadUpTo(in.get(), file, sealed.data(), sealed.size());
    if (sealedSize < kTagSize) RaiseDamaged(file, "it is cut short");
    unsigned long long plainSize = 0;
    unsigned char tag = 0;
    if (crypto_secretstream_xchacha20poly1305_pull(&stream.state, plain.data(), &plainSize, &tag, sealed.data(),
                                                   sealedSize, first ? header.data() : nullptr,
                                                   first ? header.size() : 0) != 0) {
      if (first) {
        throw vb::VbError(sealerr::WrongPassword,
                          "The password is not valid for " + Quoted(file) + ", or the file is damaged.");
      }
      RaiseDamaged(file, "a part of it has been changed or cut off");
    }
    WriteAll(out.get(), copy.Path(), plain.data(), static_cast<std::size_t>(plainSize));
    if (tag == crypto_secretstream_xchacha20poly1305_TAG_FINAL) {
      unsigned char extra = 0;
      if (ReadUpTo(in.get(), file, &extra, 1) != 0) RaiseDamaged(file, "it has bytes after its end");
      break;
    }
    if (tag != crypto_secretstream_xchacha20poly1305_TAG_MESSAGE) RaiseDamaged(file, "it holds a part of another kind");
  }
  if (int error = out.Close()) RaiseAccess(copy.Path(), "write", error);
  return copy;
}

}  // namespace db
