#pragma once

#include <QString>
#include <QUrl>

// The file URL a browser opens for a program path (D:\Texte\Brief.txt): the native file
// of the mapped drive, so blanks, "#" and umlauts survive percent-encoding. A path without
// a mapped drive keeps its program form behind "file:///" and simply points nowhere.
QUrl fileUrl(const QString& programPath);

// The URL as it goes into a page or onto a command line: fully percent-encoded.
QString fileUrlText(const QString& programPath);
