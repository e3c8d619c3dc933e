#include "testbooks.h"

#include "db/dberror.h"
#include "db/sql.h"
#include "db/transaction.h"

#include <gtest/gtest.h>

#include <QThread>

#include <atomic>

namespace {

int headerYear(const QSqlDatabase &db)
{
    return Sql::scalar(db, QStringLiteral("select kjnf from ztInfo")).toInt();
}

} // namespace

TEST(Transaction, RollsBackUnlessCommitted)
{
    TestBooks books;
    auto conn = books.open(books.createSet().code);
    const QSqlDatabase db = conn->db();
    try {
        Transaction transaction(db);
        Sql::exec(db, QStringLiteral("update ztInfo set kjnf=2001"));
        Sql::exec(db, QStringLiteral("update no_such_table set x=1")); // throws
        transaction.commit();
    } catch (const DbError &) {
    }
    EXPECT_EQ(headerYear(db), 1900);
    {
        Transaction transaction(db);
        Sql::exec(db, QStringLiteral("update ztInfo set kjnf=2002"));
    } // no commit
    EXPECT_EQ(headerYear(db), 1900);
    {
        Transaction transaction(db);
        Sql::exec(db, QStringLiteral("update ztInfo set kjnf=2003"));
        transaction.commit();
    }
    EXPECT_EQ(headerYear(db), 2003);
}

// A second workstation that wants to write while another one holds a write transaction waits
// for it instead of failing.
TEST(Transaction, ASecondWriterWaitsForTheFirst)
{
    TestBooks books;
    const AccountSet set = books.createSet();
    auto first = books.open(set.code, QStringLiteral("first"));
    auto transaction = std::make_unique<Transaction>(first->db());
    Sql::exec(first->db(), QStringLiteral("update ztInfo set kjnf=2010"));

    std::atomic<bool> secondDone = false;
    QString secondError;
    QThread *second = QThread::create([&] {
        try {
            auto conn = books.open(set.code, QStringLiteral("second"));
            Transaction mine(conn->db());
            Sql::exec(conn->db(), QStringLiteral("update ztInfo set kjnf=kjnf+1"));
            mine.commit();
        } catch (const DbError &error) {
            secondError = error.message();
        }
        secondDone = true;
    });
    second->start();
    QThread::msleep(300);
    EXPECT_FALSE(secondDone) << "the second writer went ahead while the first held the lock";
    transaction->commit();
    second->wait();
    delete second;
    EXPECT_TRUE(secondError.isEmpty()) << secondError.toStdString();
    EXPECT_EQ(headerYear(first->db()), 2011);
}
