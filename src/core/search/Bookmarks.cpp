#include "search/Bookmarks.h"

#include <algorithm>
#include <charconv>

namespace bookmarks {

std::optional<qint64> parse(const QString& stored)
{
    const QByteArray digits = stored.toLatin1();
    if (digits.isEmpty() ||
        !std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return std::nullopt;
    qint64 value = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    if (error != std::errc() || end != digits.data() + digits.size())
        return std::nullopt;
    return value;
}

bool maySave(bool documentLoaded, bool fileListShown, bool sortedListShown)
{
    return documentLoaded && !fileListShown && !sortedListShown;
}

void save(const settings::SettingsStore& store, Family family, const QString& database,
          qint64 position)
{
    store.write(settings::bookmarkValueName(family, database), QString::number(position));
}

std::optional<qint64> restore(const settings::SettingsStore& store, Family family,
                              const QString& database, qint64 documentSize)
{
    const std::optional<qint64> position =
        parse(store.read(settings::bookmarkValueName(family, database)));
    if (!position || *position <= 0 || *position >= documentSize)
        return std::nullopt;
    return position;
}

} // namespace bookmarks
