#include "db/money.h"

#include <cmath>

std::optional<Money> Money::parse(QStringView text)
{
    QStringView s = text.trimmed();
    bool negative = false;
    if (!s.isEmpty() && (s.front() == u'-' || s.front() == u'+')) {
        negative = s.front() == u'-';
        s = s.mid(1);
    }
    qint64 whole = 0;
    qint64 fraction = 0;
    bool sawDigit = false;
    int significantDigits = 0;
    int decimals = -1; // -1: no decimal point seen yet
    for (QChar c : s) {
        if (c == u',' && decimals < 0 && sawDigit)
            continue;
        if (c == u'.' && decimals < 0) {
            decimals = 0;
            continue;
        }
        if (!c.isDigit() || c.unicode() > 127)
            return std::nullopt;
        const int digit = c.unicode() - '0';
        sawDigit = true;
        if (decimals < 0) {
            if ((whole != 0 || digit != 0) && ++significantDigits > 16)
                return std::nullopt;
            whole = whole * 10 + digit;
        } else {
            if (++decimals > 2)
                return std::nullopt;
            fraction = fraction * 10 + digit;
        }
    }
    if (!sawDigit)
        return std::nullopt;
    if (decimals == 1)
        fraction *= 10;
    const qint64 cents = whole * 100 + fraction;
    if (cents > MaxCents)
        return std::nullopt;
    return Money(negative ? -cents : cents);
}

Money Money::fromSqlValue(const QVariant &value)
{
    if (value.isNull() || !value.isValid())
        return Money();
    switch (value.typeId()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
        return Money(value.toLongLong() * 100);
    case QMetaType::QString:
        if (auto exact = parse(value.toString()))
            return *exact;
        break;
    default:
        break;
    }
    return Money(std::llround(value.toDouble() * 100.0));
}

QVariant Money::toSqlValue() const
{
    return toFixed();
}

QString Money::format(bool group, bool trimDecimals) const
{
    const qint64 magnitude = m_cents < 0 ? -m_cents : m_cents;
    QString whole = QString::number(magnitude / 100);
    if (group) {
        for (int i = whole.size() - 3; i > 0; i -= 3)
            whole.insert(i, u',');
    }
    QString decimals = QStringLiteral("%1").arg(magnitude % 100, 2, 10, QLatin1Char('0'));
    if (trimDecimals) {
        while (decimals.endsWith(u'0'))
            decimals.chop(1);
    }
    QString result = m_cents < 0 ? QStringLiteral("-") : QString();
    result += whole;
    if (!decimals.isEmpty())
        result += u'.' + decimals;
    return result;
}

QString Money::toPlain() const
{
    return format(false, true);
}

QString Money::toFixed() const
{
    return format(false, false);
}

QString Money::toDisplay() const
{
    return m_cents == 0 ? QString() : format(true, false);
}
