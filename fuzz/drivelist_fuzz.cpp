// The drive-list filter: the list program's bytes, a folder text and an extension field
// as the new-database dialog takes them.
//
// The filter must give the descriptor lines a plain reading of the rules gives: every
// full-path entry sets the current folder, a `" name` entry is another file of it, an entry
// is taken once when a slot's pattern equals its extension ignoring case, and only below
// the chosen folder. The extension field must give slots of the documented shape, and
// remembered patterns must read back from their file.

#include "indexer/DriveListFilter.h"
#include "indexer/ExtensionPatterns.h"
#include "store/Descriptor.h"
#include "support/FuzzSupport.h"

#include <fuzzer/FuzzedDataProvider.h>

using fuzz::expect;
using fuzz::shown;

namespace {

// The folder rule read plainly: a drive root takes every folder that contains it;
// otherwise the current folder is the chosen one, or goes on with a backslash after it.
bool insideChosen(const QString& current, const QString& chosen)
{
    if (chosen.size() == 3)
        return current.contains(chosen);
    if (!current.startsWith(chosen))
        return false;
    if (current.size() == chosen.size())
        return true;
    return current.at(chosen.size()) == u'\\';
}

QStringList plainFilter(const QByteArray& list, const QString& folderField,
                        const QStringList& patterns, int entryLimit)
{
    QString chosen = folderField;
    if (chosen.size() > 3 && chosen.endsWith(u'\\'))
        chosen.chop(1);
    QStringList lines = {descriptor::formatHeader(folderField, patterns)};
    QList<QByteArray> entries = list.split('\n');
    if (list.endsWith('\n'))
        entries.removeLast(); // the last line's end starts no entry
    QString folder;
    int seen = 0;
    for (QByteArray raw : entries) {
        if (seen++ == entryLimit)
            break;
        if (raw.endsWith('\r'))
            raw.chop(1);
        const QString entry = QString::fromUtf8(raw);
        QString name;
        if (entry.size() >= 2 && entry[0] == u'"' && entry[1] == u' ') {
            name = entry.mid(2);
        } else {
            const qsizetype cut = entry.lastIndexOf(u'\\') + 1;
            folder = entry.left(cut);
            name = entry.mid(cut);
        }
        // An entry without any backslash names no file of a folder.
        if (folder.isEmpty() || !insideChosen(folder, chosen))
            continue;
        const qsizetype dot = name.lastIndexOf(u'.');
        const QString extension = dot < 0 ? QString() : name.mid(dot);
        const QString entryPattern = u'*' + extension.toLower();
        for (const QString& pattern : patterns) {
            if (!pattern.isEmpty() &&
                QString::compare(pattern, entryPattern, Qt::CaseInsensitive) == 0) {
                lines.append(folder + name);
                break;
            }
        }
    }
    return lines;
}

void checkSlots(const QString& field, const extensions::Slots& parsed)
{
    for (const QString& slot : parsed) {
        expect(slot.startsWith(u'.'), "slot without a dot: " + shown(slot));
        const QString word = slot.mid(1);
        expect(!word.contains(u'*') && !word.contains(u'.'),
               "slot keeps a separator: " + shown(slot) + " from " + shown(field));
        expect(word == word.trimmed(), "slot word not trimmed: " + shown(slot));
        const QString pattern = extensions::patternOf(slot);
        expect(slot.size() == 1 ? pattern.isEmpty() : pattern == u'*' + slot,
               "pattern of a slot: " + shown(pattern));
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzedDataProvider input(data, size);
    const QString folderField =
        QString::fromUtf8(fuzz::bytesOf(input.ConsumeRandomLengthString(24)));
    const QString extensionField =
        QString::fromUtf8(fuzz::bytesOf(input.ConsumeRandomLengthString(24)));
    const int entryLimit = input.ConsumeBool() ? input.ConsumeIntegralInRange(0, 40) : -1;
    const bool remember = input.ConsumeIntegralInRange(0, 7) == 0;
    const QByteArray list = fuzz::bytesOf(input.ConsumeRemainingBytesAsString());

    const extensions::Slots parsed = extensions::parseField(extensionField);
    checkSlots(extensionField, parsed);
    const QStringList patterns = extensions::patternsOf(parsed);

    int calls = 0;
    const QStringList lines = drivelist::descriptorLines(
        list, folderField, patterns, [&] { return entryLimit < 0 || calls++ < entryLimit; });
    const QStringList expected = plainFilter(list, folderField, patterns, entryLimit);
    if (lines != expected) {
        fuzz::fail("filter gives " + std::to_string(lines.size()) + " lines, the rules " +
                   std::to_string(expected.size()) + "; folder " + shown(folderField) +
                   ", patterns " + shown(patterns.join(u'|')) + ", list " + shown(list));
    }
    const Result<descriptor::Header> header = descriptor::parseHeader(lines.first());
    if (!folderField.trimmed().isEmpty() && !folderField.contains(QStringLiteral("*.")) &&
        !folderField.contains(QStringLiteral("PFAD_UND_ENDUNGEN=")))
        expect(header.ok() && header.value().sourceFolder == folderField.trimmed(),
               "the written header does not read back: " + shown(lines.first()));

    if (remember) {
        // Patterns remembered in the choices file come back when it is read.
        const QString file = fuzz::writeFile(QStringLiteral("AuswahlEndungen.txt"), {});
        const QStringList start = extensions::rememberedPatterns(file);
        const Result<QStringList> kept = extensions::rememberPatterns(start, parsed, file);
        expect(kept.ok(), "remembering failed");
        const QStringList again = extensions::rememberedPatterns(file);
        for (const QString& pattern : kept.value())
            expect(again.contains(pattern), "remembered pattern lost: " + shown(pattern));
    }
    return 0;
}
