#pragma once

#include <QAbstractTableModel>

class RecordSet;

namespace Store {

class TableModel;

// A record set's rows as a grid or a list shows them: read-only, fetched from
// the store as the view scrolls, and a new row of the set shown after the stored ones.
class RowsView : public QAbstractTableModel
{
public:
    explicit RowsView(RecordSet *recordSet);

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    bool canFetchMore(const QModelIndex &parent) const override;
    void fetchMore(const QModelIndex &parent) override;

    // The set was read again or its new row came or went.
    void resetRows();

private:
    bool showsNewRow() const;
    TableModel *model() const;

    RecordSet *m_recordSet;
    bool m_newRowShown = false;
    bool m_announcing = false;  // rows are being told of: no fetch meanwhile
};

}  // namespace Store
