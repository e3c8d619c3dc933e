#pragma once

class QWidget;

// 数据备份 and 数据恢复 of the 系统维护 menu.
namespace BackupActions {

// Backs up the open set to a file the user chooses (bak folder, "<code>-<y>-<m>-<d>.bak").
void backup(QWidget *parent);
// Makes a new account set from a backup file the user chooses.
void restore(QWidget *parent);

} // namespace BackupActions
