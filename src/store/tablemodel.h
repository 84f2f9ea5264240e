#pragma once

#include <QSqlTableModel>

namespace Store {

// The table model under a record set, with the row writes it needs opened up.
// Only RecordSet uses it; windows go through the record set.
class TableModel : public QSqlTableModel
{
public:
    explicit TableModel(QObject *parent);

    using QSqlTableModel::deleteRowFromTable;
    using QSqlTableModel::primaryValues;
    using QSqlTableModel::updateRowInTable;
};

}  // namespace Store
