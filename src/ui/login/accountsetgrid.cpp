#include "ui/login/accountsetgrid.h"

#include <QHeaderView>

AccountSetGrid::AccountSetGrid(bool namesEditable, QWidget *parent) : QTableWidget(parent)
{
    setObjectName(QStringLiteral("DBGrid1"));
    setColumnCount(3);
    setHorizontalHeaderLabels({QStringLiteral("帐套名称"), QStringLiteral("帐套代码"), QString()});
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(namesEditable ? QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed
                                        | QAbstractItemView::AnyKeyPressed
                                  : QAbstractItemView::NoEditTriggers);
    verticalHeader()->hide();
    horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
    setColumnWidth(1, 120);
    setColumnWidth(2, 50);
}

void AccountSetGrid::load(const QList<AccountSet> &sets)
{
    m_sets = sets;
    setRowCount(int(sets.size()));
    for (int row = 0; row < sets.size(); ++row) {
        const AccountSet &set = sets.at(row);
        setItem(row, 0, new QTableWidgetItem(set.name));
        auto *code = new QTableWidgetItem(set.code);
        code->setFlags(code->flags() & ~Qt::ItemIsEditable);
        setItem(row, 1, code);
        auto *id = new QTableWidgetItem(QString::number(set.id));
        id->setFlags(id->flags() & ~Qt::ItemIsEditable);
        setItem(row, 2, id);
    }
    if (!sets.isEmpty())
        setCurrentCell(0, 0);
}

std::optional<AccountSet> AccountSetGrid::currentSet() const
{
    const int row = currentRow();
    if (row < 0 || row >= m_sets.size())
        return std::nullopt;
    AccountSet set = m_sets.at(row);
    set.name = item(row, 0)->text();
    return set;
}

QHash<int, QString> AccountSetGrid::editedNames() const
{
    QHash<int, QString> names;
    for (int row = 0; row < m_sets.size(); ++row) {
        const QString typed = item(row, 0)->text();
        if (typed != m_sets.at(row).name)
            names.insert(m_sets.at(row).id, typed);
    }
    return names;
}
