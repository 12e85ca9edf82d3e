#include "search/HandOver.h"

#include "indexer/TextLines.h"
#include "platform/FileFacts.h"

namespace handover {

QString file(const QString& controlFolder)
{
    if (controlFolder.isEmpty())
        return QString();
    QString folder = controlFolder;
    if (!folder.endsWith(u'\\'))
        folder += u'\\';
    return folder + QStringLiteral("Datenbank\\Suchtext.txt");
}

std::optional<QString> read(const QString& handOverFile)
{
    if (handOverFile.isEmpty() || !platform::exists(handOverFile) ||
        platform::isFolder(handOverFile))
        return std::nullopt;
    return textlines::read(handOverFile).join(u' ').trimmed();
}

std::optional<QString> take(const QString& handOverFile)
{
    std::optional<QString> text = read(handOverFile);
    if (text)
        platform::removeFileQuietly(handOverFile);
    return text;
}

} // namespace handover
