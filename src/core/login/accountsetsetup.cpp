#include "login/accountsetsetup.h"

#include "db/sql.h"
#include "db/transaction.h"

#include <QSqlQuery>
#include <QStringList>

namespace AccountSetSetup {

bool isInitialised(const QSqlDatabase &db)
{
    return Sql::scalar(db, QStringLiteral("select qykjnf from ztInfo")).toInt() != UninitialisedYear;
}

Info read(const QSqlDatabase &db)
{
    Info info;
    QSqlQuery q = Sql::exec(db, QStringLiteral("select * from ztInfo"));
    if (!q.next())
        return info;
    auto value = [&q](const QString &column) { return q.value(column).toInt(); };
    info.settings.year = value(QStringLiteral("qykjnf"));
    info.settings.month = value(QStringLiteral("qykjyf"));
    for (int i = 0; i < 6; ++i)
        info.settings.levels[i] = value(QStringLiteral("kmcd%1").arg(i + 1));
    info.settings.sameReviewer = value(QStringLiteral("bz1")) != 0;
    info.settings.editOthers = value(QStringLiteral("bz2")) != 0;
    info.settings.importAgain = value(QStringLiteral("bz3")) != 0;
    info.currentYear = value(QStringLiteral("kjnf"));
    info.currentMonth = value(QStringLiteral("kjyf"));
    return info;
}

Status initialise(const QSqlDatabase &db, const Settings &s)
{
    if (s.year <= UninitialisedYear || s.year > 9999 || s.month < 1 || s.month > 12)
        return Refusal{QStringLiteral("开帐会计期间不正确。   ")};
    if (s.levels[0] != 4 || s.levels[1] != 3)
        return Refusal{QStringLiteral("一级科目长度为4，二级科目长度为3。   ")};
    for (int i = 2; i < 6; ++i) {
        if (s.levels[i] != 2 && s.levels[i] != 3)
            return Refusal{QStringLiteral("三至六级科目长度只能是2或3。   ")};
    }
    Transaction transaction(db);
    if (isInitialised(db))
        return Refusal{QStringLiteral("帐套已经初始化，不能再次设置。   ")};
    QString sql = QStringLiteral("update ztInfo set qykjnf=?,qykjyf=?,kjnf=?,kjyf=?,kmcd1=?,"
                                 "kmcd2=?,kmcd3=?,kmcd4=?,kmcd5=?,kmcd6=?");
    if (s.sameReviewer)
        sql += QStringLiteral(",bz1=1");
    if (s.editOthers)
        sql += QStringLiteral(",bz2=1");
    if (s.importAgain)
        sql += QStringLiteral(",bz3=1");
    Sql::exec(db, sql,
              {s.year, s.month, s.year, s.month, s.levels[0], s.levels[1], s.levels[2],
               s.levels[3], s.levels[4], s.levels[5]});
    Sql::exec(db, QStringLiteral("update account_ye set kjnf=?"), {s.year});
    transaction.commit();
    return Done{};
}

void saveRules(const QSqlDatabase &db, bool sameReviewer, bool editOthers, bool importAgain)
{
    Sql::exec(db, QStringLiteral("update ztInfo set bz1=?,bz2=?,bz3=?"),
              {int(sameReviewer), int(editOthers), int(importAgain)});
}

std::optional<Settings> parseLevels(const QString &text, Settings base)
{
    const QStringList parts = text.split(u'-');
    if (parts.size() != 6)
        return std::nullopt;
    for (int i = 0; i < 6; ++i) {
        bool ok = false;
        base.levels[i] = parts.at(i).toInt(&ok);
        if (!ok)
            return std::nullopt;
    }
    return base;
}

} // namespace AccountSetSetup
