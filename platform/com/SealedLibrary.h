#pragma once
// Component libraries that come from elsewhere (the upload-password
// component is fetched from the server before every upload) run only when
// they carry a detached signature made with the deployment's secret key.
//
// The library's bytes are put into a sealed memory file: once sealed, no
// one can change them. The signature is checked against the bytes read back
// from that file, and the registry loads the library from the same file
// (com::CreateObjectFromDescriptor), so the bytes checked are the bytes
// that run.
//
// Keys and signatures are libsodium's Ed25519 ones: a 32-byte public key, a
// 64-byte secret key and a 64-byte detached signature. Key files hold the
// key as hexadecimal text.

#include <array>
#include <string>
#include <string_view>

namespace com {

inline constexpr std::size_t kPublicKeyBytes = 32;
inline constexpr std::size_t kSecretKeyBytes = 64;
inline constexpr std::size_t kSignatureBytes = 64;
using PublicKey = std::array<unsigned char, kPublicKeyBytes>;
using SecretKey = std::array<unsigned char, kSecretKeyBytes>;

// A new key pair.
void NewKeyPair(PublicKey& publicKey, SecretKey& secretKey);
// The public key that belongs to a secret key.
PublicKey PublicKeyOf(const SecretKey& secretKey);
// The detached signature of the bytes.
std::string SignDetached(std::string_view bytes, const SecretKey& secretKey);
// Whether the signature is a detached signature of the bytes made with the
// secret key of `publicKey`; false for a signature of any other length.
bool VerifyDetached(std::string_view bytes, std::string_view signature, const PublicKey& publicKey);

// Keys as hexadecimal text (letter case and surrounding blanks and line
// ends do not matter). A text of the wrong length or with other characters
// is error 5.
PublicKey PublicKeyFromHex(std::string_view hex);
SecretKey SecretKeyFromHex(std::string_view hex);
std::string ToHex(std::string_view bytes);

// A library's bytes in a sealed memory file.
class SealedLibrary {
 public:
  // Copies the bytes into a new memory file and seals it against writing,
  // growing and shrinking. Error 75 when the system cannot make one.
  SealedLibrary(std::string_view bytes, const std::string& name);
  ~SealedLibrary();
  SealedLibrary(SealedLibrary&& other) noexcept;
  SealedLibrary& operator=(SealedLibrary&& other) noexcept;
  SealedLibrary(const SealedLibrary&) = delete;
  SealedLibrary& operator=(const SealedLibrary&) = delete;

  // The open memory file (for com::CreateObjectFromDescriptor).
  int Descriptor() const { return descriptor_; }
  // Whether the sealed bytes carry that signature of the key's owner.
  bool SignedBy(std::string_view signature, const PublicKey& publicKey) const;

 private:
  int descriptor_ = -1;
};

}  // namespace com
