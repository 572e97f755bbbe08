#include "com/Registry.h"

#include <dlfcn.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <mutex>
#include <unordered_map>

#include "vb/App.h"
#include "vb/Conversions.h"

namespace com {
namespace {

struct RegistryState {
  std::mutex mutex;
  std::string folder;  // empty: the program folder
  // Factories of the libraries loaded so far, by library path (or by the
  // identity of the memory file they were loaded from). The handles are
  // never closed: objects of a library may live until the process ends.
  std::unordered_map<std::string, FactoryFunction> factories;
};

RegistryState& State() {
  static RegistryState state;
  return state;
}

// A library name is one plain file-name part: letters, digits, '_' and '-'.
bool IsPlainName(std::string_view name) {
  if (name.empty()) return false;
  for (char c : name) {
    const bool ok = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_' || c == '-';
    if (!ok) return false;
  }
  return true;
}

// The factory of the library at `libraryPath`, kept under `key`; the
// registry's lock is held.
FactoryFunction LoadLocked(RegistryState& state, std::string_view progId, const std::string& key,
                           const std::string& libraryPath) {
  void* handle = ::dlopen(libraryPath.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (!handle) {
    const char* why = ::dlerror();
    RaiseCannotCreate(progId, why ? why : "the library cannot be loaded");
  }
  auto factory = reinterpret_cast<FactoryFunction>(::dlsym(handle, kFactorySymbol));
  if (!factory) RaiseCannotCreate(progId, libraryPath + " exports no " + kFactorySymbol);
  state.factories.emplace(key, factory);
  return factory;
}

FactoryFunction LoadFactory(std::string_view progId, const std::string& libraryPath) {
  RegistryState& state = State();
  std::lock_guard lock(state.mutex);
  if (auto found = state.factories.find(libraryPath); found != state.factories.end()) return found->second;

  std::error_code ec;
  if (!std::filesystem::is_regular_file(libraryPath, ec)) RaiseCannotCreate(progId, "no library " + libraryPath);
  return LoadLocked(state, progId, libraryPath, libraryPath);
}

FactoryFunction LoadFactoryFromDescriptor(std::string_view className, int descriptor) {
  constexpr int kSealed = F_SEAL_WRITE | F_SEAL_GROW | F_SEAL_SHRINK;
  const int seals = ::fcntl(descriptor, F_GET_SEALS);
  if (seals < 0 || (seals & kSealed) != kSealed) RaiseCannotCreate(className, "the library is not sealed");
  struct stat info {};
  if (::fstat(descriptor, &info) != 0) RaiseCannotCreate(className, "the library cannot be read");
  const std::string key = "memory:" + std::to_string(info.st_dev) + ":" + std::to_string(info.st_ino);

  RegistryState& state = State();
  std::lock_guard lock(state.mutex);
  if (auto found = state.factories.find(key); found != state.factories.end()) return found->second;
  // A descriptor of the registry's own, never closed: the loader knows a
  // library by its path, and a path of a closed descriptor could name
  // another file later.
  const int own = ::fcntl(descriptor, F_DUPFD_CLOEXEC, 0);
  if (own < 0) RaiseCannotCreate(className, "the library cannot be read");
  try {
    return LoadLocked(state, className, key, "/proc/self/fd/" + std::to_string(own));
  } catch (...) {
    ::close(own);
    throw;
  }
}

std::shared_ptr<vb::Object> MakeObject(std::string_view label, FactoryFunction factory, const std::string& className) {
  vb::Object* object = nullptr;
  try {
    object = factory(className.c_str());
  } catch (const std::exception& e) {
    RaiseCannotCreate(label, e.what());
  }
  if (!object) RaiseCannotCreate(label, "the library makes no class " + className);
  return std::shared_ptr<vb::Object>(object);
}

}  // namespace

void RaiseCannotCreate(std::string_view progId, const std::string& why) {
  throw vb::VbError(vb::err::CannotCreateObject,
                    vb::ErrorDescription(vb::err::CannotCreateObject) + " (" + std::string(progId) + ": " + why + ")");
}

std::string ComponentFolder() {
  RegistryState& state = State();
  std::lock_guard lock(state.mutex);
  return state.folder.empty() ? vb::App::Path() : state.folder;
}

void SetComponentFolder(std::string folder) {
  RegistryState& state = State();
  std::lock_guard lock(state.mutex);
  state.folder = std::move(folder);
}

std::shared_ptr<vb::Object> CreateObjectRaw(std::string_view progId) {
  const auto dot = progId.find('.');
  if (dot == std::string_view::npos) RaiseCannotCreate(progId, "the identifier names no class");
  const std::string_view name = progId.substr(0, dot);
  const std::string className(progId.substr(dot + 1));
  if (!IsPlainName(name) || !IsPlainName(className)) RaiseCannotCreate(progId, "not a valid identifier");

  const std::string libraryPath =
      (std::filesystem::path(ComponentFolder()) / ("lib" + vb::LCase(name) + ".so")).string();
  return MakeObject(progId, LoadFactory(progId, libraryPath), className);
}

std::shared_ptr<vb::Object> CreateObjectRawFromDescriptor(int descriptor, std::string_view className) {
  if (!IsPlainName(className)) RaiseCannotCreate(className, "not a valid class name");
  return MakeObject(className, LoadFactoryFromDescriptor(className, descriptor), std::string(className));
}

}  // namespace com
