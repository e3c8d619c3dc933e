#pragma once

#include <QString>

// Where the application server is, kept in "swiftMold.ini" of the home folder: section
// [APPServer] with ServerNAME, SckPort and TSTSERVER (a second host, set by hand, never
// written), section [USERINFO] with FNUSERNAME, the user of the last successful login.
struct AppServerSettings
{
    static constexpr int DefaultPort = 211;

    QString serverName = QStringLiteral("127.0.0.1");
    int port = DefaultPort;
    QString testServer;
    QString userName;

    static QString filePath(const QString &home);
    static AppServerSettings read(const QString &home);

    // Each writes its one key, keeping everything else the file holds.
    static bool writeServerName(const QString &home, const QString &serverName,
                                QString *error = nullptr);
    static bool writeUserName(const QString &home, const QString &userName,
                              QString *error = nullptr);

    // The port a text stands for: an empty text, one that is not an integer, or one outside
    // 1 to 65535 counts as 211.
    static int portOrDefault(const QString &text);
};
