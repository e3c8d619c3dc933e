#include "login/appserverclient.h"

#include <QDeadlineTimer>
#include <QTcpSocket>

#include <algorithm>

using namespace AppServerProtocol;

namespace {

using Reply = AppServerClient::Reply;
using Failure = AppServerClient::Failure;

Reply failed(Failure failure, const QString &why)
{
    Reply reply;
    reply.failure = failure;
    reply.error = why;
    return reply;
}

// Milliseconds left, at least 1 so that a wait never means "forever".
int remaining(const QDeadlineTimer &deadline)
{
    return int(std::max<qint64>(1, deadline.remainingTime()));
}

// Sends one call and reads its answer from a connected socket.
std::optional<Answer> exchange(QTcpSocket &socket, const QJsonObject &message,
                               const QDeadlineTimer &deadline, QString *why)
{
    socket.write(frame(message));
    while (socket.bytesToWrite() > 0) {
        if (deadline.hasExpired() || !socket.waitForBytesWritten(remaining(deadline))) {
            *why = socket.errorString();
            return std::nullopt;
        }
    }
    QByteArray buffer;
    QJsonObject received;
    for (;;) {
        switch (takeMessage(buffer, &received)) {
        case Take::Message:
            return readAnswer(received, why);
        case Take::Broken:
            *why = QStringLiteral("the server's answer is not a message of ours");
            return std::nullopt;
        case Take::Incomplete:
            break;
        }
        if (deadline.hasExpired() || !socket.waitForReadyRead(remaining(deadline))) {
            *why = deadline.hasExpired() ? QStringLiteral("no answer in time")
                                         : socket.errorString();
            return std::nullopt;
        }
        buffer += socket.readAll();
    }
}

} // namespace

AppServerClient::Reply AppServerClient::loginMe(const QString &host, quint16 port,
                                                const QString &userName,
                                                const QString &scrambledPassword,
                                                const QString &computerName, int timeoutMs)
{
    const QDeadlineTimer deadline(std::max(1, timeoutMs));
    QTcpSocket socket;
    socket.connectToHost(host, port);
    if (!socket.waitForConnected(remaining(deadline)))
        return failed(Failure::Unreachable, socket.errorString());

    LoginMeCall call;
    call.userName = userName;
    call.scrambledPassword = scrambledPassword;
    call.computerName = computerName;
    QString why;
    const std::optional<Answer> answer =
        exchange(socket, callMessage(LoginMeMethod, call.arguments()), deadline, &why);
    if (!answer) {
        socket.abort();
        return failed(Failure::NoAnswer, why);
    }
    socket.disconnectFromHost();
    std::optional<LoginMeCall> returned = LoginMeCall::fromArguments(answer->arguments);
    if (!returned)
        return failed(Failure::NoAnswer, QStringLiteral("LoginMe_FN answered without its "
                                                        "thirteen arguments"));
    returned->count = answer->result;
    Reply reply;
    reply.call = *returned;
    return reply;
}
