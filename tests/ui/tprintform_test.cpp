// The print preview window: its list of templates and what it hands the engine.

#include "testbooks.h"

#include "app/appcontext.h"
#include "app/tdm1.h"
#include "db/sql.h"
#include "report/reportdesigncanvas.h"
#include "report/reportdesigner.h"
#include "report/reportpreview.h"
#include "report/reportstore.h"
#include "ui/app/messages.h"
#include "ui/app/tsjlog.h"
#include "ui/app/tsjlog1.h"
#include "ui/ledger/tprintform.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QPushButton>
#include <QSortFilterProxyModel>
#include <QStandardItemModel>
#include <QTableView>
#include <QTest>
#include <QToolButton>

namespace {

// What the fake engine was asked to do.
struct EngineLog
{
    QStringList calls;
    int rows = -1;
    ReportVariables variables;
    QStringList texts;       // of the first page
    QString designTitle;
    std::function<void()> duringPreview;
};

} // namespace

class PrintFormTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        AppContext = AppContextRecord();
        m_set = m_books.createSet(QStringLiteral("测试帐套"));
        m_dm.connectMaster(m_books.settings().prefix());
        m_dm.connectSet(m_books.settings().prefix(), m_set.code);
        AppContext.SetName = QStringLiteral("澜序 'A' 公司");
        AppContext.PrintKind = 0;

        const QStringList names = {"rq", "pzbh", "pzzy", "jfje", "dfje", "itembm"};
        m_rows.setColumnCount(int(names.size()));
        m_rows.setHorizontalHeaderLabels(names);
        for (int i = 0; i < 6; ++i) {
            QList<QStandardItem *> row;
            for (const QVariant &value : QVariantList{QDate(2024, 3, i + 1), i + 1,
                                                      QStringLiteral("摘要%1").arg(i + 1),
                                                      QStringLiteral("100.00"), QStringLiteral("0"),
                                                      i % 2 ? QStringLiteral("1001") : QStringLiteral("1002")}) {
                auto *item = new QStandardItem;
                item->setData(value, Qt::EditRole);
                row << item;
            }
            m_rows.appendRow(row);
        }
    }
    void TearDown() override { AppContext = AppContextRecord(); }

    QSqlDatabase db() const { return m_dm.ADOConnection1(); }

    Tprintform::Engine fakeEngine()
    {
        Tprintform::Engine engine;
        engine.preview = [this](ReportRenderer &renderer, QWidget *) {
            m_log.calls << QStringLiteral("preview");
            m_log.rows = renderer.data().rowCount();
            m_log.variables = renderer.variables();
            m_log.texts = renderer.pageTexts(0);
            if (m_log.duringPreview)
                m_log.duringPreview();
        };
        engine.print = [this](ReportRenderer &renderer, QWidget *) {
            m_log.calls << QStringLiteral("print");
            m_log.rows = renderer.data().rowCount();
        };
        engine.design = [this](const ReportTemplate &report, QAbstractItemModel *,
                               const ReportVariables &, const QString &title, QWidget *) {
            m_log.calls << QStringLiteral("design");
            m_log.designTitle = title;
            ReportTemplate designed = report;
            ReportElement mark;
            mark.text = QStringLiteral("设计过的");
            designed.bands.first().elements << mark;
            return designed;
        };
        return engine;
    }

    // A shown window over the rows for the family.
    std::unique_ptr<Tprintform> open(const QString &family, QAbstractItemModel *rows = nullptr)
    {
        AppContext.PrintTemplate = family;
        auto window = std::make_unique<Tprintform>(rows ? rows : &m_rows);
        window->setEngine(fakeEngine());
        window->show();
        return window;
    }

    void click(Tprintform &window, const char *button)
    {
        if (auto *push = window.findChild<QPushButton *>(QString::fromLatin1(button)))
            QTest::mouseClick(push, Qt::LeftButton);
        else
            QTest::mouseClick(window.findChild<QToolButton *>(QString::fromLatin1(button)), Qt::LeftButton);
    }

    QStringList listed(const Tprintform &window)
    {
        QStringList titles;
        const QAbstractItemModel *model = window.list()->model();
        for (int row = 0; row < model->rowCount(); ++row)
            titles << model->index(row, 0).data().toString();
        return titles;
    }

    TestBooks m_books;
    AccountSet m_set;
    Tdm1 m_dm;
    QStandardItemModel m_rows;
    EngineLog m_log;
};

TEST_F(PrintFormTest, ListsTheFamilyInOrderAndRenumbersAfterADeletion)
{
    ScriptedMessages messages;
    auto window = open(QStringLiteral("rpt68"));
    EXPECT_EQ(window->windowTitle(), QStringLiteral("打印预览"));
    EXPECT_EQ(listed(*window), (QStringList{QStringLiteral("记帐凭证"), QStringLiteral("凭证审核清单")}));
    EXPECT_EQ(window->findChild<QToolButton *>(QStringLiteral("SpeedButton1"))->toolTip(),
              QStringLiteral("存为新报表模版"));
    for (const char *caption : {"  预览", "  打印", "设计报表", "删除", "返回"}) {
        bool found = false;
        for (QPushButton *button : window->findChildren<QPushButton *>())
            found = found || button->text() == QString::fromUtf8(caption);
        EXPECT_TRUE(found) << caption;
    }

    window->setCurrentRow(0);
    messages.answer(false);
    click(*window, "btnDelete");
    EXPECT_EQ(listed(*window).size(), 2) << "No keeps the template";
    messages.answer(true);
    click(*window, "btnDelete");
    EXPECT_EQ(listed(*window), QStringList{QStringLiteral("凭证审核清单")});
    ASSERT_EQ(messages.messages().size(), 2);
    EXPECT_EQ(messages.messages().at(0).kind, QStringLiteral("confirmNo"));
    EXPECT_EQ(messages.messages().at(0).text, QStringLiteral("确定要删除所选择的报表吗?    "));
    EXPECT_EQ(ReportStore::load(db(), QStringLiteral("rpt68")).size(), 2) << "only in memory until closed";

    click(*window, "btnReturn");
    EXPECT_FALSE(window->isVisible());
    const QList<ReportRecord> stored = ReportStore::load(db(), QStringLiteral("rpt68"));
    ASSERT_EQ(stored.size(), 1);
    EXPECT_EQ(stored.first().comment, QStringLiteral("凭证审核清单"));
    EXPECT_EQ(stored.first().typeId, 1);
}

TEST_F(PrintFormTest, SavingAsNewStoresASecondRowWithTheSameTitleAndFamily)
{
    ScriptedMessages messages;
    auto window = open(QStringLiteral("rpt11"));
    messages.answer(true); // 保存为新的报表
    messages.answer(true); // 保存修改
    click(*window, "SpeedButton1");
    EXPECT_EQ(m_log.calls, QStringList{QStringLiteral("design")});
    EXPECT_EQ(m_log.designTitle, QStringLiteral("记帐凭证"));
    EXPECT_EQ(messages.texts(), (QStringList{QStringLiteral("请您确认，是否保存为新的报表?"),
                                             QStringLiteral("请您确认，是否保存修改?    ")}));
    EXPECT_EQ(messages.messages().at(0).kind, QStringLiteral("confirmNo"));
    EXPECT_EQ(messages.messages().at(1).kind, QStringLiteral("confirmYes"));
    EXPECT_EQ(listed(*window), (QStringList{QStringLiteral("记帐凭证"), QStringLiteral("记帐凭证")}));
    window->close();

    const QList<ReportRecord> stored = ReportStore::load(db(), QStringLiteral("rpt11"));
    ASSERT_EQ(stored.size(), 2);
    EXPECT_EQ(stored.at(1).rptname, QStringLiteral("rpt11"));
    EXPECT_EQ(stored.at(1).comment, QStringLiteral("记帐凭证"));
    EXPECT_EQ(stored.at(1).typeId, 2);
    EXPECT_FALSE(stored.at(0).report.contains(QStringLiteral("设计过的")));
    EXPECT_TRUE(stored.at(1).report.contains(QStringLiteral("设计过的")));
}

TEST_F(PrintFormTest, DesigningStoresTheTemplateOnlyWhenConfirmed)
{
    ScriptedMessages messages;
    auto window = open(QStringLiteral("rpt61"));
    messages.answer(false);
    click(*window, "btnDesign");
    EXPECT_EQ(messages.texts(), QStringList{QStringLiteral("请您确认，是否保存修改?    ")});
    EXPECT_FALSE(window->records().first().report.contains(QStringLiteral("设计过的")));
    messages.answer(true);
    click(*window, "btnDesign");
    EXPECT_TRUE(window->records().first().report.contains(QStringLiteral("设计过的")));
    window->close();
    EXPECT_TRUE(ReportStore::load(db(), QStringLiteral("rpt61")).first().report.contains(QStringLiteral("设计过的")));
}

TEST_F(PrintFormTest, AnEmptyFamilyOffersNothing)
{
    ScriptedMessages messages;
    auto window = open(QStringLiteral("rpt99"));
    EXPECT_TRUE(listed(*window).isEmpty());
    for (const char *button : {"btnPreview", "btnPrint", "btnDelete"})
        click(*window, button);
    EXPECT_TRUE(messages.messages().isEmpty());
    EXPECT_TRUE(m_log.calls.isEmpty());
    click(*window, "btnDesign");
    click(*window, "SpeedButton1");
    EXPECT_EQ(messages.texts(), (QStringList{QStringLiteral("没有预设模版，若有需要请与软件开发商联系"),
                                             QStringLiteral("请先选择一个报表")}));
    window->close();
    EXPECT_TRUE(ReportStore::load(db(), QStringLiteral("rpt99")).isEmpty());
}

TEST_F(PrintFormTest, PreviewAndPrintGetTheVisibleRowsAndTheVariables)
{
    AppContext.PrintKind = 2;
    AppContext.PrintText6 = QStringLiteral("会计年度");
    AppContext.PrintText7 = QStringLiteral("期间");
    AppContext.PrintText8 = QStringLiteral("不用的");
    AppContext.PrintText1 = QStringLiteral("2024年");
    AppContext.PrintText2 = QStringLiteral("1月--3月 'Q1'");
    AppContext.PrintText3 = QStringLiteral("x");
    // The caller's account filter: only the rows of 1001 are visible.
    QSortFilterProxyModel visible;
    visible.setSourceModel(&m_rows);
    visible.setFilterKeyColumn(5);
    visible.setFilterFixedString(QStringLiteral("1001"));
    auto window = open(QStringLiteral("rpt08"), &visible);
    click(*window, "btnPreview");
    EXPECT_EQ(m_log.rows, 3);
    EXPECT_EQ(m_log.variables.value(QStringLiteral("帐套名称")), QStringLiteral("澜序 'A' 公司"));
    EXPECT_EQ(m_log.variables.value(QStringLiteral("公司名称")), QStringLiteral("澜序 'A' 公司"));
    EXPECT_EQ(m_log.variables.raw(QStringLiteral("期间")), QStringLiteral("'1月--3月 'Q1''"));
    EXPECT_EQ(m_log.variables.value(QStringLiteral("期间")), QStringLiteral("1月--3月 'Q1'"));
    EXPECT_FALSE(m_log.variables.contains(QStringLiteral("不用的")));
    EXPECT_TRUE(m_log.texts.contains(QStringLiteral("期间：1月--3月 'Q1'")));
    EXPECT_TRUE(m_log.texts.contains(QStringLiteral("摘要2")));
    EXPECT_FALSE(m_log.texts.contains(QStringLiteral("摘要1")));
    click(*window, "btnPrint");
    EXPECT_EQ(m_log.calls, (QStringList{QStringLiteral("preview"), QStringLiteral("print")}));
    EXPECT_EQ(m_log.rows, 3);
}

TEST_F(PrintFormTest, TheCallersRowPositionComesBackWhenTheWindowCloses)
{
    QTableView caller;
    caller.setModel(&m_rows);
    caller.show();
    caller.setCurrentIndex(m_rows.index(3, 0));
    bool frozen = false;
    m_log.duringPreview = [&] {
        frozen = !caller.updatesEnabled();
        caller.setCurrentIndex(m_rows.index(0, 0)); // the engine walked the rows
    };
    AppContext.PrintTemplate = QStringLiteral("rpt66");
    auto window = std::make_unique<Tprintform>(&m_rows);
    window->setEngine(fakeEngine());
    window->setCallerView(&caller);
    window->show();
    click(*window, "btnPreview");
    EXPECT_TRUE(frozen) << "the caller's view is suspended while the window is open";
    window->close();
    EXPECT_EQ(caller.currentIndex().row(), 3);
    EXPECT_TRUE(caller.updatesEnabled());
}

TEST_F(PrintFormTest, TitlesEditedInTheListAreStoredAndABrokenTemplateIsReported)
{
    ScriptedMessages messages;
    Sql::exec(db(), QStringLiteral("update report set report='{broken' where rptname='rpt18'"));
    auto window = open(QStringLiteral("rpt18"));
    window->list()->model()->setData(window->list()->model()->index(0, 0), QStringLiteral("总帐（新）"));
    click(*window, "btnPreview");
    ASSERT_EQ(messages.messages().size(), 1);
    EXPECT_TRUE(messages.texts().first().startsWith(QStringLiteral("报表模版已损坏")));
    EXPECT_TRUE(m_log.calls.isEmpty());
    window->close();
    const QList<ReportRecord> stored = ReportStore::load(db(), QStringLiteral("rpt18"));
    ASSERT_EQ(stored.size(), 1);
    EXPECT_EQ(stored.first().comment, QStringLiteral("总帐（新）"));
    EXPECT_EQ(stored.first().report, QStringLiteral("{broken")) << "the list stays unchanged";
}

// With LANX_SCREENSHOTS=DIR, saves pictures of the print window, the designer and the preview
// of a voucher, the usage-log viewer and its condition dialog, for a look by eye.
TEST_F(PrintFormTest, SavesScreenshotsWhenAsked)
{
    const QString folder = qEnvironmentVariable("LANX_SCREENSHOTS");
    if (folder.isEmpty())
        GTEST_SKIP() << "set LANX_SCREENSHOTS to a folder to get the pictures";
    auto window = open(QStringLiteral("rpt68"));
    window->resize(420, 300);
    QTest::qWait(50);
    window->grab().save(folder + QStringLiteral("/tprintform.png"));

    QStandardItemModel lines;
    const QStringList names = {"kjnf", "kjyf", "pzbh", "rq", "fjs", "pzzy", "itembm", "kmmc",
                               "jfje", "dfje", "zd", "fh", "jz"};
    lines.setHorizontalHeaderLabels(names);
    const QList<ReportRecord> vouchers = ReportStore::load(db(), QStringLiteral("rpt11"));
    const ReportTemplate report = *ReportTemplate::fromJsonText(vouchers.first().report.toUtf8(), nullptr);
    ReportDesigner designer(report, &lines, window->variables(), vouchers.first().comment);
    designer.resize(1200, 760);
    designer.show();
    QTest::qWait(50);
    designer.canvas()->select(3, 2);
    QTest::qWait(20);
    designer.grab().save(folder + QStringLiteral("/designer.png"));
    designer.close();

    for (int i = 0; i < 3; ++i) {
        QList<QStandardItem *> row;
        for (const QVariant &value : QVariantList{2024, 3, 7, QDate(2024, 3, 26), 1, QStringLiteral("收到货款"),
                                                  i == 2 ? QStringLiteral("6001") : QStringLiteral("1002001"),
                                                  i == 2 ? QStringLiteral("主营业务收入") : QStringLiteral("银行存款/工商银行"),
                                                  i == 2 ? QStringLiteral("0") : QStringLiteral("5000"),
                                                  i == 2 ? QStringLiteral("10000") : QStringLiteral("0"),
                                                  QStringLiteral("张三"), QStringLiteral("李四"), QStringLiteral("王五")}) {
            auto *item = new QStandardItem;
            item->setData(value, Qt::EditRole);
            row << item;
        }
        lines.appendRow(row);
    }
    ReportRenderer renderer(report, &lines, window->variables());
    ReportPreview preview(renderer);
    preview.resize(900, 640);
    preview.show();
    QTest::qWait(100);
    preview.grab().save(folder + QStringLiteral("/preview.png"));
    preview.close();
    window->close();

    Sql::exec(db(), QStringLiteral("insert into op_detail (id,name,password) values (2,'李四','')"));
    for (int i = 1; i <= 12; ++i)
        Sql::exec(db(), QStringLiteral("insert into Oplog (id,czy,title,rq) values (?,?,?,?)"),
                  {i, i % 3 ? QStringLiteral("管理员") : QStringLiteral("李四"),
                   i % 2 ? QStringLiteral("进入录入凭证") : QStringLiteral("进入凭证登帐"),
                   QDateTime(QDate(2024, 3, i), QTime(9, i))});
    AppContext.CurYear = 2024;
    AppContext.CurMonth = 3;
    Tsjlog log;
    log.show();
    QTest::qWait(50);
    log.grab().save(folder + QStringLiteral("/tsjlog.png"));
    AppContext.FormMode = 1;
    Tsjlog1 condition(&log);
    condition.show();
    QTest::qWait(50);
    condition.grab().save(folder + QStringLiteral("/tsjlog1.png"));
}
