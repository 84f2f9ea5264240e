#include "analysis/analysischarts.h"

#include "analysis/frmanalysistext.h"
#include "ui/fonts.h"

#include <QAbstractAxis>
#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QLegendMarker>
#include <QLineSeries>
#include <QPainter>
#include <QValueAxis>

#include <algorithm>
#include <cmath>

namespace AnalysisCharts {

namespace {

// Half the width of a whisker's caps, in categories.
constexpr double kCapHalfWidth = 0.12;

QChart *makeChart(const QString &title)
{
    auto *chart = new QChart;
    chart->setTitle(title);
    chart->setTitleFont(nazaninFont(11, true));
    chart->setLocalizeNumbers(false);
    chart->setAnimationOptions(QChart::NoAnimation);
    chart->setBackgroundRoundness(4);
    chart->setMargins(QMargins(6, 4, 6, 4));
    chart->legend()->setFont(nazaninFont(9));
    return chart;
}

QBarCategoryAxis *categoryAxis(const QStringList &categories, const QString &title)
{
    auto *axis = new QBarCategoryAxis;
    axis->append(categories);
    axis->setTitleText(title);
    return axis;
}

QValueAxis *valueAxis(double min, double max, const QString &title, int ticks, const char *format)
{
    auto *axis = new QValueAxis;
    axis->setRange(min, max);
    axis->setTitleText(title);
    axis->setTickCount(ticks);
    axis->setLabelFormat(QString::fromLatin1(format));
    return axis;
}

void attach(QChart *chart, QAbstractSeries *series, QAbstractAxis *x, QAbstractAxis *y)
{
    chart->addSeries(series);
    if (!chart->axes(Qt::Horizontal).contains(x))
        chart->addAxis(x, Qt::AlignBottom);
    if (!chart->axes(Qt::Vertical).contains(y))
        chart->addAxis(y, Qt::AlignLeft);
    series->attachAxis(x);
    series->attachAxis(y);
}

// A top of the value axis a little above the highest value, on a round step.
double roundedTop(double highest, double step)
{
    return std::max(step, std::ceil(highest * 1.1 / step) * step);
}

}  // namespace

QStringList histogramBins()
{
    QStringList bins;
    for (int bin = 0; bin < 12; ++bin) {
        const int from = 20 + 5 * bin;
        bins << QStringLiteral("%1–%2").arg(from).arg(bin == 11 ? 80 : from + 4);
    }
    return bins;
}

QChart *scoreHistogram(const Analysis::Results &results, const QPalette &palette)
{
    QChart *chart = makeChart(FrmAnalysisText::HistogramTitle);
    chart->setObjectName(QStringLiteral("ScoreHistogramChart"));
    auto *counts = new QBarSet(FrmAnalysisText::SubjectsAxis);
    qint64 highest = 0;
    for (qint64 count : results.histogram) {
        *counts << double(count);
        highest = std::max(highest, count);
    }
    auto *series = new QBarSeries;
    series->setBarWidth(0.9);
    series->append(counts);
    const double top = roundedTop(double(highest), highest > 10 ? 5 : 1);
    attach(chart, series, categoryAxis(histogramBins(), FrmAnalysisText::ScoreAxis),
           valueAxis(0, top, FrmAnalysisText::SubjectsAxis, int(std::min(top, 5.0)) + 1, "%.0f"));
    chart->legend()->hide();
    applyPalette(chart, palette);
    return chart;
}

QChart *groupMeans(const Analysis::Results &results, const QPalette &palette)
{
    QChart *chart = makeChart(FrmAnalysisText::GroupMeansTitle);
    chart->setObjectName(QStringLiteral("GroupMeansChart"));
    QStringList groups;
    auto *means = new QBarSet(FrmAnalysisText::MeanSeries);
    double highest = 0;
    for (const Analysis::GroupSummary &group : results.groups) {
        groups << group.group;
        *means << group.score.mean;
        highest = std::max(highest, group.score.mean + (group.score.hasSd() ? group.score.sd : 0));
    }
    auto *bars = new QBarSeries;
    bars->setBarWidth(0.6);
    bars->append(means);
    auto *x = categoryAxis(groups, FrmAnalysisText::GroupAxis);
    auto *y = valueAxis(0, std::max(80.0, roundedTop(highest, 10)), FrmAnalysisText::MeanScoreAxis, 5, "%.0f");
    attach(chart, bars, x, y);
    // One whisker per group from a standard deviation below the mean to one
    // above, with a cap at each end; categories stand at 0, 1, 2, ...
    bool named = false;
    for (int index = 0; index < results.groups.size(); ++index) {
        const Analysis::Summary &score = results.groups.at(index).score;
        if (!score.hasSd())
            continue;
        const double low = score.mean - score.sd;
        const double high = score.mean + score.sd;
        auto *whisker = new QLineSeries;
        whisker->setName(FrmAnalysisText::SdSeries);
        whisker->setObjectName(QStringLiteral("Whisker_%1").arg(results.groups.at(index).group));
        *whisker << QPointF(index - kCapHalfWidth, low) << QPointF(index + kCapHalfWidth, low) << QPointF(index, low)
                 << QPointF(index, high) << QPointF(index - kCapHalfWidth, high) << QPointF(index + kCapHalfWidth, high);
        attach(chart, whisker, x, y);
        // The legend names the whiskers once.
        for (QLegendMarker *marker : chart->legend()->markers(whisker))
            marker->setVisible(!named);
        named = true;
    }
    chart->legend()->setAlignment(Qt::AlignBottom);
    applyPalette(chart, palette);
    return chart;
}

QChart *itemMeans(const Analysis::Results &results, const QPalette &palette)
{
    QChart *chart = makeChart(FrmAnalysisText::ItemMeansTitle);
    chart->setObjectName(QStringLiteral("ItemMeansChart"));
    QStringList numbers;
    auto *means = new QBarSet(FrmAnalysisText::MeanAnswerAxis);
    for (int item = 1; item <= Analysis::kItems; ++item)
        numbers << QString::number(item);
    for (const Analysis::ItemStatistics &item : results.reliability.items)
        *means << item.mean;
    auto *series = new QBarSeries;
    series->setBarWidth(0.7);
    series->append(means);
    attach(chart, series, categoryAxis(numbers, FrmAnalysisText::ItemAxis),
           valueAxis(0, 4, FrmAnalysisText::MeanAnswerAxis, 5, "%.0f"));
    chart->legend()->hide();
    applyPalette(chart, palette);
    return chart;
}

void applyPalette(QChart *chart, const QPalette &palette)
{
    const QColor back = palette.color(QPalette::Base);
    const QColor ink = palette.color(QPalette::Text);
    const QColor bar = palette.color(QPalette::Highlight);
    QColor grid = palette.color(QPalette::Mid);
    chart->setBackgroundBrush(back);
    chart->setBackgroundPen(QPen(grid, 1));
    chart->setPlotAreaBackgroundVisible(false);
    chart->setTitleBrush(ink);
    chart->legend()->setLabelColor(ink);
    const QFont axisFont = nazaninFont(9);
    for (QAbstractAxis *axis : chart->axes()) {
        axis->setLabelsColor(ink);
        axis->setLabelsFont(axisFont);
        axis->setTitleBrush(ink);
        axis->setTitleFont(nazaninFont(9, true));
        axis->setLinePen(QPen(ink, 1));
        grid.setAlpha(140);
        axis->setGridLinePen(QPen(grid, 1, Qt::DotLine));
        axis->setGridLineVisible(axis->orientation() == Qt::Vertical);
    }
    for (QAbstractSeries *series : chart->series()) {
        if (auto *bars = qobject_cast<QBarSeries *>(series)) {
            for (QBarSet *set : bars->barSets()) {
                set->setColor(bar);
                set->setBorderColor(ink);
            }
        } else if (auto *line = qobject_cast<QLineSeries *>(series)) {
            line->setPen(QPen(ink, 2, Qt::SolidLine, Qt::FlatCap));
        }
    }
}

Images printImages(const Analysis::Results &results, const QSize &size)
{
    QPalette paper;
    paper.setColor(QPalette::Base, Qt::white);
    paper.setColor(QPalette::Text, Qt::black);
    paper.setColor(QPalette::Highlight, QColor(0x70, 0x8C, 0xB0));
    paper.setColor(QPalette::Mid, QColor(0x80, 0x80, 0x80));
    const auto draw = [&size](QChart *chart) {
        QChartView view(chart);
        view.setLayoutDirection(Qt::RightToLeft);
        view.setRenderHint(QPainter::Antialiasing);
        view.setFrameShape(QFrame::NoFrame);
        view.resize(size);
        // Three times the pixels, so the lines and letters stay sharp on paper.
        QImage image(size * 3, QImage::Format_RGB32);
        image.setDevicePixelRatio(3);
        image.fill(Qt::white);
        QPainter painter(&image);
        view.render(&painter);
        painter.end();
        return image;
    };
    return {draw(scoreHistogram(results, paper)), draw(groupMeans(results, paper)), draw(itemMeans(results, paper))};
}

}  // namespace AnalysisCharts
