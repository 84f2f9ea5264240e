#pragma once

#include "store/database.h"
#include "store/storefailure.h"

#include <QByteArrayView>
#include <QSqlDatabase>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

class QSqlError;
class QSqlIndex;

namespace SafeFile {
class Writer;
}

// Everything that differs between the database file and a database server
// sits behind one interface, chosen once when the store opens: how names are
// spelt, what identifies a new row and orders rows, what a failure means,
// how a lost connection comes back, the snapshot a backup reads, the
// replacement a restore makes, and the bulk read of rows.
namespace Store {

struct Place;

// Told now and then how far a long copy is, so that a window can paint and
// show it; returning false stops the copy. done and total are bytes; a
// total of kChecking means the copy is being checked (done is kChecking too),
// kRowsCopied that done rows were copied of a number not told.
using Progress = std::function<bool(qint64 done, qint64 total)>;
inline constexpr qint64 kChecking = -1;
inline constexpr qint64 kRowsCopied = -2;

// How a backup's snapshot or a restore's replacement ended.
enum class CopyEnd {
    Done,
    Busy,       // another program holds the database; nothing was changed
    Cancelled,  // the progress stopped it; nothing was changed
    Source,     // the backup could not be read or copied
    Refused,    // the backup is not exactly a whole database of this program
    Replace,    // the checked copy could not take the database's place
    Restoring,  // another desk is restoring into the server; nothing was changed
};
struct CopyOutcome {
    CopyOutcome() = default;
    CopyOutcome(CopyEnd ended, const QString &why) : end(ended), detail(why) {}
    CopyEnd end = CopyEnd::Done;
    QString detail;       // the engine's words when it did not end Done
    bool reopened = true;  // after a failed restore: whether the store is open again
    QString reopenError;   // and if not, why
    bool ok() const { return end == CopyEnd::Done; }
};

// One row of a bulk read, its values by column.
class RowValues
{
public:
    virtual ~RowValues() = default;
    virtual QString text(int column) const = 0;
    // The value as UTF-8, valid until the next row; empty for none.
    virtual QByteArrayView utf8(int column) const = 0;
};
enum class ReadEnd { Done, Stopped, Failed };

class Engine
{
public:
    virtual ~Engine() = default;

    // The table's name as Qt's table model and SQL statements must give it.
    virtual QString tableName(const QSqlDatabase &db, const QString &table) const = 0;
    // A column whose values are unique and that orders rows as they are
    // paged (as SQL), given the table's key; empty when there is none.
    virtual QString rowOrder(const QSqlDatabase &db, const QSqlIndex &key) const = 0;
    // The ORDER BY a grid's select needs to show rows in that order; empty
    // where the engine keeps them in order by itself.
    virtual QString listOrder(const QSqlDatabase &db, const QSqlIndex &key) const = 0;
    // Whether a new row has a lasting identity of its own beside its key,
    // and the condition naming it ("rowid = ?").
    virtual bool hasRowIds() const = 0;
    virtual QString rowIdCondition() const = 0;
    // Whether stored rows are updated and deleted by their key, so that the
    // statement's own count says whether the row was there.
    virtual bool writesByKey() const = 0;
    // After a write through Qt's table model: whether it reached a row.
    virtual bool lastWriteReachedARow(const QSqlDatabase &db, bool *reached, QSqlError *error) const = 0;

    // Why an operation on connection failed, in the store's words.
    virtual StoreFailure classify(const QSqlError &error, const QSqlDatabase &connection) const = 0;

    // Connections of their own, as copies make them: the driver, the place,
    // and the statement that starts one read-only snapshot.
    virtual QSqlDatabase addConnection(const QString &name, const Place &place, bool readOnly) const = 0;
    virtual QString snapshotStatement() const = 0;

    // What only the open store does: nothing on an engine of another connection.

    // The open database as the windows name it, never with a secret.
    virtual QString description() const { return {}; }
    // Whether other desks work on the same database, so that replacing it
    // changes their data too.
    virtual bool isShared() const { return false; }
    // Runs whatever the open left for after the first paint.
    virtual OpenResult finishOpening() { return {OpenStatus::Opened, {}}; }
    // Before each operation: a connection that the server ended, or that
    // was lost at a failure, is opened afresh. False when it cannot be, and
    // inside a transaction, whose rows a new connection would not hold.
    virtual bool ensureConnected() { return true; }
    virtual void noteConnectionLost() {}
    virtual void noteTransaction(bool /*open*/) {}
    // The whole database as a file of the program, read in one consistent
    // snapshot, written into out (open, neither finished nor committed).
    virtual CopyOutcome writeSnapshot(SafeFile::Writer &out, const Progress &progress);
    // Every row of the store replaced by those of the backup file at source,
    // whose shape was checked: the store is left as it was or replaced whole.
    // The file store closes its connection for it; the program must end
    // after a restore that succeeded.
    virtual CopyOutcome replaceWith(const QString &source, const Progress &progress);
    // Runs sql (with bindings for its ?1, ?2 … in order) on the open
    // connection, one call of row per row in a forward pass; row returning
    // false stops the read.
    virtual ReadEnd readRows(const QString &sql, const QStringList &bindings,
                             const std::function<bool(const RowValues &)> &row, QString *error);
};

// The engine of the open store (an engine of no store before an open).
Engine &engine();
// The engine of any connection, chosen by its driver.
const Engine &engineFor(const QSqlDatabase &db);
// The engine of a place a copy reads or writes.
const Engine &engineFor(const Place &place);

// Makes engine the open store's; called by the opens.
void setOpenEngine(std::unique_ptr<Engine> engine);

}  // namespace Store
