#include "ui/masterdata/tzw_wb.h"

#include "app/appcontext.h"
#include "app/tdm1.h"
#include "db/dberror.h"
#include "masterdata/currencies.h"
#include "ui/app/listlayout.h"
#include "ui/app/messages.h"
#include "ui/masterdata/tzw_wb1.h"

#include <QHeaderView>
#include <QPushButton>
#include <QTableWidget>

namespace {

QSqlDatabase set()
{
    return Tdm1::current().ADOConnection1();
}

} // namespace

Tzw_wb::Tzw_wb(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("zw_wb"));
    setWindowTitle(QStringLiteral("外币种类"));

    m_grid = new QTableWidget(0, 2, this);
    m_grid->setObjectName(QStringLiteral("DBGrid1"));
    m_grid->setHorizontalHeaderLabels({QStringLiteral("外币种类"), QStringLiteral("外币汇率")});
    m_grid->horizontalHeader()->setStretchLastSection(true);
    m_grid->horizontalHeader()->resizeSection(0, 140);
    ListLayout::styleGrid(m_grid);

    m_add = new QPushButton(QStringLiteral("增加"), this);
    m_edit = new QPushButton(QStringLiteral("修改"), this);
    m_delete = new QPushButton(QStringLiteral("删除"), this);
    m_close = new QPushButton(QStringLiteral("返回"), this);
    connect(m_add, &QPushButton::clicked, this, &Tzw_wb::add);
    connect(m_edit, &QPushButton::clicked, this, &Tzw_wb::edit);
    connect(m_delete, &QPushButton::clicked, this, &Tzw_wb::remove);
    connect(m_close, &QPushButton::clicked, this, &QDialog::accept);

    ListLayout::placeWithButtons(this, m_grid, {m_add, m_edit, m_delete, m_close});
    resize(440, 320);

    reload(QString());
}

void Tzw_wb::reload(const QString &selected)
{
    QList<Currencies::Currency> currencies;
    try {
        currencies = Currencies::list(set());
    } catch (const DbError &error) {
        ShowInfo(error.message());
    }
    m_grid->setRowCount(int(currencies.size()));
    for (int row = 0; row < currencies.size(); ++row) {
        m_grid->setItem(row, 0, new QTableWidgetItem(currencies.at(row).name));
        auto *rate = new QTableWidgetItem(Currencies::formatRate(currencies.at(row).hl));
        rate->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        m_grid->setItem(row, 1, rate);
    }
    selectName(selected);
}

QString Tzw_wb::currentName() const
{
    const QTableWidgetItem *item = m_grid->item(m_grid->currentRow(), 0);
    return item ? item->text() : QString();
}

void Tzw_wb::selectName(const QString &name)
{
    int row = 0;
    for (int i = 0; i < m_grid->rowCount(); ++i) {
        if (m_grid->item(i, 0)->text() == name)
            row = i;
    }
    if (m_grid->rowCount() > 0)
        m_grid->setCurrentCell(row, 0);
}

void Tzw_wb::add()
{
    AppContext.FormMode = 1;
    QString shown = currentName();
    try {
        Tzw_wb1 editor(set(), QString(), this);
        if (editor.exec() == QDialog::Accepted)
            shown = editor.savedName();
    } catch (const DbError &error) {
        ShowInfo(error.message());
    }
    reload(shown);
}

void Tzw_wb::edit()
{
    QString shown = currentName();
    if (shown.isEmpty())
        return;
    AppContext.FormMode = 2;
    try {
        Tzw_wb1 editor(set(), shown, this);
        if (editor.exec() == QDialog::Accepted)
            shown = editor.savedName();
    } catch (const DbError &error) {
        ShowInfo(error.message());
    }
    reload(shown);
}

void Tzw_wb::remove()
{
    const QString name = currentName();
    if (name.isEmpty())
        return;
    const int row = m_grid->currentRow();
    try {
        const Status allowed = Currencies::checkRemove(set(), name);
        if (!allowed) {
            ShowMessage(QStringLiteral("提示"), allowed.message());
            return;
        }
        if (!ConfirmWarning(QStringLiteral("确实要删除吗?"), QStringLiteral("确认信息")))
            return;
        Currencies::remove(set(), name);
    } catch (const DbError &error) {
        ShowInfo(error.message());
    }
    reload(QString());
    if (m_grid->rowCount() > 0)
        m_grid->setCurrentCell(qMin(row, m_grid->rowCount() - 1), 0);
}
