#pragma once
// The component's own copy of the program's checksum: the standard CRC-32
// (reflected polynomial 0xEDB88320, start value all ones, final complement)
// over the Windows-1252 bytes of a text from its second character on (the
// first character is never hashed), answered as a signed 32-bit number.
//
// The component has no error report: a member that fails raises a run-time
// error to its caller, with the member's name as the error's source.

#include <cstdint>
#include <string_view>

namespace passwarden {

class clsMyCRC32 {
 public:
  std::int32_t GetCRC32(std::string_view strArray);
};

}  // namespace passwarden
