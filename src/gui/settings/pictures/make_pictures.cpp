// Makes the browser symbols of the settings window: a coloured disc with one or two white
// letters on a light background, 48 x 48 pixels, written as JPEG by libjpeg's compressor.
// Not part of the build; run it when a picture is to change:
//   g++ -O2 make_pictures.cpp -ljpeg -o /tmp/make_pictures && /tmp/make_pictures .
#include <cstddef>
#include <cstdio>
// jpeglib.h needs size_t and FILE first.
#include <jpeglib.h>

#include <map>
#include <string>
#include <vector>

namespace {

constexpr int kSize = 48;
constexpr int kSamples = 4; // per pixel and axis, for smooth edges
constexpr unsigned kBackground = 0xF0F0F0;

// 5 x 7 letters, '#' set.
const std::map<char, std::vector<std::string>> kGlyphs = {
    {'S', {".####", "#....", "#....", ".###.", "....#", "....#", "####."}},
    {'I', {"#####", "..#..", "..#..", "..#..", "..#..", "..#..", "#####"}},
    {'E', {"#####", "#....", "#....", "####.", "#....", "#....", "#####"}},
    {'C', {".####", "#....", "#....", "#....", "#....", "#....", ".####"}},
    {'O', {".###.", "#...#", "#...#", "#...#", "#...#", "#...#", ".###."}},
    {'F', {"#####", "#....", "#....", "####.", "#....", "#....", "#...."}},
    {'a', {".....", ".....", ".###.", "....#", ".####", "#...#", ".####"}},
};

struct Symbol {
    const char* file;
    unsigned color; // 0xRRGGBB; 0: no disc
    const char* letters;
};

bool inLetters(const std::string& letters, double x, double y)
{
    const int scale = letters.size() == 1 ? 4 : 3;
    const int width = int(letters.size()) * 6 * scale - scale;
    const double left = (kSize - width) / 2.0;
    const double top = (kSize - 7 * scale) / 2.0;
    const int row = int((y - top) / scale);
    if (y < top || row >= 7)
        return false;
    for (std::size_t i = 0; i < letters.size(); ++i) {
        const double cellLeft = left + double(i) * 6 * scale;
        const int column = int((x - cellLeft) / scale);
        if (x >= cellLeft && column < 5 && kGlyphs.at(letters[i])[row][column] == '#')
            return true;
    }
    return false;
}

unsigned channel(unsigned color, int shift)
{
    return (color >> shift) & 0xFF;
}

std::vector<unsigned char> draw(const Symbol& symbol)
{
    std::vector<unsigned char> rgb(kSize * kSize * 3);
    const double centre = kSize / 2.0;
    const double radius = kSize / 2.0 - 3;
    for (int py = 0; py < kSize; ++py) {
        for (int px = 0; px < kSize; ++px) {
            unsigned sum[3] = {0, 0, 0};
            for (int sy = 0; sy < kSamples; ++sy) {
                for (int sx = 0; sx < kSamples; ++sx) {
                    const double x = px + (sx + 0.5) / kSamples;
                    const double y = py + (sy + 0.5) / kSamples;
                    const double dx = x - centre, dy = y - centre;
                    unsigned color = kBackground;
                    if (symbol.color != 0 && dx * dx + dy * dy <= radius * radius)
                        color = inLetters(symbol.letters, x, y) ? 0xFFFFFF : symbol.color;
                    for (int c = 0; c < 3; ++c)
                        sum[c] += channel(color, 16 - 8 * c);
                }
            }
            for (int c = 0; c < 3; ++c)
                rgb[(py * kSize + px) * 3 + c] = (unsigned char)(sum[c] / (kSamples * kSamples));
        }
    }
    return rgb;
}

bool writeJpeg(const std::string& path, std::vector<unsigned char>& rgb)
{
    FILE* out = std::fopen(path.c_str(), "wb");
    if (!out)
        return false;
    jpeg_compress_struct info;
    jpeg_error_mgr error;
    info.err = jpeg_std_error(&error);
    jpeg_create_compress(&info);
    jpeg_stdio_dest(&info, out);
    info.image_width = kSize;
    info.image_height = kSize;
    info.input_components = 3;
    info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, 95, TRUE);
    jpeg_start_compress(&info, TRUE);
    while (info.next_scanline < info.image_height) {
        JSAMPROW row = &rgb[info.next_scanline * kSize * 3];
        jpeg_write_scanlines(&info, &row, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    return std::fclose(out) == 0;
}

} // namespace

int main(int argc, char** argv)
{
    const std::string folder = argc > 1 ? argv[1] : ".";
    const Symbol symbols[] = {
        {"standard.jpg", 0x5A6B7D, "S"}, {"internet_explorer.jpg", 0x1E6FD9, "IE"},
        {"edge.jpg", 0x0F8A7E, "E"},     {"chrome.jpg", 0xD94A38, "C"},
        {"opera.jpg", 0xB0182A, "O"},    {"safari.jpg", 0x2A8FE0, "Sa"},
        {"firefox.jpg", 0xE8730C, "F"},  {"leer.jpg", 0, ""},
    };
    for (const Symbol& symbol : symbols) {
        std::vector<unsigned char> rgb = draw(symbol);
        if (!writeJpeg(folder + "/" + symbol.file, rgb)) {
            std::fprintf(stderr, "cannot write %s\n", symbol.file);
            return 1;
        }
    }
    return 0;
}
