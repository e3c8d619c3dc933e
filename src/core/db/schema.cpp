#include "db/schema.h"

#include "db/dberror.h"
#include "db/sqldialect.h"

#include <QFile>

namespace Schema {

QString resourceText(const QString &name)
{
    QFile file(QStringLiteral(":/lanx/db/") + name);
    if (!file.open(QIODevice::ReadOnly))
        throw DbError(QStringLiteral("缺少程序数据文件：%1").arg(name));
    return QString::fromUtf8(file.readAll());
}

QStringList accountSetStatements(const SqlDialect &dialect)
{
    QStringList statements;
    QString current;
    const QStringList lines = resourceText(QStringLiteral("schema.sql")).split(u'\n');
    for (const QString &line : lines) {
        const QString trimmed = line.trimmed();
        if (trimmed.isEmpty() || trimmed.startsWith(QLatin1String("--")))
            continue;
        current += line + u'\n';
        if (trimmed.endsWith(u';')) {
            current.chop(current.size() - current.lastIndexOf(u';'));
            statements.append(dialect.mapDdl(current.trimmed()));
            current.clear();
        }
    }
    return statements;
}

QString setListStatement()
{
    return QStringLiteral("CREATE TABLE lxfs_ztmc (\n"
                          "    id    int NOT NULL PRIMARY KEY,\n"
                          "    code  varchar(18) NOT NULL,\n"
                          "    ztmc  varchar(50)\n"
                          ")");
}

} // namespace Schema
