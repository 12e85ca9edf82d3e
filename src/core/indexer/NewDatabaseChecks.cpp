#include "indexer/NewDatabaseChecks.h"

#include "indexer/FileTimes.h"
#include "platform/FileFacts.h"
#include "store/DatabaseName.h"
#include "store/Windows1252.h"

#include <algorithm>

namespace newdb {

namespace {

bool sameName(const QString& a, const QString& b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

// Another listed database already carries the name; in update mode the database being
// updated does not count.
bool nameTaken(const Request& request, const QStringList& existingNames)
{
    const QString& updated = request.originalName.isEmpty() ? request.name : request.originalName;
    return std::any_of(existingNames.begin(), existingNames.end(), [&](const QString& existing) {
        return sameName(existing, request.name) &&
               !(request.updateMode && sameName(existing, updated));
    });
}

// The catalogue skips every descriptor whose name contains "_mht.dat".
bool descriptorHidden(const QString& name)
{
    return (name + QStringLiteral(".dat"))
        .contains(QStringLiteral("_mht.dat"), Qt::CaseInsensitive);
}

} // namespace

FilteredName filterName(const QString& typed)
{
    const QString ansi = cp1252::decode(cp1252::encode(typed));
    FilteredName result;
    for (const QChar c : ansi) {
        if (databasename::isForbidden(c))
            result.removedSomething = true;
        else
            result.name += c;
    }
    return result;
}

QString removeInvalidCharacters(const QString& typed, UserInterface& ui)
{
    FilteredName filtered = filterName(typed);
    if (filtered.removedSomething)
        ui.information(kInvalidCharacters);
    return std::move(filtered.name);
}

bool checkDrive(const QString& folder, UserInterface& ui)
{
    if (folder.mid(1, 2) != QStringLiteral(":\\") || platform::canListDrive(folder[0]))
        return true;
    ui.information(QStringLiteral("Das Laufwerk: \"%1\" hat kein NTFS-Dateisystem! Nimbra kann es "
                                  "deshalb nicht indizieren.")
                       .arg(folder[0]));
    return false;
}

QString appendPattern(const QString& field, const QString& pattern)
{
    return field.isEmpty() ? pattern : field + u' ' + pattern;
}

bool confirm(const Request& request, const QStringList& existingNames, UserInterface& ui)
{
    bool ok = true;
    const auto refuse = [&](const QString& text) {
        ui.information(text);
        ok = false;
    };
    if (const QString why = databasename::refusal(request.name); !why.isEmpty())
        refuse(why);
    if (request.folder.trimmed().isEmpty())
        refuse(QStringLiteral("Sie haben keinen Pfad angegeben"));
    if (!platform::isFolder(request.folder))
        refuse(QStringLiteral("Der angegebene Ordner existiert nicht"));
    if (request.extensions.trimmed().isEmpty())
        refuse(QStringLiteral("Sie haben keine Dateiendung angegeben"));
    if (descriptorHidden(request.name))
        refuse(QStringLiteral("Ein Name, der auf \"_mht\" endet oder \"_mht.dat\" enthält, ist "
                              "nicht möglich! Geben Sie einen anderen ein!"));
    if (nameTaken(request, existingNames))
        refuse(QStringLiteral("Dieser Name existiert schon! Geben Sie einen anderen ein!"));
    const QString& updated = request.originalName.isEmpty() ? request.name : request.originalName;
    if (ok && request.updateMode &&
        std::none_of(existingNames.begin(), existingNames.end(),
                     [&](const QString& existing) { return sameName(existing, updated); }))
        refuse(QStringLiteral("Die Datenbank \"%1\" gibt es nicht.").arg(updated));
    return ok;
}

QString catalogueName(const QString& name, const QStringList& existingNames)
{
    const auto listed =
        std::find_if(existingNames.begin(), existingNames.end(),
                     [&](const QString& existing) { return sameName(existing, name); });
    return listed == existingNames.end() ? name : *listed;
}

QString driveListQuestion(QChar driveLetter, const QDateTime& lastWrite)
{
    const QString when = lastWrite.toLocalTime().toString(QStringLiteral("dd.MM.yyyy HH:mm:ss"));
    return QStringLiteral("\r\n\r\n\r\nDie \"Haupt_Dateinamen_Liste_Laufwerk_") + driveLetter +
           QStringLiteral(".txt\" ist schon vorhanden.\r\n\r\n\tSie wurde am: ") + when +
           QStringLiteral(
               " erstellt.\r\n\r\n\t\tSoll sie neu erstellt werden?\r\n\t\t"
               "--------------------------------------\r\n\r\n"
               "  Das geht relativ schnell. Für 300.000 Dateien etwa 25 Sekunden.\r\n\r\n"
               "             Test-PC:  Prozessor: Intel Core i5-7400 4 x 3.00 GHz\r\n\r\n"
               "Die Geschwindigkeit ist abhängig von der Leistungsfähigkeit des PC.");
}

bool wantsNewDriveList(const QString& driveList, QChar driveLetter, NewDatabasePrompts& prompts)
{
    if (driveList.isEmpty())
        return true;
    const std::optional<FileTimes> times = fileTimes(driveList);
    return !times || prompts.askYesNo(driveListQuestion(driveLetter, times->lastWrite));
}

} // namespace newdb
