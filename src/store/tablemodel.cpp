#include "store/tablemodel.h"

#include "store/database.h"

namespace Store {

TableModel::TableModel(QObject *parent) : QSqlTableModel(parent, Store::database())
{
    setEditStrategy(QSqlTableModel::OnManualSubmit);
}

QString TableModel::selectStatement() const
{
    QString sql = QSqlTableModel::selectStatement();
    if (sql.isEmpty() || m_where.isEmpty())
        return sql;
    // No sort order is ever set, so the condition goes at the end; re-reading
    // one row has already put that row's key there.
    return sql + (filter().isEmpty() ? QStringLiteral(" WHERE (") : QStringLiteral(" AND (")) + m_where
           + QLatin1Char(')');
}

}  // namespace Store
