#pragma once

#include <QLockFile>
#include <QString>

// One running copy of the program per database: a lock file beside the
// database, in its owner-only folder, where no one else can make it first.
// A lock left by a copy that died does not count.
class SingleInstance
{
public:
    explicit SingleInstance(const QString &lockPath = defaultLockPath());
    bool acquire();
    static QString defaultLockPath();

private:
    QString m_path;
    QLockFile m_lock;
};
