// The usage-log viewer and its condition dialog.

#include "testbooks.h"

#include "app/appcontext.h"
#include "app/tdm1.h"
#include "db/sql.h"
#include "ui/app/messages.h"
#include "ui/app/syspublicui.h"
#include "ui/app/tmainform.h"
#include "ui/app/tsjlog.h"
#include "ui/app/tsjlog1.h"
#include "ui/ledger/tprintform.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDateEdit>
#include <QHeaderView>
#include <QPushButton>
#include <QScreen>
#include <QSqlQueryModel>
#include <QStyledItemDelegate>
#include <QTableView>
#include <QTest>
#include <QTimer>

class UsageLogTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        AppContext = AppContextRecord();
        m_set = m_books.createSet(QStringLiteral("测试帐套"));
        m_dm.connectMaster(m_books.settings().prefix());
        m_dm.connectSet(m_books.settings().prefix(), m_set.code);
        Sql::exec(db(), QStringLiteral("update ztInfo set qykjnf=2008,qykjyf=1,kjnf=2008,kjyf=3"));
        Sql::exec(db(), QStringLiteral("insert into op_detail (id,name,password) values (2,'李四','')"));
        m_dm.LoadContext();
        AppContext.SetName = m_set.name;
        AppContext.OperatorName = QStringLiteral("管理员");
        struct Entry
        {
            const char *who;
            QDateTime when;
            const char *title;
        };
        const Entry entries[] = {
            {"管理员", QDateTime(QDate(2008, 3, 1), QTime(8, 0)), "进入录入凭证"},
            {"李四", QDateTime(QDate(2008, 3, 15), QTime(10, 30)), "进入复核凭证"},
            {"李四", QDateTime(QDate(2008, 3, 31), QTime(0, 0)), "进入凭证登帐"},
            {"管理员", QDateTime(QDate(2008, 3, 31), QTime(9, 15)), "进入月末结转"},
            {"管理员", QDateTime(QDate(2008, 2, 28), QTime(12, 0)), "进入反结帐"},
        };
        int id = 0;
        for (const Entry &entry : entries)
            Sql::exec(db(), QStringLiteral("insert into Oplog (id,czy,title,rq) values (?,?,?,?)"),
                      {++id, QString::fromUtf8(entry.who), QString::fromUtf8(entry.title), entry.when});
    }
    void TearDown() override
    {
        for (QWidget *window : QApplication::topLevelWidgets())
            window->close();
        QTest::qWait(1);
        AppContext = AppContextRecord();
    }

    QSqlDatabase db() const { return m_dm.ADOConnection1(); }

    static QStringList titles(const Tsjlog &log)
    {
        QStringList result;
        for (int row = 0; row < log.model()->rowCount(); ++row)
            result << log.model()->index(row, 2).data().toString();
        return result;
    }

    // Opens the condition dialog with the button and lets `fill` set it before 确定.
    static void runConditionDialog(Tsjlog &log, const char *button, std::function<void(Tsjlog1 &)> fill)
    {
        bool seen = false;
        QTimer::singleShot(0, [&] {
            auto *dialog = qobject_cast<Tsjlog1 *>(QApplication::activeModalWidget());
            if (!dialog)
                return;
            seen = true;
            fill(*dialog);
            QTest::mouseClick(dialog->findChild<QPushButton *>(QStringLiteral("btnOk")), Qt::LeftButton);
        });
        QTest::mouseClick(log.findChild<QPushButton *>(QString::fromLatin1(button)), Qt::LeftButton);
        EXPECT_TRUE(seen);
    }

    TestBooks m_books;
    AccountSet m_set;
    Tdm1 m_dm;
};

TEST_F(UsageLogTest, TheMenuEntryOpensTheWholeLogNewestFirstOnce)
{
    Tmainform form;
    AppContext.OperatorId = 1;
    form.action(QStringLiteral("MenuItem67"))->trigger();
    form.action(QStringLiteral("MenuItem67"))->trigger();
    auto *log = qobject_cast<Tsjlog *>(FindForm(QStringLiteral("sjlog")));
    ASSERT_TRUE(log);
    int open = 0;
    for (QWidget *window : QApplication::topLevelWidgets())
        open += window->objectName() == QLatin1String("sjlog") && window->isVisible();
    EXPECT_EQ(open, 1);
    EXPECT_EQ(log->windowTitle(), QStringLiteral("上机日志"));
    EXPECT_TRUE(log->windowFlags() & Qt::WindowStaysOnTopHint);
    const QPoint centre = log->frameGeometry().center();
    const QPoint screen = log->screen()->availableGeometry().center();
    EXPECT_LE((centre - screen).manhattanLength(), 2) << "centred on the screen";
    // The entry of today written before the window opened, then those of 2008, newest first.
    // The second use of the entry logs again but finds the window open and leaves it as it is.
    EXPECT_EQ(titles(*log), (QStringList{"查看上机日志", "进入月末结转", "进入凭证登帐",
                                         "进入复核凭证", "进入录入凭证", "进入反结帐"}));
    EXPECT_EQ(Sql::scalar(db(), QStringLiteral("select count(*) from Oplog where title='查看上机日志'")).toInt(), 2);
    const QHeaderView *header = log->grid()->horizontalHeader();
    QStringList captions;
    for (int visual = 0; visual < header->count(); ++visual) {
        const int logical = header->logicalIndex(visual);
        if (!header->isSectionHidden(logical))
            captions << log->model()->headerData(logical, Qt::Horizontal).toString();
    }
    EXPECT_EQ(captions, (QStringList{"操作员", "时间", "内容"}));
    EXPECT_EQ(log->grid()->model()->index(1, 3).data().toDateTime(),
              QDateTime(QDate(2008, 3, 31), QTime(9, 15)));
    auto *time = qobject_cast<QStyledItemDelegate *>(log->grid()->itemDelegateForColumn(3));
    ASSERT_TRUE(time);
    EXPECT_EQ(time->displayText(log->grid()->model()->index(1, 3).data(), QLocale()),
              QStringLiteral("2008-03-31 09:15"));
}

TEST_F(UsageLogTest, TheConditionDialogOffersTheOperatorsAndTheCurrentMonth)
{
    Tsjlog log;
    log.show();
    AppContext.FormMode = 1;
    Tsjlog1 dialog(&log);
    QStringList items;
    for (int i = 0; i < dialog.operatorBox()->count(); ++i)
        items << dialog.operatorBox()->itemText(i);
    EXPECT_EQ(items, (QStringList{"全体人员", "管理员", "李四"}));
    EXPECT_EQ(dialog.operatorBox()->currentIndex(), -1) << "nothing preselected";
    EXPECT_EQ(dialog.fromBox()->date(), QDate(2008, 3, 1));
    EXPECT_EQ(dialog.toBox()->date(), QDate(2008, 3, 31));
}

TEST_F(UsageLogTest, FilteringComparesTheEndDateWithMidnight)
{
    Tsjlog log;
    log.show();
    EXPECT_EQ(log.model()->rowCount(), 5);

    // 全体人员 and the current month: the entry of 31 March 09:15 is after midnight of the end
    // day and stays out; the one at 00:00 is in.
    runConditionDialog(log, "btnFilter", [](Tsjlog1 &dialog) { dialog.operatorBox()->setCurrentIndex(0); });
    EXPECT_EQ(titles(log), (QStringList{"进入凭证登帐", "进入复核凭证", "进入录入凭证"}));

    runConditionDialog(log, "btnFilter", [](Tsjlog1 &dialog) {
        dialog.operatorBox()->setCurrentText(QStringLiteral("李四"));
    });
    EXPECT_EQ(titles(log), (QStringList{"进入凭证登帐", "进入复核凭证"}));

    runConditionDialog(log, "btnFilter", [](Tsjlog1 &dialog) {
        dialog.operatorBox()->setCurrentText(QStringLiteral("管理员"));
        Tsjlog1::clearDate(dialog.toBox());
    });
    EXPECT_EQ(titles(log), (QStringList{"进入月末结转", "进入录入凭证"})) << "an empty end date: no bound";

    runConditionDialog(log, "btnFilter", [](Tsjlog1 &dialog) {
        Tsjlog1::clearDate(dialog.fromBox());
        Tsjlog1::clearDate(dialog.toBox());
    });
    EXPECT_EQ(log.model()->rowCount(), 5) << "nothing chosen: every operator, every date";
    EXPECT_EQ(Sql::scalar(db(), QStringLiteral("select count(*) from Oplog")).toInt(), 5);
}

TEST_F(UsageLogTest, DeletingRemovesWhatTheConditionSelectsWithoutAsking)
{
    ScriptedMessages messages;
    Tsjlog log;
    log.show();
    // 全体人员 and the default dates: the month's entries up to the start of its last day.
    runConditionDialog(log, "btnDelete", [](Tsjlog1 &dialog) { dialog.operatorBox()->setCurrentIndex(0); });
    EXPECT_TRUE(messages.messages().isEmpty());
    EXPECT_EQ(titles(log), (QStringList{"进入月末结转", "进入反结帐"}));
    QSqlQuery left = Sql::exec(db(), QStringLiteral("select id from Oplog order by id"));
    QList<int> ids;
    while (left.next())
        ids << left.value(0).toInt();
    EXPECT_EQ(ids, (QList<int>{4, 5}));

    // A delete keeps the list's own condition.
    runConditionDialog(log, "btnFilter", [](Tsjlog1 &dialog) {
        dialog.operatorBox()->setCurrentText(QStringLiteral("管理员"));
        Tsjlog1::clearDate(dialog.fromBox());
        Tsjlog1::clearDate(dialog.toBox());
    });
    runConditionDialog(log, "btnDelete", [](Tsjlog1 &dialog) {
        dialog.operatorBox()->setCurrentText(QStringLiteral("管理员"));
        dialog.fromBox()->setDate(QDate(2008, 2, 1));
        dialog.toBox()->setDate(QDate(2008, 2, 29));
    });
    EXPECT_EQ(titles(log), QStringList{"进入月末结转"});
    EXPECT_EQ(log.condition().operatorName, QStringLiteral("管理员"));
}

TEST_F(UsageLogTest, PrintingHandsTheListToThePrintPreviewWithRpt66)
{
    Tsjlog log;
    log.show();
    QString family;
    int templates = -1;
    QTimer::singleShot(0, [&] {
        if (auto *window = qobject_cast<Tprintform *>(QApplication::activeModalWidget())) {
            family = window->family();
            templates = int(window->records().size());
            window->close();
        }
    });
    QTest::mouseClick(log.findChild<QPushButton *>(QStringLiteral("btnPrint")), Qt::LeftButton);
    EXPECT_EQ(family, QStringLiteral("rpt66"));
    EXPECT_EQ(templates, 1);
    EXPECT_EQ(AppContext.PrintKind, 0);

    Sql::exec(db(), QStringLiteral("delete from Oplog"));
    log.reload();
    bool opened = false;
    QTimer::singleShot(0, [&] {
        if (auto *window = QApplication::activeModalWidget()) {
            opened = true;
            window->close();
        }
    });
    QTest::mouseClick(log.findChild<QPushButton *>(QStringLiteral("btnPrint")), Qt::LeftButton);
    QTest::qWait(5);
    EXPECT_FALSE(opened) << "an empty list prints nothing";
}
