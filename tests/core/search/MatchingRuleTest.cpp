#include "search/DocumentSearch.h"
#include "search/HitCounter.h"
#include "search/HitNavigator.h"
#include "store/Windows1252.h"
#include "support/TempFolder.h"
#include "support/Utf16.h"
#include "viewer/TATStreamSearch.h"

#include <QRandomGenerator>

#include <gtest/gtest.h>

#include <vector>

// The hit count, the in-document steps and the stream search of the document search against
// one plain reference of the matching rule, on random German and accented text in each of
// the three document encodings.
namespace {

// The characters of a document in its encoding, each with its byte offset.
struct Character {
    char16_t code;
    qint64 offset;
};

std::vector<Character> characters(const QByteArray& bytes, Family family)
{
    std::vector<Character> result;
    if (family == Family::Ansi) {
        for (qsizetype i = 0; i < bytes.size(); ++i)
            result.push_back({cp1252::toUnicode(uchar(bytes[i])), i});
    } else if (family == Family::Unicode) {
        for (qsizetype i = 0; i + 1 < bytes.size(); i += 2)
            result.push_back({char16_t(uchar(bytes[i]) | uchar(bytes[i + 1]) << 8), i});
    } else {
        qsizetype i = 0;
        for (const QChar c : QString::fromUtf8(bytes)) { // the corpus is valid UTF-8, BMP only
            result.push_back({c.unicode(), i});
            i += QString(c).toUtf8().size();
        }
    }
    return result;
}

// The reference rule: a character folds to its lower case where that has the same length in
// the document's encoding (in Windows-1252: where the code page holds it).
char16_t folded(char16_t code, Family family)
{
    const char16_t lower = QChar(code).toLower().unicode();
    if (family == Family::Ansi)
        return cp1252::fromUnicode(lower) >= 0 ? lower : code;
    if (family == Family::Utf8)
        return QString(QChar(lower)).toUtf8().size() == QString(QChar(code)).toUtf8().size() ? lower
                                                                                             : code;
    return lower;
}

bool delimiter(char16_t code)
{
    return code < 128 && !QChar(code).isLetterOrNumber() && code != u'_';
}

// Byte offsets of every match, overlapping ones included.
std::vector<qint64> referenceMatches(const QByteArray& document, const QByteArray& pattern,
                                     Family family, bool caseSensitive, bool wholeWords)
{
    const std::vector<Character> text = characters(document, family);
    const std::vector<Character> wanted = characters(pattern, family);
    std::vector<qint64> found;
    for (std::size_t at = 0; at + wanted.size() <= text.size(); ++at) {
        bool equal = true;
        for (std::size_t k = 0; k < wanted.size() && equal; ++k) {
            const char16_t a = text[at + k].code;
            const char16_t b = wanted[k].code;
            equal = caseSensitive ? a == b : folded(a, family) == folded(b, family);
        }
        if (equal && wholeWords) {
            const std::size_t end = at + wanted.size();
            equal = (at == 0 || delimiter(text[at - 1].code)) &&
                    (end == text.size() || delimiter(text[end].code));
        }
        if (equal)
            found.push_back(text[at].offset);
    }
    return found;
}

const QString kAlphabet = QStringLiteral("aAäÄoOöÖuUüÜßeEéÉèÈìÌúÚçÇxX  .-ŁłĆćΩω");

QString randomText(QRandomGenerator& random, int length, Family family)
{
    QString text;
    while (text.size() < length) {
        const QChar c = kAlphabet[random.bounded(int(kAlphabet.size()))];
        if (family != Family::Ansi || cp1252::fromUnicode(c.unicode()) >= 0)
            text += c;
    }
    return text;
}

QByteArray encoded(const QString& text, Family family)
{
    if (family == Family::Unicode)
        return utf16(text);
    return family == Family::Ansi ? cp1252::encode(text) : text.toUtf8();
}

// A search text: a piece of the corpus in random case, or random characters.
QString randomSearchText(QRandomGenerator& random, const QString& corpus)
{
    QString text;
    if (random.bounded(3) > 0) {
        const int length = random.bounded(1, 6);
        text = corpus.mid(random.bounded(int(corpus.size()) - length), length);
        for (QChar& c : text)
            c = random.bounded(2) ? c.toUpper() : c.toLower();
    } else {
        text = randomText(random, random.bounded(1, 4), Family::Utf8);
    }
    return text.size() == 1 && text[0] == u'ß' ? QStringLiteral("ßa") : text; // ß uppers to SS
}

// Every match the stream search of the document search reaches, step by step.
std::vector<qint64> streamMatches(const QString& path, const QString& text, Family family,
                                  TATStreamSearchOptions options)
{
    TATStreamSearch search(4096); // many block edges
    EXPECT_TRUE(search.setFileName(path).ok());
    const TATEncoding encoding = family == Family::Unicode ? vEncUnicodeLE : vEncANSI;
    if (family == Family::Utf8)
        options |= ssoUtf8;
    std::vector<qint64> found;
    for (Result<bool> hit =
             search.FindFirst(DocumentSearch::searchForm(text, family), encoding, options, 0);
         hit.ok() && *hit; hit = search.FindNext())
        found.push_back(search.FoundStart());
    return found;
}

std::vector<qint64> steppedMatches(const QString& path, const DocumentPattern& pattern)
{
    std::vector<qint64> found;
    for (qint64 from = 0;;) {
        const std::optional<qint64> next = HitNavigator::nextOccurrence(path, pattern, from);
        if (!next)
            return found;
        found.push_back(*next);
        from = *next + 1;
    }
}

TEST(MatchingRuleTest, CountStepsAndSearchAgreeWithTheReferenceInEveryClass)
{
    MappedDrive drive;
    QRandomGenerator random(1848);
    const HitCounter counter(MappedFile::kGranularity);
    for (const Family family : {Family::Ansi, Family::Utf8, Family::Unicode}) {
        for (int corpusNumber = 0; corpusNumber < 6; ++corpusNumber) {
            const QString corpus = randomText(random, random.bounded(3000, 90000), family);
            const QByteArray document = encoded(corpus, family);
            drive.write(QStringLiteral("doc.txt"), document);
            const QString path = drive.program(QStringLiteral("doc.txt"));
            for (int t = 0; t < 12; ++t) {
                const QString text = randomSearchText(random, corpus);
                const DocumentPattern pattern = DocumentPattern::of(text, family);
                SCOPED_TRACE(QStringLiteral("family %1, text \"%2\"")
                                 .arg(int(family))
                                 .arg(text)
                                 .toStdString());
                const std::vector<qint64> expected =
                    referenceMatches(document, pattern.bytes, family, false, false);
                EXPECT_EQ(counter.count(path, pattern).occurrences, qint64(expected.size()));
                EXPECT_EQ(steppedMatches(path, pattern), expected);
                EXPECT_EQ(streamMatches(path, text, family, 0), expected);
                for (const TATStreamSearchOptions options :
                     {unsigned(ssoCaseSensitive), unsigned(ssoWholeWords),
                      unsigned(ssoCaseSensitive | ssoWholeWords)}) {
                    EXPECT_EQ(streamMatches(path, text, family, options),
                              referenceMatches(document, pattern.bytes, family,
                                               options & ssoCaseSensitive, options & ssoWholeWords))
                        << "options " << options;
                }
            }
        }
    }
}

} // namespace
