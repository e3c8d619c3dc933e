#pragma once

#include <QString>

#include <optional>

enum class Provider { SQLite, PostgreSQL };

// Where the databases live and how to log in. Written into and read back from the connection
// strings of our own form, "Provider=PostgreSQL;Data Source=host;...;Initial Catalog=", so that
// the connection to database D is the prefix followed by D.
struct ConnectionSettings
{
    Provider provider = Provider::SQLite;
    QString dataFolder;   // SQLite: the folder holding master.db, template and <code>.db
    QString server;       // PostgreSQL: host name or address, or a socket folder
    int port = 5432;
    bool integrated = false; // PostgreSQL: the operating-system user over the local socket
    QString user;
    QString password;

    // The connection prefix, ending in "Initial Catalog=".
    QString prefix() const;

    // Splits "prefix + catalog" back into settings and the catalog; nothing when the text is
    // not a connection string of ours (an unknown provider, say). On failure, error (if given)
    // receives the reason.
    static std::optional<ConnectionSettings> parse(const QString &connectionString,
                                                   QString *catalog, QString *error = nullptr);

    static std::optional<Provider> providerFromName(const QString &name);
    static QString providerName(Provider provider);
};
