#pragma once

#include <QSqlDatabase>

// A write transaction that rolls back unless commit() was called: every early return and
// every exception leaves the books as they were.
class Transaction
{
public:
    explicit Transaction(const QSqlDatabase &db); // throws DbError
    ~Transaction();

    Transaction(const Transaction &) = delete;
    Transaction &operator=(const Transaction &) = delete;

    void commit(); // throws DbError; the transaction is over either way

private:
    QSqlDatabase m_db;
    bool m_open = false;
};
