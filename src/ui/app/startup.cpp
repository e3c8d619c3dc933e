#include "ui/app/startup.h"

#include "app/singleinstanceguard.h"
#include "ui/app/messages.h"

bool AnotherCopyIsRunning(const SingleInstanceGuard &guard)
{
    if (guard.acquired())
        return false;
    ShowMessage(QStringLiteral("澜序软件"), QStringLiteral("澜序财务已经运行！"));
    return true;
}
