#include "store/schema.h"

#include "store/engine.h"

#include <QFile>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>

namespace Store {

namespace {

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

QString resourceText(const QString &name)
{
    QFile file(QStringLiteral(":/store/") + name);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll());
}

}  // namespace

QStringList schemaStatements()
{
    QStringList statements;
    for (const QString &statement : resourceText(QStringLiteral("schema.sql")).split(QLatin1Char(';'))) {
        QStringList lines = statement.split(QLatin1Char('\n'));
        lines.removeIf([](const QString &line) { return line.trimmed().startsWith(QLatin1String("--")); });
        const QString code = lines.join(QLatin1Char('\n')).trimmed();
        if (!code.isEmpty())
            statements << code;
    }
    return statements;
}

QStringList indexStatements()
{
    QStringList indexes = schemaStatements();
    indexes.removeIf([](const QString &code) { return !code.startsWith(QLatin1String("CREATE INDEX IF NOT EXISTS")); });
    return indexes;
}

bool execAll(QSqlDatabase &db, const QStringList &statements, QString *error)
{
    QSqlQuery query(db);
    for (const QString &statement : statements) {
        if (!query.exec(statement)) {
            if (error)
                *error = query.lastError().text();
            return false;
        }
    }
    return true;
}

Shape tableShape(const QSqlDatabase &db)
{
    int found = 0;
    bool whole = true;
    for (const TableShape &table : expectedShape()) {
        const QSqlRecord record = db.record(engineFor(db).tableName(db, QString::fromLatin1(table.name)));
        if (!record.isEmpty())
            ++found;
        for (const QString &field : table.fields)
            whole = whole && record.indexOf(field) >= 0;
    }
    if (whole)
        return Shape::Ours;
    return found > 0 ? Shape::Partial : Shape::Foreign;
}

bool holdsOurTables(const QSqlDatabase &db)
{
    return tableShape(db) == Shape::Ours;
}

bool createTables(QSqlDatabase &db, QString *error)
{
    return execAll(db, schemaStatements(), error);
}

bool fillNewDatabase(QSqlDatabase &db, QString *error)
{
    if (!createTables(db, error))
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

}  // namespace Store
