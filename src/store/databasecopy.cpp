#include "store/databasecopy.h"

#include "store/database.h"
#include "store/safefile.h"
#include "store/schema.h"

#include <QCryptographicHash>
#include <QFileInfo>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QtEndian>

namespace Store {

namespace {

const QStringList kTables = {QStringLiteral("ide"), QStringLiteral("Answer"), QStringLiteral("QU"), QStringLiteral("Theme")};

// What a table holds, whatever order its rows come in: their number, and
// the sum and the exclusive or of a hash of each row.
struct Fingerprint
{
    qint64 rows = 0;
    quint64 sum = 0;
    quint64 mixed = 0;
    void add(const QSqlRecord &row)
    {
        QCryptographicHash hash(QCryptographicHash::Sha256);
        for (int column = 0; column < row.count(); ++column) {
            const QVariant value = row.value(column);
            hash.addData(value.isNull() ? QByteArrayView("\x01N") : QByteArrayView(value.toString().toUtf8()));
            hash.addData(QByteArrayView("\x00", 1));
        }
        const quint64 part = qFromBigEndian<quint64>(hash.result().constData());
        ++rows;
        sum += part;
        mixed ^= part;
    }
    bool operator==(const Fingerprint &other) const
    {
        return rows == other.rows && sum == other.sum && mixed == other.mixed;
    }
};

// A connection of its own, closed and removed when it goes.
class Connection
{
public:
    Connection(const QString &name, const Place &place, bool readOnly) : m_name(name)
    {
        engineFor(place).addConnection(name, place, readOnly);
    }
    ~Connection()
    {
        {
            QSqlDatabase db = QSqlDatabase::database(m_name, false);
            if (db.isOpen())
                db.close();
        }
        QSqlDatabase::removeDatabase(m_name);
    }
    QSqlDatabase db() const { return QSqlDatabase::database(m_name, false); }

private:
    QString m_name;
};

QString quoted(const QSqlDatabase &db, const QString &name)
{
    return db.driver()->escapeIdentifier(name, QSqlDriver::TableName);
}

// What a copy tells its progress and whether it was stopped.
struct Watch
{
    const Progress &progress;
    bool *cancelled;
    qint64 rows = 0;
    // False when the progress asks to stop.
    bool step()
    {
        if (!progress || ++rows % 1000 != 0)
            return true;
        if (progress(rows, kRowsCopied))
            return true;
        if (cancelled)
            *cancelled = true;
        return false;
    }
};

// The advisory lock every restore into a server holds until it commits; a
// backup takes it shared before its snapshot, so that it never copies the
// rows a restore is replacing.
constexpr qint64 kRestoreLock = 0x51756f7276;

// Waits for the restore lock as long as a busy row is waited for. A wait
// that runs out sets *restoring: another desk is restoring.
bool takeRestoreLock(const QSqlDatabase &db, bool exclusive, QString *error, bool *restoring)
{
    QSqlQuery query(db);
    const QString scope = exclusive ? QStringLiteral("LOCAL ") : QString();
    const QString lock = exclusive ? QStringLiteral("pg_advisory_xact_lock") : QStringLiteral("pg_advisory_lock_shared");
    if (query.exec(QStringLiteral("SET %1lock_timeout = %2").arg(scope).arg(busyWait()))
        && query.exec(QStringLiteral("SELECT %1(%2)").arg(lock).arg(kRestoreLock)))
        return true;
    *error = query.lastError().text();
    if (restoring)
        *restoring = query.lastError().nativeErrorCode() == QLatin1String("55P03");
    return false;
}

bool run(QSqlDatabase db, const QString &sql, QString *error)
{
    QSqlQuery query(db);
    if (query.exec(sql))
        return true;
    *error = query.lastError().text();
    return false;
}

// The columns of table as the schema has them, quoted, in its order.
QStringList columnsOf(const QSqlDatabase &db, const QString &table)
{
    const QSqlRecord record = db.record(engineFor(db).tableName(db, table));
    QStringList columns;
    for (int i = 0; i < record.count(); ++i)
        columns << db.driver()->escapeIdentifier(record.fieldName(i), QSqlDriver::FieldName);
    return columns;
}

bool fingerprint(const QSqlDatabase &db, const QString &table, const QStringList &columns, Fingerprint *print,
                 QString *error)
{
    QSqlQuery query(db);
    query.setForwardOnly(true);
    if (!query.exec(QStringLiteral("SELECT ") + columns.join(QStringLiteral(", ")) + QStringLiteral(" FROM ")
                    + quoted(db, table))) {
        *error = query.lastError().text();
        return false;
    }
    while (query.next())
        print->add(query.record());
    return true;
}

bool copyTable(const QSqlDatabase &from, const QSqlDatabase &to, const QString &table, Fingerprint *print,
               QString *error, Watch &watch)
{
    const QStringList columns = columnsOf(from, table);
    if (columns != columnsOf(to, table)) {
        *error = QStringLiteral("the tables %1 differ in their columns").arg(table);
        return false;
    }
    QSqlQuery read(from);
    read.setForwardOnly(true);
    if (!read.exec(QStringLiteral("SELECT ") + columns.join(QStringLiteral(", ")) + QStringLiteral(" FROM ")
                   + quoted(from, table))) {
        *error = read.lastError().text();
        return false;
    }
    QSqlQuery write(to);
    QStringList marks;
    for (int i = 0; i < columns.size(); ++i)
        marks << QStringLiteral("?");
    if (!write.prepare(QStringLiteral("INSERT INTO ") + quoted(to, table) + QStringLiteral(" (")
                       + columns.join(QStringLiteral(", ")) + QStringLiteral(") VALUES (") + marks.join(u',')
                       + QLatin1Char(')'))) {
        *error = write.lastError().text();
        return false;
    }
    while (read.next()) {
        const QSqlRecord row = read.record();
        print->add(row);
        for (int column = 0; column < row.count(); ++column)
            write.bindValue(column, row.value(column));
        if (!write.exec()) {
            *error = write.lastError().text();
            return false;
        }
        if (!watch.step()) {
            *error = QStringLiteral("cancelled");
            return false;
        }
    }
    if (read.lastError().isValid()) {
        *error = read.lastError().text();
        return false;
    }
    return true;
}

// Reads from in one snapshot and writes into to, inside its open transaction,
// then reads the target back: false unless every table came across whole.
bool copyAndCompare(const QSqlDatabase &from, const QSqlDatabase &to, QString *error, Watch &watch)
{
    for (const QString &table : kTables) {
        Fingerprint source;
        Fingerprint copied;
        if (!copyTable(from, to, table, &source, error, watch) || !fingerprint(to, table, columnsOf(to, table), &copied, error))
            return false;
        if (!(source == copied)) {
            *error = QStringLiteral("the copy of %1 differs from its source (%2 rows read, %3 written)")
                         .arg(table)
                         .arg(source.rows)
                         .arg(copied.rows);
            return false;
        }
    }
    return true;
}

bool openSource(const Place &from, Connection &connection, QString *error, bool *restoring)
{
    QSqlDatabase db = connection.db();
    if (!from.server) {
        // Only a whole database of the program is copied.
        const OpenResult checked = checkDatabaseFile(from.path);
        if (checked.status != OpenStatus::Opened) {
            *error = checked.status == OpenStatus::Missing  ? QStringLiteral("no file at %1").arg(from.path)
                     : checked.status == OpenStatus::NotOurs ? QStringLiteral("%1 is not a database of this program").arg(from.path)
                                                             : QStringLiteral("%1 cannot be copied: %2").arg(from.path, checked.detail);
            return false;
        }
    }
    if (!db.open()) {
        *error = db.lastError().text();
        return false;
    }
    if (!holdsOurTables(db)) {
        *error = QStringLiteral("%1 does not hold the program's tables").arg(from.shown());
        return false;
    }
    // Held by the session, so that the snapshot begins only once no restore is under way.
    if (from.server && !takeRestoreLock(db, false, error, restoring))
        return false;
    // One snapshot for every table.
    return run(db, engineFor(from).snapshotStatement(), error);
}

bool countOf(const QSqlDatabase &db, const QString &table, qint64 *rows, QString *error)
{
    QSqlQuery query(db);
    if (!query.exec(QStringLiteral("SELECT COUNT(*) FROM ") + quoted(db, table)) || !query.next()) {
        *error = query.lastError().text();
        return false;
    }
    *rows = query.value(0).toLongLong();
    return true;
}

// Inside the target's transaction: the program's tables, where they are, kept
// from other writers until it ends.
bool lockTablesForWriting(const QSqlDatabase &db, QString *error)
{
    if (!holdsOurTables(db))
        return true;
    QStringList tables;
    for (const QString &table : kTables)
        tables << quoted(db, table);
    return run(db, QStringLiteral("LOCK TABLE %1 IN SHARE ROW EXCLUSIVE MODE").arg(tables.join(QStringLiteral(", "))), error);
}

// Inside the target's transaction: its tables made, emptied, or refused.
bool prepareServerTarget(const Place &to, const QSqlDatabase &db, TargetRule rule, QString *error)
{
    QSqlDatabase target = db;
    if (!holdsOurTables(db)) {
        if (!db.tables(QSql::Tables).isEmpty() || !db.tables(QSql::Views).isEmpty()) {
            *error = QStringLiteral("%1 holds tables that are not the program's").arg(to.shown());
            return false;
        }
        return createTables(target, error);
    }
    if (rule == TargetRule::MustBeEmpty) {
        // A database the program was only started on holds its items and settings, and no subjects.
        for (const QString &table : {QStringLiteral("ide"), QStringLiteral("Answer")}) {
            qint64 rows = 0;
            if (!countOf(db, table, &rows, error))
                return false;
            if (rows > 0) {
                *error = QStringLiteral("%1 already holds subjects; a copy goes only into an empty database").arg(to.shown());
                return false;
            }
        }
    }
    for (const QString &table : kTables)
        if (!run(db, QStringLiteral("DELETE FROM ") + quoted(db, table), error))
            return false;
    return true;
}

}  // namespace

QString Place::shown() const
{
    return server ? address.shown() : QFileInfo(path).absoluteFilePath();
}

bool parsePlace(const QString &text, Place *place, QString *error)
{
    Place read;
    if (text.startsWith(QLatin1String("postgres"))) {
        read.server = true;
        if (!parseServerUrl(text, &read.address, error))
            return false;
    } else if (text.isEmpty()) {
        *error = QStringLiteral("no database named");
        return false;
    } else {
        read.path = QFileInfo(text).absoluteFilePath();
    }
    *place = read;
    return true;
}

namespace {

// Into the empty file at path: the tables, then every row, compared.
bool fillFile(const Connection &source, const QString &path, QString *error, Watch &watch)
{
    Place built;
    built.path = path;
    Connection target(QStringLiteral("quorvel-copy-to"), built, false);
    QSqlDatabase db = target.db();
    if (!db.open()) {
        *error = db.lastError().text();
        return false;
    }
    // No journal beside a file being built: one cut short is thrown away whole.
    const bool copied = run(db, QStringLiteral("PRAGMA journal_mode=OFF"), error)
                        && run(db, QStringLiteral("PRAGMA synchronous=FULL"), error) && run(db, QStringLiteral("BEGIN"), error)
                        && createTables(db, error) && copyAndCompare(source.db(), db, error, watch)
                        && run(db, QStringLiteral("COMMIT"), error);
    db.close();
    return copied;
}

}  // namespace

bool copyDatabase(const Place &from, const Place &to, TargetRule rule, QString *error, const Progress &progress,
                  bool *cancelled, bool *restoring)
{
    if (cancelled)
        *cancelled = false;
    if (restoring)
        *restoring = false;
    Watch watch{progress, cancelled};
    if (!from.server && !to.server && QFileInfo(from.path) == QFileInfo(to.path)) {
        *error = QStringLiteral("the source and the target are the same file");
        return false;
    }
    Connection source(QStringLiteral("quorvel-copy-from"), from, true);
    if (!openSource(from, source, error, restoring))
        return false;
    if (to.server) {
        Connection target(QStringLiteral("quorvel-copy-to"), to, false);
        QSqlDatabase db = target.db();
        if (!db.open()) {
            *error = db.lastError().text();
            return false;
        }
        if (!run(db, QStringLiteral("SET client_min_messages = warning"), error) || !run(db, QStringLiteral("BEGIN"), error))
            return false;
        // One restore at a time; the other desks read on but wait to write until it commits.
        if (!takeRestoreLock(db, true, error, restoring) || !lockTablesForWriting(db, error))
            return false;
        // Rolled back by the server when the connection ends without the commit.
        if (!prepareServerTarget(to, db, rule, error) || !copyAndCompare(source.db(), db, error, watch)) {
            QString ignored;
            run(db, QStringLiteral("ROLLBACK"), &ignored);
            return false;
        }
        return run(db, QStringLiteral("COMMIT"), error);
    }
    if (!SafeFile::isMissing(to.path)) {
        *error = QStringLiteral("a file already exists at %1; a copy goes only to a new file").arg(to.path);
        return false;
    }
    // Built in a private temporary file beside the target and renamed only when whole.
    SafeFile::Writer file(to.path);
    if (!file.open() || !file.finish()) {
        *error = file.errorText();
        return false;
    }
    if (!fillFile(source, file.temporaryPath(), error, watch))
        return false;  // the temporary file goes with the writer
    if (!file.commit()) {
        *error = file.errorText();
        return false;
    }
    return true;
}

CopyOutcome copyIntoFile(const Place &from, const QString &path, const Progress &progress)
{
    bool cancelled = false;
    Watch watch{progress, &cancelled};
    QString error;
    Connection source(QStringLiteral("quorvel-copy-from"), from, true);
    bool restoring = false;
    if (!openSource(from, source, &error, &restoring))
        return {restoring ? CopyEnd::Restoring : CopyEnd::Source, error};
    if (!fillFile(source, path, &error, watch))
        return {cancelled ? CopyEnd::Cancelled : CopyEnd::Source, error};
    return {};
}

}  // namespace Store
