#include "store/TextWriter.h"

#include "platform/FileFacts.h"
#include "store/Windows1252.h"

#include <QSaveFile>
#include <QTemporaryFile>

Status writeFailure(const QString& programPath, const QString& cause)
{
    return Status::failure(
        QStringLiteral("Die Datei %1 konnte nicht geschrieben werden: %2").arg(programPath, cause));
}

Status writeFileSafely(const QString& programPath, const QByteArray& bytes, Durability durability)
{
    const QString native = platform::nativePath(programPath);
    const auto failure = [&programPath](const QString& cause) {
        return writeFailure(programPath, cause);
    };
    if (native.isEmpty())
        return failure(QStringLiteral("Das Laufwerk ist nicht zugeordnet."));
    if (durability == Durability::NotForced) {
        QTemporaryFile file(native + QStringLiteral(".XXXXXX"));
        if (!file.open())
            return failure(file.errorString());
        if (file.write(bytes) != bytes.size() || !file.flush())
            return failure(platform::writeFailureCause(file));
        file.close();
        if (!platform::replaceFile(file.fileName(), native))
            return failure(QStringLiteral("Umbenennen fehlgeschlagen"));
        return {};
    }
    QSaveFile file(native);
    if (!file.open(QIODevice::WriteOnly))
        return failure(file.errorString());
    if (file.write(bytes) != bytes.size())
        return failure(platform::writeFailureCause(file));
    if (!file.commit())
        return failure(platform::writeFailureCause(file));
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
        for (const QChar ch : text) {
            bytes.append(char(ch.unicode() & 0xFF));
            bytes.append(char(ch.unicode() >> 8));
        }
        return bytes;
    }
    }
    Q_UNREACHABLE();
}

Status WriteToStream(const QString& text, const QString& programPath, CodePage codePage)
{
    return writeFileSafely(programPath, encodeForCodePage(text, codePage));
}
