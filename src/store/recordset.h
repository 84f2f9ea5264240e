#pragma once

#include "store/storefailure.h"

#include <QMap>
#include <QObject>
#include <QSqlRecord>
#include <QStringList>
#include <QVariant>

#include <functional>
#include <memory>

class QAbstractItemModel;
class QSqlError;

namespace Store {
class Engine;
class PagedRows;
class TableModel;
class RowsView;
}  // namespace Store

// A window's snapshot of one table with a current row, in the manner of a data
// control: open, refresh, filter, count, add, set field, commit, delete.
// Changes stay in the snapshot until commit; refresh throws them away. Rows
// committed through another record set show here only after a refresh.
// Every operation that can fail says so, with the cause in errorText().
class RecordSet : public QObject
{
    Q_OBJECT

public:
    // objectName is the data control's name (Adodc2); table is matched without regard to case.
    RecordSet(const QString &objectName, const QString &table, QObject *parent = nullptr);
    ~RecordSet() override;

    QString table() const { return m_table; }
    // True once the connection was closed under the set: every operation then fails as Closed.
    bool isClosed() const { return m_model == nullptr; }
    // Field names are matched without regard to case, as the store does.
    bool hasField(const QString &field) const;
    // The field's name as the table spells it, or name itself when there is none.
    QString storedName(const QString &name) const;

    [[nodiscard]] bool open();
    // Re-reads the whole table: drops the filter, pending rows and uncommitted changes.
    [[nodiscard]] bool refresh();
    // Restricts the set to rows whose field equals value exactly, character for character.
    [[nodiscard]] bool filterBy(const QString &field, const QString &value);

    // Rows in the set, pending new rows included; counted in the store when
    // first asked for after a read (a whole table is not counted until then).
    int count() const { return storedCount() + m_addedCount; }
    // No row at all, known without counting.
    bool isEmpty() const;
    // True when there is no current row, as after a filter that matched nothing.
    bool isBof() const { return m_newRowState == NewRow::None && m_current < 0; }
    bool isOnNewRow() const { return m_newRowState != NewRow::None; }

    // Starts a pending new row, all fields empty, and makes it current.
    [[nodiscard]] bool addNew();
    [[nodiscard]] bool setField(const QString &field, const QVariant &value);
    QVariant field(const QString &field) const;
    QString fieldText(const QString &name) const { return field(name).toString(); }
    // Writes the current row (pending or edited) to the store. A refused row stays pending.
    [[nodiscard]] bool commit();
    // Removes the current row, and only that row, from the store.
    [[nodiscard]] bool deleteCurrent();

    bool hasPendingChanges() const;
    QString errorText() const { return m_error; }
    StoreFailure failure() const { return m_failure; }

    // Reads the stored rows of the set, in its order and under its filter,
    // straight from the store: one call of row per row, with the values of
    // fields in that order. Pending rows and uncommitted edits are not read.
    [[nodiscard]] bool readStoredRows(const QStringList &fields,
                                      const std::function<void(const QStringList &values)> &row);

    // The stored rows of the set as they stand now, under its filter, counted
    // at once and read later block by block in the order they were written;
    // they keep the filter of this moment whatever the set does next.
    [[nodiscard]] bool pageStoredRows(const QStringList &fields, std::unique_ptr<Store::PagedRows> *rows);

    // Whether the table holds any row now, whatever this set last read.
    [[nodiscard]] bool readAnyStoredRow(bool *any);
    // The distinct non-empty values of field among the stored rows of the set,
    // under its filter, in no particular order.
    [[nodiscard]] bool readDistinctValues(const QString &field, QStringList *values);

    // The rows for a grid or a list: read-only, fetched as the view scrolls,
    // as many in the end as count() says.
    QAbstractItemModel *view();

    // Where the current row stands when it is a new one.
    enum class NewRow {
        None,     // the current row, if any, is a stored row of the snapshot
        Pending,  // a new row not yet in the store
        Stored,   // a new row committed; later commits update it
    };

    // What a transaction keeps of the set, to put it back when it rolls back.
    struct Snapshot {
        int current = -1;
        int storedCount = 0;
        int addedCount = 0;
        NewRow newRowState = NewRow::None;
        QSqlRecord newRow;
        QVariant newRowId;
        QList<QVariant> newRowKey;
        QMap<int, QVariant> edits;  // uncommitted values of the current stored row
    };
    Snapshot snapshot() const;
    // The store was rolled back to where it was at the snapshot: so is the set.
    void restore(const Snapshot &snapshot);

signals:
    // The current row moved, its values changed, or the set was read again.
    void currentChanged();

private:
    const Store::Engine &engine() const;
    void letGoOfStore();
    bool refuseWhenClosed();
    // The guard every operation passes first: false (and the cause set) when
    // the set was closed, or for a write when the store cannot be reached.
    bool beginOperation(bool reachesServer = true);
    bool reselect();
    int storedCount() const;
    bool fail(StoreFailure failure, const QString &message);
    bool failWith(const QSqlError &error);
    bool currentIsDirty() const;
    bool commitNewRow();
    bool commitStoredRow();
    bool writeByKey(bool remove);
    bool execOnOneRow(const QString &sql, const QList<QVariant> &values);
    bool lastWriteReachedARow();
    bool rereadCurrentRow();
    bool newRowIsDirty() const;
    QString newRowWhere(QList<QVariant> *values) const;

    QString m_table;
    Store::TableModel *m_model;  // gone once the connection closed
    Store::RowsView *m_view = nullptr;
    bool m_modelNeedsTable = false;
    int m_current = -1;
    mutable int m_storedCount = 0;  // -1 until counted after a read
    int m_addedCount = 0;
    // A new row lives beside the rows read from the store until the next read,
    // so that once committed it stays current with the values it was given.
    NewRow m_newRowState = NewRow::None;
    QSqlRecord m_newRow;
    QVariant m_newRowId;            // the store's row id once committed
    QList<QVariant> m_newRowKey;    // its key as last written
    QString m_error;
    StoreFailure m_failure = StoreFailure::None;

    friend class Store::RowsView;  // reads the new row and the table model
};
