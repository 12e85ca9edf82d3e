// Runs only the whole-file UTF-8 test over a mapped file, so a benchmark can time it apart
// from the rest of the class decision. Exit status 0: UTF-8, 1: not UTF-8, 2: error.
#include "platform/MappedFile.h"
#include "store/Utf8.h"

#include <QString>

#include <cstdio>

int main(int argc, char* argv[])
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: utf8check FILE\n");
        return 2;
    }
    MappedFile file;
    if (!file.open(QString::fromLocal8Bit(argv[1]))) {
        std::fprintf(stderr, "cannot open %s\n", argv[1]);
        return 2;
    }
    const unsigned char* bytes = file.mapWhole();
    return utf8::isWholeFileUtf8(bytes, std::size_t(file.size())) ? 0 : 1;
}
