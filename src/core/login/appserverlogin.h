#pragma once

#include "db/connectionsettings.h"
#include "login/appserverclient.h"
#include "login/appserversettings.h"

#include <QString>
#include <QStringList>

// What the operator typed in the application-server login dialog.
struct AppServerLoginRequest
{
    QString hostText;
    QString portText;
    QString userName;      // as typed
    QString password;      // sent trimmed
    QString computerName;
    AppServerSettings settings; // its testServer is the second host tried
    // When set, ServerNAME is written back here before connecting and FNUSERNAME after a
    // successful login (failures to write these are ignored: they only fill the boxes).
    QString home;
    int timeoutMs = AppServerClient::DefaultTimeoutMs; // for each host tried
};

struct AppServerLoginResult
{
    enum class Kind {
        LoggedIn,
        NoHost,      // the host box is empty: the dialog stays
        Unreachable, // no host answered: the program ends
        Refused,     // user or password wrong: the dialog stays
    };

    Kind kind = Kind::NoHost;
    QStringList messages; // to show, in this order
    bool endsProgram = false;
    int port = AppServerSettings::DefaultPort; // the port used, for the port box

    // LoggedIn only.
    QString host;              // the host that answered
    int operatorId = 0;
    QString dbUser;            // the server's slots, unscrambled
    QString dbPassword;
    QString dbServer;
    QString text10;
    QString instance;
    QString scrambledPassword; // empty: the operator has no password yet
    ConnectionSettings connection;
    QString connPrefix;        // connection.prefix(): ConnPrefix of the run
};

// The application-server login up to the database connection: checks the host box, sets
// AppContext.PasswordKey to AppServerKey, asks the host (then the second host when the first
// cannot be reached or gives no valid answer), and on success builds the PostgreSQL connection
// from the database login the server handed out. The data source is the server's database
// server, or the host that answered when it holds a "."; an instance of digits only is the
// port, any other instance has no meaning for PostgreSQL and is left out.
class AppServerLogin
{
public:
    static AppServerLoginResult logIn(const AppServerLoginRequest &request);

    static ConnectionSettings databaseConnection(const QString &dataSource,
                                                 const QString &instance, const QString &user,
                                                 const QString &password);
};
