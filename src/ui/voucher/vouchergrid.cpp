#include "ui/voucher/vouchergrid.h"

#include "ui/app/amountdelegate.h"
#include "ui/voucher/pickcelldelegate.h"
#include "ui/voucher/voucherlinemodel.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>

namespace {

constexpr int SummaryLength = 100; // account.pzzy
constexpr int CodeLength = 20;     // account.itembm

} // namespace

VoucherGrid::VoucherGrid(QWidget *parent) : QTableView(parent)
{
    setObjectName(QStringLiteral("DBGrid1"));
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setEditTriggers(QAbstractItemView::AnyKeyPressed | QAbstractItemView::DoubleClicked
                    | QAbstractItemView::EditKeyPressed | QAbstractItemView::SelectedClicked);
    setTabKeyNavigation(false);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(26);
    verticalHeader()->setFixedWidth(28);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setMinimumHeight(26);

    m_amounts = new AmountDelegate(this);
    m_summaries = new PickCellDelegate(SummaryLength, true, this);
    m_accounts = new PickCellDelegate(CodeLength, false, this);
    connect(m_amounts, &AmountDelegate::arrowLeft, this, &VoucherGrid::moveByArrow);
    connect(m_summaries, &PickCellDelegate::pickRequested, this, &VoucherGrid::pickRequested);
    connect(m_accounts, &PickCellDelegate::pickRequested, this, &VoucherGrid::pickRequested);
}

void VoucherGrid::setLineModel(VoucherLineModel *model)
{
    m_model = model;
    setModel(model);
    setItemDelegateForColumn(VoucherLineModel::Summary, m_summaries);
    setItemDelegateForColumn(VoucherLineModel::AccountCode, m_accounts);
    setItemDelegateForColumn(VoucherLineModel::Debit, m_amounts);
    setItemDelegateForColumn(VoucherLineModel::Credit, m_amounts);
    const int widths[] = {200, 120, 200, 150, 150};
    for (int column = 0; column < VoucherLineModel::ColumnCount; ++column)
        setColumnWidth(column, widths[column]);
    horizontalHeader()->setSectionResizeMode(VoucherLineModel::Summary, QHeaderView::Stretch);
}

void VoucherGrid::setEnterHandler(std::function<bool(const QModelIndex &)> handler)
{
    m_enter = std::move(handler);
}

bool VoucherGrid::isAmountColumn(int column)
{
    return column == VoucherLineModel::Debit || column == VoucherLineModel::Credit;
}

void VoucherGrid::finishEditing()
{
    if (state() != EditingState)
        return;
    const QList<QWidget *> editors = viewport()->findChildren<QWidget *>(
        QString(), Qt::FindDirectChildrenOnly);
    for (QWidget *editor : editors) {
        if (qobject_cast<QLineEdit *>(editor) && editor->isVisible()) {
            commitData(editor);
            QTableView::closeEditor(editor, QAbstractItemDelegate::NoHint);
        }
    }
}

void VoucherGrid::editCell(int row, int column)
{
    if (!m_model || row < 0 || row >= m_model->rowCount())
        return;
    const QModelIndex cell = m_model->index(row, column);
    finishEditing();
    setCurrentIndex(cell);
    if (state() != EditingState && (cell.flags() & Qt::ItemIsEditable))
        edit(cell);
}

void VoucherGrid::moveToNextCell()
{
    const QModelIndex cell = currentIndex();
    if (!m_model || !cell.isValid())
        return;
    int row = cell.row();
    int column = cell.column() + 1;
    if (column == VoucherLineModel::AccountName)
        ++column;
    if (column >= VoucherLineModel::ColumnCount) {
        column = VoucherLineModel::Summary;
        ++row;
        if (row >= m_model->rowCount())
            m_model->appendLine();
    }
    editCell(row, column);
}

void VoucherGrid::moveToPreviousCell()
{
    const QModelIndex cell = currentIndex();
    if (!m_model || !cell.isValid())
        return;
    int row = cell.row();
    int column = cell.column() - 1;
    if (column == VoucherLineModel::AccountName)
        --column;
    if (column < 0) {
        if (row == 0)
            return;
        column = VoucherLineModel::Credit;
        --row;
    }
    editCell(row, column);
}

void VoucherGrid::moveByArrow(int key)
{
    const QModelIndex cell = currentIndex();
    if (!cell.isValid())
        return;
    int row = cell.row();
    int column = cell.column();
    switch (key) {
    case Qt::Key_Up:
        row = qMax(0, row - 1);
        break;
    case Qt::Key_Down:
        row = qMin(m_model->rowCount() - 1, row + 1);
        break;
    case Qt::Key_Left:
        column = column == VoucherLineModel::Debit ? VoucherLineModel::AccountCode : column - 1;
        break;
    case Qt::Key_Right:
        column = qMin(int(VoucherLineModel::Credit), column + 1);
        break;
    }
    if (row == cell.row() && column == cell.column())
        return;
    setCurrentIndex(m_model->index(row, column));
}

void VoucherGrid::handleEnter()
{
    const QModelIndex cell = currentIndex();
    if (!cell.isValid())
        return;
    if (m_enter && m_enter(cell))
        return;
    moveToNextCell();
}

void VoucherGrid::keyPressEvent(QKeyEvent *event)
{
    const bool plain = !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier));
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        // With an editor open the delegate closes it and closeEditor() moves on.
        if (state() == EditingState)
            m_enterPending = true;
        else
            handleEnter();
        return;
    case Qt::Key_Tab:
        if (plain) {
            moveToNextCell();
            return;
        }
        break;
    case Qt::Key_Backtab:
        moveToPreviousCell();
        return;
    case Qt::Key_Insert:
        if (plain && m_model) {
            const int row = qMax(0, currentIndex().row());
            m_model->insertLine(row);
            editCell(row, VoucherLineModel::Summary);
            return;
        }
        break;
    case Qt::Key_Delete:
        if (event->modifiers() & Qt::ControlModifier) {
            emit deleteLineRequested();
            return;
        }
        break;
    }
    QTableView::keyPressEvent(event);
}

void VoucherGrid::currentChanged(const QModelIndex &current, const QModelIndex &previous)
{
    QTableView::currentChanged(current, previous);
    if (current.row() != previous.row())
        emit currentRowChanged(current.row());
    // The amount editor lies over the cell whenever the cell has the focus.
    if (current.isValid() && isAmountColumn(current.column()) && state() != EditingState
        && hasFocus())
        edit(current);
}

void VoucherGrid::closeEditor(QWidget *editor, QAbstractItemDelegate::EndEditHint hint)
{
    QTableView::closeEditor(editor, QAbstractItemDelegate::NoHint);
    switch (hint) {
    case QAbstractItemDelegate::EditNextItem:
        moveToNextCell();
        break;
    case QAbstractItemDelegate::EditPreviousItem:
        moveToPreviousCell();
        break;
    case QAbstractItemDelegate::SubmitModelCache:
        // The view closes editors with this hint too when another row is clicked.
        if (m_enterPending) {
            m_enterPending = false;
            setFocus();
            handleEnter();
        }
        break;
    default:
        break;
    }
}

bool VoucherGrid::focusNextPrevChild(bool next)
{
    // Tab belongs to the grid while it has the focus or an editor open.
    if (hasFocus() || state() == EditingState) {
        next ? moveToNextCell() : moveToPreviousCell();
        return true;
    }
    return QTableView::focusNextPrevChild(next);
}
