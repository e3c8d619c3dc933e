#include "cli/voucherscommands.h"

#include "app/appcontext.h"
#include "app/syspublic.h"
#include "cli/clisession.h"
#include "voucher/voucherlists.h"
#include "voucher/voucherservice.h"

#include <QFile>

namespace {

constexpr int EnterVouchersRight = 1; // bz1 凭证录入
constexpr int QueryVouchersRight = 2; // bz2 凭证查询
constexpr int SummaryMaxLength = 40;  // what the entry screen's summary cell accepts
const QString EnteredLogText = QStringLiteral("进入录入凭证");

int usage(QTextStream &err)
{
    err << "用法：lanx-cli vouchers add --date 日期 [--number 凭证号] [--attachments 附件数] "
           "[--yes] --line \"摘要|科目|借方|贷方[|部门|项目|外币|汇率]\" ... | import 文件 [--yes] | "
           "list --year 年 --month 月 | show 年 月 号 | delete 年 月 号 --yes\n";
    return ExitUsage;
}

int bad(QTextStream &err, const QString &message)
{
    err << message << '\n';
    return ExitUsage;
}

int refused(QTextStream &err, const QString &message)
{
    err << message << '\n';
    return ExitRefused;
}

bool hasFlag(const CliArgs &args, const QString &flag)
{
    return args.rest().contains(flag);
}

// The rest without options and their values; --yes takes no value.
QStringList positional(const CliArgs &args)
{
    QStringList values;
    const QStringList &rest = args.rest();
    for (qsizetype i = 0; i < rest.size(); ++i) {
        if (rest.at(i) == QLatin1String("--yes"))
            continue;
        if (rest.at(i).startsWith(QLatin1String("--")))
            ++i;
        else
            values.append(rest.at(i));
    }
    return values;
}

// Every value that follows `option` in the rest, in order.
QStringList allOptions(const CliArgs &args, const QString &option)
{
    QStringList values;
    const QStringList &rest = args.rest();
    for (qsizetype i = 0; i + 1 < rest.size(); ++i) {
        if (rest.at(i) == option)
            values.append(rest.at(++i));
    }
    return values;
}

std::optional<int> wholeNumber(const QString &text, int low, int high)
{
    bool ok = false;
    const int value = text.trimmed().toInt(&ok);
    if (!ok || value < low || value > high)
        return std::nullopt;
    return value;
}

std::optional<QDate> parseDate(const QString &text)
{
    const QDate date = QDate::fromString(text.trimmed(), Qt::ISODate);
    if (!date.isValid())
        return std::nullopt;
    return date;
}

std::optional<Money> amount(const QString &text)
{
    if (text.trimmed().isEmpty())
        return Money();
    return Money::parse(text.trimmed());
}

// One voucher line from its fields: 摘要, 科目, 借方, 贷方 and optionally 部门, 项目, 外币, 汇率.
// Returns the reason when a field is not acceptable.
QString parseLine(const QStringList &fields, VoucherLine *line)
{
    if (fields.size() < 4 || fields.size() > 8)
        return QStringLiteral("分录须有4到8个字段：摘要|科目|借方|贷方[|部门|项目|外币|汇率]");
    line->pzzy = fields.at(0).trimmed();
    if (line->pzzy.size() > SummaryMaxLength)
        return QStringLiteral("摘要不能超过%1个字：%2").arg(SummaryMaxLength).arg(line->pzzy);
    line->itembm = fields.at(1).trimmed();
    const auto readMoney = [&fields](int index, Money *target) {
        if (index >= fields.size())
            return true;
        const std::optional<Money> value = amount(fields.at(index));
        if (value)
            *target = *value;
        return value.has_value();
    };
    if (!readMoney(2, &line->jfje) || !readMoney(3, &line->dfje) || !readMoney(6, &line->wbjf))
        return QStringLiteral("金额无效（最多两位小数，不超过decimal(18,2)）：%1")
            .arg(fields.join(QLatin1Char('|')));
    if (fields.size() > 4)
        line->bmbm = fields.at(4).trimmed();
    if (fields.size() > 5)
        line->xmbm = fields.at(5).trimmed();
    if (fields.size() > 7 && !fields.at(7).trimmed().isEmpty()) {
        bool ok = false;
        line->hl = fields.at(7).trimmed().toDouble(&ok);
        if (!ok || line->hl < 0)
            return QStringLiteral("汇率无效：%1").arg(fields.at(7));
    }
    return {};
}

// Splits one CSV record (RFC 4180 quoting); `complete` is false while a quoted field spans lines.
QStringList csvFields(const QString &record, bool *complete)
{
    QStringList fields;
    QString field;
    bool quoted = false;
    for (qsizetype i = 0; i < record.size(); ++i) {
        const QChar c = record.at(i);
        if (quoted) {
            const bool doubled = i + 1 < record.size() && record.at(i + 1) == QLatin1Char('"');
            if (c == QLatin1Char('"') && doubled) {
                field += c;
                ++i;
            } else if (c == QLatin1Char('"')) {
                quoted = false;
            } else {
                field += c;
            }
        } else if (c == QLatin1Char('"')) {
            quoted = true;
        } else if (c == QLatin1Char(',')) {
            fields.append(field);
            field.clear();
        } else {
            field += c;
        }
    }
    fields.append(field);
    *complete = !quoted;
    return fields;
}

VoucherService serviceOf(CliSession &session)
{
    AppContext.CanEnterVouchers = QStringLiteral("1"); // the login required bz1
    return VoucherService(session.set(), VoucherSession::fromAppContext());
}

VoucherAsk answers(const CliArgs &args)
{
    const bool yes = hasFlag(args, QStringLiteral("--yes"));
    return [yes](const QString &) { return yes; };
}

// Where a refusal points, for the user of a script.
QString placeOf(const VoucherCheck &check)
{
    if (check.row >= 0)
        return QStringLiteral("（第%1条分录）").arg(check.row + 1);
    return {};
}

int reportSave(const VoucherSaveResult &result, QTextStream &err, const QString &context = {})
{
    if (result.kind == VoucherSaveResult::Failed) {
        err << context << "凭证保存失败：" << result.check.message << '\n';
        return ExitFailure;
    }
    if (!context.isEmpty() || result.check.row >= 0)
        err << context << placeOf(result.check) << '\n';
    return refused(err, result.check.message);
}

void printKeyHeader(QTextStream &out)
{
    out << "kjnf\tkjyf\tpzbh\n";
}

int addVoucher(CliSession &session, const CliArgs &args, QTextStream &out, QTextStream &err)
{
    const std::optional<QString> dateText = args.option(QStringLiteral("--date"));
    const QStringList lineTexts = allOptions(args, QStringLiteral("--line"));
    if (!dateText || lineTexts.isEmpty())
        return usage(err);
    const std::optional<QDate> date = parseDate(*dateText);
    if (!date)
        return bad(err, QStringLiteral("日期无效：%1").arg(*dateText));
    WriteOpLog(EnteredLogText);
    const VoucherService service = serviceOf(session);
    Voucher voucher = service.ini_input_pz(*date);
    voucher.header.date = *date; // the date given stands; the checks judge it
    voucher.header.number = service.max_pzbh(0, *date);
    if (const auto number = args.option(QStringLiteral("--number"))) {
        const std::optional<int> value = wholeNumber(*number, 0, 9999);
        if (!value)
            return bad(err, QStringLiteral("凭证号无效：%1").arg(*number));
        voucher.header.number = *value;
    }
    if (const auto attachments = args.option(QStringLiteral("--attachments"))) {
        const std::optional<int> value = wholeNumber(*attachments, 0, 999);
        if (!value)
            return bad(err, QStringLiteral("附件数无效：%1").arg(*attachments));
        voucher.header.attachments = *value;
    }
    voucher.clearLines();
    for (const QString &text : lineTexts) {
        VoucherLine line;
        const QString problem = parseLine(text.split(QLatin1Char('|')), &line);
        if (!problem.isEmpty())
            return bad(err, problem);
        voucher.setLine(voucher.appendLine(), line);
    }
    const VoucherSaveResult result = service.save_pz(voucher, answers(args));
    if (result.kind == VoucherSaveResult::NothingToSave)
        return refused(err, QStringLiteral("凭证没有分录"));
    if (!result.ok())
        return reportSave(result, err);
    printKeyHeader(out);
    out << voucher.loadedKey.year << '\t' << voucher.loadedKey.month << '\t'
        << voucher.loadedKey.number << '\n';
    return ExitOk;
}

// The file: one voucher line per record, "日期,凭证号,摘要,科目,借方,贷方[,部门,项目,外币,汇率]",
// optionally under a header line. Consecutive records with the same date and number form one
// voucher. The whole file is imported in one transaction, or nothing of it.
int importVouchers(CliSession &session, const CliArgs &args, QTextStream &out, QTextStream &err)
{
    const QStringList files = positional(args);
    if (files.size() != 1)
        return usage(err);
    QFile file(files.first());
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        err << "无法打开文件：" << files.first() << '\n';
        return ExitFailure;
    }
    WriteOpLog(EnteredLogText);
    const VoucherService service = serviceOf(session);
    QTextStream in(&file);
    in.setEncoding(QStringConverter::Utf8);

    QList<Voucher> vouchers;
    QList<int> firstRecordOf;
    QDate lastDate;
    QString lastNumber;
    int recordNo = 0;
    QString pending;
    while (!in.atEnd()) {
        QString text = in.readLine();
        if (!pending.isEmpty())
            text = pending + QLatin1Char('\n') + text;
        bool complete = true;
        QStringList fields = csvFields(text, &complete);
        if (!complete) {
            pending = text;
            continue;
        }
        pending.clear();
        ++recordNo;
        if (text.trimmed().isEmpty())
            continue;
        const std::optional<QDate> date = parseDate(fields.value(0));
        if (!date) {
            if (recordNo == 1)
                continue; // the header line
            return bad(err, QStringLiteral("第%1行：日期无效：%2").arg(recordNo).arg(fields.value(0)));
        }
        const QString numberText = fields.value(1).trimmed();
        const std::optional<int> number = wholeNumber(numberText, 0, 9999);
        if (!number)
            return bad(err, QStringLiteral("第%1行：凭证号无效：%2").arg(recordNo).arg(numberText));
        VoucherLine line;
        const QString problem = parseLine(fields.mid(2), &line);
        if (!problem.isEmpty())
            return bad(err, QStringLiteral("第%1行：").arg(recordNo) + problem);
        if (vouchers.isEmpty() || *date != lastDate || numberText != lastNumber) {
            Voucher voucher;
            voucher.mode = Voucher::Mode::New;
            voucher.loadedKey = VoucherKey::placeholder();
            voucher.header.date = *date;
            voucher.header.number = *number;
            vouchers.append(voucher);
            firstRecordOf.append(recordNo);
            lastDate = *date;
            lastNumber = numberText;
        }
        Voucher &voucher = vouchers.last();
        voucher.setLine(voucher.appendLine(), line);
    }
    if (!pending.isEmpty())
        return bad(err, QStringLiteral("文件结尾的引号没有配对"));

    int failed = -1;
    const VoucherSaveResult result = service.saveAll(vouchers, answers(args), &failed);
    if (!result.ok()) {
        const Voucher &voucher = vouchers.value(failed);
        return reportSave(result, err,
                          QStringLiteral("第%1行起的凭证 %2 %3：")
                              .arg(firstRecordOf.value(failed))
                              .arg(voucher.header.date.toString(Qt::ISODate))
                              .arg(voucher.header.number));
    }
    int lines = 0;
    for (const Voucher &voucher : vouchers)
        lines += voucher.lineCount();
    out << "vouchers\tlines\n" << vouchers.size() << '\t' << lines << '\n';
    return ExitOk;
}

std::optional<VoucherKey> keyOf(const CliArgs &args)
{
    const QStringList values = positional(args);
    if (values.size() != 3)
        return std::nullopt;
    const auto year = wholeNumber(values.at(0), 1, 9999);
    const auto month = wholeNumber(values.at(1), 1, 12);
    const auto number = wholeNumber(values.at(2), 0, 9999);
    if (!year || !month || !number)
        return std::nullopt;
    return VoucherKey{*year, *month, *number};
}

int listVouchers(CliSession &session, const CliArgs &args, QTextStream &out, QTextStream &err)
{
    const auto year = wholeNumber(args.option(QStringLiteral("--year")).value_or(QString()), 1,
                                  9999);
    const auto month = wholeNumber(args.option(QStringLiteral("--month")).value_or(QString()), 1,
                                   12);
    if (!year || !month)
        return usage(err);
    const VoucherService service(session.set(), VoucherSession::fromAppContext());
    out << "kjnf\tkjyf\tpzbh\trq\tfjs\tlinecount\tjfje\tdfje\tzd\tfh\tjz\tfhbz\tjzbz\tpzly\n";
    for (const int number : service.numbersOf(*year, *month)) {
        const Voucher voucher = service.ini_modified_pz({*year, *month, number});
        const VoucherLine &first = voucher.line(0);
        out << *year << '\t' << *month << '\t' << number << '\t'
            << first.rq.toString(Qt::ISODate) << '\t' << first.fjs << '\t' << voucher.lineCount()
            << '\t' << voucher.debitTotal().toFixed() << '\t' << voucher.creditTotal().toFixed()
            << '\t' << first.zd << '\t' << first.fh << '\t' << first.jz << '\t' << first.fhbz
            << '\t' << first.jzbz << '\t' << first.pzly << '\n';
    }
    return ExitOk;
}

int showVoucher(CliSession &session, const CliArgs &args, QTextStream &out, QTextStream &err)
{
    const std::optional<VoucherKey> key = keyOf(args);
    if (!key)
        return usage(err);
    const VoucherService service(session.set(), VoucherSession::fromAppContext());
    Voucher voucher = service.ini_modified_pz(*key);
    if (voucher.lineCount() == 0)
        return refused(err, QStringLiteral("凭证不存在：%1-%2 %3")
                                .arg(key->year).arg(key->month).arg(key->number));
    VoucherLists lists;
    lists.load(session.set(), AppContext.LevelLen1);
    lists.fillNames(voucher);
    out << "kjnf\tkjyf\tpzbh\tpzfl\trq\tfjs\tpzzy\titembm\tkmmc\tjfje\tdfje\tbmbm\txmbm\twbjf\thl"
           "\tdfkm\tzd\tfh\tjz\tpzly\n";
    for (const VoucherLine &line : voucher.lines()) {
        out << line.kjnf << '\t' << line.kjyf << '\t' << line.pzbh << '\t' << line.pzfl << '\t'
            << line.rq.toString(Qt::ISODate) << '\t' << line.fjs << '\t' << line.pzzy << '\t'
            << line.itembm << '\t' << line.kmmc << '\t' << line.jfje.toFixed() << '\t'
            << line.dfje.toFixed() << '\t' << line.bmbm << '\t' << line.xmbm << '\t'
            << line.wbjf.toFixed() << '\t' << QString::number(line.hl, 'f', 6) << '\t'
            << line.dfkm << '\t' << line.zd << '\t' << line.fh << '\t' << line.jz << '\t'
            << line.pzly << '\n';
    }
    return ExitOk;
}

int deleteVoucher(CliSession &session, const CliArgs &args, QTextStream &out, QTextStream &err)
{
    const std::optional<VoucherKey> key = keyOf(args);
    if (!key)
        return usage(err);
    const VoucherService service = serviceOf(session);
    const Voucher voucher = service.ini_modified_pz(*key);
    if (voucher.lineCount() == 0)
        return refused(err, QStringLiteral("凭证不存在：%1-%2 %3")
                                .arg(key->year).arg(key->month).arg(key->number));
    // The checks come before the question, as on the screen.
    if (Status maker = service.checkMaker(voucher); !maker)
        return refused(err, maker.message());
    if (voucher.loadedReviewed != 0 || voucher.loadedPosted != 0)
        return refused(err, VoucherMessages::CannotDelete);
    if (!hasFlag(args, QStringLiteral("--yes")))
        return refused(err, VoucherMessages::AskDeleteVoucher);
    const Status deleted = service.deleteVoucher(voucher);
    if (!deleted)
        return refused(err, deleted.message());
    printKeyHeader(out);
    out << key->year << '\t' << key->month << '\t' << key->number << '\n';
    return ExitOk;
}

} // namespace

int runVouchersCommand(const CliArgs &args, QTextStream &out, QTextStream &err)
{
    const QString &command = args.command();
    const bool writes = command == QLatin1String("add") || command == QLatin1String("import")
                        || command == QLatin1String("delete");
    const bool reads = command == QLatin1String("list") || command == QLatin1String("show");
    if (!writes && !reads) {
        err << "未知的命令：vouchers " << command << '\n';
        return ExitUsage;
    }
    CliSession session(args);
    if (const int status = session.logIn(err, writes ? EnterVouchersRight : QueryVouchersRight);
        status != ExitOk)
        return status;
    if (command == QLatin1String("add"))
        return addVoucher(session, args, out, err);
    if (command == QLatin1String("import"))
        return importVouchers(session, args, out, err);
    if (command == QLatin1String("delete"))
        return deleteVoucher(session, args, out, err);
    if (command == QLatin1String("list"))
        return listVouchers(session, args, out, err);
    return showVoucher(session, args, out, err);
}
