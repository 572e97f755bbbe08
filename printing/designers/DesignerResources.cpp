#include "DesignerResources.h"

#include <QtGlobal>

// The resources must be registered by name, outside any namespace.
static void UseDesignerResources() {
  static const bool done = [] {
    Q_INIT_RESOURCE(designers);
    return true;
  }();
  (void)done;
}

namespace designers {

std::string LayoutPath(const std::string& name) {
  UseDesignerResources();
  return ":/designers/" + name + ".json";
}

}  // namespace designers
