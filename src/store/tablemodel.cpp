#include "store/tablemodel.h"

#include "store/database.h"

#include <QSqlDriver>
#include <QSqlIndex>

namespace Store {

TableModel::TableModel(QObject *parent) : QSqlTableModel(parent, Store::database())
{
    setEditStrategy(QSqlTableModel::OnManualSubmit);
}

QString TableModel::selectStatement() const
{
    QString sql = QSqlTableModel::selectStatement();
    if (sql.isEmpty())
        return sql;
    // A server returns rows in no lasting order: there they come by key, as
    // reports page them; the file keeps the order they were written in.
    QString order;
    if (Store::isServerOpen() && primaryKey().count() == 1 && !sql.contains(QLatin1String(" ORDER BY ")))
        order = QStringLiteral(" ORDER BY ")
                + database().driver()->escapeIdentifier(primaryKey().fieldName(0), QSqlDriver::FieldName);
    if (m_where.isEmpty())
        return sql + order;
    // No sort order is ever set, so the condition goes at the end; re-reading
    // one row has already put that row's key there.
    return sql + (filter().isEmpty() ? QStringLiteral(" WHERE (") : QStringLiteral(" AND (")) + m_where
           + QLatin1Char(')') + order;
}

}  // namespace Store
