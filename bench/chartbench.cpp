// Times the chart of accounts with 5,000 accounts on the backend of LANX_TEST_PROVIDER (and
// LANX_TEST_PG for PostgreSQL): opening 科目字典维护, LookupAccount and AccountFullName per
// second. Prints the figures.

#include "testbooks.h"

#include "app/appcontext.h"
#include "app/tdm1.h"
#include "db/sql.h"
#include "db/transaction.h"
#include "masterdata/accountcodes.h"
#include "masterdata/accountlookup.h"
#include "ui/app/messages.h"
#include "ui/masterdata/tzw_kmzd.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QHash>
#include <QSqlQuery>
#include <QTabBar>
#include <QTreeWidget>

#include <cstdio>

namespace {

constexpr int ChartSize = 5000;

// Fills the asset category up to ChartSize accounts in all: ten level-1 accounts (13xx), twenty
// sub-accounts each, and below them level-3 and level-4 accounts.
void buildChart(const QSqlDatabase &db)
{
    const int existing = Sql::scalar(db, QStringLiteral("select count(*) from iteminfo")).toInt();
    QList<QVariantList> rows;
    auto add = [&](const QString &code, int level) {
        if (existing + rows.size() < ChartSize)
            rows.append({code, QStringLiteral("科目%1").arg(code), level});
    };
    QStringList levelTwo;
    for (int a = 1; a <= 10; ++a) {
        const QString one = QStringLiteral("13%1").arg(a, 2, 10, QLatin1Char('0'));
        add(one, 1);
        for (int b = 1; b <= 20; ++b) {
            levelTwo << one + QStringLiteral("%1").arg(b, 3, 10, QLatin1Char('0'));
            add(levelTwo.last(), 2);
        }
    }
    for (int depth = 0; existing + rows.size() < ChartSize; ++depth) {
        for (const QString &two : levelTwo) {
            const QString three =
                two + QStringLiteral("%1").arg(depth + 1, 2, 10, QLatin1Char('0'));
            add(three, 3);
            add(three + QStringLiteral("01"), 4);
            add(three + QStringLiteral("02"), 4);
        }
    }
    Transaction transaction(db);
    Sql::execBatch(db,
                   QStringLiteral("insert into iteminfo (itembm,itemmc,parent,zl,jhd,kmjc) "
                                  "values (?,?,-1,1,1,?)"),
                   rows);
    QHash<QString, int> idOf;
    QSqlQuery ids = Sql::exec(db, QStringLiteral("select id, itembm from iteminfo"));
    while (ids.next())
        idOf.insert(ids.value(1).toString(), ids.value(0).toInt());
    QList<QVariantList> parents;
    for (auto it = idOf.cbegin(); it != idOf.cend(); ++it) {
        const QString parent = ParentAccountCode(it.key());
        if (!parent.isEmpty() && idOf.contains(parent))
            parents.append({idOf.value(parent), it.key()});
    }
    Sql::execBatch(db, QStringLiteral("update iteminfo set parent=? where itembm=?"), parents);
    transaction.commit();
}

double perSecond(qint64 count, qint64 nanoseconds)
{
    return nanoseconds > 0 ? double(count) * 1e9 / double(nanoseconds) : 0.0;
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen"
                                                                     : qgetenv("QT_QPA_PLATFORM"));
    QApplication app(argc, argv);
    TestBooks books;
    const AccountSet set = books.createSet();
    Tdm1 dm;
    dm.connectMaster(books.settings().prefix());
    dm.connectSet(books.settings().prefix(), set.code);
    dm.LoadContext();
    const QSqlDatabase db = dm.ADOConnection1();
    buildChart(db);

    QStringList codes;
    QSqlQuery all = Sql::exec(db, QStringLiteral("select itembm from iteminfo order by itembm"));
    while (all.next())
        codes << all.value(0).toString();
    const int assets =
        Sql::scalar(db, QStringLiteral("select count(*) from iteminfo where zl=1")).toInt();

    // Opening the screen reads the first tab (the assets, nearly all of the chart) into the
    // tree; it is timed until the tree is filled, five times.
    ScriptedMessages quiet;
    QElapsedTimer timer;
    qint64 openNs = 0;
    constexpr int Opens = 5;
    for (int i = 0; i < Opens; ++i) {
        AppContext.FormMode = 1;
        timer.start();
        Tzw_kmzd chart;
        chart.show();
        openNs += timer.nsecsElapsed();
        if (chart.accounts().size() != assets)
            std::fprintf(stderr, "the tree shows %lld accounts, expected %d\n",
                         qlonglong(chart.accounts().size()), assets);
        chart.hide();
    }

    int leaves = 0;
    timer.start();
    for (const QString &code : codes)
        leaves += LookupAccount(code) ? 1 : 0;
    const qint64 lookupNs = timer.nsecsElapsed();

    qint64 nameLength = 0;
    timer.start();
    for (const QString &code : codes)
        nameLength += AccountFullName(code).size();
    const qint64 fullNameNs = timer.nsecsElapsed();

    std::printf("%s: chart of %lld accounts (%d assets, %d leaves)\n"
                "  open 科目字典维护 (asset tab): %.1f ms\n"
                "  LookupAccount: %.0f per second\n"
                "  AccountFullName: %.0f per second\n",
                qPrintable(ConnectionSettings::providerName(TestBooks::provider())),
                qlonglong(codes.size()), assets, leaves, openNs / 1e6 / Opens,
                perSecond(codes.size(), lookupNs), perSecond(codes.size(), fullNameNs));
    return nameLength > 0 ? 0 : 1;
}
