#include "clsFTP.h"

#include <filesystem>
#include <fstream>
#include <random>

#include "vb/VbError.h"

namespace {

constexpr const char* kEmptyFile = "Attempting to send an empty file";
constexpr const char* kCancelled = "Transfer cancelled by the user";
constexpr const char* kRefused = "The server refused the request";
constexpr const char* kNoHelp = "no help available on this error";
// A file on its way to the server is stored under this prefix, which no
// certified-data file name begins with, and renamed when it is whole.
constexpr const char* kPartPrefix = "part-";

// A name beside the target for the file while it arrives.
std::filesystem::path ArrivingBeside(const std::filesystem::path& target) {
  static thread_local std::mt19937_64 random{std::random_device{}()};
  return target.parent_path() /
         ("." + target.filename().string() + "." + std::to_string(random() % 1000000000) + ".part");
}

}  // namespace

void clsFTP::RaiseStatus(std::string text) {
  if (Status) Status(text);
}

std::string clsFTP::ErrorText(long number) const {
  std::string text = number == kServerRefused ? kRefused : net::FtpSession::CodeText(static_cast<int>(number));
  if (text.empty()) text = kNoHelp;
  std::string result = std::to_string(number) + ": " + text;
  if (number == kServerRefused) result += "\r" + session_.LastReply();
  return result;
}

void clsFTP::RecordFailure() {
  if (session_.Cancelled())
    lastError_ = kCancelled;
  else
    lastError_ = ErrorText(session_.ServerRefused() ? kServerRefused : session_.ErrorCode());
}

bool clsFTP::Connect() {
  session_.Close();
  if (!session_.Login(Server, Port, Username, Password)) {
    RecordFailure();
    return false;
  }
  RaiseStatus("Connected to " + Server);
  return true;
}

void clsFTP::Disconnect() { session_.Close(); }

bool clsFTP::SetDirectory(std::string& folder) {
  if (!session_.ChangeFolder(folder)) {
    RecordFailure();
    return false;
  }
  RaiseStatus("Current Directory: " + folder);
  return true;
}

void clsFTP::DropPart(const std::string& part) {
  session_.ClearCancel();
  session_.Delete(part);
}

bool clsFTP::SendFile(std::string source, std::string& remoteName) {
  std::string part;
  try {
    if (remoteName.empty()) {
      const auto slash = source.rfind('/');
      remoteName = slash == std::string::npos ? source : source.substr(slash + 1);
    }
    std::error_code ec;
    if (!std::filesystem::is_regular_file(source, ec)) vb::Raise(vb::err::FileNotFound);
    std::ifstream file(source, std::ios::binary);
    if (!file) vb::Raise(vb::err::PathFileAccessError);
    const std::uintmax_t length = std::filesystem::file_size(source);
    if (length == 0) {
      lastError_ = kEmptyFile;
      return false;
    }
    const std::optional<bool> exists = session_.Exists(remoteName);
    if (!exists) {
      RecordFailure();
      return false;
    }
    if (*exists) {
      lastError_ = remoteName + " already exists on the server";
      return false;
    }
    part = kPartPrefix + remoteName;
    const bool sent = session_.Send(file, length, part, [this](std::uint64_t count) {
      RaiseStatus("Bytes Transferred: " + std::to_string(count));
    });
    if (!sent || !session_.Rename(part, remoteName)) {
      RecordFailure();
      DropPart(part);
      return false;
    }
    RaiseStatus("Transfer Complete: " + std::to_string(length) + " Bytes Total");
    return true;
  } catch (const vb::VbError& e) {
    lastError_ = e.Description();
  } catch (const std::exception& e) {
    lastError_ = e.what();
  }
  if (!part.empty()) DropPart(part);
  return false;
}

bool clsFTP::GetFile(std::string remoteName, std::string localPath) {
  const std::filesystem::path target(localPath);
  const std::filesystem::path arriving = ArrivingBeside(target);
  std::error_code ec;
  if (!session_.Fetch(remoteName, arriving.string())) {
    RecordFailure();
    std::filesystem::remove(arriving, ec);
    return false;
  }
  std::filesystem::rename(arriving, target, ec);
  if (ec) {
    std::error_code ignored;
    std::filesystem::remove(arriving, ignored);
    vb::Raise(vb::err::PathFileAccessError, vb::ErrorDescription(vb::err::PathFileAccessError) + " (" + localPath +
                                                ": " + ec.message() + ")");
  }
  return true;
}
