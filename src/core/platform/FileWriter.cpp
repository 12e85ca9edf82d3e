#include "platform/FileWriter.h"

#include <QCoreApplication>

#include <utility>

namespace platform {

FileWriter::FileWriter(QString nativeTarget)
    : m_target(std::move(nativeTarget)), m_temporary(temporaryNameOf(m_target))
{
}

FileWriter::~FileWriter()
{
    discard();
}

QString FileWriter::temporaryNameOf(const QString& nativeTarget)
{
    return nativeTarget + u'.' + QString::number(QCoreApplication::applicationPid()) +
           QStringLiteral(".tmp");
}

Status writeWholeFile(const QString& nativeTarget, QByteArrayView bytes,
                      FileWriter::Durability durability)
{
    FileWriter file(nativeTarget);
    if (Status opened = file.open(); !opened)
        return opened;
    if (Status written = file.write(bytes); !written)
        return written;
    return file.commit(durability);
}

} // namespace platform
