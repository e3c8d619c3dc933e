#include "testbooks.h"

#include "db/dberror.h"
#include "db/money.h"
#include "db/sql.h"
#include "db/templatebuilder.h"

#include <gtest/gtest.h>

#include <QSqlQuery>
#include <QSqlRecord>

namespace {

QStringList codesOf(const QList<AccountSet> &sets)
{
    QStringList codes;
    for (const AccountSet &set : sets)
        codes << set.code;
    return codes;
}

} // namespace

TEST(AccountSetStore, BootstrapCreatesTheListAndTheFirstSetOnce)
{
    TestBooks books;
    AccountSetStore &store = books.store();
    const QList<AccountSet> sets = store.list();
    ASSERT_EQ(sets.size(), 1);
    EXPECT_EQ(sets.first().id, 1);
    EXPECT_EQ(sets.first().code, QStringLiteral("V8_URU_ZEZ"));
    EXPECT_EQ(sets.first().name, QStringLiteral("企业财务帐套"));

    store.bootstrap(); // the list exists: nothing happens
    EXPECT_EQ(store.list().size(), 1);
}

TEST(AccountSetStore, BootstrapKeepsAnExistingFirstSet)
{
    TestBooks books;
    books.store();
    {
        auto set = books.open(QStringLiteral("V8_URU_ZEZ"));
        Sql::exec(set->db(), QStringLiteral("update ztInfo set kjnf=2008"));
    }
    Sql::exec(books.store().master(), QStringLiteral("drop table lxfs_ztmc"));
    books.store().bootstrap();
    EXPECT_EQ(codesOf(books.store().list()), QStringList{QStringLiteral("V8_URU_ZEZ")});
    auto set = books.open(QStringLiteral("V8_URU_ZEZ"));
    EXPECT_EQ(Sql::scalar(set->db(), QStringLiteral("select kjnf from ztInfo")).toInt(), 2008);
}

TEST(AccountSetStore, NewSetsTakeMaxPlusOneAndDroppedIdsAreNotReused)
{
    TestBooks books;
    EXPECT_EQ(books.createSet(QStringLiteral("二")).code, QStringLiteral("lanx2"));
    EXPECT_EQ(books.createSet(QStringLiteral("三")).code, QStringLiteral("lanx3"));
    ASSERT_TRUE(books.store().drop(QStringLiteral("lanx2")).ok());
    const AccountSet fourth = books.createSet(QStringLiteral("四"));
    EXPECT_EQ(fourth.id, 4);
    EXPECT_EQ(fourth.code, QStringLiteral("lanx4"));
    EXPECT_EQ(codesOf(books.store().list()),
              (QStringList{QStringLiteral("V8_URU_ZEZ"), QStringLiteral("lanx3"),
                           QStringLiteral("lanx4")}));
    EXPECT_FALSE(books.store().settings().provider == Provider::SQLite
                 && QFile::exists(books.home() + QStringLiteral("/data/lanx2.db")));
    EXPECT_THROW(books.open(QStringLiteral("lanx2")), DbError);
}

TEST(AccountSetStore, RefusesEmptyNamesAndDroppingTheFirstOrAnUnknownSet)
{
    TestBooks books;
    const Result<AccountSet> blank = books.store().create(QStringLiteral("   "));
    ASSERT_FALSE(blank.ok());
    EXPECT_EQ(blank.message(), QStringLiteral("请输入帐套名称。   "));
    EXPECT_FALSE(books.store().create(QString(51, u'帐')).ok());
    EXPECT_FALSE(books.store().drop(QStringLiteral("V8_URU_ZEZ")).ok());
    EXPECT_FALSE(books.store().drop(QStringLiteral("lanx9")).ok());
    EXPECT_EQ(books.store().list().size(), 1);
}

TEST(AccountSetStore, NamesAreStoredExactlyAsTyped)
{
    TestBooks books;
    const QString name = QStringLiteral("O'Brien \"公司\" 100% a_b\\c");
    books.createSet(name);
    EXPECT_EQ(books.store().list().last().name, name);
}

TEST(AccountSetStore, AFreshSetHoldsEveryTableAndTheStartingRows)
{
    TestBooks books;
    const AccountSet set = books.createSet();
    auto conn = books.open(set.code);
    const QSqlDatabase db = conn->db();

    const QStringList tables = {
        "ztInfo", "iteminfo", "account", "account_ye", "op_detail", "Oplog", "account_zy",
        "moneyhl", "bmbm", "xmbm", "bmqc", "xmqc", "xjll_code", "xjll_workSheet", "dlz_info",
        "report", "bb_excel", "rpt_data", "gz_xm", "gz_list", "gz_YGInfo", "gz_PZitem",
        "gdzc_kp", "gdzc_zcType", "gdzc_zjfs", "gdzc_useInfo", "gdzc_zjlist", "gdzc_jiansao",
        "gdzc_gzl"};
    const QStringList present = db.tables();
    for (const QString &table : tables)
        EXPECT_TRUE(present.contains(table, Qt::CaseInsensitive)) << table.toStdString();
    EXPECT_FALSE(present.contains(QStringLiteral("lxfs_ztmc"), Qt::CaseInsensitive));
    EXPECT_EQ(db.record(QStringLiteral("account_ye")).count(), 56);
    EXPECT_EQ(db.record(QStringLiteral("account")).count(), 25);

    QSqlQuery header = Sql::exec(db, QStringLiteral("select qykjnf, kmcd1, kmcd2 from ztInfo"));
    ASSERT_TRUE(header.next());
    EXPECT_EQ(header.value(0).toInt(), 1900);
    EXPECT_FALSE(header.next()) << "exactly one header row";

    QSqlQuery admin = Sql::exec(db, QStringLiteral("select * from op_detail"));
    ASSERT_TRUE(admin.next());
    EXPECT_EQ(admin.value(QStringLiteral("id")).toInt(), 1);
    EXPECT_EQ(admin.value(QStringLiteral("name")).toString(), QStringLiteral("管理员"));
    EXPECT_TRUE(admin.value(QStringLiteral("password")).toString().isEmpty());
    for (int i = 1; i <= 20; ++i)
        EXPECT_EQ(admin.value(QStringLiteral("bz%1").arg(i)).toInt(), 1) << i;
    EXPECT_FALSE(admin.next());
}

TEST(AccountSetStore, TheStartingChartIsTheSmallEnterpriseChartWithBalanceRows)
{
    TestBooks books;
    auto conn = books.open(books.createSet().code);
    const QSqlDatabase db = conn->db();

    EXPECT_EQ(Sql::scalar(db, QStringLiteral("select count(*) from iteminfo where kmjc=1")).toInt(), 66);
    EXPECT_EQ(Sql::scalar(db, QStringLiteral("select count(*) from iteminfo where parent=-1")).toInt(), 66);
    // Every account has its balance row under the placeholder year, and nothing else.
    EXPECT_EQ(Sql::scalar(db, QStringLiteral("select count(*) from iteminfo i join account_ye y "
                                             "on y.itembm=i.itembm and y.kjnf=?"),
                          {TemplateBuilder::PlaceholderYear}),
              Sql::scalar(db, QStringLiteral("select count(*) from account_ye")));
    EXPECT_EQ(Sql::scalar(db, QStringLiteral("select count(*) from iteminfo")),
              Sql::scalar(db, QStringLiteral("select count(*) from account_ye")));

    struct Account { const char *code; const char *name; int category; int debit; const char *parent; };
    const Account expected[] = {
        {"1001", "库存现金", 1, 1, nullptr},
        {"1602", "累计折旧", 1, 0, nullptr},
        {"2211001", "工资", 2, 0, "2211"},
        {"2221001", "应交增值税", 2, 0, "2221"},
        {"3103", "本年利润", 3, 0, nullptr},
        {"5403", "税金及附加", 5, 1, nullptr},
    };
    for (const Account &a : expected) {
        QSqlQuery q = Sql::exec(db,
                                QStringLiteral("select i.itemmc, i.zl, i.jhd, i.kmjc, p.itembm from "
                                               "iteminfo i left join iteminfo p on p.id=i.parent "
                                               "where i.itembm=?"),
                                {QString::fromUtf8(a.code)});
        ASSERT_TRUE(q.next()) << a.code;
        EXPECT_EQ(q.value(0).toString(), QString::fromUtf8(a.name));
        EXPECT_EQ(q.value(1).toInt(), a.category) << a.code;
        EXPECT_EQ(q.value(2).toInt(), a.debit) << a.code;
        EXPECT_EQ(q.value(3).toInt(), a.parent ? 2 : 1) << a.code;
        EXPECT_EQ(q.value(4).toString(), a.parent ? QString::fromUtf8(a.parent) : QString());
    }
}

TEST(AccountSetStore, AmountsDefaultToZeroAndAVoucherLineIdentityIsUnique)
{
    TestBooks books;
    auto conn = books.open(books.createSet().code);
    const QSqlDatabase db = conn->db();
    const QString insert =
        QStringLiteral("insert into account (kjnf,kjyf,pzbh,pzfl,itembm) values (2024,3,1,1,'1001')");
    Sql::exec(db, insert);
    const QVariant debit = Sql::scalar(db, QStringLiteral("select jfje from account"));
    EXPECT_FALSE(debit.isNull());
    EXPECT_TRUE(Money::fromSqlValue(debit).isZero());
    EXPECT_THROW(Sql::exec(db, insert), DbError);
    EXPECT_THROW(Sql::exec(db, QStringLiteral("insert into account_ye (kjnf,itembm) values (?,?)"),
                           {TemplateBuilder::PlaceholderYear, QStringLiteral("1001")}),
                 DbError);
}

TEST(AccountSetStore, AStaleTemplateIsRebuilt)
{
    TestBooks books;
    books.store();
    {
        auto tpl = books.open(SqlDialect::forProvider(TestBooks::provider()).templateCatalog());
        Sql::exec(tpl->db(), QStringLiteral("update schema_version set version='old'"));
        Sql::exec(tpl->db(), QStringLiteral("delete from iteminfo"));
    }
    auto conn = books.open(books.createSet().code);
    EXPECT_EQ(TemplateBuilder::versionOf(conn->db()), TemplateBuilder::version());
    EXPECT_GT(Sql::scalar(conn->db(), QStringLiteral("select count(*) from iteminfo")).toInt(), 100);
}
