#include "indexer/TextLines.h"

#include "platform/FileFacts.h"
#include "store/TextWriter.h"
#include "store/Utf8.h"
#include "store/Windows1252.h"

#include <QFile>

namespace textlines {

QStringList read(const QString& programPath)
{
    QFile file(platform::nativePath(programPath));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray bytes = file.readAll();
    const auto* data = reinterpret_cast<const unsigned char*>(bytes.constData());
    const bool utf8 =
        utf8::validateStrict(data, std::size_t(bytes.size())) != utf8::StrictResult::Invalid;
    QString text = utf8 ? QString::fromUtf8(bytes) : cp1252::decode(bytes);
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);
    // A line ends at LF; one CR before it belongs to the line end. Further CRs are text
    // (a Linux file name may end in one) and must survive a write and a read.
    QStringList lines = text.split(u'\n');
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    for (QString& line : lines) {
        if (line.endsWith(u'\r'))
            line.chop(1);
    }
    return lines;
}

Status write(const QString& programPath, const QStringList& lines)
{
    QByteArray bytes;
    for (const QString& line : lines)
        bytes += line.toUtf8() + "\r\n";
    return writeFileSafely(programPath, bytes);
}

} // namespace textlines
