#include "ui/masterdata/tkmqc.h"

#include "app/tdm1.h"
#include "db/dberror.h"
#include "ui/app/messages.h"
#include "ui/app/syspublicui.h"
#include "ui/app/tmainform.h"

#include <QAbstractTableModel>
#include <QBrush>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

using namespace OpeningBalances;

// The year's rows with the edit of one row pending until the cursor leaves it.
class Tkmqc::Model : public QAbstractTableModel
{
public:
    using QAbstractTableModel::QAbstractTableModel;

    void reset(QList<Row> rows, const Access &access)
    {
        beginResetModel();
        m_rows = std::move(rows);
        m_access = access;
        m_pendingRow = -1;
        endResetModel();
    }
    const QList<Row> &rows() const { return m_rows; }
    int pendingRow() const { return m_pendingRow; }
    void clearPending() { m_pendingRow = -1; }

    int rowCount(const QModelIndex &parent = {}) const override
    {
        return parent.isValid() ? 0 : int(m_rows.size());
    }
    int columnCount(const QModelIndex &parent = {}) const override
    {
        return parent.isValid() ? 0 : ColumnCount;
    }

    QVariant headerData(int section, Qt::Orientation orientation, int role) const override
    {
        static const QStringList titles = {
            QStringLiteral("科目编码"),     QStringLiteral("科目名称"),
            QStringLiteral("方向"),         QStringLiteral("年初余额"),
            QStringLiteral("累计借方金额"), QStringLiteral("累计贷方金额"),
            QStringLiteral("期初余额"),     QStringLiteral("辅助核算")};
        if (orientation != Qt::Horizontal || section < 0 || section >= ColumnCount)
            return QAbstractTableModel::headerData(section, orientation, role);
        if (role == Qt::DisplayRole)
            return titles.at(section);
        if (role == Qt::TextAlignmentRole)
            return int(Qt::AlignCenter);
        return {};
    }

    QVariant data(const QModelIndex &index, int role) const override
    {
        if (!index.isValid())
            return {};
        const Row &row = m_rows.at(index.row());
        const int column = index.column();
        if (role == Qt::TextAlignmentRole) {
            if (isAmount(column))
                return int(Qt::AlignRight | Qt::AlignVCenter);
            if (column == Direction)
                return int(Qt::AlignCenter);
            return int(Qt::AlignLeft | Qt::AlignVCenter);
        }
        // Amounts the year does not let change are set off from those it does.
        if (role == Qt::BackgroundRole && isAmount(column) && !editable(column))
            return QBrush(QColor(0xf2, 0xf2, 0xf2));
        if (role == Qt::EditRole && isAmount(column))
            return amount(row, column).toPlain();
        if (role != Qt::DisplayRole)
            return {};
        switch (column) {
        case Code:
            return row.itembm;
        case Name:
            return row.itemmc;
        case Direction:
            return row.direction();
        case Auxiliary:
            return row.auxiliary();
        default:
            return amount(row, column).toDisplay();
        }
    }

    Qt::ItemFlags flags(const QModelIndex &index) const override
    {
        Qt::ItemFlags flags = QAbstractTableModel::flags(index);
        if (editable(index.column()))
            flags |= Qt::ItemIsEditable;
        return flags;
    }

    bool setData(const QModelIndex &index, const QVariant &value, int role) override
    {
        if (role != Qt::EditRole || !index.isValid() || !editable(index.column()))
            return false;
        const QString text = value.toString().trimmed();
        const std::optional<Money> typed = text.isEmpty() ? Money() : Money::parse(text);
        if (!typed)
            return false;
        Row &row = m_rows[index.row()];
        Money &target = index.column() == Ncye ? row.ncye : index.column() == Ljjf ? row.ljjf : row.ljdf;
        if (target == *typed)
            return true;
        target = *typed;
        m_pendingRow = index.row();
        emit dataChanged(this->index(index.row(), Ncye), this->index(index.row(), Opening));
        return true;
    }

private:
    static bool isAmount(int column) { return column >= Ncye && column <= Opening; }
    static Money amount(const Row &row, int column)
    {
        switch (column) {
        case Ncye:
            return row.ncye;
        case Ljjf:
            return row.ljjf;
        case Ljdf:
            return row.ljdf;
        default:
            return row.opening();
        }
    }
    bool editable(int column) const
    {
        return (column == Ncye && m_access.ncye)
               || ((column == Ljjf || column == Ljdf) && m_access.accumulated);
    }

    QList<Row> m_rows;
    Access m_access;
    int m_pendingRow = -1;
};

Tkmqc::Tkmqc(QWidget *parent) : QWidget(parent, Qt::Window | Qt::WindowStaysOnTopHint)
{
    setObjectName(QStringLiteral("kmqc"));
    setWindowTitle(QStringLiteral("帐务期初数据"));

    m_model = new Model(this);
    m_grid = new QTableView(this);
    m_grid->setObjectName(QStringLiteral("DBGrid1"));
    m_grid->setModel(m_model);
    m_grid->setSelectionBehavior(QAbstractItemView::SelectItems);
    m_grid->setSelectionMode(QAbstractItemView::SingleSelection);
    m_grid->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed
                            | QAbstractItemView::AnyKeyPressed);
    m_grid->setAlternatingRowColors(true);
    m_grid->verticalHeader()->setDefaultSectionSize(m_grid->fontMetrics().height() + 8);
    m_grid->verticalHeader()->hide();
    QHeaderView *header = m_grid->horizontalHeader();
    const int widths[ColumnCount] = {100, 180, 44, 120, 120, 120, 120, 150};
    for (int column = 0; column < ColumnCount; ++column)
        header->resizeSection(column, widths[column]);
    header->setStretchLastSection(true);
    // The row left behind is written before the cursor settles on the next one.
    connect(m_grid->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex &current, const QModelIndex &previous) {
                if (previous.isValid() && current.row() != previous.row()
                    && m_model->pendingRow() == previous.row())
                    writePending();
            });

    m_check = new QPushButton(QStringLiteral("平衡"), this);
    m_check->setObjectName(QStringLiteral("btnBalance"));
    m_close = new QPushButton(QStringLiteral("返回"), this);
    m_close->setObjectName(QStringLiteral("btnReturn"));
    connect(m_check, &QPushButton::clicked, this, &Tkmqc::checkBalance);
    connect(m_close, &QPushButton::clicked, this, &QWidget::close);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_check);
    buttons->addWidget(m_close);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_grid, 1);
    layout->addLayout(buttons);
    resize(1000, 600);
}

Tkmqc::~Tkmqc() = default;

Tkmqc *Tkmqc::showOnce()
{
    const auto create = [] { return new Tkmqc; };
    if (Tmainform *main = Tmainform::instance())
        return static_cast<Tkmqc *>(main->showOpenOnce(QStringLiteral("kmqc"), create));
    auto *grid = static_cast<Tkmqc *>(FindForm(QStringLiteral("kmqc")));
    if (!grid) {
        grid = create();
        grid->setAttribute(Qt::WA_DeleteOnClose);
    }
    grid->show();
    grid->raise();
    return grid;
}

void Tkmqc::load(int year, const Access &access)
{
    writePending();
    m_year = year;
    QList<Row> rows;
    try {
        rows = OpeningBalances::load(Tdm1::current().ADOConnection1(), year);
    } catch (const DbError &error) {
        ShowInfo(error.message());
    }
    m_model->reset(rows, access);
    if (!rows.isEmpty())
        m_grid->setCurrentIndex(m_model->index(0, Ncye));
}

bool Tkmqc::writePending()
{
    // An amount still being typed belongs to the row too.
    const QModelIndex current = m_grid->currentIndex();
    if (QWidget *editor = m_grid->indexWidget(current))
        m_grid->itemDelegateForIndex(current)->setModelData(editor, m_model, current);
    const int row = m_model->pendingRow();
    if (row < 0)
        return true;
    try {
        OpeningBalances::write(Tdm1::current().ADOConnection1(), m_year, m_model->rows().at(row));
    } catch (const DbError &error) {
        ShowInfo(error.message());
        return false;
    }
    m_model->clearPending();
    return true;
}

void Tkmqc::checkBalance()
{
    if (!writePending() || m_model->rowCount() == 0)
        return;
    const Check result = check(m_model->rows(), CodeLevels::fromContext());
    if (result.outcome == Check::Balanced)
        ShowMessage(QStringLiteral("提示"), result.message);
    else
        ShowWarning(result.message);
    m_grid->setCurrentIndex(m_model->index(result.row, Code));
}

void Tkmqc::closeEvent(QCloseEvent *event)
{
    writePending();
    QWidget::closeEvent(event);
}
