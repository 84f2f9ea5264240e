#include "store/tablemodel.h"

#include "store/database.h"

namespace Store {

TableModel::TableModel(QObject *parent) : QSqlTableModel(parent, Store::database())
{
    setEditStrategy(QSqlTableModel::OnManualSubmit);
}

}  // namespace Store
