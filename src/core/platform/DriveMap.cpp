#include "platform/DriveMap.h"

#include <QDir>
#include <QStringList>

namespace {

DriveMap& processMap()
{
    static DriveMap map = DriveMap::fromText(qEnvironmentVariable("NIMBRA_DRIVES"));
    return map;
}

QString withoutTrailingSeparators(QString folder)
{
    folder = QDir::cleanPath(QDir::fromNativeSeparators(folder));
    while (folder.endsWith(u'/'))
        folder.chop(1);
    return folder;
}

} // namespace

const DriveMap& DriveMap::current()
{
    return processMap();
}

void DriveMap::setCurrent(const DriveMap& map)
{
    processMap() = map;
}

DriveMap DriveMap::fromText(const QString& drives)
{
    DriveMap map = hostDefault();
    for (const QString& entry : drives.split(u';', Qt::SkipEmptyParts)) {
        const qsizetype eq = entry.indexOf(u'=');
        const QString letter = entry.left(eq).trimmed();
        if (eq < 0 || letter.size() != 1 || !letter[0].isLetter())
            continue;
        map.setRoot(letter[0], entry.mid(eq + 1).trimmed());
    }
    return map;
}

void DriveMap::setRoot(QChar letter, const QString& nativeFolder)
{
    m_roots[letter.toUpper().unicode()] = withoutTrailingSeparators(nativeFolder);
}

std::optional<QString> DriveMap::rootOf(QChar letter) const
{
    const auto it = m_roots.find(letter.toUpper().unicode());
    if (it == m_roots.end())
        return std::nullopt;
    return it->second.isEmpty() ? QStringLiteral("/") : it->second;
}

QString DriveMap::toText() const
{
    QStringList entries;
    for (const auto& [letter, folder] : m_roots)
        entries.append(QChar(letter) + u'=' + (folder.isEmpty() ? QStringLiteral("/") : folder));
    return entries.join(u';');
}

QList<QChar> DriveMap::letters() const
{
    QList<QChar> result;
    for (const auto& [letter, root] : m_roots)
        result.append(QChar(letter));
    return result;
}

std::optional<QString> DriveMap::toProgram(const QString& nativePath) const
{
    const QString path = QDir::cleanPath(QDir::fromNativeSeparators(nativePath));
    const std::pair<const char16_t, QString>* best = nullptr;
    for (const auto& entry : m_roots) {
        const QString& root = entry.second;
        const bool inside =
            root.isEmpty() ? path.startsWith(u'/') : (path == root || path.startsWith(root + u'/'));
        if (inside && (!best || root.size() > best->second.size()))
            best = &entry;
    }
    if (!best)
        return std::nullopt;
    QString rest = path.mid(best->second.size());
    if (!rest.startsWith(u'/'))
        rest.prepend(u'/');
    rest.replace(u'/', u'\\');
    return QString(QChar(best->first)) + u':' + rest;
}
