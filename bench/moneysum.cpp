// Times the exact money aggregate over a month of one million voucher lines on the backend of
// LANX_TEST_PROVIDER (and LANX_TEST_PG for PostgreSQL). Prints the figures.

#include "testbooks.h"

#include "db/money.h"
#include "db/sql.h"

#include <QCoreApplication>
#include <QElapsedTimer>

#include <cstdio>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    TestBooks books;
    auto conn = books.open(books.createSet().code);
    QElapsedTimer timer;
    timer.start();
    Sql::exec(conn->db(),
              QStringLiteral("WITH RECURSIVE n(i) AS (SELECT 0 UNION ALL SELECT i+1 FROM n "
                             "WHERE i < 999999) INSERT INTO account (kjnf,kjyf,pzbh,pzfl,jfje) "
                             "SELECT 2024, 1, i/1000+1, i%1000+1, CAST(? AS decimal(18,2)) FROM n"),
              {Money::fromCents(1).toSqlValue()});
    const qint64 insertMs = timer.restart();
    const qint64 cents =
        Sql::scalar(conn->db(), QStringLiteral("select %1 from account")
                                    .arg(conn->dialect().sumCents(QStringLiteral("jfje"))))
            .toLongLong();
    const qint64 sumMs = timer.elapsed();
    std::printf("%s: insert 1,000,000 lines %lld ms, exact sum %lld ms, total %s\n",
                qPrintable(ConnectionSettings::providerName(TestBooks::provider())), insertMs,
                sumMs, qPrintable(Money::fromCents(cents).toFixed()));
    return 0;
}
