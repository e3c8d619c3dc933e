#include "ui/masterdata/tbmzdnew.h"

#include "app/appcontext.h"
#include "app/tdm1.h"
#include "db/dberror.h"
#include "masterdata/departments.h"
#include "ui/app/messages.h"
#include "ui/masterdata/tbmzdnew1.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

const QString Caption = QStringLiteral("提示");

QSqlDatabase set()
{
    return Tdm1::current().ADOConnection1();
}

} // namespace

Tbmzdnew::Tbmzdnew(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("bmzdnew"));
    setWindowTitle(QStringLiteral("部门编码"));

    m_tree = new QTreeWidget(this);
    m_tree->setObjectName(QStringLiteral("dxDBTreeList1"));
    m_tree->setColumnCount(2);
    m_tree->setHeaderLabels({QStringLiteral("编码"), QStringLiteral("部门名称")});
    m_tree->header()->resizeSection(0, 150);
    m_tree->setSelectionMode(QAbstractItemView::SingleSelection);
    m_tree->setAlternatingRowColors(true);

    auto *buttons = new QVBoxLayout;
    const std::pair<const char *, void (Tbmzdnew::*)()> actions[] = {
        {"增加同级", &Tbmzdnew::addSibling},
        {"增加下级", &Tbmzdnew::addChild},
        {"修 改", &Tbmzdnew::edit},
        {"删 除", &Tbmzdnew::remove},
    };
    auto *back = new QPushButton(QStringLiteral("返回"), this);
    back->setAutoDefault(false);
    connect(back, &QPushButton::clicked, this, &QDialog::accept);
    buttons->addWidget(back);
    for (const auto &[caption, slot] : actions) {
        auto *button = new QPushButton(QString::fromUtf8(caption), this);
        button->setAutoDefault(false);
        button->setMinimumWidth(88);
        connect(button, &QPushButton::clicked, this, slot);
        buttons->addWidget(button);
    }
    buttons->addStretch();

    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(12, 12, 12, 12);
    layout->setSpacing(12);
    layout->addWidget(m_tree, 1);
    layout->addLayout(buttons);
    resize(520, 420);

    reload(QString());
}

QPushButton *Tbmzdnew::button(const QString &caption) const
{
    const QList<QPushButton *> buttons = findChildren<QPushButton *>();
    for (QPushButton *button : buttons) {
        if (button->text() == caption)
            return button;
    }
    return nullptr;
}

void Tbmzdnew::reload(const QString &selected)
{
    m_tree->clear();
    QList<Departments::Department> departments;
    try {
        departments = Departments::list(set());
    } catch (const DbError &error) {
        ShowInfo(error.message());
    }
    // In code order each department comes after its parent, whose code is its own without the
    // last segment.
    QHash<QString, QTreeWidgetItem *> items;
    for (const Departments::Department &department : std::as_const(departments)) {
        QTreeWidgetItem *parent = items.value(Departments::parentCode(department.bmbm));
        const QStringList texts = {department.bmbm, department.bmmc};
        auto *item = parent ? new QTreeWidgetItem(parent, texts) : new QTreeWidgetItem(m_tree, texts);
        items.insert(department.bmbm, item);
    }
    m_tree->expandAll();
    selectCode(selected);
}

QString Tbmzdnew::currentCode() const
{
    const QTreeWidgetItem *item = m_tree->currentItem();
    return item ? item->text(0) : QString();
}

void Tbmzdnew::selectCode(const QString &code)
{
    QTreeWidgetItemIterator it(m_tree);
    QTreeWidgetItem *chosen = *it;
    for (; *it; ++it) {
        if ((*it)->text(0) == code)
            chosen = *it;
    }
    if (chosen)
        m_tree->setCurrentItem(chosen);
}

void Tbmzdnew::addSibling()
{
    openEditor(1);
}

void Tbmzdnew::addChild()
{
    const QString code = currentCode();
    if (code.isEmpty())
        return;
    try {
        const Status allowed = Departments::canAddChild(set(), code);
        if (!allowed) {
            ShowMessage(Caption, allowed.message());
            return;
        }
    } catch (const DbError &error) {
        ShowInfo(error.message());
        return;
    }
    openEditor(2);
}

void Tbmzdnew::edit()
{
    if (currentCode().isEmpty())
        return;
    openEditor(3);
}

void Tbmzdnew::openEditor(int formMode)
{
    QString shown = currentCode();
    AppContext.FormMode = formMode;
    try {
        Tbmzdnew1 editor(set(), shown, this);
        editor.exec();
        if (!editor.savedCode().isEmpty())
            shown = editor.savedCode();
    } catch (const DbError &error) {
        ShowInfo(error.message());
    }
    reload(shown);
}

void Tbmzdnew::remove()
{
    const QString code = currentCode();
    if (code.isEmpty())
        return;
    try {
        const Status allowed = Departments::checkRemove(set(), code);
        if (!allowed) {
            ShowMessage(Caption, allowed.message());
            return;
        }
        if (!ConfirmOkCancel(QStringLiteral("     确认要删除？   "), Caption))
            return;
        Departments::remove(set(), code);
    } catch (const DbError &error) {
        ShowInfo(error.message());
    }
    QTreeWidgetItem *next = m_tree->itemBelow(m_tree->currentItem());
    if (!next)
        next = m_tree->itemAbove(m_tree->currentItem());
    reload(next ? next->text(0) : QString());
}
