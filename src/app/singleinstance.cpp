#include "app/singleinstance.h"

#include <QDir>

#include <unistd.h>

SingleInstance::SingleInstance(const QString &lockPath) : m_lock(lockPath)
{
    // Never stale by age: only a lock whose process is gone is taken over.
    m_lock.setStaleLockTime(0);
}

bool SingleInstance::acquire()
{
    return m_lock.tryLock(0);
}

QString SingleInstance::defaultLockPath()
{
    return QDir(QDir::tempPath()).filePath(QStringLiteral("quorvel-%1.lock").arg(getuid()));
}
