#include "calculatorengine.h"

#include <cmath>

namespace {

QChar normalizedOperator(QChar op)
{
    if (op == QChar(0x00D7)) // ×
        return u'*';
    if (op == QChar(0x00F7)) // ÷
        return u'/';
    if (op == u'+' || op == u'-' || op == u'*' || op == u'/')
        return op;
    return {};
}

int digitCount(const QString &text)
{
    int count = 0;
    for (const QChar c : text)
        count += c.isDigit() ? 1 : 0;
    return count;
}

} // namespace

void CalculatorEngine::pressDigit(int digit)
{
    if (digit < 0 || digit > 9)
        return;
    if (hasError())
        clear();
    beginEntryIfNeeded();
    const QChar d = QChar(u'0' + digit);
    if (m_entry == QStringLiteral("0") || m_entry == QStringLiteral("-0"))
        setEntryText(m_entry.chopped(1) + d);
    else if (digitCount(m_entry) < MaxDigits)
        setEntryText(m_entry + d);
}

void CalculatorEngine::pressPoint()
{
    if (hasError())
        clear();
    beginEntryIfNeeded();
    if (!m_entry.contains(u'.') && digitCount(m_entry) < MaxDigits)
        setEntryText(m_entry + u'.');
}

void CalculatorEngine::pressOperator(QChar op)
{
    op = normalizedOperator(op);
    if (op.isNull() || hasError())
        return;
    if (m_pendingOp.isNull()) {
        m_accumulator = m_value;
    } else if (m_operandReady) {
        double result = 0;
        if (!apply(m_accumulator, m_pendingOp, m_value, &result))
            return;
        showResult(result);
        m_accumulator = result;
    }
    m_pendingOp = op;
    m_editing = false;
    m_operandReady = false;
}

void CalculatorEngine::pressEquals()
{
    if (hasError())
        return;
    double result = m_value;
    if (!m_pendingOp.isNull()) {
        // "2 + =" takes the shown number as the right operand, giving 4.
        const double operand = m_value;
        if (!apply(m_accumulator, m_pendingOp, operand, &result))
            return;
        m_lastOp = m_pendingOp;
        m_lastOperand = operand;
        m_pendingOp = {};
    } else if (!m_lastOp.isNull()) {
        if (!apply(m_value, m_lastOp, m_lastOperand, &result))
            return;
    }
    showResult(result);
    m_accumulator = result;
    m_operandReady = false;
}

void CalculatorEngine::clear()
{
    *this = CalculatorEngine();
}

void CalculatorEngine::clearEntry()
{
    if (hasError()) {
        clear();
        return;
    }
    // The zero left behind is a real operand: 2 + 3 CE = gives 2.
    m_editing = false;
    m_value = 0;
    m_operandReady = true;
}

void CalculatorEngine::backspace()
{
    if (hasError()) {
        clear();
        return;
    }
    // A result is not an entry: taking digits off it would show a number that was never there.
    if (!m_editing)
        return;
    QString text = m_entry.chopped(1);
    if (text.isEmpty() || text == QStringLiteral("-"))
        text = QStringLiteral("0");
    setEntryText(text);
}

void CalculatorEngine::negate()
{
    if (hasError())
        return;
    if (m_editing) {
        // Toggle the sign in the text so that typing goes on: "-0" then 5 gives "-5".
        setEntryText(m_entry.startsWith(u'-') ? m_entry.mid(1) : u'-' + m_entry);
        return;
    }
    applyUnary(Unary::Negate);
}

void CalculatorEngine::percent()
{
    applyUnary(Unary::Percent);
}

void CalculatorEngine::reciprocal()
{
    applyUnary(Unary::Reciprocal);
}

void CalculatorEngine::squareRoot()
{
    applyUnary(Unary::SquareRoot);
}

QString CalculatorEngine::display() const
{
    if (hasError())
        return m_error;
    return m_editing ? m_entry : formatNumber(m_value);
}

QString CalculatorEngine::pendingText() const
{
    if (m_pendingOp.isNull())
        return {};
    QChar shown = m_pendingOp;
    if (shown == u'*')
        shown = QChar(0x00D7);
    else if (shown == u'/')
        shown = QChar(0x00F7);
    return formatNumber(m_accumulator) + u' ' + shown;
}

QString CalculatorEngine::formatNumber(double value)
{
    if (value == 0) // also -0, which a user never means
        return QStringLiteral("0");
    QString text = QString::number(value, 'g', MaxDigits);
    const int e = text.indexOf(u'e');
    if (e < 0)
        return text;
    const int exponent = QStringView(text).mid(e + 1).toInt();
    // 'g' switches to scientific notation below 1e-4, where a plain 0.0000123 still reads
    // better; only really small numbers keep the exponent.
    if (exponent < 0 && exponent >= -9) {
        text = QString::number(value, 'f', MaxDigits - 1 - exponent);
        while (text.endsWith(u'0'))
            text.chop(1);
        if (text.endsWith(u'.'))
            text.chop(1);
    }
    return text;
}

void CalculatorEngine::beginEntryIfNeeded()
{
    if (!m_editing) {
        m_entry = QStringLiteral("0");
        m_editing = true;
    }
    m_operandReady = true;
}

void CalculatorEngine::setEntryText(const QString &text)
{
    m_entry = text;
    m_value = text.toDouble();
}

void CalculatorEngine::showResult(double result)
{
    m_value = result;
    m_editing = false;
}

bool CalculatorEngine::apply(double left, QChar op, double right, double *result)
{
    switch (op.unicode()) {
    case u'+': *result = left + right; break;
    case u'-': *result = left - right; break;
    case u'*': *result = left * right; break;
    case u'/':
        if (right == 0) {
            setError(QStringLiteral("除数不能为零"));
            return false;
        }
        *result = left / right;
        break;
    default:
        return false;
    }
    if (!std::isfinite(*result)) {
        setError(QStringLiteral("结果超出范围"));
        return false;
    }
    return true;
}

void CalculatorEngine::applyUnary(Unary fn)
{
    if (hasError())
        return;
    const double x = m_value;
    double result = 0;
    switch (fn) {
    case Unary::Negate:
        result = -x;
        break;
    case Unary::Percent:
        // As on a desk calculator: 200 + 5 % adds five per cent of 200; elsewhere 5 % is 0.05.
        if (m_pendingOp == u'+' || m_pendingOp == u'-')
            result = m_accumulator * x / 100;
        else
            result = x / 100;
        break;
    case Unary::Reciprocal:
        if (x == 0) {
            setError(QStringLiteral("除数不能为零"));
            return;
        }
        result = 1 / x;
        break;
    case Unary::SquareRoot:
        if (x < 0) {
            setError(QStringLiteral("无效输入"));
            return;
        }
        result = std::sqrt(x);
        break;
    }
    if (!std::isfinite(result)) {
        setError(QStringLiteral("结果超出范围"));
        return;
    }
    showResult(result);
    m_operandReady = true;
}

void CalculatorEngine::setError(const QString &message)
{
    clear();
    m_error = message;
}
