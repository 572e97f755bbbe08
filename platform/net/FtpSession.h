#pragma once
// One FTP session with a server: one login serves every operation that
// follows it, until Close or the session's end. Transfers are passive (PASV)
// and binary. Each operation answers whether it succeeded; after a failure
// ErrorCode, ServerRefused and LastReply say why. Nothing here shows or
// reports anything to the user.
//
// A session serves one thread at a time; Cancel may be called from any
// thread while an operation runs there.

#include <atomic>
#include <cstdint>
#include <functional>
#include <istream>
#include <memory>
#include <optional>
#include <string>

namespace net {

// How long the connection to the server may take to open.
inline constexpr long kConnectTimeoutSeconds = 20;
// How long a transfer may move no byte, or the server may keep a reply
// waiting, before the operation fails.
inline constexpr long kStallLimitSeconds = 60;
// A file is sent in reads of this many bytes.
inline constexpr std::size_t kBlockSize = 100000;

class FtpSession {
 public:
  FtpSession();
  ~FtpSession();
  FtpSession(const FtpSession&) = delete;
  FtpSession& operator=(const FtpSession&) = delete;

  // Connects to the server and logs in with the account.
  bool Login(const std::string& host, std::int32_t port, const std::string& user, const std::string& password);
  // Makes the folder the session's current folder: relative to the folder
  // of the login, or from the server's root when it begins with "/".
  bool ChangeFolder(const std::string& folder);
  // Whether the current folder holds a file of that name; nullopt when the
  // server could not be asked.
  std::optional<bool> Exists(const std::string& name);
  // Stores `length` bytes read from `source` under `name` in the current
  // folder. The source is read 100,000 bytes at a time into one buffer;
  // once the transfer has taken a whole block, `blockSent` runs with the
  // count of bytes taken so far, before the next read. The read after the
  // last whole block is made even when nothing is left (a length that is a
  // multiple of the block).
  bool Send(std::istream& source, std::uint64_t length, const std::string& name,
            const std::function<void(std::uint64_t)>& blockSent);
  // Writes the file `name` of the current folder to the local path
  // (created, or emptied first).
  bool Fetch(const std::string& name, const std::string& localPath);
  bool Rename(const std::string& from, const std::string& to);
  bool Delete(const std::string& name);
  // Logs out and closes the connection; the next operation needs a Login.
  void Close();

  // Asks the operation under way, and every later one, to stop at once
  // (they fail, and Cancelled answers true) until ClearCancel.
  void Cancel() { cancel_ = true; }
  void ClearCancel() { cancel_ = false; }
  bool Cancelled() const { return cancel_; }

  // The last failure: libcurl's code (0 when the last operation succeeded).
  int ErrorCode() const { return code_; }
  // The server answered the failed request with a refusal (a 4xx or 5xx
  // reply).
  bool ServerRefused() const { return refused_; }
  // The server's last reply line, without its line end.
  const std::string& LastReply() const { return lastReply_; }
  // libcurl's text for one of its codes.
  static std::string CodeText(int code);

 private:
  struct Handle;
  // Runs one request on the URL of `path` (below the session's server):
  // `prepare` sets what the request needs on the handle.
  bool Perform(const std::string& path, const std::function<void(void*)>& prepare);
  // The URL path of a name in the current folder.
  std::string PathOf(const std::string& name) const;
  // Fails the operation with a code of libcurl's without asking the server.
  bool Fail(int code);

  std::unique_ptr<Handle> handle_;
  std::string base_;    // "ftp://host:port/"
  std::string folder_;  // the current folder as a URL path ("" or ending in "/")
  std::string user_;
  std::string password_;
  std::atomic<bool> cancel_{false};
  int code_ = 0;
  bool refused_ = false;
  std::string lastReply_;
  std::string partialReply_;
};

}  // namespace net
