#pragma once

#include "common/UserInterface.h"
#include "results/InternetBrowser.h"
#include "results/WebsiteAddress.h"
#include "results/WebsiteListFile.h"
#include "store/DatabasePaths.h"
#include "store/Settings.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

// The search window's internet panel without the window: the topic combo box, the site
// list, the button "Suche im Internet" and how the two lists draw their items. Indexes
// are those of the sorted controls; -1 means nothing selected.
class WebsiteSearch {
public:
    using Clipboard = std::function<void(const QString&)>;

    WebsiteSearch(const DatabasePaths& paths, const settings::SettingsStore& settings,
                  InternetBrowser& browser, UserInterface& ui, Clipboard clipboard);

    // First paint: reads the list file and selects the stored topic and site. A stored
    // index out of range or not a number selects no topic, or the first site.
    void fill();

    const QStringList& topics() const { return m_topics; }
    const QStringList& sites() const { return m_sites; }
    int topicIndex() const { return m_topic; }
    int siteIndex() const { return m_site; }

    // A topic chosen: its sites, the first selected; both indexes stored.
    void TntComboBox1Click(int topic);
    // A site chosen: both indexes stored.
    void TntListBox1Click(int site);

    struct ButtonOutcome {
        bool showPanel = false; // the panel was hidden: show it, nothing searched
        QString label;          // the new text of TntLabel1
        bool searched = false;  // a site was offered the text: scroll the viewer's selection
    };
    // `copyToClipboard` is the clipboard option of the settings window.
    ButtonOutcome SuchImInternetBtnClick(bool panelVisible, const QString& searchText,
                                         bool copyToClipboard);

    // The hint of the selected site; empty when none is selected.
    QString TntListBox1MouseMove() const;

    // What an item draws: its text, the background, and for a site its kind's symbol.
    // The colours are RGB colours the window resolved.
    struct ItemLook {
        QString text;
        TColor background;
        TColor textColor;
        std::optional<SiteSymbol> symbol;
    };
    ItemLook TntListBox1DrawItem(int index, bool selected, TColor windowColor,
                                 TColor textColor) const;
    ItemLook TntComboBox1DrawItem(int index, bool selected, TColor windowColor,
                                  TColor textColor) const;

private:
    int storedIndex(const QString& name, int fallback) const;
    void storeSelection() const;

    const DatabasePaths& m_paths;
    const settings::SettingsStore& m_settings;
    InternetBrowser& m_browser;
    UserInterface& m_ui;
    Clipboard m_clipboard;

    WebsiteListFile m_file;
    QStringList m_topics;
    QStringList m_sites;
    int m_topic = -1;
    int m_site = -1;
};
