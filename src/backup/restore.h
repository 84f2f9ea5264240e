#pragma once

#include <QString>

#include "backup/copyfileinblocks.h"

namespace Backup {

// Told when a backup or a restore waited for another desk's restore into the server and gave up.
inline const QString AnotherDeskRestoring =
    QStringLiteral("میز دیگری در حال بازگرداندن نسخهٔ پشتیبان روی سرور است و تا پایان آن نمی‌شود پشتیبان گرفت یا "
                   "پشتیبان دیگری را بازگرداند. چیزی تغییر نکرد؛ چند دقیقه بعد دوباره امتحان کنید.");

// Where a restore stopped, so the window can say it in the right words.
enum class RestoreFailure {
    None,
    Source,   // the backup could not be read or copied
    Refused,  // the backup is not exactly a whole database of this program
    Replace,  // the checked copy could not take the database's place
    Cancelled,  // the operator stopped the copy; the database is as it was
};

// Puts the backup at source in place of the open store's data. The backup's
// header, length and schema are checked before anything is copied, and every
// page before anything is replaced: the store is either left exactly as it
// was or replaced whole. On the file, the checked copy is renamed over the
// database while no other program holds it, and the program's connection is
// closed for it: after a restore nothing may use the connection again, the
// program ends. On a server, all rows are replaced in one transaction and
// the connection stays open. False with the reason in *error and the stage
// in *failure; the store is then open as before (or *error says it is not).
bool restoreStore(const QString &source, QString *error, const CopyProgress &progress = {},
                  RestoreFailure *failure = nullptr);

// The same for the database file at database.
bool restoreDatabase(const QString &source, const QString &database, QString *error,
                     const CopyProgress &progress = {}, RestoreFailure *failure = nullptr);

}  // namespace Backup
