#pragma once

#include <QString>

#include <optional>

// A database server as a user types it: "host", "host:port", "[IPv6 address]:port", a bare
// IPv6 address, or a socket folder ("/run/postgresql").
struct ServerAddress
{
    QString host;
    std::optional<int> port;

    // Nothing when a port is given but is not a number from 1 to 65535.
    static std::optional<ServerAddress> parse(const QString &text);
    // 1 to 65535 written in digits only, or nothing.
    static std::optional<int> parsePort(const QString &text);
};
