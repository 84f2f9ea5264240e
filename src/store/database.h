#pragma once

#include <QObject>
#include <QSqlDatabase>
#include <QString>

#include "store/storeaddress.h"

#include <functional>

// The one database file of the program and the process's one connection to it.
namespace Store {

// Where the windows expect the database, relative to the program folder.
inline constexpr char kDatabasePath[] = "DBQORV/DBQORV.mdb";

enum class OpenStatus {
    Opened,     // the connection is open and holds our four tables
    Missing,    // no file at the path
    NotOurs,    // the file is not a database of this program; it was not changed
    Damaged,    // the file is a database of this program that is not whole; it was not changed
    Failed,     // the file could not be opened
};

struct OpenResult {
    OpenStatus status = OpenStatus::Failed;
    QString detail;  // the driver's words when something went wrong
};

enum class Access {
    ReadWrite,
    ReadOnly,  // for readers beside a running program: nothing is ever written
};

// When SQLite's check of every page runs: at open, or once the caller has
// shown its window (finishPageCheck), so that a large file does not hold up
// the first paint. Until the check has passed nothing is written, not even
// a missing index.
enum class PageCheck { AtOpen, Later };

// Opens the process's connection on the file at path, after checking that the
// file is a database of this program. A file that is not is left as it was.
OpenResult openDatabase(const QString &path = QString::fromLatin1(kDatabasePath), Access access = Access::ReadWrite,
                        PageCheck pageCheck = PageCheck::AtOpen);

// Opens the process's connection on a PostgreSQL database that several
// workstations share. An empty database is given the program's tables, the
// twenty items and the settings row; one holding other tables is NotOurs.
OpenResult openServerDatabase(const ServerAddress &address);
// A server's connection that failed as unreachable is opened afresh before
// the next operation: called by the store before each read and write. True
// when the connection is usable (always for the file).
bool ensureConnected();

// The open database as the windows name it: the file's full path, or the
// server's address without anything secret; empty when none is open.
QString storeDescription();
// Whether other desks share the open database (a server's), so that a
// restore replaces their data too.
bool isStoreShared();

// Runs the page check an open with PageCheck::Later left for later, then makes
// what the open did not write. Opened when the file is whole (or was checked
// already); Damaged with SQLite's words otherwise.
OpenResult finishPageCheck();

// Checks, without writing anything, that the file at path is a whole
// database of this program (its header, SQLite's full integrity check, its
// tables): Opened when it is, otherwise why not. Uses a connection of its own.
OpenResult checkDatabaseFile(const QString &path);

// Writes a fresh database at path: the four tables, the twenty items and the
// one settings row. Refuses to replace an existing file.
bool createDatabase(const QString &path, QString *error = nullptr);

// The open connection (invalid before openDatabase succeeds), and its name.
QSqlDatabase database();
QString connectionName();

// Closes and forgets the connection. Record sets still open are told first:
// they let go of it and refuse every later use as closed.
void closeDatabase();

// Tells record sets that the connection is about to close.
class ConnectionEvents : public QObject
{
    Q_OBJECT

signals:
    void closing();
};
ConnectionEvents &connectionEvents();

// How long an operation waits for another program that holds the file before
// it fails as busy. The wait runs none of the program's events, so nothing
// can reach the store meanwhile.
void setBusyWait(int milliseconds);
int busyWait();
// Called when a wait for a busy file begins (the program shows a busy
// pointer); nullptr for none.
void setBusyWaitObserver(std::function<void()> observer);
// Tells the observer, when called on the program's main thread.
void notifyBusyWait();

// Removes what an earlier run may have left beside the database at path:
// unfinished copies and journals that belong to no database.
void removeLeftovers(const QString &path);

}  // namespace Store
