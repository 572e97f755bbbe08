// The component's creatable class and the factory that the component
// registry calls. A county's upload password is the hexadecimal text of the
// absolute value of the checksum of the county's name.

#include "clsPassword.h"

#include <cmath>
#include <cstdint>
#include <string>

#include "clsMyCRC32.h"
#include "vb/Conversions.h"
#include "vb/VbError.h"
#include "vb/Win1252.h"

namespace passwarden {
namespace {

// The one county whose name is verified with a fixed text appended.
constexpr const char* kSpecialCounty = "Tolvan";
constexpr const char* kSpecialSuffix = "Tolvan1";

// The absolute value of a 32-bit number; the smallest one has none
// (overflow), as with the classic Abs of a Long.
std::int32_t Abs32(std::int32_t value) {
  if (value == INT32_MIN) vb::Raise(vb::err::Overflow);
  return value < 0 ? -value : value;
}

}  // namespace

class clsPassword final : public password::clsPassword {
 public:
  std::int16_t VerifyLeaPassword(std::string strCountyName, std::string strLeaPassword) override {
    try {
      const std::string toHash = strCountyName == kSpecialCounty ? strCountyName + kSpecialSuffix : strCountyName;
      const std::int32_t value = Abs32(clsMyCRC32().GetCRC32(toHash));
      return HexToValue(strLeaPassword) == value ? -1 : 0;
    } catch (...) {
      return 0;
    }
  }

  std::string ReturnPassword(std::string strCountyName) override {
    try {
      return vb::Hex(Abs32(clsMyCRC32().GetCRC32(strCountyName)));
    } catch (...) {
      return "";
    }
  }

 private:
  // A password text read as a hexadecimal number, from its last character
  // (place 0) to its first. A digit counts by its value; every other
  // character by the Windows-1252 code of its upper-case form minus 55, so
  // "A".."F" and "a".."f" give 10..15 and the letters and signs beyond them
  // count on. A character worth less than 0 or more than 255, or a total
  // beyond the range of doubles, makes the whole value 0. The empty text is 0.
  static double HexToValue(const std::string& text) {
    const std::string codes = vb::ToWindows1252(text);
    double total = 0;
    int place = 0;
    for (auto it = codes.rbegin(); it != codes.rend(); ++it, ++place) {
      const auto code = static_cast<unsigned char>(*it);
      const int value = (code >= '0' && code <= '9') ? code - '0' : vb::Asc(vb::UCase(vb::Chr(code))) - 55;
      if (value < 0 || value > 255) return 0;
      const double weight = std::pow(16.0, place);
      if (!std::isfinite(weight)) return 0;
      total += weight * value;
      if (!std::isfinite(total)) return 0;
    }
    return total;
  }
};

}  // namespace passwarden

extern "C" __attribute__((visibility("default"))) vb::Object* LevronaCreateObject(const char* className) {
  if (className != nullptr && vb::TextEquals(className, password::kClassName)) return new passwarden::clsPassword();
  return nullptr;
}
