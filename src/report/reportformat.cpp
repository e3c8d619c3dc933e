#include "report/reportformat.h"

#include "db/money.h"

#include <QDate>
#include <QDateTime>
#include <QRegularExpression>

#include <cmath>

namespace {

struct NumberSection
{
    QString prefix;
    QString suffix;
    bool grouping = false;
    int minInteger = 0;
    int minDecimals = 0;
    int maxDecimals = 0;
};

NumberSection parseSection(const QString &section)
{
    NumberSection parsed;
    auto isPlaceholder = [](QChar c) { return c == u'#' || c == u'0'; };
    qsizetype first = -1;
    qsizetype last = -1;
    for (qsizetype i = 0; i < section.size(); ++i) {
        if (isPlaceholder(section.at(i))) {
            if (first < 0)
                first = i;
            last = i;
        }
    }
    if (first < 0) {
        parsed.prefix = section;
        return parsed;
    }
    // A '.' or ',' right before the first placeholder belongs to the number.
    while (first > 0 && (section.at(first - 1) == u'.' || section.at(first - 1) == u','))
        --first;
    parsed.prefix = section.left(first);
    parsed.suffix = section.mid(last + 1);
    const QString core = section.mid(first, last - first + 1);
    parsed.grouping = core.contains(u',');
    const qsizetype dot = core.indexOf(u'.');
    const QString integerPart = dot < 0 ? core : core.left(dot);
    const QString decimalPart = dot < 0 ? QString() : core.mid(dot + 1);
    parsed.minInteger = int(integerPart.count(u'0'));
    parsed.minDecimals = int(decimalPart.count(u'0'));
    parsed.maxDecimals = int(decimalPart.count(u'0') + decimalPart.count(u'#'));
    return parsed;
}

// The magnitude as digits before and after the point, rounded to `decimals` places.
struct Digits
{
    QString whole;
    QString fraction;
    bool zero = true;
};

bool isExactDecimalText(const QString &text)
{
    static const QRegularExpression pattern(QStringLiteral("^\\s*[-+]?\\d*(\\.\\d*)?\\s*$"));
    return pattern.match(text).hasMatch();
}

// Rounds the decimal text "digits.fraction" half away from zero to `decimals` places.
Digits roundText(QString whole, QString fraction, int decimals)
{
    if (whole.isEmpty())
        whole = QStringLiteral("0");
    if (fraction.size() > decimals) {
        const bool up = fraction.at(decimals) >= u'5';
        fraction.truncate(decimals);
        if (up) {
            QString all = whole + fraction;
            int i = int(all.size()) - 1;
            while (i >= 0) {
                if (all.at(i) == u'9') {
                    all[i] = u'0';
                    --i;
                } else {
                    all[i] = QChar(all.at(i).unicode() + 1);
                    break;
                }
            }
            if (i < 0)
                all.prepend(u'1');
            whole = all.left(all.size() - decimals);
            fraction = all.right(decimals);
        }
    }
    while (fraction.size() < decimals)
        fraction.append(u'0');
    while (whole.size() > 1 && whole.startsWith(u'0'))
        whole.remove(0, 1);
    Digits digits{whole, fraction, true};
    for (QChar c : whole + fraction) {
        if (c != u'0')
            digits.zero = false;
    }
    return digits;
}

// Sign and digits of a value, exactly for decimal texts and integers.
std::optional<std::pair<bool, Digits>> numberOf(const QVariant &value, int decimals)
{
    QString text;
    switch (value.typeId()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Short:
    case QMetaType::UShort:
        text = QString::number(value.toLongLong());
        break;
    case QMetaType::Double:
    case QMetaType::Float: {
        const double d = value.toDouble();
        if (!std::isfinite(d))
            return std::nullopt;
        // Shortest text that reads back as the same double, then decimal rounding.
        text = QString::number(d, 'f', 10);
        break;
    }
    default:
        text = value.toString().trimmed();
        text.remove(u',');
        if (text.isEmpty() || !isExactDecimalText(text))
            return std::nullopt;
        break;
    }
    bool negative = false;
    if (text.startsWith(u'-') || text.startsWith(u'+')) {
        negative = text.startsWith(u'-');
        text.remove(0, 1);
    }
    const qsizetype dot = text.indexOf(u'.');
    const Digits digits = roundText(dot < 0 ? text : text.left(dot),
                                    dot < 0 ? QString() : text.mid(dot + 1), decimals);
    return std::make_pair(negative && !digits.zero, digits);
}

QString renderSection(const NumberSection &section, Digits digits)
{
    QString fraction = digits.fraction;
    while (fraction.size() > section.minDecimals && fraction.endsWith(u'0'))
        fraction.chop(1);
    QString whole = digits.whole;
    if (whole == QLatin1String("0") && section.minInteger == 0)
        whole.clear();
    while (whole.size() < section.minInteger)
        whole.prepend(u'0');
    if (section.grouping) {
        for (qsizetype i = whole.size() - 3; i > 0; i -= 3)
            whole.insert(i, u',');
    }
    QString result = section.prefix + whole;
    if (!fraction.isEmpty())
        result += u'.' + fraction;
    return result + section.suffix;
}

QString formatNumber(const QVariant &value, const QString &pattern)
{
    const QStringList sections = pattern.split(u';');
    const NumberSection positive = parseSection(sections.at(0));
    const auto number = numberOf(value, positive.maxDecimals);
    if (!number)
        return value.toString();
    const auto &[negative, digits] = *number;
    if (digits.zero && sections.size() > 2)
        return renderSection(parseSection(sections.at(2)), digits);
    if (negative) {
        if (sections.size() > 1)
            return renderSection(parseSection(sections.at(1)), digits);
        return u'-' + renderSection(positive, digits);
    }
    return renderSection(positive, digits);
}

std::optional<QDateTime> dateTimeOf(const QVariant &value)
{
    switch (value.typeId()) {
    case QMetaType::QDate:
        return QDateTime(value.toDate(), QTime(0, 0));
    case QMetaType::QDateTime:
        return value.toDateTime();
    default:
        break;
    }
    const QString text = value.toString().trimmed();
    if (text.size() < 10)
        return std::nullopt;
    for (Qt::DateFormat format : {Qt::ISODateWithMs, Qt::ISODate}) {
        const QDateTime parsed = QDateTime::fromString(text, format);
        if (parsed.isValid())
            return parsed;
    }
    const QDateTime spaced =
        QDateTime::fromString(text.left(19), QStringLiteral("yyyy-MM-dd hh:mm:ss"));
    if (spaced.isValid())
        return spaced;
    const QDate date = QDate::fromString(text.left(10), Qt::ISODate);
    if (date.isValid() && text.size() == 10)
        return QDateTime(date, QTime(0, 0));
    return std::nullopt;
}

bool isSet(const QVariant &value)
{
    if (value.typeId() == QMetaType::Bool)
        return value.toBool();
    const QString text = value.toString().trimmed();
    return !text.isEmpty() && text != QLatin1String("0") && text != QLatin1String("false");
}

} // namespace

namespace ReportFormat {

bool isDate(const QString &format)
{
    if (format.contains(u'#') || format.contains(u'0'))
        return false;
    for (const char *token : {"yy", "MM", "dd", "hh", "mm"}) {
        if (format.contains(QLatin1String(token)))
            return true;
    }
    return false;
}

bool isNumeric(const QString &format)
{
    return format == Capitals || (!isDate(format) && format != Check
                                  && (format.contains(u'#') || format.contains(u'0')));
}

QString apply(const QVariant &value, const QString &format)
{
    if (!value.isValid() || value.isNull())
        return QString();
    if (format.isEmpty()) {
        if (value.typeId() == QMetaType::QString && !value.toString().contains(u'T'))
            return value.toString();
        if (const auto when = dateTimeOf(value)) {
            if (value.typeId() == QMetaType::QDate || when->time() == QTime(0, 0))
                return when->date().toString(QStringLiteral("yyyy-MM-dd"));
            return when->toString(QStringLiteral("yyyy-MM-dd hh:mm"));
        }
        if (value.typeId() == QMetaType::Double)
            return QString::number(value.toDouble(), 'g', 15);
        return value.toString();
    }
    if (format == Check)
        return isSet(value) ? QStringLiteral("√") : QString();
    if (format == Capitals) {
        if (value.toString().trimmed().isEmpty())
            return QString();
        return capitals(Money::fromSqlValue(value));
    }
    if (isDate(format)) {
        if (const auto when = dateTimeOf(value))
            return when->toString(format);
        return value.toString();
    }
    if (format == Amount) {
        if (value.typeId() == QMetaType::QString && value.toString().trimmed().isEmpty())
            return QString();
        if (value.typeId() != QMetaType::QString || isExactDecimalText(value.toString().remove(u',')))
            return Money::fromSqlValue(value.typeId() == QMetaType::QString
                                           ? QVariant(value.toString().remove(u','))
                                           : value)
                .toDisplay();
        return value.toString();
    }
    if (value.typeId() == QMetaType::QString && value.toString().trimmed().isEmpty())
        return QString();
    return formatNumber(value, format);
}

QString capitals(Money amount)
{
    static const QString digitNames = QStringLiteral("零壹贰叁肆伍陆柒捌玖");
    static const QString positionNames[4] = {QStringLiteral("仟"), QStringLiteral("佰"),
                                             QStringLiteral("拾"), QString()};
    static const QString groupNames[5] = {QString(), QStringLiteral("万"), QStringLiteral("亿"),
                                          QStringLiteral("万亿"), QStringLiteral("亿亿")};
    qint64 cents = amount.cents();
    if (cents == 0)
        return QStringLiteral("零元整");
    QString result;
    if (cents < 0) {
        result = QStringLiteral("负");
        cents = -cents;
    }
    const qint64 yuan = cents / 100;
    const int jiao = int(cents / 10 % 10);
    const int fen = int(cents % 10);

    QList<int> groups; // lowest first
    for (qint64 rest = yuan; rest > 0; rest /= 10000)
        groups.append(int(rest % 10000));
    QString whole;
    bool needZero = false;
    for (qsizetype g = groups.size() - 1; g >= 0; --g) {
        const int value = groups.at(g);
        if (value == 0) {
            if (!whole.isEmpty())
                needZero = true;
            continue;
        }
        if (!whole.isEmpty() && value < 1000)
            needZero = true;
        bool started = false;
        const int divisors[4] = {1000, 100, 10, 1};
        for (int k = 0; k < 4; ++k) {
            const int digit = value / divisors[k] % 10;
            if (digit == 0) {
                if (started)
                    needZero = true;
                continue;
            }
            if (needZero) {
                whole += digitNames.at(0);
                needZero = false;
            }
            whole += digitNames.at(digit) + positionNames[k];
            started = true;
        }
        needZero = false;
        whole += groupNames[qMin<qsizetype>(g, 4)];
    }
    if (!whole.isEmpty())
        result += whole + QStringLiteral("元");
    if (jiao == 0 && fen == 0)
        return result + QStringLiteral("整");
    if (jiao > 0)
        result += digitNames.at(jiao) + QStringLiteral("角");
    else if (!whole.isEmpty())
        result += digitNames.at(0);
    if (fen > 0)
        result += digitNames.at(fen) + QStringLiteral("分");
    else
        result += QStringLiteral("整");
    return result;
}

QStringList suggestions()
{
    return {QString(),
            Amount,
            QStringLiteral("0.##"),
            QStringLiteral("0.00"),
            QStringLiteral("#.####"),
            QStringLiteral("0.####"),
            QStringLiteral("#.######"),
            QStringLiteral("#"),
            QStringLiteral("yyyy-MM-dd"),
            QStringLiteral("yyyy年MM月dd日"),
            QStringLiteral("yyyy-MM-dd hh:mm"),
            Check,
            Capitals};
}

} // namespace ReportFormat
