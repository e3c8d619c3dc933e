#include "cli/accountscommands.h"

#include "app/appcontext.h"
#include "cli/clisession.h"
#include "db/dberror.h"
#include "masterdata/chartofaccounts.h"

#include <QHash>
#include <QSet>

namespace {

constexpr int MasterDataRight = 13; // 帐务基础资料

const QString NoSuchAccount = QStringLiteral("科目不存在：");
const QString NoSuchCurrency = QStringLiteral("外币种类不存在：");
const QString OwnSegmentOnly = QStringLiteral("只能修改本级科目编码");
const QString ParentHasNoErpCode = QStringLiteral("汇总科目不能设置对应ERP科目编码");

// The arguments after the command: positional values, options with a value, and flags.
struct Arguments
{
    QStringList positional;
    QHash<QString, QString> values;
    QSet<QString> flags;
    QString unknown; // the first option this command does not know

    std::optional<QString> value(const char *name) const
    {
        const auto it = values.constFind(QString::fromLatin1(name));
        return it == values.constEnd() ? std::nullopt : std::optional<QString>(*it);
    }
    bool flag(const char *name) const { return flags.contains(QString::fromLatin1(name)); }
};

Arguments parseArguments(const QStringList &rest, QStringList valued, const QStringList &flags)
{
    valued << QStringLiteral("--set") << QStringLiteral("--operator")
           << QStringLiteral("--password");
    Arguments parsed;
    for (qsizetype i = 0; i < rest.size(); ++i) {
        const QString &item = rest.at(i);
        if (!item.startsWith(QLatin1String("--"))) {
            parsed.positional << item;
        } else if (flags.contains(item)) {
            parsed.flags.insert(item);
        } else if (valued.contains(item) && i + 1 < rest.size()) {
            parsed.values.insert(item, rest.at(++i));
        } else if (parsed.unknown.isEmpty()) {
            parsed.unknown = item;
        }
    }
    return parsed;
}

int usage(QTextStream &err, const char *synopsis)
{
    err << "用法：lanx-cli accounts " << synopsis << '\n';
    return ExitUsage;
}

int refused(QTextStream &err, const QString &message)
{
    err << message << '\n';
    return ExitRefused;
}

// "1"/"0", "yes"/"no"; nothing for anything else.
std::optional<int> switchValue(const QString &text)
{
    if (text == QLatin1String("1") || text == QLatin1String("yes"))
        return 1;
    if (text == QLatin1String("0") || text == QLatin1String("no"))
        return 0;
    return std::nullopt;
}

std::optional<int> directionValue(const QString &text)
{
    if (text == QStringLiteral("借"))
        return 1;
    if (text == QStringLiteral("贷"))
        return 0;
    return std::nullopt;
}

void printHeader(QTextStream &out)
{
    out << "itembm\titemmc\tzl\tjhd\tbmhs\txmhs\twbhs\twbmc\txjyh\txjll\tljzj\tkmjc\terpKmcode\n";
}

void printAccount(QTextStream &out, const AccountRecord &a)
{
    out << a.itembm << '\t' << a.itemmc << '\t' << a.zl << '\t' << a.jhd << '\t' << a.bmhs << '\t'
        << a.xmhs << '\t' << a.wbhs << '\t' << a.wbmc << '\t' << a.xjyh << '\t' << a.xjll << '\t'
        << a.ljzj << '\t' << a.kmjc << '\t' << a.erpKmcode << '\n';
}

ChartOfAccounts chartOf(const CliSession &session)
{
    return ChartOfAccounts(session.set(), CodeLevels::fromContext());
}

// An ERP code may map one account only; the screens hold the user until it does.
std::optional<QString> erpCodeTaken(const CliSession &session, const QString &erpCode,
                                    const QString &ownCode)
{
    if (erpCode.isEmpty())
        return std::nullopt;
    for (const AccountRecord &account : chartOf(session).upToLevel(CodeLevels::MaxLevel)) {
        if (account.erpKmcode == erpCode && account.itembm != ownCode)
            return ChartOfAccounts::duplicateErpMessage({erpCode});
    }
    return std::nullopt;
}

int listAccounts(CliSession &session, const Arguments &arguments, QTextStream &out,
                 QTextStream &err)
{
    bool ok = true;
    const int level = arguments.value("--level").value_or(QStringLiteral("6")).toInt(&ok);
    if (!ok || level < 1 || level > CodeLevels::MaxLevel)
        return usage(err, "list [--level 1..6]");
    printHeader(out);
    for (const AccountRecord &account : chartOf(session).upToLevel(level))
        printAccount(out, account);
    return ExitOk;
}

int addAccount(CliSession &session, const Arguments &arguments, QTextStream &out,
               QTextStream &err)
{
    const char *synopsis = "add 科目编码 科目名称 [--category 1..5] [--direction 借|贷] [--dept] "
                           "[--project] [--currency 币种] [--cash] [--cashflow] [--erp 编码] [--yes]";
    if (arguments.positional.size() != 2)
        return usage(err, synopsis);
    const QString code = arguments.positional.at(0);
    const ChartOfAccounts chart = chartOf(session);

    // A level-1 account is of the category its first digit names, unless told otherwise; a
    // sub-account is of its parent's.
    const std::optional<QString> given = arguments.value("--category");
    const int category = given ? given->toInt() : code.left(1).toInt();
    const Result<ChartOfAccounts::Draft> prepared = chart.draftForCode(code, category);
    if (!prepared)
        return refused(err, prepared.message());
    ChartOfAccounts::Draft draft = prepared.value();
    if (draft.account.zl < 1 || draft.account.zl > 5)
        return usage(err, synopsis);
    if (given && draft.account.zl != category)
        return usage(err, "add：下级科目的类别与上级科目相同，不能另行指定");

    AccountRecord &account = draft.account;
    account.itemmc = arguments.positional.at(1);
    if (const std::optional<QString> direction = arguments.value("--direction")) {
        const std::optional<int> jhd = directionValue(*direction);
        if (!jhd)
            return usage(err, synopsis);
        account.jhd = *jhd;
    }
    account.bmhs = arguments.flag("--dept") ? 1 : 0;
    account.xmhs = arguments.flag("--project") ? 1 : 0;
    account.xjyh = arguments.flag("--cash") ? 1 : 0;
    account.xjll = arguments.flag("--cashflow") ? 1 : 0;
    if (const std::optional<QString> currency = arguments.value("--currency")) {
        if (!chart.currencies().contains(*currency))
            return refused(err, NoSuchCurrency + *currency);
        account.wbhs = 1;
        account.wbmc = *currency;
    }
    account.erpKmcode = arguments.value("--erp").value_or(QString());
    if (const std::optional<QString> taken = erpCodeTaken(session, account.erpKmcode, QString()))
        return refused(err, *taken);

    // Under an account with voucher lines the screen asks twice before it goes on.
    const bool parentUsed = !draft.parentCode.isEmpty() && chart.hasVoucherLines(draft.parentCode);
    if (parentUsed && !arguments.flag("--yes"))
        return refused(err, ChartOfAccounts::UsedParentWarning);

    const Result<AccountRecord> saved = chart.save(draft, AppContext.CurYear);
    if (!saved)
        return refused(err, saved.message());
    if (!draft.parentCode.isEmpty()) {
        try {
            chart.adoptSubAccount(draft.parentCode, parentUsed);
        } catch (const DbError &error) {
            if (!parentUsed)
                throw;
            err << ChartOfAccounts::MoveFailed << '\n' << error.message() << '\n';
            return ExitFailure;
        }
    }
    printHeader(out);
    printAccount(out, *chart.find(saved->itembm));
    return ExitOk;
}

int editAccount(CliSession &session, const Arguments &arguments, QTextStream &out,
                QTextStream &err)
{
    const char *synopsis = "edit 科目编码 [--name 名称] [--code 新编码] [--direction 借|贷] "
                           "[--dept 1|0] [--project 1|0] [--currency 币种|\"\"] [--cash 1|0] "
                           "[--cashflow 1|0] [--erp 编码]";
    if (arguments.positional.size() != 1)
        return usage(err, synopsis);
    const ChartOfAccounts chart = chartOf(session);
    const QString code = arguments.positional.first();
    const std::optional<AccountRecord> stored = chart.find(code);
    if (!stored)
        return refused(err, NoSuchAccount + code);
    ChartOfAccounts::Draft draft = chart.draftFor(*stored);
    AccountRecord &account = draft.account;
    // A parent carries no ERP mapping.
    const bool parent = chart.hasSubAccounts(code);
    if (parent)
        account.erpKmcode.clear();

    if (const std::optional<QString> newCode = arguments.value("--code")) {
        if (!newCode->startsWith(draft.parentCode))
            return refused(err, OwnSegmentOnly);
        draft.segment = newCode->mid(draft.parentCode.size());
    }
    if (const std::optional<QString> name = arguments.value("--name"))
        account.itemmc = *name;
    if (const std::optional<QString> direction = arguments.value("--direction")) {
        const std::optional<int> jhd = directionValue(*direction);
        if (!jhd)
            return usage(err, synopsis);
        account.jhd = *jhd;
    }
    const std::pair<const char *, int AccountRecord::*> switches[] = {
        {"--dept", &AccountRecord::bmhs},
        {"--project", &AccountRecord::xmhs},
        {"--cash", &AccountRecord::xjyh},
        {"--cashflow", &AccountRecord::xjll},
    };
    for (const auto &[option, field] : switches) {
        if (const std::optional<QString> text = arguments.value(option)) {
            const std::optional<int> on = switchValue(*text);
            if (!on)
                return usage(err, synopsis);
            account.*field = *on;
        }
    }
    if (const std::optional<QString> currency = arguments.value("--currency")) {
        if (!currency->isEmpty() && !chart.currencies().contains(*currency))
            return refused(err, NoSuchCurrency + *currency);
        account.wbhs = currency->isEmpty() ? 0 : 1;
        account.wbmc = *currency;
    }
    if (const std::optional<QString> erp = arguments.value("--erp")) {
        if (parent && !erp->isEmpty())
            return refused(err, ParentHasNoErpCode);
        account.erpKmcode = *erp;
    }
    if (const std::optional<QString> taken = erpCodeTaken(session, account.erpKmcode, code))
        return refused(err, *taken);

    const Result<AccountRecord> saved = chart.save(draft, AppContext.CurYear);
    if (!saved)
        return refused(err, saved.message());
    printHeader(out);
    printAccount(out, saved.value());
    return ExitOk;
}

int deleteAccount(CliSession &session, const Arguments &arguments, QTextStream &out,
                  QTextStream &err)
{
    if (arguments.positional.size() != 1)
        return usage(err, "delete 科目编码 [--yes]");
    const ChartOfAccounts chart = chartOf(session);
    const QString code = arguments.positional.first();
    if (!chart.find(code))
        return refused(err, NoSuchAccount + code);
    if (const Status allowed = chart.checkDeletion(code); !allowed)
        return refused(err, allowed.message());
    if (!arguments.flag("--yes"))
        return refused(err, ChartOfAccounts::ConfirmDeletion);
    if (const Status removed = chart.remove(code); !removed)
        return refused(err, removed.message());
    out << "itembm\n" << code << '\n';
    return ExitOk;
}

} // namespace

int runAccountsCommand(const CliArgs &args, QTextStream &out, QTextStream &err)
{
    const QString &command = args.command();
    Arguments arguments;
    if (command == QLatin1String("list")) {
        arguments = parseArguments(args.rest(), {QStringLiteral("--level")}, {});
    } else if (command == QLatin1String("add")) {
        arguments = parseArguments(args.rest(),
                                   {QStringLiteral("--category"), QStringLiteral("--direction"),
                                    QStringLiteral("--currency"), QStringLiteral("--erp")},
                                   {QStringLiteral("--dept"), QStringLiteral("--project"),
                                    QStringLiteral("--cash"), QStringLiteral("--cashflow"),
                                    QStringLiteral("--yes")});
    } else if (command == QLatin1String("edit")) {
        arguments = parseArguments(
            args.rest(),
            {QStringLiteral("--name"), QStringLiteral("--code"), QStringLiteral("--direction"),
             QStringLiteral("--dept"), QStringLiteral("--project"), QStringLiteral("--currency"),
             QStringLiteral("--cash"), QStringLiteral("--cashflow"), QStringLiteral("--erp")},
            {});
    } else if (command == QLatin1String("delete")) {
        arguments = parseArguments(args.rest(), {}, {QStringLiteral("--yes")});
    } else {
        err << "未知的命令：accounts " << command << '\n';
        return ExitUsage;
    }
    if (!arguments.unknown.isEmpty()) {
        err << "未知的选项：" << arguments.unknown << '\n';
        return ExitUsage;
    }

    CliSession session(args);
    if (const int status = session.logIn(err, MasterDataRight); status != ExitOk)
        return status;
    if (command == QLatin1String("list"))
        return listAccounts(session, arguments, out, err);
    if (command == QLatin1String("add"))
        return addAccount(session, arguments, out, err);
    if (command == QLatin1String("edit"))
        return editAccount(session, arguments, out, err);
    return deleteAccount(session, arguments, out, err);
}
