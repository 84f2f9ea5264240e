#include "preview/reportpreview.h"

#include "calendar/module7.h"
#include "preview/previewpages.h"
#include "report/reportpainter.h"
#include "ui/clock.h"
#include "ui/prompts.h"
#include "ui/windowkeys.h"

#include <QDir>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QScreen>
#include <QSpinBox>
#include <QStandardPaths>
#include <QVBoxLayout>

namespace {

constexpr qreal kZoomStep = 1.25;

QPushButton *toolButton(const QString &objectName, const QString &caption, QWidget *parent)
{
    auto *button = new QPushButton(caption, parent);
    button->setObjectName(objectName);
    button->setAutoDefault(false);
    return button;
}

// Documents folder, or home where there is none.
QString saveFolder()
{
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return !documents.isEmpty() && QDir(documents).exists() ? documents : QDir::homePath();
}

}  // namespace

ReportPreview::ReportPreview(const Report::Design &design, Report::Rows rows, QWidget *parent)
    : ReportPreview(design, std::make_shared<const Report::Rows>(std::move(rows)), parent)
{
}

ReportPreview::ReportPreview(const Report::Design &design, std::shared_ptr<const Report::RowSource> rows,
                             QWidget *parent)
    : QWidget(parent, Qt::Window), m_design(design), m_rows(std::move(rows)),
      m_layout(std::make_unique<Report::Layout>(m_design, *m_rows))
{
    setObjectName(QStringLiteral("ReportPreview"));
    CloseByKeyboard(this);
    setLayoutDirection(Qt::RightToLeft);
    setWindowTitle(QStringLiteral("پیش‌نمایش چاپ: %1").arg(m_design.displayName()));

    Pages = new PreviewPages(*m_layout, this);
    PreviousPage = toolButton(QStringLiteral("PreviousPage"), QStringLiteral("صفحه قبل"), this);
    NextPage = toolButton(QStringLiteral("NextPage"), QStringLiteral("صفحه بعد"), this);
    PageNumber = new QSpinBox(this);
    PageNumber->setObjectName(QStringLiteral("PageNumber"));
    PageNumber->setRange(1, m_layout->pageCount());
    PageNumber->setKeyboardTracking(false);
    PageCount = new QLabel(QStringLiteral("از %1").arg(m_layout->pageCount()), this);
    PageCount->setObjectName(QStringLiteral("PageCount"));
    auto *zoomIn = toolButton(QStringLiteral("ZoomIn"), QStringLiteral("بزرگ‌نمایی"), this);
    auto *zoomOut = toolButton(QStringLiteral("ZoomOut"), QStringLiteral("کوچک‌نمایی"), this);
    auto *fitWidth = toolButton(QStringLiteral("FitWidth"), QStringLiteral("هم‌عرض پنجره"), this);
    auto *print = toolButton(QStringLiteral("Print"), QStringLiteral("چاپ"), this);
    auto *savePdf = toolButton(QStringLiteral("SavePdf"), QStringLiteral("ذخیره PDF"), this);
    auto *closeButton = toolButton(QStringLiteral("Close"), QStringLiteral("بستن"), this);

    auto *tools = new QHBoxLayout;
    tools->addWidget(PreviousPage);
    tools->addWidget(new QLabel(QStringLiteral("صفحه"), this));
    tools->addWidget(PageNumber);
    tools->addWidget(PageCount);
    tools->addWidget(NextPage);
    tools->addSpacing(16);
    tools->addWidget(zoomIn);
    tools->addWidget(zoomOut);
    tools->addWidget(fitWidth);
    tools->addStretch();
    tools->addWidget(print);
    tools->addWidget(savePdf);
    tools->addWidget(closeButton);
    auto *column = new QVBoxLayout(this);
    column->addLayout(tools);
    column->addWidget(Pages, 1);

    connect(PreviousPage, &QPushButton::clicked, this, [this] { goToPage(currentPage() - 1); });
    connect(NextPage, &QPushButton::clicked, this, [this] { goToPage(currentPage() + 1); });
    connect(PageNumber, &QSpinBox::valueChanged, this, [this](int number) { goToPage(number - 1); });
    connect(zoomIn, &QPushButton::clicked, this, [this] { setZoom(zoom() * kZoomStep); });
    connect(zoomOut, &QPushButton::clicked, this, [this] { setZoom(zoom() / kZoomStep); });
    connect(fitWidth, &QPushButton::clicked, Pages, &PreviewPages::fitWidth);
    connect(print, &QPushButton::clicked, this, &ReportPreview::Print_Click);
    connect(savePdf, &QPushButton::clicked, this, &ReportPreview::SavePdf_Click);
    connect(closeButton, &QPushButton::clicked, this, &QWidget::close);
    connect(Pages, &PreviewPages::currentPageChanged, this, &ReportPreview::showPageNumber);
    showPageNumber(0);

    // A page as wide as the window, within a size that suits a laptop screen.
    QSize size(900, 700);
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        size = size.boundedTo(screen->availableSize());
    resize(size);
}

ReportPreview::~ReportPreview() = default;

const Report::Layout &ReportPreview::reportLayout() const
{
    return *m_layout;
}

int ReportPreview::currentPage() const
{
    return Pages->currentPage();
}

qreal ReportPreview::zoom() const
{
    return Pages->zoom();
}

ReportPreview *ReportPreview::show(const Report::Design &design, Report::Rows rows, QWidget *owner)
{
    return show(design, std::make_shared<const Report::Rows>(std::move(rows)), owner);
}

ReportPreview *ReportPreview::show(const Report::Design &design, std::shared_ptr<const Report::RowSource> rows,
                                   QWidget *owner)
{
    auto *preview = new ReportPreview(design, std::move(rows));
    preview->setAttribute(Qt::WA_DeleteOnClose);
    if (owner) {
        // Dressed like the window it was shown from.
        preview->setPalette(owner->window()->palette());
        preview->move(owner->window()->geometry().topLeft() + QPoint(40, 40));
    }
    preview->show();
    preview->raise();
    preview->activateWindow();
    return preview;
}

void ReportPreview::goToPage(int page)
{
    Pages->showPage(page);
}

void ReportPreview::setZoom(qreal zoom)
{
    Pages->setZoom(zoom);
}

void ReportPreview::showPageNumber(int page)
{
    const QSignalBlocker quiet(PageNumber);
    PageNumber->setValue(page + 1);
    PreviousPage->setEnabled(page > 0);
    NextPage->setEnabled(page < m_layout->pageCount() - 1);
    emit pageChanged(page);
}

void ReportPreview::Print_Click()
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(m_design.displayName());
    QPrintDialog dialog(&printer, this);
    dialog.setWindowTitle(QStringLiteral("چاپ %1").arg(m_design.displayName()));
    dialog.setMinMax(1, m_layout->pageCount());
    dialog.setOption(QAbstractPrintDialog::PrintPageRange);
    dialog.setOption(QAbstractPrintDialog::PrintCurrentPage);
    if (dialog.exec() != QDialog::Accepted)
        return;
    int first = 0;
    int last = -1;
    if (printer.printRange() == QPrinter::PageRange) {
        first = printer.fromPage() - 1;
        last = printer.toPage() - 1;
    } else if (printer.printRange() == QPrinter::CurrentPage) {
        first = last = currentPage();
    }
    // The whole sheet is the report's: it keeps its own margins.
    printer.setFullPage(true);
    if (!Report::printPages(*m_layout, printer, first, last))
        prompts().message(this, QStringLiteral("گزارش به چاپگر فرستاده نشد."), QStringLiteral("خطا"),
                          Prompts::Icon::Critical);
}

void ReportPreview::SavePdf_Click()
{
    const QString date = Module7::SolarDateText(Clock::now().date(), 0).replace(QLatin1Char('/'), QLatin1Char('-'));
    const QString suggested = QDir(saveFolder()).filePath(m_design.displayName() + QLatin1Char('-') + date + QStringLiteral(".pdf"));
    QString path = prompts().saveFileName(this, QStringLiteral("ذخیره گزارش به صورت PDF"), suggested,
                                          QStringLiteral("PDF (*.pdf)"));
    if (path.isEmpty())
        return;
    if (!path.endsWith(QLatin1String(".pdf"), Qt::CaseInsensitive))
        path += QStringLiteral(".pdf");
    QString error;
    if (!Report::writePdf(*m_layout, path, m_design.displayName(), &error))
        prompts().message(this, error, QStringLiteral("خطا"), Prompts::Icon::Critical);
}
