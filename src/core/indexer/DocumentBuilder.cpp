#include "indexer/DocumentBuilder.h"

#include "indexer/DocumentStream.h"
#include "indexer/DriveListFilter.h"
#include "indexer/ReadAhead.h"
#include "indexer/TextLines.h"
#include "platform/FileFacts.h"
#include "store/ByteSize.h"
#include "store/Descriptor.h"
#include "store/TextWriter.h"
#include "store/Utf8Repair.h"
#include "store/Windows1252.h"

#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <atomic>
#include <cstring>
#include <future>
#include <vector>

namespace {

constexpr char16_t kDle = 0x10;

// What each part of a document begins with: the byte-order mark in the Unicode document
// (so it recurs where two parts meet), nothing in the others.
QByteArrayView markOf(Family family)
{
    static const QByteArray byteOrderMark("\xFF\xFE", 2);
    return family == Family::Unicode ? QByteArrayView(byteOrderMark) : QByteArrayView();
}

Family familyOf(EncodingClass cls)
{
    switch (cls) {
    case EncodingClass::Ansi: return Family::Ansi;
    case EncodingClass::Utf8: return Family::Utf8;
    default: return Family::Unicode;
    }
}

// CR LF in the document's encoding.
QByteArrayView lineBreak(Family family)
{
    return family == Family::Unicode ? QByteArrayView("\r\0\n\0", 4) : QByteArrayView("\r\n", 2);
}

void swapBytePairs(QByteArray& bytes)
{
    for (qsizetype i = 0; i + 1 < bytes.size(); i += 2)
        std::swap(bytes[i], bytes[i + 1]);
}

// Offset of the next DLE at or after `from`, or -1.
qsizetype nextDleByte(QByteArrayView text, qsizetype from)
{
    const void* hit = std::memchr(text.data() + from, kDle, std::size_t(text.size() - from));
    return hit ? static_cast<const char*>(hit) - text.data() : -1;
}

// Offset of the next DLE unit among the 16-bit LE units starting at `from`, or -1.
qsizetype nextDleUnit(QByteArrayView text, qsizetype from)
{
    for (qsizetype i = from; i + 1 < text.size(); i += 2) {
        if (quint8(text[i]) == kDle && text[i + 1] == 0)
            return i;
    }
    return -1;
}

// Pieces of UTF-16 LE text between DLE units; the DLE and the unit after it are dropped.
QList<QByteArrayView> splitAtDleUnits(QByteArrayView bytes)
{
    QList<QByteArrayView> pieces;
    qsizetype start = 0;
    for (qsizetype dle = nextDleUnit(bytes, 0); dle >= 0; dle = nextDleUnit(bytes, start)) {
        pieces.append(bytes.sliced(start, dle - start));
        start = std::min(dle + 4, bytes.size());
    }
    pieces.append(bytes.sliced(start, (bytes.size() - start) / 2 * 2));
    return pieces;
}

} // namespace

DocumentBuilder::DocumentBuilder(const DatabasePaths& paths, const QString& name,
                                 const QStringList& patterns, UserInterface& ui, TaskProgress& task)
    : m_paths(paths), m_name(name), m_patterns(patterns), m_ui(ui), m_task(task), m_pacer(task)
{
    for (const Family family : kFamilies)
        m_documents[int(family)] = std::make_unique<DocumentStream>(paths.document(name, family));
    for (const QString& line : textlines::read(paths.exclusionList())) {
        if (!line.trimmed().isEmpty())
            m_exclusions.append(line.trimmed().toLower());
    }
}

QString DocumentBuilder::pathOfLine(const QString& line) const
{
    return line.contains(QStringLiteral("PFAD_UND_ENDUNGEN=")) ? QString() : line;
}

std::optional<qint64> DocumentBuilder::selectedSize(const QString& path) const
{
    if (path.isEmpty())
        return std::nullopt;
    const QString lower = path.toLower();
    for (const QString& excluded : m_exclusions) {
        if (lower.contains(excluded))
            return std::nullopt;
    }
    const QString pattern = drivelist::entryPattern(path.mid(path.lastIndexOf(u'\\') + 1));
    const bool matches = std::any_of(m_patterns.begin(), m_patterns.end(), [&](const QString& p) {
        return !p.isEmpty() && pattern.contains(p);
    });
    if (!matches)
        return std::nullopt;
    // Only regular files that can be opened: a pipe or a device is never read.
    return platform::openableFileSize(path);
}

bool DocumentBuilder::selectedNormal(const QString& path, const QStringList& largeLower) const
{
    if (!m_selectedSizes.contains(path))
        return false;
    const QString lower = path.toLower();
    return std::none_of(largeLower.begin(), largeLower.end(),
                        [&](const QString& large) { return lower.contains(large); });
}

void DocumentBuilder::progress(EncodingClass cls, const QString& path)
{
    static const char* const kKinds[] = {
        "   Ansi-Datei:  ", "   UTF8-Datei:  ", "   Unicode-Datei:  "};
    m_task.caption(QString::number(m_processedCount) + QLatin1String(kKinds[int(familyOf(cls))]) +
                   path);
}

Status DocumentBuilder::build()
{
    m_largeFiles.clear();
    m_selectedSizes.clear();
    m_processedCount = m_neededSize = m_totalSize = 0;
    m_endedEarly = true;
    if (!platform::exists(m_paths.descriptor(m_name))) {
        m_endedEarly = false;
        return {};
    }
    m_lines = textlines::read(m_paths.descriptor(m_name));
    if (!m_lines.isEmpty()) {
        if (const auto header = descriptor::parseHeader(m_lines.first()); header.ok())
            m_sourceFolder = header->sourceFolder;
    }

    if (!estimate())
        return writeFinalDocuments();
    if (!sizeAllowsIndexing()) {
        m_pathListOnly = true;
        return {};
    }
    if (Status read = readLargeFiles(); !read || m_pacer.cancelled())
        return read ? writeFinalDocuments() : read;
    if (Status read = readNormalFiles(); !read || m_pacer.cancelled())
        return read ? writeFinalDocuments() : read;
    if (Status written = writeFinalDocuments(); !written)
        return written;
    m_endedEarly = false;
    m_neededSize = 0;
    return {};
}

bool DocumentBuilder::estimate()
{
    // The open test of each file is the slow part: the second half of the list is tested
    // on a worker thread while this one tests the first.
    const qsizetype half = m_lines.size() / 2;
    std::vector<std::optional<qint64>> secondHalf(std::size_t(m_lines.size() - half));
    std::atomic<bool> stop = false;
    std::future<void> tested = std::async(std::launch::async, [&] {
        for (qsizetype i = half; i < m_lines.size() && !stop; ++i)
            secondHalf[std::size_t(i - half)] = selectedSize(pathOfLine(m_lines[i]));
    });
    const auto cancelled = [&] {
        if (!m_pacer.tick())
            return false;
        stop = true;
        return true;
    };
    for (qsizetype i = 0; i < m_lines.size(); ++i) {
        if (cancelled())
            return false;
        if (i == half)
            awaitAsking(m_task, tested);
        const QString path = pathOfLine(m_lines[i]);
        const std::optional<qint64> size =
            i < half ? selectedSize(path) : secondHalf[std::size_t(i - half)];
        if (!size)
            continue;
        m_selectedSizes.insert(path, *size);
        m_neededSize += *size;
        m_task.caption(QStringLiteral("Speicherbedarf wird ermittelt: ") +
                       ConvertBytes(m_neededSize));
    }
    return true;
}

bool DocumentBuilder::sizeAllowsIndexing()
{
    if (m_neededSize <= kSizeLimit)
        return true;
    const QString amount = QStringLiteral("Es befinden sich insgesamt ") +
                           ConvertBytes(m_neededSize) + QStringLiteral(" an Daten auf \"") +
                           m_sourceFolder + u'"';
    const QChar drive = m_sourceFolder.isEmpty() ? QChar(u'?') : m_sourceFolder[0];
    const std::optional<qint64> freeGiB = platform::freeSpaceGiB(m_sourceFolder);
    QString text;
    if (freeGiB && *freeGiB < 2) {
        text = QStringLiteral("Der freie Speicher auf Laufwerk: \"") + drive +
               QStringLiteral("\" beträgt weniger als 2 GB.\r\n") + amount +
               QStringLiteral("\r\nZum Anlegen der Datenbank ist der freie Speicher zu wenig. "
                              "Machen Sie Speicherplatz auf dem Datenträger frei!");
    } else if (m_sourceFolder.size() < 4) {
        text = amount +
               QStringLiteral(
                   "\r\nDie Datenbank würde zu groß werden! Erstellen Sie mehrere "
                   "Datenbanken von einzelnen Ordnern anstatt vom ganzen Laufwerk.\r\n\r\n"
                   "\tIndizierung ist so nicht möglich!\r\n\r\n"
                   "Die Suche funktioniert aber auch ohne Indizierung, allerdings langsamer.");
    } else {
        text = amount + QStringLiteral("\r\n\r\nDie Datenbank würde zu groß werden! Versuchen Sie "
                                       "mehrere Datenbanken von einzelnen Ordnern zu erstellen.");
    }
    m_ui.information(text);
    return false;
}

Status DocumentBuilder::readLargeFiles()
{
    for (const QString& line : m_lines) {
        const QString path = pathOfLine(line);
        // The estimate's selection stands for the later passes: each file is tested once.
        if (m_selectedSizes.contains(path)) {
            const qint64 size = m_selectedSizes.value(path);
            if (size > kSplitThreshold) {
                m_totalSize += size;
                m_largeFiles.append(path);
                ++m_processedCount;
                m_task.caption(QStringLiteral("Nr: %1   ").arg(m_processedCount) +
                               ConvertBytes(size) +
                               QStringLiteral(" große Datei wird gesplittet: ") + path);
                if (Status read = readLargeFile(path, size); !read)
                    return read;
            }
        }
        if (m_pacer.tick())
            return {};
    }
    return {};
}

Status DocumentBuilder::readNormalFiles()
{
    QStringList largeLower;
    for (const QString& large : m_largeFiles)
        largeLower.append(large.toLower());
    QStringList paths;
    for (qsizetype i = 1; i < m_lines.size(); ++i) {
        const QString path = pathOfLine(m_lines[i]);
        if (selectedNormal(path, largeLower))
            paths.append(path);
    }
    ReadAhead files(paths);
    for (auto file = files.next(); file; file = files.next()) {
        if (m_pacer.tick())
            return {};
        if (Status read = readFile(*file); !read)
            return read;
        files.recycle(std::move(file));
    }
    return {};
}

Status DocumentBuilder::startSection(Family family, const QString& path, const QString& rule)
{
    ClassBuffer& buffer = m_buffers[int(family)];
    if (buffer.chars >= kPartThreshold) {
        if (Status written = writePart(family); !written)
            return written;
    }
    for (const QString& line :
         {QStringLiteral(" "), QStringLiteral(" "), QStringLiteral(" "), u'#' + path, rule})
        appendText(family, line);
    return {};
}

QString DocumentBuilder::ruleFor(const QString& path, qsizetype shorter)
{
    return QString(std::max<qsizetype>(0, path.size() - shorter), u'=');
}

void DocumentBuilder::appendItem(Family family, QByteArrayView item, qint64 chars)
{
    ClassBuffer& buffer = m_buffers[int(family)];
    buffer.bytes.append(item);
    buffer.bytes.append(lineBreak(family));
    buffer.chars += chars + 2;
}

void DocumentBuilder::appendText(Family family, const QString& text)
{
    switch (family) {
    case Family::Ansi: appendItem(family, cp1252::encode(text), text.size()); break;
    case Family::Utf8: {
        const QByteArray bytes = text.toUtf8(); // one character per byte, as the document counts
        appendItem(family, bytes, bytes.size());
        break;
    }
    case Family::Unicode: appendItem(family, utf16LE(text), text.size()); break;
    }
}

void DocumentBuilder::appendPiece(Family family, QByteArrayView piece, Utf8Repair& repair)
{
    if (piece.isEmpty())
        return;
    switch (family) {
    case Family::Ansi: appendItem(family, piece, piece.size()); break;
    case Family::Utf8: {
        ClassBuffer& buffer = m_buffers[int(family)];
        repair.feedInto(piece, true, buffer.bytes);
        buffer.bytes.append(lineBreak(family));
        buffer.chars += piece.size() + 2;
        break;
    }
    case Family::Unicode: appendItem(family, piece, piece.size() / 2); break;
    }
}

Status DocumentBuilder::readFile(const ReadAhead::File& file)
{
    // Taken away since the open test: skipped like a file that cannot be opened.
    if (!file.readable)
        return {};
    const QString& path = file.path;
    const QByteArrayView content(file.bytes);
    const ClassDecision& decision = file.decision;
    m_totalSize += content.size();
    ++m_processedCount;
    const EncodingClass cls = decision.encodingClass();
    if (cls == EncodingClass::None)
        return {};
    const Family family = familyOf(cls);

    if (decision.kind == BomKind::Utf16BE) {
        QByteArray text = content.sliced(2).toByteArray();
        swapBytePairs(text);
        text.truncate(text.size() / 2 * 2);
        if (Status started = startSection(family, path, ruleFor(path, 0)); !started)
            return started;
        progress(cls, path);
        appendItem(family, text, text.size() / 2);
        return {};
    }
    if (family == Family::Unicode && decision.kind != BomKind::Utf16LE) {
        // UTF-16 LE text without byte-order mark: taken as such.
        if (content.isEmpty())
            return {};
        if (Status started = startSection(family, path, ruleFor(path, 10)); !started)
            return started;
        Utf8Repair repair;
        for (const QByteArrayView piece : splitAtDleUnits(content)) {
            progress(cls, path);
            appendPiece(family, piece, repair);
        }
        return {};
    }
    return appendDlePieces(family, cls, path, content);
}

Status DocumentBuilder::appendDlePieces(Family family, EncodingClass cls, const QString& path,
                                        QByteArrayView content)
{
    // The text as pieces between DLE characters; the character after each DLE is dropped
    // with it. A file starting with FF FE (and longer than the mark) is read as 16-bit
    // units after the mark, one holding just the mark gives no text.
    const bool wide =
        content.size() >= 3 && quint8(content[0]) == 0xFF && quint8(content[1]) == 0xFE;
    const bool markOnly = family == Family::Unicode && !wide;
    const int unit = wide ? 2 : 1;
    Utf8Repair repair;
    qsizetype pos = 0;
    bool first = true;
    while (pos < content.size()) {
        QByteArrayView piece;
        if (markOnly) {
            pos = content.size();
        } else {
            if (wide && pos == 0)
                pos = 2;
            const qsizetype end = wide ? nextDleUnit(content, pos) : nextDleByte(content, pos);
            const qsizetype stop = end < 0 ? pos + (content.size() - pos) / unit * unit : end;
            piece = content.sliced(pos, stop - pos);
            pos = end < 0 ? content.size() : std::min(end + 2 * unit, content.size());
        }
        if (first) {
            if (Status started = startSection(family, path, ruleFor(path, 10)); !started)
                return started;
        }
        first = false;
        progress(cls, path);
        appendPiece(family, piece, repair);
    }
    return {};
}

bool DocumentBuilder::readPiece(QFile& source)
{
    m_fileBytes.resize(kPieceSize);
    const qint64 got = source.read(m_fileBytes.data(), kPieceSize);
    m_fileBytes.resize(std::max<qint64>(got, 0));
    return got > 0;
}

Status DocumentBuilder::readLargeFile(const QString& path, qint64 size)
{
    m_partsWritten = true;
    QFile source(platform::nativePath(path));
    if (!source.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
        return {};
    const qint64 pieces = (size + kPieceSize - 1) / kPieceSize;
    readPiece(source);
    const ClassDecision decision = decideClass(path, m_fileBytes);
    const EncodingClass cls = decision.encodingClass();
    if (cls == EncodingClass::None)
        return {};
    const Family family = familyOf(cls);
    const bool bigEndian = decision.kind == BomKind::Utf16BE;
    Utf8Repair repair;

    // The first piece starts a part of its own, behind the section's header, and is
    // followed by a line break; the later pieces follow as they are.
    ClassBuffer header;
    std::swap(header, m_buffers[int(family)]);
    const QString sizeLine =
        QStringLiteral("Size: ") + ConvertBytes(size) + u' ' + ruleFor(path, 20);
    for (const QString& line : {QStringLiteral(" "), QStringLiteral(" "), u'#' + path, sizeLine})
        appendText(family, line);
    std::swap(header, m_buffers[int(family)]);
    DocumentStream& document = *m_documents[int(family)];
    if (Status written = document.appendPart(markOf(family), header.bytes); !written)
        return written;

    for (qint64 piece = 1; piece <= pieces; ++piece) {
        // The file is read whole; a cancel seen meanwhile ends the pass after it.
        m_pacer.pollNow();
        if (piece > 1 && !readPiece(source))
            continue;
        if (bigEndian)
            swapBytePairs(m_fileBytes);
        QByteArrayView text(m_fileBytes);
        const bool marked = decision.kind == BomKind::Utf16LE || bigEndian;
        if (piece == 1 && family == Family::Unicode && marked)
            text = text.sliced(std::min<qsizetype>(2, text.size()));
        if (family == Family::Utf8) {
            // Repaired where needed; a sequence cut at a piece edge is completed.
            m_repaired.resize(0);
            repair.feedInto(text, false, m_repaired);
            text = m_repaired;
        }
        if (Status written = document.append(text); !written)
            return written;
        if (piece == 1) {
            if (Status written = document.append(lineBreak(family)); !written)
                return written;
        }
    }
    // A sequence still open at the end (also of a file that shrank meanwhile) is not lost.
    m_repaired.resize(0);
    repair.feedInto({}, true, m_repaired);
    return document.append(m_repaired);
}

Status DocumentBuilder::writePart(Family family)
{
    ClassBuffer& buffer = m_buffers[int(family)];
    if (Status written = m_documents[int(family)]->appendPart(markOf(family), buffer.bytes);
        !written)
        return written;
    m_partsWritten = true;
    buffer.bytes.resize(0); // keeps its memory for the next part
    buffer.chars = 0;
    return {};
}

Status DocumentBuilder::writeFinalDocuments()
{
    // Every document gets its last part, an empty one too: the Unicode one its mark.
    for (const Family family : kFamilies) {
        ClassBuffer& buffer = m_buffers[int(family)];
        if (Status written = m_documents[int(family)]->appendPart(markOf(family), buffer.bytes);
            !written)
            return written;
        buffer = ClassBuffer();
    }
    return {};
}

Status DocumentBuilder::completeDocuments()
{
    if (m_partsWritten)
        m_task.status(QStringLiteral("Aufgeteilte Dateien werden zusammengefügt!"));
    for (const auto& document : m_documents) {
        if (Status closed = document->close(); !closed)
            return closed;
    }
    return {};
}

Status DocumentBuilder::forceDocumentsToDisk() const
{
    for (const auto& document : m_documents) {
        if (Status forced = document->forceToDisk(); !forced)
            return forced;
    }
    return {};
}
