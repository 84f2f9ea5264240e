#include "preview/previewpages.h"

#include "report/reportpainter.h"

#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>

#include <algorithm>
#include <climits>

namespace {

constexpr int kGap = 16;  // pixels around and between pages
constexpr qreal kTwipsPerInch = 1440.0;
constexpr qreal kMinZoom = 0.1;
constexpr qreal kMaxZoom = 8.0;

}  // namespace

PreviewPages::PreviewPages(const Report::Layout &layout, QWidget *parent) : QAbstractScrollArea(parent), m_layout(layout)
{
    setObjectName(QStringLiteral("Pages"));
    viewport()->setBackgroundRole(QPalette::Dark);
    viewport()->setAutoFillBackground(true);
    setFocusPolicy(Qt::StrongFocus);
    updateScrollBars();
}

QSize PreviewPages::sizeHint() const
{
    const QSize page = pageSize();
    return {page.width() + 2 * kGap + verticalScrollBar()->sizeHint().width() + 2 * frameWidth(),
            page.height() + 2 * kGap};
}

QSize PreviewPages::pageSize() const
{
    const qreal perTwip = m_zoom / kTwipsPerInch;
    return {qMax(1, qRound(Report::kPageWidth * perTwip * logicalDpiX())),
            qMax(1, qRound(Report::kPageHeight * perTwip * logicalDpiY()))};
}

int PreviewPages::pageStep() const
{
    return pageSize().height() + kGap;
}

qreal PreviewPages::widthZoom() const
{
    const qreal paperWidth = Report::kPageWidth / kTwipsPerInch * logicalDpiX();
    return std::clamp((viewport()->width() - 2 * kGap) / paperWidth, kMinZoom, kMaxZoom);
}

void PreviewPages::setZoom(qreal zoom)
{
    m_fitWidth = false;
    zoom = std::clamp(zoom, kMinZoom, kMaxZoom);
    if (qFuzzyCompare(zoom, m_zoom))
        return;
    // Keep the same spot of the document at the top of the viewport.
    QScrollBar *bar = verticalScrollBar();
    const qreal along = bar->value() / qreal(qMax(1, bar->maximum() + bar->pageStep()));
    m_zoom = zoom;
    updateScrollBars();
    bar->setValue(qRound(along * (bar->maximum() + bar->pageStep())));
    viewport()->update();
}

void PreviewPages::fitWidth()
{
    setZoom(widthZoom());
    m_fitWidth = true;
}

void PreviewPages::showPage(int page)
{
    page = std::clamp(page, 0, m_layout.pageCount() - 1);
    // The last pages cannot scroll up to the top; they are still the page asked for.
    const bool changed = page != m_currentPage;
    m_currentPage = page;
    m_showingPage = true;
    verticalScrollBar()->setValue(int(std::min<qint64>(qint64(page) * pageStep(), INT_MAX)));
    m_showingPage = false;
    if (changed)
        emit currentPageChanged(page);
}

void PreviewPages::updateScrollBars()
{
    const QSize page = pageSize();
    const QSize view = viewport()->size();
    const qint64 total = qint64(m_layout.pageCount()) * pageStep() + kGap;
    QScrollBar *vertical = verticalScrollBar();
    vertical->setPageStep(view.height());
    vertical->setSingleStep(qMax(1, view.height() / 10));
    vertical->setRange(0, int(std::clamp<qint64>(total - view.height(), 0, INT_MAX)));
    QScrollBar *horizontal = horizontalScrollBar();
    horizontal->setPageStep(view.width());
    horizontal->setSingleStep(qMax(1, view.width() / 10));
    horizontal->setRange(0, qMax(0, page.width() + 2 * kGap - view.width()));
}

int PreviewPages::pageLeft() const
{
    const int spare = viewport()->width() - pageSize().width();
    if (spare >= 2 * kGap)
        return spare / 2;
    // The scroll bar's value runs from the start of the line: the right edge
    // in a right-to-left window.
    const QScrollBar *bar = horizontalScrollBar();
    const int offset = isRightToLeft() ? bar->maximum() - bar->value() : bar->value();
    return kGap - offset;
}

void PreviewPages::resizeEvent(QResizeEvent *event)
{
    QAbstractScrollArea::resizeEvent(event);
    if (m_fitWidth)
        fitWidth();
    updateScrollBars();
}

void PreviewPages::scrollContentsBy(int, int)
{
    viewport()->update();
    followScroll();
}

void PreviewPages::followScroll()
{
    if (m_showingPage)
        return;
    // The page being read is the one whose upper half meets the top of the view.
    const int probe = verticalScrollBar()->value() + qMin(viewport()->height(), pageSize().height()) / 2;
    const int page = std::clamp(probe / pageStep(), 0, m_layout.pageCount() - 1);
    if (page != m_currentPage) {
        m_currentPage = page;
        emit currentPageChanged(page);
    }
}

void PreviewPages::paintEvent(QPaintEvent *event)
{
    QPainter painter(viewport());
    m_lastPainted.clear();
    const QSize size = pageSize();
    const int step = pageStep();
    const int scrolled = verticalScrollBar()->value();
    const int left = pageLeft();
    const QRect dirty = event->rect();
    const int first = std::max(0, (scrolled + dirty.top() - kGap) / step);
    const qreal scale = size.width() / qreal(Report::kPageWidth);
    for (int index = first; index < m_layout.pageCount(); ++index) {
        const QRect paper(left, kGap + int(qint64(index) * step - scrolled), size.width(), size.height());
        if (paper.top() > dirty.bottom())
            break;
        if (!paper.intersects(dirty))
            continue;
        painter.fillRect(paper.translated(3, 3), QColor(0, 0, 0, 60));
        painter.fillRect(paper, Qt::white);
        painter.save();
        painter.setClipRect(paper);
        painter.translate(paper.topLeft());
        painter.scale(scale, size.height() / qreal(Report::kPageHeight));
        Report::paintPage(painter, m_layout.page(index));
        painter.restore();
        ++m_paintedPages;
        m_lastPainted.append(index);
    }
}
