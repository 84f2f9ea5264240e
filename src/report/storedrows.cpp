#include "report/storedrows.h"

#include "store/pagedrows.h"

StoredRows::StoredRows(std::unique_ptr<Store::PagedRows> rows) : m_rows(std::move(rows)) {}

StoredRows::~StoredRows() = default;

qint64 StoredRows::count() const
{
    return m_rows->count();
}

QString StoredRows::value(qint64 row, const QString &field) const
{
    const QStringList &fields = m_rows->fields();
    for (int column = 0; column < fields.size(); ++column) {
        if (fields.at(column).compare(field, Qt::CaseInsensitive) == 0)
            return m_rows->value(row, column);
    }
    return QString();
}

QString StoredRows::readError() const
{
    return m_rows->errorText();
}

StoreFailure StoredRows::readFailure() const
{
    return m_rows->failure();
}
