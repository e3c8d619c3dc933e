#include "login/appserver.h"

#include <QTcpSocket>
#include <QTimer>

#include <memory>

using namespace AppServerProtocol;

AppServer::AppServer(AppServerHandler handler) : m_handler(std::move(handler))
{
    QObject::connect(&m_server, &QTcpServer::newConnection, &m_server,
                     [this] { acceptConnections(); });
}

AppServer::~AppServer() = default;

bool AppServer::listen(const QHostAddress &address, quint16 port, QString *error)
{
    if (m_server.listen(address, port))
        return true;
    if (error)
        *error = m_server.errorString();
    return false;
}

void AppServer::acceptConnections()
{
    while (QTcpSocket *socket = m_server.nextPendingConnection())
        serve(socket);
}

void AppServer::serve(QTcpSocket *socket)
{
    auto *idle = new QTimer(socket);
    idle->setSingleShot(true);
    idle->setInterval(IdleTimeoutMs);
    QObject::connect(idle, &QTimer::timeout, socket, &QTcpSocket::abort);
    QObject::connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);

    auto buffer = std::make_shared<QByteArray>();
    QObject::connect(socket, &QTcpSocket::readyRead, socket, [this, socket, idle, buffer] {
        if (socket->state() != QAbstractSocket::ConnectedState)
            return;
        idle->start();
        *buffer += socket->readAll();
        QJsonObject message;
        for (;;) {
            const Take take = takeMessage(*buffer, &message);
            if (take == Take::Incomplete)
                return;
            if (take == Take::Broken) {
                socket->write(frame(errorMessage(QStringLiteral("not a message of ours"))));
                socket->disconnectFromHost();
                buffer->clear();
                return;
            }
            socket->write(frame(m_handler.handle(message)));
        }
    });
    idle->start();
}
