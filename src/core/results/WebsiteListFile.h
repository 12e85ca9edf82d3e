#pragma once

#include "common/Result.h"
#include "common/Trim.h"

#include <QByteArrayView>
#include <QList>
#include <QString>
#include <QStringList>

// The user-edited list of web sites, "Adressen_Webseiten.txt": an INI file of sections
// ("[Themen1]"), lines "key=value" and comment lines starting with ";". Section and key
// names match without regard to case; values are taken whole, trimmed, with commas,
// quotes and backslashes as they stand. The topics come from "Liste" of "Themen1" and
// "Themen2", the sites of a topic from "Liste" of the section named like the topic.
class WebsiteListFile {
public:
    // Larger files are refused: a list of web sites is a few kilobytes.
    static constexpr qint64 kMaxFileSize = 16 * 1024 * 1024;

    // A missing file gives an empty list; a file that cannot be read, is too large or is
    // no text gives a German message and no list.
    static Result<WebsiteListFile> load(const QString& programPath);
    // Text in the file's encoding class: UTF-8, UTF-16, else Windows-1252.
    static QString decode(QByteArrayView bytes);
    static WebsiteListFile parse(const QString& text);

    // The value of the first such key in the first such section; empty when missing.
    QString value(const QString& section, const QString& key) const;
    bool hasSection(const QString& section) const;

    // Both in the order their sorted controls show them.
    QStringList topics() const;
    QStringList sites(const QString& topic) const;

private:
    struct Entry {
        QString key;
        QString value;
    };
    struct Section {
        QString name;
        QList<Entry> entries;
    };
    const Section* findSection(const QString& name) const;

    QList<Section> m_sections;
};

namespace websitelist {

// Blanks and control characters cut from both ends.
inline QString trimmed(const QString& text)
{
    return trimmedBlanksAndControls(text).toString();
}
// The trimmed pieces between commas, empty ones dropped.
QStringList split(const QString& list);
// Sorted as a sorted list control sorts: by German collation without regard to case.
void sortAsControl(QStringList& items);

} // namespace websitelist
