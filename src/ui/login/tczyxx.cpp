#include "ui/login/tczyxx.h"

#include "app/appcontext.h"
#include "app/tdm1.h"
#include "db/dberror.h"
#include "login/operators.h"
#include "ui/app/listlayout.h"
#include "ui/app/messages.h"
#include "ui/login/tczyxx1.h"

#include <QHeaderView>
#include <QPushButton>
#include <QScreen>
#include <QTableWidget>

namespace {

const QString ConfirmCaption = QStringLiteral("确认信息");

} // namespace

Tczyxx::Tczyxx(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("czyxx"));
    setWindowTitle(QStringLiteral("操作员维护"));

    m_grid = new QTableWidget(0, 1, this);
    m_grid->setObjectName(QStringLiteral("DBGrid1"));
    m_grid->setHorizontalHeaderLabels({QStringLiteral("操作员姓名")});
    m_grid->horizontalHeader()->setStretchLastSection(true);
    m_grid->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    ListLayout::styleGrid(m_grid);
    connect(m_grid, &QTableWidget::cellDoubleClicked, this, &Tczyxx::editOperator);

    m_add = new QPushButton(QStringLiteral("增加"), this);
    m_edit = new QPushButton(QStringLiteral("修改"), this);
    m_delete = new QPushButton(QStringLiteral("删除"), this);
    m_clearPassword = new QPushButton(QStringLiteral("取消密码"), this);
    connect(m_add, &QPushButton::clicked, this, &Tczyxx::addOperator);
    connect(m_edit, &QPushButton::clicked, this, &Tczyxx::editOperator);
    connect(m_delete, &QPushButton::clicked, this, &Tczyxx::deleteOperator);
    connect(m_clearPassword, &QPushButton::clicked, this, &Tczyxx::clearPassword);

    ListLayout::placeWithButtons(this, m_grid, {m_add, m_edit, m_delete, m_clearPassword});
    resize(380, 340);
}

QSqlDatabase Tczyxx::set()
{
    return Tdm1::current().ADOConnection1();
}

void Tczyxx::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (!m_placed) {
        // A small list of names: centred on the screen at its own size rather than stretched
        // over the main window.
        m_placed = true;
        resize(380, 340);
        if (const QScreen *screen = this->screen())
            move(screen->availableGeometry().center() - rect().center());
    }
    try {
        Operators::ensureAdministrator(set());
    } catch (const DbError &error) {
        ShowInfo(error.message());
    }
    reload(currentId());
}

void Tczyxx::reload(int selectedId)
{
    QList<Operators::Operator> operators;
    try {
        operators = Operators::list(set());
    } catch (const DbError &error) {
        ShowInfo(error.message());
    }
    m_grid->setRowCount(int(operators.size()));
    for (int row = 0; row < operators.size(); ++row) {
        auto *item = new QTableWidgetItem(operators.at(row).name);
        item->setData(Qt::UserRole, operators.at(row).id);
        m_grid->setItem(row, 0, item);
    }
    selectId(selectedId);
}

int Tczyxx::currentId() const
{
    const QTableWidgetItem *item = m_grid->item(m_grid->currentRow(), 0);
    return item ? item->data(Qt::UserRole).toInt() : 0;
}

void Tczyxx::selectId(int id)
{
    int row = 0;
    for (int i = 0; i < m_grid->rowCount(); ++i) {
        if (m_grid->item(i, 0)->data(Qt::UserRole).toInt() == id)
            row = i;
    }
    if (m_grid->rowCount() > 0)
        m_grid->setCurrentCell(row, 0);
}

void Tczyxx::addOperator()
{
    if (m_grid->rowCount() >= Operators::MaxOperators) {
        ShowInfo(QStringLiteral("操作员最多10000个。  "));
        return;
    }
    openEditor(1, 0);
}

void Tczyxx::editOperator()
{
    const int id = currentId();
    if (id == 0)
        return;
    if (id == Operators::AdministratorId) {
        ShowInfo(QStringLiteral("管理员不能修改。   "));
        return;
    }
    openEditor(2, id);
}

void Tczyxx::openEditor(int formMode, int id)
{
    int shownId = currentId();
    try {
        AppContext.FormMode = formMode;
        Tczyxx1 editor(set(), id, this);
        if (editor.exec() == QDialog::Accepted)
            shownId = editor.operatorId();
    } catch (const DbError &error) {
        ShowInfo(error.message());
    }
    reload(shownId);
}

void Tczyxx::deleteOperator()
{
    const int id = currentId();
    if (id == 0)
        return;
    try {
        if (id != Operators::AdministratorId
            && !ConfirmWarning(QStringLiteral("确实要删除吗?"), ConfirmCaption))
            return;
        const Status removed = Operators::remove(set(), id);
        if (!removed) {
            ShowInfo(removed.message());
            return;
        }
    } catch (const DbError &error) {
        ShowInfo(error.message());
    }
    // The row below takes the place of the one deleted.
    const int row = m_grid->currentRow();
    reload(0);
    if (m_grid->rowCount() > 0)
        m_grid->setCurrentCell(qMin(row, m_grid->rowCount() - 1), 0);
}

void Tczyxx::clearPassword()
{
    const int id = currentId();
    if (id == 0)
        return;
    try {
        if (id != Operators::AdministratorId
            && !ConfirmWarning(QStringLiteral("确实要取消吗?"), ConfirmCaption))
            return;
        const Status cleared = Operators::clearPassword(set(), id);
        if (!cleared)
            ShowInfo(cleared.message());
    } catch (const DbError &error) {
        ShowInfo(error.message());
    }
}
