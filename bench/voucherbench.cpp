// Voucher saving and import on the backend of LANX_TEST_PROVIDER (LANX_TEST_PG for PostgreSQL),
// on the books of a generated company year: a chart of a few hundred leaf accounts and vouchers
// of 2 to 6 lines. Prints the figures:
//   - new vouchers saved one per transaction through the core (the screen's save);
//   - lanx-cli vouchers import of a CSV file of 100,000 lines (a whole year, one transaction);
//   - on a chart of 5,000 accounts: loading the entry screen's lists and a new voucher, and
//     saving a 10-line voucher.
// Arguments: [vouchers to save, default 2000] [lines to import, default 100000]

#include "testbooks.h"

#include "db/dbconnection.h"
#include "db/sql.h"
#include "voucher/voucherlists.h"
#include "voucher/voucherservice.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTextStream>

#include <cstdio>

namespace {

const QString SetCode = QStringLiteral("lanx2");
const QString Operator = QStringLiteral("管理员");

// --- data generator ---

// Adds `parents` level-1 accounts (codes 7000 + i) with `children` leaf accounts each (code of
// the parent + three digits) and returns the leaf codes.
QStringList addChart(const QSqlDatabase &db, int parents, int children)
{
    QList<QVariantList> rows;
    QStringList leaves;
    for (int p = 0; p < parents; ++p) {
        const QString parent = QString::number(7000 + p);
        rows.append({parent, QStringLiteral("测试科目%1").arg(p), -1, 1, 1, 1});
        for (int c = 1; c <= children; ++c) {
            const QString code = parent + QStringLiteral("%1").arg(c, 3, 10, QLatin1Char('0'));
            rows.append({code, QStringLiteral("明细%1-%2").arg(p).arg(c), parent.toInt(), 1, 1, 2});
            leaves.append(code);
        }
    }
    Sql::execBatch(db,
                   QStringLiteral("insert into iteminfo (itembm,itemmc,parent,zl,jhd,kmjc) "
                                  "values (?,?,?,?,?,?)"),
                   rows);
    return leaves;
}

struct GeneratedVoucher
{
    QDate date;
    QList<VoucherLine> lines;
};

// A voucher of 2 to 6 lines: one or more debits balanced by one or more credits, in cents.
GeneratedVoucher generateVoucher(QRandomGenerator &random, const QStringList &accounts,
                                 const QDate &date, int lineCount)
{
    GeneratedVoucher voucher{date, {}};
    const int debits = 1 + int(random.bounded(lineCount - 1));
    qint64 total = 0;
    for (int i = 0; i < lineCount; ++i) {
        VoucherLine line;
        line.itembm = accounts.at(int(random.bounded(qsizetype(accounts.size()))));
        line.pzzy = QStringLiteral("业务摘要%1").arg(random.bounded(1000));
        if (i < debits) {
            const qint64 cents = 100 + random.bounded(10'000'000);
            line.jfje = Money::fromCents(cents);
            total += cents;
        } else if (i < lineCount - 1) {
            const qint64 cents = total / (lineCount - debits);
            line.dfje = Money::fromCents(cents);
        }
        voucher.lines.append(line);
    }
    Money credits;
    for (int i = debits; i < lineCount - 1; ++i)
        credits += voucher.lines[i].dfje;
    voucher.lines.last().dfje = Money::fromCents(total) - credits;
    return voucher;
}

QDate dateOfIndex(int index, int perMonth)
{
    const int month = qMin(12, 1 + index / perMonth);
    return QDate(2024, month, 1 + index % 28);
}

// --- runs ---

struct Cli
{
    QStringList connection;
    QString run(const QStringList &arguments, int *status) const
    {
        QProcess process;
        // LANX_BENCH_WRAP="perf record -o F --" runs the command line under a profiler.
        QStringList wrap = qEnvironmentVariable("LANX_BENCH_WRAP").split(QLatin1Char(' '),
                                                                         Qt::SkipEmptyParts);
        if (!wrap.isEmpty() && arguments.value(1) == QLatin1String("import")) {
            const QString program = wrap.takeFirst();
            process.start(program, wrap + QStringList{QStringLiteral(LANX_CLI_PATH)} + connection
                                       + arguments);
        } else {
            process.start(QStringLiteral(LANX_CLI_PATH), connection + arguments);
        }
        process.waitForFinished(-1);
        *status = process.exitCode();
        return QString::fromUtf8(process.readAllStandardError());
    }
};

VoucherSession year2024()
{
    VoucherSession session;
    session.operatorName = Operator;
    session.canEnterVouchers = true;
    session.curYear = 2024;
    session.curMonth = 1;
    return session;
}

void benchSaves(const QSqlDatabase &db, const QStringList &accounts, int count)
{
    QRandomGenerator random(7);
    const VoucherService service(db, year2024());
    QElapsedTimer timer;
    timer.start();
    int lines = 0;
    for (int i = 0; i < count; ++i) {
        const GeneratedVoucher generated =
            generateVoucher(random, accounts, dateOfIndex(i, count / 12 + 1),
                            2 + int(random.bounded(5)));
        Voucher voucher = service.ini_input_pz(generated.date, generated.date);
        voucher.clearLines();
        for (const VoucherLine &line : generated.lines)
            voucher.setLine(voucher.appendLine(), line);
        const VoucherSaveResult result = service.save_pz(voucher, {});
        if (!result.ok()) {
            std::printf("save refused: %s\n", qPrintable(result.check.message));
            return;
        }
        lines += voucher.lineCount();
    }
    const double seconds = timer.elapsed() / 1000.0;
    std::printf("saved %d vouchers (%d lines) one per transaction: %.2f s, %.0f vouchers/s\n",
                count, lines, seconds, count / seconds);
}

void benchImport(const Cli &cli, const QString &file, const QStringList &accounts, int lineCount)
{
    QRandomGenerator random(11);
    QFile out(file);
    out.open(QIODevice::WriteOnly | QIODevice::Truncate);
    QTextStream stream(&out);
    stream << "rq,pzbh,pzzy,itembm,jfje,dfje\n";
    int written = 0;
    int vouchers = 0;
    const int perMonth = lineCount / 4 / 12 + 1;
    while (written < lineCount) {
        const int size = qMin(2 + int(random.bounded(5)), qMax(2, lineCount - written));
        const GeneratedVoucher generated =
            generateVoucher(random, accounts, dateOfIndex(vouchers, perMonth), size);
        for (const VoucherLine &line : generated.lines) {
            stream << generated.date.toString(Qt::ISODate) << ',' << vouchers % perMonth + 1 << ','
                   << line.pzzy << ',' << line.itembm << ','
                   << (line.jfje.isZero() ? QString() : line.jfje.toFixed()) << ','
                   << (line.dfje.isZero() ? QString() : line.dfje.toFixed()) << '\n';
        }
        written += size;
        ++vouchers;
    }
    stream.flush();
    out.close();
    QElapsedTimer timer;
    timer.start();
    int status = 0;
    const QString errors = cli.run({"vouchers", "import", file, "--set", SetCode, "--operator",
                                    Operator}, &status);
    const double seconds = timer.elapsed() / 1000.0;
    if (status != 0)
        std::printf("import failed (%d): %s\n", status, qPrintable(errors));
    std::printf("lanx-cli vouchers import of %d lines (%d vouchers): %.2f s\n", written, vouchers,
                seconds);
}

void benchLargeChart(TestBooks &books)
{
    const AccountSet set = books.createSet(QStringLiteral("大科目表"));
    auto conn = books.open(set.code, QStringLiteral("bench-large"));
    const QStringList accounts = addChart(conn->db(), 100, 50);
    VoucherSession session = year2024();
    const VoucherService service(conn->db(), session);

    QElapsedTimer timer;
    timer.start();
    VoucherLists lists;
    lists.load(conn->db(), 4);
    Voucher voucher = service.ini_input_pz(service.firstOpeningDate());
    lists.fillNames(voucher);
    const double openMs = timer.nsecsElapsed() / 1e6;

    QRandomGenerator random(3);
    const GeneratedVoucher generated = generateVoucher(random, accounts, voucher.header.date, 10);
    for (int i = 0; i < generated.lines.size(); ++i)
        voucher.setLine(i, generated.lines.at(i));
    timer.restart();
    const VoucherSaveResult result = service.save_pz(voucher, {});
    const double saveMs = timer.nsecsElapsed() / 1e6;
    const QString refusal =
        result.ok() ? QString() : QStringLiteral(" (refused: %1)").arg(result.check.message);
    std::printf("chart of %lld accounts: lists and new voucher %.1f ms, "
                "saving 10 lines %.1f ms%s\n",
                qint64(accounts.size()) + 100, openMs, saveMs, qPrintable(refusal));
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const int saves = argc > 1 ? QByteArray(argv[1]).toInt() : 2000;
    const int importLines = argc > 2 ? QByteArray(argv[2]).toInt() : 100'000;
    std::printf("%s\n", qPrintable(ConnectionSettings::providerName(TestBooks::provider())));

    TestBooks books;
    const Cli cli{books.cliConnectionOptions()};
    int status = 0;
    cli.run({"sets", "create", "--name", "基准"}, &status);
    const QString initErrors = cli.run({"sets", "init", SetCode, "--year", "2024", "--month", "1",
                                        "--levels", "4-3-2-2-2-2"}, &status);
    if (status != 0) {
        std::printf("sets init failed: %s\n", qPrintable(initErrors));
        return 1;
    }
    QStringList accounts;
    {
        auto conn = books.open(SetCode, QStringLiteral("bench-saves"));
        accounts = addChart(conn->db(), 20, 15);
        benchSaves(conn->db(), accounts, saves);
        Sql::exec(conn->db(), QStringLiteral("delete from account"));
    }
    QTemporaryDir folder;
    benchImport(cli, folder.filePath(QStringLiteral("import.csv")), accounts, importLines);
    benchLargeChart(books);
    return 0;
}
