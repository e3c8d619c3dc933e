#pragma once

#include "db/money.h"

#include <QLineEdit>
#include <QStyledItemDelegate>

class QPainter;

// Amount cells drawn as ledger paper: twelve digit positions (ten before the decimal point, two
// after), one digit a position, the thousands lines in blue, the decimal line in red, "￥" in
// the position before the first digit, negative amounts in red without a minus sign, nothing for
// zero. The model's EditRole holds the amount as Money cents (qint64); DisplayRole is not used.
class AmountDelegate : public QStyledItemDelegate
{
    Q_OBJECT

public:
    static constexpr int DigitCount = 12;

    explicit AmountDelegate(QObject *parent = nullptr);

    // Draws the digit cells of an amount into the rectangle; used by the editor too, so the two
    // look the same.
    static void paintLedger(QPainter *painter, const QRect &rect, Money amount, bool negativeRed,
                            const QColor &textColor);
    // The header strip above an amount column: 亿千百十万千百十元角分 in the same positions.
    static void paintLedgerHeader(QPainter *painter, const QRect &rect);

    void paint(QPainter *painter, const QStyleOptionViewItem &option,
               const QModelIndex &index) const override;
    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &option,
                          const QModelIndex &index) const override;
    void setEditorData(QWidget *editor, const QModelIndex &index) const override;
    void setModelData(QWidget *editor, QAbstractItemModel *model,
                      const QModelIndex &index) const override;
    void updateEditorGeometry(QWidget *editor, const QStyleOptionViewItem &option,
                              const QModelIndex &index) const override;

signals:
    // An arrow key left the editor; the view moves on in that direction.
    void arrowLeft(int key) const;

protected:
    bool eventFilter(QObject *object, QEvent *event) override;
};

// The editor laid over an amount cell. It keeps the ledger look while the user types: the text
// typed so far is drawn as digits in the cells, and text that is no amount is drawn plainly.
class AmountEdit : public QLineEdit
{
    Q_OBJECT

public:
    explicit AmountEdit(QWidget *parent = nullptr);

    // The amount typed; nothing when the text is not an amount with at most two decimals that
    // fits the twelve positions.
    std::optional<Money> amount() const;
    void setAmount(Money amount);

    // The largest amount the twelve positions hold.
    static constexpr qint64 MaxCents = 999'999'999'999LL;

protected:
    void paintEvent(QPaintEvent *event) override;
};
