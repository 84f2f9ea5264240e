#pragma once

#include <QString>

#include "backup/copyfileinblocks.h"

#include <functional>

namespace Backup {

// Where a restore stopped, so the window can say it in the right words.
enum class RestoreFailure {
    None,
    Source,   // the backup could not be read or copied
    Refused,  // the backup is not exactly a whole database of this program
    Replace,  // the checked copy could not take the database's place
    Cancelled,  // the operator stopped the copy; the database is as it was
};

// Puts the backup at source in place of the database at database. The
// backup's header, length and schema are checked before anything is copied;
// it is then copied beside the database and checked whole there. Only then
// are the program's connection and its record sets let go, and the checked
// copy renamed over the database while no other program holds it: the
// database is either left exactly as it was or replaced whole, and nothing
// is left beside it. After a restore nothing may use the connection again:
// the program ends. False with the reason in *error and the stage in
// *failure; the connection is then open again (or *error says it is not).
bool restoreDatabase(const QString &source, const QString &database, QString *error,
                     const CopyProgress &progress = {}, RestoreFailure *failure = nullptr);

// A server's rows all replaced by the backup's, in one transaction, once the
// backup passed the same checks as for the file: all or nothing, also when
// the connection drops half-way. The program's own connection stays open.
bool restoreOnServer(const QString &source, QString *error, RestoreFailure *failure = nullptr);

}  // namespace Backup
