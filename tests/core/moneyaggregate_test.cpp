#include "testbooks.h"

#include "db/money.h"
#include "db/sql.h"

#include <gtest/gtest.h>

class MoneyAggregate : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_conn = m_books.open(m_books.createSet().code);
    }
    QSqlDatabase db() const { return m_conn->db(); }
    Money sumOf(const QString &column)
    {
        const QString sql = QStringLiteral("select %1 from account")
                                .arg(m_conn->dialect().sumCents(column));
        return Money::fromCents(Sql::scalar(db(), sql).toLongLong());
    }

    TestBooks m_books;
    std::unique_ptr<DbConnection> m_conn;
};

TEST_F(MoneyAggregate, AMillionCentsSumToExactlyTenThousand)
{
    // One month of 1,000 vouchers with 1,000 lines of 0.01 each.
    Sql::exec(db(),
              QStringLiteral("WITH RECURSIVE n(i) AS (SELECT 0 UNION ALL SELECT i+1 FROM n "
                             "WHERE i < 999999) "
                             "INSERT INTO account (kjnf,kjyf,pzbh,pzfl,itembm,jfje) "
                             "SELECT 2024, 1, i/1000+1, i%1000+1, '1001', CAST(? AS decimal(18,2)) "
                             "FROM n"),
              {Money::fromCents(1).toSqlValue()});
    EXPECT_EQ(sumOf(QStringLiteral("jfje")).toFixed(), QStringLiteral("10000.00"));
    EXPECT_EQ(sumOf(QStringLiteral("dfje")), Money());
}

TEST_F(MoneyAggregate, StoredAmountsAddUpToTheCent)
{
    const QString insert = QStringLiteral(
        "insert into account (kjnf,kjyf,pzbh,pzfl,itembm,jfje,dfje) values (2024,1,1,?,'1001',?,?)");
    const char *amounts[][2] = {{"0.10", "0"}, {"0.20", "0"}, {"0", "0.30"},
                                {"9999999999999.99", "0"}, {"-0.01", "0"}};
    int line = 1;
    for (const auto &pair : amounts)
        Sql::exec(db(), insert,
                  {line++, Money::parse(QString::fromUtf8(pair[0]))->toSqlValue(),
                   Money::parse(QString::fromUtf8(pair[1]))->toSqlValue()});
    EXPECT_EQ(sumOf(QStringLiteral("jfje")).toFixed(), QStringLiteral("10000000000000.28"));
    EXPECT_EQ(sumOf(QStringLiteral("dfje")).toFixed(), QStringLiteral("0.30"));
    EXPECT_EQ(sumOf(QStringLiteral("jfje")) - sumOf(QStringLiteral("dfje")),
              *Money::parse(u"9999999999999.98"));
    // A single stored amount reads back exactly, too.
    EXPECT_EQ(Money::fromSqlValue(Sql::scalar(db(), QStringLiteral("select jfje from account where pzfl=2"))),
              *Money::parse(u"0.20"));
}
