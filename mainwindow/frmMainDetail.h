#pragma once
// What the main window's source files share.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "clsGlobalParam.h"
#include "db/Recordset.h"
#include "modGlobals.h"
#include "vb/VbError.h"
#include "zelErrHandler.h"

namespace frmMainDetail {

// The module name of the window's error reports.
inline constexpr const char* kModule = "frmMain";

inline clsGlobalParam& Globals() { return modGlobals::GlobalParam(); }

// A count or row number of the window's 16-bit kind; error 6 beyond its range.
inline std::int16_t Narrow16(long value) {
  if (value < -32768 || value > 32767) vb::Raise(vb::err::Overflow);
  return static_cast<std::int16_t>(value);
}

// Writes a selection flag ("Yes", "No") to the list's current row at once.
// A write that is refused gives its edit up, so that the row keeps the flag
// it has stored and the next move does not try the write again; the
// failure is raised to the caller's guard.
inline void StoreSelected(db::Recordset& list, const char* flag) {
  list.SetValue("SELECTED", vb::Variant(flag));
  try {
    list.Update();
  } catch (...) {
    list.CancelUpdate();
    throw;
  }
}

// "?, ?, ?": one parameter marker for each value of a list; "NULL" for an
// empty list, which matches nothing.
inline std::string Markers(std::size_t count) {
  if (count == 0) return "NULL";
  std::string markers = "?";
  for (std::size_t i = 1; i < count; ++i) markers += ", ?";
  return markers;
}

// A query piece with "{regions}" standing for a list of regions: the
// piece with one parameter marker per region in its place.
inline std::string WithRegionMarkers(std::string piece, std::size_t regions) {
  constexpr std::string_view kPlace = "{regions}";
  const std::size_t at = piece.find(kPlace);
  if (at != std::string::npos) piece.replace(at, kPlace.size(), Markers(regions));
  return piece;
}

}  // namespace frmMainDetail
