#include "indexer/ScannerWatch.h"

const QString ScannerWatch::kProcessName = QStringLiteral("MSMPENG.exe");

namespace {

const QString kPatience = QStringLiteral("Bitte Geduld! Windows Defender überprüft gerade Nimbra.");

} // namespace

QString ScannerWatch::startText() const
{
    return m_updateMode ? QStringLiteral("Datenbank wird aktualisiert.")
                        : QStringLiteral("Datenbank wird neu erstellt.");
}

ScannerWatch::Tick ScannerWatch::tick(bool scannerRunning, const QString& currentCaption,
                                      const QString& currentStatus)
{
    Tick result;
    if (!scannerRunning) {
        result.caption = QStringLiteral("-");
        return result;
    }
    ++m_ticksWithScanner;
    if (m_ticksWithScanner == 5 ||
        currentStatus.contains(QStringLiteral("Fertig mit der Indizierung."))) {
        m_ticksWithScanner = 0;
        result.stop = true;
        result.caption = QString();
        if (!currentStatus.contains(QStringLiteral("Fertig mit der Indizierung")))
            result.status = startText();
        return result;
    }
    // Not over the file captions of the builder, which show the run's progress.
    if (m_ticksWithScanner >= 2 && !currentCaption.isEmpty() &&
        !currentCaption.contains(QStringLiteral("-Datei:"))) {
        result.caption = kPatience;
        result.status = startText() + u' ' + kPatience;
    }
    return result;
}
