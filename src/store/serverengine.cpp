#include "store/serverengine.h"

#include "store/databasecopy.h"
#include "store/filecheck.h"
#include "store/safefile.h"
#include "store/schema.h"

#include <QSqlDriver>
#include <libpq-fe.h>
#include <poll.h>
#include <QSqlError>
#include <QSqlIndex>
#include <QSqlQuery>

namespace Store {

namespace {

// Each session waits for a row another desk holds as the file waits for a
// busy file, then fails as busy.
bool setUpSession(QSqlDatabase &db, QString *error)
{
    QSqlQuery query(db);
    if (query.exec(QStringLiteral("SET lock_timeout = %1").arg(busyWait()))
        && query.exec(QStringLiteral("SET client_min_messages = warning")))
        return true;
    if (error)
        *error = query.lastError().text();
    return false;
}

// The advisory lock the desk that makes an empty database ours holds.
constexpr qint64 kMakingTables = 0x51756f7274;

// By PostgreSQL's SQLSTATE: its class (the first two characters) and a few codes.
StoreFailure classifyState(const QString &state)
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
    if (state == QLatin1String("53100"))
        return StoreFailure::DiskFull;
    if (state.startsWith(QLatin1String("08")) || state.startsWith(QLatin1String("57P")))
        return StoreFailure::Unreachable;
    return StoreFailure::Other;
}

// Whether the server has ended an idle connection: a stop, a restart, an
// idle timeout or pg_terminate_backend each close its socket, which then
// reads as ready with nothing waiting to be answered. One poll, no round trip.
bool connectionEnded(const QSqlDatabase &db)
{
    const QVariant handle = db.driver()->handle();
    // Qt's driver names the type by libpq's struct.
    if (qstrcmp(handle.typeName(), "pg_conn*") != 0 && qstrcmp(handle.typeName(), "PGconn*") != 0)
        return false;
    PGconn *connection = *static_cast<PGconn *const *>(handle.data());
    if (!connection || PQstatus(connection) != CONNECTION_OK)
        return true;
    if (PQtransactionStatus(connection) == PQTRANS_ACTIVE)
        return false;
    // Reading takes in the server's last words and then the end of the stream.
    for (int reads = 0; reads < 4; ++reads) {
        pollfd ready{PQsocket(connection), POLLIN, 0};
        if (::poll(&ready, 1, 0) <= 0)
            return false;
        if (!PQconsumeInput(connection) || PQstatus(connection) != CONNECTION_OK)
            return true;
    }
    return false;
}

// The current row of a query through Qt's driver.
class QueryRow : public RowValues
{
public:
    explicit QueryRow(const QSqlQuery &query) : m_query(query) {}
    QString text(int column) const override { return m_query.value(column).toString(); }
    QByteArrayView utf8(int column) const override
    {
        m_bytes = text(column).toUtf8();
        return m_bytes;
    }

private:
    const QSqlQuery &m_query;
    mutable QByteArray m_bytes;
};

// Inside one turn that desks opening the same database take one after the
// other: what the database holds is looked at, and an empty one is given
// the program's tables, so that no desk sees the tables another is making
// half made, nor takes them for someone else's.
OpenResult makeOursOrCheck(QSqlDatabase &db)
{
    if (!db.transaction())
        return {OpenStatus::Failed, db.lastError().text()};
    QSqlQuery turn(db);
    if (!turn.exec(QStringLiteral("SET LOCAL lock_timeout = 60000"))
        || !turn.exec(QStringLiteral("SELECT pg_advisory_xact_lock(%1)").arg(kMakingTables))) {
        const QString error = turn.lastError().text();
        db.rollback();
        return {OpenStatus::Failed, error};
    }
    turn.finish();
    QString error;
    switch (tableShape(db)) {
    case Shape::Ours:
        db.rollback();
        return {OpenStatus::Opened, {}};
    case Shape::Partial:
        db.rollback();
        return {OpenStatus::Damaged, QStringLiteral("tables of the program are missing")};
    case Shape::Foreign:
        break;
    }
    // Only an empty database becomes ours; one holding other tables is someone else's.
    if (!db.tables(QSql::Tables).isEmpty() || !db.tables(QSql::Views).isEmpty()) {
        db.rollback();
        return {OpenStatus::NotOurs, {}};
    }
    if (!fillNewDatabase(db, &error) || !db.commit()) {
        db.rollback();
        return {OpenStatus::Failed, error.isEmpty() ? db.lastError().text() : error};
    }
    return {OpenStatus::Opened, {}};
}

}  // namespace

void configureServerConnection(QSqlDatabase &db, const ServerAddress &address)
{
    if (!address.host.isEmpty())
        db.setHostName(address.host);
    db.setDatabaseName(address.database);
    if (!address.user.isEmpty())
        db.setUserName(address.user);
    // The password, if any, comes from ~/.pgpass or PGPASSWORD, as libpq reads them.
    QMap<QString, QString> parameters{{QStringLiteral("connect_timeout"), QStringLiteral("10")},
                                      {QStringLiteral("application_name"), QStringLiteral("quorvel")}};
    parameters.insert(address.parameters);
    // One port goes as Qt's port; a list of them only as an option.
    bool onePort = false;
    const int port = address.port.toInt(&onePort);
    if (onePort)
        db.setPort(port);
    else if (!address.port.isEmpty())
        parameters.insert(QStringLiteral("port"), address.port);
    QStringList options;
    for (auto parameter = parameters.cbegin(); parameter != parameters.cend(); ++parameter) {
        QString value = parameter.value();
        value.replace(u'\\', QStringLiteral("\\\\")).replace(u'\'', QStringLiteral("\\'"));
        options << parameter.key() + QStringLiteral("='") + value + u'\'';
    }
    db.setConnectOptions(options.join(QLatin1Char(';')));
}

OpenResult ServerEngine::open()
{
    if (!QSqlDatabase::isDriverAvailable(QStringLiteral("QPSQL")))
        return {OpenStatus::Failed, QStringLiteral("Qt's PostgreSQL driver (libqt6sql6-psql) is not installed")};
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), connectionName());
    configureServerConnection(db, m_address);
    if (!db.open())
        return {OpenStatus::Failed, db.lastError().text()};
    QString error;
    if (!setUpSession(db, &error))
        return {OpenStatus::Failed, error};
    const OpenResult checked = makeOursOrCheck(db);
    if (checked.status != OpenStatus::Opened)
        return checked;
    execAll(db, indexStatements(), nullptr);
    return {OpenStatus::Opened, {}};
}

QString ServerEngine::description() const
{
    return m_address.shown();
}

QString ServerEngine::tableName(const QSqlDatabase &db, const QString &table) const
{
    // A server keeps the case of a name only when it is quoted.
    return db.driver()->escapeIdentifier(table, QSqlDriver::TableName);
}

QString ServerEngine::rowOrder(const QSqlDatabase &db, const QSqlIndex &key) const
{
    // Rows have no lasting id here: the one-field key orders them.
    if (key.count() != 1)
        return {};
    return db.driver()->escapeIdentifier(key.fieldName(0), QSqlDriver::FieldName);
}

QString ServerEngine::listOrder(const QSqlDatabase &db, const QSqlIndex &key) const
{
    // A server returns rows in no lasting order: a grid shows them by key, as reports page them.
    const QString order = rowOrder(db, key);
    return order.isEmpty() ? QString() : QStringLiteral(" ORDER BY ") + order;
}

bool ServerEngine::lastWriteReachedARow(const QSqlDatabase &, bool *reached, QSqlError *) const
{
    // Rows with a key are written by key, with the statement's own count;
    // only the key-less settings row comes here, and it is never deleted.
    *reached = true;
    return true;
}

StoreFailure ServerEngine::classify(const QSqlError &error, const QSqlDatabase &) const
{
    if (error.type() == QSqlError::NoError)
        return StoreFailure::None;
    // No state: the driver lost the server before it could answer.
    return error.nativeErrorCode().size() == 5 ? classifyState(error.nativeErrorCode()) : StoreFailure::Unreachable;
}

QSqlDatabase ServerEngine::addConnection(const QString &name, const Place &place, bool) const
{
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), name);
    configureServerConnection(db, place.address);
    return db;
}

QString ServerEngine::snapshotStatement() const
{
    return QStringLiteral("BEGIN ISOLATION LEVEL REPEATABLE READ READ ONLY");
}

bool ServerEngine::ensureConnected()
{
    QSqlDatabase db = database();
    if (!db.isValid())
        return true;
    if (!m_lost && !connectionEnded(db))
        return true;
    m_lost = true;
    if (m_inTransaction)
        return false;
    db.close();
    if (!db.open())
        return false;
    setUpSession(db, nullptr);
    m_lost = false;
    return true;
}

CopyOutcome ServerEngine::writeSnapshot(SafeFile::Writer &out, const Progress &progress)
{
    Place from;
    from.server = true;
    from.address = m_address;
    return copyIntoFile(from, out.temporaryPath(), progress);
}

CopyOutcome ServerEngine::replaceWith(const QString &source, const Progress &progress)
{
    // Every page of the backup is checked before a row of the server changes.
    const OpenResult checked = checkWholeBeside(source, progress);
    if (checked.status == OpenStatus::Failed && checked.detail == kCheckCancelled)
        return {CopyEnd::Cancelled, checked.detail};
    if (checked.status == OpenStatus::Missing || checked.status == OpenStatus::Failed)
        return {CopyEnd::Source, checked.detail};
    if (checked.status != OpenStatus::Opened)
        return {CopyEnd::Refused, checked.detail};
    Place from;
    from.path = source;
    Place to;
    to.server = true;
    to.address = m_address;
    QString error;
    bool cancelled = false;
    bool restoring = false;
    if (!copyDatabase(from, to, TargetRule::Replace, &error, progress, &cancelled, &restoring))
        return {cancelled ? CopyEnd::Cancelled : restoring ? CopyEnd::Restoring : CopyEnd::Replace, error};
    return {};
}

ReadEnd ServerEngine::readRows(const QString &sql, const QStringList &bindings,
                               const std::function<bool(const RowValues &)> &row, QString *error)
{
    QSqlQuery query(database());
    query.setForwardOnly(true);
    // Numbered placeholders in the order they are bound, as Qt's driver takes them.
    QString statement = sql;
    for (int number = int(bindings.size()); number >= 1; --number)
        statement.replace(QStringLiteral("?%1").arg(number), QStringLiteral("?"));
    if (!query.prepare(statement)) {
        *error = query.lastError().text();
        return ReadEnd::Failed;
    }
    for (const QString &value : bindings)
        query.addBindValue(value);
    if (!query.exec()) {
        *error = query.lastError().text();
        return ReadEnd::Failed;
    }
    const QueryRow values(query);
    while (query.next())
        if (!row(values))
            return ReadEnd::Stopped;
    if (query.lastError().isValid()) {
        *error = query.lastError().text();
        return ReadEnd::Failed;
    }
    return ReadEnd::Done;
}

}  // namespace Store
