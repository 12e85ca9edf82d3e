#include "store/EncodingDetection.h"

#include "platform/FileFacts.h"
#include "platform/MappedFile.h"
#include "store/LenientUtf8Check.h"
#include "store/Utf16Statistics.h"
#include "store/Utf8.h"
#include "store/Windows1252.h"

#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstring>
#include <functional>

namespace {

const unsigned char* asBytes(QByteArrayView view)
{
    return reinterpret_cast<const unsigned char*>(view.data());
}

Status openMapped(MappedFile& file, const QString& programPath)
{
    const QString native = platform::nativePath(programPath);
    if (native.isEmpty())
        return Status::failure(
            QStringLiteral("Das Laufwerk von %1 ist nicht zugeordnet.").arg(programPath));
    return file.open(native);
}

} // namespace

QString bomKindText(BomKind kind)
{
    switch (kind) {
    case BomKind::Utf8: return QStringLiteral("UTF8");
    case BomKind::Utf16BE: return QStringLiteral("UTF16 - BigEndian");
    case BomKind::Utf16LE: return QStringLiteral("UTF16 - LittleEndian");
    case BomKind::Utf32BE: return QStringLiteral("UTF32 - BigEndian");
    case BomKind::Utf32LE: return QStringLiteral("UTF32 - LittleEndian");
    case BomKind::Rtf: return QStringLiteral("RTF");
    case BomKind::None: break;
    }
    return QStringLiteral("kein Unicode");
}

BomKind bomKindOf(QByteArrayView firstBytes)
{
    std::array<unsigned char, 4> b{0x20, 0x20, 0x20, 0x20};
    if (!firstBytes.isEmpty())
        std::memcpy(b.data(), firstBytes.data(), std::min<std::size_t>(4, firstBytes.size()));
    auto starts = [&b](std::initializer_list<unsigned char> prefix) {
        return std::equal(prefix.begin(), prefix.end(), b.begin());
    };
    // UTF-32 LE before UTF-16 LE: FF FE 00 00 is never UTF-16.
    if (starts({0xEF, 0xBB, 0xBF}))
        return BomKind::Utf8;
    if (starts({0x00, 0x00, 0xFE, 0xFF}))
        return BomKind::Utf32BE;
    if (starts({0xFF, 0xFE, 0x00, 0x00}))
        return BomKind::Utf32LE;
    if (starts({0xFE, 0xFF}))
        return BomKind::Utf16BE;
    if (starts({0xFF, 0xFE}))
        return BomKind::Utf16LE;
    if (starts({0x7B, 0x5C, 0x72}))
        return BomKind::Rtf;
    return BomKind::None;
}

Result<BomKind> checkByteOrderMark(const QString& programPath)
{
    MappedFile file;
    if (Status opened = openMapped(file, programPath); !opened)
        return Result<BomKind>::failure(opened.error());
    const qint64 length = std::min<qint64>(4, file.size());
    const unsigned char* view = file.map(0, length);
    if (length > 0 && !view)
        return Result<BomKind>::failure(
            QStringLiteral("Die Datei %1 kann nicht gelesen werden.").arg(programPath));
    return bomKindOf(QByteArrayView(view, length));
}

bool EnthaeltPfadDateinameAsiaZeichen(const QString& path)
{
    return !cp1252::canEncode(path);
}

QString encodingClassText(EncodingClass cls)
{
    switch (cls) {
    case EncodingClass::Ansi: return QStringLiteral("Ansi");
    case EncodingClass::Utf8: return QStringLiteral("UTF8");
    case EncodingClass::Unicode: return QStringLiteral("Unicode");
    case EncodingClass::None: break;
    }
    return QStringLiteral("-");
}

EncodingClass ClassFlags::encodingClass() const
{
    if (utf8)
        return EncodingClass::Utf8;
    if (ansi)
        return EncodingClass::Ansi;
    if (unicodeLE || unicodeBE)
        return EncodingClass::Unicode;
    return EncodingClass::None;
}

void sniffAnsiUtf8(QByteArrayView firstBytes, ClassFlags& flags)
{
    const QByteArrayView head = firstBytes.first(std::min(firstBytes.size(), kSniffBytes));
    if (utf8::validateStrict(asBytes(head), head.size()) != utf8::StrictResult::Invalid)
        flags.utf8 = true;
    else
        flags.ansi = true;
    // Windows-1252 ä ö ü ß Ä Ö Ü; all above ASCII, so ASCII runs are skipped whole.
    static constexpr std::array<unsigned char, 7> kUmlauts = {0xE4, 0xF6, 0xFC, 0xDF,
                                                              0xC4, 0xD6, 0xDC};
    const unsigned char* bytes = asBytes(head);
    const std::size_t count = std::size_t(head.size());
    for (std::size_t i = utf8::skipAscii(bytes, 0, count); i < count;
         i = utf8::skipAscii(bytes, i + 1, count)) {
        if (std::find(kUmlauts.begin(), kUmlauts.end(), bytes[i]) != kUmlauts.end()) {
            flags.ansi = true;
            break;
        }
    }
}

namespace {

// The class decision once the byte-order mark, the first bytes and the two whole-file
// tests are known.
ClassDecision decideFrom(const QString& path, BomKind kind, QByteArrayView sniffBytes,
                         const std::function<bool()>& wholeFileUtf8,
                         const std::function<bool()>& wholeFileUtf16)
{
    ClassDecision decision;
    decision.kind = kind;
    ClassFlags& flags = decision.flags;
    switch (kind) {
    case BomKind::Utf8: flags.utf8 = true; break;
    case BomKind::Utf16BE: flags.unicodeBE = true; break;
    case BomKind::Utf16LE: flags.unicodeLE = true; break;
    case BomKind::Rtf: flags.rtf = true; break;
    case BomKind::None: flags.ansi = true; break;
    case BomKind::Utf32BE:
    case BomKind::Utf32LE: break;
    }
    QStringList& reasons = decision.reasons;
    if (kind != BomKind::None) {
        reasons.append(QStringLiteral("Byte-Order-Mark am Anfang: ") + bomKindText(kind));
        return decision;
    }
    reasons.append(QStringLiteral("kein Byte-Order-Mark"));

    flags.utf8 = false;
    flags.ansi = false;
    if (EnthaeltPfadDateinameAsiaZeichen(path)) {
        flags.utf8 = true;
        reasons.append(QStringLiteral("Pfad oder Dateiname mit asiatischen Zeichen: UTF-8"));
    } else {
        sniffAnsiUtf8(sniffBytes, flags);
        const QString verdict = !flags.utf8  ? QStringLiteral("kein gültiges UTF-8: Ansi")
                                : flags.ansi ? QStringLiteral("gültiges UTF-8 mit einem Byte von "
                                                              "ä ö ü ß Ä Ö Ü in Windows-1252")
                                             : QStringLiteral("gültiges UTF-8");
        reasons.append(QStringLiteral("die ersten %1 Bytes: %2")
                           .arg(std::min<qsizetype>(sniffBytes.size(), kSniffBytes))
                           .arg(verdict));
    }
    if (wholeFileUtf8()) {
        flags.utf8 = true;
        flags.ansi = flags.unicodeLE = flags.unicodeBE = false;
        reasons.append(QStringLiteral("die ganze Datei besteht den nachsichtigen UTF-8-Test"));
    } else {
        reasons.append(QStringLiteral("die ganze Datei besteht den nachsichtigen UTF-8-Test "
                                      "nicht (kein Byte ab 128 oder eine unvollständige Folge)"));
    }
    if (wholeFileUtf16()) {
        flags.unicodeLE = true;
        flags.utf8 = flags.ansi = flags.unicodeBE = false;
        reasons.append(
            QStringLiteral("die UTF-16-Statistik erkennt UTF-16 LE ohne Byte-Order-Mark"));
    }
    if (flags.utf8 && flags.ansi)
        flags.ansi = false;
    return decision;
}

} // namespace

ClassDecision decideClass(const QString& path, QByteArrayView content)
{
    const BomKind kind = bomKindOf(content.first(std::min<qsizetype>(4, content.size())));
    return decideFrom(
        path, kind, content,
        [&] { return utf8::isWholeFileUtf8(asBytes(content), content.size()); },
        [&] { return looksLikeUtf16LE(asBytes(content), content.size()); });
}

Result<ClassDecision> decideClassOfFile(const QString& programPath)
{
    using R = Result<ClassDecision>;
    // Only regular files: opening a pipe or a device named *.txt could wait forever.
    if (const QString why = platform::whyNoRegularFile(programPath); !why.isEmpty())
        return R::failure(QStringLiteral("Die Datei %1 %2").arg(programPath, why));
    QFile file(platform::nativePath(programPath));
    if (!file.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
        return R::failure(QStringLiteral("Die Datei %1 kann nicht gelesen werden: %2")
                              .arg(programPath, platform::errorCause(errno)));

    // One pass in pieces through one buffer: the first bytes for the mark and the sniff,
    // every byte for the two whole-file tests.
    LenientUtf8Check utf8Check(
        std::min<qint64>(LenientUtf8Check::kPieceSize, std::max<qint64>(file.size(), 1)));
    Utf16Statistics utf16;
    QByteArray head;
    for (;;) {
        const qint64 got = file.read(reinterpret_cast<char*>(utf8Check.pieceBuffer()),
                                     qint64(utf8Check.pieceCapacity()));
        if (got < 0)
            return R::failure(file.errorString());
        if (got == 0)
            break;
        if (head.size() < kSniffBytes) {
            head.append(reinterpret_cast<const char*>(utf8Check.pieceBuffer()),
                        std::min<qint64>(got, kSniffBytes - head.size()));
            if (bomKindOf(head) != BomKind::None && head.size() >= 4)
                break; // a marked file needs no more
        }
        utf16.feed(utf8Check.pieceBuffer(), std::size_t(got));
        utf8Check.checkPiece(std::size_t(got));
    }
    return decideFrom(
        programPath, bomKindOf(head), head, [&] { return utf8Check.finish(); },
        [&] { return utf16.looksLikeUtf16LE(); });
}

Result<ClassDecision> decideSearchClassOfFile(const QString& programPath)
{
    using R = Result<ClassDecision>;
    const QString native = platform::nativePath(programPath);
    if (native.isEmpty() || !QFileInfo(native).isFile())
        return R::failure(QStringLiteral("Die Datei %1 gibt es nicht.").arg(programPath));
    QFile file(native);
    if (!file.open(QIODevice::ReadOnly))
        return R::failure(file.errorString());
    const QByteArray head = file.read(kSearchTestBytes);
    return decideFrom(
        programPath, bomKindOf(head), head,
        [&] { return utf8::isWholeFileUtf8(asBytes(head), std::size_t(head.size())); },
        [] { return false; });
}
