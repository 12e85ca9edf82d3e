#include "app/CloseMessage.h"

#include <QCoreApplication>
#include <QLocalServer>
#include <QLocalSocket>
#include <QSocketNotifier>

#ifdef Q_OS_UNIX
#include <csignal>
#include <sys/socket.h>
#include <unistd.h>

namespace {

// The signal handler may only write to a descriptor; the notifier picks it up in the loop.
int terminationPipe[2] = {-1, -1};

void onTermination(int)
{
    const char byte = 1;
    [[maybe_unused]] const ssize_t written = ::write(terminationPipe[1], &byte, 1);
}

} // namespace
#endif

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
#ifdef Q_OS_UNIX
    if (m_termination)
        std::signal(SIGTERM, SIG_DFL);
#endif
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
#ifdef Q_OS_UNIX
    if (terminationPipe[0] < 0 && ::socketpair(AF_UNIX, SOCK_STREAM, 0, terminationPipe) != 0)
        return;
    m_termination = new QSocketNotifier(terminationPipe[0], QSocketNotifier::Read, this);
    connect(m_termination, &QSocketNotifier::activated, this, [this] {
        char byte = 0;
        [[maybe_unused]] const ssize_t got = ::read(terminationPipe[0], &byte, 1);
        emit closeRequested();
    });
    std::signal(SIGTERM, onTermination);
#endif
}
