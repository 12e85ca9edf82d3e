#include "store/DatabaseName.h"

namespace databasename {

bool isForbidden(QChar c)
{
    static const QString kForbidden = QStringLiteral("/\\*?<>|:^\"");
    return c.unicode() < 0x20 || c.unicode() == 0x7F || kForbidden.contains(c);
}

QString refusal(const QString& name)
{
    const auto refused = [&name](const QString& why) {
        return QStringLiteral("Der Name \"%1\" ist für eine Datenbank nicht möglich: %2")
            .arg(name, why);
    };
    if (name.trimmed().isEmpty())
        return QStringLiteral("Sie haben keinen Namen für die Datenbank angegeben");
    for (const QChar c : name) {
        if (c.unicode() < 0x20 || c.unicode() == 0x7F)
            return refused(QStringLiteral("Er enthält ein Steuerzeichen."));
        if (isForbidden(c))
            return refused(QStringLiteral("Die Zeichen / \\ * ? \" < > | : ^ sind nicht erlaubt."));
    }
    if (name != name.trimmed())
        return refused(QStringLiteral("Er darf nicht mit einem Leerzeichen beginnen oder enden."));
    if (name == QLatin1String(".") || name == QLatin1String(".."))
        return refused(QStringLiteral("\".\" und \"..\" sind keine Namen."));
    return {};
}

} // namespace databasename
