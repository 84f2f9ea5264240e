#include "backup/copyfileinblocks.h"

#include "store/safefile.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <sys/stat.h>

namespace Backup {

bool isSameFile(const QString &first, const QString &second)
{
    struct stat a {};
    struct stat b {};
    const QByteArray firstPath = QFile::encodeName(first);
    const QByteArray secondPath = QFile::encodeName(second);
    return ::stat(firstPath.constData(), &a) == 0 && ::stat(secondPath.constData(), &b) == 0 && a.st_dev == b.st_dev
           && a.st_ino == b.st_ino;
}

bool copyInto(QIODevice &source, SafeFile::Writer &out, QString *error, const CopyProgress &progress, bool *cancelled)
{
    if (cancelled)
        *cancelled = false;
    const qint64 length = source.size() - source.pos();
    qint64 position = 0;
    // Blocks go out in runs of many: the disk takes one large write much
    // faster than many odd-sized ones, and the window paints between runs.
    constexpr qint64 kRun = 256 * kBlockSize;
    QByteArray run(kRun, Qt::Uninitialized);
    qint64 filled = 0;
    while (position < length) {
        if (filled == 0 && progress && !progress(position, length)) {
            if (cancelled)
                *cancelled = true;
            *error = QStringLiteral("cancelled");
            return false;
        }
        const qint64 size = qMin(kBlockSize, length - position);
        if (source.read(run.data() + filled, size) != size) {
            *error = source.errorString().isEmpty() ? QStringLiteral("the source ended early") : source.errorString();
            return false;
        }
        filled += size;
        position += size;
        if (filled + kBlockSize > kRun || position == length) {
            if (out.write(run.constData(), filled) != filled) {
                *error = out.errorText();
                return false;
            }
            filled = 0;
        }
    }
    return true;
}

bool copyInBlocks(QIODevice &source, const QString &target, QString *error, const CopyProgress &progress,
                  bool *cancelled)
{
    SafeFile::Writer out(target);
    if (!out.open()) {
        *error = out.errorText();
        return false;
    }
    if (!copyInto(source, out, error, progress, cancelled))
        return false;  // the temporary file goes with out
    if (!out.commit()) {
        *error = out.errorText();
        return false;
    }
    return true;
}

bool copyFileInBlocks(const QString &source, const QString &target, QString *error, const CopyProgress &progress,
                      bool *cancelled)
{
    if (isSameFile(source, target))
        return true;
    if (const QString refused = SafeFile::refuseSource(source); !refused.isEmpty()) {
        *error = refused;
        return false;
    }
    QFile in(source);
    if (!in.open(QIODevice::ReadOnly)) {
        *error = SafeFile::describeError(EACCES, source);
        return false;
    }
    return copyInBlocks(in, target, error, progress, cancelled);
}

}  // namespace Backup
