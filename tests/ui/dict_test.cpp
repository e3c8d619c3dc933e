#include "testbooks.h"

#include "screentesting.h"

#include "app/appcontext.h"
#include "app/tdm1.h"
#include "db/sql.h"
#include "masterdata/currencies.h"
#include "masterdata/departments.h"
#include "masterdata/projects.h"
#include "masterdata/summaries.h"
#include "ui/app/messages.h"
#include "ui/app/tmainform.h"
#include "ui/masterdata/tbmzd2.h"
#include "ui/masterdata/tbmzdnew.h"
#include "ui/masterdata/tbmzdnew1.h"
#include "ui/masterdata/txmzd.h"
#include "ui/masterdata/txmzd1.h"
#include "ui/masterdata/txmzd2.h"
#include "ui/masterdata/tzw_wb.h"
#include "ui/masterdata/tzw_wb1.h"
#include "ui/masterdata/tzw_zy.h"
#include "ui/masterdata/tzw_zy1.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QTreeWidget>

#include <functional>

namespace {

QStringList treeRows(QTreeWidget *tree)
{
    QStringList rows;
    for (QTreeWidgetItemIterator it(tree); *it; ++it) {
        int depth = 0;
        for (QTreeWidgetItem *up = (*it)->parent(); up; up = up->parent())
            ++depth;
        QStringList texts;
        for (int column = 0; column < tree->columnCount(); ++column)
            texts << (*it)->text(column);
        rows << QString(depth * 2, u' ') + texts.join(u' ');
    }
    return rows;
}

QStringList gridRows(QTableWidget *grid)
{
    QStringList rows;
    for (int row = 0; row < grid->rowCount(); ++row) {
        QStringList texts;
        for (int column = 0; column < grid->columnCount(); ++column)
            texts << grid->item(row, column)->text();
        rows << texts.join(u' ');
    }
    return rows;
}

void selectItem(QTreeWidget *tree, const QString &text)
{
    for (QTreeWidgetItemIterator it(tree); *it; ++it) {
        if ((*it)->text(0) == text)
            tree->setCurrentItem(*it);
    }
}

} // namespace

// A data module on a fresh account set; messages are scripted.
class DictScreensTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        AppContext = AppContextRecord();
        m_set = m_books.createSet();
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
    int count(const QString &table) const
    {
        return Sql::scalar(db(), QStringLiteral("select count(*) from %1").arg(table)).toInt();
    }

    TestBooks m_books;
    AccountSet m_set;
    Tdm1 m_dm;
    ScriptedMessages m_messages;
};

// --- summaries ---

TEST_F(DictScreensTest, SummaryPickerReturnsThePhraseOfTheCurrentRow)
{
    const int group = Summaries::add(db(), -1, QStringLiteral("费用")).value();
    Summaries::add(db(), group, QStringLiteral("付差旅费"));
    Summaries::add(db(), group, QStringLiteral("报'销%"));

    AppContext.FormMode = 2;
    Tzw_zy picker;
    picker.show();
    EXPECT_EQ(treeRows(picker.tree()), QStringList({"费用", "  付差旅费", "  报'销%"}));
    selectItem(picker.tree(), QStringLiteral("报'销%"));
    QTest::keyClick(picker.tree(), Qt::Key_Return);
    EXPECT_EQ(AppContext.PickedCode, QStringLiteral("报'销%"));
    EXPECT_FALSE(picker.isVisible());

    // From the menu, Enter does not pick until 修改 has been used.
    AppContext.FormMode = 1;
    AppContext.PickedCode.clear();
    Tzw_zy maintenance;
    maintenance.show();
    selectItem(maintenance.tree(), QStringLiteral("付差旅费"));
    QTest::keyClick(maintenance.tree(), Qt::Key_Return);
    EXPECT_TRUE(maintenance.isVisible());
    WhenShown<Tzw_zy1> closeEditor([](Tzw_zy1 *editor) { click(editor->cancelButton()); });
    click(maintenance.button(QStringLiteral("修改")));
    EXPECT_TRUE(closeEditor.shown());
    QTest::keyClick(maintenance.tree(), Qt::Key_Return);
    EXPECT_FALSE(maintenance.isVisible());
    EXPECT_EQ(AppContext.PickedCode, QStringLiteral("付差旅费"));
    EXPECT_TRUE(m_messages.texts().isEmpty());
}

TEST_F(DictScreensTest, SummaryTreeHasTwoLevelsAndKeepsGroupsWithPhrases)
{
    AppContext.FormMode = 1;
    Tzw_zy screen;
    screen.show();
    // A group on the empty list, then a phrase in it, then a second one through 增加.
    WhenShown<Tzw_zy1> addGroup([](Tzw_zy1 *editor) {
        click(editor->okButton()); // empty: refused, stays open
        type(editor->textBox(), QStringLiteral("收入"));
        click(editor->okButton());
    });
    click(screen.button(QStringLiteral("增加同级")));
    EXPECT_FALSE(addGroup.leftOpen());
    EXPECT_EQ(m_messages.texts(), QStringList{QStringLiteral("请输入摘要")});
    WhenShown<Tzw_zy1> addPhrases([](Tzw_zy1 *editor) {
        type(editor->textBox(), QStringLiteral("收货款"));
        click(editor->addButton());
        EXPECT_TRUE(editor->textBox()->text().isEmpty());
        type(editor->textBox(), QStringLiteral("收利息"));
        click(editor->okButton());
    });
    click(screen.button(QStringLiteral("增加下级")));
    EXPECT_FALSE(addPhrases.leftOpen());
    EXPECT_EQ(treeRows(screen.tree()), QStringList({"收入", "  收货款", "  收利息"}));
    EXPECT_EQ(screen.tree()->currentItem()->text(0), QStringLiteral("收利息"));

    m_messages.clear();
    click(screen.button(QStringLiteral("增加下级")));
    selectItem(screen.tree(), QStringLiteral("收入"));
    click(screen.button(QStringLiteral("删除")));
    ASSERT_EQ(m_messages.messages().size(), 2);
    EXPECT_EQ(m_messages.messages().at(0).text, QStringLiteral("摘要最多2级。"));
    EXPECT_EQ(m_messages.messages().at(0).caption, QStringLiteral("提示"));
    EXPECT_EQ(m_messages.messages().at(1).text,
              QStringLiteral("此节点是分类不能删除，请先删除分类里的数据。"));
    EXPECT_EQ(count(QStringLiteral("account_zy")), 3);

    // Deleting a phrase asks first; Cancel keeps it.
    m_messages.clear();
    selectItem(screen.tree(), QStringLiteral("收货款"));
    m_messages.answer(false);
    click(screen.button(QStringLiteral("删除")));
    m_messages.answer(true);
    click(screen.button(QStringLiteral("删除")));
    EXPECT_EQ(m_messages.texts(), QStringList(2, QStringLiteral("数据删除后不可恢复，确认要删除？")));
    EXPECT_EQ(treeRows(screen.tree()), QStringList({"收入", "  收利息"}));
    EXPECT_EQ(screen.tree()->currentItem()->text(0), QStringLiteral("收利息"));

    click(screen.button(QStringLiteral("收敛")));
    EXPECT_FALSE(screen.tree()->topLevelItem(0)->isExpanded());
    click(screen.button(QStringLiteral("展开")));
    EXPECT_TRUE(screen.tree()->topLevelItem(0)->isExpanded());
}

// --- currencies ---

TEST_F(DictScreensTest, CurrencyListAddsEditsAndKeepsCurrenciesInUse)
{
    Tzw_wb screen;
    screen.show();
    WhenShown<Tzw_wb1> addUsd([](Tzw_wb1 *editor) {
        type(editor->nameBox(), QStringLiteral("USD"));
        type(editor->rateBox(), QStringLiteral("6.8"));
        click(editor->okButton());
    });
    click(screen.addButton());
    WhenShown<Tzw_wb1> addDuplicate([](Tzw_wb1 *editor) {
        type(editor->nameBox(), QStringLiteral("USD"));
        click(editor->okButton());
        retype(editor->nameBox(), QStringLiteral("HKD"));
        click(editor->okButton()); // an empty rate is 0
    });
    click(screen.addButton());
    EXPECT_FALSE(addDuplicate.leftOpen());
    EXPECT_EQ(m_messages.texts(), QStringList{QStringLiteral("币种名称重复,请重新输入。")});
    EXPECT_EQ(m_messages.messages().at(0).caption, QStringLiteral("提示"));
    EXPECT_EQ(gridRows(screen.grid()), QStringList({"HKD ", "USD 6.8"}));
    EXPECT_EQ(screen.currentName(), QStringLiteral("HKD"));

    screen.selectName(QStringLiteral("USD"));
    WhenShown<Tzw_wb1> rename([](Tzw_wb1 *editor) {
        EXPECT_EQ(editor->nameBox()->text(), QStringLiteral("USD"));
        EXPECT_EQ(editor->rateBox()->text(), QStringLiteral("6.8"));
        retype(editor->rateBox(), QStringLiteral("0.125"));
        click(editor->okButton());
    });
    click(screen.editButton());
    EXPECT_EQ(gridRows(screen.grid()), QStringList({"HKD ", "USD .125"}));

    Sql::exec(db(), QStringLiteral("update iteminfo set wbhs = 1, wbmc = 'USD' where itembm = '1002001'"));
    m_messages.clear();
    click(screen.deleteButton());
    EXPECT_EQ(m_messages.texts(), QStringList{QStringLiteral("已使用不能删除。")});
    screen.selectName(QStringLiteral("HKD"));
    m_messages.answer(true);
    click(screen.deleteButton());
    EXPECT_EQ(m_messages.messages().last().caption, QStringLiteral("确认信息"));
    EXPECT_EQ(m_messages.messages().last().text, QStringLiteral("确实要删除吗?"));
    EXPECT_EQ(gridRows(screen.grid()), QStringList{"USD .125"});
}

// --- departments ---

TEST_F(DictScreensTest, DepartmentTreeAddsSiblingsAndChildrenUpToThreeLevels)
{
    Tbmzdnew screen;
    screen.show();
    WhenShown<Tbmzdnew1> first([](Tbmzdnew1 *editor) {
        EXPECT_FALSE(editor->parentBox()->isVisible()) << "no parent at the top";
        click(editor->okButton());                    // nothing typed
        type(editor->segmentBox(), QStringLiteral("1"));
        type(editor->nameBox(), QStringLiteral("总部"));
        click(editor->okButton());                    // one digit
        retype(editor->segmentBox(), QStringLiteral("01"));
        editor->nameBox()->clear();
        click(editor->okButton());                    // no name
        type(editor->nameBox(), QStringLiteral("总部"));
        click(editor->okButton());
    });
    click(screen.button(QStringLiteral("增加同级")));
    EXPECT_FALSE(first.leftOpen());
    EXPECT_EQ(m_messages.texts(), QStringList({"每级编码长度为2位", "每级编码长度为2位", "请输入部门名称"}));

    WhenShown<Tbmzdnew1> children([](Tbmzdnew1 *editor) {
        EXPECT_TRUE(editor->parentBox()->isVisible());
        EXPECT_EQ(editor->parentBox()->text(), QStringLiteral("01"));
        type(editor->segmentBox(), QStringLiteral("01"));
        type(editor->nameBox(), QStringLiteral("财务部"));
        click(editor->saveAndAddButton());
        EXPECT_EQ(editor->parentBox()->text(), QStringLiteral("01")) << "a sibling of 0101";
        type(editor->segmentBox(), QStringLiteral("01"));
        type(editor->nameBox(), QStringLiteral("重复"));
        click(editor->okButton());
        retype(editor->segmentBox(), QStringLiteral("02"));
        retype(editor->nameBox(), QStringLiteral("销售部"));
        click(editor->okButton());
    });
    m_messages.clear();
    click(screen.button(QStringLiteral("增加下级")));
    EXPECT_FALSE(children.leftOpen());
    EXPECT_EQ(m_messages.texts(), QStringList{"编码已经被使用"});
    EXPECT_EQ(screen.currentCode(), QStringLiteral("0102"));

    WhenShown<Tbmzdnew1> third([](Tbmzdnew1 *editor) {
        type(editor->segmentBox(), QStringLiteral("01"));
        type(editor->nameBox(), QStringLiteral("华东组"));
        click(editor->okButton());
    });
    click(screen.button(QStringLiteral("增加下级")));
    EXPECT_EQ(treeRows(screen.tree()),
              QStringList({"01 总部", "  0101 财务部", "  0102 销售部", "    010201 华东组"}));
    EXPECT_EQ(Sql::scalar(db(), QStringLiteral("select parent from bmbm where bmbm = '010201'")).toInt(), 102);

    m_messages.clear();
    click(screen.button(QStringLiteral("增加下级")));
    EXPECT_EQ(m_messages.texts(), QStringList{"代码最多3级。"});
    EXPECT_EQ(m_messages.messages().at(0).caption, QStringLiteral("提示"));
    EXPECT_EQ(count(QStringLiteral("bmbm")), 4);
}

TEST_F(DictScreensTest, DepartmentEditorLocksUsedCodesAndWalksTheList)
{
    for (const char *code : {"01", "0101", "0102", "02"})
        Departments::add(db(), QString::fromUtf8(code), QStringLiteral("部门") + QString::fromUtf8(code));
    Sql::exec(db(), QStringLiteral("insert into account (kjnf, kjyf, pzbh, pzfl, itembm, bmbm) "
                                   "values (2008, 3, 1, 1, '6602', '0101')"));
    Tbmzdnew screen;
    screen.show();
    screen.selectCode(QStringLiteral("0101"));
    WhenShown<Tbmzdnew1> walk([this](Tbmzdnew1 *editor) {
        EXPECT_FALSE(editor->segmentBox()->isEnabled()) << "0101 is on a voucher line";
        EXPECT_EQ(editor->nameBox()->text(), QStringLiteral("部门0101"));
        click(editor->nextButton()); // nothing changed: no question
        EXPECT_EQ(editor->code(), QStringLiteral("0102"));
        EXPECT_TRUE(editor->segmentBox()->isEnabled());
        retype(editor->segmentBox(), QStringLiteral("09"));
        m_messages.answer(false); // 已修改,是否保存？ Cancel: discarded
        click(editor->nextButton());
        EXPECT_EQ(editor->code(), QStringLiteral("02"));
        retype(editor->nameBox(), QStringLiteral("分厂"));
        m_messages.answer(true);
        click(editor->previousButton());
        EXPECT_EQ(editor->code(), QStringLiteral("0102"));
        click(editor->cancelButton());
    });
    AppContext.FormMode = 3;
    click(screen.button(QStringLiteral("修 改")));
    EXPECT_TRUE(walk.shown());
    EXPECT_EQ(m_messages.texts(), QStringList(2, QStringLiteral("已修改,是否保存？")));
    EXPECT_EQ(treeRows(screen.tree()),
              QStringList({"01 部门01", "  0101 部门0101", "  0102 部门0102", "02 分厂"}));

    EXPECT_EQ(screen.currentCode(), QStringLiteral("02")) << "the department last saved";

    m_messages.clear();
    screen.selectCode(QStringLiteral("0101"));
    click(screen.button(QStringLiteral("增加下级")));
    EXPECT_EQ(m_messages.texts(), QStringList{"编码已用不能增加下级。"});
}

TEST_F(DictScreensTest, DepartmentDeletionTellsWhatUsesIt)
{
    for (const char *code : {"01", "0101", "02", "03"})
        Departments::add(db(), QString::fromUtf8(code), QStringLiteral("部门"));
    Sql::exec(db(), QStringLiteral("insert into gdzc_zjlist (gzbh, yue, bmbm) values ('0001', 24099, '02')"));
    Tbmzdnew screen;
    screen.show();
    for (const char *code : {"01", "02"}) {
        screen.selectCode(QString::fromUtf8(code));
        click(screen.button(QStringLiteral("删 除")));
    }
    screen.selectCode(QStringLiteral("03"));
    m_messages.answer(true);
    click(screen.button(QStringLiteral("删 除")));
    EXPECT_EQ(m_messages.texts(), QStringList({"     不能删除汇总编码。", "折旧已使用不能删除。  ",
                                               "     确认要删除？   "}));
    EXPECT_EQ(treeRows(screen.tree()), QStringList({"01 部门", "  0101 部门", "02 部门"}));
}

// --- projects ---

TEST_F(DictScreensTest, ProjectListReturnsTheCurrentProjectAndKeepsUsedOnes)
{
    Txmzd screen;
    screen.show();
    WhenShown<Txmzd1> add([](Txmzd1 *editor) {
        type(editor->codeBox(), QStringLiteral("123"));
        EXPECT_EQ(editor->codeBox()->text(), QStringLiteral("12")) << "three characters cannot be typed";
        type(editor->nameBox(), QStringLiteral("甲'工程%"));
        click(editor->okButton());
    });
    click(screen.addButton());
    WhenShown<Txmzd1> duplicate([](Txmzd1 *editor) {
        type(editor->codeBox(), QStringLiteral("12"));
        click(editor->okButton());
        retype(editor->codeBox(), QStringLiteral("A"));
        click(editor->okButton());
    });
    click(screen.addButton());
    EXPECT_EQ(m_messages.texts(), QStringList{"编码重复,请重新输入。"});
    EXPECT_EQ(gridRows(screen.grid()), QStringList({"12 甲'工程%", "A "}));

    Sql::exec(db(), QStringLiteral("insert into account (kjnf, kjyf, pzbh, pzfl, itembm, xmbm) "
                                   "values (2008, 3, 1, 1, '5001', '12')"));
    screen.selectCode(QStringLiteral("12"));
    WhenShown<Txmzd1> edit([](Txmzd1 *editor) {
        EXPECT_TRUE(editor->codeBox()->isReadOnly()) << "voucher lines name it";
        retype(editor->nameBox(), QStringLiteral("甲工程"));
        click(editor->okButton());
    });
    emit screen.grid()->cellDoubleClicked(0, 1);
    EXPECT_TRUE(edit.shown());
    m_messages.clear();
    click(screen.deleteButton());
    EXPECT_EQ(m_messages.texts(), QStringList{"已使用不能删除。"});

    click(screen.closeButton());
    EXPECT_EQ(AppContext.PickedCode, QStringLiteral("12"));
    EXPECT_EQ(AppContext.PickedName, QStringLiteral("甲工程"));
    EXPECT_FALSE(screen.isVisible());
}

// --- the voucher form's pick lists ---

TEST_F(DictScreensTest, PickListsOfferLeafDepartmentsAndAllProjects)
{
    const std::pair<const char *, const char *> departmentRows[] = {
        {"01", "总部"}, {"0101", "财务部"}, {"02", "分厂"}};
    for (const auto &[code, name] : departmentRows)
        Departments::add(db(), QString::fromUtf8(code), QString::fromUtf8(name));
    Projects::save(db(), QStringLiteral("P1"), QStringLiteral("甲工程"));
    Projects::save(db(), QStringLiteral("P2"), QStringLiteral("乙工程"));

    AppContext.PickedCode = QStringLiteral("02"); // the line's department
    Tbmzd2 departments;
    QStringList names;
    for (int i = 0; i < departments.list()->count(); ++i)
        names << departments.list()->itemText(i);
    EXPECT_EQ(names, QStringList({"财务部", "分厂", ""}));
    EXPECT_EQ(departments.list()->currentText(), QStringLiteral("分厂"));
    departments.show();
    departments.list()->setCurrentIndex(0);
    QTest::keyClick(departments.list(), Qt::Key_Return);
    EXPECT_FALSE(departments.isVisible());
    EXPECT_EQ(AppContext.PickedCode, QStringLiteral("0101"));
    EXPECT_EQ(AppContext.PickedName, QStringLiteral("财务部"));

    AppContext.PickedCode = QStringLiteral("P2");
    Txmzd2 projects;
    EXPECT_EQ(projects.list()->count(), 3);
    EXPECT_EQ(projects.list()->currentText(), QStringLiteral("乙工程"));
    projects.show();
    projects.list()->setCurrentIndex(2); // the empty entry removes the project
    click(projects.okButton());
    EXPECT_EQ(AppContext.PickedCode, QString());
    EXPECT_EQ(AppContext.PickedName, QString());
}

TEST_F(DictScreensTest, MenuEntriesOpenTheDictionaries)
{
    Tmainform main;
    WhenShown<Tzw_zy> summaries([](Tzw_zy *dialog) { dialog->reject(); });
    main.action(QStringLiteral("MenuItem17"))->trigger();
    EXPECT_TRUE(summaries.shown());
    EXPECT_EQ(AppContext.FormMode, 1);
    WhenShown<Tzw_wb> currencies([](Tzw_wb *dialog) { click(dialog->closeButton()); });
    main.action(QStringLiteral("MenuItem19"))->trigger();
    EXPECT_TRUE(currencies.shown());
    WhenShown<Tbmzdnew> departments([](Tbmzdnew *dialog) { click(dialog->button(QStringLiteral("返回"))); });
    main.action(QStringLiteral("MenuItem21"))->trigger();
    EXPECT_TRUE(departments.shown());
    WhenShown<Txmzd> projects([](Txmzd *dialog) { click(dialog->closeButton()); });
    main.action(QStringLiteral("MenuItem22"))->trigger();
    EXPECT_TRUE(projects.shown());
    EXPECT_FALSE(currencies.leftOpen() || departments.leftOpen() || projects.leftOpen());
}
