#pragma once

#include <QLockFile>
#include <QString>

// One running copy of the program per user: a lock file in the user's
// temporary folder. A lock left by a copy that died does not count.
class SingleInstance
{
public:
    explicit SingleInstance(const QString &lockPath = defaultLockPath());
    bool acquire();
    static QString defaultLockPath();

private:
    QLockFile m_lock;
};
