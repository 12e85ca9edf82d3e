#include "indexer/ReadAhead.h"

#include "support/TempFolder.h"

#include <gtest/gtest.h>

namespace {

// Files f0.txt ... f<count-1>.txt, each holding its own number; every third one missing.
QStringList writeFiles(const MappedDrive& drive, int count)
{
    QStringList paths;
    for (int i = 0; i < count; ++i) {
        const QString name = QStringLiteral("f%1.txt").arg(i);
        if (i % 3 != 2)
            drive.write(name, QByteArray::number(i));
        paths.append(drive.program(name));
    }
    return paths;
}

} // namespace

// Every depth and list length gives every file once, in list order, with its own bytes,
// however the two threads meet; a missing file comes as unreadable in its place.
TEST(ReadAheadTest, GivesEveryFileInOrderForAnyDepth)
{
    MappedDrive drive;
    for (const int count : {0, 1, 2, 5, 64}) {
        const QStringList paths = writeFiles(drive, count);
        for (const int depth : {1, 2, 3, 6}) {
            ReadAhead files(paths, depth);
            int index = 0;
            for (auto file = files.next(); file; file = files.next(), ++index) {
                ASSERT_LT(index, count);
                EXPECT_EQ(file->path, paths[index]);
                EXPECT_EQ(file->readable, index % 3 != 2);
                if (file->readable) {
                    EXPECT_EQ(file->bytes, QByteArray::number(index));
                }
                files.recycle(std::move(file));
            }
            EXPECT_EQ(index, count) << "depth " << depth;
        }
    }
}

// Dropped half way, with the worker waiting for buffers: it stops without a hang.
TEST(ReadAheadTest, StopsWhenDroppedEarly)
{
    MappedDrive drive;
    const QStringList paths = writeFiles(drive, 50);
    for (const int taken : {0, 1, 7}) {
        ReadAhead files(paths, 4);
        for (int i = 0; i < taken; ++i)
            files.recycle(files.next());
    }
}
