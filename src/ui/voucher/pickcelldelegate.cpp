#include "ui/voucher/pickcelldelegate.h"

#include <QAction>
#include <QLineEdit>
#include <QPainter>
#include <QPersistentModelIndex>
#include <QPixmap>

namespace {

QIcon ellipsisIcon()
{
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setBrush(Qt::black);
    painter.setPen(Qt::NoPen);
    for (int x : {3, 7, 11})
        painter.drawEllipse(QPointF(x + 0.5, 11.5), 1.3, 1.3);
    return QIcon(pixmap);
}

} // namespace

PickCellDelegate::PickCellDelegate(int maxLength, bool copyFromAbove, QObject *parent)
    : QStyledItemDelegate(parent), m_maxLength(maxLength), m_copyFromAbove(copyFromAbove)
{
}

QWidget *PickCellDelegate::createEditor(QWidget *parent, const QStyleOptionViewItem &,
                                        const QModelIndex &index) const
{
    auto *editor = new QLineEdit(parent);
    editor->setObjectName(QStringLiteral("cellEdit"));
    editor->setFrame(false);
    editor->setMaxLength(m_maxLength);
    QAction *pick = editor->addAction(ellipsisIcon(), QLineEdit::TrailingPosition);
    pick->setObjectName(QStringLiteral("pickButton"));
    const QPersistentModelIndex cell(index);
    connect(pick, &QAction::triggered, this, [this, editor, cell] {
        // The picker works on the line, so what was typed so far goes in first.
        emit const_cast<PickCellDelegate *>(this)->commitData(editor);
        emit const_cast<PickCellDelegate *>(this)->closeEditor(editor, NoHint);
        emit pickRequested(cell);
    });
    return editor;
}

void PickCellDelegate::setEditorData(QWidget *editor, const QModelIndex &index) const
{
    QString text = index.data(Qt::EditRole).toString();
    if (text.isEmpty() && m_copyFromAbove && index.row() > 0)
        text = index.sibling(index.row() - 1, index.column()).data(Qt::EditRole).toString();
    static_cast<QLineEdit *>(editor)->setText(text);
}

void PickCellDelegate::updateEditorGeometry(QWidget *editor, const QStyleOptionViewItem &option,
                                            const QModelIndex &) const
{
    editor->setGeometry(option.rect);
}
