#include "ui/masterdata/tbmzd2.h"

#include "app/tdm1.h"
#include "masterdata/departments.h"

Tbmzd2::Tbmzd2(QWidget *parent)
    : CodePickDialog(QStringLiteral("bmzd2"), QStringLiteral("选择部门"), parent)
{
    setEntries([] {
        QList<Entry> entries;
        for (const Departments::Department &department :
             Departments::leaves(Tdm1::current().ADOConnection1()))
            entries.append({department.bmbm, department.bmmc});
        return entries;
    });
}
