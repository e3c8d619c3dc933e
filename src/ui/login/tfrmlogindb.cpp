#include "ui/login/tfrmlogindb.h"

#include "app/appcontext.h"
#include "app/homefolder.h"
#include "app/tdm1.h"
#include "db/dberror.h"
#include "login/dbserversettings.h"
#include "ui/app/messages.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

TfrmLoginDb::TfrmLoginDb(const QString &home, QWidget *parent) : QDialog(parent), m_home(home)
{
    setObjectName(QStringLiteral("frmLoginDb"));
    setWindowTitle(QStringLiteral("指定数据库"));
    const DbServerSettings stored = DbServerSettings::read(home);

    auto *layout = new QVBoxLayout(this);
    auto *form = new QFormLayout;
    m_provider = new QComboBox(this);
    m_provider->addItem(QStringLiteral("内置数据库（SQLite）"), int(Provider::SQLite));
    m_provider->addItem(QStringLiteral("PostgreSQL 数据库服务器"), int(Provider::PostgreSQL));
    m_provider->setCurrentIndex(stored.provider == Provider::PostgreSQL ? 1 : 0);
    form->addRow(QStringLiteral("数据库类型："), m_provider);
    m_folder = new QLabel(HomeFolder::dataFolder(home), this);
    m_folder->setTextInteractionFlags(Qt::TextSelectableByMouse);
    form->addRow(QStringLiteral("数据文件夹："), m_folder);
    layout->addLayout(form);

    layout->addWidget(new QLabel(QStringLiteral("1.服务器名称或IP地址："), this));
    m_server = new QLineEdit(stored.server, this);
    layout->addWidget(m_server);
    layout->addWidget(new QLabel(QStringLiteral("2.登陆服务器的方式："), this));
    m_integrated = new QRadioButton(QStringLiteral("使用 WINDOWS  集成安全设置"), this);
    m_login = new QRadioButton(QStringLiteral("使用指定的用户名称和密码"), this);
    (stored.integrated ? m_integrated : m_login)->setChecked(true);
    layout->addWidget(m_integrated);
    layout->addWidget(m_login);
    auto *credentials = new QFormLayout;
    m_user = new QLineEdit(stored.user, this);
    m_password = new QLineEdit(stored.password, this);
    m_password->setEchoMode(QLineEdit::Password);
    credentials->addRow(QStringLiteral("用户名称："), m_user);
    credentials->addRow(QStringLiteral("密    码："), m_password);
    credentials->setContentsMargins(24, 0, 0, 0);
    layout->addLayout(credentials);

    auto *buttons = new QDialogButtonBox(this);
    QPushButton *ok = buttons->addButton(QStringLiteral("继续"), QDialogButtonBox::AcceptRole);
    ok->setDefault(true);
    buttons->addButton(QStringLiteral("取消"), QDialogButtonBox::RejectRole);
    connect(ok, &QPushButton::clicked, this, &TfrmLoginDb::confirm);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);

    connect(m_provider, &QComboBox::currentIndexChanged, this, &TfrmLoginDb::updateEnabled);
    connect(m_integrated, &QRadioButton::toggled, this, &TfrmLoginDb::updateEnabled);
    updateEnabled();
    setMinimumWidth(420);
}

void TfrmLoginDb::updateEnabled()
{
    // The embedded database is a folder of files: no server, no login.
    const bool server = m_provider->currentData().toInt() == int(Provider::PostgreSQL);
    m_folder->setEnabled(!server);
    m_server->setEnabled(server);
    m_integrated->setEnabled(server);
    m_login->setEnabled(server);
    m_user->setEnabled(server && m_login->isChecked());
    m_password->setEnabled(server && m_login->isChecked());
}

void TfrmLoginDb::confirm()
{
    // 继续 closes the dialog whatever it found; only DialogResult tells success.
    if (connectToServer())
        AppContext.DialogResult = QStringLiteral("1");
    accept();
}

bool TfrmLoginDb::connectToServer()
{
    DbServerSettings chosen;
    chosen.provider = Provider(m_provider->currentData().toInt());
    chosen.server = m_server->text();
    chosen.user = m_user->text();
    chosen.password = m_password->text();
    chosen.integrated = m_integrated->isChecked();
    const Result<ConnectionSettings> settings = chosen.connectionSettings(m_home);
    if (!settings) {
        ShowInfo(settings.message());
        return false;
    }
    try {
        AppContext.ConnPrefix = settings->prefix();
        Tdm1::current().connectMaster(AppContext.ConnPrefix);
    } catch (const DbError &) {
        ShowInfo(QStringLiteral("数据库连接失败！    "));
        return false;
    }
    QString error;
    if (!chosen.write(m_home, &error))
        ShowInfo(error);
    return true;
}
