#pragma once

#include "indexer/IndexRun.h"
#include "store/Catalogue.h"
#include "support/RecordingTaskProgress.h"
#include "support/RecordingUserInterface.h"
#include "support/TempFolder.h"
#include "support/Utf16.h"

#include <gtest/gtest.h>

namespace testdb {

// UTF-16 LE with its byte-order mark, as a text file holds it.
inline QByteArray utf16le(const QString& text)
{
    return QByteArray("\xFF\xFE", 2) + utf16(text);
}

// A database made by the indexing code: the texts on drive D, the base folder on E.
class IndexedDatabase : public testing::Test {
protected:
    IndexedDatabase() : paths(base.program()) { catalogue::ensureFolderTree(paths, ui); }

    // Writes D:\Texte\<file> and lists it for the next index().
    void write(const QString& file, const QByteArray& bytes)
    {
        texts.write(QStringLiteral("Texte/") + file, bytes);
        list += "D:\\Texte\\" + file.toUtf8() + "\r\n";
    }
    void index(bool withoutDocuments = false, const QString& name = QStringLiteral("DB"))
    {
        base.write(QStringLiteral("Datenbank/Haupt_Dateinamen_Liste_Laufwerk_D.txt"), list);
        RecordingTaskProgress indexing;
        IndexRun run(paths, QString(), ui, indexing);
        const IndexRun::Request request{name, QStringLiteral("D:\\Texte"), QStringLiteral("*.txt"),
                                        false, withoutDocuments};
        ASSERT_TRUE(run.start(request).ok());
        ASSERT_TRUE(run.readList().ok());
        ASSERT_TRUE(run.finish(false).ok());
    }
    QByteArray document(Family family) const
    {
        return base.read(
            QStringLiteral("Datenbank/DB_%1Dokument.txt").arg(documentFamilyName(family)));
    }

    IsolatedSettings settings;
    MappedDrive texts{u'D'};
    MappedDrive base{u'E'};
    DatabasePaths paths;
    RecordingUserInterface ui;
    QByteArray list;
};

} // namespace testdb
