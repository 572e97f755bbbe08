#include "clsMyCRC32.h"

#include <zlib.h>

#include "vb/Win1252.h"
#include "vb/Trap.h"

clsMyCRC32::clsMyCRC32() { Class_Initialize(); }

void clsMyCRC32::Class_Initialize() {
  Trap trap("clsMyCRC32", "Class_Initialize");
  trap([&] { table_ = reinterpret_cast<const std::uint32_t*>(get_crc_table()); });
}

std::int32_t clsMyCRC32::GetCRC32(std::string_view strArray) {
  std::int32_t crc = 0;
  Trap trap("clsMyCRC32", "GetCRC32");
  trap([&] {
    const std::string bytes = vb::ToWindows1252(strArray);
    if (bytes.size() < 2) {
      crc = 0;
      return;
    }
    uLong value = crc32(0L, Z_NULL, 0);
    value = crc32(value, reinterpret_cast<const Bytef*>(bytes.data() + 1), static_cast<uInt>(bytes.size() - 1));
    crc = static_cast<std::int32_t>(static_cast<std::uint32_t>(value));
  });
  return crc;
}

std::int32_t clsMyCRC32::TableEntry(int n) const {
  return static_cast<std::int32_t>(table_[n & 0xff]);
}
