#include "platform/SettingsBackend.h"

#include <QSettings>
#include <QStringList>

#include <memory>

namespace platform {

namespace {

bool g_redirected = false;

// "Software\Maker\Program\Sub\" -> QSettings(Maker, Program) with group "Sub".
std::unique_ptr<QSettings> settingsFor(const QString& keyPath, QString* group)
{
    QStringList parts = keyPath.split(u'\\', Qt::SkipEmptyParts);
    if (!parts.isEmpty() && parts.first().compare(u"Software", Qt::CaseInsensitive) == 0)
        parts.removeFirst();
    const QString organization = parts.value(0);
    const QString application = parts.value(1);
    *group = parts.mid(2).join(u'/');
    if (g_redirected)
        return std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope, organization,
                                           application);
    return std::make_unique<QSettings>(organization, application);
}

} // namespace

QString readSetting(const QString& keyPath, const QString& valueName)
{
    QString group;
    const auto settings = settingsFor(keyPath, &group);
    const QString key = group.isEmpty() ? valueName : group + u'/' + valueName;
    const QVariant value = settings->value(key);
    // A hand-edited INI line with unquoted commas comes back as a list.
    if (value.typeId() == QMetaType::QStringList)
        return value.toStringList().join(u", ");
    return value.toString();
}

void writeSetting(const QString& keyPath, const QString& valueName, const QString& text)
{
    QString group;
    const auto settings = settingsFor(keyPath, &group);
    settings->setValue(group.isEmpty() ? valueName : group + u'/' + valueName, text);
}

void redirectSettingsTo(const QString& folder)
{
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, folder);
    g_redirected = true;
}

} // namespace platform
