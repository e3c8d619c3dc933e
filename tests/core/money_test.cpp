#include "db/money.h"
#include "qtprinters.h"

#include <gtest/gtest.h>

TEST(Money, ParsesExactCentsAndRejectsWhatIsNotAnAmount)
{
    struct Case { const char *text; std::optional<qint64> cents; };
    const Case cases[] = {
        {"0", 0},           {"12", 1200},          {"0.1", 10},        {"0.10", 10},
        {"-0.05", -5},      {"+3.5", 350},         {"1,234.56", 123456}, {" 7.00 ", 700},
        {".5", 50},         {"5.", 500},           {"0012.30", 1230},
        {"9999999999999999.99", Money::MaxCents},
        {"10000000000000000", std::nullopt},       // beyond decimal(18,2)
        {"1.234", std::nullopt},                   // more than two decimals
        {"", std::nullopt}, {"-", std::nullopt},   {".", std::nullopt}, {"1e3", std::nullopt},
        {"12a", std::nullopt}, {"1.2.3", std::nullopt}, {",5", std::nullopt},
        {"１２", std::nullopt},                     // full-width digits are not digits here
    };
    for (const Case &c : cases) {
        const std::optional<Money> parsed = Money::parse(QString::fromUtf8(c.text));
        ASSERT_EQ(parsed.has_value(), c.cents.has_value()) << c.text;
        if (c.cents) {
            EXPECT_EQ(parsed->cents(), *c.cents) << c.text;
        }
    }
}

TEST(Money, FormatsAsTheBooksShowAmounts)
{
    struct Case { qint64 cents; const char *plain; const char *fixed; const char *display; };
    const Case cases[] = {
        {0, "0", "0.00", ""},
        {5, "0.05", "0.05", "0.05"},
        {50, "0.5", "0.50", "0.50"},
        {123400, "1234", "1234.00", "1,234.00"},
        {-123456789, "-1234567.89", "-1234567.89", "-1,234,567.89"},
        {Money::MaxCents, "9999999999999999.99", "9999999999999999.99", "9,999,999,999,999,999.99"},
    };
    for (const Case &c : cases) {
        const Money m = Money::fromCents(c.cents);
        EXPECT_EQ(m.toPlain(), QString::fromUtf8(c.plain));
        EXPECT_EQ(m.toFixed(), QString::fromUtf8(c.fixed));
        EXPECT_EQ(m.toDisplay(), QString::fromUtf8(c.display));
    }
}

TEST(Money, AddsWithoutFloatingPointDrift)
{
    const Money sum = *Money::parse(u"0.10") + *Money::parse(u"0.20");
    EXPECT_EQ(sum, *Money::parse(u"0.30"));
    Money total;
    for (int i = 0; i < 1000000; ++i)
        total += Money::fromCents(1);
    EXPECT_EQ(total.toFixed(), QStringLiteral("10000.00"));
}

TEST(Money, ReadsEveryFormABackendReturns)
{
    EXPECT_EQ(Money::fromSqlValue(QVariant()).cents(), 0);
    EXPECT_EQ(Money::fromSqlValue(QVariant(qlonglong(12))).cents(), 1200);
    EXPECT_EQ(Money::fromSqlValue(QVariant(0.1 + 0.2)).cents(), 30);    // a SQLite REAL
    EXPECT_EQ(Money::fromSqlValue(QVariant(1234567.89)).cents(), 123456789);
    EXPECT_EQ(Money::fromSqlValue(QVariant(-0.29)).cents(), -29);
    EXPECT_EQ(Money::fromSqlValue(QVariant(QStringLiteral("-10.05"))).cents(), -1005); // numeric
    EXPECT_EQ(Money::fromSqlValue(QVariant(QStringLiteral("1.0e+15"))).cents(), 100000000000000000LL);
    EXPECT_EQ(Money::fromCents(-1005).toSqlValue().toString(), QStringLiteral("-10.05"));
}
