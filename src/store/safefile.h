#pragma once

#include <QIODevice>
#include <QString>

#include <sys/types.h>

// Every file the program writes goes through here, so that a name never
// leads to half a file: the bytes go to a temporary file in the target's
// folder, which is synced, closed and checked, and only then renamed over
// the target; the folder is synced after the rename. On any failure the
// target stays as it was, the temporary file is removed, and the cause is
// named. A temporary file left by a killed writer is removed by the next
// writer in the same folder, so none pile up.
namespace SafeFile {

// Checks that path may be replaced by a regular file: nothing stands there,
// or a regular file does. Folders, pipes, devices and sockets are refused by
// name. Empty when it may, otherwise the reason.
QString refuseTarget(const QString &path);

// Checks that path names a regular file this user may read. Empty when it
// does, otherwise the reason, naming the path.
QString refuseSource(const QString &path);

// True only when nothing stands at path; a path that cannot be looked at
// (a folder this user may not read) is not missing, it is refused.
bool isMissing(const QString &path);

// The cause of errno value error for path, in the operator's words; the
// system's own words for it go to the error output.
QString describeError(int error, const QString &path);

// Removes temporary files that killed writers left in folder.
void removeStaleTemporaries(const QString &folder);

// Written like any device (a PDF writer takes it as its output); a failed
// write names its cause in errorText().
class Writer : public QIODevice
{
public:
    explicit Writer(const QString &target);
    ~Writer() override;  // removes the temporary file unless committed

    // Creates the temporary file beside the target, readable and writable by
    // its owner only whatever the umask, and opens the device for writing.
    [[nodiscard]] bool open();
    // Syncs and closes the temporary file, checking both: afterwards the
    // whole content is on the disk under temporaryPath(), ready to be checked.
    [[nodiscard]] bool finish();
    // Renames the finished file over the target and syncs the folder.
    [[nodiscard]] bool commit();
    // Gives up: the temporary file goes, the target stays as it was.
    void cancel();

    QString target() const { return m_target; }
    QString temporaryPath() const { return m_temporary; }
    QString errorText() const { return m_error; }

protected:
    qint64 readData(char *data, qint64 maxSize) override;
    qint64 writeData(const char *data, qint64 size) override;

private:
    using QIODevice::open;
    bool fail(int error, const QString &path);

    QString m_target;
    QString m_temporary;
    int m_fd = -1;
    int m_lockFd = -1;  // holds the lock that marks the temporary file as in use
    bool m_finished = false;
    bool m_committed = false;
    QString m_error;
};

// The system calls the writer makes where the disk can fail, replaceable by
// tests that make them fail on purpose.
struct SystemCalls {
    ssize_t (*write)(int fd, const void *data, size_t size);
    int (*fsync)(int fd);
    int (*close)(int fd);
    int (*rename)(const char *from, const char *to);
};
// Installs calls (not owned); nullptr puts the real ones back.
void setSystemCalls(const SystemCalls *calls);

}  // namespace SafeFile
