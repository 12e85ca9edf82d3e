#include "settings/JpegPicture.h"
#include "settings/BrowserSymbolPictures.h"

#include "results/BrowserPrograms.h"
#include "support/TempFolder.h"

#include <QColor>

#include <cstddef>
#include <cstdio>
#include <jpeglib.h>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

// A picture of one colour made with libjpeg's compressor; `pixel` holds one pixel's
// components in the colour space.
QByteArray compress(J_COLOR_SPACE space, std::vector<unsigned char> pixel, bool progressive,
                    int size = 16)
{
    jpeg_compress_struct info;
    jpeg_error_mgr error;
    info.err = jpeg_std_error(&error);
    jpeg_create_compress(&info);
    unsigned char* buffer = nullptr;
    unsigned long length = 0;
    jpeg_mem_dest(&info, &buffer, &length);
    info.image_width = JDIMENSION(size);
    info.image_height = JDIMENSION(size);
    info.input_components = int(pixel.size());
    info.in_color_space = space;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, 95, TRUE);
    if (progressive)
        jpeg_simple_progression(&info);
    jpeg_start_compress(&info, TRUE);
    std::vector<unsigned char> row;
    for (int x = 0; x < size; ++x)
        row.insert(row.end(), pixel.begin(), pixel.end());
    while (info.next_scanline < info.image_height) {
        JSAMPROW line = row.data();
        jpeg_write_scanlines(&info, &line, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    QByteArray bytes(reinterpret_cast<const char*>(buffer), qsizetype(length));
    std::free(buffer);
    return bytes;
}

void expectColor(const Result<RgbPicture>& decoded, int r, int g, int b, const char* name)
{
    ASSERT_TRUE(decoded.ok()) << name << ": " << decoded.error().toStdString();
    ASSERT_EQ(decoded->rgb.size(), qsizetype(decoded->width) * decoded->height * 3) << name;
    for (qsizetype i = 0; i < decoded->rgb.size(); i += 3) {
        const auto* p = reinterpret_cast<const unsigned char*>(decoded->rgb.constData() + i);
        ASSERT_NEAR(p[0], r, 2) << name << " at " << i / 3;
        ASSERT_NEAR(p[1], g, 2) << name << " at " << i / 3;
        ASSERT_NEAR(p[2], b, 2) << name << " at " << i / 3;
    }
}

TEST(JpegPictureTest, SolidPicturesDecodeToTheirColor)
{
    expectColor(decodeJpeg(compress(JCS_RGB, {200, 40, 90}, false)), 200, 40, 90, "rgb");
    expectColor(decodeJpeg(compress(JCS_RGB, {200, 40, 90}, true)), 200, 40, 90, "progressive");
    expectColor(decodeJpeg(compress(JCS_GRAYSCALE, {77}, false)), 77, 77, 77, "grey");
    // CMYK with the Adobe marker, stored inverted as most writers do (255: no ink).
    expectColor(decodeJpeg(compress(JCS_CMYK, {255, 80, 180, 128}, false)), 128, 40, 90, "cmyk");
    const Result<RgbPicture> large = decodeJpeg(compress(JCS_RGB, {1, 2, 3}, false, 40));
    ASSERT_TRUE(large.ok());
    EXPECT_EQ(large->width, 40);
    const QImage image = large->toImage();
    EXPECT_EQ(image.size(), QSize(40, 40));
    EXPECT_EQ(image.pixelColor(39, 39), large->toImage().pixelColor(0, 0));
}

TEST(JpegPictureTest, BrokenOrForeignInputIsAnErrorNotAnExit)
{
    const QByteArray good = compress(JCS_RGB, {10, 200, 30}, false, 64);
    QByteArray huge = compress(JCS_RGB, {1, 1, 1}, false, 8);
    // The frame header (FF C0, length, precision) then height and width: both 30000.
    const qsizetype frame = huge.indexOf("\xFF\xC0");
    ASSERT_GT(frame, 0);
    huge.replace(frame + 5, 4, "\x75\x30\x75\x30");
    QByteArray noise;
    for (int i = 0; i < 3000; ++i)
        noise.append(char((i * 131 + 7) & 0xFF));
    for (const auto& [name, bytes] : std::initializer_list<std::pair<const char*, QByteArray>>{
             {"empty", QByteArray()},
             {"truncated", good.left(good.size() / 2)},
             {"header only", good.left(20)},
             {"png", QByteArray("\x89PNG\r\n\x1A\n\0\0\0\rIHDR\0\0\0\x10\0\0\0\x10\x08\x02", 26)},
             {"noise", noise},
             {"jpeg start then noise", QByteArray("\xFF\xD8\xFF\xE0") + noise},
             {"too large", huge}}) {
        const Result<RgbPicture> decoded = decodeJpeg(bytes);
        EXPECT_FALSE(decoded.ok()) << name;
        EXPECT_TRUE(decoded.error().startsWith(u"Das Bild kann nicht gelesen werden: "_s)) << name;
    }
    EXPECT_TRUE(decodeJpeg(huge).error().contains(u"30000 x 30000"_s))
        << decodeJpeg(huge).error().toStdString();
}

TEST(JpegPictureTest, EverySymbolHasItsPictureAndAFailedOneShowsTheEmptyOne)
{
    const QImage empty = browsersymbolpictures::emptyPicture();
    ASSERT_EQ(empty.size(), QSize(48, 48));
    using namespace browserkeyword;
    for (const QString& keyword :
         {kStandard, kInternetExplorer, kEdge, kChrome, kOpera, kSafari, kFirefox}) {
        const QImage picture = browsersymbolpictures::picture(keyword);
        EXPECT_EQ(picture.size(), QSize(48, 48)) << keyword.toStdString();
        EXPECT_NE(picture, empty) << keyword.toStdString();
        // The disc's colour at the left edge of the centre line, the corner background.
        EXPECT_NE(picture.pixelColor(6, 24), picture.pixelColor(0, 0)) << keyword.toStdString();
    }
    EXPECT_EQ(browsersymbolpictures::picture(u"netscape"_s), empty);
    TempFolder folder;
    folder.write(u"kaputt.jpg"_s, compress(JCS_RGB, {1, 2, 3}, false).left(100));
    EXPECT_EQ(browsersymbolpictures::pictureFrom(folder.native(u"kaputt.jpg"_s)), empty);
}

} // namespace
