#include "store/recordset.h"

#include "store/database.h"

#include <QSqlDriver>
#include <QSqlError>
#include <QSqlField>
#include <QSqlIndex>
#include <QSqlQuery>
#include <QSqlRecord>

RecordSet::RecordSet(const QString &objectName, const QString &table, QObject *parent)
    : QSqlTableModel(parent, Store::database())
{
    setObjectName(objectName);
    setEditStrategy(QSqlTableModel::OnManualSubmit);
    setTable(table);
}

bool RecordSet::fail(const QString &message)
{
    m_error = message;
    return false;
}

bool RecordSet::open()
{
    return refresh();
}

bool RecordSet::refresh()
{
    setFilter(QString());
    return reselect();
}

bool RecordSet::filterBy(const QString &fieldName, const QString &value)
{
    QSqlDriver *driver = database().driver();
    QSqlField typed(fieldName, QMetaType(QMetaType::QString));
    typed.setValue(value);
    // The value goes through the driver's quoting: the operator's text is matched, never run.
    setFilter(driver->escapeIdentifier(fieldName, QSqlDriver::FieldName) + QStringLiteral(" = ")
              + driver->formatValue(typed));
    return reselect();
}

bool RecordSet::reselect()
{
    m_error.clear();
    m_addedCount = 0;
    m_onNewRow = false;
    m_newRowStored = false;
    m_newRow.clear();
    m_newRowKey.clear();
    m_storedCount = 0;
    const bool selected = select();
    bool counted = false;
    if (selected) {
        QSqlDriver *driver = database().driver();
        QString sql = QStringLiteral("SELECT COUNT(*) FROM ") + driver->escapeIdentifier(tableName(), QSqlDriver::TableName);
        if (!filter().isEmpty())
            sql += QStringLiteral(" WHERE ") + filter();
        QSqlQuery query(database());
        counted = query.exec(sql) && query.next();
        if (counted)
            m_storedCount = query.value(0).toInt();
        else
            m_error = query.lastError().text();
    } else {
        m_error = lastError().text();
    }
    m_current = m_storedCount > 0 ? 0 : -1;
    emit currentChanged();
    return selected && counted;
}

bool RecordSet::addNew()
{
    m_error.clear();
    if (tableName().isEmpty() || record().isEmpty())
        return fail(QStringLiteral("no table"));
    // A new row that was never committed is replaced, not kept.
    if (!(m_onNewRow && !m_newRowStored))
        ++m_addedCount;
    m_newRow = record();
    for (int column = 0; column < m_newRow.count(); ++column) {
        m_newRow.setValue(column, QVariant());
        m_newRow.setGenerated(column, false);
    }
    m_newRowKey.clear();
    m_newRowStored = false;
    m_onNewRow = true;
    emit currentChanged();
    return true;
}

bool RecordSet::setField(const QString &fieldName, const QVariant &value)
{
    m_error.clear();
    const int column = fieldIndex(fieldName);
    if (column < 0)
        return fail(QStringLiteral("no field %1 in %2").arg(fieldName, tableName()));
    if (m_onNewRow) {
        m_newRow.setValue(column, value);
        m_newRow.setGenerated(column, true);
        emit currentChanged();
        return true;
    }
    if (m_current < 0)
        return fail(QStringLiteral("no current row"));
    if (!setData(index(m_current, column), value))
        return fail(lastError().text());
    return true;
}

QVariant RecordSet::field(const QString &fieldName) const
{
    const int column = fieldIndex(fieldName);
    if (column < 0)
        return {};
    if (m_onNewRow)
        return m_newRow.value(column);
    if (m_current < 0)
        return {};
    return data(index(m_current, column));
}

bool RecordSet::currentIsDirty() const
{
    for (int column = 0; column < columnCount(); ++column)
        if (isDirty(index(m_current, column)))
            return true;
    return false;
}

bool RecordSet::newRowIsDirty() const
{
    if (!m_onNewRow)
        return false;
    if (!m_newRowStored)
        return true;
    for (int column = 0; column < m_newRow.count(); ++column)
        if (m_newRow.isGenerated(column))
            return true;
    return false;
}

bool RecordSet::hasPendingChanges() const
{
    return isDirty() || newRowIsDirty();
}

bool RecordSet::commitNewRow()
{
    QSqlDriver *driver = database().driver();
    QSqlQuery query(database());
    if (!m_newRowStored) {
        bool anyField = false;
        for (int column = 0; column < m_newRow.count(); ++column)
            anyField = anyField || m_newRow.isGenerated(column);
        if (!anyField)
            return fail(QStringLiteral("the new row is empty"));
        query.prepare(driver->sqlStatement(QSqlDriver::InsertStatement, tableName(), m_newRow, true));
    } else {
        const QString update = driver->sqlStatement(QSqlDriver::UpdateStatement, tableName(), m_newRow, true);
        const QString where = driver->sqlStatement(QSqlDriver::WhereStatement, tableName(), m_newRowKey, true);
        query.prepare(update + QLatin1Char(' ') + where);
    }
    for (int column = 0; column < m_newRow.count(); ++column)
        if (m_newRow.isGenerated(column))
            query.addBindValue(m_newRow.value(column));
    if (m_newRowStored)
        for (int column = 0; column < m_newRowKey.count(); ++column)
            query.addBindValue(m_newRowKey.value(column));
    if (!query.exec())
        return fail(query.lastError().text());
    if (m_newRowStored && query.numRowsAffected() != 1)
        return fail(QStringLiteral("the row is no longer in the store"));
    // Stored: later edits of this row update it by its key.
    m_newRowStored = true;
    const QSqlIndex key = primaryKey();
    m_newRowKey = key.isEmpty() ? QSqlRecord(m_newRow) : QSqlRecord(key);
    for (int column = 0; column < m_newRowKey.count(); ++column) {
        m_newRowKey.setValue(column, m_newRow.value(m_newRowKey.fieldName(column)));
        m_newRowKey.setGenerated(column, true);
    }
    for (int column = 0; column < m_newRow.count(); ++column)
        m_newRow.setGenerated(column, false);
    emit currentChanged();
    return true;
}

void RecordSet::keepNewRowPending()
{
    if (!m_onNewRow || !m_newRowStored)
        return;
    m_newRowStored = false;
    m_newRowKey.clear();
    for (int column = 0; column < m_newRow.count(); ++column)
        m_newRow.setGenerated(column, !m_newRow.isNull(column));
}

bool RecordSet::commit()
{
    m_error.clear();
    if (m_onNewRow)
        return newRowIsDirty() ? commitNewRow() : true;
    if (m_current < 0)
        return fail(QStringLiteral("no current row"));
    if (!currentIsDirty())
        return true;
    if (!updateRowInTable(m_current, record(m_current)))
        return fail(lastError().text());
    // Read the written row back in place; the rest of the snapshot stays as it was.
    if (!selectRow(m_current))
        return fail(lastError().text());
    emit currentChanged();
    return true;
}

bool RecordSet::deleteCurrent()
{
    m_error.clear();
    if (isBof())
        return fail(QStringLiteral("no current row"));
    const int row = m_current;
    if (m_onNewRow) {
        if (m_newRowStored) {
            QSqlQuery query(database());
            query.prepare(QStringLiteral("DELETE FROM ")
                          + database().driver()->escapeIdentifier(tableName(), QSqlDriver::TableName) + QLatin1Char(' ')
                          + database().driver()->sqlStatement(QSqlDriver::WhereStatement, tableName(), m_newRowKey, true));
            for (int column = 0; column < m_newRowKey.count(); ++column)
                query.addBindValue(m_newRowKey.value(column));
            if (!query.exec())
                return fail(query.lastError().text());
        }
    } else if (!deleteRowFromTable(row)) {
        return fail(lastError().text());
    }
    if (!reselect())
        return false;
    m_current = qMin(qMax(row, 0), count() - 1);
    while (m_current >= rowCount() && canFetchMore())
        fetchMore();
    emit currentChanged();
    return true;
}
