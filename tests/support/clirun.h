#pragma once

#include <QString>
#include <QStringList>

// What one run of lanx-cli printed and how it ended.
struct CliRun
{
    int status = -1;
    QString out;
    QString err;
};

// Runs the lanx-cli of this build with the arguments given and waits for it.
CliRun runCli(const QStringList &arguments);
