#include "cli/clisession.h"

#include "app/appcontext.h"
#include "login/operators.h"

CliSession::CliSession(const CliArgs &args) : m_args(args)
{
    AppContext.ConnPrefix = args.settings().prefix();
    m_dm.connectMaster(AppContext.ConnPrefix);
    m_dm.accountSets().bootstrap();
}

int CliSession::logIn(QTextStream &err, int right)
{
    const QString code = m_args.option(QStringLiteral("--set")).value_or(AccountSetStore::FirstSetCode);
    const std::optional<AccountSet> chosen = store().find(code);
    if (!chosen) {
        err << QStringLiteral("帐套不存在：%1").arg(code) << '\n';
        return ExitRefused;
    }
    const std::optional<QString> name = m_args.option(QStringLiteral("--operator"));
    if (!name) {
        err << "缺少选项 --operator\n";
        return ExitUsage;
    }
    m_dm.connectSet(AppContext.ConnPrefix, chosen->code);
    const Result<Operators::Login> login =
        Operators::logIn(set(), *name, m_args.option(QStringLiteral("--password")).value_or(QString()),
                         AppContext.PasswordKey);
    if (!login) {
        err << login.message() << '\n';
        return ExitRefused;
    }
    AppContext.SetCode = chosen->code;
    AppContext.SetName = chosen->name;
    AppContext.OperatorId = login->id;
    AppContext.OperatorName = login->name;
    m_dm.LoadContext();
    if (right > 0 && Operators::rightsOf(login->row).value(right) != 1) {
        err << "您没有使用授权！若需要请与管理员协商\n";
        return ExitRefused;
    }
    if (login->emptyPassword)
        err << "当前密码为空，请尽快修改用户密码\n";
    return ExitOk;
}
