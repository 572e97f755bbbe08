#pragma once
// Windows-1252: the single-byte character set in which texts become bytes
// wherever bytes matter (checksums, text files exchanged with other offices).

#include <string>
#include <string_view>

namespace vb {

// The Windows-1252 byte of each character of a UTF-8 text; a character the
// set cannot hold becomes "?" (as does a malformed UTF-8 sequence).
std::string ToWindows1252(std::string_view utf8);
// UTF-8 text of Windows-1252 bytes (the five unassigned bytes map to the
// control characters of the same code).
std::string FromWindows1252(std::string_view bytes);
// The Windows-1252 byte of one character, or -1 when the set lacks it.
int Windows1252Byte(char32_t ch);

}  // namespace vb
