#include "ui/voucher/voucherlinemodel.h"

VoucherLineModel::VoucherLineModel(Voucher *voucher, QObject *parent)
    : QAbstractTableModel(parent), m_voucher(voucher)
{
}

void VoucherLineModel::setAccountNames(std::function<QString(const QString &)> names)
{
    m_names = std::move(names);
}

QString VoucherLineModel::accountName(const QString &code) const
{
    return m_names && !code.isEmpty() ? m_names(code) : QString();
}

void VoucherLineModel::reload()
{
    beginResetModel();
    endResetModel();
    emit amountsChanged();
}

void VoucherLineModel::lineChanged(int row, int firstColumn, int lastColumn)
{
    emit dataChanged(index(row, firstColumn), index(row, lastColumn));
    emit amountsChanged();
}

int VoucherLineModel::appendLine()
{
    const int row = m_voucher->lineCount();
    beginInsertRows({}, row, row);
    m_voucher->appendLine();
    endInsertRows();
    return row;
}

int VoucherLineModel::insertLine(int row)
{
    beginInsertRows({}, row, row);
    m_voucher->insertLine(row);
    endInsertRows();
    return row;
}

void VoucherLineModel::removeLine(int row)
{
    beginRemoveRows({}, row, row);
    m_voucher->removeLine(row);
    endRemoveRows();
    emit amountsChanged();
}

int VoucherLineModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_voucher->lineCount();
}

int VoucherLineModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant VoucherLineModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::EditRole))
        return {};
    const VoucherLine &line = m_voucher->line(index.row());
    switch (index.column()) {
    case Summary:
        return line.pzzy;
    case AccountCode:
        return line.itembm;
    case AccountName:
        return line.kmmc;
    case Debit:
    case Credit: {
        const Money amount = index.column() == Debit ? line.jfje : line.dfje;
        if (role == Qt::EditRole)
            return QVariant::fromValue<qint64>(amount.cents());
        return amount.toDisplay();
    }
    }
    return {};
}

QVariant VoucherLineModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    static const QStringList Captions = {QStringLiteral("摘要"), QStringLiteral("科目编码"),
                                         QStringLiteral("科目名称"), QStringLiteral("借方金额"),
                                         QStringLiteral("贷方金额")};
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section < ColumnCount)
        return Captions.at(section);
    return QAbstractTableModel::headerData(section, orientation, role);
}

Qt::ItemFlags VoucherLineModel::flags(const QModelIndex &index) const
{
    Qt::ItemFlags flags = QAbstractTableModel::flags(index);
    if (index.column() != AccountName)
        flags |= Qt::ItemIsEditable;
    return flags;
}

bool VoucherLineModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (!index.isValid() || role != Qt::EditRole)
        return false;
    VoucherLine line = m_voucher->line(index.row());
    const QString previousCode = line.itembm;
    switch (index.column()) {
    case Summary:
        if (line.pzzy == value.toString())
            return false;
        line.pzzy = value.toString();
        break;
    case AccountCode:
        // The screen decides what a typed code means; the model only reports it.
        if (value.toString().trimmed() == previousCode)
            return false;
        line.itembm = value.toString().trimmed();
        line.kmmc = accountName(line.itembm);
        break;
    case Debit:
        line.jfje = Money::fromCents(value.toLongLong());
        break;
    case Credit:
        line.dfje = Money::fromCents(value.toLongLong());
        break;
    default:
        return false;
    }
    m_voucher->setLine(index.row(), line);
    if (index.column() == AccountCode)
        lineChanged(index.row(), AccountCode, AccountName);
    else
        lineChanged(index.row(), index.column(), index.column());
    if (index.column() == AccountCode)
        emit accountTyped(index.row(), previousCode);
    return true;
}
