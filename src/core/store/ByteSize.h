#pragma once

#include <QLocale>
#include <QString>

// The locale for number texts: the user's, or German where the environment sets none
// (C or POSIX), German being the language of the interface.
QLocale numberLocale();

// A byte count as a size text such as "11,83 MB": the largest unit in which the count is
// more than one, at most two decimals, no thousands separator.
QString ConvertBytes(qint64 bytes);
QString ConvertBytes(qint64 bytes, const QLocale& locale);
