#pragma once
// The per-user settings store: text values under an application name, a
// section and a key, kept in an INI file in the user's configuration folder
// ($XDG_CONFIG_HOME/Levrona/<application>.ini).

#include <string>

namespace ui {

std::string GetSetting(const std::string& appName, const std::string& section, const std::string& key,
                       const std::string& defaultValue = {});
void SaveSetting(const std::string& appName, const std::string& section, const std::string& key,
                 const std::string& value);
void DeleteSetting(const std::string& appName, const std::string& section, const std::string& key);
bool HasSetting(const std::string& appName, const std::string& section, const std::string& key);

}  // namespace ui
