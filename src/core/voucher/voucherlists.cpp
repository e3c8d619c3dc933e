#include "voucher/voucherlists.h"

#include "db/sql.h"
#include "masterdata/departments.h"

void VoucherLists::load(const QSqlDatabase &db, int levelLen1)
{
    m_levelLen1 = levelLen1;
    reloadChart(db);

    m_departments.clear();
    for (const Departments::Department &department : Departments::leaves(db))
        m_departments.append({department.bmbm, department.bmmc});
    m_departments.append(Entry{});

    m_projects.clear();
    QSqlQuery projects =
        Sql::exec(db, QStringLiteral("select xmbm,xmmc from xmbm order by xmbm"));
    while (projects.next())
        m_projects.append({projects.value(0).toString(), projects.value(1).toString()});
    m_projects.append(Entry{});

    m_cashFlow.clear();
    QSqlQuery cashFlow =
        Sql::exec(db, QStringLiteral("select itembm from iteminfo where xjll=1 order by itembm"));
    while (cashFlow.next())
        m_cashFlow.insert(cashFlow.value(0).toString());
}

void VoucherLists::reloadChart(const QSqlDatabase &db)
{
    QHash<QString, QString> topNames;
    QSqlQuery top =
        Sql::exec(db, QStringLiteral("select itembm,itemmc from iteminfo where kmjc=1"));
    while (top.next())
        topNames.insert(top.value(0).toString(), top.value(1).toString());

    m_accountNames.clear();
    QSqlQuery all = Sql::exec(db, QStringLiteral("select itembm,itemmc from iteminfo"));
    while (all.next()) {
        const QString code = all.value(0).toString();
        QString name = all.value(1).toString();
        if (m_levelLen1 > 0 && code.size() > m_levelLen1)
            name = topNames.value(code.left(m_levelLen1)) + QLatin1Char('/') + name;
        m_accountNames.insert(code, name);
    }
}

QString VoucherLists::accountName(const QString &code) const
{
    return m_accountNames.value(code.trimmed());
}

QString VoucherLists::departmentName(const QString &code) const
{
    if (code.isEmpty())
        return {};
    for (const Entry &entry : m_departments) {
        if (entry.code == code)
            return entry.name;
    }
    return {};
}

QString VoucherLists::projectName(const QString &code) const
{
    if (code.isEmpty())
        return {};
    for (const Entry &entry : m_projects) {
        if (entry.code == code)
            return entry.name;
    }
    return {};
}

void VoucherLists::fillNames(Voucher &voucher) const
{
    for (int row = 0; row < voucher.lineCount(); ++row) {
        const VoucherLine &line = voucher.line(row);
        voucher.setDisplayNames(row, accountName(line.itembm), departmentName(line.bmbm),
                                projectName(line.xmbm));
    }
}
