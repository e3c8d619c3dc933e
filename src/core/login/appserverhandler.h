#pragma once

#include "login/appserverprotocol.h"

#include <QJsonObject>
#include <QList>
#include <QString>

#include <functional>
#include <optional>

// One user the application server knows, with the database login it hands out.
struct AppServerUser
{
    QString name;
    QString password;
    int operatorId = 0;
    QString dbUser;
    QString dbPassword;
    QString dbServer;
    QString instance;
};

// The application server's answers, apart from the network: it checks a user's name and
// password and hands back the database login, scrambled with AppServerKey.
class AppServerHandler
{
public:
    AppServerHandler() = default;
    explicit AppServerHandler(QList<AppServerUser> users);

    // The users file: UTF-8 text, one user per line, seven fields separated by TAB characters:
    //   user name, password, operator id, database user, database password, database server,
    //   instance (the last may be left off)
    // Lines starting with "#" and blank lines are skipped. Nothing, and the reason with its line
    // number, when a line is malformed or a user name comes twice.
    static std::optional<QList<AppServerUser>> parseUsers(const QString &text, QString *error);
    static std::optional<QList<AppServerUser>> readUsers(const QString &path, QString *error);

    // The answer to one received message.
    QJsonObject handle(const QJsonObject &message) const;
    // Count 1 and the slots filled for a known user with the right password (the password
    // comes scrambled with AppServerKey), else count 0 and the slots as they came.
    AppServerProtocol::LoginMeCall loginMe(AppServerProtocol::LoginMeCall call) const;

    // Receives one line per login attempt (who, from where, accepted or not).
    void setLog(std::function<void(const QString &)> log) { m_log = std::move(log); }

private:
    const AppServerUser *findUser(const QString &name) const;

    QList<AppServerUser> m_users;
    std::function<void(const QString &)> m_log;
};
