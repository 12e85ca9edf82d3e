#include "search/FileNameSearch.h"

#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <vector>

TEST(FileNameSearchTest, FindsPartsOfNamesInAnyCaseOneLineEach)
{
    MappedDrive drive;
    QByteArray list = "PFAD_UND_ENDUNGEN= D:\\Texte *.txt    \r\n"
                      "D:\\Texte\\M\xC3\xBCnchen\\BRIEFE\\briefkasten.txt\r\n";
    QStringList files = {QStringLiteral("D:\\Texte\\München\\BRIEFE\\briefkasten.txt")};
    for (int i = 0; i < 6000; ++i) { // lines on both sides of the window edges
        files.append(QStringLiteral("D:\\Texte\\Brief%1.txt").arg(i));
        list += files.last().toUtf8() + "\r\n";
    }
    drive.write(QStringLiteral("Datenbank/Db.dat"), list);
    const QString descriptor = drive.program(QStringLiteral("Datenbank/Db.dat"));
    QStringList lines;
    std::vector<qint64> firsts;
    const auto search = [&](const QString& text) {
        lines.clear();
        firsts.clear();
        return searchFileNames(HitCounter(MappedFile::kGranularity), descriptor, text,
                               [&](qint64 occurrence, const QString& line) {
                                   firsts.push_back(occurrence);
                                   lines.append(line);
                               })
            .occurrences;
    };

    EXPECT_EQ(search(QStringLiteral("brief")), 6002);
    EXPECT_EQ(lines, files);
    EXPECT_EQ(firsts[0], list.indexOf("BRIEFE"));
    EXPECT_EQ(firsts[1], list.indexOf("Brief0"));

    EXPECT_EQ(search(QStringLiteral(".TXT")), 6002);
    EXPECT_EQ(lines.size(), 6002); // the header line is part of the list
    // The list holds UTF-8: umlauts are found in either case, as the window finds them.
    EXPECT_EQ(search(QStringLiteral("MÜNCHEN")), 1);
    EXPECT_EQ(lines, QStringList{files[0]});
    EXPECT_EQ(search(QStringLiteral("mÜnchen")), 1);
}
