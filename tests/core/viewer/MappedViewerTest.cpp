#include "viewer/TATBinHexCore.h"

#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <random>

namespace {

// A mapped viewer shows the same lines and selections as one that reads its blocks, also
// where a line crosses the edge of a mapped window (8 MiB) and for selections longer than
// a window.
TEST(MappedViewerTest, SelectsAndReadsAsTheReadingViewer)
{
    std::mt19937 random(11);
    QByteArray text;
    while (text.size() < 20 * 1024 * 1024) {
        text.append(QByteArray(int(random() % 3000), char('a' + random() % 26)));
        text.append(random() % 2 ? "\r\n" : "\n");
    }
    MappedDrive drive;
    drive.write(QStringLiteral("a.txt"), text);
    for (const TATBinHexMode mode : {vbmodeText, vbmodeUnicode}) {
        TATBinHexCore read;
        TATBinHexCore mapped;
        mapped.setFileAccess(FileAccess::Mapped);
        for (TATBinHexCore* core : {&read, &mapped}) {
            core->setMode(mode);
            ASSERT_TRUE(core->Open(drive.program(QStringLiteral("a.txt"))));
        }
        const qint64 window = 8 << 20;
        QList<qint64> positions = {0,
                                   window - 1,
                                   window,
                                   window + 1,
                                   2 * window - 2,
                                   2 * window + 3,
                                   qint64(text.size()) - 1};
        for (int i = 0; i < 200; ++i)
            positions.append(qint64(random() % quint64(text.size())));
        for (const qint64 pos : positions) {
            SCOPED_TRACE(testing::Message() << "mode " << mode << " at " << pos);
            read.SelectLineAt(pos);
            mapped.SelectLineAt(pos);
            ASSERT_EQ(mapped.selStart(), read.selStart());
            ASSERT_EQ(mapped.selLength(), read.selLength());
            ASSERT_EQ(mapped.GetSelText(), read.GetSelText());
            EXPECT_EQ(mapped.charAt(pos), read.charAt(pos));
        }
        read.SetSelection(window - 10, window + 20, false, false);
        mapped.SetSelection(window - 10, window + 20, false, false);
        EXPECT_EQ(mapped.selectedBytes(), read.selectedBytes());
        EXPECT_EQ(mapped.selectedBytes()->size(), window + 20);
    }
}

} // namespace
