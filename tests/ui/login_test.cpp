#include "testbooks.h"

#include "screentesting.h"

#include "../core/appserverthread.h"

#include "app/appcontext.h"
#include "app/homefolder.h"
#include "app/tdm1.h"
#include "db/sql.h"
#include "login/accountsetsetup.h"
#include "login/dbserversettings.h"
#include "login/operators.h"
#include "ui/app/messages.h"
#include "ui/app/tmainform.h"
#include "ui/login/accountsetgrid.h"
#include "ui/login/loginsteps.h"
#include "ui/login/tfrmdblelete.h"
#include "ui/login/tfrmlogindb.h"
#include "ui/login/tfrmlogindbsel.h"
#include "ui/login/tfrmloginopsel.h"
#include "ui/login/tlogin2.h"
#include "ui/login/tlogin3.h"
#include "ui/login/tmmxg.h"
#include "ui/login/tztxx.h"

#include <QCheckBox>

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QRadioButton>
#include <QSpinBox>
#include <QSysInfo>
#include <QTest>
#include <QTimer>

namespace {

// Acts on the next modal dialog of type T as soon as it is shown.
template <typename T>
void whenShown(std::function<void(T *)> act, int attempts = 500)
{
    QTimer::singleShot(10, [act, attempts] {
        if (auto *dialog = qobject_cast<T *>(QApplication::activeModalWidget())) {
            act(dialog);
            return;
        }
        if (attempts > 0)
            whenShown<T>(act, attempts - 1);
    });
}

} // namespace

// The login chain over the home of a fresh TestBooks, with the database-server settings of
// the backend under test already in the settings file.
class LoginTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        AppContext = AppContextRecord();
        HomeFolder::setCurrent(m_books.home());
        QDir().mkpath(m_books.home());
        DbServerSettings settings;
        settings.provider = m_books.settings().provider;
        if (settings.provider == Provider::PostgreSQL) {
            settings.server = QStringLiteral("%1:%2").arg(m_books.settings().server).arg(m_books.settings().port);
            settings.user = m_books.settings().user;
            settings.integrated = false;
        }
        ASSERT_TRUE(settings.write(m_books.home()));
    }
    void TearDown() override
    {
        for (QWidget *window : QApplication::topLevelWidgets())
            window->close();
        QTest::qWait(1);
        AppContext = AppContextRecord();
    }

    // Connects the data module as the server dialog would.
    void connectServer()
    {
        AppContext.ConnPrefix = m_books.settings().prefix();
        m_dm.connectMaster(AppContext.ConnPrefix);
    }

    TestBooks m_books;
    Tdm1 m_dm;
};

TEST_F(LoginTest, TheServerDialogStartsFromTheComputerNameAndIntegratedLogin)
{
    QFile::remove(DbServerSettings::filePath(m_books.home()));
    TfrmLoginDb dialog(m_books.home());
    EXPECT_EQ(dialog.serverBox()->text(), QSysInfo::machineHostName());
    EXPECT_EQ(dialog.userBox()->text(), QStringLiteral("sa"));
    EXPECT_TRUE(dialog.integratedButton()->isChecked());
    EXPECT_FALSE(dialog.serverBox()->isEnabled()) << "the embedded database needs no server";
    dialog.providerBox()->setCurrentIndex(1);
    EXPECT_TRUE(dialog.serverBox()->isEnabled());
    EXPECT_FALSE(dialog.userBox()->isEnabled());
    dialog.loginButton()->setChecked(true);
    EXPECT_TRUE(dialog.passwordBox()->isEnabled());
}

TEST_F(LoginTest, AFirstStartBootstrapsInitialisesAndLogsTheAdministratorIn)
{
    Tmainform form;
    form.setLoginSteps(loginSteps(m_books.home()));
    ScriptedMessages messages;
    messages.answer(true); // 确认进行帐套初始化吗？
    whenShown<TfrmLoginDb>([](TfrmLoginDb *d) { d->confirm(); });
    whenShown<TfrmLoginDbSel>([](TfrmLoginDbSel *d) { d->confirm(); });
    whenShown<Tlogin3>([](Tlogin3 *d) {
        d->yearBox()->setValue(2008);
        d->monthBox()->setCurrentIndex(2);
        d->levelBox(3)->setValue(3);
        d->confirm();
    });
    whenShown<TfrmLoginOpSel>([](TfrmLoginOpSel *d) {
        QTest::keyClicks(d->nameBox()->lineEdit(), QString());
        d->confirm();
    });
    whenShown<Tmmxg>([](Tmmxg *d) { d->reject(); });
    form.show();
    ASSERT_TRUE(waitFor([&] { return !form.statusText(3).isEmpty() || form.programEnded(); }));
    EXPECT_FALSE(form.programEnded()) << messages.texts().join(u'|').toStdString();
    EXPECT_EQ(form.statusText(1), QStringLiteral("公司(或帐套)：企业财务帐套"));
    EXPECT_EQ(form.statusText(2), QStringLiteral("会计期间：2008年3月"));
    EXPECT_EQ(form.statusText(3), QStringLiteral("操作员：管理员"));
    EXPECT_EQ(AppContext.LevelLen3, 3);
    EXPECT_TRUE(messages.texts().contains(QStringLiteral("成功设置！   ")));
    EXPECT_TRUE(messages.texts().contains(QStringLiteral("当前密码为空，请尽快修改用户密码")));
    EXPECT_EQ(Sql::scalar(m_dm.ADOConnection1(), QStringLiteral("select title from Oplog")).toString(),
              QStringLiteral("进入修改密码"));
}

TEST_F(LoginTest, AWrongPasswordEndsTheProgram)
{
    {
        AccountSetStore &store = m_books.store();
        auto set = m_books.open(AccountSetStore::FirstSetCode);
        AccountSetSetup::Settings settings;
        settings.year = 2008;
        ASSERT_TRUE(AccountSetSetup::initialise(set->db(), settings).ok());
        ASSERT_TRUE(Operators::changePassword(set->db(), 1, QString(), QStringLiteral("Secret"),
                                              QStringLiteral("Secret"), 0).ok());
        Q_UNUSED(store);
    }
    Tmainform form;
    form.setLoginSteps(loginSteps(m_books.home()));
    ScriptedMessages messages;
    whenShown<TfrmLoginDb>([](TfrmLoginDb *d) { d->confirm(); });
    whenShown<TfrmLoginDbSel>([](TfrmLoginDbSel *d) { d->confirm(); });
    whenShown<TfrmLoginOpSel>([](TfrmLoginOpSel *d) {
        QTest::keyClicks(d->passwordBox(), QStringLiteral("secret"));
        d->confirm();
    });
    form.show();
    ASSERT_TRUE(waitFor([&] { return form.programEnded(); }));
    EXPECT_EQ(messages.texts(), QStringList{QStringLiteral("密码不正确，不能打开财务系统！   ")});
}

TEST_F(LoginTest, CancellingTheInitialisationEndsTheProgram)
{
    Tmainform form;
    form.setLoginSteps(loginSteps(m_books.home()));
    ScriptedMessages messages;
    whenShown<TfrmLoginDb>([](TfrmLoginDb *d) { d->confirm(); });
    whenShown<TfrmLoginDbSel>([](TfrmLoginDbSel *d) { d->confirm(); });
    whenShown<Tlogin3>([](Tlogin3 *d) { d->reject(); });
    form.show();
    ASSERT_TRUE(waitFor([&] { return form.programEnded(); }));
    auto set = m_books.open(AccountSetStore::FirstSetCode);
    EXPECT_FALSE(AccountSetSetup::isInitialised(set->db()));
}

TEST_F(LoginTest, DeletingASetNeedsItsAdministratorAndLeavesTheOpenSetAlone)
{
    connectServer();
    m_dm.accountSets().bootstrap();
    const AccountSet doomed = m_books.createSet(QStringLiteral("待删除"));
    m_dm.connectSet(AppContext.ConnPrefix, AccountSetStore::FirstSetCode);
    AppContext.SetCode = AccountSetStore::FirstSetCode;
    AppContext.OperatorName = QStringLiteral("管理员");
    AppContext.OperatorId = 1;
    ScriptedMessages messages;
    {
        TfrmDbLelete dialog;
        dialog.grid()->setCurrentCell(0, 0);
        dialog.deleteChosen();
        EXPECT_EQ(messages.texts(), QStringList{QStringLiteral("正在打开的帐套不能删除！    ")});
    }
    messages.clear();
    messages.answer(true); // 确实要删除吗?
    bool offeredOnlyTheAdministrator = false;
    whenShown<TfrmLoginOpSel>([&](TfrmLoginOpSel *d) {
        offeredOnlyTheAdministrator = d->nameBox()->count() == 1;
        d->confirm();
    });
    TfrmDbLelete dialog;
    dialog.grid()->setCurrentCell(1, 0);
    dialog.deleteChosen();
    EXPECT_TRUE(offeredOnlyTheAdministrator);
    QStringList codes;
    for (const AccountSet &set : m_dm.accountSets().list())
        codes << set.code;
    EXPECT_EQ(codes, QStringList{AccountSetStore::FirstSetCode});
    EXPECT_FALSE(codes.contains(doomed.code));
    EXPECT_EQ(AppContext.SetCode, AccountSetStore::FirstSetCode);
    EXPECT_EQ(Sql::scalar(m_dm.ADOConnection1(), QStringLiteral("select count(*) from ztInfo")).toInt(), 1);
}

TEST_F(LoginTest, BackupFromTheMenuWritesTheFileAndItsLogEntry)
{
    connectServer();
    m_dm.accountSets().bootstrap();
    m_dm.connectSet(AppContext.ConnPrefix, AccountSetStore::FirstSetCode);
    AppContext.SetCode = AccountSetStore::FirstSetCode;
    AppContext.OperatorName = QStringLiteral("管理员");
    Tmainform form;
    ScriptedMessages messages;
    form.action(QStringLiteral("MenuItem63"))->trigger(); // the confirmation is answered No
    EXPECT_EQ(Sql::scalar(m_dm.ADOConnection1(), QStringLiteral("select count(*) from Oplog")).toInt(), 0);

    const QString file = QDir(m_books.home()).filePath(QStringLiteral("bak/备份.bak"));
    messages.clear();
    messages.answer(true);
    messages.answerText(file);
    form.action(QStringLiteral("MenuItem63"))->trigger();
    EXPECT_TRUE(QFile::exists(file));
    EXPECT_EQ(messages.messages().at(1).text,
              QDir(m_books.home()).filePath(QStringLiteral("bak/V8_URU_ZEZ-%1-%2-%3.bak")
                                                .arg(QDate::currentDate().year())
                                                .arg(QDate::currentDate().month())
                                                .arg(QDate::currentDate().day())));
    EXPECT_TRUE(messages.texts().contains(QStringLiteral("备份完成！   ")));
    EXPECT_EQ(Sql::scalar(m_dm.ADOConnection1(), QStringLiteral("select title from Oplog")).toString(),
              QStringLiteral("完成备份"));

    messages.clear();
    messages.answer(true);
    messages.answerText(file + QStringLiteral("/no/such/folder.bak"));
    form.action(QStringLiteral("MenuItem63"))->trigger();
    EXPECT_TRUE(messages.texts().contains(QStringLiteral("备份出错！   ")));
}

TEST_F(LoginTest, TheApplicationServerLoginOpensTheFirstSetAsTheOperatorItNames)
{
    if (TestBooks::provider() != Provider::PostgreSQL)
        GTEST_SKIP() << "the application server hands out a database server login";
    connectServer();
    m_dm.accountSets().bootstrap();
    {
        auto set = m_books.open(AccountSetStore::FirstSetCode);
        AccountSetSetup::Settings settings;
        settings.year = 2008;
        settings.month = 5;
        ASSERT_TRUE(AccountSetSetup::initialise(set->db(), settings).ok());
        ASSERT_TRUE(Operators::add(set->db(), QStringLiteral("出纳"), QString(), {}).ok());
    }
    const ConnectionSettings &db = m_books.settings();
    AppServerThread server({{QStringLiteral("admin"), QStringLiteral("pw"), 2, db.user, db.password,
                             db.server, QString::number(db.port)}});
    Tmainform form;
    ScriptedMessages messages;
    AppContext.SetName = QStringLiteral("企业财务帐套");
    whenShown<Tlogin2>([&](Tlogin2 *d) {
        d->hostBox()->setEditText(QStringLiteral("localhost"));
        d->portBox()->setText(QString::number(server.port()));
        d->userBox()->setEditText(QStringLiteral("admin"));
        QTest::keyClicks(d->passwordBox(), QStringLiteral("wrong"));
        d->confirm(); // refused: the dialog stays
        d->passwordBox()->clear();
        QTest::keyClicks(d->passwordBox(), QStringLiteral("pw"));
        d->confirm();
    });
    form.action(QStringLiteral("MenuItem69"))->trigger();
    EXPECT_EQ(AppContext.DialogResult, QStringLiteral("1")) << messages.texts().join(u'|').toStdString();
    EXPECT_EQ(messages.texts().first(), QStringLiteral("用户名或密码错误！"));
    EXPECT_EQ(AppContext.OperatorId, 2);
    EXPECT_EQ(AppContext.OperatorName, QStringLiteral("出纳"));
    EXPECT_EQ(AppContext.SetCode, AccountSetStore::FirstSetCode);
    EXPECT_EQ(AppContext.CurMonth, 5);
    EXPECT_EQ(form.statusText(3), QStringLiteral("操作员：出纳"));
    EXPECT_FALSE(form.action(QStringLiteral("mnNewZt"))->isEnabled());
}

TEST_F(LoginTest, OnlyTheAdministratorChangesTheRulesOfTheSet)
{
    connectServer();
    m_dm.accountSets().bootstrap();
    m_dm.connectSet(AppContext.ConnPrefix, AccountSetStore::FirstSetCode);
    AppContext.SetCode = AccountSetStore::FirstSetCode;
    AppContext.OperatorName = QStringLiteral("会计");
    {
        Tztxx dialog;
        EXPECT_FALSE(dialog.ruleBox(1)->isEnabled());
        EXPECT_TRUE(dialog.infoText().contains(QStringLiteral("1.各级科目长度：4-3-2-2-2-2")));
    }
    AppContext.OperatorName = QStringLiteral("管理员");
    Tztxx dialog;
    ASSERT_TRUE(dialog.ruleBox(1)->isEnabled());
    dialog.ruleBox(1)->setChecked(true);
    dialog.reject();
    EXPECT_EQ(AppContext.SameReviewer, 1);
    EXPECT_TRUE(AccountSetSetup::read(m_dm.ADOConnection1()).settings.sameReviewer);
}
