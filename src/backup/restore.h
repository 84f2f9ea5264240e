#pragma once

#include <QString>

#include <functional>

namespace Backup {

// Puts the backup at source in place of the database at database. The backup
// is first copied beside the database and checked there: it must be a whole
// database of this program. Only then is the program's connection closed and
// the checked copy renamed over the database, so the database is either
// left exactly as it was or replaced whole. After a restore nothing may use
// the connection again: the program ends. False with the reason in *error,
// the database and the connection as they were.
bool restoreDatabase(const QString &source, const QString &database, QString *error,
                     const std::function<void()> &betweenBlocks = {});

}  // namespace Backup
