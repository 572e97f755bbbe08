#include "com/Registry.h"

#include <dlfcn.h>

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
  // Factories of the libraries loaded so far, by library path. The handles
  // are never closed: objects of a library may live until the process ends.
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

FactoryFunction LoadFactory(std::string_view progId, const std::string& libraryPath) {
  RegistryState& state = State();
  std::lock_guard lock(state.mutex);
  if (auto found = state.factories.find(libraryPath); found != state.factories.end()) return found->second;

  std::error_code ec;
  if (!std::filesystem::is_regular_file(libraryPath, ec)) RaiseCannotCreate(progId, "no library " + libraryPath);
  void* handle = ::dlopen(libraryPath.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (!handle) {
    const char* why = ::dlerror();
    RaiseCannotCreate(progId, why ? why : "the library cannot be loaded");
  }
  auto factory = reinterpret_cast<FactoryFunction>(::dlsym(handle, kFactorySymbol));
  if (!factory) RaiseCannotCreate(progId, libraryPath + " exports no " + kFactorySymbol);
  state.factories.emplace(libraryPath, factory);
  return factory;
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
  FactoryFunction factory = LoadFactory(progId, libraryPath);

  vb::Object* object = nullptr;
  try {
    object = factory(className.c_str());
  } catch (const std::exception& e) {
    RaiseCannotCreate(progId, e.what());
  }
  if (!object) RaiseCannotCreate(progId, "the library makes no class " + className);
  return std::shared_ptr<vb::Object>(object);
}

}  // namespace com
