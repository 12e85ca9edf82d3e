#include "searchwindow/SortListPanel.h"

#include "common/UserInterface.h"

#include <QDialog>
#include <QFrame>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>

#include <algorithm>
#include <limits>

using sortedlists::BuildEnd;

namespace {

int progressValue(qint64 value)
{
    return int(std::clamp<qint64>(value, 0, std::numeric_limits<int>::max()));
}

} // namespace

SortListPanel::SortListPanel(const Controls& controls, const DatabasePaths& paths,
                             UserInterface& ui, QObject* parent)
    : QObject(parent), m_controls(controls), m_paths(paths), m_ui(ui),
      m_task({[this](const QString& text) { showCaption(text); },
              [this](const QString& text) { m_controls.Label4->setText(text); },
              [this](qint64 position, qint64 maximum) { showProgress(position, maximum); }},
             [this] { return m_panel.cancelRequested(); })
{
    Timer1.setObjectName(QStringLiteral("Timer1"));
    Timer1.setInterval(sortedlists::SortPanel::kTimerMs);
    connect(&Timer1, &QTimer::timeout, this, &SortListPanel::Timer1Timer);
}

void SortListPanel::open(const Database& database)
{
    m_database = database;
    m_panel.open();
    showView();
}

BuildEnd SortListPanel::build(const Database& database)
{
    m_database = database;
    QPalette green = m_controls.ProgressBar1->palette();
    green.setColor(QPalette::Highlight, QColor(0x00, 0xFF, 0x00));
    m_controls.ProgressBar1->setPalette(green);
    m_controls.ProgressBar1->setRange(0, 1);
    m_controls.ProgressBar1->setValue(0);
    if (!m_panel.beginBuild(database.name())) {
        // A cancel was already pending: the build ends at once, as a cancelled one.
        const BuildEnd end{BuildEnd::Kind::Cancelled, QString(), {}};
        m_panel.endBuild(end);
        showView();
        enableLoadButtons();
        return end;
    }
    m_building = true;
    lockControls(m_controls.window);
    Timer1.start();
    showView();
    const BuildEnd end = sortedlists::buildAllLists(database, mode(), m_task, m_limits);
    m_building = false;
    unlockControls();
    m_panel.endBuild(end);
    showView();
    enableLoadButtons();
    if (end.kind == BuildEnd::Kind::NoDocuments)
        m_ui.information(end.message);
    else if (!end.message.isEmpty())
        m_ui.warning(end.message);
    return end;
}

void SortListPanel::SortAbbrechenButtonClick()
{
    m_panel.cancelClicked();
    showView();
    if (!m_building && !isOpen())
        enableLoadButtons();
}

void SortListPanel::Timer1Timer()
{
    m_panel.timerTick();
    showView();
}

// ---- what the build shows ---------------------------------------------------------------

// After a cancel the caption keeps saying so until the build has stopped.
void SortListPanel::showCaption(const QString& text)
{
    if (!m_panel.cancelRequested())
        m_controls.window->setWindowTitle(text);
}

void SortListPanel::showProgress(qint64 position, qint64 maximum)
{
    m_controls.ProgressBar1->setRange(0, std::max(1, progressValue(maximum)));
    m_controls.ProgressBar1->setValue(progressValue(position));
}

// ---- the panel's controls ---------------------------------------------------------------

sortlist::SortMode SortListPanel::mode() const
{
    if (m_controls.nurWoerterButton->isChecked())
        return sortlist::SortMode::Words;
    if (m_controls.nurSaetzeButton->isChecked())
        return sortlist::SortMode::Phrases;
    return sortlist::SortMode::WordsAndPhrases;
}

// Disables every control of the window except the cancel button and the two displays of
// the build; the containers on the way to them stay enabled, their other children not.
void SortListPanel::lockControls(QWidget* parent)
{
    for (QWidget* child : parent->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (child->isWindow() || child == m_controls.SortAbbrechenButton ||
            child == m_controls.Label4 || child == m_controls.ProgressBar1)
            continue;
        if (child->isAncestorOf(m_controls.SortAbbrechenButton)) {
            lockControls(child);
            continue;
        }
        m_locked.append({child, !child->testAttribute(Qt::WA_ForceDisabled)});
        child->setEnabled(false);
    }
}

void SortListPanel::unlockControls()
{
    for (const auto& [widget, enabled] : std::as_const(m_locked)) {
        if (widget)
            widget->setEnabled(enabled);
    }
    m_locked.clear();
}

void SortListPanel::enableLoadButtons()
{
    const std::array<bool, 3> enabled =
        m_database ? sortedlists::loadButtons(*m_database) : std::array<bool, 3>{};
    for (std::size_t i = 0; i < enabled.size(); ++i)
        m_controls.loadButtons[i]->setEnabled(enabled[i]);
}

// The core's view: which panel shows, the caption and Label4 where the core changed them
// (the build writes both in between), and the timer.
void SortListPanel::showView()
{
    const sortedlists::SortPanel::View& view = m_panel.view();
    m_controls.Bevel5->setVisible(view.visible);
    m_controls.Panel2->setVisible(!view.visible);
    if (m_shownCaption != view.caption) {
        m_shownCaption = view.caption;
        m_controls.window->setWindowTitle(view.caption);
    }
    if (m_shownLabel != view.label) {
        m_shownLabel = view.label;
        m_controls.Label4->setText(view.label);
    }
    if (!m_building)
        m_controls.ProgressBar1->setValue(progressValue(view.progress));
    if (!view.timerRunning)
        Timer1.stop();
}
