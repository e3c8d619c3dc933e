#include "testbooks.h"

#include "app/appcontext.h"
#include "app/oplog.h"
#include "app/syspublic.h"
#include "app/tdm1.h"
#include "db/sql.h"

#include <gtest/gtest.h>

#include <QSqlQuery>

TEST(OpLog, NumbersEntriesAndStopsWhenFull)
{
    TestBooks books;
    auto conn = books.open(books.createSet().code);
    const QSqlDatabase db = conn->db();
    const QDateTime when(QDate(2008, 3, 5), QTime(9, 41, 37));

    ASSERT_TRUE(OpLog::write(db, QString(), QStringLiteral("进入录入凭证"), when));
    QSqlQuery first = Sql::exec(db, QStringLiteral("select id, czy, title, rq from Oplog"));
    ASSERT_TRUE(first.next());
    EXPECT_EQ(first.value(0).toInt(), 1);
    EXPECT_TRUE(first.value(1).toString().isEmpty());
    EXPECT_EQ(first.value(2).toString(), QStringLiteral("进入录入凭证"));
    EXPECT_EQ(first.value(3).toDateTime(), QDateTime(QDate(2008, 3, 5), QTime(9, 41)));
    first.finish();

    Sql::exec(db, QStringLiteral("insert into Oplog (id,czy,title) values (?,'x','y')"), {OpLog::MaxId});
    EXPECT_FALSE(OpLog::write(db, QStringLiteral("a'b"), QStringLiteral("查看上机日志"), when));
    EXPECT_EQ(Sql::scalar(db, QStringLiteral("select count(*) from Oplog")).toInt(), 2);

    // Deleting the oldest entries does not help; deleting the newest does.
    Sql::exec(db, QStringLiteral("delete from Oplog where id=1"));
    EXPECT_FALSE(OpLog::write(db, QStringLiteral("a"), QStringLiteral("t"), when));
    Sql::exec(db, QStringLiteral("delete from Oplog where id=?"), {OpLog::MaxId});
    EXPECT_TRUE(OpLog::write(db, QStringLiteral("a'b"), QStringLiteral("t"), when));
    EXPECT_EQ(Sql::scalar(db, QStringLiteral("select czy from Oplog where id=1")).toString(),
              QStringLiteral("a'b"));
}

TEST(Tdm1, LoadContextCopiesTheSetHeaderAndWriteOpLogUsesTheOperator)
{
    TestBooks books;
    const AccountSet set = books.createSet();
    Tdm1 dm;
    dm.connectMaster(books.settings().prefix());
    dm.connectSet(books.settings().prefix(), set.code);
    Sql::exec(dm.ADOConnection1(),
              QStringLiteral("update ztInfo set qykjnf=2008,qykjyf=1,kjnf=2008,kjyf=3,kmcd3=3,bz1=1"));
    dm.LoadContext();
    EXPECT_EQ(AppContext.CurYear, 2008);
    EXPECT_EQ(AppContext.CurMonth, 3);
    EXPECT_EQ(AppContext.CurPeriod, 2008 * 12 + 3);
    EXPECT_EQ(AppContext.StartMonth, 1);
    EXPECT_EQ(AppContext.levelLength(3), 3);
    EXPECT_EQ(AppContext.SameReviewer, 1);
    EXPECT_EQ(AppContext.EditOthers, 0);

    AppContext.OperatorName = QStringLiteral("张三");
    WriteOpLog(QStringLiteral("进入凭证登帐"));
    EXPECT_EQ(Sql::scalar(dm.ADOConnection1(), QStringLiteral("select czy from Oplog")).toString(),
              QStringLiteral("张三"));
    AppContext = AppContextRecord();
}
