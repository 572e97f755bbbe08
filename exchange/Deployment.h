#pragma once
// What a deployment of the program sets once for the upload: the state's
// collection server, the former server addresses that a stored setting may
// still name (the upload dialog replaces them by the current server), the
// server and port from which the upload-password component is fetched, and
// the public key with which that component's signature must verify.
//
// These are constants of the program, never read from settings, the
// environment or files. Tests redirect them in-process to a server of their
// own and a key of their own.

#include <array>
#include <cstdint>
#include <string>

#include "com/SealedLibrary.h"

namespace deployment {

struct UploadSites {
  // The host of the collection server, where certified-data files go.
  std::string uploadServer;
  // Former server addresses, in the order the upload dialog tests them: a
  // host name, a numeric address and another host name.
  std::array<std::string, 3> formerServers;
  // Where the upload-password component is fetched from.
  std::string componentServer;
  std::int32_t componentPort = 21;
  // The public key of the deployment's component signing key.
  com::PublicKey componentKey{};
};

// The sites in effect: the program's own unless a test redirected them.
const UploadSites& Sites();
// Tests only: puts other sites (not owned) in effect and answers the
// previous ones; nullptr restores the program's own.
const UploadSites* RedirectSites(const UploadSites* sites);

}  // namespace deployment
