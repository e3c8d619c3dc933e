#include "ui/voucher/tzw_kjpz.h"

#include "app/appcontext.h"
#include "app/tdm1.h"
#include "db/dberror.h"
#include "masterdata/accountlookup.h"
#include "masterdata/currencies.h"
#include "ui/app/amountdelegate.h"
#include "ui/app/messages.h"
#include "ui/ledger/tprintform.h"
#include "ui/masterdata/tbmzd2.h"
#include "ui/masterdata/tzw_kmzd.h"
#include "ui/masterdata/tzw_zy.h"
#include "ui/masterdata/txmzd2.h"
#include "ui/voucher/twb2.h"
#include "ui/voucher/vouchergrid.h"
#include "ui/voucher/voucherlinemodel.h"

#include <QAction>
#include <QCloseEvent>
#include <QDateEdit>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QSpinBox>
#include <QStandardItemModel>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

// A total under an amount column, drawn on the same ledger paper as the cells above it.
class LedgerTotal : public QLabel
{
public:
    explicit LedgerTotal(QWidget *parent) : QLabel(parent) {}

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        painter.fillRect(rect(), palette().color(QPalette::Base));
        QFont bold = font();
        bold.setBold(true);
        painter.setFont(bold);
        const std::optional<Money> amount = Money::parse(text());
        AmountDelegate::paintLedger(&painter, rect(), amount.value_or(Money()), true,
                                    palette().color(QPalette::Text));
        painter.setPen(palette().color(QPalette::Mid));
        painter.drawRect(rect().adjusted(0, 0, -1, -1));
    }
};

// The band over the amount columns: the caption and the digit positions below it.
class LedgerHeader : public QHeaderView
{
public:
    explicit LedgerHeader(QWidget *parent) : QHeaderView(Qt::Horizontal, parent)
    {
        setMinimumHeight(44);
    }

protected:
    void paintSection(QPainter *painter, const QRect &rect, int section) const override
    {
        if (section != VoucherLineModel::Debit && section != VoucherLineModel::Credit) {
            QHeaderView::paintSection(painter, rect, section);
            return;
        }
        const QRect top(rect.left(), rect.top(), rect.width(), rect.height() / 2);
        const QRect bottom(rect.left(), top.bottom() + 1, rect.width(),
                           rect.height() - top.height());
        painter->save();
        painter->fillRect(rect, palette().color(QPalette::Button));
        painter->setPen(palette().color(QPalette::Mid));
        painter->drawRect(rect.adjusted(0, 0, -1, -1));
        painter->drawLine(bottom.topLeft(), bottom.topRight());
        painter->setPen(palette().color(QPalette::ButtonText));
        painter->drawText(top, Qt::AlignCenter,
                          model()->headerData(section, Qt::Horizontal).toString());
        QFont small = painter->font();
        small.setPointSizeF(small.pointSizeF() * 0.8);
        painter->setFont(small);
        AmountDelegate::paintLedgerHeader(painter, bottom);
        painter->restore();
    }
};

bool hasRight()
{
    if (AppContext.CanEnterVouchers == QStringLiteral("1"))
        return true;
    ShowInfo(VoucherMessages::NoRight);
    return false;
}

// Whether a code has the length of one of the code levels, so that a code without a name may be
// an account created after the chart was read.
bool hasLevelLength(const QString &code)
{
    int length = 0;
    for (int level = 1; level <= 6; ++level) {
        length += AppContext.levelLength(level);
        if (code.size() == length)
            return true;
    }
    return false;
}

} // namespace

Tzw_kjpz::Tzw_kjpz(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("zw_kjpz"));
    setWindowTitle(QStringLiteral("会计凭证"));
    m_mode = AppContext.FormMode;

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 4, 8, 8);
    layout->setSpacing(6);
    buildToolBar();
    layout->addWidget(m_toolBar);
    buildHeader(layout);

    m_model = new VoucherLineModel(&m_voucher, this);
    m_model->setAccountNames([this](const QString &code) { return m_lists.accountName(code); });
    m_grid = new VoucherGrid(this);
    m_grid->setHorizontalHeader(new LedgerHeader(m_grid));
    m_grid->setLineModel(m_model);
    layout->addWidget(m_grid, 1);
    buildFooter(layout);

    connect(m_model, &VoucherLineModel::amountsChanged, this, &Tzw_kjpz::sumfoor);
    // A typed code may open dialogs: let the editor finish closing first.
    connect(m_model, &VoucherLineModel::accountTyped, this, &Tzw_kjpz::accountTyped,
            Qt::QueuedConnection);
    connect(m_grid, &VoucherGrid::currentRowChanged, this, &Tzw_kjpz::show_fzhs);
    connect(m_grid, &VoucherGrid::deleteLineRequested, this, &Tzw_kjpz::deleteLine);
    connect(m_grid, &VoucherGrid::pickRequested, this, [this](const QModelIndex &cell) {
        if (cell.column() == VoucherLineModel::Summary)
            pickSummary(cell.row());
        else
            pickAccount(cell.row());
    });
    m_grid->setEnterHandler([this](const QModelIndex &cell) { return enterPressed(cell); });
    resize(920, 600);
}

Tzw_kjpz::~Tzw_kjpz()
{
    // Hiding moves the focus, which makes an open editor write into the buffer: do it while
    // the buffer still exists.
    m_grid->finishEditing();
    hide();
}

void Tzw_kjpz::buildToolBar()
{
    m_toolBar = new QToolBar(this);
    m_toolBar->setObjectName(QStringLiteral("ToolBar1"));
    m_toolBar->setToolButtonStyle(Qt::ToolButtonTextOnly);
    const auto add = [this](const QString &caption, void (Tzw_kjpz::*slot)()) {
        QAction *action = m_toolBar->addAction(caption);
        action->setObjectName(caption);
        connect(action, &QAction::triggered, this, [this, slot] { (this->*slot)(); });
        return action;
    };
    add(QStringLiteral("最前张"), &Tzw_kjpz::firstVoucher);
    add(QStringLiteral("前一张"), &Tzw_kjpz::previousVoucher);
    add(QStringLiteral("后一张"), &Tzw_kjpz::nextVoucher);
    add(QStringLiteral("最后张"), &Tzw_kjpz::lastVoucher);
    m_toolBar->addSeparator();
    add(QStringLiteral("增行"), &Tzw_kjpz::addLine);
    add(QStringLiteral("删行"), &Tzw_kjpz::deleteLine);
    add(QStringLiteral("对调"), &Tzw_kjpz::swapSides);
    add(QStringLiteral("平衡"), &Tzw_kjpz::balanceLine);
    m_toolBar->addSeparator();
    add(QStringLiteral("新增(&A)"), &Tzw_kjpz::newVoucher);
    QAction *save = m_toolBar->addAction(QStringLiteral("保存(&S)"));
    save->setObjectName(save->text());
    connect(save, &QAction::triggered, this, [this] { saveVoucher(); });
    add(QStringLiteral("删除"), &Tzw_kjpz::deleteVoucher);
    add(QStringLiteral("打印(&P)"), &Tzw_kjpz::printVoucher);
    m_toolBar->addSeparator();
    QAction *reviewAction = add(QStringLiteral("复核"), &Tzw_kjpz::review);
    reviewAction->setVisible(m_mode == 3);
    add(QStringLiteral("退出"), &Tzw_kjpz::quit);
    // The buttons must not take the focus from the grid's editor.
    for (QToolButton *button : m_toolBar->findChildren<QToolButton *>())
        button->setFocusPolicy(Qt::NoFocus);
}

void Tzw_kjpz::buildHeader(QVBoxLayout *layout)
{
    auto *heading = new QLabel(QStringLiteral("记 帐 凭 证"), this);
    heading->setObjectName(QStringLiteral("heading"));
    QFont font = heading->font();
    font.setPointSizeF(font.pointSizeF() * 1.8);
    font.setBold(true);
    font.setUnderline(true);
    heading->setFont(font);
    heading->setAlignment(Qt::AlignCenter);
    layout->addWidget(heading);

    m_number = new QSpinBox(this);
    m_number->setObjectName(QStringLiteral("pzbhEdit"));
    m_number->setRange(0, 9999);
    m_number->setButtonSymbols(QAbstractSpinBox::NoButtons);
    m_number->setMinimumWidth(70);
    m_date = new QDateEdit(this);
    m_date->setObjectName(QStringLiteral("rqEdit"));
    m_date->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
    m_date->setAlignment(Qt::AlignCenter);
    m_date->setCalendarPopup(true);
    m_date->setMinimumWidth(120);
    auto *today = new QToolButton(this);
    today->setObjectName(QStringLiteral("todayButton"));
    today->setText(QStringLiteral("今天"));
    today->setFocusPolicy(Qt::NoFocus);
    connect(today, &QToolButton::clicked, this, [this] { m_date->setDate(QDate::currentDate()); });
    m_attachments = new QSpinBox(this);
    m_attachments->setObjectName(QStringLiteral("fjsEdit"));
    m_attachments->setRange(0, 999);
    m_attachments->setButtonSymbols(QAbstractSpinBox::NoButtons);
    m_attachments->setMinimumWidth(50);
    connect(m_date, &QDateEdit::dateChanged, this, &Tzw_kjpz::dateEdited);

    auto *row = new QHBoxLayout;
    row->addWidget(new QLabel(QStringLiteral("凭证号"), this));
    row->addWidget(m_number);
    row->addStretch(1);
    row->addWidget(new QLabel(QStringLiteral("日  期"), this));
    row->addWidget(m_date);
    row->addWidget(today);
    row->addStretch(1);
    row->addWidget(new QLabel(QStringLiteral("附件数"), this));
    row->addWidget(m_attachments);
    layout->addLayout(row);
}

void Tzw_kjpz::buildFooter(QVBoxLayout *layout)
{
    // The totals stand under their columns wherever the columns are.
    m_totalsBar = new QWidget(this);
    m_totalsBar->setObjectName(QStringLiteral("totalsBar"));
    m_totalsBar->setFixedHeight(28);
    auto *caption = new QLabel(QStringLiteral("合计：  "), m_totalsBar);
    caption->setObjectName(QStringLiteral("totalCaption"));
    caption->move(m_grid->verticalHeader()->width() + 6, 5);
    m_debitTotal = new LedgerTotal(m_totalsBar);
    m_debitTotal->setObjectName(QStringLiteral("jfTotal"));
    m_creditTotal = new LedgerTotal(m_totalsBar);
    m_creditTotal->setObjectName(QStringLiteral("dfTotal"));
    layout->addWidget(m_totalsBar);
    QHeaderView *header = m_grid->horizontalHeader();
    connect(header, &QHeaderView::sectionResized, this, &Tzw_kjpz::layoutTotals);
    connect(header, &QHeaderView::geometriesChanged, this, &Tzw_kjpz::layoutTotals);
    header->installEventFilter(this);

    const auto strip = [this](const QString &name) {
        auto *button = new QPushButton(this);
        button->setObjectName(name);
        button->setFlat(true);
        button->setFocusPolicy(Qt::NoFocus);
        button->setMinimumWidth(110);
        button->setStyleSheet(QStringLiteral("text-align: left; color: #1e50e6;"));
        return button;
    };
    m_rate = strip(QStringLiteral("hlButton"));
    m_foreign = strip(QStringLiteral("wbButton"));
    m_department = strip(QStringLiteral("bmButton"));
    m_project = strip(QStringLiteral("xmButton"));
    connect(m_rate, &QPushButton::clicked, this, [this] { editForeignCurrency(currentRow()); });
    connect(m_foreign, &QPushButton::clicked, this, [this] { editForeignCurrency(currentRow()); });
    connect(m_department, &QPushButton::clicked, this, [this] { pickDepartment(currentRow()); });
    connect(m_project, &QPushButton::clicked, this, [this] { pickProject(currentRow()); });
    auto *aux = new QHBoxLayout;
    aux->addWidget(new QLabel(QStringLiteral("汇率："), this));
    aux->addWidget(m_rate);
    aux->addWidget(new QLabel(QStringLiteral("外币："), this));
    aux->addWidget(m_foreign);
    aux->addWidget(new QLabel(QStringLiteral("部门："), this));
    aux->addWidget(m_department);
    aux->addWidget(new QLabel(QStringLiteral("项目："), this));
    aux->addWidget(m_project);
    aux->addStretch(1);
    layout->addLayout(aux);

    auto *names = new QHBoxLayout;
    const QStringList captions = {QStringLiteral("制单："), QStringLiteral("复核："),
                                  QStringLiteral("记帐:")};
    for (int i = 0; i < 3; ++i) {
        names->addWidget(new QLabel(captions.at(i), this));
        m_signatures[i] = new QLabel(this);
        m_signatures[i]->setObjectName(QStringLiteral("signature%1").arg(i));
        m_signatures[i]->setMinimumWidth(100);
        names->addWidget(m_signatures[i]);
        names->addStretch(1);
    }
    layout->addLayout(names);
}

void Tzw_kjpz::layoutTotals()
{
    QHeaderView *header = m_grid->horizontalHeader();
    if (!m_debitTotal)
        return;
    const int origin = header->mapTo(this, QPoint(0, 0)).x() - m_totalsBar->x();
    const auto place = [&](QLabel *total, int column) {
        total->setGeometry(origin + header->sectionViewportPosition(column), 0,
                           header->sectionSize(column), 26);
    };
    place(m_debitTotal, VoucherLineModel::Debit);
    place(m_creditTotal, VoucherLineModel::Credit);
}

bool Tzw_kjpz::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_grid->horizontalHeader()
        && (event->type() == QEvent::Resize || event->type() == QEvent::Move))
        layoutTotals();
    return QDialog::eventFilter(watched, event);
}

QAction *Tzw_kjpz::action(const QString &caption) const
{
    return m_toolBar->findChild<QAction *>(caption);
}

QString Tzw_kjpz::signature(int which) const
{
    return m_signatures[which]->text();
}

QSqlDatabase Tzw_kjpz::db() const
{
    return Tdm1::current().ADOConnection1();
}

int Tzw_kjpz::currentRow() const
{
    return m_grid->currentIndex().row();
}

void Tzw_kjpz::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (!m_service) {
        // At the main window's left edge, 50 pixels below its top.
        if (QWidget *main = parentWidget() ? parentWidget()->window() : nullptr)
            move(main->geometry().left(), main->geometry().top() + 50);
        openForm();
    }
}

void Tzw_kjpz::openForm()
{
    try {
        m_service = std::make_unique<VoucherService>(db(), VoucherSession::fromAppContext());
        m_lists.load(db(), AppContext.LevelLen1);
        if (m_mode == 1) {
            m_loading = true;
            m_date->setDate(m_service->firstOpeningDate());
            m_loading = false;
            ini_input_pz();
        } else {
            ini_modified_pz({AppContext.OpenVoucherYear, AppContext.OpenVoucherMonth,
                             AppContext.OpenVoucherNo});
        }
    } catch (const DbError &error) {
        ShowInfo(error.message());
    }
}

void Tzw_kjpz::showVoucher(Voucher voucher)
{
    m_grid->finishEditing();
    m_voucher = std::move(voucher);
    m_lists.fillNames(m_voucher);
    writeHeader();
    m_model->reload();
    if (m_model->rowCount() > 0)
        m_grid->setCurrentIndex(m_model->index(0, VoucherLineModel::Summary));
    sumfoor();
    show_fzhs();
}

void Tzw_kjpz::ini_input_pz()
{
    showVoucher(m_service->ini_input_pz(m_date->date()));
    focusGrid(0, VoucherLineModel::Summary);
}

void Tzw_kjpz::ini_modified_pz(const VoucherKey &key)
{
    showVoucher(m_service->ini_modified_pz(key));
}

void Tzw_kjpz::prefill(const QList<GeneratedLine> &lines)
{
    m_grid->finishEditing();
    m_voucher.prefill(lines);
    m_lists.fillNames(m_voucher);
    m_model->reload();
    focusGrid(0, VoucherLineModel::Summary);
    sumfoor();
}

// The header editors into the voucher, before the rules look at it.
void Tzw_kjpz::readHeader()
{
    m_voucher.header.number = m_number->value();
    m_voucher.header.date = m_date->date();
    m_voucher.header.attachments = m_attachments->value();
}

void Tzw_kjpz::writeHeader()
{
    m_loading = true;
    m_number->setValue(m_voucher.header.number);
    if (m_voucher.header.date.isValid())
        m_date->setDate(m_voucher.header.date);
    m_attachments->setValue(m_voucher.header.attachments);
    m_loading = false;
    m_signatures[0]->setText(m_voucher.maker);
    m_signatures[1]->setText(m_voucher.reviewer);
    m_signatures[2]->setText(m_voucher.poster);
}

void Tzw_kjpz::dateEdited()
{
    if (m_loading || !m_service || m_voucher.mode != Voucher::Mode::New)
        return;
    const QDate date = m_date->date();
    const bool inPeriod = date.year() > AppContext.CurYear
                          || (date.year() == AppContext.CurYear
                              && date.month() >= AppContext.CurMonth);
    if (!inPeriod)
        return;
    try {
        m_number->setValue(m_service->max_pzbh(0, date));
    } catch (const DbError &error) {
        ShowInfo(error.message());
    }
}

void Tzw_kjpz::sumfoor()
{
    m_debitTotal->setText(m_voucher.debitTotal().toPlain());
    m_creditTotal->setText(m_voucher.creditTotal().toPlain());
    m_debitTotal->update();
    m_creditTotal->update();
}

void Tzw_kjpz::show_fzhs()
{
    const int row = currentRow();
    VoucherLine line;
    if (row >= 0 && row < m_voucher.lineCount())
        line = m_voucher.line(row);
    const bool foreign = line.hl != 0 || !line.wbjf.isZero();
    m_rate->setEnabled(foreign);
    m_foreign->setEnabled(foreign);
    m_rate->setText(line.hl == 0 ? QString() : Currencies::formatRate(line.hl));
    m_foreign->setText(line.wbjf.isZero() ? QString() : line.wbjf.toPlain());
    m_department->setEnabled(!line.bmbm.isEmpty());
    m_department->setText(m_lists.departmentName(line.bmbm));
    m_project->setEnabled(!line.xmbm.isEmpty());
    m_project->setText(m_lists.projectName(line.xmbm));
}

void Tzw_kjpz::focusGrid(int row, int column)
{
    m_grid->setFocus();
    if (row >= 0 && row < m_model->rowCount())
        m_grid->editCell(row, column);
}

void Tzw_kjpz::focusField(const VoucherCheck &check)
{
    switch (check.field) {
    case VoucherField::Account:
        focusGrid(check.row, VoucherLineModel::AccountCode);
        break;
    case VoucherField::Debit:
        focusGrid(check.row, VoucherLineModel::Debit);
        break;
    case VoucherField::Summary:
        focusGrid(check.row, VoucherLineModel::Summary);
        break;
    case VoucherField::Date:
        m_date->setFocus();
        break;
    case VoucherField::Number:
        m_number->setFocus();
        m_number->selectAll();
        break;
    case VoucherField::None:
        m_grid->setFocus();
        break;
    }
}

bool Tzw_kjpz::removeBlankLines()
{
    m_grid->finishEditing();
    const bool left = VoucherService::delete_false_row(m_voucher);
    m_model->reload();
    return left;
}

bool Tzw_kjpz::runSave()
{
    m_grid->finishEditing();
    readHeader();
    VoucherSaveResult result;
    try {
        result = m_service->save_pz(m_voucher, [](const QString &question) {
            return ConfirmNoDefault(question);
        });
    } catch (const DbError &error) {
        result.kind = VoucherSaveResult::Failed;
        result.check = VoucherCheck::refuse(error.message());
    }
    m_model->reload();
    switch (result.kind) {
    case VoucherSaveResult::Saved:
        AppContext.PickedCode = VoucherMessages::Modified;
        writeHeader();
        m_signatures[0]->setText(AppContext.OperatorName);
        return true;
    case VoucherSaveResult::NothingToSave:
        return true;
    case VoucherSaveResult::Refused:
        if (!result.check.message.isEmpty())
            ShowInfo(result.check.message);
        focusField(result.check);
        return false;
    case VoucherSaveResult::Failed:
        // The voucher stays on screen with its changes; the user may try again.
        ShowInfo(QStringLiteral("凭证未保存：%1").arg(
            result.check.message.simplified().section(QLatin1Char('\n'), 0, 0)));
        m_grid->setFocus();
        return false;
    }
    return false;
}

bool Tzw_kjpz::saveBeforeLeaving(const QString &question)
{
    readHeader();
    if (!removeBlankLines())
        return true;
    if (!VoucherService::is_pz_modified(m_voucher))
        return true;
    if (!ConfirmYesDefault(question))
        return true;
    return runSave();
}

// 0 最前张, 1 前一张, 2 后一张, 3 最后张.
void Tzw_kjpz::navigate(int button)
{
    if (!saveBeforeLeaving(VoucherMessages::AskSave)) {
        m_grid->setFocus();
        return;
    }
    const bool stored = m_voucher.mode == Voucher::Mode::Stored;
    const int year = stored ? m_voucher.loadedKey.year : m_date->date().year();
    const int month = stored ? m_voucher.loadedKey.month : m_date->date().month();
    const int shown = m_number->value();
    std::optional<VoucherKey> found;
    try {
        const auto search = [&](int kind, int number) {
            return m_service->searth_one_pz(year, month, kind, number);
        };
        if (stored) {
            const int loaded = m_voucher.loadedKey.number;
            const int kinds[] = {3, 1, 2, 4};
            found = search(kinds[button], button == 1 || button == 2 ? loaded : shown);
        } else if (button == 0 || button == 3) {
            found = search(button == 0 ? 3 : 4, shown);
            if (!found)
                found = search(button == 0 ? 1 : 2, 1);
        } else {
            found = search(0, 0);
            if (!found)
                found = search(button == 1 ? 1 : 2, 1);
        }
        if (found)
            ini_modified_pz(*found);
    } catch (const DbError &error) {
        ShowInfo(error.message());
    }
    m_grid->setFocus();
}

void Tzw_kjpz::firstVoucher() { navigate(0); }
void Tzw_kjpz::previousVoucher() { navigate(1); }
void Tzw_kjpz::nextVoucher() { navigate(2); }
void Tzw_kjpz::lastVoucher() { navigate(3); }

void Tzw_kjpz::addLine()
{
    m_grid->finishEditing();
    if (const Status maker = m_service->checkMaker(m_voucher); !maker) {
        ShowInfo(maker.message());
        return;
    }
    const int row = m_model->appendLine();
    focusGrid(row, VoucherLineModel::Summary);
}

void Tzw_kjpz::deleteLine()
{
    m_grid->finishEditing();
    const int row = currentRow();
    if (m_voucher.lineCount() == 0 || row < 0)
        return;
    if (const Status maker = m_service->checkMaker(m_voucher); !maker) {
        ShowInfo(maker.message());
        return;
    }
    const VoucherLine &line = m_voucher.line(row);
    if (!line.itembm.isEmpty() && (!line.jfje.isZero() || !line.dfje.isZero())
        && !ConfirmNoDefault(VoucherMessages::AskDeleteLine))
        return;
    m_model->removeLine(row);
    show_fzhs();
    m_grid->setFocus();
}

void Tzw_kjpz::swapSides()
{
    m_grid->finishEditing();
    const int row = currentRow();
    if (row < 0)
        return;
    m_voucher.swapSides(row);
    m_model->lineChanged(row);
    m_grid->setFocus();
}

void Tzw_kjpz::balanceLine()
{
    m_grid->finishEditing();
    const int row = currentRow();
    if (row < 0)
        return;
    m_voucher.balanceRow(row);
    m_model->lineChanged(row);
    m_grid->setFocus();
}

void Tzw_kjpz::newVoucher()
{
    if (!hasRight())
        return;
    if (m_voucher.mode == Voucher::Mode::New) {
        readHeader();
        if (removeBlankLines() && !runSave())
            return;
    } else if (!saveBeforeLeaving(VoucherMessages::AskSave)) {
        return;
    }
    ini_input_pz();
}

bool Tzw_kjpz::saveVoucher()
{
    readHeader();
    if (!removeBlankLines()) {
        m_grid->setFocus();
        return true;
    }
    if (VoucherService::is_pz_modified(m_voucher) && !runSave())
        return false;
    try {
        if (m_voucher.lineCount() > 0 && m_service->is_xjkmpz(m_voucher) && splitCashFlow) {
            AppContext.OpenVoucherYear = m_voucher.loadedKey.year;
            AppContext.OpenVoucherMonth = m_voucher.loadedKey.month;
            AppContext.OpenVoucherNo = m_voucher.loadedKey.number;
            splitCashFlow(this);
        }
    } catch (const DbError &error) {
        ShowInfo(error.message());
    }
    const VoucherKey saved = m_voucher.loadedKey;
    nextVoucher();
    if (m_voucher.loadedKey == saved)
        newVoucher();
    return true;
}

void Tzw_kjpz::deleteVoucher()
{
    m_grid->finishEditing();
    if (const Status deletable = m_service->checkDeletable(m_voucher); !deletable) {
        ShowInfo(deletable.message());
        m_grid->setFocus();
        return;
    }
    if (!ConfirmNoDefault(VoucherMessages::AskDeleteVoucher))
        return;
    if (m_voucher.mode == Voucher::Mode::New) {
        ini_input_pz();
        return;
    }
    try {
        if (const Status deleted = m_service->deleteVoucher(m_voucher); !deleted) {
            ShowInfo(deleted.message());
            return;
        }
        AppContext.PickedCode = VoucherMessages::Modified;
        const VoucherKey gone = m_voucher.loadedKey;
        std::optional<VoucherKey> neighbour =
            m_service->searth_one_pz(gone.year, gone.month, 1, gone.number);
        if (!neighbour)
            neighbour = m_service->searth_one_pz(gone.year, gone.month, 2, gone.number);
        if (neighbour)
            ini_modified_pz(*neighbour);
        else
            ini_input_pz();
    } catch (const DbError &error) {
        ShowInfo(QStringLiteral("凭证未删除：%1").arg(error.message().simplified()));
    }
    m_grid->setFocus();
}

void Tzw_kjpz::printVoucher()
{
    readHeader();
    if (!removeBlankLines())
        return;
    if (VoucherService::is_pz_modified(m_voucher)) {
        ShowInfo(VoucherMessages::SaveBeforePrint);
        return;
    }
    QStandardItemModel rows(0, 13);
    rows.setHorizontalHeaderLabels(
        {QStringLiteral("rq"), QStringLiteral("pzbh"), QStringLiteral("fjs"),
         QStringLiteral("pzzy"), QStringLiteral("itembm"), QStringLiteral("kmmc"),
         QStringLiteral("jfje"), QStringLiteral("dfje"), QStringLiteral("zd"), QStringLiteral("fh"),
         QStringLiteral("jz"), QStringLiteral("kjnf"), QStringLiteral("kjyf")});
    for (const VoucherLine &line : m_voucher.lines()) {
        QList<QStandardItem *> row;
        const QVariantList values = {line.rq, line.pzbh, line.fjs, line.pzzy, line.itembm,
                                     line.kmmc, line.jfje.toFixed(), line.dfje.toFixed(),
                                     line.zd, line.fh, line.jz, line.kjnf, line.kjyf};
        for (const QVariant &value : values) {
            auto *item = new QStandardItem;
            item->setData(value, Qt::EditRole);
            row.append(item);
        }
        rows.appendRow(row);
    }
    AppContext.PrintTemplate = QStringLiteral("rpt11");
    AppContext.PrintKind = 0;
    Tprintform::Execute(&rows, nullptr, this);
}

void Tzw_kjpz::review()
{
    m_grid->finishEditing();
    readHeader();
    if (!removeBlankLines() || !reviewVoucher)
        return;
    if (reviewVoucher(this, m_voucher.loadedKey)) {
        AppContext.PickedCode = VoucherMessages::Modified;
        ini_modified_pz(m_voucher.loadedKey);
    }
}

void Tzw_kjpz::quit()
{
    close();
}

void Tzw_kjpz::closeEvent(QCloseEvent *event)
{
    if (!m_closing && m_service && !saveBeforeLeaving(VoucherMessages::AskSaveOnExit)) {
        event->ignore();
        return;
    }
    m_closing = true;
    if (m_service) {
        try {
            m_service->removeOrphanCashFlowRows();
        } catch (const DbError &error) {
            ShowInfo(error.message());
        }
    }
    QDialog::closeEvent(event);
}

void Tzw_kjpz::keyPressEvent(QKeyEvent *event)
{
    // Escape and Enter belong to the grid and the editors, not to the dialog's buttons.
    if (event->key() == Qt::Key_Escape) {
        quit();
        return;
    }
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        focusNextChild();
        return;
    }
    QDialog::keyPressEvent(event);
}

bool Tzw_kjpz::enterPressed(const QModelIndex &index)
{
    const VoucherLine &line = m_voucher.line(index.row());
    if (index.column() == VoucherLineModel::Summary && line.pzzy.isEmpty()) {
        pickSummary(index.row());
        return true;
    }
    if (index.column() == VoucherLineModel::AccountCode && line.itembm.isEmpty()) {
        pickAccount(index.row());
        return true;
    }
    return false;
}

void Tzw_kjpz::pickSummary(int row)
{
    if (row < 0)
        return;
    AppContext.FormMode = 2;
    AppContext.PickedCode.clear();
    {
        Tzw_zy picker(this);
        picker.exec();
    }
    AppContext.FormMode = m_mode;
    if (AppContext.PickedCode.isEmpty())
        return;
    VoucherLine line = m_voucher.line(row);
    line.pzzy = AppContext.PickedCode.left(100);
    m_voucher.setLine(row, line);
    m_model->lineChanged(row);
    focusGrid(row, VoucherLineModel::Summary);
}

void Tzw_kjpz::pickAccount(int row)
{
    if (row < 0)
        return;
    AppContext.PickedCode.clear();
    Tzw_kmzd::Execute(Tzw_kmzd::PickLeaf, this);
    AppContext.FormMode = m_mode;
    const QString code = AppContext.PickedCode.trimmed();
    if (code.isEmpty())
        return;
    VoucherLine line = m_voucher.line(row);
    const bool other = line.itembm != code;
    line.itembm = code;
    line.kmmc = m_lists.accountName(code);
    m_voucher.setLine(row, line);
    if (other)
        resetLine(row);
    m_model->lineChanged(row);
    settleAccount(row, true);
    m_grid->setFocus();
}

void Tzw_kjpz::accountTyped(int row, const QString &previous)
{
    if (row < 0 || row >= m_voucher.lineCount() || m_voucher.line(row).itembm == previous)
        return;
    resetLine(row);
    if (!m_voucher.line(row).itembm.isEmpty())
        settleAccount(row, false);
}

void Tzw_kjpz::resetLine(int row)
{
    VoucherLine line = m_voucher.line(row);
    // Another account: its department, project and foreign amount do not carry over.
    line.bmbm.clear();
    line.xmbm.clear();
    line.bmmc.clear();
    line.xmmc.clear();
    line.wbjf = Money();
    line.hl = 0;
    const bool erased = line.itembm.isEmpty();
    if (erased) {
        line.pzzy.clear();
        line.jfje = Money();
        line.dfje = Money();
    }
    m_voucher.setLine(row, line);
    // Only an erased code changes what the grid shows.
    if (erased)
        m_model->lineChanged(row);
    show_fzhs();
}

void Tzw_kjpz::settleAccount(int row, bool picked)
{
    VoucherLine line = m_voucher.line(row);
    try {
        if (!m_lists.hasAccount(line.itembm) && hasLevelLength(line.itembm)) {
            m_lists.reloadChart(db());
            line.kmmc = m_lists.accountName(line.itembm);
            m_voucher.setLine(row, line);
            m_model->lineChanged(row, VoucherLineModel::AccountName,
                                 VoucherLineModel::AccountName);
        }
        const CodeLookup account = findAccount(db(), line.itembm);
        if (!account.isLeaf()) {
            if (picked)
                ShowInfo(VoucherMessages::NotLeafPicked);
            else
                pickAccount(row);
            return;
        }
        if (account.fxFlag == 1) {
            if (line.hl == 0) {
                for (const Currencies::Currency &currency : Currencies::list(db())) {
                    if (currency.name == account.currency)
                        line.hl = currency.hl;
                }
                m_voucher.setLine(row, line);
            }
            editForeignCurrency(row);
        }
        if (account.deptFlag == 1)
            pickDepartment(row);
        if (account.projFlag == 1)
            pickProject(row);
    } catch (const DbError &error) {
        ShowInfo(error.message());
    }
}

void Tzw_kjpz::editForeignCurrency(int row)
{
    if (row < 0 || row >= m_voucher.lineCount())
        return;
    VoucherLine line = m_voucher.line(row);
    {
        Twb2 dialog(line, this);
        dialog.exec();
    }
    m_voucher.setLine(row, line);
    m_model->lineChanged(row);
    show_fzhs();
}

void Tzw_kjpz::pickDepartment(int row)
{
    if (row < 0 || row >= m_voucher.lineCount())
        return;
    VoucherLine line = m_voucher.line(row);
    AppContext.PickedCode = line.bmbm;
    {
        Tbmzd2 picker(this);
        picker.exec();
    }
    line.bmbm = AppContext.PickedCode;
    line.bmmc = AppContext.PickedName;
    m_voucher.setLine(row, line);
    m_model->lineChanged(row);
    show_fzhs();
}

void Tzw_kjpz::pickProject(int row)
{
    if (row < 0 || row >= m_voucher.lineCount())
        return;
    VoucherLine line = m_voucher.line(row);
    AppContext.PickedCode = line.xmbm;
    {
        Txmzd2 picker(this);
        picker.exec();
    }
    line.xmbm = AppContext.PickedCode;
    line.xmmc = AppContext.PickedName;
    m_voucher.setLine(row, line);
    m_model->lineChanged(row);
    show_fzhs();
}
