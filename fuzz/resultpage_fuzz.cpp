// The result-page writer: for any hit text, path, search term and database name the page
// must parse as HTML whose elements and attributes all come from the page template. A small
// tag scanner collects them; the allowed set is what pages of harmless hits of every shape
// (link entry, plain entry, marked term, next-page link, no hit) contain.

#include "results/ResultPage.h"
#include "support/FuzzSupport.h"

#include <QList>

#include <fuzzer/FuzzedDataProvider.h>

#include <set>

using fuzz::expect;
using fuzz::shown;

namespace {

struct Markup {
    std::set<std::string> names; // "tag" and "tag@attribute", lower case
    int links = 0;               // <a> elements
    std::string error;           // empty when the page scanned cleanly
};

bool isAsciiLetter(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

std::string lowered(std::string s)
{
    for (char& c : s)
        c = char(c >= 'A' && c <= 'Z' ? c + 32 : c);
    return s;
}

// Tokenizes as a browser does outside scripts: "<" + letter or "</" + letter opens a tag,
// "<!" a declaration or comment; attribute values in double quotes, single quotes or bare.
Markup scan(const QByteArray& page)
{
    Markup m;
    const std::string s = page.toStdString();
    std::size_t i = 0;
    while ((i = s.find('<', i)) != std::string::npos) {
        const std::size_t open = i++;
        if (i < s.size() && s[i] == '!') {
            const std::size_t end = s.find('>', i);
            if (end == std::string::npos)
                return m.error = "declaration not closed", m;
            m.names.insert("!" + lowered(s.substr(i + 1, std::min<std::size_t>(end - i - 1, 20))));
            i = end + 1;
            continue;
        }
        const bool closing = i < s.size() && s[i] == '/';
        if (closing)
            ++i;
        if (i >= s.size() || !isAsciiLetter(s[i])) {
            if (closing)
                return m.error = "bogus end tag at " + std::to_string(open), m;
            continue; // a "<" that starts no tag is text
        }
        std::size_t nameEnd = i;
        while (nameEnd < s.size() && !std::isspace(static_cast<unsigned char>(s[nameEnd])) &&
               s[nameEnd] != '>' && s[nameEnd] != '/')
            ++nameEnd;
        const std::string tag = lowered(s.substr(i, nameEnd - i));
        m.names.insert((closing ? "/" : "") + tag);
        if (tag == "a" && !closing)
            ++m.links;
        i = nameEnd;
        // Attributes up to the closing ">".
        for (;;) {
            while (i < s.size() && (std::isspace(static_cast<unsigned char>(s[i])) || s[i] == '/'))
                ++i;
            if (i >= s.size())
                return m.error = "tag " + tag + " not closed", m;
            if (s[i] == '>') {
                ++i;
                break;
            }
            std::size_t attrEnd = i;
            while (attrEnd < s.size() && !std::isspace(static_cast<unsigned char>(s[attrEnd])) &&
                   s[attrEnd] != '>' && s[attrEnd] != '=' && s[attrEnd] != '/')
                ++attrEnd;
            if (attrEnd == i)
                ++attrEnd; // a stray character as a name of its own
            m.names.insert(tag + "@" + lowered(s.substr(i, attrEnd - i)));
            i = attrEnd;
            if (i < s.size() && s[i] == '=') {
                ++i;
                if (i < s.size() && (s[i] == '"' || s[i] == '\'')) {
                    const std::size_t close = s.find(s[i], i + 1);
                    if (close == std::string::npos)
                        return m.error = "attribute value of " + tag + " not closed", m;
                    i = close + 1;
                } else {
                    while (i < s.size() && !std::isspace(static_cast<unsigned char>(s[i])) &&
                           s[i] != '>')
                        ++i;
                }
            }
        }
        // Text of raw-text elements runs to their end tag.
        if (!closing && (tag == "script" || tag == "style" || tag == "textarea" || tag == "title" ||
                         tag == "xmp" || tag == "plaintext")) {
            const std::size_t end = lowered(s).find("</" + tag, i);
            if (end == std::string::npos)
                return m.error = tag + " never ends", m;
            i = end;
        }
    }
    return m;
}

QByteArray pageBytes(const SearchHits& entries, const QString& term, const QString& database,
                     bool matchCase, bool wholeWords, bool more, int pageNumber)
{
    resultpage::Page page;
    page.entries = std::span<const SearchHit>(entries.constData(), std::size_t(entries.size()));
    page.searchTerm = term;
    page.count = int(entries.size()) + 1;
    page.pageNumber = pageNumber;
    page.morePages = more;
    const DatabasePaths paths(QStringLiteral("D:\\Basis"));
    return resultpage::fileBytes(
        resultpage::lines(page, ResultPageHeader{database, matchCase, wholeWords}, paths));
}

const std::set<std::string>& templateNames()
{
    static const std::set<std::string> names = [] {
        std::set<std::string> all;
        const SearchHits harmless = {{"D:\\Texte\\Brief.txt", "Ein Haus am See"},
                                     {"", "Haus ohne Pfad"},
                                     {"D:\\Texte\\b.txt", "kein Treffer"}};
        for (const bool matchCase : {false, true}) {
            for (const bool wholeWords : {false, true}) {
                for (const bool more : {false, true}) {
                    for (const auto& entries : {harmless, SearchHits()}) {
                        const Markup m = scan(pageBytes(entries, QStringLiteral("Haus"),
                                                        QStringLiteral("Briefe"), matchCase,
                                                        wholeWords, more, 1));
                        if (!m.error.empty())
                            fuzz::fail("the harmless page does not scan: " + m.error);
                        all.insert(m.names.begin(), m.names.end());
                    }
                }
            }
        }
        return all;
    }();
    return names;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    fuzz::scratchNative(); // D: mapped, so links carry native file URLs
    FuzzedDataProvider input(data, size);
    const bool matchCase = input.ConsumeBool();
    const bool wholeWords = input.ConsumeBool();
    const bool more = input.ConsumeBool();
    const int pageNumber = input.ConsumeIntegralInRange(1, 1000);
    const QString term = QString::fromUtf8(fuzz::bytesOf(input.ConsumeRandomLengthString(24)));
    const QString database = QString::fromUtf8(fuzz::bytesOf(input.ConsumeRandomLengthString(24)));
    SearchHits entries;
    const int count = input.ConsumeIntegralInRange(0, 4);
    for (int i = 0; i < count; ++i) {
        SearchHit hit;
        hit.path = fuzz::bytesOf(input.ConsumeRandomLengthString(40));
        hit.snippet = fuzz::bytesOf(input.ConsumeRandomLengthString(80));
        entries.append(hit);
    }

    const QByteArray page =
        pageBytes(entries, term, database, matchCase, wholeWords, more, pageNumber);
    const Markup m = scan(page);
    expect(m.error.empty(), m.error + " in " + shown(page));
    for (const std::string& name : m.names) {
        if (!templateNames().count(name))
            fuzz::fail("markup " + name + " not from the template in " + shown(page));
    }
    expect(m.links <= count + (more ? 1 : 0), "more links than hits");
    return 0;
}
