#include "clirun.h"
#include "testbooks.h"

#include "db/sql.h"
#include "masterdata/currencies.h"
#include "masterdata/departments.h"
#include "masterdata/projects.h"
#include "masterdata/summaries.h"

#include <gtest/gtest.h>

#include <QProcess>
#include <QSqlQuery>

namespace {

// A fresh account set; the dictionaries start empty.
class DictTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_set = m_books.createSet();
        m_conn = m_books.open(m_set.code);
    }

    QSqlDatabase db() const { return m_conn->db(); }
    int count(const QString &table) const
    {
        return Sql::scalar(db(), QStringLiteral("select count(*) from %1").arg(table)).toInt();
    }
    void voucherLine(const QString &bmbm, const QString &xmbm)
    {
        const int line = count(QStringLiteral("account")) + 1;
        Sql::exec(db(),
                  QStringLiteral("insert into account (kjnf, kjyf, pzbh, pzfl, itembm, bmbm, xmbm) "
                                 "values (2008, 3, 1, ?, '1001', ?, ?)"),
                  {line, bmbm, xmbm});
    }

    TestBooks m_books;
    AccountSet m_set;
    std::unique_ptr<DbConnection> m_conn;
};

} // namespace

TEST_F(DictTest, SummariesAreGroupsAndPhrasesOnly)
{
    const Result<int> group = Summaries::add(db(), Summaries::GroupParent, QStringLiteral("费用"));
    ASSERT_TRUE(group.ok());
    const QString odd = QStringLiteral("付'A\"公司 100% _货款");
    const Result<int> phrase = Summaries::add(db(), group.value(), QStringLiteral("  ") + odd);
    ASSERT_TRUE(phrase.ok()) << phrase.message().toStdString();

    EXPECT_EQ(Summaries::add(db(), phrase.value(), QStringLiteral("x")).message(),
              QStringLiteral("摘要最多2级。"));
    EXPECT_EQ(Summaries::canAddChild(db(), phrase.value()).message(), QStringLiteral("摘要最多2级。"));
    EXPECT_TRUE(Summaries::canAddChild(db(), group.value()).ok());
    EXPECT_EQ(Summaries::add(db(), group.value(), QStringLiteral("  ")).message(),
              QStringLiteral("请输入摘要"));
    EXPECT_EQ(Summaries::update(db(), phrase.value(), QString()).message(), QStringLiteral("请输入摘要"));

    const QList<Summaries::Summary> rows = Summaries::list(db());
    ASSERT_EQ(rows.size(), 2);
    EXPECT_EQ(rows.at(1).info, odd) << "quotes and % are stored as typed";
    EXPECT_EQ(rows.at(1).parent, group.value());

    EXPECT_EQ(Summaries::remove(db(), group.value()).message(),
              QStringLiteral("此节点是分类不能删除，请先删除分类里的数据。"));
    EXPECT_EQ(count(QStringLiteral("account_zy")), 2);
    EXPECT_TRUE(Summaries::update(db(), phrase.value(), QStringLiteral("付货款")).ok());
    EXPECT_TRUE(Summaries::remove(db(), phrase.value()).ok());
    EXPECT_TRUE(Summaries::remove(db(), group.value()).ok());
    EXPECT_EQ(count(QStringLiteral("account_zy")), 0);
}

TEST_F(DictTest, CurrenciesHaveUniqueNamesAndStayWhileAccountsNameThem)
{
    ASSERT_TRUE(Currencies::add(db(), QStringLiteral(" USD "), 6.8).ok());
    ASSERT_TRUE(Currencies::add(db(), QStringLiteral("日元'%"), 0).ok());
    EXPECT_EQ(Currencies::add(db(), QStringLiteral("USD"), 7).message(),
              QStringLiteral("币种名称重复,请重新输入。"));
    EXPECT_EQ(Currencies::add(db(), QStringLiteral("  "), 7).message(), QStringLiteral("请输入币种名称。"));
    EXPECT_EQ(Currencies::update(db(), QStringLiteral("日元'%"), QStringLiteral("USD"), 0).message(),
              QStringLiteral("币种名称重复,请重新输入。"));
    EXPECT_TRUE(Currencies::update(db(), QStringLiteral("USD"), QStringLiteral("USD"), 6.9).ok())
        << "its own name is no duplicate";

    const QList<Currencies::Currency> all = Currencies::list(db());
    ASSERT_EQ(all.size(), 2);
    EXPECT_EQ(all.at(0).name, QStringLiteral("USD"));
    EXPECT_DOUBLE_EQ(all.at(0).hl, 6.9);
    EXPECT_EQ(all.at(1).name, QStringLiteral("日元'%"));

    Sql::exec(db(), QStringLiteral("update iteminfo set wbhs = 1, wbmc = 'USD' where itembm = '1002001'"));
    EXPECT_EQ(Currencies::remove(db(), QStringLiteral("USD")).message(), QStringLiteral("已使用不能删除。"));
    EXPECT_TRUE(Currencies::update(db(), QStringLiteral("USD"), QStringLiteral("美元"), 6.9).ok());
    EXPECT_EQ(Sql::scalar(db(), QStringLiteral("select wbmc from iteminfo where itembm = '1002001'"))
                  .toString(),
              QStringLiteral("USD"))
        << "accounts keep the name they were given";
    EXPECT_TRUE(Currencies::remove(db(), QStringLiteral("日元'%")).ok());
    EXPECT_EQ(count(QStringLiteral("moneyhl")), 1);
}

TEST(CurrencyRate, ShowsUpToSixDecimals)
{
    const std::pair<double, const char *> cases[] = {
        {6.8, "6.8"}, {100, "100"}, {0, ""}, {0.5, ".5"}, {7.1234567, "7.123457"}, {0.0000001, ""},
    };
    for (const auto &[rate, text] : cases)
        EXPECT_EQ(Currencies::formatRate(rate), QString::fromUtf8(text)) << rate;
}

TEST_F(DictTest, DepartmentsHaveThreeLevelsOfTwoDigits)
{
    ASSERT_EQ(Departments::save(db(), QString(), QStringLiteral(" 01"), QStringLiteral("总部")).value(),
              QStringLiteral("01"));
    ASSERT_TRUE(Departments::save(db(), QStringLiteral("01"), QStringLiteral("01"), QStringLiteral("财务部")).ok());
    ASSERT_TRUE(Departments::add(db(), QStringLiteral("0102"), QStringLiteral("销售部")).ok());
    ASSERT_TRUE(Departments::add(db(), QStringLiteral("010201"), QStringLiteral("华东'组%")).ok());
    ASSERT_TRUE(Departments::add(db(), QStringLiteral("02"), QStringLiteral("分厂")).ok());

    struct Case
    {
        const char *parent;
        const char *segment;
        const char *name;
        const char *refusal;
    };
    const Case refused[] = {
        {"", "1", "甲", "每级编码长度为2位"},
        {"", "123", "甲", "每级编码长度为2位"},
        {"", "1a", "甲", "部门编码只能由数字组成"},
        {"", "03", " ", "请输入部门名称"},
        {"01", "01", "重复", "编码已经被使用"},
        {"010201", "01", "第四级", "代码最多3级。"},
        {"09", "01", "无上级", "上级部门不存在。"},
    };
    for (const Case &c : refused) {
        EXPECT_EQ(Departments::save(db(), QString::fromUtf8(c.parent), QString::fromUtf8(c.segment),
                                    QString::fromUtf8(c.name))
                      .message(),
                  QString::fromUtf8(c.refusal))
            << c.parent << c.segment;
    }
    EXPECT_EQ(Departments::add(db(), QStringLiteral("01020101"), QStringLiteral("第四级")).message(),
              QStringLiteral("代码最多3级。"));
    EXPECT_EQ(Departments::add(db(), QStringLiteral("010"), QStringLiteral("单数")).message(),
              QStringLiteral("每级编码长度为2位"));
    EXPECT_EQ(Departments::canAddChild(db(), QStringLiteral("010201")).message(),
              QStringLiteral("代码最多3级。"));

    QStringList shown;
    for (const Departments::Department &d : Departments::list(db()))
        shown << QStringLiteral("%1 %2 %3").arg(d.bmbm, d.bmmc).arg(d.parent);
    EXPECT_EQ(shown, QStringList({"01 总部 -1", "0101 财务部 1", "0102 销售部 1",
                                  "010201 华东'组% 102", "02 分厂 -1"}));
    QStringList leaves;
    for (const Departments::Department &d : Departments::leaves(db()))
        leaves << d.bmbm;
    EXPECT_EQ(leaves, QStringList({"0101", "010201", "02"}));

    // A department on voucher lines takes no sub-departments.
    voucherLine(QStringLiteral("02"), QString());
    EXPECT_EQ(Departments::canAddChild(db(), QStringLiteral("02")).message(),
              QStringLiteral("编码已用不能增加下级。"));
    EXPECT_EQ(Departments::add(db(), QStringLiteral("0201"), QStringLiteral("车间")).message(),
              QStringLiteral("编码已用不能增加下级。"));
}

TEST_F(DictTest, DepartmentCodesChangeOnlyWhileNothingNamesThem)
{
    ASSERT_TRUE(Departments::add(db(), QStringLiteral("01"), QStringLiteral("总部")).ok());
    ASSERT_TRUE(Departments::add(db(), QStringLiteral("02"), QStringLiteral("分厂")).ok());
    ASSERT_TRUE(Departments::add(db(), QStringLiteral("0201"), QStringLiteral("车间")).ok());

    EXPECT_EQ(Departments::save(db(), QString(), QStringLiteral("03"), QStringLiteral("总部二"),
                                QStringLiteral("01"))
                  .value(),
              QStringLiteral("03"));
    EXPECT_EQ(Departments::save(db(), QString(), QStringLiteral("03"), QStringLiteral("x"),
                                QStringLiteral("02"))
                  .message(),
              QStringLiteral("编码已经被使用"));
    EXPECT_EQ(Departments::save(db(), QString(), QStringLiteral("04"), QStringLiteral("分厂"),
                                QStringLiteral("02"))
                  .message(),
              QStringLiteral("编码已用不能修改。"))
        << "a department with sub-departments keeps its code";
    EXPECT_TRUE(Departments::save(db(), QString(), QStringLiteral("02"), QStringLiteral("一分厂"),
                                  QStringLiteral("02"))
                    .ok());
    EXPECT_FALSE(Departments::codeChangeable(db(), QStringLiteral("02")));
    EXPECT_TRUE(Departments::codeChangeable(db(), QStringLiteral("0201")));
    Sql::exec(db(), QStringLiteral("insert into gz_YGInfo (ygbh, name, bmbm) values ('001', '张三', '0201')"));
    EXPECT_FALSE(Departments::codeChangeable(db(), QStringLiteral("0201")));
    EXPECT_EQ(Sql::scalar(db(), QStringLiteral("select bmmc from bmbm where bmbm = '02'")).toString(),
              QStringLiteral("一分厂"));
}

TEST_F(DictTest, DepartmentDeletionRulesInTheirOrder)
{
    struct Case
    {
        const char *code;
        const char *use; // statement that makes the department used, %1 its code
        const char *refusal;
    };
    const Case cases[] = {
        {"01", "insert into bmbm (bmbm, bmmc, parent) values ('0101', '下级', 1)",
         "     不能删除汇总编码。"},
        {"02", "insert into account (kjnf, kjyf, pzbh, pzfl, itembm, bmbm) "
               "values (2008, 3, 1, 1, '6602', '%1')",
         "     编码已用不能删除。"},
        {"03", "insert into bmqc (kjnf, bmbm, itembm, qcye) values (2009, '%1', '6602', 1)",
         "已用不能删除。"},
        {"04", "insert into gz_YGInfo (ygbh, name, bmbm) values ('001', '张三', '%1')",
         "已用不能删除。"},
        {"05", "insert into gdzc_kp (gzbh, gzmc, bmbm) values ('0001', '车床', '%1')",
         "资产卡片已使用不能删除。  "},
        {"06", "insert into gdzc_zjlist (gzbh, yue, bmbm) values ('0002', 24099, '%1')",
         "折旧已使用不能删除。  "},
        {"07", "insert into bmqc (kjnf, bmbm, itembm, qcye) values (2009, '0701', '6602', 1)", ""},
    };
    for (const Case &c : cases) {
        const QString code = QString::fromUtf8(c.code);
        ASSERT_TRUE(Departments::add(db(), code, QStringLiteral("部门") + code).ok());
        Sql::exec(db(), QString::fromUtf8(c.use).arg(code));
    }
    for (const Case &c : cases) {
        const QString code = QString::fromUtf8(c.code);
        const int before = count(QStringLiteral("bmbm"));
        const Status removed = Departments::remove(db(), code);
        EXPECT_EQ(removed.message(), QString::fromUtf8(c.refusal)) << c.code;
        EXPECT_EQ(count(QStringLiteral("bmbm")), removed ? before - 1 : before) << c.code;
    }
}

TEST_F(DictTest, ProjectsHaveShortUniqueCodes)
{
    ASSERT_EQ(Projects::save(db(), QStringLiteral(" A1 "), QStringLiteral("甲'项目 100%")).value(),
              QStringLiteral("A1"));
    ASSERT_TRUE(Projects::save(db(), QStringLiteral("02"), QString()).ok()) << "a name may be empty";
    EXPECT_EQ(Projects::save(db(), QStringLiteral("003"), QStringLiteral("丙")).message(),
              QStringLiteral("项目编码最多2位。"));
    EXPECT_EQ(Projects::save(db(), QStringLiteral(" "), QStringLiteral("丙")).message(),
              QStringLiteral("请输入编码。"));
    EXPECT_EQ(Projects::save(db(), QStringLiteral("A1"), QStringLiteral("丙")).message(),
              QStringLiteral("编码重复,请重新输入。"));
    EXPECT_EQ(Projects::save(db(), QStringLiteral("02"), QStringLiteral("丙"), QStringLiteral("A1")).message(),
              QStringLiteral("编码重复,请重新输入。"));

    const QList<Projects::Project> all = Projects::list(db());
    ASSERT_EQ(all.size(), 2);
    EXPECT_EQ(all.at(0).xmbm, QStringLiteral("02"));
    EXPECT_EQ(all.at(0).xmmc, QString());
    EXPECT_EQ(all.at(1).xmmc, QStringLiteral("甲'项目 100%"));

    // A project on voucher lines or with openings is neither deleted nor renumbered.
    voucherLine(QString(), QStringLiteral("A1"));
    Sql::exec(db(), QStringLiteral("insert into xmqc (kjnf, xmbm, itembm, qcye) values (2009, '02', '5001', 1)"));
    EXPECT_EQ(Projects::remove(db(), QStringLiteral("A1")).message(), QStringLiteral("已使用不能删除。"));
    EXPECT_EQ(Projects::remove(db(), QStringLiteral("02")).message(), QStringLiteral("已使用不能删除。"));
    EXPECT_EQ(Projects::save(db(), QStringLiteral("B1"), QStringLiteral("甲"), QStringLiteral("A1")).message(),
              QStringLiteral("编码已用不能修改。"));
    EXPECT_TRUE(Projects::save(db(), QStringLiteral("A1"), QStringLiteral("甲项目"), QStringLiteral("A1")).ok());
    EXPECT_EQ(count(QStringLiteral("xmbm")), 2);

    ASSERT_TRUE(Projects::save(db(), QStringLiteral("C"), QStringLiteral("丙")).ok());
    EXPECT_EQ(Projects::save(db(), QStringLiteral("D"), QStringLiteral("丁"), QStringLiteral("C")).value(),
              QStringLiteral("D"));
    EXPECT_TRUE(Projects::remove(db(), QStringLiteral("D")).ok());
    EXPECT_EQ(count(QStringLiteral("xmbm")), 2);
}

TEST(DictCli, SetsUpTheDictionariesFromAScript)
{
    TestBooks books;
    const QStringList connection = books.cliConnectionOptions();
    // With a password, nothing but the command's own messages reaches standard error.
    ASSERT_EQ(runCli(connection + QStringList{"operators", "passwd", "--new", "pw", "--operator", "管理员"})
                  .status,
              0);
    auto dict = [&](const QStringList &arguments) {
        return runCli(connection + QStringList{"dict"} + arguments
                      + QStringList{"--operator", "管理员", "--password", "pw"});
    };
    struct Step
    {
        QStringList arguments;
        int status;
        const char *out;
        const char *err;
    };
    const Step steps[] = {
        {{"departments", "add", "01", "总部"}, 0, "bmbm\tbmmc\tparent\n01\t总部\t-1\n", ""},
        {{"departments", "add", "0101", "财务'部%"}, 0, "bmbm\tbmmc\tparent\n0101\t财务'部%\t1\n", ""},
        {{"departments", "add", "010101", "核算组"}, 0, "bmbm\tbmmc\tparent\n010101\t核算组\t101\n", ""},
        {{"departments", "add", "01010101", "第四级"}, 1, "", "代码最多3级。\n"},
        {{"departments", "add", "0101", "重复"}, 1, "", "编码已经被使用\n"},
        {{"departments", "delete", "01"}, 1, "", "     不能删除汇总编码。\n"},
        {{"departments", "delete", "010101"}, 0, "", ""},
        {{"departments", "list"}, 0, "bmbm\tbmmc\tparent\n01\t总部\t-1\n0101\t财务'部%\t1\n", ""},
        {{"projects", "add", "001", "三位"}, 1, "", "项目编码最多2位。\n"},
        {{"projects", "add", "A1", "甲项目"}, 0, "xmbm\txmmc\nA1\t甲项目\n", ""},
        {{"projects", "add", "02"}, 0, "xmbm\txmmc\n02\t\n", ""},
        {{"projects", "add", "A1", "又一个"}, 1, "", "编码重复,请重新输入。\n"},
        {{"projects", "delete", "02"}, 0, "", ""},
        {{"projects", "list"}, 0, "xmbm\txmmc\nA1\t甲项目\n", ""},
        {{"currencies", "add", "USD", "--rate", "6.8"}, 0, "name\thl\nUSD\t6.8\n", ""},
        {{"currencies", "add", "USD"}, 1, "", "币种名称重复,请重新输入。\n"},
        {{"currencies", "add", "EUR", "--rate", "x"}, 2, "", nullptr},
        {{"currencies", "add", "HKD"}, 0, "name\thl\nHKD\t0\n", ""},
        {{"currencies", "list"}, 0, "name\thl\nHKD\t0\nUSD\t6.8\n", ""},
        {{"summaries", "add", "费用"}, 0, "id\tparent\tinfo\n1\t-1\t费用\n", ""},
        {{"summaries", "add", "付差旅费", "--parent", "1"}, 0, "id\tparent\tinfo\n2\t1\t付差旅费\n", ""},
        {{"summaries", "add", "第三级", "--parent", "2"}, 1, "", "摘要最多2级。\n"},
        {{"summaries", "delete", "1"}, 1, "", "此节点是分类不能删除，请先删除分类里的数据。\n"},
        {{"summaries", "list"}, 0, "id\tparent\tinfo\n1\t-1\t费用\n2\t1\t付差旅费\n", ""},
        {{"departments", "rename", "01"}, 2, "", nullptr},
        {{"offices", "list"}, 2, "", nullptr},
    };
    for (const Step &step : steps) {
        const CliRun run = dict(step.arguments);
        const std::string what = step.arguments.join(u' ').toStdString();
        EXPECT_EQ(run.status, step.status) << what << ": " << run.err.toStdString();
        EXPECT_EQ(run.out, QString::fromUtf8(step.out)) << what;
        if (step.err) {
            EXPECT_EQ(run.err, QString::fromUtf8(step.err)) << what;
        }
    }
}
