#pragma once

#include "db/money.h"

#include <QDate>
#include <QList>
#include <QString>
#include <QtGlobal>

#include <array>
#include <optional>

// The identity of a voucher: the lines sharing (kjnf, kjyf, pzbh). (9999, 9999, 9999) is the
// placeholder of a voucher that is being entered and not stored yet.
struct VoucherKey
{
    int year = 0;  // kjnf
    int month = 0; // kjyf
    int number = 0; // pzbh
    bool operator==(const VoucherKey &) const = default;
    static VoucherKey placeholder() { return {9999, 9999, 9999}; }
};

// Where a line stands against the stored voucher: read and untouched, edited, appended since the
// read, or removed (kept only until the next save applies the deletion).
enum class RowState : quint8 { Unchanged, Changed, Inserted, Deleted };

// One voucher line: the columns of table account plus three names shown beside them.
struct VoucherLine
{
    // The home amount of a foreign amount at an exchange rate, rounded to the cent.
    static Money homeAmountOf(double rate, Money foreign);

    int kjnf = 0;
    int kjyf = 0;
    int pzbh = 0;
    int pzfl = 0;
    QDate rq;
    QString pzzy;
    QString itembm;
    Money jfje;
    Money dfje;
    Money wbjf;
    Money wbdf;
    double hl = 0;
    QString bmbm;
    QString xmbm;
    QString zd;
    QString fh;
    QString jz;
    QString dfkm;
    int fjs = 0;
    int fhbz = 0;
    int jzbz = 0;
    QString pzly;
    int xjllcf = 0;
    double total = 0;
    int linecount = 0;

    // Display only, never stored.
    QString kmmc;
    QString bmmc;
    QString xmmc;

    RowState state = RowState::Inserted;
    // The (kjnf, kjyf, pzbh, pzfl) the line had in the database when read; unset for new lines.
    std::optional<std::array<int, 4>> storedKey;

    bool isStored() const { return storedKey.has_value(); }
};

// The number, date and attachment count of the header editors.
struct VoucherHeader
{
    int number = 0; // pzbh, 0..9999
    QDate date;     // rq; invalid means "no date"
    int attachments = 0; // fjs, 0..999
};

// A line handed over by a voucher generator (carry-forward, payroll, depreciation).
struct GeneratedLine
{
    QString itembm;
    QString pzzy;
    Money jfje;
    Money dfje;
    QString pzly; // origin marker, e.g. "sys_jzsy"
};

// The voucher on the entry screen: the header editors, the line buffer in grid order and what
// was loaded from the database. Every edit goes through the methods so that the row states stay
// true; `lines()` holds the lines shown (deleted lines are kept apart until saved).
class Voucher
{
public:
    enum class Mode : quint8 { New = 1, Stored = 2 }; // the entry mode

    VoucherHeader header;

    // --- loaded state (set by loading and by a successful save) ---
    Mode mode = Mode::New;
    VoucherKey loadedKey;   // identity when read or last saved (stored vouchers)
    QDate loadedDate;
    int loadedAttachments = 0;
    int loadedReviewed = 0; // fhbz of the first line when read
    int loadedPosted = 0;   // jzbz of the first line when read
    bool linesRemoved = false; // a stored line was removed from the buffer
    QString maker, reviewer, poster; // signatures: zd, fh, jz of the first line

    // --- line buffer ---
    int lineCount() const { return int(m_lines.size()); }
    const QList<VoucherLine> &lines() const { return m_lines; }
    const VoucherLine &line(int row) const { return m_lines.at(row); }
    // Replaces a line's values; an unchanged stored line becomes changed.
    void setLine(int row, const VoucherLine &line);
    // Sets the display-only names; the row state stays.
    void setDisplayNames(int row, const QString &kmmc, const QString &bmmc, const QString &xmmc);
    // Appends or inserts a blank line (empty texts, zero amounts) and returns its row.
    int appendLine();
    int insertLine(int row);
    // Removes the line; a stored line is kept for deletion and sets `linesRemoved`.
    void removeLine(int row);
    // Removes every line (stored ones are kept for deletion, without setting `linesRemoved`).
    void clearLines();
    // Lines removed from a stored voucher, still to be deleted in the database.
    const QList<VoucherLine> &deletedLines() const { return m_deleted; }
    // True when any line is changed, inserted or deleted.
    bool hasLineChanges() const;

    // --- line tools of the screen ---
    // 对调: swaps jfje and dfje of the line.
    void swapSides(int row);
    // 平衡: clears the line's amounts, then puts the difference of all other lines on the side
    // that balances the voucher.
    void balanceRow(int row);
    // Sums over the lines shown (the totals line).
    Money debitTotal() const;
    Money creditTotal() const;

    // Generated vouchers: removes every line and appends the given ones in order, each with the
    // defaults of a blank line plus itembm, pzzy, jfje, dfje and pzly.
    void prefill(const QList<GeneratedLine> &lines);
    // Row of the first line with that account, or -1 (generators merging amounts).
    int findAccount(const QString &itembm) const;

    // Called after a successful save: the buffer now matches the database.
    void markAllStored();
    // Called on load: takes the lines read as the unchanged buffer.
    void setStoredLines(QList<VoucherLine> lines);

private:
    QList<VoucherLine> m_lines;
    QList<VoucherLine> m_deleted;
};

// Which editor the screen must focus after a refusal.
enum class VoucherField : quint8 { None, Account, Debit, Summary, Date, Number };

// The outcome of a check or a save: ok, or the system's message with the place to focus (row is
// the 0-based grid row for line fields, -1 otherwise).
struct VoucherCheck
{
    bool ok = true;
    QString message;
    VoucherField field = VoucherField::None;
    int row = -1;
    // The running values of the check run, used by the stamping.
    Money debitTotal;
    Money creditTotal;
    QString firstDebitAccount;
    QString firstCreditAccount;

    static VoucherCheck refuse(const QString &message, VoucherField field = VoucherField::None,
                               int row = -1)
    {
        VoucherCheck c;
        c.ok = false;
        c.message = message;
        c.field = field;
        c.row = row;
        return c;
    }
};
