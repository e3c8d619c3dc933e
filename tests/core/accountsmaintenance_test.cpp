#include "testbooks.h"

#include "db/money.h"
#include "db/sql.h"
#include "db/sqldialect.h"
#include "masterdata/chartofaccounts.h"

#include <gtest/gtest.h>

#include <QSqlQuery>
#include <QSqlRecord>

namespace {

const int Year = 2024;

Money yuan(const char *text)
{
    return *Money::parse(QString::fromLatin1(text));
}

} // namespace

// A fresh account set with the template's chart and levels 4-3-2-2-2-2.
class ChartOfAccountsTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_conn = m_books.open(m_books.createSet().code);
        Sql::exec(db(), QStringLiteral("update account_ye set kjnf=?"), {Year});
    }

    QSqlDatabase db() const { return m_conn->db(); }
    ChartOfAccounts chart(const CodeLevels &levels = CodeLevels({4, 3, 2, 2, 2, 2})) const
    {
        return ChartOfAccounts(db(), levels);
    }
    int count(const QString &statement, const QVariantList &values = {}) const
    {
        return Sql::scalar(db(), statement, values).toInt();
    }
    // Everything the chart's rules may touch, to show that a refusal changed nothing.
    QString snapshot() const
    {
        QString text;
        for (const char *statement :
             {"select itembm, itemmc, parent, zl, jhd, erpKmcode from iteminfo order by itembm",
              "select kjnf, itembm, ncye from account_ye order by kjnf, itembm",
              "select kjnf, kjyf, pzbh, pzfl, itembm from account order by kjnf, kjyf, pzbh, "
              "pzfl"}) {
            QSqlQuery rows = Sql::exec(db(), QString::fromLatin1(statement));
            while (rows.next()) {
                for (int i = 0; i < rows.record().count(); ++i)
                    text += rows.value(i).toString() + u'|';
                text += u'\n';
            }
        }
        return text;
    }
    void addLine(int year, int month, int number, const QString &code, Money debit, Money credit,
                 Money foreign = Money())
    {
        Sql::exec(db(),
                  QStringLiteral("insert into account (kjnf,kjyf,pzbh,pzfl,itembm,jfje,dfje,wbjf,"
                                 "bmbm) values (?,?,?,1,?,?,?,?,'01')"),
                  {year, month, number, code, debit.toSqlValue(), credit.toSqlValue(),
                   foreign.toSqlValue()});
    }
    void setBalances(int year, const QString &code, Money ncye, Money jf3, Money df3, Money wbjf3)
    {
        if (count(QStringLiteral("select count(*) from account_ye where kjnf=? and itembm=?"),
                  {year, code}) == 0)
            Sql::exec(db(), QStringLiteral("insert into account_ye (kjnf,itembm) values (?,?)"),
                      {year, code});
        Sql::exec(db(),
                  QStringLiteral("update account_ye set ncye=?, jf3=?, df3=?, wbjf3=? "
                                 "where kjnf=? and itembm=?"),
                  {ncye.toSqlValue(), jf3.toSqlValue(), df3.toSqlValue(), wbjf3.toSqlValue(),
                   year, code});
    }
    ChartOfAccounts::Draft newDraft(const QString &code, const QString &name)
    {
        Result<ChartOfAccounts::Draft> draft = chart().draftForCode(code, 1);
        EXPECT_TRUE(draft.ok()) << draft.message().toStdString();
        ChartOfAccounts::Draft result = draft.value();
        result.account.itemmc = name;
        return result;
    }

    TestBooks m_books;
    std::unique_ptr<DbConnection> m_conn;
};

TEST_F(ChartOfAccountsTest, BadInputIsRefusedWithTheSystemsMessageAndChangesNothing)
{
    const QString before = snapshot();
    const ChartOfAccounts accounts = chart();

    struct Case
    {
        const char *segment;
        const char *name;
        const QString &message;
    };
    const Case cases[] = {
        {"03", "短", ChartOfAccounts::CodeLengthWrong},
        {"0003", "长", ChartOfAccounts::CodeLengthWrong},
        {"0a3", "字母", ChartOfAccounts::CodeLengthWrong},
        {"-03", "负号", ChartOfAccounts::CodeLengthWrong},
        {" 003 ", "  ", ChartOfAccounts::NameMissing},
        {"001", "重复", ChartOfAccounts::CodeInUse},
    };
    for (const Case &c : cases) {
        ChartOfAccounts::Draft draft =
            newDraft(QStringLiteral("1002003"), QString::fromUtf8(c.name));
        draft.segment = QString::fromLatin1(c.segment);
        const Result<AccountRecord> saved = accounts.save(draft, Year);
        EXPECT_EQ(saved.message(), c.message) << c.segment;
    }

    // Codes that fit no level, or a seventh level, or a parent that does not exist.
    EXPECT_EQ(accounts.draftForCode(QStringLiteral("10021"), 1).message(),
              ChartOfAccounts::CodeLengthWrong);
    EXPECT_EQ(accounts.draftForCode(QStringLiteral("1002001010101010"), 1).message(),
              ChartOfAccounts::TooManyLevels);
    EXPECT_EQ(accounts.draftForCode(QStringLiteral("1999001"), 1).message(),
              ChartOfAccounts::ParentMissing);
    AccountRecord levelSix;
    levelSix.kmjc = 6;
    EXPECT_EQ(accounts.canAddSubAccount(levelSix).message(), ChartOfAccounts::TooManyLevels);
    levelSix.kmjc = 5;
    EXPECT_TRUE(accounts.canAddSubAccount(levelSix).ok());

    // A stored account may not take another account's code.
    ChartOfAccounts::Draft basic = accounts.draftFor(*accounts.find(QStringLiteral("1002001")));
    basic.segment = QStringLiteral("002");
    EXPECT_EQ(accounts.save(basic, Year).message(), ChartOfAccounts::CodeInUse);

    EXPECT_EQ(snapshot(), before);
}

TEST_F(ChartOfAccountsTest, ANewAccountIsStoredWithItsDefaultsAndAnEmptyBalanceRow)
{
    const ChartOfAccounts accounts = chart();
    ChartOfAccounts::Draft draft =
        newDraft(QStringLiteral("2202001"), QStringLiteral("O'Neil 100%"));
    draft.segment = QStringLiteral(" 001 ");
    draft.account.wbmc = QStringLiteral("美元"); // without 外币核算 the currency is dropped
    const Result<AccountRecord> saved = accounts.save(draft, Year);
    ASSERT_TRUE(saved.ok()) << saved.message().toStdString();

    const AccountRecord stored = *accounts.find(QStringLiteral("2202001"));
    EXPECT_EQ(stored, saved.value());
    EXPECT_EQ(stored.itemmc, QStringLiteral("O'Neil 100%"));
    EXPECT_EQ(stored.parent, accounts.find(QStringLiteral("2202"))->id);
    EXPECT_EQ(stored.zl, 2);
    EXPECT_EQ(stored.jhd, 0);
    EXPECT_EQ(stored.kmjc, 2);
    EXPECT_EQ(stored.wbmc, QString());
    EXPECT_EQ(count(QStringLiteral("select count(*) from account_ye where itembm='2202001' and "
                                   "kjnf=? and ncye=0 and jf1=0 and wbdf12=0"),
                    {Year}),
              1);

    // A level-1 account takes the category given; its code is typed whole.
    ChartOfAccounts::Draft top = chart().draftForCode(QStringLiteral("5999"), 5).value();
    top.account.itemmc = QStringLiteral("其他损益");
    ASSERT_TRUE(accounts.save(top, Year).ok());
    EXPECT_EQ(accounts.find(QStringLiteral("5999"))->parent, -1);
    EXPECT_EQ(accounts.find(QStringLiteral("5999"))->jhd, 1);
}

TEST_F(ChartOfAccountsTest, ALeafWithoutLinesChangesItsCodeWithAllItsBalanceRows)
{
    const ChartOfAccounts accounts = chart();
    setBalances(Year - 1, QStringLiteral("1002002"), yuan("10.00"), Money(), Money(), Money());
    setBalances(Year, QStringLiteral("1002002"), yuan("20.00"), Money(), Money(), Money());
    Sql::exec(db(), QStringLiteral("delete from account_ye where itembm='1002002' and kjnf=?"),
              {Year});

    ChartOfAccounts::Draft draft = accounts.draftFor(*accounts.find(QStringLiteral("1002002")));
    EXPECT_EQ(draft.parentCode, QStringLiteral("1002"));
    EXPECT_EQ(draft.segment, QStringLiteral("002"));
    draft.segment = QStringLiteral("005");
    draft.account.itemmc = QStringLiteral("一般户（工行）");
    draft.account.wbhs = 1;
    draft.account.wbmc = QStringLiteral("港币");
    ASSERT_TRUE(accounts.save(draft, Year).ok());

    EXPECT_FALSE(accounts.find(QStringLiteral("1002002")));
    const AccountRecord moved = *accounts.find(QStringLiteral("1002005"));
    EXPECT_EQ(moved.itemmc, QStringLiteral("一般户（工行）"));
    EXPECT_EQ(moved.wbmc, QStringLiteral("港币"));
    EXPECT_EQ(count(QStringLiteral("select count(*) from account_ye where itembm='1002002'")), 0);
    EXPECT_EQ(count(QStringLiteral("select count(*) from account_ye where itembm='1002005'")), 2)
        << "last year's row moves along, this year's missing row is appended";

    // Once it has voucher lines the code is fixed; the rest may still change.
    addLine(Year, 3, 1, QStringLiteral("1002005"), yuan("1.00"), Money());
    draft = accounts.draftFor(moved);
    draft.segment = QStringLiteral("006");
    EXPECT_EQ(accounts.save(draft, Year).message(), ChartOfAccounts::CodeFixed);
    draft.segment = QStringLiteral("005");
    draft.account.itemmc = QStringLiteral("一般户");
    EXPECT_TRUE(accounts.save(draft, Year).ok());
    EXPECT_EQ(accounts.find(QStringLiteral("1002005"))->itemmc, QStringLiteral("一般户"));
}

TEST_F(ChartOfAccountsTest, ASubAccountUnderAUsedAccountTakesOverItsLinesAndBalances)
{
    const ChartOfAccounts accounts = chart();
    const QString parent = QStringLiteral("1001");
    Sql::exec(db(), QStringLiteral("update iteminfo set erpKmcode='1001' where itembm=?"),
              {parent});
    addLine(Year - 1, 5, 1, parent, yuan("1000.10"), Money(), yuan("150.00"));
    addLine(Year - 1, 6, 2, parent, Money(), yuan("200.05"));
    addLine(Year, 3, 1, parent, yuan("0.01"), Money());
    setBalances(Year - 1, parent, yuan("500.00"), yuan("1000.10"), yuan("200.05"), yuan("150.00"));
    setBalances(Year, parent, yuan("1300.05"), yuan("0.01"), Money(), Money());
    Sql::exec(db(), QStringLiteral("insert into bmqc (kjnf,bmbm,itembm,qcye) values (?,'01',?,?)"),
              {Year, parent, yuan("1300.05").toSqlValue()});
    ASSERT_TRUE(accounts.hasVoucherLines(parent));

    ChartOfAccounts::Draft child = newDraft(QStringLiteral("1001001"), QStringLiteral("人民币"));
    ASSERT_TRUE(accounts.save(child, Year).ok());
    EXPECT_EQ(accounts.adoptSubAccount(parent, true), QStringLiteral("1001001"));

    EXPECT_EQ(count(QStringLiteral("select count(*) from account where itembm=?"), {parent}), 0);
    EXPECT_EQ(count(QStringLiteral("select count(*) from account where itembm='1001001'")), 3);
    EXPECT_EQ(count(QStringLiteral("select count(*) from bmqc where itembm='1001001'")), 1);
    EXPECT_EQ(accounts.find(parent)->erpKmcode, QString());

    // Every amount of the parent's rows, in every year, equals the sum over its sub-accounts.
    const QString sum = SqlDialect::of(db()).sumCents(QStringLiteral("%1"));
    for (const char *column : {"ncye", "jf3", "df3", "wbjf3", "jf12"}) {
        for (int year : {Year - 1, Year}) {
            const QString c = QString::fromLatin1(column);
            const qint64 own = Sql::scalar(db(), QStringLiteral("select %1 from account_ye where "
                                                                "kjnf=? and itembm=?")
                                                     .arg(sum.arg(c)),
                                           {year, parent})
                                   .toLongLong();
            const qint64 children =
                Sql::scalar(db(), QStringLiteral("select %1 from account_ye where kjnf=? and "
                                                 "itembm like '1001_%'")
                                      .arg(sum.arg(c)),
                            {year})
                    .toLongLong();
            EXPECT_EQ(own, children) << column << ' ' << year;
        }
    }
    EXPECT_EQ(count(QStringLiteral("select count(*) from account_ye where itembm='1001001'")), 2);

    // The sub-account is now in use and cannot be deleted.
    EXPECT_EQ(accounts.checkDeletion(QStringLiteral("1001001")).message(),
              ChartOfAccounts::UsedByVouchers);
    EXPECT_EQ(accounts.checkDeletion(parent).message(), ChartOfAccounts::IsSummaryAccount);
}

TEST_F(ChartOfAccountsTest, AddingUnderAnUnusedAccountOnlyDropsItsErpCode)
{
    const ChartOfAccounts accounts = chart();
    Sql::exec(db(), QStringLiteral("update iteminfo set erpKmcode='1221' where itembm='1122'"));
    setBalances(Year, QStringLiteral("1122"), yuan("88.00"), Money(), Money(), Money());

    // The editor was cancelled: nothing was stored under the account, nothing changes.
    EXPECT_EQ(accounts.adoptSubAccount(QStringLiteral("1122"), false), QString());
    EXPECT_EQ(accounts.find(QStringLiteral("1122"))->erpKmcode, QStringLiteral("1221"));

    ASSERT_TRUE(
        accounts.save(newDraft(QStringLiteral("1122001"), QStringLiteral("甲公司")), Year).ok());
    EXPECT_EQ(accounts.adoptSubAccount(QStringLiteral("1122"), false), QStringLiteral("1122001"));
    EXPECT_EQ(accounts.find(QStringLiteral("1122"))->erpKmcode, QString());
    EXPECT_EQ(
        count(QStringLiteral("select count(*) from account_ye where itembm='1122001' and ncye=0")),
        1);
}

TEST_F(ChartOfAccountsTest, DeletionRulesRunInOrder)
{
    const ChartOfAccounts accounts = chart();
    addLine(Year, 3, 1, QStringLiteral("1001"), yuan("1.00"), Money());
    Sql::exec(db(), QStringLiteral("insert into bmqc (kjnf,bmbm,itembm) values (?,'01','1012')"),
              {Year});
    Sql::exec(db(), QStringLiteral("insert into xmqc (kjnf,xmbm,itembm) values (?,'A1','1101')"),
              {Year});
    // 1121 is in department openings and project openings: the department rule speaks first.
    Sql::exec(db(), QStringLiteral("insert into bmqc (kjnf,bmbm,itembm) values (?,'01','1121')"),
              {Year});
    Sql::exec(db(), QStringLiteral("insert into xmqc (kjnf,xmbm,itembm) values (?,'A1','1121')"),
              {Year});

    const QString before = snapshot();
    struct Case
    {
        const char *code;
        const QString &message;
    };
    const Case refused[] = {
        {"1002", ChartOfAccounts::IsSummaryAccount},
        {"1001", ChartOfAccounts::UsedByVouchers},
        {"1012", ChartOfAccounts::UsedByDepartments},
        {"1101", ChartOfAccounts::UsedByProjects},
        {"1121", ChartOfAccounts::UsedByDepartments},
    };
    for (const Case &c : refused) {
        EXPECT_EQ(accounts.checkDeletion(QString::fromLatin1(c.code)).message(), c.message)
            << c.code;
        EXPECT_EQ(accounts.remove(QString::fromLatin1(c.code)).message(), c.message) << c.code;
    }
    EXPECT_EQ(snapshot(), before);

    setBalances(Year - 1, QStringLiteral("1122"), yuan("5.00"), Money(), Money(), Money());
    ASSERT_TRUE(accounts.remove(QStringLiteral("1122")).ok());
    EXPECT_FALSE(accounts.find(QStringLiteral("1122")));
    EXPECT_EQ(count(QStringLiteral("select count(*) from account_ye where itembm='1122'")), 0);
}

TEST_F(ChartOfAccountsTest, ErpCodesGivenTwiceAreListed)
{
    const ChartOfAccounts accounts = chart();
    EXPECT_TRUE(accounts.duplicateErpCodes().isEmpty()) << "empty codes are no mapping";
    Sql::exec(db(), QStringLiteral(
                        "update iteminfo set erpKmcode='5102' where itembm in ('1001','1012')"));
    Sql::exec(db(),
              QStringLiteral(
                  "update iteminfo set erpKmcode='5101' where itembm in ('1101','1121','1122')"));
    Sql::exec(db(), QStringLiteral("update iteminfo set erpKmcode='5103' where itembm='1123'"));
    const QStringList codes = accounts.duplicateErpCodes();
    EXPECT_EQ(codes, QStringList({QStringLiteral("5101"), QStringLiteral("5102")}));
    EXPECT_EQ(ChartOfAccounts::duplicateErpMessage(codes),
              QStringLiteral("D8AZO的科目：,5101,5102重复设置！"));
}
