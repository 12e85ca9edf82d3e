#include "app/GermanTranslations.h"
#include "app/ProgramLogo.h"
#include "app/TMainForm_NB_Klar.h"

#include <QApplication>
#include <QDir>
#include <QIcon>

#include <cstdio>
#include <cstring>

namespace {

const char* const kHelp =
    "Aufruf: nimbra-doviruzu [ARGUMENT]\n"
    "       nimbra-doviruzu --help | --version\n"
    "Nimbra-Doviruzu, die Suchmaschine für Doviruzu-Dokumente: fügt den Text aller passenden\n"
    "Dateien eines Ordners zu drei großen Klartext-Dokumenten zusammen (Windows-1252, UTF-8,\n"
    "UTF-16) und durchsucht diese statt der einzelnen Dateien. Die Treffer öffnen sich als\n"
    "HTML-Seiten im Browser.\n"
    "\n"
    "Ohne Argument ist der Basisordner der aktuelle Ordner, mit einem beliebigen Argument der\n"
    "Ordner des Programms; die Datenbanken liegen in dessen Unterordner Datenbank.\n"
    "Laufwerksbuchstaben\n"
    "werden mit NIMBRA_DRIVES zugeordnet (\"D=/home/ich/Texte;E=/mnt/daten\").\n"
    "\n"
    "Optionen:\n"
    "  --help, -h  diese Hilfe\n"
    "  --version   die Version\n"
    "\n"
    "Die Kommandozeile derselben Datenbanken ist nimbra(1).\n";

} // namespace

int main(int argc, char* argv[])
{
    // Answered before any window exists, so that they work without a display.
    if (argc == 2 && (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0)) {
        std::fputs(kHelp, stdout);
        return 0;
    }
    if (argc == 2 && std::strcmp(argv[1], "--version") == 0) {
        std::puts("nimbra-doviruzu (Nimbra-Doviruzu) " NIMBRA_VERSION);
        return 0;
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Nimbra-Doviruzu"));
    QApplication::setWindowIcon(QIcon(programLogo(64)));
    (void)installGermanQtTranslations(app); // without them the standard dialogs stay English

    TMainForm_NB_Klar::StartInfo start;
    start.hasArguments = argc > 1;
    start.nativeWorkingFolder = QDir::currentPath();
    start.nativeProgramFolder = QApplication::applicationDirPath();

    TMainForm_NB_Klar mainForm(start);
    mainForm.show();
    return app.exec();
}
