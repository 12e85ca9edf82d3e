#include "app/CloseMessage.h"

#include "platform/TerminationRequest.h"

#include <QCoreApplication>
#include <QLocalServer>
#include <QLocalSocket>
#include <QSocketNotifier>

CloseMessage::CloseMessage(QObject* parent) : QObject(parent), m_server(new QLocalServer(this))
{
    const QString name = serverName(QCoreApplication::applicationPid());
    QLocalServer::removeServer(name);
    m_server->listen(name);
    connect(m_server, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket* socket = m_server->nextPendingConnection()) {
            connect(socket, &QLocalSocket::readyRead, this, [this, socket] { readFrom(socket); });
            connect(socket, &QLocalSocket::disconnected, this, [this, socket] {
                // What came without a line break is taken as the whole message.
                if (socket->bytesAvailable() > 0 && isCloseRequest(socket->readAll()))
                    emit closeRequested();
                socket->deleteLater();
            });
        }
    });
    listenForTermination();
}

CloseMessage::~CloseMessage()
{
    if (m_termination)
        platform::stopWatchingTerminationRequests();
}

QString CloseMessage::serverName(qint64 processId)
{
    return QStringLiteral("Nimbra-Doviruzu-%1").arg(processId);
}

bool CloseMessage::isCloseRequest(QByteArrayView message)
{
    const QList<QByteArray> parts = message.toByteArray().trimmed().simplified().split(' ');
    if (parts.size() != 2)
        return false;
    bool messageOk = false;
    bool parameterOk = false;
    const int id = parts[0].toInt(&messageOk);
    const int parameter = parts[1].toInt(&parameterOk);
    return messageOk && parameterOk && id == kMessage && parameter == kCloseParameter;
}

void CloseMessage::readFrom(QLocalSocket* socket)
{
    while (socket->canReadLine()) {
        if (isCloseRequest(socket->readLine()))
            emit closeRequested();
    }
    // A message is short: a long text without a line break is no message of ours.
    if (socket->bytesAvailable() > 64)
        socket->abort();
}

void CloseMessage::listenForTermination()
{
    const int descriptor = platform::watchTerminationRequests();
    if (descriptor < 0)
        return;
    m_termination = new QSocketNotifier(descriptor, QSocketNotifier::Read, this);
    connect(m_termination, &QSocketNotifier::activated, this, [this, descriptor] {
        platform::takeTerminationRequest(descriptor);
        emit closeRequested();
    });
}
