#include "search/SearchDriver.h"

#include "platform/FileFacts.h"
#include "search/TitleMarker.h"
#include "store/Catalogue.h"
#include "store/Descriptor.h"

const QString SearchDriver::kOneCharacter =
    QStringLiteral("Nur ein Zeichen als Suchtext ist bei der \"Suche\" nicht erlaubt");

SearchDriver::SearchDriver(const DatabasePaths& paths, UserInterface& ui)
    : m_paths(paths), m_ui(ui), m_documents(paths, ui)
{
}

QChar SearchDriver::replacementDrive(const DatabasePaths& paths, const QString& databaseName,
                                     QChar sourceDrive)
{
    QChar found = sourceDrive;
    const QString descriptor = paths.descriptor(databaseName);
    for (char16_t letter = u'A'; letter <= u'Z'; ++letter) {
        if (letter == u'C' || descriptor.isEmpty())
            continue;
        QString moved = descriptor;
        moved[0] = QChar(letter);
        if (platform::exists(moved))
            found = QChar(letter);
    }
    return found;
}

Result<QList<QByteArray>> SearchDriver::run(const QString& databaseName, const QString& searchField,
                                            bool caseSensitive, bool wholeWords)
{
    using R = Result<QList<QByteArray>>;
    const QString text = searchField.trimmed();
    if (text.size() == 1) {
        m_ui.information(kOneCharacter);
        return R::failure(kOneCharacter);
    }
    catalogue::emptyTempFolder(m_paths);
    const Result<descriptor::Header> header =
        descriptor::readHeader(m_paths.descriptor(databaseName));
    if (!header)
        return R::failure(header.error());

    SearchRequest request;
    request.text = text;
    request.caseSensitive = caseSensitive;
    request.wholeWords = wholeWords;
    request.titleMarker = titleMarker(header->driveLetter);
    request.replacementDrive = replacementDrive(m_paths, databaseName, header->driveLetter);

    QList<QByteArray> hits;
    for (const Family family : kFamilies) {
        if (platform::exists(m_paths.document(databaseName, family)))
            m_documents.search(databaseName, family, request, hits);
    }
    m_documents.close();
    return hits;
}
