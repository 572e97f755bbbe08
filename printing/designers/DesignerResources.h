#pragma once
// Where a designer's layout lives: the designers' JSON files are resources
// of this static library, registered on first use.

#include <string>

namespace designers {

// ":/designers/<name>.json", with the resources registered.
std::string LayoutPath(const std::string& name);

}  // namespace designers
