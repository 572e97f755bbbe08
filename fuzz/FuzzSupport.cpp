#include "FuzzSupport.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <fstream>
#include <iterator>
#include <string_view>
#include <system_error>

namespace fuzz {
namespace {

namespace fs = std::filesystem;

fs::path root;  // holds work/ and tmp/, removed at exit

fs::path TemporaryFolder() { return root / "tmp"; }

void RemoveRoot() {
  std::error_code ec;
  if (!root.empty()) fs::remove_all(root, ec);
}

// A private folder under the temporary folder given at start, with the
// temporary folder of the run (TMPDIR) inside it.
void MakeFolders() {
  std::error_code ec;
  std::string name = (fs::temp_directory_path(ec) / "levfuzz-XXXXXX").string();
  if (ec || !::mkdtemp(name.data())) Fail("cannot make a private folder");
  root = name;
  fs::create_directories(root / "work");
  fs::create_directories(TemporaryFolder());
  ::setenv("TMPDIR", TemporaryFolder().c_str(), 1);
  std::atexit(RemoveRoot);
}

}  // namespace

const fs::path& WorkFolder() {
  static const fs::path folder = root / "work";
  return folder;
}

void WriteFile(const fs::path& path, const std::uint8_t* data, std::size_t size) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
  if (!out.flush()) Fail("cannot write " + path.string());
}

std::string ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

void Fail(const std::string& what) {
  std::fprintf(stderr, "FUZZ FAILURE: %s\n", what.c_str());
  std::abort();
}

void RequireNoTemporaries() {
  for (const auto& entry : fs::directory_iterator(TemporaryFolder())) {
    Fail("a temporary was left behind: " + entry.path().string());
  }
}

}  // namespace fuzz

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
  constexpr std::string_view kSeeds = "-lev_seeds=";
  for (int i = 1; i < *argc; ++i) {
    std::string_view arg = (*argv)[i];
    if (arg.substr(0, kSeeds.size()) != kSeeds) continue;
    const std::filesystem::path folder(arg.substr(kSeeds.size()));
    try {
      std::filesystem::create_directories(folder);
      WriteSeeds(folder);
    } catch (const std::exception& e) {
      std::fprintf(stderr, "The seeds could not be written: %s\n", e.what());
      std::exit(1);
    }
    std::exit(0);
  }
  fuzz::MakeFolders();
  return 0;
}
