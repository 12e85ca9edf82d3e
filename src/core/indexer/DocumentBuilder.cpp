#include "indexer/DocumentBuilder.h"

#include "indexer/DocumentStream.h"
#include "indexer/ReadAhead.h"
#include "indexer/SectionText.h"
#include "indexer/TextLines.h"
#include "platform/FileFacts.h"
#include "store/ByteSize.h"
#include "store/Descriptor.h"
#include "store/Utf8Repair.h"

#include <QFile>

#include <algorithm>

using namespace sectiontext;

DocumentBuilder::DocumentBuilder(const DatabasePaths& paths, const QString& name,
                                 const QStringList& patterns, UserInterface& ui, TaskProgress& task)
    : m_paths(paths), m_name(name), m_ui(ui), m_task(task), m_pacer(task),
      m_selection(patterns, paths.exclusionList())
{
    for (const Family family : kFamilies)
        m_documents[int(family)] = std::make_unique<DocumentStream>(paths.document(name, family));
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
    m_processedCount = m_totalSize = 0;
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

    if (!m_selection.estimate(m_lines, m_task, m_pacer))
        return writeFinalDocuments();
    if (!m_selection.sizeAllowsIndexing(m_sourceFolder, m_ui)) {
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
    return {};
}

Status DocumentBuilder::readLargeFiles()
{
    for (const QString& line : m_lines) {
        const QString path = DocumentSelection::pathOfLine(line);
        // The estimate's selection stands for the later passes: each file is tested once.
        if (const std::optional<qint64> size = m_selection.sizeOf(path);
            size && *size > kSplitThreshold) {
            m_totalSize += *size;
            m_largeFiles.append(path);
            ++m_processedCount;
            m_task.caption(QStringLiteral("Nr: %1   ").arg(m_processedCount) + ConvertBytes(*size) +
                           QStringLiteral(" große Datei wird gesplittet: ") + path);
            if (Status read = readLargeFile(path, *size); !read)
                return read;
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
        const QString path = DocumentSelection::pathOfLine(m_lines[i]);
        if (m_selection.selectedNormal(path, largeLower))
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
    for (const QString& line : headLines(path, rule))
        appendText(family, line);
    return {};
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
    const EncodedLine line = encodeLine(family, text);
    appendItem(family, line.bytes, line.chars);
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
        if (Status started = startSection(family, path, rule(path, 0)); !started)
            return started;
        progress(cls, path);
        appendItem(family, text, text.size() / 2);
        return {};
    }
    if (family == Family::Unicode && decision.kind != BomKind::Utf16LE) {
        // UTF-16 LE text without byte-order mark: taken as such.
        if (content.isEmpty())
            return {};
        return appendSection(family, cls, path, splitAtDleUnits(content));
    }
    return appendSection(family, cls, path, dlePieces(content, family == Family::Unicode));
}

Status DocumentBuilder::appendSection(Family family, EncodingClass cls, const QString& path,
                                      const QList<QByteArrayView>& pieces)
{
    if (pieces.isEmpty())
        return {};
    if (Status started = startSection(family, path, rule(path, 10)); !started)
        return started;
    Utf8Repair repair;
    for (const QByteArrayView piece : pieces) {
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
    for (const QString& line : largeFileHeadLines(path, size))
        appendText(family, line);
    std::swap(header, m_buffers[int(family)]);
    DocumentStream& document = *m_documents[int(family)];
    if (Status written = document.appendPart(partMark(family), header.bytes); !written)
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
    if (Status written = m_documents[int(family)]->appendPart(partMark(family), buffer.bytes);
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
        if (Status written = m_documents[int(family)]->appendPart(partMark(family), buffer.bytes);
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
