#include "indexer/ReadAhead.h"

#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <deque>

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

// A consumer that keeps a window of its last files, handing back one at a time, still gets
// every file in order: the worker reads with the buffers left instead of waiting for a batch.
// Dropped half way, with the worker waiting for buffers, it stops without a hang.
TEST(ReadAheadTest, AConsumerHoldingSeveralFilesDoesNotStall)
{
    MappedDrive drive;
    const QStringList paths = writeFiles(drive, 40);
    for (const int depth : {2, 4, 6}) {
        for (int held = 1; held < depth; ++held) {
            ReadAhead files(paths, depth);
            std::deque<std::unique_ptr<ReadAhead::File>> window;
            int index = 0;
            for (auto file = files.next(); file; file = files.next(), ++index) {
                ASSERT_EQ(file->path, paths[index]);
                window.push_back(std::move(file));
                if (int(window.size()) == held) {
                    files.recycle(std::move(window.front()));
                    window.pop_front();
                }
            }
            EXPECT_EQ(index, 40) << "depth " << depth << ", held " << held;

            ReadAhead dropped(paths, depth);
            for (int i = 0; i < held - 1; ++i) {
                auto file = dropped.next();
                ASSERT_TRUE(file);
                ASSERT_EQ(file->path, paths[i]);
                dropped.recycle(std::move(file));
            } // the destructor returns, the worker still reading or waiting for buffers
        }
    }
}
