// Components run from a sealed memory file: the registry creates them from
// the descriptor, refuses one that is not sealed, and the bytes cannot
// change once sealed. Signatures made by the signing tool verify with the
// public key it printed, and only with it.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/mman.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "ProbeInterface.h"
#include "com/Registry.h"
#include "com/SealedLibrary.h"
#include "vb/VbError.h"

namespace {

std::string ReadBytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

long ErrorOf(int descriptor, const char* className) {
  try {
    com::CreateObjectRawFromDescriptor(descriptor, className);
  } catch (const vb::VbError& e) {
    return e.Number();
  }
  return 0;
}

const std::filesystem::path kProbe = std::filesystem::path(PROBE_COMPONENT_DIR) / "libcomprobe.so";

TEST(SealedLibrary, TheRegistryCreatesObjectsFromTheSealedBytes) {
  const com::SealedLibrary sealed(ReadBytes(kProbe), "libcomprobe.so");
  // The library in the memory file is a copy of its own: it counts from 1,
  // whatever the copy in the component folder has made.
  com::SetComponentFolder(PROBE_COMPONENT_DIR);
  com::CreateObject<IProbe>("comprobe.clsProbe");
  com::CreateObject<IProbe>("comprobe.clsProbe");
  com::SetComponentFolder({});
  auto first = com::CreateObjectFromDescriptor<IProbe>(sealed.Descriptor(), "clsProbe");
  EXPECT_EQ(first->Made(), 1);
  auto second = com::CreateObjectFromDescriptor<IProbe>(sealed.Descriptor(), "clsProbe");
  EXPECT_EQ(second->Made(), 2) << "one library per memory file";
  EXPECT_EQ(ErrorOf(sealed.Descriptor(), "clsMissing"), 429);

  // Sealed: the bytes can no longer be written, grown or cut.
  EXPECT_EQ(::pwrite(sealed.Descriptor(), "x", 1, 0), -1);
  EXPECT_NE(::ftruncate(sealed.Descriptor(), 10), 0);
}

TEST(SealedLibrary, AnUnsealedDescriptorIsRefused) {
  const int plain = ::open(kProbe.c_str(), O_RDONLY | O_CLOEXEC);
  ASSERT_GE(plain, 0);
  EXPECT_EQ(ErrorOf(plain, "clsProbe"), 429);
  ::close(plain);
  const int memory = ::memfd_create("unsealed", MFD_CLOEXEC | MFD_ALLOW_SEALING);
  const std::string bytes = ReadBytes(kProbe);
  ASSERT_EQ(::write(memory, bytes.data(), bytes.size()), static_cast<ssize_t>(bytes.size()));
  EXPECT_EQ(ErrorOf(memory, "clsProbe"), 429);
  ::close(memory);
}

TEST(SealedLibrary, TheToolSignsWithAKeyWhosePublicHalfItPrints) {
  const auto folder = std::filesystem::temp_directory_path() / ("signtool-" + std::to_string(::getpid()));
  std::filesystem::create_directories(folder);
  const auto key = folder / "deployment.key";
  const auto library = folder / "libpasswarden.so";
  std::filesystem::copy_file(kProbe, library);

  const std::string newKey = std::string(SIGN_COMPONENT) + " --new-key " + key.string();
  FILE* out = ::popen(newKey.c_str(), "r");
  ASSERT_NE(out, nullptr);
  char printed[200] = {};
  ASSERT_NE(std::fgets(printed, sizeof printed, out), nullptr);
  EXPECT_EQ(::pclose(out), 0);
  EXPECT_EQ(std::filesystem::status(key).permissions() & std::filesystem::perms::all,
            std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
  EXPECT_NE(std::system(newKey.c_str()), 0) << "an existing key is never replaced";

  ASSERT_EQ(std::system((std::string(SIGN_COMPONENT) + " " + key.string() + " " + library.string()).c_str()), 0);
  const std::string bytes = ReadBytes(library);
  const std::string signature = ReadBytes(folder / "libpasswarden.so.sig");
  const com::PublicKey publicKey = com::PublicKeyFromHex(printed);
  EXPECT_EQ(signature.size(), com::kSignatureBytes);
  EXPECT_TRUE(com::VerifyDetached(bytes, signature, publicKey));
  EXPECT_TRUE(com::SealedLibrary(bytes, "signed").SignedBy(signature, publicKey));

  std::string changed = bytes;
  changed[100] ^= 0x20;
  com::PublicKey otherKey{};
  com::SecretKey otherSecret{};
  com::NewKeyPair(otherKey, otherSecret);
  EXPECT_FALSE(com::VerifyDetached(changed, signature, publicKey));
  EXPECT_FALSE(com::VerifyDetached(bytes, signature, otherKey));
  EXPECT_FALSE(com::VerifyDetached(bytes, signature.substr(0, 63), publicKey));
  EXPECT_FALSE(com::VerifyDetached(bytes, signature, com::PublicKey{})) << "the zero key verifies nothing";
  std::filesystem::remove_all(folder);
}

}  // namespace
