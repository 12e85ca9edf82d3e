#include "indexer/NewDatabaseChecks.h"

#include "platform/FileFacts.h"
#include "store/Windows1252.h"

namespace newdb {

FilteredName filterName(const QString& typed)
{
    static const QString kForbidden = QStringLiteral("/\\*?<>|:^\"");
    const QString ansi = cp1252::decode(cp1252::encode(typed));
    FilteredName result;
    for (const QChar c : ansi) {
        if (kForbidden.contains(c))
            result.removedSomething = true;
        else
            result.name += c;
    }
    return result;
}

bool confirm(const Request& request, const QStringList& existingNames, UserInterface& ui)
{
    bool ok = true;
    const auto refuse = [&](const char* text) {
        ui.information(QString::fromUtf8(text));
        ok = false;
    };
    if (request.name.trimmed().isEmpty())
        refuse("Sie haben keinen Namen für die Datenbank angegeben");
    if (request.folder.trimmed().isEmpty())
        refuse("Sie haben keinen Pfad angegeben");
    if (!platform::isFolder(request.folder))
        refuse("Der angegebene Ordner existiert nicht");
    if (request.extensions.trimmed().isEmpty())
        refuse("Sie haben keine Dateiendung angegeben");
    if (!request.updateMode) {
        for (const QString& existing : existingNames) {
            if (existing.compare(request.name, Qt::CaseInsensitive) == 0) {
                refuse("Dieser Name existiert schon! Geben Sie einen anderen ein!");
                break;
            }
        }
    }
    return ok;
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

} // namespace newdb
