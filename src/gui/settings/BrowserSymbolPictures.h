#pragma once

#include <QImage>
#include <QString>

// The pictures of the settings window's browser symbols, JPEGs among the program's
// resources ("internet explorer" is ":/browsersymbole/internet_explorer.jpg").
namespace browsersymbolpictures {

QString resourcePath(const QString& keyword);
// The picture of a file or resource; the empty picture when it is missing or does not
// decode.
QImage pictureFrom(const QString& path);
QImage picture(const QString& keyword);
// leer_Image: the placeholder of a browser that is not installed.
QImage emptyPicture();

} // namespace browsersymbolpictures
