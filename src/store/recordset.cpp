#include "recordset.h"

#include "database.h"

#include <QSqlDriver>
#include <QSqlError>
#include <QSqlField>
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
    m_currentIsNew = false;
    m_storedCount = 0;
    m_current = -1;
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
    // At the top of the snapshot, so rows not yet fetched keep their places behind it.
    if (!insertRow(0))
        return fail(lastError().text());
    m_current = 0;
    m_currentIsNew = true;
    ++m_addedCount;
    emit currentChanged();
    return true;
}

bool RecordSet::setField(const QString &fieldName, const QVariant &value)
{
    m_error.clear();
    const int column = fieldIndex(fieldName);
    if (column < 0)
        return fail(QStringLiteral("no field %1 in %2").arg(fieldName, tableName()));
    if (m_current < 0)
        return fail(QStringLiteral("no current row"));
    if (!setData(index(m_current, column), value))
        return fail(lastError().text());
    return true;
}

QVariant RecordSet::field(const QString &fieldName) const
{
    const int column = fieldIndex(fieldName);
    if (column < 0 || m_current < 0)
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

bool RecordSet::hasPendingChanges() const
{
    return isDirty();
}

bool RecordSet::commit()
{
    m_error.clear();
    if (m_current < 0)
        return fail(QStringLiteral("no current row"));
    if (!currentIsDirty())
        return true;
    const QSqlRecord values = record(m_current);
    const bool written = m_currentIsNew ? insertRowIntoTable(values) : updateRowInTable(m_current, values);
    if (!written)
        return fail(lastError().text());
    // Read the written row back in place; the rest of the snapshot stays as it was.
    m_currentIsNew = false;
    if (!selectRow(m_current))
        return fail(lastError().text());
    emit currentChanged();
    return true;
}

bool RecordSet::deleteCurrent()
{
    m_error.clear();
    if (m_current < 0)
        return fail(QStringLiteral("no current row"));
    const int row = m_current;
    if (!m_currentIsNew && !deleteRowFromTable(row))
        return fail(lastError().text());
    if (!reselect())
        return false;
    m_current = qMin(row, count() - 1);
    while (m_current >= rowCount() && canFetchMore())
        fetchMore();
    emit currentChanged();
    return true;
}
