#include "clirun.h"
#include "testbooks.h"

#include "db/sql.h"
#include "login/accountsetsetup.h"
#include "masterdata/openingbalances.h"

#include <gtest/gtest.h>

#include <QProcess>


using namespace OpeningBalances;

namespace {

Money yuan(const char *text)
{
    return *Money::parse(QString::fromUtf8(text));
}

Row account(const char *code, int category, int direction, const char *ncye,
            const char *ljjf = "0", const char *ljdf = "0")
{
    Row row;
    row.itembm = QString::fromUtf8(code);
    row.zl = category;
    row.jhd = direction;
    row.ncye = yuan(ncye);
    row.ljjf = yuan(ljjf);
    row.ljdf = yuan(ljdf);
    return row;
}

const CodeLevels Short({4, 3, 2, 2, 2, 2});
const CodeLevels Long({4, 3, 3, 3, 3, 3});

} // namespace

TEST(OpeningYear, RefusesYearsOutsideTheBooksAndLocksWhatCannotChange)
{
    struct Case
    {
        Period period;
        int year;
        const char *refusal;
        bool ncye;
        bool accumulated;
    };
    const Case cases[] = {
        {{2008, 3, 2009}, 2007, "年份不能小于开帐年份", false, false},
        {{2008, 3, 2009}, 2010, "年份不能大于当前会计年份", false, false},
        {{2008, 3, 2009}, 2008, "", false, false}, // a past year is only shown
        {{2008, 3, 2009}, 2009, "", true, true},
        {{2008, 3, 2008}, 2008, "", true, true},  // opened in March: accumulated amounts exist
        {{2008, 1, 2008}, 2008, "", true, false}, // opened in January: nothing accumulated
        {{2008, 1, 2009}, 2009, "", true, true},
    };
    for (const Case &c : cases) {
        const Result<Access> access = chooseYear(c.period, c.year);
        SCOPED_TRACE(c.year);
        EXPECT_EQ(access.message(), QString::fromUtf8(c.refusal));
        if (access) {
            EXPECT_EQ(access->ncye, c.ncye);
            EXPECT_EQ(access->accumulated, c.accumulated);
        }
    }
}

TEST(OpeningBalanceCheck, ParentMustEqualItsDirectChildren)
{
    const QList<Row> rows = {
        account("1001", 1, 1, "0"),
        account("1002", 1, 1, "140.00"),
        account("1002001", 1, 1, "100.00"),
        account("1002002", 1, 1, "50.00"),
        account("3001", 3, 0, "150.00"),
    };
    const Check result = check(rows, Short);
    EXPECT_EQ(result.outcome, Check::ParentMismatch);
    EXPECT_EQ(result.message, QStringLiteral("1002科目期初余额与下一级科目期初余额汇总不符,相差-10"));
    EXPECT_EQ(result.row, 1);
}

TEST(OpeningBalanceCheck, AssetsAgainstEverythingElse)
{
    const Check balanced = check({account("1001", 1, 1, "500"), account("3001", 3, 0, "500")}, Short);
    EXPECT_EQ(balanced.outcome, Check::Balanced);
    EXPECT_EQ(balanced.message, QStringLiteral("期初余额已经平衡"));
    EXPECT_EQ(balanced.row, 0);

    // A contra-asset (credit direction) reduces the assets; a debit cost account counts
    // against the credit side.
    const Check contra = check({account("1601", 1, 1, "1000"), account("1602", 1, 0, "200"),
                                account("3001", 3, 0, "900"), account("4001", 4, 1, "100")},
                               Short);
    EXPECT_EQ(contra.outcome, Check::Balanced) << contra.message.toStdString();

    const Check unbalanced =
        check({account("1001", 1, 1, "500.25"), account("3001", 3, 0, "500")}, Short);
    EXPECT_EQ(unbalanced.outcome, Check::Unbalanced);
    EXPECT_EQ(unbalanced.message, QStringLiteral("期初余额不平,相差0.25"));
    EXPECT_EQ(unbalanced.row, 0);

    // Only level-1 accounts count: the children are inside their parent's figure already.
    const Check levels = check({account("1002", 1, 1, "80"), account("1002001", 1, 1, "80"),
                                account("2001", 2, 0, "80")},
                               Short);
    EXPECT_EQ(levels.outcome, Check::Balanced) << levels.message.toStdString();

    EXPECT_EQ(check({}, Short).outcome, Check::Empty);
    EXPECT_TRUE(check({}, Short).message.isEmpty());
}

TEST(OpeningBalanceCheck, UsesDerivedBalancesDirectionsAndLevelLengths)
{
    // Books opened in March: the balance of the opening month is the year's opening figure
    // moved by what was accumulated before it, each in the account's own direction.
    EXPECT_EQ(account("1122", 1, 1, "300", "100", "40").opening(), yuan("360"));
    EXPECT_EQ(account("2202", 2, 0, "300", "100", "40").opening(), yuan("240"));

    // A child of the other direction counts negative; a grandchild is not a direct child.
    const QList<Row> rows = {
        account("1221", 1, 1, "70"),
        account("1221001", 1, 1, "100"),
        account("1221001001", 1, 1, "999"),
        account("1221002", 1, 0, "30"),
        account("2001", 2, 0, "70"),
    };
    const Check withLong = check(rows, Long);
    EXPECT_EQ(withLong.outcome, Check::ParentMismatch);
    EXPECT_EQ(withLong.message,
              QStringLiteral("1221001科目期初余额与下一级科目期初余额汇总不符,相差-899"));
    EXPECT_EQ(withLong.row, 1);
    // With two-digit third levels the ten-digit code is no child of 1221001 at all.
    const Check withShort = check(rows, Short);
    EXPECT_EQ(withShort.outcome, Check::Balanced) << withShort.message.toStdString();
}

// An account set opened in March 2008 whose current year is 2009.
class OpeningsDbTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_set = m_books.createSet();
        m_conn = m_books.open(m_set.code);
        AccountSetSetup::Settings settings;
        settings.year = 2008;
        settings.month = 3;
        ASSERT_TRUE(AccountSetSetup::initialise(db(), settings).ok());
        // The year-end closing would have added the 2009 rows.
        Sql::exec(db(), QStringLiteral("insert into account_ye (kjnf, itembm, ncye) "
                                       "select 2009, itembm, 0 from account_ye where kjnf = 2008"));
        Sql::exec(db(), QStringLiteral("update ztInfo set kjnf = 2009, kjyf = 1"));
        Sql::exec(db(), QStringLiteral("update iteminfo set wbhs = 1, xmhs = 1 where itembm = '1002001'"));
    }

    QSqlDatabase db() const { return m_conn->db(); }
    Money stored(int year, const char *code, const char *column)
    {
        return Money::fromSqlValue(Sql::scalar(
            db(), QStringLiteral("select %1 from account_ye where kjnf = ? and itembm = ?")
                      .arg(QLatin1String(column)),
            {year, QString::fromUtf8(code)}));
    }

    const Period m_period{2008, 3, 2009};
    TestBooks m_books;
    AccountSet m_set;
    std::unique_ptr<DbConnection> m_conn;
};

TEST_F(OpeningsDbTest, LoadsTheYearInCodeOrderWithItsAccounts)
{
    ASSERT_TRUE(set(db(), m_period, 2009, QStringLiteral("1002001"),
                    {yuan("1234.56"), yuan("10"), yuan("0.01")})
                    .ok());
    const QList<Row> rows = load(db(), 2009);
    ASSERT_GT(rows.size(), 100);
    for (int i = 1; i < rows.size(); ++i)
        EXPECT_LT(rows.at(i - 1).itembm, rows.at(i).itembm);
    const auto bank = std::find_if(rows.cbegin(), rows.cend(), [](const Row &row) {
        return row.itembm == QLatin1String("1002001");
    });
    ASSERT_NE(bank, rows.cend());
    EXPECT_EQ(bank->itemmc, QStringLiteral("基本户"));
    EXPECT_EQ(bank->direction(), QStringLiteral("借"));
    EXPECT_EQ(bank->auxiliary(), QStringLiteral("外币核算,项目核算"));
    EXPECT_EQ(bank->opening(), yuan("1244.55"));
    EXPECT_EQ(stored(2009, "1002001", "ljdf"), yuan("0.01"));
    EXPECT_EQ(stored(2008, "1002001", "ncye"), Money()) << "other years stay as they were";
}

TEST_F(OpeningsDbTest, RefusesWhatTheGridWouldNotLetChange)
{
    struct Case
    {
        int year;
        const char *code;
        Amounts amounts;
        const char *refusal;
    };
    const Case cases[] = {
        {2007, "1001", {yuan("1"), {}, {}}, "年份不能小于开帐年份"},
        {2010, "1001", {yuan("1"), {}, {}}, "年份不能大于当前会计年份"},
        {2008, "1001", {yuan("1"), {}, {}}, "以前年度的期初数据只能查看，不能修改。"},
        {2008, "1001", {{}, yuan("1"), {}}, "以前年度的期初数据只能查看，不能修改。"},
        {2009, "9999", {yuan("1"), {}, {}}, "科目编码不存在。"},
        {2009, "1001' or '1'='1", {yuan("1"), {}, {}}, "科目编码不存在。"},
    };
    for (const Case &c : cases) {
        const Result<Row> result = set(db(), m_period, c.year, QString::fromUtf8(c.code), c.amounts);
        EXPECT_EQ(result.message(), QString::fromUtf8(c.refusal)) << c.code;
    }
    EXPECT_EQ(Sql::scalar(db(), QStringLiteral("select count(*) from account_ye where ncye <> 0 "
                                               "or ljjf <> 0 or ljdf <> 0"))
                  .toInt(),
              0);

    // Books opened in January have nothing accumulated in their first year.
    const Period january{2009, 1, 2009};
    EXPECT_EQ(set(db(), january, 2009, QStringLiteral("1001"), {{}, {}, yuan("5")}).message(),
              QStringLiteral("年初启用的帐套没有累计借方、贷方金额。"));
    EXPECT_TRUE(set(db(), january, 2009, QStringLiteral("1001"), {yuan("5"), {}, {}}).ok());
}

TEST_F(OpeningsDbTest, ChecksTheStoredFigures)
{
    const std::pair<const char *, const char *> figures[] = {
        {"1002", "140.00"}, {"1002001", "100.00"}, {"1002002", "50.00"}};
    for (const auto &[code, amount] : figures)
        ASSERT_TRUE(set(db(), m_period, 2009, QString::fromUtf8(code), {yuan(amount), {}, {}}).ok());
    QList<Row> rows = load(db(), 2009);
    Check result = check(rows, Short);
    EXPECT_EQ(result.message, QStringLiteral("1002科目期初余额与下一级科目期初余额汇总不符,相差-10"));
    EXPECT_EQ(rows.at(result.row).itembm, QStringLiteral("1002"));

    ASSERT_TRUE(set(db(), m_period, 2009, QStringLiteral("1002"), {yuan("150"), {}, {}}).ok());
    EXPECT_EQ(check(load(db(), 2009), Short).message, QStringLiteral("期初余额不平,相差150"));

    // Accumulated amounts count: 150 at the start of the year, 30 more credited since.
    ASSERT_TRUE(set(db(), m_period, 2009, QStringLiteral("3001"), {yuan("150"), {}, yuan("30")}).ok());
    EXPECT_EQ(check(load(db(), 2009), Short).message, QStringLiteral("期初余额不平,相差-30"));
    ASSERT_TRUE(set(db(), m_period, 2009, QStringLiteral("1001"), {{}, yuan("30"), {}}).ok());
    EXPECT_EQ(check(load(db(), 2009), Short).message, QStringLiteral("期初余额已经平衡"));
}

TEST(OpeningsCli, SetsListsAndChecksTheFigures)
{
    TestBooks books;
    const QStringList connection = books.cliConnectionOptions();
    ASSERT_EQ(runCli(connection + QStringList{"sets", "init", "V8_URU_ZEZ", "--year", "2008",
                                              "--month", "3", "--levels", "4-3-2-2-2-2"})
                  .status,
              0);
    // With a password, nothing but the command's own messages reaches standard error.
    ASSERT_EQ(runCli(connection + QStringList{"operators", "passwd", "--new", "pw", "--operator", "管理员"})
                  .status,
              0);
    const QStringList admin = {"--operator", "管理员", "--password", "pw"};
    auto openings = [&](const QStringList &arguments) {
        return runCli(connection + QStringList{"openings"} + arguments + admin);
    };
    for (const QStringList &figures : {QStringList{"1002", "--ncye", "140"},
                                       QStringList{"1002001", "--ncye", "100"},
                                       QStringList{"1002002", "--ncye", "50.00"}})
        ASSERT_EQ(openings(QStringList{"set"} + figures).status, 0);
    CliRun checked = openings({"check"});
    EXPECT_EQ(checked.status, 1);
    EXPECT_EQ(checked.err, QStringLiteral("1002科目期初余额与下一级科目期初余额汇总不符,相差-10\n"));

    const CliRun set = openings({"set", "1002", "--ncye", "150", "--ljjf", "1,000.5", "--ljdf", "1000.50",
                                 "--year", "2008"});
    ASSERT_EQ(set.status, 0) << set.err.toStdString();
    EXPECT_EQ(set.out, QStringLiteral("kjnf\titembm\titemmc\tjhd\tncye\tljjf\tljdf\tqcye\n"
                                      "2008\t1002\t银行存款\t1\t150.00\t1000.50\t1000.50\t150.00\n"));
    ASSERT_EQ(openings({"set", "3001", "--ncye", "150"}).status, 0);
    checked = openings({"check"});
    EXPECT_EQ(checked.status, 0) << checked.err.toStdString();
    EXPECT_EQ(checked.out, QStringLiteral("期初余额已经平衡\n"));

    const CliRun listed = openings({"list"});
    ASSERT_EQ(listed.status, 0);
    EXPECT_TRUE(listed.out.startsWith(QStringLiteral("kjnf\titembm\titemmc\tjhd\tncye")));
    EXPECT_TRUE(listed.out.contains(QStringLiteral("\n2008\t3001\t实收资本\t0\t150.00\t0.00\t0.00\t150.00\n")));

    const CliRun early = openings({"list", "--year", "2007"});
    EXPECT_EQ(early.status, 1);
    EXPECT_EQ(early.err, QStringLiteral("年份不能小于开帐年份\n"));
    EXPECT_EQ(openings({"set", "1001", "--ncye", "12.345"}).status, 2);
    EXPECT_EQ(openings({"set", "--ncye", "1"}).status, 2);
    EXPECT_EQ(openings({"balance"}).status, 2);

    auto set2 = books.open(QStringLiteral("V8_URU_ZEZ"));
    EXPECT_EQ(Sql::scalar(set2->db(), QStringLiteral("select count(*) from Oplog where title = ?"),
                          {QStringLiteral("进入年期初数据")})
                  .toInt(),
              9);
    EXPECT_EQ(Money::fromSqlValue(Sql::scalar(
                  set2->db(), QStringLiteral("select ncye from account_ye where itembm = '1001'"))),
              Money())
        << "nothing written by the refused commands";
}
