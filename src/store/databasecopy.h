#pragma once

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

// False with the reason in *error; the target is then as it was.
bool copyDatabase(const Place &from, const Place &to, TargetRule rule, QString *error);

}  // namespace Store
