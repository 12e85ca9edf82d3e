#include "search/HitCount.h"

#include "platform/FileFacts.h"
#include "search/HitCounter.h"

#include <QStringList>

namespace {

// The window's load button of a document is enabled only from this size on.
constexpr qint64 kLoadableSize = 4;

QString optionLine(bool caseSensitive, bool wholeWords)
{
    if (caseSensitive && wholeWords)
        return QStringLiteral("Groß/Kleinschreibung wird beachtet. Suche nur nach ganzen Wörtern.");
    if (caseSensitive)
        return QStringLiteral("Groß/Kleinschreibung wird beachtet.");
    return QStringLiteral("Suche nur nach ganzen Wörtern");
}

} // namespace

HitCount countHits(const Database& database, const QString& text, const HitCounter& counter)
{
    HitCount count;
    for (const Family family : {Family::Unicode, Family::Utf8, Family::Ansi}) {
        const QString document = database.document(family);
        if (platform::fileSize(document).value_or(0) < kLoadableSize)
            continue;
        const HitCounter::Outcome outcome =
            counter.count(document, DocumentPattern::of(text, family));
        count.documents[std::size_t(family)] = outcome.occurrences;
        if (outcome.cancelled) {
            count.cancelled = true;
            break;
        }
    }
    return count;
}

QString hitCountMessage(const QString& text, const HitCount& count, bool caseSensitive,
                        bool wholeWords)
{
    QStringList lines = {
        u'"' + text + QStringLiteral("\" wurde in der Datenbank ") +
            QString::number(count.total()) + QStringLiteral(" mal gefunden."),
        QString(),
        QStringLiteral("In der Unicode-Datei %1 mal,").arg(count.of(Family::Unicode)),
        QStringLiteral("In der UTF8-Datei %1 mal,").arg(count.of(Family::Utf8)),
        QStringLiteral("In der Ansi-Datei %1 mal.").arg(count.of(Family::Ansi)),
        QString(),
        QStringLiteral("Bei der Suche im TextViewer wurde die Groß/Kleinschreibung NICHT beachtet. "
                       "Auch NICHT die Suche nur nach ganzen Wörtern."),
        QString(),
        QStringLiteral("Möchten Sie die Suche und Anzeige im Browser starten?"),
    };
    if (caseSensitive || wholeWords)
        lines.append(optionLine(caseSensitive, wholeWords));
    lines.append(QStringLiteral("Die Suche ist etwas langsamer als hier im Textviewer, aber die "
                                "Dateien die den Suchbegriff enthalten, können im Browser "
                                "gestartet / angezeigt werden."));
    return lines.join(QStringLiteral("\r\n"));
}
