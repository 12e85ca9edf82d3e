#pragma once

#include "results/BrowserPrograms.h"
#include "store/Settings.h"

#include <QList>
#include <QString>
#include <QStringList>

// The browser symbols of the settings window: which are offered, their hints and which
// one is current.
struct BrowserSymbol {
    QString keyword; // "standard", "internet explorer", ...
    QString hint;    // empty for a browser that is not installed: it shows the empty picture
    bool installed() const { return !hint.isEmpty(); }
};

struct BrowserSymbolState {
    // Always the seven symbols, in the window's order: standard, internet explorer, edge,
    // chrome, opera, safari, firefox.
    QList<BrowserSymbol> symbols;
    // The keyword whose picture the current-browser symbol shows; empty: none.
    QString current;

    const BrowserSymbol* symbol(const QString& keyword) const;
};

// From the names of the installed browsers (display or program names, "chromium" counting
// as chrome and "firefox-esr" as firefox), whether Edge's program was found, and the
// stored setting "Browser": for every keyword the value contains the current symbol
// becomes that keyword's, the last match winning.
BrowserSymbolState PruefeWelcheBrowserInstalliert(const QStringList& installedNames, bool edgeFound,
                                                  const QString& storedBrowser);
// The same for the browsers found on this system (Edge: "microsoft-edge" on the path).
BrowserSymbolState PruefeWelcheBrowserInstalliert(const BrowserPrograms& programs,
                                                  const settings::SettingsStore& settings);

// A symbol clicked: an installed one (or "standard") becomes current and its keyword is
// written to "Browser"; a placeholder changes nothing. True when it changed.
bool chooseBrowserSymbol(BrowserSymbolState& state, const QString& keyword,
                         const settings::SettingsStore& settings);
