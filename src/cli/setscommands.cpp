#include "cli/setscommands.h"

#include "app/appcontext.h"
#include "app/homefolder.h"
#include "app/syspublic.h"
#include "cli/clisession.h"
#include "login/accountsetsetup.h"
#include "login/backup.h"

#include <QDir>

namespace {

void printSets(QTextStream &out, const QList<AccountSet> &sets)
{
    out << "id\tcode\tztmc\n";
    for (const AccountSet &set : sets)
        out << set.id << '\t' << set.code << '\t' << set.name << '\n';
}

template <typename T>
int refused(const Result<T> &result, QTextStream &err)
{
    err << result.message() << '\n';
    return ExitRefused;
}

int usage(QTextStream &err, const char *synopsis)
{
    err << "用法：lanx-cli sets " << synopsis << '\n';
    return ExitUsage;
}

int createSet(const CliArgs &args, QTextStream &out, QTextStream &err)
{
    const std::optional<QString> name = args.option(QStringLiteral("--name"));
    if (!name)
        return usage(err, "create --name 帐套名称");
    CliSession session(args);
    const Result<AccountSet> created = session.store().create(*name);
    if (!created)
        return refused(created, err);
    printSets(out, {created.value()});
    return ExitOk;
}

int dropSet(const CliArgs &args, QTextStream &err)
{
    const QStringList codes = args.positional();
    if (codes.size() != 1)
        return usage(err, "drop 帐套代码");
    CliSession session(args);
    const Status dropped = session.store().drop(codes.first());
    return dropped ? ExitOk : refused(dropped, err);
}

int initSet(const CliArgs &args, QTextStream &err)
{
    const QStringList codes = args.positional();
    const std::optional<QString> year = args.option(QStringLiteral("--year"));
    const std::optional<QString> month = args.option(QStringLiteral("--month"));
    if (codes.size() != 1 || !year || !month)
        return usage(err, "init 帐套代码 --year 年 --month 月 --levels 4-3-2-2-2-2 "
                          "[--same-reviewer] [--edit-others]");
    AccountSetSetup::Settings settings;
    settings.year = year->toInt();
    settings.month = month->toInt();
    settings.sameReviewer = args.rest().contains(QStringLiteral("--same-reviewer"));
    settings.editOthers = args.rest().contains(QStringLiteral("--edit-others"));
    const QString levels = args.option(QStringLiteral("--levels")).value_or(QStringLiteral("4-3-2-2-2-2"));
    const std::optional<AccountSetSetup::Settings> parsed = AccountSetSetup::parseLevels(levels, settings);
    if (!parsed)
        return usage(err, "init ... --levels 4-3-2-2-2-2");

    CliSession session(args);
    const std::optional<AccountSet> set = session.store().find(codes.first());
    if (!set) {
        err << QStringLiteral("帐套不存在：%1").arg(codes.first()) << '\n';
        return ExitRefused;
    }
    DbConnection connection(QStringLiteral("cli-init"), args.settings(), set->code);
    const Status done = AccountSetSetup::initialise(connection.db(), *parsed);
    return done ? ExitOk : refused(done, err);
}

int showInfo(const CliArgs &args, QTextStream &out, QTextStream &err)
{
    CliSession session(args);
    if (const int status = session.logIn(err); status != ExitOk)
        return status;
    const AccountSetSetup::Info info = AccountSetSetup::read(session.set());
    out << "code\tztmc\tqykjnf\tqykjyf\tkjnf\tkjyf\tkmcd\tbz1\tbz2\tbz3\n";
    QStringList levels;
    for (int length : info.settings.levels)
        levels << QString::number(length);
    out << AppContext.SetCode << '\t' << AppContext.SetName << '\t' << info.settings.year << '\t'
        << info.settings.month << '\t' << info.currentYear << '\t' << info.currentMonth << '\t'
        << levels.join(u'-') << '\t' << int(info.settings.sameReviewer) << '\t'
        << int(info.settings.editOthers) << '\t' << int(info.settings.importAgain) << '\n';
    return ExitOk;
}

int backupSet(const CliArgs &args, QTextStream &out, QTextStream &err)
{
    CliSession session(args);
    constexpr int BackupRight = 14;
    if (const int status = session.logIn(err, BackupRight); status != ExitOk)
        return status;
    const QString file = args.option(QStringLiteral("--file"))
                             .value_or(QDir(Backup::defaultFolder(args.home()))
                                           .filePath(Backup::defaultFileName(AppContext.SetCode,
                                                                             QDate::currentDate())));
    Backup::write(session.set(), args.settings(), file);
    WriteOpLog(QStringLiteral("完成备份"));
    out << file << '\n';
    return ExitOk;
}

int restoreSet(const CliArgs &args, QTextStream &out, QTextStream &err)
{
    const std::optional<QString> file = args.option(QStringLiteral("--file"));
    const std::optional<QString> name = args.option(QStringLiteral("--name"));
    if (!file || !name)
        return usage(err, "restore --file 备份文件 --name 帐套名称");
    CliSession session(args);
    const Result<AccountSet> restored = session.store().restore(*file, *name);
    if (!restored)
        return refused(restored, err);
    printSets(out, {restored.value()});
    return ExitOk;
}

} // namespace

int runSetsCommand(const CliArgs &args, QTextStream &out, QTextStream &err)
{
    const QString &command = args.command();
    if (command == QLatin1String("list")) {
        CliSession session(args);
        printSets(out, session.store().list());
        return ExitOk;
    }
    if (command == QLatin1String("create"))
        return createSet(args, out, err);
    if (command == QLatin1String("drop"))
        return dropSet(args, err);
    if (command == QLatin1String("init"))
        return initSet(args, err);
    if (command == QLatin1String("info"))
        return showInfo(args, out, err);
    if (command == QLatin1String("backup"))
        return backupSet(args, out, err);
    if (command == QLatin1String("restore"))
        return restoreSet(args, out, err);
    err << "未知的命令：sets " << command << '\n';
    return ExitUsage;
}
