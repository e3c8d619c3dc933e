#include "ui/masterdata/tkmzddy.h"

#include "app/appcontext.h"
#include "app/tdm1.h"
#include "db/dberror.h"
#include "masterdata/chartofaccounts.h"
#include "report/reportdata.h"
#include "ui/app/messages.h"
#include "ui/ledger/tprintform.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QStandardItemModel>
#include <QTableView>
#include <QVBoxLayout>

namespace {

struct Column
{
    const char *name; // the column name the print templates bind to
    const char *caption;
    int width;
};

const Column Columns[] = {
    {"itembm", "科目编码", 150},  {"itemmc", "科目名称", 200}, {"erpKmcode", "D8AZO科目编码", 120},
    {"jhdmc", "方向", 50},        {"fzhs", "辅助核算", 180},   {"zlmc", "类别", 60},
};

} // namespace

Tkmzddy::Tkmzddy(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("kmzddy"));
    setWindowTitle(QStringLiteral("科目字典"));

    m_level = new QSpinBox(this);
    m_level->setRange(1, 6);
    m_level->setValue(1);
    m_level->setMinimumWidth(60);
    connect(m_level, &QSpinBox::valueChanged, this, &Tkmzddy::reload);
    auto *levelLabel = new QLabel(QStringLiteral("显示级次："), this);
    levelLabel->setBuddy(m_level);

    m_model = new QStandardItemModel(0, int(std::size(Columns)), this);
    for (int c = 0; c < int(std::size(Columns)); ++c) {
        m_model->setHeaderData(c, Qt::Horizontal, QString::fromUtf8(Columns[c].caption));
        m_model->setHeaderData(c, Qt::Horizontal, QString::fromLatin1(Columns[c].name),
                               ReportData::ColumnNameRole);
    }
    m_grid = new QTableView(this);
    m_grid->setModel(m_model);
    m_grid->verticalHeader()->setVisible(false);
    m_grid->verticalHeader()->setDefaultSectionSize(m_grid->fontMetrics().height() + 10);
    m_grid->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    m_grid->horizontalHeader()->setStretchLastSection(true);
    m_grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_grid->setSelectionMode(QAbstractItemView::SingleSelection);
    m_grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grid->setAlternatingRowColors(true);
    for (int c = 0; c < int(std::size(Columns)); ++c)
        m_grid->setColumnWidth(c, Columns[c].width);

    m_print = new QPushButton(QStringLiteral("打印预览"), this);
    m_close = new QPushButton(QStringLiteral("返回"), this);
    m_print->setAutoDefault(false);
    m_close->setAutoDefault(false);
    connect(m_print, &QPushButton::clicked, this, &Tkmzddy::print);
    connect(m_close, &QPushButton::clicked, this, &Tkmzddy::reject);

    auto *top = new QHBoxLayout;
    top->addWidget(levelLabel);
    top->addWidget(m_level);
    top->addStretch();
    top->addWidget(m_print);
    top->addWidget(m_close);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(12, 12, 12, 12);
    layout->setSpacing(10);
    layout->addLayout(top);
    layout->addWidget(m_grid, 1);
    resize(860, 560);
    reload();
}

void Tkmzddy::reload()
{
    QList<AccountRecord> accounts;
    try {
        accounts = ChartOfAccounts(Tdm1::current().ADOConnection1(), CodeLevels::fromContext())
                       .upToLevel(m_level->value());
    } catch (const DbError &error) {
        ShowInfo(error.message());
    }
    m_model->setRowCount(0);
    m_model->setRowCount(int(accounts.size()));
    for (int row = 0; row < accounts.size(); ++row) {
        const AccountRecord &a = accounts.at(row);
        const QStringList values = {a.itembm,
                                    a.itemmc,
                                    a.erpKmcode,
                                    directionName(a.jhd),
                                    auxiliaryAccountingText(a.wbhs, a.bmhs, a.xmhs),
                                    categoryName(a.zl)};
        for (int c = 0; c < values.size(); ++c)
            m_model->setItem(row, c, new QStandardItem(values.at(c)));
    }
}

void Tkmzddy::print()
{
    if (m_model->rowCount() == 0)
        return;
    AppContext.PrintTemplate = QStringLiteral("rpt61");
    AppContext.PrintKind = 0;
    Tprintform::Execute(m_model, m_grid, this);
}
