#pragma once
// The stable interface of the upload-password component. A county office may
// upload its certified-data file only with the county's upload password,
// which is derived from the county's name; the upload dialog has the
// component check the password the user typed before every upload.
//
// The component shows nothing, keeps no state between calls and reads no
// settings or files. Booleans are answered as -1 (true) and 0 (false).

#include <cstdint>
#include <string>

#include "vb/Variant.h"

namespace password {

// The component's fixed identities. The program creates the class through
// the component registry by its programmatic identifier, which stands for
// the class identity here; the other identities, the interface's dispatch
// ids and the library's description and version are kept beside it so that
// they stay fixed with the interface.
inline constexpr const char* kProgId = "passwarden.clsPassword";
inline constexpr const char* kTypeLibraryName = "passwarden";
inline constexpr const char* kTypeLibraryId = "{33C65FF4-8968-4A43-B4AA-22E08308B344}";
inline constexpr int kTypeLibraryMajorVersion = 1;
inline constexpr int kTypeLibraryMinorVersion = 0;
inline constexpr const char* kClassName = "clsPassword";
inline constexpr const char* kClassId = "{553A7ADC-2279-4981-AD68-22E776CF4508}";
inline constexpr const char* kInterfaceName = "_clsPassword";
inline constexpr const char* kInterfaceId = "{0DC3C971-25F0-4EC3-B885-B84BB2584075}";
inline constexpr std::int32_t kDispIdVerifyLeaPassword = 0x60030000;
inline constexpr std::int32_t kDispIdReturnPassword = 0x60030001;
inline constexpr const char* kFileDescription = "Upload Password Validation";
inline constexpr const char* kFileVersion = "1.00.0001";

// Members, in this order: VerifyLeaPassword, ReturnPassword. Neither raises
// an error: every failure answers false or "".
class __attribute__((visibility("default"))) clsPassword : public vb::Object {
 public:
  ~clsPassword() override = default;

  // -1 when `strLeaPassword`, read as a hexadecimal number, equals the
  // county's password value, else 0. Leading zeros and letter case do not
  // matter.
  virtual std::int16_t VerifyLeaPassword(std::string strCountyName, std::string strLeaPassword) = 0;

  // The county's password: the upper-case hexadecimal text of the value,
  // without leading zeros.
  virtual std::string ReturnPassword(std::string strCountyName) = 0;
};

}  // namespace password
