// Times the voucher form on a chart of 5,000 accounts, on the backend of LANX_TEST_PROVIDER (and
// LANX_TEST_PG for PostgreSQL): opening it for a new voucher (the lists it loads included), and
// saving a 10-line voucher (the checks, the write and the start of the next voucher). Prints the
// figures.
//   bench_voucher_screen [--shot FILE]   FILE: a picture of the filled form before it is saved

#include "testbooks.h"

#include "app/appcontext.h"
#include "app/tdm1.h"
#include "db/sql.h"
#include "db/transaction.h"
#include "masterdata/chartcache.h"
#include "ui/app/messages.h"
#include "ui/voucher/tzw_kjpz.h"
#include "ui/voucher/vouchergrid.h"
#include "ui/voucher/voucherlinemodel.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QSqlQuery>

#include <cstdio>

namespace {

// 50 level-1 accounts get 100 sub-accounts each: 5,000 leaves besides the template's chart.
QStringList addSubAccounts(const QSqlDatabase &db)
{
    QList<QPair<QString, int>> parents;
    QSqlQuery query = Sql::exec(db, QStringLiteral("select itembm,id,zl,jhd from iteminfo i "
                                                   "where kmjc=1 and not exists (select 1 from "
                                                   "iteminfo c where c.parent=i.id) "
                                                   "order by itembm"));
    QList<QVariantList> rows;
    QStringList leaves;
    while (query.next() && rows.size() < 5000) {
        const QString parent = query.value(0).toString();
        for (int i = 1; i <= 100; ++i) {
            const QString code = parent + QString::number(i).rightJustified(3, QLatin1Char('0'));
            rows.append({code, QStringLiteral("明细科目%1").arg(i), query.value(1),
                         query.value(2), query.value(3)});
            leaves << code;
        }
    }
    Transaction transaction(db);
    Sql::execBatch(db, QStringLiteral("insert into iteminfo (itembm,itemmc,parent,zl,jhd,kmjc,"
                                      "bmhs,xmhs,wbhs,xjll) values (?,?,?,?,?,2,0,0,0,0)"),
                   rows);
    transaction.commit();
    return leaves;
}

void fill(Tzw_kjpz &form, const QStringList &leaves)
{
    VoucherLineModel *model = form.lineModel();
    for (int row = 0; row < 10; ++row) {
        const bool credit = row == 9;
        model->setData(model->index(row, VoucherLineModel::Summary),
                       QStringLiteral("支付%1月份房租及水电费").arg(row + 1), Qt::EditRole);
        model->setData(model->index(row, VoucherLineModel::AccountCode),
                       leaves.at(row * 397 % leaves.size()), Qt::EditRole);
        model->setData(model->index(row, credit ? VoucherLineModel::Credit
                                                : VoucherLineModel::Debit),
                       QVariant::fromValue<qint64>(credit ? 9 * 1'234'567 : 1'234'567),
                       Qt::EditRole);
        QCoreApplication::processEvents();
    }
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen"
                                                                   : qgetenv("QT_QPA_PLATFORM"));
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    const qsizetype shot = args.indexOf(QStringLiteral("--shot"));

    TestBooks books;
    const AccountSet set = books.createSet(QStringLiteral("凭证录入测速"));
    Tdm1 dataModule;
    dataModule.connectMaster(books.settings().prefix());
    dataModule.connectSet(books.settings().prefix(), set.code);
    const QSqlDatabase db = dataModule.ADOConnection1();
    Sql::exec(db, QStringLiteral("update ztInfo set qykjnf=2024,qykjyf=1,kjnf=2024,kjyf=5"));
    const QStringList leaves = addSubAccounts(db);
    dataModule.LoadContext();
    AppContext.OperatorName = QStringLiteral("张三");
    AppContext.CanEnterVouchers = QStringLiteral("1");
    CachedChart().open(db);
    ScriptedMessages quiet;

    const int rounds = 20;
    qint64 openNs = 0;
    qint64 saveNs = 0;
    for (int round = 0; round < rounds; ++round) {
        QElapsedTimer timer;
        AppContext.FormMode = 1;
        timer.start();
        Tzw_kjpz form;
        form.show();
        QCoreApplication::processEvents();
        openNs += timer.nsecsElapsed();

        fill(form, leaves);
        if (round == 0 && shot > 0 && shot + 1 < args.size()) {
            form.grid()->setCurrentIndex(form.lineModel()->index(3, VoucherLineModel::Debit));
            form.grab().save(args.at(shot + 1));
        }
        timer.restart();
        const bool saved = form.saveVoucher();
        saveNs += timer.nsecsElapsed();
        if (!saved || !quiet.texts().isEmpty()) {
            std::fprintf(stderr, "save failed: %s\n", qPrintable(quiet.texts().join(u'|')));
            return 1;
        }
        form.hide();
    }
    const int stored = Sql::scalar(db, QStringLiteral("select count(distinct pzbh) from account"))
                           .toInt();
    std::printf("%s: chart of %lld accounts; open the voucher form %.1f ms, save a 10-line "
                "voucher %.1f ms (mean of %d; %d vouchers stored)\n",
                qPrintable(ConnectionSettings::providerName(TestBooks::provider())),
                Sql::scalar(db, QStringLiteral("select count(*) from iteminfo")).toLongLong(),
                openNs / 1e6 / rounds, saveNs / 1e6 / rounds, rounds, stored);
    return 0;
}
