#include "settings/BrowserSymbolPictures.h"

#include "settings/JpegPicture.h"

#include <QFile>

using namespace Qt::StringLiterals;

namespace browsersymbolpictures {

namespace {

constexpr int kSymbolSize = 48;

std::optional<QImage> decodeFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() > 4 * 1024 * 1024)
        return std::nullopt;
    const Result<RgbPicture> decoded = decodeJpeg(file.readAll());
    return decoded ? std::optional<QImage>(decoded->toImage()) : std::nullopt;
}

} // namespace

QString resourcePath(const QString& keyword)
{
    return u":/browsersymbole/"_s + QString(keyword).replace(u' ', u'_') + u".jpg"_s;
}

QImage pictureFrom(const QString& path)
{
    return decodeFile(path).value_or(emptyPicture());
}

QImage picture(const QString& keyword)
{
    return pictureFrom(resourcePath(keyword));
}

// Should even the placeholder fail to decode, a light square takes its place.
QImage emptyPicture()
{
    if (std::optional<QImage> empty = decodeFile(resourcePath(u"leer"_s)))
        return *empty;
    QImage square(kSymbolSize, kSymbolSize, QImage::Format_RGB888);
    square.fill(QColor(0xF0, 0xF0, 0xF0));
    return square;
}

} // namespace browsersymbolpictures
