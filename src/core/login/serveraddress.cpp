#include "login/serveraddress.h"

std::optional<int> ServerAddress::parsePort(const QString &text)
{
    if (text.isEmpty() || text.size() > 5)
        return std::nullopt;
    for (const QChar ch : text) {
        if (ch < u'0' || ch > u'9')
            return std::nullopt;
    }
    const int port = text.toInt();
    if (port < 1 || port > 65535)
        return std::nullopt;
    return port;
}

std::optional<ServerAddress> ServerAddress::parse(const QString &text)
{
    const QString trimmed = text.trimmed();
    ServerAddress address;
    QString portText;
    if (trimmed.startsWith(u'[') && trimmed.indexOf(u']') > 0) {
        const qsizetype close = trimmed.indexOf(u']');
        address.host = trimmed.mid(1, close - 1);
        const QString rest = trimmed.mid(close + 1);
        if (!rest.isEmpty() && !rest.startsWith(u':'))
            return std::nullopt;
        portText = rest.mid(1);
        if (rest.isEmpty())
            return address;
    } else if (trimmed.startsWith(u'/') || trimmed.count(u':') != 1) {
        // A socket folder, a plain name, or a bare IPv6 address: no port in it.
        address.host = trimmed;
        return address;
    } else {
        const qsizetype colon = trimmed.indexOf(u':');
        address.host = trimmed.left(colon);
        portText = trimmed.mid(colon + 1);
    }
    address.port = parsePort(portText);
    if (!address.port)
        return std::nullopt;
    return address;
}
