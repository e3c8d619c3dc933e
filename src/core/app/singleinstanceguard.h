#pragma once

#include <QLockFile>
#include <QString>

// Keeps a second copy of the program on this computer from starting: the first copy holds a
// lock file for as long as it runs; a copy that finds it held must exit at once. A lock left
// behind by a crashed copy is taken over.
class SingleInstanceGuard
{
public:
    // The lock of this computer, or the one named by $LANX_INSTANCE_LOCK.
    static QString defaultLockPath();

    explicit SingleInstanceGuard(const QString &lockPath = defaultLockPath());
    bool acquired() const { return m_acquired; }

private:
    QLockFile m_lock;
    bool m_acquired = false;
};
