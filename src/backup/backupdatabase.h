#pragma once

#include <QString>

#include "backup/copyfileinblocks.h"

#include <functional>

namespace Backup {

// Writes a backup of the database at database to target: the bytes of one
// consistent snapshot (no writer can change the file while they are read),
// checked as a restore first checks a backup (header, length, schema,
// settings row and items) before the copy takes the target's
// name. When another program is writing, it waits as the store waits, then
// refuses with *busy set. The database itself is never written. False with
// the cause in *error, or with *cancelled set when progress stopped the copy;
// the target is then as it was.
bool backupDatabase(const QString &database, const QString &target, QString *error, const CopyProgress &progress = {},
                    bool *busy = nullptr, bool *cancelled = nullptr);

// The server's database as a backup file at target: a complete database of
// the program, read in one consistent snapshot of the server, so that it
// opens on any desk and in any SQLite tool. The target is replaced only by
// a whole, compared copy.
bool backupServer(const QString &target, QString *error);

}  // namespace Backup
