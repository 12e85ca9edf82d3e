#include "indexer/TextLines.h"

#include "platform/FileFacts.h"
#include "store/TextWriter.h"
#include "store/Utf8.h"
#include "store/Windows1252.h"

#include <QFile>

#include <utility>

namespace textlines {

namespace {

constexpr qint64 kBlock = 1 << 20;

// Calls `block` with the file's bytes in pieces that end after a line feed (the last piece
// may not): a line, and so a UTF-8 sequence, never spans two pieces.
bool forEachBlock(const QString& programPath, const std::function<bool(QByteArrayView)>& block)
{
    QFile file(platform::nativePath(programPath));
    if (!file.open(QIODevice::ReadOnly))
        return false;
    QByteArray buffer;
    for (;;) {
        const qsizetype kept = buffer.size();
        buffer.resize(kept + kBlock);
        const qint64 read = file.read(buffer.data() + kept, kBlock);
        buffer.resize(kept + std::max<qint64>(read, 0));
        if (read <= 0)
            return buffer.isEmpty() || block(buffer);
        const qsizetype end = buffer.lastIndexOf('\n') + 1;
        if (end == 0)
            continue; // a line longer than a block: read on
        if (!block(QByteArrayView(buffer).first(end)))
            return true;
        buffer.remove(0, end);
    }
}

bool isUtf8(QByteArrayView bytes)
{
    const auto* data = reinterpret_cast<const unsigned char*>(bytes.data());
    return utf8::validateStrict(data, std::size_t(bytes.size())) != utf8::StrictResult::Invalid;
}

QString decoded(QByteArrayView bytes, bool utf8, bool atStart)
{
    QString text = utf8 ? QString::fromUtf8(bytes) : cp1252::decode(bytes);
    if (atStart && text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);
    return text;
}

// A line ends at LF; one CR before it belongs to the line end. Further CRs are text (a Linux
// file name may end in one) and must survive a write and a read.
bool forEachLineOf(const QString& text, const std::function<bool(const QString& line)>& visit)
{
    QStringList lines = text.split(u'\n');
    if (lines.last().isEmpty())
        lines.removeLast();
    for (QString& line : lines) {
        if (line.endsWith(u'\r'))
            line.chop(1);
        if (!visit(line))
            return false;
    }
    return true;
}

} // namespace

Scan scan(const QString& programPath)
{
    Scan scanned;
    bool endsWithLineFeed = true;
    forEachBlock(programPath, [&](QByteArrayView bytes) {
        scanned.utf8 = scanned.utf8 && isUtf8(bytes);
        scanned.lines += bytes.count('\n');
        endsWithLineFeed = bytes.endsWith('\n');
        return true;
    });
    if (!endsWithLineFeed)
        ++scanned.lines;
    return scanned;
}

void forEach(const QString& programPath, const Scan& scanned,
             const std::function<bool(const QString& line)>& visit)
{
    bool first = true;
    forEachBlock(programPath, [&](QByteArrayView bytes) {
        return forEachLineOf(decoded(bytes, scanned.utf8, std::exchange(first, false)), visit);
    });
}

QStringList read(const QString& programPath)
{
    // Small files in one read; forEach() is for lists too large to hold.
    QFile file(platform::nativePath(programPath));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray bytes = file.readAll();
    QStringList lines;
    forEachLineOf(decoded(bytes, isUtf8(bytes), true), [&lines](const QString& line) {
        lines.append(line);
        return true;
    });
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
