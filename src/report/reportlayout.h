#pragma once

#include "report/reportdesign.h"

#include <QList>
#include <QRect>
#include <QString>

// Pages of a report: where each band and item goes on A4 portrait paper,
// with the report body centred. Pure arithmetic over the design and its rows;
// a page's items are placed only when that page is asked for, so a report of
// thousands of pages is laid out at once.
namespace Report {

// A4 portrait in twips, and the margin kept free above and below the body.
constexpr int kPageWidth = 11906;
constexpr int kPageHeight = 16838;
constexpr int kPageMargin = 1134;

struct PlacedItem
{
    const Item *item = nullptr;
    QRect rect;    // twips from the page's top-left corner
    QString text;  // resolved text of a label or field box
};

struct Page
{
    QList<PlacedItem> items;
};

class Layout
{
public:
    // The design and rows must outlive the layout.
    Layout(const Design &design, const RowSource &rows);

    const RowSource &rows() const { return m_rows; }
    int pageCount() const;
    // First detail row on the page and how many rows it holds.
    qint64 firstRow(int page) const;
    qint64 rowCountOn(int page) const;
    Page page(int index) const;

private:
    const Design &m_design;
    const RowSource &m_rows;
    // Filled by the constructor from the band heights.
    qint64 m_rowsOnFirstPage = 0;
    qint64 m_rowsOnOtherPages = 0;
    int m_pageCount = 1;
    bool m_footerOnOwnPage = false;
};

}  // namespace Report
