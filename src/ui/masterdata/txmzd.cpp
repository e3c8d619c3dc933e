#include "ui/masterdata/txmzd.h"

#include "app/appcontext.h"
#include "app/tdm1.h"
#include "db/dberror.h"
#include "masterdata/projects.h"
#include "ui/app/listlayout.h"
#include "ui/app/messages.h"
#include "ui/masterdata/txmzd1.h"

#include <QHeaderView>
#include <QPushButton>
#include <QTableWidget>

namespace {

QSqlDatabase set()
{
    return Tdm1::current().ADOConnection1();
}

} // namespace

Txmzd::Txmzd(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("xmzd"));
    setWindowTitle(QStringLiteral("项目字典"));

    m_grid = new QTableWidget(0, 2, this);
    m_grid->setObjectName(QStringLiteral("DBGrid1"));
    m_grid->setHorizontalHeaderLabels({QStringLiteral("项目编码"), QStringLiteral("项目名称")});
    m_grid->horizontalHeader()->setStretchLastSection(true);
    m_grid->horizontalHeader()->resizeSection(0, 90);
    ListLayout::styleGrid(m_grid);
    connect(m_grid, &QTableWidget::cellDoubleClicked, this, &Txmzd::edit);

    m_close = new QPushButton(QStringLiteral("返回"), this);
    m_add = new QPushButton(QStringLiteral("增加"), this);
    m_edit = new QPushButton(QStringLiteral("修改"), this);
    m_delete = new QPushButton(QStringLiteral("删除"), this);
    connect(m_close, &QPushButton::clicked, this, &Txmzd::pick);
    connect(m_add, &QPushButton::clicked, this, &Txmzd::add);
    connect(m_edit, &QPushButton::clicked, this, &Txmzd::edit);
    connect(m_delete, &QPushButton::clicked, this, &Txmzd::remove);

    ListLayout::placeWithButtons(this, m_grid, {m_close, m_add, m_edit, m_delete});
    resize(460, 360);

    reload(QString());
}

void Txmzd::reload(const QString &selected)
{
    QList<Projects::Project> projects;
    try {
        projects = Projects::list(set());
    } catch (const DbError &error) {
        ShowInfo(error.message());
    }
    m_grid->setRowCount(int(projects.size()));
    for (int row = 0; row < projects.size(); ++row) {
        m_grid->setItem(row, 0, new QTableWidgetItem(projects.at(row).xmbm));
        m_grid->setItem(row, 1, new QTableWidgetItem(projects.at(row).xmmc));
    }
    selectCode(selected);
}

QString Txmzd::currentCode() const
{
    const QTableWidgetItem *item = m_grid->item(m_grid->currentRow(), 0);
    return item ? item->text() : QString();
}

void Txmzd::selectCode(const QString &code)
{
    int row = 0;
    for (int i = 0; i < m_grid->rowCount(); ++i) {
        if (m_grid->item(i, 0)->text() == code)
            row = i;
    }
    if (m_grid->rowCount() > 0)
        m_grid->setCurrentCell(row, 0);
}

void Txmzd::pick()
{
    const int row = m_grid->currentRow();
    if (row >= 0 && row < m_grid->rowCount()) {
        AppContext.PickedCode = m_grid->item(row, 0)->text();
        AppContext.PickedName = m_grid->item(row, 1)->text();
    }
    accept();
}

void Txmzd::add()
{
    openEditor(1, QString());
}

void Txmzd::edit()
{
    const QString code = currentCode();
    if (!code.isEmpty())
        openEditor(2, code);
}

void Txmzd::openEditor(int formMode, const QString &code)
{
    QString shown = currentCode();
    AppContext.FormMode = formMode;
    try {
        Txmzd1 editor(set(), code, this);
        if (editor.exec() == QDialog::Accepted)
            shown = editor.savedCode();
    } catch (const DbError &error) {
        ShowInfo(error.message());
    }
    reload(shown);
}

void Txmzd::remove()
{
    const QString code = currentCode();
    if (code.isEmpty())
        return;
    const int row = m_grid->currentRow();
    try {
        const Status allowed = Projects::checkRemove(set(), code);
        if (!allowed) {
            ShowMessage(QStringLiteral("提示"), allowed.message());
            return;
        }
        if (!ConfirmWarning(QStringLiteral("确实要删除吗?"), QStringLiteral("确认信息")))
            return;
        Projects::remove(set(), code);
    } catch (const DbError &error) {
        ShowInfo(error.message());
    }
    reload(QString());
    if (m_grid->rowCount() > 0)
        m_grid->setCurrentCell(qMin(row, m_grid->rowCount() - 1), 0);
}
