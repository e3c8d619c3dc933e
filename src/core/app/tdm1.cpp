#include "app/tdm1.h"

#include "app/appcontext.h"
#include "db/dberror.h"
#include "db/sql.h"

#include <QSqlQuery>

namespace {

Tdm1 *theModule = nullptr;

ConnectionSettings settingsOf(const QString &connPrefix)
{
    QString error;
    const std::optional<ConnectionSettings> settings =
        ConnectionSettings::parse(connPrefix, nullptr, &error);
    if (!settings)
        throw DbError(error);
    return *settings;
}

} // namespace

Tdm1::Tdm1()
{
    Q_ASSERT(!theModule);
    theModule = this;
}

Tdm1::~Tdm1()
{
    if (theModule == this)
        theModule = nullptr;
}

Tdm1 &Tdm1::current()
{
    Q_ASSERT(theModule);
    return *theModule;
}

bool Tdm1::exists()
{
    return theModule != nullptr;
}

void Tdm1::connectMaster(const QString &connPrefix)
{
    m_master.reset();
    m_master = std::make_unique<AccountSetStore>(settingsOf(connPrefix));
}

void Tdm1::connectSet(const QString &connPrefix, const QString &code)
{
    disconnectSet();
    m_set = std::make_unique<DbConnection>(SetConnectionName, connPrefix + code);
}

void Tdm1::disconnectSet()
{
    m_set.reset();
}

QSqlDatabase Tdm1::ADOConnection1() const
{
    if (!m_set)
        throw DbError(QStringLiteral("没有打开帐套"));
    return m_set->db();
}

QSqlDatabase Tdm1::ADOConnection2() const
{
    if (!m_master)
        throw DbError(QStringLiteral("没有连接数据库服务器"));
    return m_master->master();
}

AccountSetStore &Tdm1::accountSets()
{
    if (!m_master)
        throw DbError(QStringLiteral("没有连接数据库服务器"));
    return *m_master;
}

void Tdm1::LoadContext()
{
    QSqlQuery header = Sql::exec(ADOConnection1(), QStringLiteral("select * from ztInfo"));
    if (!header.next())
        throw DbError(QStringLiteral("帐套信息表 ztInfo 没有数据"));
    auto value = [&header](const char *column) {
        return header.value(QString::fromLatin1(column)).toInt();
    };
    AppContext.StartYear = quint16(value("qykjnf"));
    AppContext.StartMonth = quint16(value("qykjyf"));
    AppContext.CurYear = quint16(value("kjnf"));
    AppContext.CurMonth = quint16(value("kjyf"));
    AppContext.CurPeriod = AppContext.CurYear * 12 + AppContext.CurMonth;
    AppContext.LevelLen1 = value("kmcd1");
    AppContext.LevelLen2 = value("kmcd2");
    AppContext.LevelLen3 = value("kmcd3");
    AppContext.LevelLen4 = value("kmcd4");
    AppContext.LevelLen5 = value("kmcd5");
    AppContext.LevelLen6 = value("kmcd6");
    AppContext.SameReviewer = value("bz1") != 0 ? 1 : 0;
    AppContext.EditOthers = value("bz2") != 0 ? 1 : 0;
}
