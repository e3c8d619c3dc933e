#include "ui/app/amountdelegate.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QRegularExpressionValidator>

namespace {

const QColor GridLine(0xc8, 0xd8, 0xc8);
const QColor ThousandsLine(0x1e, 0x50, 0xe6);
const QColor DecimalLine(0xdc, 0x1e, 0x1e);
const QColor NegativeText(0xdc, 0x00, 0x00);

// x of the left edge of digit position i (0..12) in the rectangle.
int positionX(const QRect &rect, int i)
{
    return rect.left() + (rect.width() * i) / AmountDelegate::DigitCount;
}

QPen linePen(int afterPosition)
{
    // After the position of 10^9, 10^6, 10^3 comes a thousands line, after 10^0 the decimal point.
    if (afterPosition == 9)
        return QPen(DecimalLine, 1);
    if (afterPosition == 0 || afterPosition == 3 || afterPosition == 6)
        return QPen(ThousandsLine, 1);
    return QPen(GridLine, 1);
}

} // namespace

AmountDelegate::AmountDelegate(QObject *parent) : QStyledItemDelegate(parent) {}

void AmountDelegate::paintLedger(QPainter *painter, const QRect &rect, Money amount,
                                 bool negativeRed, const QColor &textColor)
{
    painter->save();
    for (int i = 1; i < DigitCount; ++i) {
        painter->setPen(linePen(i - 1));
        const int x = positionX(rect, i);
        painter->drawLine(x, rect.top(), x, rect.bottom());
    }
    if (!amount.isZero()) {
        const qint64 cents = amount.cents() < 0 ? -amount.cents() : amount.cents();
        const QString digits = QString::number(cents).rightJustified(3, QLatin1Char('0'));
        painter->setPen(amount.cents() < 0 && negativeRed ? NegativeText : textColor);
        if (digits.size() > DigitCount) {
            // Beyond the paper: the plain figure, still readable.
            painter->drawText(rect.adjusted(2, 0, -2, 0), Qt::AlignRight | Qt::AlignVCenter,
                              Money::fromCents(cents).toDisplay());
        } else {
            const int first = DigitCount - digits.size();
            for (int i = 0; i < digits.size(); ++i) {
                const QRect cell(positionX(rect, first + i), rect.top(),
                                 positionX(rect, first + i + 1) - positionX(rect, first + i),
                                 rect.height());
                painter->drawText(cell, Qt::AlignCenter, digits.mid(i, 1));
            }
            if (first > 0) {
                const QRect sign(positionX(rect, first - 1), rect.top(),
                                 positionX(rect, first) - positionX(rect, first - 1),
                                 rect.height());
                painter->drawText(sign, Qt::AlignCenter, QStringLiteral("￥"));
            }
        }
    }
    painter->restore();
}

void AmountDelegate::paintLedgerHeader(QPainter *painter, const QRect &rect)
{
    static const QString Units = QStringLiteral("十亿千百十万千百十元角分");
    painter->save();
    for (int i = 0; i < DigitCount; ++i) {
        const QRect cell(positionX(rect, i), rect.top(), positionX(rect, i + 1) - positionX(rect, i),
                         rect.height());
        if (i > 0) {
            painter->setPen(linePen(i - 1));
            painter->drawLine(cell.left(), rect.top(), cell.left(), rect.bottom());
        }
        painter->setPen(Qt::black);
        painter->drawText(cell, Qt::AlignCenter, Units.mid(i, 1));
    }
    painter->restore();
}

void AmountDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option,
                           const QModelIndex &index) const
{
    QStyleOptionViewItem background = option;
    initStyleOption(&background, index);
    background.text.clear();
    const QWidget *widget = option.widget;
    QStyle *style = widget ? widget->style() : QApplication::style();
    style->drawControl(QStyle::CE_ItemViewItem, &background, painter, widget);

    const bool selected = option.state & QStyle::State_Selected;
    const QColor text = option.palette.color(selected ? QPalette::HighlightedText : QPalette::Text);
    paintLedger(painter, option.rect, Money::fromCents(index.data(Qt::EditRole).toLongLong()),
                !selected, text);
}

QWidget *AmountDelegate::createEditor(QWidget *parent, const QStyleOptionViewItem &,
                                      const QModelIndex &) const
{
    return new AmountEdit(parent);
}

void AmountDelegate::setEditorData(QWidget *editor, const QModelIndex &index) const
{
    static_cast<AmountEdit *>(editor)->setAmount(
        Money::fromCents(index.data(Qt::EditRole).toLongLong()));
}

void AmountDelegate::setModelData(QWidget *editor, QAbstractItemModel *model,
                                  const QModelIndex &index) const
{
    // The validator lets through only partial amounts; "-" or "" stand for zero.
    const std::optional<Money> amount = static_cast<AmountEdit *>(editor)->amount();
    const qint64 cents = amount ? amount->cents() : 0;
    if (model->data(index, Qt::EditRole).toLongLong() != cents)
        model->setData(index, QVariant::fromValue<qint64>(cents), Qt::EditRole);
}

void AmountDelegate::updateEditorGeometry(QWidget *editor, const QStyleOptionViewItem &option,
                                          const QModelIndex &) const
{
    editor->setGeometry(option.rect);
}

bool AmountDelegate::eventFilter(QObject *object, QEvent *event)
{
    auto *editor = qobject_cast<AmountEdit *>(object);
    if (editor && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Up || key == Qt::Key_Down || key == Qt::Key_Left
            || key == Qt::Key_Right) {
            emit commitData(editor);
            emit closeEditor(editor, NoHint);
            emit arrowLeft(key);
            return true;
        }
    }
    return QStyledItemDelegate::eventFilter(object, event);
}

AmountEdit::AmountEdit(QWidget *parent) : QLineEdit(parent)
{
    setObjectName(QStringLiteral("amountEdit"));
    setFrame(false);
    setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    // Ten digits before the point and two after: what the twelve positions hold.
    setValidator(new QRegularExpressionValidator(
        QRegularExpression(QStringLiteral("^-?\\d{0,10}(\\.\\d{0,2})?$")), this));
}

std::optional<Money> AmountEdit::amount() const
{
    QString typed = text().trimmed();
    if (typed.isEmpty() || typed == QStringLiteral("-"))
        return Money();
    if (typed.endsWith(QLatin1Char('.')))
        typed.chop(1);
    const std::optional<Money> value = Money::parse(typed);
    if (!value || value->cents() > MaxCents || value->cents() < -MaxCents)
        return std::nullopt;
    return value;
}

void AmountEdit::setAmount(Money amount)
{
    setText(amount.isZero() ? QString() : amount.toPlain());
}

void AmountEdit::paintEvent(QPaintEvent *event)
{
    const std::optional<Money> value = amount();
    if (!value) {
        QLineEdit::paintEvent(event);
        return;
    }
    QPainter painter(this);
    painter.fillRect(rect(), QColor(0xff, 0xff, 0xe8));
    AmountDelegate::paintLedger(&painter, rect(), *value, true, palette().color(QPalette::Text));
    if (hasFocus()) {
        // The caret sits after the last digit: typing always extends the figure on the right.
        painter.setPen(QPen(palette().color(QPalette::Text), 1));
        painter.drawLine(width() - 2, 3, width() - 2, height() - 4);
    }
    painter.setPen(QPen(ThousandsLine, 1));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}
