#include "testbooks.h"

#include "screentesting.h"

#include "app/appcontext.h"
#include "app/tdm1.h"
#include "db/sql.h"
#include "login/accountsetsetup.h"
#include "ui/app/messages.h"
#include "ui/app/syspublicui.h"
#include "ui/app/tmainform.h"
#include "ui/masterdata/tkmqc.h"
#include "ui/masterdata/tkmqc1.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTableView>
#include <QTest>

// A fresh account set opened in March 2008, now in 2009, with the data module on it.
class OpeningScreensTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        AppContext = AppContextRecord();
        m_set = m_books.createSet();
        m_dm.connectMaster(m_books.settings().prefix());
        m_dm.connectSet(m_books.settings().prefix(), m_set.code);
        AccountSetSetup::Settings settings;
        settings.year = 2008;
        settings.month = 3;
        ASSERT_TRUE(AccountSetSetup::initialise(db(), settings).ok());
        Sql::exec(db(), QStringLiteral("insert into account_ye (kjnf, itembm, ncye) "
                                       "select 2009, itembm, 0 from account_ye where kjnf = 2008"));
        Sql::exec(db(), QStringLiteral("update ztInfo set kjnf = 2009, kjyf = 1"));
        m_dm.LoadContext();
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
    Money stored(int year, const char *code, const char *column) const
    {
        return Money::fromSqlValue(Sql::scalar(
            db(), QStringLiteral("select %1 from account_ye where kjnf = ? and itembm = ?")
                      .arg(QLatin1String(column)),
            {year, QString::fromUtf8(code)}));
    }
    // Opens the grid through the year dialog.
    Tkmqc *openYear(int year)
    {
        Tkmqc1 dialog;
        dialog.show();
        dialog.yearBox()->setValue(year);
        QTest::mouseClick(dialog.okButton(), Qt::LeftButton);
        return qobject_cast<Tkmqc *>(FindForm(QStringLiteral("kmqc")));
    }
    static int rowOf(Tkmqc *grid, const QString &code)
    {
        const QAbstractItemModel *model = grid->grid()->model();
        for (int row = 0; row < model->rowCount(); ++row) {
            if (model->index(row, Tkmqc::Code).data().toString() == code)
                return row;
        }
        return -1;
    }
    static QString cell(Tkmqc *grid, int row, int column)
    {
        return grid->grid()->model()->index(row, column).data().toString();
    }
    // Types an amount into a cell as the user does: start editing, type, Enter.
    static void typeAmount(Tkmqc *grid, int row, int column, const QString &text)
    {
        QTableView *view = grid->grid();
        const QModelIndex index = view->model()->index(row, column);
        view->setCurrentIndex(index);
        view->edit(index);
        auto *editor = qobject_cast<QLineEdit *>(view->indexWidget(index));
        ASSERT_TRUE(editor);
        editor->selectAll();
        type(editor, text);
        QTest::keyClick(editor, Qt::Key_Return);
        QApplication::processEvents(); // the view commits the editor's text after the key
    }

    TestBooks m_books;
    AccountSet m_set;
    Tdm1 m_dm;
    ScriptedMessages m_messages;
};

TEST_F(OpeningScreensTest, TheYearDialogRefusesYearsOutsideTheBooks)
{
    Tkmqc1 dialog;
    dialog.show();
    EXPECT_EQ(dialog.yearBox()->value(), 2009);
    dialog.yearBox()->setValue(2010);
    QTest::mouseClick(dialog.okButton(), Qt::LeftButton);
    dialog.yearBox()->setValue(2007);
    QTest::mouseClick(dialog.okButton(), Qt::LeftButton);
    EXPECT_EQ(m_messages.texts(), QStringList({QStringLiteral("年份不能大于当前会计年份"),
                                               QStringLiteral("年份不能小于开帐年份")}));
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_FALSE(FormExists(QStringLiteral("kmqc")));
}

TEST_F(OpeningScreensTest, EditableColumnsFollowTheYear)
{
    Tkmqc *grid = openYear(2008);
    ASSERT_TRUE(grid);
    EXPECT_FALSE(FormExists(QStringLiteral("kmqc1"))) << "the year dialog closes";
    EXPECT_EQ(grid->year(), 2008);
    const QAbstractItemModel *model = grid->grid()->model();
    for (int column : {Tkmqc::Ncye, Tkmqc::Ljjf, Tkmqc::Ljdf})
        EXPECT_FALSE(model->flags(model->index(0, column)) & Qt::ItemIsEditable) << column;

    // The same window shows the current year, where all three may change.
    EXPECT_EQ(openYear(2009), grid);
    EXPECT_EQ(grid->year(), 2009);
    for (int column : {Tkmqc::Ncye, Tkmqc::Ljjf, Tkmqc::Ljdf})
        EXPECT_TRUE(model->flags(model->index(0, column)) & Qt::ItemIsEditable) << column;
    for (int column : {Tkmqc::Code, Tkmqc::Name, Tkmqc::Direction, Tkmqc::Opening, Tkmqc::Auxiliary})
        EXPECT_FALSE(model->flags(model->index(0, column)) & Qt::ItemIsEditable) << column;
    QStringList headers;
    for (int column = 0; column < model->columnCount(); ++column)
        headers << model->headerData(column, Qt::Horizontal).toString();
    EXPECT_EQ(headers, QStringList({"科目编码", "科目名称", "方向", "年初余额", "累计借方金额",
                                    "累计贷方金额", "期初余额", "辅助核算"}));

    // Books opened in January have nothing accumulated in their first year.
    Sql::exec(db(), QStringLiteral("update ztInfo set qykjnf = 2009, qykjyf = 1"));
    m_dm.LoadContext();
    openYear(2009);
    EXPECT_TRUE(model->flags(model->index(0, Tkmqc::Ncye)) & Qt::ItemIsEditable);
    EXPECT_FALSE(model->flags(model->index(0, Tkmqc::Ljjf)) & Qt::ItemIsEditable);
    EXPECT_FALSE(model->flags(model->index(0, Tkmqc::Ljdf)) & Qt::ItemIsEditable);
}

TEST_F(OpeningScreensTest, RowsAreWrittenWhenTheCursorLeavesThemOrTheWindowCloses)
{
    Sql::exec(db(), QStringLiteral("update iteminfo set bmhs = 1, wbhs = 1 where itembm = '2202'"));
    Tkmqc *grid = openYear(2009);
    ASSERT_TRUE(grid);
    const int payable = rowOf(grid, QStringLiteral("2202"));
    ASSERT_GE(payable, 0);
    EXPECT_EQ(cell(grid, payable, Tkmqc::Name), QStringLiteral("应付账款"));
    EXPECT_EQ(cell(grid, payable, Tkmqc::Direction), QStringLiteral("贷"));
    EXPECT_EQ(cell(grid, payable, Tkmqc::Auxiliary), QStringLiteral("外币核算,部门核算"));
    EXPECT_EQ(cell(grid, payable, Tkmqc::Ncye), QString()) << "zero shows blank";

    typeAmount(grid, payable, Tkmqc::Ncye, QStringLiteral("12345.6"));
    typeAmount(grid, payable, Tkmqc::Ljjf, QStringLiteral("345.6"));
    EXPECT_EQ(cell(grid, payable, Tkmqc::Ncye), QStringLiteral("12,345.60"));
    EXPECT_EQ(cell(grid, payable, Tkmqc::Opening), QStringLiteral("12,000.00"));
    EXPECT_EQ(stored(2009, "2202", "ncye"), Money()) << "written only when the row is left";
    typeAmount(grid, payable, Tkmqc::Ljdf, QStringLiteral("abc"));
    EXPECT_EQ(cell(grid, payable, Tkmqc::Ljdf), QString()) << "text that is no amount is dropped";

    QTest::keyClick(grid->grid(), Qt::Key_Down);
    EXPECT_EQ(stored(2009, "2202", "ncye"), *Money::parse(u"12345.60"));
    EXPECT_EQ(stored(2009, "2202", "ljjf"), *Money::parse(u"345.60"));

    // An amount still being typed when the window closes is written too.
    const int bank = rowOf(grid, QStringLiteral("1002"));
    QTableView *view = grid->grid();
    const QModelIndex index = view->model()->index(bank, Tkmqc::Ncye);
    view->setCurrentIndex(index);
    view->edit(index);
    auto *editor = qobject_cast<QLineEdit *>(view->indexWidget(index));
    ASSERT_TRUE(editor);
    type(editor, QStringLiteral("-7.5"));
    QTest::mouseClick(grid->closeButton(), Qt::LeftButton);
    EXPECT_FALSE(FormExists(QStringLiteral("kmqc")));
    EXPECT_EQ(stored(2009, "1002", "ncye"), *Money::parse(u"-7.50"));
    EXPECT_EQ(stored(2008, "1002", "ncye"), Money());
}

TEST_F(OpeningScreensTest, TheBalanceCheckStopsAtTheFirstParentThatDiffers)
{
    const std::pair<const char *, const char *> figures[] = {
        {"1002", "140"}, {"1002001", "100"}, {"1002002", "50"}};
    for (const auto &[code, amount] : figures)
        Sql::exec(db(), QStringLiteral("update account_ye set ncye = ? where kjnf = 2009 and itembm = ?"),
                  {Money::parse(QString::fromUtf8(amount))->toSqlValue(), QString::fromUtf8(code)});
    Tkmqc *grid = openYear(2009);
    ASSERT_TRUE(grid);
    QTest::mouseClick(grid->checkButton(), Qt::LeftButton);
    ASSERT_EQ(m_messages.messages().size(), 1);
    EXPECT_EQ(m_messages.messages().at(0).kind, QStringLiteral("warning"));
    EXPECT_EQ(m_messages.messages().at(0).text,
              QStringLiteral("1002科目期初余额与下一级科目期初余额汇总不符,相差-10"));
    EXPECT_EQ(grid->grid()->currentIndex().row(), rowOf(grid, QStringLiteral("1002")));

    // Corrected in the grid (not yet written: the check writes it first), then the equity.
    typeAmount(grid, rowOf(grid, QStringLiteral("1002")), Tkmqc::Ncye, QStringLiteral("150"));
    m_messages.clear();
    QTest::mouseClick(grid->checkButton(), Qt::LeftButton);
    EXPECT_EQ(m_messages.texts(), QStringList{QStringLiteral("期初余额不平,相差150")});
    EXPECT_EQ(stored(2009, "1002", "ncye"), *Money::parse(u"150"));
    EXPECT_EQ(grid->grid()->currentIndex().row(), 0);

    typeAmount(grid, rowOf(grid, QStringLiteral("3001")), Tkmqc::Ncye, QStringLiteral("150.00"));
    m_messages.clear();
    QTest::mouseClick(grid->checkButton(), Qt::LeftButton);
    ASSERT_EQ(m_messages.messages().size(), 1);
    EXPECT_EQ(m_messages.messages().at(0).caption, QStringLiteral("提示"));
    EXPECT_EQ(m_messages.messages().at(0).text, QStringLiteral("期初余额已经平衡"));
    EXPECT_EQ(grid->grid()->currentIndex().row(), 0);
}

TEST_F(OpeningScreensTest, TheMenuEntryOpensTheYearDialogOnce)
{
    Tmainform main;
    main.action(QStringLiteral("MenuItem20"))->trigger();
    main.action(QStringLiteral("MenuItem20"))->trigger();
    int open = 0;
    for (QWidget *window : QApplication::topLevelWidgets())
        open += window->objectName() == QLatin1String("kmqc1") && window->isVisible();
    EXPECT_EQ(open, 1);
    auto *dialog = qobject_cast<Tkmqc1 *>(FindForm(QStringLiteral("kmqc1")));
    ASSERT_TRUE(dialog);
    QTest::mouseClick(dialog->okButton(), Qt::LeftButton);
    auto *grid = qobject_cast<Tkmqc *>(FindForm(QStringLiteral("kmqc")));
    ASSERT_TRUE(grid);
    EXPECT_EQ(grid->year(), 2009);
    EXPECT_EQ(Sql::scalar(db(), QStringLiteral("select count(*) from Oplog where title = ?"),
                          {QStringLiteral("进入年期初数据")})
                  .toInt(),
              2);
}
