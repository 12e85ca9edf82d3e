#pragma once

#include "common/UserInterface.h"
#include "models/SettingsWindowModel.h"
#include "results/BrowserPrograms.h"
#include "results/BrowserSymbols.h"

#include <QColor>
#include <QDialog>

#include <array>
#include <functional>
#include <optional>

class QCheckBox;
class QLabel;
class QPushButton;
class TSuchForm;

// The settings window "Einstellungen": background and hint colours, the viewer's font size,
// the browser of the result pages, two options, the standard settings and the way to the
// sorted lists. Its changes take effect on the other windows at once; the main window
// follows through the signals.
class TEinstellform : public QDialog {
    Q_OBJECT

public:
    // The windows whose colours and fonts this window sets.
    struct Windows {
        QWidget* mainWindow = nullptr;
        TSuchForm* searchWindow = nullptr;
        QWidget* newDatabaseDialog = nullptr;
    };
    // The colour dialog: the chosen colour, or nothing when it was cancelled.
    using ColorChooser = std::function<std::optional<QColor>(const QColor& current)>;

    // Creation: the browser symbols of the installed browsers, placeholders for the others.
    TEinstellform(const Windows& windows, UserInterface& ui,
                  const BrowserPrograms& programs = BrowserPrograms(), QWidget* parent = nullptr);

    // Tests answer the colour dialog themselves.
    void setColorChooser(ColorChooser chooser) { m_chooseColor = std::move(chooser); }

    // The main window's first painting: stored colours to every window, the stored check
    // boxes, and with the second of them the viewer's hints.
    void applyStoredSettings();

    const SettingsWindowModel& model() const { return m_model; }
    const BrowserSymbolState& browserSymbols() const { return m_browsers; }

    void FarbenAendernButtonClick();
    void HinweistexteFarbenAendernButtonClick();
    void SpeedButton1Click();
    void SpeedButton2Click();
    void Button1Click();
    void OkButtonClick();
    void SortierungAnzeigenBitBtnClick();
    // standard_ImageClick, ie_ImageClick, ...: the symbol of a browser keyword clicked.
    void browserSymbolClick(const QString& keyword);
    // AbbruchButton, Esc and the title bar's close button.
    void reject() override;

signals:
    // The main window takes these for its own controls and sizes.
    void backgroundColorApplied(const QColor& color);
    void hintColorApplied(const QColor& color);
    void standardSizesRestored();

protected:
    void showEvent(QShowEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildControls();
    QLayout* buildBrowserRow();
    void createBrowserSymbols(const BrowserPrograms& programs);
    void updateEnabling();
    void applyBackgroundColor(const QColor& color);
    void applyHintColor(const QColor& color);
    void nudgeMainWindow();
    SettingsWindowModel::CheckBoxes checkBoxes() const;
    void setCheckBoxes(const SettingsWindowModel::CheckBoxes& boxes);
    QLabel* symbolLabel(const QString& keyword) const;

    Windows m_windows;
    UserInterface& m_ui;
    SettingsWindowModel m_model;
    BrowserSymbolState m_browsers;
    ColorChooser m_chooseColor;
    std::optional<bool> m_picturesShown; // what the speed buttons show since the last paint

    QPushButton* FarbenAendernButton = nullptr;
    QPushButton* HinweistexteFarbenAendernButton = nullptr;
    QPushButton* SpeedButton1 = nullptr;
    QLabel* Label1 = nullptr;
    QPushButton* SpeedButton2 = nullptr;
    QLabel* Label2 = nullptr;
    // standard_Image, ie_Image, edge_Image, chrome_Image, opera_Image, safari_Image,
    // firefox_Image: in the order of the browser symbols' keywords.
    std::array<QLabel*, 7> m_symbols{};
    QLabel* Label3 = nullptr;
    QLabel* AktuellerBrowser_Image = nullptr;
    QLabel* Label4 = nullptr;
    QLabel* Label5 = nullptr;
    QLabel* leer_Image = nullptr;
    QCheckBox* SuchtextInClipbrdCheckBox = nullptr;
    QCheckBox* KurzhinweisImViewerZeigenCheckBox = nullptr;
    QPushButton* Button1 = nullptr;
    QPushButton* SortierungAnzeigenBitBtn = nullptr;
    QPushButton* OkButton = nullptr;
    QPushButton* AbbruchButton = nullptr;
};
