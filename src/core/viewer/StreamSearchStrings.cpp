#include "viewer/StreamSearchStrings.h"

#include "platform/FileFacts.h"

#include <algorithm>

namespace streamstrings {

int posAnsi(const QByteArray& sub, const QByteArray& text, int from)
{
    if (sub.isEmpty() || text.isEmpty() || from < 1)
        return 0;
    return int(text.indexOf(sub, from - 1)) + 1;
}

int posWide(const QString& sub, const QString& text, int from)
{
    if (from < 1 || from > text.size())
        return 0;
    return int(text.indexOf(sub, from - 1)) + 1;
}

int lastPosWide(const QString& sub, const QString& text)
{
    return sub.isEmpty() ? 0 : int(text.lastIndexOf(sub)) + 1;
}

qint64 fileSizeOf(const QString& programPath)
{
    return platform::fileSize(programPath).value_or(-1);
}

bool isAscii(const QString& text)
{
    return std::all_of(text.begin(), text.end(), [](QChar c) { return c.unicode() < 128; });
}

QString ansiCharCodes(const QByteArray& text)
{
    QString codes;
    codes.reserve(text.size() * 4);
    for (const char c : text)
        codes += QStringLiteral("#$%1")
                     .arg(static_cast<unsigned char>(c), 2, 16, QLatin1Char('0'))
                     .toUpper();
    return codes;
}

} // namespace streamstrings
