#include "ui/ledger/tprintform.h"

#include "app/appcontext.h"
#include "app/tdm1.h"
#include "db/dberror.h"
#include "report/reportdesigner.h"
#include "report/reportpreview.h"
#include "ui/app/messages.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QPushButton>
#include <QStandardItemModel>
#include <QStyle>
#include <QTableView>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

const QString NoTemplate = QStringLiteral("没有预设模版，若有需要请与软件开发商联系");
const QString ChooseFirst = QStringLiteral("请先选择一个报表");
const QString ConfirmSave = QStringLiteral("请您确认，是否保存修改?    ");
const QString ConfirmNew = QStringLiteral("请您确认，是否保存为新的报表?");
const QString ConfirmDelete = QStringLiteral("确定要删除所选择的报表吗?    ");
constexpr int CommentLength = 50; // report.comment varchar(50)

QStringList printNames()
{
    return {AppContext.PrintText6, AppContext.PrintText7, AppContext.PrintText8,
            AppContext.PrintText9, AppContext.PrintText10};
}

QStringList printValues()
{
    return {AppContext.PrintText1, AppContext.PrintText2, AppContext.PrintText3,
            AppContext.PrintText4, AppContext.PrintText5};
}

} // namespace

Tprintform::Engine Tprintform::defaultEngine()
{
    Engine engine;
    engine.preview = [](ReportRenderer &renderer, QWidget *parent) {
        ReportPreview preview(renderer, parent);
        preview.exec();
    };
    engine.print = [](ReportRenderer &renderer, QWidget *parent) {
        ReportPreview::printDirect(renderer, parent);
    };
    engine.design = [](const ReportTemplate &report, QAbstractItemModel *rows,
                       const ReportVariables &variables, const QString &title, QWidget *parent) {
        ReportDesigner designer(report, rows, variables, title, parent);
        designer.exec();
        return designer.reportTemplate();
    };
    return engine;
}

Tprintform::Tprintform(QAbstractItemModel *rows, QWidget *parent)
    : QDialog(parent), m_rows(rows), m_engine(defaultEngine())
{
    setObjectName(QStringLiteral("printform"));
    setWindowTitle(Caption);
    setModal(true);

    m_listModel = new QStandardItemModel(0, 1, this);
    m_listModel->setHorizontalHeaderLabels({QStringLiteral("报表类型")});
    connect(m_listModel, &QStandardItemModel::itemChanged, this, [this](QStandardItem *item) {
        const int row = item->row();
        if (row >= 0 && row < m_records.size())
            m_records[row].comment = item->text().left(CommentLength);
    });
    m_list = new QTableView(this);
    m_list->setObjectName(QStringLiteral("DBGrid1"));
    m_list->setModel(m_listModel);
    m_list->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed
                            | QAbstractItemView::AnyKeyPressed);
    m_list->horizontalHeader()->setStretchLastSection(true);
    m_list->verticalHeader()->setDefaultSectionSize(24);
    m_list->verticalHeader()->setFixedWidth(18);
    m_list->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);

    auto button = [this](const char *name, const QString &text, void (Tprintform::*slot)()) {
        auto *b = new QPushButton(text, this);
        b->setObjectName(QString::fromLatin1(name));
        b->setMinimumWidth(88);
        connect(b, &QPushButton::clicked, this, slot);
        return b;
    };
    QPushButton *preview = button("btnPreview", QStringLiteral("  预览"), &Tprintform::previewReport);
    preview->setIcon(style()->standardIcon(QStyle::SP_FileDialogContentsView));
    QPushButton *print = button("btnPrint", QStringLiteral("  打印"), &Tprintform::printReport);
    print->setIcon(style()->standardIcon(QStyle::SP_DialogApplyButton));
    QPushButton *design = button("btnDesign", QStringLiteral("设计报表"), &Tprintform::designReport);
    QPushButton *remove = button("btnDelete", QStringLiteral("删除"), &Tprintform::deleteReport);
    auto *back = new QPushButton(QStringLiteral("返回"), this);
    back->setObjectName(QStringLiteral("btnReturn"));
    back->setMinimumWidth(88);
    connect(back, &QPushButton::clicked, this, &QWidget::close);
    auto *saveAsNew = new QToolButton(this);
    saveAsNew->setObjectName(QStringLiteral("SpeedButton1"));
    saveAsNew->setIcon(style()->standardIcon(QStyle::SP_DialogSaveButton));
    saveAsNew->setToolTip(QStringLiteral("存为新报表模版"));
    saveAsNew->setAutoRaise(true);
    saveAsNew->setIconSize(QSize(22, 22));
    connect(saveAsNew, &QToolButton::clicked, this, &Tprintform::saveAsNewReport);

    auto *buttons = new QVBoxLayout;
    for (QPushButton *b : {preview, print, design, remove})
        buttons->addWidget(b);
    buttons->addSpacing(8);
    buttons->addWidget(saveAsNew, 0, Qt::AlignLeft);
    buttons->addStretch();
    buttons->addWidget(back);
    auto *layout = new QHBoxLayout(this);
    layout->addWidget(m_list, 1);
    layout->addLayout(buttons);
    resize(420, 300);
}

Tprintform::~Tprintform()
{
    finish();
}

void Tprintform::Execute(QAbstractItemModel *rows, QAbstractItemView *callerView, QWidget *parent)
{
    Tprintform window(rows, parent);
    window.setCallerView(callerView);
    window.exec();
}

void Tprintform::setCallerView(QAbstractItemView *view)
{
    m_callerView = view;
}

int Tprintform::currentRow() const
{
    const QModelIndex current = m_list->currentIndex();
    if (current.isValid())
        return current.row();
    return m_records.isEmpty() ? -1 : 0;
}

void Tprintform::setCurrentRow(int row)
{
    m_list->setCurrentIndex(m_listModel->index(row, 0));
}

void Tprintform::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (!m_opened)
        open();
}

void Tprintform::open()
{
    m_opened = true;
    // The caller's rows: remember where its cursor stands and keep its view still.
    if (m_callerView) {
        m_bookmark = QPersistentModelIndex(m_callerView->currentIndex());
        m_callerUpdatesWereEnabled = m_callerView->updatesEnabled();
        m_callerView->setUpdatesEnabled(false);
    }
    m_family = AppContext.PrintTemplate;
    m_variables = ReportVariables::forPrint(AppContext.SetName, AppContext.PrintKind, printNames(),
                                            printValues());
    try {
        m_records = ReportStore::load(Tdm1::current().ADOConnection1(), m_family);
    } catch (const DbError &error) {
        ShowInfo(error.message());
    }
    m_listModel->removeRows(0, m_listModel->rowCount());
    for (const ReportRecord &record : std::as_const(m_records))
        appendListRow(record);
    if (!m_records.isEmpty())
        setCurrentRow(0);
}

void Tprintform::appendListRow(const ReportRecord &record)
{
    m_listModel->appendRow(new QStandardItem(record.comment));
}

std::optional<ReportTemplate> Tprintform::loadTemplate(int row)
{
    QString error;
    std::optional<ReportTemplate> report =
        ReportTemplate::fromJsonText(m_records.at(row).report.toUtf8(), &error);
    if (!report) {
        ShowInfo(error);
        return std::nullopt;
    }
    if (report->title.isEmpty())
        report->title = m_records.at(row).comment;
    return report;
}

void Tprintform::renderSelected(const std::function<void(ReportRenderer &)> &use)
{
    const int row = currentRow();
    if (row < 0)
        return;
    const std::optional<ReportTemplate> report = loadTemplate(row);
    if (!report)
        return;
    ReportRenderer renderer(*report, m_rows, m_variables);
    use(renderer);
}

void Tprintform::previewReport()
{
    renderSelected([this](ReportRenderer &renderer) { m_engine.preview(renderer, this); });
}

void Tprintform::printReport()
{
    renderSelected([this](ReportRenderer &renderer) { m_engine.print(renderer, this); });
}

void Tprintform::designReport()
{
    const int row = currentRow();
    if (row < 0) {
        ShowInfo(NoTemplate);
        return;
    }
    const std::optional<ReportTemplate> report = loadTemplate(row);
    if (!report)
        return;
    const QString title = m_records.at(row).comment;
    const ReportTemplate designed = m_engine.design(*report, m_rows, m_variables, title, this);
    if (ConfirmYesDefault(ConfirmSave))
        m_records[row].report = QString::fromUtf8(designed.toJsonText());
}

void Tprintform::deleteReport()
{
    const int row = currentRow();
    if (row < 0)
        return;
    if (!ConfirmNoDefault(ConfirmDelete))
        return;
    m_records.removeAt(row);
    m_listModel->removeRow(row);
    if (!m_records.isEmpty())
        setCurrentRow(qMin(row, int(m_records.size()) - 1));
}

void Tprintform::saveAsNewReport()
{
    const int row = currentRow();
    if (row < 0) {
        ShowInfo(ChooseFirst);
        return;
    }
    if (m_records.at(row).rptname.isEmpty())
        return;
    const std::optional<ReportTemplate> report = loadTemplate(row);
    if (!report)
        return;
    if (!ConfirmNoDefault(ConfirmNew))
        return;
    ReportRecord copy = m_records.at(row);
    copy.typeId = int(m_records.size()) + 1;
    m_records.append(copy);
    appendListRow(copy);
    const int added = int(m_records.size()) - 1;
    setCurrentRow(added);
    const ReportTemplate designed = m_engine.design(*report, m_rows, m_variables, copy.comment, this);
    if (ConfirmYesDefault(ConfirmSave))
        m_records[added].report = QString::fromUtf8(designed.toJsonText());
}

void Tprintform::closeEvent(QCloseEvent *event)
{
    finish();
    QDialog::closeEvent(event);
}

void Tprintform::done(int result)
{
    finish();
    QDialog::done(result);
}

void Tprintform::finish()
{
    if (!m_opened || m_finished)
        return;
    m_finished = true;
    if (m_callerView) {
        if (m_bookmark.isValid() && m_callerView->selectionModel()) {
            m_callerView->selectionModel()->setCurrentIndex(
                m_bookmark, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        }
        m_callerView->setUpdatesEnabled(m_callerUpdatesWereEnabled);
    }
    // A title still being typed in the list goes into it first.
    QWidget *focus = QApplication::focusWidget();
    if (focus && m_list->isAncestorOf(focus))
        focus->clearFocus();
    try {
        ReportStore::save(Tdm1::current().ADOConnection1(), m_family, m_records);
    } catch (const DbError &error) {
        ShowInfo(error.message());
    }
}
