#pragma once

#include "store/engine.h"

namespace Store {

// The database file of one desk: SQLite through Qt's QSQLITE driver, with
// SQLite's own handle where Qt has no word for what is needed.
class FileEngine : public Engine
{
public:
    explicit FileEngine(const QString &path = {}) : m_path(path) {}

    // Opens the process's connection on the file, after checking that it is
    // a whole database of this program; a file that is not is left as it was.
    OpenResult open(Access access, PageCheck pageCheck);

    QString tableName(const QSqlDatabase &db, const QString &table) const override;
    QString rowOrder(const QSqlDatabase &db, const QSqlIndex &key) const override;
    QString listOrder(const QSqlDatabase &db, const QSqlIndex &key) const override;
    bool hasRowIds() const override { return true; }
    QString rowIdCondition() const override { return QStringLiteral("rowid = ?"); }
    bool writesByKey() const override { return false; }
    bool lastWriteReachedARow(const QSqlDatabase &db, bool *reached, QSqlError *error) const override;
    StoreFailure classify(const QSqlError &error, const QSqlDatabase &connection) const override;
    QSqlDatabase addConnection(const QString &name, const Place &place, bool readOnly) const override;
    QString snapshotStatement() const override { return QStringLiteral("BEGIN"); }

    QString description() const override;
    OpenResult finishOpening() override;
    CopyOutcome writeSnapshot(SafeFile::Writer &out, const Progress &progress) override;
    CopyOutcome replaceWith(const QString &source, const Progress &progress) override;
    ReadEnd readRows(const QString &sql, const QStringList &bindings, const std::function<bool(const RowValues &)> &row,
                     QString *error) override;

private:
    QString m_path;
    bool m_pageCheckPending = false;
};

// The bytes of the database file at database, read in one snapshot no writer
// can change, into out. Used for the open file and for a file no connection
// of this process has open.
CopyOutcome writeFileSnapshot(const QString &database, SafeFile::Writer &out, const Progress &progress);

// Puts the backup at source (its shape already checked) in place of the
// database file at database: copied beside it, checked whole there, then,
// with the process's connection closed and no other program holding the
// file, renamed over it. On failure the file is as it was and the store is
// opened on it again.
CopyOutcome replaceFile(const QString &source, const QString &database, const Progress &progress);

}  // namespace Store
