#pragma once
// The component registry: creates objects of in-process components by their
// programmatic identifier "name.Class". The name selects the shared library
// lib<name>.so (name lower-cased) in the component folder, which exports
//   extern "C" vb::Object* LevronaCreateObject(const char* className);
// A library that is missing or cannot be loaded, a class that the library
// does not make, or an object that does not implement the interface asked
// for is run-time error 429 (the component cannot be created).
// Libraries stay loaded for the life of the process.

#include <memory>
#include <string>
#include <string_view>

#include "vb/Variant.h"
#include "vb/VbError.h"

namespace com {

// The name of the factory that every component library exports.
inline constexpr const char* kFactorySymbol = "LevronaCreateObject";
using FactoryFunction = vb::Object* (*)(const char* className);

// The folder searched for component libraries: the program folder
// (vb::App::Path()) unless one was set. An empty text restores the default.
std::string ComponentFolder();
void SetComponentFolder(std::string folder);

// A new object of the class that the identifier names (error 429 when it
// cannot be created).
std::shared_ptr<vb::Object> CreateObjectRaw(std::string_view progId);

// A new object of the class from the library open as `descriptor`, in place
// of lib<name>.so in the component folder: a memory file sealed against
// change (com/SealedLibrary.h) whose bytes the caller has checked. The
// registry loads it through a descriptor of its own, which it keeps open,
// with the library, for the life of the process; the caller's descriptor
// stays the caller's. A descriptor that is not sealed, a library that
// cannot be loaded or makes no such class is error 429.
std::shared_ptr<vb::Object> CreateObjectRawFromDescriptor(int descriptor, std::string_view className);

// Error 429 for the identifier, saying why the object cannot be created.
[[noreturn]] void RaiseCannotCreate(std::string_view progId, const std::string& why);

// A new object bound to one of its interfaces (error 429 when it cannot be
// created or does not implement the interface).
template <class Interface>
std::shared_ptr<Interface> CreateObject(std::string_view progId) {
  std::shared_ptr<Interface> bound = std::dynamic_pointer_cast<Interface>(CreateObjectRaw(progId));
  if (!bound) RaiseCannotCreate(progId, "the object does not implement the interface asked for");
  return bound;
}

// The same, bound to one of the object's interfaces.
template <class Interface>
std::shared_ptr<Interface> CreateObjectFromDescriptor(int descriptor, std::string_view className) {
  std::shared_ptr<Interface> bound =
      std::dynamic_pointer_cast<Interface>(CreateObjectRawFromDescriptor(descriptor, className));
  if (!bound) RaiseCannotCreate(className, "the object does not implement the interface asked for");
  return bound;
}

}  // namespace com
