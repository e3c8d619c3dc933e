#include "db/templatebuilder.h"

#include "db/dberror.h"
#include "db/schema.h"
#include "db/sql.h"
#include "db/sqldialect.h"
#include "db/transaction.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSqlQuery>

namespace {

// Raise when the starting rows written below change in a way the data files do not show.
constexpr int StartingRowsRevision = 1;

// Level lengths of the template's chart: level 1 has four digits and level 2 three, whatever
// the initialisation chooses for the deeper levels.
constexpr int TemplateLevelLengths[6] = {4, 3, 2, 2, 2, 2};
constexpr int RightCount = 20;

struct ChartRow
{
    QString code;
    QString name;
    int category = 0;
    int debitSide = 0;
};

QList<ChartRow> startingChart()
{
    QList<ChartRow> rows;
    const QStringList lines = Schema::resourceText(QStringLiteral("chart.tsv")).split(u'\n');
    for (qsizetype i = 1; i < lines.size(); ++i) { // line 0 names the columns
        const QStringList fields = lines.at(i).split(u'\t');
        if (fields.size() < 4)
            continue;
        rows.append({fields.at(0).trimmed(), fields.at(1).trimmed(), fields.at(2).toInt(),
                     fields.at(3).toInt()});
    }
    return rows;
}

int levelOf(const QString &code)
{
    int length = 0;
    for (int level = 0; level < 6; ++level) {
        length += TemplateLevelLengths[level];
        if (code.size() <= length)
            return level + 1;
    }
    return 6;
}

QString parentOf(const QString &code)
{
    const int level = levelOf(code);
    return level == 1 ? QString() : code.left(code.size() - TemplateLevelLengths[level - 1]);
}

void insertHeaderAndAdministrator(const QSqlDatabase &db)
{
    Sql::exec(db,
              QStringLiteral("insert into ztInfo (qykjnf,qykjyf,kjnf,kjyf,kmcd1,kmcd2,kmcd3,kmcd4,"
                             "kmcd5,kmcd6,bz1,bz2,bz3) values (?,1,?,1,?,?,?,?,?,?,0,0,0)"),
              {TemplateBuilder::PlaceholderYear, TemplateBuilder::PlaceholderYear,
               TemplateLevelLengths[0], TemplateLevelLengths[1], TemplateLevelLengths[2],
               TemplateLevelLengths[3], TemplateLevelLengths[4], TemplateLevelLengths[5]});

    QStringList rightColumns;
    QVariantList values = {1, QStringLiteral("管理员"), QString()};
    for (int i = 1; i <= RightCount; ++i) {
        rightColumns << QStringLiteral("bz%1").arg(i);
        values << 1;
    }
    const QString placeholders = QStringLiteral(",?").repeated(RightCount);
    Sql::exec(db,
              QStringLiteral("insert into op_detail (id,name,password,%1) values (?,?,?%2)")
                  .arg(rightColumns.join(u','), placeholders),
              values);
}

void insertChart(const QSqlDatabase &db)
{
    const QList<ChartRow> chart = startingChart();
    QList<QVariantList> accounts;
    QList<QVariantList> balances;
    for (const ChartRow &row : chart) {
        // Cash and bank accounts feed the cash and bank journals.
        const bool cashOrBank = row.code.startsWith(QLatin1String("1001"))
                                || row.code.startsWith(QLatin1String("1002"));
        accounts.append({row.code, row.name, row.category, row.debitSide, cashOrBank ? 1 : 0,
                         levelOf(row.code)});
        balances.append({TemplateBuilder::PlaceholderYear, row.code});
    }
    Sql::execBatch(db,
                   QStringLiteral("insert into iteminfo (itembm,itemmc,parent,zl,jhd,bmhs,xmhs,"
                                  "wbhs,wbmc,xjyh,xjll,ljzj,kmjc,erpKmcode) "
                                  "values (?,?,-1,?,?,0,0,0,'',?,0,0,?,'')"),
                   accounts);
    Sql::execBatch(db, QStringLiteral("insert into account_ye (kjnf,itembm) values (?,?)"),
                   balances);

    // The tree is drawn from ids, which the database hands out.
    QHash<QString, int> idOf;
    QSqlQuery ids = Sql::exec(db, QStringLiteral("select id, itembm from iteminfo"));
    while (ids.next())
        idOf.insert(ids.value(1).toString(), ids.value(0).toInt());
    QList<QVariantList> parents;
    for (const ChartRow &row : chart) {
        const QString parent = parentOf(row.code);
        if (!parent.isEmpty() && idOf.contains(parent))
            parents.append({idOf.value(parent), row.code});
    }
    Sql::execBatch(db, QStringLiteral("update iteminfo set parent=? where itembm=?"), parents);
}

// The bundled print templates, "reports/rpt11.json" and so on, in name order.
QStringList reportFiles()
{
    const QDir folder(QStringLiteral(":/lanx/db/reports"));
    QStringList files;
    for (const QString &name : folder.entryList({QStringLiteral("*.json")}, QDir::Files, QDir::Name))
        files << QStringLiteral("reports/") + name;
    return files;
}

// Every family's templates into table `report`: a file holds one template or an array of them,
// listed in that order (typeid 1, 2, ...) under the file's name as the family, each titled by
// its "title". The text stored is the template's JSON as the report engine reads it.
void insertReports(const QSqlDatabase &db)
{
    QList<QVariantList> rows;
    for (const QString &file : reportFiles()) {
        const QString family = QFileInfo(file).completeBaseName();
        QJsonParseError error;
        const QJsonDocument document =
            QJsonDocument::fromJson(Schema::resourceText(file).toUtf8(), &error);
        if (document.isNull())
            throw DbError(QStringLiteral("程序数据文件有错误：%1\n%2").arg(file, error.errorString()));
        const QJsonArray templates =
            document.isArray() ? document.array() : QJsonArray{document.object()};
        int typeId = 0;
        for (const QJsonValue &value : templates) {
            const QJsonObject report = value.toObject();
            rows.append({family, report.value(QStringLiteral("title")).toString(), ++typeId,
                         QString::fromUtf8(QJsonDocument(report).toJson(QJsonDocument::Compact))});
        }
    }
    Sql::execBatch(db,
                   QStringLiteral("insert into report (rptname,comment,typeid,report) "
                                  "values (?,?,?,?)"),
                   rows);
}

} // namespace

namespace TemplateBuilder {

QString version()
{
    QCryptographicHash hash(QCryptographicHash::Sha1);
    hash.addData(Schema::resourceText(QStringLiteral("schema.sql")).toUtf8());
    hash.addData(Schema::resourceText(QStringLiteral("chart.tsv")).toUtf8());
    for (const QString &file : reportFiles()) {
        hash.addData(file.toUtf8());
        hash.addData(Schema::resourceText(file).toUtf8());
    }
    hash.addData(QByteArray::number(StartingRowsRevision));
    return QString::fromLatin1(hash.result().toHex());
}

void build(const QSqlDatabase &db)
{
    Transaction transaction(db);
    for (const QString &statement : Schema::accountSetStatements(SqlDialect::of(db)))
        Sql::exec(db, statement);
    insertHeaderAndAdministrator(db);
    insertChart(db);
    insertReports(db);
    Sql::exec(db, QStringLiteral("insert into schema_version (version) values (?)"), {version()});
    transaction.commit();
}

QString versionOf(const QSqlDatabase &db)
{
    const bool hasTable = db.tables().contains(QStringLiteral("schema_version"), Qt::CaseInsensitive);
    if (!hasTable)
        return QString();
    return Sql::scalar(db, QStringLiteral("select version from schema_version")).toString();
}

} // namespace TemplateBuilder
