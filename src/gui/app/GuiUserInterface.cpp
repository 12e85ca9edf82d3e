#include "app/GuiUserInterface.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

namespace {

QString applicationTitle()
{
    return QApplication::applicationName();
}

} // namespace

void GuiUserInterface::information(const QString& text)
{
    QMessageBox::information(m_parent, applicationTitle(), text);
}

void GuiUserInterface::warning(const QString& text)
{
    QMessageBox::warning(m_parent, applicationTitle(), text);
}

bool GuiUserInterface::question(const QString& text)
{
    QMessageBox box(QMessageBox::Question, applicationTitle(), text,
                    QMessageBox::Yes | QMessageBox::No, m_parent);
    // The questions' own texts say "Wenn JA, dann …": the buttons say the same.
    box.button(QMessageBox::Yes)->setText(QStringLiteral("&Ja"));
    box.button(QMessageBox::No)->setText(QStringLiteral("&Nein"));
    return box.exec() == QMessageBox::Yes;
}
