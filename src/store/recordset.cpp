#include "store/recordset.h"

#include "store/database.h"
#include "store/engine.h"
#include "store/pagedrows.h"
#include "store/rowsview.h"
#include "store/tablemodel.h"

#include <QSqlDriver>
#include <QSqlError>
#include <QSqlField>
#include <QSqlIndex>
#include <QSqlQuery>
#include <QSqlRecord>

RecordSet::RecordSet(const QString &objectName, const QString &table, QObject *parent)
    : QObject(parent), m_model(new Store::TableModel(this))
{
    setObjectName(objectName);
    m_model->setTable(engine().tableName(m_model->database(), table));
    m_table = table;
    connect(&Store::connectionEvents(), &Store::ConnectionEvents::closing, this, &RecordSet::letGoOfStore);
}

RecordSet::~RecordSet() = default;

// The connection is closing: nothing of it may stay held here.
void RecordSet::letGoOfStore()
{
    if (!m_model)
        return;
    delete m_model;
    m_model = nullptr;
    m_storedCount = 0;
    m_addedCount = 0;
    m_current = -1;
    m_newRowState = NewRow::None;
    m_newRow.clear();
    m_newRowId.clear();
    m_newRowKey.clear();
    if (m_view)
        m_view->resetRows();
    emit currentChanged();
}

bool RecordSet::refuseWhenClosed()
{
    if (m_model)
        return false;
    fail(StoreFailure::Closed, QStringLiteral("the database was closed"));
    return true;
}

bool RecordSet::beginOperation(bool reachesServer)
{
    // A connection the server ended is opened afresh first, for a read as for a
    // write; a new row or an edit waits in memory, server or not.
    if (reachesServer && !Store::ensureConnected())
        return fail(StoreFailure::Unreachable, Store::database().lastError().text());
    if (refuseWhenClosed())
        return false;
    m_error.clear();
    m_failure = StoreFailure::None;
    return true;
}

bool RecordSet::hasField(const QString &name) const
{
    return m_model && m_model->fieldIndex(name) >= 0;
}

// A field as the table spells it: the windows name fields in any case, as
// the file allows, where a server matches quoted names exactly.
QString RecordSet::storedName(const QString &name) const
{
    const int index = m_model ? m_model->fieldIndex(name) : -1;
    return index >= 0 ? m_model->record().fieldName(index) : name;
}

bool RecordSet::fail(StoreFailure failure, const QString &message)
{
    m_failure = failure;
    m_error = message;
    return false;
}

const Store::Engine &RecordSet::engine() const
{
    return Store::engineFor(m_model->database());
}

bool RecordSet::failWith(const QSqlError &error)
{
    const StoreFailure failure = classifyFailure(error, m_model->database());
    return fail(failure == StoreFailure::None ? StoreFailure::Other : failure, error.text());
}

bool RecordSet::open()
{
    return refresh();
}

bool RecordSet::refresh()
{
    if (refuseWhenClosed())
        return false;
    m_model->setWhere(QString());
    return reselect();
}

bool RecordSet::filterBy(const QString &fieldName, const QString &value)
{
    if (refuseWhenClosed())
        return false;
    if (!hasField(fieldName))
        return fail(StoreFailure::UnknownField, QStringLiteral("no field %1 in %2").arg(fieldName, table()));
    QSqlDriver *driver = m_model->database().driver();
    QSqlField typed(fieldName, QMetaType(QMetaType::QString));
    typed.setValue(value);
    // The value goes through the driver's quoting: the operator's text is matched, never run.
    m_model->setWhere(driver->escapeIdentifier(storedName(fieldName), QSqlDriver::FieldName) + QStringLiteral(" = ")
                      + driver->formatValue(typed));
    return reselect();
}

bool RecordSet::reselect()
{
    if (!Store::ensureConnected())
        return fail(StoreFailure::Unreachable, Store::database().lastError().text());
    m_error.clear();
    m_failure = StoreFailure::None;
    m_addedCount = 0;
    m_newRowState = NewRow::None;
    m_newRow.clear();
    m_newRowId.clear();
    m_newRowKey.clear();
    m_storedCount = 0;
    m_current = -1;
    if (table().isEmpty()) {
        emit currentChanged();
        return fail(StoreFailure::Other, QStringLiteral("no table"));
    }
    // A first row is looked for before the table model reads: the look waits
    // for a busy file and names the cause truly, where the table model would
    // only report a table it cannot find. The rows are counted only when asked.
    QSqlDriver *driver = m_model->database().driver();
    QString sql = QStringLiteral("SELECT 1 FROM ") + driver->escapeIdentifier(table(), QSqlDriver::TableName);
    if (!m_model->where().isEmpty())
        sql += QStringLiteral(" WHERE ") + m_model->where();
    sql += QStringLiteral(" LIMIT 1");
    QSqlQuery query(m_model->database());
    bool ok = query.exec(sql);
    if (ok) {
        const bool anyRow = query.next();
        query.finish();
        // A read that failed before may have left the model without its fields.
        if (m_modelNeedsTable)
            m_model->setTable(engine().tableName(m_model->database(), table()));
        ok = m_model->select();
        m_modelNeedsTable = !ok;
        if (!ok)
            failWith(m_model->lastError());
        else
            m_storedCount = anyRow || m_model->rowCount() > 0 ? -1 : 0;
    } else {
        failWith(query.lastError());
    }
    m_current = m_storedCount != 0 && m_model->rowCount() > 0 ? 0 : -1;
    if (m_view)
        m_view->resetRows();
    emit currentChanged();
    return ok;
}

int RecordSet::storedCount() const
{
    if (m_storedCount >= 0 || !m_model)
        return qMax(m_storedCount, 0);
    // Every row already read: nothing to count.
    if (!m_model->canFetchMore()) {
        m_storedCount = m_model->rowCount();
        return m_storedCount;
    }
    QSqlDriver *driver = m_model->database().driver();
    QString sql = QStringLiteral("SELECT COUNT(*) FROM ") + driver->escapeIdentifier(m_table, QSqlDriver::TableName);
    if (!m_model->where().isEmpty())
        sql += QStringLiteral(" WHERE ") + m_model->where();
    QSqlQuery query(m_model->database());
    if (query.exec(sql) && query.next())
        m_storedCount = query.value(0).toInt();
    // A count that cannot be taken now leaves the rows read so far, and is asked again later.
    return m_storedCount >= 0 ? m_storedCount : m_model->rowCount();
}

bool RecordSet::isEmpty() const
{
    if (m_addedCount > 0)
        return false;
    if (m_storedCount >= 0 || !m_model)
        return m_storedCount <= 0;
    return m_model->rowCount() == 0;
}

bool RecordSet::readStoredRows(const QStringList &fields,
                               const std::function<void(const QStringList &values)> &row)
{
    if (!beginOperation())
        return false;
    QSqlDriver *driver = m_model->database().driver();
    QStringList columns;
    for (const QString &name : fields) {
        if (!hasField(name))
            return fail(StoreFailure::UnknownField, QStringLiteral("no field %1 in %2").arg(name, table()));
        columns << driver->escapeIdentifier(storedName(name), QSqlDriver::FieldName);
    }
    QString sql = QStringLiteral("SELECT ") + columns.join(QStringLiteral(", ")) + QStringLiteral(" FROM ")
                  + driver->escapeIdentifier(table(), QSqlDriver::TableName);
    if (!m_model->where().isEmpty())
        sql += QStringLiteral(" WHERE ") + m_model->where();
    QSqlQuery query(m_model->database());
    query.setForwardOnly(true);
    if (!query.exec(sql))
        return failWith(query.lastError());
    QStringList values;
    while (query.next()) {
        values.clear();
        for (int column = 0; column < fields.size(); ++column)
            values << query.value(column).toString();
        row(values);
    }
    if (query.lastError().isValid())
        return failWith(query.lastError());
    return true;
}

bool RecordSet::pageStoredRows(const QStringList &fields, std::unique_ptr<Store::PagedRows> *rows)
{
    if (!beginOperation())
        return false;
    for (const QString &name : fields) {
        if (!hasField(name))
            return fail(StoreFailure::UnknownField, QStringLiteral("no field %1 in %2").arg(name, table()));
    }
    QStringList stored;
    for (const QString &name : fields)
        stored << storedName(name);
    const QString order = engine().rowOrder(m_model->database(), m_model->primaryKey());
    if (order.isEmpty())
        return fail(StoreFailure::Other, QStringLiteral("%1 has no one-field key to page by").arg(table()));
    auto paged = std::make_unique<Store::PagedRows>(table(), m_model->where(), stored, order);
    if (!paged->open())
        return fail(paged->failure(), paged->errorText());
    *rows = std::move(paged);
    return true;
}

bool RecordSet::readAnyStoredRow(bool *any)
{
    if (!beginOperation())
        return false;
    QSqlQuery query(m_model->database());
    query.setForwardOnly(true);
    if (!query.exec(QStringLiteral("SELECT 1 FROM ") + m_model->tableName() + QStringLiteral(" LIMIT 1")))
        return failWith(query.lastError());
    *any = query.next();
    if (query.lastError().isValid())
        return failWith(query.lastError());
    return true;
}

bool RecordSet::readDistinctValues(const QString &field, QStringList *values)
{
    if (!beginOperation())
        return false;
    if (!hasField(field))
        return fail(StoreFailure::UnknownField, QStringLiteral("no field %1 in %2").arg(field, table()));
    QSqlDriver *driver = m_model->database().driver();
    const QString column = driver->escapeIdentifier(storedName(field), QSqlDriver::FieldName);
    const QString from = QStringLiteral(" FROM ") + driver->escapeIdentifier(table(), QSqlDriver::TableName);
    QString sql;
    if (m_model->where().isEmpty()) {
        // Over the whole table, hop from each value to the next one through
        // the field's index instead of reading every row.
        sql = QStringLiteral("WITH RECURSIVE v(x) AS (SELECT MIN(%1)%2 WHERE %1 > '' "
                             "UNION ALL SELECT (SELECT MIN(%1)%2 WHERE %1 > x) FROM v WHERE x IS NOT NULL) "
                             "SELECT x FROM v WHERE x IS NOT NULL")
                  .arg(column, from);
    } else {
        sql = QStringLiteral("SELECT DISTINCT ") + column + from + QStringLiteral(" WHERE ") + column
              + QStringLiteral(" <> '' AND (") + m_model->where() + QLatin1Char(')');
    }
    QSqlQuery query(m_model->database());
    query.setForwardOnly(true);
    if (!query.exec(sql))
        return failWith(query.lastError());
    QStringList read;
    while (query.next())
        read << query.value(0).toString();
    if (query.lastError().isValid())
        return failWith(query.lastError());
    *values = read;
    return true;
}

bool RecordSet::addNew()
{
    if (!beginOperation(false))
        return false;
    if (table().isEmpty() || m_model->record().isEmpty())
        return fail(StoreFailure::Other, QStringLiteral("no table %1 in the store").arg(table()));
    // A new row that was never committed is replaced, not kept.
    if (m_newRowState != NewRow::Pending)
        ++m_addedCount;
    m_newRow = m_model->record();
    for (int column = 0; column < m_newRow.count(); ++column) {
        m_newRow.setValue(column, QVariant());
        m_newRow.setGenerated(column, false);
    }
    m_newRowId.clear();
    m_newRowKey.clear();
    m_newRowState = NewRow::Pending;
    if (m_view)
        m_view->resetRows();
    emit currentChanged();
    return true;
}

bool RecordSet::setField(const QString &fieldName, const QVariant &value)
{
    if (!beginOperation(false))
        return false;
    const int column = m_model->fieldIndex(fieldName);
    if (column < 0)
        return fail(StoreFailure::UnknownField, QStringLiteral("no field %1 in %2").arg(fieldName, table()));
    if (isOnNewRow()) {
        m_newRow.setValue(column, value);
        m_newRow.setGenerated(column, true);
    } else {
        if (m_current < 0)
            return fail(StoreFailure::NoCurrentRow, QStringLiteral("no current row"));
        if (!m_model->setData(m_model->index(m_current, column), value))
            return failWith(m_model->lastError());
    }
    emit currentChanged();
    return true;
}

QVariant RecordSet::field(const QString &fieldName) const
{
    if (!m_model)
        return {};
    const int column = m_model->fieldIndex(fieldName);
    if (column < 0)
        return {};
    if (isOnNewRow())
        return m_newRow.value(column);
    if (m_current < 0)
        return {};
    return m_model->data(m_model->index(m_current, column));
}

bool RecordSet::currentIsDirty() const
{
    if (!m_model || m_current < 0)
        return false;
    for (int column = 0; column < m_model->columnCount(); ++column)
        if (m_model->isDirty(m_model->index(m_current, column)))
            return true;
    return false;
}

bool RecordSet::newRowIsDirty() const
{
    if (m_newRowState == NewRow::None)
        return false;
    if (m_newRowState == NewRow::Pending)
        return true;
    for (int column = 0; column < m_newRow.count(); ++column)
        if (m_newRow.isGenerated(column))
            return true;
    return false;
}

bool RecordSet::hasPendingChanges() const
{
    return (m_model && m_model->isDirty()) || newRowIsDirty();
}

QAbstractItemModel *RecordSet::view()
{
    if (!m_view)
        m_view = new Store::RowsView(this);
    return m_view;
}

RecordSet::Snapshot RecordSet::snapshot() const
{
    Snapshot kept;
    kept.current = m_current;
    kept.storedCount = m_storedCount;
    kept.addedCount = m_addedCount;
    kept.newRowState = m_newRowState;
    kept.newRow = m_newRow;
    kept.newRowId = m_newRowId;
    kept.newRowKey = m_newRowKey;
    if (m_model && m_newRowState == NewRow::None && m_current >= 0)
        for (int column = 0; column < m_model->columnCount(); ++column)
            if (m_model->isDirty(m_model->index(m_current, column)))
                kept.edits.insert(column, m_model->data(m_model->index(m_current, column)));
    return kept;
}

void RecordSet::restore(const Snapshot &kept)
{
    if (!m_model)
        return;
    // A stored row written since the snapshot shows the store's values again,
    // and the edits it had then wait again for a commit.
    const bool storedRowWritten = !kept.edits.isEmpty() && m_newRowState == NewRow::None
                                  && m_current == kept.current && !currentIsDirty();
    if (storedRowWritten && rereadCurrentRow()) {
        for (auto edit = kept.edits.cbegin(); edit != kept.edits.cend(); ++edit)
            m_model->setData(m_model->index(m_current, edit.key()), edit.value());
    }
    m_current = kept.current;
    m_storedCount = kept.storedCount;
    m_addedCount = kept.addedCount;
    m_newRowState = kept.newRowState;
    m_newRow = kept.newRow;
    m_newRowId = kept.newRowId;
    m_newRowKey = kept.newRowKey;
    if (m_view)
        m_view->resetRows();
    emit currentChanged();
}
