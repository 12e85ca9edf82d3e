// The descriptor <name>.dat (header line and path lines) and the list of databases.
//
// The input is the descriptor's bytes. The header is taken apart from memory and from the
// file, and both must agree; the path lines are read as the builder reads them; the
// file-name search walks the file and must hand over exactly the lines that hold an
// occurrence. The tail of the input also names files in a Datenbank folder, which the
// catalogue must list (sorted, *_mht.dat left out) with a selection inside the list.

#include "indexer/ExtensionPatterns.h"
#include "indexer/TextLines.h"
#include "search/FileNameSearch.h"
#include "store/Catalogue.h"
#include "store/DatabasePaths.h"
#include "store/Descriptor.h"
#include "support/FuzzSupport.h"

#include <QDir>
#include <QFile>

#include <fuzzer/FuzzedDataProvider.h>

#include <map>
#include <set>

using fuzz::expect;
using fuzz::shown;

namespace {

void checkHeader(const QString& line)
{
    const Result<descriptor::Header> header = descriptor::parseHeader(line);
    if (!header) {
        expect(!line.contains(QStringLiteral("PFAD_UND_ENDUNGEN=")) || !header.error().isEmpty(),
               "a refused header without a message");
        return;
    }
    const descriptor::Header& h = header.value();
    expect(!h.sourceFolder.isEmpty(), "empty folder accepted: " + shown(line));
    expect(h.sourceFolder == h.sourceFolder.trimmed(), "folder not trimmed: " + shown(line));
    expect(!h.sourceFolder.contains(QStringLiteral("*.")),
           "folder holds a pattern: " + shown(line));
    expect(h.driveLetter == h.sourceFolder[0], "drive letter is not the folder's first character");
    expect(h.extensionPart.isEmpty() || h.extensionPart.startsWith(QStringLiteral("*.")),
           "extension part does not start with a pattern: " + shown(line));

    // The folder and the patterns written again read back as the same folder.
    const QStringList patterns = extensions::patternsOf(extensions::parseField(h.extensionPart));
    const QString written = descriptor::formatHeader(h.sourceFolder, patterns);
    const Result<descriptor::Header> again = descriptor::parseHeader(written);
    expect(again.ok() && again.value().sourceFolder == h.sourceFolder,
           "header does not survive writing: " + shown(written));
    for (const QString& pattern : patterns)
        expect(pattern.isEmpty() || pattern.startsWith(QStringLiteral("*.")),
               "slot pattern without *.: " + shown(pattern));
}

// The first line as a line reader sees it: up to the first LF, at most 65535 bytes, line
// ends removed.
QByteArray firstLine(const QByteArray& bytes)
{
    qsizetype end = bytes.indexOf('\n');
    end = end < 0 ? bytes.size() : end + 1;
    QByteArray line = bytes.left(std::min<qsizetype>(end, (1 << 16) - 1));
    while (line.endsWith('\n') || line.endsWith('\r'))
        line.chop(1);
    return line;
}

void checkDescriptorFile(const QByteArray& bytes, const QString& searchText)
{
    const QString path = fuzz::writeFile(QStringLiteral("Datenbank/fuzz.dat"), bytes);

    const Result<descriptor::Header> fromFile = descriptor::readHeader(path);
    const Result<descriptor::Header> fromLine =
        descriptor::parseHeader(QString::fromUtf8(firstLine(bytes)));
    expect(fromFile.ok() == fromLine.ok(), "file and line header disagree on acceptance");
    if (fromFile.ok()) {
        expect(fromFile.value().sourceFolder == fromLine.value().sourceFolder &&
                   fromFile.value().extensionPart == fromLine.value().extensionPart,
               "file and line header disagree");
    }

    // Path lines: one per LF, none holding a line end; a CR before the line end that is not
    // part of it stays.
    const QStringList lines = textlines::read(path);
    for (const QString& line : lines)
        expect(!line.contains(u'\n'), "a line keeps its line feed");
    const qsizetype lfs = bytes.count('\n');
    const bool openLast = !bytes.isEmpty() && !bytes.endsWith('\n');
    // A lone byte-order mark before nothing reads as an empty text.
    const bool onlyMark = bytes == QByteArray("\xEF\xBB\xBF");
    expect(onlyMark || lines.size() == lfs + (openLast ? 1 : 0),
           "line count " + std::to_string(lines.size()) + " for " + std::to_string(lfs) +
               " line feeds");

    // The file-name search hands over each line holding an occurrence, once, in order.
    if (searchText.isEmpty())
        return;
    std::vector<qint64> lineStarts; // byte offset of every line (LF-terminated)
    for (qsizetype at = 0; at < bytes.size();) {
        lineStarts.push_back(at);
        const qsizetype lf = bytes.indexOf('\n', at);
        at = lf < 0 ? bytes.size() : lf + 1;
    }
    auto lineOf = [&](qint64 offset) {
        return qsizetype(std::upper_bound(lineStarts.begin(), lineStarts.end(), offset) -
                         lineStarts.begin()) -
               1;
    };
    std::set<qsizetype> expectedLines;
    (void)HitCounter().visit(path, DocumentPattern::forFileList(searchText),
                             [&](qint64 offset) { expectedLines.insert(lineOf(offset)); });
    std::vector<qsizetype> handed;
    (void)searchFileNames(HitCounter(), path, searchText, [&](qint64 offset, const QString& line) {
        const qsizetype index = lineOf(offset);
        expect(index >= 0, "occurrence before the first line");
        QByteArray raw =
            bytes.mid(lineStarts[std::size_t(index)], (std::size_t(index) + 1 < lineStarts.size()
                                                           ? lineStarts[std::size_t(index) + 1]
                                                           : bytes.size()) -
                                                          lineStarts[std::size_t(index)]);
        if (raw.endsWith('\n'))
            raw.chop(1);
        if (raw.endsWith('\r'))
            raw.chop(1);
        expect(line == QString::fromUtf8(raw),
               "handed line " + shown(line) + " is not line " + std::to_string(index));
        expect(handed.empty() || handed.back() < index, "a line handed twice or out of order");
        handed.push_back(index);
    });
    expect(std::set<qsizetype>(handed.begin(), handed.end()) == expectedLines,
           "file-name search left out a line with an occurrence");
}

bool usableFileName(const QString& name)
{
    return !name.isEmpty() && name.size() < 120 && name != u"." && name != u".." &&
           !name.contains(u'/') && !name.contains(QChar(0)) && name.toUtf8().size() < 200;
}

void checkCatalogue(const QStringList& fileNames, bool updateMode, const QString& stored,
                    const QString& newName)
{
    const QString folder = fuzz::scratchNative() + QStringLiteral("/Cat/Datenbank");
    QDir(folder).removeRecursively();
    QDir().mkpath(folder);
    std::set<QString> created;
    for (const QString& name : fileNames) {
        if (!usableFileName(name))
            continue;
        QFile file(folder + u'/' + name);
        if (file.open(QIODevice::WriteOnly))
            created.insert(QFileInfo(file).fileName());
    }
    const QStringList onDisk = QDir(folder).entryList(QDir::Files | QDir::Hidden);

    const DatabasePaths paths(QStringLiteral("D:\\Cat"));
    const catalogue::Listing listing =
        catalogue::LiesNamenDatenbanken(paths, updateMode, stored, newName);

    // Every listed name is a *.dat file of the folder that opens as "<name>.dat"; every such
    // file but *_mht.dat is listed.
    std::multiset<QString> expected;
    for (const QString& entry : onDisk) {
        if (entry.size() > 4 && entry.endsWith(QStringLiteral(".dat"), Qt::CaseInsensitive) &&
            !entry.contains(u'\\') && !entry.toLower().contains(QStringLiteral("_mht.dat")) &&
            QFileInfo::exists(folder + u'/' + entry.chopped(4) + QStringLiteral(".dat")))
            expected.insert(entry.chopped(4));
    }
    expect(std::multiset<QString>(listing.names.begin(), listing.names.end()) == expected,
           "catalogue lists other names than the folder holds");
    for (qsizetype i = 1; i < listing.names.size(); ++i) {
        const int folded = QString::compare(listing.names[i - 1].toUpper(),
                                            listing.names[i].toUpper(), Qt::CaseSensitive);
        expect(folded <= 0, "catalogue not in folder order: " + shown(listing.names[i - 1]) +
                                " before " + shown(listing.names[i]));
    }
    expect(listing.selectedIndex >= -1 && listing.selectedIndex < listing.names.size(),
           "selection outside the list");
    if (updateMode && !listing.names.isEmpty())
        expect(listing.selectedIndex >= 0, "update mode without a selection");
    if (listing.runSelectionHandler)
        expect(listing.selectedIndex >= 0 && listing.names[listing.selectedIndex].contains(newName),
               "selected name does not hold the new name");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzedDataProvider input(data, size);
    const bool updateMode = input.ConsumeBool();
    const QString searchText =
        QString::fromUtf8(fuzz::bytesOf(input.ConsumeRandomLengthString(16)));
    const QString stored = QString::fromUtf8(fuzz::bytesOf(input.ConsumeRandomLengthString(8)));
    const QString newName = QString::fromUtf8(fuzz::bytesOf(input.ConsumeRandomLengthString(16)));
    const QByteArray bytes = fuzz::bytesOf(input.ConsumeRemainingBytesAsString());

    const QString text = QString::fromUtf8(bytes);
    checkHeader(text.left(text.indexOf(u'\n')));
    checkDescriptorFile(bytes, searchText);

    // The lines of the descriptor double as file names of a Datenbank folder; few of them,
    // as every one is a file on the disk.
    QStringList names = text.split(u'\n');
    if (names.size() > 12)
        names.resize(12);
    for (QString& name : names)
        name = name.trimmed();
    checkCatalogue(names, updateMode, stored, newName);
    return 0;
}
