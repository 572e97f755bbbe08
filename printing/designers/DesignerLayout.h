#pragma once
// The path of a designer's JSON layout among this library's resources,
// registering the resources on first use.

#include <string>

std::string DesignerLayout(const std::string& file);
