#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// The stored values of the setting "Browser" that the settings window writes.
namespace browserkeyword {
inline const QString kStandard = QStringLiteral("standard");
inline const QString kInternetExplorer = QStringLiteral("internet explorer");
inline const QString kEdge = QStringLiteral("edge");
inline const QString kChrome = QStringLiteral("chrome");
inline const QString kOpera = QStringLiteral("opera");
inline const QString kSafari = QStringLiteral("safari");
inline const QString kFirefox = QStringLiteral("firefox");
} // namespace browserkeyword

// The local programs behind the browser keywords, looked up on the search path: the
// installed-browser list of the settings window and the program a named browser starts.
class BrowserPrograms {
public:
    struct Installed {
        QString keyword;
        QString displayName; // the settings window's hint text ("FireFox", "Google Chrome")
        QString program;     // full path of the program found
    };

    // Empty search paths: the PATH of the environment.
    explicit BrowserPrograms(QStringList searchPaths = {});

    // Program names that start the keyword's browser here, the preferred one first.
    static QStringList programNames(const QString& keyword);
    // Full path of the first of them found, or empty.
    QString find(const QString& keyword) const;
    // The browsers found, in the settings window's order of keywords.
    QList<Installed> installed() const;

private:
    QStringList m_searchPaths;
};
