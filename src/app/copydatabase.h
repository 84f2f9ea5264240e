#pragma once

#include <QStringList>

// --copy-database FROM TO: copies every row of a database file or server
// (a path or a postgresql:// address) into a new file or an empty server
// database, in one transaction on the target, compared with the source
// before it commits. Returns the exit status: 0 when the copy is whole;
// otherwise the reason goes to the error output and the target is untouched.
int CopyDatabase(const QStringList &places);
