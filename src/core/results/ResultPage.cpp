#include "results/ResultPage.h"

#include "results/FileUrl.h"

using namespace Qt::StringLiterals;

namespace resultpage {

namespace {

// The search ends every context with it; it stays markup, the rest is the file's text.
const QString kContextEnd = u"<br>"_s;
const QString kTextColor = u"#000000"_s;

bool isBlankOrControl(QChar ch)
{
    return ch.unicode() <= 0x20 || ch.isSpace();
}

QString trimmed(const QString& text)
{
    qsizetype first = 0;
    qsizetype last = text.size();
    while (first < last && isBlankOrControl(text[first]))
        ++first;
    while (last > first && isBlankOrControl(text[last - 1]))
        --last;
    return text.mid(first, last - first);
}

// The text escaped, its last occurrence of the term wrapped in <b> and </b>. Case folding
// maps character by character, so the match keeps the term's length and its own letters.
QString escapedWithMark(const QString& text, const QString& term, bool matchCase)
{
    const qsizetype at = term.isEmpty() ? -1
                                        : text.lastIndexOf(term, matchCase ? Qt::CaseSensitive
                                                                           : Qt::CaseInsensitive);
    if (at < 0)
        return text.toHtmlEscaped();
    const qsizetype end = at + term.size();
    return text.left(at).toHtmlEscaped() + u"<b>"_s + text.mid(at, term.size()).toHtmlEscaped() +
           u"</b>"_s + text.mid(end).toHtmlEscaped();
}

// Text of an entry: escaped and marked, except the "<br>" the search closes it with.
QString markedText(const QString& text, const QString& term, bool matchCase)
{
    if (!text.endsWith(kContextEnd))
        return escapedWithMark(text, term, matchCase);
    return escapedWithMark(text.chopped(kContextEnd.size()), term, matchCase) + kContextEnd;
}

QString linkLine(const QString& path, const QString& context, const QString& term, bool matchCase)
{
    const QString shown = u"file:///"_s + QString(path).replace(u'\\', u'/');
    return u"<font color=\"#000000\">in: <a href=\""_s + fileUrlText(path).toHtmlEscaped() +
           u"\" target=\"_blank\">"_s + shown.toHtmlEscaped() +
           u"</a><br><font color=\"#000080\">"_s + markedText(context, term, matchCase) +
           u"<br><br>"_s;
}

QString bodyLine()
{
    return u"<body bgcolor=\"#FFFFFF\" text=\""_s + kTextColor +
           u"\" link=\"#669900\" Vlink=\"#999999\" Alink=\"#999999\" > "
           u"<font face=\"verdana, arial, helvetica\">"_s;
}

QString summaryLine(const Page& page, bool cancelled)
{
    const QString start = u"<br>Suchbegriff: <font color=\"#cc0000\">\"<u>"_s +
                          page.searchTerm.toHtmlEscaped() + u"\"</u><font color=\""_s + kTextColor;
    const QString count = QString::number(page.count);
    const QString cancelLine = cancelled ? u"Die Suche wurde abgebrochen.<br>"_s : QString();
    if (page.entries.empty())
        return start +
               (cancelled ? u"\"> wurde bisher NICHT gefunden:<br>"_s
                          : u"\"> wurde NICHT gefunden:<br>"_s) +
               cancelLine;
    const QString found =
        page.morePages || cancelled ? u"\"> wurde bisher in "_s : u"\"> wurde in "_s;
    if (page.count == 1)
        return start + found + count + u" Datei gefunden.<br>"_s + cancelLine +
               u"Es wird nur die erste Fundstelle in der Datei hier aufgelistet:<br>"_s;
    return start + found + count + u" Dateien gefunden.<br>"_s + cancelLine +
           u"Es wird jeweils nur die erste Fundstelle in der Datei hier aufgelistet:<br>"_s;
}

QString ruleLine(const QString& settings, bool withEntries)
{
    const QString rule =
        withEntries ? u"__"_s.repeated(settings.size() / 3) : u"_"_s.repeated(settings.size() / 2);
    return rule + u"<br><br>"_s;
}

QString nextPageLine(const DatabasePaths& paths, int pageNumber)
{
    const QString next = paths.tempFolder() + fileName(pageNumber + 1);
    return u"<font color=\"#000000\"><a href=\""_s + fileUrlText(next).toHtmlEscaped() +
           u"\" target=\"_blank\"><span style=\"font-family:alrial;color:black;"
           u"text-decoration:none;\">Zur nächsten Steite hier klicken</span></a><br><br><br>"_s;
}

} // namespace

QString fileName(int page)
{
    return page == 1 ? u"NB_Ergebnis.htm"_s : u"NB_Ergebnis%1.htm"_s.arg(page);
}

QString settingsLine(bool matchCase, bool wholeWords)
{
    if (matchCase && wholeWords)
        return u"Sucheinstellung: Gross/Kleinschreibung <u>beachten</u> und nur <u>ganze</u> "
               u"Wörter."_s;
    if (matchCase)
        return u"Sucheinstellung: Gross/Kleinschreibung <u>beachten</u> und Suchtext <u>auch "
               u"als Teil</u> in einem Wort/Satz finden."_s;
    if (wholeWords)
        return u"Sucheinstellung: Gross/klein <u>egal</u> und <u>nur</u> ganze Wörter."_s;
    return u"Sucheinstellung: Gross/klein <u>egal</u> und Suchtext <u>auch als Teil</u> in "
           u"einem Wort/Satz finden."_s;
}

QString hitLine(const SearchHit& hit, const QString& searchTerm, bool matchCase)
{
    const QString term = trimmed(searchTerm);
    const QString path = QString::fromUtf8(hit.path);
    const QString shownPath = trimmed(path);
    if (shownPath.isEmpty())
        return markedText(trimmed(QString::fromUtf8(hit.entry())), term, matchCase);
    // Only blanks before the path go, as the snippet keeps its own.
    const QString linked = path.mid(path.indexOf(shownPath.front()));
    return linkLine(linked, QString::fromUtf8(hit.snippet) + kContextEnd, term, matchCase);
}

QStringList lines(const Page& page, const ResultPageHeader& header, const DatabasePaths& paths)
{
    const QString settings = settingsLine(header.matchCase, header.wholeWords);
    const bool withEntries = !page.entries.empty();
    QStringList result = {
        u"<html>"_s,
        u"<Head>"_s,
        u"<Title> Nimbra-Doviruzu Suchergebnis </Title>"_s,
        u"<META http-equiv=\"Content-Type\" content=\"text/html; charset=utf-8\">"_s,
        u"</Head>"_s,
        bodyLine(),
        u"Datenbankname: \""_s + header.databaseName.toHtmlEscaped() + u"\"<br>"_s + settings +
            (withEntries ? QString() : u"<br>"_s),
        summaryLine(page, header.cancelled),
        ruleLine(settings, withEntries),
    };
    for (const SearchHit& hit : page.entries)
        result.append(hitLine(hit, page.searchTerm, header.matchCase));
    if (page.morePages)
        result.append(nextPageLine(paths, page.pageNumber));
    result << u"</font>"_s << u"</body>"_s << u"</html>"_s;
    return result;
}

QByteArray fileBytes(const QStringList& lines)
{
    QByteArray bytes;
    for (const QString& line : lines)
        bytes += line.toUtf8() + "\r\n";
    return bytes;
}

} // namespace resultpage
