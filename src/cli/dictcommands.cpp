#include "cli/dictcommands.h"

#include "cli/clisession.h"
#include "masterdata/currencies.h"
#include "masterdata/departments.h"
#include "masterdata/projects.h"
#include "masterdata/summaries.h"

namespace {

constexpr int MasterDataRight = 13; // 帐务基础资料

int usage(QTextStream &err)
{
    err << "用法：lanx-cli dict departments list | add 编码 名称 | delete 编码\n"
           "      lanx-cli dict projects list | add 编码 [名称] | delete 编码\n"
           "      lanx-cli dict currencies list | add 币种 [--rate 汇率] | delete 币种\n"
           "      lanx-cli dict summaries list | add 摘要 [--parent 分类id] | delete id\n";
    return ExitUsage;
}

template <typename T>
int refusedOr(const Result<T> &result, QTextStream &err)
{
    if (result)
        return ExitOk;
    err << result.message() << '\n';
    return ExitRefused;
}

// --- departments ---

void printDepartments(QTextStream &out, const QList<Departments::Department> &departments)
{
    out << "bmbm\tbmmc\tparent\n";
    for (const Departments::Department &d : departments)
        out << d.bmbm << '\t' << d.bmmc << '\t' << d.parent << '\n';
}

int departments(const QSqlDatabase &db, const QStringList &words, QTextStream &out,
                QTextStream &err)
{
    const QString &action = words.first();
    if (action == QLatin1String("list") && words.size() == 1) {
        printDepartments(out, Departments::list(db));
        return ExitOk;
    }
    if (action == QLatin1String("add") && words.size() == 3) {
        const Result<QString> added = Departments::add(db, words.at(1), words.at(2));
        if (added) {
            for (const Departments::Department &d : Departments::list(db)) {
                if (d.bmbm == added.value())
                    printDepartments(out, {d});
            }
        }
        return refusedOr(added, err);
    }
    if (action == QLatin1String("delete") && words.size() == 2)
        return refusedOr(Departments::remove(db, words.at(1)), err);
    return usage(err);
}

// --- projects ---

int projects(const QSqlDatabase &db, const QStringList &words, QTextStream &out,
             QTextStream &err)
{
    const QString &action = words.first();
    if (action == QLatin1String("list") && words.size() == 1) {
        out << "xmbm\txmmc\n";
        for (const Projects::Project &p : Projects::list(db))
            out << p.xmbm << '\t' << p.xmmc << '\n';
        return ExitOk;
    }
    if (action == QLatin1String("add") && (words.size() == 2 || words.size() == 3)) {
        const QString name = words.value(2);
        const Result<QString> added = Projects::save(db, words.at(1), name);
        if (added)
            out << "xmbm\txmmc\n" << added.value() << '\t' << name.trimmed() << '\n';
        return refusedOr(added, err);
    }
    if (action == QLatin1String("delete") && words.size() == 2)
        return refusedOr(Projects::remove(db, words.at(1)), err);
    return usage(err);
}

// --- currencies ---

QString plainRate(double rate)
{
    return QString::number(rate, 'g', 15);
}

int currencies(const QSqlDatabase &db, const CliArgs &args, const QStringList &words,
               QTextStream &out, QTextStream &err)
{
    const QString &action = words.first();
    if (action == QLatin1String("list") && words.size() == 1) {
        out << "name\thl\n";
        for (const Currencies::Currency &c : Currencies::list(db))
            out << c.name << '\t' << plainRate(c.hl) << '\n';
        return ExitOk;
    }
    if (action == QLatin1String("add") && words.size() == 2) {
        bool ok = true;
        const double rate = args.option(QStringLiteral("--rate")).value_or(QStringLiteral("0")).toDouble(&ok);
        if (!ok || rate < 0)
            return usage(err);
        const Status added = Currencies::add(db, words.at(1), rate);
        if (added)
            out << "name\thl\n" << words.at(1).trimmed() << '\t' << plainRate(rate) << '\n';
        return refusedOr(added, err);
    }
    if (action == QLatin1String("delete") && words.size() == 2)
        return refusedOr(Currencies::remove(db, words.at(1)), err);
    return usage(err);
}

// --- summaries ---

int summaries(const QSqlDatabase &db, const CliArgs &args, const QStringList &words,
              QTextStream &out, QTextStream &err)
{
    const QString &action = words.first();
    if (action == QLatin1String("list") && words.size() == 1) {
        out << "id\tparent\tinfo\n";
        for (const Summaries::Summary &s : Summaries::list(db))
            out << s.id << '\t' << s.parent << '\t' << s.info << '\n';
        return ExitOk;
    }
    if (action == QLatin1String("add") && words.size() == 2) {
        bool ok = true;
        const int parent = args.option(QStringLiteral("--parent"))
                               .value_or(QString::number(Summaries::GroupParent))
                               .toInt(&ok);
        if (!ok)
            return usage(err);
        const Result<int> added = Summaries::add(db, parent, words.at(1));
        if (added)
            out << "id\tparent\tinfo\n"
                << added.value() << '\t' << parent << '\t' << words.at(1).trimmed() << '\n';
        return refusedOr(added, err);
    }
    if (action == QLatin1String("delete") && words.size() == 2) {
        bool ok = false;
        const int id = words.at(1).toInt(&ok);
        return ok ? refusedOr(Summaries::remove(db, id), err) : usage(err);
    }
    return usage(err);
}

} // namespace

int runDictCommand(const CliArgs &args, QTextStream &out, QTextStream &err)
{
    const QString &kind = args.command();
    const QStringList words = args.positional();
    const bool known = kind == QLatin1String("departments") || kind == QLatin1String("projects")
                       || kind == QLatin1String("currencies") || kind == QLatin1String("summaries");
    const QStringList actions = {QStringLiteral("list"), QStringLiteral("add"), QStringLiteral("delete")};
    if (!known || words.isEmpty() || !actions.contains(words.first()))
        return usage(err);
    CliSession session(args);
    if (const int status = session.logIn(err, MasterDataRight); status != ExitOk)
        return status;
    const QSqlDatabase db = session.set();
    if (kind == QLatin1String("departments"))
        return departments(db, words, out, err);
    if (kind == QLatin1String("projects"))
        return projects(db, words, out, err);
    if (kind == QLatin1String("currencies"))
        return currencies(db, args, words, out, err);
    return summaries(db, args, words, out, err);
}
