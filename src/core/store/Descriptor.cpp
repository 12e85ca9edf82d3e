#include "store/Descriptor.h"

#include "platform/FileFacts.h"

#include <QFile>

namespace descriptor {

QString reindexHint()
{
    return QStringLiteral(
        " Bitte indizieren Sie die Datenbank neu (\"DB erneut indizieren\" im Hauptfenster).");
}

QString formatHeader(const QString& sourceFolder, const QStringList& patterns)
{
    QString header = kHeaderKey + sourceFolder;
    for (int slot = 0; slot < kExtensionSlots; ++slot)
        header += u' ' + patterns.value(slot);
    return header;
}

Result<Header> parseHeader(const QString& firstLine)
{
    static const QString kKey = QStringLiteral("PFAD_UND_ENDUNGEN=");
    const qsizetype keyAt = firstLine.indexOf(kKey);
    if (keyAt < 0) {
        return Result<Header>::failure(QStringLiteral(
            "Die Kopfzeile \"PFAD_UND_ENDUNGEN= ...\" fehlt in der Datenbankbeschreibung."));
    }
    QString rest = firstLine;
    rest.remove(keyAt, kKey.size());
    Header header;
    const qsizetype patternsAt = rest.indexOf(QStringLiteral("*."));
    header.sourceFolder = (patternsAt < 0 ? rest : rest.left(patternsAt)).trimmed();
    header.extensionPart = patternsAt < 0 ? QString() : rest.mid(patternsAt);
    if (header.sourceFolder.isEmpty()) {
        return Result<Header>::failure(
            QStringLiteral("Die Kopfzeile der Datenbankbeschreibung nennt keinen Ordner."));
    }
    header.driveLetter = header.sourceFolder[0];
    return header;
}

Result<Header> readHeader(const QString& programPath)
{
    QFile file(platform::nativePath(programPath));
    if (!file.open(QIODevice::ReadOnly)) {
        return Result<Header>::failure(
            QStringLiteral("Die Datei %1 kann nicht geöffnet werden.").arg(programPath));
    }
    // A header is short; a file without any line break is not read whole.
    constexpr qint64 kLongestHeader = 1 << 16;
    QByteArray line = file.readLine(kLongestHeader);
    while (line.endsWith('\n') || line.endsWith('\r'))
        line.chop(1);
    Result<Header> header = parseHeader(QString::fromUtf8(line));
    if (!header)
        return Result<Header>::failure(programPath + QStringLiteral(": ") + header.error());
    return header;
}

} // namespace descriptor
