#include "indexer/TitlePositionScan.h"

#include "indexer/TitleMarker.h"
#include "platform/FileFacts.h"
#include "store/Descriptor.h"
#include "store/TextWriter.h"
#include "store/Windows1252.h"
#include "viewer/TATBinHexReporter.h"

#include <future>
#include <utility>

namespace {

const QString kErrorCaption = QStringLiteral("Error");
const QString kSearchFailedCaption = QStringLiteral("Suche fehlgeschlagen");
const QString kViewerCaption = QStringLiteral("Viewer");

QString scanCaption(Family family)
{
    static const char* const kPrefixes[] = {"ANSI-DB: ", "UTF8-DB: ", "UNICODE-DB: "};
    return QLatin1String(kPrefixes[int(family)]) +
           QStringLiteral("Erstelle Liste der Datei-Positionen");
}

} // namespace

// The search window as the stream search sees it during the scan: every next match is
// one of the marker, which never uses whole words.
class TitlePositionScan::SearchSettings : public StreamSearchSettings {
public:
    void set(const QString& marker, bool caseSensitive)
    {
        m_marker = marker;
        m_caseSensitive = caseSensitive;
    }
    bool caseSensitive() const override { return m_caseSensitive; }
    bool wholeWords() const override { return false; }
    QString currentSearchTerm() const override { return m_marker; }
    QString textLookedFor() const override { return m_marker; }
    bool titlePositionSearch() const override { return true; }

private:
    QString m_marker;
    bool m_caseSensitive = false;
};

// Keeps the first error of the hidden viewer, so that a line it could not read ends the
// scan instead of giving a wrong entry.
class TitlePositionScan::ViewerErrors : public TATBinHexReporter {
public:
    void showError(const QString& text) override
    {
        if (m_text.isEmpty())
            m_text = text;
    }
    QString take() { return std::exchange(m_text, QString()); }

private:
    QString m_text;
};

TitlePositionScan::TitlePositionScan(const DatabasePaths& paths, TaskProgress& task)
    : m_paths(paths), m_task(task), m_pacer(task), m_settings(std::make_unique<SearchSettings>()),
      m_viewerErrors(std::make_unique<ViewerErrors>())
{
    m_search.setSettings(m_settings.get());
    // A long stretch without a title line is searched block by block.
    m_search.OnProgress = [this](qint64, qint64, bool& continueSearching) {
        continueSearching = !m_pacer.poll();
    };
    m_viewer.setReporter(m_viewerErrors.get());
}

TitlePositionScan::~TitlePositionScan() = default;

TitlePositionScan::Report TitlePositionScan::run(const QString& databaseName, bool caseSensitive)
{
    Report report;
    const Result<descriptor::Header> header =
        descriptor::readHeader(m_paths.descriptor(databaseName));
    if (!header) {
        report.failures.append({kErrorCaption, header.error()});
        return report;
    }
    m_marker = titleMarker(header->driveLetter);
    m_settings->set(m_marker, caseSensitive);
    for (const Family family : kFamilies) {
        if (listDocument(databaseName, family, report) == Outcome::Cancelled) {
            report.cancelled = true;
            break;
        }
    }
    return report;
}

TitlePositionScan::Outcome TitlePositionScan::listDocument(const QString& databaseName,
                                                           Family family, Report& report)
{
    const QString document = m_paths.document(databaseName, family);
    if (!platform::exists(document))
        return Outcome::Done;
    const Outcome outcome = scanDocument(document, family, report);
    if (outcome == Outcome::Cancelled)
        return outcome;
    // Forcing the list to disk can wait for other writes (the documents of a run): the
    // windows go on meanwhile.
    const QString list = m_paths.titlePositions(databaseName, family);
    std::future<Status> writing = std::async(
        std::launch::async, [this, &list] { return WriteToStream(m_list, list, CodePage::Utf8); });
    const Status written = awaitAsking(m_task, writing);
    if (!written)
        report.failures.append({kErrorCaption, written.error()});
    m_list = QString();
    return outcome;
}

TitlePositionScan::Outcome TitlePositionScan::scanDocument(const QString& document, Family family,
                                                           Report& report)
{
    m_list.clear();
    m_task.caption(scanCaption(family));
    Outcome outcome = openDocument(document, family, report);
    if (outcome == Outcome::Done)
        outcome = findAll(family, report);
    m_task.caption(QString());
    closeDocument();
    return outcome;
}

TitlePositionScan::Outcome TitlePositionScan::openDocument(const QString& document, Family family,
                                                           Report& report)
{
    m_viewer.setMode(family == Family::Unicode ? vbmodeUnicode : vbmodeText);
    const bool opened = m_viewer.Open(document) && m_search.setFileName(document).ok();
    m_viewerErrors->take();
    if (!opened) {
        report.failures.append(
            {kErrorCaption, document + QStringLiteral(" kann nicht geöffnet werden.")});
        return Outcome::Failed;
    }
    // The Unicode document is little endian whatever its first bytes say.
    if (family == Family::Unicode)
        m_viewer.setUnicodeOrder(TATBinHexCore::ByteOrder::LittleEndian);
    return Outcome::Done;
}

TitlePositionScan::Outcome TitlePositionScan::findAll(Family family, Report& report)
{
    const TATEncoding encoding = family == Family::Unicode ? vEncUnicodeLE : vEncANSI;
    const TATStreamSearchOptions options =
        m_settings->caseSensitive() ? TATStreamSearchOptions(ssoCaseSensitive) : 0;
    Result<bool> found = m_search.FindFirst(m_marker, encoding, options, 0);
    for (;;) {
        if (m_pacer.cancelled())
            return Outcome::Cancelled;
        if (!found) {
            report.failures.append({kSearchFailedCaption, found.error()});
            return Outcome::Failed;
        }
        if (!*found)
            return Outcome::Done;
        appendEntry(family);
        if (const QString error = m_viewerErrors->take(); !error.isEmpty()) {
            report.failures.append({kViewerCaption, error});
            return Outcome::Failed;
        }
        m_pacer.tick();
        found = m_search.FindNext();
    }
}

// The ANSI and UTF-8 lines are the document's bytes, one character each: a UTF-8 path
// outside ASCII is thus listed UTF-8-encoded twice, which the list readers expect.
void TitlePositionScan::appendEntry(Family family)
{
    // The whole path, also beyond the viewer's line length: Windows paths reach 32,767
    // characters, Linux paths 4,096 bytes.
    constexpr int kLongestPath = 32767;
    const qint64 start = m_search.FoundStart();
    m_viewer.SelectLineAt(start, false, kLongestPath);
    const QString line =
        family == Family::Unicode ? m_viewer.GetSelTextW() : cp1252::decode(m_viewer.GetSelText());
    m_list += QString::number(start) + u' ' + line + QStringLiteral("\r\n");
}

void TitlePositionScan::closeDocument()
{
    m_search.close();
    static_cast<void>(m_viewer.Open(QString()));
}
