#include "ui/Settings.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QString>

namespace ui {
namespace {

QString KeyOf(const std::string& section, const std::string& key) {
  return QString::fromStdString(section) + '/' + QString::fromStdString(key);
}

// The file is found anew on every call, so that a change of XDG_CONFIG_HOME
// (as each test makes) takes effect at once.
QString FileOf(const std::string& appName) {
  QString folder = qEnvironmentVariable("XDG_CONFIG_HOME");
  if (folder.isEmpty()) folder = QDir::homePath() + QStringLiteral("/.config");
  return folder + QStringLiteral("/Levrona/") + QString::fromStdString(appName) + QStringLiteral(".ini");
}

QSettings Store(const std::string& appName) { return QSettings(FileOf(appName), QSettings::IniFormat); }

constexpr QFileDevice::Permissions kOwnerOnly = QFileDevice::ReadOwner | QFileDevice::WriteOwner;

// A settings file is readable by its owner only (the upload's settings hold
// passwords), from its first byte on: a missing file is made empty so
// before anything is written into it.
void MakePrivate(const QString& file) {
  if (QFileInfo::exists(file)) return;
  QDir().mkpath(QFileInfo(file).absolutePath());
  QFile(file).open(QIODevice::WriteOnly, kOwnerOnly);
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
  const QString file = FileOf(appName);
  MakePrivate(file);
  QSettings store(file, QSettings::IniFormat);
  store.setValue(KeyOf(section, key), QString::fromStdString(value));
  store.sync();
  QFile::setPermissions(file, kOwnerOnly);
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
