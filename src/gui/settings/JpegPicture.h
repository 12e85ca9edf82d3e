#pragma once

#include "common/Result.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QImage>

// A decoded picture: width * height pixels of red, green and blue, rows without gaps.
struct RgbPicture {
    int width = 0;
    int height = 0;
    QByteArray rgb;

    QImage toImage() const;
};

// Pictures larger than this are refused before any pixel is decoded: the symbols are small.
inline constexpr qint64 kMaxJpegPixels = 2048 * 2048;

// Decodes a JPEG with libjpeg from memory. Grey and CMYK pictures come out as RGB. Damaged,
// truncated or foreign data, and pictures over the size cap, give a German error text;
// libjpeg's own error handling, which ends the process, is never reached.
Result<RgbPicture> decodeJpeg(QByteArrayView bytes);
