#include "support/TempFolder.h"

#include "platform/SettingsBackend.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

TempFolder::TempFolder()
{
    EXPECT_TRUE(m_dir.isValid());
}

QString TempFolder::native(const QString& relative) const
{
    return relative.isEmpty() ? m_dir.path() : m_dir.filePath(relative);
}

void TempFolder::write(const QString& relative, const QByteArray& bytes) const
{
    const QString path = native(relative);
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
    ASSERT_EQ(file.write(bytes), bytes.size());
}

QByteArray TempFolder::read(const QString& relative) const
{
    QFile file(native(relative));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

void TempFolder::makeFolder(const QString& relative) const
{
    QDir().mkpath(native(relative));
}

MappedDrive::MappedDrive(QChar letter) : m_letter(letter), m_previous(DriveMap::current())
{
    DriveMap map = m_previous;
    map.setRoot(letter, native());
    DriveMap::setCurrent(map);
}

MappedDrive::~MappedDrive()
{
    DriveMap::setCurrent(m_previous);
}

QString MappedDrive::program(const QString& relative) const
{
    QString rest = relative;
    rest.replace(u'/', u'\\');
    return QString(m_letter) + QStringLiteral(":\\") + rest;
}

IsolatedSettings::IsolatedSettings()
{
    platform::redirectSettingsTo(native());
}
