#include "testbooks.h"

#include "db/dbconnection.h"
#include "db/sql.h"
#include "voucher/voucherlists.h"
#include "voucher/voucherservice.h"

#include <gtest/gtest.h>

#include <QSet>
#include <QSqlRecord>

#include <atomic>
#include <thread>

namespace {

const QString Cash = QStringLiteral("1001");
const QString Bank = QStringLiteral("1002001");
const QString Receivable = QStringLiteral("1122");
const QString Payable = QStringLiteral("2202");
const QString BankParent = QStringLiteral("1002");

Money m(const char *text)
{
    return *Money::parse(QString::fromLatin1(text));
}

struct Row
{
    QString pzzy;
    QString itembm;
    const char *jfje;
    const char *dfje;
};

VoucherSession may2024(const QString &operatorName = QStringLiteral("张三"))
{
    VoucherSession session;
    session.operatorName = operatorName;
    session.canEnterVouchers = true;
    session.curYear = 2024;
    session.curMonth = 5;
    return session;
}

// Fills the first rows of a voucher's buffer, leaving the other blank lines for the save to drop.
void fill(Voucher &voucher, const QList<Row> &rows)
{
    while (voucher.lineCount() < rows.size())
        voucher.appendLine();
    for (int i = 0; i < rows.size(); ++i) {
        VoucherLine line = voucher.line(i);
        line.pzzy = rows[i].pzzy;
        line.itembm = rows[i].itembm;
        line.jfje = m(rows[i].jfje);
        line.dfje = m(rows[i].dfje);
        voucher.setLine(i, line);
    }
}

const QList<Row> SimpleRows = {{QStringLiteral("收款"), Cash, "100", "0"},
                               {QStringLiteral("收款"), Receivable, "0", "100"}};

} // namespace

class VoucherTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_set = m_books.createSet();
        m_conn = m_books.open(m_set.code);
    }

    QSqlDatabase db() const { return m_conn->db(); }
    VoucherService service(const VoucherSession &session = may2024()) const
    {
        return VoucherService(db(), session);
    }

    // Saves a new voucher with the given rows; returns its number.
    int save(const QDate &date, const QList<Row> &rows, int number = 0,
             const VoucherSession &session = may2024())
    {
        VoucherService s = service(session);
        Voucher voucher = s.ini_input_pz(date, date);
        if (number)
            voucher.header.number = number;
        fill(voucher, rows);
        const VoucherSaveResult result = s.save_pz(voucher, {});
        EXPECT_EQ(result.kind, VoucherSaveResult::Saved) << qPrintable(result.check.message);
        return voucher.header.number;
    }

    QList<QVariantList> rows(const QString &columns, int year, int month, int number) const
    {
        QSqlQuery query = Sql::exec(
            db(),
            QStringLiteral("select %1 from account where kjnf=? and kjyf=? and pzbh=? "
                           "order by pzfl")
                .arg(columns),
            {year, month, number});
        QList<QVariantList> result;
        while (query.next()) {
            QVariantList row;
            for (int i = 0; i < query.record().count(); ++i)
                row.append(query.value(i));
            result.append(row);
        }
        return result;
    }

    TestBooks m_books;
    AccountSet m_set;
    std::unique_ptr<DbConnection> m_conn;
};

TEST_F(VoucherTest, SavingStampsEveryLineAndComparesCentsExactly)
{
    VoucherService s = service();
    Voucher voucher = s.ini_input_pz(QDate(2024, 5, 26), QDate(2024, 5, 26));
    EXPECT_EQ(voucher.lineCount(), 10);
    voucher.header.attachments = 3;
    fill(voucher, {{QStringLiteral("报销 'O''Brien' \"差旅\""), Cash, "0.10", "0"},
                   {QStringLiteral("报销"), Bank, "0.20", "0"},
                   {QStringLiteral("报销"), Receivable, "0", "0.30"}});
    const VoucherSaveResult result = s.save_pz(voucher, {});
    ASSERT_EQ(result.kind, VoucherSaveResult::Saved) << qPrintable(result.check.message);

    EXPECT_EQ(voucher.mode, Voucher::Mode::Stored);
    EXPECT_EQ(voucher.loadedKey, (VoucherKey{2024, 5, 1}));
    EXPECT_EQ(voucher.lineCount(), 3);
    EXPECT_FALSE(VoucherService::is_pz_modified(voucher));

    const auto stored =
        rows(QStringLiteral("pzfl,linecount,total,zd,fjs,dfkm,pzzy,jfje,rq"), 2024, 5, 1);
    ASSERT_EQ(stored.size(), 3);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(stored[i][0].toInt(), i + 1);
        EXPECT_EQ(stored[i][1].toInt(), 3);
        EXPECT_DOUBLE_EQ(stored[i][2].toDouble(), 0.30);
        EXPECT_EQ(stored[i][3].toString(), QStringLiteral("张三"));
        EXPECT_EQ(stored[i][4].toInt(), 3);
        EXPECT_EQ(stored[i][8].toDateTime().date(), QDate(2024, 5, 26));
    }
    EXPECT_EQ(stored[0][6].toString(), QStringLiteral("报销 'O''Brien' \"差旅\""));
    EXPECT_EQ(Money::fromSqlValue(stored[0][7]), m("0.10"));
    EXPECT_EQ(stored[0][5].toString(), Receivable);
    EXPECT_EQ(stored[2][5].toString(), Cash);

    // Read back, the voucher is the one saved.
    const Voucher read = s.ini_modified_pz({2024, 5, 1});
    EXPECT_EQ(read.lineCount(), 3);
    EXPECT_EQ(read.header.attachments, 3);
    EXPECT_EQ(read.maker, QStringLiteral("张三"));
    EXPECT_EQ(read.debitTotal(), m("0.30"));
    EXPECT_FALSE(VoucherService::is_pz_modified(read));
}

TEST_F(VoucherTest, OppositeAccountFollowsTheSignOfEachLine)
{
    struct Case
    {
        QList<Row> rows;
        QStringList dfkm;
    };
    const QList<Case> cases = {
        {{{QStringLiteral("a"), Cash, "100", "0"},
          {QStringLiteral("a"), Bank, "0", "60"},
          {QStringLiteral("a"), Receivable, "0", "40"}},
         {Bank, Cash, Cash}},
        {{{QStringLiteral("b"), Cash, "-50", "0"}, {QStringLiteral("b"), Bank, "0", "-50"}},
         {Bank, Cash}},
        // Only one side: nothing to point at.
        {{{QStringLiteral("c"), Cash, "50", "0"}, {QStringLiteral("c"), Bank, "-50", "0"}},
         {Bank, Cash}},
    };
    int number = 0;
    for (const Case &c : cases) {
        number = save(QDate(2024, 5, 10), c.rows);
        const auto stored = rows(QStringLiteral("dfkm"), 2024, 5, number);
        ASSERT_EQ(stored.size(), c.dfkm.size());
        for (int i = 0; i < stored.size(); ++i)
            EXPECT_EQ(stored[i][0].toString(), c.dfkm[i]) << "voucher " << number << " line " << i;
    }
}

TEST_F(VoucherTest, ChecksRefuseWithTheirMessageAndFocus)
{
    struct Case
    {
        const char *name;
        QList<Row> rows;
        QString message;
        VoucherField field;
        int row;
    };
    const QString s = QStringLiteral("摘要");
    const QList<Case> cases = {
        {"parent account", {{s, Cash, "1", "0"}, {s, BankParent, "0", "1"}},
         QStringLiteral("第2行 必须是明细科目"), VoucherField::Account, 1},
        {"unknown account", {{s, QStringLiteral("9999"), "1", "0"}},
         QStringLiteral("第1行 必须是明细科目"), VoucherField::Account, 0},
        {"both sides", {{s, Cash, "100", "-100"}},
         QStringLiteral("第1行 借方和贷方只能有一方不为0"), VoucherField::Debit, 0},
        {"no amount", {{s, Cash, "1", "0"}, {s, Bank, "0", "1"}, {s, Bank, "0", "0"}},
         QStringLiteral("第3行 借方和贷方不能都为0"), VoucherField::Debit, 2},
        {"no summary", {{s, Cash, "1", "0"}, {QStringLiteral("  "), Bank, "0", "1"}},
         QStringLiteral("第2行 必须填写摘要"), VoucherField::Summary, 1},
        {"unbalanced", {{s, Cash, "1", "0"}, {s, Bank, "0", "1.01"}},
         QStringLiteral("借方和贷方金额不平"), VoucherField::None, -1},
    };
    VoucherService service_ = service();
    for (const Case &c : cases) {
        Voucher voucher = service_.ini_input_pz(QDate(2024, 5, 26), QDate(2024, 5, 26));
        fill(voucher, c.rows);
        VoucherService::delete_false_row(voucher);
        const VoucherCheck check = service_.input_vali_pz(voucher, {});
        EXPECT_FALSE(check.ok) << c.name;
        EXPECT_EQ(check.message, c.message) << c.name;
        EXPECT_EQ(check.field, c.field) << c.name;
        EXPECT_EQ(check.row, c.row) << c.name;
        // The shared line check says the same, without the header.
        const VoucherCheck lines = CheckVoucherLines(db(), voucher.lines(), {});
        EXPECT_EQ(lines.message, c.message) << c.name;
    }
}

TEST_F(VoucherTest, HeaderChecksComeAfterTheLinesInTheirOrder)
{
    struct Case
    {
        QDate date;
        int number;
        int reviewed;
        QString message;
        VoucherField field;
    };
    const QList<Case> cases = {
        {QDate(2024, 4, 30), 1, 0, VoucherMessages::BeforePeriod, VoucherField::Date},
        {QDate(2023, 12, 1), 0, 0, VoucherMessages::BeforePeriod, VoucherField::Date},
        {QDate(2024, 5, 1), 0, 0, VoucherMessages::NumberNotPositive, VoucherField::Number},
        {QDate(), 1, 0, VoucherMessages::NoDate, VoucherField::Date},
        {QDate(2024, 6, 1), 1, 1, VoucherMessages::CannotModify, VoucherField::None},
    };
    VoucherService s = service();
    for (const Case &c : cases) {
        Voucher voucher = s.ini_input_pz(QDate(2024, 5, 26), QDate(2024, 5, 26));
        fill(voucher, SimpleRows);
        VoucherService::delete_false_row(voucher);
        voucher.header.date = c.date;
        voucher.header.number = c.number;
        voucher.loadedReviewed = c.reviewed;
        const VoucherCheck check = s.input_vali_pz(voucher, {});
        EXPECT_EQ(check.message, c.message) << qPrintable(c.date.toString());
        EXPECT_EQ(check.field, c.field);
    }
}

TEST_F(VoucherTest, ForeignAmountTimesRateMustMatchOrBeConfirmed)
{
    const auto withForeign = [this](const char *credit) {
        Voucher voucher = service().ini_input_pz(QDate(2024, 5, 26), QDate(2024, 5, 26));
        fill(voucher, {{QStringLiteral("外币"), Cash, credit, "0"},
                       {QStringLiteral("外币"), Bank, "0", credit}});
        VoucherLine line = voucher.line(1);
        line.wbjf = m("10");
        line.hl = 6.8;
        voucher.setLine(1, line);
        return voucher;
    };
    QStringList asked;
    const VoucherAsk no = [&](const QString &q) { asked << q; return false; };
    const VoucherAsk yes = [&](const QString &q) { asked << q; return true; };

    Voucher exact = withForeign("68.00");
    EXPECT_TRUE(service().save_pz(exact, no).ok());
    EXPECT_TRUE(asked.isEmpty());

    Voucher off = withForeign("68.01");
    const VoucherSaveResult refused = service().save_pz(off, no);
    EXPECT_EQ(refused.kind, VoucherSaveResult::Refused);
    EXPECT_EQ(refused.check.row, 1);
    EXPECT_EQ(asked, QStringList{QStringLiteral("第2行 外币金额乘汇率不等于本位币金额,是否继续？")});
    EXPECT_EQ(service().save_pz(off, yes).kind, VoucherSaveResult::Saved);
    const auto stored = rows(QStringLiteral("wbjf,wbdf,dfje"), 2024, 5, off.header.number);
    EXPECT_EQ(Money::fromSqlValue(stored[1][0]), m("10"));
    EXPECT_EQ(Money::fromSqlValue(stored[1][1]), Money());
    EXPECT_EQ(Money::fromSqlValue(stored[1][2]), m("68.01"));
}

TEST_F(VoucherTest, NewVoucherNumbersStayFreeOrMoveAboveTheMonth)
{
    for (int i = 1; i <= 7; ++i)
        EXPECT_EQ(save(QDate(2024, 5, 3), SimpleRows), i);
    EXPECT_EQ(service().max_pzbh(0, QDate(2024, 6, 1)), 1);
    EXPECT_EQ(service().max_pzbh(5, QDate(2024, 5, 1)), 8);
    EXPECT_EQ(service().max_pzbh(12, QDate(2024, 5, 1)), 12);

    EXPECT_EQ(save(QDate(2024, 5, 3), SimpleRows, 5), 8);
    EXPECT_EQ(save(QDate(2024, 5, 3), SimpleRows, 12), 12);
    EXPECT_EQ(save(QDate(2024, 5, 3), SimpleRows, 4), 13);
}

TEST_F(VoucherTest, RenumberingAStoredVoucherNeedsAFreeNumber)
{
    save(QDate(2024, 5, 3), SimpleRows);
    save(QDate(2024, 5, 3), SimpleRows);
    VoucherService s = service();

    Voucher second = s.ini_modified_pz({2024, 5, 2});
    second.header.number = 1;
    VoucherSaveResult result = s.save_pz(second, {});
    EXPECT_EQ(result.check.message, VoucherMessages::NumberUsed);
    EXPECT_EQ(result.check.field, VoucherField::Number);

    second.header.number = 2;
    VoucherLine line = second.line(0);
    line.pzzy = QStringLiteral("改过");
    second.setLine(0, line);
    EXPECT_TRUE(VoucherService::is_pz_modified(second));
    EXPECT_EQ(s.save_pz(second, {}).kind, VoucherSaveResult::Saved);

    // Moved to another month and number, the lines move with it.
    second.header.date = QDate(2024, 6, 2);
    second.header.number = 9;
    ASSERT_EQ(s.save_pz(second, {}).kind, VoucherSaveResult::Saved);
    EXPECT_TRUE(rows(QStringLiteral("pzfl"), 2024, 5, 2).isEmpty());
    const auto moved = rows(QStringLiteral("pzzy,kjyf"), 2024, 6, 9);
    ASSERT_EQ(moved.size(), 2);
    EXPECT_EQ(moved[0][0].toString(), QStringLiteral("改过"));
    EXPECT_EQ(second.loadedKey, (VoucherKey{2024, 6, 9}));
}

TEST_F(VoucherTest, EditingAStoredVoucherAppliesRemovedAndAddedLines)
{
    const int number = save(QDate(2024, 5, 3),
                            {{QStringLiteral("a"), Cash, "100", "0"},
                             {QStringLiteral("b"), Bank, "0", "60"},
                             {QStringLiteral("c"), Receivable, "0", "40"}});
    VoucherService s = service();
    Voucher voucher = s.ini_modified_pz({2024, 5, number});
    EXPECT_FALSE(VoucherService::is_pz_modified(voucher));
    voucher.removeLine(1);
    EXPECT_TRUE(voucher.linesRemoved);
    const int added = voucher.insertLine(0);
    fill(voucher, {{QStringLiteral("new"), Payable, "0", "60"}});
    EXPECT_EQ(voucher.line(added).state, RowState::Inserted);
    ASSERT_EQ(s.save_pz(voucher, {}).kind, VoucherSaveResult::Saved);

    const auto stored = rows(QStringLiteral("pzfl,itembm,linecount"), 2024, 5, number);
    ASSERT_EQ(stored.size(), 3);
    EXPECT_EQ(stored[0][1].toString(), Payable);
    EXPECT_EQ(stored[1][1].toString(), Cash);
    EXPECT_EQ(stored[2][1].toString(), Receivable);
    EXPECT_EQ(stored[2][2].toInt(), 3);
}

TEST_F(VoucherTest, BlankLinesAreDroppedAndAnEmptyVoucherSavesNothing)
{
    VoucherService s = service();
    Voucher voucher = s.ini_input_pz(QDate(2024, 5, 26), QDate(2024, 5, 26));
    EXPECT_EQ(s.save_pz(voucher, {}).kind, VoucherSaveResult::NothingToSave);
    EXPECT_EQ(voucher.lineCount(), 0);
    EXPECT_TRUE(rows(QStringLiteral("pzfl"), 2024, 5, 1).isEmpty());

    // Erasing the account of a stored line removes the line at the next save.
    const int number = save(QDate(2024, 5, 3),
                            {{QStringLiteral("a"), Cash, "100", "0"},
                             {QStringLiteral("b"), Bank, "0", "100"}});
    Voucher stored = s.ini_modified_pz({2024, 5, number});
    stored.appendLine();
    EXPECT_TRUE(VoucherService::delete_false_row(stored));
    EXPECT_EQ(stored.lineCount(), 2);
    EXPECT_FALSE(stored.linesRemoved);
    VoucherLine line = stored.line(1);
    line.itembm = QStringLiteral("  ");
    stored.setLine(1, line);
    EXPECT_TRUE(VoucherService::delete_false_row(stored));
    EXPECT_TRUE(stored.linesRemoved);
    EXPECT_TRUE(VoucherService::is_pz_modified(stored));
}

TEST_F(VoucherTest, GeneratedVoucherCarriesItsMarkerToEveryLine)
{
    VoucherService s = service();
    Voucher voucher = s.ini_input_pz(QDate(2024, 5, 26), QDate(2024, 5, 26));
    voucher.prefill({{Cash, QStringLiteral("结转"), m("70"), Money(), QStringLiteral("sys_jzsy")},
                     {Bank, QStringLiteral("结转"), Money(), m("30"), QString()}});
    const int row = voucher.findAccount(Bank);
    ASSERT_EQ(row, 1);
    VoucherLine merged = voucher.line(row);
    merged.dfje += m("40");
    voucher.setLine(row, merged);
    EXPECT_EQ(voucher.lineCount(), 2);
    ASSERT_EQ(s.save_pz(voucher, {}).kind, VoucherSaveResult::Saved);
    const auto stored = rows(QStringLiteral("pzly"), 2024, 5, voucher.header.number);
    ASSERT_EQ(stored.size(), 2);
    EXPECT_EQ(stored[0][0].toString(), QStringLiteral("sys_jzsy"));
    EXPECT_EQ(stored[1][0].toString(), QStringLiteral("sys_jzsy"));
}

TEST_F(VoucherTest, DateAndNumberProposals)
{
    VoucherService s = service();
    EXPECT_EQ(s.firstOpeningDate(), QDate(2024, 5, 26));
    // In the current period or later: kept.
    EXPECT_EQ(s.proposeDate(QDate(2024, 5, 26), QDate(2024, 6, 15)), QDate(2024, 5, 26));
    EXPECT_EQ(s.proposeDate(QDate(2024, 7, 2), QDate(2024, 6, 15)), QDate(2024, 7, 2));
    // Earlier: today when today is in the period, else the second-to-last day of the month.
    EXPECT_EQ(s.proposeDate(QDate(2024, 4, 10), QDate(2024, 5, 14)), QDate(2024, 5, 14));
    EXPECT_EQ(s.proposeDate(QDate(2024, 4, 10), QDate(2024, 6, 15)), QDate(2024, 5, 30));
    VoucherSession december = may2024();
    december.curMonth = 12;
    EXPECT_EQ(VoucherService(db(), december).proposeDate(QDate(2024, 4, 1), QDate(2025, 1, 5)),
              QDate(2024, 12, 30));
    VoucherSession february = may2024();
    february.curMonth = 2;
    EXPECT_EQ(VoucherService(db(), february).proposeDate(QDate(), QDate(2025, 1, 5)),
              QDate(2024, 2, 28));

    save(QDate(2024, 5, 3), SimpleRows);
    save(QDate(2024, 5, 3), SimpleRows);
    const Voucher next = s.ini_input_pz(QDate(2024, 4, 10), QDate(2024, 6, 15));
    EXPECT_EQ(next.header.date, QDate(2024, 5, 30));
    EXPECT_EQ(next.header.number, 3);
    EXPECT_EQ(next.mode, Voucher::Mode::New);
    EXPECT_TRUE(VoucherService::is_pz_modified(next));
}

TEST_F(VoucherTest, NeighbourSearchesCrossMonthsAndYears)
{
    const VoucherSession early{QStringLiteral("x"), true, false, 2023, 1};
    save(QDate(2023, 12, 20), SimpleRows, 0, early);   // 2023-12 #1
    save(QDate(2024, 4, 20), SimpleRows, 0, early);    // 2024-04 #1
    save(QDate(2024, 4, 20), SimpleRows, 0, early);    // 2024-04 #2
    for (int n : {1, 2, 3})
        EXPECT_EQ(save(QDate(2024, 5, 20), SimpleRows, 0, early), n);
    save(QDate(2024, 6, 20), SimpleRows, 4, early);    // 2024-06 #4
    save(QDate(2025, 1, 20), SimpleRows, 0, early);    // 2025-01 #1

    struct Case
    {
        int year, month, kind, number;
        std::optional<VoucherKey> found;
    };
    const QList<Case> cases = {
        {2024, 5, 0, 0, VoucherKey{2024, 5, 3}},
        {2024, 3, 0, 0, std::nullopt},
        {2024, 5, 1, 1, VoucherKey{2024, 4, 2}},
        {2024, 5, 1, 3, VoucherKey{2024, 5, 2}},
        {2024, 1, 1, 1, VoucherKey{2023, 12, 1}},
        {2024, 5, 2, 3, VoucherKey{2024, 6, 4}},
        {2024, 5, 2, 1, VoucherKey{2024, 5, 2}},
        {2024, 12, 2, 0, VoucherKey{2025, 1, 1}},
        {2024, 6, 2, 4, std::nullopt},
        {2024, 5, 3, 4, VoucherKey{2024, 5, 1}},
        {2024, 6, 3, 3, std::nullopt},
        {2024, 5, 4, 2, VoucherKey{2024, 5, 3}},
        {2024, 5, 4, 4, std::nullopt},
    };
    VoucherService s = service(early);
    for (const Case &c : cases) {
        EXPECT_EQ(s.searth_one_pz(c.year, c.month, c.kind, c.number), c.found)
            << c.year << "-" << c.month << " kind " << c.kind << " n " << c.number;
    }
}

TEST_F(VoucherTest, RightsAndMakerChecks)
{
    save(QDate(2024, 5, 3), SimpleRows, 0, may2024(QStringLiteral("张三")));

    VoucherSession noRight = may2024(QStringLiteral("李四"));
    noRight.canEnterVouchers = false;
    Voucher voucher = service(noRight).ini_modified_pz({2024, 5, 1});
    EXPECT_EQ(service(noRight).save_pz(voucher, {}).check.message, VoucherMessages::NoRight);
    EXPECT_EQ(service(noRight).deleteVoucher(voucher).message(), VoucherMessages::NoRight);

    VoucherService other = service(may2024(QStringLiteral("李四")));
    EXPECT_EQ(other.checkMaker(voucher).message(), VoucherMessages::OthersVoucher);
    EXPECT_EQ(other.save_pz(voucher, {}).check.message, VoucherMessages::OthersVoucher);
    EXPECT_EQ(other.deleteVoucher(voucher).message(), VoucherMessages::OthersVoucher);

    VoucherSession allowed = may2024(QStringLiteral("李四"));
    allowed.editOthers = true;
    ASSERT_EQ(service(allowed).save_pz(voucher, {}).kind, VoucherSaveResult::Saved);
    for (const auto &row : rows(QStringLiteral("zd"), 2024, 5, 1))
        EXPECT_EQ(row[0].toString(), QStringLiteral("李四"));
}

TEST_F(VoucherTest, ReviewedVouchersCannotBeChangedOrDeleted)
{
    save(QDate(2024, 5, 3), SimpleRows);
    VoucherService s = service();
    Voucher shown = s.ini_modified_pz({2024, 5, 1});
    // Another workstation reviews the voucher while it is on screen.
    Sql::exec(db(), QStringLiteral("update account set fhbz=1, fh='王五' where kjnf=2024"));
    VoucherLine line = shown.line(0);
    line.pzzy = QStringLiteral("changed");
    shown.setLine(0, line);
    EXPECT_EQ(s.save_pz(shown, {}).check.message, VoucherMessages::CannotModify);
    EXPECT_EQ(s.deleteVoucher(shown).message(), VoucherMessages::CannotDelete);
    EXPECT_EQ(rows(QStringLiteral("pzzy"), 2024, 5, 1)[0][0].toString(), QStringLiteral("收款"));

    const Voucher reloaded = s.ini_modified_pz({2024, 5, 1});
    EXPECT_EQ(reloaded.loadedReviewed, 1);
    EXPECT_EQ(reloaded.reviewer, QStringLiteral("王五"));
    EXPECT_EQ(s.deleteVoucher(reloaded).message(), VoucherMessages::CannotDelete);

    Sql::exec(db(), QStringLiteral("update account set fhbz=0, fh='' where kjnf=2024"));
    const Voucher clean = s.ini_modified_pz({2024, 5, 1});
    EXPECT_TRUE(s.deleteVoucher(clean).ok());
    EXPECT_TRUE(rows(QStringLiteral("pzfl"), 2024, 5, 1).isEmpty());
}

TEST_F(VoucherTest, AStaleCopyOfARenumberedVoucherIsNotWrittenBack)
{
    save(QDate(2024, 5, 3), SimpleRows);
    VoucherService s = service();
    Voucher first = s.ini_modified_pz({2024, 5, 1});
    Voucher stale = s.ini_modified_pz({2024, 5, 1});
    first.header.number = 5;
    ASSERT_EQ(s.save_pz(first, {}).kind, VoucherSaveResult::Saved);

    VoucherLine line = stale.line(0);
    line.pzzy = QStringLiteral("stale");
    stale.setLine(0, line);
    const VoucherSaveResult result = s.save_pz(stale, {});
    EXPECT_EQ(result.kind, VoucherSaveResult::Refused);
    EXPECT_EQ(result.check.message, VoucherMessages::ChangedElsewhere);
    EXPECT_EQ(s.numbersOf(2024, 5), QList<int>{5});
}

TEST_F(VoucherTest, PlaceholderLinesAndOrphanCashFlowRowsAreCleanedUp)
{
    save(QDate(2024, 5, 3), SimpleRows);
    Sql::exec(db(), QStringLiteral("insert into account (kjnf,kjyf,pzbh,pzfl) values "
                                   "(9999,9999,9999,1)"));
    Sql::exec(db(), QStringLiteral("insert into xjll_workSheet (kjnf,kjyf,pzbh,bm) values "
                                   "(2024,5,1,'01'),(2024,5,2,'01'),(2024,4,2,'01')"));
    VoucherService s = service();
    s.ini_input_pz(QDate(2024, 5, 26));
    EXPECT_TRUE(rows(QStringLiteral("pzfl"), 9999, 9999, 9999).isEmpty());
    s.removeOrphanCashFlowRows();
    QSqlQuery left = Sql::exec(db(), QStringLiteral("select kjyf,pzbh from xjll_workSheet "
                                                    "order by kjyf,pzbh"));
    QList<std::pair<int, int>> kept;
    while (left.next())
        kept.append({left.value(0).toInt(), left.value(1).toInt()});
    EXPECT_EQ(kept, (QList<std::pair<int, int>>{{4, 2}, {5, 1}}));
}

TEST_F(VoucherTest, ADatabaseFailureLeavesTheVoucherAsItWas)
{
    VoucherService s = service();
    Voucher voucher = s.ini_input_pz(QDate(2024, 5, 26), QDate(2024, 5, 26));
    fill(voucher, SimpleRows);
    VoucherService::delete_false_row(voucher);
    const Voucher before = voucher;
    Sql::exec(db(), QStringLiteral("drop table pz_numbering"));
    const VoucherSaveResult result = s.save_pz(voucher, {});
    EXPECT_EQ(result.kind, VoucherSaveResult::Failed);
    EXPECT_FALSE(result.check.message.isEmpty());
    EXPECT_EQ(voucher.mode, Voucher::Mode::New);
    EXPECT_EQ(voucher.lineCount(), before.lineCount());
    EXPECT_EQ(voucher.line(0).state, RowState::Inserted);
    EXPECT_EQ(voucher.line(0).pzfl, 0);
    EXPECT_TRUE(rows(QStringLiteral("pzfl"), 2024, 5, 1).isEmpty());
}

TEST_F(VoucherTest, LineToolsAndTotals)
{
    Voucher voucher = service().ini_input_pz(QDate(2024, 5, 26), QDate(2024, 5, 26));
    fill(voucher, {{QStringLiteral("a"), Cash, "100", "0"},
                   {QStringLiteral("a"), Bank, "50", "0"},
                   {QStringLiteral("a"), Receivable, "7", "0"}});
    voucher.balanceRow(2);
    EXPECT_EQ(voucher.line(2).jfje, Money());
    EXPECT_EQ(voucher.line(2).dfje, m("150"));
    EXPECT_EQ(voucher.debitTotal(), voucher.creditTotal());
    voucher.swapSides(1);
    EXPECT_EQ(voucher.line(1).dfje, m("50"));
    voucher.balanceRow(2);
    EXPECT_EQ(voucher.line(2).dfje, m("50"));
    voucher.swapSides(0);
    voucher.balanceRow(2);
    EXPECT_EQ(voucher.line(2).jfje, m("150"));
}

TEST_F(VoucherTest, ListsShowTheLevelOneNameBeforeSubAccounts)
{
    VoucherLists lists;
    lists.load(db(), 4);
    EXPECT_EQ(lists.accountName(Cash), QStringLiteral("库存现金"));
    EXPECT_EQ(lists.accountName(Bank), QStringLiteral("银行存款/基本户"));
    Sql::exec(db(), QStringLiteral("insert into bmbm (bmbm,bmmc,parent) values "
                                   "('01','销售部',-1),('0101','一组',1),('02','财务部',-1)"));
    lists.load(db(), 4);
    QStringList departments;
    for (const VoucherLists::Entry &entry : lists.departments())
        departments << entry.code;
    EXPECT_EQ(departments, (QStringList{"0101", "02", ""}));
    EXPECT_EQ(lists.departmentName(QStringLiteral("02")), QStringLiteral("财务部"));
    EXPECT_TRUE(lists.projects().last().code.isEmpty());
}

// Several workstations save new vouchers into one month at the same moment: every voucher is
// stored, numbered 1..N without a gap or a duplicate.
TEST_F(VoucherTest, ConcurrentWritersNeverShareOrLoseANumber)
{
    constexpr int Writers = 4;
    constexpr int PerWriter = 250;
    std::atomic<int> failures = 0;
    std::vector<std::thread> threads;
    for (int w = 0; w < Writers; ++w) {
        threads.emplace_back([&, w] {
            const QString name = QStringLiteral("writer-%1").arg(w);
            {
                DbConnection connection(name, m_books.settings(), m_set.code);
                VoucherService s(connection.db(), may2024(QStringLiteral("w%1").arg(w)));
                for (int i = 0; i < PerWriter; ++i) {
                    Voucher voucher = s.ini_input_pz(QDate(2024, 5, 10), QDate(2024, 5, 10));
                    voucher.header.number = 1; // every writer types a number already taken
                    fill(voucher, SimpleRows);
                    if (!s.save_pz(voucher, {}).ok())
                        ++failures;
                }
            }
        });
    }
    for (std::thread &t : threads)
        t.join();
    EXPECT_EQ(failures.load(), 0);

    QSqlQuery query = Sql::exec(db(), QStringLiteral("select pzbh,count(*) from account where "
                                                     "kjnf=2024 and kjyf=5 group by pzbh"));
    QSet<int> numbers;
    while (query.next()) {
        numbers.insert(query.value(0).toInt());
        EXPECT_EQ(query.value(1).toInt(), 2) << "voucher " << query.value(0).toInt();
    }
    EXPECT_EQ(numbers.size(), Writers * PerWriter);
    for (int n = 1; n <= Writers * PerWriter; ++n)
        EXPECT_TRUE(numbers.contains(n)) << n;
}
