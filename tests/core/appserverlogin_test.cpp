#include "app/appcontext.h"
#include "app/scramble.h"
#include "appserverthread.h"
#include "login/appserverclient.h"
#include "login/appserverlogin.h"
#include "login/appserverprotocol.h"
#include "qtprinters.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QJsonDocument>
#include <QProcess>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QtEndian>

using namespace AppServerProtocol;

namespace {

const QString NoConnection =
    QStringLiteral("不能与服务器建立连接，请检查网络是否连通、服务器名称或IP地址是否正确！");

QList<AppServerUser> testUsers()
{
    return {
        {QStringLiteral("admin"), QStringLiteral("秘密 pw"), 1, QStringLiteral("dbuser"),
         QStringLiteral("db;pass\"word"), QStringLiteral("dbhost"), QString()},
        {QStringLiteral("sales02"), QStringLiteral("x"), 7, QStringLiteral("u2"),
         QStringLiteral("p2"), QStringLiteral("dbhost:6000"), QStringLiteral("5433")},
        {QStringLiteral("sqlserver"), QStringLiteral("y"), 8, QStringLiteral("u3"),
         QStringLiteral("p3"), QStringLiteral("dbhost"), QStringLiteral("SQLEXPRESS")},
    };
}

// A port on 127.0.0.1 that nobody listens on.
quint16 closedPort()
{
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost, 0);
    return probe.serverPort();
}

class AppServerLoginTest : public ::testing::Test
{
protected:
    AppServerLoginRequest request(const QString &host, const QString &user,
                                  const QString &password, const QString &testServer = {})
    {
        AppServerLoginRequest r;
        r.hostText = host;
        r.portText = QString::number(m_server.port());
        r.userName = user;
        r.password = password;
        r.computerName = QStringLiteral("WS01");
        r.settings.testServer = testServer;
        r.home = m_home.path();
        r.timeoutMs = 3000;
        return r;
    }

    AppServerThread m_server{testUsers()};
    QTemporaryDir m_home;
};

} // namespace

TEST_F(AppServerLoginTest, LogsInAndBuildsTheDatabaseConnection)
{
    const struct
    {
        QString host;
        QString user;
        QString password;
        QString dataSource;
        int port;
        QString dbUser;
        QString dbPassword;
    } cases[] = {
        // A host name: the database server the application server names.
        {QStringLiteral("localhost"), QStringLiteral("admin"), QStringLiteral("  秘密 pw "),
         QStringLiteral("dbhost"), 5432, QStringLiteral("dbuser"), QStringLiteral("db;pass\"word")},
        // A host with a dot, as typed from outside: that host is the database server too.
        {QStringLiteral(" 127.0.0.1 "), QStringLiteral("admin"), QStringLiteral("秘密 pw"),
         QStringLiteral("127.0.0.1"), 5432, QStringLiteral("dbuser"),
         QStringLiteral("db;pass\"word")},
        // An instance of digits is the port.
        {QStringLiteral("localhost"), QStringLiteral("sales02"), QStringLiteral("x"),
         QStringLiteral("dbhost"), 5433, QStringLiteral("u2"), QStringLiteral("p2")},
        // Any other instance means nothing to PostgreSQL.
        {QStringLiteral("localhost"), QStringLiteral("sqlserver"), QStringLiteral("y"),
         QStringLiteral("dbhost"), 5432, QStringLiteral("u3"), QStringLiteral("p3")},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.user.toStdString() + " on " + c.host.toStdString());
        AppContext.PasswordKey = 0;
        const AppServerLoginResult result =
            AppServerLogin::logIn(request(c.host, c.user, c.password));
        ASSERT_EQ(result.kind, AppServerLoginResult::Kind::LoggedIn)
            << result.messages.join(u'|').toStdString();
        EXPECT_TRUE(result.messages.isEmpty());
        EXPECT_FALSE(result.endsProgram);
        EXPECT_EQ(AppContext.PasswordKey, AppServerKey);
        EXPECT_EQ(result.scrambledPassword, Scramble(c.password.trimmed(), AppServerKey));

        QString catalog;
        const std::optional<ConnectionSettings> parsed =
            ConnectionSettings::parse(result.connPrefix + QStringLiteral("V8_URU_ZEZ"), &catalog);
        ASSERT_TRUE(parsed);
        EXPECT_EQ(catalog, QStringLiteral("V8_URU_ZEZ"));
        EXPECT_EQ(parsed->provider, Provider::PostgreSQL);
        EXPECT_EQ(parsed->server, c.dataSource);
        EXPECT_EQ(parsed->port, c.port);
        EXPECT_FALSE(parsed->integrated);
        EXPECT_EQ(parsed->user, c.dbUser);
        EXPECT_EQ(parsed->password, c.dbPassword);

        const AppServerSettings saved = AppServerSettings::read(m_home.path());
        EXPECT_EQ(saved.serverName, c.host.trimmed());
        EXPECT_EQ(saved.userName, c.user);
    }
    EXPECT_EQ(AppServerLogin::logIn(request(QStringLiteral("localhost"), QStringLiteral("sales02"),
                                            QStringLiteral("x")))
                  .operatorId,
              7);
}

TEST_F(AppServerLoginTest, WrongUserOrPasswordKeepsTheDialogOpen)
{
    const QString cases[][2] = {{QStringLiteral("admin"), QStringLiteral("wrong")},
                                {QStringLiteral("Admin"), QStringLiteral("秘密 pw")},
                                {QStringLiteral("nobody"), QString()}};
    for (const auto &c : cases) {
        const AppServerLoginResult result =
            AppServerLogin::logIn(request(QStringLiteral("127.0.0.1"), c[0], c[1]));
        EXPECT_EQ(result.kind, AppServerLoginResult::Kind::Refused);
        EXPECT_EQ(result.messages, QStringList{QStringLiteral("用户名或密码错误！")});
        EXPECT_FALSE(result.endsProgram);
    }
    EXPECT_EQ(AppServerSettings::read(m_home.path()).userName, QString());

    const AppServerLoginResult noHost =
        AppServerLogin::logIn(request(QStringLiteral("  "), QStringLiteral("admin"), {}));
    EXPECT_EQ(noHost.kind, AppServerLoginResult::Kind::NoHost);
    EXPECT_EQ(noHost.messages,
              QStringList{QStringLiteral("请指定应用服务器所在的计算机名称，或IP地址")});
    EXPECT_FALSE(noHost.endsProgram);
}

TEST_F(AppServerLoginTest, FallsBackToTheSecondHostAndEndsWhenNoneAnswers)
{
    // Nothing listens on 127.0.0.2: the server is bound to 127.0.0.1 only.
    const AppServerLoginResult alone = AppServerLogin::logIn(
        request(QStringLiteral("127.0.0.2"), QStringLiteral("admin"), QStringLiteral("秘密 pw")));
    EXPECT_EQ(alone.kind, AppServerLoginResult::Kind::Unreachable);
    EXPECT_EQ(alone.messages,
              (QStringList{QStringLiteral("不能连接应用服务器，请确定：1.应用服务器是否启动及网络是否畅通，"
                                          "2.重新启动系统，3.重新安装系统"),
                           NoConnection}));
    EXPECT_TRUE(alone.endsProgram);
    EXPECT_EQ(AppServerSettings::read(m_home.path()).serverName, QStringLiteral("127.0.0.2"));

    const AppServerLoginResult fallback = AppServerLogin::logIn(request(
        QStringLiteral("127.0.0.2"), QStringLiteral("admin"), QStringLiteral("秘密 pw"),
        QStringLiteral("127.0.0.1")));
    ASSERT_EQ(fallback.kind, AppServerLoginResult::Kind::LoggedIn);
    EXPECT_EQ(fallback.host, QStringLiteral("127.0.0.1"));
    // The database server is the host that answered, not the one that could not be reached.
    EXPECT_EQ(fallback.connection.server, QStringLiteral("127.0.0.1"));

    const AppServerLoginResult byName = AppServerLogin::logIn(request(
        QStringLiteral("127.0.0.2"), QStringLiteral("admin"), QStringLiteral("秘密 pw"),
        QStringLiteral("localhost")));
    ASSERT_EQ(byName.kind, AppServerLoginResult::Kind::LoggedIn);
    EXPECT_EQ(byName.connection.server, QStringLiteral("dbhost"));

    const AppServerLoginResult neither = AppServerLogin::logIn(request(
        QStringLiteral("127.0.0.2"), QStringLiteral("admin"), QStringLiteral("秘密 pw"),
        QStringLiteral("127.0.0.3")));
    EXPECT_EQ(neither.kind, AppServerLoginResult::Kind::Unreachable);
    EXPECT_EQ(neither.messages, (QStringList{QStringLiteral("不能连接应用服务器"), NoConnection}));
    EXPECT_TRUE(neither.endsProgram);
}

TEST(AppServerClient, TellsAClosedPortFromAServerThatDoesNotAnswer)
{
    const AppServerClient::Reply closed = AppServerClient::loginMe(
        QStringLiteral("127.0.0.1"), closedPort(), QStringLiteral("admin"), {}, {}, 3000);
    EXPECT_EQ(closed.failure, AppServerClient::Failure::Unreachable);

    // Accepts connections (the system does, for the backlog) but never answers.
    QTcpServer silent;
    ASSERT_TRUE(silent.listen(QHostAddress::LocalHost, 0));
    const AppServerClient::Reply mute = AppServerClient::loginMe(
        QStringLiteral("127.0.0.1"), silent.serverPort(), QStringLiteral("admin"), {}, {}, 1000);
    EXPECT_EQ(mute.failure, AppServerClient::Failure::NoAnswer);
    EXPECT_FALSE(mute.error.isEmpty());

    AppServerLoginRequest request;
    request.hostText = QStringLiteral("127.0.0.1");
    request.portText = QString::number(silent.serverPort());
    request.timeoutMs = 1000;
    EXPECT_EQ(AppServerLogin::logIn(request).kind, AppServerLoginResult::Kind::Unreachable);
}

TEST(AppServerProtocol, FramesSplitJoinedAndBroken)
{
    const QByteArray one = frame(callMessage(LoginMeMethod, LoginMeCall().arguments()));
    const QByteArray two = frame(errorMessage(QStringLiteral("x")));
    QByteArray buffer = one.left(3);
    QJsonObject message;
    EXPECT_EQ(takeMessage(buffer, &message), Take::Incomplete);
    buffer = one.left(one.size() - 1);
    EXPECT_EQ(takeMessage(buffer, &message), Take::Incomplete);
    buffer = one + two;
    ASSERT_EQ(takeMessage(buffer, &message), Take::Message);
    EXPECT_EQ(message.value(QStringLiteral("call")).toString(), LoginMeMethod);
    ASSERT_EQ(takeMessage(buffer, &message), Take::Message);
    EXPECT_TRUE(buffer.isEmpty());

    QByteArray tooLong(4, Qt::Uninitialized);
    qToBigEndian(quint32(MaxMessageBytes + 1), tooLong.data());
    EXPECT_EQ(takeMessage(tooLong, &message), Take::Broken);
    QByteArray notAnObject = QByteArray(4, Qt::Uninitialized) + "[1]";
    qToBigEndian(quint32(3), notAnObject.data());
    EXPECT_EQ(takeMessage(notAnObject, &message), Take::Broken);
}

TEST(AppServerProtocol, HandlerAnswersOnlyWellFormedCalls)
{
    const AppServerHandler handler(testUsers());
    LoginMeCall call;
    call.userName = QStringLiteral("admin");
    call.scrambledPassword = Scramble(QStringLiteral("秘密 pw"), AppServerKey);

    const QJsonObject good = callMessage(LoginMeMethod, call.arguments());
    QString why;
    const std::optional<Answer> answer = readAnswer(handler.handle(good), &why);
    ASSERT_TRUE(answer) << why.toStdString();
    EXPECT_EQ(answer->result, 1);
    const std::optional<LoginMeCall> back = LoginMeCall::fromArguments(answer->arguments);
    ASSERT_TRUE(back);
    EXPECT_EQ(back->operatorId, 1);
    EXPECT_EQ(Unscramble(back->dbServer, AppServerKey), QStringLiteral("dbhost"));

    QJsonObject otherVersion = good;
    otherVersion.insert(QStringLiteral("version"), 2);
    QJsonArray shortList = call.arguments();
    shortList.removeLast();
    QJsonArray textForNumber = call.arguments();
    textForNumber[5] = QStringLiteral("1");
    const QJsonObject bad[] = {otherVersion,
                               callMessage(QStringLiteral("DropAll"), call.arguments()),
                               callMessage(LoginMeMethod, shortList),
                               callMessage(LoginMeMethod, textForNumber), QJsonObject()};
    for (const QJsonObject &message : bad) {
        EXPECT_FALSE(readAnswer(handler.handle(message), &why))
            << QJsonDocument(message).toJson().toStdString();
        EXPECT_FALSE(why.isEmpty());
    }
}

TEST(AppServer, DropsAConnectionThatSendsGarbageAndKeepsServing)
{
    AppServerThread server(testUsers());
    QTcpSocket socket;
    socket.connectToHost(QHostAddress::LocalHost, server.port());
    ASSERT_TRUE(socket.waitForConnected(3000));
    socket.write(QByteArray("\xFF\xFF\xFF\xFF garbage", 12));
    ASSERT_TRUE(socket.waitForBytesWritten(3000));
    QByteArray received;
    while (socket.state() == QAbstractSocket::ConnectedState && socket.waitForReadyRead(3000))
        received += socket.readAll();
    received += socket.readAll();
    QJsonObject message;
    ASSERT_EQ(takeMessage(received, &message), Take::Message);
    QString why;
    EXPECT_FALSE(readAnswer(message, &why));
    EXPECT_NE(socket.state(), QAbstractSocket::ConnectedState);

    const AppServerClient::Reply reply = AppServerClient::loginMe(
        QStringLiteral("127.0.0.1"), server.port(), QStringLiteral("sales02"),
        Scramble(QStringLiteral("x"), AppServerKey), QStringLiteral("WS01"), 3000);
    ASSERT_TRUE(reply.answered()) << reply.error.toStdString();
    EXPECT_EQ(reply.call.count, 1);
    EXPECT_EQ(reply.call.operatorId, 7);
}

TEST(AppServerProgram, ServesTheUsersOfItsFile)
{
    QTemporaryDir dir;
    const QString users = dir.filePath(QStringLiteral("users.txt"));
    {
        QFile file(users);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(QStringLiteral("# name\tpassword\tid\tdb user\tdb password\tdb server\t"
                                  "instance\n\n管理员\t口令 1\t3\tpg\tpgpw\tdb.example\t6543\n")
                       .toUtf8());
    }
    QProcess program;
    program.start(QStringLiteral(LANX_APPSERVER_PATH), {QStringLiteral("--port"), QStringLiteral("0"),
                                                         QStringLiteral("--users"), users});
    ASSERT_TRUE(program.waitForStarted(10000));
    ASSERT_TRUE(program.waitForReadyRead(10000)) << program.readAllStandardError().toStdString();
    const quint16 port = quint16(program.readLine().trimmed().toUInt());
    ASSERT_NE(port, 0);

    const AppServerClient::Reply accepted = AppServerClient::loginMe(
        QStringLiteral("127.0.0.1"), port, QStringLiteral("管理员"),
        Scramble(QStringLiteral("口令 1"), AppServerKey), QStringLiteral("WS01"), 5000);
    const AppServerClient::Reply refused = AppServerClient::loginMe(
        QStringLiteral("127.0.0.1"), port, QStringLiteral("管理员"),
        Scramble(QStringLiteral("口令"), AppServerKey), QStringLiteral("WS01"), 5000);
    program.kill();
    program.waitForFinished(10000);

    ASSERT_TRUE(accepted.answered()) << accepted.error.toStdString();
    EXPECT_EQ(accepted.call.count, 1);
    EXPECT_EQ(accepted.call.operatorId, 3);
    EXPECT_EQ(Unscramble(accepted.call.dbPassword, AppServerKey), QStringLiteral("pgpw"));
    EXPECT_EQ(Unscramble(accepted.call.instance, AppServerKey), QStringLiteral("6543"));
    ASSERT_TRUE(refused.answered());
    EXPECT_EQ(refused.call.count, 0);
    EXPECT_TRUE(QString::fromUtf8(program.readAllStandardError())
                    .contains(QStringLiteral("LoginMe_FN 管理员 from WS01: accepted")));

    {
        QFile file(users);
        ASSERT_TRUE(file.open(QIODevice::Append));
        file.write("broken line\n");
    }
    QProcess badFile;
    badFile.start(QStringLiteral(LANX_APPSERVER_PATH), {QStringLiteral("--users"), users});
    ASSERT_TRUE(badFile.waitForFinished(10000));
    EXPECT_EQ(badFile.exitCode(), 3);
    EXPECT_TRUE(badFile.readAllStandardError().contains("line 4"));
}
