#include "login/dbserversettings.h"

#include "app/gbk.h"
#include "app/homefolder.h"
#include "app/scramble.h"
#include "login/inifile.h"
#include "login/serveraddress.h"

#include <QDir>
#include <QSysInfo>

namespace {

const QString Section = QStringLiteral("DBSERVER");
const QString NameKey = QStringLiteral("NAME");
const QString UserKey = QStringLiteral("USER");
const QString PasswordKey = QStringLiteral("PASSWORD");
const QString TypeKey = QStringLiteral("CONNTYPE");
const QString ProviderKey = QStringLiteral("Provider");
const QString LocalServer = QStringLiteral("#local#");

// An integer other than 0 is true; a missing or non-integer value gives the default.
bool readFlag(const IniFile &ini, const QString &key, bool fallback)
{
    bool isNumber = false;
    const int number = ini.value(Section, key, QString()).toInt(&isNumber);
    return isNumber ? number != 0 : fallback;
}

} // namespace

QString DbServerSettings::filePath(const QString &home)
{
    return QDir(home).filePath(QStringLiteral("lanx.ini"));
}

DbServerSettings DbServerSettings::read(const QString &home)
{
    const IniFile ini = IniFile::load(filePath(home));
    DbServerSettings settings;
    const std::optional<QString> name = ini.value(Section, NameKey);
    settings.server = name ? Unscramble(*name, IniKey) : LocalServer;
    if (settings.server == LocalServer)
        settings.server = QSysInfo::machineHostName();
    if (const std::optional<QString> user = ini.value(Section, UserKey))
        settings.user = Unscramble(*user, IniKey);
    settings.password = Unscramble(ini.value(Section, PasswordKey, QString()), IniKey);
    settings.integrated = readFlag(ini, TypeKey, true);

    const QString providerText = ini.value(Section, ProviderKey, QString());
    if (!providerText.isEmpty()) {
        const std::optional<Provider> provider = ConnectionSettings::providerFromName(providerText);
        if (provider)
            settings.provider = *provider;
        else
            settings.foreignProvider = providerText;
    }
    return settings;
}

bool DbServerSettings::write(const QString &home, QString *error) const
{
    if (!FitsGbk(server) || !FitsGbk(user) || !FitsGbk(password)) {
        // Scrambling would store "?" in their place and the saved login would not work.
        if (error)
            *error = QStringLiteral("服务器名称、用户名称或密码中有不能保存的字符。");
        return false;
    }
    const QString path = filePath(home);
    IniFile ini = IniFile::load(path);
    ini.setValue(Section, NameKey, Scramble(server, IniKey));
    ini.setValue(Section, UserKey, Scramble(user, IniKey));
    ini.setValue(Section, PasswordKey, Scramble(password, IniKey));
    ini.setValue(Section, TypeKey, integrated ? QStringLiteral("1") : QStringLiteral("0"));
    ini.setValue(Section, ProviderKey, ConnectionSettings::providerName(provider));
    return ini.save(path, error);
}

Result<ConnectionSettings> DbServerSettings::connectionSettings(const QString &home) const
{
    if (!foreignProvider.isEmpty())
        return Refusal{QStringLiteral("不支持的数据库类型：%1").arg(foreignProvider)};
    ConnectionSettings settings;
    settings.provider = provider;
    if (provider == Provider::SQLite) {
        settings.dataFolder = HomeFolder::dataFolder(home);
        return settings;
    }
    const std::optional<ServerAddress> address = ServerAddress::parse(server);
    if (!address)
        return Refusal{QStringLiteral("端口号不正确：%1").arg(server)};
    settings.server = address->host;
    if (address->port)
        settings.port = *address->port;
    settings.integrated = integrated;
    if (!integrated) {
        settings.user = user;
        settings.password = password;
    }
    return settings;
}
