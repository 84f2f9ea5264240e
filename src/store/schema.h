#pragma once

#include <QSqlDatabase>
#include <QString>
#include <QStringList>

// The program's tables as data/schema.sql makes them, on either engine.
namespace Store {

// Every statement of the schema, comments left out, in their order.
QStringList schemaStatements();
// Only its indexes, each made where it is missing: a database written
// before they existed gets them at its first open.
QStringList indexStatements();

// Runs statements on db; false with the first failure in *error (if given).
bool execAll(QSqlDatabase &db, const QStringList &statements, QString *error);

enum class Shape {
    Ours,     // every table and field the windows rely on is there
    Partial,  // some of our tables are
    Foreign,  // none of them is
};
Shape tableShape(const QSqlDatabase &db);

// For connections of their own (copies): whether db holds every table and
// field of the program; the tables alone, without rows.
bool holdsOurTables(const QSqlDatabase &db);
bool createTables(QSqlDatabase &db, QString *error);

// The tables, the twenty items and the one settings row, written on db
// inside the transaction its caller holds.
bool fillNewDatabase(QSqlDatabase &db, QString *error);

}  // namespace Store
