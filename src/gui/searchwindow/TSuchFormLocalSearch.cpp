#include "searchwindow/TSuchForm.h"

#include "dialogs/TAnzeige_Anzahl_FundstellenForm.h"
#include "search/HitCount.h"
#include "search/SearchDriver.h"
#include "searchwindow/SuchFormLayout.h"

#include <QCheckBox>
#include <QClipboard>
#include <QGuiApplication>
#include <QLineEdit>
#include <QPushButton>

// The search window's count of hits and its search of the whole database.

namespace {

const QString kCancelRunHint =
    QStringLiteral("Suche abbrechen. Wenn Klicken nicht geht, Taste Esc drücken!");

} // namespace

void TSuchForm::Anz_FundstellenBtnClick()
{
    if (m_pathListOnly || m_countRunning)
        return;
    m_countRunning = true;
    m_cancel = false;
    const QString text = TntEdit2->text();
    HitCounter counter;
    counter.setProgress(&m_task);
    const HitCount count = countHits(m_paths, m_database, text, counter);
    TntEdit1->setText(text);
    const QString message = hitCountMessage(text, count, GrossKleinBeachten->isChecked(),
                                            NurGanzeWoerterCheckBox->isChecked());
    const bool startedBySearch = m_countStartedBySearch;
    m_countStartedBySearch = false;
    if (m_countDialog->ask(message, startedBySearch)) {
        ++m_confirmations;
        m_countRunning = false;
        OKBtnClick();
        m_countRunning = true;
    }
    reloadUserDocument();
    const auto only = [&](Family family) {
        return count.of(family) > 0 && count.total() == count.of(family);
    };
    for (const Family family : kFamilies) {
        if (only(family))
            loadDocument(family);
    }
    m_countRunning = false;
}

void TSuchForm::reloadUserDocument()
{
    for (const Family family : kFamilies) {
        if ((!m_userDocument || *m_userDocument == family) && loadButton(family)->isEnabled()) {
            loadDocument(family);
            return;
        }
    }
}

// ---- local search -----------------------------------------------------------------------

void TSuchForm::OKBtnClick()
{
    if (m_searchRunning || m_countRunning)
        return;
    m_searchFailed = false;
    m_searchCancelled = false;
    if (!m_pathListOnly && m_confirmations == 0) {
        m_countStartedBySearch = true;
        Anz_FundstellenBtnClick(); // a "Ja" runs this again, confirmed
    } else {
        runSearch();
    }
    finishRun();
}

void TSuchForm::runSearch()
{
    prepareRun();
    SearchDriver driver(m_paths, m_ui, m_task);
    const Result<SearchHits> hits =
        driver.run(m_database, TntEdit2->text(), GrossKleinBeachten->isChecked(),
                   NurGanzeWoerterCheckBox->isChecked());
    m_hits = hits ? *hits : SearchHits();
    m_searchFailed = !hits;
    m_searchCancelled = hits && m_cancel;
    for (const Family family : kFamilies)
        m_documentHit[std::size_t(family)] = hits && !driver.noHit(family);
    if (hits && !m_pathListOnly)
        writeResultPages();
    m_searchRunning = false;
    if (hits)
        copyToClipboard();
    closeDownRun();
}

void TSuchForm::prepareRun()
{
    m_searchRunning = true;
    m_cancel = false;
    setRunControlsEnabled(false);
    m_hits.clear();
    m_documentHit = {};
    for (QWidget* each :
         std::initializer_list<QWidget*>{OKBtn, TntEdit2, GrossKleinBeachten, Anz_FundstellenBtn,
                                         NurGanzeWoerterCheckBox, SuchImInternetBtn})
        each->setEnabled(false);
    CancelBtn->setToolTip(kCancelRunHint);
    emit searchProgressStarted();
    setWindowTitle(QStringLiteral("Suche läuft..."));
}

void TSuchForm::copyToClipboard()
{
    if (m_store.read(settings::kCopySearchTerm) != QLatin1String("1"))
        return;
    ClipbrdTntEdit->setText(
        SearchDriver::clipboardText(TntEdit2->text(), PhraseCheckBox->isChecked()));
    QGuiApplication::clipboard()->setText(ClipbrdTntEdit->text());
}

// Also after a refused text: the window's controls never stay disabled for the next showing.
void TSuchForm::closeDownRun()
{
    QString text = TntEdit2->text();
    if (text.endsWith(QChar::ReplacementCharacter)) {
        text.chop(1);
        TntEdit2->setText(text);
    }
    emit searchProgressStopped();
    setWindowTitle(QString());
    CancelBtn->setEnabled(true);
    CancelBtn->setToolTip(suchform::kCancelHint);
    for (QWidget* each :
         std::initializer_list<QWidget*>{OKBtn, TntEdit2, GrossKleinBeachten, Anz_FundstellenBtn,
                                         NurGanzeWoerterCheckBox, SuchImInternetBtn})
        each->setEnabled(true);
    m_searchRunning = false;
    if (m_shown)
        loadDocument(*m_shown);
}

void TSuchForm::setRunControlsEnabled(bool enabled)
{
    for (QWidget* each : std::initializer_list<QWidget*>{
             Anz_FundstellenBtn, ZeilenAlsListeSortieren, AnsiLadenButton, UTF8LadenButton,
             UnicodeLadenButton, TntEdit1, Button2, WeiterSuche, LesezeichenBtn})
        each->setEnabled(enabled);
}

void TSuchForm::finishRun()
{
    setRunControlsEnabled(true);
    WeiterSuche->setEnabled(!TntEdit1->text().isEmpty());
    m_confirmations = 0;
    accept();
}
