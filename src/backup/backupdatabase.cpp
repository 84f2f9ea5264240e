#include "backup/backupdatabase.h"
#include "backup/restore.h"

#include "causes/causes.h"
#include "store/database.h"
#include "store/engine.h"
#include "store/fileengine.h"
#include "store/filecheck.h"
#include "store/safefile.h"

#include <QFileInfo>

#include <cerrno>

namespace Backup {

namespace {

const QString kContext = QStringLiteral("backup");

// The snapshot's words as the window shows them (Causes::shownDetail); a
// full disk is the backup's, at target.
QString shownDetail(const QString &detail, const QString &target)
{
    if (!Causes::isOwnText(detail) && Causes::failureOfText(detail) == StoreFailure::DiskFull) {
        Causes::logDetail(kContext, detail);
        return SafeFile::describeError(ENOSPC, target);
    }
    return Causes::shownDetail(kContext, detail);
}

using Snapshot = std::function<Store::CopyOutcome(SafeFile::Writer &out, const CopyProgress &progress)>;

bool writeBackup(const QString &target, const Snapshot &snapshot, QString *error, const CopyProgress &progress,
                 bool *busy, bool *cancelled)
{
    if (cancelled)
        *cancelled = false;
    if (busy)
        *busy = false;
    SafeFile::Writer out(target);
    if (!out.open()) {
        *error = out.errorText();
        return false;
    }
    const Store::CopyOutcome read = snapshot(out, progress);
    if (!read.ok()) {
        if (busy)
            *busy = read.end == Store::CopyEnd::Busy;
        if (cancelled)
            *cancelled = read.end == Store::CopyEnd::Cancelled;
        if (read.end == Store::CopyEnd::Restoring) {
            Causes::logDetail(kContext, read.detail);
            *error = AnotherDeskRestoring;
        } else if (read.end == Store::CopyEnd::Busy) {
            Causes::logDetail(kContext, read.detail);
            *error = QStringLiteral("برنامهٔ دیگری در حال نوشتن در بانک اطلاعات است و نسخهٔ پشتیبان کامل از آن "
                                    "گرفته نمی‌شود. چند لحظه بعد دوباره امتحان کنید.");
        } else if (read.end != Store::CopyEnd::Cancelled) {
            *error = shownDetail(read.detail, target);
        }
        return false;
    }
    // While the disk syncs, the window shows the copy all written.
    const qint64 written = QFileInfo(out.temporaryPath()).size();
    bool finished = false;
    Store::runTelling([&] { finished = out.finish(); }, progress, written, written);
    if (!finished) {
        *error = out.errorText();
        return false;
    }
    // The bytes come from one snapshot no writer could change; what is left to
    // check is that they are ours and all there, as a restore first checks
    // a backup. (The check of every page reads the whole file once more:
    // several times the cost of the copy.)
    const Store::OpenResult checked = Store::checkBackupFile(out.temporaryPath(), Store::CheckDepth::Shape);
    if (checked.status != Store::OpenStatus::Opened) {
        *error = Causes::joinLines({QStringLiteral("نسخهٔ پشتیبان پس از نوشتن بررسی شد و سالم نبود، پس نگه داشته نشد."),
                                    shownDetail(checked.detail, target)});
        return false;
    }
    bool committed = false;
    Store::runTelling([&] { committed = out.commit(); }, progress, written, written);
    if (!committed) {
        *error = out.errorText();
        return false;
    }
    return true;
}

}  // namespace

bool backupStore(const QString &target, QString *error, const CopyProgress &progress, bool *busy, bool *cancelled)
{
    // The open file backed up onto itself is already its own backup.
    if (isSameFile(Store::storeDescription(), target))
        return true;
    return writeBackup(
        target, [](SafeFile::Writer &out, const CopyProgress &told) { return Store::engine().writeSnapshot(out, told); },
        error, progress, busy, cancelled);
}

bool backupDatabase(const QString &database, const QString &target, QString *error, const CopyProgress &progress,
                    bool *busy, bool *cancelled)
{
    if (isSameFile(database, target))
        return true;
    return writeBackup(
        target,
        [&database](SafeFile::Writer &out, const CopyProgress &told) {
            return Store::writeFileSnapshot(database, out, told);
        },
        error, progress, busy, cancelled);
}

}  // namespace Backup
