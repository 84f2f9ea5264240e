#pragma once

#include <QString>

#include "backup/copyfileinblocks.h"

namespace Backup {

// Writes a backup of the open store, file or server, to target: a whole
// database file of the program read in one consistent snapshot (no writer can
// change what is read), checked as a restore first checks a backup (header,
// length, schema, settings row and items) before the copy takes the target's
// name. When another program is writing it waits as the store waits, then
// refuses with *busy set. The store itself is never written. False with the
// cause in *error, or with *cancelled set when progress stopped the copy;
// the target is then as it was.
bool backupStore(const QString &target, QString *error, const CopyProgress &progress = {}, bool *busy = nullptr,
                 bool *cancelled = nullptr);

// The same for the database file at database, open in this process or not.
bool backupDatabase(const QString &database, const QString &target, QString *error, const CopyProgress &progress = {},
                    bool *busy = nullptr, bool *cancelled = nullptr);

}  // namespace Backup
