#pragma once

#include <QString>
#include <QVariant>

#include <compare>
#include <optional>

// An exact amount of money in integer cents. Every amount the books hold is decimal(18,2);
// nothing in the program sums or compares money in floating point.
class Money
{
public:
    // decimal(18,2) holds at most 16 integer digits.
    static constexpr qint64 MaxCents = 999'999'999'999'999'999LL;

    constexpr Money() = default;
    static constexpr Money fromCents(qint64 cents) { return Money(cents); }

    // Parses user or file text: an optional sign, digits with optional thousands commas, and at
    // most two decimals. Anything else, or a value beyond decimal(18,2), gives nothing.
    static std::optional<Money> parse(QStringView text);

    // Reads a column value as either backend returns it: an exact decimal string (PostgreSQL
    // numeric), a double (SQLite REAL, rounded to the cent), an integer, or NULL (zero).
    static Money fromSqlValue(const QVariant &value);

    // The value to bind for a decimal(18,2) parameter: exact decimal text on both backends.
    QVariant toSqlValue() const;

    constexpr qint64 cents() const { return m_cents; }
    constexpr bool isZero() const { return m_cents == 0; }

    // "1234.5", "1234", "0", "-0.05": the "0.##" format used when amounts are compared or shown
    // without grouping.
    QString toPlain() const;
    // "1234.50", "-0.05": two decimals, no grouping; the form of files and the command line.
    QString toFixed() const;
    // "1,234.50", "-1,234.50", and "" for zero: the display format of amount columns.
    QString toDisplay() const;

    constexpr Money operator-() const { return Money(-m_cents); }
    constexpr Money operator+(Money other) const { return Money(m_cents + other.m_cents); }
    constexpr Money operator-(Money other) const { return Money(m_cents - other.m_cents); }
    Money &operator+=(Money other) { m_cents += other.m_cents; return *this; }
    Money &operator-=(Money other) { m_cents -= other.m_cents; return *this; }
    constexpr auto operator<=>(const Money &) const = default;

private:
    constexpr explicit Money(qint64 cents) : m_cents(cents) {}
    QString format(bool group, bool trimDecimals) const;

    qint64 m_cents = 0;
};
