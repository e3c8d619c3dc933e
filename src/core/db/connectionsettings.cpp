#include "db/connectionsettings.h"

#include <QList>
#include <QPair>

namespace {

const QString ProviderKey = QStringLiteral("Provider");
const QString SourceKey = QStringLiteral("Data Source");
const QString PortKey = QStringLiteral("Port");
const QString IntegratedKey = QStringLiteral("Integrated Security");
const QString UserKey = QStringLiteral("User ID");
const QString PasswordKey = QStringLiteral("Password");
const QString CatalogKey = QStringLiteral("Initial Catalog");

// A value that holds a separator, a quote or outer blanks goes between double quotes, with
// inner quotes doubled, so that any password survives the round trip.
QString quoted(const QString &value)
{
    const bool plain = !value.contains(u';') && !value.contains(u'"') && !value.contains(u'=')
                       && value.trimmed() == value;
    if (plain)
        return value;
    QString doubled = value;
    doubled.replace(QStringLiteral("\""), QStringLiteral("\"\""));
    return u'"' + doubled + u'"';
}

using Pairs = QList<QPair<QString, QString>>;

std::optional<Pairs> splitPairs(const QString &text)
{
    Pairs pairs;
    int i = 0;
    const int n = int(text.size());
    while (i < n) {
        const int eq = int(text.indexOf(u'=', i));
        if (eq < 0)
            return text.mid(i).trimmed().isEmpty() ? std::optional(pairs) : std::nullopt;
        const QString key = text.mid(i, eq - i).trimmed();
        i = eq + 1;
        QString value;
        if (i < n && text.at(i) == u'"') {
            for (++i; i < n; ++i) {
                if (text.at(i) == u'"') {
                    if (i + 1 < n && text.at(i + 1) == u'"') {
                        value += u'"';
                        ++i;
                        continue;
                    }
                    ++i;
                    break;
                }
                value += text.at(i);
            }
            while (i < n && text.at(i) != u';')
                ++i;
        } else {
            const int semi = int(text.indexOf(u';', i));
            const int end = semi < 0 ? n : semi;
            value = text.mid(i, end - i);
            i = end;
        }
        ++i; // past ';'
        pairs.append({key, value});
    }
    return pairs;
}

} // namespace

QString ConnectionSettings::providerName(Provider provider)
{
    return provider == Provider::PostgreSQL ? QStringLiteral("PostgreSQL") : QStringLiteral("SQLite");
}

std::optional<Provider> ConnectionSettings::providerFromName(const QString &name)
{
    if (name.compare(QLatin1String("SQLite"), Qt::CaseInsensitive) == 0)
        return Provider::SQLite;
    if (name.compare(QLatin1String("PostgreSQL"), Qt::CaseInsensitive) == 0)
        return Provider::PostgreSQL;
    return std::nullopt;
}

QString ConnectionSettings::prefix() const
{
    QString text = ProviderKey + u'=' + providerName(provider) + u';';
    if (provider == Provider::SQLite) {
        text += SourceKey + u'=' + quoted(dataFolder) + u';';
    } else {
        text += SourceKey + u'=' + quoted(server) + u';';
        text += PortKey + u'=' + QString::number(port) + u';';
        if (integrated) {
            text += IntegratedKey + QStringLiteral("=SSPI;");
        } else {
            text += UserKey + u'=' + quoted(user) + u';';
            text += PasswordKey + u'=' + quoted(password) + u';';
        }
    }
    return text + CatalogKey + u'=';
}

std::optional<ConnectionSettings> ConnectionSettings::parse(const QString &connectionString,
                                                            QString *catalog, QString *error)
{
    auto failWith = [error](const QString &why) -> std::optional<ConnectionSettings> {
        if (error)
            *error = why;
        return std::nullopt;
    };
    const std::optional<Pairs> pairs = splitPairs(connectionString);
    if (!pairs)
        return failWith(QStringLiteral("连接字符串格式不正确"));

    ConnectionSettings settings;
    bool providerSeen = false;
    for (const auto &[key, value] : *pairs) {
        if (key.compare(ProviderKey, Qt::CaseInsensitive) == 0) {
            const std::optional<Provider> provider = providerFromName(value);
            if (!provider)
                return failWith(QStringLiteral("不支持的数据库类型：%1").arg(value));
            settings.provider = *provider;
            providerSeen = true;
        } else if (key.compare(SourceKey, Qt::CaseInsensitive) == 0) {
            settings.dataFolder = value;
            settings.server = value;
        } else if (key.compare(PortKey, Qt::CaseInsensitive) == 0) {
            bool ok = false;
            settings.port = value.toInt(&ok);
            if (!ok)
                return failWith(QStringLiteral("端口号不正确：%1").arg(value));
        } else if (key.compare(IntegratedKey, Qt::CaseInsensitive) == 0) {
            settings.integrated = true;
        } else if (key.compare(UserKey, Qt::CaseInsensitive) == 0) {
            settings.user = value;
        } else if (key.compare(PasswordKey, Qt::CaseInsensitive) == 0) {
            settings.password = value;
        } else if (key.compare(CatalogKey, Qt::CaseInsensitive) == 0) {
            if (catalog)
                *catalog = value;
        }
    }
    if (!providerSeen)
        return failWith(QStringLiteral("连接字符串缺少数据库类型"));
    if (settings.provider == Provider::SQLite)
        settings.server.clear();
    else
        settings.dataFolder.clear();
    return settings;
}
