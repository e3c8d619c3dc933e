#include "ui/masterdata/tzw_zy.h"

#include "app/appcontext.h"
#include "app/tdm1.h"
#include "db/dberror.h"
#include "masterdata/summaries.h"
#include "ui/app/messages.h"
#include "ui/masterdata/tzw_zy1.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QPushButton>
#include <QSet>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

const QString Caption = QStringLiteral("提示");

QSqlDatabase set()
{
    return Tdm1::current().ADOConnection1();
}

int idOf(const QTreeWidgetItem *item)
{
    return item ? item->data(0, Qt::UserRole).toInt() : 0;
}

} // namespace

Tzw_zy::Tzw_zy(QWidget *parent) : QDialog(parent), m_mode(AppContext.FormMode)
{
    setObjectName(QStringLiteral("zw_zy"));
    setWindowTitle(QStringLiteral("凭证摘要"));

    m_tree = new QTreeWidget(this);
    m_tree->setObjectName(QStringLiteral("dxDBTreeList1"));
    m_tree->setColumnCount(1);
    m_tree->setHeaderLabels({QStringLiteral(" 凭证摘要")});
    m_tree->header()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    m_tree->setSelectionMode(QAbstractItemView::SingleSelection);
    m_tree->installEventFilter(this);
    connect(m_tree, &QTreeWidget::itemDoubleClicked, this, &Tzw_zy::activate);

    auto *buttons = new QVBoxLayout;
    const std::pair<const char *, void (Tzw_zy::*)()> actions[] = {
        {"返回", &Tzw_zy::pick},       {"增加同级", &Tzw_zy::addSibling},
        {"增加下级", &Tzw_zy::addChild}, {"修改", &Tzw_zy::edit},
        {"删除", &Tzw_zy::remove},
    };
    for (const auto &[caption, slot] : actions) {
        auto *button = new QPushButton(QString::fromUtf8(caption), this);
        button->setAutoDefault(false);
        connect(button, &QPushButton::clicked, this, slot);
        buttons->addWidget(button);
    }
    auto *expand = new QPushButton(QStringLiteral("展开"), this);
    auto *collapse = new QPushButton(QStringLiteral("收敛"), this);
    for (QPushButton *button : {expand, collapse})
        button->setAutoDefault(false);
    connect(expand, &QPushButton::clicked, m_tree, &QTreeWidget::expandAll);
    connect(collapse, &QPushButton::clicked, m_tree, &QTreeWidget::collapseAll);
    buttons->addSpacing(12);
    buttons->addWidget(expand);
    buttons->addWidget(collapse);
    buttons->addStretch();

    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(12, 12, 12, 12);
    layout->setSpacing(12);
    layout->addWidget(m_tree, 1);
    layout->addLayout(buttons);
    resize(460, 420);

    reload(0);
    m_tree->expandAll();
    m_tree->setFocus();
}

QPushButton *Tzw_zy::button(const QString &caption) const
{
    const QList<QPushButton *> buttons = findChildren<QPushButton *>();
    for (QPushButton *button : buttons) {
        if (button->text() == caption)
            return button;
    }
    return nullptr;
}

void Tzw_zy::reload(int selectedId)
{
    QSet<int> collapsed;
    for (int i = 0; i < m_tree->topLevelItemCount(); ++i) {
        if (!m_tree->topLevelItem(i)->isExpanded())
            collapsed.insert(idOf(m_tree->topLevelItem(i)));
    }
    const bool first = m_tree->topLevelItemCount() == 0;
    m_tree->clear();
    QList<Summaries::Summary> rows;
    try {
        rows = Summaries::list(set());
    } catch (const DbError &error) {
        ShowInfo(error.message());
    }
    QHash<int, QTreeWidgetItem *> groups;
    // Groups first, so that each phrase finds its group whatever the order of the ids.
    for (const Summaries::Summary &row : std::as_const(rows)) {
        if (!row.isGroup())
            continue;
        auto *item = new QTreeWidgetItem(m_tree, {row.info});
        item->setData(0, Qt::UserRole, row.id);
        groups[row.id] = item;
    }
    for (const Summaries::Summary &row : std::as_const(rows)) {
        if (row.isGroup())
            continue;
        QTreeWidgetItem *group = groups.value(row.parent);
        auto *item = group ? new QTreeWidgetItem(group, {row.info})
                           : new QTreeWidgetItem(m_tree, {row.info});
        item->setData(0, Qt::UserRole, row.id);
    }
    for (int i = 0; i < m_tree->topLevelItemCount(); ++i) {
        QTreeWidgetItem *item = m_tree->topLevelItem(i);
        item->setExpanded(first || !collapsed.contains(idOf(item)));
    }
    selectId(selectedId);
}

int Tzw_zy::currentId() const
{
    return idOf(m_tree->currentItem());
}

void Tzw_zy::selectId(int id)
{
    QTreeWidgetItemIterator it(m_tree);
    QTreeWidgetItem *chosen = *it; // the first row when the id is not there
    for (; *it; ++it) {
        if (idOf(*it) == id)
            chosen = *it;
    }
    if (chosen)
        m_tree->setCurrentItem(chosen);
}

void Tzw_zy::pick()
{
    if (const QTreeWidgetItem *item = m_tree->currentItem())
        AppContext.PickedCode = item->text(0);
    accept();
}

void Tzw_zy::activate()
{
    if (m_mode == 2 || m_edited)
        pick();
}

bool Tzw_zy::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_tree && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            activate();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void Tzw_zy::addSibling()
{
    const QTreeWidgetItem *item = m_tree->currentItem();
    const QTreeWidgetItem *group = item ? item->parent() : nullptr;
    openEditor(group ? idOf(group) : Summaries::GroupParent, 0);
}

void Tzw_zy::addChild()
{
    const QTreeWidgetItem *item = m_tree->currentItem();
    if (!item)
        return;
    if (item->parent()) {
        ShowMessage(Caption, QStringLiteral("摘要最多2级。"));
        return;
    }
    openEditor(idOf(item), 0);
}

void Tzw_zy::edit()
{
    const int id = currentId();
    if (id == 0)
        return;
    m_edited = true;
    openEditor(Summaries::GroupParent, id);
}

void Tzw_zy::openEditor(int parent, int id)
{
    int shown = currentId();
    try {
        Tzw_zy1 editor(set(), parent, id, this);
        editor.exec();
        if (editor.savedId() != 0)
            shown = editor.savedId();
    } catch (const DbError &error) {
        ShowInfo(error.message());
    }
    reload(shown);
}

void Tzw_zy::remove()
{
    const int id = currentId();
    if (id == 0)
        return;
    try {
        const Status allowed = Summaries::checkRemove(set(), id);
        if (!allowed) {
            ShowMessage(Caption, allowed.message());
            return;
        }
        if (!ConfirmOkCancel(QStringLiteral("数据删除后不可恢复，确认要删除？"), Caption))
            return;
        Summaries::remove(set(), id);
    } catch (const DbError &error) {
        ShowInfo(error.message());
    }
    // The row below takes the place of the one deleted.
    QTreeWidgetItem *next = m_tree->itemBelow(m_tree->currentItem());
    if (!next)
        next = m_tree->itemAbove(m_tree->currentItem());
    reload(idOf(next));
}
