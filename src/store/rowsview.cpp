#include "store/rowsview.h"

#include "store/recordset.h"
#include "store/tablemodel.h"

namespace Store {

RowsView::RowsView(RecordSet *recordSet)
    : QAbstractTableModel(recordSet), m_recordSet(recordSet), m_model(recordSet->m_model)
{
    setObjectName(recordSet->objectName() + QStringLiteral("View"));
    // Rows fetched as the view scrolls arrive through the table model.
    connect(m_model, &QAbstractItemModel::rowsAboutToBeInserted, this,
            [this](const QModelIndex &, int first, int last) { beginInsertRows(QModelIndex(), first, last); });
    connect(m_model, &QAbstractItemModel::rowsInserted, this, [this] {
        endInsertRows();
        // The last page is in: the set's new row follows it.
        if (!m_newRowShown && showsNewRow()) {
            beginInsertRows(QModelIndex(), m_model->rowCount(), m_model->rowCount());
            m_newRowShown = true;
            endInsertRows();
        }
    });
    connect(m_model, &QAbstractItemModel::dataChanged, this, [this](const QModelIndex &from, const QModelIndex &to) {
        emit dataChanged(index(from.row(), from.column()), index(to.row(), to.column()));
    });
    connect(m_model, &QAbstractItemModel::modelReset, this, &RowsView::resetRows);
    m_newRowShown = showsNewRow();
}

void RowsView::resetRows()
{
    beginResetModel();
    m_newRowShown = showsNewRow();
    endResetModel();
}

bool RowsView::showsNewRow() const
{
    return m_recordSet->isOnNewRow() && !m_model->canFetchMore();
}

int RowsView::rowCount(const QModelIndex &parent) const
{
    if (parent.isValid())
        return 0;
    return m_model->rowCount() + (m_newRowShown ? 1 : 0);
}

int RowsView::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_model->columnCount();
}

QVariant RowsView::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::EditRole))
        return {};
    if (index.row() < m_model->rowCount())
        return m_model->data(m_model->index(index.row(), index.column()), role);
    return m_recordSet->m_newRow.value(index.column());
}

QVariant RowsView::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal)
        return m_model->headerData(section, orientation, role);
    return QAbstractTableModel::headerData(section, orientation, role);
}

Qt::ItemFlags RowsView::flags(const QModelIndex &index) const
{
    return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
}

bool RowsView::canFetchMore(const QModelIndex &parent) const
{
    return !parent.isValid() && m_model->canFetchMore();
}

void RowsView::fetchMore(const QModelIndex &parent)
{
    if (!parent.isValid())
        m_model->fetchMore();
}

}  // namespace Store
