#pragma once

#include <QStyledItemDelegate>

// The text cells of the voucher grid that have a picker button (摘要 and 科目编码). The button,
// drawn at the right end of the editor, asks the screen to open its picker for the cell.
class PickCellDelegate : public QStyledItemDelegate
{
    Q_OBJECT

public:
    // maxLength: the column's width in table account. copyFromAbove: an empty cell on any line
    // but the first starts editing with the text of the line above (the summary column).
    PickCellDelegate(int maxLength, bool copyFromAbove, QObject *parent = nullptr);

    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &option,
                          const QModelIndex &index) const override;
    void setEditorData(QWidget *editor, const QModelIndex &index) const override;
    void updateEditorGeometry(QWidget *editor, const QStyleOptionViewItem &option,
                              const QModelIndex &index) const override;

signals:
    void pickRequested(const QModelIndex &index) const;

private:
    int m_maxLength;
    bool m_copyFromAbove;
};
