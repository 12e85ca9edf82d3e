#include "results/WebsiteSearch.h"

using namespace Qt::StringLiterals;

namespace {

const QString kLabel = u"Suchtext: "_s;

bool inRange(int index, const QStringList& items)
{
    return index >= 0 && index < items.size();
}

} // namespace

WebsiteSearch::WebsiteSearch(const DatabasePaths& paths, const settings::SettingsStore& settings,
                             InternetBrowser& browser, UserInterface& ui, Clipboard clipboard)
    : m_paths(paths), m_settings(settings), m_browser(browser), m_ui(ui),
      m_clipboard(std::move(clipboard))
{
}

// Nothing is written here: the stored selection is what is shown, and writing the first
// site while filling (as choosing a topic does) would forget the stored one.
void WebsiteSearch::fill()
{
    m_file = WebsiteListFile();
    m_topics.clear();
    m_sites.clear();
    m_topic = -1;
    m_site = -1;
    Result<WebsiteListFile> file = WebsiteListFile::load(m_paths.websiteList());
    if (!file) {
        m_ui.warning(file.error());
        return;
    }
    m_file = std::move(file).value();
    m_topics = m_file.topics();
    const int topic = storedIndex(settings::kTopic, -1);
    if (!inRange(topic, m_topics))
        return;
    m_topic = topic;
    m_sites = m_file.sites(m_topics[topic]);
    const int site = storedIndex(settings::kSelectedWebsite, 0);
    m_site = inRange(site, m_sites) ? site : (m_sites.isEmpty() ? -1 : 0);
}

void WebsiteSearch::TntComboBox1Click(int topic)
{
    if (!inRange(topic, m_topics))
        return;
    m_topic = topic;
    m_sites = m_file.sites(m_topics[topic]);
    m_site = m_sites.isEmpty() ? -1 : 0;
    storeSelection();
}

void WebsiteSearch::TntListBox1Click(int site)
{
    if (!inRange(site, m_sites))
        return;
    m_site = site;
    storeSelection();
}

WebsiteSearch::ButtonOutcome WebsiteSearch::SuchImInternetBtnClick(bool panelVisible,
                                                                   const QString& searchText,
                                                                   bool copyToClipboard)
{
    const QString trimmedText = websitelist::trimmed(searchText);
    if (!panelVisible) {
        if (!m_sites.isEmpty()) {
            m_site = 0;
            storeSelection();
        }
        return {true,
                trimmedText.isEmpty() ? kLabel + u"Es wurde kein Text eingegeben!"_s
                                      : kLabel + searchText,
                false};
    }
    ButtonOutcome outcome{false, kLabel, false};
    if (!inRange(m_site, m_sites) || trimmedText.isEmpty())
        return outcome;
    if (copyToClipboard && m_clipboard)
        m_clipboard(trimmedText);
    // The text as typed, not trimmed: a search for " x" may mean it.
    const Result<QUrl> url = websiteUrl(m_sites[m_site], searchText);
    if (url)
        m_browser.StarteInternetBrowser(url->toString(QUrl::FullyEncoded));
    else
        m_ui.warning(url.error());
    outcome.searched = true;
    return outcome;
}

QString WebsiteSearch::TntListBox1MouseMove() const
{
    return inRange(m_site, m_sites) ? siteHint(siteKind(m_sites[m_site])) : QString();
}

WebsiteSearch::ItemLook WebsiteSearch::TntListBox1DrawItem(int index, bool selected,
                                                           TColor windowColor,
                                                           TColor textColor) const
{
    ItemLook look = TntComboBox1DrawItem(-1, selected, windowColor, textColor);
    if (inRange(index, m_sites)) {
        look.text = m_sites[index];
        look.symbol = siteSymbol(siteKind(look.text));
    }
    return look;
}

WebsiteSearch::ItemLook WebsiteSearch::TntComboBox1DrawItem(int index, bool selected,
                                                            TColor windowColor,
                                                            TColor textColor) const
{
    const TColor background = selected ? selectedItemBackground(windowColor) : windowColor;
    return {inRange(index, m_topics) ? m_topics[index] : QString(), background,
            selected ? colors::readableTextOn(background, textColor) : textColor, std::nullopt};
}

int WebsiteSearch::storedIndex(const QString& name, int fallback) const
{
    const Result<int> stored = m_settings.readNumber(name);
    return stored ? *stored : fallback;
}

void WebsiteSearch::storeSelection() const
{
    m_settings.write(settings::kTopic, QString::number(m_topic));
    m_settings.write(settings::kSelectedWebsite, QString::number(m_site));
}
