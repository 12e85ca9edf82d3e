#include "results/InternetBrowser.h"

#include "results/FileUrl.h"

#include <QFileInfo>

using namespace Qt::StringLiterals;

namespace {

// How a stored value launches: the first of these keywords it contains, else "standard".
QString launchKeyword(const QString& stored)
{
    using namespace browserkeyword;
    for (const QString& keyword : {kStandard, kFirefox, kInternetExplorer, kEdge, kChrome}) {
        if (stored.contains(keyword, Qt::CaseInsensitive))
            return keyword;
    }
    return kStandard;
}

// A program path (D:\...\NB_Ergebnis.htm) opens as its file URL, anything else as an address.
QUrl urlOf(const QString& text)
{
    const bool programPath =
        text.size() >= 3 && text[0].isLetter() && text[1] == u':' && text[2] == u'\\';
    return programPath ? fileUrl(text) : QUrl::fromUserInput(text);
}

} // namespace

InternetBrowser::InternetBrowser(const settings::SettingsStore& settings,
                                 const BrowserPrograms& programs, BrowserLauncher& launcher,
                                 UserInterface& ui)
    : m_settings(settings), m_programs(programs), m_launcher(launcher), m_ui(ui)
{
}

void InternetBrowser::StarteInternetBrowser(const QString& text)
{
    const QString keyword = launchKeyword(storedKeyword());
    const QUrl url = urlOf(text);
    if (keyword == browserkeyword::kStandard)
        m_launcher.openUrl(url); // the default handler's failures are not reported
    else
        startNamed(keyword, url);
}

QString InternetBrowser::storedKeyword() const
{
    const QString stored = m_settings.read(settings::kBrowser);
    if (!stored.isEmpty())
        return stored;
    m_settings.write(settings::kBrowser, browserkeyword::kStandard);
    return browserkeyword::kStandard;
}

// One argument per URL: the argument list keeps it whole, so it needs no quotes.
void InternetBrowser::startNamed(const QString& keyword, const QUrl& url)
{
    const QString program = m_programs.find(keyword);
    if (!program.isEmpty() &&
        m_launcher.startProgram(program, {QString::fromLatin1(url.toEncoded())}))
        return;
    const QString name = program.isEmpty() ? BrowserPrograms::programNames(keyword).value(0)
                                           : QFileInfo(program).fileName();
    m_ui.warning(u"Datei: "_s + name + u" kann nicht geöffnet werden"_s);
}
