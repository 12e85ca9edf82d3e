#include "dialogs/DialogPrompts.h"

#include <QFileDialog>

std::optional<QString> DialogPrompts::chooseFolder(const QString& nativeStart)
{
    const QString chosen = QFileDialog::getExistingDirectory(
        m_parent, QStringLiteral("Ordner zum Scannen wählen"), nativeStart);
    if (chosen.isEmpty())
        return std::nullopt;
    return chosen;
}
