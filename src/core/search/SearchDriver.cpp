#include "search/SearchDriver.h"

#include "indexer/TextLines.h"
#include "indexer/TitleMarker.h"
#include "platform/FileFacts.h"
#include "search/HitCount.h"
#include "store/Catalogue.h"
#include "store/DatabaseCommit.h"
#include "store/DatabaseLock.h"
#include "store/Descriptor.h"
#include "store/EncodingDetection.h"

const QString SearchDriver::kOneCharacter =
    QStringLiteral("Nur ein Zeichen als Suchtext ist bei der \"Suche\" nicht erlaubt");

SearchDriver::SearchDriver(const DatabasePaths& paths, UserInterface& ui, TaskProgress& task)
    : m_paths(paths), m_ui(ui), m_task(task), m_pacer(task), m_documents(paths, ui, m_pacer)
{
}

QChar SearchDriver::replacementDrive(const Database& database, QChar sourceDrive)
{
    QChar found = sourceDrive;
    const QString descriptor = database.descriptor();
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

bool SearchDriver::passesCountGate(const Database& database, const QString& searchField,
                                   bool caseSensitive, bool wholeWords, const HitCounter& counter,
                                   const CountConfirmation& confirm) const
{
    if (catalogue::isPathListOnly(database))
        return true;
    // A cancelled count still shows what was counted, so the user decides.
    const HitCount count = countHits(database, searchField, counter);
    return confirm(hitCountMessage(searchField, count, caseSensitive, wholeWords));
}

QString SearchDriver::clipboardText(const QString& searchField, bool asPhrase)
{
    QString text = searchField.trimmed();
    if (asPhrase) {
        if (text.endsWith(QChar::ReplacementCharacter))
            text.chop(1);
        return text;
    }
    const qsizetype blank = text.indexOf(u' ');
    return (blank >= 1 ? text.left(blank + 1) : text).trimmed();
}

Result<SearchHits> SearchDriver::run(const Database& database, const QString& searchField,
                                     bool caseSensitive, bool wholeWords)
{
    using R = Result<SearchHits>;
    const QString text = searchField.trimmed();
    if (text.size() == 1) {
        m_ui.information(kOneCharacter);
        return R::failure(kOneCharacter);
    }
    // While a run rewrites the documents, their parts do not belong together.
    if (DatabaseLock::isHeld(database)) {
        m_ui.information(DatabaseLock::busyMessage(database.name()));
        return R::failure(DatabaseLock::busyMessage(database.name()));
    }
    if (Status recovered = dbcommit::recoverUnlessBusy(database); !recovered) {
        m_ui.warning(recovered.error());
        return R::failure(recovered.error());
    }
    // The result pages go to Temp, which a user may have deleted meanwhile.
    catalogue::ensureFolderTree(m_paths, m_ui);
    catalogue::emptyTempFolder(m_paths);
    const Result<descriptor::Header> header = descriptor::readHeader(database.descriptor());
    if (!header) {
        const QString message = header.error() + descriptor::reindexHint();
        m_ui.warning(message);
        return R::failure(message);
    }

    SearchRequest request;
    request.text = text;
    request.caseSensitive = caseSensitive;
    request.wholeWords = wholeWords;
    request.titleMarker = titleMarker(header->driveLetter);
    request.replacementDrive = replacementDrive(database, header->driveLetter);

    SearchHits hits;
    if (catalogue::isPathListOnly(database)) {
        searchFileByFile(database, request, hits);
    } else {
        for (const Family family : kFamilies) {
            if (!platform::exists(database.document(family)))
                continue;
            if (Status searched = m_documents.search(database, family, request, hits); !searched) {
                m_documents.close();
                m_ui.warning(searched.error());
                return R::failure(searched.error());
            }
        }
    }
    m_documents.close();
    return hits;
}

void SearchDriver::searchFileByFile(const Database& database, const SearchRequest& request,
                                    SearchHits& hits)
{
    // Streamed: a list of millions of paths is never held whole.
    const QString descriptor = database.descriptor();
    const textlines::Scan scanned = textlines::scan(descriptor);
    QStringList exclusions;
    for (const QString& line : textlines::read(m_paths.exclusionList())) {
        if (!line.trimmed().isEmpty())
            exclusions.append(line.trimmed().toLower());
    }
    qsizetype i = -1;
    textlines::forEach(descriptor, scanned, [&](const QString& path) {
        ++i;
        if (m_pacer.cancelled())
            return false;
        m_pacer.tick();
        m_task.caption(QStringLiteral("Bisher in %1 Dateien gefunden. Gesucht wird in Nr.: %2 von "
                                      "insgesamt: %3 Dateien.")
                           .arg(hits.size())
                           .arg(i)
                           .arg(scanned.lines - 1));
        const QString lower = path.toLower();
        if (std::any_of(exclusions.begin(), exclusions.end(),
                        [&](const QString& excluded) { return lower.contains(excluded); }))
            return true;
        // The header line is no file and is skipped here like a file that cannot be opened.
        const Result<ClassDecision> decision = decideSearchClassOfFile(path);
        if (!decision)
            return true;
        const ClassFlags& flags = decision->flags;
        if (flags.ansi)
            m_documents.searchFile(path, Family::Ansi, false, request, hits);
        if (flags.utf8)
            m_documents.searchFile(path, Family::Utf8, false, request, hits);
        if (flags.unicodeLE || flags.unicodeBE)
            m_documents.searchFile(path, Family::Unicode, flags.unicodeBE, request, hits);
        return true;
    });
}
