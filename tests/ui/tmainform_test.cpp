#include "testbooks.h"

#include "screentesting.h"

#include "app/appcontext.h"
#include "app/singleinstanceguard.h"
#include "app/tdm1.h"
#include "db/sql.h"
#include "ui/app/menutable.h"
#include "ui/app/messages.h"
#include "ui/app/startup.h"
#include "ui/app/syspublicui.h"
#include "ui/app/tmainform.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTest>
#include <QTimer>
#include <QToolButton>

// A main window over a fresh account set with its period set to March 2008, and login steps
// that stand in for the login dialogs.
class MainFormTest : public ::testing::Test
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
        for (int i = 1; i <= 20; ++i)
            Sql::exec(db(), QStringLiteral("update op_detail set bz%1=1 where id=2").arg(i));
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

    QSqlRecord operatorRow(int id)
    {
        QSqlQuery query = Sql::exec(db(), QStringLiteral("select * from op_detail where id=?"), {id});
        query.next();
        return query.record();
    }

    // Stand-in for the account-set dialog: the operator given logs in.
    void logIn(Tmainform &form, int operatorId)
    {
        const QSqlRecord row = operatorRow(operatorId);
        AppContext.SetCode = m_set.code;
        AppContext.SetName = m_set.name;
        AppContext.OperatorId = operatorId;
        AppContext.OperatorName = row.value(QStringLiteral("name")).toString();
        form.ApplyRights(row);
        m_dm.LoadContext();
        RefreshStatusBar();
        AppContext.DialogResult = QStringLiteral("1");
    }

    TestBooks m_books;
    AccountSet m_set;
    Tdm1 m_dm;
};

TEST_F(MainFormTest, ShowingTheWindowRunsTheLoginChain)
{
    Tmainform form;
    QStringList steps;
    form.setLoginSteps({[&] { steps << "server"; AppContext.DialogResult = "1"; },
                        [&] { steps << "set"; logIn(form, 1); }});
    form.show();
    ASSERT_TRUE(waitFor([&] { return steps.size() == 2; }));
    EXPECT_FALSE(form.programEnded());
    EXPECT_EQ(form.statusText(1), QStringLiteral("公司(或帐套)：测试帐套"));
    EXPECT_EQ(form.statusText(2), QStringLiteral("会计期间：2008年3月"));
    EXPECT_EQ(form.statusText(3), QStringLiteral("操作员：管理员"));
    EXPECT_EQ(form.windowTitle(), QStringLiteral("澜序财务系统 V3.0  "));
}

TEST_F(MainFormTest, LeavingALoginDialogEndsTheProgram)
{
    {
        Tmainform form;
        bool setDialogShown = false;
        form.setLoginSteps({[] {}, [&] { setDialogShown = true; }});
        form.show();
        ASSERT_TRUE(waitFor([&] { return form.programEnded(); }));
        EXPECT_FALSE(setDialogShown);
        EXPECT_FALSE(form.isVisible());
    }
    {
        Tmainform form;
        form.setLoginSteps({[] { AppContext.DialogResult = "1"; }, [] {}});
        form.show();
        ASSERT_TRUE(waitFor([&] { return form.programEnded(); }));
        EXPECT_FALSE(form.isVisible());
    }
}

TEST_F(MainFormTest, RightsEnableTheMenuAndTheToolBar)
{
    Sql::exec(db(), QStringLiteral("update op_detail set bz13=0, bz4=0, bz1=0 where id=2"));
    Tmainform form;
    logIn(form, 2);
    EXPECT_FALSE(form.action("MenuItem18")->isEnabled()) << "科目字典维护 needs bz13";
    EXPECT_FALSE(form.action("MenuItem22")->isEnabled());
    EXPECT_FALSE(form.action("mnPzDengzhang")->isEnabled());
    EXPECT_FALSE(form.action("mnPzNew")->isEnabled());
    EXPECT_EQ(AppContext.CanEnterVouchers, QStringLiteral("0"));
    EXPECT_TRUE(form.action("mnPzFuhe")->isEnabled());
    EXPECT_TRUE(form.action("MenuItem66")->isEnabled()) << "修改密码 is always there";

    ScriptedMessages messages;
    QTest::mouseClick(form.toolButton("SpeedButton4"), Qt::LeftButton);
    EXPECT_EQ(messages.texts(), QStringList{QStringLiteral("您没有使用授权！若需要请与管理员协商")});
    EXPECT_EQ(Sql::scalar(db(), QStringLiteral("select count(*) from Oplog")).toInt(), 0);

    messages.clear();
    QTest::mouseClick(form.toolButton("SpeedButton7"), Qt::LeftButton); // 凭证复核, granted
    EXPECT_EQ(Sql::scalar(db(), QStringLiteral("select title from Oplog")).toString(),
              QStringLiteral("进入复核凭证"));
}

TEST_F(MainFormTest, OnlyTheAdministratorCreatesAndDeletesSetsForTheWholeRun)
{
    {
        Tmainform form;
        logIn(form, 1);
        EXPECT_TRUE(form.action("mnNewZt")->isEnabled());
        EXPECT_TRUE(form.action("mnDelZt")->isEnabled());
    }
    Tmainform form;
    logIn(form, 2);
    EXPECT_FALSE(form.action("mnNewZt")->isEnabled());
    logIn(form, 1); // 更换操作员 to the administrator
    EXPECT_FALSE(form.action("mnNewZt")->isEnabled());
    EXPECT_FALSE(form.action("mnDelZt")->isEnabled());
    EXPECT_TRUE(form.action("MenuItem18")->isEnabled());
}

TEST_F(MainFormTest, EveryMenuEntryWritesItsLogText)
{
    Tmainform form;
    logIn(form, 1);
    ScriptedMessages messages;
    messages.answer(false);          // 确认进行帐套备份吗？
    messages.answerText(QString());  // the backup file to restore: none
    // Entries that open a modal dialog wait until it closes: leave each one at once.
    QTimer closer;
    QObject::connect(&closer, &QTimer::timeout, [] {
        if (QWidget *modal = QApplication::activeModalWidget())
            modal->close();
    });
    closer.start(10);
    QStringList expected;
    for (const MenuDefinition &menu : mainMenu()) {
        for (const MenuEntry &entry : menu.entries) {
            if (entry.component.isEmpty() || entry.component == QLatin1String("N1"))
                continue;
            form.action(entry.component)->trigger();
            if (!entry.logText.isEmpty())
                expected << entry.logText;
        }
    }
    QStringList written;
    QSqlQuery log = Sql::exec(db(), QStringLiteral("select czy, title from Oplog order by id"));
    while (log.next()) {
        EXPECT_EQ(log.value(0).toString(), QStringLiteral("管理员"));
        written << log.value(1).toString();
    }
    EXPECT_EQ(written, expected);
    EXPECT_EQ(messages.unansweredQuestions(), 0);
    EXPECT_TRUE(messages.texts().contains(QStringLiteral("年初起用的帐套不用设置初值  ")));
}

TEST_F(MainFormTest, PayrollAndWorkloadEntriesStayHidden)
{
    Tmainform form;
    for (const char *component : {"MenuItem39", "MenuItem52", "MenuItem60"}) {
        EXPECT_FALSE(form.action(component)->isVisible()) << component;
        form.action(component)->setVisible(true);
    }
    logIn(form, 1);
    for (const char *component : {"MenuItem39", "MenuItem52", "MenuItem60"})
        EXPECT_FALSE(form.action(component)->isVisible()) << component;
    EXPECT_TRUE(form.action("MenuItem47")->isVisible());
}

TEST_F(MainFormTest, OpenOnceWindowsOpenOnceAndSitBelowTheMainWindow)
{
    Tmainform form;
    logIn(form, 1);
    form.action("N150")->trigger();
    form.action("N150")->trigger();
    int calculators = 0;
    for (QWidget *window : QApplication::topLevelWidgets())
        calculators += window->objectName() == QLatin1String("calcu") && window->isVisible();
    EXPECT_EQ(calculators, 1);
    QWidget *calculator = FindForm(QStringLiteral("calcu"));
    ASSERT_TRUE(calculator);
    EXPECT_FALSE(FormExists(QStringLiteral("Calcu"))) << "names are case-sensitive";
    calculator->close();
    EXPECT_FALSE(FormExists(QStringLiteral("calcu")));

    form.showMaximized();
    QTest::qWait(20);
    int created = 0;
    auto create = [&created] { ++created; return new QWidget; };
    QWidget *window = form.showOpenOnce(QStringLiteral("kmqc1"), create);
    EXPECT_EQ(form.showOpenOnce(QStringLiteral("kmqc1"), create), window);
    EXPECT_EQ(created, 1);
    const QRect frame = form.frameGeometry();
    EXPECT_EQ(window->pos(), QPoint(frame.left(), frame.top() + 50));
    EXPECT_EQ(window->size(), QSize(frame.width() - 8, frame.height() - 58));
}

TEST(StartUp, ASecondCopyIsRefusedBeforeTouchingAnyDatabase)
{
    QTemporaryDir dir;
    const QString lock = dir.filePath(QStringLiteral("instance.lock"));
    ScriptedMessages messages;
    SingleInstanceGuard first(lock);
    EXPECT_FALSE(AnotherCopyIsRunning(first));
    EXPECT_TRUE(messages.messages().isEmpty());
    SingleInstanceGuard second(lock);
    EXPECT_TRUE(AnotherCopyIsRunning(second));
    ASSERT_EQ(messages.messages().size(), 1);
    EXPECT_EQ(messages.messages().first().caption, QStringLiteral("澜序软件"));
    EXPECT_EQ(messages.messages().first().text, QStringLiteral("澜序财务已经运行！"));
}
