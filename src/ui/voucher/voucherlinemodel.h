#pragma once

#include "voucher/voucher.h"

#include <QAbstractTableModel>

#include <functional>

// The grid's view of the voucher's line buffer: 摘要, 科目编码, 科目名称, 借方金额, 贷方金额. Edits go
// through the Voucher so that the row states stay true. Amount columns give and take Money cents
// (qint64) in the EditRole and the display text in the DisplayRole.
class VoucherLineModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    enum Column { Summary, AccountCode, AccountName, Debit, Credit, ColumnCount };

    explicit VoucherLineModel(Voucher *voucher, QObject *parent = nullptr);

    // The name shown beside a code (from the in-memory chart).
    void setAccountNames(std::function<QString(const QString &)> names);
    QString accountName(const QString &code) const;

    Voucher *voucher() const { return m_voucher; }
    // The buffer was rebuilt from outside: redraw everything.
    void reload();
    // A line changed from outside (pickers, dialogs, tools). Only the columns given are redrawn:
    // an editor open on another cell of the line keeps what is typed in it.
    void lineChanged(int row, int firstColumn = Summary, int lastColumn = Credit);

    int appendLine();
    int insertLine(int row);
    void removeLine(int row);

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role) override;

signals:
    // The user changed an account code in the grid; `previous` is the code before.
    void accountTyped(int row, const QString &previous);
    void amountsChanged();

private:
    Voucher *m_voucher;
    std::function<QString(const QString &)> m_names;
};
