#include "app/gbk.h"
#include "app/scramble.h"
#include "login/appserversettings.h"
#include "login/dbserversettings.h"
#include "login/inifile.h"
#include "qtprinters.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QSysInfo>
#include <QTemporaryDir>

namespace {

class LoginSettings : public ::testing::Test
{
protected:
    void writeFile(const QString &name, const QByteArray &bytes)
    {
        QFile file(QDir(m_home.path()).filePath(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    QString readFile(const QString &name)
    {
        QFile file(QDir(m_home.path()).filePath(name));
        return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
    }
    QString home() const { return m_home.path(); }

    QTemporaryDir m_home;
};

// The file's mode bits: 0600 is readable and writable by its owner only.
int modeOf(const QString &path)
{
    struct stat status = {};
    return ::stat(QFile::encodeName(path).constData(), &status) == 0 ? int(status.st_mode & 07777)
                                                                      : -1;
}

} // namespace

TEST_F(LoginSettings, FirstStartHasTheDefaultsAndWritesNothing)
{
    const DbServerSettings db = DbServerSettings::read(home());
    EXPECT_EQ(db.server, QSysInfo::machineHostName());
    EXPECT_EQ(db.user, QStringLiteral("sa"));
    EXPECT_EQ(db.password, QString());
    EXPECT_TRUE(db.integrated);
    EXPECT_EQ(db.provider, Provider::SQLite);

    const AppServerSettings app = AppServerSettings::read(home());
    EXPECT_EQ(app.serverName, QStringLiteral("127.0.0.1"));
    EXPECT_EQ(app.port, 211);
    EXPECT_EQ(app.testServer, QString());
    EXPECT_EQ(app.userName, QString());
    EXPECT_TRUE(QDir(home()).isEmpty());
}

TEST_F(LoginSettings, StoredLocalServerShowsAsThisComputer)
{
    // Keys in any letter case, as earlier versions wrote them.
    writeFile(QStringLiteral("lanx.ini"),
              ("[dbserver]\r\nname=" + Scramble(QStringLiteral("#local#"), IniKey)
               + "\r\nuser=" + Scramble(QStringLiteral("财务"), IniKey) + "\r\nCONNTYPE=0\r\n")
                  .toUtf8());
    const DbServerSettings db = DbServerSettings::read(home());
    EXPECT_EQ(db.server, QSysInfo::machineHostName());
    EXPECT_EQ(db.user, QStringLiteral("财务"));
    EXPECT_FALSE(db.integrated);
}

TEST_F(LoginSettings, RoundTripKeepsAnyPasswordAndWritesAnOwnerOnlyFile)
{
    writeFile(QStringLiteral("lanx.ini"), "; kept\n[OTHER]\nkey=value\n");
    QFile::setPermissions(DbServerSettings::filePath(home()),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner
                              | QFileDevice::ReadGroup | QFileDevice::ReadOther);
    ASSERT_EQ(modeOf(DbServerSettings::filePath(home())), 0644);

    DbServerSettings written;
    written.server = QStringLiteral("db.example:6543");
    written.user = QStringLiteral("会计 'a'");
    written.password = QStringLiteral(" p\"a;s=s,\\ 密码 ");
    written.integrated = false;
    written.provider = Provider::PostgreSQL;
    QString error;
    ASSERT_TRUE(written.write(home(), &error)) << error.toStdString();

    const DbServerSettings back = DbServerSettings::read(home());
    EXPECT_EQ(back.server, written.server);
    EXPECT_EQ(back.user, written.user);
    EXPECT_EQ(back.password, written.password);
    EXPECT_FALSE(back.integrated);
    EXPECT_EQ(back.provider, Provider::PostgreSQL);
    EXPECT_EQ(modeOf(DbServerSettings::filePath(home())), 0600);

    const QString text = readFile(QStringLiteral("lanx.ini"));
    EXPECT_TRUE(text.startsWith(QStringLiteral("; kept\n[OTHER]\nkey=value\n")));
    EXPECT_TRUE(text.contains(QStringLiteral("[DBSERVER]\nNAME=")));
    EXPECT_TRUE(text.contains(u'\n' + QStringLiteral("PASSWORD=")
                              + Scramble(written.password, IniKey) + u'\n'));
    EXPECT_TRUE(text.contains(QStringLiteral("\nCONNTYPE=0\nProvider=PostgreSQL\n")));
    EXPECT_FALSE(text.contains(QStringLiteral("密码")));

    QSettings qt(DbServerSettings::filePath(home()), QSettings::IniFormat);
    EXPECT_EQ(qt.value(QStringLiteral("DBSERVER/USER")).toString(), Scramble(written.user, IniKey));
    EXPECT_EQ(qt.value(QStringLiteral("OTHER/key")).toString(), QStringLiteral("value"));

    // Rewriting replaces the keys instead of adding them again.
    written.integrated = true;
    ASSERT_TRUE(written.write(home()));
    EXPECT_EQ(readFile(QStringLiteral("lanx.ini")).count(QStringLiteral("CONNTYPE")), 1);
    EXPECT_TRUE(DbServerSettings::read(home()).integrated);
}

TEST_F(LoginSettings, RefusesToStoreWhatScramblingWouldChange)
{
    DbServerSettings settings;
    settings.password = QStringLiteral("pass😀");
    QString error;
    EXPECT_FALSE(settings.write(home(), &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_FALSE(QFile::exists(DbServerSettings::filePath(home())));
}

TEST_F(LoginSettings, ConnectionSettingsFollowProviderAndServerBox)
{
    DbServerSettings lite;
    const Result<ConnectionSettings> embedded = lite.connectionSettings(home());
    ASSERT_TRUE(embedded.ok());
    EXPECT_EQ(embedded->provider, Provider::SQLite);
    EXPECT_EQ(embedded->dataFolder, QDir(home()).filePath(QStringLiteral("data")));

    const struct
    {
        QString server;
        bool integrated;
        bool ok;
        QString host;
        int port;
    } cases[] = {
        {QStringLiteral("db.example"), false, true, QStringLiteral("db.example"), 5432},
        {QStringLiteral(" db.example:6543 "), false, true, QStringLiteral("db.example"), 6543},
        {QStringLiteral("[::1]:6000"), false, true, QStringLiteral("::1"), 6000},
        {QStringLiteral("fe80::1"), false, true, QStringLiteral("fe80::1"), 5432},
        {QStringLiteral("/run/postgresql"), true, true, QStringLiteral("/run/postgresql"), 5432},
        {QStringLiteral("db:abc"), false, false, {}, 0},
        {QStringLiteral("db:70000"), false, false, {}, 0},
    };
    for (const auto &c : cases) {
        DbServerSettings pg;
        pg.provider = Provider::PostgreSQL;
        pg.server = c.server;
        pg.integrated = c.integrated;
        pg.user = QStringLiteral("u");
        pg.password = QStringLiteral("p");
        const Result<ConnectionSettings> settings = pg.connectionSettings(home());
        ASSERT_EQ(settings.ok(), c.ok) << c.server.toStdString();
        if (!c.ok)
            continue;
        EXPECT_EQ(settings->server, c.host);
        EXPECT_EQ(settings->port, c.port);
        EXPECT_EQ(settings->integrated, c.integrated);
        EXPECT_EQ(settings->user, c.integrated ? QString() : QStringLiteral("u"));
    }
}

TEST_F(LoginSettings, ForeignProviderIsRefusedNotReplaced)
{
    writeFile(QStringLiteral("lanx.ini"), "[DBSERVER]\nProvider=SQLOLEDB.1\nCONNTYPE=abc\n");
    const DbServerSettings db = DbServerSettings::read(home());
    EXPECT_TRUE(db.integrated);
    EXPECT_EQ(db.foreignProvider, QStringLiteral("SQLOLEDB.1"));
    const Result<ConnectionSettings> settings = db.connectionSettings(home());
    ASSERT_FALSE(settings.ok());
    EXPECT_TRUE(settings.message().contains(QStringLiteral("SQLOLEDB.1")));
}

TEST_F(LoginSettings, AppServerFileReadsPortsAndKeepsWhatItDoesNotWrite)
{
    const struct
    {
        QByteArray port;
        int expected;
    } ports[] = {{"", 211}, {"abc", 211}, {"2110", 2110}, {" 212 ", 212},
                 {"70000", 211}, {"-5", 211}, {"21.5", 211}};
    for (const auto &p : ports) {
        writeFile(QStringLiteral("swiftMold.ini"),
                  "[APPServer]\nServerNAME=app.example\nSckPort=" + p.port
                      + "\nTSTSERVER=backup.example\n");
        EXPECT_EQ(AppServerSettings::read(home()).port, p.expected) << p.port.constData();
    }

    ASSERT_TRUE(AppServerSettings::writeServerName(home(), QStringLiteral("10.0.0.9")));
    ASSERT_TRUE(AppServerSettings::writeUserName(home(), QStringLiteral("sales02")));
    const AppServerSettings app = AppServerSettings::read(home());
    EXPECT_EQ(app.serverName, QStringLiteral("10.0.0.9"));
    EXPECT_EQ(app.testServer, QStringLiteral("backup.example"));
    EXPECT_EQ(app.userName, QStringLiteral("sales02"));
    EXPECT_EQ(modeOf(AppServerSettings::filePath(home())), 0600);
}

TEST_F(LoginSettings, ReadsFilesOfEarlierVersionsInGbk)
{
    writeFile(QStringLiteral("swiftMold.ini"),
              toGbk(QStringLiteral("; 应用服务器\r\n[USERINFO]\r\nFNUSERNAME=管理员\r\n")));
    EXPECT_EQ(AppServerSettings::read(home()).userName, QStringLiteral("管理员"));
}

TEST(IniFile, ValuesWeWriteReadTheSameHereAndInQSettings)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("x.ini"));
    const QStringList values = {QStringLiteral("plain"), QStringLiteral(" outer blanks "),
                                QStringLiteral("a;b,c=d"), QStringLiteral("q\"uo\\te"),
                                QStringLiteral("two\nlines\ttab"), QStringLiteral("中文"),
                                QString()};
    IniFile ini;
    for (qsizetype i = 0; i < values.size(); ++i)
        ini.setValue(QStringLiteral("S"), QStringLiteral("k%1").arg(i), values.at(i));
    ASSERT_TRUE(ini.save(path));

    const IniFile back = IniFile::load(path);
    QSettings qt(path, QSettings::IniFormat);
    for (qsizetype i = 0; i < values.size(); ++i) {
        EXPECT_EQ(back.value(QStringLiteral("s"), QStringLiteral("K%1").arg(i)), values.at(i)) << i;
        EXPECT_EQ(qt.value(QStringLiteral("S/k%1").arg(i)).toString(), values.at(i)) << i;
    }
    EXPECT_FALSE(back.value(QStringLiteral("S"), QStringLiteral("missing")));

    // What QSettings quotes, we read too; its escapes outside quotes we leave as they stand, as
    // the ini files of earlier versions need ("DOMAIN\tom").
    const QString qtPath = dir.filePath(QStringLiteral("qt.ini"));
    {
        QSettings writer(qtPath, QSettings::IniFormat);
        writer.setValue(QStringLiteral("T/list"), QStringLiteral("x;y, z"));
        writer.setValue(QStringLiteral("T/cjk"), QStringLiteral("中文"));
    }
    const IniFile fromQt = IniFile::load(qtPath);
    EXPECT_EQ(fromQt.value(QStringLiteral("T"), QStringLiteral("list")), QStringLiteral("x;y, z"));
    EXPECT_EQ(fromQt.value(QStringLiteral("T"), QStringLiteral("cjk")), QStringLiteral("中文"));
    EXPECT_EQ(IniFile::fromText(QStringLiteral("[U]\nname=DOMAIN\\tom\n"))
                  .value(QStringLiteral("U"), QStringLiteral("name")),
              QStringLiteral("DOMAIN\\tom"));
}
