#include "voucher/voucher.h"

#include <cmath>

void Voucher::setLine(int row, const VoucherLine &line)
{
    VoucherLine &target = m_lines[row];
    const RowState state = target.state;
    const auto storedKey = target.storedKey;
    target = line;
    target.storedKey = storedKey;
    target.state = state == RowState::Unchanged ? RowState::Changed : state;
}

void Voucher::setDisplayNames(int row, const QString &kmmc, const QString &bmmc,
                              const QString &xmmc)
{
    VoucherLine &target = m_lines[row];
    target.kmmc = kmmc;
    target.bmmc = bmmc;
    target.xmmc = xmmc;
}

int Voucher::appendLine()
{
    return insertLine(lineCount());
}

int Voucher::insertLine(int row)
{
    VoucherLine blank;
    blank.state = RowState::Inserted;
    m_lines.insert(row, blank);
    return row;
}

void Voucher::removeLine(int row)
{
    VoucherLine line = m_lines.takeAt(row);
    if (line.isStored()) {
        line.state = RowState::Deleted;
        m_deleted.append(line);
        linesRemoved = true;
    }
}

void Voucher::clearLines()
{
    for (VoucherLine &line : m_lines) {
        if (line.isStored()) {
            line.state = RowState::Deleted;
            m_deleted.append(line);
        }
    }
    m_lines.clear();
}

bool Voucher::hasLineChanges() const
{
    if (!m_deleted.isEmpty())
        return true;
    for (const VoucherLine &line : m_lines) {
        if (line.state != RowState::Unchanged)
            return true;
    }
    return false;
}

void Voucher::swapSides(int row)
{
    VoucherLine line = m_lines.at(row);
    std::swap(line.jfje, line.dfje);
    setLine(row, line);
}

void Voucher::balanceRow(int row)
{
    VoucherLine line = m_lines.at(row);
    if (!line.jfje.isZero() || !line.dfje.isZero()) {
        line.jfje = Money();
        line.dfje = Money();
        setLine(row, line);
    }
    const Money difference = debitTotal() - creditTotal();
    if (difference > Money())
        line.dfje = difference;
    else if (difference < Money())
        line.jfje = -difference;
    else
        return;
    setLine(row, line);
}

Money Voucher::debitTotal() const
{
    Money sum;
    for (const VoucherLine &line : m_lines)
        sum += line.jfje;
    return sum;
}

Money Voucher::creditTotal() const
{
    Money sum;
    for (const VoucherLine &line : m_lines)
        sum += line.dfje;
    return sum;
}

void Voucher::prefill(const QList<GeneratedLine> &lines)
{
    clearLines();
    for (const GeneratedLine &generated : lines) {
        VoucherLine line;
        line.itembm = generated.itembm;
        line.pzzy = generated.pzzy;
        line.jfje = generated.jfje;
        line.dfje = generated.dfje;
        line.pzly = generated.pzly;
        line.state = RowState::Inserted;
        m_lines.append(line);
    }
}

int Voucher::findAccount(const QString &itembm) const
{
    for (int row = 0; row < lineCount(); ++row) {
        if (m_lines.at(row).itembm == itembm)
            return row;
    }
    return -1;
}

void Voucher::markAllStored()
{
    m_deleted.clear();
    for (VoucherLine &line : m_lines) {
        line.state = RowState::Unchanged;
        line.storedKey = std::array<int, 4>{line.kjnf, line.kjyf, line.pzbh, line.pzfl};
    }
}

void Voucher::setStoredLines(QList<VoucherLine> lines)
{
    m_deleted.clear();
    m_lines = std::move(lines);
    for (VoucherLine &line : m_lines) {
        line.state = RowState::Unchanged;
        line.storedKey = std::array<int, 4>{line.kjnf, line.kjyf, line.pzbh, line.pzfl};
    }
}

Money VoucherLine::homeAmountOf(double rate, Money foreign)
{
    return Money::fromCents(std::llround(rate * double(foreign.cents())));
}
