#include "analysis/analysisreport.h"

#include "report/reportitems.h"

#include "analysis/analysisformat.h"
#include "analysis/frmanalysistext.h"
#include "calendar/module7.h"

#include <QDate>

#include <algorithm>
#include <numeric>

namespace {

using Report::Item;
using Report::SectionKind;

// The body is as wide as an A4 sheet allows with margins of about 2 cm.
constexpr int kWidth = 9600;
constexpr int kTableRow = 300;
constexpr int kItemRow = 420;
constexpr int kChartHeight = 4300;
constexpr int kChartGap = 250;

const QString kNazanin = QStringLiteral("B Nazanin");




// Every text of the report is set in the same face.
Item text(const QString &name, const QString &value, const QRect &rect, qreal size, bool bold,
          Qt::Alignment alignment = Qt::AlignCenter)
{
    return Report::labelItem(name, value, rect, kNazanin, size, bold, alignment);
}

Item picture(const QString &name, const QRect &rect, const QImage &image)
{
    Item item = Report::fillItem(name, rect, Qt::white);
    item.image = image;
    return item;
}


// A table of rows of cells at top: columns given right to left by their
// widths, a shaded row of captions first, ruled all round. Returns its bottom.
int addTable(Report::Section &band, const QString &name, int top, const QList<int> &widths,
             const QList<QStringList> &rows, int rowHeight, qreal size, int wideColumn = -1)
{
    const int tableWidth = std::accumulate(widths.cbegin(), widths.cend(), 0);
    const int left = (kWidth - tableWidth) / 2;
    const int height = rowHeight * int(rows.size());
    band.items << Report::fillItem(name + QStringLiteral("Shade"), QRect(left, top, tableWidth, rowHeight), QColor(0xE4, 0xE4, 0xE4));
    for (int row = 0; row < rows.size(); ++row) {
        int right = left + tableWidth;
        for (int column = 0; column < widths.size(); ++column) {
            const int width = widths.at(column);
            const Qt::Alignment alignment =
                column == wideColumn && row > 0 ? Qt::AlignRight | Qt::AlignVCenter : Qt::AlignCenter;
            band.items << text(QStringLiteral("%1_%2_%3").arg(name).arg(row).arg(column), rows.at(row).value(column),
                               QRect(right - width + 60, top + row * rowHeight, width - 120, rowHeight), size, row == 0,
                               alignment);
            right -= width;
        }
        band.items << Report::lineItem(QStringLiteral("%1Rule%2").arg(name).arg(row), QPoint(left, top + row * rowHeight),
                           QPoint(left + tableWidth, top + row * rowHeight));
    }
    band.items << Report::lineItem(name + QStringLiteral("Bottom"), QPoint(left, top + height), QPoint(left + tableWidth, top + height));
    int edge = left + tableWidth;
    band.items << Report::lineItem(name + QStringLiteral("Edge"), QPoint(edge, top), QPoint(edge, top + height));
    for (int column = 0; column < widths.size(); ++column) {
        edge -= widths.at(column);
        band.items << Report::lineItem(QStringLiteral("%1Edge%2").arg(name).arg(column), QPoint(edge, top), QPoint(edge, top + height));
    }
    return top + height;
}

QList<QStringList> groupRows(const Analysis::Results &results)
{
    QList<QStringList> rows{{FrmAnalysisText::GroupColumn, FrmAnalysisText::CountColumn, FrmAnalysisText::MeanColumn,
                             FrmAnalysisText::SdColumn, FrmAnalysisText::MinColumn, FrmAnalysisText::MedianColumn,
                             FrmAnalysisText::MaxColumn}};
    for (const Analysis::GroupSummary &group : results.groups)
        rows << QStringList{group.group} + AnalysisFormat::summaryCells(group.score);
    rows << QStringList{FrmAnalysisText::AllRow} + AnalysisFormat::summaryCells(results.all);
    return rows;
}

QList<QStringList> itemRows(const Analysis::Results &results, const QStringList &itemTexts)
{
    QList<QStringList> rows{{FrmAnalysisText::ItemColumn, FrmAnalysisText::ItemTextColumn, FrmAnalysisText::MeanColumn,
                             FrmAnalysisText::SdColumn, FrmAnalysisText::ItemTotalColumn,
                             FrmAnalysisText::AlphaIfDeletedColumn}};
    for (int item = 0; item < Analysis::kItems; ++item) {
        QStringList row{QString::number(item + 1), itemTexts.value(item)};
        if (item < results.reliability.items.size())
            row << AnalysisFormat::itemCells(results.reliability.items.at(item));
        else
            row << AnalysisFormat::Dash << AnalysisFormat::Dash << AnalysisFormat::Dash << AnalysisFormat::Dash;
        rows << row;
    }
    return rows;
}

}  // namespace

Report::Design AnalysisReportDesign(const Analysis::Results &results, const QStringList &itemTexts,
                                    const ResultReports::Clinic &clinic, const QString &groupLabel)
{
    return AnalysisReportDesign(results, itemTexts, clinic, groupLabel, AnalysisCharts::printImages(results));
}

Report::Design AnalysisReportDesign(const Analysis::Results &results, const QStringList &itemTexts,
                                    const ResultReports::Clinic &clinic, const QString &groupLabel,
                                    const AnalysisCharts::Images &charts)
{
    Report::Design design;
    design.name = QStringLiteral("AnalysisReport");
    design.title = FrmAnalysisText::ReportTitle;
    design.width = kWidth;
    design.section(SectionKind::PageHeader).name = QStringLiteral("PageHeader");
    design.section(SectionKind::Detail).name = QStringLiteral("Detail");
    design.section(SectionKind::PageFooter).name = QStringLiteral("PageFooter");

    Report::Section &header = design.section(SectionKind::ReportHeader);
    header.name = QStringLiteral("Statistics");
    header.items << Report::fillItem(QStringLiteral("TitleBand"), QRect(0, 0, kWidth, 1300), QColor(0xD8, 0xD8, 0xD8))
                 << text(QStringLiteral("Clinic"), clinic.name, QRect(100, 60, kWidth - 200, 560), 14, true)
                 << text(QStringLiteral("Title"), FrmAnalysisText::ReportTitle, QRect(100, 600, kWidth - 200, 380), 12, true)
                 << text(QStringLiteral("Choice"),
                         FrmAnalysisText::ReportChoice.arg(groupLabel, Report::persianDigits(Module7::SolarDateText(QDate::currentDate()))),
                         QRect(100, 960, kWidth - 200, 320), 10, false);
    int top = 1450;
    top = addTable(header, QStringLiteral("Groups"), top, {1500, 900, 1100, 1300, 1000, 1000, 1000}, groupRows(results),
                   kTableRow, 9.5);
    top += 120;
    header.items << text(QStringLiteral("Anova"), AnalysisFormat::anovaLine(results.anova), QRect(0, top, kWidth, 340), 10,
                         false, Qt::AlignRight | Qt::AlignVCenter);
    top += 360;
    header.items << text(QStringLiteral("Alpha"), AnalysisFormat::alphaLine(results.reliability),
                         QRect(0, top, kWidth, 340), 10, false, Qt::AlignRight | Qt::AlignVCenter);
    top += 460;
    top = addTable(header, QStringLiteral("Items"), top, {550, 5150, 850, 950, 1000, 1100},
                   itemRows(results, itemTexts), kItemRow, 8, 1);
    header.height = top + 60;

    // The charts, each across the body, one under another: on a page of their own.
    Report::Section &footer = design.section(SectionKind::ReportFooter);
    footer.name = QStringLiteral("Charts");
    const QImage images[] = {charts.histogram, charts.groupMeans, charts.itemMeans};
    const char *names[] = {"ScoreHistogram", "GroupMeans", "ItemMeans"};
    int chartTop = 0;
    for (int index = 0; index < 3; ++index) {
        const QImage &image = images[index];
        // As wide as the body, or narrower to keep the picture's proportions.
        int width = kWidth;
        if (!image.isNull() && image.height() > 0)
            width = std::min(kWidth, int(double(kChartHeight) * image.width() / image.height()));
        footer.items << picture(QString::fromLatin1(names[index]), QRect((kWidth - width) / 2, chartTop, width, kChartHeight),
                                image);
        chartTop += kChartHeight + kChartGap;
    }
    footer.height = chartTop;

    design.pageMarkItem = text(QStringLiteral("PageMark"), QString(), QRect(0, 240, kWidth, 300), 9, false);
    design.pageMark = [](int page, int pageCount) {
        return Report::persianDigits(FrmAnalysisText::ReportPageMark.arg(page + 1).arg(pageCount));
    };
    return design;
}
