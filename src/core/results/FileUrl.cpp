#include "results/FileUrl.h"

#include "platform/FileFacts.h"

QUrl fileUrl(const QString& programPath)
{
    const QString native = platform::nativePath(programPath);
    if (!native.isEmpty())
        return QUrl::fromLocalFile(native);
    QString slashed = programPath;
    slashed.replace(u'\\', u'/');
    return QUrl::fromLocalFile(u'/' + slashed);
}

QString fileUrlText(const QString& programPath)
{
    return QString::fromLatin1(fileUrl(programPath).toEncoded());
}
