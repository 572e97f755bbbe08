#include "Deployment.h"

#include "ui/Seam.h"

namespace deployment {
namespace {

// The deployment's values. Host names and addresses here are reserved for
// documentation (".example", 192.0.2.0/24) until a deployment puts its own.
//
// The component key: the public key, in hexadecimal, that
// `sign_component --new-key` printed for the deployment's signing key. The
// zero key verifies no signature at all, so that no component runs until a
// deployment puts its own here.
constexpr const char* kComponentPublicKey = "0000000000000000000000000000000000000000000000000000000000000000";

const UploadSites kProgramSites = {
    "upload.levrona.example",
    {"ftp.levrona.example", "192.0.2.21", "files.levrona.example"},
    "upload.levrona.example",
    21,
    com::PublicKeyFromHex(kComponentPublicKey),
};

}  // namespace

const UploadSites& Sites() { return ui::SeamSlot<const UploadSites>::Get(kProgramSites); }

const UploadSites* RedirectSites(const UploadSites* sites) { return ui::SeamSlot<const UploadSites>::Set(sites); }

}  // namespace deployment
