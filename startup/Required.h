#pragma once
// An object that must be set: the object itself, or error 91 when the
// pointer is empty.

#include "vb/VbError.h"

template <class Pointer>
auto& Required(const Pointer& object) {
  if (!object) vb::Raise(vb::err::ObjectNotSet);
  return *object;
}
