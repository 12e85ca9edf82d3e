#include "lists/ListEntries.h"

namespace sortlist {

int sectionOf(QChar first)
{
    const char16_t c = first.unicode();
    if ((c >= u'A' && c <= u'F') || (c >= u'a' && c <= u'f') || c == u'Ä' || c == u'ä')
        return 1;
    if ((c >= u'G' && c <= u'L') || (c >= u'g' && c <= u'l'))
        return 2;
    if ((c >= u'M' && c <= u'R') || (c >= u'm' && c <= u'r') || c == u'Ö' || c == u'ö')
        return 3;
    if ((c >= u'S' && c <= u'Z') || (c >= u's' && c <= u'z') || c == u'Ü' || c == u'ü')
        return 4;
    return 5;
}

bool isHeaderLine(QStringView line)
{
    return line.size() >= 4 && line[0] == u'#' && line[2] == u':' && line[3] == u'\\';
}

bool LineSplitter::dropsLine(QStringView line) const
{
    // One pass over the line, counting the length of the current run of one character.
    const bool words = m_mode == SortMode::Words;
    char16_t previous = 0;
    int run = 0;
    for (const QChar ch : line) {
        const char16_t c = ch.unicode();
        run = c == previous ? run + 1 : 1;
        previous = c;
        if (run >= 4 && (c == u'-' || c == u'_' || c == u'*'))
            return true;
        if (words && run >= 2 && c == u'?')
            return true;
    }
    return false;
}

bool LineSplitter::dropsPhrase(QStringView phrase)
{
    return !phrase.contains(u' ') || phrase.contains(u"---") || phrase.contains(u"––––") ||
           phrase.contains(u" --            --          --");
}

QStringView LineSplitter::withoutQuotePrefix(QStringView phrase)
{
    // Twice at most: a phrase inside two pairs of apostrophes loses two leading characters.
    for (int pass = 0; pass < 2 && phrase.contains(u"''"); ++pass)
        phrase = trimmedBlanksAndControls(phrase.sliced(1));
    return phrase;
}

} // namespace sortlist
