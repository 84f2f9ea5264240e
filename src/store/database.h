#pragma once

#include <QSqlDatabase>
#include <QString>

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

// Opens the process's connection on the file at path, after checking that the
// file is a database of this program. A file that is not is left as it was.
OpenResult openDatabase(const QString &path = QString::fromLatin1(kDatabasePath), Access access = Access::ReadWrite);

// Checks, without writing anything, that the file at path is a whole
// database of this program (its header, SQLite's full integrity check, its
// tables): Opened when it is, otherwise why not. Uses a connection of its own.
OpenResult checkDatabaseFile(const QString &path);

// Writes a fresh database at path: the four tables, the twenty items and the
// one settings row. Refuses to replace an existing file.
bool createDatabase(const QString &path, QString *error = nullptr);

// The open connection (invalid before openDatabase succeeds).
QSqlDatabase database();

// Closes and forgets the connection; record sets must be gone by then.
void closeDatabase();

// How long an operation waits for another program that holds the file before
// it fails as busy. The windows keep painting meanwhile; input waits.
void setBusyWait(int milliseconds);

}  // namespace Store
