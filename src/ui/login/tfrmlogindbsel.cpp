#include "ui/login/tfrmlogindbsel.h"

#include "app/appcontext.h"
#include "app/tdm1.h"
#include "db/dberror.h"
#include "db/sql.h"
#include "login/accountsetsetup.h"
#include "ui/app/messages.h"
#include "ui/app/syspublicui.h"
#include "ui/login/accountsetgrid.h"
#include "ui/login/tfrmloginopsel.h"
#include "ui/login/tlogin3.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

TfrmLoginDbSel::TfrmLoginDbSel(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmLoginDbSel"));
    setWindowTitle(QStringLiteral("打开帐套"));
    resize(460, 300);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("请选择帐套，系统默认选择第一个   "), this));
    m_grid = new AccountSetGrid(true, this);
    layout->addWidget(m_grid);
    auto *buttons = new QDialogButtonBox(this);
    QPushButton *ok = buttons->addButton(QStringLiteral("确定"), QDialogButtonBox::AcceptRole);
    ok->setDefault(true);
    buttons->addButton(QStringLiteral("取消"), QDialogButtonBox::RejectRole);
    connect(ok, &QPushButton::clicked, this, &TfrmLoginDbSel::confirm);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);

    AccountSetStore &store = Tdm1::current().accountSets();
    try {
        store.bootstrap();
    } catch (const DbError &) {
        ShowInfo(QStringLiteral("初始化帐套出现错误。   "));
    }
    try {
        m_grid->load(store.list());
    } catch (const DbError &error) {
        ShowInfo(error.message());
    }
}

void TfrmLoginDbSel::confirm()
{
    // 确定 closes the dialog whatever it found; only DialogResult tells success.
    openChosenSet();
    accept();
}

void TfrmLoginDbSel::openChosenSet()
{
    const std::optional<AccountSet> chosen = m_grid->currentSet();
    if (!chosen)
        return;
    AppContext.SetCode = chosen->code;
    AppContext.SetName = chosen->name.trimmed();
    Tdm1 &dm = Tdm1::current();
    try {
        dm.connectSet(AppContext.ConnPrefix, AppContext.SetCode);
    } catch (const DbError &) {
        ShowInfo(QStringLiteral("数据库连接失败！    "));
        return;
    }
    AppContext.DialogResult = QStringLiteral("0");
    try {
        if (!AccountSetSetup::isInitialised(dm.ADOConnection1())) {
            Tlogin3 setup(AppContext.SetCode, AppContext.SetName, this);
            setup.exec();
            if (AppContext.DialogResult == QLatin1String("0"))
                return;
            AppContext.DialogResult = QStringLiteral("0");
        }
        if (!TfrmLoginOpSel::run(dm.ADOConnection1(), this))
            return;
        dm.LoadContext();
        RefreshStatusBar();
        AppContext.DialogResult = QStringLiteral("1");
    } catch (const DbError &error) {
        AppContext.DialogResult = QStringLiteral("0");
        ShowInfo(error.message());
    }
}

void TfrmLoginDbSel::done(int result)
{
    // A name typed over in the list renames the set when the dialog closes.
    for (auto [id, name] : m_grid->editedNames().asKeyValueRange()) {
        try {
            const Status renamed = Tdm1::current().accountSets().rename(id, name);
            if (!renamed)
                ShowInfo(renamed.message());
        } catch (const DbError &error) {
            ShowInfo(error.message());
        }
    }
    QDialog::done(result);
}

void TfrmLoginDbSel::mouseDoubleClickEvent(QMouseEvent *event)
{
    // Double-clicking the dialog's background (not the grid) closes it.
    QDialog::mouseDoubleClickEvent(event);
    reject();
}
