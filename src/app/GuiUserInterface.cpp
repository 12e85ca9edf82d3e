#include "app/GuiUserInterface.h"

#include <QApplication>
#include <QMessageBox>

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
    return QMessageBox::question(m_parent, applicationTitle(), text,
                                 QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
}

void GuiUserInterface::letEventsThrough()
{
    QApplication::processEvents();
}
