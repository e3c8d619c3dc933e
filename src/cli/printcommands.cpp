#include "cli/printcommands.h"

#include "app/appcontext.h"
#include "app/oplogquery.h"
#include "cli/clisession.h"
#include "db/dberror.h"
#include "db/sql.h"
#include "report/reportexport.h"
#include "report/reportrenderer.h"
#include "report/reportstore.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QStandardItemModel>

#include <unistd.h>

namespace {

constexpr int ChartRight = 13;    // 帐务基础资料
constexpr int UsageLogRight = 16; // 管理上机日志

const QString NoTemplate = QStringLiteral("没有预设模版，若有需要请与软件开发商联系");
const QString Usage = QStringLiteral(
    "用法：lanx-cli print <报表> --out 文件.pdf [--set 帐套代码] --operator 操作员 [--password 密码] [--template 序号] "
    "[--var 名称=值 ...]\n  rpt61 科目字典 [--level 级次]\n"
    "  rpt66 上机日志 [--czy 操作员] [--from yyyy-mm-dd] [--to yyyy-mm-dd]");

// Every value of `--name`, in order.
QStringList allOptions(const CliArgs &args, const QString &name)
{
    QStringList values;
    const QStringList &rest = args.rest();
    for (qsizetype i = 0; i + 1 < rest.size(); ++i) {
        if (rest.at(i) == name)
            values << rest.at(++i);
    }
    return values;
}

std::unique_ptr<QStandardItemModel> modelOf(QSqlQuery &query, const QStringList &extraColumns = {})
{
    const QSqlRecord record = query.record();
    auto model = std::make_unique<QStandardItemModel>(0, record.count() + int(extraColumns.size()));
    for (int c = 0; c < record.count(); ++c)
        model->setHeaderData(c, Qt::Horizontal, record.fieldName(c), ReportData::ColumnNameRole);
    for (int c = 0; c < extraColumns.size(); ++c)
        model->setHeaderData(record.count() + c, Qt::Horizontal, extraColumns.at(c),
                             ReportData::ColumnNameRole);
    while (query.next()) {
        QList<QStandardItem *> row;
        for (int c = 0; c < record.count(); ++c) {
            auto *item = new QStandardItem;
            item->setData(query.value(c), Qt::EditRole);
            row << item;
        }
        for (qsizetype c = 0; c < extraColumns.size(); ++c)
            row << new QStandardItem;
        model->appendRow(row);
    }
    return model;
}

// 科目字典: "select * from iteminfo where kmjc <= :kmjc  order by itembm" with the
// direction, the auxiliary accounting and the category as texts.
std::unique_ptr<QStandardItemModel> chartOfAccounts(const QSqlDatabase &db, int level)
{
    QSqlQuery query = Sql::exec(db, QStringLiteral("select * from iteminfo where kmjc <= ?  order by itembm"),
                                {level});
    auto model = modelOf(query, {QStringLiteral("jhdmc"), QStringLiteral("fzhs"), QStringLiteral("zlmc")});
    const QStringList categories = {QStringLiteral("资产"), QStringLiteral("负债"), QStringLiteral("权益"),
                                    QStringLiteral("成本"), QStringLiteral("损益")};
    const int columns = model->columnCount();
    auto column = [&](const char *name) {
        for (int c = 0; c < columns; ++c) {
            if (model->headerData(c, Qt::Horizontal, ReportData::ColumnNameRole)
                    .toString()
                    .compare(QLatin1String(name), Qt::CaseInsensitive)
                == 0)
                return c;
        }
        return -1;
    };
    const int jhd = column("jhd"), wbhs = column("wbhs"), bmhs = column("bmhs"),
              xmhs = column("xmhs"), zl = column("zl");
    for (int row = 0; row < model->rowCount(); ++row) {
        auto flag = [&](int c) { return model->data(model->index(row, c), Qt::EditRole).toInt() == 1; };
        QStringList auxiliary;
        if (flag(wbhs))
            auxiliary << QStringLiteral("外币核算");
        if (flag(bmhs))
            auxiliary << QStringLiteral("部门核算");
        if (flag(xmhs))
            auxiliary << QStringLiteral("项目核算");
        const int category = model->data(model->index(row, zl), Qt::EditRole).toInt();
        model->setData(model->index(row, columns - 3), flag(jhd) ? QStringLiteral("借") : QStringLiteral("贷"));
        model->setData(model->index(row, columns - 2), auxiliary.join(u','));
        model->setData(model->index(row, columns - 1), categories.value(category - 1));
    }
    return model;
}

std::unique_ptr<QStandardItemModel> usageLog(const QSqlDatabase &db, const OpLog::Filter &filter)
{
    QVariantList values;
    const QString statement = OpLog::listStatement(filter, &values);
    QSqlQuery query = Sql::exec(db, statement, values);
    return modelOf(query);
}

std::optional<QDate> dateOption(const CliArgs &args, const QString &name, QTextStream &err, bool *ok)
{
    const std::optional<QString> text = args.option(name);
    if (!text)
        return std::nullopt;
    const QDate date = QDate::fromString(*text, Qt::ISODate);
    if (!date.isValid()) {
        err << QStringLiteral("日期格式应为 yyyy-mm-dd：%1").arg(*text) << '\n';
        *ok = false;
    }
    return date;
}

} // namespace

bool isPrintCommandLine(int argc, char **argv)
{
    for (int i = 1; i < argc; ++i) {
        const QByteArray argument(argv[i]);
        if (argument == "--integrated")
            continue;
        if (argument.startsWith("--")) {
            ++i; // its value
            continue;
        }
        return argument == "print";
    }
    return false;
}

std::unique_ptr<QCoreApplication> makePrintApplication(int &argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // A GUI application wants a runtime folder and warns on standard error without one, which
    // the command line keeps for the system's messages: give it a private one, as Qt would.
    if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) {
        const QString runtime =
            QDir::tempPath() + QStringLiteral("/runtime-lanx-%1").arg(::getuid());
        if (QDir().mkpath(runtime)) {
            QFile::setPermissions(runtime, QFileDevice::ReadOwner | QFileDevice::WriteOwner
                                               | QFileDevice::ExeOwner);
            qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtime));
        }
    }
    return std::make_unique<QGuiApplication>(argc, argv);
}

int runPrintCommand(const CliArgs &args, QTextStream &out, QTextStream &err)
{
    const QString family = args.command();
    const std::optional<QString> path = args.option(QStringLiteral("--out"));
    if (!path || path->isEmpty()) {
        err << Usage << '\n';
        return ExitUsage;
    }
    if (family != QLatin1String("rpt61") && family != QLatin1String("rpt66")) {
        err << QStringLiteral("不能打印的报表：%1（现可打印 rpt61 科目字典、rpt66 上机日志）").arg(family)
            << '\n';
        return ExitUsage;
    }
    QStringList names;
    QStringList values;
    for (const QString &assignment : allOptions(args, QStringLiteral("--var"))) {
        const qsizetype equals = assignment.indexOf(u'=');
        if (equals <= 0) {
            err << QStringLiteral("变量应写成 名称=值：%1").arg(assignment) << '\n';
            return ExitUsage;
        }
        names << assignment.left(equals);
        values << assignment.mid(equals + 1);
    }
    bool ok = true;
    OpLog::Filter filter;
    filter.operatorName = args.option(QStringLiteral("--czy")).value_or(QString());
    filter.from = dateOption(args, QStringLiteral("--from"), err, &ok).value_or(QDate());
    filter.to = dateOption(args, QStringLiteral("--to"), err, &ok).value_or(QDate());
    const int level = args.option(QStringLiteral("--level")).value_or(QStringLiteral("6")).toInt(&ok);
    if (!ok || level < 1 || level > 6) {
        if (ok)
            err << QStringLiteral("级次应为 1 到 6") << '\n';
        return ExitUsage;
    }
    const int templateNumber = args.option(QStringLiteral("--template")).value_or(QStringLiteral("1")).toInt();

    // The chart of accounts is printed with the master-data right, the usage log with the
    // right to manage it, as on the screens.
    CliSession session(args);
    const int right = family == QLatin1String("rpt61") ? ChartRight : UsageLogRight;
    if (const int status = session.logIn(err, right); status != ExitOk)
        return status;
    const QSqlDatabase db = session.set();

    const QList<ReportRecord> templates = ReportStore::load(db, family);
    if (templates.isEmpty()) {
        err << NoTemplate << '\n';
        return ExitRefused;
    }
    if (templateNumber < 1 || templateNumber > templates.size()) {
        err << QStringLiteral("%1 只有 %2 个模版").arg(family).arg(templates.size()) << '\n';
        return ExitUsage;
    }
    const ReportRecord &record = templates.at(templateNumber - 1);
    QString error;
    std::optional<ReportTemplate> report = ReportTemplate::fromJsonText(record.report.toUtf8(), &error);
    if (!report) {
        err << error << '\n';
        return ExitFailure;
    }
    if (report->title.isEmpty())
        report->title = record.comment;

    std::unique_ptr<QStandardItemModel> rows =
        family == QLatin1String("rpt61") ? chartOfAccounts(db, level) : usageLog(db, filter);
    ReportRenderer renderer(*report, rows.get(),
                            ReportVariables::forPrint(AppContext.SetName, int(names.size()), names, values));
    const bool csv = path->endsWith(QLatin1String(".csv"), Qt::CaseInsensitive);
    if (!(csv ? ReportExport::toCsv(renderer, *path, &error) : renderer.exportPdf(*path, &error))) {
        err << error << '\n';
        return ExitFailure;
    }
    out << "rows\tpages\tfile\n" << rows->rowCount() << '\t' << renderer.pageCount() << '\t' << *path << '\n';
    return ExitOk;
}
