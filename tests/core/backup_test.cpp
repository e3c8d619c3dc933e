#include "testbooks.h"

#include "db/dberror.h"
#include "db/money.h"
#include "db/sql.h"
#include "login/backup.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QSqlQuery>
#include <QSqlRecord>

namespace {

// Every row of every table, in a stable order, as text.
QStringList contents(const QSqlDatabase &db)
{
    QStringList rows;
    QStringList tables = db.tables();
    tables.sort(Qt::CaseInsensitive);
    for (const QString &table : tables) {
        QSqlQuery q = Sql::exec(db, QStringLiteral("select * from %1").arg(table));
        QStringList tableRows;
        while (q.next()) {
            QStringList values;
            for (int i = 0; i < q.record().count(); ++i)
                values << q.record().fieldName(i).toLower() + u'=' + q.value(i).toString();
            tableRows << table.toLower() + u':' + values.join(u'|');
        }
        tableRows.sort();
        rows += tableRows;
    }
    return rows;
}

} // namespace

TEST(Backup, DefaultNameHasNoLeadingZeros)
{
    EXPECT_EQ(Backup::defaultFileName(QStringLiteral("V8_URU_ZEZ"), QDate(2008, 3, 7)),
              QStringLiteral("V8_URU_ZEZ-2008-3-7.bak"));
}

TEST(Backup, ARestoredBackupHoldsEveryRowOfTheOriginal)
{
    TestBooks books;
    const AccountSet original = books.createSet(QStringLiteral("原帐套"));
    auto conn = books.open(original.code);
    Sql::exec(conn->db(), QStringLiteral("update ztInfo set qykjnf=2008,kjnf=2008,kjyf=3"));
    Sql::exec(conn->db(),
              QStringLiteral("insert into account (kjnf,kjyf,pzbh,pzfl,rq,pzzy,itembm,jfje) "
                             "values (2008,3,1,1,?,?,'1001',?)"),
              {QDateTime(QDate(2008, 3, 26), QTime()), QStringLiteral("O'Brien 报销 50%"),
               Money::fromCents(12345).toSqlValue()});
    const QString file = QDir(books.home()).filePath(QStringLiteral("b.bak"));
    QDir().mkpath(books.home());
    QFile old(file);
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("an older file that the backup replaces");
    old.close();

    Backup::write(conn->db(), books.settings(), file);
    EXPECT_FALSE(QFile::exists(file + QStringLiteral(".part")));

    const Result<AccountSet> restored = books.store().restore(file, QStringLiteral("恢复"));
    ASSERT_TRUE(restored.ok()) << restored.message().toStdString();
    EXPECT_EQ(restored->id, original.id + 1);
    EXPECT_EQ(restored->code, QStringLiteral("lanx%1").arg(original.id + 1));
    EXPECT_EQ(books.store().list().last().name, QStringLiteral("恢复"));
    auto copy = books.open(restored->code, QStringLiteral("restored"));
    const QStringList expected = contents(conn->db());
    EXPECT_GT(expected.size(), 100);
    EXPECT_EQ(contents(copy->db()), expected);
}

TEST(Backup, RefusesFilesThatAreNotBackupsAndUnwritablePaths)
{
    TestBooks books;
    const AccountSet set = books.createSet();
    QDir().mkpath(books.home());
    const QString junk = QDir(books.home()).filePath(QStringLiteral("junk.bak"));
    QFile file(junk);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(QByteArray(4096, 'x'));
    file.close();
    const int before = int(books.store().list().size());
    const Result<AccountSet> refused = books.store().restore(junk, QStringLiteral("坏"));
    EXPECT_FALSE(refused.ok());
    EXPECT_EQ(refused.message(), QStringLiteral("所选文件不是本系统的帐套备份文件。   "));
    EXPECT_FALSE(books.store().restore(QDir(books.home()).filePath(QStringLiteral("missing.bak")),
                                       QStringLiteral("坏"))
                     .ok());
    EXPECT_EQ(books.store().list().size(), before);

    auto conn = books.open(set.code);
    const QString nowhere = junk + QStringLiteral("/not-a-folder/x.bak");
    try {
        Backup::write(conn->db(), books.settings(), nowhere);
        FAIL() << "a backup into a missing folder succeeded";
    } catch (const DbError &error) {
        EXPECT_TRUE(error.message().startsWith(QStringLiteral("备份出错！   ")));
    }
    EXPECT_FALSE(QFile::exists(nowhere));
    EXPECT_FALSE(QFile::exists(nowhere + QStringLiteral(".part")));
}
