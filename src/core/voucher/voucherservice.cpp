#include "voucher/voucherservice.h"

#include "app/appcontext.h"
#include "db/dberror.h"
#include "db/sql.h"
#include "db/sqldialect.h"
#include "db/transaction.h"

#include <QDateTime>
#include <QHash>
#include <QMap>
#include <QSet>

namespace {

constexpr int BlankLinesOfNewVoucher = 10;
// A save that the database refuses for a passing reason (a busy file, a serialisation failure,
// a number taken by a writer that does not use the lock) is tried again this often.
constexpr int SaveAttempts = 5;

QString lineMessage(int row, const QString &rest)
{
    return QStringLiteral("第") + QString::number(row + 1) + QStringLiteral("行 ") + rest;
}

QVariant dateValue(const QDate &date)
{
    return date.isValid() ? QVariant(QDateTime(date, QTime(0, 0))) : QVariant();
}

QDate dateOf(const QVariant &value)
{
    if (value.isNull())
        return {};
    const QDateTime dateTime = value.toDateTime();
    if (dateTime.isValid())
        return dateTime.date();
    return QDate::fromString(value.toString().left(10), Qt::ISODate);
}

bool beforePeriod(const QDate &date, int year, int month)
{
    return date.year() < year || (date.year() == year && date.month() < month);
}

// The leaf accounts of the chart, for checking many lines with one statement: a code is a leaf
// when the code that follows it does not extend it.
QSet<QString> leafAccounts(const QSqlDatabase &db)
{
    QStringList codes;
    QSqlQuery query = Sql::exec(db, QStringLiteral("select itembm from iteminfo order by itembm"));
    while (query.next())
        codes.append(query.value(0).toString());
    QSet<QString> leaves;
    for (qsizetype i = 0; i < codes.size(); ++i) {
        const QString &code = codes.at(i);
        const bool extended = i + 1 < codes.size() && codes.at(i + 1).size() > code.size()
                              && codes.at(i + 1).startsWith(code);
        if (!extended)
            leaves.insert(code);
    }
    return leaves;
}

// The leaves among the accounts of some lines, classified with one statement as findAccount does:
// a code is a leaf when the next code of the chart does not extend it.
QSet<QString> leafAccountsOf(const QSqlDatabase &db, const QList<VoucherLine> &lines)
{
    QStringList codes;
    for (const VoucherLine &line : lines) {
        const QString code = line.itembm.trimmed();
        if (!code.isEmpty() && !codes.contains(code))
            codes.append(code);
    }
    QSet<QString> leaves;
    if (codes.isEmpty())
        return leaves;
    QStringList marks;
    QVariantList values;
    for (const QString &code : codes) {
        marks.append(QStringLiteral("?"));
        values.append(code);
    }
    QSqlQuery query = Sql::exec(
        db,
        QStringLiteral("select a.itembm, (select min(b.itembm) from iteminfo b where b.itembm > "
                       "a.itembm) from iteminfo a where a.itembm in (%1)")
            .arg(marks.join(QLatin1Char(','))),
        values);
    while (query.next()) {
        const QString code = query.value(0).toString();
        const QString next = query.value(1).toString();
        if (!(next.size() > code.size() && next.startsWith(code)))
            leaves.insert(code);
    }
    return leaves;
}

VoucherCheck checkLine(const VoucherLine &line, int row,
                       const VoucherAsk &ask, const QSet<QString> *leaves)
{
    const QString account = line.itembm.trimmed();
    if (!leaves->contains(account))
        return VoucherCheck::refuse(lineMessage(row, QStringLiteral("必须是明细科目")),
                                    VoucherField::Account, row);
    if (!line.jfje.isZero() && !line.dfje.isZero())
        return VoucherCheck::refuse(lineMessage(row, QStringLiteral("借方和贷方只能有一方不为0")),
                                    VoucherField::Debit, row);
    if (!line.wbjf.isZero() && VoucherLine::homeAmountOf(line.hl, line.wbjf) != line.jfje + line.dfje) {
        const QString question =
            lineMessage(row, QStringLiteral("外币金额乘汇率不等于本位币金额,是否继续？"));
        if (!ask || !ask(question))
            return VoucherCheck::refuse(question, VoucherField::Debit, row);
    }
    if (line.jfje.isZero() && line.dfje.isZero())
        return VoucherCheck::refuse(lineMessage(row, QStringLiteral("借方和贷方不能都为0")),
                                    VoucherField::Debit, row);
    if (line.pzzy.trimmed().isEmpty())
        return VoucherCheck::refuse(lineMessage(row, QStringLiteral("必须填写摘要")),
                                    VoucherField::Summary, row);
    return {};
}

// Walks the lines with checks 1 to 6, keeping the totals and the first accounts of each side.
VoucherCheck walkLines(const QSqlDatabase &db, const QList<VoucherLine> &lines,
                       const VoucherAsk &ask, const QSet<QString> *leaves = nullptr)
{
    QSet<QString> ownLeaves;
    if (!leaves) {
        ownLeaves = leafAccountsOf(db, lines);
        leaves = &ownLeaves;
    }
    VoucherCheck run;
    for (int row = 0; row < lines.size(); ++row) {
        const VoucherLine &line = lines.at(row);
        VoucherCheck lineCheck = checkLine(line, row, ask, leaves);
        if (!lineCheck.ok)
            return lineCheck;
        if (!line.jfje.isZero())
            run.debitTotal += line.jfje;
        else
            run.creditTotal += line.dfje;
        if (run.firstDebitAccount.isEmpty() && (line.jfje > Money() || line.dfje < Money()))
            run.firstDebitAccount = line.itembm;
        if (run.firstCreditAccount.isEmpty() && (line.jfje < Money() || line.dfje > Money()))
            run.firstCreditAccount = line.itembm;
    }
    return run;
}

QString opposite(const VoucherLine &line, const VoucherCheck &check)
{
    QString account;
    if (line.jfje > Money())
        account = check.firstCreditAccount;
    if (line.jfje < Money())
        account = check.firstDebitAccount;
    if (line.dfje > Money())
        account = check.firstDebitAccount;
    if (line.dfje < Money())
        account = check.firstCreditAccount;
    return account;
}

VoucherLine lineFromQuery(const QSqlQuery &query)
{
    VoucherLine line;
    line.kjnf = query.value(0).toInt();
    line.kjyf = query.value(1).toInt();
    line.pzbh = query.value(2).toInt();
    line.pzfl = query.value(3).toInt();
    line.rq = dateOf(query.value(4));
    line.pzzy = query.value(5).toString();
    line.itembm = query.value(6).toString();
    line.jfje = Money::fromSqlValue(query.value(7));
    line.dfje = Money::fromSqlValue(query.value(8));
    line.wbjf = Money::fromSqlValue(query.value(9));
    line.wbdf = Money::fromSqlValue(query.value(10));
    line.hl = query.value(11).toDouble();
    line.bmbm = query.value(12).toString();
    line.xmbm = query.value(13).toString();
    line.zd = query.value(14).toString();
    line.fh = query.value(15).toString();
    line.jz = query.value(16).toString();
    line.dfkm = query.value(17).toString();
    line.fjs = query.value(18).toInt();
    line.fhbz = query.value(19).toInt();
    line.jzbz = query.value(20).toInt();
    line.pzly = query.value(21).toString();
    line.xjllcf = query.value(22).toInt();
    line.total = query.value(23).toDouble();
    line.linecount = query.value(24).toInt();
    return line;
}

QVariantList insertValues(const VoucherLine &line)
{
    return {line.kjnf, line.kjyf, line.pzbh, line.pzfl, dateValue(line.rq), line.pzzy,
            line.itembm, line.jfje.toSqlValue(), line.dfje.toSqlValue(), line.wbjf.toSqlValue(),
            line.wbdf.toSqlValue(), line.hl, line.bmbm, line.xmbm, line.zd, line.fh, line.jz,
            line.dfkm, line.fjs, line.fhbz, line.jzbz, line.pzly, line.xjllcf, line.total,
            line.linecount};
}

const QString LineColumns = QStringLiteral(
    "kjnf,kjyf,pzbh,pzfl,rq,pzzy,itembm,jfje,dfje,wbjf,wbdf,hl,bmbm,xmbm,zd,fh,jz,dfkm,fjs,fhbz,"
    "jzbz,pzly,xjllcf,total,linecount");

// Inserts many lines with few round trips. PostgreSQL gets multi-row inserts; SQLite, which runs
// in the process and looks bound parameters up by position in a list, gets one prepared
// single-row insert executed per line.
class InsertBuffer
{
public:
    explicit InsertBuffer(const QSqlDatabase &db)
        : m_db(db)
        , m_rowsPerStatement(SqlDialect::of(db).provider() == Provider::PostgreSQL ? 200 : 1)
    {
    }
    void add(const VoucherLine &line)
    {
        m_rows.append(insertValues(line));
        if (m_rows.size() >= 1000)
            flush();
    }
    void flush()
    {
        if (m_rowsPerStatement == 1) {
            if (!m_rows.isEmpty())
                Sql::execBatch(m_db, statement(1), m_rows);
            m_rows.clear();
            return;
        }
        for (qsizetype first = 0; first < m_rows.size(); first += m_rowsPerStatement) {
            const qsizetype count = qMin<qsizetype>(m_rowsPerStatement, m_rows.size() - first);
            QVariantList values;
            for (qsizetype i = first; i < first + count; ++i)
                values.append(m_rows.at(i));
            Sql::exec(m_db, statement(int(count)), values);
        }
        m_rows.clear();
    }

private:
    static QString statement(int rows)
    {
        static const QString row =
            QStringLiteral("(?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?)");
        QStringList all;
        for (int i = 0; i < rows; ++i)
            all.append(row);
        return QStringLiteral("insert into account (%1) values %2")
            .arg(LineColumns, all.join(QLatin1Char(',')));
    }

    QSqlDatabase m_db;
    int m_rowsPerStatement;
    QList<QVariantList> m_rows;
};

// A refusal found inside the save transaction; it rolls the transaction back.
struct SaveRefusal
{
    VoucherCheck check;
};

} // namespace

VoucherSession VoucherSession::fromAppContext()
{
    VoucherSession session;
    session.operatorName = AppContext.OperatorName;
    session.canEnterVouchers = AppContext.CanEnterVouchers == QLatin1String("1");
    session.editOthers = AppContext.EditOthers != 0;
    session.curYear = AppContext.CurYear;
    session.curMonth = AppContext.CurMonth;
    return session;
}

VoucherService::VoucherService(const QSqlDatabase &db, VoucherSession session)
    : m_db(db), m_session(std::move(session))
{
}

int VoucherService::max_pzbh(int requested, const QDate &date) const
{
    if (requested != 0
        && !Sql::exec(m_db,
                      QStringLiteral("select pzbh from account where kjnf=? and kjyf=? and pzbh=?"),
                      {date.year(), date.month(), requested})
                .next()) {
        return requested;
    }
    const QVariant highest = Sql::scalar(
        m_db, QStringLiteral("select max(pzbh) from account where kjnf=? and kjyf=?"),
        {date.year(), date.month()});
    return highest.isNull() ? 1 : highest.toInt() + 1;
}

std::optional<VoucherKey> VoucherService::searth_one_pz(int year, int month, int kind,
                                                         int number) const
{
    const auto one = [this](const QString &aggregate, int y, int m, const QString &condition,
                            std::optional<int> n) -> std::optional<VoucherKey> {
        QString statement = QStringLiteral("select %1(pzbh) from account where kjnf=? and kjyf=?")
                                .arg(aggregate);
        QVariantList values{y, m};
        if (n) {
            statement += QStringLiteral(" and pzbh ") + condition + QStringLiteral(" ?");
            values.append(*n);
        }
        const QVariant found = Sql::scalar(m_db, statement, values);
        if (found.isNull())
            return std::nullopt;
        return VoucherKey{y, m, found.toInt()};
    };
    const auto monthBefore = [&]() {
        return month == 1 ? std::pair{year - 1, 12} : std::pair{year, month - 1};
    };
    const auto monthAfter = [&]() {
        return month == 12 ? std::pair{year + 1, 1} : std::pair{year, month + 1};
    };
    const QString max = QStringLiteral("max");
    const QString min = QStringLiteral("min");
    switch (kind) {
    case 0:
    case 1: {
        auto found = kind == 0 ? one(max, year, month, {}, std::nullopt)
                               : one(max, year, month, QStringLiteral("<"), number);
        if (found)
            return found;
        const auto [y, m] = monthBefore();
        return one(max, y, m, {}, std::nullopt);
    }
    case 2: {
        if (auto found = one(min, year, month, QStringLiteral(">"), number))
            return found;
        const auto [y, m] = monthAfter();
        return one(min, y, m, {}, std::nullopt);
    }
    case 3:
        return one(min, year, month, QStringLiteral("<="), number);
    case 4:
        return one(max, year, month, QStringLiteral(">="), number);
    default:
        return std::nullopt;
    }
}

QDate VoucherService::firstOpeningDate() const
{
    return QDate(m_session.curYear, m_session.curMonth, 26);
}

QDate VoucherService::proposeDate(const QDate &editorDate, const QDate &today) const
{
    if (editorDate.isValid() && !beforePeriod(editorDate, m_session.curYear, m_session.curMonth))
        return editorDate;
    if (today.year() == m_session.curYear && today.month() == m_session.curMonth)
        return today;
    return QDate(m_session.curYear, m_session.curMonth, 1).addMonths(1).addDays(-2);
}

QList<VoucherLine> VoucherService::readLines(const VoucherKey &key) const
{
    QSqlQuery query = Sql::exec(
        m_db,
        QStringLiteral("select %1 from account where kjnf=? and kjyf=? and pzbh=? order by pzfl")
            .arg(LineColumns),
        {key.year, key.month, key.number});
    QList<VoucherLine> lines;
    while (query.next())
        lines.append(lineFromQuery(query));
    return lines;
}

Voucher VoucherService::ini_input_pz(const QDate &editorDate, const QDate &today) const
{
    Voucher voucher;
    voucher.header.date = proposeDate(editorDate, today);
    voucher.header.number = max_pzbh(0, voucher.header.date);
    voucher.header.attachments = 0;
    const VoucherKey placeholder = VoucherKey::placeholder();
    Sql::exec(m_db, QStringLiteral("delete from account where kjnf=? and kjyf=? and pzbh=?"),
              {placeholder.year, placeholder.month, placeholder.number});
    for (int i = 0; i < BlankLinesOfNewVoucher; ++i)
        voucher.appendLine();
    voucher.mode = Voucher::Mode::New;
    voucher.loadedKey = placeholder;
    return voucher;
}

Voucher VoucherService::ini_modified_pz(const VoucherKey &key) const
{
    Voucher voucher;
    voucher.setStoredLines(readLines(key));
    voucher.mode = Voucher::Mode::Stored;
    voucher.loadedKey = key;
    voucher.header.number = key.number;
    if (voucher.lineCount() > 0) {
        const VoucherLine &first = voucher.line(0);
        voucher.header.date = first.rq;
        voucher.header.attachments = first.fjs;
        voucher.loadedReviewed = first.fhbz;
        voucher.loadedPosted = first.jzbz;
        voucher.maker = first.zd;
        voucher.reviewer = first.fh;
        voucher.poster = first.jz;
    }
    voucher.loadedDate = voucher.header.date;
    voucher.loadedAttachments = voucher.header.attachments;
    return voucher;
}

bool VoucherService::delete_false_row(Voucher &voucher)
{
    for (int row = voucher.lineCount() - 1; row >= 0; --row) {
        if (voucher.line(row).itembm.trimmed().isEmpty())
            voucher.removeLine(row);
    }
    return voucher.lineCount() > 0;
}

bool VoucherService::is_pz_modified(const Voucher &voucher)
{
    return voucher.mode == Voucher::Mode::New || voucher.linesRemoved || voucher.hasLineChanges()
           || voucher.header.number != voucher.loadedKey.number
           || voucher.header.attachments != voucher.loadedAttachments
           || voucher.header.date != voucher.loadedDate;
}

bool VoucherService::is_xjkmpz(const Voucher &voucher) const
{
    for (const VoucherLine &line : voucher.lines()) {
        if (line.itembm.trimmed().isEmpty())
            continue;
        const QVariant flag =
            Sql::scalar(m_db, QStringLiteral("select xjll from iteminfo where itembm=?"),
                        {line.itembm.trimmed()});
        if (flag.toInt() == 1)
            return true;
    }
    return false;
}

Status VoucherService::checkMaker(const Voucher &voucher) const
{
    if (voucher.mode == Voucher::Mode::New || m_session.editOthers || voucher.lineCount() == 0)
        return Done{};
    const QString maker = voucher.line(0).zd;
    if (maker.isEmpty() || maker == m_session.operatorName)
        return Done{};
    return Refusal{VoucherMessages::OthersVoucher};
}

VoucherCheck CheckVoucherLines(const QSqlDatabase &db, const QList<VoucherLine> &lines,
                               const VoucherAsk &ask)
{
    VoucherCheck run = walkLines(db, lines, ask);
    if (!run.ok)
        return run;
    if (run.debitTotal.toPlain() != run.creditTotal.toPlain())
        return VoucherCheck::refuse(VoucherMessages::Unbalanced);
    return run;
}

VoucherCheck VoucherService::input_vali_pz(const Voucher &voucher, const VoucherAsk &ask) const
{
    return validate(voucher, ask, nullptr);
}

VoucherCheck VoucherService::validate(const Voucher &voucher, const VoucherAsk &ask,
                                      const QSet<QString> *leaves) const
{
    VoucherCheck run = walkLines(m_db, voucher.lines(), ask, leaves);
    if (!run.ok)
        return run;
    const VoucherHeader &header = voucher.header;
    const auto refuse = [&run](const QString &message, VoucherField field = VoucherField::None) {
        VoucherCheck refusal = VoucherCheck::refuse(message, field);
        refusal.debitTotal = run.debitTotal;
        refusal.creditTotal = run.creditTotal;
        return refusal;
    };
    if (header.date.isValid()
        && beforePeriod(header.date, m_session.curYear, m_session.curMonth))
        return refuse(VoucherMessages::BeforePeriod, VoucherField::Date);
    if (header.number <= 0)
        return refuse(VoucherMessages::NumberNotPositive, VoucherField::Number);
    if (!header.date.isValid())
        return refuse(VoucherMessages::NoDate, VoucherField::Date);
    // The number editor stops at 9999; a month that is full refuses further vouchers.
    if (header.number > 9999)
        return refuse(VoucherMessages::NumberUsed, VoucherField::Number);
    if (run.debitTotal.toPlain() != run.creditTotal.toPlain())
        return refuse(VoucherMessages::Unbalanced);
    if (voucher.loadedReviewed != 0 || voucher.loadedPosted != 0)
        return refuse(VoucherMessages::CannotModify);
    if (voucher.mode == Voucher::Mode::Stored) {
        QSqlQuery query = Sql::exec(
            m_db,
            QStringLiteral("select distinct kjnf,kjyf,pzbh from account where kjnf=? and kjyf=? "
                           "and pzbh=?"),
            {header.date.year(), header.date.month(), header.number});
        const VoucherKey wanted{header.date.year(), header.date.month(), header.number};
        if (query.next() && !(wanted == voucher.loadedKey))
            return refuse(VoucherMessages::NumberUsed, VoucherField::Number);
    }
    return run;
}

void VoucherService::input_save_pz(Voucher &voucher, const VoucherCheck &check) const
{
    if (voucher.lineCount() == 0)
        return;
    const QString origin = voucher.line(0).pzly;
    const VoucherHeader &header = voucher.header;
    for (int row = 0; row < voucher.lineCount(); ++row) {
        VoucherLine line = voucher.line(row);
        line.pzbh = header.number;
        line.rq = header.date;
        line.kjnf = header.date.year();
        line.kjyf = header.date.month();
        line.fjs = header.attachments;
        line.zd = m_session.operatorName;
        line.pzfl = row + 1;
        line.pzly = origin;
        line.linecount = voucher.lineCount();
        line.total = double(check.debitTotal.cents()) / 100.0;
        line.dfkm = opposite(line, check);
        voucher.setLine(row, line);
    }
}

// Inside the save transaction: takes the month's numbering lock, settles a new voucher's
// number under it and re-checks what another workstation may have changed since the checks.
int VoucherService::lockedNumber(int requested, const QDate &date) const
{
    // The upsert holds the month's row until commit: every other save into the month waits here,
    // and sees the vouchers committed before it once it goes on.
    Sql::exec(m_db,
              QStringLiteral("insert into pz_numbering (kjnf,kjyf,saves) values (?,?,1) "
                             "on conflict (kjnf,kjyf) do update set saves=pz_numbering.saves+1"),
              {date.year(), date.month()});
    // max_pzbh in one statement: the month's highest number and whether `requested` is taken.
    QSqlQuery query = Sql::exec(
        m_db,
        QStringLiteral("select max(pzbh), max(case when pzbh=? then 1 else 0 end) from account "
                       "where kjnf=? and kjyf=?"),
        {requested, date.year(), date.month()});
    query.next();
    const bool taken = query.value(1).toInt() == 1;
    if (requested != 0 && !taken)
        return requested;
    return query.value(0).isNull() ? 1 : query.value(0).toInt() + 1;
}

void VoucherService::writeVoucher(Voucher &voucher, const VoucherCheck &check) const
{
    Transaction transaction(m_db);
    writeInTransaction(voucher, check);
    transaction.commit();
}

void VoucherService::writeInTransaction(Voucher &voucher, const VoucherCheck &check) const
{
    const int settled = lockedNumber(voucher.header.number, voucher.header.date);
    if (voucher.mode == Voucher::Mode::New) {
        if (settled > 9999)
            throw SaveRefusal{VoucherCheck::refuse(VoucherMessages::NumberUsed,
                                                   VoucherField::Number)};
        voucher.header.number = settled;
    } else {
        const VoucherKey &loaded = voucher.loadedKey;
        QSqlQuery stored = Sql::exec(
            m_db,
            QStringLiteral("select max(fhbz)+max(jzbz), count(*) from account where kjnf=? and "
                           "kjyf=? and pzbh=?"),
            {loaded.year, loaded.month, loaded.number});
        stored.next();
        if (stored.value(0).toInt() != 0)
            throw SaveRefusal{VoucherCheck::refuse(VoucherMessages::CannotModify)};
        // Another workstation renumbered, deleted or re-saved the voucher since it was read:
        // writing the lines read then would duplicate it or lose the other change.
        qsizetype readLines = voucher.deletedLines().size();
        for (const VoucherLine &line : voucher.lines())
            readLines += line.isStored() ? 1 : 0;
        if (stored.value(1).toLongLong() != readLines)
            throw SaveRefusal{VoucherCheck::refuse(VoucherMessages::ChangedElsewhere)};
        const VoucherKey wanted{voucher.header.date.year(), voucher.header.date.month(),
                                voucher.header.number};
        if (!(wanted == loaded) && settled != voucher.header.number)
            throw SaveRefusal{VoucherCheck::refuse(VoucherMessages::NumberUsed,
                                                   VoucherField::Number)};
    }
    input_save_pz(voucher, check);

    QList<QVariantList> removals;
    for (const VoucherLine &line : voucher.deletedLines())
        removals.append({(*line.storedKey)[0], (*line.storedKey)[1], (*line.storedKey)[2],
                         (*line.storedKey)[3]});
    for (const VoucherLine &line : voucher.lines()) {
        if (line.isStored())
            removals.append({(*line.storedKey)[0], (*line.storedKey)[1], (*line.storedKey)[2],
                             (*line.storedKey)[3]});
    }
    if (!removals.isEmpty()) {
        Sql::execBatch(m_db,
                       QStringLiteral("delete from account where kjnf=? and kjyf=? and pzbh=? "
                                      "and pzfl=?"),
                       removals);
    }
    InsertBuffer inserts(m_db);
    for (const VoucherLine &line : voucher.lines())
        inserts.add(line);
    inserts.flush();
}

// The steps of a save before the database is touched: right, maker, blank lines and checks.
// Sets `result` to the outcome when the save goes no further.
VoucherCheck VoucherService::prepare(Voucher &voucher, const VoucherAsk &ask,
                                     VoucherSaveResult *result,
                                     const QSet<QString> *leaves) const
{
    const auto stop = [result](VoucherSaveResult::Kind kind, const VoucherCheck &check) {
        result->kind = kind;
        result->check = check;
        return check;
    };
    if (!m_session.canEnterVouchers)
        return stop(VoucherSaveResult::Refused, VoucherCheck::refuse(VoucherMessages::NoRight));
    if (voucher.mode == Voucher::Mode::Stored && voucher.lineCount() > 0 && !m_session.editOthers) {
        const QString maker = voucher.line(0).zd;
        if (!maker.isEmpty() && maker != m_session.operatorName)
            return stop(VoucherSaveResult::Refused,
                        VoucherCheck::refuse(VoucherMessages::OthersVoucher));
    }
    if (!delete_false_row(voucher))
        return stop(VoucherSaveResult::NothingToSave, VoucherCheck::refuse(QString()));
    const VoucherCheck check = validate(voucher, ask, leaves);
    if (!check.ok)
        return stop(VoucherSaveResult::Refused, check);
    return check;
}

void VoucherService::finishSave(Voucher &voucher) const
{
    voucher.markAllStored();
    const VoucherLine &first = voucher.line(0);
    voucher.mode = Voucher::Mode::Stored;
    voucher.loadedKey = {first.kjnf, first.kjyf, first.pzbh};
    voucher.loadedDate = first.rq;
    voucher.loadedAttachments = first.fjs;
    voucher.loadedReviewed = 0;
    voucher.loadedPosted = 0;
    voucher.linesRemoved = false;
    voucher.maker = m_session.operatorName;
}

VoucherSaveResult VoucherService::save_pz(Voucher &voucher, const VoucherAsk &ask) const
{
    VoucherSaveResult result;
    const VoucherCheck check = prepare(voucher, ask, &result);
    if (!check.ok)
        return result;
    for (int attempt = 1;; ++attempt) {
        // Work on a copy: a failed write leaves the voucher exactly as the user left it.
        Voucher written = voucher;
        try {
            writeVoucher(written, check);
            voucher = written;
            break;
        } catch (const SaveRefusal &refusal) {
            result.kind = VoucherSaveResult::Refused;
            result.check = refusal.check;
            return result;
        } catch (const DbError &error) {
            if (attempt < SaveAttempts)
                continue;
            result.kind = VoucherSaveResult::Failed;
            result.check = VoucherCheck::refuse(error.message());
            return result;
        }
    }
    finishSave(voucher);
    return result;
}

VoucherSaveResult VoucherService::saveAll(QList<Voucher> &vouchers, const VoucherAsk &ask,
                                          int *failedIndex) const
{
    VoucherSaveResult result;
    QList<Voucher> written = vouchers;
    QList<VoucherCheck> checks;
    const QSet<QString> leaves = leafAccounts(m_db);
    for (int i = 0; i < written.size(); ++i) {
        VoucherSaveResult one;
        checks.append(prepare(written[i], ask, &one, &leaves));
        if (one.kind == VoucherSaveResult::Refused) {
            if (failedIndex)
                *failedIndex = i;
            return one;
        }
    }
    // Per month touched: the numbers in use, read once under the month's lock.
    QHash<int, QSet<int>> used;
    QHash<int, int> highest;
    const auto lockMonth = [&](const QDate &date) {
        const int month = date.year() * 12 + date.month();
        if (!used.contains(month)) {
            lockedNumber(0, date);
            QSet<int> &numbers = used[month];
            int &top = highest[month];
            for (const int number : numbersOf(date.year(), date.month())) {
                numbers.insert(number);
                top = qMax(top, number);
            }
        }
    };
    const auto settle = [&](const QDate &date, int requested) {
        const int month = date.year() * 12 + date.month();
        QSet<int> &numbers = used[month];
        int &top = highest[month];
        const int number = requested != 0 && !numbers.contains(requested) ? requested : top + 1;
        numbers.insert(number);
        top = qMax(top, number);
        return number;
    };
    int current = 0;
    try {
        Transaction transaction(m_db);
        // Months are locked in ascending order: two imports into the same months queue and
        // never deadlock.
        QMap<int, QDate> months;
        for (const Voucher &voucher : std::as_const(written))
            months.insert(voucher.header.date.year() * 12 + voucher.header.date.month(),
                          voucher.header.date);
        for (const QDate &date : std::as_const(months))
            lockMonth(date);
        InsertBuffer inserts(m_db);
        for (; current < written.size(); ++current) {
            Voucher &voucher = written[current];
            if (voucher.lineCount() == 0)
                continue;
            voucher.header.number = settle(voucher.header.date, voucher.header.number);
            if (voucher.header.number > 9999)
                throw SaveRefusal{VoucherCheck::refuse(VoucherMessages::NumberUsed,
                                                       VoucherField::Number)};
            input_save_pz(voucher, checks[current]);
            for (const VoucherLine &line : voucher.lines())
                inserts.add(line);
        }
        inserts.flush();
        transaction.commit();
    } catch (const SaveRefusal &refusal) {
        if (failedIndex)
            *failedIndex = current;
        result.kind = VoucherSaveResult::Refused;
        result.check = refusal.check;
        return result;
    } catch (const DbError &error) {
        if (failedIndex)
            *failedIndex = qMin(current, int(written.size()) - 1);
        result.kind = VoucherSaveResult::Failed;
        result.check = VoucherCheck::refuse(error.message());
        return result;
    }
    for (Voucher &voucher : written) {
        if (voucher.lineCount() > 0)
            finishSave(voucher);
    }
    vouchers = written;
    return result;
}

QList<int> VoucherService::numbersOf(int year, int month) const
{
    QSqlQuery query = Sql::exec(
        m_db,
        QStringLiteral("select distinct pzbh from account where kjnf=? and kjyf=? order by pzbh"),
        {year, month});
    QList<int> numbers;
    while (query.next())
        numbers.append(query.value(0).toInt());
    return numbers;
}

Status VoucherService::checkDeletable(const Voucher &voucher) const
{
    if (!m_session.canEnterVouchers)
        return Refusal{VoucherMessages::NoRight};
    if (Status maker = checkMaker(voucher); !maker)
        return maker;
    if (voucher.loadedReviewed != 0 || voucher.loadedPosted != 0)
        return Refusal{VoucherMessages::CannotDelete};
    return Done{};
}

Status VoucherService::deleteVoucher(const Voucher &voucher) const
{
    if (Status deletable = checkDeletable(voucher); !deletable)
        return deletable;
    if (voucher.mode == Voucher::Mode::New)
        return Done{};
    const VoucherKey &key = voucher.loadedKey;
    Transaction transaction(m_db);
    // Another workstation may have reviewed or posted the voucher since it was shown.
    const QVariant flags = Sql::scalar(
        m_db,
        QStringLiteral("select max(fhbz)+max(jzbz) from account where kjnf=? and kjyf=? and "
                       "pzbh=?"),
        {key.year, key.month, key.number});
    if (flags.toInt() != 0)
        return Refusal{VoucherMessages::CannotDelete};
    Sql::exec(m_db, QStringLiteral("delete from account where kjnf=? and kjyf=? and pzbh=?"),
              {key.year, key.month, key.number});
    transaction.commit();
    return Done{};
}

void VoucherService::removeOrphanCashFlowRows() const
{
    Sql::exec(m_db,
              QStringLiteral("delete from xjll_workSheet where kjnf=? and kjyf=? and pzbh not in "
                             "(select distinct pzbh from account where kjnf=? and kjyf=?)"),
              {m_session.curYear, m_session.curMonth, m_session.curYear, m_session.curMonth});
}
