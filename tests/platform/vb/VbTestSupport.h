#pragma once
// Helpers for the value-layer tests.

#include <functional>
#include <ostream>

#include "vb/Conversions.h"
#include "vb/Variant.h"
#include "vb/VbError.h"

namespace vbtest {

// The number of the run-time error that `action` raises, or 0 when it
// raises none.
inline long ErrorOf(const std::function<void()>& action) {
  try {
    action();
  } catch (const vb::VbError& e) {
    return e.Number();
  }
  return 0;
}

// A Date at a calendar day and time of day.
inline vb::Date At(int year, int month, int day, int hour = 0, int minute = 0, int second = 0) {
  return vb::Date{vb::DateSerial(year, month, day).serial + (hour * 3600 + minute * 60 + second) / 86400.0};
}

}  // namespace vbtest

namespace vb {
// Readable failure messages: "Long 5", "String \"ab\"".
inline void PrintTo(const Variant& v, std::ostream* os) {
  static const char* const kNames[] = {"Empty",  "Null", "Integer", "Long",   "?",      "Double", "Currency",
                                       "Date",   "String", "Object", "?",      "Boolean", "?",     "?",
                                       "Decimal"};
  *os << kNames[static_cast<int>(v.Type())];
  if (v.Type() != VarType::Object && !v.IsEmpty() && !v.IsNull()) *os << " \"" << TextOf(v) << "\"";
}
}  // namespace vb
