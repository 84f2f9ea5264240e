#include "store/safefile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace SafeFile {
namespace {

const SystemCalls kRealCalls{::write, ::fsync, ::close, ::rename};
const SystemCalls *calls = &kRealCalls;

const char kPrefix[] = ".quorvel-";
const char kSuffix[] = ".partial";

QByteArray encoded(const QString &path)
{
    return QFile::encodeName(path);
}

// What stands at a path that exists but is no regular file.
QString kindOf(mode_t mode)
{
    if (S_ISDIR(mode))
        return QStringLiteral("یک پوشه");
    if (S_ISFIFO(mode))
        return QStringLiteral("یک لوله (FIFO)");
    if (S_ISCHR(mode) || S_ISBLK(mode))
        return QStringLiteral("یک دستگاه");
    if (S_ISSOCK(mode))
        return QStringLiteral("یک سوکت");
    return QStringLiteral("فایل عادی نیست");
}

QString notAFile(const QString &path, mode_t mode)
{
    return QStringLiteral("این مسیر فایل نیست، %1 است:\n%2").arg(kindOf(mode), QDir::toNativeSeparators(path));
}

bool syncFolder(const QString &folder, int *error)
{
    const int fd = ::open(encoded(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) {
        *error = errno;
        return false;
    }
    // Some file systems cannot sync a folder at all; that is no failure of the write.
    const bool synced = calls->fsync(fd) == 0 || errno == EINVAL;
    *error = errno;
    ::close(fd);
    return synced;
}

}  // namespace

void setSystemCalls(const SystemCalls *replacement)
{
    calls = replacement ? replacement : &kRealCalls;
}

QString describeError(int error, const QString &path)
{
    const QString shown = QDir::toNativeSeparators(path);
    QString cause;
    switch (error) {
    case ENOSPC:
    case EDQUOT:
        cause = QStringLiteral("دیسک پر است و جای خالی ندارد");
        break;
    case EACCES:
    case EPERM:
        cause = QStringLiteral("اجازهٔ دسترسی به این مسیر داده نشده است");
        break;
    case EROFS:
        cause = QStringLiteral("این دیسک فقط‌خواندنی است");
        break;
    case ENOENT:
        cause = QStringLiteral("این مسیر یا پوشهٔ آن وجود ندارد");
        break;
    case ENOTDIR:
        cause = QStringLiteral("بخشی از این مسیر پوشه نیست");
        break;
    case EIO:
        cause = QStringLiteral("دیسک در خواندن یا نوشتن خطا داد");
        break;
    case EISDIR:
        cause = QStringLiteral("این مسیر یک پوشه است");
        break;
    case ENAMETOOLONG:
        cause = QStringLiteral("نام این مسیر بیش از اندازه بلند است");
        break;
    default:
        cause = QStringLiteral("خطای سیستم");
        break;
    }
    // The system's own words are for the error output only.
    qWarning("quorvel: %s: %s", qUtf8Printable(shown), std::strerror(error));
    return QStringLiteral("%1:\n%2").arg(cause, shown);
}

QString refuseTarget(const QString &path)
{
    struct stat info {};
    if (::stat(encoded(path).constData(), &info) != 0) {
        if (errno == ENOENT && QFileInfo(QFileInfo(path).absolutePath()).isDir())
            return {};
        return describeError(errno, path);
    }
    if (!S_ISREG(info.st_mode))
        return notAFile(path, info.st_mode);
    return {};
}

bool isMissing(const QString &path)
{
    struct stat info {};
    return ::stat(encoded(path).constData(), &info) != 0 && errno == ENOENT;
}

QString refuseSource(const QString &path)
{
    struct stat info {};
    if (::stat(encoded(path).constData(), &info) != 0)
        return describeError(errno, path);
    if (!S_ISREG(info.st_mode))
        return notAFile(path, info.st_mode);
    if (::access(encoded(path).constData(), R_OK) != 0)
        return describeError(errno, path);
    return {};
}

void removeStaleTemporaries(const QString &folder)
{
    const QDir dir(folder);
    const QStringList names = dir.entryList({QString::fromLatin1(kPrefix) + QStringLiteral("*") + QString::fromLatin1(kSuffix)},
                                            QDir::Files | QDir::Hidden | QDir::System);
    for (const QString &name : names) {
        const QByteArray path = encoded(dir.filePath(name));
        const int fd = ::open(path.constData(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
        if (fd < 0)
            continue;
        // A writer holds a lock on its file until it is done; a file no one holds was left by a killed one.
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0)
            ::unlink(path.constData());
        ::close(fd);
    }
}

Writer::Writer(const QString &target) : m_target(QFileInfo(target).absoluteFilePath()) {}

Writer::~Writer()
{
    cancel();
}

bool Writer::fail(int error, const QString &path)
{
    m_error = describeError(error, path);
    setErrorString(m_error);
    return false;
}

bool Writer::open()
{
    m_error.clear();
    if (const QString refused = refuseTarget(m_target); !refused.isEmpty()) {
        m_error = refused;
        setErrorString(m_error);
        return false;
    }
    const QString folder = QFileInfo(m_target).absolutePath();
    removeStaleTemporaries(folder);
    QByteArray name = encoded(QDir(folder).filePath(QString::fromLatin1(kPrefix) + QStringLiteral("XXXXXX")
                                                    + QString::fromLatin1(kSuffix)));
    m_fd = ::mkostemps(name.data(), int(std::strlen(kSuffix)), O_CLOEXEC);
    if (m_fd < 0)
        return fail(errno, m_target);
    m_temporary = QFile::decodeName(name);
    // Held until the file is renamed or removed, so no other writer takes it for a leftover.
    m_lockFd = ::open(name.constData(), O_RDONLY | O_CLOEXEC);
    if (m_lockFd < 0 || ::flock(m_lockFd, LOCK_EX | LOCK_NB) != 0 || ::fchmod(m_fd, S_IRUSR | S_IWUSR) != 0) {
        const int error = errno;
        cancel();
        return fail(error, m_target);
    }
    return QIODevice::open(QIODevice::WriteOnly | QIODevice::Unbuffered);
}

qint64 Writer::readData(char *, qint64)
{
    return -1;
}

qint64 Writer::writeData(const char *data, qint64 size)
{
    // A writer whose write failed stays failed, its first cause named once.
    if (m_fd < 0 || m_finished || !m_error.isEmpty())
        return -1;
    qint64 written = 0;
    while (written < size) {
        const ssize_t step = calls->write(m_fd, data + written, size_t(size - written));
        if (step < 0) {
            if (errno == EINTR)
                continue;
            fail(errno, m_target);
            return -1;
        }
        if (step == 0) {
            fail(ENOSPC, m_target);
            return -1;
        }
        written += step;
    }
    return written;
}

bool Writer::finish()
{
    if (m_fd < 0)
        return m_finished;
    if (!m_error.isEmpty()) {
        cancel();
        return false;
    }
    const int fd = m_fd;
    m_fd = -1;
    QIODevice::close();
    const bool synced = calls->fsync(fd) == 0;
    const int syncError = errno;
    const bool closed = calls->close(fd) == 0;
    const int closeError = errno;
    if (!synced || !closed) {
        cancel();
        return fail(!synced ? syncError : closeError, m_target);
    }
    m_finished = true;
    return true;
}

bool Writer::commit()
{
    if (!m_finished && !finish())
        return false;
    if (m_committed)
        return true;
    if (calls->rename(encoded(m_temporary).constData(), encoded(m_target).constData()) != 0) {
        const int error = errno;
        cancel();
        return fail(error, m_target);
    }
    m_committed = true;
    if (m_lockFd >= 0) {
        ::close(m_lockFd);
        m_lockFd = -1;
    }
    int error = 0;
    if (!syncFolder(QFileInfo(m_target).absolutePath(), &error))
        return fail(error, QFileInfo(m_target).absolutePath());
    return true;
}

void Writer::cancel()
{
    if (m_fd >= 0) {
        ::close(m_fd);
        m_fd = -1;
    }
    if (isOpen())
        QIODevice::close();
    if (!m_committed && !m_temporary.isEmpty())
        ::unlink(encoded(m_temporary).constData());
    if (m_lockFd >= 0) {
        ::close(m_lockFd);
        m_lockFd = -1;
    }
    m_finished = false;
}

}  // namespace SafeFile
