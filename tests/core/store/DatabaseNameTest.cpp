#include "store/DatabaseName.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

TEST(DatabaseNameTest, RefusesWhatCouldLeaveDatenbankOrBreakItsListsTakesTheRest)
{
    for (const QString& name :
         {QString(), u"   "_s, u"../../evil"_s, u"a\\b"_s, u"C:Texte"_s, u"Zeile\nzwei"_s,
          u"Tab\tName"_s, u"Frage?"_s, u"a*"_s, u"\"x\""_s, u"<x>"_s, u"a|b"_s, u"a^b"_s,
          u" Texte"_s, u"Texte "_s, u"."_s, u".."_s, QString(QChar(0x7F))})
        EXPECT_FALSE(databasename::refusal(name).isEmpty()) << name.toStdString();
    // Ordinary names with umlauts, dots and blanks inside are taken.
    for (const QString& name :
         {u"Texte"_s, u"Briefe 2026"_s, u"Größe.alt"_s, u"a..b"_s, u"x_y-z"_s})
        EXPECT_EQ(databasename::refusal(name), QString()) << name.toStdString();
}
