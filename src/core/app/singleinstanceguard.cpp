#include "app/singleinstanceguard.h"

#include <QDir>

QString SingleInstanceGuard::defaultLockPath()
{
    const QString override = qEnvironmentVariable("LANX_INSTANCE_LOCK");
    if (!override.isEmpty())
        return override;
    return QDir(QDir::tempPath()).filePath(QStringLiteral("lanx-澜序财务.lock"));
}

SingleInstanceGuard::SingleInstanceGuard(const QString &lockPath) : m_lock(lockPath)
{
    // Never stale by age: a running copy keeps its lock however long it runs; only a lock whose
    // process is gone is taken over.
    m_lock.setStaleLockTime(0);
    m_acquired = m_lock.tryLock(0);
}
