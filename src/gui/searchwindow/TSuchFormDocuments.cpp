#include "searchwindow/TSuchForm.h"

#include "platform/FileFacts.h"
#include "results/WebsiteSearch.h"
#include "search/Bookmarks.h"
#include "search/MemoRange.h"
#include "search/SearchField.h"
#include "search/TitleDisplay.h"
#include "searchwindow/SortListPanel.h"
#include "searchwindow/SuchFormLayout.h"
#include "widgets/TATBinHex.h"

#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextBlock>

namespace {

// "ANSI-DB: ", "Lade ANSI-Dokument:" and the other texts of a document family.
struct FamilyTexts {
    const char* loading;
    const char* shown;
    const char* empty;
};
constexpr FamilyTexts kFamilyTexts[] = {
    {"Lade ANSI-Dokument:", "ANSI-DB: ", "ANSI-Dokument enthält keine Einträge:"},
    {"Lade Utf8-Dokument", "UTF8-DB: ", "UTF8-Dokument enthält keine Einträge:"},
    {"Lade Unicode-Dokument", "UNICODE-DB: ", "Unicode-Dokument enthält keine Einträge:"},
};

} // namespace

// ---- documents in the viewer ------------------------------------------------------------

void TSuchForm::loadDocument(Family family)
{
    if (m_state.fileNameMode())
        TntEdit2->clear();
    Label6->clear();
    setHistory(historyItems(), false);
    if (m_state.chosenDocument() != family) {
        (void)Viewer->Open(QString());
        ViewerMemo->clear();
    }
    m_state.documentOpened(family, !m_state.running());
    const Database& database = m_state.database();
    LesezeichenBtn->show();
    m_titles = TitlePositionList::read(database.titlePositions(family), family);
    loadHistory(family);

    WeiterSuche->setEnabled(true);
    Label2->clear();
    const FamilyTexts& texts = kFamilyTexts[int(family)];
    Label8->setText(QString::fromUtf8(texts.loading));
    loadButton(family)->setEnabled(false);

    const QString& document = database.document(family);
    Label8->setText(suchform::positionCaption(QString::fromUtf8(texts.shown), database.name()));
    if (!m_state.loadable(family))
        Label8->setText(QString::fromUtf8(texts.empty));
    openInViewer(document);
    ZeilenAlsListeSortieren->setEnabled(platform::exists(database.phraseList(family)));

    loadButton(family)->setEnabled(m_state.loadable(family));
    TntEdit1Change();
    m_state.setDocumentLoaded(Viewer->core().isOpen());
    restoreBookmark(family);
    Timer2.start(); // also where the memo covers the viewer and no page is painted
}

void TSuchForm::openInViewer(const QString& document)
{
    QFile file(platform::nativePath(document));
    QByteArray start;
    if (file.open(QIODevice::ReadOnly))
        start = file.read(3);
    const bool utf16 = start.startsWith("\xFF\xFE") || start.startsWith("\xFE\xFF");
    m_utf8Bom = start.startsWith("\xEF\xBB\xBF");
    chkUnicode->setChecked(utf16);
    chkUnicodeBE->setChecked(utf16);
    if (Viewer->fileName() != document)
        Viewer->setMode(utf16 ? vbmodeUnicode : vbmodeText);
    (void)Viewer->Open(document); // a document that cannot be opened is reported by the viewer
}

void TSuchForm::restoreBookmark(Family family)
{
    if (!m_state.documentLoaded())
        return;
    const std::optional<qint64> position =
        bookmarks::restore(m_store, family, m_state.database().name(), Viewer->core().fileSize());
    // ScrollToPos shows the line of the character before the position: one character on,
    // the page starts at the saved line itself, so a bookmark does not creep upwards.
    if (position)
        Viewer->ScrollToPos(*position + Viewer->core().charSize(), true);
}

void TSuchForm::loadHistory(Family family)
{
    const SearchTermList list = SearchTermList::load(m_state.database().searchTermList(family));
    TntListBox2->clear();
    TntListBox2->addItems(list.items());
}

std::optional<Family> TSuchForm::shownFamily() const
{
    return m_state.textFamily();
}

void TSuchForm::pageDrawn()
{
    Timer2.start();
}

void TSuchForm::Timer2Timer()
{
    // A closed viewer (a sorted-list build closes it) has no position to show.
    using View = SearchWindowState::View;
    if (m_state.view() == View::SortedList || m_state.view() == View::Nothing)
        return;
    ZeigDieTitelAn();
    if (TntListBox2->count() == 0 && m_state.view() == View::Document)
        loadHistory(*m_state.chosenDocument());
}

void TSuchForm::ZeigDieTitelAn()
{
    if (m_state.fileNameMode())
        return;
    // A viewer without a file has no position: no "0" under an empty view.
    if (Viewer->fileName().isEmpty()) {
        Label2->clear();
        return;
    }
    const TitleDisplay display = TitleDisplay::at(
        Viewer->core().viewPos(), m_titles, Label8->text().contains(QStringLiteral("Sortierte ")));
    Label2->setToolTip(display.hint);
    // The caption ends where the panel or the label itself ends, in the label's font.
    const int left = Label2->mapTo(PanelRechts, QPoint(0, 0)).x() + Label2->contentsRect().left();
    const QFontMetrics metrics = Label2->fontMetrics();
    Label2->setText(TitleDisplay::shortened(
        display.caption,
        [&](const QString& caption) { return left + metrics.horizontalAdvance(caption); },
        std::min(PanelRechts->width(), left + Label2->contentsRect().width())));
}

void TSuchForm::ViewerScrolled()
{
    ViewerMemo->hide();
    Viewer->SetSelection(0, 0, false, false);
}

void TSuchForm::LesezeichenBtnClick()
{
    if (m_state.maySaveBookmark())
        bookmarks::save(m_store, m_state.current(), m_state.database().name(),
                        Viewer->core().viewPos());
}

// ---- in-document search -----------------------------------------------------------------

void TSuchForm::TntEdit1Change()
{
    m_navigator.reset();
    WeiterSuche->setEnabled(!TntEdit1->text().isEmpty());
}

void TSuchForm::WeiterSucheClick()
{
    const QString text = TntEdit1->text();
    if (text.isEmpty() || !m_state.hasSearchableFile())
        return;
    m_state.clearCancel();
    // The file list is UTF-8: its text is searched in UTF-8, so "#müller" finds Müller.txt.
    const bool fileList = m_state.view() == SearchWindowState::View::FileList;
    const Family current = m_state.current();
    const DocumentPattern pattern =
        fileList ? DocumentPattern::forFileList(text) : DocumentPattern::of(text, current);
    m_navigator.setProgress(current == Family::Unicode ? &m_task : nullptr);
    const std::optional<HitNavigator::Hit> hit = m_navigator.WeiterSuche(
        m_state.shownFile(), pattern, [this](const HitNavigator::Hit& shown) { showHit(shown); });
    if (!hit)
        return;
    Label6->setPalette(Label2->palette());
    Label6->setText(HitNavigator::occurrenceCaption(text, m_navigator.occurrences()));
    if (fileList && m_fileForFiling)
        fileSearchTerm();
}

// Selects the hit in the viewer and, mapped through the page's screen lines, the same
// occurrence in the memo above it.
void TSuchForm::showHit(const HitNavigator::Hit& hit)
{
    Viewer->SetSelection(hit.offset, hit.length, true, false); // the memo takes the new page
    ViewerMemo->show();
    Timer2.start();
    const std::optional<MemoRange> range = MemoRange::of(
        Viewer->core(), Viewer->screenLines().lines(), shownFamily(), hit.offset, hit.length);
    if (!range)
        return;
    QTextCursor cursor(ViewerMemo->document());
    cursor.setPosition(range->start);
    cursor.setPosition(range->start + range->length, QTextCursor::KeepAnchor);
    ViewerMemo->setTextCursor(cursor);
}

// The first hit after a press of the file-name search button files the left field's text
// in the ANSI search-term list.
void TSuchForm::fileSearchTerm()
{
    m_fileForFiling = false;
    const QString text = TntEdit2->text();
    if (text.isEmpty())
        return;
    SearchTermList list(historyItems());
    list.file(text);
    setHistory(list.items(), false);
    if (Status saved = list.save(m_state.database().searchTermList(Family::Ansi)); !saved)
        m_ui.warning(saved.error());
}

// ---- sorted lists -----------------------------------------------------------------------

void TSuchForm::connectSortPanel()
{
    connect(SortierteListenErstellenButton, &QPushButton::clicked, this,
            &TSuchForm::SortierteListenErstellenButtonClick);
    connect(SortAbbrechenButton, &QPushButton::clicked, this, &TSuchForm::SortAbbrechenButtonClick);
    connect(ZeilenAlsListeSortieren, &QPushButton::clicked, this,
            &TSuchForm::ZeilenAlsListeSortierenClick);
}

void TSuchForm::openSortPanel()
{
    m_sortPanel->open(m_state.database());
}

// The viewer lets go of its file first: the build replaces the lists it may show.
void TSuchForm::SortierteListenErstellenButtonClick()
{
    if (m_sortPanel->building())
        return;
    closeShownFile();
    m_state.viewerEmptied();
    m_closeAfterSort = false;
    (void)m_sortPanel->build(m_state.database());
    m_state.readDocumentSizes();
    if (m_closeAfterSort) {
        m_closeAfterSort = false;
        QDialog::reject();
    }
}

void TSuchForm::SortAbbrechenButtonClick()
{
    m_sortPanel->SortAbbrechenButtonClick();
}

// Shows the sorted list of the shown document's family, when there is one.
void TSuchForm::ZeilenAlsListeSortierenClick()
{
    const std::optional<Family> chosen = m_state.chosenDocument();
    if (!chosen)
        return;
    const std::optional<QString> list = sortedlists::listToShow(m_state.database(), *chosen);
    if (!list)
        return;
    openInViewer(*list);
    m_state.sortedListOpened();
    m_navigator.reset();
    WeiterSuche->setEnabled(true);
    LesezeichenBtn->hide();
    Label8->setText(sortedlists::shownListLabel(m_state.database().name(), *chosen));
    Label2->clear();
}

void TSuchForm::showSites()
{
    TntListBox1->clear();
    TntListBox1->addItems(m_websites->sites());
    TntListBox1->setCurrentRow(m_websites->siteIndex());
    TntListBox1->setToolTip(m_websites->TntListBox1MouseMove());
}
