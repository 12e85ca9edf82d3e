#include "store/Settings.h"

#include "platform/SettingsBackend.h"

#include <algorithm>

QString LeseRegKey(const QString& key, const QString& valueName)
{
    return platform::readSetting(key, valueName);
}

void SchreibeRegKey(const QString& key, const QString& valueName, const QString& text)
{
    platform::writeSetting(key, valueName, text);
}

namespace settings {

const std::vector<Entry>& table()
{
    static const std::vector<Entry> entries = {
        {kSelectedDatabase, QStringLiteral("-1"), Fallback::Text, QStringLiteral("0")},
        {kTopic, QStringLiteral("0"), Fallback::Text, QStringLiteral("-1")},
        {kSelectedWebsite, QStringLiteral("0"), Fallback::Text, QStringLiteral("0")},
        // Missing: the system highlight colour.
        {kColor, QStringLiteral("clBlack"), Fallback::Text, QStringLiteral("clHighlight")},
        {kTextColor, QStringLiteral("clWhite"), Fallback::Text, QStringLiteral("clWhite")},
        {kHeight, QStringLiteral("506"), Fallback::Text, QStringLiteral("506")},
        {kWidth, QStringLiteral("1024"), Fallback::DefaultWidth, {}},
        {kSearchHeight, QStringLiteral("500"), Fallback::Text, QStringLiteral("500")},
        {kSearchWidth, QStringLiteral("1024"), Fallback::DefaultWidth, {}},
        {kBrowser, QStringLiteral("standard"), Fallback::Text, QStringLiteral("standard")},
        {kCopySearchTerm, QStringLiteral("1"), Fallback::None, {}},
        {kShowViewerHint, QStringLiteral("1"), Fallback::None, {}},
        {kViewerFontSize, std::nullopt, Fallback::Text, QStringLiteral("10")},
        {kSplitterPos, std::nullopt, Fallback::Text, QStringLiteral("483")},
        {kControlFolder, std::nullopt, Fallback::None, {}},
    };
    return entries;
}

QString bookmarkValueName(Family family, const QString& database)
{
    return QStringLiteral("Lesezeichen_%1_%2").arg(familyName(family), database);
}

QString SettingsStore::read(const QString& name) const
{
    return LeseRegKey(m_key, name);
}

void SettingsStore::write(const QString& name, const QString& text) const
{
    SchreibeRegKey(m_key, name, text);
}

QString SettingsStore::readOrFallback(const QString& name) const
{
    const QString stored = read(name);
    return stored.isEmpty() ? fallbackOf(name) : stored;
}

QString SettingsStore::fallbackOf(const QString& name) const
{
    const auto& entries = table();
    const auto entry = std::find_if(entries.begin(), entries.end(),
                                    [&name](const Entry& e) { return e.name == name; });
    if (entry == entries.end())
        return {};
    switch (entry->fallback) {
    case Fallback::Text: return entry->fallbackText;
    case Fallback::DefaultWidth: return QString::number(m_defaultWidth);
    case Fallback::None: break;
    }
    return {};
}

Result<int> SettingsStore::readNumber(const QString& name) const
{
    const QString text = readOrFallback(name);
    bool ok = false;
    const int value = text.toInt(&ok, 10);
    if (!ok) {
        return Result<int>::failure(
            QStringLiteral("Der gespeicherte Wert \"%1\" der Einstellung %2 ist keine ganze Zahl.")
                .arg(text, name));
    }
    return value;
}

bool SettingsStore::writeFirstStartDefaultsIfNeeded() const
{
    if (!read(kSelectedDatabase).isEmpty())
        return false;
    for (const Entry& entry : table()) {
        if (entry.firstStartDefault)
            write(entry.name, *entry.firstStartDefault);
    }
    return true;
}

void SettingsStore::applyScreenWidth(int screenWidth)
{
    if (screenWidth < 1025)
        m_defaultWidth = screenWidth;
}

QString SettingsStore::controlFolderFor(const QString& baseFolder) const
{
    const QString control = read(kControlFolder);
    return !control.isEmpty() && baseFolder.contains(control, Qt::CaseInsensitive) ? control
                                                                                   : QString();
}

} // namespace settings
