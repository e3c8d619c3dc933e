#include "ui/app/tsjlog.h"

#include "app/appcontext.h"
#include "app/tdm1.h"
#include "db/dberror.h"
#include "db/sql.h"
#include "report/reportformat.h"
#include "ui/app/messages.h"
#include "ui/app/tsjlog1.h"
#include "ui/ledger/tprintform.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QScreen>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlQueryModel>
#include <QStyledItemDelegate>
#include <QTableView>
#include <QVBoxLayout>

namespace {

// Shows the time of an entry to the minute, whatever form the backend hands it in.
class TimeDelegate : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QString displayText(const QVariant &value, const QLocale &) const override
    {
        return ReportFormat::apply(value, QStringLiteral("yyyy-MM-dd hh:mm"));
    }
};

enum Column { Id, Operator, Title, Time };

} // namespace

Tsjlog::Tsjlog(QWidget *parent) : QWidget(parent, Qt::Window | Qt::WindowStaysOnTopHint)
{
    setObjectName(QStringLiteral("sjlog"));
    setWindowTitle(QStringLiteral("上机日志"));
    m_model = new QSqlQueryModel(this);
    m_grid = new QTableView(this);
    m_grid->setObjectName(QStringLiteral("DBGrid1"));
    m_grid->setModel(m_model);
    m_grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_grid->setSelectionMode(QAbstractItemView::SingleSelection);
    m_grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grid->setItemDelegateForColumn(Time, new TimeDelegate(m_grid));
    m_grid->verticalHeader()->setDefaultSectionSize(22);
    m_grid->verticalHeader()->hide();
    m_grid->horizontalHeader()->setStretchLastSection(true);

    auto button = [this](const char *name, const QString &text, void (Tsjlog::*slot)()) {
        auto *b = new QPushButton(text, this);
        b->setObjectName(QString::fromLatin1(name));
        connect(b, &QPushButton::clicked, this, slot);
        return b;
    };
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(button("btnFilter", QStringLiteral("过滤"), &Tsjlog::filter));
    buttons->addWidget(button("btnDelete", QStringLiteral("删除"), &Tsjlog::remove));
    buttons->addWidget(button("btnPrint", QStringLiteral("打印"), &Tsjlog::print));
    auto *back = new QPushButton(QStringLiteral("返回"), this);
    back->setObjectName(QStringLiteral("btnReturn"));
    connect(back, &QPushButton::clicked, this, &QWidget::close);
    buttons->addWidget(back);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_grid, 1);
    layout->addLayout(buttons);
    resize(620, 460);
}

void Tsjlog::centre()
{
    const QScreen *screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    QRect frame = frameGeometry();
    frame.moveCenter(screen->availableGeometry().center());
    move(frame.topLeft());
}

void Tsjlog::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    // Every showing starts from the whole log and the current operator list.
    try {
        m_operators = OpLog::operatorNames(Tdm1::current().ADOConnection1());
    } catch (const DbError &error) {
        ShowInfo(error.message());
    }
    setCondition(OpLog::Filter());
}

void Tsjlog::setCondition(const OpLog::Filter &filter)
{
    m_filter = filter;
    reload();
}

void Tsjlog::reload()
{
    try {
        const QSqlDatabase db = Tdm1::current().ADOConnection1();
        QVariantList values;
        const QString statement = OpLog::listStatement(m_filter, &values);
        QSqlQuery query(db);
        if (!query.prepare(statement))
            throw DbError(query.lastError().text());
        for (int i = 0; i < values.size(); ++i)
            query.bindValue(i, values.at(i));
        if (!query.exec())
            throw DbError(query.lastError().text());
        m_model->setQuery(std::move(query));
        while (m_model->canFetchMore())
            m_model->fetchMore();
    } catch (const DbError &error) {
        ShowInfo(error.message());
        return;
    }
    m_model->setHeaderData(Operator, Qt::Horizontal, QStringLiteral("操作员"));
    m_model->setHeaderData(Time, Qt::Horizontal, QStringLiteral("时间"));
    m_model->setHeaderData(Title, Qt::Horizontal, QStringLiteral("内容"));
    m_grid->setColumnHidden(Id, true);
    // 操作员, 时间, 内容 from left to right.
    QHeaderView *header = m_grid->horizontalHeader();
    header->moveSection(header->visualIndex(Time), 2);
    m_grid->setColumnWidth(Operator, 100);
    m_grid->setColumnWidth(Time, 140);
    if (m_model->rowCount() > 0)
        m_grid->setCurrentIndex(m_model->index(0, Operator));
}

void Tsjlog::deleteMatching(const OpLog::Filter &filter)
{
    try {
        OpLog::deleteMatching(Tdm1::current().ADOConnection1(), filter);
    } catch (const DbError &error) {
        ShowInfo(error.message());
    }
    reload();
}

void Tsjlog::openConditionDialog(int formMode)
{
    AppContext.FormMode = formMode;
    Tsjlog1 dialog(this);
    dialog.exec();
}

void Tsjlog::filter()
{
    openConditionDialog(1);
}

void Tsjlog::remove()
{
    openConditionDialog(2);
}

void Tsjlog::print()
{
    if (m_model->rowCount() == 0)
        return;
    AppContext.PrintTemplate = QStringLiteral("rpt66");
    AppContext.PrintKind = 0;
    Tprintform::Execute(m_model, m_grid, this);
}
