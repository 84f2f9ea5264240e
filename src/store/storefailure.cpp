#include "store/storefailure.h"

#include "store/database.h"

#include <QSqlDatabase>
#include <QSqlDriver>
#include <QSqlError>
#include <QVariant>

#include <sqlite3.h>

namespace {

StoreFailure classifyCode(int code, const QString &text)
{
    // The low byte of an extended result code is its primary code.
    switch (code & 0xff) {
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        return StoreFailure::Busy;
    case SQLITE_READONLY:
    case SQLITE_CANTOPEN:
    case SQLITE_PERM:
        return StoreFailure::ReadOnly;
    case SQLITE_CORRUPT:
    case SQLITE_NOTADB:
        return StoreFailure::Damaged;
    case SQLITE_CONSTRAINT:
        if ((code == SQLITE_CONSTRAINT_PRIMARYKEY || code == SQLITE_CONSTRAINT_UNIQUE)
            || text.contains(QLatin1String("UNIQUE")) || text.contains(QLatin1String("PRIMARY KEY")))
            return StoreFailure::Duplicate;
        return StoreFailure::Other;
    default:
        return StoreFailure::Other;
    }
}

// By PostgreSQL's SQLSTATE: its class (the first two characters) and a few codes.
StoreFailure classifyServerState(const QString &state)
{
    if (state == QLatin1String("23505"))
        return StoreFailure::Duplicate;
    if (state == QLatin1String("40001") || state == QLatin1String("40P01") || state == QLatin1String("55P03")
        || state == QLatin1String("57014"))
        return StoreFailure::Busy;
    if (state == QLatin1String("25006") || state == QLatin1String("42501"))
        return StoreFailure::ReadOnly;
    if (state == QLatin1String("XX001") || state == QLatin1String("XX002"))
        return StoreFailure::Damaged;
    if (state.startsWith(QLatin1String("08")) || state.startsWith(QLatin1String("57P")))
        return StoreFailure::Unreachable;
    return StoreFailure::Other;
}

}  // namespace

StoreFailure classifyFailure(const QSqlError &error)
{
    if (error.type() == QSqlError::NoError)
        return StoreFailure::None;
    if (Store::isServerOpen()) {
        // No state: the driver lost the server before it could answer.
        const StoreFailure failure = error.nativeErrorCode().size() == 5 ? classifyServerState(error.nativeErrorCode())
                                                                         : StoreFailure::Unreachable;
        if (failure == StoreFailure::Unreachable)
            Store::noteConnectionLost();
        return failure;
    }
    bool numeric = false;
    const int code = error.nativeErrorCode().toInt(&numeric);
    if (!numeric)
        return StoreFailure::Other;
    return classifyCode(code, error.databaseText());
}

StoreFailure classifyFailure(const QSqlError &error, const QSqlDatabase &connection)
{
    const StoreFailure byError = classifyFailure(error);
    if (byError != StoreFailure::Other || !error.nativeErrorCode().isEmpty())
        return byError;
    const QVariant handle = connection.isValid() ? connection.driver()->handle() : QVariant();
    if (handle.isValid() && qstrcmp(handle.typeName(), "sqlite3*") == 0)
        if (sqlite3 *db = *static_cast<sqlite3 *const *>(handle.data()))
            return classifyCode(sqlite3_extended_errcode(db), QString::fromUtf8(sqlite3_errmsg(db)));
    return byError;
}
