#include "store/storefailure.h"

#include "store/database.h"
#include "store/engine.h"

#include <QSqlDatabase>
#include <QSqlError>

StoreFailure classifyFailure(const QSqlError &error, const QSqlDatabase &connection)
{
    const StoreFailure failure = Store::engineFor(connection).classify(error, connection);
    if (failure == StoreFailure::Unreachable && connection.connectionName() == Store::connectionName())
        Store::engine().noteConnectionLost();
    return failure;
}
