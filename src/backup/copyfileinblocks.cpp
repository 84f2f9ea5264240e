#include "backup/copyfileinblocks.h"

#include "backup/backuptext.h"
#include "ui/panels.h"
#include "ui/prompts.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <sys/stat.h>

namespace Backup {

namespace {

QString describe(const QIODevice &device, const QString &path)
{
    const QString reason = device.errorString();
    return path.isEmpty() ? reason : QStringLiteral("%1\n%2").arg(path, reason);
}

}  // namespace

bool isSameFile(const QString &first, const QString &second)
{
    struct stat a {};
    struct stat b {};
    const QByteArray firstPath = QFile::encodeName(first);
    const QByteArray secondPath = QFile::encodeName(second);
    return ::stat(firstPath.constData(), &a) == 0 && ::stat(secondPath.constData(), &b) == 0 && a.st_dev == b.st_dev
           && a.st_ino == b.st_ino;
}

bool copyInBlocks(QIODevice &source, const QString &target, QString *error, const std::function<void()> &betweenBlocks)
{
    QSaveFile out(target);
    if (!out.open(QIODevice::WriteOnly)) {
        *error = describe(out, target);
        return false;
    }
    out.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    const qint64 length = source.size();
    qint64 position = 0;
    // Blocks go out in runs of many: the disk takes one large write much
    // faster than many odd-sized ones.
    constexpr qint64 kRun = 256 * kBlockSize;
    QByteArray run(kRun, Qt::Uninitialized);
    qint64 filled = 0;
    while (position < length) {
        if (betweenBlocks)
            betweenBlocks();
        const qint64 size = qMin(kBlockSize, length - position);
        if (source.read(run.data() + filled, size) != size) {
            *error = source.errorString().isEmpty() ? QStringLiteral("the source ended early") : source.errorString();
            return false;  // the temporary file goes with out
        }
        filled += size;
        position += size;
        if (filled + kBlockSize > kRun || position == length) {
            if (out.write(run.constData(), filled) != filled) {
                *error = describe(out, target);
                return false;
            }
            filled = 0;
        }
    }
    // commit() writes the copy through to the disk before it takes the
    // target's name, so the name never leads to half a copy.
    if (!out.commit()) {
        *error = describe(out, target);
        return false;
    }
    return true;
}

bool copyFileInBlocks(const QString &source, const QString &target, QString *error,
                      const std::function<void()> &betweenBlocks)
{
    if (isSameFile(source, target))
        return true;
    QFile in(source);
    if (!in.open(QIODevice::ReadOnly)) {
        *error = describe(in, source);
        return false;
    }
    return copyInBlocks(in, target, error, betweenBlocks);
}

}  // namespace Backup

bool CopyFileInBlocks(QWidget *owner, const QString &source, const QString &target)
{
    QString error;
    if (Backup::copyFileInBlocks(source, target, &error, [] { QCoreApplication::processEvents(); }))
        return true;
    prompts().message(owner, BackupText::CopyFailed + QStringLiteral("\r\n") + error, ApplicationTitle,
                      Prompts::Icon::Critical);
    return false;
}
