#include "cli/DatabaseLookup.h"

#include "platform/FileFacts.h"
#include "store/DatabaseCommit.h"
#include "store/DatabaseName.h"

std::optional<Database> findDatabase(const QString& nativeBase, const QString& name,
                                     QTextStream& err)
{
    if (const QString why = databasename::refusal(name); !why.isEmpty()) {
        err << why << '\n';
        return std::nullopt;
    }
    const DatabasePaths paths(DatabasePaths::determineBaseFolder(false, nativeBase, QString()));
    if (paths.baseFolder().isEmpty()) {
        err << QStringLiteral("Der Ordner %1 liegt auf keinem zugeordneten Laufwerk.\n")
                   .arg(nativeBase);
        return std::nullopt;
    }
    Database database(paths, name);
    if (Status recovered = dbcommit::recoverUnlessBusy(database); !recovered) {
        err << recovered.error() << '\n';
        return std::nullopt;
    }
    if (!platform::exists(database.descriptor())) {
        err << QStringLiteral("Die Datenbank \"%1\" gibt es nicht: %2 fehlt.\n")
                   .arg(name, platform::nativePath(database.descriptor()));
        return std::nullopt;
    }
    return database;
}
