#include "masterdata/accountcodes.h"

#include "app/appcontext.h"
#include "app/syspublic.h"
#include "app/tdm1.h"
#include "db/sql.h"

#include <QHash>
#include <QSet>
#include <QSqlQuery>

CodeLevels::CodeLevels(const std::array<int, MaxLevel> &segmentLengths)
    : m_lengths(segmentLengths)
{
}

CodeLevels CodeLevels::fromContext()
{
    return CodeLevels({AppContext.LevelLen1, AppContext.LevelLen2, AppContext.LevelLen3,
                       AppContext.LevelLen4, AppContext.LevelLen5, AppContext.LevelLen6});
}

int CodeLevels::segmentLength(int level) const
{
    return level >= 1 && level <= MaxLevel ? m_lengths[level - 1] : 0;
}

int CodeLevels::codeLength(int level) const
{
    int length = 0;
    for (int k = 1; k <= qMin(level, MaxLevel); ++k)
        length += m_lengths[k - 1];
    return length;
}

int CodeLevels::levelOfLength(int length) const
{
    int sum = 0;
    for (int k = 1; k <= MaxLevel; ++k) {
        // A level without a length (an account set not yet initialised) has no codes.
        if (m_lengths[k - 1] <= 0)
            return 0;
        sum += m_lengths[k - 1];
        if (sum == length)
            return k;
        if (sum > length)
            return 0;
    }
    return 0;
}

QString ParentAccountCode(const QString &code, const CodeLevels &levels)
{
    const int level = levels.levelOf(code);
    if (level <= 1)
        return QString();
    return code.left(levels.codeLength(level - 1));
}

QString ParentAccountCode(const QString &code)
{
    return ParentAccountCode(code, CodeLevels::fromContext());
}

int ChildCodeLength(int codeLength, const CodeLevels &levels)
{
    const int level = levels.levelOfLength(codeLength);
    if (level < 1 || level >= CodeLevels::MaxLevel || levels.segmentLength(level + 1) <= 0)
        return 0;
    return levels.codeLength(level + 1);
}

int ChildCodeLength(int codeLength)
{
    return ChildCodeLength(codeLength, CodeLevels::fromContext());
}

namespace {

QString padded(qlonglong number, int segmentLength)
{
    return QString::number(number).rightJustified(segmentLength, u'0');
}

// After the highest segment of a level ("999") the next number no longer fits: the lowest
// number that no sibling uses takes its place, so that a gap left by a deleted account is
// offered instead of a code that the length check would refuse.
QString lowestFreeSegment(const QSqlDatabase &db, const QString &parentCode, int level,
                          int segmentLength)
{
    QSet<QString> used;
    QSqlQuery siblings = Sql::exec(db,
                                   QStringLiteral("select itembm from iteminfo where "
                                                  "substr(itembm,1,?)=? and kmjc=?"),
                                   {int(parentCode.size()), parentCode, level});
    while (siblings.next())
        used.insert(siblings.value(0).toString().mid(parentCode.size()));
    qlonglong limit = 1;
    for (int i = 0; i < segmentLength && limit < 1'000'000'000; ++i)
        limit *= 10;
    for (qlonglong n = 1; n < limit && n <= used.size() + 1; ++n) {
        const QString segment = padded(n, segmentLength);
        if (!used.contains(segment))
            return segment;
    }
    return QString();
}

} // namespace

QString NextSubAccountCode(const QSqlDatabase &db, const QString &parentCode, int level,
                           int segmentLength)
{
    if (level <= 1)
        return QString();
    const QString highest =
        Sql::scalar(db,
                    QStringLiteral("select max(itembm) from iteminfo where substr(itembm,1,?)=? "
                                   "and kmjc=?"),
                    {int(parentCode.size()), parentCode, level})
            .toString();
    const QString segment = highest.mid(parentCode.size());
    bool ok = false;
    const qlonglong number = segment.toLongLong(&ok);
    const QString proposal = IsAllDigits(segment) && ok ? padded(number + 1, segmentLength)
                                                        : padded(1, segmentLength);
    if (proposal.size() > segmentLength) {
        const QString gap = lowestFreeSegment(db, parentCode, level, segmentLength);
        if (!gap.isEmpty())
            return gap;
    }
    return proposal;
}

QString NextSubAccountCode(const QString &parentCode, int level, int segmentLength)
{
    return NextSubAccountCode(Tdm1::current().ADOConnection1(), parentCode, level, segmentLength);
}

QString AccountFullName(const QSqlDatabase &db, const QString &code, const CodeLevels &levels)
{
    if (code.isEmpty())
        return QString();
    // The code and its ancestors, level 1 first, read in one statement.
    QStringList path{code};
    for (QString parent = ParentAccountCode(code, levels); !parent.isEmpty();
         parent = ParentAccountCode(parent, levels))
        path.prepend(parent);
    QVariantList values;
    for (const QString &each : path)
        values << each;
    const QString placeholders = QStringLiteral("?,").repeated(path.size()).chopped(1);
    QSqlQuery rows = Sql::exec(
        db,
        QStringLiteral("select itembm, itemmc from iteminfo where itembm in (%1)")
            .arg(placeholders),
        values);
    QHash<QString, QString> nameOf;
    while (rows.next())
        nameOf.insert(rows.value(0).toString(), rows.value(1).toString());
    QStringList names;
    for (const QString &each : path) {
        if (nameOf.contains(each))
            names << nameOf.value(each);
    }
    return code + QStringLiteral("  ") + names.join(u'/');
}

QString AccountFullName(const QString &code)
{
    return AccountFullName(Tdm1::current().ADOConnection1(), code, CodeLevels::fromContext());
}
