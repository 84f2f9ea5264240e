#pragma once

#include "store/storefailure.h"

#include <QString>

class QSqlDatabase;
struct sqlite3;

// What the file engine shares between its parts: the header of a database
// file read without SQLite, SQLite's result codes in the store's words, the
// wait for a busy file, and a lock held on a connection of its own.
namespace Store {

enum class JournalMode { None, Rollback, WriteAhead };

struct HeaderBytes {
    bool sqlite = false;      // begins with SQLite's magic text
    bool blank = false;       // empty, or a first page that was wiped
    qint64 pageSize = 0;      // 0 when the header gives none that SQLite allows
    qint64 pageCount = 0;     // as the header says, 0 when it cannot be trusted
    JournalMode journalMode = JournalMode::None;
};

// The first hundred bytes of the file at path, read without SQLite.
HeaderBytes readHeaderBytes(const QString &path);

// An extended result code of SQLite as the store's cause.
StoreFailure classifySqliteCode(int code, const QString &text);
bool isBusyCode(int code);

// SQLite's own handle of a Qt connection on the file; nullptr for any other.
sqlite3 *sqliteHandle(const QSqlDatabase &db);

// Makes handle wait for another program that holds the file, as the store's
// busy wait says, running none of the program's events meanwhile.
void installBusyWait(sqlite3 *handle);

// Holds the database file at path on a connection of its own: Shared keeps
// every writer out (a consistent snapshot can be read), Exclusive every
// reader and writer (the file can be replaced). Opened for writing though it
// never writes, so that a journal a killed writer left is rolled back first.
// When another program holds the file it waits as every operation does,
// then fails with isBusy().
class FileLock
{
public:
    enum class Mode { Shared, Exclusive };
    FileLock(const QString &path, Mode mode);
    ~FileLock();
    FileLock(const FileLock &) = delete;
    FileLock &operator=(const FileLock &) = delete;

    bool isHeld() const { return m_held; }
    bool isBusy() const { return m_busy; }
    QString errorText() const { return m_error; }

private:
    sqlite3 *m_db = nullptr;
    bool m_held = false;
    bool m_busy = false;
    QString m_error;
};

}  // namespace Store
