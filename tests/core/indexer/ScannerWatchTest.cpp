#include "indexer/ScannerWatch.h"

#include <gtest/gtest.h>

namespace {

// Feeds ticks with the scanner running, carrying the caption and status along as the
// window would show them.
struct Window {
    QString caption = QStringLiteral("-");
    QString status;
    int ticksUntilStop = 0;

    void run(ScannerWatch& watch, int ticks)
    {
        for (int i = 1; i <= ticks; ++i) {
            const ScannerWatch::Tick tick = watch.tick(true, caption, status);
            caption = tick.caption.value_or(caption);
            status = tick.status.value_or(status);
            if (tick.stop) {
                ticksUntilStop = i;
                return;
            }
        }
    }
};

} // namespace

TEST(ScannerWatchTest, FiveTicksWithTheScannerForANewAndAnUpdatedDatabase)
{
    for (const bool update : {false, true}) {
        ScannerWatch watch(update);
        Window window;
        window.run(watch, 4);
        const QString start = update ? QStringLiteral("Datenbank wird aktualisiert.")
                                     : QStringLiteral("Datenbank wird neu erstellt.");
        EXPECT_EQ(window.caption,
                  QStringLiteral("Bitte Geduld! Windows Defender überprüft gerade Nimbra."));
        EXPECT_EQ(window.status,
                  start +
                      QStringLiteral(" Bitte Geduld! Windows Defender überprüft gerade Nimbra."));
        window.run(watch, 1);
        EXPECT_EQ(window.ticksUntilStop, 1);
        EXPECT_TRUE(window.caption.isEmpty());
        EXPECT_EQ(window.status, start);
    }
}

TEST(ScannerWatchTest, FileCaptionsStayAndAFinishedRunStopsTheWatch)
{
    ScannerWatch watch(false);
    const QString fileCaption = QStringLiteral("12   Ansi-Datei:  D:\\a.txt");
    EXPECT_EQ(watch.tick(false, fileCaption, QString()).caption, QStringLiteral("-"));
    watch.tick(true, fileCaption, QString());
    const ScannerWatch::Tick second = watch.tick(true, fileCaption, QString());
    EXPECT_FALSE(second.caption.has_value());
    EXPECT_FALSE(second.stop);

    const ScannerWatch::Tick finished =
        watch.tick(true, fileCaption, QStringLiteral("Fertig mit der Indizierung."));
    EXPECT_TRUE(finished.stop);
    EXPECT_FALSE(finished.status.has_value()); // the final status stays
}
