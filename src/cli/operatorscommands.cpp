#include "cli/operatorscommands.h"

#include "app/appcontext.h"
#include "app/syspublic.h"
#include "cli/clisession.h"
#include "db/sql.h"
#include "login/operators.h"

#include <QSqlQuery>

namespace {

constexpr int OperatorRight = 15; // 操作员授权

int refused(const QString &message, QTextStream &err)
{
    err << message << '\n';
    return ExitRefused;
}

int listOperators(CliSession &session, QTextStream &out)
{
    out << "id\tname";
    for (int i = 1; i <= Operators::RightCount; ++i)
        out << "\tbz" << i;
    out << '\n';
    QSqlQuery rows = Sql::exec(session.set(), QStringLiteral("select * from op_detail order by id"));
    while (rows.next()) {
        out << rows.value(QStringLiteral("id")).toInt() << '\t'
            << rows.value(QStringLiteral("name")).toString();
        const QList<int> rights = Operators::rightsOf(rows.record());
        for (int i = 1; i <= Operators::RightCount; ++i)
            out << '\t' << rights.at(i);
        out << '\n';
    }
    return ExitOk;
}

// "bz1,bz13" → rights 1 and 13; nothing when an item is not bzN with N in 1..20.
std::optional<QList<int>> parseRights(const QString &text)
{
    QList<int> rights(Operators::RightCount + 1, 0);
    for (const QString &item : text.split(u',', Qt::SkipEmptyParts)) {
        bool ok = false;
        const int n = item.trimmed().mid(2).toInt(&ok);
        if (!item.trimmed().startsWith(QLatin1String("bz")) || !ok || n < 1 || n > Operators::RightCount)
            return std::nullopt;
        rights[n] = 1;
    }
    return rights;
}

int addOperator(CliSession &session, const CliArgs &args, QTextStream &out, QTextStream &err)
{
    const QStringList names = args.positional();
    const std::optional<QList<int>> rights =
        parseRights(args.option(QStringLiteral("--rights")).value_or(QString()));
    if (names.size() != 1 || !rights) {
        err << "用法：lanx-cli operators add 姓名 [--new-password 密码] [--rights bz1,bz2,...]\n";
        return ExitUsage;
    }
    WriteOpLog(QStringLiteral("进入授权"));
    const Result<int> added = Operators::add(
        session.set(), names.first(),
        args.option(QStringLiteral("--new-password")).value_or(QString()), *rights);
    if (!added)
        return refused(added.message(), err);
    out << "id\tname\n" << added.value() << '\t' << names.first().trimmed() << '\n';
    return ExitOk;
}

int changePassword(CliSession &session, const CliArgs &args, QTextStream &out, QTextStream &err)
{
    const std::optional<QString> newPassword = args.option(QStringLiteral("--new"));
    if (!newPassword) {
        err << "用法：lanx-cli operators passwd --set 帐套 --operator 姓名 --password 原密码 --new 新密码\n";
        return ExitUsage;
    }
    WriteOpLog(QStringLiteral("进入修改密码"));
    const Status changed = Operators::changePassword(
        session.set(), AppContext.OperatorId,
        args.option(QStringLiteral("--password")).value_or(QString()), *newPassword, *newPassword,
        AppContext.PasswordKey);
    if (!changed)
        return refused(changed.message(), err);
    out << "密码修改成功！     \n";
    return ExitOk;
}

} // namespace

int runOperatorsCommand(const CliArgs &args, QTextStream &out, QTextStream &err)
{
    const QString &command = args.command();
    const bool known = command == QLatin1String("list") || command == QLatin1String("add")
                       || command == QLatin1String("passwd");
    if (!known) {
        err << "未知的命令：operators " << command << '\n';
        return ExitUsage;
    }
    CliSession session(args);
    const int right = command == QLatin1String("passwd") ? 0 : OperatorRight;
    if (const int status = session.logIn(err, right); status != ExitOk)
        return status;
    if (command == QLatin1String("list"))
        return listOperators(session, out);
    if (command == QLatin1String("add"))
        return addOperator(session, args, out, err);
    return changePassword(session, args, out, err);
}
