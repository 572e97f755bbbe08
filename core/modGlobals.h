#pragma once
// Program-wide variables: the objects that live from start to exit and the
// values that windows hand to each other.

#include <memory>
#include <string>

#include "clsGlobalParam.h"

class clsMyAdoUtils;

namespace modGlobals {

// The program's version text, "19.00" in this release.
extern std::string gstrVersion;
// The connection string of the working database, set by every clsMyAdoUtils.
extern std::string gstrConnectionString;
// The global parameters and the database utility object.
extern std::unique_ptr<clsGlobalParam> gobjGlobalParam;
extern std::unique_ptr<clsMyAdoUtils> gobjAdoUtils;

}  // namespace modGlobals
