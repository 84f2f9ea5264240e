#include "backup/copyfileinblocks.h"

#include "backup/backuptext.h"
#include "ui/prompts.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <sys/stat.h>
#include <unistd.h>

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
    while (position < length) {
        if (betweenBlocks)
            betweenBlocks();
        const qint64 size = qMin(kBlockSize, length - position);
        const QByteArray block = source.read(size);
        if (block.size() != size) {
            *error = source.errorString().isEmpty() ? QStringLiteral("the source ended early") : source.errorString();
            return false;  // the temporary file goes with out
        }
        if (out.write(block) != size) {
            *error = describe(out, target);
            return false;
        }
        position += size;
    }
    // On disk before it takes the target's name, so the name never leads to half a copy.
    if (!out.flush() || ::fsync(out.handle()) != 0 || !out.commit()) {
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
    prompts().message(owner, BackupText::CopyFailed + QStringLiteral("\r\n") + error, QStringLiteral("Quorvel"),
                      Prompts::Icon::Critical);
    return false;
}
