#include "store/ByteSize.h"

#include <gtest/gtest.h>

TEST(ByteSizeTest, SizeTextsUnderTheProgramLocale)
{
    const QLocale german(QLocale::German, QLocale::Germany);
    EXPECT_EQ(ConvertBytes(0, german), QStringLiteral("0 Bytes"));
    EXPECT_EQ(ConvertBytes(1024, german), QStringLiteral("1024 Bytes"));
    EXPECT_EQ(ConvertBytes(1025, german), QStringLiteral("1 KB"));
    EXPECT_EQ(ConvertBytes(12400000, german), QStringLiteral("11,83 MB"));
    EXPECT_EQ(ConvertBytes(1048577, german), QStringLiteral("1 MB"));
    EXPECT_EQ(ConvertBytes(1536, german), QStringLiteral("1,5 KB"));
    EXPECT_EQ(ConvertBytes(1234567890123LL, german), QStringLiteral("1,12 TB"));
    // No thousands separator even for four-digit numbers; the decimal one follows the locale.
    EXPECT_EQ(ConvertBytes(1023LL * 1024 * 1024 + 1, german), QStringLiteral("1023 MB"));
    EXPECT_EQ(ConvertBytes(12400000, QLocale(QLocale::English, QLocale::UnitedStates)),
              QStringLiteral("11.83 MB"));
}
