#pragma once

#include "report/reportdesign.h"

#include <memory>

namespace Store {
class PagedRows;
}

// A report's rows streamed from the store: the count is taken when the
// report is made, the rows are read as the pages that show them are laid out.
class StoredRows : public Report::RowSource
{
public:
    explicit StoredRows(std::unique_ptr<Store::PagedRows> rows);
    ~StoredRows() override;

    qint64 count() const override;
    QString value(qint64 row, const QString &field) const override;
    QString readError() const override;
    StoreFailure readFailure() const override;

private:
    std::unique_ptr<Store::PagedRows> m_rows;
};
