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

bool copyInBlocks(QIODevice &source, const QString &target, QString *error, const CopyProgress &progress,
                  bool *cancelled)
{
    SafeFile::Writer out(target);
    if (!out.open()) {
        *error = out.errorText();
        return false;
    }
    if (!Store::copyInto(source, out, error, progress, cancelled))
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
