// UTF-8 texts: character positions, letter case and the classic text
// functions.

#include "vb/Conversions.h"
#include "vb/Internal.h"
#include "vb/Win1252.h"

namespace vb {
namespace detail {

long DecodeUtf8(std::string_view s, std::size_t& pos) {
  const auto lead = static_cast<unsigned char>(s[pos++]);
  if (lead < 0x80) return lead;
  int more;
  long ch;
  unsigned char low = 0x80, high = 0xBF;  // range of the first continuation byte
  if (lead >= 0xC2 && lead <= 0xDF) {
    more = 1;
    ch = lead & 0x1F;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    more = 2;
    ch = lead & 0x0F;
    if (lead == 0xE0) low = 0xA0;   // no overlong forms
    if (lead == 0xED) high = 0x9F;  // no surrogates
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    more = 3;
    ch = lead & 0x07;
    if (lead == 0xF0) low = 0x90;
    if (lead == 0xF4) high = 0x8F;  // nothing above U+10FFFF
  } else {
    return -1;
  }
  for (int i = 0; i < more; ++i) {
    if (pos >= s.size()) return -1;
    const auto next = static_cast<unsigned char>(s[pos]);
    if (next < low || next > high) return -1;  // the byte starts the next character
    low = 0x80;
    high = 0xBF;
    ch = (ch << 6) | (next & 0x3F);
    ++pos;
  }
  return ch;
}

void AppendUtf8(std::string& out, char32_t ch) {
  if (ch < 0x80) {
    out.push_back(static_cast<char>(ch));
  } else if (ch < 0x800) {
    out.push_back(static_cast<char>(0xC0 | (ch >> 6)));
    out.push_back(static_cast<char>(0x80 | (ch & 0x3F)));
  } else if (ch < 0x10000) {
    out.push_back(static_cast<char>(0xE0 | (ch >> 12)));
    out.push_back(static_cast<char>(0x80 | ((ch >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (ch & 0x3F)));
  } else {
    out.push_back(static_cast<char>(0xF0 | (ch >> 18)));
    out.push_back(static_cast<char>(0x80 | ((ch >> 12) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | ((ch >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (ch & 0x3F)));
  }
}

// Every case pair maps between characters of the same UTF-8 length, so
// changing case never moves a character's byte position.
char32_t UpperChar(char32_t ch) {
  if (ch >= 'a' && ch <= 'z') return ch - 0x20;
  if (ch >= 0xE0 && ch <= 0xFE && ch != 0xF7) return ch - 0x20;
  switch (ch) {
    case 0xFF: return 0x178;   // y diaeresis
    case 0x161: return 0x160;  // s caron
    case 0x153: return 0x152;  // oe
    case 0x17E: return 0x17D;  // z caron
    default: return ch;
  }
}

char32_t LowerChar(char32_t ch) {
  if (ch >= 'A' && ch <= 'Z') return ch + 0x20;
  if (ch >= 0xC0 && ch <= 0xDE && ch != 0xD7) return ch + 0x20;
  switch (ch) {
    case 0x178: return 0xFF;
    case 0x160: return 0x161;
    case 0x152: return 0x153;
    case 0x17D: return 0x17E;
    default: return ch;
  }
}

int CompareIgnoringCase(std::string_view a, std::string_view b) {
  std::size_t i = 0, j = 0;
  while (i < a.size() && j < b.size()) {
    const long ca = DecodeUtf8(a, i), cb = DecodeUtf8(b, j);
    const long la = ca < 0 ? 0xFFFD : static_cast<long>(LowerChar(static_cast<char32_t>(ca)));
    const long lb = cb < 0 ? 0xFFFD : static_cast<long>(LowerChar(static_cast<char32_t>(cb)));
    if (la != lb) return la < lb ? -1 : 1;
  }
  if (i < a.size()) return 1;
  if (j < b.size()) return -1;
  return 0;
}

}  // namespace detail

namespace {

// Byte offset just after the first `count` characters (or the end).
std::size_t SkipChars(std::string_view s, std::size_t count) {
  std::size_t pos = 0;
  while (count > 0 && pos < s.size()) {
    detail::DecodeUtf8(s, pos);
    --count;
  }
  return pos;
}

template <typename Map>
std::string MapChars(std::string_view s, Map map) {
  std::string out;
  out.reserve(s.size());
  std::size_t pos = 0;
  while (pos < s.size()) {
    const std::size_t start = pos;
    const long ch = detail::DecodeUtf8(s, pos);
    if (ch < 0) {
      out.append(s.substr(start, pos - start));  // broken bytes stay as they are
    } else {
      detail::AppendUtf8(out, map(static_cast<char32_t>(ch)));
    }
  }
  return out;
}

}  // namespace

std::size_t Len(std::string_view s) {
  std::size_t count = 0;
  for (std::size_t pos = 0; pos < s.size(); ++count) detail::DecodeUtf8(s, pos);
  return count;
}

std::string Left(std::string_view s, std::size_t n) { return std::string(s.substr(0, SkipChars(s, n))); }

std::string Right(std::string_view s, std::size_t n) {
  const std::size_t length = Len(s);
  if (n >= length) return std::string(s);
  return std::string(s.substr(SkipChars(s, length - n)));
}

std::string Mid(std::string_view s, std::size_t start, std::size_t length) {
  if (start == 0) Raise(err::InvalidProcedureCall);
  const std::string_view rest = s.substr(SkipChars(s, start - 1));
  return std::string(rest.substr(0, SkipChars(rest, length)));
}

std::string LTrim(std::string_view s) {
  const std::size_t first = s.find_first_not_of(' ');
  return first == std::string_view::npos ? std::string() : std::string(s.substr(first));
}

std::string RTrim(std::string_view s) {
  const std::size_t last = s.find_last_not_of(' ');
  return last == std::string_view::npos ? std::string() : std::string(s.substr(0, last + 1));
}

std::string Trim(std::string_view s) { return LTrim(RTrim(s)); }

std::string UCase(std::string_view s) { return MapChars(s, detail::UpperChar); }

std::string LCase(std::string_view s) { return MapChars(s, detail::LowerChar); }

std::size_t InStr(std::size_t start, std::string_view s, std::string_view find, CompareMethod method) {
  if (start == 0) Raise(err::InvalidProcedureCall);
  if (s.empty()) return 0;
  const std::size_t from = SkipChars(s, start - 1);
  if (from == s.size()) return 0;  // start lies beyond the text
  if (find.empty()) return start;
  std::size_t at;
  if (method == CompareMethod::Text) {
    at = LCase(s).find(LCase(find), from);
  } else {
    at = s.find(find, from);
  }
  return at == std::string_view::npos ? 0 : Len(s.substr(0, at)) + 1;
}

std::string Replace(std::string_view s, std::string_view find, std::string_view with) {
  if (find.empty()) return std::string(s);
  std::string out;
  out.reserve(s.size());
  std::size_t pos = 0;
  for (std::size_t at; (at = s.find(find, pos)) != std::string_view::npos; pos = at + find.size()) {
    out.append(s.substr(pos, at - pos));
    out.append(with);
  }
  out.append(s.substr(pos));
  return out;
}

std::string Space(std::size_t n) { return std::string(n, ' '); }

std::string String(std::size_t n, char32_t ch) {
  if (ch > 0x10FFFF || (ch >= 0xD800 && ch <= 0xDFFF)) Raise(err::InvalidProcedureCall);
  std::string one;
  detail::AppendUtf8(one, ch);
  std::string out;
  out.reserve(one.size() * n);
  for (std::size_t i = 0; i < n; ++i) out += one;
  return out;
}

std::string Chr(std::int32_t code) {
  if (code < 0 || code > 255) Raise(err::InvalidProcedureCall);
  const char byte = static_cast<char>(code);
  return FromWindows1252(std::string_view(&byte, 1));
}

std::int32_t Asc(std::string_view s) {
  if (s.empty()) Raise(err::InvalidProcedureCall);
  std::size_t pos = 0;
  const long ch = detail::DecodeUtf8(s, pos);
  const int byte = ch < 0 ? -1 : Windows1252Byte(static_cast<char32_t>(ch));
  return byte < 0 ? '?' : byte;
}

std::string Hex(std::int64_t value) {
  if (value < INT32_MIN || value > static_cast<std::int64_t>(UINT32_MAX)) Raise(err::Overflow);
  auto bits = static_cast<std::uint32_t>(value);
  char buf[8];
  char* p = buf + sizeof buf;
  do {
    *--p = "0123456789ABCDEF"[bits & 0xF];
    bits >>= 4;
  } while (bits != 0);
  return std::string(p, buf + sizeof buf);
}

bool TextEquals(std::string_view a, std::string_view b) { return detail::CompareIgnoringCase(a, b) == 0; }

}  // namespace vb
