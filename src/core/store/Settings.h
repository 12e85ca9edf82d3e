#pragma once

#include "common/Result.h"
#include "store/Family.h"

#include <QString>

#include <optional>
#include <vector>

// The key below the current user's root that holds every setting of the program.
inline const QString kRegKey = QStringLiteral("Software\\Halvern\\Nimbra-Doviruzu\\");

// The value's text, or an empty text when the key or the value does not exist. Never
// creates the key.
QString LeseRegKey(const QString& key, const QString& valueName);
// Writes one value as a string, creating the key when it does not exist.
void SchreibeRegKey(const QString& key, const QString& valueName, const QString& text);

namespace settings {

// Value names of the settings table.
inline const QString kSelectedDatabase = QStringLiteral("Ausgewaehlte_Datenbank");
inline const QString kTopic = QStringLiteral("Themen-Webseite");
inline const QString kSelectedWebsite = QStringLiteral("Ausgewaehlte_Webseite");
inline const QString kColor = QStringLiteral("Farbe");
inline const QString kTextColor = QStringLiteral("HinweistextFarbe");
inline const QString kHeight = QStringLiteral("Hoehe");
inline const QString kWidth = QStringLiteral("Weite");
inline const QString kSearchHeight = QStringLiteral("SHoehe");
inline const QString kSearchWidth = QStringLiteral("SWeite");
inline const QString kBrowser = QStringLiteral("Browser");
inline const QString kCopySearchTerm = QStringLiteral("Suchwort_in_Zwischenablage_kopieren");
inline const QString kShowViewerHint = QStringLiteral("Kurzhinweis_imViewer_anzeigen");
inline const QString kViewerFontSize = QStringLiteral("SchriftsizeTextViewer");
inline const QString kSplitterPos = QStringLiteral("SplitterPos");
inline const QString kControlFolder = QStringLiteral("Nimbra_Control");

// How a missing value is replaced.
enum class Fallback {
    Text,         // the text of the table
    DefaultWidth, // the program-wide default width
    None,         // no fallback: the reader keeps its own state (check boxes as designed)
};

struct Entry {
    QString name;
    std::optional<QString> firstStartDefault; // written at first start, in table order
    Fallback fallback = Fallback::Text;
    QString fallbackText; // for Fallback::Text
};

// Every value of the store, with its first-start default and its fallback.
const std::vector<Entry>& table();

// "Lesezeichen_Ansi_<db>", "Lesezeichen_Utf8_<db>", "Lesezeichen_Unicode_<db>".
QString bookmarkValueName(Family family, const QString& database);

// The settings of one key with the table's defaults and fallbacks. Reads are never cached.
class SettingsStore {
public:
    explicit SettingsStore(QString key = kRegKey) : m_key(std::move(key)) {}

    QString read(const QString& name) const;
    void write(const QString& name, const QString& text) const;

    // The stored text, or the fallback of the table when it is empty.
    QString readOrFallback(const QString& name) const;
    // What the table puts in place of a missing value (empty: no fallback).
    QString fallbackOf(const QString& name) const;
    // A decimal integer, the fallback when missing, or an error naming the stored text.
    Result<int> readNumber(const QString& name) const;

    // The control folder when it is in use: set, and inside the base folder's path
    // (compared without case); else empty.
    QString controlFolderFor(const QString& baseFolder) const;

    // First start (no selected-database value yet): writes the table's first-start values
    // in table order. True when it did.
    bool writeFirstStartDefaultsIfNeeded() const;

    // 1024 at start; the screen width when the screen is narrower than 1025 pixels.
    int defaultWidth() const { return m_defaultWidth; }
    void applyScreenWidth(int screenWidth);

private:
    QString m_key;
    int m_defaultWidth = 1024;
};

} // namespace settings
