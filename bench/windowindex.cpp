// Indexes a folder from the main window, as a click on "Neue DB erstellen" and a confirmed
// dialog would, and reports the longest time the window went without handling its events.
// Usage: windowindex BASE_FOLDER NAME FOLDER PATTERNS [--new-list]
#include "app/TMainForm_NB_Klar.h"

#include "platform/FileFacts.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QTextStream>
#include <QTimer>

#include <cstdio>

namespace {

// Measures the gaps between event passes with a timer that wants to run every 5 ms.
// Also keeps the first status line and the caption at the end of the longest gap, to tell
// the phase.
class EventGapMeter : public QObject {
public:
    explicit EventGapMeter(const IndexRunDriver& driver)
    {
        m_clock.start();
        m_timer.setInterval(5);
        connect(&driver, &IndexRunDriver::captionChanged, this,
                [this](const QString& caption) { m_caption = caption; });
        connect(&m_timer, &QTimer::timeout, this, [this, &driver] {
            const qint64 gap = m_clock.restart();
            // A large file is split in one go; the goal counts the gaps outside splits.
            if (gap > m_longest && !m_caption.contains(QStringLiteral("gesplittet"))) {
                m_longest = gap;
                m_phase = driver.view().status + QStringLiteral(" / ") + m_caption.left(60);
            }
        });
        m_timer.start();
    }
    qint64 longest() const { return m_longest; }
    const QString& phase() const { return m_phase; }

private:
    QTimer m_timer;
    QElapsedTimer m_clock;
    qint64 m_longest = 0;
    QString m_phase;
    QString m_caption;
};

} // namespace

int main(int argc, char* argv[])
{
    QElapsedTimer startTime;
    startTime.start();
    QApplication app(argc, argv);
    const qint64 applicationMs = startTime.elapsed();
    const QStringList args = app.arguments();
    if (args.size() < 5) {
        std::fputs("Aufruf: windowindex BASIS NAME ORDNER ENDUNGEN [--new-list]\n", stderr);
        return 2;
    }
    TMainForm_NB_Klar::StartInfo start;
    start.nativeWorkingFolder = QDir(args[1]).absolutePath();
    start.nativeProgramFolder = QApplication::applicationDirPath();
    TMainForm_NB_Klar form(start);
    form.show();
    QApplication::processEvents();
    const qint64 shownMs = startTime.elapsed();
    EventGapMeter meter(form.runDriver());
    QObject::connect(&form.runDriver(), &IndexRunDriver::runEnded, &app, &QApplication::quit);
    const IndexRun::Request request{
        args[2], platform::programPath(QDir(args[3]).absolutePath()), args[4],
        QDir(args[1]).exists(QStringLiteral("Datenbank/") + args[2] + QStringLiteral(".dat")),
        false};
    QElapsedTimer runTime;
    QTimer::singleShot(0, &form, [&] {
        runTime.start();
        form.runDriver().start(request, args.contains(QStringLiteral("--new-list")));
    });
    app.exec();
    const qint64 runMs = runTime.elapsed();
    QTextStream(stdout) << "start-up: application " << applicationMs << " ms, window shown after "
                        << shownMs << " ms\n";
    QTextStream(stdout) << "run from the click to its end (without the program's start): " << runMs
                        << " ms\n"
                        << form.runDriver().view().status
                        << "\nlongest gap between event passes outside splits: " << meter.longest()
                        << " ms (ending in \"" << meter.phase() << "\")\n";
    return 0;
}
