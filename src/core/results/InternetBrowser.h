#pragma once

#include "common/UserInterface.h"
#include "results/BrowserLauncher.h"
#include "results/BrowserPrograms.h"
#include "store/Settings.h"

#include <QString>

// Opens result pages and web addresses in the browser the setting "Browser" names.
class InternetBrowser {
public:
    InternetBrowser(const settings::SettingsStore& settings, const BrowserPrograms& programs,
                    BrowserLauncher& launcher, UserInterface& ui);

    // A program path (D:\...\NB_Ergebnis.htm) opens as its native file URL, anything else
    // as an address. "standard" and every keyword without a program of its own use the
    // default handler; a named browser that cannot be started gets a warning. An empty
    // setting counts as "standard" and is written back.
    void StarteInternetBrowser(const QString& text);

private:
    QString storedKeyword() const;
    void startNamed(const QString& keyword, const QUrl& url);

    const settings::SettingsStore& m_settings;
    const BrowserPrograms& m_programs;
    BrowserLauncher& m_launcher;
    UserInterface& m_ui;
};
