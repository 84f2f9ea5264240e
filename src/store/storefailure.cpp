#include "store/storefailure.h"

#include <QSqlError>

StoreFailure classifyFailure(const QSqlError &error)
{
    if (error.type() == QSqlError::NoError)
        return StoreFailure::None;
    bool numeric = false;
    const int code = error.nativeErrorCode().toInt(&numeric);
    if (!numeric)
        return StoreFailure::Other;
    // SQLite result codes; the low byte is the primary code of an extended one.
    switch (code & 0xff) {
    case 5:   // SQLITE_BUSY
    case 6:   // SQLITE_LOCKED
        return StoreFailure::Busy;
    case 8:   // SQLITE_READONLY
    case 14:  // SQLITE_CANTOPEN
        return StoreFailure::ReadOnly;
    case 11:  // SQLITE_CORRUPT
    case 26:  // SQLITE_NOTADB
        return StoreFailure::Damaged;
    case 19:  // SQLITE_CONSTRAINT
        if (error.databaseText().contains(QLatin1String("UNIQUE")) || error.databaseText().contains(QLatin1String("PRIMARY KEY")))
            return StoreFailure::Duplicate;
        return StoreFailure::Other;
    default:
        return StoreFailure::Other;
    }
}
