#include "ui/masterdata/tzw_kmzd1.h"

#include "app/appcontext.h"
#include "app/tdm1.h"
#include "db/dberror.h"
#include "masterdata/accountcodes.h"
#include "masterdata/accountlookup.h"
#include "ui/app/messages.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

const QString PromptCaption = QStringLiteral("提示");

int flag(const QCheckBox *box)
{
    return box->isChecked() ? 1 : 0;
}

} // namespace

Tzw_kmzd1::Tzw_kmzd1(int category, const std::optional<AccountRecord> &current, QWidget *parent)
    : QDialog(parent), m_category(category)
{
    setObjectName(QStringLiteral("zw_kmzd1"));
    setWindowTitle(QStringLiteral("科目修改"));
    buildForm();

    const CodeLevels levels = CodeLevels::fromContext();
    if (AppContext.FormMode == 3 && current) {
        prepareEdit(*current);
    } else if (AppContext.FormMode == 2 && current) {
        prepareNew(current->id, current->itembm, current->kmjc + 1);
    } else if (current && current->kmjc > 1) {
        prepareNew(current->parent, current->itembm.left(levels.codeLength(current->kmjc - 1)),
                   current->kmjc);
    } else {
        prepareNew(-1, QString(), 1);
    }
}

void Tzw_kmzd1::buildForm()
{
    m_parentCode = new QLineEdit(this);
    m_parentCode->setReadOnly(true);
    m_parentCode->setFocusPolicy(Qt::NoFocus);
    m_dash = new QLabel(QStringLiteral("---"), this);
    m_segment = new QLineEdit(this);
    m_segment->setMaxLength(20);
    m_name = new QLineEdit(this);
    m_name->setMaxLength(60);
    m_parentCode->setFixedWidth(150);
    m_segment->setFixedWidth(90);
    auto *codeRow = new QHBoxLayout;
    codeRow->setSpacing(6);
    codeRow->addWidget(m_parentCode);
    codeRow->addWidget(m_dash);
    codeRow->addWidget(m_segment);
    codeRow->addStretch(1);

    auto *direction = new QGroupBox(QStringLiteral("余额方向"), this);
    m_debit = new QRadioButton(QStringLiteral("  借  方"), direction);
    m_credit = new QRadioButton(QStringLiteral("  贷  方"), direction);
    auto *directionGroup = new QButtonGroup(this);
    directionGroup->addButton(m_debit);
    directionGroup->addButton(m_credit);
    auto *directionRow = new QHBoxLayout(direction);
    directionRow->addWidget(m_debit);
    directionRow->addWidget(m_credit);
    directionRow->addStretch();

    auto *auxiliary = new QGroupBox(QStringLiteral("辅助核算"), this);
    m_dept = new QCheckBox(QStringLiteral("部门核算"), auxiliary);
    m_project = new QCheckBox(QStringLiteral("项目核算"), auxiliary);
    m_foreign = new QCheckBox(QStringLiteral("外币核算"), auxiliary);
    m_currency = new QComboBox(auxiliary);
    m_currency->setMinimumWidth(100);
    connect(m_foreign, &QCheckBox::toggled, m_currency, &QComboBox::setEnabled);
    auto *auxiliaryRow = new QHBoxLayout(auxiliary);
    auxiliaryRow->addWidget(m_dept);
    auxiliaryRow->addWidget(m_project);
    auxiliaryRow->addWidget(m_foreign);
    auxiliaryRow->addWidget(m_currency);
    auxiliaryRow->addStretch();

    auto *special = new QGroupBox(QStringLiteral("特定科目"), this);
    m_cash = new QCheckBox(QStringLiteral("现金、银行"), special);
    m_cashFlow = new QCheckBox(QStringLiteral("核算现金流量"), special);
    auto *specialRow = new QHBoxLayout(special);
    specialRow->addWidget(m_cash);
    specialRow->addWidget(m_cashFlow);
    specialRow->addStretch();

    m_erp = new QLineEdit(this);
    m_erp->setMaxLength(30);

    auto *form = new QGridLayout;
    form->setHorizontalSpacing(8);
    form->setVerticalSpacing(10);
    auto label = [this](const char *text) {
        auto *l = new QLabel(QString::fromUtf8(text), this);
        l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        return l;
    };
    form->addWidget(label("科目编码:"), 0, 0);
    form->addLayout(codeRow, 0, 1);
    form->addWidget(label("科目名称:"), 1, 0);
    form->addWidget(m_name, 1, 1);
    form->addWidget(direction, 2, 0, 1, 2);
    form->addWidget(auxiliary, 3, 0, 1, 2);
    form->addWidget(special, 4, 0, 1, 2);
    form->addWidget(label("对应ERP科目编码："), 5, 0);
    form->addWidget(m_erp, 5, 1);
    form->setColumnStretch(1, 1);

    m_previous = new QToolButton(this);
    m_previous->setArrowType(Qt::LeftArrow);
    m_previous->setToolTip(QStringLiteral("上一个科目"));
    m_next = new QToolButton(this);
    m_next->setArrowType(Qt::RightArrow);
    m_next->setToolTip(QStringLiteral("下一个科目"));
    m_continue = new QPushButton(QStringLiteral("继续增加同级科目"), this);
    m_ok = new QPushButton(QStringLiteral("确认"), this);
    m_cancel = new QPushButton(QStringLiteral("取消"), this);
    m_ok->setDefault(true);
    m_continue->setAutoDefault(false);
    m_cancel->setAutoDefault(false);
    connect(m_previous, &QToolButton::clicked, this, &Tzw_kmzd1::showPrevious);
    connect(m_next, &QToolButton::clicked, this, &Tzw_kmzd1::showNext);
    connect(m_continue, &QPushButton::clicked, this, &Tzw_kmzd1::continueAdding);
    connect(m_ok, &QPushButton::clicked, this, &Tzw_kmzd1::accept);
    connect(m_cancel, &QPushButton::clicked, this, &Tzw_kmzd1::reject);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(m_previous);
    buttons->addWidget(m_next);
    buttons->addStretch();
    buttons->addWidget(m_continue);
    buttons->addWidget(m_ok);
    buttons->addWidget(m_cancel);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 16, 16, 12);
    layout->setSpacing(12);
    layout->addLayout(form);
    layout->addLayout(buttons);
    setFixedWidth(470);
}

ChartOfAccounts Tzw_kmzd1::chart() const
{
    return ChartOfAccounts(Tdm1::current().ADOConnection1(), CodeLevels::fromContext());
}

void Tzw_kmzd1::prepareNew(int parentId, const QString &parentCode, int level)
{
    m_draft = ChartOfAccounts::Draft();
    m_draft.account = ChartOfAccounts::newAccount(m_category, level, parentId);
    m_draft.parentCode = parentCode;
    m_draft.segment = NextSubAccountCode(Tdm1::current().ADOConnection1(), parentCode, level,
                                         CodeLevels::fromContext().segmentLength(level));
    m_opened = m_draft;
    m_segmentEditable = true;
    m_erpEditable = true;
    showDraft();
}

void Tzw_kmzd1::prepareEdit(const AccountRecord &account)
{
    const ChartOfAccounts accounts = chart();
    m_draft = accounts.draftFor(account);
    m_opened = m_draft;
    const bool leaf = findAccount(Tdm1::current().ADOConnection1(), account.itembm).isLeaf();
    // Only a leaf without voucher lines may change its code; a parent carries no ERP mapping.
    m_segmentEditable = leaf && !accounts.hasVoucherLines(account.itembm);
    m_erpEditable = leaf;
    if (!leaf)
        m_draft.account.erpKmcode.clear();
    showDraft();
}

void Tzw_kmzd1::showDraft()
{
    const AccountRecord &account = m_draft.account;
    const bool topLevel = m_draft.parentCode.isEmpty();
    m_parentCode->setText(m_draft.parentCode);
    m_parentCode->setVisible(!topLevel);
    m_dash->setVisible(!topLevel);
    m_segment->setText(m_draft.segment);
    m_segment->setEnabled(m_segmentEditable);
    m_name->setText(account.itemmc);
    m_debit->setChecked(account.jhd == 1);
    m_credit->setChecked(account.jhd != 1);
    m_dept->setChecked(account.bmhs == 1);
    m_project->setChecked(account.xmhs == 1);
    m_foreign->setChecked(account.wbhs == 1);
    m_cash->setChecked(account.xjyh == 1);
    m_cashFlow->setChecked(account.xjll == 1);

    QStringList names;
    try {
        names = chart().currencies();
    } catch (const DbError &error) {
        ShowInfo(error.message());
    }
    // The blank entry stands for an account without a currency.
    names.prepend(QString());
    if (!names.contains(account.wbmc))
        names.append(account.wbmc);
    m_currency->clear();
    m_currency->addItems(names);
    m_currency->setCurrentIndex(int(names.indexOf(account.wbmc)));
    m_currency->setEnabled(account.wbhs == 1);

    m_erp->setText(account.erpKmcode);
    m_erp->setEnabled(m_erpEditable);
    if (m_segmentEditable) {
        m_segment->setFocus();
        m_segment->selectAll();
    } else {
        m_name->setFocus();
    }
}

ChartOfAccounts::Draft Tzw_kmzd1::gathered() const
{
    ChartOfAccounts::Draft draft = m_draft;
    AccountRecord &account = draft.account;
    draft.segment = m_segment->text();
    account.itemmc = m_name->text();
    account.jhd = m_debit->isChecked() ? 1 : 0;
    account.bmhs = flag(m_dept);
    account.xmhs = flag(m_project);
    account.wbhs = flag(m_foreign);
    if (account.wbhs == 1)
        account.wbmc = m_currency->currentText();
    account.xjyh = flag(m_cash);
    account.xjll = flag(m_cashFlow);
    account.erpKmcode = m_erp->text();
    return draft;
}

bool Tzw_kmzd1::hasChanges() const
{
    const ChartOfAccounts::Draft draft = gathered();
    return isNewAccount() || draft.segment != m_opened.segment
           || !(draft.account == m_opened.account);
}

bool Tzw_kmzd1::save()
{
    if (!hasChanges())
        return true;
    try {
        const Result<AccountRecord> saved = chart().save(gathered(), AppContext.CurYear);
        if (!saved) {
            ShowWarning(saved.message());
            if (saved.message() == ChartOfAccounts::NameMissing || !m_segment->isEnabled())
                m_name->setFocus();
            else
                m_segment->setFocus();
            return false;
        }
        m_savedCode = saved->itembm;
        m_draft = chart().draftFor(saved.value());
        m_opened = m_draft;
        return true;
    } catch (const DbError &error) {
        ShowInfo(error.message());
        return false;
    }
}

void Tzw_kmzd1::accept()
{
    if (save())
        QDialog::accept();
}

void Tzw_kmzd1::continueAdding()
{
    if (!save())
        return;
    const ChartOfAccounts::Draft saved = m_draft;
    try {
        prepareNew(saved.account.parent, saved.parentCode, saved.account.kmjc);
    } catch (const DbError &error) {
        ShowInfo(error.message());
    }
}

void Tzw_kmzd1::showNext()
{
    move(1);
}

void Tzw_kmzd1::showPrevious()
{
    move(-1);
}

void Tzw_kmzd1::move(int step)
{
    if (hasChanges() && ConfirmOkCancel(AskSave, PromptCaption) && !save())
        return;
    try {
        const QList<AccountRecord> accounts = chart().category(m_category);
        if (accounts.isEmpty())
            return;
        // Where the editor stands in the tab: on its account, or where the new account it
        // showed (and the user discarded) would have been.
        const bool standsOnAccount = !isNewAccount();
        const QString position = standsOnAccount
                                     ? m_opened.originalCode
                                     : m_draft.parentCode + m_segment->text().trimmed();
        int index = int(accounts.size());
        bool onAccount = false;
        for (int i = 0; i < accounts.size(); ++i) {
            if (accounts.at(i).itembm >= position) {
                index = i;
                onAccount = standsOnAccount && accounts.at(i).itembm == position;
                break;
            }
        }
        const int target = qBound(0, onAccount || step > 0 ? index + (onAccount ? step : 0)
                                                           : index - 1,
                                  int(accounts.size()) - 1);
        prepareEdit(accounts.at(target));
    } catch (const DbError &error) {
        ShowInfo(error.message());
    }
}
