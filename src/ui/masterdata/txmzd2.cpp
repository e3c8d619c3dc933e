#include "ui/masterdata/txmzd2.h"

#include "app/tdm1.h"
#include "masterdata/projects.h"

Txmzd2::Txmzd2(QWidget *parent)
    : CodePickDialog(QStringLiteral("xmzd2"), QStringLiteral("项目选择"), parent)
{
    setEntries([] {
        QList<Entry> entries;
        for (const Projects::Project &project : Projects::list(Tdm1::current().ADOConnection1()))
            entries.append({project.xmbm, project.xmmc});
        return entries;
    });
}
