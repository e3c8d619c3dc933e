#include "ledgerrows.h"

#include "db/money.h"
#include "report/reportdata.h"

#include <QDate>

namespace {

qint64 amountCents(int row)
{
    return 10000 + (row % 97) * 1234 + row; // 100.00 and up, different on every row
}

bool isDebit(int row)
{
    return row % 3 != 2;
}

} // namespace

const QStringList &LedgerRows::columns()
{
    static const QStringList names = {"kjnf", "kjyf", "rq",    "pzbh", "pzzy",      "itembm",
                                      "dfkm", "jfje", "dfje",  "wbjf", "wbdf",      "hl",
                                      "kmmc", "kmmc_long", "jhdmc", "ye", "wbye"};
    return names;
}

LedgerRows::LedgerRows(int rows, QObject *parent) : QAbstractTableModel(parent), m_rows(rows)
{
    qint64 balance = 100000000; // 1,000,000.00
    for (int row = 0; row < rows; ++row) {
        balance += isDebit(row) ? amountCents(row) : -amountCents(row);
        m_balances << balance;
    }
}

int LedgerRows::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_rows;
}

int LedgerRows::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(columns().size());
}

QString LedgerRows::summary(int row)
{
    return QStringLiteral("第%1笔 收到货款 '%2'").arg(row + 1).arg(QChar(u'A' + row % 26));
}

QString LedgerRows::balance(int row) const
{
    return Money::fromCents(m_balances.at(row)).toFixed();
}

QVariant LedgerRows::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::EditRole))
        return QVariant();
    const int row = index.row();
    const QString &name = columns().at(index.column());
    const int month = qMin(12, row * 12 / qMax(1, m_rows) + 1);
    if (name == QLatin1String("kjnf"))
        return 2024;
    if (name == QLatin1String("kjyf"))
        return month;
    if (name == QLatin1String("rq"))
        return QDate(2024, month, 1 + row % 28);
    if (name == QLatin1String("pzbh"))
        return row + 1;
    if (name == QLatin1String("pzzy"))
        return summary(row);
    if (name == QLatin1String("itembm"))
        return QStringLiteral("1002");
    if (name == QLatin1String("dfkm"))
        return isDebit(row) ? QStringLiteral("6001") : QStringLiteral("2202");
    if (name == QLatin1String("jfje"))
        return isDebit(row) ? Money::fromCents(amountCents(row)).toFixed() : QStringLiteral("0.00");
    if (name == QLatin1String("dfje"))
        return isDebit(row) ? QStringLiteral("0.00") : Money::fromCents(amountCents(row)).toFixed();
    if (name == QLatin1String("wbjf") || name == QLatin1String("wbdf")
        || name == QLatin1String("wbye"))
        return QStringLiteral("0.00");
    if (name == QLatin1String("hl"))
        return 0.0;
    if (name == QLatin1String("kmmc"))
        return QStringLiteral("银行存款");
    if (name == QLatin1String("kmmc_long"))
        return QStringLiteral("1002  银行存款");
    if (name == QLatin1String("jhdmc"))
        return QStringLiteral("借");
    if (name == QLatin1String("ye"))
        return balance(row);
    return QVariant();
}

QVariant LedgerRows::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && (role == Qt::DisplayRole || role == ReportData::ColumnNameRole))
        return columns().value(section);
    return QAbstractTableModel::headerData(section, orientation, role);
}
