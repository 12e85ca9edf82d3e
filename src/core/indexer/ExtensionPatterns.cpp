#include "indexer/ExtensionPatterns.h"

#include "indexer/TextLines.h"
#include "store/TextWriter.h"

#include <QRegularExpression>

namespace extensions {

Slots parseField(const QString& field)
{
    static const QRegularExpression kSeparators(QStringLiteral("[*.]"));
    const QStringList words = field.trimmed().split(kSeparators, Qt::SkipEmptyParts);
    Slots parsed;
    for (int i = 0; i < kSlots; ++i)
        parsed[i] = u'.' + words.value(i).trimmed().toLower();
    return parsed;
}

QString patternOf(const QString& slot)
{
    return slot.size() == 1 ? QString() : u'*' + slot;
}

QStringList patternsOf(const Slots& slotTexts)
{
    QStringList patterns;
    for (const QString& slot : slotTexts)
        patterns.append(patternOf(slot));
    return patterns;
}

QStringList rememberedPatterns(const QString& choicesFile)
{
    QStringList patterns = {QStringLiteral("*.csv"), QStringLiteral("*.txt")};
    for (const QString& line : textlines::read(choicesFile)) {
        if (!line.isEmpty() && !patterns.contains(line))
            patterns.append(line);
    }
    patterns.sort();
    return patterns;
}

Result<QStringList> rememberPatterns(const QStringList& remembered, const Slots& slotTexts,
                                     const QString& choicesFile)
{
    QStringList patterns = remembered;
    bool added = false;
    for (const QString& slot : slotTexts) {
        const QString pattern = u'*' + slot;
        // The file holds one pattern a line: one with a line break would come back as two.
        const bool oneLine = !slot.contains(u'\n') && !slot.contains(u'\r');
        if (!patterns.contains(pattern) && slot.trimmed().size() > 1 && oneLine) {
            patterns.append(pattern);
            added = true;
        }
    }
    patterns.sort();
    if (added) {
        if (Status written = textlines::write(choicesFile, patterns); !written)
            return Result<QStringList>::failure(written.error());
    }
    return patterns;
}

} // namespace extensions
