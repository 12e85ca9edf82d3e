// Runs only the whole-file UTF-8 test over a file, read in pieces as the class decision
// reads it, so that a benchmark can time the test apart from the rest of the decision and
// from the toolkit's start-up. Exit status 0: UTF-8, 1: not UTF-8, 2: error.
#include "store/LenientUtf8Check.h"

#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

int main(int argc, char* argv[])
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: utf8check FILE\n");
        return 2;
    }
    const int fd = ::open(argv[1], O_RDONLY);
    if (fd < 0) {
        std::fprintf(stderr, "cannot open %s\n", argv[1]);
        return 2;
    }
    LenientUtf8Check check;
    ssize_t got = 0;
    while ((got = ::read(fd, check.pieceBuffer(), check.pieceCapacity())) > 0)
        check.checkPiece(std::size_t(got));
    ::close(fd);
    return got < 0 ? 2 : check.finish() ? 0 : 1;
}
