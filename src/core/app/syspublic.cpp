#include "app/syspublic.h"

#include "app/appcontext.h"
#include "app/oplog.h"
#include "app/tdm1.h"

#include <QDateTime>

bool IsAllDigits(const QString &text)
{
    if (text.isEmpty())
        return false;
    for (QChar c : text) {
        if (c < u'0' || c > u'9')
            return false;
    }
    return true;
}

namespace {

bool isOneOf(QChar c, const char *set)
{
    for (const char *p = set; *p; ++p) {
        if (c == QLatin1Char(*p))
            return true;
    }
    return false;
}

} // namespace

bool CheckExpression(const QString &text)
{
    if (text.trimmed().isEmpty())
        return false;
    for (QChar c : text) {
        if (!(c >= u'0' && c <= u'9') && !isOneOf(c, " ()*+-./"))
            return false;
    }
    if (isOneOf(text.front(), "*./") || isOneOf(text.back(), "*+-./"))
        return false;
    if (text.contains(QLatin1String("()")))
        return false;

    int open = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        const QChar before = i > 0 ? text.at(i - 1) : QChar();
        const bool last = i + 1 == text.size();
        const QChar after = last ? QChar() : text.at(i + 1);
        if (i > 0 && isOneOf(c, "*./") && isOneOf(before, "*./"))
            return false;
        if (c == u'(') {
            if (i > 0 && !isOneOf(before, "(*+-/"))
                return false;
            if (!last && isOneOf(after, ")*/"))
                return false;
            ++open;
        } else if (c == u')') {
            if (i > 0 && isOneOf(before, "*+-/"))
                return false;
            if (!last && !isOneOf(after, ")*+-/"))
                return false;
            if (--open < 0)
                return false;
        }
    }
    return open == 0;
}

void WriteOpLog(const QString &text)
{
    OpLog::write(Tdm1::current().ADOConnection1(), AppContext.OperatorName, text,
                 QDateTime::currentDateTime());
}
