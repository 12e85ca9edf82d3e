#pragma once

#include <QString>

// Rules of the search window's left search field.
namespace searchfield {

// File-name search mode: the trimmed text begins with "#" and has more than one character.
inline bool isFileNameSearch(const QString& field)
{
    const QString trimmed = field.trimmed();
    return trimmed.size() > 1 && trimmed.startsWith(u'#');
}

// What the file-name search looks for: the trimmed text after the "#".
inline QString fileNameText(const QString& field)
{
    return field.trimmed().mid(1);
}

// A document's load button is enabled from this size on; a smaller file has no entries.
constexpr qint64 kLoadableSize = 4;

} // namespace searchfield
