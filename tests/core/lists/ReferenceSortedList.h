#pragma once

#include "lists/ListEntries.h"
#include "lists/SortListTestSupport.h"
#include "store/Family.h"
#include "store/Utf8.h"
#include "store/Windows1252.h"

#include <QByteArray>
#include <QCollator>
#include <QString>
#include <QStringList>

#include <array>
#include <functional>

// The plain way to a sorted list, for comparison: the whole document decoded at once, its
// lines taken one by one, every entry inserted at its place in its section by halving the
// search range and dropped when the collator finds it equal to one already there. Quadratic,
// and meant for small documents only.
inline QByteArray referenceSortedList(const QByteArray& document, Family family,
                                      sortlist::SortMode mode, const QCollator& collator,
                                      const std::function<bool(const QString&)>& exists)
{
    QString text;
    switch (family) {
    case Family::Ansi: text = cp1252::decode(document); break;
    case Family::Utf8: text = utf8::decode(document); break;
    case Family::Unicode:
        for (qsizetype i = 2; i + 1 < document.size(); i += 2)
            text.append(QChar(char16_t(uchar(document[i]) | uchar(document[i + 1]) << 8)));
        break;
    }
    std::array<QStringList, sortlist::kSectionCount> sections;
    const auto insert = [&](int section, QStringView entry) {
        QStringList& list = sections[section - 1];
        qsizetype low = 0;
        qsizetype high = list.size();
        while (low < high) {
            const qsizetype middle = (low + high) / 2;
            const int order = collator.compare(list[middle], entry);
            if (order == 0)
                return;
            if (order < 0)
                low = middle + 1;
            else
                high = middle;
        }
        list.insert(low, entry.toString());
    };
    sortlist::LineSplitter splitter(mode);
    QString line;
    QString previous;
    const auto takeLine = [&] {
        const QStringView trimmed = trimmedBlanksAndControls(line);
        const bool underTitle = sortlist::isHeaderLine(trimmedBlanksAndControls(previous));
        previous = line;
        if (trimmed.isEmpty() || trimmed.contains(u"=========="))
            return;
        if (underTitle && trimmed.count(u'=') == trimmed.size())
            return; // the rule under a title line
        if (!sortlist::isHeaderLine(trimmed))
            splitter.split(trimmed, insert);
        else if (exists(trimmed.sliced(1).toString()))
            insert(sortlist::kHeaderSection, trimmed);
    };
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c != u'\r' && c != u'\n') {
            line.append(c);
            continue;
        }
        if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n')
            ++i;
        takeLine();
        line.clear();
    }
    takeLine();
    if (family == Family::Utf8 && sections[5].size() == 1)
        insert(sortlist::kHeaderSection, u" ");

    QString joined;
    for (const QStringList& section : sections) {
        for (const QString& entry : section)
            joined += entry + QStringLiteral("\r\n");
    }
    return encodedDocument(joined, family);
}
