// Times the viewer widget on one large document, offscreen: open with the first page
// painted, Ctrl+End, 1,000 thumb jumps, 10,000 page downs; prints peak RSS growth. With a
// search text, also the first and second press of "Suchen" (count, then the next hit).
// Usage: viewerbench FILE text|unicode [SEARCH_TEXT]
#include "platform/FileFacts.h"
#include "search/HitNavigator.h"
#include "widgets/TATBinHex.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QKeyEvent>
#include <QScrollBar>

#include <cstdio>
#include <random>

namespace {

qint64 peakRssKib()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').first().toLongLong();
    return 0;
}

void press(TATBinHex& viewer, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QKeyEvent event(QEvent::KeyPress, key, modifiers);
    QApplication::sendEvent(&viewer, &event);
    viewer.viewport()->repaint();
}

void report(const char* what, QElapsedTimer& timer, int count = 1)
{
    const double ms = double(timer.nsecsElapsed()) / 1e6;
    std::printf("%-28s %10.2f ms total %10.4f ms each\n", what, ms, ms / count);
    timer.restart();
}

class SilentUserInterface : public UserInterface {
public:
    void information(const QString&) override {}
    void warning(const QString&) override {}
    bool question(const QString&) override { return true; }
};

// Two presses of "Suchen" on the document: the first counts every occurrence and shows the
// first, the second shows the next one.
void timeHitSteps(const QString& file, bool unicode, const QString& text)
{
    SilentUserInterface ui;
    HitNavigator navigator(ui);
    const DocumentPattern pattern =
        DocumentPattern::of(text, unicode ? Family::Unicode : Family::Ansi);
    const qint64 before = peakRssKib();
    QElapsedTimer timer;
    timer.start();
    navigator.WeiterSuche(file, pattern, [](const HitNavigator::Hit&) {});
    report("first Suchen (count + hit)", timer);
    navigator.WeiterSuche(file, pattern, [](const HitNavigator::Hit&) {});
    report("second Suchen", timer);
    std::printf("\"%s\" occurs %lld times; peak RSS growth of the search: %lld KiB\n",
                qPrintable(text), navigator.occurrences(), peakRssKib() - before);
}

} // namespace

int main(int argc, char* argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (argc < 3)
        return 2;
    const QString file = platform::programPath(QFile::decodeName(argv[1]));
    TATBinHex viewer;
    viewer.resize(1043, 500);
    viewer.setFont(QFont(QStringLiteral("Arial Unicode MS"), 11));
    viewer.setTextWrap(true);
    viewer.setMode(qstrcmp(argv[2], "unicode") == 0 ? vbmodeUnicode : vbmodeText);
    viewer.show();
    app.processEvents();
    const qint64 startRss = peakRssKib();

    QElapsedTimer timer;
    timer.start();
    if (!viewer.Open(file))
        return 1;
    viewer.viewport()->repaint();
    report("open + first page", timer);
    press(viewer, Qt::Key_End, Qt::ControlModifier);
    report("Ctrl+End", timer);
    std::mt19937 random(1);
    QScrollBar* bar = viewer.verticalScrollBar();
    for (int i = 0; i < 1000; ++i) {
        bar->setSliderPosition(int(random() % (bar->maximum() + 1)));
        viewer.viewport()->repaint();
    }
    report("1,000 thumb jumps", timer, 1000);
    press(viewer, Qt::Key_Home, Qt::ControlModifier);
    timer.restart();
    for (int i = 0; i < 10000; ++i)
        press(viewer, Qt::Key_PageDown);
    report("10,000 page downs", timer, 10000);
    std::printf("peak RSS beyond start-up: %lld KiB (buffer %lld KiB)\n", peakRssKib() - startRss,
                viewer.core().bufferSize() / 1024);
    if (argc > 3)
        timeHitSteps(file, qstrcmp(argv[2], "unicode") == 0, QString::fromUtf8(argv[3]));
    return 0;
}
