#include "store/database.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QStringList>

namespace Store {
namespace {

const char kConnection[] = "quorvel";

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

bool hasSqliteHeader(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    return file.read(16) == QByteArray("SQLite format 3\0", 16);
}

bool holdsOurTables(const QSqlDatabase &db)
{
    for (const TableShape &table : expectedShape()) {
        const QSqlRecord record = db.record(QString::fromLatin1(table.name));
        for (const QString &field : table.fields)
            if (record.indexOf(field) < 0)
                return false;
    }
    return true;
}

bool execAll(QSqlDatabase &db, const QStringList &statements, QString *error)
{
    QSqlQuery query(db);
    for (const QString &statement : statements) {
        if (statement.trimmed().isEmpty())
            continue;
        if (!query.exec(statement)) {
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

void dropConnection(const QString &name)
{
    {
        QSqlDatabase db = QSqlDatabase::database(name, false);
        if (db.isValid())
            db.close();
    }
    QSqlDatabase::removeDatabase(name);
}

}  // namespace

QSqlDatabase database()
{
    return QSqlDatabase::database(QString::fromLatin1(kConnection), false);
}

void closeDatabase()
{
    dropConnection(QString::fromLatin1(kConnection));
}

OpenResult openDatabase(const QString &path)
{
    closeDatabase();
    const QFileInfo info(path);
    if (!info.exists())
        return {OpenStatus::Missing, {}};
    if (!info.isFile() || !info.isReadable())
        return {OpenStatus::Failed, QStringLiteral("not a readable file")};
    // Checked before SQLite touches the file, so a foreign file stays byte for byte as it was.
    if (!hasSqliteHeader(path))
        return {OpenStatus::NotOurs, {}};

    const OpenResult result = [&path]() -> OpenResult {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QString::fromLatin1(kConnection));
        db.setDatabaseName(path);
        if (!db.open())
            return {OpenStatus::Failed, db.lastError().text()};
        if (!holdsOurTables(db))
            return {OpenStatus::NotOurs, {}};
        // One file holds everything whenever no transaction is open, so a byte copy is a whole backup.
        QString error;
        if (!execAll(db, {QStringLiteral("PRAGMA journal_mode=DELETE"), QStringLiteral("PRAGMA synchronous=FULL"),
                          QStringLiteral("PRAGMA busy_timeout=5000")},
                     &error))
            return {OpenStatus::Failed, error};
        return {OpenStatus::Opened, {}};
    }();
    if (result.status != OpenStatus::Opened)
        closeDatabase();
    return result;
}

bool createDatabase(const QString &path, QString *error)
{
    if (QFileInfo::exists(path)) {
        if (error)
            *error = QStringLiteral("a file already exists at %1").arg(path);
        return false;
    }
    const QFileInfo info(path);
    if (!QDir().mkpath(info.absolutePath())) {
        if (error)
            *error = QStringLiteral("cannot make the folder %1").arg(info.absolutePath());
        return false;
    }
    // Built under a temporary name and renamed, so a half-written file never stands at path.
    const QString partial = path + QStringLiteral(".new");
    QFile::remove(partial);
    const QString connection = QStringLiteral("quorvel-create");
    bool ok = false;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection);
        db.setDatabaseName(partial);
        if (!db.open()) {
            if (error)
                *error = db.lastError().text();
        } else {
            QStringList statements = resourceText(QStringLiteral("schema.sql")).split(QLatin1Char(';'));
            ok = execAll(db, {QStringLiteral("PRAGMA journal_mode=DELETE"), QStringLiteral("BEGIN")}, error)
                 && execAll(db, statements, error);
            QSqlQuery insert(db);
            const QStringList items =
                resourceText(QStringLiteral("items.txt")).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
            if (ok && items.size() != 20) {
                ok = false;
                if (error)
                    *error = QStringLiteral("the item list holds %1 items, not 20").arg(items.size());
            }
            insert.prepare(QStringLiteral("INSERT INTO \"QU\" (\"code\", \"Q\") VALUES (?, ?)"));
            for (int i = 0; ok && i < items.size(); ++i) {
                insert.addBindValue(i + 1);
                insert.addBindValue(items.at(i).trimmed());
                ok = insert.exec();
                if (!ok && error)
                    *error = insert.lastError().text();
            }
            if (ok) {
                ok = insert.exec(QStringLiteral(
                    "INSERT INTO \"Theme\" (\"TH\", \"Name\", \"Adress\") VALUES ('1', '', '')"));
                if (!ok && error)
                    *error = insert.lastError().text();
            }
            ok = ok && execAll(db, {QStringLiteral("COMMIT")}, error);
            insert.finish();
            db.close();
        }
    }
    QSqlDatabase::removeDatabase(connection);
    if (ok && !QFile::rename(partial, path)) {
        ok = false;
        if (error)
            *error = QStringLiteral("cannot move the new database to %1").arg(path);
    }
    if (!ok)
        QFile::remove(partial);
    return ok;
}

}  // namespace Store
