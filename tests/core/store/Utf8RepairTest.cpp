#include "store/Utf8Repair.h"

#include <gtest/gtest.h>

TEST(Utf8RepairTest, KeepsValidSequencesTakesOtherBytesAsWindows1252AndJoinsPieces)
{
    Utf8Repair repair;
    EXPECT_EQ(repair.feed("Gr\xC3\xBC\xC3\x9F \xE2\x82\xAC", true),
              "Gr\xC3\xBC\xC3\x9F \xE2\x82\xAC");
    EXPECT_FALSE(repair.changedAnything());
    // Windows-1252 bytes: ü, ß, the euro sign at 0x80; a surrogate and an overlong form.
    EXPECT_EQ(repair.feed("\xFC\xDF-\x80", true), "\xC3\xBC\xC3\x9F-\xE2\x82\xAC");
    EXPECT_EQ(repair.feed("\xDF\x80", true), "\xDF\x80"); // valid: U+07C0
    EXPECT_EQ(repair.feed("\xED\xA0\x80", true), "\xC3\xAD\xC2\xA0\xE2\x82\xAC");
    EXPECT_EQ(repair.feed("\xC0\xAF", true), "\xC3\x80\xC2\xAF");
    EXPECT_TRUE(repair.changedAnything());

    // A sequence across two pieces stays whole; at the very end a cut one is no sequence.
    Utf8Repair pieces;
    EXPECT_EQ(pieces.feed("ab\xE2\x82", false), "ab");
    EXPECT_EQ(pieces.feed("\xACxy\xC3", false), "\xE2\x82\xACxy");
    EXPECT_EQ(pieces.feed("", true), "\xC3\x83");
}
