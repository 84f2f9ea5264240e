#include "store/tablemodel.h"

#include "store/database.h"
#include "store/engine.h"

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
    // Rows come in the order reports page them, where the engine needs telling.
    const QString order = sql.contains(QLatin1String(" ORDER BY ")) ? QString()
                                                                    : engineFor(database()).listOrder(database(), primaryKey());
    if (m_where.isEmpty())
        return sql + order;
    // No sort order is ever set, so the condition goes at the end; re-reading
    // one row has already put that row's key there.
    return sql + (filter().isEmpty() ? QStringLiteral(" WHERE (") : QStringLiteral(" AND (")) + m_where
           + QLatin1Char(')') + order;
}

}  // namespace Store
