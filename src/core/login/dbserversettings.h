#pragma once

#include "common/result.h"
#include "db/connectionsettings.h"

#include <QString>

// The database server the program works with, as the database-server dialog shows and keeps it
// in "lanx.ini" of the home folder, section [DBSERVER]: NAME, USER and PASSWORD scrambled with
// IniKey, CONNTYPE "1" (integrated login) or "0" (user and password), and Provider in plain text.
struct DbServerSettings
{
    QString server;   // PostgreSQL: "host", "host:port" or a socket folder; unused by SQLite
    QString user = QStringLiteral("sa");
    QString password;
    bool integrated = true;
    Provider provider = Provider::SQLite;
    // The file's Provider when it names no backend of ours (an older program's "SQLOLEDB.1",
    // say): such settings cannot connect until the dialog saves a provider of ours.
    QString foreignProvider;

    static QString filePath(const QString &home);

    // The file's settings, with the defaults for missing keys: this computer's name for a
    // missing server or "#local#", "sa", integrated login, SQLite.
    static DbServerSettings read(const QString &home);
    // Writes the five keys, keeping everything else the file holds. Refused (false, nothing
    // written) when server, user or password holds a character GBK cannot hold.
    bool write(const QString &home, QString *error = nullptr) const;

    // How to reach the databases: SQLite files in the home's data folder, or the PostgreSQL
    // server (integrated = the operating-system user over the local socket). Refused for a
    // foreign provider or a port that is not 1 to 65535.
    Result<ConnectionSettings> connectionSettings(const QString &home) const;
};
