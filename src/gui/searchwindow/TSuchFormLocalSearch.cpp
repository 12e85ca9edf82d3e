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
    if (m_state.pathListOnly() || m_state.counting())
        return;
    countHitsThenOfferSearch(false);
}

// The count's dialog offers the search: its "Ja" runs it, confirmed. Afterwards the document
// the user chose is shown again, or the only class that holds hits.
void TSuchForm::countHitsThenOfferSearch(bool startedBySearch)
{
    m_state.countStarted();
    const QString text = TntEdit2->text();
    HitCounter counter;
    counter.setProgress(&m_task);
    const HitCount count = countHits(m_state.database(), text, counter);
    TntEdit1->setText(text);
    const QString message = hitCountMessage(text, count, GrossKleinBeachten->isChecked(),
                                            NurGanzeWoerterCheckBox->isChecked());
    if (m_countDialog->ask(message, startedBySearch)) {
        m_state.countConfirmed();
        m_state.countEnded();
        searchConfirmed();
        m_state.countResumed();
    }
    reloadUserDocument();
    const auto only = [&](Family family) {
        return count.of(family) > 0 && count.total() == count.of(family);
    };
    for (const Family family : kFamilies) {
        if (only(family))
            loadDocument(family);
    }
    m_state.countEnded();
}

void TSuchForm::reloadUserDocument()
{
    const std::optional<Family> chosen = m_state.userDocument();
    for (const Family family : kFamilies) {
        if ((!chosen || *chosen == family) && loadButton(family)->isEnabled()) {
            loadDocument(family);
            return;
        }
    }
}

// ---- local search -----------------------------------------------------------------------

void TSuchForm::OKBtnClick()
{
    if (m_state.running())
        return;
    m_state.searchRequested();
    if (m_state.searchStartsWithCount())
        countHitsThenOfferSearch(true);
    else
        runSearch();
    finishRun();
}

void TSuchForm::searchConfirmed()
{
    m_state.searchRequested();
    runSearch();
    finishRun();
}

void TSuchForm::runSearch()
{
    prepareRun();
    SearchDriver driver(m_paths, m_ui, m_task);
    const Result<SearchHits> hits =
        driver.run(m_state.database(), TntEdit2->text(), GrossKleinBeachten->isChecked(),
                   NurGanzeWoerterCheckBox->isChecked());
    if (hits) {
        std::array<bool, 3> documentHit{};
        for (const Family family : kFamilies)
            documentHit[std::size_t(family)] = !driver.noHit(family);
        m_state.searchFound(*hits, documentHit);
        if (!m_state.pathListOnly())
            writeResultPages();
    } else {
        m_state.searchRefused();
    }
    m_state.searchStopped();
    if (hits)
        copyToClipboard();
    closeDownRun();
}

void TSuchForm::prepareRun()
{
    m_state.searchStarted();
    setRunControlsEnabled(false);
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
    m_state.searchStopped();
    m_state.readDocumentSizes();
    if (const std::optional<Family> chosen = m_state.chosenDocument())
        loadDocument(*chosen);
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
    m_state.runClosed();
    accept();
}
