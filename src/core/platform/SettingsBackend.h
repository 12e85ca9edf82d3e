#pragma once

#include <QString>

// Named string values under a per-user key such as "Software\Halvern\Nimbra-Doviruzu\".
// On Windows that is the registry key; elsewhere an INI file of QSettings below
// $XDG_CONFIG_HOME. A missing key or value reads as an empty text.
namespace platform {

QString readSetting(const QString& keyPath, const QString& valueName);
// Writes one value, creating the key when it does not exist.
void writeSetting(const QString& keyPath, const QString& valueName, const QString& text);

// Keeps all settings of this process in INI files below the folder, so tests never touch
// the user's own settings.
void redirectSettingsTo(const QString& folder);

} // namespace platform
