#pragma once

#include "login/appserverhandler.h"

#include <QHostAddress>
#include <QTcpServer>

// The application server on the network: accepts connections and answers each message with
// the handler. Runs on the event loop of the thread that creates it. A connection that sends
// something that is not a message of ours, or stays idle too long, is closed.
class AppServer
{
public:
    static constexpr int IdleTimeoutMs = 30000;

    explicit AppServer(AppServerHandler handler);
    ~AppServer();

    AppServer(const AppServer &) = delete;
    AppServer &operator=(const AppServer &) = delete;

    // Port 0 takes any free port; port() tells which.
    bool listen(const QHostAddress &address, quint16 port, QString *error = nullptr);
    quint16 port() const { return m_server.serverPort(); }

private:
    void acceptConnections();
    void serve(QTcpSocket *socket);

    AppServerHandler m_handler;
    QTcpServer m_server; // last: its connections, and the handlers that use this, go first
};
