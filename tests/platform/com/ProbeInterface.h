#pragma once
// Interfaces of the small component that the registry tests load.

#include <string>

#include "vb/Variant.h"

class __attribute__((visibility("default"))) IProbe : public vb::Object {
 public:
  // The number of probe objects the library has made so far.
  virtual int Made() const = 0;
};

// An interface that no probe implements.
class __attribute__((visibility("default"))) IUnrelated : public vb::Object {
 public:
  virtual void Nothing() = 0;
};
