// The chart of accounts screens: the maintenance screen and picker, the account editor and the
// printable list.

#include "testbooks.h"

#include "screentesting.h"

#include "app/appcontext.h"
#include "app/tdm1.h"
#include "db/money.h"
#include "db/sql.h"
#include "ui/app/messages.h"
#include "ui/app/tmainform.h"
#include "ui/ledger/tprintform.h"
#include "ui/masterdata/tkmzddy.h"
#include "ui/masterdata/tzw_kmzd.h"
#include "ui/masterdata/tzw_kmzd1.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSqlQuery>
#include <QSpinBox>
#include <QStandardItemModel>
#include <QTabBar>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QTreeWidget>

#include <functional>

namespace {

// The codes of the tree, depth first, and whether each child sits under its parent's code.
void walk(const QTreeWidgetItem *item, QStringList &codes, bool &nested)
{
    for (int i = 0; i < item->childCount(); ++i) {
        const QTreeWidgetItem *child = item->child(i);
        nested = nested && child->text(0).startsWith(item->text(0));
        codes << child->text(0);
        walk(child, codes, nested);
    }
}

} // namespace

// A data module on a fresh account set in March 2024 with levels 4-3-2-2-2-2; messages are
// scripted.
class ChartScreensTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        AppContext = AppContextRecord();
        m_set = m_books.createSet(QStringLiteral("测试帐套"));
        m_dm.connectMaster(m_books.settings().prefix());
        m_dm.connectSet(m_books.settings().prefix(), m_set.code);
        Sql::exec(db(), QStringLiteral("update ztInfo set qykjnf=2024,qykjyf=1,kjnf=2024,kjyf=3"));
        Sql::exec(db(), QStringLiteral("update account_ye set kjnf=2024"));
        m_dm.LoadContext();
        AppContext.SetName = m_set.name;
    }
    void TearDown() override
    {
        const QList<QWidget *> windows = QApplication::topLevelWidgets();
        for (QWidget *window : windows)
            window->close();
        QTest::qWait(1);
        AppContext = AppContextRecord();
    }

    QSqlDatabase db() const { return m_dm.ADOConnection1(); }
    int count(const QString &statement) const { return Sql::scalar(db(), statement).toInt(); }

    // The chart screen shown as it would be by its callers, on the tab and account given.
    std::unique_ptr<Tzw_kmzd> openChart(int mode, int category = 1, const QString &code = {})
    {
        AppContext.FormMode = mode;
        auto chart = std::make_unique<Tzw_kmzd>();
        chart->show();
        chart->setCategory(category);
        if (!code.isEmpty()) {
            EXPECT_TRUE(chart->selectCode(code)) << code.toStdString();
        }
        return chart;
    }

    TestBooks m_books;
    AccountSet m_set;
    Tdm1 m_dm;
    ScriptedMessages m_messages;
};

TEST_F(ChartScreensTest, EachTabShowsItsCategoryAsATreeSortedByCode)
{
    auto chart = openChart(Tzw_kmzd::Maintain);
    ASSERT_EQ(chart->tabs()->count(), 5);
    for (int category = 1; category <= 5; ++category) {
        chart->tabs()->setCurrentIndex(category - 1);
        EXPECT_EQ(chart->category(), category);
        QStringList codes;
        bool nested = true;
        walk(chart->tree()->invisibleRootItem(), codes, nested);
        QStringList expected;
        QSqlQuery rows = Sql::exec(db(), QStringLiteral("select itembm from iteminfo where zl=? "
                                                        "order by itembm"),
                                   {category});
        while (rows.next())
            expected << rows.value(0).toString();
        EXPECT_FALSE(codes.isEmpty());
        EXPECT_EQ(codes, expected) << "tab " << category;
        EXPECT_TRUE(nested);
    }
    chart->tabs()->setCurrentIndex(0);
    ASSERT_TRUE(chart->selectCode(QStringLiteral("1002001")));
    EXPECT_EQ(chart->tree()->currentItem()->parent()->text(0), QStringLiteral("1002"));
    EXPECT_EQ(chart->tree()->currentItem()->text(1), QStringLiteral("基本户"));
}

TEST_F(ChartScreensTest, EachPickerModeReturnsTheRightAccount)
{
    AppContext.PickedCode = QStringLiteral("旧值");
    AppContext.PickedName = QStringLiteral("旧值");
    {
        // Pick any account: Enter on a parent picks it.
        auto chart = openChart(Tzw_kmzd::PickAny, 1, QStringLiteral("1002"));
        EXPECT_EQ(AppContext.PickedCode, QString()) << "cleared when shown";
        EXPECT_EQ(AppContext.PickedName, QString());
        QTest::keyClick(chart->tree(), Qt::Key_Return);
        EXPECT_FALSE(chart->isVisible());
        EXPECT_EQ(chart->result(), QDialog::Accepted);
        EXPECT_EQ(AppContext.PickedCode, QStringLiteral("1002"));
        EXPECT_EQ(AppContext.PickedName, QStringLiteral("银行存款"));
    }
    {
        // Pick a leaf: Enter and double-click on a parent do nothing, on a leaf they pick.
        auto chart = openChart(Tzw_kmzd::PickLeaf, 2, QStringLiteral("2221"));
        QTest::keyClick(chart->tree(), Qt::Key_Return);
        emit chart->tree()->itemDoubleClicked(chart->tree()->currentItem(), 0);
        EXPECT_TRUE(chart->isVisible());
        EXPECT_EQ(AppContext.PickedCode, QString());
        ASSERT_TRUE(chart->selectCode(QStringLiteral("2221001")));
        emit chart->tree()->itemDoubleClicked(chart->tree()->currentItem(), 0);
        EXPECT_FALSE(chart->isVisible());
        EXPECT_EQ(AppContext.PickedCode, QStringLiteral("2221001"));
        EXPECT_EQ(AppContext.PickedName, QStringLiteral("应交增值税"));
    }
    {
        // 确定 takes the current account in every mode; 取消 picks nothing.
        auto chart = openChart(Tzw_kmzd::PickLeaf, 5, QStringLiteral("5001"));
        click(chart->okButton());
        EXPECT_EQ(AppContext.PickedCode, QStringLiteral("5001"));
        chart = openChart(Tzw_kmzd::PickAny, 1, QStringLiteral("1001"));
        click(chart->cancelButton());
        EXPECT_FALSE(chart->isVisible());
        EXPECT_EQ(AppContext.PickedCode, QString());
    }
    {
        // In maintenance Enter opens the editor on the account.
        auto chart = openChart(Tzw_kmzd::Maintain, 1, QStringLiteral("1002001"));
        WhenShown<Tzw_kmzd1> editor([](Tzw_kmzd1 *dialog) {
            EXPECT_FALSE(dialog->isNewAccount());
            EXPECT_EQ(dialog->parentCodeBox()->text(), QStringLiteral("1002"));
            EXPECT_EQ(dialog->segmentBox()->text(), QStringLiteral("001"));
            EXPECT_EQ(dialog->nameBox()->text(), QStringLiteral("基本户"));
            click(dialog->cancelButton());
        });
        QTest::keyClick(chart->tree(), Qt::Key_Return);
        EXPECT_TRUE(editor.shown());
        EXPECT_FALSE(editor.leftOpen());
        EXPECT_TRUE(chart->isVisible());
        EXPECT_EQ(AppContext.PickedCode, QString());
    }
}

TEST_F(ChartScreensTest, TheMenuEntryOpensTheChartForMaintenance)
{
    Tmainform main;
    WhenShown<Tzw_kmzd> chart([](Tzw_kmzd *dialog) {
        EXPECT_EQ(dialog->mode(), Tzw_kmzd::Maintain);
        EXPECT_EQ(dialog->windowTitle(), QStringLiteral("科目字典维护"));
        click(dialog->cancelButton());
    });
    main.action(QStringLiteral("MenuItem18"))->trigger();
    EXPECT_TRUE(chart.shown());
    EXPECT_FALSE(chart.leftOpen());
}

TEST_F(ChartScreensTest, TheEditorAddsSiblingsAndRefusesBadInput)
{
    auto chart = openChart(Tzw_kmzd::Maintain, 1, QStringLiteral("1002002"));
    WhenShown<Tzw_kmzd1> editor([&](Tzw_kmzd1 *dialog) {
        EXPECT_TRUE(dialog->isNewAccount());
        EXPECT_TRUE(dialog->parentCodeBox()->isVisible());
        EXPECT_EQ(dialog->parentCodeBox()->text(), QStringLiteral("1002"));
        EXPECT_EQ(dialog->segmentBox()->text(), QStringLiteral("003"));
        EXPECT_TRUE(dialog->debitButton()->isChecked());
        EXPECT_FALSE(dialog->currencyList()->isEnabled());

        // Each refusal warns, keeps the editor open and writes nothing.
        click(dialog->okButton());
        retype(dialog->nameBox(), QStringLiteral("招商银行"));
        retype(dialog->segmentBox(), QStringLiteral("3"));
        click(dialog->okButton());
        retype(dialog->segmentBox(), QStringLiteral("00a"));
        click(dialog->okButton());
        retype(dialog->segmentBox(), QStringLiteral("002"));
        click(dialog->okButton());
        EXPECT_TRUE(dialog->isVisible());
        EXPECT_EQ(dialog->focusWidget(), dialog->segmentBox());

        // 继续增加同级科目 saves and proposes the next code.
        retype(dialog->segmentBox(), QStringLiteral("003"));
        click(dialog->foreignBox());
        EXPECT_TRUE(dialog->currencyList()->isEnabled());
        click(dialog->continueButton());
        EXPECT_TRUE(dialog->isNewAccount());
        EXPECT_EQ(dialog->segmentBox()->text(), QStringLiteral("004"));
        EXPECT_EQ(dialog->nameBox()->text(), QString());
        EXPECT_FALSE(dialog->foreignBox()->isChecked());

        // Leaving with a new account asks; 取消 there discards it.
        retype(dialog->nameBox(), QStringLiteral("不要"));
        m_messages.answer(false);
        click(dialog->previousButton());
        EXPECT_FALSE(dialog->isNewAccount());
        EXPECT_EQ(dialog->segmentBox()->text(), QStringLiteral("003"));
        EXPECT_EQ(dialog->nameBox()->text(), QStringLiteral("招商银行"));
        click(dialog->previousButton());
        EXPECT_EQ(dialog->segmentBox()->text(), QStringLiteral("002"));
        click(dialog->nextButton());
        click(dialog->nextButton()); // the last of the tab's bank accounts, then 1012
        EXPECT_EQ(dialog->parentCodeBox()->isVisible(), false);
        EXPECT_EQ(dialog->segmentBox()->text(), QStringLiteral("1012"));
        click(dialog->cancelButton());
    });
    click(chart->addSiblingButton());
    ASSERT_TRUE(editor.shown());
    EXPECT_FALSE(editor.leftOpen());

    EXPECT_EQ(m_messages.texts(),
              QStringList({QStringLiteral("请输入科目名称"), QStringLiteral("科目编码的长度有错误"),
                           QStringLiteral("科目编码的长度有错误"), QStringLiteral("科目已经被使用"),
                           Tzw_kmzd1::AskSave}));
    EXPECT_EQ(count(QStringLiteral("select count(*) from iteminfo where itembm like '1002%'")), 4);
    EXPECT_EQ(count(QStringLiteral("select wbhs from iteminfo where itembm='1002003'")), 1);
    EXPECT_EQ(count(QStringLiteral("select count(*) from account_ye where itembm='1002003' and "
                                   "kjnf=2024")),
              1);
    EXPECT_EQ(chart->currentAccount()->itembm, QStringLiteral("1002003"));
}

TEST_F(ChartScreensTest, EditingAParentDropsItsErpCodeAndUsedCodesStayFixed)
{
    Sql::exec(db(), QStringLiteral("update iteminfo set erpKmcode='9002' where itembm='1002'"));
    Sql::exec(db(), QStringLiteral("insert into account (kjnf,kjyf,pzbh,pzfl,itembm,jfje) values "
                                   "(2024,3,1,1,'1002001',5)"));
    auto chart = openChart(Tzw_kmzd::Maintain, 1, QStringLiteral("1002"));
    WhenShown<Tzw_kmzd1> parentEditor([](Tzw_kmzd1 *dialog) {
        EXPECT_FALSE(dialog->segmentBox()->isEnabled());
        EXPECT_FALSE(dialog->erpBox()->isEnabled());
        EXPECT_EQ(dialog->erpBox()->text(), QString());
        click(dialog->okButton());
    });
    click(chart->editButton());
    EXPECT_FALSE(parentEditor.leftOpen());
    EXPECT_EQ(
        Sql::scalar(db(), QStringLiteral("select erpKmcode from iteminfo where itembm='1002'"))
            .toString(),
        QString());

    ASSERT_TRUE(chart->selectCode(QStringLiteral("1002001")));
    WhenShown<Tzw_kmzd1> usedEditor([](Tzw_kmzd1 *dialog) {
        EXPECT_FALSE(dialog->segmentBox()->isEnabled()) << "the account has voucher lines";
        EXPECT_TRUE(dialog->erpBox()->isEnabled());
        EXPECT_EQ(dialog->focusWidget(), dialog->nameBox());
        retype(dialog->erpBox(), QStringLiteral("9003"));
        click(dialog->okButton());
    });
    click(chart->editButton());
    EXPECT_FALSE(usedEditor.leftOpen());
    EXPECT_EQ(Sql::scalar(db(), QStringLiteral("select erpKmcode from iteminfo where "
                                               "itembm='1002001'"))
                  .toString(),
              QStringLiteral("9003"));
}

TEST_F(ChartScreensTest, ASubAccountUnderAUsedAccountTakesItsVoucherLines)
{
    Sql::exec(db(), QStringLiteral("insert into account (kjnf,kjyf,pzbh,pzfl,itembm,jfje) values "
                                   "(2024,3,1,1,'1001',5)"));
    Sql::exec(db(), QStringLiteral("update account_ye set jf3=5 where itembm='1001'"));
    auto chart = openChart(Tzw_kmzd::Maintain, 1, QStringLiteral("1001"));

    // Declining either question stops before the editor.
    m_messages.answer(true);
    m_messages.answer(false);
    click(chart->addChildButton());
    EXPECT_EQ(m_messages.texts(), QStringList({ChartOfAccounts::UsedParentWarning,
                                               ChartOfAccounts::UsedParentQuestion}));

    m_messages.clear();
    m_messages.answer(true);
    m_messages.answer(true);
    WhenShown<Tzw_kmzd1> editor([](Tzw_kmzd1 *dialog) {
        EXPECT_EQ(dialog->parentCodeBox()->text(), QStringLiteral("1001"));
        EXPECT_EQ(dialog->segmentBox()->text(), QStringLiteral("001"));
        retype(dialog->nameBox(), QStringLiteral("人民币"));
        click(dialog->okButton());
    });
    click(chart->addChildButton());
    ASSERT_TRUE(editor.shown());
    EXPECT_EQ(count(QStringLiteral("select count(*) from account where itembm='1001001'")), 1);
    EXPECT_EQ(count(QStringLiteral("select count(*) from account where itembm='1001'")), 0);
    EXPECT_EQ(Money::fromSqlValue(Sql::scalar(db(), QStringLiteral("select jf3 from account_ye "
                                                                  "where itembm='1001001'"))),
              Money::fromCents(500));
    EXPECT_EQ(chart->currentAccount()->itembm, QStringLiteral("1001001"));

    // The new sub-account is used now: deleting it is refused.
    m_messages.clear();
    click(chart->deleteButton());
    EXPECT_EQ(m_messages.texts(), QStringList{ChartOfAccounts::UsedByVouchers});
    EXPECT_EQ(m_messages.messages().first().caption, QStringLiteral("提示"));
}

TEST_F(ChartScreensTest, ASixthLevelAccountGetsNoSubAccount)
{
    for (const char *code : {"100100101", "10010010101", "1001001010101", "100100101010101"})
        Sql::exec(db(), QStringLiteral("insert into iteminfo (itembm,itemmc,parent,zl,jhd,kmjc) "
                                       "values (?,'级',-1,1,1,?)"),
                  {QString::fromLatin1(code), (int(strlen(code)) - 7) / 2 + 2});
    Sql::exec(db(), QStringLiteral("insert into iteminfo (itembm,itemmc,parent,zl,jhd,kmjc) "
                                   "values ('1001001','二级',-1,1,1,2)"));
    auto chart = openChart(Tzw_kmzd::Maintain, 1, QStringLiteral("100100101010101"));
    click(chart->addChildButton());
    ASSERT_EQ(m_messages.messages().size(), 1);
    EXPECT_EQ(m_messages.messages().first().caption, QStringLiteral("提示"));
    EXPECT_EQ(m_messages.messages().first().text, QStringLiteral("科目最多6级。"));
}

TEST_F(ChartScreensTest, DeletingAsksAndFollowsTheRules)
{
    auto chart = openChart(Tzw_kmzd::Maintain, 1, QStringLiteral("1002"));
    click(chart->deleteButton());
    ASSERT_TRUE(chart->selectCode(QStringLiteral("1101")));
    m_messages.answer(false);
    click(chart->deleteButton());
    EXPECT_EQ(count(QStringLiteral("select count(*) from iteminfo where itembm='1101'")), 1);
    m_messages.answer(true);
    click(chart->deleteButton());
    EXPECT_EQ(m_messages.texts(),
              QStringList({QStringLiteral("不能删除汇总科目。"), ChartOfAccounts::ConfirmDeletion,
                           ChartOfAccounts::ConfirmDeletion}));
    EXPECT_EQ(count(QStringLiteral("select count(*) from iteminfo where itembm='1101'")), 0);
    EXPECT_EQ(count(QStringLiteral("select count(*) from account_ye where itembm='1101'")), 0);
    EXPECT_EQ(chart->currentAccount()->itembm, QStringLiteral("1121")) << "the next account";
}

TEST_F(ChartScreensTest, DuplicatedErpCodesKeepTheScreenOpen)
{
    Sql::exec(db(), QStringLiteral("update iteminfo set erpKmcode='5101' where itembm in "
                                   "('1001','1012')"));
    auto chart = openChart(Tzw_kmzd::Maintain);
    click(chart->cancelButton());
    EXPECT_TRUE(chart->isVisible());
    EXPECT_EQ(m_messages.texts(), QStringList{QStringLiteral("D8AZO的科目：,5101重复设置！")});
    Sql::exec(db(), QStringLiteral("update iteminfo set erpKmcode='' where itembm='1012'"));
    chart->close();
    EXPECT_FALSE(chart->isVisible());
}

TEST_F(ChartScreensTest, TheListShowsTheLevelsChosenAndPrintsThem)
{
    Sql::exec(db(), QStringLiteral("update iteminfo set wbhs=1, bmhs=1, xmhs=1, erpKmcode='E1' "
                                   "where itembm='1002001'"));
    Tkmzddy list;
    const int levelOne = count(QStringLiteral("select count(*) from iteminfo where kmjc<=1"));
    EXPECT_EQ(list.model()->rowCount(), levelOne);
    list.levelBox()->setValue(2);
    ASSERT_EQ(list.model()->rowCount(),
              count(QStringLiteral("select count(*) from iteminfo where kmjc<=2")));
    int row = 0;
    while (list.model()->item(row, 0)->text() != QLatin1String("1002001"))
        ++row;
    QStringList texts;
    for (int c = 0; c < list.model()->columnCount(); ++c)
        texts << list.model()->item(row, c)->text();
    EXPECT_EQ(texts, QStringList({"1002001", "基本户", "E1", "借", "外币核算,部门核算,项目核算", "资产"}));
    EXPECT_EQ(list.model()->item(list.model()->rowCount() - 1, 5)->text(), QStringLiteral("损益"));

    WhenShown<Tprintform> preview([](Tprintform *dialog) {
        EXPECT_EQ(dialog->family(), QStringLiteral("rpt61"));
        dialog->reject();
    });
    click(list.printButton());
    EXPECT_TRUE(preview.shown());
}
