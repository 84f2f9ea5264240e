#include "store/recordset.h"

#include "store/database.h"
#include "store/engine.h"
#include "store/tablemodel.h"

#include <QSqlDriver>
#include <QSqlError>
#include <QSqlIndex>
#include <QSqlQuery>
#include <QSqlRecord>

// A record set's writes to the store: its new row, edits of a stored row,
// and deletion, each reaching exactly the row it names.

namespace {

const QString kNoRow = QStringLiteral("the row is no longer in the store");

}  // namespace

// The committed new row by its row id and, where the table has one, its key
// as last written, so a row that took its id after this one was deleted is never touched.
QString RecordSet::newRowWhere(QList<QVariant> *values) const
{
    QSqlDriver *driver = m_model->database().driver();
    QStringList conditions;
    // Where rows have no lasting id, the key alone names the row.
    if (engine().hasRowIds()) {
        conditions << engine().rowIdCondition();
        values->append(m_newRowId);
    }
    const QSqlIndex key = m_model->primaryKey();
    for (int column = 0; column < key.count(); ++column) {
        const QString name = key.fieldName(column);
        conditions << driver->escapeIdentifier(name, QSqlDriver::FieldName) + QStringLiteral(" = ?");
        values->append(m_newRowKey.value(column));
    }
    if (conditions.isEmpty())
        conditions << QStringLiteral("FALSE");
    return QStringLiteral(" WHERE ") + conditions.join(QStringLiteral(" AND "));
}

bool RecordSet::commitNewRow()
{
    QSqlDriver *driver = m_model->database().driver();
    QSqlQuery query(m_model->database());
    QList<QVariant> values;
    for (int column = 0; column < m_newRow.count(); ++column)
        if (m_newRow.isGenerated(column))
            values.append(m_newRow.value(column));
    if (m_newRowState == NewRow::Pending) {
        if (values.isEmpty())
            return fail(StoreFailure::Other, QStringLiteral("the new row is empty"));
        query.prepare(driver->sqlStatement(QSqlDriver::InsertStatement, table(), m_newRow, true));
    } else {
        QString update = driver->sqlStatement(QSqlDriver::UpdateStatement, table(), m_newRow, true);
        update += newRowWhere(&values);
        query.prepare(update);
    }
    for (const QVariant &value : std::as_const(values))
        query.addBindValue(value);
    if (!query.exec())
        return failWith(query.lastError());
    if (m_newRowState == NewRow::Stored && query.numRowsAffected() != 1)
        return fail(StoreFailure::NoRow, kNoRow);
    // Asked only where rows have ids: elsewhere asking would fail the transaction.
    if (m_newRowState == NewRow::Pending && engine().hasRowIds())
        m_newRowId = query.lastInsertId();
    m_newRowKey.clear();
    const QSqlIndex key = m_model->primaryKey();
    for (int column = 0; column < key.count(); ++column)
        m_newRowKey.append(m_newRow.value(key.fieldName(column)));
    // Stored: later edits of this row update it by its row id and key.
    m_newRowState = NewRow::Stored;
    for (int column = 0; column < m_newRow.count(); ++column)
        m_newRow.setGenerated(column, false);
    emit currentChanged();
    return true;
}

// The table model does not say how many rows its last write reached; the store does.
bool RecordSet::lastWriteReachedARow()
{
    bool reached = false;
    QSqlError error;
    if (!engine().lastWriteReachedARow(m_model->database(), &reached, &error))
        return failWith(error);
    if (!reached)
        return fail(StoreFailure::NoRow, kNoRow);
    return true;
}

bool RecordSet::commitStoredRow()
{
    if (engine().writesByKey() && !m_model->primaryKey().isEmpty()) {
        if (!writeByKey(false))
            return false;
        m_model->revertRow(m_current);
        return rereadCurrentRow();
    }
    if (!m_model->updateRowInTable(m_current, m_model->record(m_current)))
        return failWith(m_model->lastError());
    return lastWriteReachedARow() && rereadCurrentRow();
}

// Where the store cannot say afterwards how many rows a statement reached,
// the current stored row is updated or deleted here, by its key as read, and
// the statement's own count tells whether the row was still there.
bool RecordSet::writeByKey(bool remove)
{
    QSqlDriver *driver = m_model->database().driver();
    const QSqlIndex key = m_model->primaryKey();
    const QSqlRecord read = m_model->QSqlQueryModel::record(m_current);
    QSqlRecord edited = m_model->record(m_current);
    QList<QVariant> values;
    QString sql;
    if (remove) {
        sql = QStringLiteral("DELETE FROM ") + driver->escapeIdentifier(table(), QSqlDriver::TableName);
    } else {
        sql = driver->sqlStatement(QSqlDriver::UpdateStatement, table(), edited, true);
        for (int column = 0; column < edited.count(); ++column)
            if (edited.isGenerated(column))
                values.append(edited.value(column));
    }
    QStringList conditions;
    for (int column = 0; column < key.count(); ++column) {
        conditions << driver->escapeIdentifier(key.fieldName(column), QSqlDriver::FieldName) + QStringLiteral(" = ?");
        values.append(read.value(key.fieldName(column)));
    }
    sql += QStringLiteral(" WHERE ") + conditions.join(QStringLiteral(" AND "));
    return execOnOneRow(sql, values);
}

// Runs a statement that must reach exactly one row: none is the row gone.
bool RecordSet::execOnOneRow(const QString &sql, const QList<QVariant> &values)
{
    QSqlQuery query(m_model->database());
    if (!query.prepare(sql))
        return failWith(query.lastError());
    for (const QVariant &value : values)
        query.addBindValue(value);
    if (!query.exec())
        return failWith(query.lastError());
    if (query.numRowsAffected() != 1)
        return fail(StoreFailure::NoRow, kNoRow);
    return true;
}

// Reads the current stored row back from the store; the rest of the snapshot stays as it was.
bool RecordSet::rereadCurrentRow()
{
    if (!m_model->primaryKey().isEmpty()) {
        if (!m_model->selectRow(m_current))
            return failWith(m_model->lastError());
        emit currentChanged();
        return true;
    }
    // Without a key a row is known only by its old values, which may have just
    // changed: the table is read again and the current row kept by position.
    const int current = m_current;
    if (!reselect())
        return false;
    m_current = qMin(current, storedCount() - 1);
    while (m_current >= m_model->rowCount() && m_model->canFetchMore())
        m_model->fetchMore();
    emit currentChanged();
    return true;
}

bool RecordSet::commit()
{
    if (!beginOperation())
        return false;
    if (isOnNewRow())
        return newRowIsDirty() ? commitNewRow() : true;
    if (m_current < 0)
        return fail(StoreFailure::NoCurrentRow, QStringLiteral("no current row"));
    if (!currentIsDirty())
        return true;
    return commitStoredRow();
}

bool RecordSet::deleteCurrent()
{
    if (!beginOperation())
        return false;
    if (isBof())
        return fail(StoreFailure::NoCurrentRow, QStringLiteral("no current row"));
    const int row = m_current;
    if (m_newRowState == NewRow::Stored) {
        QList<QVariant> values;
        const QString sql = QStringLiteral("DELETE FROM ")
                            + m_model->database().driver()->escapeIdentifier(table(), QSqlDriver::TableName)
                            + newRowWhere(&values);
        if (!execOnOneRow(sql, values))
            return false;
    } else if (m_newRowState == NewRow::None && engine().writesByKey() && !m_model->primaryKey().isEmpty()) {
        if (!writeByKey(true))
            return false;
    } else if (m_newRowState == NewRow::None) {
        if (!m_model->deleteRowFromTable(row))
            return failWith(m_model->lastError());
        if (!lastWriteReachedARow())
            return false;
    }
    if (!reselect())
        return false;
    m_current = qMin(qMax(row, 0), count() - 1);
    while (m_current >= m_model->rowCount() && m_model->canFetchMore())
        m_model->fetchMore();
    emit currentChanged();
    return true;
}

