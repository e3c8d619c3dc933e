#include "app/calculatorengine.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

// Keys as a person types them: digits, '.', + - * /, '=', and
// C clear, E clear entry, < backspace, ~ negate, % percent, r 1/x, q sqrt.
void type(CalculatorEngine &engine, const char *keys)
{
    for (const char *k = keys; *k; ++k) {
        const char c = *k;
        if (c >= '0' && c <= '9')
            engine.pressDigit(c - '0');
        else if (c == '.')
            engine.pressPoint();
        else if (c == '=')
            engine.pressEquals();
        else if (c == 'C')
            engine.clear();
        else if (c == 'E')
            engine.clearEntry();
        else if (c == '<')
            engine.backspace();
        else if (c == '~')
            engine.negate();
        else if (c == '%')
            engine.percent();
        else if (c == 'r')
            engine.reciprocal();
        else if (c == 'q')
            engine.squareRoot();
        else
            engine.pressOperator(QChar::fromLatin1(c));
    }
}

struct KeyCase { const char *keys; const char *display; };

void expectDisplays(const KeyCase *begin, const KeyCase *end)
{
    for (const KeyCase *c = begin; c != end; ++c) {
        CalculatorEngine engine;
        type(engine, c->keys);
        EXPECT_EQ(engine.display().toStdString(), c->display) << "keys: " << c->keys;
    }
}

} // namespace

TEST(CalculatorEngine, BuildsTheEntryAsTyped)
{
    const KeyCase cases[] = {
        {"", "0"},
        {"123", "123"},
        {"0007", "7"},
        {".5", "0.5"},
        {"1.2.3", "1.23"},                             // a second point is ignored
        {"1234567890123456", "123456789012345"},       // the 16th digit does not fit
        {"0.00000000000001", "0.00000000000001"},      // shown as typed, not reformatted
        {"123<", "12"}, {"1.5<", "1."}, {"1.5<<", "1"}, {"5<", "0"}, {"5~<", "0"},
        {"5~", "-5"}, {"5~~", "5"}, {"5~3", "-53"},
    };
    expectDisplays(std::begin(cases), std::end(cases));
}

TEST(CalculatorEngine, ExecutesEachOperatorImmediately)
{
    const KeyCase cases[] = {
        {"2+3*4=", "20"},          // left to right, no precedence
        {"2+3*", "5"},             // the intermediate result shows at the second operator
        {"2+3*4", "4"},
        {"2+*3=", "6"},            // an operator right after another replaces it
        {"2+3==", "8"},            // = again repeats "+ 3"
        {"2+=", "4"},              // the shown number is the missing operand
        {"10-4=", "6"}, {"7/2=", "3.5"}, {"3-5=", "-2"},
        {"2+3=4*5=", "20"},        // a digit after = starts a new calculation
        {"2+3=*4=", "20"},         // an operator after = goes on from the result
        {"1/3*3=", "1"},           // results keep full precision behind the display
        {"0.1+0.2=", "0.3"},
        {"2+3E4=", "6"}, {"2+3E=", "2"},
        {"2+3=<", "5"},            // backspace does not edit a result
        {"2+3=~", "-5"},
        {"2+3=C", "0"}, {"2+3C4=", "4"},
    };
    expectDisplays(std::begin(cases), std::end(cases));
}

TEST(CalculatorEngine, AppliesPercentSignAndFunctions)
{
    const KeyCase cases[] = {
        {"200+5%", "10"}, {"200+5%=", "210"}, {"200-5%=", "190"},
        {"50*10%=", "5"}, {"50/10%=", "500"}, {"7%", "0.07"},
        {"4q", "2"}, {"2q", "1.4142135623731"}, {"4r", "0.25"}, {"8r=", "0.125"},
        {"9+16q=", "13"},          // a function result becomes the right operand
        {"5+~=", "0"},             // so does the negated left operand
    };
    expectDisplays(std::begin(cases), std::end(cases));
}

TEST(CalculatorEngine, ReportsErrorsAndRecovers)
{
    const KeyCase cases[] = {
        {"5/0=", "除数不能为零"},
        {"5/0+", "除数不能为零"},    // dividing comes first, the + never happens
        {"5/0=+=q%~r", "除数不能为零"}, // only digits, C, CE and backspace leave an error
        {"0r", "除数不能为零"},
        {"9~q", "无效输入"},
        {"999999999999999*=*=*=*=*=", "结果超出范围"},
        {"5/0=7", "7"}, {"5/0=.5", "0.5"}, {"5/0=C", "0"}, {"5/0=E", "0"}, {"5/0=<", "0"},
        {"5/0=7+1=", "8"},         // nothing of the failed calculation survives
    };
    expectDisplays(std::begin(cases), std::end(cases));

    CalculatorEngine engine;
    type(engine, "8/0=");
    EXPECT_TRUE(engine.hasError());
    EXPECT_EQ(engine.pendingText(), QString());
    engine.clearEntry();
    EXPECT_FALSE(engine.hasError());
    EXPECT_EQ(engine.value(), 0);
}

TEST(CalculatorEngine, ShowsFifteenSignificantDigitsWithoutTrailingZeros)
{
    struct Case { double value; const char *text; };
    const Case cases[] = {
        {0, "0"}, {-0.0, "0"}, {-2.5, "-2.5"}, {100, "100"},
        {1.0 / 3, "0.333333333333333"}, {2.0 / 3, "0.666666666666667"},
        {123456789012345, "123456789012345"},
        {999999999999999.0 + 1, "1e+15"},          // 16 digits no longer fit plainly
        {1e20, "1e+20"}, {-1.5e300, "-1.5e+300"},
        {1e-5, "0.00001"}, {1.0 / 3 * 1e-6, "0.000000333333333333333"},
        {1e-10, "1e-10"},
        {0.1 + 0.2, "0.3"}, {1.10, "1.1"},
    };
    for (const Case &c : cases)
        EXPECT_EQ(CalculatorEngine::formatNumber(c.value).toStdString(), c.text) << c.value;

    CalculatorEngine engine;
    type(engine, "999999999999999+1=");
    EXPECT_EQ(engine.display(), QStringLiteral("1e+15"));
}

TEST(CalculatorEngine, ShowsThePendingOperation)
{
    CalculatorEngine engine;
    type(engine, "12+");
    EXPECT_EQ(engine.pendingText(), QStringLiteral("12 +"));
    type(engine, "3*");
    EXPECT_EQ(engine.pendingText(), QStringLiteral("15 ×"));
    engine.pressOperator(QChar(0x00F7)); // the ÷ of the on-screen button
    EXPECT_EQ(engine.pendingText(), QStringLiteral("15 ÷"));
    type(engine, "3=");
    EXPECT_EQ(engine.display(), QStringLiteral("5"));
    EXPECT_EQ(engine.pendingText(), QString());
    engine.pressOperator(u'x'); // not an operator
    EXPECT_EQ(engine.pendingText(), QString());
}
