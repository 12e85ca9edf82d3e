#include "settings/JpegPicture.h"

#include <csetjmp>
#include <cstddef>
#include <cstdio>
#include <cstring>
// jpeglib.h needs size_t and FILE first.
#include <jpeglib.h>

using namespace Qt::StringLiterals;

namespace {

// libjpeg reports a fatal error through error_exit, whose default ends the process. Ours
// keeps the message and jumps back to the decoding step that called libjpeg.
struct ErrorManager {
    jpeg_error_mgr pub;
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
};

extern "C" void jumpBackOnError(j_common_ptr info)
{
    auto* error = reinterpret_cast<ErrorManager*>(info->err);
    (*info->err->format_message)(info, error->message);
    std::longjmp(error->jump, 1);
}

// Warnings (corrupt data, a premature end) are counted by libjpeg, not printed.
extern "C" void keepQuiet(j_common_ptr) {}

// Everything the steps below touch lives in these plain structs, so the jump back from
// libjpeg skips no destructor; the steps hold no locals that outlive a libjpeg call.
struct Decoder {
    jpeg_decompress_struct info;
    ErrorManager error;
};

bool isCmyk(const jpeg_decompress_struct& info)
{
    return info.jpeg_color_space == JCS_CMYK || info.jpeg_color_space == JCS_YCCK;
}

bool readHeader(Decoder& d, const unsigned char* data, unsigned long size)
{
    if (setjmp(d.error.jump))
        return false;
    jpeg_mem_src(&d.info, data, size);
    jpeg_read_header(&d.info, TRUE);
    d.info.out_color_space = isCmyk(d.info) ? JCS_CMYK : JCS_RGB;
    return true;
}

// CMYK as most writers store it after an Adobe marker: inverted, so 255 means no ink.
void cmykToRgb(const unsigned char* cmyk, unsigned char* rgb, JDIMENSION width, bool inverted)
{
    for (JDIMENSION x = 0; x < width; ++x, cmyk += 4, rgb += 3) {
        const unsigned k = inverted ? cmyk[3] : 255u - cmyk[3];
        for (int c = 0; c < 3; ++c) {
            const unsigned ink = inverted ? cmyk[c] : 255u - cmyk[c];
            rgb[c] = static_cast<unsigned char>((ink * k + 127) / 255);
        }
    }
}

bool readPixels(Decoder& d, unsigned char* rgb, unsigned char* cmykRow)
{
    if (setjmp(d.error.jump))
        return false;
    jpeg_start_decompress(&d.info);
    const std::size_t stride = std::size_t(d.info.output_width) * 3;
    while (d.info.output_scanline < d.info.output_height) {
        unsigned char* target = rgb + stride * d.info.output_scanline;
        JSAMPROW row = cmykRow ? cmykRow : target;
        jpeg_read_scanlines(&d.info, &row, 1);
        if (cmykRow)
            cmykToRgb(cmykRow, target, d.info.output_width, d.info.saw_Adobe_marker);
    }
    jpeg_finish_decompress(&d.info);
    return true;
}

Result<RgbPicture> failure(const QString& reason)
{
    return Result<RgbPicture>::failure(u"Das Bild kann nicht gelesen werden: "_s + reason);
}

} // namespace

QImage RgbPicture::toImage() const
{
    QImage image(width, height, QImage::Format_RGB888);
    for (int y = 0; y < height; ++y)
        std::memcpy(image.scanLine(y), rgb.constData() + qsizetype(y) * width * 3,
                    std::size_t(width) * 3);
    return image;
}

Result<RgbPicture> decodeJpeg(QByteArrayView bytes)
{
    if (bytes.isEmpty())
        return failure(u"die Datei ist leer"_s);
    Decoder d{};
    d.info.err = jpeg_std_error(&d.error.pub);
    d.error.pub.error_exit = jumpBackOnError;
    d.error.pub.output_message = keepQuiet;
    jpeg_create_decompress(&d.info);
    // Progressive pictures keep all coefficients in memory; the size cap bounds that too.
    d.info.mem->max_memory_to_use = 64L * 1024 * 1024;

    RgbPicture picture;
    QString error;
    QByteArray cmykRow;
    if (!readHeader(d, reinterpret_cast<const unsigned char*>(bytes.data()),
                    static_cast<unsigned long>(bytes.size()))) {
        error = QString::fromLatin1(d.error.message);
    } else if (qint64(d.info.image_width) * d.info.image_height > kMaxJpegPixels) {
        error =
            u"%1 x %2 Bildpunkte sind zu groß"_s.arg(d.info.image_width).arg(d.info.image_height);
    } else {
        picture.width = int(d.info.image_width);
        picture.height = int(d.info.image_height);
        picture.rgb.resize(qsizetype(picture.width) * picture.height * 3);
        if (isCmyk(d.info))
            cmykRow.resize(qsizetype(picture.width) * 4);
        if (!readPixels(d, reinterpret_cast<unsigned char*>(picture.rgb.data()),
                        cmykRow.isEmpty() ? nullptr
                                          : reinterpret_cast<unsigned char*>(cmykRow.data())))
            error = QString::fromLatin1(d.error.message);
        else if (d.error.pub.num_warnings > 0)
            error = u"die Daten sind beschädigt"_s;
    }
    jpeg_destroy_decompress(&d.info);
    if (!error.isEmpty())
        return failure(error);
    return picture;
}
