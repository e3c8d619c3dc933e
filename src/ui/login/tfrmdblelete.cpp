#include "ui/login/tfrmdblelete.h"

#include "app/appcontext.h"
#include "app/tdm1.h"
#include "db/dberror.h"
#include "db/sql.h"
#include "ui/app/messages.h"
#include "ui/app/tmainform.h"
#include "ui/login/accountsetgrid.h"
#include "ui/login/tfrmloginopsel.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QVBoxLayout>

TfrmDbLelete::TfrmDbLelete(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmDbLelete"));
    setWindowTitle(QStringLiteral("删除帐套"));
    resize(460, 300);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("请选择帐套，系统默认选择第一个   "), this));
    m_grid = new AccountSetGrid(false, this);
    layout->addWidget(m_grid);
    auto *buttons = new QDialogButtonBox(this);
    QPushButton *remove = buttons->addButton(QStringLiteral("删除"), QDialogButtonBox::AcceptRole);
    buttons->addButton(QStringLiteral("退出"), QDialogButtonBox::RejectRole);
    connect(remove, &QPushButton::clicked, this, &TfrmDbLelete::deleteChosen);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    try {
        m_grid->load(Tdm1::current().accountSets().list());
    } catch (const DbError &error) {
        ShowInfo(error.message());
    }
}

void TfrmDbLelete::deleteChosen()
{
    dropChosenSet();
    accept();
}

void TfrmDbLelete::dropChosenSet()
{
    const std::optional<AccountSet> chosen = m_grid->currentSet();
    if (!chosen)
        return;
    if (chosen->code.compare(AppContext.SetCode, Qt::CaseInsensitive) == 0) {
        ShowInfo(QStringLiteral("正在打开的帐套不能删除！    "));
        return;
    }
    if (!ConfirmNoDefault(QStringLiteral("确实要删除吗?    ")))
        return;

    // The administrator of the set to delete must log in to it. His login only authorises the
    // deletion: the operator of the open set stays logged in with his own rights.
    const AppContextRecord before = AppContext;
    AppContext.DialogResult = QStringLiteral("0");
    bool authorised = false;
    try {
        const DbConnection doomed(QStringLiteral("lanx-delete"),
                                  Tdm1::current().accountSets().settings(), chosen->code);
        authorised = TfrmLoginOpSel::run(doomed.db(), this, QStringLiteral("1"));
    } catch (const DbError &) {
        ShowInfo(QStringLiteral("数据库连接失败！    "));
        return;
    }
    AppContext = before;
    if (Tmainform *main = Tmainform::instance()) {
        QSqlQuery row = Sql::exec(Tdm1::current().ADOConnection1(),
                                  QStringLiteral("select * from op_detail where id=?"),
                                  {AppContext.OperatorId});
        if (row.next())
            main->ApplyRights(row.record());
    }
    if (!authorised)
        return;
    try {
        const Status dropped = Tdm1::current().accountSets().drop(chosen->code);
        if (!dropped)
            ShowInfo(dropped.message());
    } catch (const DbError &) {
        ShowInfo(QStringLiteral("删除出错！    "));
    }
}
