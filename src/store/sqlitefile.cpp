#include "store/sqlitefile.h"

#include "store/database.h"

#include <QElapsedTimer>
#include <QFile>
#include <QSqlDatabase>
#include <QSqlDriver>
#include <QThread>
#include <QVariant>

#include <sqlite3.h>

namespace Store {

namespace {

quint32 bigEndian(const QByteArray &bytes, int at, int size)
{
    quint32 value = 0;
    for (int i = 0; i < size; ++i)
        value = (value << 8) | quint8(bytes.at(at + i));
    return value;
}

// SQLite asks this while another program holds the file. The wait runs
// none of the program's events: no timer or close can start a second store
// call on this connection while the first one waits.
int waitWhileBusy(void *, int attempt)
{
    static QElapsedTimer waited;
    if (attempt == 0) {
        waited.start();
        notifyBusyWait();
    }
    if (waited.elapsed() >= busyWait())
        return 0;
    QThread::msleep(20);
    return 1;
}

}  // namespace

HeaderBytes readHeaderBytes(const QString &path)
{
    HeaderBytes header;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return header;
    const QByteArray head = file.read(100);
    header.blank = head.isEmpty() || (head.size() == 100 && head.count('\0') == 100);
    header.sqlite = head.startsWith(QByteArray("SQLite format 3\0", 16));
    // A header cut short gives no page size: the file is damaged.
    if (!header.sqlite || head.size() < 100)
        return header;
    const quint32 size = bigEndian(head, 16, 2);
    const qint64 pageSize = size == 1 ? 65536 : size;
    if (pageSize >= 512 && pageSize <= 65536 && (pageSize & (pageSize - 1)) == 0)
        header.pageSize = pageSize;
    // The page count in the header holds only while the change counter agrees.
    if (bigEndian(head, 24, 4) == bigEndian(head, 92, 4))
        header.pageCount = bigEndian(head, 28, 4);
    const int write = quint8(head.at(18));
    const int read = quint8(head.at(19));
    if (write == 1 && read == 1)
        header.journalMode = JournalMode::Rollback;
    else if (write == 2 && read == 2)
        header.journalMode = JournalMode::WriteAhead;
    return header;
}

bool isBusyCode(int code)
{
    return (code & 0xff) == SQLITE_BUSY || (code & 0xff) == SQLITE_LOCKED;
}

StoreFailure classifySqliteCode(int code, const QString &text)
{
    // The low byte of an extended result code is its primary code.
    switch (code & 0xff) {
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        return StoreFailure::Busy;
    case SQLITE_READONLY:
    case SQLITE_CANTOPEN:
    case SQLITE_PERM:
        return StoreFailure::ReadOnly;
    case SQLITE_CORRUPT:
    case SQLITE_NOTADB:
        return StoreFailure::Damaged;
    case SQLITE_FULL:
        return StoreFailure::DiskFull;
    case SQLITE_CONSTRAINT:
        if ((code == SQLITE_CONSTRAINT_PRIMARYKEY || code == SQLITE_CONSTRAINT_UNIQUE)
            || text.contains(QLatin1String("UNIQUE")) || text.contains(QLatin1String("PRIMARY KEY")))
            return StoreFailure::Duplicate;
        return StoreFailure::Other;
    default:
        return StoreFailure::Other;
    }
}

sqlite3 *sqliteHandle(const QSqlDatabase &db)
{
    if (!db.isValid() || !db.driver())
        return nullptr;
    const QVariant handle = db.driver()->handle();
    if (!handle.isValid() || qstrcmp(handle.typeName(), "sqlite3*") != 0)
        return nullptr;
    return *static_cast<sqlite3 *const *>(handle.data());
}

void installBusyWait(sqlite3 *handle)
{
    if (handle)
        sqlite3_busy_handler(handle, waitWhileBusy, nullptr);
}

FileLock::FileLock(const QString &path, Mode mode)
{
    int code = sqlite3_open_v2(QFile::encodeName(path).constData(), &m_db, SQLITE_OPEN_READWRITE, nullptr);
    if (code == SQLITE_OK) {
        // Held from a thread of its own while a window paints: the wait tells no observer.
        sqlite3_busy_timeout(m_db, busyWait());
        // A plain BEGIN takes no lock of its own; the first read takes the
        // shared lock that keeps writers out until the end.
        code = sqlite3_exec(m_db, mode == Mode::Exclusive ? "BEGIN EXCLUSIVE" : "BEGIN; SELECT COUNT(*) FROM sqlite_master",
                            nullptr, nullptr, nullptr);
    }
    if (code != SQLITE_OK) {
        m_error = QString::fromUtf8(sqlite3_errmsg(m_db));
        m_busy = isBusyCode(sqlite3_errcode(m_db));
        return;
    }
    m_held = true;
}

FileLock::~FileLock()
{
    if (m_held)
        sqlite3_exec(m_db, "ROLLBACK", nullptr, nullptr, nullptr);
    sqlite3_close_v2(m_db);
}

}  // namespace Store
