#pragma once

#include "db/connectionsettings.h"

#include <QStringList>

#include <optional>

// Exit statuses of lanx-cli.
enum ExitStatus { ExitOk = 0, ExitRefused = 1, ExitUsage = 2, ExitFailure = 3 };

// The command line split into the connection options, the group, the command and the rest.
class CliArgs
{
public:
    // Nothing when the connection options are malformed; `error` then says why and `status`
    // which exit status it calls for.
    static std::optional<CliArgs> parse(const QStringList &arguments, QString *error,
                                        ExitStatus *status);

    const ConnectionSettings &settings() const { return m_settings; }
    const QString &home() const { return m_home; }
    const QString &group() const { return m_group; }
    const QString &command() const { return m_command; }
    const QStringList &rest() const { return m_rest; }

    // The value after --name in the rest, if given.
    std::optional<QString> option(const QString &name) const;
    // The rest without options and their values.
    QStringList positional() const;

private:
    ConnectionSettings m_settings;
    QString m_home;
    QString m_group;
    QString m_command;
    QStringList m_rest;
};
