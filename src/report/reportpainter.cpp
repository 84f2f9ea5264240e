#include "report/reportpainter.h"

#include "causes/causes.h"
#include "store/safefile.h"

#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSvgRenderer>
#include <QFontMetricsF>
#include <QTextOption>

namespace Report {

namespace {

// Hairline rules in twips: three quarters of a point.
constexpr qreal kRuleWidth = 15;

void paintText(QPainter &painter, const PlacedItem &placed)
{
    const Item &item = *placed.item;
    QFont font(item.fontFamily);
    // The painter counts in twips, 20 to the point, whatever the device.
    font.setPixelSize(qMax(1, qRound(item.pointSize * 20)));
    font.setBold(item.bold);
    font.setHintingPreference(QFont::PreferNoHinting);
    // A field's value is printed whole on its one line: a value wider than
    // its box (a long code) is set in a smaller face until it fits.
    if (item.kind == Item::Kind::Field && !placed.text.isEmpty()) {
        const qreal room = placed.rect.width() - 2 * kRuleWidth;
        const qreal needed = QFontMetricsF(font).horizontalAdvance(placed.text);
        if (needed > room && room > 0)
            font.setPixelSize(qMax(1, int(font.pixelSize() * room / needed)));
    }
    painter.setFont(font);
    painter.setPen(item.colour);

    Qt::Alignment alignment = item.alignment;
    // Left and right name the paper's edges, not the start and end of the text.
    if (alignment & (Qt::AlignLeft | Qt::AlignRight))
        alignment |= Qt::AlignAbsolute;
    QTextOption option(alignment);
    option.setTextDirection(item.direction);
    option.setWrapMode(QTextOption::WordWrap);
    painter.drawText(QRectF(placed.rect), placed.text, option);
}

void paintLine(QPainter &painter, const PlacedItem &placed)
{
    const QRect &r = placed.rect;
    painter.setPen(QPen(placed.item->colour, kRuleWidth, Qt::SolidLine, Qt::FlatCap));
    painter.drawLine(QLineF(r.left(), r.top(), r.left() + r.width(), r.top() + r.height()));
}

void paintImage(QPainter &painter, const PlacedItem &placed)
{
    const Item &item = *placed.item;
    const QRectF target(placed.rect);
    if (!item.image.isNull()) {
        painter.drawImage(target, item.image);
    } else if (item.picture.isEmpty()) {
        painter.fillRect(target, item.colour);
    } else if (item.picture.endsWith(QLatin1String(".svg"), Qt::CaseInsensitive)) {
        QSvgRenderer(item.picture).render(&painter, target);
    } else {
        const QImage image(item.picture);
        if (!image.isNull())
            painter.drawImage(target, image);
    }
}

}  // namespace

void paintPage(QPainter &painter, const Page &page)
{
    painter.save();
    painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing | QPainter::SmoothPixmapTransform);
    for (const PlacedItem &placed : page.items) {
        switch (placed.item->kind) {
        case Item::Kind::Label:
        case Item::Kind::Field:
            paintText(painter, placed);
            break;
        case Item::Kind::Line:
            paintLine(painter, placed);
            break;
        case Item::Kind::Image:
            paintImage(painter, placed);
            break;
        }
    }
    painter.restore();
}

bool printPages(const Layout &layout, QPagedPaintDevice &device, int first, int last)
{
    const int lastPage = layout.pageCount() - 1;
    first = qBound(0, first, lastPage);
    last = last < 0 ? lastPage : qBound(first, last, lastPage);

    // The whole sheet is ours: the report keeps its own margins.
    device.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF()));

    QPainter painter;
    if (!painter.begin(&device))
        return false;
    painter.scale(device.logicalDpiX() / 1440.0, device.logicalDpiY() / 1440.0);
    for (int index = first; index <= last; ++index) {
        if (index > first && !device.newPage()) {
            painter.end();
            return false;
        }
        paintPage(painter, layout.page(index));
    }
    return painter.end();
}

bool writePdf(const Layout &layout, const QString &path, const QString &title, QString *error)
{
    const auto fail = [&](const QString &reason) {
        if (error)
            *error = QStringLiteral("فایل PDF در «%1» ذخیره نشد: %2").arg(QDir::toNativeSeparators(path), reason);
        return false;
    };
    // Written beside the target and moved into place only when whole, so a
    // failed save leaves no file and never spoils one already there; the
    // file is its owner's alone, like the database it comes from.
    SafeFile::Writer file(path);
    if (!file.open())
        return fail(file.errorText());
    {
        QPdfWriter writer(&file);
        writer.setTitle(title);
        writer.setCreator(QStringLiteral("Quorvel"));
        writer.setResolution(1200);
        if (!printPages(layout, writer))
            return fail(file.errorText().isEmpty() ? QStringLiteral("صفحه‌ها رسم نشدند") : file.errorText());
    }
    // Rows streamed from the store may fail part way: such a file is not saved.
    if (!layout.rows().readError().isEmpty())
        return fail(Causes::storeFailureText(layout.rows().readFailure(), layout.rows().readError(),
                                             QStringLiteral("report")));
    if (!file.errorText().isEmpty() || !file.commit())
        return fail(file.errorText());
    return true;
}

}  // namespace Report
