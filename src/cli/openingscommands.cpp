#include "cli/openingscommands.h"

#include "app/appcontext.h"
#include "app/syspublic.h"
#include "cli/clisession.h"
#include "masterdata/openingbalances.h"

using namespace OpeningBalances;

namespace {

constexpr int MasterDataRight = 13; // 帐务基础资料
// What the menu entry 科目年初数据 writes to the usage log.
const QString OpenedLogText = QStringLiteral("进入年期初数据");

int usage(QTextStream &err)
{
    err << "用法：lanx-cli openings set 科目编码 [--ncye 金额] [--ljjf 金额] [--ljdf 金额] "
           "[--year 年份] | list [--year 年份] | check [--year 年份]\n";
    return ExitUsage;
}

int refused(const QString &message, QTextStream &err)
{
    err << message << '\n';
    return ExitRefused;
}

// The year of --year, the current year without it; nothing when it is no number.
std::optional<int> chosenYear(const CliArgs &args)
{
    const std::optional<QString> text = args.option(QStringLiteral("--year"));
    if (!text)
        return AppContext.CurYear;
    bool ok = false;
    const int year = text->toInt(&ok);
    return ok ? std::optional<int>(year) : std::nullopt;
}

void printHeader(QTextStream &out)
{
    out << "kjnf\titembm\titemmc\tjhd\tncye\tljjf\tljdf\tqcye\n";
}

void printRow(QTextStream &out, int year, const Row &row)
{
    out << year << '\t' << row.itembm << '\t' << row.itemmc << '\t' << row.jhd << '\t'
        << row.ncye.toFixed() << '\t' << row.ljjf.toFixed() << '\t' << row.ljdf.toFixed() << '\t'
        << row.opening().toFixed() << '\n';
}

// The amount of the option, if given; false when it is given but no amount.
bool readAmount(const CliArgs &args, const char *option, std::optional<Money> *amount)
{
    const std::optional<QString> text = args.option(QString::fromLatin1(option));
    if (!text)
        return true;
    *amount = Money::parse(*text);
    return amount->has_value();
}

int setOpening(CliSession &session, const CliArgs &args, int year, QTextStream &out,
               QTextStream &err)
{
    const QStringList codes = args.positional();
    Amounts amounts;
    if (codes.size() != 1 || !readAmount(args, "--ncye", &amounts.ncye)
        || !readAmount(args, "--ljjf", &amounts.ljjf) || !readAmount(args, "--ljdf", &amounts.ljdf))
        return usage(err);
    WriteOpLog(OpenedLogText);
    const Result<Row> written =
        set(session.set(), Period::fromContext(), year, codes.first(), amounts);
    if (!written)
        return refused(written.message(), err);
    printHeader(out);
    printRow(out, year, written.value());
    return ExitOk;
}

int listOpenings(CliSession &session, int year, QTextStream &out, QTextStream &err)
{
    WriteOpLog(OpenedLogText);
    const Result<Access> access = chooseYear(Period::fromContext(), year);
    if (!access)
        return refused(access.message(), err);
    printHeader(out);
    for (const Row &row : load(session.set(), year))
        printRow(out, year, row);
    return ExitOk;
}

int checkOpenings(CliSession &session, int year, QTextStream &out, QTextStream &err)
{
    WriteOpLog(OpenedLogText);
    const Result<Access> access = chooseYear(Period::fromContext(), year);
    if (!access)
        return refused(access.message(), err);
    const Check result = check(load(session.set(), year), CodeLevels::fromContext());
    if (result.outcome == Check::ParentMismatch || result.outcome == Check::Unbalanced)
        return refused(result.message, err);
    if (!result.message.isEmpty())
        out << result.message << '\n';
    return ExitOk;
}

} // namespace

int runOpeningsCommand(const CliArgs &args, QTextStream &out, QTextStream &err)
{
    const QString &command = args.command();
    if (command != QLatin1String("set") && command != QLatin1String("list")
        && command != QLatin1String("check")) {
        err << "未知的命令：openings " << command << '\n';
        return ExitUsage;
    }
    CliSession session(args);
    if (const int status = session.logIn(err, MasterDataRight); status != ExitOk)
        return status;
    const std::optional<int> year = chosenYear(args);
    if (!year)
        return usage(err);
    if (command == QLatin1String("set"))
        return setOpening(session, args, *year, out, err);
    if (command == QLatin1String("list"))
        return listOpenings(session, *year, out, err);
    return checkOpenings(session, *year, out, err);
}
