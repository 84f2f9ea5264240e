#pragma once

#include <QSqlRecord>
#include <QSqlTableModel>
#include <QVariant>

// A window's snapshot of one table with a current row, in the manner of a data
// control: open, refresh, filter, count, add, set field, commit, delete.
// Changes stay in the snapshot until commit; refresh throws them away. Rows
// committed through another record set show here only after a refresh.
class RecordSet : public QSqlTableModel
{
    Q_OBJECT

public:
    // objectName is the data control's name (Adodc2); table is matched without regard to case.
    RecordSet(const QString &objectName, const QString &table, QObject *parent = nullptr);

    bool open();
    // Re-reads the whole table: drops the filter, pending rows and uncommitted changes.
    bool refresh();
    // Restricts the set to rows whose field equals value exactly, character for character.
    bool filterBy(const QString &field, const QString &value);

    // Rows in the set, pending new rows included; counted in the store, not by reading them.
    int count() const { return m_storedCount + m_addedCount; }
    // True when there is no current row, as after a filter that matched nothing.
    bool isBof() const { return !m_onNewRow && m_current < 0; }
    bool isOnNewRow() const { return m_onNewRow; }

    // Starts a pending new row, all fields empty, and makes it current.
    bool addNew();
    bool setField(const QString &field, const QVariant &value);
    QVariant field(const QString &field) const;
    QString fieldText(const QString &name) const { return field(name).toString(); }
    // Writes the current row (pending or edited) to the store. A refused row stays pending.
    bool commit();
    // After the transaction holding a committed new row was rolled back: the
    // row is pending again, with every value it was given, for the next commit.
    void keepNewRowPending();
    // Removes the current row, and only that row, from the store.
    bool deleteCurrent();

    bool hasPendingChanges() const;
    QString errorText() const { return m_error; }

signals:
    // The current row moved, or the set was read again: bound controls show it anew.
    void currentChanged();

private:
    bool reselect();
    bool fail(const QString &message);
    bool currentIsDirty() const;
    bool commitNewRow();
    bool newRowIsDirty() const;

    int m_current = -1;
    int m_storedCount = 0;
    int m_addedCount = 0;
    // A new row lives beside the rows read from the store until the next read,
    // so that once committed it stays current with the values it was given.
    bool m_onNewRow = false;
    bool m_newRowStored = false;
    QSqlRecord m_newRow;
    QSqlRecord m_newRowKey;
    QString m_error;
};
