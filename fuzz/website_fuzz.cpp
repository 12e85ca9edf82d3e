// The website list "Adressen_Webseiten.txt" and the addresses taken from it.
//
// Any bytes as the list file: loaded from disk or refused with a message, never a crash;
// the topics and sites are trimmed, non-empty pieces without commas, and loading the file
// gives what decoding and parsing its bytes gives. A list written from generated sections,
// keys and values (with a UTF-8 or UTF-16 byte-order mark, or as text) reads every value
// back, the first of equal names winning. Any address with any search text gives either a
// refusal or an http(s) URL with a host that ends in the text percent-encoded, which
// decodes to the text again.

#include "results/WebsiteAddress.h"
#include "results/WebsiteListFile.h"
#include "support/FuzzSupport.h"

#include <QStringEncoder>

#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <vector>

using fuzz::expect;
using fuzz::shown;
using namespace Qt::StringLiterals;

namespace {

void checkPieces(const QStringList& pieces, const char* what)
{
    for (const QString& piece : pieces) {
        expect(!piece.isEmpty() && !piece.contains(u','), std::string(what) + " " + shown(piece));
        expect(websitelist::trimmed(piece) == piece, std::string(what) + " not trimmed");
    }
}

void checkListFile(const QByteArray& bytes)
{
    const QString path = fuzz::writeFile(QStringLiteral("Adressen_Webseiten.txt"), bytes);
    const Result<WebsiteListFile> loaded = WebsiteListFile::load(path);
    const WebsiteListFile parsed = WebsiteListFile::parse(WebsiteListFile::decode(bytes));
    if (!loaded) {
        expect(loaded.error().contains(path), "the message does not name the file");
        return;
    }
    const QStringList topics = loaded->topics();
    expect(topics == parsed.topics(), "loading and parsing give other topics");
    checkPieces(topics, "topic");
    for (const QString& topic : topics.mid(0, 20))
        checkPieces(loaded->sites(topic), "site");
}

// Names of ASCII letters and digits, so that "without regard to case" is plain.
QString name(FuzzedDataProvider& input)
{
    QString result;
    for (const char c : input.ConsumeRandomLengthString(12)) {
        if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9'))
            result += QLatin1Char(c);
    }
    return result;
}

struct Line {
    QString section;
    QString key;
    QString value;
};

void checkRoundTrip(FuzzedDataProvider& input)
{
    const int encoding = input.ConsumeIntegralInRange(0, 2);
    std::vector<Line> lines;
    QString text;
    while (input.remaining_bytes() > 0 && lines.size() < 64) {
        Line line{name(input), name(input),
                  QString::fromUtf8(fuzz::bytesOf(input.ConsumeRandomLengthString(40)))};
        line.value.remove(u'\r').remove(u'\n').remove(QChar(0));
        line.value = websitelist::trimmed(line.value);
        if (line.section.isEmpty() || line.key.isEmpty())
            continue;
        text += u"["_s + line.section + u"]\r\n"_s + line.key + u" = "_s + line.value + u"\r\n"_s;
        lines.push_back(line);
    }
    QByteArray bytes;
    if (encoding == 0) {
        bytes = "\xEF\xBB\xBF" + text.toUtf8();
    } else if (encoding == 1) {
        QStringEncoder utf16(QStringEncoder::Utf16LE);
        bytes = "\xFF\xFE" + QByteArray(utf16.encode(text));
    }
    const WebsiteListFile file =
        WebsiteListFile::parse(encoding == 2 ? text : WebsiteListFile::decode(bytes));
    for (const Line& line : lines) {
        // Every line is a section of its own: the first section of that name answers, and
        // only for its own key.
        const auto first = std::find_if(lines.begin(), lines.end(), [&line](const Line& other) {
            return other.section.compare(line.section, Qt::CaseInsensitive) == 0;
        });
        const QString expected =
            first->key.compare(line.key, Qt::CaseInsensitive) == 0 ? first->value : QString();
        const QString got = file.value(line.section, line.key);
        expect(got == expected, "value of [" + shown(line.section) + "] " + shown(line.key) +
                                    " read as " + shown(got) + ", written " + shown(expected));
    }
}

void checkAddress(const QString& address, const QString& searchText)
{
    const Result<QUrl> url = websiteUrl(address, searchText);
    if (!url) {
        expect(url.error().contains(address), "the refusal does not name the address");
        return;
    }
    const QString scheme = url->scheme();
    expect(scheme == QStringLiteral("http") || scheme == QStringLiteral("https"),
           "scheme " + shown(scheme) + " from " + shown(address));
    expect(!url->host().isEmpty(), "no host in " + shown(address));
    if (siteKind(address) != SiteKind::SearchesItself)
        return;
    const QByteArray encoded = QUrl::toPercentEncoding(searchText);
    const QString full = url->toString(QUrl::FullyEncoded);
    expect(full.endsWith(QString::fromLatin1(encoded)),
           "search text " + shown(searchText) + " not at the end of " + shown(full));
    expect(QUrl::fromPercentEncoding(encoded) == searchText, "encoded text decodes differently");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzedDataProvider input(data, size);
    const int mode = input.ConsumeIntegralInRange(0, 2);
    if (mode == 0) {
        checkListFile(fuzz::bytesOf(input.ConsumeRemainingBytesAsString()));
    } else if (mode == 1) {
        checkRoundTrip(input);
    } else {
        const QString address =
            QString::fromUtf8(fuzz::bytesOf(input.ConsumeRandomLengthString(200)));
        checkAddress(address,
                     QString::fromUtf8(fuzz::bytesOf(input.ConsumeRemainingBytesAsString())));
    }
    return 0;
}
