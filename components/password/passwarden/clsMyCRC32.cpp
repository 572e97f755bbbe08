#include "clsMyCRC32.h"

#include <zlib.h>

#include <exception>
#include <new>
#include <string>

#include "vb/VbError.h"
#include "vb/Win1252.h"

namespace passwarden {
namespace {

// Raises the failure in flight again as a run-time error whose source is the
// member that failed.
[[noreturn]] void PassOn(const char* member) {
  try {
    throw;
  } catch (const vb::VbError& e) {
    throw vb::VbError(e.Number(), e.Description(), member);
  } catch (const std::bad_alloc&) {
    throw vb::VbError(vb::err::OutOfMemory, vb::ErrorDescription(vb::err::OutOfMemory), member);
  } catch (const std::exception& e) {
    throw vb::VbError(vb::err::ApplicationDefined, e.what(), member);
  }
}

}  // namespace

std::int32_t clsMyCRC32::GetCRC32(std::string_view strArray) {
  try {
    const std::string bytes = vb::ToWindows1252(strArray);
    if (bytes.size() < 2) return 0;
    uLong value = crc32_z(0L, Z_NULL, 0);
    value = crc32_z(value, reinterpret_cast<const Bytef*>(bytes.data() + 1), bytes.size() - 1);
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(value));
  } catch (...) {
    PassOn("GetCRC32");
  }
}

}  // namespace passwarden
