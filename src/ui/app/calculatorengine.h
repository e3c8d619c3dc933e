#pragma once

#include <QChar>
#include <QString>

// The arithmetic behind the desktop calculator, kept apart from its window so it can be driven
// key by key in tests. It works like a desk calculator with immediate execution: each operator
// applies the previous one first, so 2 + 3 * 4 = gives 20, not 14.
class CalculatorEngine
{
public:
    // Digits a user may type into one entry; also the significant digits shown for a result.
    static constexpr int MaxDigits = 15;

    CalculatorEngine() = default;

    void pressDigit(int digit);
    void pressPoint();
    // '+', '-', '*' and '/' ('×' and '÷' too); anything else is ignored.
    void pressOperator(QChar op);
    void pressEquals();

    void clear();
    void clearEntry();
    void backspace();

    void negate();
    void percent();
    void reciprocal();
    void squareRoot();

    // The text the display shows: the entry as typed, a result, or the error message.
    QString display() const;
    // The pending left operand and operator, "12 +", or empty when nothing is pending.
    QString pendingText() const;
    double value() const { return m_value; }

    bool hasError() const { return !m_error.isEmpty(); }
    QString errorText() const { return m_error; }

    // 15 significant digits without trailing zeros; scientific notation only where a plain
    // number would not fit.
    static QString formatNumber(double value);

private:
    enum class Unary { Negate, Percent, Reciprocal, SquareRoot };

    void beginEntryIfNeeded();
    void setEntryText(const QString &text);
    void showResult(double result);
    bool apply(double left, QChar op, double right, double *result);
    void applyUnary(Unary fn);
    void setError(const QString &message);

    double m_value = 0;        // what the display stands for
    double m_accumulator = 0;  // left operand of m_pendingOp
    QChar m_pendingOp;
    QString m_entry;           // the digits being typed, while m_editing
    bool m_editing = false;
    // Whether the display holds a new right operand since the last operator: a second operator
    // in a row only replaces the first instead of applying it to the same number twice.
    bool m_operandReady = false;
    // Pressing = again repeats the last operation, as desk calculators do: 2 + 3 = = gives 8.
    QChar m_lastOp;
    double m_lastOperand = 0;
    QString m_error;
};
