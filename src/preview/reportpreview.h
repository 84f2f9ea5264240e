#pragma once

#include "report/reportdesign.h"
#include "report/reportlayout.h"

#include <QWidget>

#include <memory>

class QLabel;
class QPushButton;
class QSpinBox;
class PreviewPages;

// A report on screen before it is printed: one window per report shown,
// not modal, right to left. Pages are painted only while in view.
// Controls: PreviousPage, NextPage, PageNumber (spin box), PageCount (label),
// ZoomIn, ZoomOut, FitWidth, Print, SavePdf, and the page area Pages.
class ReportPreview : public QWidget
{
    Q_OBJECT

public:
    // Takes its own copy of the design. Rows held in memory stay as they were
    // shown; rows streamed from the store are read as their pages are shown.
    ReportPreview(const Report::Design &design, std::shared_ptr<const Report::RowSource> rows,
                  QWidget *parent = nullptr);
    ReportPreview(const Report::Design &design, Report::Rows rows, QWidget *parent = nullptr);
    ~ReportPreview() override;

    const Report::Layout &reportLayout() const;
    int currentPage() const;  // 0-based
    qreal zoom() const;       // 1.0 = paper size at the screen's resolution

    // Opens a preview window for the report, over owner, and returns it; it
    // deletes itself on close. It belongs to no window: it stays open when
    // the window it was shown from closes.
    static ReportPreview *show(const Report::Design &design, std::shared_ptr<const Report::RowSource> rows,
                               QWidget *owner);
    static ReportPreview *show(const Report::Design &design, Report::Rows rows, QWidget *owner);
    using QWidget::show;

signals:
    void pageChanged(int page);

private:
    void Print_Click();
    void SavePdf_Click();
    void goToPage(int page);
    void setZoom(qreal zoom);
    void showPageNumber(int page);

    Report::Design m_design;
    std::shared_ptr<const Report::RowSource> m_rows;
    std::unique_ptr<Report::Layout> m_layout;
    PreviewPages *Pages;
    QPushButton *PreviousPage;
    QPushButton *NextPage;
    QSpinBox *PageNumber;
    QLabel *PageCount;
};
