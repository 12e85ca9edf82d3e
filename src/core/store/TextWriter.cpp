#include "store/TextWriter.h"

#include "platform/FileFacts.h"
#include "platform/FileWriter.h"
#include "store/Windows1252.h"

Status writeFailure(const QString& programPath, const QString& cause)
{
    return Status::failure(
        QStringLiteral("Die Datei %1 konnte nicht geschrieben werden: %2").arg(programPath, cause));
}

Status writeFileSafely(const QString& programPath, const QByteArray& bytes, Durability durability)
{
    const QString native = platform::nativePath(programPath);
    if (native.isEmpty())
        return writeFailure(programPath, QStringLiteral("Das Laufwerk ist nicht zugeordnet."));
    const auto kind = durability == Durability::Forced
                          ? platform::FileWriter::Durability::Forced
                          : platform::FileWriter::Durability::NotForced;
    if (Status written = platform::writeWholeFile(native, bytes, kind); !written)
        return writeFailure(programPath, written.error());
    return {};
}

QByteArray encodeForCodePage(const QString& text, CodePage codePage)
{
    switch (codePage) {
    case CodePage::Ansi1252: return cp1252::encode(text);
    case CodePage::Utf8: return text.toUtf8();
    case CodePage::Utf16LE: {
        QByteArray bytes;
        bytes.reserve(2 + 2 * text.size());
        bytes.append("\xFF\xFE", 2);
        appendUtf16LE(bytes, text);
        return bytes;
    }
    }
    Q_UNREACHABLE();
}

void appendUtf16LE(QByteArray& bytes, QStringView text)
{
    for (const QChar ch : text) {
        bytes.append(char(ch.unicode() & 0xFF));
        bytes.append(char(ch.unicode() >> 8));
    }
}

QByteArray utf16LE(QStringView text)
{
    QByteArray bytes;
    bytes.reserve(2 * text.size());
    appendUtf16LE(bytes, text);
    return bytes;
}

Status WriteToStream(const QString& text, const QString& programPath, CodePage codePage)
{
    return writeFileSafely(programPath, encodeForCodePage(text, codePage));
}
