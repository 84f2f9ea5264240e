#include "app/singleinstance.h"

#include "store/database.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <unistd.h>

SingleInstance::SingleInstance(const QString &lockPath) : m_path(lockPath), m_lock(lockPath)
{
    // Never stale by age: only a lock whose process is gone is taken over.
    m_lock.setStaleLockTime(0);
}

bool SingleInstance::acquire()
{
    // The database's folder may not be there yet, before a fresh database is made.
    const QString folder = QFileInfo(m_path).absolutePath();
    if (!QFileInfo::exists(folder))
        QDir().mkdir(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    if (!m_lock.tryLock(0))
        return false;
    QFile::setPermissions(m_path, QFile::ReadOwner | QFile::WriteOwner);
    return true;
}

QString SingleInstance::defaultLockPath()
{
    // Relative to the program folder, which is the current folder once the program runs.
    return QFileInfo(QString::fromLatin1(Store::kDatabasePath)).absoluteDir().filePath(QStringLiteral("quorvel.lock"));
}
