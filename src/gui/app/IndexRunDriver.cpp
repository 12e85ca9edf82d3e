#include "app/IndexRunDriver.h"

#include "indexer/ListProgram.h"
#include "platform/SystemInfo.h"

IndexRunDriver::IndexRunDriver(const DatabasePaths& paths, QString controlFolder,
                               QString nativeOwnFolder, UserInterface& ui, QObject* parent)
    : QObject(parent), m_paths(paths), m_controlFolder(std::move(controlFolder)),
      m_ownFolder(std::move(nativeOwnFolder)), m_ui(ui), m_control(ui)
{
    m_waitTimer.setInterval(RunControl::kTickMs);
    connect(&m_waitTimer, &QTimer::timeout, this, &IndexRunDriver::waitTick);
    m_progressTimer.setInterval(200);
    connect(&m_progressTimer, &QTimer::timeout, this, [this] {
        emit progressChanged(m_control.progressLine(m_run ? m_run->processedCount() : 0));
    });
    connect(&m_listProgram, &QProcess::started, this, [this] { m_listProgramStarted = true; });
    m_scannerTimer.setInterval(ScannerWatch::kTickMs);
    connect(&m_scannerTimer, &QTimer::timeout, this, &IndexRunDriver::scannerTick);
}

IndexRunDriver::~IndexRunDriver()
{
    listprogram::stop(m_listProgram);
}

void IndexRunDriver::start(const IndexRun::Request& request, bool newDriveList)
{
    m_databaseName = request.name;
    m_updatedDatabase = request.updateMode;
    m_control.beginRun(request.updateMode);
    m_progressTimer.start();
    emit runStarted();
    emit viewChanged();
    m_run = std::make_unique<IndexRun>(m_paths, m_controlFolder, m_ui, m_task);
    if (Status started = m_run->start(request); !started)
        return failRun(started.error());
    if (newDriveList || m_run->driveList().isEmpty())
        return startListProgram();
    continueRun();
}

void IndexRunDriver::startListProgram()
{
    const QString program = listprogram::locate(m_paths, m_controlFolder, m_ownFolder);
    if (program.isEmpty())
        return failRun(listprogram::notFoundMessage(m_paths, m_ownFolder));
    m_listProgramStarted = false;
    m_listProgram.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    m_listProgram.setStandardOutputFile(QProcess::nullDevice()); // its progress lines
    listprogram::start(m_listProgram, program, m_paths, m_controlFolder, m_run->driveLetter());
    if (!m_listProgram.waitForStarted()) {
        return failRun(QStringLiteral("%1 konnte nicht gestartet werden: %2")
                           .arg(program, m_listProgram.errorString()));
    }
    m_control.beginWait();
    m_waitTimer.start();
    emit viewChanged();
}

RunControl::ListProgram IndexRunDriver::listProgramState() const
{
    if (m_listProgram.state() != QProcess::NotRunning)
        return m_listProgramStarted ? RunControl::ListProgram::Running
                                    : RunControl::ListProgram::NotStarted;
    return m_listProgramStarted ? RunControl::ListProgram::Finished
                                : RunControl::ListProgram::NotStarted;
}

void IndexRunDriver::waitTick()
{
    const RunControl::Wait step = m_control.waitTick(listProgramState());
    showCaption(view().caption);
    emit viewChanged();
    if (step == RunControl::Wait::KeepWaiting)
        return;
    m_waitTimer.stop();
    if (step == RunControl::Wait::TimedOut) {
        m_run.reset();
        listprogram::stop(m_listProgram);
        m_progressTimer.stop();
        emit runEnded(false);
        return;
    }
    const bool failed =
        m_listProgram.exitStatus() != QProcess::NormalExit || m_listProgram.exitCode() != 0;
    if (failed)
        return failRun(QStringLiteral("%1 ist mit einem Fehler beendet worden. Die Datenbank "
                                      "bleibt unverändert.")
                           .arg(listprogram::fileName()));
    continueRun();
}

void IndexRunDriver::continueRun()
{
    // A virus scanner may hold the program up while it filters the list and reads files.
    m_scannerWatch.emplace(m_control.updateMode());
    m_scannerTimer.start();
    if (Status read = m_run->readList(); !read)
        return failRun(read.error());
    m_control.endOfListReading();
    if (Status finished = m_run->finish(m_control.aborted()); !finished)
        m_ui.warning(finished.error());
    endRun(m_run->finalStatus());
}

void IndexRunDriver::endRun(const QString& finalStatus)
{
    m_progressTimer.stop();
    m_scannerTimer.stop();
    emit progressChanged(m_control.progressLine(m_run ? m_run->processedCount() : 0));
    const bool closeRequested = m_control.finishRun(finalStatus);
    showCaption(QString());
    emit viewChanged();
    emit runEnded(closeRequested);
}

void IndexRunDriver::failRun(const QString& message)
{
    m_run.reset(); // lets the database's lock go
    m_waitTimer.stop();
    m_progressTimer.stop();
    m_scannerTimer.stop();
    m_control.listProgramFailed(message);
    showCaption(QString());
    emit viewChanged();
    emit runEnded(false);
}

RunControl::CloseButton IndexRunDriver::closeButton()
{
    const RunControl::CloseButton outcome = m_control.closeButton();
    if (outcome == RunControl::CloseButton::StopListProgram) {
        m_run.reset();
        m_waitTimer.stop();
        m_progressTimer.stop();
        listprogram::stop(m_listProgram);
        showCaption(QString());
        emit runEnded(false);
    }
    emit viewChanged();
    return outcome;
}

void IndexRunDriver::showCaption(const QString& text)
{
    m_caption = text;
    emit captionChanged(text);
}

void IndexRunDriver::scannerTick()
{
    const ScannerWatch::Tick tick = m_scannerWatch->tick(
        platform::processRunning(ScannerWatch::kProcessName), m_caption, view().status);
    if (tick.caption)
        showCaption(*tick.caption);
    if (tick.status)
        showStatus(*tick.status);
    if (tick.stop)
        m_scannerTimer.stop();
}

void IndexRunDriver::showStatus(const QString& text)
{
    m_control.setStatus(text);
    emit viewChanged();
}
