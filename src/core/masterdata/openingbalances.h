#pragma once

#include "common/result.h"
#include "db/money.h"
#include "masterdata/accountcodes.h"

#include <QList>
#include <QSqlDatabase>
#include <QString>

#include <optional>

// The opening figures of the accounts in account_ye: the balance at the start of the year and,
// for books opened after January, the debits and credits accumulated before the opening month.
// Amounts are kept in the account's own direction. Parent accounts are entered by hand like
// every other level; the balance check tells the first one that does not match its children.
namespace OpeningBalances {

// Where the books stand: the opening year and month and the current year.
struct Period
{
    int startYear = 0;
    int startMonth = 0;
    int currentYear = 0;

    static Period fromContext();
};

// The amount columns that may be changed for a year.
struct Access
{
    bool ncye = false;
    bool accumulated = false; // ljjf and ljdf
};

// The year dialog's choice: refused outside the opening year .. the current year; a past year
// is shown read-only, and books opened in January have nothing accumulated in their first year.
Result<Access> chooseYear(const Period &period, int year);

struct Row
{
    QString itembm;
    QString itemmc;
    int zl = 0;
    int jhd = 0;
    bool wbhs = false;
    bool bmhs = false;
    bool xmhs = false;
    Money ncye;
    Money ljjf;
    Money ljdf;
    Money wbncye;
    Money wbljjf;
    Money wbljdf;

    // The balance at the start of the opening month, in the account's direction.
    Money opening() const;
    Money foreignOpening() const;
    QString direction() const; // 借 / 贷
    // 外币核算, 部门核算, 项目核算 of the set flags, joined by ",".
    QString auxiliary() const;
};

// The year's rows in code order, with name, category, direction and flags of the account.
QList<Row> load(const QSqlDatabase &db, int year);

// Writes the three amounts of the row back to its account_ye row of the year.
void write(const QSqlDatabase &db, int year, const Row &row);

struct Amounts
{
    std::optional<Money> ncye;
    std::optional<Money> ljjf;
    std::optional<Money> ljdf;
};

// Changes some amounts of one account's row for the year, with the same limits as the grid.
// Returns the row as written.
Result<Row> set(const QSqlDatabase &db, const Period &period, int year, const QString &code,
                const Amounts &amounts);

struct Check
{
    enum Outcome { Empty, ParentMismatch, Unbalanced, Balanced };
    Outcome outcome = Empty;
    QString message; // nothing on an empty list
    int row = -1;    // the row the cursor is put on
};

// 平衡: every parent must equal the sum of its direct children (a child of the other direction
// counts negative), and the level-1 asset accounts must balance all other level-1 accounts.
// Amounts are compared in cents, so figures that differ beyond the second decimal cannot occur.
Check check(const QList<Row> &rows, const CodeLevels &levels);

} // namespace OpeningBalances
