#include "vb/Win1252.h"

#include <algorithm>

#include "vb/Internal.h"

namespace vb {
namespace {

// Characters of the bytes 0x80..0x9F. The five bytes the set leaves
// unassigned (0x81, 0x8D, 0x8F, 0x90, 0x9D) stand for the control character
// of the same code.
constexpr char32_t kHighControls[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  // 80..87
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,  // 88..8F
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90..97
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,  // 98..9F
};

}  // namespace

int Windows1252Byte(char32_t ch) {
  if (ch < 0x80 || (ch >= 0xA0 && ch <= 0xFF)) return static_cast<int>(ch);
  for (int i = 0; i < 32; ++i) {
    if (kHighControls[i] == ch) return 0x80 + i;
  }
  return -1;
}

std::string ToWindows1252(std::string_view utf8) {
  // ASCII is the same in both.
  if (std::all_of(utf8.begin(), utf8.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; }))
    return std::string(utf8);
  std::string out;
  out.reserve(utf8.size());
  std::size_t pos = 0;
  while (pos < utf8.size()) {
    long ch = detail::DecodeUtf8(utf8, pos);
    int byte = ch < 0 ? -1 : Windows1252Byte(static_cast<char32_t>(ch));
    out.push_back(byte < 0 ? '?' : static_cast<char>(byte));
  }
  return out;
}

std::string FromWindows1252(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size() + bytes.size() / 4);
  for (std::size_t at = 0; at < bytes.size(); ++at) {
    // A run of ASCII is the same in both.
    const std::size_t run = at;
    while (at < bytes.size() && static_cast<unsigned char>(bytes[at]) < 0x80) ++at;
    out.append(bytes.data() + run, at - run);
    if (at == bytes.size()) break;
    auto byte = static_cast<unsigned char>(bytes[at]);
    if (byte < 0xA0) {
      detail::AppendUtf8(out, kHighControls[byte - 0x80]);
    } else {
      detail::AppendUtf8(out, byte);
    }
  }
  return out;
}

}  // namespace vb
