#pragma once

#include <QAbstractTableModel>
#include <QStringList>

// A detail-ledger row set (the columns of the detail-ledger screen) of any length for report tests and
// benchmarks: row i is voucher i + 1 of account 1002 银行存款, dated through 2024, with
// alternating debit and credit amounts and a running balance. Amounts are exact decimal texts.
class LedgerRows : public QAbstractTableModel
{
public:
    static const QStringList &columns();

    explicit LedgerRows(int rows, QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    // The summary text of a row ("第1笔 收到货款 'A'") and its running balance.
    static QString summary(int row);
    QString balance(int row) const;

private:
    int m_rows;
    QList<qint64> m_balances; // cents
};
