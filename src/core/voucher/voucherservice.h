#pragma once

#include "common/result.h"
#include "voucher/voucher.h"

#include <QSet>
#include <QSqlDatabase>

#include <functional>

// The operator and period a voucher is entered under; the screen and the command line fill it
// from AppContext after login.
struct VoucherSession
{
    QString operatorName;      // AppContext.OperatorName, stamped as maker (zd)
    bool canEnterVouchers = false; // AppContext.CanEnterVouchers == "1"
    bool editOthers = false;   // AppContext.EditOthers
    int curYear = 0;           // the current period
    int curMonth = 0;

    static VoucherSession fromAppContext();
};

// Asks the user a yes/no question (the screen: ConfirmNoDefault). An empty function answers No.
using VoucherAsk = std::function<bool(const QString &question)>;

// How a save ended. `Failed` means the database refused the batch: nothing was written and the
// voucher is exactly as it was before the call; `message` holds the database's text.
struct VoucherSaveResult
{
    enum Kind : quint8 { Saved, NothingToSave, Refused, Failed };
    Kind kind = Saved;
    VoucherCheck check; // message and focus of a refusal or failure
    bool ok() const { return kind == Saved || kind == NothingToSave; }
};

// The rules of the voucher entry screen over the open account set: number proposals, neighbour
// searches, checks, stamping, saving and deleting. Database failures other than those of a save
// are thrown as DbError.
class VoucherService
{
public:
    VoucherService(const QSqlDatabase &db, VoucherSession session);

    const VoucherSession &session() const { return m_session; }

    // --- numbering and navigation ---
    // The requested number when it is not 0 and free in the date's month, else the month's
    // maximum + 1 (1 for an empty month).
    int max_pzbh(int requested, const QDate &date) const;
    // Search kinds: 0 last of the month (else of the month before); 1 last below `number` (else
    // last of the month before); 2 first above `number` (else first of the month after);
    // 3 first at or below `number`; 4 last at or above `number`. Nothing found: nullopt.
    std::optional<VoucherKey> searth_one_pz(int year, int month, int kind, int number) const;
    // The date a new voucher starts with: `editorDate` when it lies in the current period or
    // later, else today when today is in the current period, else the second-to-last day of the
    // current month. On the first opening the editor holds the 26th of the current period.
    QDate proposeDate(const QDate &editorDate, const QDate &today) const;
    QDate firstOpeningDate() const; // the 26th of the current period

    // --- loading ---
    // The lines of a voucher in pzfl order, as unchanged stored lines, with kmmc/bmmc/xmmc empty.
    QList<VoucherLine> readLines(const VoucherKey &key) const;
    // A new voucher (entry mode 1): proposed date and number, 0 attachments, 10 blank lines.
    // Lines left under the placeholder identity are deleted first.
    Voucher ini_input_pz(const QDate &editorDate, const QDate &today = QDate::currentDate()) const;
    // A stored voucher (entry mode 2) with header, flags and signatures from its first line; no
    // lines when the voucher does not exist.
    Voucher ini_modified_pz(const VoucherKey &key) const;

    // --- checks and saving ---
    // Removes lines whose trimmed account is empty; true when lines are left.
    static bool delete_false_row(Voucher &voucher);
    // Anything to save: a new voucher, removed or edited lines, or header editors that differ
    // from what was loaded.
    static bool is_pz_modified(const Voucher &voucher);
    // True when a line's account is a cash-flow account (iteminfo.xjll = 1).
    bool is_xjkmpz(const Voucher &voucher) const;
    // The maker check of 增行, 删行, 删除 and saving: "不能修改他人制的凭证！     ".
    Status checkMaker(const Voucher &voucher) const;
    // The line and header checks in their order; the first refusal comes back with its focus.
    VoucherCheck input_vali_pz(const Voucher &voucher, const VoucherAsk &ask) const;
    // Stamps number, date, year, month, attachments, maker, pzfl, pzly of the first line,
    // linecount, total and dfkm on every line, from the check run given.
    void input_save_pz(Voucher &voucher, const VoucherCheck &check) const;
    // The whole save: right, maker, blank lines, checks, stamping and one transaction. A new
    // voucher's number is settled inside the transaction under the month's numbering lock: a
    // free typed number stays, a used one becomes the month's maximum + 1. On success the voucher
    // is a stored one (mode 2) under its new identity.
    VoucherSaveResult save_pz(Voucher &voucher, const VoucherAsk &ask) const;

    // Saves several new vouchers (an import) in one transaction: all of them or none. Each goes
    // through the checks and the numbering of save_pz (stored vouchers are not for this call).
    // On a refusal `failedIndex` names the voucher; the vouchers are then left as they were.
    VoucherSaveResult saveAll(QList<Voucher> &vouchers, const VoucherAsk &ask,
                              int *failedIndex = nullptr) const;
    // The numbers of the vouchers of a month, ascending.
    QList<int> numbersOf(int year, int month) const;

    // --- deleting ---
    // The refusals of 删除 that come before its question: the right, the maker, the flags.
    Status checkDeletable(const Voucher &voucher) const;
    // 删除 after the user confirmed: right, maker, reviewed/posted refusal, then deletes a stored
    // voucher's lines. A new voucher is not touched (the screen starts a new one).
    Status deleteVoucher(const Voucher &voucher) const;
    // Removes cash-flow worksheet rows of the current period whose voucher no longer exists (run
    // when the entry screen closes).
    void removeOrphanCashFlowRows() const;

private:
    void writeVoucher(Voucher &voucher, const VoucherCheck &check) const;
    void writeInTransaction(Voucher &voucher, const VoucherCheck &check) const;
    VoucherCheck prepare(Voucher &voucher, const VoucherAsk &ask, VoucherSaveResult *result,
                         const QSet<QString> *leaves = nullptr) const;
    VoucherCheck validate(const Voucher &voucher, const VoucherAsk &ask,
                          const QSet<QString> *leaves) const;
    void finishSave(Voucher &voucher) const;
    int lockedNumber(int requested, const QDate &date) const;

    QSqlDatabase m_db;
    VoucherSession m_session;
};

// The line checks of a save on any set of account lines, with the same messages, and the
// balance of the whole set. Checks no header, flag or number.
VoucherCheck CheckVoucherLines(const QSqlDatabase &db, const QList<VoucherLine> &lines,
                               const VoucherAsk &ask);

// The voucher screen's messages.
namespace VoucherMessages {
inline const QString NoRight = QStringLiteral("您没有凭证修改权限   ");
inline const QString OthersVoucher = QStringLiteral("不能修改他人制的凭证！     ");
inline const QString NotLeafPicked = QStringLiteral("必须是明细科目   ");
inline const QString CannotDelete = QStringLiteral("已复核或登帐的凭证不能删除 ");
inline const QString CannotModify = QStringLiteral("已复核或登帐的凭证不能修改 ");
inline const QString NumberUsed = QStringLiteral("凭证号已使用,请修改凭证号 ");
inline const QString Unbalanced = QStringLiteral("借方和贷方金额不平");
inline const QString BeforePeriod = QStringLiteral("不能录入当前会计月份之前的凭证");
inline const QString NumberNotPositive = QStringLiteral("凭证号必须大于0");
inline const QString NoDate = QStringLiteral("必须输入凭证日期");
inline const QString AskSave = QStringLiteral("凭证已修改是否保存 ");
inline const QString AskSaveOnExit = QStringLiteral("凭证已修改是否保存  ");
inline const QString AskDeleteLine = QStringLiteral("是否删除当前分录？  ");
inline const QString AskDeleteVoucher = QStringLiteral("是否删除当前凭证? ");
inline const QString SaveBeforePrint = QStringLiteral("修改保存后再打印");
inline const QString Modified = QStringLiteral("pz_modified");
// Saving a voucher that another workstation changed since it was read.
inline const QString ChangedElsewhere =
    QStringLiteral("凭证已被其他工作站修改或删除，请重新打开后再修改");
} // namespace VoucherMessages
