#include "testbooks.h"

#include "screentesting.h"

#include "app/appcontext.h"
#include "app/tdm1.h"
#include "db/sql.h"
#include "login/operators.h"
#include "login/passwordhash.h"
#include "ui/app/messages.h"
#include "ui/app/syspublicui.h"
#include "ui/app/tmainform.h"
#include "ui/login/tczyxx.h"
#include "ui/login/tczyxx1.h"
#include "ui/login/tfrmloginopsel.h"
#include "ui/login/tmmxg.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSqlQuery>
#include <QTableWidget>
#include <QTest>
#include <QTimer>

#include <functional>
#include <memory>

// A data module on a fresh account set, as after opening it; messages are scripted.
class OperatorScreensTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        AppContext = AppContextRecord();
        m_set = m_books.createSet(QStringLiteral("测试帐套"));
        m_dm.connectMaster(m_books.settings().prefix());
        m_dm.connectSet(m_books.settings().prefix(), m_set.code);
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

    int addOperator(const QString &name, const QString &password, QList<int> rights = {})
    {
        const Result<int> added = Operators::add(db(), name, password, rights);
        EXPECT_TRUE(added.ok()) << added.message().toStdString();
        return added.ok() ? added.value() : 0;
    }
    QString storedPassword(int id) const
    {
        return Sql::scalar(db(), QStringLiteral("select password from op_detail where id=?"), {id})
            .toString();
    }
    QList<int> storedRights(int id) const
    {
        QSqlQuery row = Sql::exec(db(), QStringLiteral("select * from op_detail where id=?"), {id});
        return row.next() ? Operators::rightsOf(row.record()) : QList<int>();
    }
    bool opens(const QString &name, const QString &password) const
    {
        return Operators::logIn(db(), name, password, 0).ok();
    }
    QStringList logTexts() const
    {
        QStringList texts;
        QSqlQuery log = Sql::exec(db(), QStringLiteral("select czy, title from Oplog order by id"));
        while (log.next())
            texts << log.value(0).toString() + u':' + log.value(1).toString();
        return texts;
    }

    TestBooks m_books;
    AccountSet m_set;
    Tdm1 m_dm;
    ScriptedMessages m_messages;
};

TEST_F(OperatorScreensTest, AnEmptyPasswordLogsInAndLeadsToThePasswordDialog)
{
    // With a main window the dialog comes through its menu entry; before there is one (or in
    // the deletion of a set) the login opens it itself. Either way the entry is logged once.
    for (const bool withMainWindow : {true, false}) {
        SCOPED_TRACE(withMainWindow ? "main window" : "no main window");
        m_messages.clear();
        Sql::exec(db(), QStringLiteral("delete from Oplog"));
        std::unique_ptr<Tmainform> main;
        if (withMainWindow)
            main = std::make_unique<Tmainform>();

        WhenShown<Tmmxg> passwordDialog([&](Tmmxg *dialog) {
            if (!withMainWindow) {
                click(dialog->cancelButton());
                return;
            }
            type(dialog->newPasswordBox(), QStringLiteral("abc"));
            type(dialog->confirmationBox(), QStringLiteral("abc"));
            click(dialog->okButton());
        });
        WhenShown<TfrmLoginOpSel> login([](TfrmLoginOpSel *dialog) {
            EXPECT_EQ(dialog->nameBox()->currentText(), QStringLiteral("管理员"));
            QTest::keyClick(dialog->passwordBox(), Qt::Key_Return); // Enter is 确定
        });
        EXPECT_TRUE(TfrmLoginOpSel::run(db(), nullptr));

        EXPECT_TRUE(login.shown());
        EXPECT_FALSE(login.leftOpen());
        EXPECT_TRUE(passwordDialog.shown());
        EXPECT_FALSE(passwordDialog.leftOpen());
        EXPECT_EQ(AppContext.DialogResult, QStringLiteral("1"));
        EXPECT_EQ(AppContext.OperatorId, 1);
        EXPECT_EQ(AppContext.OperatorName, QStringLiteral("管理员"));
        EXPECT_EQ(AppContext.CanEnterVouchers, QStringLiteral("1"));
        EXPECT_EQ(logTexts(), QStringList{QStringLiteral("管理员:进入修改密码")});
        QStringList expected = {QStringLiteral("当前密码为空，请尽快修改用户密码")};
        if (withMainWindow) {
            expected << QStringLiteral("密码修改成功！     ");
            EXPECT_TRUE(main->action(QStringLiteral("mnNewZt"))->isEnabled());
            EXPECT_TRUE(opens(QStringLiteral("管理员"), QStringLiteral("abc")));
            Sql::exec(db(), QStringLiteral("update op_detail set password='' where id=1"));
        } else {
            EXPECT_TRUE(storedPassword(1).isEmpty()) << "the password dialog was left";
        }
        EXPECT_EQ(m_messages.texts(), expected);
    }
}

TEST_F(OperatorScreensTest, ARefusedLoginShowsWhyAndClosesWithResultZero)
{
    QList<int> rights(Operators::RightCount + 1, 0);
    rights[2] = 1;
    const int wang = addOperator(QStringLiteral("Wang"), QStringLiteral("Secret"), rights);

    struct Case
    {
        QString name;
        QString password;
        QString message; // empty: logged in
    };
    const QString wrongPassword = QStringLiteral("密码不正确，不能打开财务系统！   ");
    const Case cases[] = {
        {QStringLiteral("  "), QString(), QStringLiteral("用户名不能为空！   ")},
        {QStringLiteral("张三"), QString(), QStringLiteral("用户名不正确，不能打开财务系统！   ")},
        {QStringLiteral("Wang"), QStringLiteral("secret"), wrongPassword},
        {QStringLiteral("Wang"), QStringLiteral("Secret "), wrongPassword},
        {QStringLiteral("管理员"), QStringLiteral("x"), wrongPassword},
        {QStringLiteral(" wANG "), QStringLiteral("Secret"), QString()},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name.toStdString() + "/" + c.password.toStdString());
        m_messages.clear();
        AppContext.OperatorId = 0;
        WhenShown<TfrmLoginOpSel> login([&c](TfrmLoginOpSel *dialog) {
            retype(dialog->nameBox()->lineEdit(), c.name);
            type(dialog->passwordBox(), c.password);
            click(dialog->okButton());
        });
        const bool loggedIn = TfrmLoginOpSel::run(db(), nullptr);
        EXPECT_FALSE(login.leftOpen()) << "确定 closes the dialog whatever it found";
        EXPECT_EQ(loggedIn, c.message.isEmpty());
        if (c.message.isEmpty()) {
            EXPECT_TRUE(m_messages.texts().isEmpty());
            EXPECT_EQ(AppContext.OperatorId, wang);
            EXPECT_EQ(AppContext.OperatorName, QStringLiteral("Wang"));
            EXPECT_EQ(AppContext.CanEnterVouchers, QStringLiteral("0"));
        } else {
            EXPECT_EQ(m_messages.texts(), QStringList{c.message});
            EXPECT_EQ(AppContext.DialogResult, QStringLiteral("0"));
            EXPECT_EQ(AppContext.OperatorId, 0);
        }
    }
}

TEST_F(OperatorScreensTest, TheDeletionOfASetOffersOnlyItsAdministrator)
{
    addOperator(QStringLiteral("Wang"), QStringLiteral("Secret"));
    TfrmLoginOpSel dialog(db(), nullptr, QStringLiteral("1"));
    dialog.show();
    ASSERT_EQ(dialog.nameBox()->count(), 1);
    EXPECT_EQ(dialog.nameBox()->itemText(0), QStringLiteral("管理员"));

    AppContext.DialogResult = QStringLiteral("0");
    retype(dialog.nameBox()->lineEdit(), QStringLiteral("Wang"));
    type(dialog.passwordBox(), QStringLiteral("Secret"));
    click(dialog.okButton());
    EXPECT_EQ(m_messages.texts(),
              QStringList{QStringLiteral("用户名不正确，不能打开财务系统！   ")});
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(AppContext.DialogResult, QStringLiteral("0"));
    EXPECT_EQ(AppContext.OperatorId, 0);
}

TEST_F(OperatorScreensTest, TheFirstOpeningOnAnEmptyListCreatesTheAdministrator)
{
    Sql::exec(db(), QStringLiteral("delete from op_detail"));
    Tmainform main;
    AppContext.OperatorName = QStringLiteral("管理员");
    main.action(QStringLiteral("MenuItem65"))->trigger();
    main.action(QStringLiteral("MenuItem65"))->trigger();

    auto *screen = qobject_cast<Tczyxx *>(FindForm(QStringLiteral("czyxx")));
    ASSERT_TRUE(screen);
    int open = 0;
    for (QWidget *window : QApplication::topLevelWidgets())
        open += window->objectName() == QLatin1String("czyxx") && window->isVisible();
    EXPECT_EQ(open, 1);
    ASSERT_EQ(screen->grid()->rowCount(), 1);
    EXPECT_EQ(screen->grid()->item(0, 0)->text(), QStringLiteral("管理员"));
    EXPECT_EQ(screen->currentId(), 1);
    EXPECT_TRUE(storedPassword(1).isEmpty());
    EXPECT_EQ(storedRights(1).count(1), Operators::RightCount);
    EXPECT_EQ(logTexts(), QStringList(2, QStringLiteral("管理员:进入授权")))
        << "the menu logs each click; the screen adds nothing";
    EXPECT_TRUE(opens(QStringLiteral("管理员"), QString()));
}

TEST_F(OperatorScreensTest, AddingTakesTheNextIdAfterTheHighestAndCancellingWritesNothing)
{
    addOperator(QStringLiteral("李四"), QStringLiteral("pw"));
    Sql::exec(db(), QStringLiteral("insert into op_detail (id,name,password) values (7,'王五','')"));
    Tczyxx screen;
    screen.show();
    ASSERT_EQ(screen.grid()->rowCount(), 3);

    {
        WhenShown<Tczyxx1> editor([this](Tczyxx1 *dialog) {
            EXPECT_TRUE(dialog->passwordBox()->isEnabled());
            click(dialog->okButton());
            EXPECT_EQ(m_messages.texts(), QStringList{QStringLiteral("请输入姓名。   ")});
            EXPECT_TRUE(dialog->isVisible());
            EXPECT_EQ(dialog->focusWidget(), dialog->nameBox());
            type(dialog->nameBox(), QStringLiteral("赵六"));
            type(dialog->passwordBox(), QStringLiteral("新密 "));
            click(dialog->rightBox(1));
            click(dialog->rightBox(13));
            click(dialog->okButton());
        });
        click(screen.addButton());
        EXPECT_TRUE(editor.shown());
        EXPECT_FALSE(editor.leftOpen());
    }
    QList<int> expected(Operators::RightCount + 1, 0);
    expected[1] = expected[13] = 1;
    EXPECT_EQ(storedRights(8), expected);
    EXPECT_TRUE(opens(QStringLiteral("赵六"), QStringLiteral("新密")));
    EXPECT_EQ(screen.grid()->rowCount(), 4);
    EXPECT_EQ(screen.currentId(), 8);

    {
        WhenShown<Tczyxx1> editor([](Tczyxx1 *dialog) {
            type(dialog->nameBox(), QStringLiteral("钱七"));
            click(dialog->selectAllButton());
            click(dialog->cancelButton());
        });
        click(screen.addButton());
        EXPECT_FALSE(editor.leftOpen());
    }
    EXPECT_EQ(Sql::scalar(db(), QStringLiteral("select count(*) from op_detail")).toInt(), 4);
    EXPECT_EQ(screen.grid()->rowCount(), 4);
}

TEST_F(OperatorScreensTest, TheAdministratorCannotBeChangedDeletedOrStrippedOfHisPassword)
{
    Sql::exec(db(), QStringLiteral("update op_detail set password=? where id=1"),
              {PasswordHash::hash(QStringLiteral("adm"))});
    addOperator(QStringLiteral("李四"), QStringLiteral("pw"));
    Tczyxx screen;
    screen.show();
    screen.selectId(1);
    WhenShown<Tczyxx1> editor([](Tczyxx1 *dialog) { dialog->reject(); });
    click(screen.editButton());
    click(screen.deleteButton());
    click(screen.clearPasswordButton());
    QTest::qWait(30);
    EXPECT_FALSE(editor.shown());
    EXPECT_EQ(m_messages.texts(), (QStringList{QStringLiteral("管理员不能修改。   "),
                                               QStringLiteral("管理员不能删除。   "),
                                               QStringLiteral("管理员密码不能取消。   ")}));
    EXPECT_EQ(m_messages.unansweredQuestions(), 0) << "nothing is asked about the administrator";
    EXPECT_TRUE(opens(QStringLiteral("管理员"), QStringLiteral("adm")));
    EXPECT_EQ(screen.grid()->rowCount(), 2);
}

TEST_F(OperatorScreensTest, EditingRightsKeepsThePasswordAndDeletingOrClearingAsksFirst)
{
    QList<int> rights(Operators::RightCount + 1, 0);
    rights[2] = 1;
    const int lisi = addOperator(QStringLiteral("李四"), QStringLiteral("pw2"), rights);
    Tczyxx screen;
    screen.show();
    screen.selectId(lisi);

    {
        WhenShown<Tczyxx1> editor([](Tczyxx1 *dialog) {
            EXPECT_EQ(dialog->nameBox()->text(), QStringLiteral("李四"));
            EXPECT_FALSE(dialog->passwordBox()->isEnabled());
            EXPECT_TRUE(dialog->rightBox(2)->isChecked());
            EXPECT_FALSE(dialog->rightBox(1)->isChecked());
            click(dialog->selectAllButton());
            click(dialog->rightBox(15));
            click(dialog->okButton());
        });
        click(screen.editButton());
        EXPECT_FALSE(editor.leftOpen());
    }
    QList<int> expected(Operators::RightCount + 1, 1);
    expected[0] = 0;
    expected[15] = 0;
    EXPECT_EQ(storedRights(lisi), expected)
        << "全选 sets every right of the row, bz10 and bz18..20 too";
    EXPECT_TRUE(opens(QStringLiteral("李四"), QStringLiteral("pw2")));

    {
        WhenShown<Tczyxx1> editor([](Tczyxx1 *dialog) {
            click(dialog->clearAllButton());
            click(dialog->cancelButton());
        });
        QWidget *cells = screen.grid()->viewport();
        const QPoint cell = screen.grid()->visualRect(screen.grid()->currentIndex()).center();
        QTest::mouseClick(cells, Qt::LeftButton, {}, cell);
        QTest::mouseDClick(cells, Qt::LeftButton, {}, cell);
        EXPECT_TRUE(editor.shown()) << "a double-click edits the row";
    }
    EXPECT_EQ(storedRights(lisi), expected);

    m_messages.answer(false);
    click(screen.deleteButton());
    m_messages.answer(true);
    click(screen.clearPasswordButton());
    ASSERT_EQ(m_messages.messages().size(), 2);
    for (const ScriptedMessages::Message &question : m_messages.messages()) {
        EXPECT_EQ(question.kind, QStringLiteral("warning"));
        EXPECT_EQ(question.caption, QStringLiteral("确认信息"));
    }
    EXPECT_EQ(m_messages.texts(),
              (QStringList{QStringLiteral("确实要删除吗?"), QStringLiteral("确实要取消吗?")}));
    EXPECT_TRUE(storedPassword(lisi).isEmpty());
    EXPECT_TRUE(opens(QStringLiteral("李四"), QString()));

    m_messages.answer(true);
    click(screen.deleteButton());
    EXPECT_EQ(Sql::scalar(db(), QStringLiteral("select count(*) from op_detail where id=?"), {lisi})
                  .toInt(),
              0);
    EXPECT_EQ(screen.grid()->rowCount(), 1);
    EXPECT_EQ(screen.currentId(), 1);
}

TEST_F(OperatorScreensTest, ThePasswordDialogRefusesThreeWaysAndStoresTheNewPasswordTrimmed)
{
    const int lisi = addOperator(QStringLiteral("李四"), QStringLiteral("old"));
    AppContext.OperatorId = lisi;
    Tmmxg dialog(db());
    dialog.show();

    struct Case
    {
        QString old, fresh, confirmation, message;
        QLineEdit *focus;
    };
    const Case refusals[] = {
        {QStringLiteral("Old"), QStringLiteral("a"), QStringLiteral("a"),
         QStringLiteral("原密码不正确！   "), dialog.oldPasswordBox()},
        {QStringLiteral("old"), QStringLiteral("a"), QStringLiteral("a "),
         QStringLiteral("两次输入不一致，请重新输入新密码！   "), dialog.newPasswordBox()},
        {QStringLiteral("old"), QStringLiteral("  "), QStringLiteral("  "),
         QStringLiteral("密码不能为空，请修改！   "), dialog.newPasswordBox()},
    };
    for (const Case &c : refusals) {
        SCOPED_TRACE(c.message.toStdString());
        m_messages.clear();
        retype(dialog.oldPasswordBox(), c.old);
        retype(dialog.newPasswordBox(), c.fresh);
        retype(dialog.confirmationBox(), c.confirmation);
        click(dialog.okButton());
        EXPECT_EQ(m_messages.texts(), QStringList{c.message});
        EXPECT_TRUE(dialog.isVisible());
        EXPECT_EQ(dialog.focusWidget(), c.focus);
        EXPECT_TRUE(opens(QStringLiteral("李四"), QStringLiteral("old")));
    }

    m_messages.clear();
    retype(dialog.oldPasswordBox(), QStringLiteral("old"));
    retype(dialog.newPasswordBox(), QStringLiteral("新的  "));
    retype(dialog.confirmationBox(), QStringLiteral("新的  "));
    QTest::keyClick(dialog.confirmationBox(), Qt::Key_Return);
    EXPECT_EQ(m_messages.texts(), QStringList{QStringLiteral("密码修改成功！     ")});
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_TRUE(opens(QStringLiteral("李四"), QStringLiteral("新的")));
    EXPECT_FALSE(opens(QStringLiteral("李四"), QStringLiteral("新的  ")));
    EXPECT_FALSE(opens(QStringLiteral("李四"), QStringLiteral("old")));
}
