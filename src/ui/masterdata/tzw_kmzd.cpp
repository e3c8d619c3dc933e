#include "ui/masterdata/tzw_kmzd.h"

#include "app/appcontext.h"
#include "app/tdm1.h"
#include "db/dberror.h"
#include "masterdata/accountlookup.h"
#include "ui/app/messages.h"
#include "ui/masterdata/tkmzddy.h"
#include "ui/masterdata/tzw_kmzd1.h"

#include <QHBoxLayout>
#include <QHash>
#include <QHeaderView>
#include <QKeyEvent>
#include <QPushButton>
#include <QScreen>
#include <QShowEvent>
#include <QTabBar>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

const QString PromptCaption = QStringLiteral("提示");
constexpr int IndexRole = Qt::UserRole;

} // namespace

Tzw_kmzd::Tzw_kmzd(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("zw_kmzd"));
    setWindowTitle(QStringLiteral("科目字典维护"));

    m_tabs = new QTabBar(this);
    for (int category = 1; category <= 5; ++category)
        m_tabs->addTab(categoryName(category));
    m_tabs->setExpanding(false);
    m_tabs->setDrawBase(false);
    connect(m_tabs, &QTabBar::currentChanged, this, [this] { reload(QString()); });

    m_tree = new QTreeWidget(this);
    m_tree->setObjectName(QStringLiteral("DBTreeView1"));
    m_tree->setColumnCount(3);
    m_tree->setHeaderLabels(
        {QStringLiteral("科目编码"), QStringLiteral("科目名称"), QStringLiteral("ERP科目编码")});
    m_tree->header()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    m_tree->header()->setStretchLastSection(true);
    m_tree->setColumnWidth(0, 230);
    m_tree->setColumnWidth(1, 250);
    m_tree->setUniformRowHeights(true);
    m_tree->setAlternatingRowColors(true);
    m_tree->setSelectionMode(QAbstractItemView::SingleSelection);
    m_tree->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_tree->setExpandsOnDoubleClick(false);
    m_tree->installEventFilter(this);
    connect(m_tree, &QTreeWidget::itemDoubleClicked, this, [this] { activateCurrent(); });

    m_ok = new QPushButton(QStringLiteral("确定"), this);
    m_addSibling = new QPushButton(QStringLiteral("增加同级"), this);
    m_addChild = new QPushButton(QStringLiteral("增加下级"), this);
    m_edit = new QPushButton(QStringLiteral("修 改"), this);
    m_delete = new QPushButton(QStringLiteral("删 除"), this);
    m_list = new QPushButton(QStringLiteral("列表查询"), this);
    m_cancel = new QPushButton(QStringLiteral("取消"), this);
    connect(m_ok, &QPushButton::clicked, this, &Tzw_kmzd::pick);
    connect(m_addSibling, &QPushButton::clicked, this, &Tzw_kmzd::addSibling);
    connect(m_addChild, &QPushButton::clicked, this, &Tzw_kmzd::addChild);
    connect(m_edit, &QPushButton::clicked, this, &Tzw_kmzd::editAccount);
    connect(m_delete, &QPushButton::clicked, this, &Tzw_kmzd::deleteAccount);
    connect(m_list, &QPushButton::clicked, this, &Tzw_kmzd::showList);
    connect(m_cancel, &QPushButton::clicked, this, &Tzw_kmzd::reject);

    auto *buttons = new QVBoxLayout;
    buttons->setSpacing(8);
    for (QPushButton *button : {m_ok, m_addSibling, m_addChild, m_edit, m_delete, m_list}) {
        button->setAutoDefault(false);
        button->setMinimumWidth(92);
        buttons->addWidget(button);
    }
    buttons->addStretch();
    m_cancel->setAutoDefault(false);
    m_cancel->setMinimumWidth(92);
    buttons->addWidget(m_cancel);

    auto *left = new QVBoxLayout;
    left->setSpacing(0);
    left->addWidget(m_tabs);
    left->addWidget(m_tree, 1);

    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(12, 12, 12, 12);
    layout->setSpacing(12);
    layout->addLayout(left, 1);
    layout->addLayout(buttons);
    resize(760, 560);
}

void Tzw_kmzd::Execute(int formMode, QWidget *parent)
{
    AppContext.FormMode = formMode;
    Tzw_kmzd dialog(parent);
    dialog.exec();
}

ChartOfAccounts Tzw_kmzd::chart() const
{
    return ChartOfAccounts(Tdm1::current().ADOConnection1(), CodeLevels::fromContext());
}

void Tzw_kmzd::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (event->spontaneous())
        return; // restored from the task bar: not a new showing
    if (!m_placed) {
        m_placed = true;
        if (const QScreen *screen = this->screen())
            move(screen->availableGeometry().center() - rect().center());
    }
    m_mode = AppContext.FormMode;
    AppContext.PickedCode.clear();
    AppContext.PickedName.clear();
    reload(QString());
    m_tree->setFocus();
}

int Tzw_kmzd::category() const
{
    return m_tabs->currentIndex() + 1;
}

void Tzw_kmzd::setCategory(int category)
{
    m_tabs->setCurrentIndex(category - 1);
}

void Tzw_kmzd::reload(const QString &selectedCode)
{
    try {
        m_accounts = chart().category(category());
    } catch (const DbError &error) {
        m_accounts.clear();
        ShowInfo(error.message());
    }
    m_tree->setUpdatesEnabled(false);
    m_tree->clear();
    // The tree hangs on id and parent; the accounts come by code, so every level is in order.
    QHash<int, QTreeWidgetItem *> itemOf;
    QList<QTreeWidgetItem *> roots;
    for (int i = 0; i < m_accounts.size(); ++i) {
        const AccountRecord &account = m_accounts.at(i);
        QTreeWidgetItem *parent = itemOf.value(account.parent);
        auto *item = new QTreeWidgetItem(
            QStringList{account.itembm, account.itemmc, account.erpKmcode});
        item->setData(0, IndexRole, i);
        if (parent)
            parent->addChild(item);
        else
            roots.append(item); // level 1, or an account whose parent row is missing
        itemOf.insert(account.id, item);
    }
    m_tree->addTopLevelItems(roots);
    m_tree->expandAll();
    m_tree->setUpdatesEnabled(true);
    if (!selectCode(selectedCode) && m_tree->topLevelItemCount() > 0)
        m_tree->setCurrentItem(m_tree->topLevelItem(0));
}

bool Tzw_kmzd::selectCode(const QString &code)
{
    if (code.isEmpty())
        return false;
    const QList<QTreeWidgetItem *> found =
        m_tree->findItems(code, Qt::MatchExactly | Qt::MatchRecursive, 0);
    if (found.isEmpty())
        return false;
    m_tree->setCurrentItem(found.first());
    m_tree->scrollToItem(found.first());
    return true;
}

std::optional<AccountRecord> Tzw_kmzd::currentAccount() const
{
    const QTreeWidgetItem *item = m_tree->currentItem();
    if (!item)
        return std::nullopt;
    const int index = item->data(0, IndexRole).toInt();
    if (index < 0 || index >= m_accounts.size())
        return std::nullopt;
    return m_accounts.at(index);
}

bool Tzw_kmzd::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_tree && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            activateCurrent();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void Tzw_kmzd::activateCurrent()
{
    const std::optional<AccountRecord> account = currentAccount();
    if (!account)
        return;
    if (m_mode == PickAny) {
        pick();
    } else if (m_mode == PickLeaf) {
        try {
            if (!chart().hasSubAccounts(account->itembm))
                pick();
        } catch (const DbError &error) {
            ShowInfo(error.message());
        }
    } else {
        const QString saved = openEditor(3);
        reload(saved.isEmpty() ? account->itembm : saved);
    }
}

void Tzw_kmzd::pick()
{
    if (const std::optional<AccountRecord> account = currentAccount()) {
        AppContext.PickedCode = account->itembm;
        AppContext.PickedName = account->itemmc;
    }
    accept();
}

QString Tzw_kmzd::openEditor(int formMode)
{
    try {
        AppContext.FormMode = formMode;
        Tzw_kmzd1 editor(category(), currentAccount(), this);
        editor.exec();
        return editor.savedCode();
    } catch (const DbError &error) {
        ShowInfo(error.message());
        return QString();
    }
}

void Tzw_kmzd::addSibling()
{
    const std::optional<AccountRecord> current = currentAccount();
    const QString saved = openEditor(1);
    reload(saved.isEmpty() && current ? current->itembm : saved);
}

void Tzw_kmzd::addChild()
{
    const std::optional<AccountRecord> parent = currentAccount();
    if (!parent)
        return;
    const ChartOfAccounts accounts = chart();
    if (const Status allowed = accounts.canAddSubAccount(*parent); !allowed) {
        ShowMessage(PromptCaption, allowed.message());
        return;
    }
    bool used = false;
    try {
        used = accounts.hasVoucherLines(parent->itembm);
    } catch (const DbError &error) {
        ShowInfo(error.message());
        return;
    }
    if (used
        && (!ConfirmNoDefault(ChartOfAccounts::UsedParentWarning)
            || !ConfirmNoDefault(ChartOfAccounts::UsedParentQuestion)))
        return;

    openEditor(2);
    QString child;
    try {
        child = accounts.adoptSubAccount(parent->itembm, used);
    } catch (const DbError &error) {
        ShowInfo(used ? ChartOfAccounts::MoveFailed : error.message());
    }
    reload(child.isEmpty() ? parent->itembm : child);
}

void Tzw_kmzd::editAccount()
{
    const std::optional<AccountRecord> account = currentAccount();
    if (!account)
        return;
    const QString saved = openEditor(3);
    reload(saved.isEmpty() ? account->itembm : saved);
}

void Tzw_kmzd::deleteAccount()
{
    const std::optional<AccountRecord> account = currentAccount();
    if (!account)
        return;
    const ChartOfAccounts accounts = chart();
    try {
        if (const Status allowed = accounts.checkDeletion(account->itembm); !allowed) {
            ShowMessage(PromptCaption, allowed.message());
            return;
        }
        if (!ConfirmOkCancel(ChartOfAccounts::ConfirmDeletion, PromptCaption))
            return;
        if (const Status removed = accounts.remove(account->itembm); !removed) {
            ShowMessage(PromptCaption, removed.message());
            return;
        }
    } catch (const DbError &error) {
        ShowInfo(error.message());
    }
    // The account that followed takes the place of the one deleted.
    const int index = int(m_accounts.indexOf(*account));
    QString next;
    if (index + 1 < m_accounts.size())
        next = m_accounts.at(index + 1).itembm;
    else if (index > 0)
        next = m_accounts.at(index - 1).itembm;
    reload(next);
}

void Tzw_kmzd::showList()
{
    Tkmzddy list(this);
    list.exec();
}

void Tzw_kmzd::done(int result)
{
    // Each D8AZO account may be mapped from one account only.
    try {
        const QStringList duplicates = chart().duplicateErpCodes();
        if (!duplicates.isEmpty()) {
            ShowInfo(ChartOfAccounts::duplicateErpMessage(duplicates));
            return;
        }
    } catch (const DbError &error) {
        ShowInfo(error.message());
    }
    QDialog::done(result);
}
