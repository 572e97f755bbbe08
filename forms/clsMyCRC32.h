#pragma once
// The checksum behind every certification value: row keys, certificate
// numbers and upload passwords. It is the standard CRC-32 (reflected
// polynomial 0xEDB88320, start value all ones, final complement) taken over
// the Windows-1252 bytes of a text from its second character on (the first
// character is never hashed), answered as a signed 32-bit number.

#include <cstdint>
#include <string_view>

class clsMyCRC32 {
 public:
  clsMyCRC32();

  // Fills the lookup table (again); the values never change.
  void Class_Initialize();
  std::int32_t GetCRC32(std::string_view strArray);

  // The lookup table entry n, as a signed 32-bit number with the same bits.
  std::int32_t TableEntry(int n) const;

 private:
  const std::uint32_t* table_ = nullptr;
};
