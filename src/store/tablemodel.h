#pragma once

#include <QSqlTableModel>

namespace Store {

// The table model under a record set, with the row writes it needs opened up.
// Only RecordSet uses it; windows go through the record set.
class TableModel : public QSqlTableModel
{
public:
    explicit TableModel(QObject *parent);

    // The record set's equality condition. Kept here rather than as the
    // model's filter, whose setter reads the table again at once.
    void setWhere(const QString &where) { m_where = where; }
    QString where() const { return m_where; }

    using QSqlTableModel::deleteRowFromTable;
    using QSqlTableModel::updateRowInTable;

protected:
    QString selectStatement() const override;

private:
    QString m_where;
};

}  // namespace Store
