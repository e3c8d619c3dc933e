#include "cli/setscommands.h"

#include "db/accountsetstore.h"

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

} // namespace

int runSetsCommand(const CliArgs &args, QTextStream &out, QTextStream &err)
{
    const QString &command = args.command();
    if (command == QLatin1String("list")) {
        AccountSetStore store(args.settings());
        store.bootstrap();
        printSets(out, store.list());
        return ExitOk;
    }
    if (command == QLatin1String("create")) {
        const std::optional<QString> name = args.option(QStringLiteral("--name"));
        if (!name) {
            err << "用法：lanx-cli sets create --name 帐套名称\n";
            return ExitUsage;
        }
        AccountSetStore store(args.settings());
        store.bootstrap();
        const Result<AccountSet> created = store.create(*name);
        if (!created)
            return refused(created, err);
        printSets(out, {created.value()});
        return ExitOk;
    }
    if (command == QLatin1String("drop")) {
        const QStringList codes = args.positional();
        if (codes.size() != 1) {
            err << "用法：lanx-cli sets drop 帐套代码\n";
            return ExitUsage;
        }
        AccountSetStore store(args.settings());
        const Status dropped = store.drop(codes.first());
        return dropped ? ExitOk : refused(dropped, err);
    }
    err << "未知的命令：sets " << command << '\n';
    return ExitUsage;
}
