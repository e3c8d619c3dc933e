#include "ui/login/tfrmloginopsel.h"

#include "app/appcontext.h"
#include "app/oplog.h"
#include "db/dberror.h"
#include "login/operators.h"
#include "ui/app/messages.h"
#include "ui/app/tmainform.h"
#include "ui/login/tmmxg.h"

#include <QAction>
#include <QComboBox>
#include <QDateTime>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

TfrmLoginOpSel::TfrmLoginOpSel(const QSqlDatabase &set, QWidget *parent, const QString &onlyId)
    : QDialog(parent), m_set(set), m_onlyId(onlyId)
{
    setObjectName(QStringLiteral("frmLoginOpSel"));
    setWindowTitle(QStringLiteral("登陆"));

    auto *heading = new QLabel(QStringLiteral("选择操作员"), this);
    QFont bold = heading->font();
    bold.setBold(true);
    bold.setPointSizeF(bold.pointSizeF() * 1.25);
    heading->setFont(bold);

    m_name = new QComboBox(this);
    m_name->setObjectName(QStringLiteral("ComboBox1"));
    m_name->setEditable(true);
    m_name->setInsertPolicy(QComboBox::NoInsert);
    m_name->setMinimumWidth(180);
    m_password = new QLineEdit(this);
    m_password->setObjectName(QStringLiteral("Edit1"));
    m_password->setEchoMode(QLineEdit::Password);

    auto *form = new QFormLayout;
    form->setLabelAlignment(Qt::AlignRight | Qt::AlignVCenter);
    form->addRow(QStringLiteral("操作员名称："), m_name);
    form->addRow(QStringLiteral("操作员密码："), m_password);

    auto *logo = new QLabel(this);
    logo->setPixmap(QIcon(QStringLiteral(":/icons/logo.svg")).pixmap(56, 56));
    logo->setAlignment(Qt::AlignTop | Qt::AlignHCenter);

    auto *fields = new QVBoxLayout;
    fields->addWidget(heading);
    fields->addSpacing(6);
    fields->addLayout(form);
    auto *body = new QHBoxLayout;
    body->addWidget(logo);
    body->addSpacing(12);
    body->addLayout(fields, 1);

    auto *buttons = new QDialogButtonBox(this);
    m_ok = buttons->addButton(QStringLiteral("确定"), QDialogButtonBox::AcceptRole);
    m_cancel = buttons->addButton(QStringLiteral("取消"), QDialogButtonBox::RejectRole);
    m_ok->setDefault(true);
    connect(m_ok, &QPushButton::clicked, this, &TfrmLoginOpSel::confirm);
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(18, 16, 18, 12);
    layout->addLayout(body);
    layout->addSpacing(10);
    layout->addWidget(buttons);

    setTabOrder(m_name, m_password);
    setTabOrder(m_password, m_ok);
    setTabOrder(m_ok, m_cancel);
    setFixedSize(sizeHint().expandedTo(QSize(360, 0)));

    loadOperators();
    // The first operator is proposed; the password is what is left to type.
    m_password->setFocus();
}

bool TfrmLoginOpSel::run(const QSqlDatabase &set, QWidget *parent, const QString &onlyId)
{
    AppContext.DialogResult = QStringLiteral("0");
    TfrmLoginOpSel dialog(set, parent, onlyId);
    dialog.exec();
    return AppContext.DialogResult == QLatin1String("1");
}

void TfrmLoginOpSel::loadOperators()
{
    try {
        const int only = m_onlyId.isEmpty() ? 0 : m_onlyId.toInt();
        for (const Operators::Operator &op : Operators::list(m_set)) {
            if (only == 0 || op.id == only)
                m_name->addItem(op.name, op.id);
        }
    } catch (const DbError &error) {
        ShowInfo(error.message());
    }
    m_name->setCurrentIndex(m_name->count() > 0 ? 0 : -1);
    m_password->clear();
}

void TfrmLoginOpSel::confirm()
{
    try {
        logIn();
    } catch (const DbError &error) {
        ShowInfo(error.message());
    }
    // 确定 closes the dialog whatever it found; only DialogResult tells success.
    accept();
}

void TfrmLoginOpSel::logIn()
{
    const Result<Operators::Login> login = Operators::logIn(
        m_set, m_name->currentText(), m_password->text(), AppContext.PasswordKey, m_onlyId);
    if (!login) {
        ShowInfo(login.message());
        return;
    }
    AppContext.OperatorName = login->name;
    AppContext.OperatorId = login->id;
    if (Tmainform *main = Tmainform::instance()) {
        main->ApplyRights(login->row); // also CanEnterVouchers and the administrator's entries
    } else {
        AppContext.CanEnterVouchers = Operators::rightsOf(login->row).at(1) == 1
                                          ? QStringLiteral("1")
                                          : QStringLiteral("0");
    }
    // The administrator's login that authorises deleting a set does not ask him to set a
    // password on the set about to go.
    if (login->emptyPassword && m_onlyId.isEmpty())
        askForPassword();
    AppContext.DialogResult = QStringLiteral("1");
}

// An operator without a password is told so and taken to 修改密码, just as the menu opens it.
// Whatever happens there, he is logged in.
void TfrmLoginOpSel::askForPassword()
{
    ShowInfo(QStringLiteral("当前密码为空，请尽快修改用户密码"));
    Tmainform *main = Tmainform::instance();
    QAction *menuEntry = main ? main->action(QStringLiteral("MenuItem66")) : nullptr;
    if (menuEntry && menuEntry->isEnabled()) {
        menuEntry->trigger();
        return;
    }
    try {
        OpLog::write(m_set, AppContext.OperatorName, QStringLiteral("进入修改密码"),
                     QDateTime::currentDateTime());
        Tmmxg dialog(m_set, this);
        dialog.exec();
    } catch (const DbError &error) {
        ShowInfo(error.message());
    }
}
