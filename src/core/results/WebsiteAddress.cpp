#include "results/WebsiteAddress.h"

#include <QRegularExpression>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

constexpr TColor kSymbolGreen = 0x00A000;

// "host.tld" at the start of an address without scheme: letters, digits, "-" and at
// least one dot, not starting with "-" or ".", followed by the end, "/", "?", "#" or ":".
bool startsWithHostName(const QString& address)
{
    qsizetype end = 0;
    while (end < address.size() && !u"/?#:"_s.contains(address[end]))
        ++end;
    const QStringView host = QStringView(address).first(end);
    if (host.isEmpty() || !host.contains(u'.') || host.startsWith(u'-') || host.startsWith(u'.'))
        return false;
    return std::all_of(host.begin(), host.end(),
                       [](QChar c) { return c.isLetterOrNumber() || c == u'-' || c == u'.'; });
}

// The address with an http(s) scheme, or empty when it is no web address.
QString webAddress(const QString& address)
{
    static const QRegularExpression scheme(u"^([A-Za-z][A-Za-z0-9+.\\-]*):(.?)"_s);
    const QRegularExpressionMatch match = scheme.match(address);
    if (match.hasMatch()) {
        const QString name = match.captured(1).toLower();
        if (name == u"http"_s || name == u"https"_s)
            return address;
        // "host.tld:8080/..." names a port, not a scheme.
        const QString next = match.captured(2);
        if (next.isEmpty() || !next[0].isDigit())
            return {};
    }
    return startsWithHostName(address) ? u"https://"_s + address : QString();
}

} // namespace

SiteKind siteKind(const QString& address)
{
    return address.endsWith(u'/') || address.endsWith(u'=') ? SiteKind::SearchesItself
                                                            : SiteKind::PasteText;
}

QString siteHint(SiteKind kind)
{
    return kind == SiteKind::SearchesItself
               ? u"Grünes Symbol: [>] Webseite sucht selbständig nach dem Suchtext."_s
               : u"Weißes Symbol: [+] Sie müssen den Suchtext auf der Webseite\r\n"
                 u"mit Hilfe der Zwischenablage einfügen bzw. eintippen."_s;
}

SiteSymbol siteSymbol(SiteKind kind)
{
    return kind == SiteKind::SearchesItself ? SiteSymbol{u">"_s, kSymbolGreen, colors::clWhite}
                                            : SiteSymbol{u"+"_s, colors::clWhite, colors::clBlack};
}

TColor selectedItemBackground(TColor windowColor)
{
    return colors::selectionBackground(windowColor, 90);
}

Result<QUrl> websiteUrl(const QString& address, const QString& searchText)
{
    const QString web = webAddress(address);
    QUrl url(web, QUrl::TolerantMode);
    // The address is encoded on its own first: a stray "%" in it would otherwise make the
    // tolerant parser encode every "%" of the appended text once more.
    if (url.isValid() && !web.isEmpty() && siteKind(address) == SiteKind::SearchesItself) {
        url = QUrl(url.toString(QUrl::FullyEncoded) +
                       QString::fromLatin1(QUrl::toPercentEncoding(searchText)),
                   QUrl::StrictMode);
    }
    if (web.isEmpty() || !url.isValid() || url.host().isEmpty()) {
        return Result<QUrl>::failure(
            u"Die Adresse \"%1\" ist keine Webadresse (http:// oder https://) und wird nicht "
            u"geöffnet."_s.arg(address));
    }
    return url;
}
