#pragma once

#include "store/Colors.h"
#include "store/Settings.h"

#include <QSize>
#include <QString>
#include <QStringList>

#include <optional>

// The settings window's logic without the window: what each button writes, what Cancel
// takes back, the viewer font's bounds and the question before the sorted lists.
class SettingsWindowModel {
public:
    static constexpr int kStandardFontSize = 10;
    static constexpr int kMinFontSize = 6;
    static constexpr int kMaxFontSize = 72;
    static constexpr QSize kStandardMainSize{1024, 506};
    static constexpr QSize kStandardSearchSize{1024, 500};

    // The two check boxes of the window.
    struct CheckBoxes {
        bool copySearchTerm = true;  // SuchtextInClipbrdCheckBox
        bool showViewerHints = true; // KurzhinweisImViewerZeigenCheckBox
        bool operator==(const CheckBoxes&) const = default;
    };

    // The controls whose text takes the hint colour, by objectName, window by window.
    struct HintColorControls {
        QStringList mainWindow;
        QStringList settingsWindow;
        QStringList searchWindow;
        QStringList newDatabaseDialog;
    };
    static const HintColorControls& hintColorControls();

    explicit SettingsWindowModel(settings::SettingsStore store = settings::SettingsStore());

    // The colours the windows show for the stored texts: "Farbe" (missing or unreadable:
    // the system highlight colour) and "HinweistextFarbe" (missing: white).
    TColor background() const;
    TColor hintColor() const;
    // The boxes as stored: "1" checks, any other text unchecks, a missing value leaves the
    // box as it is.
    CheckBoxes storedCheckBoxes(CheckBoxes shown) const;

    // The window is shown: Cancel takes back what changes from here on.
    void opened(CheckBoxes shown);
    // A colour was chosen in the colour dialog; both are written at once.
    void backgroundChosen(TColor color);
    void hintColorChosen(TColor color);
    bool backgroundChanged() const { return m_backgroundChanged; }

    // OK stores the boxes as "1" or "0".
    void ok(CheckBoxes boxes) const;

    // Closing without OK: the boxes go back to what they showed when the window opened, as
    // they were never stored. Cancel also puts back the background colour of the opening
    // when one was chosen in this showing ("Farbe" as it was stored, even when empty).
    struct Restore {
        CheckBoxes boxes;
        std::optional<TColor> background; // set: the windows take this colour again
    };
    Restore closedWithoutOk() const { return {m_openedBoxes, std::nullopt}; }
    Restore cancel();

    // "Standard wieder herstellen": black windows, white hint texts, font size 10 and the
    // standard window sizes are written. The standard colours count as chosen on purpose,
    // so a later Cancel leaves them.
    void restoreStandards();

    // The viewer's font stays within 6 to 72 points; a stored size outside that, or one
    // that is no number, reads as 10.
    static int boundedFontSize(int points);
    static int storedFontSize(const QString& text);

    // The question of "Sortierte Listen erstellen", three lines.
    static QString sortQuestion(const QString& database);

private:
    settings::SettingsStore m_store;
    CheckBoxes m_openedBoxes;
    QString m_openedBackgroundText;
    TColor m_openedBackground = colors::clBlack;
    // Set at a background colour choice, cleared when the window is shown again.
    bool m_backgroundChanged = false;
};
