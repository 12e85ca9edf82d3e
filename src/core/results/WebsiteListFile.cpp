#include "results/WebsiteListFile.h"

#include "platform/FileFacts.h"
#include "store/ByteSize.h"
#include "store/EncodingDetection.h"
#include "store/Windows1252.h"

#include <QCollator>
#include <QStringDecoder>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

const QString kListKey = u"Liste"_s;

QString decodeUtf16(QByteArrayView bytes, BomKind kind)
{
    const bool bigEndian = kind == BomKind::Utf16BE;
    if (kind == BomKind::Utf16LE || bigEndian)
        bytes = bytes.sliced(2);
    QStringDecoder decoder(bigEndian ? QStringDecoder::Utf16BE : QStringDecoder::Utf16LE);
    return decoder.decode(bytes);
}

QString listFailure(const QString& programPath, const QString& reason)
{
    return u"Die Datei %1 %2; die Liste der Webseiten bleibt leer."_s.arg(programPath, reason);
}

} // namespace

Result<WebsiteListFile> WebsiteListFile::load(const QString& programPath)
{
    using R = Result<WebsiteListFile>;
    if (!platform::exists(programPath))
        return WebsiteListFile();
    const std::optional<qint64> size = platform::openableFileSize(programPath);
    if (size && *size > kMaxFileSize)
        return R::failure(
            listFailure(programPath, u"ist zu groß ("_s + ConvertBytes(*size) + u')'));
    QByteArray bytes;
    if (!size || !platform::readRegularFile(programPath, bytes))
        return R::failure(listFailure(programPath, u"kann nicht gelesen werden"_s));
    const QString text = decode(bytes);
    // No text file holds a NUL character, in whatever encoding it is written.
    if (text.contains(QChar(0)))
        return R::failure(listFailure(programPath, u"ist keine Textdatei"_s));
    return parse(text);
}

QString WebsiteListFile::decode(QByteArrayView bytes)
{
    // The path plays no part: the list is read, not written into a document.
    const ClassDecision decision = decideClass(QString(), bytes);
    switch (decision.encodingClass()) {
    case EncodingClass::Utf8:
        return QString::fromUtf8(decision.kind == BomKind::Utf8 ? bytes.sliced(3) : bytes);
    case EncodingClass::Unicode: return decodeUtf16(bytes, decision.kind);
    case EncodingClass::Ansi:
    case EncodingClass::None: break;
    }
    return cp1252::decode(bytes);
}

WebsiteListFile WebsiteListFile::parse(const QString& text)
{
    WebsiteListFile file;
    Section* current = nullptr;
    for (QStringView rawLine : QStringTokenizer(text, u'\n')) {
        // Line ends CR LF, LF or a lone CR.
        for (QStringView piece : QStringTokenizer(rawLine, u'\r')) {
            const QString line = websitelist::trimmed(piece.toString());
            if (line.isEmpty() || line.startsWith(u';'))
                continue;
            if (line.startsWith(u'[')) {
                const qsizetype close = line.lastIndexOf(u']');
                if (close > 0) {
                    file.m_sections.append({websitelist::trimmed(line.mid(1, close - 1)), {}});
                    current = &file.m_sections.last();
                }
                continue;
            }
            const qsizetype equals = line.indexOf(u'=');
            if (equals <= 0 || !current)
                continue;
            current->entries.append({websitelist::trimmed(line.left(equals)),
                                     websitelist::trimmed(line.mid(equals + 1))});
        }
    }
    return file;
}

const WebsiteListFile::Section* WebsiteListFile::findSection(const QString& name) const
{
    const auto it = std::find_if(m_sections.begin(), m_sections.end(), [&](const Section& s) {
        return s.name.compare(name, Qt::CaseInsensitive) == 0;
    });
    return it == m_sections.end() ? nullptr : &*it;
}

QString WebsiteListFile::value(const QString& section, const QString& key) const
{
    const Section* found = findSection(section);
    if (!found)
        return {};
    for (const Entry& entry : found->entries) {
        if (entry.key.compare(key, Qt::CaseInsensitive) == 0)
            return entry.value;
    }
    return {};
}

bool WebsiteListFile::hasSection(const QString& section) const
{
    return findSection(section) != nullptr;
}

// The two lists are joined with a comma, so the last topic of "Themen1" and the first of
// "Themen2" stay two topics even when "Themen1" does not end with a comma.
QStringList WebsiteListFile::topics() const
{
    QStringList topics =
        websitelist::split(value(u"Themen1"_s, kListKey) + u',' + value(u"Themen2"_s, kListKey));
    websitelist::sortAsControl(topics);
    return topics;
}

QStringList WebsiteListFile::sites(const QString& topic) const
{
    QStringList sites = websitelist::split(value(topic, kListKey));
    websitelist::sortAsControl(sites);
    return sites;
}

namespace websitelist {

QStringList split(const QString& list)
{
    QStringList pieces;
    for (QStringView piece : QStringTokenizer(list, u',')) {
        QString item = trimmed(piece.toString());
        if (!item.isEmpty())
            pieces.append(std::move(item));
    }
    return pieces;
}

void sortAsControl(QStringList& items)
{
    QCollator collator(QLocale(QLocale::German, QLocale::Germany));
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    std::stable_sort(items.begin(), items.end(), [&collator](const QString& a, const QString& b) {
        const int order = collator.compare(a, b);
        return order != 0 ? order < 0 : a < b;
    });
}

} // namespace websitelist
