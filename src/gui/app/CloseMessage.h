#pragma once

#include <QByteArrayView>
#include <QObject>
#include <QString>

class QLocalServer;
class QSocketNotifier;

// Ends the program on request from outside, as the window message 5735 with parameter 99
// does: every running copy listens on a local socket named after its process id for the
// text "5735 99"; SIGTERM takes the same path. Anything else is ignored.
class CloseMessage : public QObject {
    Q_OBJECT

public:
    static constexpr int kMessage = 5735; // the first user message number 1024 plus 4711
    static constexpr int kCloseParameter = 99;

    explicit CloseMessage(QObject* parent = nullptr);
    ~CloseMessage() override;

    // "Nimbra-Doviruzu-<process id>"
    static QString serverName(qint64 processId);
    // A message is two decimal numbers separated by blanks, optionally ended by a line break.
    static bool isCloseRequest(QByteArrayView message);

signals:
    void closeRequested();

private:
    void readFrom(class QLocalSocket* socket);
    void listenForTermination();

    QLocalServer* m_server = nullptr;
    QSocketNotifier* m_termination = nullptr;
};
