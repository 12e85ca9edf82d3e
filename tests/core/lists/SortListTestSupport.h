#pragma once

#include "lists/SortedLists.h"
#include "store/DatabasePaths.h"
#include "store/Windows1252.h"
#include "support/RecordingTaskProgress.h"
#include "support/TempFolder.h"
#include "support/Utf16.h"

#include <QDir>
#include <QRandomGenerator>
#include <QStringList>

// A database "L" on drive D with its Datenbank\Temp folder.
struct SortListDatabase {
    MappedDrive drive;
    DatabasePaths paths{drive.program()};
    const QString name = QStringLiteral("L");

    SortListDatabase()
    {
        drive.makeFolder(QStringLiteral("Datenbank/Temp"));
        drive.write(QStringLiteral("Datenbank/L.dat"), "PFAD_UND_ENDUNGEN= D:\\q *.txt    \r\n");
    }
    Database database() const { return Database(paths, name); }
    sortedlists::BuildEnd build(sortlist::SortMode mode, TaskProgress& task,
                                const SortListLimits& limits = {}) const
    {
        return sortedlists::buildAllLists(database(), mode, task, limits);
    }
    QString relative(const QString& programPath) const
    {
        return programPath.mid(3).replace(u'\\', u'/');
    }
    void writeDocument(Family family, const QByteArray& bytes)
    {
        drive.write(relative(paths.document(name, family)), bytes);
    }
    QByteArray list(Family family) const
    {
        return drive.read(relative(paths.phraseList(name, family)));
    }
    void writeList(Family family, const QByteArray& bytes)
    {
        drive.write(relative(paths.phraseList(name, family)), bytes);
    }
    QStringList tempEntries() const
    {
        return QDir(drive.native(QStringLiteral("Datenbank/Temp")))
            .entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
    }
    QStringList databaseEntries() const
    {
        return QDir(drive.native(QStringLiteral("Datenbank"))).entryList(QDir::Files);
    }
};

// A document of many short lines over a small alphabet: case and umlaut variants, every
// separator, the filter marks, header lines of files that exist (D:\q\<n>.txt, some with
// umlauts) and of files that do not, and all three line ends.
inline QString generatedDocumentText(quint32 seed, int lines)
{
    QRandomGenerator random(seed);
    static const QStringList kSyllables =
        QStringLiteral("a|A|ä|Ä|bo|Bo|g|G|mö|Ö|s|S|ü|Ü|z|ß|1|é|'|-").split(u'|');
    static const QStringList kSeparators = QStringLiteral(" | |, |;|:|. |\t|,|  ").split(u'|');
    static const QStringList kMarks =
        QStringLiteral("----|??|''|==========|____|****|---|––––|<|\x01").split(u'|');
    static const QStringList kEnds = QStringLiteral("\r\n|\r\n|\n|\r").split(u'|');
    const auto pick = [&random](const QStringList& from) {
        return from[random.bounded(int(from.size()))];
    };
    QString text;
    for (int i = 0; i < lines; ++i) {
        const int kind = random.bounded(20);
        if (kind == 0) {
            const int file = random.bounded(8);
            text += QStringLiteral("#D:\\q\\") + (file % 3 == 0 ? QStringLiteral("Ä") : QString()) +
                    QString::number(file) + QStringLiteral(".txt");
        } else if (kind == 1) {
            text += QStringLiteral(" ");
        } else {
            const int words = 1 + random.bounded(7);
            for (int w = 0; w < words; ++w) {
                if (random.bounded(12) == 0)
                    text += pick(kMarks);
                const int syllables = 1 + random.bounded(4);
                for (int s = 0; s < syllables; ++s)
                    text += pick(kSyllables);
                text += pick(kSeparators);
            }
        }
        text += pick(kEnds);
    }
    return text;
}

// The files that the generated header lines name with an even number.
inline void writeGeneratedSourceFiles(const MappedDrive& drive)
{
    for (int file = 0; file < 8; file += 2) {
        const QString name = (file % 3 == 0 ? QStringLiteral("Ä") : QString()) +
                             QString::number(file) + QStringLiteral(".txt");
        drive.write(QStringLiteral("q/") + name, "x");
    }
}

inline QByteArray encodedDocument(const QString& text, Family family)
{
    switch (family) {
    case Family::Ansi: return cp1252::encode(text);
    case Family::Utf8: return text.toUtf8();
    case Family::Unicode: return QByteArray("\xFF\xFE", 2) + utf16(text);
    }
    return {};
}
