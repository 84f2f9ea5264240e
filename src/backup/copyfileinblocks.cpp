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
    QByteArray block(kBlockSize, Qt::Uninitialized);
    while (position < length) {
        if (progress && !progress(position, length)) {
            if (cancelled)
                *cancelled = true;
            *error = QStringLiteral("cancelled");
            return false;
        }
        const qint64 size = qMin(kBlockSize, length - position);
        if (source.read(block.data(), size) != size) {
            *error = source.errorString().isEmpty() ? QStringLiteral("the source ended early") : source.errorString();
            return false;
        }
        if (out.write(block.constData(), size) != size) {
            *error = out.errorText();
            return false;
        }
        position += size;
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
    // Blocks this large gain nothing from a second buffer.
    if (!in.open(QIODevice::ReadOnly | QIODevice::Unbuffered)) {
        *error = SafeFile::describeError(EACCES, source);
        return false;
    }
    return copyInBlocks(in, target, error, progress, cancelled);
}

}  // namespace Backup
