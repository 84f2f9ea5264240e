#include "store/fileengine.h"

#include "store/blockcopy.h"
#include "store/databasecopy.h"
#include "store/filecheck.h"
#include "store/safefile.h"
#include "store/schema.h"
#include "store/sqlitefile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlIndex>
#include <QSqlQuery>

#include <sqlite3.h>

#include <cerrno>
#include <memory>

namespace Store {

namespace {

// SQLite's own check of every page: missing or wiped pages, broken indexes.
OpenResult checkPages(QSqlDatabase &db)
{
    QSqlQuery query(db);
    if (!query.exec(QStringLiteral("PRAGMA quick_check"))) {
        const StoreFailure failure = engineFor(db).classify(query.lastError(), db);
        return {failure == StoreFailure::Damaged ? OpenStatus::Damaged : OpenStatus::Failed, query.lastError().text()};
    }
    QStringList problems;
    while (query.next())
        problems << query.value(0).toString();
    if (problems != QStringList{QStringLiteral("ok")})
        return {OpenStatus::Damaged, problems.mid(0, 3).join(QLatin1Char('\n'))};
    return {OpenStatus::Opened, {}};
}

// Opened when the first bytes are SQLite's; read before SQLite opens the file.
OpenResult checkHeader(const QString &path)
{
    const HeaderBytes header = readHeaderBytes(path);
    if (header.blank)
        return {OpenStatus::Damaged, QStringLiteral("the file is empty or its first page is blank")};
    if (!header.sqlite)
        return {OpenStatus::NotOurs, {}};
    return {OpenStatus::Opened, {}};
}

// Opened when the open file holds our tables whole (and, when asked, its pages pass SQLite's check).
OpenResult checkOurs(QSqlDatabase &db, bool checkPagesNow)
{
    if (checkPagesNow)
        if (const OpenResult whole = checkPages(db); whole.status != OpenStatus::Opened)
            return whole;
    switch (tableShape(db)) {
    case Shape::Foreign:
        return {OpenStatus::NotOurs, {}};
    case Shape::Partial:
        return {OpenStatus::Damaged, QStringLiteral("tables of the program are missing")};
    case Shape::Ours:
        break;
    }
    return {OpenStatus::Opened, {}};
}

constexpr QFile::Permissions kPrivateFolder = QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner;

// The database and its folder are the owner's alone (files 600, folders 700).
bool makePrivate(const QString &path)
{
    return QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner)
           && QFile::setPermissions(QFileInfo(path).absolutePath(), kPrivateFolder);
}

// The current row of a statement on SQLite's own handle.
class StatementRow : public RowValues
{
public:
    explicit StatementRow(sqlite3_stmt *statement) : m_statement(statement) {}
    QString text(int column) const override
    {
        const QByteArrayView bytes = utf8(column);
        return bytes.isNull() ? QString() : QString::fromUtf8(bytes);
    }
    QByteArrayView utf8(int column) const override
    {
        const auto *text = reinterpret_cast<const char *>(sqlite3_column_text(m_statement, column));
        return text ? QByteArrayView(text, sqlite3_column_bytes(m_statement, column)) : QByteArrayView();
    }

private:
    sqlite3_stmt *m_statement;
};

}  // namespace

OpenResult FileEngine::open(Access access, PageCheck pageCheck)
{
    m_pageCheckPending = false;
    if (SafeFile::isMissing(m_path))
        return {OpenStatus::Missing, {}};
    if (const QString refused = SafeFile::refuseSource(m_path); !refused.isEmpty())
        return {OpenStatus::Failed, refused};
    if (access == Access::ReadWrite)
        removeLeftovers(m_path);
    // Checked before SQLite touches the file, so a foreign file stays byte for byte as it was.
    if (const OpenResult head = checkHeader(m_path); head.status != OpenStatus::Opened)
        return head;

    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connectionName());
    db.setDatabaseName(m_path);
    if (access == Access::ReadOnly)
        db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
    if (!db.open())
        return {OpenStatus::Failed, db.lastError().text()};
    installBusyWait(sqliteHandle(db));
    // Nothing is written before the file is known to be ours and whole.
    const bool checkNow = pageCheck == PageCheck::AtOpen || access == Access::ReadOnly;
    if (const OpenResult ours = checkOurs(db, checkNow); ours.status != OpenStatus::Opened)
        return ours;
    if (access == Access::ReadOnly)
        return {OpenStatus::Opened, {}};
    // One file holds everything whenever no transaction is open, so a byte copy is a whole backup.
    QString error;
    if (!execAll(db, {QStringLiteral("PRAGMA journal_mode=DELETE"), QStringLiteral("PRAGMA synchronous=FULL")}, &error))
        return {OpenStatus::Failed, error};
    makePrivate(m_path);
    if (!checkNow) {
        m_pageCheckPending = true;
        return {OpenStatus::Opened, {}};
    }
    // Only speed depends on the indexes: a file that cannot take them now still opens.
    execAll(db, indexStatements(), nullptr);
    return {OpenStatus::Opened, {}};
}

OpenResult FileEngine::finishOpening()
{
    if (!m_pageCheckPending)
        return {OpenStatus::Opened, {}};
    QSqlDatabase db = database();
    const OpenResult whole = checkPages(db);
    if (whole.status != OpenStatus::Opened)
        return whole;
    m_pageCheckPending = false;
    execAll(db, indexStatements(), nullptr);
    return whole;
}

QString FileEngine::description() const
{
    return QDir::toNativeSeparators(QFileInfo(m_path).absoluteFilePath());
}

QString FileEngine::tableName(const QSqlDatabase &, const QString &table) const
{
    // The file matches names without regard to case, quoted or not.
    return table;
}

QString FileEngine::rowOrder(const QSqlDatabase &, const QSqlIndex &) const
{
    // The order the rows were written in.
    return QStringLiteral("rowid");
}

QString FileEngine::listOrder(const QSqlDatabase &, const QSqlIndex &) const
{
    return {};
}

bool FileEngine::lastWriteReachedARow(const QSqlDatabase &db, bool *reached, QSqlError *error) const
{
    QSqlQuery changes(db);
    if (!changes.exec(QStringLiteral("SELECT changes()")) || !changes.next()) {
        *error = changes.lastError();
        return false;
    }
    *reached = changes.value(0).toInt() > 0;
    return true;
}

StoreFailure FileEngine::classify(const QSqlError &error, const QSqlDatabase &connection) const
{
    if (error.type() == QSqlError::NoError)
        return StoreFailure::None;
    bool numeric = false;
    const int code = error.nativeErrorCode().toInt(&numeric);
    if (numeric)
        return classifySqliteCode(code, error.databaseText());
    // Qt's own commit and rollback errors carry no result code; the connection has it.
    if (error.nativeErrorCode().isEmpty())
        if (sqlite3 *db = sqliteHandle(connection))
            return classifySqliteCode(sqlite3_extended_errcode(db), QString::fromUtf8(sqlite3_errmsg(db)));
    return StoreFailure::Other;
}

QSqlDatabase FileEngine::addConnection(const QString &name, const Place &place, bool readOnly) const
{
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
    db.setDatabaseName(place.path);
    if (readOnly)
        db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY;QSQLITE_BUSY_TIMEOUT=%1").arg(busyWait()));
    return db;
}

CopyOutcome FileEngine::writeSnapshot(SafeFile::Writer &out, const Progress &progress)
{
    return writeFileSnapshot(m_path, out, progress);
}

CopyOutcome FileEngine::replaceWith(const QString &source, const Progress &progress)
{
    // The replacement closes the store, and this engine with it: the path must outlive it.
    const QString path = m_path;
    return replaceFile(source, path, progress);
}

ReadEnd FileEngine::readRows(const QString &sql, const QStringList &bindings,
                             const std::function<bool(const RowValues &)> &row, QString *error)
{
    // Straight through SQLite's handle: a hundred thousand rows of thirty
    // values each read several times faster than value by value through Qt.
    sqlite3 *connection = sqliteHandle(database());
    if (!connection) {
        *error = QStringLiteral("the database was closed");
        return ReadEnd::Failed;
    }
    const QByteArray code = sql.toUtf8();
    sqlite3_stmt *statement = nullptr;
    if (sqlite3_prepare_v2(connection, code.constData(), int(code.size()), &statement, nullptr) != SQLITE_OK) {
        *error = QString::fromUtf8(sqlite3_errmsg(connection));
        return ReadEnd::Failed;
    }
    const std::unique_ptr<sqlite3_stmt, decltype(&sqlite3_finalize)> finalize(statement, &sqlite3_finalize);
    QList<QByteArray> bound;
    for (const QString &value : bindings) {
        bound << value.toUtf8();
        sqlite3_bind_text(statement, int(bound.size()), bound.last().constData(), int(bound.last().size()),
                          SQLITE_STATIC);
    }
    const StatementRow values(statement);
    int step = SQLITE_ROW;
    while ((step = sqlite3_step(statement)) == SQLITE_ROW)
        if (!row(values))
            return ReadEnd::Stopped;
    if (step != SQLITE_DONE) {
        *error = QString::fromUtf8(sqlite3_errmsg(connection));
        return ReadEnd::Failed;
    }
    return ReadEnd::Done;
}

CopyOutcome writeFileSnapshot(const QString &database, SafeFile::Writer &out, const Progress &progress)
{
    if (const QString refused = SafeFile::refuseSource(database); !refused.isEmpty())
        return {CopyEnd::Source, refused};
    // The wait for a writer runs aside, so that the window paints meanwhile.
    std::unique_ptr<FileLock> snapshot;
    runTelling([&] { snapshot = std::make_unique<FileLock>(database, FileLock::Mode::Shared); }, progress, 0, 0);
    if (!snapshot->isHeld())
        return {snapshot->isBusy() ? CopyEnd::Busy : CopyEnd::Source, snapshot->errorText()};
    QFile in(database);
    if (!in.open(QIODevice::ReadOnly))
        return {CopyEnd::Source, SafeFile::describeError(EACCES, database)};
    QString error;
    bool cancelled = false;
    if (!copyInto(in, out, &error, progress, &cancelled))
        return {cancelled ? CopyEnd::Cancelled : CopyEnd::Source, error};
    return {};
}

CopyOutcome replaceFile(const QString &source, const QString &database, const Progress &progress)
{
    SafeFile::Writer copy(database);
    QFile in(source);
    if (!in.open(QIODevice::ReadOnly))
        return {CopyEnd::Source, SafeFile::describeError(EACCES, source)};
    if (!copy.open())
        return {CopyEnd::Source, copy.errorText()};
    QString error;
    bool cancelled = false;
    if (!copyInto(in, copy, &error, progress, &cancelled))
        return {cancelled ? CopyEnd::Cancelled : CopyEnd::Source, error};
    // The sync of a large copy takes seconds: it runs aside while the window paints.
    bool finished = false;
    runTelling([&] { finished = copy.finish(); }, progress, in.size(), in.size());
    if (!finished)
        return {CopyEnd::Source, copy.errorText()};
    // The copy is what takes the database's place, so the copy is what is checked.
    // The check reads every page once more; the window is told so and may stop it.
    const OpenResult checked = checkWholeBeside(copy.temporaryPath(), progress);
    if (checked.status == OpenStatus::Failed && checked.detail == kCheckCancelled)
        return {CopyEnd::Cancelled, checked.detail};
    if (checked.status != OpenStatus::Opened)
        return {CopyEnd::Refused, checked.detail};

    // Nothing of the program may hold or write the old file once the new one stands in its place.
    closeDatabase();
    CopyOutcome outcome;
    // Waiting for another program and renaming run aside: a stop is no longer heard here.
    runTelling(
        [&] {
            const FileLock hold(database, FileLock::Mode::Exclusive);
            if (hold.isBusy()) {
                outcome = {CopyEnd::Busy, hold.errorText()};
                return;
            }
            // Under the exclusive lock no transaction is open, so a journal here belongs to no one.
            QFile::remove(database + QStringLiteral("-journal"));
            if (!copy.commit())
                outcome = {CopyEnd::Replace, copy.errorText()};
        },
        progress, kChecking, kChecking);
    if (!outcome.ok()) {
        // After a failure the program goes on with the database it had.
        const OpenResult opened = openDatabase(database);
        outcome.reopened = opened.status == OpenStatus::Opened;
        outcome.reopenError = opened.detail;
    }
    return outcome;
}

}  // namespace Store

namespace Store {

void removeLeftovers(const QString &path)
{
    const QFileInfo info(path);
    SafeFile::removeStaleTemporaries(info.absolutePath());
    // Names earlier versions gave their unfinished copies.
    QFile::remove(path + QStringLiteral(".restore"));
    QFile::remove(path + QStringLiteral(".new"));
    // Side files of write-ahead logging belong to no database of ours: ours
    // always keeps a rollback journal, which SQLite itself deals with.
    if (readHeaderBytes(path).journalMode == JournalMode::Rollback) {
        QFile::remove(path + QStringLiteral("-wal"));
        QFile::remove(path + QStringLiteral("-shm"));
    }
}

bool createDatabase(const QString &path, QString *error)
{
    if (QFileInfo::exists(path)) {
        if (error)
            *error = QStringLiteral("a file already exists at %1").arg(path);
        return false;
    }
    const QFileInfo info(path);
    const QString folder = info.absolutePath();
    if (!QFileInfo::exists(folder) && !QDir().mkdir(folder, kPrivateFolder)) {
        if (error)
            *error = QStringLiteral("cannot make the folder %1").arg(folder);
        return false;
    }
    // Built in a private temporary file beside path and renamed, so a
    // half-written database never stands at path.
    SafeFile::Writer file(path);
    if (!file.open() || !file.finish()) {
        if (error)
            *error = file.errorText();
        return false;
    }
    const QString connection = QStringLiteral("quorvel-create");
    bool ok = false;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection);
        db.setDatabaseName(file.temporaryPath());
        if (!db.open()) {
            if (error)
                *error = db.lastError().text();
        } else {
            // No journal beside the temporary file: a build cut short is thrown away whole.
            ok = execAll(db, {QStringLiteral("PRAGMA journal_mode=OFF"), QStringLiteral("PRAGMA synchronous=FULL"),
                              QStringLiteral("BEGIN")},
                         error)
                 && fillNewDatabase(db, error);
            ok = ok && execAll(db, {QStringLiteral("COMMIT")}, error);
            db.close();
        }
    }
    QSqlDatabase::removeDatabase(connection);
    if (ok && !file.commit()) {
        ok = false;
        if (error)
            *error = file.errorText();
    }
    if (ok && !makePrivate(path)) {
        ok = false;
        if (error)
            *error = QStringLiteral("cannot make %1 private to its owner").arg(path);
    }
    return ok;
}

}  // namespace Store
