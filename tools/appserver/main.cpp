// lanx-appserver: a small application server for the operator login through an application
// server (操作员登录). It checks user name and password and hands out the database login.
//
//   lanx-appserver --users FILE [--port N] [--address ADDRESS]
//
// --port     the port to listen on (default 211); 0 takes any free port
// --address  the address to listen on (default 127.0.0.1)
// The first line on standard output is the port listened on; one line per login attempt goes to
// standard error. The server keeps no state: it runs until it is killed.
//
// The users file is UTF-8 text with one user per line and seven fields separated by TAB
// characters:
//
//   user name  password  operator id  database user  database password  database server  instance
//
// The instance may be left off. For a PostgreSQL database it is the server's port, in digits;
// the database server may also be given as "host:port". Lines starting with "#" and blank lines
// are skipped. The program sends passwords without outer blanks, so a password in this file
// cannot start or end with one. The file holds passwords in clear text: keep it readable by the
// server's user only.
//
// Exit status: 2 wrong usage, 3 the users file cannot be read or the port cannot be listened on.

#include "login/appserver.h"
#include "login/appserversettings.h"
#include "login/serveraddress.h"

#include <QCoreApplication>
#include <QStringList>

#include <cstdio>

namespace {

constexpr int ExitUsage = 2;
constexpr int ExitFailure = 3;

int fail(int status, const QString &why)
{
    std::fprintf(stderr, "lanx-appserver: %s\n", qPrintable(why));
    return status;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList arguments = app.arguments();
    QString usersFile;
    QString address = QStringLiteral("127.0.0.1");
    int port = AppServerSettings::DefaultPort;
    for (qsizetype i = 1; i < arguments.size(); i += 2) {
        const QString &option = arguments.at(i);
        if (i + 1 >= arguments.size())
            return fail(ExitUsage, QStringLiteral("option %1 needs a value").arg(option));
        const QString &value = arguments.at(i + 1);
        if (option == QLatin1String("--users")) {
            usersFile = value;
        } else if (option == QLatin1String("--address")) {
            address = value;
        } else if (option == QLatin1String("--port")) {
            const std::optional<int> parsed = ServerAddress::parsePort(value);
            if (value != QLatin1String("0") && !parsed)
                return fail(ExitUsage, QStringLiteral("--port takes 0 to 65535"));
            port = parsed.value_or(0);
        } else {
            return fail(ExitUsage, QStringLiteral("unknown option %1").arg(option));
        }
    }
    if (usersFile.isEmpty())
        return fail(ExitUsage,
                    QStringLiteral("usage: lanx-appserver --users FILE [--port N] [--address A]"));
    const QHostAddress listenAddress(address);
    if (listenAddress.isNull())
        return fail(ExitUsage, QStringLiteral("%1 is not an address").arg(address));

    QString error;
    const std::optional<QList<AppServerUser>> users =
        AppServerHandler::readUsers(usersFile, &error);
    if (!users)
        return fail(ExitFailure, error);
    AppServerHandler handler(*users);
    handler.setLog([](const QString &line) {
        std::fprintf(stderr, "%s\n", qPrintable(line));
        std::fflush(stderr);
    });
    AppServer server(std::move(handler));
    if (!server.listen(listenAddress, quint16(port), &error))
        return fail(ExitFailure, error);
    std::printf("%u\n", unsigned(server.port()));
    std::fflush(stdout);
    return app.exec();
}
