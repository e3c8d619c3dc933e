#include "ui/login/backupactions.h"

#include "app/appcontext.h"
#include "app/homefolder.h"
#include "app/syspublic.h"
#include "app/tdm1.h"
#include "db/dberror.h"
#include "login/backup.h"
#include "ui/app/messages.h"
#include "ui/app/progresswindow.h"

#include <QDate>
#include <QDir>

namespace {

const QString BackupFilter = QStringLiteral("帐套备份文件(*.bak);;所有文件(*)");

} // namespace

namespace BackupActions {

void backup(QWidget *parent)
{
    if (!ConfirmYesDefault(QStringLiteral("确认进行帐套备份吗？  ")))
        return;
    const QString proposal = QDir(Backup::defaultFolder(HomeFolder::current()))
                                 .filePath(Backup::defaultFileName(AppContext.SetCode,
                                                                   QDate::currentDate()));
    const QString file = ChooseSaveFile(QStringLiteral("数据备份"), proposal, BackupFilter);
    if (file.isEmpty())
        return;
    try {
        const ProgressWindow progress(parent);
        Tdm1 &dm = Tdm1::current();
        Backup::write(dm.ADOConnection1(), dm.accountSets().settings(), file);
    } catch (const DbError &) {
        ShowInfo(QStringLiteral("备份出错！   "));
        return;
    }
    ShowInfo(QStringLiteral("备份完成！   "));
    WriteOpLog(QStringLiteral("完成备份"));
}

void restore(QWidget *parent)
{
    const QString file = ChooseOpenFile(QStringLiteral("数据恢复"),
                                        Backup::defaultFolder(HomeFolder::current()), BackupFilter);
    if (file.isEmpty())
        return;
    const QString name = AskText(QStringLiteral("数据恢复"), QStringLiteral("新帐套名称："),
                                 QStringLiteral("恢复的帐套"));
    if (name.trimmed().isEmpty())
        return;
    try {
        const ProgressWindow progress(parent);
        const Result<AccountSet> restored = Tdm1::current().accountSets().restore(file, name);
        if (!restored) {
            ShowInfo(restored.message());
            return;
        }
        ShowInfo(QStringLiteral("帐套恢复完成：%1（%2）   ").arg(restored->name, restored->code));
    } catch (const DbError &) {
        ShowInfo(QStringLiteral("恢复帐套出现错误。   "));
        return;
    }
    WriteOpLog(QStringLiteral("完成恢复"));
}

} // namespace BackupActions
