#include "cli/cliargs.h"

#include "app/homefolder.h"
#include "login/dbserversettings.h"

std::optional<CliArgs> CliArgs::parse(const QStringList &arguments, QString *error,
                                      ExitStatus *status)
{
    CliArgs args;
    QString homeOption;
    QString providerName;
    bool connectionGiven = false;
    auto fail = [&](const QString &why, ExitStatus exit) -> std::optional<CliArgs> {
        *error = why;
        *status = exit;
        return std::nullopt;
    };

    int i = 1; // argument 0 is the program
    for (; i < arguments.size() && arguments.at(i).startsWith(QLatin1String("--")); ++i) {
        const QString option = arguments.at(i);
        if (option == QLatin1String("--integrated")) {
            args.m_settings.integrated = true;
            connectionGiven = true;
            continue;
        }
        if (i + 1 >= arguments.size())
            return fail(QStringLiteral("选项 %1 缺少取值").arg(option), ExitUsage);
        const QString value = arguments.at(++i);
        connectionGiven = connectionGiven || option != QLatin1String("--home");
        if (option == QLatin1String("--home")) {
            homeOption = value;
        } else if (option == QLatin1String("--provider")) {
            providerName = value;
        } else if (option == QLatin1String("--server")) {
            const qsizetype colon = value.lastIndexOf(u':');
            if (colon > 0 && !value.startsWith(u'/')) {
                args.m_settings.server = value.left(colon);
                args.m_settings.port = value.mid(colon + 1).toInt();
            } else {
                args.m_settings.server = value;
            }
        } else if (option == QLatin1String("--user")) {
            args.m_settings.user = value;
        } else if (option == QLatin1String("--password")) {
            args.m_settings.password = value;
        } else {
            return fail(QStringLiteral("未知的选项：%1").arg(option), ExitUsage);
        }
    }

    args.m_home = HomeFolder::resolve(homeOption);
    HomeFolder::setCurrent(args.m_home);
    if (connectionGiven) {
        const std::optional<Provider> provider = ConnectionSettings::providerFromName(
            providerName.isEmpty() ? QStringLiteral("sqlite") : providerName);
        if (!provider)
            return fail(QStringLiteral("不支持的数据库类型：%1").arg(providerName), ExitFailure);
        args.m_settings.provider = *provider;
        args.m_settings.dataFolder = HomeFolder::dataFolder(args.m_home);
    } else {
        // Without connection options, the settings file of the home folder, as the program.
        const Result<ConnectionSettings> stored =
            DbServerSettings::read(args.m_home).connectionSettings(args.m_home);
        if (!stored)
            return fail(stored.message(), ExitFailure);
        args.m_settings = stored.value();
    }

    if (i + 1 >= arguments.size())
        return fail(QStringLiteral("用法：lanx-cli [连接选项] <组> <命令> [参数]"), ExitUsage);
    args.m_group = arguments.at(i);
    args.m_command = arguments.at(i + 1);
    args.m_rest = arguments.mid(i + 2);
    return args;
}

std::optional<QString> CliArgs::option(const QString &name) const
{
    const qsizetype at = m_rest.indexOf(name);
    if (at < 0 || at + 1 >= m_rest.size())
        return std::nullopt;
    return m_rest.at(at + 1);
}

QStringList CliArgs::positional() const
{
    QStringList values;
    for (qsizetype i = 0; i < m_rest.size(); ++i) {
        if (m_rest.at(i).startsWith(QLatin1String("--")))
            ++i; // skip the option's value
        else
            values.append(m_rest.at(i));
    }
    return values;
}
