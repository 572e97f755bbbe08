// Signs a build of a component library for a deployment, so that the
// program runs it after fetching it from the deployment's server.
//
//   sign_component --new-key KEYFILE
//       makes a new signing key: writes its secret key to KEYFILE (readable
//       by its owner only; an existing file is not replaced) and prints its
//       public key, which goes into the program (exchange/Deployment.cpp).
//   sign_component KEYFILE LIBRARY [SIGNATURE]
//       writes the detached signature of LIBRARY made with the secret key of
//       KEYFILE to SIGNATURE (LIBRARY.sig when not named). The library and
//       its signature go side by side onto the server.

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <iostream>
#include <iterator>
#include <string>
#include <string_view>

#include "com/SealedLibrary.h"
#include "vb/VbError.h"

namespace {

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error("cannot read " + path);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

int NewKey(const std::string& keyFile) {
  com::PublicKey publicKey{};
  com::SecretKey secretKey{};
  com::NewKeyPair(publicKey, secretKey);
  const int fd = ::open(keyFile.c_str(), O_WRONLY | O_CREAT | O_EXCL, S_IRUSR | S_IWUSR);
  if (fd < 0) throw std::runtime_error("cannot create " + keyFile + " (it may exist already)");
  const std::string text =
      com::ToHex(std::string_view(reinterpret_cast<const char*>(secretKey.data()), secretKey.size())) + "\n";
  const bool written = ::write(fd, text.data(), text.size()) == static_cast<ssize_t>(text.size());
  ::close(fd);
  if (!written) throw std::runtime_error("cannot write " + keyFile);
  std::cout << com::ToHex(std::string_view(reinterpret_cast<const char*>(publicKey.data()), publicKey.size()))
            << "\n";
  return 0;
}

int Sign(const std::string& keyFile, const std::string& library, const std::string& signatureFile) {
  const com::SecretKey secretKey = com::SecretKeyFromHex(ReadFile(keyFile));
  const std::string signature = com::SignDetached(ReadFile(library), secretKey);
  std::ofstream out(signatureFile, std::ios::binary | std::ios::trunc);
  out.write(signature.data(), static_cast<std::streamsize>(signature.size()));
  out.close();
  if (!out) throw std::runtime_error("cannot write " + signatureFile);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  try {
    if (argc == 3 && std::string_view(argv[1]) == "--new-key") return NewKey(argv[2]);
    if (argc == 3 || argc == 4) return Sign(argv[1], argv[2], argc == 4 ? argv[3] : std::string(argv[2]) + ".sig");
  } catch (const vb::VbError& e) {
    std::cerr << "sign_component: " << e.Description() << "\n";
    return 1;
  } catch (const std::exception& e) {
    std::cerr << "sign_component: " << e.what() << "\n";
    return 1;
  }
  std::cerr << "usage: sign_component --new-key KEYFILE\n"
               "       sign_component KEYFILE LIBRARY [SIGNATURE]\n";
  return 2;
}
