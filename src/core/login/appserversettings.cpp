#include "login/appserversettings.h"

#include "login/inifile.h"
#include "login/serveraddress.h"

#include <QDir>

namespace {

const QString ServerSection = QStringLiteral("APPServer");
const QString UserSection = QStringLiteral("USERINFO");
const QString ServerKey = QStringLiteral("ServerNAME");
const QString PortKey = QStringLiteral("SckPort");
const QString TestServerKey = QStringLiteral("TSTSERVER");
const QString UserKey = QStringLiteral("FNUSERNAME");

bool writeOne(const QString &home, const QString &section, const QString &key,
              const QString &value, QString *error)
{
    const QString path = AppServerSettings::filePath(home);
    IniFile ini = IniFile::load(path);
    ini.setValue(section, key, value);
    return ini.save(path, error);
}

} // namespace

QString AppServerSettings::filePath(const QString &home)
{
    return QDir(home).filePath(QStringLiteral("swiftMold.ini"));
}

AppServerSettings AppServerSettings::read(const QString &home)
{
    const IniFile ini = IniFile::load(filePath(home));
    AppServerSettings settings;
    settings.serverName = ini.value(ServerSection, ServerKey, settings.serverName);
    settings.port = portOrDefault(ini.value(ServerSection, PortKey, QString()));
    settings.testServer = ini.value(ServerSection, TestServerKey, QString());
    settings.userName = ini.value(UserSection, UserKey, QString());
    return settings;
}

bool AppServerSettings::writeServerName(const QString &home, const QString &serverName,
                                        QString *error)
{
    return writeOne(home, ServerSection, ServerKey, serverName, error);
}

bool AppServerSettings::writeUserName(const QString &home, const QString &userName,
                                      QString *error)
{
    return writeOne(home, UserSection, UserKey, userName, error);
}

int AppServerSettings::portOrDefault(const QString &text)
{
    return ServerAddress::parsePort(text.trimmed()).value_or(DefaultPort);
}
