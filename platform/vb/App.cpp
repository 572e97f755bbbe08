#include "vb/App.h"

#include <filesystem>
#include <system_error>

namespace vb::App {
namespace {

std::string& PathStore() {
  static std::string path = [] {
    std::error_code ec;
    auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    return ec ? std::filesystem::current_path().string() : exe.parent_path().string();
  }();
  return path;
}

}  // namespace

const std::string& Title() {
  static const std::string title = "Levrona";
  return title;
}

int Major() { return 19; }
int Minor() { return 0; }
int Revision() { return 0; }

const std::string& Path() { return PathStore(); }

void SetPath(std::string path) {
  while (path.size() > 1 && path.back() == '/') path.pop_back();
  PathStore() = std::move(path);
}

}  // namespace vb::App
