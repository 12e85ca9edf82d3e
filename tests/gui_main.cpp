#include <QApplication>

#include <gtest/gtest.h>

int main(int argc, char* argv[])
{
    // Window tests draw off screen unless told otherwise, also when ctest lists them.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Nimbra-Doviruzu"));
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
