#include "store/filecheck.h"

#include "store/blockcopy.h"
#include "store/safefile.h"
#include "store/schema.h"

#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QSet>
#include <QUrl>

#include <sqlite3.h>

#include <atomic>
#include <cerrno>

namespace Store {
namespace {

// A read-only connection that never writes a journal or a lock file beside the file.
class ReadOnlyFile
{
public:
    explicit ReadOnlyFile(const QString &path)
    {
        const QByteArray uri = "file:" + QUrl::toPercentEncoding(QFileInfo(path).absoluteFilePath(), "/")
                               + "?immutable=1";
        m_status = sqlite3_open_v2(uri.constData(), &m_db, SQLITE_OPEN_READONLY | SQLITE_OPEN_URI, nullptr);
    }
    ~ReadOnlyFile() { sqlite3_close_v2(m_db); }
    ReadOnlyFile(const ReadOnlyFile &) = delete;
    ReadOnlyFile &operator=(const ReadOnlyFile &) = delete;

    bool isOpen() const { return m_status == SQLITE_OK; }
    sqlite3 *handle() const { return m_db; }
    QString errorText() const { return QString::fromUtf8(sqlite3_errmsg(m_db)); }
    int errorCode() const { return sqlite3_errcode(m_db); }

private:
    sqlite3 *m_db = nullptr;
    int m_status = SQLITE_ERROR;
};

// Rows of one query as texts; false with the engine's code on failure.
bool rowsOf(sqlite3 *db, const QString &sql, QList<QStringList> *rows, int *code)
{
    sqlite3_stmt *statement = nullptr;
    *code = sqlite3_prepare_v2(db, sql.toUtf8().constData(), -1, &statement, nullptr);
    if (*code != SQLITE_OK)
        return false;
    while ((*code = sqlite3_step(statement)) == SQLITE_ROW) {
        QStringList row;
        for (int column = 0; column < sqlite3_column_count(statement); ++column) {
            const auto *text = reinterpret_cast<const char *>(sqlite3_column_text(statement, column));
            row << (text ? QString::fromUtf8(text) : QString());
        }
        rows->append(row);
    }
    sqlite3_finalize(statement);
    if (*code != SQLITE_DONE)
        return false;
    *code = SQLITE_OK;
    return true;
}

// The objects a database of this program holds, by name: type and SQL as
// our own schema makes them, from a fresh database in memory.
QHash<QString, QStringList> ourObjects(QString *error)
{
    const QByteArray schema = schemaStatements().join(QStringLiteral(";\n")).toUtf8();
    if (schema.isEmpty()) {
        *error = QStringLiteral("the schema of the program cannot be read");
        return {};
    }
    sqlite3 *memory = nullptr;
    QHash<QString, QStringList> objects;
    if (sqlite3_open_v2(":memory:", &memory, SQLITE_OPEN_READWRITE, nullptr) == SQLITE_OK
        && sqlite3_exec(memory, schema.constData(), nullptr, nullptr, nullptr) == SQLITE_OK) {
        QList<QStringList> rows;
        int code = 0;
        if (rowsOf(memory, QStringLiteral("SELECT name, type, tbl_name, sql FROM sqlite_master"), &rows, &code))
            for (const QStringList &row : rows)
                objects.insert(row.at(0), row.mid(1));
    }
    if (objects.isEmpty())
        *error = QString::fromUtf8(sqlite3_errmsg(memory));
    sqlite3_close(memory);
    return objects;
}

OpenResult failedWith(const ReadOnlyFile &file, int code)
{
    const QString text = QString::fromUtf8(sqlite3_errstr(code)) + QStringLiteral(": ") + file.errorText();
    if ((code & 0xff) == SQLITE_CORRUPT || (code & 0xff) == SQLITE_NOTADB)
        return {OpenStatus::Damaged, text};
    return {OpenStatus::Failed, text};
}

OpenResult checkSchema(const ReadOnlyFile &file)
{
    QString error;
    const QHash<QString, QStringList> ours = ourObjects(&error);
    if (ours.isEmpty())
        return {OpenStatus::Failed, error};
    QList<QStringList> rows;
    int code = 0;
    if (!rowsOf(file.handle(), QStringLiteral("SELECT name, type, tbl_name, sql FROM sqlite_master"), &rows, &code))
        return failedWith(file, code);
    QSet<QString> tables;
    for (const QStringList &row : std::as_const(rows)) {
        const QString &name = row.at(0);
        const auto expected = ours.constFind(name);
        if (expected == ours.constEnd())
            return {OpenStatus::NotOurs, QStringLiteral("%1 %2 is not part of this program's database").arg(row.at(1), name)};
        if (row.mid(1) != *expected)
            return {OpenStatus::NotOurs, QStringLiteral("%1 %2 is not made as this program makes it").arg(row.at(1), name)};
        if (row.at(1) == QLatin1String("table"))
            tables.insert(name);
    }
    for (auto object = ours.constBegin(); object != ours.constEnd(); ++object) {
        if (object.value().at(0) != QLatin1String("table") || tables.contains(object.key()))
            continue;
        return {tables.isEmpty() ? OpenStatus::NotOurs : OpenStatus::Damaged,
                QStringLiteral("table %1 is missing").arg(object.key())};
    }
    QList<QStringList> counts;
    if (!rowsOf(file.handle(),
                QStringLiteral("SELECT (SELECT COUNT(*) FROM \"Theme\"), "
                               "(SELECT COUNT(*) FROM \"QU\" WHERE \"code\" BETWEEN 1 AND 20)"),
                &counts, &code))
        return failedWith(file, code);
    if (counts.value(0).value(0) != QLatin1String("1"))
        return {OpenStatus::Damaged, QStringLiteral("the settings row is not there exactly once")};
    if (counts.value(0).value(1) != QLatin1String("20"))
        return {OpenStatus::Damaged, QStringLiteral("the twenty items are not all there")};
    return {OpenStatus::Opened, {}};
}

int askToGoOn(void *keepGoing)
{
    return (*static_cast<const std::function<bool()> *>(keepGoing))() ? 0 : 1;
}

OpenResult checkIntegrity(const ReadOnlyFile &file, const std::function<bool()> &keepGoing)
{
    QList<QStringList> rows;
    int code = 0;
    if (keepGoing)
        sqlite3_progress_handler(file.handle(), 20000, &askToGoOn, const_cast<std::function<bool()> *>(&keepGoing));
    const bool read = rowsOf(file.handle(), QStringLiteral("PRAGMA integrity_check"), &rows, &code);
    sqlite3_progress_handler(file.handle(), 0, nullptr, nullptr);
    if (!read && (code & 0xff) == SQLITE_INTERRUPT)
        return {OpenStatus::Failed, kCheckCancelled};
    if (!read)
        return failedWith(file, code);
    QStringList problems;
    for (const QStringList &row : std::as_const(rows))
        problems << row.value(0);
    if (problems != QStringList{QStringLiteral("ok")})
        return {OpenStatus::Damaged, problems.mid(0, 3).join(QLatin1Char('\n'))};
    return {OpenStatus::Opened, {}};
}

}  // namespace

OpenResult checkBackupFile(const QString &path, CheckDepth depth, const std::function<bool()> &keepGoing)
{
    if (SafeFile::isMissing(path))
        return {OpenStatus::Missing, SafeFile::describeError(ENOENT, path)};
    if (const QString refused = SafeFile::refuseSource(path); !refused.isEmpty())
        return {OpenStatus::Failed, refused};
    const HeaderBytes header = readHeaderBytes(path);
    if (header.blank)
        return {OpenStatus::Damaged, QStringLiteral("the file is empty or its first page is blank")};
    if (!header.sqlite)
        return {OpenStatus::NotOurs, QStringLiteral("the file is not a database")};
    if (header.pageSize == 0 || header.journalMode == JournalMode::None)
        return {OpenStatus::Damaged, QStringLiteral("the header of the database is not valid")};
    const qint64 length = QFileInfo(path).size();
    const qint64 pages = header.pageCount > 0 ? header.pageCount : length / header.pageSize;
    if (length != pages * header.pageSize)
        return {OpenStatus::Damaged, QStringLiteral("the file holds %1 bytes, where its %2 pages of %3 bytes make %4")
                                         .arg(length).arg(pages).arg(header.pageSize).arg(pages * header.pageSize)};
    ReadOnlyFile file(path);
    if (!file.isOpen())
        return failedWith(file, file.errorCode());
    if (const OpenResult schema = checkSchema(file); schema.status != OpenStatus::Opened)
        return schema;
    if (depth == CheckDepth::Whole)
        return checkIntegrity(file, keepGoing);
    return {OpenStatus::Opened, {}};
}

OpenResult checkWholeBeside(const QString &path, const std::function<bool(qint64, qint64)> &progress)
{
    std::atomic<bool> stop{false};
    OpenResult result;
    runTelling([&] { result = checkBackupFile(path, CheckDepth::Whole, [&stop] { return !stop.load(); }); }, progress,
               kChecking, kChecking, &stop);
    return result;
}

}  // namespace Store
