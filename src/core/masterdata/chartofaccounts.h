#pragma once

#include "common/result.h"
#include "masterdata/accountcodes.h"

#include <QSqlDatabase>
#include <QStringList>

#include <optional>

// One row of the chart of accounts (iteminfo), under its column names.
struct AccountRecord
{
    int id = 0; // given by the database; 0 until the account is stored
    QString itembm;
    QString itemmc;
    int parent = -1; // id of the parent account, -1 at level 1
    int zl = 1;      // 1 资产, 2 负债, 3 权益, 4 成本, 5 损益
    int jhd = 1;     // 1 debit, 0 credit
    int bmhs = 0;
    int xmhs = 0;
    int wbhs = 0;
    QString wbmc;
    int xjyh = 0;
    int xjll = 0;
    int ljzj = 0;
    int kmjc = 1;
    QString erpKmcode;

    bool operator==(const AccountRecord &) const = default;
};

// The texts the lists show for a row.
QString categoryName(int zl);  // 资产, 负债, 权益, 成本, 损益
QString directionName(int jhd); // 借, 贷
// The auxiliary accounting of an account: "外币核算", "部门核算", "项目核算" of its set flags,
// in this order, joined by ",".
QString auxiliaryAccountingText(int wbhs, int bmhs, int xmhs);

// The rules of the chart of accounts: saving an account with its checks, adding a sub-account
// under an account that already has postings, deleting, and the check of the mapping to the
// accounts of the D8AZO system.
class ChartOfAccounts
{
public:
    static inline const QString CodeLengthWrong = QStringLiteral("科目编码的长度有错误");
    static inline const QString NameMissing = QStringLiteral("请输入科目名称");
    static inline const QString CodeInUse = QStringLiteral("科目已经被使用");
    static inline const QString TooManyLevels = QStringLiteral("科目最多6级。");
    static inline const QString IsSummaryAccount = QStringLiteral("不能删除汇总科目。");
    static inline const QString UsedByVouchers = QStringLiteral("科目已使用不能删除。");
    static inline const QString UsedByDepartments = QStringLiteral("部门核算中已使用不能删除。");
    static inline const QString UsedByProjects = QStringLiteral("项目核算中已使用不能删除。");
    static inline const QString ConfirmDeletion =
        QStringLiteral("科目删除后不可恢复，确认要删除？");
    static inline const QString UsedParentWarning = QStringLiteral(
        "科目已使用，若增加下级科目则系统会在退出模块时自动复制凭证至下级科目！");
    static inline const QString UsedParentQuestion =
        QStringLiteral("新增加的下级科目将不能删除！确定要增加下级科目吗？");
    static inline const QString MoveFailed =
        QStringLiteral("变换数据错误，请先删除新增加的科目");
    // Refusals of requests the screens cannot make, for lanx-cli.
    static inline const QString ParentMissing = QStringLiteral("上级科目不存在");
    static inline const QString CodeFixed =
        QStringLiteral("科目已使用或有下级科目，不能修改科目编码");

    ChartOfAccounts(const QSqlDatabase &db, const CodeLevels &levels);

    // The accounts of one category, by code.
    QList<AccountRecord> category(int zl) const;
    // The accounts of levels 1 to `level`, by code.
    QList<AccountRecord> upToLevel(int level) const;
    std::optional<AccountRecord> find(const QString &code) const;
    bool hasSubAccounts(const QString &code) const;
    bool hasVoucherLines(const QString &code) const;
    // The names of the currencies (moneyhl).
    QStringList currencies() const;

    // A new account's row: flags off, balance direction by category.
    static AccountRecord newAccount(int category, int level, int parentId);
    static int defaultDirection(int category) { return category == 2 || category == 3 ? 0 : 1; }

    // An account as the editor holds it: the row, the parent's code and the own segment as typed.
    struct Draft
    {
        AccountRecord account; // id 0 for a new account
        QString parentCode;
        QString segment;
        QString originalCode; // a stored account's code when it was opened
    };

    // A new account given by its full code, under its parent, of the parent's category (or of
    // `category` at level 1) with the default direction. Refusals: CodeLengthWrong,
    // TooManyLevels, ParentMissing.
    Result<Draft> draftForCode(const QString &code, int category) const;
    // A stored account opened for editing.
    Draft draftFor(const AccountRecord &account) const;

    // Writes the account and its balance row of `year` (appended when missing) in one
    // transaction. The checks, in order: the trimmed segment has the level's length and only
    // digits (CodeLengthWrong), a name is given (NameMissing), no other account has the code
    // (CodeInUse). A stored account whose code changes takes all its balance rows along.
    Result<AccountRecord> save(const Draft &draft, int year) const;

    // Whether a sub-account may be added under the account: TooManyLevels at level 6.
    Status canAddSubAccount(const AccountRecord &parent) const;
    // Completes the adding of a sub-account once the editor has stored it: the parent loses its
    // ERP code; a parent with voucher lines hands them to its first sub-account together with a
    // copy of its balance rows of every year and its department and project openings, in one
    // transaction. Returns the sub-account's code, empty when none was stored. Throws DbError.
    QString adoptSubAccount(const QString &parentCode, bool parentUsed) const;

    // The deletion rules, in order: IsSummaryAccount, UsedByVouchers, UsedByDepartments,
    // UsedByProjects.
    Status checkDeletion(const QString &code) const;
    // Deletes the account and its balance rows of every year in one transaction, after the
    // checks above.
    Status remove(const QString &code) const;

    // The ERP codes given to more than one account, by code.
    QStringList duplicateErpCodes() const;
    // "D8AZO的科目：,5101,5102重复设置！"
    static QString duplicateErpMessage(const QStringList &codes);

private:
    QList<AccountRecord> select(const QString &condition, const QVariantList &values) const;
    void ensureBalanceRow(const QString &code, int year) const;

    QSqlDatabase m_db;
    CodeLevels m_levels;
};
