#include "masterdata/chartofaccounts.h"

#include "app/syspublic.h"
#include "db/money.h"
#include "db/sql.h"
#include "db/transaction.h"

#include <QSqlQuery>
#include <QSqlRecord>

namespace {

const QString Columns = QStringLiteral("id, itembm, itemmc, parent, zl, jhd, bmhs, xmhs, wbhs, "
                                       "wbmc, xjyh, xjll, ljzj, kmjc, erpKmcode");

AccountRecord recordOf(const QSqlQuery &row)
{
    AccountRecord account;
    account.id = row.value(0).toInt();
    account.itembm = row.value(1).toString();
    account.itemmc = row.value(2).toString();
    account.parent = row.value(3).isNull() ? -1 : row.value(3).toInt();
    account.zl = row.value(4).toInt();
    account.jhd = row.value(5).toInt();
    account.bmhs = row.value(6).toInt();
    account.xmhs = row.value(7).toInt();
    account.wbhs = row.value(8).toInt();
    account.wbmc = row.value(9).toString();
    account.xjyh = row.value(10).toInt();
    account.xjll = row.value(11).toInt();
    account.ljzj = row.value(12).toInt();
    account.kmjc = row.value(13).toInt();
    account.erpKmcode = row.value(14).toString();
    return account;
}

// Every amount column of a balance row: opening, accumulated and monthly figures, in home and
// foreign currency.
QStringList balanceColumns()
{
    QStringList columns;
    for (const QString &prefix : {QString(), QStringLiteral("wb")}) {
        columns << prefix + QStringLiteral("ncye") << prefix + QStringLiteral("ljjf")
                << prefix + QStringLiteral("ljdf");
        for (int month = 1; month <= 12; ++month)
            columns << prefix + QStringLiteral("jf%1").arg(month)
                    << prefix + QStringLiteral("df%1").arg(month);
    }
    return columns;
}

bool exists(const QSqlDatabase &db, const QString &statement, const QVariantList &values)
{
    return Sql::scalar(db, statement, values).isValid();
}

} // namespace

QString categoryName(int zl)
{
    static const QStringList names = {QStringLiteral("资产"), QStringLiteral("负债"),
                                      QStringLiteral("权益"), QStringLiteral("成本"),
                                      QStringLiteral("损益")};
    return zl >= 1 && zl <= names.size() ? names.at(zl - 1) : QString();
}

QString directionName(int jhd)
{
    return jhd == 1 ? QStringLiteral("借") : QStringLiteral("贷");
}

QString auxiliaryAccountingText(int wbhs, int bmhs, int xmhs)
{
    QStringList texts;
    if (wbhs == 1)
        texts << QStringLiteral("外币核算");
    if (bmhs == 1)
        texts << QStringLiteral("部门核算");
    if (xmhs == 1)
        texts << QStringLiteral("项目核算");
    return texts.join(u',');
}

ChartOfAccounts::ChartOfAccounts(const QSqlDatabase &db, const CodeLevels &levels)
    : m_db(db), m_levels(levels)
{
}

QList<AccountRecord> ChartOfAccounts::select(const QString &condition,
                                             const QVariantList &values) const
{
    QList<AccountRecord> accounts;
    QSqlQuery rows = Sql::exec(m_db,
                               QStringLiteral("select %1 from iteminfo where %2 order by itembm")
                                   .arg(Columns, condition),
                               values);
    while (rows.next())
        accounts.append(recordOf(rows));
    return accounts;
}

QList<AccountRecord> ChartOfAccounts::category(int zl) const
{
    return select(QStringLiteral("zl=?"), {zl});
}

QList<AccountRecord> ChartOfAccounts::upToLevel(int level) const
{
    return select(QStringLiteral("kmjc <= ?"), {level});
}

std::optional<AccountRecord> ChartOfAccounts::find(const QString &code) const
{
    const QList<AccountRecord> found = select(QStringLiteral("itembm=?"), {code});
    if (found.isEmpty())
        return std::nullopt;
    return found.first();
}

bool ChartOfAccounts::hasSubAccounts(const QString &code) const
{
    return exists(m_db,
                  QStringLiteral("select 1 from iteminfo where substr(itembm,1,?)=? and "
                                 "length(itembm)>?"),
                  {int(code.size()), code, int(code.size())});
}

bool ChartOfAccounts::hasVoucherLines(const QString &code) const
{
    return exists(m_db, QStringLiteral("select 1 from account where itembm=?"), {code});
}

QStringList ChartOfAccounts::currencies() const
{
    QStringList names;
    QSqlQuery rows = Sql::exec(m_db, QStringLiteral("select name from moneyhl order by name"));
    while (rows.next())
        names << rows.value(0).toString();
    return names;
}

AccountRecord ChartOfAccounts::newAccount(int category, int level, int parentId)
{
    AccountRecord account;
    account.zl = category;
    account.jhd = defaultDirection(category);
    account.kmjc = level;
    account.parent = parentId;
    return account;
}

Result<ChartOfAccounts::Draft> ChartOfAccounts::draftForCode(const QString &code,
                                                             int category) const
{
    const int level = m_levels.levelOf(code);
    if (level == 0) {
        if (code.size() > m_levels.codeLength(CodeLevels::MaxLevel))
            return Refusal{TooManyLevels};
        return Refusal{CodeLengthWrong};
    }
    Draft draft;
    draft.parentCode = ParentAccountCode(code, m_levels);
    draft.segment = code.mid(draft.parentCode.size());
    int parentId = -1;
    if (level > 1) {
        const std::optional<AccountRecord> parent = find(draft.parentCode);
        if (!parent)
            return Refusal{ParentMissing};
        parentId = parent->id;
        category = parent->zl;
    }
    draft.account = newAccount(category, level, parentId);
    return draft;
}

ChartOfAccounts::Draft ChartOfAccounts::draftFor(const AccountRecord &account) const
{
    Draft draft;
    draft.account = account;
    draft.parentCode = account.itembm.left(m_levels.codeLength(account.kmjc - 1));
    draft.segment = account.itembm.mid(draft.parentCode.size());
    draft.originalCode = account.itembm;
    return draft;
}

Result<AccountRecord> ChartOfAccounts::save(const Draft &draft, int year) const
{
    const QString segment = draft.segment.trimmed();
    const int segmentLength = m_levels.segmentLength(draft.account.kmjc);
    if (segmentLength <= 0 || segment.size() != segmentLength)
        return Refusal{CodeLengthWrong};
    const bool isNew = draft.account.id == 0;
    const QString code = draft.parentCode + segment;
    const bool codeChanged = isNew || code != draft.originalCode;
    // Codes are digits: the proposals, the level arithmetic and the sort order rely on it.
    if (codeChanged && !IsAllDigits(segment))
        return Refusal{CodeLengthWrong};
    if (draft.account.itemmc.trimmed().isEmpty())
        return Refusal{NameMissing};
    const bool taken =
        isNew ? exists(m_db, QStringLiteral("select 1 from iteminfo where itembm=?"), {code})
              : exists(m_db, QStringLiteral("select 1 from iteminfo where itembm=? and itembm<>?"),
                       {code, draft.originalCode});
    if (taken)
        return Refusal{CodeInUse};
    // Only a leaf without voucher lines may change its code: the lines and sub-accounts name it.
    if (!isNew && codeChanged
        && (hasSubAccounts(draft.originalCode) || hasVoucherLines(draft.originalCode)))
        return Refusal{CodeFixed};

    AccountRecord account = draft.account;
    account.itembm = code;
    if (account.wbhs != 1)
        account.wbmc.clear();
    const QVariantList values = {account.itembm, account.itemmc, account.parent, account.zl,
                                 account.jhd, account.bmhs, account.xmhs, account.wbhs,
                                 account.wbmc, account.xjyh, account.xjll, account.ljzj,
                                 account.kmjc, account.erpKmcode};
    Transaction transaction(m_db);
    if (isNew) {
        Sql::exec(m_db,
                  QStringLiteral("insert into iteminfo (itembm, itemmc, parent, zl, jhd, bmhs, "
                                 "xmhs, wbhs, wbmc, xjyh, xjll, ljzj, kmjc, erpKmcode) "
                                 "values (?,?,?,?,?,?,?,?,?,?,?,?,?,?)"),
                  values);
        account.id = Sql::scalar(m_db, QStringLiteral("select id from iteminfo where itembm=?"),
                                 {code})
                         .toInt();
    } else {
        Sql::exec(m_db,
                  QStringLiteral("update iteminfo set itembm=?, itemmc=?, parent=?, zl=?, jhd=?, "
                                 "bmhs=?, xmhs=?, wbhs=?, wbmc=?, xjyh=?, xjll=?, ljzj=?, "
                                 "kmjc=?, erpKmcode=? where id=?"),
                  values + QVariantList{account.id});
        if (codeChanged) {
            // Balance rows of earlier years and openings stay with the account, so that no
            // later account of the old code inherits them.
            for (const QString &table :
                 {QStringLiteral("account_ye"), QStringLiteral("bmqc"), QStringLiteral("xmqc")})
                Sql::exec(m_db, QStringLiteral("update %1 set itembm=? where itembm=?").arg(table),
                          {code, draft.originalCode});
        }
    }
    ensureBalanceRow(code, year);
    transaction.commit();
    return account;
}

void ChartOfAccounts::ensureBalanceRow(const QString &code, int year) const
{
    if (!exists(m_db, QStringLiteral("select 1 from account_ye where kjnf=? and itembm=?"),
                {year, code}))
        Sql::exec(m_db, QStringLiteral("insert into account_ye (kjnf, itembm) values (?,?)"),
                  {year, code});
}

Status ChartOfAccounts::canAddSubAccount(const AccountRecord &parent) const
{
    if (parent.kmjc >= CodeLevels::MaxLevel)
        return Refusal{TooManyLevels};
    return Done{};
}

QString ChartOfAccounts::adoptSubAccount(const QString &parentCode, bool parentUsed) const
{
    const int n = int(parentCode.size());
    const QString child =
        Sql::scalar(m_db,
                    QStringLiteral("select min(itembm) from iteminfo where substr(itembm,1,?)=? "
                                   "and length(itembm)>?"),
                    {n, parentCode, n})
            .toString();
    if (child.isEmpty())
        return QString();

    Transaction transaction(m_db);
    // A parent carries no ERP mapping.
    Sql::exec(m_db, QStringLiteral("update iteminfo set erpKmcode='' where itembm=?"),
              {parentCode});
    if (parentUsed) {
        const QStringList columns = balanceColumns();
        QStringList assignments;
        for (const QString &column : columns)
            assignments << column + QStringLiteral("=?");
        const QString update = QStringLiteral("update account_ye set %1 where kjnf=? and itembm=?")
                                   .arg(assignments.join(u','));
        QSqlQuery years = Sql::exec(m_db,
                                    QStringLiteral("select kjnf, %1 from account_ye where "
                                                   "itembm=? order by kjnf")
                                        .arg(columns.join(u',')),
                                    {parentCode});
        QList<QVariantList> copies;
        while (years.next()) {
            QVariantList values;
            for (int i = 0; i < columns.size(); ++i)
                values << Money::fromSqlValue(years.value(i + 1)).toSqlValue();
            values << years.value(0).toInt() << child;
            copies.append(values);
        }
        for (const QVariantList &copy : copies) {
            ensureBalanceRow(child, copy.at(columns.size()).toInt());
            Sql::exec(m_db, update, copy);
        }
        // The parent's lines and openings become the sub-account's; the parent's balance rows
        // stay and now equal the sums of its only sub-account.
        for (const QString &table :
             {QStringLiteral("account"), QStringLiteral("bmqc"), QStringLiteral("xmqc")})
            Sql::exec(m_db, QStringLiteral("update %1 set itembm=? where itembm=?").arg(table),
                      {child, parentCode});
    }
    transaction.commit();
    return child;
}

Status ChartOfAccounts::checkDeletion(const QString &code) const
{
    if (hasSubAccounts(code))
        return Refusal{IsSummaryAccount};
    if (hasVoucherLines(code))
        return Refusal{UsedByVouchers};
    if (exists(m_db, QStringLiteral("select 1 from bmqc where itembm=?"), {code}))
        return Refusal{UsedByDepartments};
    if (exists(m_db, QStringLiteral("select 1 from xmqc where itembm=?"), {code}))
        return Refusal{UsedByProjects};
    return Done{};
}

Status ChartOfAccounts::remove(const QString &code) const
{
    if (const Status allowed = checkDeletion(code); !allowed)
        return allowed;
    Transaction transaction(m_db);
    Sql::exec(m_db, QStringLiteral("delete from iteminfo where itembm=?"), {code});
    Sql::exec(m_db, QStringLiteral("delete from account_ye where itembm=?"), {code});
    transaction.commit();
    return Done{};
}

QStringList ChartOfAccounts::duplicateErpCodes() const
{
    QStringList codes;
    QSqlQuery rows = Sql::exec(m_db,
                               QStringLiteral("select erpKmcode from iteminfo where "
                                              "length(erpKmcode)>0 group by erpKmcode "
                                              "having count(erpKmcode)>1 order by erpKmcode"));
    while (rows.next())
        codes << rows.value(0).toString();
    return codes;
}

QString ChartOfAccounts::duplicateErpMessage(const QStringList &codes)
{
    QString message = QStringLiteral("D8AZO的科目：");
    for (const QString &code : codes) {
        message += u',';
        message += code;
    }
    return message + QStringLiteral("重复设置！");
}
