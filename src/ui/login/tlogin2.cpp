#include "ui/login/tlogin2.h"

#include "app/appcontext.h"
#include "app/tdm1.h"
#include "db/dberror.h"
#include "db/sql.h"
#include "login/accountsetsetup.h"
#include "login/appserverlogin.h"
#include "ui/app/messages.h"
#include "ui/app/tmainform.h"
#include "ui/login/tlogin3.h"

#include <QAction>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QSysInfo>
#include <QVBoxLayout>

Tlogin2::Tlogin2(const QString &home, QWidget *parent)
    : QDialog(parent), m_home(home), m_timeoutMs(AppServerClient::DefaultTimeoutMs)
{
    setObjectName(QStringLiteral("login2"));
    setWindowTitle(QStringLiteral("操作员登录"));
    const AppServerSettings stored = AppServerSettings::read(home);

    auto *layout = new QVBoxLayout(this);
    auto *heading = new QLabel(QStringLiteral("D8AZO Operator Login"), this);
    QFont font = heading->font();
    font.setBold(true);
    font.setPointSize(font.pointSize() + 3);
    heading->setFont(font);
    heading->setAlignment(Qt::AlignCenter);
    layout->addWidget(heading);

    auto *form = new QFormLayout;
    m_host = new QComboBox(this);
    m_host->setEditable(true);
    m_host->setEditText(stored.serverName);
    m_host->setToolTip(QStringLiteral("应用服务器所在计算机名称或IP地址，外网连接请输入网址"));
    m_user = new QComboBox(this);
    m_user->setEditable(true);
    m_user->addItems({QStringLiteral("admin"), QStringLiteral("sales02")});
    m_user->setEditText(stored.userName);
    m_user->setToolTip(QStringLiteral("用户名称，如管理员:admin"));
    m_password = new QLineEdit(this);
    m_password->setEchoMode(QLineEdit::Password);
    m_password->setToolTip(QStringLiteral("用户的登录密码"));
    m_port = new QLineEdit(QString::number(stored.port), this);
    m_port->setToolTip(QStringLiteral("服务器连接端口号,缺省是211"));
    m_port->setMaximumWidth(80);
    form->addRow(QStringLiteral("数据库服务器："), m_host);
    form->addRow(QStringLiteral("端口："), m_port);
    form->addRow(QStringLiteral("用户名："), m_user);
    form->addRow(QStringLiteral("密码："), m_password);
    layout->addLayout(form);

    auto *buttons = new QDialogButtonBox(this);
    QPushButton *enter = buttons->addButton(QStringLiteral("进入系统"), QDialogButtonBox::AcceptRole);
    enter->setDefault(true);
    buttons->addButton(QStringLiteral("取消"), QDialogButtonBox::RejectRole);
    connect(enter, &QPushButton::clicked, this, &Tlogin2::confirm);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    setMinimumWidth(380);
}

void Tlogin2::confirm()
{
    AppServerLoginRequest request;
    request.hostText = m_host->currentText();
    request.portText = m_port->text();
    request.userName = m_user->currentText();
    request.password = m_password->text();
    request.computerName = QSysInfo::machineHostName();
    request.settings = AppServerSettings::read(m_home);
    request.home = m_home;
    request.timeoutMs = m_timeoutMs;
    const AppServerLoginResult result = AppServerLogin::logIn(request);
    for (const QString &message : result.messages)
        ShowInfo(message);
    using Kind = AppServerLoginResult::Kind;
    if (result.kind == Kind::NoHost || result.kind == Kind::Refused)
        return; // the dialog stays
    if (result.kind == Kind::Unreachable) {
        reject();
        if (result.endsProgram && Tmainform::instance())
            Tmainform::instance()->close();
        return;
    }
    if (openFirstSet(result.connPrefix, result.operatorId, result.scrambledPassword.isEmpty()))
        AppContext.DialogResult = QStringLiteral("1");
    accept();
}

bool Tlogin2::openFirstSet(const QString &connPrefix, int operatorId, bool emptyPassword)
{
    Tdm1 &dm = Tdm1::current();
    try {
        dm.connectSet(connPrefix, AccountSetStore::FirstSetCode);
        // Every later connection works with the login the server handed out.
        AppContext.ConnPrefix = connPrefix;
        dm.connectMaster(connPrefix);
    } catch (const DbError &) {
        ShowInfo(QStringLiteral("数据库连接失败！    "));
        return false;
    }
    try {
        if (!AccountSetSetup::isInitialised(dm.ADOConnection1())) {
            AppContext.DialogResult = QStringLiteral("0");
            Tlogin3 setup(AccountSetStore::FirstSetCode, AppContext.SetName, this);
            setup.exec();
            if (AppContext.DialogResult == QLatin1String("0"))
                return false;
        }
        dm.LoadContext();
        AppContext.SetCode = AccountSetStore::FirstSetCode;
        QSqlQuery row = Sql::exec(dm.ADOConnection1(),
                                  QStringLiteral("select * from op_detail where id=?"), {operatorId});
        if (!row.next()) {
            ShowInfo(QStringLiteral("用户名不正确，不能打开财务系统！   "));
            return false;
        }
        AppContext.OperatorName = row.value(QStringLiteral("name")).toString();
        AppContext.OperatorId = operatorId;
        if (Tmainform *main = Tmainform::instance())
            main->ApplyRights(row.record());
    } catch (const DbError &error) {
        ShowInfo(error.message());
        return false;
    }
    if (emptyPassword) {
        ShowInfo(QStringLiteral("当前密码为空，请尽快修改用户密码"));
        if (Tmainform *main = Tmainform::instance())
            main->action(QStringLiteral("MenuItem66"))->trigger();
    }
    return true;
}
