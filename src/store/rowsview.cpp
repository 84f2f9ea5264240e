#include "store/rowsview.h"

#include "store/recordset.h"
#include "store/tablemodel.h"

namespace Store {

RowsView::RowsView(RecordSet *recordSet)
    : QAbstractTableModel(recordSet), m_recordSet(recordSet)
{
    const TableModel *table = model();
    setObjectName(recordSet->objectName() + QStringLiteral("View"));
    // Rows fetched as the view scrolls arrive through the table model. Until
    // they are in, nobody told of them may fetch the same page again: the
    // table counts its rows only once it has told of them.
    connect(table, &QAbstractItemModel::rowsAboutToBeInserted, this, [this](const QModelIndex &, int first, int last) {
        m_announcing = true;
        beginInsertRows(QModelIndex(), first, last);
    });
    connect(table, &QAbstractItemModel::rowsInserted, this, [this] {
        endInsertRows();
        // The last page is in: the set's new row follows it.
        if (!m_newRowShown && showsNewRow()) {
            beginInsertRows(QModelIndex(), model()->rowCount(), model()->rowCount());
            m_newRowShown = true;
            endInsertRows();
        }
        m_announcing = false;
    });
    connect(table, &QAbstractItemModel::dataChanged, this, [this](const QModelIndex &from, const QModelIndex &to) {
        emit dataChanged(index(from.row(), from.column()), index(to.row(), to.column()));
    });
    connect(table, &QAbstractItemModel::modelReset, this, &RowsView::resetRows);
    m_newRowShown = showsNewRow();
}

TableModel *RowsView::model() const
{
    return m_recordSet->m_model;
}

void RowsView::resetRows()
{
    beginResetModel();
    m_newRowShown = showsNewRow();
    // Those told of the reset read the rows as they are now; more rows come
    // only after they were told, or rows would arrive inside the reset.
    m_announcing = true;
    endResetModel();
    m_announcing = false;
}

bool RowsView::showsNewRow() const
{
    return model() && m_recordSet->isOnNewRow() && !model()->canFetchMore();
}

int RowsView::rowCount(const QModelIndex &parent) const
{
    if (parent.isValid() || !model())
        return 0;
    return model()->rowCount() + (m_newRowShown ? 1 : 0);
}

int RowsView::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() || !model() ? 0 : model()->columnCount();
}

QVariant RowsView::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || !model() || (role != Qt::DisplayRole && role != Qt::EditRole))
        return {};
    if (index.row() < model()->rowCount())
        return model()->data(model()->index(index.row(), index.column()), role);
    return m_recordSet->m_newRow.value(index.column());
}

QVariant RowsView::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal)
        return model() ? model()->headerData(section, orientation, role) : QVariant();
    return QAbstractTableModel::headerData(section, orientation, role);
}

Qt::ItemFlags RowsView::flags(const QModelIndex &index) const
{
    return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
}

bool RowsView::canFetchMore(const QModelIndex &parent) const
{
    return !parent.isValid() && !m_announcing && model() && model()->canFetchMore();
}

void RowsView::fetchMore(const QModelIndex &parent)
{
    if (!parent.isValid() && !m_announcing && model())
        model()->fetchMore();
}

}  // namespace Store
