#include "app/TMainForm_NB_Klar.h"

#include <QApplication>
#include <QDir>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Nimbra-Doviruzu"));

    TMainForm_NB_Klar::StartInfo start;
    start.hasArguments = argc > 1;
    start.nativeWorkingFolder = QDir::currentPath();
    start.nativeProgramFolder = QApplication::applicationDirPath();

    TMainForm_NB_Klar mainForm(start);
    mainForm.show();
    return app.exec();
}
