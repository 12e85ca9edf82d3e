#include "lists/SortedLists.h"

#include "common/TaskPacer.h"
#include "platform/FileFacts.h"
#include "store/Catalogue.h"
#include "store/DatabaseLock.h"

namespace sortedlists {

namespace {

constexpr qint64 kSmallestSortedDocument = 5;

} // namespace

BuildEnd buildAllLists(const Database& database, sortlist::SortMode mode, TaskProgress& task,
                       SortedListBuilder::Limits limits)
{
    using Kind = BuildEnd::Kind;
    // The runs of the build go to Datenbank\Temp, which an indexing run fills as well.
    if (DatabaseLock::isHeld(database))
        return {Kind::Failed, DatabaseLock::busyMessage(database.name()), {}};
    (void)catalogue::emptyTempFolder(database.paths());
    bool anyDocument = false;
    for (const Family family : kFamilies)
        anyDocument = anyDocument || platform::exists(database.document(family));
    if (!anyDocument)
        return {Kind::NoDocuments, noDocumentsMessage(database.name()), {}};

    BuildEnd end;
    TaskPacer pacer(task, limits.eventIntervalMs);
    if (pacer.tick())
        return {Kind::Cancelled, QString(), {}};
    task.caption(buildingCaption(database.name()));
    const QCollator collator = sortedListCollator();
    SortedListBuilder builder(database.paths(), collator, task, pacer, limits);
    for (const Family family : kFamilies) {
        const std::optional<qint64> size = platform::fileSize(database.document(family));
        if (!size || *size < kSmallestSortedDocument)
            continue;
        task.status(documentLabel(database.name(), family));
        const Result<SortedListBuilder::Outcome> built = builder.build(database, family, mode);
        if (!built)
            return {Kind::Failed, built.error(), end.written};
        if (*built == SortedListBuilder::Outcome::Written) {
            end.written.append(family); // replaced, even when a cancel follows at once
            task.progress(1, 1);
        }
        if (*built == SortedListBuilder::Outcome::Cancelled || pacer.tick()) {
            end.kind = Kind::Cancelled;
            return end;
        }
    }
    return end;
}

QString openPanelQuestion(const QString& database)
{
    return QStringLiteral("Möchten Sie die Dokumente von \"%1\" sortieren?\r\n"
                          "Vorhandene sortierte Listen werden überschrieben! Wenn JA, dann \r\n"
                          "klicken Sie anschließend auf den Schalter \"Sortierte Listen "
                          "erstellen\"")
        .arg(database);
}

QString noDocumentsMessage(const QString& database)
{
    return QStringLiteral("Für die Datenbank \"%1\" existieren keine Dokumente, die sortiert "
                          "werden könnten!")
        .arg(database);
}

QString buildingCaption(const QString& database)
{
    return QStringLiteral("Sortierung von: \"%1\" läuft.").arg(database);
}

QString cancelCaption()
{
    return QStringLiteral("Abbruch durch Benutzer! Bitte Geduld! Ich höre gleich auf!");
}

QString documentLabel(const QString& database, Family family)
{
    return QStringLiteral("Sortierte Liste von: ") + database + u'_' + documentFamilyName(family) +
           QStringLiteral("Dokument.txt");
}

QString finishedLabel()
{
    return QStringLiteral("Fertig");
}

QString failedLabel()
{
    return QStringLiteral("Nicht fertig: die bisherigen Listen bleiben erhalten.");
}

QString closedPanelLabel()
{
    return QStringLiteral("Sortierte Liste von: ");
}

QString shownListLabel(const QString& database, Family family)
{
    static const char* const kWords[] = {"ANSI", "UTF8", "Unicode"};
    return QStringLiteral("Sortierte %1-Liste von DB: \"%2\"")
        .arg(QLatin1String(kWords[int(family)]), database);
}

std::array<bool, 3> loadButtons(const Database& database)
{
    std::array<bool, 3> enabled{};
    for (const Family family : kFamilies) {
        const std::optional<qint64> size = platform::fileSize(database.document(family));
        enabled[int(family)] = size && *size > (family == Family::Unicode ? 4 : 2);
    }
    return enabled;
}

std::optional<QString> listToShow(const Database& database, Family family)
{
    const QString list = database.phraseList(family);
    if (!platform::exists(list))
        return std::nullopt;
    return list;
}

void SortPanel::open()
{
    m_cancelRequested = false;
    m_view.visible = true;
}

bool SortPanel::beginBuild(const QString& database)
{
    if (m_cancelRequested)
        return false;
    m_sorting = true;
    m_ticks = 0;
    m_view.controlsEnabled = false;
    m_view.timerRunning = true;
    m_view.caption = buildingCaption(database);
    return true;
}

void SortPanel::endBuild(const BuildEnd& end)
{
    m_sorting = false;
    if (end.kind == BuildEnd::Kind::Cancelled || m_cancelRequested) {
        closePanel();
        return;
    }
    m_view.controlsEnabled = true;
    m_view.progress = 0;
    m_view.caption.clear();
    // A failed build must not look finished; with no documents nothing else changes.
    if (end.kind == BuildEnd::Kind::Finished)
        m_view.label = finishedLabel();
    else if (end.kind == BuildEnd::Kind::Failed)
        m_view.label = failedLabel();
}

void SortPanel::cancelClicked()
{
    m_cancelRequested = true;
    m_view.caption = cancelCaption();
    if (!m_sorting)
        closePanel();
}

void SortPanel::timerTick()
{
    if (!m_view.timerRunning)
        return;
    if (m_cancelRequested) {
        m_sorting = false;
        cancelClicked();
    }
    if (++m_ticks >= kTimerTicks || !m_view.visible)
        m_view.timerRunning = false;
}

void SortPanel::closePanel()
{
    m_view.visible = false;
    m_view.controlsEnabled = true;
    m_view.timerRunning = false;
    m_view.label = closedPanelLabel();
    m_view.progress = 0;
    m_view.caption.clear();
}

} // namespace sortedlists
