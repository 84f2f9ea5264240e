#pragma once

#include "store/engine.h"
#include "store/storeaddress.h"

#include <QString>

// Copies every row of the program's four tables from one database to
// another, file or server, as one whole: the source is read in one
// consistent snapshot, the target written in one transaction and compared
// with the source (rows and a hash of every table) before that transaction
// commits. Nothing is ever half copied.
namespace Store {

// A file path, or a postgresql:// address.
struct Place
{
    bool server = false;
    QString path;           // of the file
    ServerAddress address;  // of the server
    QString shown() const;
};
bool parsePlace(const QString &text, Place *place, QString *error);

enum class TargetRule {
    MustBeEmpty,  // a file that does not exist yet, or a server database with no rows of ours
    Replace,      // a server database whose rows are all replaced by the source's
};

// False with the reason in *error; the target is then as it was. progress,
// when given, is told every thousand rows (done rows, kRowsCopied) and may
// stop the copy, with *cancelled set. A copy into a server holds the
// server's restore lock to its end; a copy from one waits for it, shared.
// Either sets *restoring when another desk's restore held it past the busy wait.
bool copyDatabase(const Place &from, const Place &to, TargetRule rule, QString *error, const Progress &progress = {},
                  bool *cancelled = nullptr, bool *restoring = nullptr);

// The same into the empty file at path, which the caller made and will
// sync and name (a backup being written).
CopyOutcome copyIntoFile(const Place &from, const QString &path, const Progress &progress);

}  // namespace Store
