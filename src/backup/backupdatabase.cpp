#include "backup/backupdatabase.h"

#include "backup/copyfileinblocks.h"
#include "store/database.h"
#include "store/databasecopy.h"
#include "store/filecheck.h"
#include "store/safefile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstdio>

namespace Backup {

bool backupDatabase(const QString &database, const QString &target, QString *error, const CopyProgress &progress,
                    bool *busy, bool *cancelled)
{
    if (cancelled)
        *cancelled = false;
    if (busy)
        *busy = false;
    if (isSameFile(database, target))
        return true;
    if (const QString refused = SafeFile::refuseSource(database); !refused.isEmpty()) {
        *error = refused;
        return false;
    }
    SafeFile::Writer out(target);
    if (!out.open()) {
        *error = out.errorText();
        return false;
    }
    {
        const Store::ReadSnapshot snapshot(database);
        if (!snapshot.isHeld()) {
            if (busy)
                *busy = snapshot.isBusy();
            *error = snapshot.isBusy()
                         ? QStringLiteral("برنامهٔ دیگری در حال نوشتن در بانک اطلاعات است و نسخهٔ پشتیبان کامل از آن "
                                          "گرفته نمی‌شود. چند لحظه بعد دوباره امتحان کنید.\n%1")
                               .arg(snapshot.errorText())
                         : snapshot.errorText();
            return false;
        }
        QFile in(database);
        if (!in.open(QIODevice::ReadOnly)) {
            *error = SafeFile::describeError(EACCES, database);
            return false;
        }
        if (!copyInto(in, out, error, progress, cancelled))
            return false;
    }
    if (!out.finish()) {
        *error = out.errorText();
        return false;
    }
    // The bytes come from one snapshot no writer could change; what is left to
    // check is that they are ours and all there, as a restore first checks
    // a backup. (The check of every page reads the whole file once more:
    // several times the cost of the copy.)
    const Store::OpenResult checked = Store::checkBackupFile(out.temporaryPath(), Store::CheckDepth::Shape);
    if (checked.status != Store::OpenStatus::Opened) {
        *error = QStringLiteral("نسخهٔ پشتیبان پس از نوشتن بررسی شد و سالم نبود، پس نگه داشته نشد:\n%1").arg(checked.detail);
        return false;
    }
    if (!out.commit()) {
        *error = out.errorText();
        return false;
    }
    return true;
}

bool backupServer(const QString &target, QString *error)
{
    // Written whole under a name of its own beside the target, then renamed over it.
    const QFileInfo info(target);
    const QString building = QDir(info.absolutePath())
                                 .filePath(QStringLiteral(".quorvel-backup-%1-%2").arg(QCoreApplication::applicationPid()).arg(info.fileName()));
    QFile::remove(building);
    Store::Place from;
    from.server = true;
    from.address = Store::serverAddress();
    Store::Place to;
    to.path = building;
    if (!Store::copyDatabase(from, to, Store::TargetRule::MustBeEmpty, error)) {
        QFile::remove(building);
        return false;
    }
    if (::rename(QFile::encodeName(building).constData(), QFile::encodeName(info.absoluteFilePath()).constData()) != 0) {
        *error = SafeFile::describeError(errno, target);
        QFile::remove(building);
        return false;
    }
    return true;
}

}  // namespace Backup
