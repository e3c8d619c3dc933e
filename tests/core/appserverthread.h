#pragma once

#include "login/appserver.h"

#include <QThread>

#include <memory>

// The real application server, running on its own thread so that the blocking client of the
// test thread can talk to it. Listens on 127.0.0.1, on a free port.
class AppServerThread
{
public:
    explicit AppServerThread(const QList<AppServerUser> &users)
    {
        m_thread.start();
        m_context = new QObject;
        m_context->moveToThread(&m_thread);
        QMetaObject::invokeMethod(
            m_context,
            [this, users] {
                m_server = std::make_unique<AppServer>(AppServerHandler(users));
                m_server->listen(QHostAddress::LocalHost, 0);
                m_port = m_server->port();
            },
            Qt::BlockingQueuedConnection);
    }

    ~AppServerThread()
    {
        QMetaObject::invokeMethod(m_context, [this] { m_server.reset(); },
                                  Qt::BlockingQueuedConnection);
        m_context->deleteLater();
        m_thread.quit();
        m_thread.wait();
    }

    quint16 port() const { return m_port; }

private:
    QThread m_thread;
    QObject *m_context = nullptr;
    std::unique_ptr<AppServer> m_server;
    quint16 m_port = 0;
};
