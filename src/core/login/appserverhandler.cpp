#include "login/appserverhandler.h"

#include "app/scramble.h"

#include <QFile>

using namespace AppServerProtocol;

AppServerHandler::AppServerHandler(QList<AppServerUser> users) : m_users(std::move(users)) {}

std::optional<QList<AppServerUser>> AppServerHandler::parseUsers(const QString &text,
                                                                 QString *error)
{
    QList<AppServerUser> users;
    const QStringList lines = text.split(u'\n');
    for (qsizetype i = 0; i < lines.size(); ++i) {
        QString line = lines.at(i);
        if (line.endsWith(u'\r'))
            line.chop(1);
        if (line.trimmed().isEmpty() || line.startsWith(u'#'))
            continue;
        auto fail = [&](const QString &why) {
            *error = QStringLiteral("line %1: %2").arg(i + 1).arg(why);
            return std::nullopt;
        };
        const QStringList fields = line.split(u'\t');
        if (fields.size() != 6 && fields.size() != 7)
            return fail(QStringLiteral("expected 6 or 7 fields separated by tabs, found %1")
                            .arg(fields.size()));
        AppServerUser user{fields.at(0), fields.at(1), 0, fields.at(3), fields.at(4),
                           fields.at(5), fields.value(6)};
        bool isNumber = false;
        user.operatorId = fields.at(2).trimmed().toInt(&isNumber);
        if (user.name.isEmpty())
            return fail(QStringLiteral("the user name is empty"));
        if (!isNumber || user.operatorId <= 0)
            return fail(QStringLiteral("the operator id is not a positive integer"));
        for (const AppServerUser &other : std::as_const(users)) {
            if (other.name == user.name)
                return fail(QStringLiteral("user %1 is already listed").arg(user.name));
        }
        users.append(user);
    }
    return users;
}

std::optional<QList<AppServerUser>> AppServerHandler::readUsers(const QString &path,
                                                                QString *error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *error = QStringLiteral("%1: %2").arg(path, file.errorString());
        return std::nullopt;
    }
    std::optional<QList<AppServerUser>> users =
        parseUsers(QString::fromUtf8(file.readAll()), error);
    if (!users)
        *error = path + QStringLiteral(", ") + *error;
    return users;
}

const AppServerUser *AppServerHandler::findUser(const QString &name) const
{
    for (const AppServerUser &user : m_users) {
        if (user.name == name)
            return &user;
    }
    return nullptr;
}

LoginMeCall AppServerHandler::loginMe(LoginMeCall call) const
{
    const AppServerUser *user = findUser(call.userName);
    const bool accepted =
        user && Unscramble(call.scrambledPassword, AppServerKey) == user->password;
    if (m_log)
        m_log(QStringLiteral("LoginMe_FN %1 from %2: %3")
                  .arg(call.userName, call.computerName,
                       accepted ? QStringLiteral("accepted") : QStringLiteral("refused")));
    if (!accepted) {
        call.count = 0;
        return call;
    }
    call.text5 = user->name;
    call.operatorId = user->operatorId;
    call.dbUser = Scramble(user->dbUser, AppServerKey);
    call.dbPassword = Scramble(user->dbPassword, AppServerKey);
    call.dbServer = Scramble(user->dbServer, AppServerKey);
    call.text10 = Scramble(QString(), AppServerKey);
    call.instance = Scramble(user->instance, AppServerKey);
    call.count = 1;
    return call;
}

QJsonObject AppServerHandler::handle(const QJsonObject &message) const
{
    QString why;
    const std::optional<Call> received = readCall(message, &why);
    if (!received)
        return errorMessage(why);
    if (received->method != LoginMeMethod)
        return errorMessage(QStringLiteral("unknown call %1").arg(received->method));
    const std::optional<LoginMeCall> call = LoginMeCall::fromArguments(received->arguments);
    if (!call)
        return errorMessage(QStringLiteral("LoginMe_FN takes thirteen arguments"));
    const LoginMeCall answered = loginMe(*call);
    return answerMessage(answered.count, answered.arguments());
}
