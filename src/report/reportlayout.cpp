#include "report/reportlayout.h"

#include <algorithm>
#include <climits>

namespace Report {

namespace {

constexpr int kBodyTop = kPageMargin;
constexpr int kBodyBottom = kPageHeight - kPageMargin;

int heightOf(const Design &design, SectionKind kind)
{
    return std::max(0, design.section(kind).height);
}

}  // namespace

Layout::Layout(const Design &design, const RowSource &rows) : m_design(design), m_rows(rows)
{
    const int reportHeader = heightOf(design, SectionKind::ReportHeader);
    const int pageHeader = heightOf(design, SectionKind::PageHeader);
    const int detail = heightOf(design, SectionKind::Detail);
    const int pageFooter = heightOf(design, SectionKind::PageFooter);
    const int reportFooter = heightOf(design, SectionKind::ReportFooter);
    const qint64 rowCount = rows.count();

    const int detailBottom = kBodyBottom - pageFooter;
    const int firstPageSpace = detailBottom - kBodyTop - reportHeader - pageHeader;
    const int otherPageSpace = detailBottom - kBodyTop - pageHeader;
    if (detail == 0) {
        m_rowsOnFirstPage = m_rowsOnOtherPages = std::max<qint64>(rowCount, 1);
    } else if (otherPageSpace < detail) {
        // A band taller than the free space still prints, one row to a page.
        m_rowsOnFirstPage = m_rowsOnOtherPages = 1;
    } else {
        m_rowsOnFirstPage = std::max(0, firstPageSpace / detail);
        m_rowsOnOtherPages = otherPageSpace / detail;
    }

    qint64 detailPages = 1;
    qint64 rowsOnLastPage = std::min(rowCount, m_rowsOnFirstPage);
    if (rowCount > m_rowsOnFirstPage) {
        const qint64 rest = rowCount - m_rowsOnFirstPage;
        detailPages += (rest + m_rowsOnOtherPages - 1) / m_rowsOnOtherPages;
        rowsOnLastPage = rest - (detailPages - 2) * m_rowsOnOtherPages;
    }
    const int lastPageTop = kBodyTop + (detailPages == 1 ? reportHeader : 0) + pageHeader;
    const qint64 footerTop = lastPageTop + rowsOnLastPage * detail;
    m_footerOnOwnPage = reportFooter > 0 && footerTop + reportFooter > detailBottom;
    m_pageCount = static_cast<int>(std::min<qint64>(detailPages + (m_footerOnOwnPage ? 1 : 0), INT_MAX));
}

int Layout::pageCount() const
{
    return m_pageCount;
}

qint64 Layout::firstRow(int page) const
{
    if (page <= 0)
        return 0;
    return std::min(m_rows.count(), m_rowsOnFirstPage + (page - 1) * m_rowsOnOtherPages);
}

qint64 Layout::rowCountOn(int page) const
{
    if (page < 0 || page >= m_pageCount)
        return 0;
    const qint64 onPage = page == 0 ? m_rowsOnFirstPage : m_rowsOnOtherPages;
    return std::min(onPage, m_rows.count() - firstRow(page));
}

Page Layout::page(int index) const
{
    Page page;
    if (index < 0 || index >= m_pageCount)
        return page;
    const int bodyLeft = (kPageWidth - m_design.width) / 2;
    const auto place = [&](SectionKind kind, int top, qint64 row) {
        const Section &band = m_design.section(kind);
        if (band.height <= 0)
            return;
        for (const Item &item : band.items) {
            PlacedItem placed{&item, item.rect.translated(bodyLeft, top), QString()};
            if (item.kind == Item::Kind::Label) {
                placed.text = item.text;
            } else if (item.kind == Item::Kind::Field && row >= 0) {
                placed.text = m_rows.value(row, item.field);
                const auto format = m_design.formats.constFind(item.name);
                if (format != m_design.formats.cend() && *format)
                    placed.text = (*format)(placed.text, row);
            }
            page.items.append(placed);
        }
    };

    int top = kBodyTop;
    if (index == 0) {
        place(SectionKind::ReportHeader, top, -1);
        top += heightOf(m_design, SectionKind::ReportHeader);
    }
    place(SectionKind::PageHeader, top, -1);
    top += heightOf(m_design, SectionKind::PageHeader);
    const int detail = heightOf(m_design, SectionKind::Detail);
    const qint64 first = firstRow(index);
    const qint64 rowsHere = rowCountOn(index);
    for (qint64 row = first; row < first + rowsHere; ++row) {
        place(SectionKind::Detail, top, row);
        top += detail;
    }
    if (index == m_pageCount - 1)
        place(SectionKind::ReportFooter, top, -1);
    const int pageFooter = heightOf(m_design, SectionKind::PageFooter);
    place(SectionKind::PageFooter, kBodyBottom - pageFooter, -1);
    if (m_design.pageMark) {
        const QRect markRect = m_design.pageMarkItem.rect.translated(bodyLeft, kBodyBottom);
        page.items.append({&m_design.pageMarkItem, markRect, m_design.pageMark(index, m_pageCount)});
    }
    return page;
}

}  // namespace Report
