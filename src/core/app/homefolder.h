#pragma once

#include <QString>

// The program's home folder: settings files, data/, bak/ and table/ live in it. It is the
// folder given with --home, else $LANX_HOME, else the folder of the executable.
namespace HomeFolder {

QString resolve(const QString &option);
QString dataFolder(const QString &home);

// The home folder of this run, once the program has resolved it.
void setCurrent(const QString &home);
QString current();

} // namespace HomeFolder
