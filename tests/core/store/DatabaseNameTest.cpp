#include "store/DatabaseName.h"

#include <gtest/gtest.h>

namespace {

TEST(DatabaseNameTest, RefusesWhatCouldLeaveDatenbankOrBreakItsLists)
{
    for (const QString& name :
         {QString(), QStringLiteral("   "), QStringLiteral("../../evil"), QStringLiteral("a\\b"),
          QStringLiteral("C:Texte"), QStringLiteral("Zeile\nzwei"), QStringLiteral("Tab\tName"),
          QStringLiteral("Frage?"), QStringLiteral("a*"), QStringLiteral("\"x\""),
          QStringLiteral("<x>"), QStringLiteral("a|b"), QStringLiteral("a^b"),
          QStringLiteral(" Texte"), QStringLiteral("Texte "), QStringLiteral("."),
          QStringLiteral(".."), QString(QChar(0x7F))})
        EXPECT_FALSE(databasename::refusal(name).isEmpty()) << name.toStdString();
}

TEST(DatabaseNameTest, TakesOrdinaryNamesWithUmlautsDotsAndBlanksInside)
{
    for (const QString& name :
         {QStringLiteral("Texte"), QStringLiteral("Briefe 2026"), QStringLiteral("Größe.alt"),
          QStringLiteral("a..b"), QStringLiteral("x_y-z")})
        EXPECT_EQ(databasename::refusal(name), QString()) << name.toStdString();
}

} // namespace
