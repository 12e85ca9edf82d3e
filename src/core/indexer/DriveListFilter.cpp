#include "indexer/DriveListFilter.h"

#include "platform/FileFacts.h"
#include "store/DatabasePaths.h"
#include "store/Descriptor.h"

#include <algorithm>

namespace drivelist {

QString locate(const QString& baseFolder, const QString& controlFolder, QChar driveLetter)
{
    for (const QString& folder : {controlFolder, baseFolder}) {
        if (folder.isEmpty())
            continue;
        const QString list = DatabasePaths(folder).driveList(driveLetter.toUpper());
        if (platform::exists(list))
            return list;
    }
    return {};
}

bool folderInside(const QString& currentFolder, const QString& chosenFolder)
{
    if (chosenFolder.size() == 3)
        return currentFolder.contains(chosenFolder);
    if (!currentFolder.startsWith(chosenFolder))
        return false;
    const qsizetype n = chosenFolder.size();
    return currentFolder.size() == n || currentFolder[n] == u'\\';
}

QString entryPattern(const QString& fileName)
{
    const qsizetype dot = fileName.lastIndexOf(u'.');
    return u'*' + (dot < 0 ? QString() : fileName.mid(dot).toLower());
}

QStringList descriptorLines(const QByteArray& driveList, const QString& chosenFolder,
                            const QStringList& patterns, const std::function<bool()>& keepGoing)
{
    // One trailing backslash of a folder (not of a drive root) would hide its subfolders.
    QString folder = chosenFolder;
    if (folder.size() > 3 && folder.endsWith(u'\\'))
        folder.chop(1);

    QStringList lines = {descriptor::formatHeader(chosenFolder, patterns)};
    QString currentFolder;
    qsizetype start = 0;
    while (start < driveList.size()) {
        if (keepGoing && !keepGoing())
            break;
        qsizetype end = driveList.indexOf('\n', start);
        if (end < 0)
            end = driveList.size();
        QByteArrayView raw(driveList.constData() + start, end - start);
        start = end + 1;
        if (raw.endsWith('\r'))
            raw.chop(1);
        const QString entry = QString::fromUtf8(raw);

        QString path;
        QString fileName;
        if (entry.startsWith(QStringLiteral("\" "))) {
            fileName = entry.mid(2);
            path = currentFolder + fileName;
        } else {
            const qsizetype slash = entry.lastIndexOf(u'\\');
            currentFolder = entry.left(slash + 1);
            fileName = entry.mid(slash + 1);
            path = entry;
        }
        if (currentFolder.isEmpty() || !folderInside(currentFolder, folder))
            continue;
        // Once, however many slots name its extension ("*.txt *.TXT").
        const QString pattern = entryPattern(fileName);
        if (std::any_of(patterns.begin(), patterns.end(), [&](const QString& slotPattern) {
                return !slotPattern.isEmpty() &&
                       slotPattern.compare(pattern, Qt::CaseInsensitive) == 0;
            }))
            lines.append(path);
    }
    return lines;
}

} // namespace drivelist
