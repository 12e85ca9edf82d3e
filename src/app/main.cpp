#include "app/GermanTranslations.h"
#include "app/ProgramLogo.h"
#include "app/TMainForm_NB_Klar.h"

#include <QApplication>
#include <QDir>
#include <QIcon>

int main(int argc, char* argv[])
{
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
