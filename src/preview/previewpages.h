#pragma once

#include "report/reportlayout.h"

#include <QAbstractScrollArea>
#include <QList>

// The pages of a report one under another on a grey ground, drawn straight
// from the layout: only the pages that meet the viewport are laid out and
// painted, so the number of pages costs nothing until they are scrolled to.
class PreviewPages : public QAbstractScrollArea
{
    Q_OBJECT

public:
    explicit PreviewPages(const Report::Layout &layout, QWidget *parent = nullptr);

    qreal zoom() const { return m_zoom; }
    void setZoom(qreal zoom);
    // Keeps the page as wide as the viewport, now and whenever it is resized.
    void fitWidth();
    qreal widthZoom() const;

    int currentPage() const { return m_currentPage; }
    // Scrolls so the page's top edge shows at the top of the viewport.
    void showPage(int page);

    // Pages painted since the area was made, and those of the last paint.
    qint64 paintedPages() const { return m_paintedPages; }
    const QList<int> &lastPainted() const { return m_lastPainted; }

    QSize sizeHint() const override;

signals:
    void currentPageChanged(int page);

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    QSize pageSize() const;  // pixels at the current zoom
    int pageStep() const;    // a page and the gap below it
    int pageLeft() const;    // viewport x of the pages' left edge
    void updateScrollBars();
    void followScroll();

    const Report::Layout &m_layout;
    qreal m_zoom = 1.0;
    bool m_fitWidth = true;
    bool m_showingPage = false;
    int m_currentPage = 0;
    qint64 m_paintedPages = 0;
    QList<int> m_lastPainted;
};
