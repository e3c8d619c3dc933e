#pragma once

#include "cli/cliargs.h"

#include "app/tdm1.h"

#include <QTextStream>

// The connection of one lanx-cli run: the master list (bootstrapped on first use) and, for
// commands on one account set, the set named by --set with the operator of --operator logged in
// exactly as the login dialog would (same checks, same messages, same rights).
class CliSession
{
public:
    explicit CliSession(const CliArgs &args); // throws DbError
    AccountSetStore &store() { return m_dm.accountSets(); }

    // Opens --set (default: the first set) and logs in --operator/--password. When `right` is
    // given (1..20) the operator must hold it. Returns ExitOk, or the exit status after the
    // refusal was written to err.
    int logIn(QTextStream &err, int right = 0);
    QSqlDatabase set() const { return m_dm.ADOConnection1(); }
    const CliArgs &args() const { return m_args; }

private:
    const CliArgs &m_args;
    Tdm1 m_dm;
};
