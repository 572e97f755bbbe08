#include "net/FtpSession.h"

#include <curl/curl.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <exception>
#include <mutex>
#include <vector>

namespace net {
namespace {

void InitialiseOnce() {
  static std::once_flag once;
  std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

// A name that a command can carry: no folder separator and no control
// character (a line break would end the command and start another).
bool IsPlainName(const std::string& name) {
  if (name.empty()) return false;
  return std::none_of(name.begin(), name.end(), [](char c) {
    return c == '/' || static_cast<unsigned char>(c) < 0x20 || c == 0x7F;
  });
}

std::string Escaped(const std::string& part) {
  char* escaped = curl_easy_escape(nullptr, part.c_str(), static_cast<int>(part.size()));
  std::string text = escaped ? escaped : "";
  curl_free(escaped);
  return text;
}

// Server replies reach the header callback line by line; libcurl also hands
// it header lines of its own making, which are not replies.
size_t KeepReply(char* data, size_t size, size_t count, void* session) {
  std::string line(data, size * count);
  while (!line.empty() && (line.back() == '\r' || line.back() == '\n')) line.pop_back();
  const bool reply = line.size() >= 3 && std::isdigit(static_cast<unsigned char>(line[0])) &&
                     std::isdigit(static_cast<unsigned char>(line[1])) &&
                     std::isdigit(static_cast<unsigned char>(line[2]));
  if (reply) *static_cast<std::string*>(session) = line;
  return size * count;
}

int StopWhenCancelled(void* cancel, curl_off_t, curl_off_t, curl_off_t, curl_off_t) {
  return static_cast<std::atomic<bool>*>(cancel)->load() ? 1 : 0;
}

// The source of an upload, served to libcurl from one block buffer.
struct Upload {
  std::istream* source = nullptr;
  std::uint64_t length = 0;
  const std::function<void(std::uint64_t)>* blockSent = nullptr;
  const std::atomic<bool>* cancel = nullptr;
  std::vector<char> block = std::vector<char>(kBlockSize);
  std::size_t filled = 0;
  std::size_t taken = 0;
  std::uint64_t read = 0;
  std::uint64_t sentBlocks = 0;
  bool started = false;
  bool readFailed = false;
  std::exception_ptr failure;  // raised by blockSent
};

// Reads the next block (the read after the last whole block is made even
// when nothing is left).
void ReadNextBlock(Upload& up) {
  const auto wanted = static_cast<std::size_t>(std::min<std::uint64_t>(kBlockSize, up.length - up.read));
  up.source->read(up.block.data(), static_cast<std::streamsize>(wanted));
  up.filled = static_cast<std::size_t>(up.source->gcount());
  up.taken = 0;
  up.read += up.filled;
  up.started = true;
  if (up.filled != wanted) up.readFailed = true;
}

size_t ServeUpload(char* out, size_t size, size_t count, void* data) {
  Upload& up = *static_cast<Upload*>(data);
  if (up.cancel->load() || up.readFailed) return CURL_READFUNC_ABORT;
  try {
    if (!up.started) {
      ReadNextBlock(up);
      if (up.readFailed) return CURL_READFUNC_ABORT;
    }
    const std::size_t given = std::min(size * count, up.filled - up.taken);
    std::copy_n(up.block.data() + up.taken, given, out);
    up.taken += given;
    // A whole block taken: reported, and the next one read.
    if (up.filled == kBlockSize && up.taken == up.filled) {
      up.sentBlocks += kBlockSize;
      (*up.blockSent)(up.sentBlocks);
      ReadNextBlock(up);
    }
    return given;
  } catch (...) {
    up.failure = std::current_exception();
    return CURL_READFUNC_ABORT;
  }
}

// What a request without a local file of its own receives (libcurl makes
// header lines of a file's size and date for a request without a body).
size_t Discard(char*, size_t size, size_t count, void*) { return size * count; }

size_t WriteToFile(char* data, size_t size, size_t count, void* file) {
  return std::fwrite(data, size, count, static_cast<std::FILE*>(file)) * size;
}

// A list of commands for libcurl, freed with it.
struct Commands {
  curl_slist* list = nullptr;
  ~Commands() { curl_slist_free_all(list); }
  void Add(const std::string& command) { list = curl_slist_append(list, command.c_str()); }
};

}  // namespace

// The request handle, and the stack that runs it and keeps its connection
// (and so the login) open between requests.
struct FtpSession::Handle {
  CURL* curl = nullptr;
  CURLM* multi = nullptr;
  Handle() : curl(curl_easy_init()), multi(curl_multi_init()) {}
  ~Handle() {
    if (multi) curl_multi_cleanup(multi);  // logs out of a connection still open
    if (curl) curl_easy_cleanup(curl);
  }
};

namespace {

// The longest wait for the sockets before the transfer is looked at again:
// a step that the sockets do not announce (starting the data connection)
// is never held up for long, and a cancel is seen at once.
constexpr int kTurnMilliseconds = 50;

CURLcode RunToTheEnd(CURLM* multi, CURL* curl) {
  if (curl_multi_add_handle(multi, curl) != CURLM_OK) return CURLE_FAILED_INIT;
  int running = 1;
  CURLcode result = CURLE_OK;
  while (running) {
    if (curl_multi_perform(multi, &running) != CURLM_OK) {
      result = CURLE_OUT_OF_MEMORY;
      break;
    }
    if (running) curl_multi_poll(multi, nullptr, 0, kTurnMilliseconds, nullptr);
  }
  int left = 0;
  while (CURLMsg* message = curl_multi_info_read(multi, &left))
    if (message->msg == CURLMSG_DONE && message->easy_handle == curl) result = message->data.result;
  curl_multi_remove_handle(multi, curl);
  return result;
}

}  // namespace

FtpSession::FtpSession() { InitialiseOnce(); }

FtpSession::~FtpSession() = default;

std::string FtpSession::CodeText(int code) { return curl_easy_strerror(static_cast<CURLcode>(code)); }

bool FtpSession::Fail(int code) {
  code_ = code;
  refused_ = false;
  return false;
}

bool FtpSession::Perform(const std::string& path, const std::function<void(void*)>& prepare) {
  code_ = 0;
  refused_ = false;
  if (cancel_) return Fail(CURLE_ABORTED_BY_CALLBACK);
  if (!handle_) handle_ = std::make_unique<Handle>();
  CURL* curl = handle_->curl;
  if (!curl || !handle_->multi) return Fail(CURLE_FAILED_INIT);
  // A reset keeps the open connection (and so the login) for the next
  // request.
  curl_easy_reset(curl);
  const std::string url = base_ + path;
  curl_easy_setopt(curl, CURLOPT_URL, url.c_str());
  curl_easy_setopt(curl, CURLOPT_USERNAME, user_.c_str());
  curl_easy_setopt(curl, CURLOPT_PASSWORD, password_.c_str());
  curl_easy_setopt(curl, CURLOPT_PROTOCOLS_STR, "ftp");
  curl_easy_setopt(curl, CURLOPT_FTP_USE_EPSV, 0L);  // PASV
  curl_easy_setopt(curl, CURLOPT_TRANSFERTEXT, 0L);  // binary
  curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);
  curl_easy_setopt(curl, CURLOPT_CONNECTTIMEOUT, kConnectTimeoutSeconds);
  curl_easy_setopt(curl, CURLOPT_SERVER_RESPONSE_TIMEOUT, kStallLimitSeconds);
  curl_easy_setopt(curl, CURLOPT_LOW_SPEED_LIMIT, 1L);
  curl_easy_setopt(curl, CURLOPT_LOW_SPEED_TIME, kStallLimitSeconds);
  curl_easy_setopt(curl, CURLOPT_HEADERFUNCTION, &KeepReply);
  curl_easy_setopt(curl, CURLOPT_HEADERDATA, &lastReply_);
  curl_easy_setopt(curl, CURLOPT_NOPROGRESS, 0L);
  curl_easy_setopt(curl, CURLOPT_XFERINFOFUNCTION, &StopWhenCancelled);
  curl_easy_setopt(curl, CURLOPT_XFERINFODATA, &cancel_);
  curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, &Discard);
  prepare(curl);
  const CURLcode result = RunToTheEnd(handle_->multi, curl);
  if (result == CURLE_OK) return true;
  code_ = result;
  long reply = 0;
  curl_easy_getinfo(curl, CURLINFO_RESPONSE_CODE, &reply);
  refused_ = reply >= 400 && !cancel_;
  return false;
}

std::string FtpSession::PathOf(const std::string& name) const {
  return folder_ + Escaped(name);
}

bool FtpSession::Login(const std::string& host, std::int32_t port, const std::string& user,
                       const std::string& password) {
  Close();
  const bool literal = host.find(':') != std::string::npos && host.front() != '[';
  base_ = "ftp://" + (literal ? "[" + host + "]" : host) + ":" + std::to_string(port) + "/";
  user_ = user;
  password_ = password;
  return Perform("", [](void* curl) { curl_easy_setopt(curl, CURLOPT_NOBODY, 1L); });
}

bool FtpSession::ChangeFolder(const std::string& folder) {
  std::string path = folder.starts_with('/') ? "%2F" : "";
  std::size_t start = 0;
  while (start <= folder.size()) {
    const std::size_t end = std::min(folder.find('/', start), folder.size());
    const std::string part = folder.substr(start, end - start);
    if (!part.empty()) {
      if (std::any_of(part.begin(), part.end(), [](char c) { return static_cast<unsigned char>(c) < 0x20; }))
        return Fail(CURLE_URL_MALFORMAT);
      path += Escaped(part) + "/";
    }
    start = end + 1;
  }
  if (path == "%2F") path += "/";
  if (!Perform(path, [](void* curl) { curl_easy_setopt(curl, CURLOPT_NOBODY, 1L); })) return false;
  folder_ = path;
  return true;
}

std::optional<bool> FtpSession::Exists(const std::string& name) {
  if (!IsPlainName(name)) {
    Fail(CURLE_URL_MALFORMAT);
    return std::nullopt;
  }
  if (Perform(PathOf(name), [](void* curl) { curl_easy_setopt(curl, CURLOPT_NOBODY, 1L); })) return true;
  if (code_ == CURLE_REMOTE_FILE_NOT_FOUND) {
    code_ = 0;
    refused_ = false;
    return false;
  }
  return std::nullopt;
}

bool FtpSession::Send(std::istream& source, std::uint64_t length, const std::string& name,
                      const std::function<void(std::uint64_t)>& blockSent) {
  if (!IsPlainName(name)) return Fail(CURLE_URL_MALFORMAT);
  Upload upload;
  upload.source = &source;
  upload.length = length;
  upload.blockSent = &blockSent;
  upload.cancel = &cancel_;
  const bool sent = Perform(PathOf(name), [&](void* curl) {
    curl_easy_setopt(curl, CURLOPT_UPLOAD, 1L);
    curl_easy_setopt(curl, CURLOPT_INFILESIZE_LARGE, static_cast<curl_off_t>(length));
    curl_easy_setopt(curl, CURLOPT_READFUNCTION, &ServeUpload);
    curl_easy_setopt(curl, CURLOPT_READDATA, &upload);
  });
  if (upload.failure) std::rethrow_exception(upload.failure);
  if (!sent && upload.readFailed) return Fail(CURLE_READ_ERROR);
  return sent;
}

bool FtpSession::Fetch(const std::string& name, const std::string& localPath) {
  if (!IsPlainName(name)) return Fail(CURLE_URL_MALFORMAT);
  std::FILE* file = std::fopen(localPath.c_str(), "wb");
  if (!file) return Fail(CURLE_WRITE_ERROR);
  const bool fetched = Perform(PathOf(name), [&](void* curl) {
    curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, &WriteToFile);
    curl_easy_setopt(curl, CURLOPT_WRITEDATA, file);
  });
  const bool closed = std::fclose(file) == 0;
  if (fetched && !closed) return Fail(CURLE_WRITE_ERROR);
  return fetched;
}

bool FtpSession::Rename(const std::string& from, const std::string& to) {
  if (!IsPlainName(from) || !IsPlainName(to)) return Fail(CURLE_URL_MALFORMAT);
  // Sent in the current folder, after the request has gone there.
  Commands commands;
  commands.Add("RNFR " + from);
  commands.Add("RNTO " + to);
  return Perform(folder_, [&](void* curl) {
    curl_easy_setopt(curl, CURLOPT_NOBODY, 1L);
    curl_easy_setopt(curl, CURLOPT_POSTQUOTE, commands.list);
  });
}

bool FtpSession::Delete(const std::string& name) {
  if (!IsPlainName(name)) return Fail(CURLE_URL_MALFORMAT);
  Commands commands;
  commands.Add("DELE " + name);
  return Perform(folder_, [&](void* curl) {
    curl_easy_setopt(curl, CURLOPT_NOBODY, 1L);
    curl_easy_setopt(curl, CURLOPT_POSTQUOTE, commands.list);
  });
}

void FtpSession::Close() {
  handle_.reset();
  folder_.clear();
}

}  // namespace net
