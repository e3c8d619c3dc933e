#include "app/homefolder.h"

#include <QCoreApplication>
#include <QDir>

namespace HomeFolder {

namespace {
QString currentHome;
}

void setCurrent(const QString &home)
{
    currentHome = home;
}

QString current()
{
    return currentHome.isEmpty() ? resolve(QString()) : currentHome;
}

QString resolve(const QString &option)
{
    if (!option.isEmpty())
        return QDir(option).absolutePath();
    const QString fromEnvironment = qEnvironmentVariable("LANX_HOME");
    if (!fromEnvironment.isEmpty())
        return QDir(fromEnvironment).absolutePath();
    return QCoreApplication::applicationDirPath();
}

QString dataFolder(const QString &home)
{
    return QDir(home).filePath(QStringLiteral("data"));
}

} // namespace HomeFolder
