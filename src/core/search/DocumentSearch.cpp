#include "search/DocumentSearch.h"

#include "platform/FileFacts.h"
#include "search/DocumentPattern.h"
#include "search/TitlePositionList.h"
#include "store/Descriptor.h"
#include "store/TextWriter.h"
#include "store/Windows1252.h"

#include <QFileInfo>

namespace {

bool isFile(const QString& programPath)
{
    return QFileInfo(platform::nativePath(programPath)).isFile();
}

} // namespace

// What the stream search takes from the search window for its next step: the options,
// and the text it looks for right now (the title marker or the search text).
class DocumentSearch::WindowState : public StreamSearchSettings {
public:
    explicit WindowState(const DocumentSearch& search) : m_search(search) {}
    bool caseSensitive() const override { return m_search.m_request.caseSensitive; }
    bool wholeWords() const override { return m_search.m_request.wholeWords; }
    QString currentSearchTerm() const override { return m_search.m_request.titleMarker; }
    QString textLookedFor() const override { return m_search.m_target; }
    bool titlePositionSearch() const override { return true; }

private:
    const DocumentSearch& m_search;
};

DocumentSearch::DocumentSearch(const DatabasePaths& paths, UserInterface& ui, TaskPacer& pacer)
    : m_paths(paths), m_ui(ui), m_pacer(pacer), m_window(std::make_unique<WindowState>(*this))
{
    m_search.setSettings(m_window.get());
}

DocumentSearch::~DocumentSearch() = default;

void DocumentSearch::close()
{
    m_search.close();
    (void)m_viewer.Open(QString());
}

QString DocumentSearch::searchForm(const QString& text, Family family)
{
    if (family == Family::Unicode)
        return text;
    return cp1252::decode(DocumentPattern::of(text, family).bytes);
}

QString DocumentSearch::checkedPath(const QString& path, QChar replacementDrive,
                                    const QString& baseFolder)
{
    if (isFile(path))
        return path;
    QString moved = path;
    if (!moved.isEmpty())
        moved[0] = replacementDrive;
    if (isFile(moved))
        return moved;
    const qsizetype root = moved.indexOf(QStringLiteral(":\\"));
    const QString belowBase = baseFolder + moved.mid(root < 0 ? 0 : root + 2);
    if (isFile(belowBase))
        return belowBase;
    return QStringLiteral("Existiert nicht! ") + moved;
}

void DocumentSearch::searchFile(const QString& path, Family family, bool bigEndian,
                                const SearchRequest& request, SearchHits& hits)
{
    m_singleFile = true;
    m_bigEndian = bigEndian;
    m_document = path;
    prepare(family, request);
    if (!m_viewer.Open(m_document))
        return;
    if (step(true))
        makeEntry(hits);
}

Status DocumentSearch::search(const Database& database, Family family, const SearchRequest& request,
                              SearchHits& hits)
{
    m_singleFile = false;
    m_bigEndian = false;
    m_document = database.document(family);
    prepare(family, request);
    m_noHit[int(family)] = true;
    const std::optional<qint64> size = platform::openableFileSize(m_document);
    if (!size || !m_viewer.Open(m_document))
        return Status::failure(m_document + QStringLiteral(" kann nicht geöffnet werden.") +
                               descriptor::reindexHint());
    const QString titleList = database.titlePositions(family);
    m_titles = TitlePositionList::read(titleList, family);
    // A list that names no file of a document with text, or offsets past its end, belongs
    // to another state of the database: its hits would name the wrong files.
    const qint64 documentSize = *size;
    const qint64 emptySize = family == Family::Unicode ? 2 : 0;
    if ((documentSize > emptySize && m_titles.isEmpty()) ||
        m_titles.largestOffset() >= documentSize)
        return Status::failure(
            QStringLiteral("Die Titelpositionen %1 passen nicht zum Dokument %2.")
                .arg(titleList, m_document) +
            descriptor::reindexHint());

    bool found = step(true);
    if (found)
        makeEntry(hits);
    while (found && !m_pacer.cancelled()) {
        // Skip the rest of this file: on to the next title line, which makes no entry.
        m_target = m_request.titleMarker;
        if (!step(false))
            break;
        // The file's own title line (its path) is searched too.
        m_target = m_form;
        found = step(false);
        if (found)
            makeEntry(hits);
    }
    return {};
}

bool DocumentSearch::step(bool first)
{
    Result<bool> found = false;
    if (first) {
        m_viewer.SetSelection(0, 0, false, false);
        if (!m_search.setFileName(m_document)) {
            m_ui.warning(m_document + QStringLiteral(" kann nicht geöffnet werden."));
            return false;
        }
        m_search.OnProgress = [this](qint64, qint64, bool& continueSearching) {
            continueSearching = !m_pacer.tick();
        };
        const TATEncoding encoding = m_family != Family::Unicode ? vEncANSI
                                     : m_bigEndian               ? vEncUnicodeBE
                                                                 : vEncUnicodeLE;
        const TATStreamSearchOptions options =
            (m_request.caseSensitive ? unsigned(ssoCaseSensitive) : 0u) |
            (m_request.wholeWords ? unsigned(ssoWholeWords) : 0u) |
            (m_family == Family::Utf8 ? unsigned(ssoUtf8) : 0u);
        found = m_search.FindFirst(m_form, encoding, options, 0);
        if (found.ok())
            m_noHit[int(m_family)] = !*found;
    } else {
        found = m_search.FindNext();
    }
    if (!found.ok()) {
        m_ui.warning(found.error());
        return false;
    }
    if (!*found)
        return false;
    // Nobody sees this viewer: the selection needs no scrolling into view.
    m_viewer.SetSelection(m_search.FoundStart(), m_search.FoundLength(), false, false);
    m_viewer.SelectLineAt(m_search.FoundStart());
    return true;
}

// The byte-order marks that start a UTF-16 file and every part of the Unicode document are
// no text of a snippet.
QString DocumentSearch::selectedLine()
{
    if (m_family != Family::Unicode)
        return cp1252::decode(m_viewer.GetSelText());
    QString line = m_viewer.GetSelTextW();
    line.remove(QChar(0xFEFF));
    return line;
}

std::optional<QString> DocumentSearch::nextLineAt(qint64 offset)
{
    if (offset >= m_viewer.fileSize())
        return std::nullopt;
    const qint64 before = m_viewer.selStart();
    const qint64 beforeEnd = before + m_viewer.selLength();
    m_viewer.SelectLineAt(offset);
    if (m_viewer.selStart() >= before && m_viewer.selStart() < std::max(beforeEnd, before + 1))
        return std::nullopt;
    return selectedLine();
}

// The database's documents are replaced whole, never shortened in place, so they can be
// mapped; a file searched alone is the user's and may change at any time.
FileAccess DocumentSearch::fileAccess() const
{
    return m_singleFile ? FileAccess::Read : FileAccess::Mapped;
}

void DocumentSearch::prepare(Family family, const SearchRequest& request)
{
    m_viewer.setFileAccess(fileAccess());
    m_family = family;
    m_request = request;
    m_form = searchForm(request.text, family);
    m_target.clear();
    m_viewer.setMode(family == Family::Unicode ? vbmodeUnicode : vbmodeText);
    // Snippets hold one byte a character but in the Unicode class; the search text is looked
    // for in them as in the document, by one searcher for every hit.
    const bool wide = family == Family::Unicode;
    const BlockText blockText = wide                     ? BlockText::Utf16LE
                                : family == Family::Utf8 ? BlockText::Utf8
                                                         : BlockText::SingleByte;
    m_snippetSearch.emplace(wide ? utf16LE(m_form) : cp1252::encode(m_form), blockText,
                            request.caseSensitive, false);
}

int DocumentSearch::textPosition(const QString& snippet) const
{
    const QByteArray bytes =
        m_family == Family::Unicode ? utf16LE(snippet) : cp1252::encode(snippet);
    const std::size_t at =
        m_snippetSearch->find(reinterpret_cast<const unsigned char*>(bytes.constData()),
                              std::size_t(bytes.size()), BlockEdges{});
    return at == blockscan::kNone ? 0 : int(at / m_snippetSearch->unitSize()) + 1;
}

namespace {

// In the UTF-8 class a snippet holds one byte a character: a cut moves inward to the next
// sequence boundary, so that no character is cut in two.
bool continuesSequence(QChar c)
{
    const int byte = cp1252::fromUnicode(c.unicode());
    return byte >= 0 && (byte & 0xC0) == 0x80;
}

void cutLeft(QString& text, qsizetype count, bool utf8)
{
    while (utf8 && count < text.size() && continuesSequence(text[count]))
        ++count;
    text.remove(0, count);
}

void cutRight(QString& text, qsizetype keep, bool utf8)
{
    while (utf8 && keep > 0 && keep < text.size() && continuesSequence(text[keep]))
        --keep;
    text.truncate(keep);
}

} // namespace

QByteArray DocumentSearch::snippet()
{
    const qint64 found = m_search.FoundStart();
    QString text = selectedLine();
    if ((m_singleFile || m_family != Family::Utf8) && textPosition(text) == 0)
        text.clear();
    // Widening by the lines after the hit's; the offset counts characters, which are two
    // bytes each in UTF-16. Where no further line exists, nothing is appended.
    const int charBytes = m_family == Family::Unicode ? 2 : 1;
    for (const int shorterThan : {150, 250}) {
        if (text.size() >= shorterThan)
            continue;
        if (const std::optional<QString> next = nextLineAt(found + charBytes * (text.size() + 2)))
            text += u' ' + *next;
    }
    const bool utf8 = m_family == Family::Utf8;
    if (const int position = textPosition(text); position > 100)
        cutLeft(text, position - 40, utf8);
    const qsizetype formBytes =
        m_family == Family::Ansi ? m_form.size() : m_request.text.toUtf8().size();
    if (text.size() > 350 && textPosition(text) < 350 - formBytes)
        cutRight(text, 350, utf8);
    if (m_singleFile)
        text.replace(u'<', u' ');
    if (m_family != Family::Ansi && !m_singleFile) {
        const qsizetype q = textPosition(text);
        if (text.size() > 800 && q - 150 > 0)
            cutLeft(text, q - 150, utf8);
        if (text.size() > 400)
            cutRight(text, 400, utf8);
    }
    QByteArray bytes = m_family == Family::Utf8 ? cp1252::encode(text) : text.toUtf8();
    qsizetype leading = 0;
    while (leading < bytes.size() && static_cast<unsigned char>(bytes[leading]) <= 32)
        ++leading;
    return bytes.mid(leading);
}

void DocumentSearch::makeEntry(SearchHits& hits)
{
    const QString path = m_singleFile ? m_document : m_titles.pathAt(m_search.FoundStart());
    const QByteArray text = snippet();
    const QString checked =
        m_singleFile ? path : checkedPath(path, m_request.replacementDrive, m_paths.baseFolder());
    hits.append({checked.toUtf8(), text});
    if (!text.isEmpty() && !path.isEmpty())
        m_noHit[int(m_family)] = false;
}
