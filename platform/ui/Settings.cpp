#include "ui/Settings.h"

#include <QDir>
#include <QSettings>
#include <QString>

namespace ui {
namespace {

QString KeyOf(const std::string& section, const std::string& key) {
  return QString::fromStdString(section) + '/' + QString::fromStdString(key);
}

// The file is found anew on every call, so that a change of XDG_CONFIG_HOME
// (as each test makes) takes effect at once.
QSettings Store(const std::string& appName) {
  QString folder = qEnvironmentVariable("XDG_CONFIG_HOME");
  if (folder.isEmpty()) folder = QDir::homePath() + QStringLiteral("/.config");
  return QSettings(folder + QStringLiteral("/Levrona/") + QString::fromStdString(appName) + QStringLiteral(".ini"),
                   QSettings::IniFormat);
}

}  // namespace

std::string GetSetting(const std::string& appName, const std::string& section, const std::string& key,
                       const std::string& defaultValue) {
  QSettings store = Store(appName);
  QVariant value = store.value(KeyOf(section, key));
  return value.isValid() ? value.toString().toStdString() : defaultValue;
}

void SaveSetting(const std::string& appName, const std::string& section, const std::string& key,
                 const std::string& value) {
  QSettings store = Store(appName);
  store.setValue(KeyOf(section, key), QString::fromStdString(value));
  store.sync();
}

void DeleteSetting(const std::string& appName, const std::string& section, const std::string& key) {
  QSettings store = Store(appName);
  store.remove(KeyOf(section, key));
  store.sync();
}

bool HasSetting(const std::string& appName, const std::string& section, const std::string& key) {
  return Store(appName).contains(KeyOf(section, key));
}

}  // namespace ui
