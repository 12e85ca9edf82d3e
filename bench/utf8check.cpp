// Runs only the whole-file UTF-8 test over a file, read in pieces as the class decision
// reads it, so a benchmark can time it apart from the rest of the decision.
// Exit status 0: UTF-8, 1: not UTF-8, 2: error.
#include "store/LenientUtf8Check.h"

#include <QFile>

#include <cstdio>

int main(int argc, char* argv[])
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: utf8check FILE\n");
        return 2;
    }
    QFile file(QString::fromLocal8Bit(argv[1]));
    if (!file.open(QIODevice::ReadOnly | QIODevice::Unbuffered)) {
        std::fprintf(stderr, "cannot open %s\n", argv[1]);
        return 2;
    }
    LenientUtf8Check check;
    qint64 got = 0;
    while ((got = file.read(reinterpret_cast<char*>(check.pieceBuffer()),
                            qint64(check.pieceCapacity()))) > 0)
        check.checkPiece(std::size_t(got));
    return got < 0 ? 2 : check.finish() ? 0 : 1;
}
