#include "testbooks.h"

#include "app/appcontext.h"
#include "app/tdm1.h"
#include "db/sql.h"
#include "masterdata/chartcache.h"
#include "ui/app/messages.h"
#include "ui/app/tmainform.h"
#include "ui/ledger/tprintform.h"
#include "ui/masterdata/tbmzd2.h"
#include "ui/masterdata/tzw_kmzd.h"
#include "ui/voucher/twb2.h"
#include "ui/voucher/tzw_kjpz.h"
#include "ui/voucher/vouchergrid.h"
#include "ui/voucher/voucherlinemodel.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QDateEdit>
#include <QLabel>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QPointer>
#include <QSpinBox>
#include <QSqlQuery>
#include <QTest>
#include <QTimer>

namespace {

// Keys go where the user's keys would go: to the widget with the focus (the grid or the editor
// laid over its cell).
QWidget *focused(QWidget *fallback)
{
    // After a modal picker the form gets the keyboard back when it is active again.
    // (The offscreen platform does not hand it back by itself.)
    if (QApplication::activeWindow() != fallback->window()) {
        QApplication::setActiveWindow(fallback->window());
        EXPECT_TRUE(QTest::qWaitForWindowActive(fallback->window()));
    }
    QWidget *widget = QApplication::focusWidget();
    return widget ? widget : fallback;
}

void press(QWidget *window, Qt::Key key)
{
    QTest::keyClick(focused(window), key);
    QCoreApplication::processEvents();
}

// One key event a character, carrying the character as its text (as an input method does for
// Chinese).
void type(QWidget *window, const QString &text)
{
    for (const QChar c : text) {
        const int key = c.isDigit() ? Qt::Key_0 + c.digitValue()
                        : c == QLatin1Char('.') ? Qt::Key_Period
                        : c == QLatin1Char('-') ? Qt::Key_Minus
                                                : Qt::Key_A;
        QKeyEvent event(QEvent::KeyPress, key, Qt::NoModifier, QString(c));
        QApplication::sendEvent(focused(window), &event);
        QCoreApplication::processEvents();
    }
}

// Runs `act` on the modal dialog that one of the next steps opens.
template<typename Dialog>
void onNextDialog(std::function<void(Dialog *)> act)
{
    auto *poll = new QTimer;
    poll->setInterval(5);
    QObject::connect(poll, &QTimer::timeout, [poll, act] {
        if (auto *dialog = qobject_cast<Dialog *>(QApplication::activeModalWidget())) {
            poll->stop();
            poll->deleteLater();
            act(dialog);
        }
    });
    poll->start();
}

} // namespace

// The voucher form over a fresh account set in period March 2008, operator 张三 with the voucher
// right.
class VoucherScreenTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        AppContext = AppContextRecord();
        m_set = m_books.createSet(QStringLiteral("凭证测试"));
        m_dm.connectMaster(m_books.settings().prefix());
        m_dm.connectSet(m_books.settings().prefix(), m_set.code);
        Sql::exec(db(), QStringLiteral("update ztInfo set qykjnf=2008,qykjyf=1,kjnf=2008,kjyf=3"));
        m_dm.LoadContext();
        AppContext.OperatorName = QStringLiteral("张三");
        AppContext.CanEnterVouchers = QStringLiteral("1");
        CachedChart().open(db());
        // A modal dialog nobody answers would hang the run: one still open two ticks apart
        // fails the test and is closed.
        static QTimer *watchdog = nullptr;
        if (!watchdog) {
            watchdog = new QTimer;
            QObject::connect(watchdog, &QTimer::timeout, [] {
                static QPointer<QWidget> seen;
                QWidget *modal = QApplication::activeModalWidget();
                if (modal && modal == seen) {
                    ADD_FAILURE() << "unanswered dialog " << modal->metaObject()->className();
                    modal->close();
                }
                seen = modal;
            });
            watchdog->start(3000);
        }
    }
    void TearDown() override
    {
        for (QWidget *window : QApplication::topLevelWidgets())
            window->close();
        QTest::qWait(1);
        AppContext = AppContextRecord();
    }

    QSqlDatabase db() const { return m_dm.ADOConnection1(); }

    // A stored two-line voucher, 100 from 1002 to 1001.
    void storeVoucher(int year, int month, int number)
    {
        for (int line = 1; line <= 2; ++line) {
            Sql::exec(db(),
                      QStringLiteral("insert into account (kjnf,kjyf,pzbh,pzfl,rq,pzzy,itembm,"
                                     "jfje,dfje,zd,fjs,fhbz,jzbz,linecount) "
                                     "values (?,?,?,?,?,?,?,?,?,?,0,0,0,2)"),
                      {year, month, number, line, QDate(year, month, 10), QStringLiteral("备用金"),
                       line == 1 ? QStringLiteral("1001") : QStringLiteral("1002001"),
                       line == 1 ? QStringLiteral("100") : QStringLiteral("0"),
                       line == 1 ? QStringLiteral("0") : QStringLiteral("100"),
                       QStringLiteral("张三")});
        }
    }

    std::unique_ptr<Tzw_kjpz> openForm(int mode)
    {
        AppContext.FormMode = mode;
        auto form = std::make_unique<Tzw_kjpz>();
        form->show();
        form->activateWindow();
        QApplication::setActiveWindow(form.get());
        EXPECT_TRUE(QTest::qWaitForWindowActive(form.get()));
        return form;
    }

    static VoucherKey shown(Tzw_kjpz &form) { return form.voucher().loadedKey; }
    static QString cell(Tzw_kjpz &form, int row, int column)
    {
        return form.lineModel()->index(row, column).data(Qt::DisplayRole).toString();
    }

    TestBooks m_books;
    AccountSet m_set;
    Tdm1 m_dm;
};

TEST_F(VoucherScreenTest, ANewVoucherIsDatedThe26thWithTheMonthsNextNumber)
{
    storeVoucher(2008, 3, 1);
    storeVoucher(2008, 3, 7);
    auto form = openForm(1);
    EXPECT_EQ(form->dateEdit()->date(), QDate(2008, 3, 26));
    EXPECT_EQ(form->numberEdit()->value(), 8);
    EXPECT_EQ(form->attachmentsEdit()->value(), 0);
    EXPECT_EQ(form->lineModel()->rowCount(), 10);
    EXPECT_FALSE(form->action(QStringLiteral("复核"))->isVisible());

    form->dateEdit()->setDate(QDate(2008, 4, 2));
    EXPECT_EQ(form->numberEdit()->value(), 1) << "a later month proposes its own number";
    form->dateEdit()->setDate(QDate(2008, 2, 2));
    EXPECT_EQ(form->numberEdit()->value(), 1) << "an earlier month leaves the number";
}

TEST_F(VoucherScreenTest, AThreeLineVoucherIsEnteredByKeyboardAndSaved)
{
    ScriptedMessages messages;
    auto form = openForm(1);
    QWidget *w = form.get();
    VoucherGrid *grid = form->grid();
    ASSERT_EQ(grid->currentIndex(), form->lineModel()->index(0, VoucherLineModel::Summary));

    // Line 1: typed account, debit 100.
    type(w, QStringLiteral("提现"));
    press(w, Qt::Key_Return);
    type(w, QStringLiteral("1001"));
    press(w, Qt::Key_Return);
    EXPECT_EQ(grid->currentIndex().column(), int(VoucherLineModel::Debit)) << "the name is skipped";
    type(w, QStringLiteral("100"));
    press(w, Qt::Key_Return);
    press(w, Qt::Key_Return);
    EXPECT_EQ(cell(*form, 0, VoucherLineModel::AccountName), QStringLiteral("库存现金"));
    EXPECT_EQ(form->debitTotalLabel()->text(), QStringLiteral("100"));

    // Line 2: the summary is copied from above; Enter on the empty account opens the picker.
    ASSERT_EQ(grid->currentIndex(), form->lineModel()->index(1, VoucherLineModel::Summary));
    press(w, Qt::Key_Return);
    EXPECT_EQ(cell(*form, 1, VoucherLineModel::Summary), QStringLiteral("提现"));
    onNextDialog<Tzw_kmzd>([](Tzw_kmzd *picker) {
        EXPECT_EQ(picker->mode(), int(Tzw_kmzd::PickLeaf));
        ASSERT_TRUE(picker->selectCode(QStringLiteral("1002001")));
        picker->pick();
    });
    press(w, Qt::Key_Return);
    EXPECT_EQ(cell(*form, 1, VoucherLineModel::AccountCode), QStringLiteral("1002001"));
    EXPECT_EQ(cell(*form, 1, VoucherLineModel::AccountName), QStringLiteral("银行存款/基本户"));
    grid->editCell(1, VoucherLineModel::Credit);
    type(w, QStringLiteral("50"));
    press(w, Qt::Key_Tab);
    grid->setCurrentIndex(form->lineModel()->index(1, VoucherLineModel::Summary));
    form->action(QStringLiteral("对调"))->trigger();
    EXPECT_EQ(form->voucher().line(1).jfje, Money::fromCents(5000));
    EXPECT_TRUE(form->voucher().line(1).dfje.isZero());

    // Line 3: 平衡 puts the difference on the credit side.
    grid->editCell(2, VoucherLineModel::Summary);
    type(w, QStringLiteral("收回欠款"));
    press(w, Qt::Key_Tab);
    type(w, QStringLiteral("1122"));
    press(w, Qt::Key_Tab);
    form->action(QStringLiteral("平衡"))->trigger();
    EXPECT_EQ(form->voucher().line(2).dfje, Money::fromCents(15000));
    EXPECT_EQ(form->creditTotalLabel()->text(), QStringLiteral("150"));

    form->action(QStringLiteral("保存(&S)"))->trigger();
    EXPECT_EQ(messages.texts(), QStringList());
    QSqlQuery rows = Sql::exec(db(), QStringLiteral("select pzfl,itembm,pzzy,jfje,dfje,zd,dfkm "
                                                    "from account where kjnf=2008 and kjyf=3 and "
                                                    "pzbh=1 order by pzfl"));
    QStringList stored;
    while (rows.next())
        stored << QStringLiteral("%1 %2 %3 %4 %5 %6 %7")
                      .arg(rows.value(0).toInt())
                      .arg(rows.value(1).toString(), rows.value(2).toString(),
                           Money::fromSqlValue(rows.value(3)).toPlain(),
                           Money::fromSqlValue(rows.value(4)).toPlain(), rows.value(5).toString(),
                           rows.value(6).toString());
    EXPECT_EQ(stored, (QStringList{"1 1001 提现 100 0 张三 1122", "2 1002001 提现 50 0 张三 1122",
                                   "3 1122 收回欠款 0 150 张三 1001"}));
    EXPECT_EQ(AppContext.PickedCode, QStringLiteral("pz_modified"));
    // No voucher after it: the form starts the next one.
    EXPECT_EQ(form->voucher().mode, Voucher::Mode::New);
    EXPECT_EQ(form->numberEdit()->value(), 2);
}

TEST_F(VoucherScreenTest, NavigationCrossesMonthsAndDeletingShowsTheNeighbour)
{
    storeVoucher(2008, 2, 1);
    storeVoucher(2008, 2, 2);
    storeVoucher(2008, 3, 1);
    storeVoucher(2008, 4, 1);
    ScriptedMessages messages;
    auto form = openForm(1);

    form->action(QStringLiteral("前一张"))->trigger();
    EXPECT_EQ(shown(*form), (VoucherKey{2008, 3, 1})) << "a new voucher goes to its month's last";
    EXPECT_EQ(form->voucher().mode, Voucher::Mode::Stored);
    EXPECT_EQ(form->signature(0), QStringLiteral("张三"));
    EXPECT_EQ(cell(*form, 0, VoucherLineModel::AccountName), QStringLiteral("库存现金"));
    form->action(QStringLiteral("前一张"))->trigger();
    EXPECT_EQ(shown(*form), (VoucherKey{2008, 2, 2}));
    form->action(QStringLiteral("最前张"))->trigger();
    EXPECT_EQ(shown(*form), (VoucherKey{2008, 2, 1}));
    form->action(QStringLiteral("后一张"))->trigger();
    form->action(QStringLiteral("后一张"))->trigger();
    EXPECT_EQ(shown(*form), (VoucherKey{2008, 3, 1}));
    form->action(QStringLiteral("后一张"))->trigger();
    EXPECT_EQ(shown(*form), (VoucherKey{2008, 4, 1}));
    form->action(QStringLiteral("后一张"))->trigger();
    EXPECT_EQ(shown(*form), (VoucherKey{2008, 4, 1})) << "nothing after it: the form stays";
    EXPECT_EQ(messages.texts(), QStringList());

    messages.answer(false);
    form->action(QStringLiteral("删除"))->trigger();
    EXPECT_EQ(shown(*form), (VoucherKey{2008, 4, 1})) << "No keeps the voucher";
    messages.answer(true);
    form->action(QStringLiteral("删除"))->trigger();
    EXPECT_EQ(messages.texts(), (QStringList{"是否删除当前凭证? ", "是否删除当前凭证? "}));
    EXPECT_EQ(Sql::scalar(db(), QStringLiteral("select count(*) from account where kjyf=4")).toInt(),
              0);
    EXPECT_EQ(shown(*form), (VoucherKey{2008, 3, 1})) << "the month before's last";
    EXPECT_EQ(AppContext.PickedCode, QStringLiteral("pz_modified"));
}

TEST_F(VoucherScreenTest, RefusalsKeepTheVoucherAndFocusTheirField)
{
    ScriptedMessages messages;
    auto form = openForm(1);
    QWidget *w = form.get();
    type(w, QStringLiteral("借款"));
    press(w, Qt::Key_Tab);
    type(w, QStringLiteral("1001"));
    press(w, Qt::Key_Tab);
    type(w, QStringLiteral("10"));
    press(w, Qt::Key_Tab);
    press(w, Qt::Key_Tab);
    type(w, QStringLiteral("借款"));
    press(w, Qt::Key_Tab);
    type(w, QStringLiteral("1002001"));
    press(w, Qt::Key_Tab);
    press(w, Qt::Key_Tab);
    type(w, QStringLiteral("9.99"));
    press(w, Qt::Key_Tab);

    form->action(QStringLiteral("保存(&S)"))->trigger();
    EXPECT_EQ(messages.texts(), QStringList{QStringLiteral("借方和贷方金额不平")});
    EXPECT_EQ(form->lineModel()->rowCount(), 2) << "blank lines are gone, the rest stays";
    EXPECT_EQ(Sql::scalar(db(), QStringLiteral("select count(*) from account")).toInt(), 0);

    messages.clear();
    form->grid()->editCell(1, VoucherLineModel::Credit);
    type(w, QStringLiteral("10"));
    press(w, Qt::Key_Tab);
    form->dateEdit()->setDate(QDate(2008, 2, 28));
    form->action(QStringLiteral("保存(&S)"))->trigger();
    EXPECT_EQ(messages.texts(), QStringList{QStringLiteral("不能录入当前会计月份之前的凭证")});
    EXPECT_EQ(form->focusWidget(), form->dateEdit());

    // An amount editor takes no third decimal and no eleventh integer digit.
    form->grid()->editCell(0, VoucherLineModel::Debit);
    type(w, QStringLiteral("1.234"));
    type(w, QStringLiteral("5"));
    press(w, Qt::Key_Tab);
    EXPECT_EQ(form->voucher().line(0).jfje, Money::fromCents(123));
}

TEST_F(VoucherScreenTest, ADatabaseFailureKeepsTheVoucherOnScreenAndSaysWhatFailed)
{
    // Another workstation's change that the database refuses: a trigger stands in for it.
    if (TestBooks::provider() == Provider::SQLite) {
        Sql::exec(db(), QStringLiteral("create trigger refuse_lines before insert on account "
                                       "begin select raise(abort, 'lines refused'); end"));
    } else {
        Sql::exec(db(), QStringLiteral("create function refuse_lines() returns trigger as $$ "
                                       "begin raise exception 'lines refused'; end $$ "
                                       "language plpgsql"));
        Sql::exec(db(), QStringLiteral("create trigger refuse_lines before insert on account "
                                       "for each row execute function refuse_lines()"));
    }
    ScriptedMessages messages;
    auto form = openForm(1);
    QWidget *w = form.get();
    for (const char *account : {"1001", "1122"}) {
        type(w, QStringLiteral("收回欠款"));
        press(w, Qt::Key_Tab);
        type(w, QString::fromLatin1(account));
        press(w, Qt::Key_Tab);
        if (QLatin1String(account) == QLatin1String("1001"))
            type(w, QStringLiteral("20"));
        press(w, Qt::Key_Tab);
        if (QLatin1String(account) == QLatin1String("1122"))
            type(w, QStringLiteral("20"));
        press(w, Qt::Key_Tab);
    }
    EXPECT_FALSE(form->saveVoucher());
    ASSERT_EQ(messages.texts().size(), 1);
    EXPECT_TRUE(messages.texts().first().startsWith(QStringLiteral("凭证未保存：")));
    EXPECT_TRUE(messages.texts().first().contains(QStringLiteral("lines refused")));
    EXPECT_FALSE(messages.texts().first().contains(QLatin1Char('\n')));
    EXPECT_EQ(form->voucher().mode, Voucher::Mode::New);
    ASSERT_EQ(form->lineModel()->rowCount(), 2);
    EXPECT_EQ(cell(*form, 1, VoucherLineModel::AccountCode), QStringLiteral("1122"));
    EXPECT_EQ(form->voucher().line(1).dfje, Money::fromCents(2000));
    EXPECT_TRUE(AppContext.PickedCode.isEmpty());

    // Once the database takes lines again the same voucher goes in.
    Sql::exec(db(), QStringLiteral("drop trigger refuse_lines")
                        + (TestBooks::provider() == Provider::SQLite
                               ? QString()
                               : QStringLiteral(" on account")));
    messages.clear();
    EXPECT_TRUE(form->saveVoucher());
    EXPECT_EQ(messages.texts(), QStringList());
    EXPECT_EQ(Sql::scalar(db(), QStringLiteral("select count(*) from account")).toInt(), 2);
}

TEST_F(VoucherScreenTest, ListsOpenAStoredVoucherAndTheReviewListShowsReview)
{
    storeVoucher(2008, 3, 4);
    AppContext.OpenVoucherYear = 2008;
    AppContext.OpenVoucherMonth = 3;
    AppContext.OpenVoucherNo = 4;
    for (int mode : {2, 3}) {
        auto form = openForm(mode);
        EXPECT_EQ(form->voucher().mode, Voucher::Mode::Stored);
        EXPECT_EQ(form->numberEdit()->value(), 4);
        EXPECT_EQ(form->dateEdit()->date(), QDate(2008, 3, 10));
        EXPECT_EQ(cell(*form, 1, VoucherLineModel::AccountName), QStringLiteral("银行存款/基本户"));
        EXPECT_EQ(form->debitTotalLabel()->text(), QStringLiteral("100"));
        EXPECT_EQ(form->action(QStringLiteral("复核"))->isVisible(), mode == 3);
        form->close();
    }
}

TEST_F(VoucherScreenTest, TheForeignAmountTimesTheRateGoesToTheLinesSide)
{
    struct Case
    {
        Money debit, credit;
        QString rate, foreign;
        Money expectDebit, expectCredit;
    };
    const Case cases[] = {
        {Money(), Money::fromCents(1), "6.5", "100", Money(), Money::fromCents(65000)},
        {Money(), Money(), "6.8", "10", Money::fromCents(6800), Money()},
        {Money(), Money(), "7.123456", "3.33", Money::fromCents(2372), Money()},
    };
    for (const Case &c : cases) {
        VoucherLine line;
        line.jfje = c.debit;
        line.dfje = c.credit;
        Twb2 dialog(line);
        dialog.show();
        dialog.rateEdit()->setText(c.rate);
        dialog.foreignEdit()->setText(c.foreign);
        QTest::keyClick(dialog.rateEdit(), Qt::Key_Return);
        EXPECT_TRUE(dialog.isVisible()) << "Enter in the rate goes on to the foreign amount";
        QTest::keyClick(dialog.foreignEdit(), Qt::Key_Return);
        EXPECT_FALSE(dialog.isVisible());
        EXPECT_EQ(line.jfje, c.expectDebit) << c.rate.toStdString();
        EXPECT_EQ(line.dfje, c.expectCredit) << c.rate.toStdString();
        EXPECT_EQ(line.wbjf, Money::parse(c.foreign).value());
        EXPECT_TRUE(line.wbdf.isZero());
    }
}

TEST_F(VoucherScreenTest, TheMenuEntryOpensANewVoucher)
{
    Tmainform main;
    QString shown;
    onNextDialog<Tzw_kjpz>([&shown](Tzw_kjpz *form) {
        shown = form->windowTitle() + QString::number(form->lineModel()->rowCount());
        form->close();
    });
    main.action(QStringLiteral("mnPzNew"))->trigger();
    EXPECT_EQ(shown, QStringLiteral("会计凭证10"));
}

TEST_F(VoucherScreenTest, ArrowKeysLeaveTheAmountEditorInTheirDirection)
{
    auto form = openForm(1);
    QWidget *w = form.get();
    VoucherGrid *grid = form->grid();
    grid->editCell(1, VoucherLineModel::Debit);
    type(w, QStringLiteral("12.5"));
    press(w, Qt::Key_Up);
    EXPECT_EQ(form->voucher().line(1).jfje, Money::fromCents(1250)) << "what was typed stays";
    EXPECT_EQ(grid->currentIndex(), form->lineModel()->index(0, VoucherLineModel::Debit));
    EXPECT_TRUE(grid->isEditing()) << "the amount cell above opens its editor";
    press(w, Qt::Key_Right);
    EXPECT_EQ(grid->currentIndex(), form->lineModel()->index(0, VoucherLineModel::Credit));
    press(w, Qt::Key_Down);
    press(w, Qt::Key_Left);
    EXPECT_EQ(grid->currentIndex(), form->lineModel()->index(1, VoucherLineModel::Debit));
    press(w, Qt::Key_Left);
    EXPECT_EQ(grid->currentIndex(), form->lineModel()->index(1, VoucherLineModel::AccountCode))
        << "the name column is skipped";
    EXPECT_FALSE(grid->isEditing());
    EXPECT_EQ(form->debitTotalLabel()->text(), QStringLiteral("12.5"));
}

TEST_F(VoucherScreenTest, AnotherOperatorsVoucherKeepsItsLinesAndItsDeletionRefused)
{
    storeVoucher(2008, 3, 1);
    AppContext.OperatorName = QStringLiteral("李四");
    AppContext.OpenVoucherYear = 2008;
    AppContext.OpenVoucherMonth = 3;
    AppContext.OpenVoucherNo = 1;
    ScriptedMessages messages;
    auto form = openForm(2);
    form->action(QStringLiteral("增行"))->trigger();
    form->grid()->setCurrentIndex(form->lineModel()->index(0, VoucherLineModel::Summary));
    form->action(QStringLiteral("删行"))->trigger();
    form->action(QStringLiteral("删除"))->trigger();
    const QString refusal = QStringLiteral("不能修改他人制的凭证！     ");
    EXPECT_EQ(messages.texts(), (QStringList{refusal, refusal, refusal}));
    EXPECT_EQ(form->lineModel()->rowCount(), 2);
    EXPECT_EQ(Sql::scalar(db(), QStringLiteral("select count(*) from account")).toInt(), 2);
}

TEST_F(VoucherScreenTest, PrintingWantsASavedVoucherAndOpensThePreviewOnRpt11)
{
    storeVoucher(2008, 3, 1);
    AppContext.OpenVoucherYear = 2008;
    AppContext.OpenVoucherMonth = 3;
    AppContext.OpenVoucherNo = 1;
    ScriptedMessages messages;
    auto form = openForm(2);
    form->numberEdit()->setValue(5);
    form->action(QStringLiteral("打印(&P)"))->trigger();
    EXPECT_EQ(messages.texts(), QStringList{QStringLiteral("修改保存后再打印")});

    form->numberEdit()->setValue(1);
    QString family;
    onNextDialog<Tprintform>([&](Tprintform *preview) {
        family = preview->family();
        preview->close();
    });
    form->action(QStringLiteral("打印(&P)"))->trigger();
    EXPECT_EQ(family, QStringLiteral("rpt11"));
    EXPECT_EQ(AppContext.PrintKind, 0);
}

TEST_F(VoucherScreenTest, AnAccountKeptByDepartmentAsksForTheDepartment)
{
    Sql::exec(db(), QStringLiteral("update iteminfo set bmhs=1 where itembm='1122'"));
    Sql::exec(db(), QStringLiteral("insert into bmbm (bmbm,bmmc,parent) values ('01','财务部',0)"));
    auto form = openForm(1);
    QWidget *w = form.get();
    type(w, QStringLiteral("收回欠款"));
    press(w, Qt::Key_Tab);
    onNextDialog<Tbmzd2>([](Tbmzd2 *picker) {
        picker->list()->setCurrentIndex(picker->list()->findText(QStringLiteral("财务部")));
        picker->okButton()->click();
    });
    type(w, QStringLiteral("1122"));
    press(w, Qt::Key_Tab);
    QCoreApplication::processEvents();
    EXPECT_EQ(form->voucher().line(0).bmbm, QStringLiteral("01"));
    auto *department = form->findChild<QPushButton *>(QStringLiteral("bmButton"));
    EXPECT_TRUE(department->isEnabled());
    EXPECT_EQ(department->text(), QStringLiteral("财务部"));

    // Another account drops the department.
    form->grid()->editCell(0, VoucherLineModel::AccountCode);
    type(w, QStringLiteral("1001"));
    press(w, Qt::Key_Tab);
    EXPECT_TRUE(form->voucher().line(0).bmbm.isEmpty());
    EXPECT_FALSE(department->isEnabled());
}
