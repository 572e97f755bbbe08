#include "DesignerLayout.h"

#include <QtGlobal>

// The designers' layouts live in this static library's resources, which
// must be registered by name (outside any namespace).
static void UseDesignerResources() {
  static const bool done = [] {
    Q_INIT_RESOURCE(designers);
    return true;
  }();
  (void)done;
}

std::string DesignerLayout(const std::string& file) {
  UseDesignerResources();
  return ":/designers/" + file;
}
