#pragma once

#include <QStringView>

// The text without the characters up to U+0020 (blanks, tabs, line ends and other control
// characters) at both ends: how list lines and settings-file values are trimmed.
inline QStringView trimmedBlanksAndControls(QStringView text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && text[begin].unicode() <= u' ')
        ++begin;
    while (end > begin && text[end - 1].unicode() <= u' ')
        --end;
    return text.sliced(begin, end - begin);
}
