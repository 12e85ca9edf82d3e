// The settings values and the search-term list files.
//
// A settings file as a user may have edited it is read through the table: every value,
// its fallback, the numbers and both colour forms, none of which may crash or give a
// colour that does not survive being written as text. Any text written to a setting reads
// back unchanged. A search-term list file is loaded, a search text filed and the list saved
// and loaded again: the text on top, once, and the list the same after the round trip.

#include "platform/SettingsBackend.h"
#include "search/SearchTermList.h"
#include "store/Colors.h"
#include "store/Settings.h"
#include "support/FuzzSupport.h"

#include <QDir>
#include <QFile>

#include <fuzzer/FuzzedDataProvider.h>

using fuzz::expect;
using fuzz::shown;

namespace {

void checkColorText(const QString& text)
{
    const std::optional<TColor> color = colors::StringToColor(text);
    if (!color)
        return;
    const QString written = colors::ColorToString(*color);
    expect(colors::StringToColor(written) == color,
           "colour " + shown(text) + " written as " + shown(written) + " reads differently");
}

void checkColorValue(TColor color)
{
    const QString written = colors::ColorToString(color);
    expect(colors::StringToColor(written) == color,
           "colour value does not survive its text " + shown(written));
    // The other spelling of the same colour: "$" and eight hex digits, and the decimal form.
    const QString hex = u'$' + QString::number(color, 16).rightJustified(8, u'0');
    expect(colors::StringToColor(hex) == color, "hex form " + shown(hex));
    expect(colors::StringToColor(QString::number(color)) == color, "decimal form");
}

void checkSettingsFile(const QByteArray& ini, const QString& value, const QString& database)
{
    static int round = 0;
    const QString folder = fuzz::scratchNative() + QStringLiteral("/settings");
    static const bool redirected = [&] {
        platform::redirectSettingsTo(folder);
        return true;
    }();
    (void)redirected;
    // A new file every time: the settings layer keeps files it has read in a cache.
    const QString application = QStringLiteral("Fuzz%1").arg(++round);
    const QString file =
        folder + QStringLiteral("/Halvern/") + application + QStringLiteral(".ini");
    QDir().mkpath(folder + QStringLiteral("/Halvern"));
    {
        QFile out(file);
        if (!out.open(QIODevice::WriteOnly) || out.write(ini) != ini.size())
            fuzz::fail("cannot write the settings file");
    }
    const settings::SettingsStore store(QStringLiteral("Software\\Halvern\\") + application +
                                        QStringLiteral("\\"));
    for (const settings::Entry& entry : settings::table()) {
        const QString text = store.readOrFallback(entry.name);
        if (entry.fallback == settings::Fallback::Text)
            expect(!text.isEmpty(), "no fallback for " + shown(entry.name));
        const Result<int> number = store.readNumber(entry.name);
        if (number.ok())
            expect(text.trimmed().toLongLong() == number.value(), "number of " + shown(text));
        else
            expect(number.error().contains(text), "number error does not name the text");
        checkColorText(text);
    }
    // A value of any text (and a bookmark of any database name) reads back as written.
    const QString bookmark = settings::bookmarkValueName(Family::Utf8, database);
    store.write(settings::kColor, value);
    store.write(bookmark, value);
    expect(store.read(settings::kColor) == value, "setting written as " + shown(value) +
                                                      " reads back as " +
                                                      shown(store.read(settings::kColor)));
    if (!database.isEmpty() && !database.contains(u'/') && !database.contains(u'\\'))
        expect(store.read(bookmark) == value, "bookmark of " + shown(database) + " lost its value");
    QFile::remove(file);
}

void checkSearchTermList(const QByteArray& bytes, const QString& searchText)
{
    const QString path = fuzz::writeFile(
        QStringLiteral("Datenbank/Suchwoerterlisten/x_Ansi_Suchwoerterliste.txt"), bytes);
    SearchTermList list = SearchTermList::load(path);
    for (const QString& item : list.items())
        expect(!item.contains(u'\n'), "a loaded item holds a line break");
    // A second mark after a byte-order mark is no text a user typed; it would not survive.
    const bool markTwice =
        !list.items().isEmpty() && list.items().first().startsWith(QChar(0xFEFF));

    const qsizetype before = list.items().size();
    if (!searchText.isEmpty() && !searchText.contains(u'\n') && !searchText.contains(u'\r')) {
        list.file(searchText);
        expect(list.items().count(searchText) ==
                   (searchText == SearchTermList::kNoTextItem ? 0 : 1),
               "filed text not on the list once");
        if (searchText != SearchTermList::kNoTextItem)
            expect(list.items().first() == searchText, "filed text not on top");
        expect(!list.items().contains(QString()), "an empty item stays");
        expect(list.items().size() <= std::max<qsizetype>(before + 1, SearchTermList::kMaxItems),
               "the list grew by more than one");
    }
    if (markTwice)
        return;
    expect(list.save(path).ok(), "cannot save the list");
    const SearchTermList again = SearchTermList::load(path);
    if (again.items() != list.items()) {
        fuzz::fail("list changed by saving: " + std::to_string(list.items().size()) + " items, " +
                   std::to_string(again.items().size()) + " after; " +
                   shown(list.items().join(u'|')));
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzedDataProvider input(data, size);
    const int mode = input.ConsumeIntegralInRange(0, 3);
    checkColorValue(input.ConsumeIntegral<TColor>());
    const QString text = QString::fromUtf8(fuzz::bytesOf(input.ConsumeRandomLengthString(40)));
    checkColorText(text);
    const QString other = QString::fromUtf8(fuzz::bytesOf(input.ConsumeRandomLengthString(20)));
    const QByteArray rest = fuzz::bytesOf(input.ConsumeRemainingBytesAsString());
    if (mode == 0)
        checkColorText(QString::fromUtf8(rest));
    else if (mode == 1)
        checkSettingsFile(rest, text, other);
    else
        checkSearchTermList(rest, text);
    return 0;
}
