#pragma once

#include "common/Result.h"

#include <QChar>
#include <QString>
#include <QStringList>

// The descriptor <name>.dat: a header line with the source folder and five extension
// slots, then one source path per line; UTF-8 without byte-order mark, CR LF.
namespace descriptor {

// The sentence that follows every message about a broken file of a database: what to do.
QString reindexHint();

inline const QString kHeaderKey = QStringLiteral("PFAD_UND_ENDUNGEN= ");
inline constexpr int kExtensionSlots = 5;

// "PFAD_UND_ENDUNGEN= <folder> <e1> <e2> <e3> <e4> <e5>"; empty slots stay empty, so one
// pattern leaves four trailing blanks. At most five patterns are taken.
QString formatHeader(const QString& sourceFolder, const QStringList& patterns);

struct Header {
    QString sourceFolder;  // trimmed text before the first "*."
    QString extensionPart; // the text from the first "*." on
    QChar driveLetter;     // first character of the source folder
};

// Takes the header line apart as every reader does.
Result<Header> parseHeader(const QString& firstLine);
// Reads only the first line of a descriptor file.
Result<Header> readHeader(const QString& programPath);

} // namespace descriptor
