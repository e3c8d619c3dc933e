#include "login/appserverlogin.h"

#include "app/appcontext.h"
#include "app/scramble.h"
#include "login/serveraddress.h"

using Kind = AppServerLoginResult::Kind;

namespace {

const QString NoHostMessage = QStringLiteral("请指定应用服务器所在的计算机名称，或IP地址");
const QString UnreachableMessage =
    QStringLiteral("不能连接应用服务器，请确定：1.应用服务器是否启动及网络是否畅通，"
                   "2.重新启动系统，3.重新安装系统");
const QString BothUnreachableMessage = QStringLiteral("不能连接应用服务器");
const QString NoConnectionMessage =
    QStringLiteral("不能与服务器建立连接，请检查网络是否连通、服务器名称或IP地址是否正确！");
const QString RefusedMessage = QStringLiteral("用户名或密码错误！");

AppServerLoginResult stop(AppServerLoginResult result, Kind kind, QStringList messages)
{
    result.kind = kind;
    result.messages = std::move(messages);
    result.endsProgram = kind == Kind::Unreachable;
    return result;
}

} // namespace

ConnectionSettings AppServerLogin::databaseConnection(const QString &dataSource,
                                                      const QString &instance,
                                                      const QString &user,
                                                      const QString &password)
{
    ConnectionSettings settings;
    settings.provider = Provider::PostgreSQL;
    const std::optional<ServerAddress> address = ServerAddress::parse(dataSource);
    settings.server = address ? address->host : dataSource.trimmed();
    if (address && address->port)
        settings.port = *address->port;
    if (const std::optional<int> port = ServerAddress::parsePort(instance.trimmed()))
        settings.port = *port;
    settings.user = user;
    settings.password = password;
    return settings;
}

AppServerLoginResult AppServerLogin::logIn(const AppServerLoginRequest &request)
{
    AppServerLoginResult result;
    const QString host = request.hostText.trimmed();
    if (host.isEmpty())
        return stop(result, Kind::NoHost, {NoHostMessage});

    AppContext.PasswordKey = AppServerKey;
    result.port = AppServerSettings::portOrDefault(request.portText);
    const QString scrambledPassword = Scramble(request.password.trimmed(), AppServerKey);
    auto ask = [&](const QString &target) {
        return AppServerClient::loginMe(target, quint16(result.port), request.userName,
                                        scrambledPassword, request.computerName,
                                        request.timeoutMs);
    };

    if (!request.home.isEmpty())
        AppServerSettings::writeServerName(request.home, host);
    result.host = host;
    AppServerClient::Reply reply = ask(host);
    if (!reply.answered()) {
        const QString second = request.settings.testServer.trimmed();
        if (second.isEmpty())
            return stop(result, Kind::Unreachable, {UnreachableMessage, NoConnectionMessage});
        result.host = second;
        reply = ask(second);
        if (!reply.answered())
            return stop(result, Kind::Unreachable, {BothUnreachableMessage, NoConnectionMessage});
    }
    if (reply.call.count <= 0)
        return stop(result, Kind::Refused, {RefusedMessage});

    result.kind = Kind::LoggedIn;
    result.operatorId = reply.call.operatorId;
    result.dbUser = Unscramble(reply.call.dbUser, AppServerKey);
    result.dbPassword = Unscramble(reply.call.dbPassword, AppServerKey);
    result.dbServer = Unscramble(reply.call.dbServer, AppServerKey);
    result.text10 = Unscramble(reply.call.text10, AppServerKey);
    result.instance = Unscramble(reply.call.instance, AppServerKey);
    result.scrambledPassword = scrambledPassword;
    if (!request.home.isEmpty())
        AppServerSettings::writeUserName(request.home, request.userName);

    const QString dataSource = result.host.contains(u'.') ? result.host : result.dbServer;
    result.connection =
        databaseConnection(dataSource, result.instance, result.dbUser, result.dbPassword);
    result.connPrefix = result.connection.prefix();
    return result;
}
