#pragma once

#include "store/storefailure.h"

#include <QString>
#include <QStringList>

// What the operator reads of a failure is Persian: the cause in the
// program's own words. The words of the server, SQLite, Qt, the system and
// the libraries are for whoever looks into a failure afterwards: they go to
// the error output, one line each, never into a window or onto the
// standard output.
namespace Causes {

// The store's cause as the operator reads it.
QString storeCause(StoreFailure failure);

// The cause that a driver's, the system's or a library's own words name,
// for failures that come with words only and no code: SQLite's "database or
// disk is full" is DiskFull, "database is locked" Busy, and so on. Other
// when they name none the program tells apart.
StoreFailure failureOfText(const QString &words);

// The store's cause of a failure as the operator reads it; the store's own
// words (detail) go to the error output under context. A failure the store
// could not classify by a code (Other) tells the cause its words name, if
// any: SQLite's "database or disk is full" reads as a full disk.
QString storeFailureText(StoreFailure failure, const QString &detail,
                         const QString &context = QStringLiteral("store"));

// Whether text is the program's own words: a Persian cause, a colon and the
// path on a line of its own, as the safe file names a failure. A driver's
// words are not, even where Qt has translated its own words among them.
bool isOwnText(const QString &text);

// Writes words to the error output as one line, "quorvel: context: words";
// nothing when they are empty.
void logDetail(const QString &context, const QString &words);

// A failure's detail as the operator may read it: the program's own words
// (isOwnText) as they are; any other words go to the error output under context,
// and the store's cause they name stands in their place (empty when they
// name none).
QString shownDetail(const QString &context, const QString &detail);

// The lines that are not empty, one under the other.
QString joinLines(const QStringList &lines);

}  // namespace Causes
