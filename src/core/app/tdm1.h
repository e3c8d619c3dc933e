#pragma once

#include "db/accountsetstore.h"
#include "db/dbconnection.h"

#include <QSqlDatabase>

#include <memory>

// The data module: the two connections every screen works through, ADOConnection1 on the open
// account set and ADOConnection2 on the master database with the account-set list. One lives
// from start-up to exit; `current()` is that one.
class Tdm1
{
public:
    static inline const QString SetConnectionName = QStringLiteral("ADOConnection1");

    Tdm1();
    ~Tdm1();
    Tdm1(const Tdm1 &) = delete;
    Tdm1 &operator=(const Tdm1 &) = delete;

    static Tdm1 &current();
    static bool exists();

    // Opens the master database of the server that the prefix names. Throws DbError.
    void connectMaster(const QString &connPrefix);
    // Drops the account-set connection and opens prefix + code in its place. Throws DbError.
    void connectSet(const QString &connPrefix, const QString &code);
    void disconnectSet();
    bool isSetConnected() const { return m_set != nullptr; }

    QSqlDatabase ADOConnection1() const; // throws DbError when no set is open
    QSqlDatabase ADOConnection2() const; // throws DbError when the master is not open
    AccountSetStore &accountSets();       // throws DbError when the master is not open

    // Copies the account-set header (ztInfo) into AppContext.
    void LoadContext();

private:
    std::unique_ptr<AccountSetStore> m_master;
    std::unique_ptr<DbConnection> m_set;
};
