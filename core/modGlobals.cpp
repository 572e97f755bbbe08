#include "modGlobals.h"

#include "clsMyAdoUtils.h"

namespace modGlobals {

std::string gstrVersion = "19.00";
std::string gstrConnectionString;
std::unique_ptr<clsGlobalParam> gobjGlobalParam;
std::unique_ptr<clsMyAdoUtils> gobjAdoUtils;

}  // namespace modGlobals
