#pragma once

#include "common/Trim.h"
#include <QString>
#include <QStringView>

// How the lines of a document become entries of a sorted list: the three modes, the line
// and token filters, and the section an entry belongs to.
namespace sortlist {

enum class SortMode {
    Words,           // "Nur Wörter"
    Phrases,         // "Nur Sätze (Phrasen)"
    WordsAndPhrases, // "Wörter und Sätze": the words of a line, then its phrases
};

inline constexpr int kSectionCount = 6;
// Section 6 holds the header lines "#<path>" of source files that still exist.
inline constexpr int kHeaderSection = 6;

// 1: A-F, a-f, Ä, ä; 2: G-L, g-l; 3: M-R, m-r, Ö, ö; 4: S-Z, s-z, Ü, ü; 5: anything else.
int sectionOf(QChar first);

// "#" first, ":\" as second and third character after it: a source file's title line.
bool isHeaderLine(QStringView line);

// Splits trimmed, non-empty lines that are not header lines into entries. Keeps a buffer
// between lines, so one splitter serves a whole document.
class LineSplitter {
public:
    explicit LineSplitter(SortMode mode) : m_mode(mode) {}

    // Calls add(section, entry) for every entry of the line, in order.
    template <typename Add> void split(QStringView line, Add&& add);

private:
    // The line filters of the mode: "----", "____", "****"; in the words mode also "??".
    bool dropsLine(QStringView line) const;
    template <typename Add> static void addWords(QStringView line, Add& add);
    template <typename Add> static void addPhrases(QStringView line, Add& add);
    static bool dropsPhrase(QStringView phrase);
    static QStringView withoutQuotePrefix(QStringView phrase);

    SortMode m_mode;
    QString m_tabsAsBlanks;
};

// ---------------------------------------------------------------------------------------

template <typename Add> void LineSplitter::split(QStringView line, Add&& add)
{
    if (dropsLine(line))
        return;
    if (m_mode == SortMode::Phrases) {
        addPhrases(line, add);
        return;
    }
    addWords(line, add);
    if (m_mode == SortMode::WordsAndPhrases) {
        // The phrases are cut from the line whose tabs have become blanks.
        if (line.contains(u'\t')) {
            m_tabsAsBlanks = line.toString();
            m_tabsAsBlanks.replace(u'\t', u' ');
            line = m_tabsAsBlanks;
        }
        addPhrases(line, add);
    }
}

template <typename Add> void LineSplitter::addWords(QStringView line, Add& add)
{
    // Tabs count as blanks, which separate words anyway.
    const auto isSeparator = [](char16_t c) {
        return c == u' ' || c == u'\t' || c == u',' || c == u';' || c == u':';
    };
    const qsizetype size = line.size();
    qsizetype i = 0;
    while (i < size) {
        while (i < size && isSeparator(line[i].unicode()))
            ++i;
        const qsizetype start = i;
        while (i < size && !isSeparator(line[i].unicode()))
            ++i;
        const QStringView word = trimmedBlanksAndControls(line.sliced(start, i - start));
        if (word.size() < 3 || (word.size() > 100 && !word.contains(u'<')))
            continue;
        add(sectionOf(word.front()), word);
    }
}

template <typename Add> void LineSplitter::addPhrases(QStringView line, Add& add)
{
    const qsizetype size = line.size();
    qsizetype i = 0;
    while (i < size) {
        while (i < size && (line[i] == u',' || line[i] == u'.'))
            ++i;
        const qsizetype start = i;
        while (i < size && line[i] != u',' && line[i] != u'.')
            ++i;
        const QStringView token = trimmedBlanksAndControls(line.sliced(start, i - start));
        if (token.isEmpty() || dropsPhrase(token))
            continue;
        const QStringView phrase = withoutQuotePrefix(token);
        if (phrase.size() >= 4)
            add(sectionOf(phrase.front()), phrase);
    }
}

} // namespace sortlist
