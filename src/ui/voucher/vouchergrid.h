#pragma once

#include <QTableView>

#include <functional>

class AmountDelegate;
class PickCellDelegate;
class VoucherLineModel;

// The line grid of the voucher form. Enter and Tab move to the next cell, skipping the account
// name, and from the last cell of a line to the first of the next one (appending a line after
// the last); Shift+Tab goes back. An amount cell opens its editor as soon as it becomes current,
// and the arrow keys leave that editor in their direction. Insert adds a line above the current
// one; Ctrl+Delete asks the form to delete the current line.
class VoucherGrid : public QTableView
{
    Q_OBJECT

public:
    explicit VoucherGrid(QWidget *parent = nullptr);

    void setLineModel(VoucherLineModel *model);
    VoucherLineModel *lineModel() const { return m_model; }

    // Enter on a cell: the form may take it (a picker on an empty cell) and return true.
    void setEnterHandler(std::function<bool(const QModelIndex &)> handler);

    // Writes an open editor into the line and closes it (before any tool acts on the buffer).
    void finishEditing();
    // Makes the cell current and opens its editor.
    void editCell(int row, int column);
    void moveToNextCell();
    void moveToPreviousCell();
    bool isEditing() const { return state() == EditingState; }

signals:
    void currentRowChanged(int row);
    void pickRequested(const QModelIndex &index);
    void deleteLineRequested();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void currentChanged(const QModelIndex &current, const QModelIndex &previous) override;
    void closeEditor(QWidget *editor, QAbstractItemDelegate::EndEditHint hint) override;
    bool focusNextPrevChild(bool next) override;

private:
    void handleEnter();
    void moveByArrow(int key);
    static bool isAmountColumn(int column);

    VoucherLineModel *m_model = nullptr;
    AmountDelegate *m_amounts = nullptr;
    PickCellDelegate *m_summaries = nullptr;
    PickCellDelegate *m_accounts = nullptr;
    std::function<bool(const QModelIndex &)> m_enter;
    bool m_enterPending = false; // Enter was pressed in an editor that is about to close
};
