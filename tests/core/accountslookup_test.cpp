#include "testbooks.h"

#include "app/appcontext.h"
#include "app/tdm1.h"
#include "db/sql.h"
#include "masterdata/accountcodes.h"
#include "masterdata/accountlookup.h"
#include "masterdata/chartcache.h"

#include <gtest/gtest.h>

// The data module on a fresh account set with the template's chart (levels 4-3-2-2-2-2).
class AccountLookupTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        AppContext = AppContextRecord();
        m_set = m_books.createSet();
        m_dm.connectMaster(m_books.settings().prefix());
        m_dm.connectSet(m_books.settings().prefix(), m_set.code);
        m_dm.LoadContext();
    }
    void TearDown() override
    {
        CachedChart().close();
        AppContext = AppContextRecord();
    }

    QSqlDatabase db() const { return m_dm.ADOConnection1(); }
    void addAccount(const QString &code, const QString &name, int level, int zl = 1)
    {
        Sql::exec(db(),
                  QStringLiteral("insert into iteminfo (itembm,itemmc,parent,zl,jhd,kmjc) "
                                 "values (?,?,-1,?,1,?)"),
                  {code, name, zl, level});
    }

    TestBooks m_books;
    AccountSet m_set;
    Tdm1 m_dm;
};

TEST_F(AccountLookupTest, LookupAccountClassifiesAndFillsTheContext)
{
    Sql::exec(db(), QStringLiteral("update iteminfo set bmhs=1, xmhs=1, wbhs=1, wbmc='美元' "
                                   "where itembm='1002001'"));
    EXPECT_TRUE(LookupAccount(QStringLiteral("1002001")));
    EXPECT_EQ(AppContext.AccountKind, 1);
    EXPECT_EQ(AppContext.AccountName, QStringLiteral("基本户"));
    EXPECT_EQ(AppContext.AccountCategory, 1);
    EXPECT_EQ(AppContext.AccountDirection, 1);
    EXPECT_EQ(AppContext.AccountLevel, 2);
    EXPECT_EQ(AppContext.AccountDeptFlag, 1);
    EXPECT_EQ(AppContext.AccountProjFlag, 1);
    EXPECT_EQ(AppContext.AccountFxFlag, 1);
    EXPECT_EQ(AppContext.AccountCurrency, QStringLiteral("美元"));

    EXPECT_FALSE(LookupAccount(QStringLiteral("1002")));
    EXPECT_EQ(AppContext.AccountKind, 2);
    EXPECT_EQ(AppContext.AccountName, QStringLiteral("银行存款"));
    EXPECT_EQ(AppContext.AccountFxFlag, 0);

    // A missing code leaves the fields of the last account found.
    EXPECT_FALSE(LookupAccount(QStringLiteral("1002009")));
    EXPECT_EQ(AppContext.AccountKind, 3);
    EXPECT_EQ(AppContext.AccountName, QStringLiteral("银行存款"));

    // Leaf or not is decided by the codes that extend the code, whatever their length.
    addAccount(QStringLiteral("1003"), QStringLiteral("存放中央银行款项"), 1);
    EXPECT_TRUE(LookupAccount(QStringLiteral("1003")));
    addAccount(QStringLiteral("10030"), QStringLiteral("错长度"), 0);
    EXPECT_FALSE(LookupAccount(QStringLiteral("1003")));
    EXPECT_EQ(findAccount(db(), QStringLiteral("10030")).kind, CodeLookup::Leaf);
    // The last code of the chart has nothing after it.
    const QString last =
        Sql::scalar(db(), QStringLiteral("select max(itembm) from iteminfo")).toString();
    EXPECT_TRUE(LookupAccount(last));
}

TEST_F(AccountLookupTest, TheCachedLookupCopiesTheFieldsWithoutClassifying)
{
    CachedChart().open(db());
    AppContext.AccountKind = 1;
    EXPECT_TRUE(LookupAccountCached(QStringLiteral("2202")));
    EXPECT_EQ(AppContext.AccountKind, 3);
    EXPECT_EQ(AppContext.AccountName, QStringLiteral("应付账款"));
    EXPECT_EQ(AppContext.AccountCategory, 2);
    EXPECT_EQ(AppContext.AccountDirection, 0);
    EXPECT_FALSE(LookupAccountCached(QStringLiteral("9999")));
    EXPECT_EQ(AppContext.AccountName, QStringLiteral("应付账款"));
}

TEST_F(AccountLookupTest, DepartmentProjectAndCashFlowLookups)
{
    Sql::exec(db(), QStringLiteral("insert into bmbm (bmbm,bmmc,parent) values "
                                   "('01','办公室',-1),('0101','财务科',1),('02','车间',-1)"));
    Sql::exec(db(), QStringLiteral("insert into xmbm (xmbm,xmmc) values ('A1','一号工程')"));
    Sql::exec(db(), QStringLiteral("insert into xjll_code (parent,bm,mc,fx) values "
                                   "(-1,'01','经营活动','流入'),(1,'0101','销售商品','流入')"));

    EXPECT_FALSE(LookupDepartment(QStringLiteral("01")));
    EXPECT_EQ(AppContext.AccountKind, 2);
    EXPECT_EQ(AppContext.AccountName, QStringLiteral("办公室"));
    EXPECT_TRUE(LookupDepartment(QStringLiteral("0101")));
    EXPECT_EQ(AppContext.AccountName, QStringLiteral("财务科"));
    EXPECT_TRUE(LookupDepartment(QStringLiteral("02")));
    EXPECT_FALSE(LookupDepartment(QStringLiteral("03")));
    EXPECT_EQ(AppContext.AccountKind, 3);

    EXPECT_TRUE(LookupProject(QStringLiteral("A1")));
    EXPECT_EQ(AppContext.AccountKind, 1);
    EXPECT_EQ(AppContext.AccountName, QStringLiteral("一号工程"));
    EXPECT_FALSE(LookupProject(QStringLiteral("A2")));
    EXPECT_EQ(AppContext.AccountKind, 3);

    AppContext.AccountName = QStringLiteral("不变");
    EXPECT_FALSE(LookupCashFlowCode(QStringLiteral("01")));
    EXPECT_EQ(AppContext.AccountKind, 2);
    EXPECT_TRUE(LookupCashFlowCode(QStringLiteral("0101")));
    EXPECT_EQ(AppContext.AccountKind, 1);
    EXPECT_FALSE(LookupCashFlowCode(QStringLiteral("0102")));
    EXPECT_EQ(AppContext.AccountKind, 3);
    EXPECT_EQ(AppContext.AccountName, QStringLiteral("不变"));
}

TEST_F(AccountLookupTest, FullNamesWalkFromLevelOneDown)
{
    EXPECT_EQ(AccountFullName(QString()), QString());
    EXPECT_EQ(AccountFullName(QStringLiteral("1002")), QStringLiteral("1002  银行存款"));
    EXPECT_EQ(AccountFullName(QStringLiteral("1002001")), QStringLiteral("1002001  银行存款/基本户"));
    addAccount(QStringLiteral("100200101"), QStringLiteral("工行'人民币%"), 3);
    EXPECT_EQ(AccountFullName(QStringLiteral("100200101")),
              QStringLiteral("100200101  银行存款/基本户/工行'人民币%"));

    // With 4-3-3 levels the same rows read differently.
    addAccount(QStringLiteral("1002001001"), QStringLiteral("三级"), 3);
    EXPECT_EQ(AccountFullName(db(), QStringLiteral("1002001001"), CodeLevels({4, 3, 3, 3, 3, 3})),
              QStringLiteral("1002001001  银行存款/基本户/三级"));
}

TEST_F(AccountLookupTest, NextSubAccountCodeProposesTheFollowingSegment)
{
    // The template has 1002001 and 1002002 under 1002.
    EXPECT_EQ(NextSubAccountCode(QStringLiteral("1002"), 2, 3), QStringLiteral("003"));
    EXPECT_EQ(NextSubAccountCode(QStringLiteral("1001"), 2, 3), QStringLiteral("001"));
    EXPECT_EQ(NextSubAccountCode(QString(), 1, 4), QString());
    EXPECT_EQ(NextSubAccountCode(QStringLiteral("1002"), 0, 3), QString());

    addAccount(QStringLiteral("1002009"), QStringLiteral("九"), 2);
    EXPECT_EQ(NextSubAccountCode(QStringLiteral("1002"), 2, 3), QStringLiteral("010"));
    addAccount(QStringLiteral("100200101"), QStringLiteral("下级"), 3);
    EXPECT_EQ(NextSubAccountCode(QStringLiteral("1002001"), 3, 2), QStringLiteral("02"));

    // A segment that is not all digits restarts at one.
    addAccount(QStringLiteral("1002ABC"), QStringLiteral("字母"), 2);
    EXPECT_EQ(NextSubAccountCode(QStringLiteral("1002"), 2, 3), QStringLiteral("001"));
}

TEST_F(AccountLookupTest, AFullLevelOffersTheFirstGap)
{
    addAccount(QStringLiteral("100100101"), QStringLiteral("一"), 3);
    addAccount(QStringLiteral("100100199"), QStringLiteral("九十九"), 3);
    EXPECT_EQ(NextSubAccountCode(QStringLiteral("1001001"), 3, 2), QStringLiteral("02"));
    for (int n = 2; n <= 98; ++n)
        addAccount(QStringLiteral("1001001%1").arg(n, 2, 10, QLatin1Char('0')),
                   QStringLiteral("满"), 3);
    // No gap left: the overflowing proposal stands, and saving refuses its length.
    EXPECT_EQ(NextSubAccountCode(QStringLiteral("1001001"), 3, 2), QStringLiteral("100"));
}
