#include "store/database.h"

#include "store/storeaddress.h"

#include "store/filecheck.h"
#include "store/safefile.h"
#include "store/storefailure.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QThread>
#include <QTimer>
#include <QFile>
#include <QFileInfo>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QStringList>

#include <sqlite3.h>

namespace Store {
namespace {

const char kConnection[] = "quorvel";
int busyWaitMs = 3000;
std::function<void()> busyWaitObserver;

constexpr QFile::Permissions kPrivateFile = QFile::ReadOwner | QFile::WriteOwner;
constexpr QFile::Permissions kPrivateFolder = QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner;

// SQLite asks this while another program holds the file. The wait runs
// none of the program's events: no timer or close can start a second store
// call on this connection while the first one waits.
int waitWhileBusy(void *, int attempt)
{
    static QElapsedTimer waited;
    if (attempt == 0) {
        waited.start();
        if (busyWaitObserver)
            busyWaitObserver();
    }
    if (waited.elapsed() >= busyWaitMs)
        return 0;
    QThread::msleep(20);
    return 1;
}

void installBusyWait(const QSqlDatabase &db)
{
    const QVariant handle = db.driver()->handle();
    if (handle.isValid() && qstrcmp(handle.typeName(), "sqlite3*") == 0)
        if (sqlite3 *connection = *static_cast<sqlite3 *const *>(handle.data()))
            sqlite3_busy_handler(connection, waitWhileBusy, nullptr);
}

bool isServer(const QSqlDatabase &db)
{
    return db.driverName() == QLatin1String("QPSQL");
}

// Tables and the fields every window relies on.
struct TableShape {
    const char *name;
    QStringList fields;
};

QList<TableShape> expectedShape()
{
    QStringList answerFields{QStringLiteral("Code")};
    for (int item = 1; item <= 20; ++item)
        answerFields << QString::number(item);
    return {
        {"ide", {"Code", "FName", "LName", "Sen", "Tahsil", "Jens", "Taahol", "Group", "Date", "Time", "Nomre"}},
        {"Answer", answerFields},
        {"QU", {"code", "Q"}},
        {"Theme", {"TH", "Name", "Adress"}},
    };
}

enum class Header { Sqlite, Blank, Foreign };

// A file whose first page was wiped is a damaged database rather than someone else's file.
Header readHeader(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return Header::Foreign;
    const QByteArray head = file.read(100);
    if (head.startsWith(QByteArray("SQLite format 3\0", 16)))
        return Header::Sqlite;
    if (head.isEmpty() || (head.size() == 100 && head.count('\0') == 100))
        return Header::Blank;
    return Header::Foreign;
}

enum class Shape { Ours, Partial, Foreign };

// Ours when every table and field is there; partial when some of our tables are.
Shape tableShape(const QSqlDatabase &db)
{
    int found = 0;
    bool whole = true;
    for (const TableShape &table : expectedShape()) {
        // A server keeps the case of names only when they are quoted.
        const QString name = QString::fromLatin1(table.name);
        const QSqlRecord record =
            db.record(isServer(db) ? db.driver()->escapeIdentifier(name, QSqlDriver::TableName) : name);
        if (!record.isEmpty())
            ++found;
        for (const QString &field : table.fields)
            whole = whole && record.indexOf(field) >= 0;
    }
    if (whole)
        return Shape::Ours;
    return found > 0 ? Shape::Partial : Shape::Foreign;
}

// SQLite's own check of every page: missing or wiped pages, broken indexes.
// The quick check at every open; the full integrity check where time allows.
OpenResult checkWhole(QSqlDatabase &db, const QString &pragma)
{
    QSqlQuery query(db);
    if (!query.exec(QStringLiteral("PRAGMA ") + pragma)) {
        const StoreFailure failure = classifyFailure(query.lastError());
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
    switch (readHeader(path)) {
    case Header::Foreign:
        return {OpenStatus::NotOurs, {}};
    case Header::Blank:
        return {OpenStatus::Damaged, QStringLiteral("the file is empty or its first page is blank")};
    case Header::Sqlite:
        break;
    }
    return {OpenStatus::Opened, {}};
}

// Opened when the open file passes SQLite's check and holds our tables whole.
// An empty pragma leaves the pages unchecked.
OpenResult checkOurs(QSqlDatabase &db, const QString &pragma)
{
    if (!pragma.isEmpty())
        if (const OpenResult whole = checkWhole(db, pragma); whole.status != OpenStatus::Opened)
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

bool execAll(QSqlDatabase &db, const QStringList &statements, QString *error)
{
    QSqlQuery query(db);
    for (const QString &statement : statements) {
        QStringList lines = statement.split(QLatin1Char('\n'));
        lines.removeIf([](const QString &line) { return line.trimmed().startsWith(QLatin1String("--")); });
        const QString code = lines.join(QLatin1Char('\n')).trimmed();
        if (code.isEmpty())
            continue;
        if (!query.exec(code)) {
            if (error)
                *error = query.lastError().text();
            return false;
        }
    }
    return true;
}

QString resourceText(const QString &name)
{
    QFile file(QStringLiteral(":/store/") + name);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll());
}

// The schema's indexes, each made only where it is missing: a file written
// before they existed gets them at its first open.
QStringList indexStatements()
{
    QStringList indexes;
    for (const QString &statement : resourceText(QStringLiteral("schema.sql")).split(QLatin1Char(';'))) {
        QStringList lines = statement.split(QLatin1Char('\n'));
        lines.removeIf([](const QString &line) { return line.trimmed().startsWith(QLatin1String("--")); });
        const QString code = lines.join(QLatin1Char('\n')).trimmed();
        if (code.startsWith(QLatin1String("CREATE INDEX IF NOT EXISTS")))
            indexes << code;
    }
    return indexes;
}

// The tables, the twenty items and the one settings row, written on db
// inside the transaction its caller holds.
bool fillNewDatabase(QSqlDatabase &db, QString *error)
{
    if (!execAll(db, resourceText(QStringLiteral("schema.sql")).split(QLatin1Char(';')), error))
        return false;
    const QStringList items = resourceText(QStringLiteral("items.txt")).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    if (items.size() != 20) {
        if (error)
            *error = QStringLiteral("the item list holds %1 items, not 20").arg(items.size());
        return false;
    }
    QSqlQuery insert(db);
    insert.prepare(QStringLiteral("INSERT INTO \"QU\" (\"code\", \"Q\") VALUES (?, ?)"));
    for (int i = 0; i < items.size(); ++i) {
        insert.addBindValue(i + 1);
        insert.addBindValue(items.at(i).trimmed());
        if (!insert.exec()) {
            if (error)
                *error = insert.lastError().text();
            return false;
        }
    }
    if (!insert.exec(QStringLiteral("INSERT INTO \"Theme\" (\"TH\", \"Name\", \"Adress\") VALUES ('1', '', '')"))) {
        if (error)
            *error = insert.lastError().text();
        return false;
    }
    return true;
}

void dropConnection(const QString &name)
{
    {
        QSqlDatabase db = QSqlDatabase::database(name, false);
        if (db.isValid())
            db.close();
    }
    QSqlDatabase::removeDatabase(name);
}

// The database and its folder are the owner's alone (files 600, folders 700).
bool makePrivate(const QString &path, QString *error = nullptr)
{
    const QFileInfo info(path);
    const bool ok = QFile::setPermissions(path, kPrivateFile)
                    && QFile::setPermissions(info.absolutePath(), kPrivateFolder);
    if (!ok && error)
        *error = QStringLiteral("cannot make %1 private to its owner").arg(path);
    return ok;
}

}  // namespace

QSqlDatabase database()
{
    return QSqlDatabase::database(QString::fromLatin1(kConnection), false);
}

namespace {
// Set by an open that left its page check for later; cleared once it ran.
bool pageCheckPending = false;
// What the open connection works on, as the windows name it.
QString openedStore;
ServerAddress openedServer;
}  // namespace

ServerAddress serverAddress()
{
    return openedServer;
}

QString storeDescription()
{
    return database().isOpen() ? openedStore : QString();
}

void closeDatabase()
{
    pageCheckPending = false;
    emit connectionEvents().closing();
    dropConnection(QString::fromLatin1(kConnection));
}


OpenResult openDatabase(const QString &path, Access access, PageCheck pageCheck)
{
    pageCheckPending = false;
    closeDatabase();
    if (SafeFile::isMissing(path))
        return {OpenStatus::Missing, {}};
    if (const QString refused = SafeFile::refuseSource(path); !refused.isEmpty())
        return {OpenStatus::Failed, refused};
    if (access == Access::ReadWrite)
        removeLeftovers(path);
    // Checked before SQLite touches the file, so a foreign file stays byte for byte as it was.
    if (const OpenResult head = checkHeader(path); head.status != OpenStatus::Opened)
        return head;

    const OpenResult result = [&path, access, pageCheck]() -> OpenResult {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QString::fromLatin1(kConnection));
        db.setDatabaseName(path);
        if (access == Access::ReadOnly)
            db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
        if (!db.open())
            return {OpenStatus::Failed, db.lastError().text()};
        installBusyWait(db);
        // Nothing is written before the file is known to be ours and whole.
        const bool checkNow = pageCheck == PageCheck::AtOpen || access == Access::ReadOnly;
        if (const OpenResult ours = checkOurs(db, checkNow ? QStringLiteral("quick_check") : QString());
            ours.status != OpenStatus::Opened)
            return ours;
        if (access == Access::ReadOnly)
            return {OpenStatus::Opened, {}};
        // One file holds everything whenever no transaction is open, so a byte copy is a whole backup.
        QString error;
        if (!execAll(db, {QStringLiteral("PRAGMA journal_mode=DELETE"), QStringLiteral("PRAGMA synchronous=FULL")},
                     &error))
            return {OpenStatus::Failed, error};
        makePrivate(path);
        if (!checkNow) {
            pageCheckPending = true;
            return {OpenStatus::Opened, {}};
        }
        // Only speed depends on the indexes: a file that cannot take them now still opens.
        execAll(db, indexStatements(), nullptr);
        return {OpenStatus::Opened, {}};
    }();
    if (result.status != OpenStatus::Opened)
        closeDatabase();
    else
        openedStore = QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath());
    return result;
}

bool holdsOurTables(const QSqlDatabase &db)
{
    return tableShape(db) == Shape::Ours;
}

bool createTables(QSqlDatabase &db, QString *error)
{
    return execAll(db, resourceText(QStringLiteral("schema.sql")).split(QLatin1Char(';')), error);
}

void configureServerConnection(QSqlDatabase &db, const ServerAddress &address)
{
    db.setHostName(address.host);
    db.setPort(address.port);
    db.setDatabaseName(address.database);
    if (!address.user.isEmpty())
        db.setUserName(address.user);
    // The password, if any, comes from ~/.pgpass or PGPASSWORD, as libpq reads them.
    QStringList options{QStringLiteral("connect_timeout=10"), QStringLiteral("application_name=quorvel")};
    if (!address.sslMode.isEmpty())
        options << QStringLiteral("sslmode=") + address.sslMode;
    db.setConnectOptions(options.join(QLatin1Char(';')));
}

OpenResult openServerDatabase(const ServerAddress &address)
{
    closeDatabase();
    if (!QSqlDatabase::isDriverAvailable(QStringLiteral("QPSQL")))
        return {OpenStatus::Failed, QStringLiteral("Qt's PostgreSQL driver (libqt6sql6-psql) is not installed")};
    const OpenResult result = [&address]() -> OpenResult {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), QString::fromLatin1(kConnection));
        configureServerConnection(db, address);
        if (!db.open())
            return {OpenStatus::Failed, db.lastError().text()};
        QSqlQuery query(db);
        // Waits for a row another workstation holds as the file waits for a busy file, then fails as busy.
        if (!query.exec(QStringLiteral("SET lock_timeout = %1").arg(busyWait()))
            || !query.exec(QStringLiteral("SET client_min_messages = warning")))
            return {OpenStatus::Failed, query.lastError().text()};
        switch (tableShape(db)) {
        case Shape::Ours:
            break;
        case Shape::Partial:
            return {OpenStatus::Damaged, QStringLiteral("tables of the program are missing")};
        case Shape::Foreign: {
            // Only an empty database becomes ours; one holding other tables is someone else's.
            if (!db.tables(QSql::Tables).isEmpty() || !db.tables(QSql::Views).isEmpty())
                return {OpenStatus::NotOurs, {}};
            QString error;
            if (!db.transaction())
                return {OpenStatus::Failed, db.lastError().text()};
            if (!fillNewDatabase(db, &error) || !db.commit()) {
                db.rollback();
                // Another workstation made them at the same moment: theirs are as good as ours.
                if (tableShape(db) == Shape::Ours)
                    break;
                return {OpenStatus::Failed, error.isEmpty() ? db.lastError().text() : error};
            }
            break;
        }
        }
        execAll(db, indexStatements(), nullptr);
        return {OpenStatus::Opened, {}};
    }();
    if (result.status != OpenStatus::Opened)
        closeDatabase();
    else {
        openedStore = address.shown();
        openedServer = address;
    }
    return result;
}

namespace {
bool connectionLost = false;
}  // namespace

void noteConnectionLost()
{
    connectionLost = true;
}

bool ensureConnected()
{
    if (!connectionLost)
        return true;
    QSqlDatabase db = database();
    if (!db.isValid() || !isServer(db))
        return true;
    db.close();
    if (!db.open())
        return false;
    QSqlQuery settings(db);
    settings.exec(QStringLiteral("SET lock_timeout = %1").arg(busyWait()));
    settings.exec(QStringLiteral("SET client_min_messages = warning"));
    connectionLost = false;
    return true;
}

bool isServerOpen()
{
    const QSqlDatabase db = database();
    return db.isOpen() && isServer(db);
}

OpenResult finishPageCheck()
{
    if (!pageCheckPending)
        return {OpenStatus::Opened, {}};
    QSqlDatabase db = database();
    const OpenResult whole = checkWhole(db, QStringLiteral("quick_check"));
    if (whole.status != OpenStatus::Opened)
        return whole;
    pageCheckPending = false;
    execAll(db, indexStatements(), nullptr);
    return whole;
}

OpenResult checkDatabaseFile(const QString &path)
{
    return checkBackupFile(path, CheckDepth::Whole);
}

void setBusyWait(int milliseconds)
{
    busyWaitMs = milliseconds;
}

int busyWait()
{
    return busyWaitMs;
}

void setBusyWaitObserver(std::function<void()> observer)
{
    busyWaitObserver = std::move(observer);
}

ConnectionEvents &connectionEvents()
{
    static ConnectionEvents events;
    return events;
}

ReadSnapshot::ReadSnapshot(const QString &path)
{
    sqlite3 *db = nullptr;
    // Opened for writing though it never writes, so that a journal a killed
    // writer left is rolled back before the snapshot is taken.
    int code = sqlite3_open_v2(QFile::encodeName(path).constData(), &db, SQLITE_OPEN_READWRITE, nullptr);
    m_connection = db;
    if (code == SQLITE_OK) {
        sqlite3_busy_handler(db, waitWhileBusy, nullptr);
        // BEGIN takes no lock of its own; the first read takes the shared
        // lock that keeps writers from changing the file until the end.
        code = sqlite3_exec(db, "BEGIN; SELECT COUNT(*) FROM sqlite_master", nullptr, nullptr, nullptr);
    }
    if (code != SQLITE_OK) {
        m_error = QString::fromUtf8(sqlite3_errmsg(db));
        m_busy = (sqlite3_errcode(db) & 0xff) == SQLITE_BUSY || (sqlite3_errcode(db) & 0xff) == SQLITE_LOCKED;
        return;
    }
    m_held = true;
}

ReadSnapshot::~ReadSnapshot()
{
    auto *db = static_cast<sqlite3 *>(m_connection);
    if (m_held)
        sqlite3_exec(db, "ROLLBACK", nullptr, nullptr, nullptr);
    sqlite3_close_v2(db);
}

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
    if (ok)
        ok = makePrivate(path, error);
    return ok;
}

}  // namespace Store
