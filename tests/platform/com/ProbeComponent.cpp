// A component for the registry tests: the class clsProbe.

#include "ProbeInterface.h"
#include "vb/Conversions.h"

namespace {

int made = 0;

class clsProbe final : public IProbe {
 public:
  clsProbe() { ++made; }
  int Made() const override { return made; }
};

}  // namespace

extern "C" __attribute__((visibility("default"))) vb::Object* LevronaCreateObject(const char* className) {
  if (vb::TextEquals(className, "clsProbe")) return new clsProbe();
  return nullptr;
}
