#pragma once

#include "login/appserverprotocol.h"

#include <QString>

// Calls the application server, blocking, each call on a new connection. The whole exchange,
// connecting included, ends within the timeout, so a dead server cannot freeze the window for
// longer than that. (A host name, unlike an address, is first looked up by the system resolver,
// which keeps its own time.)
class AppServerClient
{
public:
    static constexpr int DefaultTimeoutMs = 5000;

    enum class Failure {
        None,        // answered: the call's count says whether the login was accepted
        Unreachable, // no connection to host and port
        NoAnswer,    // connected, but no valid answer in time
    };

    struct Reply
    {
        Failure failure = Failure::None;
        QString error; // why, for the log, when failed
        AppServerProtocol::LoginMeCall call;

        bool answered() const { return failure == Failure::None; }
    };

    static Reply loginMe(const QString &host, quint16 port, const QString &userName,
                         const QString &scrambledPassword, const QString &computerName,
                         int timeoutMs = DefaultTimeoutMs);
};
