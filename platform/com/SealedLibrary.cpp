#include "com/SealedLibrary.h"

#include <fcntl.h>
#include <sodium.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <utility>

#include "vb/VbError.h"

#ifndef MFD_EXEC
#define MFD_EXEC 0x0010U  // kernels that can refuse execution from memory files by default
#endif

namespace com {
namespace {

void Initialise() {
  if (sodium_init() < 0) vb::Raise(vb::err::OutOfMemory, "The signature library cannot be started");
}

template <std::size_t N>
std::array<unsigned char, N> KeyFromHex(std::string_view hex, const char* what) {
  while (!hex.empty() && std::strchr(" \t\r\n", hex.front())) hex.remove_prefix(1);
  while (!hex.empty() && std::strchr(" \t\r\n", hex.back())) hex.remove_suffix(1);
  std::array<unsigned char, N> key{};
  std::size_t length = 0;
  const char* end = nullptr;
  if (sodium_hex2bin(key.data(), key.size(), hex.data(), hex.size(), nullptr, &length, &end) != 0 ||
      length != N || end != hex.data() + hex.size())
    vb::Raise(vb::err::InvalidProcedureCall, std::string("Not a ") + what + " in hexadecimal text");
  return key;
}

int NewMemoryFile(const std::string& name) {
  const unsigned flags = MFD_CLOEXEC | MFD_ALLOW_SEALING;
  int descriptor = ::memfd_create(name.c_str(), flags | MFD_EXEC);
  if (descriptor < 0 && errno == EINVAL) descriptor = ::memfd_create(name.c_str(), flags);
  return descriptor;
}

}  // namespace

void NewKeyPair(PublicKey& publicKey, SecretKey& secretKey) {
  Initialise();
  crypto_sign_keypair(publicKey.data(), secretKey.data());
}

PublicKey PublicKeyOf(const SecretKey& secretKey) {
  Initialise();
  PublicKey publicKey{};
  crypto_sign_ed25519_sk_to_pk(publicKey.data(), secretKey.data());
  return publicKey;
}

std::string SignDetached(std::string_view bytes, const SecretKey& secretKey) {
  Initialise();
  std::string signature(kSignatureBytes, '\0');
  crypto_sign_detached(reinterpret_cast<unsigned char*>(signature.data()), nullptr,
                       reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size(), secretKey.data());
  return signature;
}

bool VerifyDetached(std::string_view bytes, std::string_view signature, const PublicKey& publicKey) {
  Initialise();
  if (signature.size() != kSignatureBytes) return false;
  return crypto_sign_verify_detached(reinterpret_cast<const unsigned char*>(signature.data()),
                                     reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size(),
                                     publicKey.data()) == 0;
}

PublicKey PublicKeyFromHex(std::string_view hex) { return KeyFromHex<kPublicKeyBytes>(hex, "public key"); }

SecretKey SecretKeyFromHex(std::string_view hex) { return KeyFromHex<kSecretKeyBytes>(hex, "secret key"); }

std::string ToHex(std::string_view bytes) {
  std::string hex(bytes.size() * 2 + 1, '\0');
  sodium_bin2hex(hex.data(), hex.size(), reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size());
  hex.pop_back();
  return hex;
}

SealedLibrary::SealedLibrary(std::string_view bytes, const std::string& name) {
  descriptor_ = NewMemoryFile(name);
  if (descriptor_ < 0) vb::Raise(vb::err::PathFileAccessError, "No memory file for " + name + ": " + std::strerror(errno));
  std::size_t written = 0;
  while (written < bytes.size()) {
    const ssize_t n = ::write(descriptor_, bytes.data() + written, bytes.size() - written);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      const int error = errno;
      ::close(std::exchange(descriptor_, -1));
      vb::Raise(vb::err::PathFileAccessError, "Cannot write the memory file for " + name + ": " + std::strerror(error));
    }
    written += static_cast<std::size_t>(n);
  }
  if (::fcntl(descriptor_, F_ADD_SEALS, F_SEAL_WRITE | F_SEAL_GROW | F_SEAL_SHRINK | F_SEAL_SEAL) != 0) {
    const int error = errno;
    ::close(std::exchange(descriptor_, -1));
    vb::Raise(vb::err::PathFileAccessError, "Cannot seal the memory file for " + name + ": " + std::strerror(error));
  }
}

SealedLibrary::~SealedLibrary() {
  if (descriptor_ >= 0) ::close(descriptor_);
}

SealedLibrary::SealedLibrary(SealedLibrary&& other) noexcept : descriptor_(std::exchange(other.descriptor_, -1)) {}

SealedLibrary& SealedLibrary::operator=(SealedLibrary&& other) noexcept {
  if (this != &other) {
    if (descriptor_ >= 0) ::close(descriptor_);
    descriptor_ = std::exchange(other.descriptor_, -1);
  }
  return *this;
}

bool SealedLibrary::SignedBy(std::string_view signature, const PublicKey& publicKey) const {
  struct stat info {};
  if (descriptor_ < 0 || ::fstat(descriptor_, &info) != 0) return false;
  const auto size = static_cast<std::size_t>(info.st_size);
  if (size == 0) return VerifyDetached({}, signature, publicKey);
  void* mapped = ::mmap(nullptr, size, PROT_READ, MAP_PRIVATE, descriptor_, 0);
  if (mapped == MAP_FAILED) return false;
  const bool verified = VerifyDetached(std::string_view(static_cast<const char*>(mapped), size), signature, publicKey);
  ::munmap(mapped, size);
  return verified;
}

}  // namespace com
